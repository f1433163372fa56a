// LAS files as they arrive: cut short by a broken download, or written as LAS 3.0 with its
// definition and data sections and delimiters.
#include "LasParser.h"
#include "LasReader.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/DocumentManager.h"
#include "utilities/UrlUtilities.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include <boost/make_shared.hpp>

namespace {

using quarro::readers::LasIssues;
using quarro::readers::LasParser;

std::string const las2Head = "~VERSION\n VERS. 2.0 :\n WRAP. NO :\n~WELL\n NULL. -999.25 :\n"
                             "~CURVE\n DEPT.M :\n GR.GAPI :\n RHOB.G/C3 :\n~A\n";

TEST(LasRealFiles, ARowCutShortAtTheEndIsAWarning) {
    for (std::string const& text :
         {las2Head + "100 50 2.1\n100.5 51 2.2\n101 5",
          las2Head + "100 50 2.1\n100.5 51 2.2\n101\n",
          std::string("~VERSION\n VERS. 2.0 :\n WRAP. YES :\n~CURVE\n DEPT.M :\n GR.GAPI :\n"
                      " RHOB.G/C3 :\n~A\n100\n50 2.1\n100.5\n51 2.2\n101\n52")}) {
        LasParser::Result const result = LasParser().parse(text);
        ASSERT_EQ(LasParser::Status::Ok, result.status) << result.error.toStdString();
        EXPECT_EQ(3u, result.file.rowCount());
        EXPECT_EQ(1, result.file.issues.count(LasIssues::LastRowCutShort));
        EXPECT_EQ(0, result.file.issues.count(LasIssues::ShortRow));
        QStringList const warnings = result.file.issues.warnings();
        ASSERT_EQ(1, warnings.size());
        EXPECT_TRUE(warnings.front().contains("cut short")) << warnings.front().toStdString();
        EXPECT_FALSE(result.file.issues.comments().join(' ').contains("cut short"));
    }
    // A short row inside the data stays a plain comment.
    LasParser::Result const inside = LasParser().parse(las2Head + "100 50\n100.5 51 2.2\n");
    EXPECT_EQ(1, inside.file.issues.count(LasIssues::ShortRow));
    EXPECT_TRUE(inside.file.issues.warnings().isEmpty());
}

TEST(LasRealFiles, TheSummaryShowsTheCutShortRowAsAWarning) {
    using quarro::housekeeping::DocumentManager;
    QTemporaryDir dir;
    QString const path = dir.filePath("download.las");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(las2Head + "100 50 2.1\n100.5 51 2.2\n101 5"));
    file.close();
    auto const id = DocumentManager::instance().create_document();
    quarro::readers::LasReader reader;
    auto const source = boost::make_shared<quarro::housekeeping::DataSource>(
        quarro::utilities::filesystem_to_url(QStringList{path}), nullptr);
    EXPECT_EQ(quarro::import::AbstractFileReader::IMPORT_OK,
              reader.import_data(source, id, true, nullptr, false));
    QString const summary = reader.import_summary();
    int const warning = summary.indexOf("<b><font color='#c05000'>Warning:</font></b> line 13: the "
                                        "last row is incomplete (file cut short?)");
    EXPECT_GE(warning, 0) << summary.toStdString();
    EXPECT_LT(warning, summary.indexOf("3 samples")) << summary.toStdString();
    DocumentManager::instance().destroy_all();
}

struct Las3 {
    char const* name;
    std::string text;
    std::vector<std::string> curves;
    std::vector<double> lastRow;
    // Sections of further log sets, listed as not read.
    int notRead = 0;
};

void PrintTo(Las3 const& file, std::ostream* out) {
    *out << file.name;
}

class LasThreeFiles : public testing::TestWithParam<Las3> {};

TEST_P(LasThreeFiles, ReadTheFirstLogDataSection) {
    LasParser::Result const result = LasParser().parse(GetParam().text);
    ASSERT_EQ(LasParser::Status::Ok, result.status) << result.error.toStdString();
    std::vector<std::string> names;
    for (auto const& curve : result.file.curves) {
        names.push_back(curve.mnemonic.toStdString());
    }
    EXPECT_EQ(GetParam().curves, names);
    ASSERT_EQ(names.size(), result.file.columns.size());
    ASSERT_GT(result.file.rowCount(), 0u);
    for (std::size_t c = 0; c < names.size(); ++c) {
        double const value = result.file.columns[c].back();
        double const expected = GetParam().lastRow[c];
        EXPECT_TRUE(std::isnan(expected) ? std::isnan(value) : value == expected)
            << names[c] << " " << value;
    }
    LasIssues const& issues = result.file.issues;
    EXPECT_EQ(GetParam().notRead, issues.count(LasIssues::ExtraDataSection))
        << issues.comments().join('\n').toStdString();
    EXPECT_EQ(0, issues.count(LasIssues::LongRow) + issues.count(LasIssues::ShortRow) +
                     issues.count(LasIssues::TextLineInData))
        << issues.comments().join('\n').toStdString();
}

std::string const version3(char const* dlm) {
    return std::string("~Version\n VERS. 3.0 : CWLS LOG ASCII STANDARD -VERSION 3.0\n"
                       " WRAP. NO : One line per depth step\n DLM . ") +
           dlm +
           " : delimiter\n~Well\n STRT .M 100 : start\n STOP .M 101 : stop\n"
           " NULL . -999.25 : null\n";
}
double const none = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    Files, LasThreeFiles,
    testing::Values(
        Las3{"comma",
             version3("COMMA") +
                 "~Log_Parameter\n BHT .DEGC 35.5 : bottom hole temperature\n"
                 "~Log_Definition\n DEPT .M : depth {F}\n GR .GAPI : gamma ray {F} | Log_Data\n"
                 " LITH . : lithology {S}\n"
                 "~Log_Data | Log_Definition\n100.0, 50.5, \"sand, fine\"\n100.5, -999.25, shale\n",
             {"DEPT", "GR", "LITH"},
             {100.5, none, none}},
        Las3{"core_first",
             version3("SPACE") +
                 "~Core_Definition\n CORET .M : core top\n COREB .M : core bottom\n"
                 "~Core_Data | Core_Definition\n 95 96\n~Log_Definition\n DEPT .M : depth\n"
                 " GR .GAPI : gamma\n~Log_Data | Log_Definition\n 100 50\n 100.5 60\n"
                 "~Drilling_Definition\n DEPT .M :\n ROP .M/H :\n~Drilling_Data\n 1 2\n",
             {"DEPT", "GR"},
             {100.5, 60}},
        Las3{"tab",
             version3("TAB") + "~Curve\n DEPT .M : depth\n GR .GAPI : gamma\n~ASCII\n"
                               "100\t50\n100.5\t\t\n",
             {"DEPT", "GR"},
             {100.5, none}},
        Las3{"second_log_set",
             version3("COMMA") +
                 "~Log_Definition[1]\n DEPT .M :\n GR .GAPI :\n~Log_Data[1] | Log_Definition[1]\n"
                 "100,50\n~Log_Definition[2]\n DEPT .M :\n DT .US/M :\n"
                 "~Log_Data[2] | Log_Definition[2]\n200,300\n",
             {"DEPT", "GR"},
             {100, 50},
             1}),
    [](testing::TestParamInfo<Las3> const& info) { return std::string(info.param.name); });

} // namespace
