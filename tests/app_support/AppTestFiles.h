#ifndef QUARRO_TESTS_APP_APPTESTFILES_H
#define QUARRO_TESTS_APP_APPTESTFILES_H

#include "TestApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace quarro {
namespace test {

// A path in the scratch folder whose parent folders exist.
inline QString scratchPath(QString const& name) {
    QString const path = QDir(scratchDirectory()).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

inline QString writeScratchFile(QString const& name, QByteArray const& content) {
    QString const path = scratchPath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(content);
    }
    return path;
}

inline QByteArray readFile(QString const& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_APP_APPTESTFILES_H
