// The products of this scenario, registered while the test program starts, as a reader library's
// would be while it loads.
#include "AbstractFileReaderFactory.h"
#include "AbstractInsertCommandImplementationFactory.h"
#include "ConcreteProductFactory.h"
#include "RecordingInsertImplementation.h"
#include "ScriptedReader.h"

namespace quarro {
namespace test {
namespace {

using ReaderFactory =
    import::ConcreteProductFactory<import::AbstractFileReaderFactory, ScriptedReader<>>;
using InsertFactory =
    import::ConcreteProductFactory<import::AbstractInsertCommandImplementationFactory,
                                   RecordingInsertImplementation>;

ReaderFactory const s_points("PTS");
ReaderFactory const s_native("QRO");
ReaderFactory const s_wells("WELLS");
InsertFactory const s_insert("InsertCommandImplementation");
InsertFactory const s_insert_import("INQuarro");

} // namespace
} // namespace test
} // namespace quarro
