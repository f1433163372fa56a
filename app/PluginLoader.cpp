#include "PluginLoader.h"

#include "RegistrationLog.h"
#include "housekeeping/ErrorProtocol.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstddef>
#include <vector>

namespace quarro {
namespace app {

namespace {

void log(QString const& text) {
    housekeeping::ErrorProtocol::instance().log_message(text.toStdString());
}

// A plugin left out is worth a line on standard error too: the log may be read by nobody.
void log_failure(QString const& text) {
    log(text);
    qWarning().noquote() << text;
}

// The keys refused while a plugin loaded, as "'KEY' (Factory)".
QStringList refused_since(std::size_t first) {
    std::vector<import::RegistrationLog::Refusal> const refusals =
        import::RegistrationLog::refusals();
    QStringList keys;
    for (std::size_t i = first; i < refusals.size(); ++i) {
        keys << QStringLiteral("'%1' (%2)")
                    .arg(QString::fromStdString(refusals[i].key),
                         QString::fromStdString(refusals[i].factory));
    }
    return keys;
}

// Whether a plugin of the same file name is loaded already: the same reader built twice would
// register its keys twice, which the factories refuse while the library loads.
bool name_taken(QStringList const& loaded, QString const& file_name) {
    for (QString const& path : loaded) {
        if (QFileInfo(path).fileName() == file_name) {
            return true;
        }
    }
    return false;
}

} // namespace

QStringList PluginLoader::plugin_folders(QString const& application_dir) {
    QStringList folders;
    auto const add = [&folders](QString const& folder) {
        if (folder.isEmpty()) {
            return;
        }
        QString const clean = QDir::cleanPath(QDir(folder).absolutePath());
        if (!folders.contains(clean)) {
            folders << clean;
        }
    };
    add(QDir(application_dir).filePath(QStringLiteral("plugins")));
    add(QDir(application_dir).filePath(QStringLiteral(QUARRO_INSTALLED_PLUGIN_DIR)));
    QString const path = qEnvironmentVariable("QUARRO_PLUGIN_PATH");
    for (QString const& folder : path.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        add(folder);
    }
    return folders;
}

int PluginLoader::load_folders(QStringList const& folders) {
    int count = 0;
    for (QString const& folder : folders) {
        QDir const dir(folder);
        if (!dir.exists()) {
            continue;
        }
        QFileInfoList const entries =
            dir.entryInfoList(QDir::Files | QDir::Readable | QDir::NoDotAndDotDot, QDir::Name);
        for (QFileInfo const& entry : entries) {
            if (QLibrary::isLibrary(entry.fileName()) && load_file(entry.absoluteFilePath())) {
                ++count;
            }
        }
    }
    return count;
}

bool PluginLoader::load_file(QString const& path) {
    QString const absolute = QFileInfo(path).absoluteFilePath();
    if (m_loaded.contains(absolute)) {
        return false;
    }
    QString const file_name = QFileInfo(absolute).fileName();
    if (name_taken(m_loaded, file_name)) {
        log_failure(
            QStringLiteral("Reader plugin '%1' skipped: a plugin named %2 is loaded already")
                .arg(absolute, file_name));
        m_failed << absolute;
        return false;
    }
    // Not deleted and never unloaded: the plugin's factory objects must outlive every lookup.
    QLibrary library(absolute);
    // Every symbol now: a plugin built against another version of the libraries fails here, with
    // a reason, rather than ending the application at its first call.
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    std::size_t const refusals_before = import::RegistrationLog::count();
    if (!library.load()) {
        log_failure(QStringLiteral("Cannot load reader plugin '%1': %2")
                        .arg(absolute, library.errorString()));
        m_failed << absolute;
        return false;
    }
    QStringList const refused = refused_since(refusals_before);
    if (!refused.isEmpty()) {
        log_failure(QStringLiteral("Reader plugin '%1' skipped: %2 registered already, the first "
                                   "registration stays in force")
                        .arg(absolute, refused.join(QStringLiteral(", "))));
        m_failed << absolute;
        return false;
    }
    log(QStringLiteral("Loaded reader plugin '%1'").arg(absolute));
    m_loaded << absolute;
    return true;
}

} // namespace app
} // namespace quarro
