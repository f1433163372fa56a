// A reader plugin of the application's tests, loaded from a folder named by QUARRO_PLUGIN_PATH as
// a format library would be: the shared scripted reader under key "APPTEST", files *.apptest, so
// that tests load real objects through the import manager's flows.
#include "AbstractFileReaderFactory.h"
#include "ProductRegistration.h"
#include "ScriptedReader.h"

namespace {

struct AppTestSpec {
    static constexpr char const* key = "APPTEST";
    static constexpr char const* filter = "App Test Format (*.apptest)";
};

quarro::import::ProductRegistration<quarro::import::AbstractFileReaderFactory,
                                    quarro::test::ScriptedReader<AppTestSpec>>
    s_factory("APPTEST");

} // namespace
