#include "DocumentReader.h"
#include "DocumentWriter.h"
#include "NativeTestObjects.h"
#include "TestApplication.h"
#include "model/BoundingBox.h"
#include "model/GeoObject.h"
#include "model/PointSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace quarro;

namespace {

QString scratchFolder(QString const& name) {
    QString const path = QDir(test::scratchDirectory()).filePath(name);
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

// The old document a failed save must leave alone.
QByteArray const oldContent = "old document, still whole";

// An object that says it is a well but is none: the writer cannot encode it.
class Impostor : public model::GeoObject {
public:
    model::ObjectKind kind() const override { return model::ObjectKind::Well; }
    model::BoundingBox boundingBox() const override { return model::BoundingBox(); }
    std::unique_ptr<GeoObject> clone() const override { return std::make_unique<Impostor>(); }
};

// Lowers the largest file this process may write for as long as it lives: writes beyond it fail
// as on a full disk (EFBIG instead of a signal), whoever runs the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(FileSizeLimit const&) = delete;
    FileSizeLimit& operator=(FileSizeLimit const&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// The folder's file names other than `keep`: a failed save must leave no temporary file behind.
QStringList leftovers(QString const& folder, QString const& keep) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    names.removeAll(keep);
    return names;
}

TEST(NativeWriter, SavesByFileNameAndReplacesTheOldFile) {
    QString const folder = scratchFolder(QStringLiteral("save"));
    native::DocumentWriter writer;
    for (QString const& name :
         {QStringLiteral("a.qro"), QStringLiteral("b.QROZ"), QStringLiteral("c.quarro")}) {
        QString const path = QDir(folder).filePath(name);
        test::writeFile(path, oldContent);
        ASSERT_TRUE(writer.write(test::sampleObjects(), test::sampleJournal(), path))
            << writer.errorString().toStdString();
        QByteArray const saved = test::fileBytes(path);
        bool const compressed = name.endsWith(QLatin1String("QROZ"));
        EXPECT_EQ(compressed, saved.startsWith("QROZ\r\n\x1a\n")) << name.toStdString();
        EXPECT_EQ(!compressed, saved.startsWith("{")) << name.toStdString();
        native::DocumentReader reader;
        EXPECT_EQ(native::DocumentReader::Status::Ok, reader.read(saved));
    }

    // The storage can be chosen whatever the name.
    QString const forced = QDir(folder).filePath(QStringLiteral("forced.qro"));
    writer.setStorage(native::DocumentWriter::Storage::CompressedJson);
    ASSERT_TRUE(writer.write(test::sampleObjects(), std::string(), forced));
    EXPECT_TRUE(test::fileBytes(forced).startsWith("QROZ"));
    EXPECT_EQ(QStringList({QStringLiteral("a.qro"), QStringLiteral("b.QROZ"),
                           QStringLiteral("c.quarro"), QStringLiteral("forced.qro")}),
              QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name));
}

// Unwritable places give a clear message, never an exception, and touch nothing.
TEST(NativeWriter, UnwritablePathsFailWithAMessage) {
    QString const folder = scratchFolder(QStringLiteral("unwritable"));
    QString const plainFile = QDir(folder).filePath(QStringLiteral("plain file"));
    test::writeFile(plainFile, oldContent);
    QString const subfolder = QDir(folder).filePath(QStringLiteral("a folder.qro"));
    QDir().mkpath(subfolder);

    QString const missing = QDir(folder).filePath(QStringLiteral("missing"));
    struct Case {
        QString path;
        QString reason;
    } const cases[] = {
        {subfolder, QStringLiteral("a folder of that name is in the way")},
        {missing + QStringLiteral("/x.qro"),
         QStringLiteral("the folder \"%1\" does not exist").arg(QDir::toNativeSeparators(missing))},
        {plainFile + QStringLiteral("/x.qro"), QStringLiteral("the folder \"%1\" does not exist")
                                                   .arg(QDir::toNativeSeparators(plainFile))},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        native::DocumentWriter writer;
        EXPECT_FALSE(writer.write(test::sampleObjects(), test::sampleJournal(), c.path));
        EXPECT_EQ(c.reason, writer.errorString());
    }
    EXPECT_TRUE(QFileInfo(subfolder).isDir());
    EXPECT_EQ(oldContent, test::fileBytes(plainFile));
    EXPECT_EQ(QStringList({QStringLiteral("plain file")}), leftovers(folder, QString()));

    // A folder the user may not write to; root may write anywhere, so only others can check it.
    if (geteuid() != 0) {
        QString const locked = scratchFolder(QStringLiteral("locked"));
        QString const path = QDir(locked).filePath(QStringLiteral("doc.qro"));
        test::writeFile(path, oldContent);
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
        native::DocumentWriter writer;
        EXPECT_FALSE(writer.write(test::sampleObjects(), test::sampleJournal(), path));
        EXPECT_FALSE(writer.errorString().isEmpty());
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(oldContent, test::fileBytes(path));
    }
}

// A disk that fills up during the save, and a document the writer cannot encode: the old file
// stays whole and no temporary file is left.
TEST(NativeWriter, FailedSaveKeepsTheOldFile) {
    QString const folder = scratchFolder(QStringLiteral("failed save"));
    QString const path = QDir(folder).filePath(QStringLiteral("doc.qro"));
    test::writeFile(path, oldContent);

    native::DocumentWriter writer;
    {
        FileSizeLimit const full(4096);
        EXPECT_FALSE(writer.write(test::sampleObjects(), test::sampleJournal(), path));
    }
    EXPECT_EQ(QStringLiteral("File too large"), writer.errorString());
    EXPECT_EQ(oldContent, test::fileBytes(path));
    EXPECT_TRUE(leftovers(folder, QStringLiteral("doc.qro")).isEmpty())
        << leftovers(folder, QStringLiteral("doc.qro")).join(QLatin1Char(' ')).toStdString();

    auto impostor = boost::make_shared<Impostor>();
    impostor->setName(QStringLiteral("Fake"));
    auto points = boost::make_shared<model::PointSet>();
    EXPECT_FALSE(writer.write({points, impostor}, std::string(), path));
    EXPECT_EQ(
        QStringLiteral("object 2 (\"Fake\") cannot be saved: the object says it is a Well but "
                       "is not one"),
        writer.errorString());
    EXPECT_EQ(oldContent, test::fileBytes(path));

    // The next successful save clears the message.
    EXPECT_TRUE(writer.write({points}, std::string(), path));
    EXPECT_TRUE(writer.errorString().isEmpty());
}

} // namespace
