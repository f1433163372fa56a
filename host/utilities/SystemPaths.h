#ifndef QUARRO_UTILITIES_SYSTEMPATHS_H
#define QUARRO_UTILITIES_SYSTEMPATHS_H

#include "QuarroHostExport.h"

#include <QString>
#include <QtGlobal>

#include <string>

namespace quarro {
namespace utilities {

// The folders of the user and the application that the host works with. GUI thread only.
class QUARRO_HOST_EXPORT SystemPaths {
public:
    static SystemPaths& instance();

    // The user's documents folder as a file:// URL. Throws InvalidPath when that folder does not
    // exist (no home folder, or an override that names a missing folder).
    std::string user_documents_path() const;

    // Replaces the system's documents folder (for hosts with their own notion of it, and tests);
    // an empty path goes back to the system's folder.
    void set_user_documents_path(QString const& path);

    // A writable folder for the application's own files (logs and the like); created on demand.
    // Empty when no such folder can be made.
    QString application_data_path() const;

private:
    SystemPaths() = default;
    Q_DISABLE_COPY(SystemPaths)

    QString m_user_documents_override;
};

} // namespace utilities
} // namespace quarro

#endif // QUARRO_UTILITIES_SYSTEMPATHS_H
