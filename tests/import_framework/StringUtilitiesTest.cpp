// Edge cases of the in-place string edits readers rely on.
#include "StringUtilities.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using namespace quarro::import;

std::string edited(std::function<void(std::string&)> const& edit, std::string text) {
    edit(text);
    return text;
}

TEST(StringUtilities, QuotesAndSpaces) {
    EXPECT_EQ("*.*", all_files_extension());

    EXPECT_EQ("", edited(strip_all_quotes, "\"\"\"\""));
    EXPECT_EQ("it's", edited(strip_all_quotes, "it's"));
    EXPECT_EQ("DEPT.M", edited(strip_all_quotes, "\"DEPT\".\"M\""));

    EXPECT_EQ(" ", edited(strip_all_white_space, " "));
    EXPECT_EQ(" ", edited(strip_all_white_space, "  "));
    EXPECT_EQ(" ab", edited(strip_all_white_space, " a b "));
    EXPECT_EQ("a\tb", edited(strip_all_white_space, "a\tb"));
    EXPECT_EQ("abc", edited(strip_all_white_space, "a  b c"));
    EXPECT_EQ("", edited(strip_all_white_space, ""));
}

TEST(StringUtilities, FileNameUsesTheNativeSeparator) {
    EXPECT_EQ("well.a", edited(strip_file_name, "/data/well.a.las"));
    EXPECT_EQ("well", edited(strip_file_name, "/data.d/well"));
    EXPECT_EQ("", edited(strip_file_name, "/data/wells/"));
    EXPECT_EQ("well.las", edited(strip_file_name, "well.las"));
    // The last dot decides, even when it starts the name.
    EXPECT_EQ("", edited(strip_file_name, "/home/.hidden"));
    // Backslashes are not separators here.
    EXPECT_EQ("C:\\data\\well.las", edited(strip_file_name, "C:\\data\\well.las"));
}

TEST(StringUtilities, TrimmingKnowsOnlyTheCLocaleWhiteSpace) {
    EXPECT_EQ("ab", edited(trim_left, "\t\nab"));
    EXPECT_EQ("ab", edited(trim_right, "ab \r\n"));
    EXPECT_EQ("", edited(trim_left, " \t\n\v\f\r"));
    EXPECT_EQ("", edited(trim_right, " \t\n\v\f\r"));
    EXPECT_EQ("", edited(trim_left, ""));
    EXPECT_EQ("a b ", edited(trim_left, "  a b "));
    EXPECT_EQ("\xa0x\xa0", edited(trim_left, "\xa0x\xa0")) << "bytes above 127 are never white space";
    EXPECT_EQ("\xa0x\xa0", edited(trim_right, "\xa0x\xa0"));
}

} // namespace
