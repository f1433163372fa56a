#include "TextDecoder.h"

#include <gtest/gtest.h>

#include <string>

using quarro::readers::TextDecoder;

namespace {

// One line of text with characters outside ASCII, as each encoding writes it.
struct Written {
    char const* label;
    std::string bytes;
    TextDecoder::Encoding encoding;
};

QString const expected = QString::fromUtf8("D\xC3\xA9p\xC3\xB4t \xE2\x82\xAC 5\xC2\xB0\n");

std::string utf16(bool big) {
    std::string out = big ? "\xFE\xFF" : "\xFF\xFE";
    for (QChar const c : expected) {
        char const high = static_cast<char>(c.unicode() >> 8);
        char const low = static_cast<char>(c.unicode() & 0xFF);
        out += big ? high : low;
        out += big ? low : high;
    }
    return out;
}

class TextDecoderTest : public ::testing::TestWithParam<Written> {};

TEST_P(TextDecoderTest, EveryEncodingGivesTheSameText) {
    Written const& written = GetParam();
    std::string storage;
    std::string_view text;
    TextDecoder::Encoding encoding = TextDecoder::Utf8;
    QString error;
    ASSERT_TRUE(TextDecoder::prepare(written.bytes, storage, text, encoding, error))
        << error.toStdString();
    EXPECT_EQ(written.encoding, encoding);
    TextDecoder const decoder(encoding);
    EXPECT_EQ(expected, decoder.decode(text));
    // A probe of the first bytes, cut inside a character, is still recognised.
    std::string_view const head =
        std::string_view(written.bytes).substr(0, written.bytes.size() - 5);
    ASSERT_TRUE(TextDecoder::prepare(head, storage, text, encoding, error, true));
    EXPECT_EQ(written.encoding, encoding);
    EXPECT_TRUE(expected.startsWith(decoder.decode(text).left(3)));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, TextDecoderTest,
    ::testing::Values(Written{"Utf8", "D\xC3\xA9p\xC3\xB4t \xE2\x82\xAC 5\xC2\xB0\n",
                              TextDecoder::Utf8},
                      Written{"Utf8Bom",
                              "\xEF\xBB\xBF"
                              "D\xC3\xA9p\xC3\xB4t \xE2\x82\xAC 5\xC2\xB0\n",
                              TextDecoder::Utf8Bom},
                      Written{"Utf16Le", utf16(false), TextDecoder::Utf16Le},
                      Written{"Utf16Be", utf16(true), TextDecoder::Utf16Be},
                      Written{"Windows1252", "D\xE9p\xF4t \x80 5\xB0\n", TextDecoder::Windows1252}),
    [](::testing::TestParamInfo<Written> const& info) { return info.param.label; });

TEST(TextDecoder, BrokenUtf16FailsWithAReason) {
    std::string storage;
    std::string_view text;
    TextDecoder::Encoding encoding;
    QString error;
    for (auto const& [bytes, reason] : std::vector<std::pair<std::string, char const*>>{
             {std::string("\xFF\xFE\x61\0b", 5), "ends in half a character"},
             {std::string("\xFF\xFE\x00\xDC\x61\0", 6),
              "holds a broken surrogate pair at byte 2"}}) {
        EXPECT_FALSE(TextDecoder::prepare(bytes, storage, text, encoding, error));
        EXPECT_EQ(QStringLiteral("the UTF-16 text ") + QLatin1String(reason), error);
    }
    // A pair whole: U+1F600 as four bytes of UTF-8.
    ASSERT_TRUE(TextDecoder::prepare(std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6), storage, text,
                                     encoding, error));
    EXPECT_EQ("\xF0\x9F\x98\x80", text);
    // The code page a DXF header names applies where a string is not UTF-8.
    TextDecoder cyrillic;
    cyrillic.setCodePage("ANSI_1251");
    cyrillic.setUnicodeEscapes(true);
    EXPECT_EQ(QString::fromUtf8("\xD0\x94\xC3\xA9"), cyrillic.decode("\xC4\\U+00E9"));
}

} // namespace
