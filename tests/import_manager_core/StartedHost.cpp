#include "StartedHost.h"

#include "ImportManager.h"
#include "base/brkDestructor.h"
#include "housekeeping/AbstractQuickHelpEntry.h"
#include "housekeeping/ErrorProtocol.h"

#include <QSettings>
#include <gtest/gtest.h>

#include <memory>

namespace quarro {
namespace test {

namespace {

std::unique_ptr<StartedHost>& host_holder() {
    static std::unique_ptr<StartedHost> host;
    return host;
}

// Shuts the application down the way the host does once its event loop has ended.
class HostShutdown : public ::testing::Environment {
public:
    void TearDown() override {
        std::unique_ptr<StartedHost>& host = host_holder();
        if (!host) {
            return;
        }
        brkBase::brkDestructor::destroy_all();
        delete host->window;
        host.reset();
    }
};

::testing::Environment* const shutdown = ::testing::AddGlobalTestEnvironment(new HostShutdown);

} // namespace

QString stored_last_open() {
    return QStringLiteral("/projects/north sea/field & wells.qro");
}

QList<QObject*> manager_help_entries() {
    QList<QObject*> entries;
    for (housekeeping::AbstractQuickHelpEntry* entry :
         housekeeping::AbstractQuickHelpEntry::entries()) {
        if (entry->parent() == &import::ImportManager::instance()) {
            entries << entry;
        }
    }
    return entries;
}

StartedHost& started_host() {
    std::unique_ptr<StartedHost>& host = host_holder();
    if (host) {
        return *host;
    }
    host.reset(new StartedHost);
    housekeeping::ErrorProtocol::instance().clear();

    QSettings settings;
    settings.setValue(QStringLiteral("file_paths/last_open"), stored_last_open());
    settings.sync();

    host->manager = &import::ImportManager::instance();
    host->window = new HostMainWindow;

    host->window->announce_menu(host->window->view_menu);
    host->help_entries_after_view_menu = manager_help_entries().size();
    host->view_menu_after_message = menu_texts(*host->window->view_menu);

    host->window->announce_menu(host->window->file_menu);
    host->window->request_document_actions();

    host->drop_receivers_before_post_init = host->window->drop_receivers();
    host->manager->post_init();

    host->log_during_startup = housekeeping::ErrorProtocol::instance().lines();
    return *host;
}

} // namespace test
} // namespace quarro
