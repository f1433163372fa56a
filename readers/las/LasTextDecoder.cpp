#include "LasTextDecoder.h"

#include <cstdint>
#include <cstring>

namespace quarro {
namespace readers {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves undefined keep their
// Latin-1 (C1 control) meaning.
constexpr char16_t windows1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Characters of text quoted in a message.
constexpr int excerpt_length = 40;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

QString LasTextDecoder::decode(std::string_view bytes) const {
    if (m_encoding == Utf8) {
        return QString::fromUtf8(bytes.data(), static_cast<int>(bytes.size()));
    }
    QString text(static_cast<int>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) {
        auto const byte = static_cast<unsigned char>(c);
        *out++ = byte >= 0x80 && byte < 0xA0 ? QChar(windows1252_high[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QString LasTextDecoder::excerpt(std::string_view bytes) const {
    // Four bytes a character at most, whatever the encoding.
    QString text = decode(bytes.substr(0, 4 * excerpt_length)).simplified();
    if (text.size() > excerpt_length) {
        text = text.left(excerpt_length) + QStringLiteral("...");
    }
    return text;
}

bool LasTextDecoder::isValidUtf8(std::string_view bytes) {
    auto const* p = reinterpret_cast<unsigned char const*>(bytes.data());
    auto const* const end = p + bytes.size();
    while (p < end) {
        // ASCII, the common case, eight bytes at a time.
        if (end - p >= 8) {
            std::uint64_t block;
            std::memcpy(&block, p, sizeof block);
            if ((block & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        unsigned char const lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int length;
        std::uint32_t code;
        std::uint32_t minimum;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (end - p < length) {
            return false;
        }
        for (int i = 1; i < length; ++i) {
            if (!isContinuation(p[i])) {
                return false;
            }
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        p += length;
    }
    return true;
}

} // namespace readers
} // namespace quarro
