#ifndef QUARRO_NATIVE_COMPRESSEDSTORAGE_H
#define QUARRO_NATIVE_COMPRESSEDSTORAGE_H

#include <QByteArray>
#include <QString>

namespace quarro {
namespace native {

class ReadMonitor;

// Reads the container of a compressed document (.qroz): the magic bytes, then the JSON text as
// qCompress() stores it (its length as 32-bit big-endian, then a zlib stream). DocumentOutput
// writes it.
class CompressedStorage {
public:
    // True when `bytes` begin with the magic bytes of a compressed document.
    static bool isCompressed(QByteArray const& bytes);
    // The length of the JSON text that the header of a compressed document states; 0 when the
    // header is cut short.
    static qint64 uncompressedSize(QByteArray const& bytes);

    // The JSON text of a compressed document. Inflates piece by piece, advancing `monitor` by
    // the bytes of text made, so that it can show progress and cancel, and never allocates more
    // than the stored length, which must be one the compressed bytes can hold. Returns false with
    // `error` set when the data is cut short, damaged or longer than its header says. Throws
    // ReadCancelled, and std::bad_alloc when memory runs out.
    static bool uncompress(QByteArray const& bytes, QByteArray& json, QString& error,
                           ReadMonitor& monitor);

private:
    CompressedStorage() = delete;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_COMPRESSEDSTORAGE_H
