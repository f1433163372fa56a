#ifndef QUARRO_READERS_LAS_LASTEXTDECODER_H
#define QUARRO_READERS_LAS_LASTEXTDECODER_H

#include <QString>

#include <string_view>

namespace quarro {
namespace readers {

// Turns the bytes of a LAS header into text. LAS files predate Unicode: most are ASCII, newer ones
// UTF-8, and many written on Windows carry Windows-1252 bytes (degree signs, accented names).
// One encoding holds for the whole file: UTF-8 when every header byte sequence is valid UTF-8,
// otherwise Windows-1252, whose undefined bytes are read as Latin-1.
class LasTextDecoder {
public:
    enum Encoding { Utf8, Windows1252 };

    explicit LasTextDecoder(Encoding encoding = Utf8)
        : m_encoding(encoding) {}

    Encoding encoding() const { return m_encoding; }

    QString decode(std::string_view bytes) const;
    // The start of `bytes` as one line of at most 40 characters, for quoting in messages.
    QString excerpt(std::string_view bytes) const;

    // True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past
    // U+10FFFF).
    static bool isValidUtf8(std::string_view bytes);

private:
    Encoding m_encoding;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_LAS_LASTEXTDECODER_H
