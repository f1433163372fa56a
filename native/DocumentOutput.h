#ifndef QUARRO_NATIVE_DOCUMENTOUTPUT_H
#define QUARRO_NATIVE_DOCUMENTOUTPUT_H

#include <QString>
#include <QtGlobal>

#include <memory>
#include <vector>

class QIODevice;

namespace quarro {
namespace native {

// Where the writer puts the JSON text of a document: straight into a device, or compressed into
// the .qroz container (the magic bytes, the text's length, a zlib stream) piece by piece, so that
// a large document is never held twice in memory.
class DocumentOutput {
public:
    // `jsonLength` is the length of the whole text, which the compressed container states first.
    DocumentOutput(QIODevice* device, bool compressed, qint64 jsonLength);
    ~DocumentOutput();

    // Appends text; false (with error() set) when the device refuses it. After a failure every
    // further call fails too.
    bool write(char const* data, qint64 size);
    // Writes what compression still holds back; call once after the last write().
    bool finish();

    QString const& error() const { return m_error; }

private:
    Q_DISABLE_COPY(DocumentOutput)

    bool writeAll(char const* data, qint64 size);
    bool deflateInput(char const* data, qint64 size, int flush);
    bool fail(QString const& error);

    class Deflater;

    QIODevice* m_device;
    std::unique_ptr<Deflater> m_deflater;
    std::vector<char> m_buffer;
    QString m_error;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_DOCUMENTOUTPUT_H
