#ifndef QUARRO_NATIVE_JSONBLOBS_H
#define QUARRO_NATIVE_JSONBLOBS_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <vector>

class QIODevice;

namespace quarro {
namespace native {

// The large base64 strings of a document being written. Qt's JSON writer copies and escapes a
// string character by character, several times over; for the 85 MB of base64 text of a
// 1-million-cell grid that costs seconds. So the JSON tree holds a short placeholder string for
// each large array, and write() puts the base64 text in its place as the text goes out, encoded
// straight from the array's own memory.
class JsonBlobs {
public:
    JsonBlobs();
    ~JsonBlobs();

    // Registers `size` bytes at `data`, which must stay as they are until write() returns, and
    // returns the placeholder to put into the tree as the string's value.
    QString add(unsigned char const* data, qint64 size);
    // The same for bytes the list keeps itself.
    QString add(QByteArray bytes);

    // Writes `skeleton` (the JSON text of the tree) to `device` with every placeholder replaced
    // by the base64 text of its bytes, compressed into the .qroz container when `compressed`.
    // False, with `error` set, when the device fails.
    bool write(QByteArray const& skeleton, QIODevice* device, bool compressed,
               QString& error) const;

private:
    Q_DISABLE_COPY(JsonBlobs)

    struct Blob {
        unsigned char const* data;
        qint64 size;
        int owned; // index into m_owned, or -1
    };
    // Where a placeholder stands in the skeleton: the text between its quotes.
    struct Place {
        qint64 begin;
        qint64 end;
        std::size_t blob;
    };

    QString placeholder(std::size_t index) const;
    std::vector<Place> places(QByteArray const& skeleton, QString& error) const;

    QByteArray m_prefix; // "qro-blob-<random>-", unique to this document
    std::vector<Blob> m_blobs;
    std::vector<QByteArray> m_owned;
};

} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_JSONBLOBS_H
