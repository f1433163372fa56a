#ifndef QUARRO_TESTS_SUPPORT_READERTESTFIXTURE_H
#define QUARRO_TESTS_SUPPORT_READERTESTFIXTURE_H

// What the readers' tests share: scratch files and a document to read into.
#include "AbstractFileReader.h"
#include "TestApplication.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace quarro {
namespace test {

inline std::string readBytes(QString const& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

inline QString writeScratch(QString const& name, std::string const& content) {
    QString const path = QDir(scratchDirectory()).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content.data(), static_cast<qint64>(content.size()));
    return path;
}

// Whether the text begins with the prefix; every text begins with an empty one.
inline bool begins(QString const& text, char const* prefix) {
    return *prefix == 0 || text.startsWith(QLatin1String(prefix));
}

// Values as "1 2.5 nan".
inline std::string joined(std::vector<double> const& values) {
    std::ostringstream out;
    for (double const value : values) {
        out << (out.tellp() > 0 ? " " : "");
        std::isnan(value) ? out << "nan" : out << value;
    }
    return out.str();
}

// The text with every line end made CRLF.
inline std::string withCrlf(std::string const& text) {
    std::string crlf;
    for (char const c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return crlf;
}

// A fresh document per test, destroyed after it, and reading files into it.
class ReaderTestFixture : public ::testing::Test {
protected:
    void SetUp() override { m_id = housekeeping::DocumentManager::instance().create_document(); }
    void TearDown() override { housekeeping::DocumentManager::instance().destroy_all(); }

    housekeeping::Document& document() {
        return *dynamic_cast<housekeeping::Document*>(
            housekeeping::DocumentManager::instance().document_from_id(m_id));
    }
    template <class Object>
    Object const& object(std::size_t index) {
        EXPECT_LT(index, document().object_count());
        auto const* found = dynamic_cast<Object const*>(document().objects().at(index).get());
        EXPECT_NE(nullptr, found) << "object " << index;
        return *found;
    }

    import::AbstractFileReader::ImportState read(import::AbstractFileReader& reader,
                                                 QStringList const& paths,
                                                 brkBase::AbstractProgress* progress = nullptr) {
        boost::shared_ptr<housekeeping::DataSource> const source(
            new housekeeping::DataSource(utilities::filesystem_to_url(paths), nullptr));
    return reader.import_data(source, m_id, true, progress, false);
}
// Reads with a progress that was cancelled before the read began.
import::AbstractFileReader::ImportState
readCancelled(import::AbstractFileReader& reader, QStringList const& paths) {
    brkBase::AbstractProgress cancelled;
    cancelled.cancel();
    return read(reader, paths, &cancelled);
}

housekeeping::DocumentId m_id;
}; // namespace test

} // namespace quarro
} // namespace quarro

#endif // QUARRO_TESTS_SUPPORT_READERTESTFIXTURE_H
