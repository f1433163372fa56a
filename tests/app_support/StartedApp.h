#ifndef QUARRO_TESTS_APP_STARTEDAPP_H
#define QUARRO_TESTS_APP_STARTEDAPP_H

#include "ApplicationStartup.h"

#include <QStringList>

#include <memory>

namespace quarro {
namespace app {
class MainWindow;
}
namespace housekeeping {
class Document;
}

namespace test {

// The application as `quarro` starts it, once per test program and shown: the real reader plugins
// beside the test program plus QUARRO_PLUGIN_PATH, pointed at the test plugin (key "APPTEST").
// Torn down like the application after the last test.
struct StartedApp {
    std::unique_ptr<app::MainWindow> window;
    app::ApplicationStartup::Report report;
};

StartedApp& startedApp();

// Closes every document without asking and makes one blank current document.
void resetDocuments();

housekeeping::Document& currentDocument();

QStringList objectNames(housekeeping::Document const& document);

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_APP_STARTEDAPP_H
