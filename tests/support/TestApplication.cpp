#include "TestApplication.h"

#include <QDir>

namespace quarro {
namespace test {

namespace {
QString& scratchPath() {
    static QString path;
    return path;
}
} // namespace

void setScratchDirectory(QString const& path) {
    scratchPath() = path;
}

QString scratchDirectory() {
    return scratchPath();
}

QString dataFile(QString const& relative_path) {
    return QDir(QStringLiteral(QUARRO_TEST_DATA_DIR)).filePath(relative_path);
}

} // namespace test
} // namespace quarro
