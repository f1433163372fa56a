#include "CompressedStorage.h"

#include "HugePages.h"
#include "NativeFormat.h"
#include "ReadMonitor.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace quarro {
namespace native {

namespace {

// Bytes of JSON inflated between two progress steps.
constexpr uInt inflateStep = 1 << 20;

// zlib cannot expand data by more than about 1032 to 1; a length beyond that is damage.
constexpr qint64 maximumRatio = 1032;

constexpr int lengthSize = 4;

// The largest QByteArray Qt 5 can allocate, with room for its header.
constexpr qint64 maximumJsonSize = std::numeric_limits<int>::max() - 64;

// Ends a zlib stream whatever way the inflating leaves.
class InflateStream {
public:
    InflateStream() { m_ok = inflateInit(&m_stream) == Z_OK; }
    ~InflateStream() {
        if (m_ok) {
            inflateEnd(&m_stream);
        }
    }
    InflateStream(InflateStream const&) = delete;
    InflateStream& operator=(InflateStream const&) = delete;

    bool ok() const { return m_ok; }
    z_stream& stream() { return m_stream; }

private:
    z_stream m_stream{};
    bool m_ok = false;
};

} // namespace

bool CompressedStorage::isCompressed(QByteArray const& bytes) {
    return bytes.startsWith(
        QByteArray::fromRawData(format::compressedMagic, format::compressedMagicSize));
}

qint64 CompressedStorage::uncompressedSize(QByteArray const& bytes) {
    if (bytes.size() < format::compressedMagicSize + lengthSize) {
        return 0;
    }
    return qFromBigEndian<quint32>(bytes.constData() + format::compressedMagicSize);
}

bool CompressedStorage::uncompress(QByteArray const& bytes, QByteArray& json, QString& error,
                                   ReadMonitor& monitor) {
    qint64 const headerSize = format::compressedMagicSize + lengthSize;
    if (bytes.size() < headerSize) {
        error = QStringLiteral("the compressed document is cut short in its header (%1 bytes)")
                    .arg(bytes.size());
        return false;
    }
    qint64 const compressedSize = bytes.size() - headerSize;
    qint64 const length = uncompressedSize(bytes);
    if (length > std::min(maximumJsonSize, compressedSize * maximumRatio + 64)) {
        error = QStringLiteral("the compressed document says it holds %1 bytes, which %2 "
                               "compressed bytes cannot hold: the file is cut short or damaged")
                    .arg(length)
                    .arg(compressedSize);
        return false;
    }

    json.resize(static_cast<int>(length));
    readers::HugePages::advise(json.data(), static_cast<std::size_t>(length));
    InflateStream inflater;
    if (!inflater.ok()) {
        error = QStringLiteral("the decompressor cannot start");
        return false;
    }
    z_stream& stream = inflater.stream();
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData() + headerSize));
    stream.avail_in = static_cast<uInt>(compressedSize);
    stream.next_out = reinterpret_cast<Bytef*>(json.data());

    qint64 produced = 0;
    for (;;) {
        // One byte more than is left lets a stream that is longer than its header show itself.
        uInt const room = static_cast<uInt>(std::min<qint64>(inflateStep, length - produced));
        unsigned char spare = 0;
        if (room == 0) {
            stream.next_out = &spare;
            stream.avail_out = 1;
        } else {
            stream.avail_out = room;
        }
        int const result = inflate(&stream, Z_NO_FLUSH);
        qint64 const step = room == 0 ? 1 - stream.avail_out : room - stream.avail_out;
        produced += step;
        if (produced > length) {
            error = QStringLiteral("the compressed document holds more than the %1 bytes its "
                                   "header says: the file is damaged")
                        .arg(length);
            return false;
        }
        if (result == Z_STREAM_END) {
            break;
        }
        if (result == Z_BUF_ERROR || (result == Z_OK && stream.avail_in == 0 && step == 0)) {
            error = QStringLiteral("the compressed document is cut short: it ends after %1 of "
                                   "%2 bytes")
                        .arg(produced)
                        .arg(length);
            return false;
        }
        if (result != Z_OK) {
            error =
                QStringLiteral("the compressed data is damaged after %1 bytes (%2)")
                    .arg(produced)
                    .arg(QString::fromLatin1(stream.msg != nullptr ? stream.msg : "zlib error"));
            return false;
        }
        monitor.advance(static_cast<double>(step));
    }
    if (produced != length) {
        error = QStringLiteral("the compressed document holds %1 bytes, but its header says %2: "
                               "the file is damaged")
                    .arg(produced)
                    .arg(length);
        return false;
    }
    return true;
}

} // namespace native
} // namespace quarro
