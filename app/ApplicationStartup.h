#ifndef QUARRO_APP_APPLICATIONSTARTUP_H
#define QUARRO_APP_APPLICATIONSTARTUP_H

#include <QString>
#include <QStringList>

#include <memory>

namespace quarro {
namespace app {

class MainWindow;

// Starts the application in the order the libraries rely on:
//   1. load the reader plugins (their factories register while they load), then register the
//      application's own undoable insert (DocumentInsertImplementation);
//   2. create the import manager, which asks every registered reader for its filter;
//   3. build the main window and its menus, announcing each menu (the manager places Open,
//      Insert, Revert and Recent Files in File) and then asking for the document actions;
//   4. post_init(): files dropped on the window now reach the manager;
//   5. an empty first document, which the first import reuses.
// Shut-down runs the destruction registry when the event loop ends (aboutToQuit), so the manager
// goes before the libraries it uses.
class ApplicationStartup {
public:
    // What the start-up did, for the log and for tests.
    struct Report {
        QStringList plugin_folders;
        QStringList loaded_plugins;
        QStringList failed_plugins;
    };

    // Sets the organisation and application names that the settings are kept under.
    static void set_identity();

    // Runs steps 1 to 5; the window is not shown yet. application_dir is where the "plugins"
    // folder is looked for (the executable's folder).
    static std::unique_ptr<MainWindow> start(QString const& application_dir,
                                             Report* report = nullptr);

    // Step 1 alone, for the headless import: loads the plugins, registers the insert command and
    // returns what happened.
    static Report load_plugins(QString const& application_dir);

    // Runs the destruction registry and closes the documents that are left, quietly.
    static void shut_down();

private:
    ApplicationStartup() = delete;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_APPLICATIONSTARTUP_H
