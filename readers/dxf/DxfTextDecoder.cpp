#include "DxfTextDecoder.h"

#include <QByteArray>
#include <QTextCodec>

#include <algorithm>
#include <cctype>
#include <string>

namespace quarro {
namespace readers {

namespace {

QTextCodec* codecNamed(char const* name) {
    return QTextCodec::codecForName(name);
}

bool isValidUtf8(std::string_view bytes) {
    QTextCodec::ConverterState state;
    codecNamed("UTF-8")->toUnicode(bytes.data(), static_cast<int>(bytes.size()), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Replaces every \U+XXXX (four hex digits) by the character it names.
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
            while (digits < 4) {
                int const v = hexValue(text[i + 3 + digits].toLatin1());
                if (v < 0) {
                    break;
                }
                code = code * 16 + v;
                ++digits;
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

} // namespace

DxfTextDecoder::DxfTextDecoder()
    : m_codec(codecNamed("windows-1252")) {}

void DxfTextDecoder::setCodePage(std::string_view codePage) {
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
    } else if (page.rfind("ANSI_", 0) == 0) {
        name = "windows-" + page.substr(5);
    } else if (page.rfind("DOS", 0) == 0) {
        name = "IBM" + page.substr(3);
    }
    if (QTextCodec* codec = name.empty() ? nullptr : codecNamed(name.c_str())) {
        m_codec = codec;
    }
}

QString DxfTextDecoder::decode(std::string_view bytes) const {
    int const size = static_cast<int>(bytes.size());
    bool const ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    QString text;
    if (ascii || isValidUtf8(bytes)) {
        text = QString::fromUtf8(bytes.data(), size);
    } else if (m_codec != nullptr) {
        text = m_codec->toUnicode(bytes.data(), size);
    } else {
        text = QString::fromLatin1(bytes.data(), size);
    }
    return expandUnicodeEscapes(text);
}

} // namespace readers
} // namespace quarro
