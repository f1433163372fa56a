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
#include <string>
#include <vector>

using namespace quarro;
using housekeeping::DataSource;
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
protected:
    void SetUp() override { DocumentManager::instance().destroy_all(); }
    void TearDown() override { DocumentManager::instance().destroy_all(); }

    // Reads the files into a new document (or into `id` when given).
    Import read(QStringList const& paths, brkBase::AbstractProgress* progress = nullptr,
                DocumentId id = DocumentId(), bool inserting = false) {
        if (id.isNull()) {
            id = DocumentManager::instance().create_document();
        }
        LasReader reader;
        auto const source =
            boost::make_shared<DataSource>(utilities::filesystem_to_url(paths), nullptr);
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

    Well const& readOne(QString const& dataFile) {
        m_last = read({test::dataFile(QStringLiteral("las/") + dataFile)});
        EXPECT_EQ(AbstractFileReader::IMPORT_OK, m_last.state) << m_last.summary.toStdString();
        EXPECT_EQ(1u, m_last.wells.size());
        static Well const empty;
        return m_last.wells.empty() || m_last.wells.front() == nullptr ? empty
                                                                       : *m_last.wells.front();
    }

    static QString writeScratch(QString const& name, QByteArray const& content) {
        QString const path = QDir(test::scratchDirectory()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    static QStringList mnemonics(Well const& well) {
        QStringList names{well.indexCurve().mnemonic};
        for (model::WellCurve const& curve : well.curves()) {
            names << curve.mnemonic;
        }
        return names;
    }

    static QString header(Well const& well, QString const& mnemonic) {
        model::WellHeaderItem const* item = well.headerItem(mnemonic);
        return item != nullptr ? item->value : QStringLiteral("<missing>");
    }

    Import m_last;
};

std::vector<double> samples(Well const& well, QString const& mnemonic) {
    model::WellCurve const* curve = well.curve(mnemonic);
    return curve != nullptr ? curve->samples : std::vector<double>();
}

// A well-formed unwrapped file of `rows` depth steps and three curves.
QByteArray generatedLas(int rows) {
    QByteArray text = "~VERSION\n VERS. 2.0 : v\n WRAP. NO : w\n~WELL\n NULL. -999.25 : n\n"
                      " WELL. GEN-1 : w\n~CURVE\n DEPT.M : d\n GR.GAPI : g\n RHOB.G/C3 : r\n~A\n";
    for (int row = 0; row < rows; ++row) {
        text += QByteArray::number(1000.0 + row * 0.5, 'f', 2) + "   45.6789   2.3456\n";
    }
    return text;
}

class RecordingProgress : public brkBase::AbstractProgress {
public:
    void set_value(int value) override {
        values.push_back(value);
        AbstractProgress::set_value(value);
    }
    std::vector<int> values;
};

} // namespace

TEST_F(LasReaderTest, Las20SampleWithTheSummaryLine) {
    Well const& well = readOne(QStringLiteral("sample_2.0.las"));
    EXPECT_EQ("AAAAA_2", well.name());
    EXPECT_EQ((QStringList{"DEPT", "DT", "RHOB", "NPHI", "SFLU", "SFLA", "ILM", "ILD"}),
              mnemonics(well));
    EXPECT_EQ("M", well.indexCurve().unit);
    EXPECT_EQ("K/M3", well.curve("RHOB")->unit);
    EXPECT_EQ("3  BULK DENSITY", well.curve("RHOB")->description);
    EXPECT_EQ((std::vector<double>{1670.0, 1669.875, 1669.75}), well.indexCurve().samples);
    EXPECT_EQ((std::vector<double>{105.6, 105.6, 105.6}), samples(well, "ILD"));
    EXPECT_EQ("ANY OIL COMPANY INC.", header(well, "COMP"));
    EXPECT_EQ("100123401234W500", header(well, "UWI"));
    EXPECT_EQ("GEL CHEM", header(well, "MUD"));
    EXPECT_EQ("DEGC", well.headerItem("BHT")->unit);
    EXPECT_EQ("60 520 32 00", well.property("DT API code"));
    EXPECT_EQ("2.0", well.property("LAS version"));
    EXPECT_EQ("sample_2.0.las", well.property("source file"));
    EXPECT_TRUE(well.property("other information").contains("stuck at 625 metres"));
    EXPECT_FALSE(well.depthReference().hasLocation());

    EXPECT_EQ("sample_2.0.las: <b>OK</b><br />\n"
              "<br />\nwell AAAAA_2: 7 curves, 3 samples, 1,669.75-1,670.0 m<br />\n",
              m_last.summary);
}

TEST_F(LasReaderTest, Las12SampleReadsTheValueAfterTheColon) {
    Well const& well = readOne(QStringLiteral("sample_1.2.las"));
    EXPECT_EQ("ANY ET AL OIL WELL #12", well.name());
    EXPECT_EQ("# ANY OIL COMPANY LTD.", header(well, "COMP"));
    EXPECT_EQ("COMPANY", well.headerItem("COMP")->description);
    EXPECT_EQ("EDAM", header(well, "FLD"));
    EXPECT_EQ("1670.000000", header(well, "STRT"));
    EXPECT_EQ("1.2", well.property("LAS version"));
    EXPECT_EQ(7, well.curveCount());
    EXPECT_EQ("US/M", well.curve("DT")->unit);
    EXPECT_EQ((std::vector<double>{123.45, 123.45, 123.45}), samples(well, "DT"));
}

TEST_F(LasReaderTest, WrappedSampleHas36CurvesInTwoDepthSteps) {
    Well const& well = readOne(QStringLiteral("sample_2.0_wrapped.las"));
    EXPECT_EQ("ANY ET AL 12-34-12-34", well.name());
    EXPECT_EQ(35, well.curveCount());
    EXPECT_EQ("LSWB", well.curves().back().mnemonic);
    EXPECT_EQ((std::vector<double>{910.0, 909.875}), well.indexCurve().samples);
    std::vector<double> const dt = samples(well, "DT");
    ASSERT_EQ(2u, dt.size());
    EXPECT_TRUE(std::isnan(dt[0]) && std::isnan(dt[1]));
    EXPECT_EQ((std::vector<double>{2692.7075, 2712.6460}), samples(well, "RHOB"));
    EXPECT_EQ((std::vector<double>{96.5306, 90.2803}), samples(well, "GR"));
    EXPECT_EQ((std::vector<double>{11.1397, 14.1428}), samples(well, "PIDX"));
    EXPECT_TRUE(std::isnan(samples(well, "EATT").front()));
    EXPECT_TRUE(m_last.summary.contains("well ANY ET AL 12-34-12-34: 35 curves, 2 samples, "
                                        "909.875-910.0 m"))
        << m_last.summary.toStdString();
}

TEST_F(LasReaderTest, OddNullsInTheData) {
    Well const& well = readOne(QStringLiteral("null_policy_ERR.las"));
    std::vector<double> const dt = samples(well, "DT");
    ASSERT_EQ(3u, dt.size());
    EXPECT_DOUBLE_EQ(9998.0, dt[0]);
    EXPECT_TRUE(std::isnan(dt[1]));
    EXPECT_DOUBLE_EQ(10000.0, dt[2]);
    std::vector<double> const rhob = samples(well, "RHOB");
    EXPECT_DOUBLE_EQ(2550.0, rhob[1]);
    EXPECT_TRUE(std::isnan(rhob[2]));
    EXPECT_TRUE(std::isnan(samples(well, "SFLA")[2]));
    EXPECT_DOUBLE_EQ(123.45, samples(well, "SFLA")[1]);
    EXPECT_TRUE(
        m_last.summary.contains("line 46: text in the data read as no value (&quot;ERR&quot;)"))
        << m_last.summary.toStdString();
}

TEST_F(LasReaderTest, Windows1252TextAndABrokenParameterSection) {
    Well const& cp1252 = readOne(QStringLiteral("encodings_cp1252.las"));
    EXPECT_TRUE(
        cp1252.property("other information").contains(QString::fromUtf8("Note: \xC2\xBAThe")))
        << cp1252.property("other information").toStdString();
    EXPECT_TRUE(m_last.summary.contains("line 41: the text is not UTF-8; read as Windows-1252"))
        << m_last.summary.toStdString();

    // A peer rejects this file for the bare column-title line in ~PARAMETER; that line alone is
    // dropped and the well loads.
    Well const& dodgy = readOne(QStringLiteral("dodgy_param_sect.las"));
    EXPECT_EQ(7, dodgy.curveCount());
    EXPECT_EQ(3u, dodgy.sampleCount());
    EXPECT_TRUE(dodgy.headerItems().size() >= 12);
    EXPECT_TRUE(m_last.summary.contains("line 31: header line without '.' or ':' skipped "
                                        "(&quot;DEPTH DT RHOB NPHI SFLU SFLA ILM ILD&quot;)"))
        << m_last.summary.toStdString();
}

TEST_F(LasReaderTest, RealFieldFileWithLocationAndRepeatedParameter) {
    Well const& well = readOne(QStringLiteral("6038187_v1.2_short.las"));
    EXPECT_EQ("Scorpio E1", well.name());
    EXPECT_EQ((QStringList{"DEPT", "CALI", "DFAR", "DNEAR", "GAMN", "NEUT", "PR", "SP", "COND"}),
              mnemonics(well));
    ASSERT_EQ(121u, well.sampleCount());
    EXPECT_DOUBLE_EQ(12.0, well.depthRange().min());
    EXPECT_DOUBLE_EQ(18.0, well.depthRange().max());
    EXPECT_DOUBLE_EQ(101.780, samples(well, "CALI").front());
    EXPECT_DOUBLE_EQ(65.3776, samples(well, "COND").back());
    EXPECT_EQ("OHM/M", well.curve("PR")->unit);
    EXPECT_EQ("15/03/2015", header(well, "DATE"));
    // STEP is in ~WELL and in ~PARAMETER: both kept.
    EXPECT_EQ("0.0500000", header(well, "STEP:1"));
    EXPECT_EQ("5 cm", header(well, "STEP:2"));
    EXPECT_EQ("Cased hole stratigraphy", header(well, "PURP"));
    ASSERT_TRUE(well.depthReference().hasLocation());
    EXPECT_DOUBLE_EQ(560160.0, well.depthReference().x);
    EXPECT_DOUBLE_EQ(6686430.0, well.depthReference().y);
    EXPECT_EQ("GL", well.depthReference().datum);
    EXPECT_FALSE(well.depthReference().elevation.has_value());
    EXPECT_TRUE(m_last.summary.contains("well Scorpio E1: 8 curves, 121 samples, 12.0-18.0 m"));
    EXPECT_TRUE(m_last.summary.contains("repeated mnemonic"));
}

TEST_F(LasReaderTest, BadFilesFailNamingTheLineAndAddNothing) {
    QByteArray const noData =
        "~VERSION\n VERS. 2.0 : v\n~WELL\n WELL. X : w\n~CURVE\n DEPT.M : d\n";
    Import const missing = read({writeScratch("no_data.las", noData)});
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
    EXPECT_TRUE(mixed.summary.contains("sample_2.0.las: <b>OK</b>"));
    EXPECT_TRUE(mixed.summary.contains("binary.las: <b><font color='red'>Failed</font></b><br />"
                                       "line 2: binary data"));

    Import const absent = read({QDir(test::scratchDirectory()).filePath("absent.las")});
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, absent.state);
    EXPECT_TRUE(absent.summary.startsWith("absent.las: <b><font color='red'>Failed</font></b>"
                                          "<br />cannot open the file"));

    // No such document: nothing is read.
    Import const nowhere = read({test::dataFile("las/sample_2.0.las")}, nullptr, DocumentId(999));
    EXPECT_EQ(AbstractFileReader::IMPORT_FAILED, nowhere.state);
    EXPECT_EQ("sample_2.0.las: <b><font color='red'>Failed</font></b><br />"
              "there is no document to read the wells into",
              nowhere.summary);
}

TEST_F(LasReaderTest, NonAsciiFileNamesAndSeveralFilesAtOnce) {
    QFile sample(test::dataFile("las/sample_2.0.las"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QString const name = QString::fromUtf8("Bohrl\xC3\xB6"
                                           "cher \xE4\xBA\x95 1.las");
    QString const path = writeScratch(name, sample.readAll());

    DocumentId const id = DocumentManager::instance().create_document();
    Import const both = read({path, test::dataFile("las/sample_1.2.las")}, nullptr, id, true);
    EXPECT_EQ(AbstractFileReader::IMPORT_OK, both.state) << both.summary.toStdString();
    ASSERT_EQ(2u, both.wells.size());
    EXPECT_EQ("AAAAA_2", both.wells[0]->name());
    EXPECT_EQ(name, both.wells[0]->property("source file"));
    EXPECT_EQ("ANY ET AL OIL WELL #12", both.wells[1]->name());
    EXPECT_TRUE(both.summary.startsWith(name + ": <b>OK</b>"));
    EXPECT_TRUE(DocumentManager::instance().document_from_id(id)->is_modified())
        << "an insert changes the document";
}

TEST_F(LasReaderTest, ReportsProgressAndCancelAddsNothing) {
    QString const path = writeScratch("big.las", generatedLas(60000)); // about 2 MB
    import::ProgressCancelHook::setSize(1);
    import::ProgressCancelHook::setFileProgress(0, 100.0);

    RecordingProgress progress;
    Import const done = read({path}, &progress);
    EXPECT_EQ(AbstractFileReader::IMPORT_OK, done.state);
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
    EXPECT_EQ("Well", reader.data_type());
    EXPECT_EQ("LAS well logs (*.las *.LAS)", reader.file_filter());
    EXPECT_EQ((std::vector<std::string>{"las", "LAS"}), reader.supported_extentions());

    for (char const* file :
         {"sample_2.0.las", "sample_1.2.las", "sample_2.0_wrapped.las", "null_policy_ERR.las",
          "encodings_cp1252.las", "dodgy_param_sect.las", "6038187_v1.2_short.las"}) {
        QString message;
        std::string const url =
            utilities::filesystem_to_url(test::dataFile(QStringLiteral("las/") + file));
        EXPECT_EQ(std::bitset<4>("1001"), reader.verify(url, message)) << file;
        EXPECT_TRUE(message.isEmpty()) << file;
    }

    QString message;
    EXPECT_EQ(std::bitset<4>(), reader.verify(utilities::filesystem_to_url(test::dataFile(
                                                  "grdecl/Simple10x10x3_Fault.grdecl")),
                                              message));
    EXPECT_TRUE(message.startsWith("not a LAS well log: it begins with")) << message.toStdString();

    message.clear();
    EXPECT_EQ(std::bitset<4>(),
              reader.verify(utilities::filesystem_to_url(test::scratchDirectory() + "/none.las"),
                            message));
    EXPECT_EQ("the file cannot be read", message);

    QString reason;
    EXPECT_TRUE(
        LasReader::looksLikeLas("\xEF\xBB\xBF# comment\r\n\r\n  ~Version Information\r\n", reason));
    EXPECT_TRUE(LasReader::looksLikeLas("~w\n", reason));
    EXPECT_FALSE(LasReader::looksLikeLas("DEPTH,GR\n~A\n", reason));
    EXPECT_EQ("not a LAS well log: it begins with \"DEPTH,GR\", not with a section line such as "
              "~VERSION",
              reason);
    EXPECT_FALSE(LasReader::looksLikeLas("~Tops\n", reason));
    EXPECT_FALSE(LasReader::looksLikeLas(std::string_view("~V\0", 3), reason));
    EXPECT_FALSE(LasReader::looksLikeLas("# only comments\n", reason));
    EXPECT_FALSE(LasReader::looksLikeLas("", reason));
}

// A LAS file saved as UTF-16 (as Windows editors offer) reads like its UTF-8 original, accents and
// all, and the summary says how it was written.
TEST_F(LasReaderTest, Utf16FilesReadLikeTheirUtf8Original) {
    QFile sample(test::dataFile("las/sample_2.0.las"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QString const company = QString::fromUtf8("D\xC3\xA9p\xC3\xB4t \xE2\x82\xAC");
    QString const text = QString::fromUtf8(sample.readAll())
                             .replace(QStringLiteral("ANY OIL COMPANY INC."), company);
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
        ASSERT_EQ(AbstractFileReader::IMPORT_OK, run.state) << run.summary.toStdString();
        ASSERT_EQ(1u, run.wells.size());
        EXPECT_EQ("AAAAA_2", run.wells[0]->name());
        EXPECT_EQ(8, mnemonics(*run.wells[0]).size());
        EXPECT_EQ(company, header(*run.wells[0], QStringLiteral("COMP")));
        EXPECT_TRUE(run.summary.contains(QStringLiteral("utf16.las: text read as UTF-16 ") +
                                         (big ? "BE" : "LE")))
            << run.summary.toStdString();
    }
}
