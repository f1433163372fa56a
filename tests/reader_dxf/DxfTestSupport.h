#ifndef QUARRO_TESTS_READER_DXF_DXFTESTSUPPORT_H
#define QUARRO_TESTS_READER_DXF_DXFTESTSUPPORT_H

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

// Group code / value pairs as a DXF writer puts them, LF line ends.
inline std::string dxfPairs(std::initializer_list<std::pair<int, char const*>> pairs) {
    std::string text;
    for (auto const& pair : pairs) {
        text += std::to_string(pair.first) + "\n" + pair.second + "\n";
    }
    return text;
}

// A complete file around some ENTITIES.
inline std::string dxfWithEntities(std::string const& entities) {
    return "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

} // namespace test
} // namespace quarro

#endif // QUARRO_TESTS_READER_DXF_DXFTESTSUPPORT_H
