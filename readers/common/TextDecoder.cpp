#include "TextDecoder.h"

#include <QTextCodec>

#include <algorithm>
#include <cctype>
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

// Bytes at the start of a file that decide between UTF-8 and Windows-1252.
constexpr std::size_t judged_length = 64 * 1024;

// Characters of text quoted in a message.
constexpr int excerpt_length = 40;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

int hexValue(QChar c) {
    ushort const u = c.unicode();
    if (u >= '0' && u <= '9') {
        return u - '0';
    }
    if (u >= 'a' && u <= 'f') {
        return u - 'a' + 10;
    }
    return u >= 'A' && u <= 'F' ? u - 'A' + 10 : -1;
}

QString expandUnicodeEscapes(QString const& text) {
    if (!text.contains(QLatin1String("\\U+"), Qt::CaseInsensitive)) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 6 < text.size() &&
            text.mid(i + 1, 2).compare(QLatin1String("U+"), Qt::CaseInsensitive) == 0) {
            int code = 0;
            int digits = 0;
            for (; digits < 4; ++digits) {
                int const v = hexValue(text[i + 3 + digits]);
                if (v < 0) {
                    break;
                }
                code = code * 16 + v;
            }
            if (digits == 4) {
                out.append(QChar(static_cast<ushort>(code)));
                i += 6;
                continue;
            }
        }
        out.append(text[i]);
    }
    return out;
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 after its byte-order mark, re-encoded as UTF-8.
bool utf16ToUtf8(std::string_view bytes, bool bigEndian, bool head, std::string& out,
                 QString& error) {
    auto const* p = reinterpret_cast<unsigned char const*>(bytes.data());
    std::size_t const units = bytes.size() / 2;
    if (bytes.size() % 2 != 0 && !head) {
        error = QStringLiteral("the UTF-16 text ends in half a character");
        return false;
    }
    auto unit = [p, bigEndian](std::size_t i) -> std::uint32_t {
        return bigEndian ? (p[2 * i] << 8 | p[2 * i + 1]) : (p[2 * i + 1] << 8 | p[2 * i]);
    };
    out.clear();
    out.reserve(units + units / 2);
    for (std::size_t i = 0; i < units; ++i) {
        std::uint32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 == units && head) {
                break; // a pair cut by the end of the probe
            }
            std::uint32_t const low = i + 1 < units ? unit(i + 1) : 0;
            if (low < 0xDC00 || low > 0xDFFF) {
                error = QStringLiteral("the UTF-16 text holds a broken surrogate pair at byte %1")
                            .arg(2 * i + 2);
                return false;
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            ++i;
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            error = QStringLiteral("the UTF-16 text holds a broken surrogate pair at byte %1")
                        .arg(2 * i + 2);
            return false;
        }
        appendUtf8(out, code);
    }
    return true;
}

} // namespace

void TextDecoder::setCodePage(std::string_view codePage) {
    std::string page(codePage);
    std::transform(page.begin(), page.end(), page.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    std::string name;
    if (page == "ANSI_932") {
        name = "Shift_JIS";
    } else if (page == "ANSI_936") {
        name = "GBK";
    } else if (page == "ANSI_949") {
        name = "EUC-KR";
    } else if (page == "ANSI_950") {
        name = "Big5";
    } else if (page.rfind("ANSI_", 0) == 0 && page != "ANSI_1252") {
        name = "windows-" + page.substr(5);
    } else if (page.rfind("DOS", 0) == 0) {
        name = "IBM" + page.substr(3);
    }
    if (QTextCodec* codec = name.empty() ? nullptr : QTextCodec::codecForName(name.c_str())) {
        m_codec = codec;
    }
}

QString TextDecoder::decode(std::string_view bytes) const {
    int const size = static_cast<int>(bytes.size());
    QString text;
    if (m_encoding != Windows1252 && isValidUtf8(bytes)) {
        text = QString::fromUtf8(bytes.data(), size);
    } else if (m_codec != nullptr) {
        text = m_codec->toUnicode(bytes.data(), size);
    } else {
        text = QString(size, Qt::Uninitialized);
        QChar* out = text.data();
        for (char c : bytes) {
            auto const byte = static_cast<unsigned char>(c);
            *out++ =
                byte >= 0x80 && byte < 0xA0 ? QChar(windows1252_high[byte - 0x80]) : QChar(byte);
        }
    }
    return m_unicodeEscapes ? expandUnicodeEscapes(text) : text;
}

QString TextDecoder::excerpt(std::string_view bytes) const {
    // Four bytes a character at most, whatever the encoding.
    QString text = decode(bytes.substr(0, 4 * excerpt_length)).simplified();
    if (text.size() > excerpt_length) {
        text = text.left(excerpt_length) + QStringLiteral("...");
    }
    return text;
}

bool TextDecoder::isValidUtf8(std::string_view bytes) {
    auto const* p = reinterpret_cast<unsigned char const*>(bytes.data());
    auto const* const end = p + bytes.size();
    while (p < end) {
        // ASCII, the common case, 32 and then eight bytes at a time: whole files are checked.
        if (end - p >= 32) {
            std::uint64_t block[4];
            std::memcpy(block, p, sizeof block);
            if (((block[0] | block[1] | block[2] | block[3]) & 0x8080808080808080ULL) == 0) {
                p += 32;
                continue;
            }
        }
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

QString TextDecoder::name(Encoding encoding) {
    switch (encoding) {
    case Utf8:
        return QStringLiteral("UTF-8");
    case Utf8Bom:
        return QStringLiteral("UTF-8 with byte-order mark");
    case Utf16Le:
        return QStringLiteral("UTF-16 LE");
    case Utf16Be:
        return QStringLiteral("UTF-16 BE");
    case Windows1252:
        break;
    }
    return QStringLiteral("Windows-1252");
}

bool TextDecoder::prepare(std::string_view bytes, std::string& storage, std::string_view& text,
                          Encoding& encoding, QString& error, bool head) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        encoding = Utf8Bom;
        text = bytes.substr(3);
        return true;
    }
    bool const little = bytes.substr(0, 2) == "\xFF\xFE";
    if (little || bytes.substr(0, 2) == "\xFE\xFF") {
        encoding = little ? Utf16Le : Utf16Be;
        if (!utf16ToUtf8(bytes.substr(2), !little, head, storage, error)) {
            return false;
        }
        text = storage;
        return true;
    }
    text = bytes;
    // The encoding is judged by the start of the file, where the headers and names are; the rest
    // is mostly numbers, and decode() checks each string again. A probe, or that start, may end
    // inside a character: it is judged up to the last character's lead byte.
    std::string_view checked = bytes.substr(0, judged_length);
    if (head || bytes.size() > judged_length) {
        std::size_t cut = checked.size();
        while (cut > 0 && checked.size() - cut < 4 &&
               isContinuation(static_cast<unsigned char>(checked[cut - 1]))) {
            --cut;
        }
        if (cut > 0 && static_cast<unsigned char>(checked[cut - 1]) >= 0xC0) {
            checked = checked.substr(0, cut - 1);
        }
    }
    encoding = isValidUtf8(checked) ? Utf8 : Windows1252;
    return true;
}

} // namespace readers
} // namespace quarro
