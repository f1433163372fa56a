#include "StartedApp.h"

#include "MainWindow.h"
#include "ModalDialogHelper.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/GeoObject.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace quarro {
namespace test {

namespace {

std::unique_ptr<StartedApp> s_app;

class AppShutdown : public ::testing::Environment {
public:
    void TearDown() override {
        if (!s_app) {
            return;
        }
        app::ApplicationStartup::shut_down();
        s_app.reset();
    }
};

::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new AppShutdown);

} // namespace

StartedApp& startedApp() {
    if (s_app) {
        return *s_app;
    }
    s_app.reset(new StartedApp);
    // Closing the window in a test must not end the test program's event loops.
    QApplication::setQuitOnLastWindowClosed(false);
    qputenv("QUARRO_PLUGIN_PATH", APP_TEST_PLUGIN_DIR);
    s_app->window =
        app::ApplicationStartup::start(QCoreApplication::applicationDirPath(), &s_app->report);
    s_app->window->show();
    ModalDialogHelper::waitFor([] { return s_app->window->isVisible(); });
    return *s_app;
}

void resetDocuments() {
    startedApp();
    housekeeping::DocumentManager::instance().destroy_all();
    housekeeping::DocumentManager::instance().create_document();
    QCoreApplication::processEvents();
}

housekeeping::Document& currentDocument() {
    return *dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().current_document());
}

QStringList objectNames(housekeeping::Document const& document) {
    QStringList names;
    for (housekeeping::Document::ObjectPtr const& object : document.objects()) {
        names << object->name();
    }
    return names;
}

} // namespace test
} // namespace quarro
