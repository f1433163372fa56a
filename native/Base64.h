#ifndef QUARRO_NATIVE_BASE64_H
#define QUARRO_NATIVE_BASE64_H

#include <QtGlobal>

#include <cstddef>

namespace quarro {
namespace native {

class ReadMonitor;

// Standard base64 (RFC 4648, "=" padding, no line breaks) between raw bytes and Latin-1 text,
// without the intermediate copies QByteArray::toBase64() and fromBase64() make: large arrays are
// encoded straight into the output file and decoded straight into their vectors.
class Base64 {
public:
    // Characters of the text for `bytes` bytes.
    static qint64 encodedSize(qint64 bytes);
    // Writes the text of the `size` bytes at `in` to `out`, which holds encodedSize(size).
    static void encode(unsigned char const* in, qint64 size, char* out);

    // Bytes in base64 `text` of `length` characters, or -1 when no padded base64 text has that
    // length.
    static qint64 decodedSize(char const* text, qint64 length);
    // Decodes `length` characters into exactly decodedSize() bytes at `out`, advancing `monitor`
    // every few thousand characters. Returns -1, or the position of the first character that is
    // not base64 (or padding out of place).
    static qint64 decode(char const* text, qint64 length, unsigned char* out, ReadMonitor& monitor);

    // True when all `length` characters are base64 characters or padding.
    static bool isBase64Text(char const* text, qint64 length);

private:
    Base64() = delete;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_BASE64_H
