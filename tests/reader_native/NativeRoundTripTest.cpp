#include "DocumentReader.h"
#include "DocumentWriter.h"
#include "NativeTestObjects.h"
#include "ProgressCancelHook.h"
#include "QroFileReader.h"
#include "TestApplication.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "importwidgets/CancelHook.h"
#include "model/GeoObject.h"
#include "model/PointSet.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cmath>

using namespace quarro;

namespace {

QString scratchFile(QString const& name) {
    return QDir(test::scratchDirectory()).filePath(name);
}

housekeeping::Document& newDocument() {
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    return dynamic_cast<housekeeping::Document&>(
        *manager.document_from_id(manager.create_document()));
}

// Imports `path` through the reader of the "QRO" key; `insert` adds to the document.
native::QroFileReader::ImportState import(QString const& path, housekeeping::Document& document,
                                          bool insert,
                                          brkBase::AbstractProgress* progress = nullptr) {
    native::QroFileReader reader;
    auto const source =
        boost::make_shared<housekeeping::DataSource>(utilities::filesystem_to_url(path), nullptr);
    return reader.import_data(source, document.id(), true, progress, insert);
}

class NativeRoundTrip : public ::testing::TestWithParam<char const*> {
protected:
    void TearDown() override { housekeeping::DocumentManager::instance().destroy_all(); }
};

// Every kind of object, with the values that are hard to keep, comes back exactly, in order, with
// the journal, read directly or opened into a document; saving what was read gives the same bytes
// again. The name chooses the storage and the save replaces what was there.
TEST_P(NativeRoundTrip, EveryKindComesBackExactlyThroughAFile) {
    QString const path = scratchFile(QString::fromUtf8(GetParam()));
    bool const compressed = path.endsWith(QLatin1String(".QROZ"));
    test::writeFile(path, "old document");
    housekeeping::Document& original = newDocument();
    for (auto const& object : test::sampleObjects()) {
        original.add_object(object);
    }
    original.journal(test::sampleJournal(), true);
    native::DocumentWriter writer;
    ASSERT_TRUE(writer.write(original, path)) << writer.errorString().toStdString();
    QByteArray const saved = test::fileBytes(path);
    EXPECT_TRUE(saved.startsWith(compressed ? QByteArray("QROZ\r\n\x1a\n", 8) : "{"));

    native::DocumentReader reader;
    ASSERT_EQ(native::DocumentReader::Status::Ok, reader.readFile(path))
        << reader.errorString().toStdString();
    EXPECT_EQ(1, reader.formatVersion());
    EXPECT_EQ(compressed, reader.wasCompressed());
    EXPECT_EQ(test::sampleJournal(), reader.journal());
    native::DocumentWriter::Objects const expected = test::sampleObjects();
    ASSERT_EQ(expected.size(), reader.objects().size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        test::expectSameObject(*expected[i], *reader.objects()[i]);
    }
    native::DocumentWriter::Objects again;
    for (auto& object : reader.takeObjects()) {
        again.emplace_back(object.release());
    }
    QString const second = scratchFile(QStringLiteral("again ") + GetParam());
    ASSERT_TRUE(writer.write(again, reader.journal(), second));
    EXPECT_EQ(saved, test::fileBytes(second));

    // Opened, the file gives the document its objects and journal; the data source and the
    // modified mark are the wizard's.
    native::QroFileReader qro;
    QString message;
    EXPECT_EQ(std::bitset<4>("1001"), qro.verify(utilities::filesystem_to_url(path), message));
    housekeeping::Document& opened = newDocument();
    EXPECT_EQ(native::QroFileReader::IMPORT_OK,
              qro.import_data(boost::make_shared<housekeeping::DataSource>(
                                  utilities::filesystem_to_url(path), nullptr),
                              opened.id(), true, nullptr, false));
    ASSERT_EQ(expected.size(), opened.object_count());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        test::expectSameObject(*expected[i], *opened.objects()[i]);
    }
    EXPECT_EQ(test::sampleJournal(), opened.journal_text());
    EXPECT_FALSE(opened.datasource());
    EXPECT_FALSE(opened.is_modified());
    EXPECT_EQ(1, qro.successes());
    EXPECT_EQ(0, qro.failures());
    EXPECT_TRUE(qro.import_summary().contains(QStringLiteral("<b>OK</b>")));
    EXPECT_TRUE(qro.import_summary().contains(QStringLiteral("11 objects (Well 3, Point set 1")))
        << qro.import_summary().toStdString();

    // Inserted, it appends the objects and leaves the journal.
    housekeeping::Document& target = newDocument();
    target.add_object(boost::make_shared<model::PointSet>());
    target.journal("kept\n", true);
    EXPECT_EQ(native::QroFileReader::IMPORT_OK, import(path, target, true));
    ASSERT_EQ(expected.size() + 1, target.object_count());
    EXPECT_EQ(expected.back()->name(), target.objects().back()->name());
    EXPECT_EQ("kept\n", target.journal_text());
}

INSTANTIATE_TEST_SUITE_P(ByName, NativeRoundTrip,
                         ::testing::Values("round trip.qro", "round trip.QROZ",
                                           "round trip.quarro"));

// Small arrays stay readable JSON; large ones are base64 of little-endian doubles; the values JSON
// has no text for are written as the format says.
TEST(NativeDocument, WritesSmallArraysAsJsonAndLargeOnesAsBase64) {
    native::DocumentWriter writer;
    QByteArray const json = writer.encode(test::sampleObjects(), test::sampleJournal(), false);
    ASSERT_FALSE(json.isEmpty()) << writer.errorString().toStdString();
    EXPECT_TRUE(json.startsWith("{\n    \"format\": \"quarro-document\",\n"));
    QJsonObject const root = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(1, root.value(QLatin1String("version")).toInt());
    QJsonArray const objects = root.value(QLatin1String("objects")).toArray();

    // The large well: 600 samples per curve, GR[0] is 0.1.
    QJsonObject const samples = objects[0]["curves"][0]["samples"].toObject();
    EXPECT_EQ(QStringLiteral("f64le-base64"), samples["encoding"].toString());
    EXPECT_EQ(600, samples["count"].toInt());
    QByteArray const bytes = QByteArray::fromBase64(samples["data"].toString().toLatin1());
    ASSERT_EQ(600 * 8, bytes.size());
    EXPECT_EQ(0.1, qFromLittleEndian<double>(bytes.constData()));

    // The small well: 3 samples of 2.5, NaN, -0 and inf, -inf, the smallest subnormal.
    QJsonArray const curves = objects[1]["curves"].toArray();
    EXPECT_EQ(QJsonArray({2.5, QJsonValue(), QStringLiteral("-0")}),
              curves[0]["samples"].toArray());
    EXPECT_EQ(QJsonArray({QStringLiteral("Infinity"), QStringLiteral("-Infinity"), 5e-324}),
              curves[1]["samples"].toArray());
    EXPECT_TRUE(objects[1]["reference"]["x"].isNull());
    EXPECT_FALSE(objects[1]["reference"].toObject().contains(QLatin1String("elevation")));
    EXPECT_TRUE(objects[2]["index"].isNull());

    // The large grid's 288 flags are bytes, the small grid's 4 are JSON.
    EXPECT_EQ(QStringLiteral("u8-base64"), objects[8]["active"]["encoding"].toString());
    EXPECT_EQ(QJsonArray({false, true, true, true}), objects[9]["active"].toArray());
    EXPECT_EQ(6, objects[9]["mapAxes"].toArray().size());
    EXPECT_FALSE(objects[10].toObject().contains(QLatin1String("mapAxes")));

    // A compressed document is the same text behind the magic bytes, as qCompress() stores it;
    // the storage can be chosen whatever the name.
    QByteArray const packed = writer.encode(test::sampleObjects(), test::sampleJournal(), true);
    ASSERT_TRUE(packed.startsWith(QByteArray("QROZ\r\n\x1a\n", 8)));
    EXPECT_EQ(QJsonDocument::fromJson(json), QJsonDocument::fromJson(qUncompress(packed.mid(8))));
    QString const forced = scratchFile(QStringLiteral("forced.qro"));
    writer.setStorage(native::DocumentWriter::Storage::CompressedJson);
    ASSERT_TRUE(writer.write(test::sampleObjects(), std::string(), forced));
    EXPECT_TRUE(test::fileBytes(forced).startsWith("QROZ"));
}

// Numbers written by hand, as a person or another program would: the reader takes either form of
// every array and the string "NaN".
TEST(NativeDocument, ReadsTheDocumentedFormatWrittenByHand) {
    QByteArray const json = R"({"format": "quarro-document", "version": 1, "journal": "",
        "objects": [{"kind": "PointSet", "name": "By hand", "properties": [["origin", "test"]],
            "points": {"encoding": "f64le-base64", "count": 3,
                "data": "AAAAAAAA8D8AAAAAAAAAQAAAAAAAAAhA"},
            "attributes": [{"name": "A", "values": ["NaN"]}]}]})";
    native::DocumentReader reader;
    ASSERT_EQ(native::DocumentReader::Status::Ok, reader.read(json))
        << reader.errorString().toStdString();
    ASSERT_EQ(1u, reader.objects().size());
    auto const& points = dynamic_cast<model::PointSet const&>(*reader.objects()[0]);
    EXPECT_EQ(std::vector<model::Point3<double>>({{1, 2, 3}}), points.points());
    EXPECT_TRUE(std::isnan(points.attribute(QStringLiteral("A"))->at(0)));
    EXPECT_EQ(QStringLiteral("test"), points.property(QStringLiteral("origin")));
}

// Progress runs from 0 to 100 and never back; a cancel at any point stops the read with nothing
// read, and a cancel in the wizard's progress stops the import with nothing added.
TEST(NativeDocument, ReportsProgressAndStopsWhenCancelled) {
    struct Watch {
        std::vector<double> values;
        int queries = 0;
        int cancelAt = -1;
    };
    auto const read = [](QByteArray const& bytes, Watch& watch) {
        CancelHook const hook(
            [](void* w) {
                return ++static_cast<Watch*>(w)->queries == static_cast<Watch*>(w)->cancelAt;
            },
            [](void* w, double percent) { static_cast<Watch*>(w)->values.push_back(percent); },
            &watch);
        native::DocumentReader reader(&hook);
        native::DocumentReader::Status const status = reader.read(bytes);
        EXPECT_EQ(status == native::DocumentReader::Status::Cancelled,
                  reader.objects().empty() && reader.journal().empty());
        return status;
    };
    native::DocumentWriter writer;
    for (bool compressed : {false, true}) {
        QByteArray const bytes =
            writer.encode(test::sampleObjects(), test::sampleJournal(), compressed);
        Watch watch;
        ASSERT_EQ(native::DocumentReader::Status::Ok, read(bytes, watch));
        ASSERT_FALSE(watch.values.empty());
        EXPECT_TRUE(std::is_sorted(watch.values.begin(), watch.values.end()));
        EXPECT_GE(watch.values.front(), 0.0);
        EXPECT_DOUBLE_EQ(100.0, watch.values.back());
        for (int cancelAt : {1, watch.queries / 2, watch.queries}) {
            Watch cancelling;
            cancelling.cancelAt = cancelAt;
            EXPECT_EQ(native::DocumentReader::Status::Cancelled, read(bytes, cancelling))
                << "at query " << cancelAt;
        }
    }

    QString const path = scratchFile(QStringLiteral("many objects.qro"));
    ASSERT_TRUE(
        writer.write(native::DocumentWriter::Objects(200, boost::make_shared<model::PointSet>()),
                     std::string(), path));
    struct Cancelled : brkBase::AbstractProgress {
        bool cancelled() const override { return true; }
    } progress;
    import::ProgressCancelHook::setFileProgress(0, 100.0); // as the loader sheet does
    housekeeping::Document& document = newDocument();
    EXPECT_EQ(native::QroFileReader::IMPORT_CANCELLED, import(path, document, false, &progress));
    EXPECT_EQ(0u, document.object_count());
    EXPECT_GT(progress.value(), 0);
    housekeeping::DocumentManager::instance().destroy_all();
}

} // namespace
