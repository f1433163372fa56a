// Feeds arbitrary bytes to the text decoder as a whole file and as a file's first bytes, then
// decodes the result as the parsers do. Everything must return; UTF-16 must come out as valid
// UTF-8 that reads back to the same characters Qt reads from the original.
#include "TextDecoder.h"

#include <QString>
#include <QTextCodec>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    using quarro::readers::TextDecoder;
    std::string_view const bytes(reinterpret_cast<char const*>(data), size);
    for (bool const head : {false, true}) {
        std::string storage;
        std::string_view text;
        TextDecoder::Encoding encoding = TextDecoder::Utf8;
        QString error;
        if (!TextDecoder::prepare(bytes, storage, text, encoding, error, head)) {
            if (error.isEmpty()) {
                __builtin_trap(); // a refusal always says why
            }
            continue;
        }
        bool const utf16 = encoding == TextDecoder::Utf16Le || encoding == TextDecoder::Utf16Be;
        if ((utf16 || (encoding == TextDecoder::Utf8 && !head)) &&
            !TextDecoder::isValidUtf8(text)) {
            __builtin_trap();
        }
        if (utf16 && !head) {
            QTextCodec* codec = QTextCodec::codecForName(
                encoding == TextDecoder::Utf16Le ? "UTF-16LE" : "UTF-16BE");
            QString const qt = codec->toUnicode(bytes.data() + 2, static_cast<int>(size - 2));
            if (qt != QString::fromUtf8(text.data(), static_cast<int>(text.size()))) {
                __builtin_trap();
            }
        }
        TextDecoder decoder(encoding);
        decoder.setUnicodeEscapes(head);
        decoder.decode(text);
        decoder.excerpt(text);
        decoder.setCodePage(text.substr(0, 12));
        decoder.decode(text);
    }
    return 0;
}
