#ifndef QUARRO_TESTS_APP_STARTEDAPP_H
#define QUARRO_TESTS_APP_STARTEDAPP_H

#include "AbstractFileReaderFactory.h"
#include "ApplicationStartup.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace quarro {
namespace app {
class MainWindow;
}
namespace housekeeping {
class Document;
}

namespace test {

// The application as `quarro` starts it, once per test program: the real reader plugins from the
// plugins folder beside the test program, plus the folders of QUARRO_PLUGIN_PATH, which the start
// points at the test plugin (key "APPTEST") and at a folder holding a broken plugin file. The
// window is shown. Torn down like the application after the last test.
struct StartedApp {
    std::unique_ptr<app::MainWindow> window;
    app::ApplicationStartup::Report report;
    QString broken_plugin;
    // What the error protocol held once the start-up had run.
    QStringList startup_log;
};

StartedApp& startedApp();

// Closes every document without asking and opens one blank document, as after start-up.
void resetDocuments();

// The current document (there is one after resetDocuments()).
housekeeping::Document& currentDocument();

// Whether a reader is registered under key.
inline bool registered(std::string const& key) {
    std::vector<std::string> const keys = import::AbstractFileReaderFactory::products();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_APP_STARTEDAPP_H
