// Registers the reader under the key "XPOINTS" while the library loads. ProductRegistration makes
// the factory inside a handler: should the key be taken already (this plugin found twice, say),
// the refusal is logged and the application goes on with the first registration.
#include "ExampleReader.h"
#include "import/AbstractFileReaderFactory.h"
#include "import/ProductRegistration.h"

namespace {
quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    example::ExampleReader>
    s_registration("XPOINTS");
} // namespace
