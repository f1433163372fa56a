#ifndef QUARRO_APP_PLUGINLOADER_H
#define QUARRO_APP_PLUGINLOADER_H

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace quarro {
namespace app {

// Loads the reader plugins: every shared library in the plugin folders. Each plugin registers its
// readers (and wizards, insert commands) through static factory objects while it loads, so loading
// must happen before anything asks the factories, above all before ImportManager::instance().
// Every symbol is resolved while a plugin loads, so that one with a missing symbol is refused then.
//
// Plugins stay loaded for the rest of the process: their factory objects are referenced by the
// import library's registries. A file that does not load (not a library, a missing dependency, a
// plugin with the same file name loaded from an earlier folder) or whose registration is refused
// (a key taken already, as when one plugin is found under two file names) is logged through
// ErrorProtocol and on standard error, and skipped; the application starts without it.
class PluginLoader {
public:
    PluginLoader() = default;

    // The folders to search, in order: "plugins" beside the application's executable (a build
    // tree), the installed plugin folder relative to the executable (lib/quarro/plugins beside
    // bin/), then each folder named by QUARRO_PLUGIN_PATH (separated like PATH). Folders appear
    // once each.
    static QStringList plugin_folders(QString const& application_dir);

    // Loads every library in the folders, folder by folder, files in name order; returns how many
    // loaded. Missing folders are passed over quietly.
    int load_folders(QStringList const& folders);

    // Loads one plugin file; false (and logged) when it cannot be loaded or a registration it
    // makes is refused. A refused plugin stays loaded (whatever it did register is in force) but
    // counts as failed.
    bool load_file(QString const& path);

    // Absolute paths of the plugins loaded and of the files that failed, in order.
    QStringList const& loaded() const { return m_loaded; }
    QStringList const& failed() const { return m_failed; }

private:
    Q_DISABLE_COPY(PluginLoader)

    QStringList m_loaded;
    QStringList m_failed;
};

} // namespace app
} // namespace quarro

#endif // QUARRO_APP_PLUGINLOADER_H
