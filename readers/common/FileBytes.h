#ifndef QUARRO_READERS_COMMON_FILEBYTES_H
#define QUARRO_READERS_COMMON_FILEBYTES_H

#include "TextDecoder.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>
#include <string_view>

namespace quarro {
namespace readers {

// The bytes of a file in one piece: mapped when the system allows it, so that a large file is
// neither copied nor given fresh pages; read into memory otherwise. They stay valid as long as
// the object lives (QFile unmaps when it closes). openText() also brings the bytes to the form
// the text parsers read (see TextDecoder::prepare).
class FileBytes {
public:
    explicit FileBytes(QString const& path);

    bool open(QString& error);
    bool openText(QString& error);

    std::string_view bytes() const { return m_bytes; }
    // After openText(): the text to parse and what the file was written in.
    std::string_view text() const { return m_text; }
    TextDecoder::Encoding encoding() const { return m_encoding; }

    void release();

    // The first `length` bytes of the file, for verify(); empty when it cannot be read.
    static QByteArray head(QString const& path, qint64 length = 1024);

private:
    Q_DISABLE_COPY(FileBytes)

    QFile m_file;
    QByteArray m_buffer;
    std::string m_converted;
    std::string_view m_bytes;
    std::string_view m_text;
    TextDecoder::Encoding m_encoding = TextDecoder::Utf8;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_COMMON_FILEBYTES_H
