#include "LasReader.h"
#include "ProgressCancelHook.h"
#include "TestApplication.h"
#include "base/AbstractProgress.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/Well.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

using namespace quarro;
using housekeeping::Document;
using housekeeping::DocumentId;
using housekeeping::DocumentManager;
using import::AbstractFileReader;
using model::Well;
using readers::LasReader;

namespace {

struct Import {
    AbstractFileReader::ImportState state = AbstractFileReader::IMPORT_FAILED;
    QString summary;
    std::vector<Well const*> wells;
    std::size_t objects = 0;
};

class LasReaderTest : public ::testing::Test {
public:
    void SetUp() override { DocumentManager::instance().destroy_all(); }
    void TearDown() override { DocumentManager::instance().destroy_all(); }

    // Reads the files into a new document (or into `id` when given).
    static Import read(QStringList const& paths, brkBase::AbstractProgress* progress = nullptr,
                       DocumentId id = DocumentId(), bool inserting = false) {
        if (id.isNull()) {
            id = DocumentManager::instance().create_document();
        }
        LasReader reader;
        auto const source = boost::make_shared<housekeeping::DataSource>(
            utilities::filesystem_to_url(paths), nullptr);
        Import result;
        result.state = reader.import_data(source, id, true, progress, inserting);
        result.summary = reader.import_summary();
        if (auto* document =
                dynamic_cast<Document*>(DocumentManager::instance().document_from_id(id))) {
            result.objects = document->object_count();
            for (Document::ObjectPtr const& object : document->objects()) {
                result.wells.push_back(dynamic_cast<Well const*>(object.get()));
            }
        }
        return result;
    }
};

QString writeScratch(QString const& name, QByteArray const& content) {
    QString const path = QDir(test::scratchDirectory()).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

QByteArray sample20() {
    QFile sample(test::dataFile("las/sample_2.0.las"));
    EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
    return sample.readAll();
}

QString header(Well const& well, QString const& mnemonic) {
    model::WellHeaderItem const* item = well.headerItem(mnemonic);
    return item != nullptr ? item->value : QStringLiteral("<missing>");
}

std::vector<double> samples(Well const& well, QString const& mnemonic) {
    model::WellCurve const* curve = well.curve(mnemonic);
    return curve != nullptr ? curve->samples : std::vector<double>();
}

// What a real file of data/las gives: the well's name, curves and depths, one header value, one
// curve's samples (NaN for no value) and a line of the summary.
struct RealFile {
    char const* file;
    char const* well;
    int curves;
    std::vector<double> depths;
    std::pair<char const*, char const*> headerItem;
    char const* curve;
    std::vector<double> curveSamples;
    char const* summary;
};

double const none = std::nan("");

void checkRealFile(RealFile const& f) {
    SCOPED_TRACE(f.file);
    QString const path = test::dataFile(QStringLiteral("las/") + f.file);
    QString message;
    EXPECT_EQ(std::bitset<4>("1001"),
              LasReader().verify(utilities::filesystem_to_url(path), message));
    Import const run = LasReaderTest::read({path});
    ASSERT_EQ(AbstractFileReader::IMPORT_OK, run.state) << run.summary.toStdString();
    ASSERT_EQ(1u, run.wells.size());
    Well const& well = *run.wells.front();
    EXPECT_EQ(f.well, well.name());
    EXPECT_EQ(f.curves, well.curveCount());
    if (!f.depths.empty()) {
        EXPECT_EQ(f.depths, well.indexCurve().samples);
    }
    EXPECT_EQ(f.headerItem.second, header(well, f.headerItem.first));
    std::vector<double> const got = samples(well, f.curve);
    ASSERT_FALSE(got.empty()) << f.curve;
    if (f.curveSamples.empty()) {
        return;
    }
    ASSERT_EQ(f.curveSamples.size(), got.size()) << f.curve;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_TRUE(std::isnan(f.curveSamples[i]) ? std::isnan(got[i])
                                                  : got[i] == f.curveSamples[i])
            << f.curve << "[" << i << "] = " << got[i];
    }
    EXPECT_TRUE(run.summary.contains(QString::fromUtf8(f.summary))) << run.summary.toStdString();
}

TEST_F(LasReaderTest, RealFilesGiveOneWellAndASummary) {
    for (RealFile const& f : std::vector<RealFile>{
             RealFile{"sample_2.0.las",
                      "AAAAA_2",
                      7,
                      {1670.0, 1669.875, 1669.75},
                      {"UWI", "100123401234W500"},
                      "ILD",
                      {105.6, 105.6, 105.6},
                      "sample_2.0.las: <b>OK</b><br />\n<br />\nwell AAAAA_2: 7 curves, 3 samples, "
                      "1,669.75-1,670.0 m<br />\n"},
             RealFile{"sample_1.2.las",
                      "ANY ET AL OIL WELL #12",
                      7,
                      {},
                      {"COMP", "# ANY OIL COMPANY LTD."},
                      "DT",
                      {123.45, 123.45, 123.45},
                      "sample_1.2.las: <b>OK</b>"},
             RealFile{"sample_2.0_wrapped.las",
                      "ANY ET AL 12-34-12-34",
                      35,
                      {910.0, 909.875},
                      {"FLD", "WILDCAT"},
                      "RHOB",
                      {2692.7075, 2712.6460},
                      "35 curves, 2 samples, 909.875-910.0 m"},
             RealFile{"null_policy_ERR.las",
                      "ANY ET AL OIL WELL #12",
                      7,
                      {},
                      {"NULL", "-999.2500"},
                      "DT",
                      {9998.0, none, 10000.0},
                      "line 46: text in the data read as no value (&quot;ERR&quot;)"},
             RealFile{"encodings_cp1252.las",
                      "ANY ET AL OIL WELL #12",
                      7,
                      {},
                      {"NULL", "-999.2500"},
                      "ILD",
                      {105.6, 105.6, 105.6},
                      "line 41: the text is not UTF-8; read as Windows-1252"},
             // A peer rejects this file for the bare column-title line in ~PARAMETER; that line
             // alone is dropped.
             RealFile{
                 "dodgy_param_sect.las",
                 "ANY ET AL OIL WELL #12",
                 7,
                 {},
                 {"NULL", "-999.2500"},
                 "ILD",
                 {105.6, 105.6, 105.6},
                 "line 31: header line without '.' or ':' skipped (&quot;DEPTH DT RHOB NPHI SFLU "
                 "SFLA ILM ILD&quot;)"},
             // STEP is in ~WELL and in ~PARAMETER: both kept.
             RealFile{"6038187_v1.2_short.las",
                      "Scorpio E1",
                      8,
                      {},
                      {"STEP:2", "5 cm"},
                      "PR",
                      {},
                      "well Scorpio E1: 8 curves, 121 samples, 12.0-18.0 m"}}) {
        checkRealFile(f);
    }
}

TEST_F(LasReaderTest, DetailsOfTheRealFiles) {
    Import const sample = read({test::dataFile("las/sample_2.0.las")});
    ASSERT_EQ(1u, sample.wells.size());
    Well const& well = *sample.wells.front();
    EXPECT_EQ("K/M3", well.curve("RHOB")->unit);
    EXPECT_EQ("3  BULK DENSITY", well.curve("RHOB")->description);
    EXPECT_EQ("DEGC", well.headerItem("BHT")->unit);
    EXPECT_EQ("60 520 32 00", well.property("DT API code"));
    EXPECT_EQ("2.0", well.property("LAS version"));
    EXPECT_EQ("sample_2.0.las", well.property("source file"));
    EXPECT_TRUE(well.property("other information").contains("stuck at 625 metres"));
    EXPECT_FALSE(well.depthReference().hasLocation());

    Import const field = read({test::dataFile("las/6038187_v1.2_short.las")});
    ASSERT_EQ(1u, field.wells.size());
    Well const& scorpio = *field.wells.front();
    EXPECT_EQ("0.0500000", header(scorpio, "STEP:1"));
    ASSERT_TRUE(scorpio.depthReference().hasLocation());
    EXPECT_DOUBLE_EQ(560160.0, scorpio.depthReference().x);
    EXPECT_DOUBLE_EQ(6686430.0, scorpio.depthReference().y);
    EXPECT_EQ("GL", scorpio.depthReference().datum);
    EXPECT_TRUE(field.summary.contains("repeated mnemonic"));

    Import const cp1252 = read({test::dataFile("las/encodings_cp1252.las")});
    ASSERT_EQ(1u, cp1252.wells.size());
    EXPECT_TRUE(cp1252.wells[0]
                    ->property("other information")
                    .contains(QString::fromUtf8("Note: \xC2\xBAThe")));
}

TEST_F(LasReaderTest, BadFilesFailNamingTheLineAndAddNothing) {
    Import const missing = read({writeScratch(
        "no_data.las", "~VERSION\n VERS. 2.0 : v\n~WELL\n WELL. X : w\n~CURVE\n DEPT.M : d\n")});
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, missing.state);
    EXPECT_EQ(0u, missing.objects);
    EXPECT_EQ("no_data.las: <b><font color='red'>Failed</font></b><br />"
              "line 6: the file ends without a ~A (data) section",
              missing.summary);

    // One good and one bad file in one source: the good well is kept, the import fails.
    Import const mixed = read({test::dataFile("las/sample_2.0.las"),
                               writeScratch("binary.las", QByteArray("~V\n\0\0\0", 6))});
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, mixed.state);
    EXPECT_EQ(1u, mixed.objects);
    EXPECT_TRUE(mixed.summary.contains("binary.las: <b><font color='red'>Failed</font></b><br />"
                                       "line 2: binary data"));

    Import const absent = read({QDir(test::scratchDirectory()).filePath("absent.las")});
    EXPECT_TRUE(absent.summary.startsWith("absent.las: <b><font color='red'>Failed</font></b>"
                                          "<br />cannot open the file"));

    Import const nowhere = read({test::dataFile("las/sample_2.0.las")}, nullptr, DocumentId(999));
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, nowhere.state);
    EXPECT_EQ("sample_2.0.las: <b><font color='red'>Failed</font></b><br />"
              "there is no document to read the wells into",
              nowhere.summary);
}

// A download cut short: the well loads and the summary warns before the well's line.
TEST_F(LasReaderTest, TheSummaryShowsTheCutShortRowAsAWarning) {
    Import const run = read(
        {writeScratch("download.las",
                      "~VERSION\n VERS. 2.0 :\n WRAP. NO :\n~WELL\n NULL. -999.25 :\n~CURVE\n"
                      " DEPT.M :\n GR.GAPI :\n RHOB.G/C3 :\n~A\n100 50 2.1\n100.5 51 2.2\n101 5")});
    EXPECT_EQ(AbstractFileReader::IMPORT_OK, run.state);
    int const warning = run.summary.indexOf("<b><font color='#c05000'>Warning:</font></b> line "
                                            "13: the last row is incomplete (file cut short?)");
    EXPECT_GE(warning, 0) << run.summary.toStdString();
    EXPECT_LT(warning, run.summary.indexOf("3 samples")) << run.summary.toStdString();
}

TEST_F(LasReaderTest, NonAsciiFileNamesAndSeveralFilesAtOnce) {
    QString const name = QString::fromUtf8("Bohrl\xC3\xB6"
                                           "cher \xE4\xBA\x95 1.las");
    QString const path = writeScratch(name, sample20());
    DocumentId const id = DocumentManager::instance().create_document();
    Import const both = read({path, test::dataFile("las/sample_1.2.las")}, nullptr, id, true);
    EXPECT_EQ(AbstractFileReader::IMPORT_OK, both.state) << both.summary.toStdString();
    ASSERT_EQ(2u, both.wells.size());
    EXPECT_EQ(name, both.wells[0]->property("source file"));
    EXPECT_EQ("ANY ET AL OIL WELL #12", both.wells[1]->name());
    EXPECT_TRUE(both.summary.startsWith(name + ": <b>OK</b>"));
    EXPECT_TRUE(DocumentManager::instance().document_from_id(id)->is_modified());
}

class RecordingProgress : public brkBase::AbstractProgress {
public:
    void set_value(int value) override {
        values.push_back(value);
        AbstractProgress::set_value(value);
    }
    std::vector<int> values;
};

TEST_F(LasReaderTest, ReportsProgressAndCancelAddsNothing) {
    QByteArray text = "~VERSION\n VERS. 2.0 : v\n~WELL\n NULL. -999.25 : n\n"
                      "~CURVE\n DEPT.M : d\n GR.GAPI : g\n RHOB.G/C3 : r\n~A\n";
    for (int row = 0; row < 60000; ++row) { // about 2 MB
        text += QByteArray::number(1000.0 + row * 0.5, 'f', 2) + "   45.6789   2.3456\n";
    }
    QString const path = writeScratch("big.las", text);
    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);
    RecordingProgress progress;
    Import const done = read({path}, &progress);
    ASSERT_EQ(1u, done.wells.size());
    EXPECT_EQ(60000u, done.wells.front()->sampleCount());
    ASSERT_GE(progress.values.size(), 2u);
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
    EXPECT_LE(progress.values.back(), 100);
    EXPECT_GE(progress.values.back(), 50);

    RecordingProgress cancelled;
    cancelled.cancel();
    Import const stopped = read({test::dataFile("las/sample_2.0.las"), path}, &cancelled);
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED, stopped.state);
    EXPECT_EQ(0u, stopped.objects) << "not even the first, complete file";
    EXPECT_EQ("<br />\nCancelled: nothing was imported.<br />\n", stopped.summary);
}

TEST(LasReaderContract, VerifyLooksAtTheContent) {
    LasReader reader;
    EXPECT_EQ("LAS well logs (*.las *.LAS)", reader.file_filter());
    QString message;
    EXPECT_EQ(std::bitset<4>(),
              reader.verify(utilities::filesystem_to_url(test::scratchDirectory() + "/none.las"),
                            message));
    EXPECT_EQ("the file cannot be read", message);

    std::vector<std::pair<std::string, bool>> const heads = {
        {"\xEF\xBB\xBF# comment\r\n\r\n  ~Version Information\r\n", true},
        {"~w\n", true},
        {"DEPTH,GR\n~A\n", false},
        {"~Tops\n", false},
        {std::string("~V\0", 3), false},
        {"# only comments\n", false},
        {"", false}};
    for (auto const& [head, las] : heads) {
        QString reason;
        EXPECT_EQ(las, LasReader::looksLikeLas(head, reason)) << head;
        EXPECT_EQ(las, reason.isEmpty()) << reason.toStdString();
    }
    QString reason;
    LasReader::looksLikeLas("DEPTH,GR\n~A\n", reason);
    EXPECT_EQ("not a LAS well log: it begins with \"DEPTH,GR\", not with a section line such as "
              "~VERSION",
              reason);
}

// A LAS file saved as UTF-16 (as Windows editors offer) reads like its UTF-8 original, accents and
// all, and the summary says how it was written.
TEST_F(LasReaderTest, Utf16FilesReadLikeTheirUtf8Original) {
    QString const company = QString::fromUtf8("D\xC3\xA9p\xC3\xB4t \xE2\x82\xAC");
    QString const text =
        QString::fromUtf8(sample20()).replace(QStringLiteral("ANY OIL COMPANY INC."), company);
    for (bool const big : {false, true}) {
        QByteArray bytes(big ? "\xFE\xFF" : "\xFF\xFE", 2);
        for (QChar const c : text) {
            char const high = static_cast<char>(c.unicode() >> 8);
            char const low = static_cast<char>(c.unicode() & 0xFF);
            bytes.append(big ? high : low).append(big ? low : high);
        }
        QString const path = writeScratch(QStringLiteral("utf16.las"), bytes);
        QString message;
        EXPECT_TRUE(LasReader()
                        .verify(utilities::filesystem_to_url(path), message)
                        .test(AbstractFileReader::VERIFY_ACCEPTED))
            << message.toStdString();
        Import const run = read({path});
        ASSERT_EQ(1u, run.wells.size()) << run.summary.toStdString();
        EXPECT_EQ(7, run.wells[0]->curveCount());
        EXPECT_EQ(company, header(*run.wells[0], QStringLiteral("COMP")));
        EXPECT_TRUE(run.summary.contains(QStringLiteral("utf16.las: text read as UTF-16 ") +
                                         (big ? "BE" : "LE")))
            << run.summary.toStdString();
    }
}

} // namespace
