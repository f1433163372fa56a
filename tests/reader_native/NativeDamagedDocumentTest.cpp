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
#include <QtEndian>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <functional>

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

// The sample document with object `index` changed by `change`.
QJsonObject withObject(int index, std::function<void(QJsonObject&)> const& change) {
    QJsonObject root = sampleRoot();
    QJsonArray objects = root[QLatin1String("objects")].toArray();
    QJsonObject object = objects[index].toObject();
    change(object);
    objects[index] = object;
    root[QLatin1String("objects")] = objects;
    return root;
}

// `array` of `object` with element `index` changed by `change`.
void changeElement(QJsonObject& object, QLatin1String array, int index,
                   std::function<void(QJsonObject&)> const& change) {
    QJsonArray elements = object[array].toArray();
    QJsonObject element = elements[index].toObject();
    change(element);
    elements[index] = element;
    object[array] = elements;
}

struct Damage {
    char const* what;
    QByteArray json;
    char const* reason; // a part of the expected reason
};

QByteArray bytesOf(QJsonObject const& root) {
    return QJsonDocument(root).toJson();
}

// 288 flag bytes, all 1 but flag 7.
QJsonObject badFlags() {
    QByteArray bytes(288, '\1');
    bytes[7] = '\2';
    return QJsonObject{{QStringLiteral("encoding"), QStringLiteral("u8-base64")},
                       {QStringLiteral("count"), 288},
                       {QStringLiteral("data"), QString::fromLatin1(bytes.toBase64())}};
}

std::vector<Damage> damages() {
    QJsonObject root = sampleRoot();
    std::vector<Damage> list;
    auto rootWith = [&root](QLatin1String key, QJsonValue const& value) {
        QJsonObject changed = root;
        if (value.isUndefined()) {
            changed.remove(key);
        } else {
            changed[key] = value;
        }
        return bytesOf(changed);
    };
    list.push_back({"newer version", rootWith(QLatin1String("version"), 2),
                    "the document is in format version 2, which a newer program wrote; this "
                    "program reads versions up to 1"});
    list.push_back({"version 0", rootWith(QLatin1String("version"), 0),
                    "field \"version\": expected a whole number from 1 to 2147483647, found 0"});
    list.push_back({"version as text", rootWith(QLatin1String("version"), QStringLiteral("1")),
                    "field \"version\": expected a whole number, found a string"});
    list.push_back(
        {"version with a fraction", rootWith(QLatin1String("version"), 1.5), "found 1.5"});
    list.push_back({"other format", rootWith(QLatin1String("format"), QStringLiteral("other")),
                    "not a Quarro document: its format is \"other\""});
    list.push_back({"no objects", rootWith(QLatin1String("objects"), QJsonValue::Undefined),
                    "the field \"objects\" is missing"});
    list.push_back({"objects not an array",
                    rootWith(QLatin1String("objects"), QStringLiteral("none")),
                    "field \"objects\": expected an array, found a string"});
    list.push_back({"journal as a number", rootWith(QLatin1String("journal"), 7),
                    "field \"journal\": expected a string, found a number"});
    list.push_back({"a JSON array", "[1, 2]", "the document is a JSON array, not an object"});

    list.push_back({"text in a small array",
                    bytesOf(withObject(
                        1,
                        [](QJsonObject& well) {
                            changeElement(well, QLatin1String("curves"), 0, [](QJsonObject& curve) {
                                QJsonArray samples = curve[QLatin1String("samples")].toArray();
                                samples[1] = QStringLiteral("abc");
                                curve[QLatin1String("samples")] = samples;
                            });
                        })),
                    "objects[1] (Well \"W-2\"), field curves[0].samples[1]: expected a number, "
                    "found a string"});
    list.push_back({"text for an array",
                    bytesOf(withObject(0,
                                       [](QJsonObject& well) {
                                           changeElement(well, QLatin1String("curves"), 0,
                                                         [](QJsonObject& curve) {
                                                             curve[QLatin1String("samples")] =
                                                                 QStringLiteral("text");
                                                         });
                                       })),
                    "field curves[0].samples: expected an array, found a string"});
    list.push_back({"missing field",
                    bytesOf(withObject(
                        5, [](QJsonObject& surface) { surface.remove(QLatin1String("ncols")); })),
                    "objects[5] (RegularSurface \"Top Reservoir\"): the field \"ncols\" is "
                    "missing"});
    // '!' keeps the string with Qt; '=' leaves it a long base64 string, which the reader takes out
    // of the text before Qt parses it.
    for (char bad : {'!', '='}) {
        list.push_back({"bad base64 character",
                        bytesOf(withObject(8,
                                           [bad](QJsonObject& grid) {
                                               QJsonObject zcorn =
                                                   grid[QLatin1String("zcorn")].toObject();
                                               QString data =
                                                   zcorn[QLatin1String("data")].toString();
                                               data[100] = QLatin1Char(bad);
                                               zcorn[QLatin1String("data")] = data;
                                               grid[QLatin1String("zcorn")] = zcorn;
                                           })),
                        "objects[8] (CornerPointGrid \"Reservoir grid\"), field zcorn.data: "
                        "character 100 is not base64"});
    }
    list.push_back({"count against data",
                    bytesOf(withObject(8,
                                       [](QJsonObject& grid) {
                                           QJsonObject zcorn =
                                               grid[QLatin1String("zcorn")].toObject();
                                           zcorn[QLatin1String("count")] = 5;
                                           grid[QLatin1String("zcorn")] = zcorn;
                                       })),
                    "field zcorn.data: holds 18432 bytes, but \"count\" says 5 values of 8 bytes"});
    list.push_back({"base64 cut short",
                    bytesOf(withObject(8,
                                       [](QJsonObject& grid) {
                                           QJsonObject zcorn =
                                               grid[QLatin1String("zcorn")].toObject();
                                           zcorn[QLatin1String("data")] =
                                               zcorn[QLatin1String("data")].toString().left(101);
                                           grid[QLatin1String("zcorn")] = zcorn;
                                       })),
                    "field zcorn.data: base64 text of 101 characters is cut short"});
    list.push_back({"too few corners",
                    bytesOf(withObject(9,
                                       [](QJsonObject& grid) {
                                           QJsonArray zcorn =
                                               grid[QLatin1String("zcorn")].toArray();
                                           zcorn.removeLast();
                                           grid[QLatin1String("zcorn")] = zcorn;
                                       })),
                    "objects[9] (CornerPointGrid \"Small grid\"): ZCORN of a"});
    list.push_back({"flag byte 2",
                    bytesOf(withObject(
                        8, [](QJsonObject& grid) { grid[QLatin1String("active")] = badFlags(); })),
                    "field active.data: flag 7 is 2, not 0 or 1"});
    list.push_back({"unknown kind",
                    bytesOf(withObject(3,
                                       [](QJsonObject& points) {
                                           points[QLatin1String("kind")] =
                                               QStringLiteral("Seismic");
                                       })),
                    "objects[3] (Seismic \"Tops\"), field kind: \"Seismic\" is no kind of object"});
    list.push_back({"image not PNG",
                    bytesOf(withObject(6,
                                       [](QJsonObject& raster) {
                                           raster[QLatin1String("image")] = QStringLiteral("AAAA");
                                       })),
                    "field image: the image is not a readable PNG"});
    list.push_back(
        {"negative cell size",
         bytesOf(withObject(5, [](QJsonObject& surface) { surface[QLatin1String("dx")] = -1; })),
         "objects[5] (RegularSurface \"Top Reservoir\"): "});
    list.push_back({"repeated curve",
                    bytesOf(withObject(1,
                                       [](QJsonObject& well) {
                                           changeElement(well, QLatin1String("curves"), 1,
                                                         [](QJsonObject& curve) {
                                                             curve[QLatin1String("mnemonic")] =
                                                                 QStringLiteral("RHOB");
                                                         });
                                       })),
                    "RHOB"});
    list.push_back({"repeated attribute",
                    bytesOf(withObject(3,
                                       [](QJsonObject& points) {
                                           changeElement(points, QLatin1String("attributes"), 1,
                                                         [](QJsonObject& attribute) {
                                                             attribute[QLatin1String("name")] =
                                                                 QStringLiteral("TWT");
                                                         });
                                       })),
                    "field attributes[1].name: \"TWT\" is given twice"});
    list.push_back({"curves without index",
                    bytesOf(withObject(
                        1, [](QJsonObject& well) { well[QLatin1String("index")] = QJsonValue(); })),
                    "field index: a well with curves needs an index curve"});
    list.push_back({"flag as text",
                    bytesOf(withObject(4,
                                       [](QJsonObject& lines) {
                                           changeElement(lines, QLatin1String("polylines"), 0,
                                                         [](QJsonObject& line) {
                                                             line[QLatin1String("closed")] =
                                                                 QStringLiteral("yes");
                                                         });
                                       })),
                    "field polylines[0].closed: expected true or false, found a string"});
    list.push_back(
        {"property of three",
         bytesOf(withObject(
             0,
             [](QJsonObject& well) {
                 well[QLatin1String("properties")] = QJsonArray{QJsonArray{"a", "b", "c"}};
             })),
         "field properties[0]: expected a pair of a key and a value, found 3 elements"});
    list.push_back(
        {"grid counts",
         bytesOf(withObject(10, [](QJsonObject& grid) { grid[QLatin1String("ni")] = 1; })),
         "a grid of 1 x 0 x 0 cells cannot be"});
    list.push_back({"points not triples",
                    bytesOf(withObject(4,
                                       [](QJsonObject& lines) {
                                           changeElement(
                                               lines, QLatin1String("polylines"), 1,
                                               [](QJsonObject& line) {
                                                   line[QLatin1String("points")] = QJsonArray{1, 2};
                                               });
                                       })),
                    "field polylines[1].points: 2 numbers are no list of x, y, z triples"});
    return list;
}

class NativeDamage : public ::testing::Test {
protected:
    void TearDown() override { housekeeping::DocumentManager::instance().destroy_all(); }
};

// Each damage fails the whole read with a reason that names where it broke, and leaves nothing.
TEST_F(NativeDamage, WrongValuesFailWithTheirPlace) {
    for (Damage const& damage : damages()) {
        SCOPED_TRACE(damage.what);
        native::DocumentReader reader;
        EXPECT_EQ(native::DocumentReader::Status::Failed, reader.read(damage.json));
        EXPECT_TRUE(reader.errorString().contains(QString::fromUtf8(damage.reason)))
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
