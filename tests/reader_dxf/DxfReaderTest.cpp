// The DXF reader as the import library uses it: verification, reading into a
// document, the summary and cancelling.
#include "DxfReader.h"
#include "DxfParser.h"
#include "DxfTestSupport.h"
#include "ProgressCancelHook.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "utilities/UrlUtilities.h"

#include <gtest/gtest.h>

namespace {

using namespace quarro;
using housekeeping::DataSource;
using housekeeping::Document;
using housekeeping::DocumentId;
using housekeeping::DocumentManager;
using import::AbstractFileReader;
using readers::DxfReader;

boost::shared_ptr<DataSource> sourceOf(QStringList const& paths) {
    return boost::shared_ptr<DataSource>(
        new DataSource(utilities::filesystem_to_url(paths), nullptr));
}

using DxfReaderTest = test::ReaderTestFixture;

TEST_F(DxfReaderTest, VerifiesByContent) {
    DxfReader reader;
    QString message;
    for (char const* sample : {"dxf/POLI-ALL210_12.DXF", "dxf/usa.dxf"}) {
        std::string const url = utilities::filesystem_to_url(test::dataFile(QLatin1String(sample)));
        EXPECT_EQ(std::bitset<4>("1001"), reader.verify(url, message)) << sample;
    }
    EXPECT_TRUE(message.isEmpty());

    std::string const binary = utilities::filesystem_to_url(test::writeScratch(
        QStringLiteral("binary.dxf"), std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0", 24)));
    EXPECT_EQ(std::bitset<4>("1001"), reader.verify(binary, message));

    std::string const text = utilities::filesystem_to_url(
        test::writeScratch(QStringLiteral("notes.dxf"), "Survey notes\nnot a drawing\n"));
    EXPECT_EQ(std::bitset<4>(), reader.verify(text, message));
    EXPECT_TRUE(message.contains(QLatin1String("not an ASCII DXF file")));

    EXPECT_EQ(
        std::bitset<4>(),
        reader.verify(utilities::filesystem_to_url(QStringLiteral("/no/such/file.dxf")), message));
    EXPECT_EQ(QStringLiteral("the file cannot be read"), message);
}

TEST_F(DxfReaderTest, ReadsTheSamplesIntoTheDocument) {
    DxfReader reader;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK,
              read(reader, {test::dataFile(QStringLiteral("dxf/usa.dxf")),
                            test::dataFile(QStringLiteral("dxf/POLI-ALL210_12.DXF"))}));
    ASSERT_EQ(2u, document().object_count());
    auto const* usa = dynamic_cast<model::PolylineSet const*>(document().objects()[0].get());
    ASSERT_NE(nullptr, usa);
    EXPECT_EQ(QStringLiteral("usa.dxf"), usa->name());
    EXPECT_EQ(59u, usa->polylineCount());
    EXPECT_EQ(QStringList{QStringLiteral("BORDERS")}, usa->layers());
    EXPECT_EQ(QStringLiteral("DXF AC1027"), usa->property(QStringLiteral("format")));
    auto const* poli = dynamic_cast<model::PolylineSet const*>(document().objects()[1].get());
    ASSERT_NE(nullptr, poli);
    EXPECT_EQ(31u, poli->polylineCount());
    EXPECT_EQ((QStringList{QStringLiteral("T-2DPLINE-ALL"), QStringLiteral("0")}), poli->layers());

    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(QLatin1String("usa.dxf: <b>OK</b>")));
    EXPECT_TRUE(summary.contains(QLatin1String("usa.dxf: 59 polylines on 1 layer<br />")));
    EXPECT_TRUE(summary.contains(QLatin1String("POLI-ALL210_12.DXF: 31 polylines on 2 layers")));
    EXPECT_EQ(2, reader.successes());
}

TEST_F(DxfReaderTest, GivesPointsAnObjectOfTheirOwnAndHandlesUnusualNames) {
    std::string const entities = test::dxfPairs("0|POINT|8|Wells|10|1|20|2|30|3") +
                                 test::dxfPairs("0|LINE|10|0|20|0|11|1|21|1") +
                                 test::dxfPairs("0|HATCH|10|0|20|0|40|1");
    QString const path = test::writeScratch(QString::fromUtf8("Bohrungen \xC3\x96lfeld <1>.dxf"),
                                            test::dxfWithEntities(entities));
    DxfReader reader;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK, read(reader, {path}));
    ASSERT_EQ(2u, document().object_count());
    auto const* points = dynamic_cast<model::PointSet const*>(document().objects()[1].get());
    ASSERT_NE(nullptr, points);
    EXPECT_EQ(QString::fromUtf8("Bohrungen \xC3\x96lfeld <1>.dxf"), points->name());
    EXPECT_EQ(1u, points->pointCount());
    EXPECT_EQ(QStringLiteral("Wells"), points->property(QStringLiteral("layers")));

    // The summary is HTML: the name's brackets are escaped.
    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(
        QString::fromUtf8("Bohrungen \xC3\x96lfeld &lt;1&gt;.dxf: 1 polyline on 1 layer, 1 point")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QLatin1String("not read: 1 HATCH")));
}

TEST_F(DxfReaderTest, FailsWithAReasonAndAddsNothing) {
    DxfReader reader;
    QString const broken = test::writeScratch(QStringLiteral("broken.dxf"),
                                              "0\nSECTION\n2\nENTITIES\n0\nLINE\n?\n0\n");
    QString const empty = test::writeScratch(
        QStringLiteral("text-only.dxf"), test::dxfWithEntities(test::dxfPairs("0|HATCH|1|legend")));
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, read(reader, {broken, empty}));
    EXPECT_EQ(0u, document().object_count());
    EXPECT_EQ(2, reader.failures());
    QString const summary = reader.import_summary();
    EXPECT_TRUE(summary.contains(
        QLatin1String("broken.dxf: <b><font color='red'>Failed</font></b><br />line 7: '?' is "
                      "not a group code")))
        << summary.toStdString();
    EXPECT_TRUE(summary.contains(QLatin1String("(it holds 1 HATCH)")));

    DxfReader another;
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              another.import_data(sourceOf({test::dataFile(QStringLiteral("dxf/usa.dxf"))}),
                                  DocumentId(9999), true, nullptr, false));
    EXPECT_TRUE(another.import_summary().contains(QLatin1String("does not exist")));
}

TEST_F(DxfReaderTest, CancelLeavesTheDocumentEmpty) {
    // Large enough for the hook to ask the progress object (once per 51 queries,
    // one query per 16 KB).
    std::string entities;
    while (entities.size() < 60 * readers::DxfParser::pollBytes) {
        entities += test::dxfPairs("0|LINE|10|1|20|2|11|3|21|4");
    }
    QString const path =
        test::writeScratch(QStringLiteral("large.dxf"), test::dxfWithEntities(entities));
    brkBase::AbstractProgress progress;
    progress.cancel();
    DxfReader reader;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED, read(reader, {path}, &progress));
    EXPECT_EQ(0u, document().object_count());

    // The loader sets the share of the bar per file; the reader's percentages
    // then show.
    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);
    brkBase::AbstractProgress running;
    DxfReader again;
    EXPECT_EQ(AbstractFileReader::IMPORT_OK, read(again, {path}, &running));
    EXPECT_GT(running.value(), 0);
}

} // namespace
