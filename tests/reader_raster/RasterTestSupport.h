#ifndef QUARRO_TESTS_READER_RASTER_RASTERTESTSUPPORT_H
#define QUARRO_TESTS_READER_RASTER_RASTERTESTSUPPORT_H

#include "TestApplication.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace quarro {
namespace test {

inline std::string readBytes(QString const& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QByteArray const bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

inline QString writeScratch(QString const& name, std::string const& content) {
    QString const path = QDir(scratchDirectory()).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content.data(), static_cast<qint64>(content.size()));
    return path;
}

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_READER_RASTER_RASTERTESTSUPPORT_H
