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
#include <cstring>

using namespace quarro;

namespace {

QString scratchFile(QString const& name) {
    return QDir(test::scratchDirectory()).filePath(name);
}

// A new document of the manager holding the sample objects and journal.
housekeeping::Document& sampleDocument() {
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    auto* document =
        dynamic_cast<housekeeping::Document*>(manager.document_from_id(manager.create_document()));
    for (auto const& object : test::sampleObjects()) {
        document->add_object(object);
    }
    document->journal(test::sampleJournal(), true);
    return *document;
}

housekeeping::Document& newDocument() {
    housekeeping::DocumentManager& manager = housekeeping::DocumentManager::instance();
    return dynamic_cast<housekeeping::Document&>(
        *manager.document_from_id(manager.create_document()));
}

boost::shared_ptr<housekeeping::DataSource> sourceFor(QString const& path) {
    return boost::make_shared<housekeeping::DataSource>(utilities::filesystem_to_url(path),
                                                        nullptr);
}

class NativeRoundTrip : public ::testing::TestWithParam<char const*> {
protected:
    void TearDown() override { housekeeping::DocumentManager::instance().destroy_all(); }
};

// Every kind of object, with the values that are hard to keep, comes back exactly, in order,
// with the journal; saving what was read gives the same bytes again.
TEST_P(NativeRoundTrip, EveryKindComesBackExactlyThroughAFile) {
    QString const path = scratchFile(QStringLiteral("round trip.%1").arg(GetParam()));
    native::DocumentWriter writer;
    ASSERT_TRUE(writer.write(sampleDocument(), path)) << writer.errorString().toStdString();
    EXPECT_TRUE(writer.errorString().isEmpty());
    QByteArray const saved = test::fileBytes(path);

    native::DocumentReader reader;
    ASSERT_EQ(native::DocumentReader::Status::Ok, reader.readFile(path))
        << reader.errorString().toStdString();
    EXPECT_EQ(1, reader.formatVersion());
    EXPECT_EQ(QString::fromLatin1(GetParam()) == QLatin1String("qroz"), reader.wasCompressed());
    EXPECT_EQ(test::sampleJournal(), reader.journal());
    test::expectSameObjects(test::sampleObjects(), reader.objects());

    native::DocumentWriter::Objects again;
    for (auto& object : reader.takeObjects()) {
        again.emplace_back(object.release());
    }
    QString const second = scratchFile(QStringLiteral("round trip again.%1").arg(GetParam()));
    ASSERT_TRUE(writer.write(again, reader.journal(), second));
    EXPECT_EQ(saved, test::fileBytes(second));
}

// The reader of the "QRO" key puts the objects into the document and takes the journal when it
// opens the file; it leaves the data source and the modified mark to the wizard.
TEST_P(NativeRoundTrip, ReaderOpensTheFileIntoADocument) {
    QString const path = scratchFile(QStringLiteral("opened.%1").arg(GetParam()));
    native::DocumentWriter writer;
    ASSERT_TRUE(writer.write(sampleDocument(), path));

    housekeeping::Document& document = newDocument();
    native::QroFileReader reader;
    QString message;
    EXPECT_EQ(std::bitset<4>("1001"), reader.verify(utilities::filesystem_to_url(path), message));
    EXPECT_EQ(native::QroFileReader::IMPORT_OK,
              reader.import_data(sourceFor(path), document.id(), true, nullptr, false));
    ASSERT_EQ(test::sampleObjects().size(), document.object_count());
    for (std::size_t i = 0; i < document.object_count(); ++i) {
        test::expectSameObject(*test::sampleObjects()[i], *document.objects()[i]);
    }
    EXPECT_EQ(test::sampleJournal(), document.journal_text());
    EXPECT_FALSE(document.datasource());
    EXPECT_FALSE(document.is_modified());
    EXPECT_EQ(1, reader.successes());
    EXPECT_EQ(0, reader.failures());
    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(QStringLiteral("<b>OK</b>"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("11 objects (Well 3, Point set 1")))
        << summary.toStdString();
}

INSTANTIATE_TEST_SUITE_P(PlainAndCompressed, NativeRoundTrip, ::testing::Values("qro", "qroz"));

TEST(NativeDocument, InsertAppendsTheObjectsAndKeepsTheJournal) {
    QString const path = scratchFile(QStringLiteral("inserted.qro"));
    auto points = boost::make_shared<model::PointSet>();
    points->setName(QStringLiteral("Inserted points"));
    points->addPoint({1, 2, 3});
    native::DocumentWriter writer;
    ASSERT_TRUE(writer.write({points}, "journal of the inserted file\n", path));

    housekeeping::Document& document = sampleDocument();
    std::size_t const before = document.object_count();
    native::QroFileReader reader;
    EXPECT_EQ(native::QroFileReader::IMPORT_OK,
              reader.import_data(sourceFor(path), document.id(), true, nullptr, true));
    ASSERT_EQ(before + 1, document.object_count());
    EXPECT_EQ(QStringLiteral("Inserted points"), document.objects().back()->name());
    EXPECT_EQ(test::sampleJournal(), document.journal_text());
    housekeeping::DocumentManager::instance().destroy_all();
}

// Small arrays stay readable JSON; large ones are base64 of little-endian doubles; the values
// JSON has no text for are written as the format says.
TEST(NativeDocument, WritesSmallArraysAsJsonAndLargeOnesAsBase64) {
    native::DocumentWriter writer;
    QByteArray const json = writer.encode(test::sampleObjects(), test::sampleJournal(), false);
    ASSERT_FALSE(json.isEmpty()) << writer.errorString().toStdString();
    EXPECT_TRUE(json.startsWith("{\n    \"format\": \"quarro-document\",\n"));
    QJsonObject const root = QJsonDocument::fromJson(json).object();
    EXPECT_EQ(1, root.value(QLatin1String("version")).toInt());
    QJsonArray const objects = root.value(QLatin1String("objects")).toArray();

    // The large well: 600 samples per curve.
    QJsonObject const gr = objects[0].toObject()[QLatin1String("curves")].toArray()[0].toObject();
    QJsonObject const samples = gr[QLatin1String("samples")].toObject();
    EXPECT_EQ(QStringLiteral("f64le-base64"), samples[QLatin1String("encoding")].toString());
    EXPECT_EQ(600, samples[QLatin1String("count")].toInt());
    QByteArray const bytes =
        QByteArray::fromBase64(samples[QLatin1String("data")].toString().toLatin1());
    ASSERT_EQ(600 * 8, bytes.size());
    double first = 0;
    std::memcpy(&first, bytes.constData(), 8); // GR[0] is 0.1, stored little-endian
    EXPECT_EQ(0.1, qFromLittleEndian(first));

    // The small well: 3 samples of 2.5, NaN, -0 and inf, -inf, the smallest subnormal.
    QJsonArray const curves = objects[1].toObject()[QLatin1String("curves")].toArray();
    EXPECT_EQ(QJsonArray({2.5, QJsonValue(), QStringLiteral("-0")}),
              curves[0].toObject()[QLatin1String("samples")].toArray());
    EXPECT_EQ(QJsonArray({QStringLiteral("Infinity"), QStringLiteral("-Infinity"), 5e-324}),
              curves[1].toObject()[QLatin1String("samples")].toArray());
    QJsonObject const reference = objects[1].toObject()[QLatin1String("reference")].toObject();
    EXPECT_TRUE(reference[QLatin1String("x")].isNull());
    EXPECT_FALSE(reference.contains(QLatin1String("elevation")));
    EXPECT_TRUE(objects[2].toObject()[QLatin1String("index")].isNull());

    // The large grid's 288 flags are bytes, the small grid's 4 are JSON.
    QJsonObject const active = objects[8].toObject()[QLatin1String("active")].toObject();
    EXPECT_EQ(QStringLiteral("u8-base64"), active[QLatin1String("encoding")].toString());
    EXPECT_EQ(QJsonArray({false, true, true, true}),
              objects[9].toObject()[QLatin1String("active")].toArray());
    EXPECT_EQ(6, objects[9].toObject()[QLatin1String("mapAxes")].toArray().size());
    EXPECT_FALSE(objects[10].toObject().contains(QLatin1String("mapAxes")));

    // A compressed document is the same text behind the magic bytes, as qCompress() stores it.
    QByteArray const packed = writer.encode(test::sampleObjects(), test::sampleJournal(), true);
    ASSERT_TRUE(packed.startsWith(QByteArray("QROZ\r\n\x1a\n", 8)));
    EXPECT_EQ(QJsonDocument::fromJson(json), QJsonDocument::fromJson(qUncompress(packed.mid(8))));
}

// Numbers written by hand, as a person or another program would: the reader takes either form
// of every array and the string "NaN".
TEST(NativeDocument, ReadsTheDocumentedFormatWrittenByHand) {
    QByteArray const json = R"({
        "format": "quarro-document", "version": 1, "journal": "",
        "objects": [{
            "kind": "PointSet", "name": "By hand", "properties": [["origin", "test"]],
            "points": {"encoding": "f64le-base64", "count": 3,
                       "data": "AAAAAAAA8D8AAAAAAAAAQAAAAAAAAAhA"},
            "attributes": [{"name": "A", "values": ["NaN"]}]
        }]
    })";
    native::DocumentReader reader;
    ASSERT_EQ(native::DocumentReader::Status::Ok, reader.read(json))
        << reader.errorString().toStdString();
    ASSERT_EQ(1u, reader.objects().size());
    auto const& points = dynamic_cast<model::PointSet const&>(*reader.objects()[0]);
    ASSERT_EQ(1u, points.pointCount());
    EXPECT_EQ(model::Point3<double>(1, 2, 3), points.points()[0]);
    EXPECT_TRUE(std::isnan(points.attribute(QStringLiteral("A"))->at(0)));
    EXPECT_EQ(QStringLiteral("test"), points.property(QStringLiteral("origin")));
}

// Progress runs from 0 to 100 and never back; a cancel stops the read with nothing read.
TEST(NativeDocument, ReportsProgressAndStopsWhenCancelled) {
    struct Watch {
        std::vector<double> values;
        int queries = 0;
        int cancelAt = -1;
        static bool isCancelled(void* user) {
            auto* watch = static_cast<Watch*>(user);
            return ++watch->queries == watch->cancelAt;
        }
        static void progress(void* user, double percent) {
            static_cast<Watch*>(user)->values.push_back(percent);
        }
    };
    native::DocumentWriter writer;
    for (bool compressed : {false, true}) {
        QByteArray const bytes =
            writer.encode(test::sampleObjects(), test::sampleJournal(), compressed);
        Watch watch;
        CancelHook const hook(&Watch::isCancelled, &Watch::progress, &watch);
        native::DocumentReader reader(&hook);
        ASSERT_EQ(native::DocumentReader::Status::Ok, reader.read(bytes));
        ASSERT_FALSE(watch.values.empty());
        EXPECT_TRUE(std::is_sorted(watch.values.begin(), watch.values.end()));
        EXPECT_GE(watch.values.front(), 0.0);
        EXPECT_DOUBLE_EQ(100.0, watch.values.back());

        for (int cancelAt : {1, watch.queries / 2, watch.queries}) {
            Watch cancelling;
            cancelling.cancelAt = cancelAt;
            CancelHook const cancelHook(&Watch::isCancelled, &Watch::progress, &cancelling);
            native::DocumentReader cancelled(&cancelHook);
            EXPECT_EQ(native::DocumentReader::Status::Cancelled, cancelled.read(bytes))
                << "cancelled at query " << cancelAt;
            EXPECT_TRUE(cancelled.objects().empty());
            EXPECT_TRUE(cancelled.journal().empty());
        }
    }
}

// Cancel in the wizard's progress reaches the read through the reader's hook: the import stops
// with nothing added, and the bar moved on the way.
TEST(NativeDocument, ImportStopsWhenTheUserCancels) {
    native::DocumentWriter::Objects objects;
    for (int i = 0; i < 200; ++i) {
        auto points = boost::make_shared<model::PointSet>();
        points->setName(QStringLiteral("Points %1").arg(i));
        objects.push_back(points);
    }
    QString const path = scratchFile(QStringLiteral("many objects.qro"));
    native::DocumentWriter writer;
    ASSERT_TRUE(writer.write(objects, std::string(), path));

    struct Cancelled : brkBase::AbstractProgress {
        bool cancelled() const override { return true; }
    } progress;
    import::ProgressCancelHook::setFileProgress(0, 100.0); // as the loader sheet does
    housekeeping::Document& document = newDocument();
    native::QroFileReader reader;
    EXPECT_EQ(native::QroFileReader::IMPORT_CANCELLED,
              reader.import_data(sourceFor(path), document.id(), true, &progress, false));
    EXPECT_EQ(0u, document.object_count());
    EXPECT_GT(progress.value(), 0);

    brkBase::AbstractProgress running;
    native::QroFileReader again;
    EXPECT_EQ(native::QroFileReader::IMPORT_OK,
              again.import_data(sourceFor(path), document.id(), true, &running, false));
    EXPECT_EQ(200u, document.object_count());
    housekeeping::DocumentManager::instance().destroy_all();
}

} // namespace
