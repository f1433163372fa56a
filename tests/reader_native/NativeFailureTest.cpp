#include "DocumentReader.h"
#include "DocumentWriter.h"
#include "NativeTestObjects.h"
#include "QroFileReader.h"
#include "TestApplication.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/BoundingBox.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <csignal>
#include <sys/resource.h>
#include <tuple>

using namespace quarro;

namespace {

QString scratchFile(QString const& name) {
    return QDir(test::scratchDirectory()).filePath(name);
}

QByteArray sampleBytes(bool compressed) {
    native::DocumentWriter writer;
    return writer.encode(test::sampleObjects(), test::sampleJournal(), compressed);
}

// `node` with the value at `path` ("objects.1.curves.0.samples.1") replaced by `value`, or
// removed when `value` is undefined.
QJsonValue withValueAt(QJsonValue const& node, QStringList path, QJsonValue const& value) {
    QString const step = path.takeFirst();
    bool isIndex = false;
    int const index = step.toInt(&isIndex);
    if (isIndex) {
        QJsonArray array = node.toArray();
        array[index] = path.isEmpty() ? value : withValueAt(array[index], path, value);
        return array;
    }
    QJsonObject object = node.toObject();
    object.insert(step, path.isEmpty() ? value : withValueAt(object[step], path, value));
    return object;
}

// Each damage: where, the value put there, a part of the expected reason.
std::vector<std::tuple<char const*, QJsonValue, char const*>> damages(QJsonObject const& root) {
    QString const zcorn = root["objects"][8]["zcorn"]["data"].toString();
    // '!' keeps the string with Qt; '=' leaves it a long base64 string, which the reader takes out
    // of the text before Qt parses it.
    QString badBase64 = zcorn, padded = zcorn;
    badBase64[100] = QLatin1Char('!');
    padded[100] = QLatin1Char('=');
    QJsonArray corners = root["objects"][9]["zcorn"].toArray();
    QByteArray flags(288, '\1'); // all 1 but flag 7
    flags[7] = '\2';
    corners.removeLast();
    char const* const base64 = "Reservoir grid\"), field zcorn.data: character 100 is not base64";
    return {
        {"version", 2,
         "version 2, which a newer program wrote; this program reads versions up to 1"},
        {"version", 0, "field \"version\": expected a whole number from 1 to 2147483647, found 0"},
        {"format", "other", "not a Quarro document: its format is \"other\""},
        {"objects", QJsonValue::Undefined, "the field \"objects\" is missing"},
        {"objects", "none", "field \"objects\": expected an array, found a string"},
        {"journal", 7, "field \"journal\": expected a string, found a number"},
        {"objects.1.curves.0.samples.1", "abc", "\"W-2\"), field curves[0].samples[1]: expected a"},
        {"objects.5.ncols", QJsonValue::Undefined, "Reservoir\"): the field \"ncols\" is missing"},
        {"objects.8.zcorn.data", badBase64, base64},
        {"objects.8.zcorn.data", padded, base64},
        {"objects.8.zcorn.count", 5, "holds 18432 bytes, but \"count\" says 5 values of 8 bytes"},
        {"objects.8.zcorn.data", zcorn.left(101), "base64 text of 101 characters is cut short"},
        {"objects.9.zcorn", corners, "objects[9] (CornerPointGrid \"Small grid\"): ZCORN of a"},
        {"objects.8.active.data", QString::fromLatin1(flags.toBase64()), "flag 7 is 2, not 0 or 1"},
        {"objects.3.kind", "Seismic", "(Seismic \"Tops\"), field kind: \"Seismic\" is no kind"},
        {"objects.6.image", "AAAA", "field image: the image is not a readable PNG"},
        {"objects.5.dx", -1, "objects[5] (RegularSurface \"Top Reservoir\"): "},
        {"objects.1.curves.1.mnemonic", "RHOB", "RHOB"},
        {"objects.3.attributes.1.name", "TWT", "field attributes[1].name: \"TWT\" is given twice"},
        {"objects.1.index", QJsonValue(), "field index: a well with curves needs an index curve"},
        {"objects.4.polylines.0.closed", "yes", "polylines[0].closed: expected true or false"},
        {"objects.0.properties", QJsonArray{QJsonArray{"a", "b", "c"}},
         "a key and a value, found 3"},
        {"objects.10.ni", 1, "a grid of 1 x 0 x 0 cells cannot be"},
        {"objects.3.labels", QJsonArray{"A"}, "expected one label per point (300), found 1"},
        {"objects.4.polylines.1.points", QJsonArray{1, 2}, "2 numbers are no list of x, y, z"},
    };
}

class NativeDamage : public ::testing::Test {
protected:
    void TearDown() override { housekeeping::DocumentManager::instance().destroy_all(); }
};

// Each damage fails the whole read with a reason that names where it broke, and leaves nothing.
TEST_F(NativeDamage, WrongValuesFailWithTheirPlace) {
    QJsonObject const root = QJsonDocument::fromJson(sampleBytes(false)).object();
    QByteArray const packed = sampleBytes(true);
    auto withLength = [&packed](quint32 value) { // the compressed container's length field
        QByteArray bytes = packed;
        qToBigEndian(value, bytes.data() + 8);
        return bytes;
    };
    quint32 const length = qFromBigEndian<quint32>(packed.constData() + 8);
    QByteArray flipped = packed;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x55);
    std::vector<std::pair<QByteArray, char const*>> cases = {
        {"[1, 2]", "the document is a JSON array, not an object"},
        {withLength(0xFFFFFFFFu), "compressed bytes cannot hold"},
        {withLength(length - 10), "holds more than the"},
        {withLength(length + 10), "but its header says"},
        {flipped, "damaged"}};
    for (auto const& [path, value, reason] : damages(root)) {
        QStringList const steps = QString::fromLatin1(path).split(QLatin1Char('.'));
        cases.emplace_back(QJsonDocument(withValueAt(root, steps, value).toObject()).toJson(),
                           reason);
    }
    for (auto const& [bytes, reason] : cases) {
        SCOPED_TRACE(reason);
        native::DocumentReader reader;
        EXPECT_EQ(native::DocumentReader::Status::Failed, reader.read(bytes));
        EXPECT_TRUE(reader.errorString().contains(QString::fromUtf8(reason)))
            << reader.errorString().toStdString();
        EXPECT_TRUE(reader.objects().empty());
        EXPECT_TRUE(reader.journal().empty());
        EXPECT_EQ(0, reader.formatVersion());
    }
}

// A saved file cut at any point fails, plain or compressed, and says where.
TEST_F(NativeDamage, TruncatedFilesFail) {
    for (bool compressed : {false, true}) {
        QByteArray const whole = sampleBytes(compressed);
        for (int length :
             {0, 1, 7, 8, 11, 12, 100, whole.size() / 3, whole.size() / 2, whole.size() - 2}) {
            SCOPED_TRACE((compressed ? "compressed, " : "plain, ") + std::to_string(length));
            native::DocumentReader reader;
            EXPECT_EQ(native::DocumentReader::Status::Failed, reader.read(whole.left(length)));
            EXPECT_TRUE(reader.objects().empty());
            QString const reason = reader.errorString();
            if (length == 0 || (compressed && length >= 8)) {
                EXPECT_TRUE(reason.contains(length == 0   ? "the file is empty"
                                            : length < 12 ? "cut short in its header"
                                                          : "cut short"))
                    << reason.toStdString();
                continue;
            }
            // Qt finds the text cut short at its end.
            QString const prefix = QStringLiteral("the document is not valid JSON at byte ");
            ASSERT_TRUE(reason.startsWith(prefix)) << reason.toStdString();
            int const offset = reason.mid(prefix.size()).section(QLatin1Char(':'), 0, 0).toInt();
            EXPECT_TRUE(offset <= length + 1 && offset >= length - 16) << reason.toStdString();
        }
    }
}

// Through the "QRO" reader: IMPORT_FAILED with the reason in the summary, and the document as it
// was; verify() takes what begins like a native document and says why it refuses anything else.
TEST_F(NativeDamage, ReaderAddsNothingFromADamagedFile) {
    QByteArray const whole = sampleBytes(false);
    QJsonObject root = QJsonDocument::fromJson(whole).object();
    root[QLatin1String("version")] = 7;
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    struct Case {
        QByteArray content;
        bool hasDocument;
        char const* reason;
    } const cases[] = {{whole.left(whole.size() / 2), true, "not valid JSON at byte"},
                       {QJsonDocument(root).toJson(), true, "format version 7"},
                       {whole, false, "no document"}};
    for (Case const& c : cases) {
        SCOPED_TRACE(c.reason);
        QString const path = scratchFile(QStringLiteral("damaged.qro"));
        test::writeFile(path, c.content);
        auto* document = dynamic_cast<housekeeping::Document*>(
            manager.document_from_id(manager.create_document()));
        document->journal("kept", true);
        native::QroFileReader reader;
        EXPECT_EQ(native::QroFileReader::IMPORT_FAILED,
                  reader.import_data(boost::make_shared<housekeeping::DataSource>(
                                         utilities::filesystem_to_url(path), nullptr),
                                     c.hasDocument ? document->id() : housekeeping::DocumentId(),
                                     true, nullptr, false));
        EXPECT_EQ(0u, document->object_count());
        EXPECT_EQ("kept", document->journal_text());
        EXPECT_EQ(1, reader.failures());
        EXPECT_TRUE(
            reader.import_summary().contains(QStringLiteral("<font color='red'>Failed</font>")));
        EXPECT_TRUE(reader.import_summary().contains(QLatin1String(c.reason)))
            << reader.import_summary().toStdString();
    }

    struct Probe {
        QByteArray content;
        char const* message; // empty when the file is taken
    } const probes[] = {
        {"\xEF\xBB\xBF \r\n{ \"format\" : \"quarro-document\", \"version\": 1", ""},
        {sampleBytes(true).replace("\r\n", "\n"), "transfer in text mode"},
        {"{\"type\": \"FeatureCollection\"}",
         "its first field is not \"format\": \"quarro-document\""},
        {QByteArray(), "the file is empty"},
        {test::fileBytes(test::dataFile(QStringLiteral("las/sample_2.0.las"))),
         "it does not begin with a JSON object"},
        {"missing", "cannot be read"},
    };
    for (Probe const& probe : probes) {
        SCOPED_TRACE(probe.message);
        QString const path = scratchFile(QStringLiteral("probe.qro"));
        QFile::remove(path);
        if (probe.content != "missing") {
            test::writeFile(path, probe.content);
        }
        native::QroFileReader reader;
        QString message;
        EXPECT_EQ(std::bitset<4>(*probe.message ? "0000" : "1001"),
                  reader.verify(utilities::filesystem_to_url(path), message));
        EXPECT_TRUE(message.contains(QString::fromUtf8(probe.message))) << message.toStdString();
    }
}

// An object that says it is a well but is none: the writer cannot encode it.
class Impostor : public model::GeoObject {
public:
    model::ObjectKind kind() const override { return model::ObjectKind::Well; }
    model::BoundingBox boundingBox() const override { return model::BoundingBox(); }
    std::unique_ptr<GeoObject> clone() const override { return std::make_unique<Impostor>(); }
};

// A save that cannot be made gives a clear message, never an exception, leaves the old file whole
// and no temporary file behind; the next successful save clears the message.
TEST_F(NativeDamage, FailedSavesKeepTheOldFile) {
    QString const folder = scratchFile(QStringLiteral("failed saves"));
    QDir(folder).removeRecursively();
    QString const path = QDir(folder).filePath(QStringLiteral("doc.qro"));
    QString const inTheWay = QDir(folder).filePath(QStringLiteral("a folder.qro"));
    QDir().mkpath(inTheWay);
    QByteArray const old = "old document, still whole";
    test::writeFile(path, old);
    QString const missing = QDir(folder).filePath(QStringLiteral("missing"));
    auto impostor = boost::make_shared<Impostor>();
    impostor->setName(QStringLiteral("Fake"));
    struct Case {
        QString path;
        bool withImpostor;
        rlim_t fileSizeLimit; // a disk that fills up during the save
        QString reason;
    } const cases[] = {
        {inTheWay, false, RLIM_INFINITY, QStringLiteral("a folder of that name is in the way")},
        {missing + QStringLiteral("/x.qro"), false, RLIM_INFINITY,
         QStringLiteral("the folder \"%1\" does not exist").arg(QDir::toNativeSeparators(missing))},
        {path + QStringLiteral("/x.qro"), false, RLIM_INFINITY,
         QStringLiteral("the folder \"%1\" does not exist").arg(QDir::toNativeSeparators(path))},
        {path, false, 4096, QStringLiteral("File too large")},
        {path, true, RLIM_INFINITY,
         QStringLiteral(
             "object 2 (\"Fake\") cannot be saved: the object says it is a Well but is not one")},
    };
    native::DocumentWriter writer;
    for (Case const& c : cases) {
        SCOPED_TRACE(c.reason.toStdString());
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = std::min(c.fileSizeLimit, saved.rlim_cur);
        auto const handler =
            std::signal(SIGXFSZ, SIG_IGN); // writes beyond the limit fail with EFBIG
        setrlimit(RLIMIT_FSIZE, &limit);
        native::DocumentWriter::Objects const objects =
            c.withImpostor
                ? native::DocumentWriter::Objects{boost::make_shared<model::PointSet>(), impostor}
                : test::sampleObjects();
        EXPECT_FALSE(writer.write(objects, test::sampleJournal(), c.path));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        EXPECT_EQ(c.reason, writer.errorString());
        EXPECT_EQ(old, test::fileBytes(path));
        EXPECT_TRUE(QFileInfo(inTheWay).isDir());
        EXPECT_EQ(QStringList({QStringLiteral("doc.qro")}),
                  QDir(folder).entryList(QDir::Files | QDir::Hidden));
    }
    EXPECT_TRUE(writer.write({boost::make_shared<model::PointSet>()}, std::string(), path));
    EXPECT_TRUE(writer.errorString().isEmpty());
}

} // namespace
