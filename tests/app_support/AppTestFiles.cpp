#include "AppTestFiles.h"

#include "TestApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quarro {
namespace test {

QString writeScratchFile(QString const& name, QByteArray const& content) {
    QString const path = QDir(scratchDirectory()).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(content);
    }
    return path;
}

QString writeAppTestFile(QString const& name, QStringList const& lines) {
    return writeScratchFile(
        name,
        (QStringList(QStringLiteral("APPTEST")) + lines).join(QLatin1Char('\n')).toUtf8() + '\n');
}

QByteArray readFile(QString const& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace test
} // namespace quarro
