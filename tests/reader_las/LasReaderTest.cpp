#include "LasReader.h"
#include "ProgressCancelHook.h"
#include "ReaderTestFixture.h"
#include "model/Well.h"

#include <gtest/gtest.h>

using namespace quarro;
using import::AbstractFileReader;
using model::Well;
using readers::LasReader;

namespace {

class LasReaderTest : public test::ReaderTestFixture {
protected:
    // Reads the files into a fresh document; the wells it then holds.
    std::vector<Well const*> readWells(QStringList const& paths,
                                       brkBase::AbstractProgress* progress = nullptr) {
        housekeeping::DocumentManager::instance().destroy_all();
        m_id = housekeeping::DocumentManager::instance().create_document();
        LasReader reader;
        state = read(reader, paths, progress);
        summary = reader.import_summary();
        std::vector<Well const*> wells;
        for (std::size_t i = 0; i < document().object_count(); ++i) {
            wells.push_back(&object<Well>(i));
        }
        return wells;
    }
    AbstractFileReader::ImportState state = AbstractFileReader::IMPORT_FAILED;
    QString summary;
};

QString header(Well const& well, QString const& mnemonic) {
    model::WellHeaderItem const* item = well.headerItem(mnemonic);
    return item != nullptr ? item->value : QStringLiteral("<missing>");
}

// What a real file of data/las gives: the well's name, curves and depths, one header value, one
// curve's samples (nan for no value) and a line of the summary.
struct RealFile {
    char const* file;
    char const* well;
    int curves;
    char const* depths; // empty: not checked
    char const* item;
    char const* itemValue;
    char const* curve;
    char const* samples;
    char const* summary;
};

TEST_F(LasReaderTest, RealFilesGiveOneWellAndASummary) {
    std::vector<RealFile> const files = {
        {"sample_2.0.las", "AAAAA_2", 7, "1670 1669.88 1669.75", "UWI", "100123401234W500", "ILD",
         "105.6 105.6 105.6",
         "sample_2.0.las: <b>OK</b><br />\n<br />\nwell AAAAA_2: 7 curves, 3 samples, "
         "1,669.75-1,670.0 m<br />\n"},
        {"sample_1.2.las", "ANY ET AL OIL WELL #12", 7, "", "COMP", "# ANY OIL COMPANY LTD.", "DT",
         "123.45 123.45 123.45", "sample_1.2.las: <b>OK</b>"},
        {"sample_2.0_wrapped.las", "ANY ET AL 12-34-12-34", 35, "910 909.875", "FLD", "WILDCAT",
         "RHOB", "2692.71 2712.65", "35 curves, 2 samples, 909.875-910.0 m"},
        {"encodings_cp1252.las", "ANY ET AL OIL WELL #12", 7, "", "NULL", "-999.2500", "ILD",
         "105.6 105.6 105.6", "line 41: the text is not UTF-8; read as Windows-1252"},
        // STEP is in ~WELL and in ~PARAMETER: both kept.
        {"6038187_v1.2_short.las", "Scorpio E1", 8, "", "STEP:2", "5 cm", "PR", "",
         "well Scorpio E1: 8 curves, 121 samples, 12.0-18.0 m"}};
    for (RealFile const& f : files) {
        SCOPED_TRACE(f.file);
        QString const path = test::dataFile(QStringLiteral("las/") + f.file);
        QString message;
        EXPECT_EQ(std::bitset<4>("1001"),
                  LasReader().verify(utilities::filesystem_to_url(path), message));
        std::vector<Well const*> const wells = readWells({path});
        ASSERT_EQ(AbstractFileReader::IMPORT_OK, state) << summary.toStdString();
        ASSERT_EQ(1u, wells.size());
        Well const& well = *wells.front();
        EXPECT_EQ(f.well, well.name());
        EXPECT_EQ(f.curves, well.curveCount());
        if (*f.depths != 0) {
            EXPECT_EQ(f.depths, test::joined(well.indexCurve().samples));
        }
        EXPECT_EQ(f.itemValue, header(well, f.item));
        ASSERT_NE(nullptr, well.curve(f.curve));
        if (*f.samples != 0) {
            EXPECT_EQ(f.samples, test::joined(well.curve(f.curve)->samples));
        }
        EXPECT_TRUE(summary.contains(QString::fromUtf8(f.summary))) << summary.toStdString();
    }
}

TEST_F(LasReaderTest, DetailsOfTheRealFiles) {
    std::vector<Well const*> const wells = readWells({test::dataFile("las/sample_2.0.las"),
                                                      test::dataFile("las/6038187_v1.2_short.las"),
                                                      test::dataFile("las/encodings_cp1252.las")});
    ASSERT_EQ(3u, wells.size());
    Well const& well = *wells[0];
    EXPECT_EQ("K/M3", well.curve("RHOB")->unit);
    EXPECT_EQ("3  BULK DENSITY", well.curve("RHOB")->description);
    EXPECT_EQ("DEGC", well.headerItem("BHT")->unit);
    EXPECT_EQ("60 520 32 00", well.property("DT API code"));
    EXPECT_EQ("2.0", well.property("LAS version"));
    EXPECT_TRUE(well.property("other information").contains("stuck at 625 metres"));
    EXPECT_FALSE(well.depthReference().hasLocation());

    Well const& scorpio = *wells[1];
    EXPECT_EQ("0.0500000", header(scorpio, "STEP:1"));
    ASSERT_TRUE(scorpio.depthReference().hasLocation());
    EXPECT_DOUBLE_EQ(560160.0, scorpio.depthReference().x);
    EXPECT_DOUBLE_EQ(6686430.0, scorpio.depthReference().y);
    EXPECT_EQ("GL", scorpio.depthReference().datum);
    EXPECT_TRUE(summary.contains("repeated mnemonic"));

    EXPECT_TRUE(
        wells[2]->property("other information").contains(QString::fromUtf8("Note: \xC2\xBAThe")));
}

// A good and a bad file in one source: the good well is kept, the import fails.
TEST_F(LasReaderTest, BadFilesFailNamingTheLineAndAddNothing) {
    std::vector<std::pair<QStringList, char const*>> const cases = {
        {{test::writeScratch(
             "no_data.las",
             "~VERSION\n VERS. 2.0 : v\n~WELL\n WELL. X : w\n~CURVE\n DEPT.M : d\n")},
         "no_data.las: <b><font color='red'>Failed</font></b><br />line 6: the file ends without a "
         "~A (data) section"},
        {{test::dataFile("las/sample_2.0.las"),
          test::writeScratch("binary.las", std::string("~V\n\0\0\0", 6))},
         "binary.las: <b><font color='red'>Failed</font></b><br />line 2: binary data"},
        {{QDir(test::scratchDirectory()).filePath("absent.las")},
         "absent.las: <b><font color='red'>Failed</font></b><br />cannot open the file"}};
    for (auto const& [paths, failure] : cases) {
        std::vector<Well const*> const wells = readWells(paths);
        EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, state);
        EXPECT_EQ(paths.size() - 1, static_cast<int>(wells.size()));
        EXPECT_TRUE(summary.contains(QLatin1String(failure))) << summary.toStdString();
    }
    LasReader nowhere;
    m_id = housekeeping::DocumentId(999);
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED,
              read(nowhere, {test::dataFile("las/sample_2.0.las")}));
    EXPECT_EQ("sample_2.0.las: <b><font color='red'>Failed</font></b><br />"
              "there is no document to read the wells into",
              nowhere.import_summary());
}

// A download cut short: the well loads and the summary warns before the well's line. The file's
// name is not ASCII, and it is inserted into the document, which is then modified.
TEST_F(LasReaderTest, TheSummaryShowsTheCutShortRowAsAWarning) {
    QString const name = QString::fromUtf8("Bohrl\xC3\xB6"
                                           "cher \xE4\xBA\x95 1.las");
    std::string const text =
        "~VERSION\n VERS. 2.0 :\n WRAP. NO :\n~WELL\n NULL. -999.25 :\n~CURVE\n"
        " DEPT.M :\n GR.GAPI :\n RHOB.G/C3 :\n~A\n100 50 2.1\n100.5 51 2.2\n101 5";
    std::vector<Well const*> const wells = readWells({test::writeScratch(name, text)});
    EXPECT_EQ(AbstractFileReader::IMPORT_OK, state);
    ASSERT_EQ(1u, wells.size());
    EXPECT_EQ(name, wells[0]->property("source file"));
    EXPECT_TRUE(summary.startsWith(name + ": <b>OK</b>")) << summary.toStdString();
    int const warning = summary.indexOf("<b><font color='#c05000'>Warning:</font></b> line "
                                        "13: the last row is incomplete (file cut short?)");
    EXPECT_GE(warning, 0) << summary.toStdString();
    EXPECT_LT(warning, summary.indexOf("3 samples")) << summary.toStdString();
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
    std::string text = "~VERSION\n VERS. 2.0 : v\n~WELL\n NULL. -999.25 : n\n"
                       "~CURVE\n DEPT.M : d\n GR.GAPI : g\n RHOB.G/C3 : r\n~A\n";
    for (int row = 0; row < 60000; ++row) { // about 2 MB
        text += std::to_string(1000 + row) + ".00   45.6789   2.3456\n";
    }
    QString const path = test::writeScratch("big.las", text);
    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);
    RecordingProgress cancelled;
    cancelled.cancel();
    LasReader reader;
    EXPECT_EQ(AbstractFileReader::IMPORT_CANCELLED,
              read(reader, {test::dataFile("las/sample_2.0.las"), path}, &cancelled));
    EXPECT_EQ(0u, document().object_count()) << "not even the first, complete file";
    EXPECT_EQ("<br />\nCancelled: nothing was imported.<br />\n", reader.import_summary());

    RecordingProgress progress;
    LasReader again;
    ASSERT_EQ(AbstractFileReader::IMPORT_OK, read(again, {path}, &progress));
    EXPECT_EQ(60000u, object<Well>(0).sampleCount());
    ASSERT_GE(progress.values.size(), 2u);
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
    EXPECT_LE(progress.values.back(), 100);
    EXPECT_GE(progress.values.back(), 50);
}

TEST(LasReaderContract, VerifyLooksAtTheContent) {
    std::vector<std::pair<std::string, char const*>> const heads = {
        {"\xEF\xBB\xBF# comment\r\n\r\n  ~Version Information\r\n", ""},
        {"~w\n", ""},
        {"DEPTH,GR\n~A\n", "not a LAS well log: it begins with \"DEPTH,GR\", not with a section "
                           "line such as ~VERSION"},
        {"~Tops\n", "not a LAS well log"},
        {std::string("~V\0", 3), "not a LAS"},
        {"# only comments\n", "not a LAS"},
        {"", "not a LAS"}};
    for (auto const& [head, reason] : heads) {
        QString why;
        EXPECT_EQ(*reason == 0, LasReader::looksLikeLas(head, why)) << head;
        EXPECT_TRUE(test::begins(why, reason)) << why.toStdString();
        EXPECT_EQ(*reason == 0, why.isEmpty());
    }
}

// A LAS file saved as UTF-16 (as Windows editors offer) reads like its UTF-8 original, accents and
// all, and the summary says how it was written.
TEST_F(LasReaderTest, Utf16FilesReadLikeTheirUtf8Original) {
    QString const company = QString::fromUtf8("D\xC3\xA9p\xC3\xB4t \xE2\x82\xAC");
    QString const text =
        QString::fromStdString(test::readBytes(test::dataFile("las/sample_2.0.las")))
            .replace(QStringLiteral("ANY OIL COMPANY INC."), company);
    std::string bytes("\xFF\xFE");
    for (QChar const c : text) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    QString const path = test::writeScratch("utf16le.las", bytes);
    QString message;
    EXPECT_EQ(std::bitset<4>("1001"),
              LasReader().verify(utilities::filesystem_to_url(path), message))
        << message.toStdString();
    std::vector<Well const*> const wells = readWells({path});
    ASSERT_EQ(1u, wells.size()) << summary.toStdString();
    EXPECT_EQ(7, wells[0]->curveCount());
    EXPECT_EQ(company, header(*wells[0], QStringLiteral("COMP")));
    EXPECT_TRUE(summary.contains(QStringLiteral("text read as UTF-16 LE")))
        << summary.toStdString();
}

} // namespace
