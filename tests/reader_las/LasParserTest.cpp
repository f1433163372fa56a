#include "LasParser.h"
#include "LasWell.h"
#include "ReaderTestFixture.h"
#include "TextDecoder.h"
#include "model/Well.h"

#include <gtest/gtest.h>

using quarro::readers::LasFile;
using quarro::readers::LasIssues;
using quarro::readers::LasItem;
using quarro::readers::LasParser;

namespace {

// A LAS 2.0 file with the given curve lines and data, and extra ~W lines (with three curves the
// data begins on line 15).
std::string las(std::string const& curves, std::string const& data,
                std::string const& wellLines = std::string(),
                std::string const& wrap = " WRAP. NO  : ONE LINE PER DEPTH STEP\n") {
    return "~VERSION INFORMATION\n VERS. 2.0 : CWLS LOG ASCII STANDARD\n" + wrap +
           "~WELL INFORMATION\n STRT.M 100.0 : START DEPTH\n STOP.M 101.0 : STOP DEPTH\n"
           " STEP.M 0.5 : STEP\n NULL.  -999.25 : NULL VALUE\n WELL.  W-1 : WELL\n" +
           wellLines + "~CURVE INFORMATION\n" + curves + "~A\n" + data;
}

std::string const three = " DEPT.M : depth\n GR.GAPI : gamma ray\n RHOB.G/C3 : density\n";

LasFile parseOk(std::string const& text) {
    LasParser::Result result = LasParser().parse(text);
    EXPECT_EQ(LasParser::Status::Ok, result.status) << result.error.toStdString();
    return std::move(result.file);
}

LasItem item(std::vector<LasItem> const& items, QString const& mnemonic) {
    for (LasItem const& found : items) {
        if (found.mnemonic == mnemonic) {
            return found;
        }
    }
    return LasItem{QStringLiteral("<missing>"), {}, {}, {}};
}

std::string comments(LasFile const& file) {
    return file.issues.comments().join(QLatin1Char('\n')).toStdString();
}

} // namespace

TEST(LasParser, HeaderLinesWithColonsPeriodsAndMissingDelimiters) {
    LasFile const file = parseOk(las(" DEPT.M : depth: measured from KB\n TIME.HH:MM    : time\n"
                                     " S.P.  .MV     : sp\n GR.1.GAPI     : gr\n CALI .IN\n",
                                     "100.0 12:30 1 2 3\n",
                                     " DATE.  13:45:10 : LOG TIME: local\n COMP   ACME OIL : C\n"
                                     " DEPTH DT RHOB NPHI\n"));
    std::string curves;
    for (auto const& curve : file.curves) {
        curves += (curve.mnemonic + '|' + curve.unit + '|' + curve.description + ';').toStdString();
    }
    EXPECT_EQ("DEPT|M|depth: measured from KB;TIME|HH:MM|time;S.P.|MV|sp;GR.1|GAPI|gr;CALI|IN|;",
              curves);
    EXPECT_EQ("13:45:10", item(file.wellItems, "DATE").value);
    EXPECT_EQ("LOG TIME: local", item(file.wellItems, "DATE").description);
    EXPECT_EQ("ACME OIL", item(file.wellItems, "COMP").value);
    EXPECT_EQ(1, file.issues.count(LasIssues::NoPeriod));
    EXPECT_EQ(1, file.issues.count(LasIssues::NoColon));
    EXPECT_NE(std::string::npos, comments(file).find("line 12: header line without '.' or ':' "
                                                     "skipped (\"DEPTH DT RHOB NPHI\")"))
        << comments(file);
    EXPECT_TRUE(std::isnan(file.columns.at(1).at(0))) << "a time in the data is no value";
}

// The data section: one row per behaviour, each checking one column, the faults of one kind and
// a comment naming the line.
struct DataCase {
    char const* name;
    std::string text;
    std::size_t column;
    char const* values;
    LasIssues::Kind kind;
    int count;
    char const* comment;
};

TEST(LasParser, DataSectionCases) {
    std::string const nulls = las(three, "100.0  -999.25   2.5\n100.5  9999      1.#IND\n"
                                         "101.0  9998      ****\n101.5  ERR       -1.#IND00\n"
                                         "-999.25 10000    NaN\n9999   -9999.25  999.25\n"
                                         "102.5  +12.5     -\n");
    std::string const five = " DEPT.M : d\n A.  : a\n B.  : b\n C.  : c\n D.  : d\n";
    std::string otherNull = las(" DEPT.M : d\n GR.GAPI : g\n", "1.0 -99999\n2.0 -999.25\n3.0 7\n");
    otherNull.replace(otherNull.find("-999.25 : NULL"), 7, "-99999");
    std::string manyShort;
    for (int row = 0; row < 12; ++row) {
        manyShort += std::to_string(100 + row) + " 1\n";
    }
    std::vector<DataCase> const cases = {
        {"null depth", nulls, 0, "100 100.5 101 101.5 nan 9999 102.5", LasIssues::NullDepth, 1,
         "line 19: the depth is NULL"},
        {"null spellings", nulls, 1, "nan nan 9998 nan 10000 nan 12.5", LasIssues::TextInData, 1,
         "line 18: text in the data read as no value (\"ERR\")"},
        {"null text", nulls, 2, "2.5 nan nan nan nan nan nan", LasIssues::TextInData, 1, ""},
        {"null of the header", otherNull, 1, "nan nan 7", LasIssues::TextInData, 0, ""},
        {"wrapped",
         las(five, "100.0\n 1 2 3\n 4\n100.5\n 5 6\n 7 8\n101.0\n 9\n", "", " WRAP. YES : w\n"), 2,
         "2 6 nan", LasIssues::LastRowCutShort, 1, ""},
        {"wrapped though WRAP is NO", las(five, "100.0\n 1 2 3 4\n100.5\n 5 6 7 8\n"), 4, "4 8",
         LasIssues::WrapMismatch, 1, "WRAP is NO but the data is wrapped"},
        {"short row",
         las(three, "100.0 1 2\n100.5 3\n# c\nEND OF DATA\n101.0 4 5 6 7\n\n101.5\t8\t9\r\n"), 2,
         "2 nan 5 9", LasIssues::ShortRow, 1, "line 16: row with fewer values than curves"},
        {"long row", las(three, "100.0 1 2\n100.5 3 4 5 6\n"), 1, "1 3", LasIssues::LongRow, 1,
         "line 16: row with more values than curves"},
        {"text line", las(three, "100.0 1 2\nEND OF DATA\n100.5 3 4\n"), 0, "100 100.5",
         LasIssues::TextLineInData, 1,
         "line 16: line of text in the data skipped (\"END OF DATA\")"},
        {"repeated faults in one comment", las(three, manyShort), 1, "1 1 1 1 1 1 1 1 1 1 1 1",
         LasIssues::ShortRow, 12, "lines 15, 16, 17, 18, 19 and 7 more: row with fewer"},
        {"text after the end mark", las(three, "100.0 1 2\n\x1Agarbage\n"), 1, "1",
         LasIssues::TextAfterEndMark, 1, ""},
        {"curves from the title of ~A",
         "~VERSION\n VERS. 2.0 : v\n~WELL\n NULL. -99999 : null\n~A   DEPT[M]   CALI   GAMN\n"
         "12.0  101.78  -99999\n",
         2, "nan", LasIssues::CurvesFromDataTitle, 1, ""},
    };
    for (DataCase const& c : cases) {
        SCOPED_TRACE(c.name);
        LasFile const file = parseOk(c.text);
        ASSERT_LT(c.column, file.columns.size());
        EXPECT_EQ(c.values, quarro::test::joined(file.columns[c.column]));
        EXPECT_EQ(c.count, file.issues.count(c.kind)) << comments(file);
        EXPECT_NE(std::string::npos, comments(file).find(c.comment)) << comments(file);
    }
}

TEST(LasParser, LineEndsEndMarkByteOrderMarkAndWindows1252) {
    std::string const unix = las(three, "100.0 1 2\n100.5 3 4\n");
    std::string dos;
    for (char c : unix) {
        dos += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    LasFile const plain = parseOk(unix);
    LasFile const windows = parseOk("\xEF\xBB\xBF" + dos + "\x1A");
    EXPECT_EQ(plain.columns, windows.columns);
    EXPECT_EQ("W-1", item(windows.wellItems, "WELL").value);
    EXPECT_TRUE(windows.issues.isEmpty()) << comments(windows);

    LasFile const latin = parseOk(las(three, "1 2 3\n", " TEMP.\xB0\x43 20 : \x80 cost\n"));
    EXPECT_EQ(1, latin.issues.count(LasIssues::NotUtf8));
    EXPECT_NE(std::string::npos, comments(latin).find("line 10: the text is not UTF-8"));
    EXPECT_EQ(QString::fromUtf8("\xC2\xB0\x43"), item(latin.wellItems, "TEMP").unit);
    EXPECT_EQ(QString::fromUtf8("\xE2\x82\xAC cost"), item(latin.wellItems, "TEMP").description);
    using quarro::readers::TextDecoder;
    EXPECT_TRUE(TextDecoder::isValidUtf8("\xF0\x9F\x98\x80 \xE4\xBA\x95 plain text"));
    for (char const* bad : {"\xC0\xAF", "\xED\xA0\x80", "abcdefgh\xE4\xBA"}) {
        EXPECT_FALSE(TextDecoder::isValidUtf8(bad)) << bad;
    }
}

TEST(LasParser, RepeatedAndEmptyMnemonicsAreNumbered) {
    EXPECT_EQ((QStringList{"GR:2", "GR:1", "GR:3", "UNKNOWN:1", "UNKNOWN:2"}),
              quarro::readers::numberRepeatedMnemonics({"GR", "GR:1", "GR", "", "UNKNOWN"}));
    LasFile file = parseOk(
        las(" DEPT.M : d\n GR.GAPI : first\n GR.GAPI : second\n .V/V : x\n", "100.0 1 2 3\n"));
    auto const well = quarro::readers::makeWell(file, "a.las");
    QStringList curves;
    for (auto const& curve : well->curves()) {
        curves << curve.mnemonic + ' ' + curve.description;
    }
    EXPECT_EQ((QStringList{"GR:1 first", "GR:2 second", "UNKNOWN x"}), curves);
    EXPECT_EQ(2, file.issues.count(LasIssues::RepeatedMnemonic));
    EXPECT_EQ(1, file.issues.count(LasIssues::CurveWithoutMnemonic));
}

TEST(LasParser, FilesThatCannotGiveAWellFailNamingTheLine) {
    std::string const noData = las(three, "");
    std::string manyCurves;
    std::string oneValueRows;
    for (int i = 0; i < 2000; ++i) {
        manyCurves += " C" + std::to_string(i) + ".  : c\n";
        oneValueRows += "1 2\n";
    }
    std::vector<std::pair<std::string, char const*>> const cases = {
        {noData.substr(0, noData.find("~A")), "line 13: the file ends without a ~A (data) section"},
        {las(three, "# nothing\n\n"), "line 14: the ~A section holds no data"},
        {"~VERSION\n VERS. 2.0 : v\n~A\n1 2 3\n",
         "line 3: no curve definitions (~CURVE) name the columns of ~A"},
        {"Depth,GR\n1,2\n", "line 1: a LAS file begins with a section line such as ~VERSION, "
                            "not \"Depth,GR\""},
        {"# only a comment\n\n",
         "line 2: no LAS section (~VERSION, ~WELL, ~CURVE, ~A) in the file"},
        {std::string("~VERSION\n VERS. 2.0 : v\n\0\0", 26),
         "line 3: binary data (a NUL byte): not a LAS text file"},
        {"\xFF\xFE~\0V\0", "line 1: the file is UTF-16 text; save it as UTF-8 or ASCII"},
        {las(manyCurves, oneValueRows), "line 2061: too many missing values: the rows hold far "
                                        "fewer values than the 2000 curves"},
    };
    for (auto const& [text, error] : cases) {
        LasParser::Result const result = LasParser().parse(text);
        EXPECT_EQ(LasParser::Status::Failed, result.status) << error;
        EXPECT_EQ(QString::fromUtf8(error), result.error);
        EXPECT_TRUE(result.file.columns.empty());
    }
}

// A download cut short leaves a short last row: a warning, not a comment; a short row inside the
// data stays a comment.
TEST(LasParser, ARowCutShortAtTheEndIsAWarning) {
    std::string const head = las(three, "100 50 2.1\n100.5 51 2.2\n");
    for (auto const& [text, line] : std::vector<std::pair<std::string, int>>{
             {head + "101 5", 17},
             {head + "101\n", 17},
             {las(three, "100\n50 2.1\n100.5\n51 2.2\n101\n52", "", " WRAP. YES : w\n"), 20}}) {
        LasFile const file = parseOk(text);
        EXPECT_EQ(3u, file.rowCount());
        EXPECT_EQ(0, file.issues.count(LasIssues::ShortRow));
        std::string const warning =
            "line " + std::to_string(line) + ": the last row is incomplete (file cut short?)";
        ASSERT_EQ(1, file.issues.warnings().size());
        EXPECT_TRUE(quarro::test::begins(file.issues.warnings()[0], warning.c_str()))
            << file.issues.warnings()[0].toStdString();
        EXPECT_EQ(std::string::npos, comments(file).find("cut short"));
    }
    LasFile const inside = parseOk(las(three, "100 50\n100.5 51 2.2\n"));
    EXPECT_EQ(1, inside.issues.count(LasIssues::ShortRow));
    EXPECT_TRUE(inside.issues.warnings().isEmpty());
}

// LAS 3.0: the first log set is read, with its delimiter (the row's name up to '_'); other sections
// are listed as not read.
struct Las3 {
    char const* name;
    std::string sections;
    char const* curves;
    char const* lastRow;
    LasIssues::Kind notReadKind;
    int notRead;
};

TEST(LasParser, Las3ReadsTheFirstLogDataSection) {
    std::vector<Las3> const cases = {
        {"COMMA",
         "~Log_Parameter\n BS .MM 200.0 : BIT SIZE {F} | Run[1]\n~Log_Definition\n"
         " DEPT .M : depth {F}\n GR .GAPI : gamma ray {F} | Log_Data\n LITH . : lith {S}\n"
         "~Log_Data | Log_Definition\n100.0, 50.5, \"sand, fine\"\n100.5,    , shale\n"
         "~Tops_Definition\n TOP. : formation top\n~Tops_Data\n Brent, 100.2\n",
         "DEPT GR LITH ", "100.5 nan nan", LasIssues::SectionNotRead, 2},
        {"SPACE_core_first",
         "~Core_Definition\n CORET .M : core top\n COREB .M : core bottom\n"
         "~Core_Data | Core_Definition\n 95 96\n~Log_Definition\n DEPT .M : depth\n"
         " GR .GAPI : gamma\n~Log_Data | Log_Definition\n 100 50\n 100.5 60\n",
         "DEPT GR ", "100.5 60", LasIssues::ExtraDataSection, 0},
        {"TAB", "~Curve\n DEPT .M : depth\n GR .GAPI : gamma\n~ASCII\n100\t50\n100.5\t\t\n",
         "DEPT GR ", "100.5 nan", LasIssues::ExtraDataSection, 0},
        {"COMMA_second_log_set",
         "~Log_Definition[1]\n DEPT .M :\n GR .GAPI :\n~Log_Data[1] | Log_Definition[1]\n"
         "100,50\n~Log_Definition[2]\n DEPT .M :\n DT .US/M :\n"
         "~Log_Data[2] | Log_Definition[2]\n200,300\n",
         "DEPT GR ", "100 50", LasIssues::ExtraDataSection, 1}};
    for (Las3 const& c : cases) {
        SCOPED_TRACE(c.name);
        std::string const dlm = std::string(c.name).substr(0, std::string(c.name).find('_'));
        LasFile const file = parseOk("~Version\n VERS. 3.0 : CWLS LOG ASCII STANDARD -VERSION 3.0\n"
                                     " WRAP. NO : One line per depth step\n DLM . " +
                                     dlm +
                                     " : delimiter\n~Well\n"
                                     " NULL . -999.25 : null\n WELL . W-3 : WELL {S}\n" +
                                     c.sections);
        EXPECT_DOUBLE_EQ(3.0, file.versionNumber);
        EXPECT_EQ("WELL", item(file.wellItems, "WELL").description)
            << "the format brace is cut off";
        std::string names;
        std::vector<double> lastRow;
        for (std::size_t i = 0; i < file.curves.size(); ++i) {
            names += file.curves[i].mnemonic.toStdString() + ' ';
            lastRow.push_back(file.columns.at(i).back());
        }
        EXPECT_EQ(c.curves, names);
        EXPECT_EQ(c.lastRow, quarro::test::joined(lastRow));
        EXPECT_EQ(c.notRead, file.issues.count(c.notReadKind)) << comments(file);
        EXPECT_EQ(0, file.issues.count(LasIssues::LongRow) +
                         file.issues.count(LasIssues::ShortRow) +
                         file.issues.count(LasIssues::TextLineInData))
            << comments(file);
    }
}
