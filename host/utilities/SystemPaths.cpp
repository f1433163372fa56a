#include "utilities/SystemPaths.h"

#include "utilities/InvalidPath.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quarro {
namespace utilities {

SystemPaths& SystemPaths::instance() {
    static SystemPaths paths;
    return paths;
}

std::string SystemPaths::user_documents_path() const {
    QString const folder = m_user_documents_override.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : m_user_documents_override;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        throw InvalidPath(InvalidPath::error_code,
                          "The documents folder '" + folder.toStdString() + "' does not exist",
                          "host/utilities/SystemPaths", __LINE__);
    }
    return filesystem_to_url(QDir(folder).absolutePath());
}

void SystemPaths::set_user_documents_path(QString const& path) {
    m_user_documents_override = path;
}

QString SystemPaths::application_data_path() const {
    QString const folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        return QString();
    }
    return folder;
}

} // namespace utilities
} // namespace quarro
