#include "DocumentReader.h"
#include "DocumentWriter.h"
#include "NativeTestObjects.h"
#include "QroFileReader.h"
#include "TestApplication.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtEndian>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

using namespace quarro;

namespace {

QString scratchFile(QString const& name) {
    return QDir(test::scratchDirectory()).filePath(name);
}

QByteArray sampleBytes(bool compressed) {
    native::DocumentWriter writer;
    return writer.encode(test::sampleObjects(), test::sampleJournal(), compressed);
}

QJsonObject sampleRoot() {
    return QJsonDocument::fromJson(sampleBytes(false)).object();
}

// The value at `path` ("objects[1].curves[0].samples[1]") below `node`.
QJsonValue valueAt(QJsonValue const& node, QStringList path) {
    if (path.isEmpty()) {
        return node;
    }
    QString const step = path.takeFirst();
    return valueAt(step.startsWith('[') ? node.toArray().at(step.mid(1).chopped(1).toInt())
                                        : node.toObject().value(step),
                   path);
}

// `node` with the value at `path` replaced by `value`, or removed when `value` is undefined.
QJsonValue withValueAt(QJsonValue const& node, QStringList path, QJsonValue const& value) {
    QString const step = path.takeFirst();
    if (step.startsWith('[')) {
        QJsonArray array = node.toArray();
        int const index = step.mid(1).chopped(1).toInt();
        array[index] = path.isEmpty() ? value : withValueAt(array[index], path, value);
        return array;
    }
    QJsonObject object = node.toObject();
    if (path.isEmpty() && value.isUndefined()) {
        object.remove(step);
    } else {
        object[step] = path.isEmpty() ? value : withValueAt(object[step], path, value);
    }
    return object;
}

QStringList steps(QString const& path) {
    return path.split(QRegularExpression(QStringLiteral("\\.|(?=\\[)")), Qt::SkipEmptyParts);
}

struct Damage {
    char const* path;
    QJsonValue value;
    char const* reason; // a part of the expected reason
};

// 288 flag bytes, all 1 but flag 7.
QJsonObject badFlags() {
    QByteArray bytes(288, '\1');
    bytes[7] = '\2';
    return QJsonObject{{QStringLiteral("encoding"), QStringLiteral("u8-base64")},
                       {QStringLiteral("count"), 288},
                       {QStringLiteral("data"), QString::fromLatin1(bytes.toBase64())}};
}

std::vector<Damage> damages(QJsonObject const& root) {
    QString const zcorn = valueAt(root, steps("objects[8].zcorn.data")).toString();
    // '!' keeps the string with Qt; '=' leaves it a long base64 string, which the reader takes out
    // of the text before Qt parses it.
    QString badBase64 = zcorn, padded = zcorn;
    badBase64[100] = QLatin1Char('!');
    padded[100] = QLatin1Char('=');
    QJsonArray corners = valueAt(root, steps("objects[9].zcorn")).toArray();
    corners.removeLast();
    char const* const base64 = "objects[8] (CornerPointGrid \"Reservoir grid\"), field zcorn.data: "
                               "character 100 is not base64";
    return {
        {"version", 2,
         "the document is in format version 2, which a newer program wrote; this "
         "program reads versions up to 1"},
        {"version", 0, "field \"version\": expected a whole number from 1 to 2147483647, found 0"},
        {"version", "1", "field \"version\": expected a whole number, found a string"},
        {"version", 1.5, "found 1.5"},
        {"format", "other", "not a Quarro document: its format is \"other\""},
        {"objects", QJsonValue::Undefined, "the field \"objects\" is missing"},
        {"objects", "none", "field \"objects\": expected an array, found a string"},
        {"journal", 7, "field \"journal\": expected a string, found a number"},
        {"objects[1].curves[0].samples[1]", "abc",
         "objects[1] (Well \"W-2\"), field curves[0].samples[1]: expected a number, found a "
         "string"},
        {"objects[0].curves[0].samples", "text",
         "field curves[0].samples: expected an array, found a string"},
        {"objects[5].ncols", QJsonValue::Undefined,
         "objects[5] (RegularSurface \"Top Reservoir\"): the field \"ncols\" is missing"},
        {"objects[8].zcorn.data", badBase64, base64},
        {"objects[8].zcorn.data", padded, base64},
        {"objects[8].zcorn.count", 5,
         "field zcorn.data: holds 18432 bytes, but \"count\" says 5 values of 8 bytes"},
        {"objects[8].zcorn.data", zcorn.left(101),
         "field zcorn.data: base64 text of 101 characters is cut short"},
        {"objects[9].zcorn", corners, "objects[9] (CornerPointGrid \"Small grid\"): ZCORN of a"},
        {"objects[8].active", badFlags(), "field active.data: flag 7 is 2, not 0 or 1"},
        {"objects[3].kind", "Seismic",
         "objects[3] (Seismic \"Tops\"), field kind: \"Seismic\" is no kind of object"},
        {"objects[6].image", "AAAA", "field image: the image is not a readable PNG"},
        {"objects[5].dx", -1, "objects[5] (RegularSurface \"Top Reservoir\"): "},
        {"objects[1].curves[1].mnemonic", "RHOB", "RHOB"},
        {"objects[3].attributes[1].name", "TWT",
         "field attributes[1].name: \"TWT\" is given twice"},
        {"objects[1].index", QJsonValue(), "field index: a well with curves needs an index curve"},
        {"objects[4].polylines[0].closed", "yes",
         "field polylines[0].closed: expected true or false, found a string"},
        {"objects[0].properties", QJsonArray{QJsonArray{"a", "b", "c"}},
         "field properties[0]: expected a pair of a key and a value, found 3 elements"},
        {"objects[10].ni", 1, "a grid of 1 x 0 x 0 cells cannot be"},
        {"objects[3].labels", QJsonArray{"A"},
         "field labels: expected one label per point (300), found 1"},
        {"objects[4].polylines[1].points", QJsonArray{1, 2},
         "field polylines[1].points: 2 numbers are no list of x, y, z triples"},
    };
}

class NativeDamage : public ::testing::Test {
protected:
    void TearDown() override { housekeeping::DocumentManager::instance().destroy_all(); }
};

// Each damage fails the whole read with a reason that names where it broke, and leaves nothing.
TEST_F(NativeDamage, WrongValuesFailWithTheirPlace) {
    QJsonObject const root = sampleRoot();
    std::vector<std::pair<QByteArray, char const*>> cases = {
        {"[1, 2]", "the document is a JSON array, not an object"}};
    for (Damage const& damage : damages(root)) {
        cases.emplace_back(
            QJsonDocument(withValueAt(root, steps(damage.path), damage.value).toObject()).toJson(),
            damage.reason);
    }
    for (auto const& [json, reason] : cases) {
        SCOPED_TRACE(reason);
        native::DocumentReader reader;
        EXPECT_EQ(native::DocumentReader::Status::Failed, reader.read(json));
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
            if (length == 0) {
                EXPECT_EQ(QStringLiteral("the file is empty"), reason);
            } else if (!compressed || length < 8) {
                // Qt finds the text cut short at its end.
                QString const prefix = QStringLiteral("the document is not valid JSON at byte ");
                ASSERT_TRUE(reason.startsWith(prefix)) << reason.toStdString();
                int const offset =
                    reason.mid(prefix.size()).section(QLatin1Char(':'), 0, 0).toInt();
                EXPECT_LE(offset, length + 1);
                EXPECT_GE(offset, length - 16) << reason.toStdString();
            } else if (length < 12) {
                EXPECT_TRUE(reason.contains(QStringLiteral("cut short in its header")))
                    << reason.toStdString();
            } else {
                EXPECT_TRUE(reason.contains(QStringLiteral("cut short"))) << reason.toStdString();
            }
        }
    }
}

TEST_F(NativeDamage, DamagedCompressedContainersFail) {
    QByteArray const whole = sampleBytes(true);
    quint32 const length = qFromBigEndian<quint32>(whole.constData() + 8);
    auto withLength = [&whole](quint32 value) {
        QByteArray bytes = whole;
        qToBigEndian(value, bytes.data() + 8);
        return bytes;
    };
    QByteArray flipped = whole;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x55);

    struct Case {
        char const* what;
        QByteArray bytes;
        char const* reason;
    } const cases[] = {
        {"huge length", withLength(0xFFFFFFFFu), "compressed bytes cannot hold"},
        {"short length", withLength(length - 10), "holds more than the"},
        {"long length", withLength(length + 10), "but its header says"},
        {"flipped byte", flipped, "damaged"},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.what);
        native::DocumentReader reader;
        EXPECT_EQ(native::DocumentReader::Status::Failed, reader.read(c.bytes));
        EXPECT_TRUE(reader.errorString().contains(QLatin1String(c.reason)))
            << reader.errorString().toStdString();
        EXPECT_TRUE(reader.objects().empty());
    }
}

// Through the "QRO" reader: IMPORT_FAILED with the reason in the summary, and the document as it
// was.
TEST_F(NativeDamage, ReaderAddsNothingFromADamagedFile) {
    QByteArray const whole = sampleBytes(false);
    QString const cut = scratchFile(QStringLiteral("cut.qro"));
    test::writeFile(cut, whole.left(whole.size() / 2));
    QString const newer = scratchFile(QStringLiteral("newer.qro"));
    QJsonObject root = sampleRoot();
    root[QLatin1String("version")] = 7;
    test::writeFile(newer, QJsonDocument(root).toJson());

    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    for (QString const& path : {cut, newer}) {
        auto* document = dynamic_cast<housekeeping::Document*>(
            manager.document_from_id(manager.create_document()));
        document->journal("kept", true);
        native::QroFileReader reader;
        EXPECT_EQ(native::QroFileReader::IMPORT_FAILED,
                  reader.import_data(boost::make_shared<housekeeping::DataSource>(
                                         utilities::filesystem_to_url(path), nullptr),
                                     document->id(), true, nullptr, false));
        EXPECT_EQ(0u, document->object_count());
        EXPECT_EQ("kept", document->journal_text());
        EXPECT_EQ(1, reader.failures());
        QString const summary = reader.import_summary();
        EXPECT_TRUE(summary.contains(QStringLiteral("<font color='red'>Failed</font>")));
        EXPECT_TRUE(summary.contains(path == cut ? QStringLiteral("not valid JSON at byte")
                                                 : QStringLiteral("format version 7")))
            << summary.toStdString();
    }

    // A document id that names no document.
    native::QroFileReader reader;
    EXPECT_EQ(native::QroFileReader::IMPORT_FAILED,
              reader.import_data(boost::make_shared<housekeeping::DataSource>(
                                     utilities::filesystem_to_url(cut), nullptr),
                                 housekeeping::DocumentId(), true, nullptr, false));
    EXPECT_TRUE(reader.import_summary().contains(QStringLiteral("no document")));
}

// verify() takes what begins like a native document and says why it refuses anything else.
TEST_F(NativeDamage, VerifyLooksAtTheContent) {
    QString const plain = scratchFile(QStringLiteral("verify.qro"));
    test::writeFile(plain, sampleBytes(false));
    QString const compressed = scratchFile(QStringLiteral("verify.qroz"));
    test::writeFile(compressed, sampleBytes(true));
    QString const withBom = scratchFile(QStringLiteral("bom.qro"));
    test::writeFile(withBom, "\xEF\xBB\xBF \r\n{ \"format\" : \"quarro-document\", \"version\": 1");
    QString const textMode = scratchFile(QStringLiteral("text mode.qroz"));
    test::writeFile(textMode, sampleBytes(true).replace("\r\n", "\n"));
    QString const otherJson = scratchFile(QStringLiteral("other.qro"));
    test::writeFile(otherJson, "{\"type\": \"FeatureCollection\"}");
    QString const empty = scratchFile(QStringLiteral("empty.qro"));
    test::writeFile(empty, QByteArray());

    struct Case {
        QString path;
        std::bitset<4> bits;
        char const* message;
    } const cases[] = {
        {plain, std::bitset<4>("1001"), ""},
        {compressed, std::bitset<4>("1001"), ""},
        {withBom, std::bitset<4>("1001"), ""},
        {textMode, std::bitset<4>("0000"), "transfer in text mode"},
        {otherJson, std::bitset<4>("0000"),
         "its first field is not \"format\": \"quarro-document\""},
        {empty, std::bitset<4>("0000"), "the file is empty"},
        {test::dataFile(QStringLiteral("las/sample_2.0.las")), std::bitset<4>("0000"),
         "it does not begin with a JSON object"},
        {scratchFile(QStringLiteral("missing.qro")), std::bitset<4>("0000"), "cannot be read"},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        native::QroFileReader reader;
        QString message;
        EXPECT_EQ(c.bits, reader.verify(utilities::filesystem_to_url(c.path), message));
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.message))) << message.toStdString();
    }
}

} // namespace
