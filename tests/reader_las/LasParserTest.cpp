#include "LasParser.h"
#include "TextDecoder.h"
#include "LasWell.h"
#include "importwidgets/CancelHook.h"
#include "model/Well.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using quarro::readers::LasFile;
using quarro::readers::LasIssues;
using quarro::readers::LasItem;
using quarro::readers::LasParser;
using quarro::readers::TextDecoder;

namespace {

// A LAS 2.0 file with the given curve lines and data, and extra ~W lines.
std::string las(std::string const& curves, std::string const& data,
                std::string const& wellLines = std::string(),
                std::string const& version = " VERS. 2.0 : CWLS LOG ASCII STANDARD\n"
                                             " WRAP. NO  : ONE LINE PER DEPTH STEP\n") {
    return "~VERSION INFORMATION\n" + version +
           "~WELL INFORMATION\n"
           " STRT.M 100.0 : START DEPTH\n"
           " STOP.M 101.0 : STOP DEPTH\n"
           " STEP.M 0.5 : STEP\n"
           " NULL.  -999.25 : NULL VALUE\n"
           " WELL.  W-1 : WELL\n" +
           wellLines + "~CURVE INFORMATION\n" + curves + "~A\n" + data;
}

std::string const three_curves = " DEPT.M : depth\n GR.GAPI : gamma ray\n RHOB.G/C3 : density\n";

LasParser::Result parse(std::string const& text) {
    return LasParser().parse(text);
}

LasFile parseOk(std::string const& text) {
    LasParser::Result result = parse(text);
    EXPECT_EQ(LasParser::Status::Ok, result.status) << result.error.toStdString();
    return std::move(result.file);
}

LasItem const* findItem(std::vector<LasItem> const& items, QString const& mnemonic) {
    for (LasItem const& item : items) {
        if (item.mnemonic == mnemonic) {
            return &item;
        }
    }
    return nullptr;
}

std::vector<double> column(LasFile const& file, std::size_t index) {
    return index < file.columns.size() ? file.columns[index] : std::vector<double>();
}

QString comments(LasFile const& file) {
    return file.issues.comments().join(QLatin1Char('\n'));
}

} // namespace

TEST(LasParser, HeaderLinesWithColonsPeriodsAndMissingDelimiters) {
    LasFile const file = parseOk(las(" DEPT.M : depth: measured from KB\n"
                                     " TIME.HH:MM    : time of day\n"
                                     " S.P.  .MV     : spontaneous potential\n"
                                     " GR.1.GAPI     : second gamma ray\n"
                                     " CALI .IN\n",
                                     "100.0 12:30 1 2 3\n",
                                     " DATE.  13:45:10 : LOG TIME: local\n"
                                     " COMP   ACME OIL : COMPANY\n"
                                     " DEPTH DT RHOB NPHI\n"));
    ASSERT_EQ(5u, file.curves.size());
    EXPECT_EQ("DEPT", file.curves[0].mnemonic);
    EXPECT_EQ("depth: measured from KB", file.curves[0].description);
    EXPECT_EQ("TIME", file.curves[1].mnemonic);
    EXPECT_EQ("HH:MM", file.curves[1].unit);
    EXPECT_EQ("time of day", file.curves[1].description);
    EXPECT_EQ("S.P.", file.curves[2].mnemonic);
    EXPECT_EQ("MV", file.curves[2].unit);
    EXPECT_EQ("GR.1", file.curves[3].mnemonic);
    EXPECT_EQ("GAPI", file.curves[3].unit);
    EXPECT_EQ("CALI", file.curves[4].mnemonic);
    EXPECT_EQ("IN", file.curves[4].unit);

    // A time keeps its colons; the description keeps its own.
    LasItem const* date = findItem(file.wellItems, QStringLiteral("DATE"));
    ASSERT_NE(nullptr, date);
    EXPECT_EQ("13:45:10", date->value);
    EXPECT_EQ("LOG TIME: local", date->description);
    // No period: the first word is the mnemonic, the rest up to the colon the value.
    LasItem const* company = findItem(file.wellItems, QStringLiteral("COMP"));
    ASSERT_NE(nullptr, company);
    EXPECT_EQ("ACME OIL", company->value);
    EXPECT_EQ("", company->unit);
    // Neither period nor colon: not a header line.
    EXPECT_EQ(nullptr, findItem(file.wellItems, QStringLiteral("DEPTH")));

    EXPECT_EQ(1, file.issues.count(LasIssues::NoPeriod));
    EXPECT_EQ(1, file.issues.count(LasIssues::NoColon));
    EXPECT_EQ(1, file.issues.count(LasIssues::HeaderLineSkipped));
    EXPECT_TRUE(comments(file).contains("line 12: header line without '.' or ':' skipped "
                                        "(\"DEPTH DT RHOB NPHI\")"))
        << comments(file).toStdString();
    // "12:30" is not a number: text in the data, no value.
    EXPECT_TRUE(std::isnan(column(file, 1).at(0)));
}

TEST(LasParser, Las12WellSectionHasItsValueAfterTheColon) {
    LasFile const file =
        parseOk("~VERSION INFORMATION\n"
                " VERS.                  1.2:   CWLS LOG ASCII STANDARD -VERSION 1.2\n"
                " WRAP.                  NO:   ONE LINE PER DEPTH STEP\n"
                "~WELL INFORMATION BLOCK\n"
                " STRT.M        1670.000000:\n"
                " NULL.           -999.2500:\n"
                " COMP.             COMPANY:   # ANY OIL COMPANY LTD.\n"
                " WELL.                WELL:   ANY ET AL OIL WELL #12\n"
                " FLD .               FIELD:\n"
                "~CURVE INFORMATION\n"
                " DEPT.M   :  1  DEPTH\n"
                " DT  .US/M:  2  SONIC TRANSIT TIME\n"
                "~PARAMETER INFORMATION\n"
                " BHT .DEGC         35.5000:   BOTTOM HOLE TEMPERATURE\n"
                "~A DEPTH DT\n"
                "1670.0 -999.25\n");
    EXPECT_EQ("1.2", file.version);
    EXPECT_DOUBLE_EQ(1.2, file.versionNumber);
    ASSERT_TRUE(file.nullValue.has_value());
    EXPECT_DOUBLE_EQ(-999.25, *file.nullValue);
    EXPECT_EQ("1670.000000", findItem(file.wellItems, "STRT")->value);
    EXPECT_EQ("# ANY OIL COMPANY LTD.", findItem(file.wellItems, "COMP")->value);
    EXPECT_EQ("COMPANY", findItem(file.wellItems, "COMP")->description);
    EXPECT_EQ("ANY ET AL OIL WELL #12", findItem(file.wellItems, "WELL")->value);
    // Nothing after the colon: the value stays where it is.
    EXPECT_EQ("FIELD", findItem(file.wellItems, "FLD")->value);
    // ~P keeps the usual order.
    EXPECT_EQ("35.5000", findItem(file.parameters, "BHT")->value);
    EXPECT_TRUE(std::isnan(column(file, 1).at(0)));
}

TEST(LasParser, NullSpellingsTextAndNullDepths) {
    LasFile const file = parseOk(las(three_curves, "100.0  -999.25   2.5\n"
                                                   "100.5  9999      1.#IND\n"
                                                   "101.0  9998      ****\n"
                                                   "101.5  ERR       -1.#IND00\n"
                                                   "-999.25 10000    NaN\n"
                                                   "9999   -9999.25  999.25\n"
                                                   "102.5  +12.5     -\n"));
    ASSERT_EQ(3u, file.columns.size());
    std::vector<double> const depth = column(file, 0);
    std::vector<double> const gr = column(file, 1);
    std::vector<double> const rhob = column(file, 2);
    ASSERT_EQ(7u, depth.size());
    EXPECT_DOUBLE_EQ(100.0, depth[0]);
    EXPECT_TRUE(std::isnan(depth[4])) << "the header NULL applies to the depth";
    EXPECT_DOUBLE_EQ(9999.0, depth[5]) << "a depth of 9999 is a depth";
    EXPECT_DOUBLE_EQ(102.5, depth[6]);

    EXPECT_TRUE(std::isnan(gr[0]));
    EXPECT_TRUE(std::isnan(gr[1])) << "9999 stands for no value in a log curve";
    EXPECT_DOUBLE_EQ(9998.0, gr[2]);
    EXPECT_TRUE(std::isnan(gr[3]));
    EXPECT_DOUBLE_EQ(10000.0, gr[4]);
    EXPECT_TRUE(std::isnan(gr[5]));
    EXPECT_DOUBLE_EQ(12.5, gr[6]);

    EXPECT_DOUBLE_EQ(2.5, rhob[0]);
    for (std::size_t row = 1; row < 7; ++row) {
        EXPECT_TRUE(std::isnan(rhob[row])) << "row " << row;
    }

    // Known spellings are silent; other text and the NULL depth are reported.
    EXPECT_EQ(1, file.issues.count(LasIssues::TextInData));
    EXPECT_EQ(1, file.issues.count(LasIssues::NullDepth));
    EXPECT_TRUE(comments(file).contains("line 18: text in the data read as no value (\"ERR\")"))
        << comments(file).toStdString();
    EXPECT_TRUE(comments(file).contains("line 19: the depth is NULL"));
}

TEST(LasParser, HeaderNullOtherThanTheDefault) {
    std::string text = las(" DEPT.M : d\n GR.GAPI : g\n", "1.0 -99999\n2.0 -999.25\n3.0 7\n");
    text.replace(text.find("-999.25 : NULL"), 7, "-99999");
    LasFile const file = parseOk(text);
    EXPECT_DOUBLE_EQ(-99999.0, *file.nullValue);
    std::vector<double> const gr = column(file, 1);
    EXPECT_TRUE(std::isnan(gr[0]));
    EXPECT_TRUE(std::isnan(gr[1]));
    EXPECT_DOUBLE_EQ(7.0, gr[2]);
}

TEST(LasParser, WrappedRowsAndRowsOfTheWrongLength) {
    std::string const curves = " DEPT.M : d\n A.  : a\n B.  : b\n C.  : c\n D.  : d\n";
    std::string const wrapVersion = " VERS. 2.0 : v\n WRAP. YES : wrapped\n";
    LasFile wrapped = parseOk(las(curves,
                                  "100.0\n 1 2 3\n 4\n"
                                  "100.5\n 5 6\n 7 8\n"
                                  "101.0\n 9\n",
                                  std::string(), wrapVersion));
    EXPECT_TRUE(wrapped.wrapped);
    ASSERT_EQ(3u, wrapped.rowCount());
    EXPECT_EQ((std::vector<double>{1, 5, 9}), column(wrapped, 1));
    std::vector<double> const last = column(wrapped, 4);
    EXPECT_EQ((std::vector<double>{4, 8}), std::vector<double>(last.begin(), last.begin() + 2));
    EXPECT_TRUE(std::isnan(column(wrapped, 2)[2]));
    EXPECT_EQ(1, wrapped.issues.count(LasIssues::LastRowCutShort));

    // Declared unwrapped but written wrapped.
    LasFile mismatch = parseOk(las(curves, "100.0\n 1 2 3 4\n100.5\n 5 6 7 8\n"));
    EXPECT_EQ(2u, mismatch.rowCount());
    EXPECT_EQ((std::vector<double>{4, 8}), column(mismatch, 4));
    EXPECT_TRUE(mismatch.issues.has(LasIssues::WrapMismatch));

    // Unwrapped rows: a short one is padded, a long one cut, text and comment lines skipped.
    LasFile rows = parseOk(las(three_curves, "100.0 1 2\n"
                                             "100.5 3\n"
                                             "# a comment\n"
                                             "END OF DATA\n"
                                             "101.0 4 5 6 7\n"
                                             "\n"
                                             "101.5\t8\t9\r\n"));
    ASSERT_EQ(4u, rows.rowCount());
    EXPECT_EQ((std::vector<double>{100.0, 100.5, 101.0, 101.5}), column(rows, 0));
    EXPECT_TRUE(std::isnan(column(rows, 2)[1]));
    EXPECT_DOUBLE_EQ(5.0, column(rows, 2)[2]);
    EXPECT_DOUBLE_EQ(9.0, column(rows, 2)[3]);
    EXPECT_EQ(1, rows.issues.count(LasIssues::ShortRow));
    EXPECT_EQ(1, rows.issues.count(LasIssues::LongRow));
    EXPECT_EQ(1, rows.issues.count(LasIssues::TextLineInData));
    EXPECT_TRUE(comments(rows).contains("line 16: row with fewer values than curves"));
    EXPECT_TRUE(comments(rows).contains("line 18: line of text in the data skipped "
                                        "(\"END OF DATA\")"));
}

TEST(LasParser, RepeatedFaultsMakeOneCommentEach) {
    std::string data;
    for (int row = 0; row < 12; ++row) {
        data += std::to_string(100 + row) + " 1\n";
    }
    LasFile const file = parseOk(las(three_curves, data));
    EXPECT_EQ(12, file.issues.count(LasIssues::ShortRow));
    QStringList const lines = file.issues.comments();
    ASSERT_EQ(1, lines.size());
    EXPECT_TRUE(lines.front().startsWith("lines 15, 16, 17, 18, 19 and 7 more: row with fewer"))
        << lines.front().toStdString();
}

TEST(LasParser, LineEndsEndMarkAndByteOrderMark) {
    std::string const unix = las(three_curves, "100.0 1 2\n100.5 3 4\n");
    std::string dos;
    for (char c : unix) {
        if (c == '\n') {
            dos += '\r';
        }
        dos += c;
    }
    LasFile const a = parseOk(unix);
    LasFile const b = parseOk("\xEF\xBB\xBF" + dos + "\x1A");
    EXPECT_EQ(a.columns, b.columns);
    EXPECT_EQ("W-1", findItem(b.wellItems, "WELL")->value);
    EXPECT_EQ("depth", b.curves[0].description);
    EXPECT_TRUE(b.issues.isEmpty()) << comments(b).toStdString();

    LasFile const c = parseOk(unix + "\x1A" + "garbage after the mark\n");
    EXPECT_EQ(a.columns, c.columns);
    EXPECT_TRUE(c.issues.has(LasIssues::TextAfterEndMark));
}

TEST(LasParser, TextThatIsNotUtf8IsReadAsWindows1252) {
    // Latin-1 degree sign and a Windows-1252 euro sign.
    LasFile const latin = parseOk(las(three_curves, "100.0 1 2\n",
                                      " TEMP.\xB0"
                                      "C 20 : \x80 cost\n"));
    EXPECT_EQ(QString::fromUtf8("\xC2\xB0"
                                "C"),
              findItem(latin.wellItems, "TEMP")->unit);
    EXPECT_EQ(QString::fromUtf8("\xE2\x82\xAC cost"),
              findItem(latin.wellItems, "TEMP")->description);
    EXPECT_TRUE(comments(latin).contains("line 10: the text is not UTF-8"));

    LasFile const utf8 = parseOk(las(three_curves, "100.0 1 2\n",
                                     " TEMP.\xC2\xB0"
                                     "C 20 : t\n"));
    EXPECT_EQ(QString::fromUtf8("\xC2\xB0"
                                "C"),
              findItem(utf8.wellItems, "TEMP")->unit);
    EXPECT_FALSE(utf8.issues.has(LasIssues::NotUtf8));

    EXPECT_TRUE(TextDecoder::isValidUtf8("plain ASCII text, longer than eight bytes"));
    EXPECT_TRUE(TextDecoder::isValidUtf8("\xF0\x9F\x98\x80 \xE4\xBA\x95"));
    EXPECT_FALSE(TextDecoder::isValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(TextDecoder::isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(TextDecoder::isValidUtf8("abcdefgh\xE4\xBA")); // cut short
}

TEST(LasParser, RepeatedAndEmptyMnemonicsAreNumbered) {
    using quarro::readers::numberRepeatedMnemonics;
    EXPECT_EQ((QStringList{"DEPT", "GR:1", "RHOB", "GR:2"}),
              numberRepeatedMnemonics({"DEPT", "GR", "RHOB", "GR"}));
    // A number another curve already has is skipped; empty names are UNKNOWN.
    EXPECT_EQ((QStringList{"GR:2", "GR:1", "GR:3", "UNKNOWN:1", "UNKNOWN:2"}),
              numberRepeatedMnemonics({"GR", "GR:1", "GR", "", "UNKNOWN"}));

    LasFile file = parseOk(
        las(" DEPT.M : d\n GR.GAPI : first\n GR.GAPI : second\n .V/V : x\n", "100.0 1 2 3\n"));
    std::unique_ptr<quarro::model::Well> well = quarro::readers::makeWell(file, "a.las");
    ASSERT_EQ(3, well->curveCount());
    EXPECT_EQ("GR:1", well->curves()[0].mnemonic);
    EXPECT_EQ("first", well->curves()[0].description);
    EXPECT_EQ("GR:2", well->curves()[1].mnemonic);
    EXPECT_EQ("UNKNOWN", well->curves()[2].mnemonic);
    EXPECT_EQ(2, file.issues.count(LasIssues::RepeatedMnemonic));
    EXPECT_EQ(1, file.issues.count(LasIssues::CurveWithoutMnemonic));
}

TEST(LasParser, FilesThatCannotGiveAWellFailNamingTheLine) {
    struct Case {
        std::string text;
        char const* error;
    };
    std::vector<Case> const cases = {
        {las(three_curves, "").substr(0, las(three_curves, "").find("~A")),
         "line 13: the file ends without a ~A (data) section"},
        {las(three_curves, "# nothing\n\n"), "line 14: the ~A section holds no data"},
        {"~VERSION\n VERS. 2.0 : v", "line 2: the file ends without a ~A (data) section"},
        {"~VERSION\n VERS. 2.0 : v\n~A\n1 2 3\n",
         "line 3: no curve definitions (~CURVE) name the columns of ~A"},
        {"Depth,GR\n1,2\n", "line 1: a LAS file begins with a section line such as ~VERSION, "
                            "not \"Depth,GR\""},
        {"", "line 1: no LAS section (~VERSION, ~WELL, ~CURVE, ~A) in the file"},
        {"# only a comment\n\n",
         "line 2: no LAS section (~VERSION, ~WELL, ~CURVE, ~A) in the file"},
        {std::string("~VERSION\n VERS. 2.0 : v\n\0\0", 26),
         "line 3: binary data (a NUL byte): not a LAS text file"},
        {"\xFF\xFE~\0V\0", "line 1: the file is UTF-16 text; save it as UTF-8 or ASCII"},
    };
    for (Case const& c : cases) {
        LasParser::Result const result = parse(c.text);
        EXPECT_EQ(LasParser::Status::Failed, result.status) << c.error;
        EXPECT_EQ(QString::fromUtf8(c.error), result.error);
        EXPECT_TRUE(result.file.columns.empty());
    }

    // Many declared curves and rows of one value: refused before the padding eats the memory.
    std::string curves;
    for (int i = 0; i < 2000; ++i) {
        curves += " C" + std::to_string(i) + ".  : c\n";
    }
    std::string data;
    for (int i = 0; i < 2000; ++i) {
        data += "1 2\n";
    }
    LasParser::Result const padded = parse(las(curves, data));
    EXPECT_EQ(LasParser::Status::Failed, padded.status);
    EXPECT_TRUE(padded.error.contains("too many missing values")) << padded.error.toStdString();
}

TEST(LasParser, FileCutShortKeepsWhatWasRead) {
    std::string const whole = las(three_curves, "100.0 1 2\n100.5 3 4\n101.0 5 6\n");
    LasFile const file = parseOk(whole.substr(0, whole.size() - 3)); // "101.0 5"
    ASSERT_EQ(3u, file.rowCount());
    EXPECT_DOUBLE_EQ(5.0, column(file, 1)[2]);
    EXPECT_TRUE(std::isnan(column(file, 2)[2]));
    EXPECT_TRUE(file.issues.has(LasIssues::LastRowCutShort));
}

TEST(LasParser, Las3LogSectionsWithCommas) {
    LasFile const file = parseOk("~Version\n"
                                 " VERS.   3.0 : CWLS LOG ASCII STANDARD -VERSION 3.0\n"
                                 " WRAP.   NO  : ONE LINE PER DEPTH STEP\n"
                                 " DLM .   COMMA : DELIMITING CHARACTER\n"
                                 "~Well\n"
                                 " NULL.   -999.25 : NULL VALUE\n"
                                 " WELL.   W-3 : WELL {S}\n"
                                 "~Log_Parameter\n"
                                 " BS .MM  200.0 : BIT SIZE {F} | Run[1]\n"
                                 "~Log_Definition\n"
                                 " DEPT .M    : DEPTH {F}\n"
                                 " GR   .GAPI : GAMMA RAY {F}\n"
                                 " FAC  .     : FACIES {S}\n"
                                 "~Log_Data | Log_Definition\n"
                                 "100.0, 55.5, sand\n"
                                 "100.5,     , shale\n"
                                 "~Tops_Definition\n"
                                 " TOP. : formation top\n"
                                 "~Tops_Data\n"
                                 " Brent, 100.2\n");
    EXPECT_DOUBLE_EQ(3.0, file.versionNumber);
    EXPECT_EQ("WELL", findItem(file.wellItems, "WELL")->description);
    EXPECT_EQ("BIT SIZE", findItem(file.parameters, "BS")->description);
    ASSERT_EQ(3u, file.curves.size());
    EXPECT_EQ("GAMMA RAY", file.curves[1].description);
    EXPECT_EQ((std::vector<double>{100.0, 100.5}), column(file, 0));
    EXPECT_DOUBLE_EQ(55.5, column(file, 1)[0]);
    EXPECT_TRUE(std::isnan(column(file, 1)[1]));
    EXPECT_TRUE(std::isnan(column(file, 2)[0]));
    EXPECT_EQ(2, file.issues.count(LasIssues::SectionNotRead));
    EXPECT_TRUE(comments(file).contains("lines 17 and 19: section not read (\"~Tops_Definition\")"))
        << comments(file).toStdString();
}

TEST(LasParser, ColumnNamesFromTheDataLineWhenThereIsNoCurveSection) {
    LasFile const file = parseOk("~VERSION\n VERS. 2.0 : v\n WRAP. NO : w\n"
                                 "~WELL\n NULL. -99999 : null\n"
                                 "~A   DEPT[M]   CALI   GAMN\n"
                                 "12.0  101.78  -99999\n");
    ASSERT_EQ(3u, file.curves.size());
    EXPECT_EQ("DEPT", file.curves[0].mnemonic);
    EXPECT_EQ("M", file.curves[0].unit);
    EXPECT_EQ("GAMN", file.curves[2].mnemonic);
    EXPECT_TRUE(std::isnan(column(file, 2)[0]));
    EXPECT_TRUE(file.issues.has(LasIssues::CurvesFromDataTitle));
}

namespace {

// Cancels once it has been asked `limit` times; records the progress it was told.
struct RecordingHook {
    int asked = 0;
    int limit;
    std::vector<double> progress;

    static bool isCancelled(void* user) {
        auto* self = static_cast<RecordingHook*>(user);
        return ++self->asked >= self->limit;
    }
    static void report(void* user, double percent) {
        static_cast<RecordingHook*>(user)->progress.push_back(percent);
    }
};

} // namespace

TEST(LasParser, PollsTheHookPerBlockAndStopsWhenCancelled) {
    std::string data;
    for (int row = 0; row < 20000; ++row) {
        data += std::to_string(100 + row) + ".0  12.25  2.345\n"; // ~20 bytes a row
    }
    std::string const text = las(three_curves, data);

    RecordingHook quiet{0, 1 << 30, {}};
    CancelHook const hook(&RecordingHook::isCancelled, &RecordingHook::report, &quiet);
    LasParser::Result const whole = LasParser(&hook).parse(text);
    ASSERT_EQ(LasParser::Status::Ok, whole.status);
    EXPECT_EQ(20000u, whole.file.rowCount());
    // About once per 16 KB, with progress that only grows and stays within 0..100.
    std::size_t const blocks = text.size() / (16 * 1024);
    EXPECT_GE(static_cast<std::size_t>(quiet.asked), blocks);
    EXPECT_LE(static_cast<std::size_t>(quiet.asked), 2 * blocks + 4);
    ASSERT_FALSE(quiet.progress.empty());
    EXPECT_TRUE(std::is_sorted(quiet.progress.begin(), quiet.progress.end()));
    EXPECT_GE(quiet.progress.front(), 0.0);
    EXPECT_LE(quiet.progress.back(), 100.0);
    EXPECT_GT(quiet.progress.back(), 90.0);

    RecordingHook cancelling{0, 3, {}};
    CancelHook const stop(&RecordingHook::isCancelled, &RecordingHook::report, &cancelling);
    LasParser::Result const cancelled = LasParser(&stop).parse(text);
    EXPECT_EQ(LasParser::Status::Cancelled, cancelled.status);
    EXPECT_EQ(3, cancelling.asked);
    EXPECT_TRUE(cancelled.file.columns.empty());
}
