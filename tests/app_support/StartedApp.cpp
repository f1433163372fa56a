#include "StartedApp.h"

#include "MainWindow.h"
#include "ModalDialogHelper.h"
#include "TestApplication.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "housekeeping/ErrorProtocol.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace quarro {
namespace test {

namespace {

std::unique_ptr<StartedApp>& holder() {
    static std::unique_ptr<StartedApp> app;
    return app;
}

class AppShutdown : public ::testing::Environment {
public:
    void TearDown() override {
        std::unique_ptr<StartedApp>& app = holder();
        if (!app) {
            return;
        }
        app::ApplicationStartup::shut_down();
        app->window.reset();
        app.reset();
    }
};

::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new AppShutdown);

} // namespace

StartedApp& startedApp() {
    std::unique_ptr<StartedApp>& app = holder();
    if (app) {
        return *app;
    }
    app.reset(new StartedApp);
    // Closing the window in a test must not end the test program's event loops.
    QApplication::setQuitOnLastWindowClosed(false);

    QString const broken_folder = QDir(scratchDirectory()).filePath(QStringLiteral("broken"));
    QDir().mkpath(broken_folder);
    app->broken_plugin = QDir(broken_folder).filePath(QStringLiteral("libbroken_reader.so"));
    QFile broken(app->broken_plugin);
    if (broken.open(QIODevice::WriteOnly)) {
        broken.write("this is not a shared library\n");
    }
    qputenv("QUARRO_PLUGIN_PATH",
            (QStringLiteral(APP_TEST_PLUGIN_DIR) + QDir::listSeparator() + broken_folder)
                .toLocal8Bit());

    housekeeping::ErrorProtocol::instance().clear();
    app->window =
        app::ApplicationStartup::start(QCoreApplication::applicationDirPath(), &app->report);
    app->startup_log = housekeeping::ErrorProtocol::instance().lines();
    app->window->show();
    ModalDialogHelper::waitFor([&app] { return app->window->isVisible(); });
    return *app;
}

void resetDocuments() {
    startedApp();
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    manager.destroy_all();
    manager.create_document();
    QCoreApplication::processEvents();
}

housekeeping::Document& currentDocument() {
    return *dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().current_document());
}

} // namespace test
} // namespace quarro
