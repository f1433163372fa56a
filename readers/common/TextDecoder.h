#ifndef QUARRO_READERS_COMMON_TEXTDECODER_H
#define QUARRO_READERS_COMMON_TEXTDECODER_H

#include <QString>

#include <string>
#include <string_view>

class QTextCodec;

namespace quarro {
namespace readers {

// How the text readers turn file bytes into text. A whole file is first brought to one form by
// prepare(): a UTF-8 byte-order mark is dropped and UTF-16 with a byte-order mark is re-encoded as
// UTF-8, so that every parser scans single bytes; a file whose start is not valid UTF-8 is left as
// it is and its strings are read as Windows-1252 (files written on Windows before Unicode: degree
// signs, accented names). The decoder then turns the parsers' strings into QString.
class TextDecoder {
public:
    // What a file was written in.
    enum Encoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Windows1252 };

    explicit TextDecoder(Encoding encoding = Utf8)
        : m_encoding(encoding) {}

    Encoding encoding() const { return m_encoding; }

    // Strings that are not valid UTF-8 are read in this legacy code page instead of Windows-1252:
    // a DXF header's $DWGCODEPAGE ("ANSI_1251", "ANSI_932", "DOS850", ...). An unknown page keeps
    // Windows-1252. Valid UTF-8 stays UTF-8: writers often declare a page for UTF-8 content.
    void setCodePage(std::string_view codePage);
    // Spell \U+XXXX (four hex digits) as the character it names, as DXF strings do.
    void setUnicodeEscapes(bool on) { m_unicodeEscapes = on; }

    QString decode(std::string_view bytes) const;
    // The start of `bytes` as one line of at most 40 characters, for quoting in messages.
    QString excerpt(std::string_view bytes) const;

    // True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past
    // U+10FFFF).
    static bool isValidUtf8(std::string_view bytes);
    // "UTF-8", "UTF-16 LE", ... as the import summary names them.
    static QString name(Encoding encoding);

    // The text of a whole file in the form the parsers read: `text` views `bytes` or, for UTF-16,
    // `storage`. False with `error` set for UTF-16 that is cut or holds broken surrogate pairs.
    // `head` says that `bytes` is only the start of a file, which may end inside a character.
    static bool prepare(std::string_view bytes, std::string& storage, std::string_view& text,
                        Encoding& encoding, QString& error, bool head = false);

private:
    Encoding m_encoding;
    QTextCodec* m_codec = nullptr; // null for Windows-1252, read through a table
    bool m_unicodeEscapes = false;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_COMMON_TEXTDECODER_H
