#ifndef QUARRO_TESTS_STARTEDHOST_H
#define QUARRO_TESTS_STARTEDHOST_H

#include "HostMainWindow.h"

#include <QString>
#include <QStringList>

namespace quarro {
namespace import {
class ImportManager;
}

namespace test {

// The application as the host starts it: the settings of an earlier run, the manager created,
// the main window built with its File and View menus announced (View first), the document actions
// requested and post_init() called. Made on first use; torn down (destruction registry, then the
// window) after the last test.
struct StartedHost {
    import::ImportManager* manager = nullptr;
    HostMainWindow* window = nullptr;

    // Observations made during start-up, between the host's steps.
    int help_entries_after_view_menu = 0;
    QStringList view_menu_after_message;
    int drop_receivers_before_post_init = 0;
    QStringList log_during_startup;
};

StartedHost& started_host();

// The "last_open" value of the earlier run.
QString stored_last_open();

// The quick-help entries that the manager owns.
QList<QObject*> manager_help_entries();

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_STARTEDHOST_H
