#include "DocumentOutput.h"

#include "NativeFormat.h"

#include <QIODevice>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace quarro {
namespace native {

namespace {

// zlib level 1: saving a large grid stays within seconds, and the higher levels shrink base64
// text of doubles by only a few per cent more at several times the cost.
constexpr int compressionLevel = 1;

// Compressed bytes collected before they go to the device.
constexpr std::size_t bufferSize = 1 << 18;

} // namespace

// A zlib deflate stream that is ended whatever way the writing leaves.
class DocumentOutput::Deflater {
public:
    Deflater() { m_ok = deflateInit(&m_stream, compressionLevel) == Z_OK; }
    ~Deflater() {
        if (m_ok) {
            deflateEnd(&m_stream);
        }
    }
    Deflater(Deflater const&) = delete;
    Deflater& operator=(Deflater const&) = delete;

    bool ok() const { return m_ok; }
    z_stream& stream() { return m_stream; }

private:
    z_stream m_stream{};
    bool m_ok = false;
};

DocumentOutput::DocumentOutput(QIODevice* device, bool compressed, qint64 jsonLength)
    : m_device(device) {
    if (!compressed) {
        return;
    }
    m_deflater = std::make_unique<Deflater>();
    m_buffer.resize(bufferSize);
    if (!m_deflater->ok()) {
        fail(QStringLiteral("the compressor cannot start"));
        return;
    }
    // The length qCompress() puts before its zlib stream; 32 bits are all it has.
    if (jsonLength > std::numeric_limits<quint32>::max()) {
        fail(QStringLiteral("the document is too large to be compressed"));
        return;
    }
    char header[format::compressedMagicSize + 4];
    std::copy_n(format::compressedMagic, format::compressedMagicSize, header);
    qToBigEndian(static_cast<quint32>(jsonLength), header + format::compressedMagicSize);
    writeAll(header, sizeof(header));
}

DocumentOutput::~DocumentOutput() = default;

bool DocumentOutput::fail(QString const& error) {
    if (m_error.isEmpty()) {
        m_error = error.isEmpty() ? QStringLiteral("the file cannot be written") : error;
    }
    return false;
}

bool DocumentOutput::writeAll(char const* data, qint64 size) {
    // A device may take part of a block (a file that reaches a size limit) and say why only
    // when asked to take the rest.
    while (size > 0) {
        qint64 const written = m_device->write(data, size);
        if (written <= 0) {
            return fail(m_device->errorString());
        }
        data += written;
        size -= written;
    }
    return true;
}

bool DocumentOutput::write(char const* data, qint64 size) {
    if (!m_error.isEmpty()) {
        return false;
    }
    if (!m_deflater) {
        return writeAll(data, size);
    }
    return deflateInput(data, size, Z_NO_FLUSH);
}

bool DocumentOutput::finish() {
    if (!m_error.isEmpty()) {
        return false;
    }
    return !m_deflater || deflateInput(nullptr, 0, Z_FINISH);
}

bool DocumentOutput::deflateInput(char const* data, qint64 size, int flush) {
    z_stream& stream = m_deflater->stream();
    // zlib counts in 32 bits: feed a large block in slices.
    do {
        uInt const slice = static_cast<uInt>(std::min<qint64>(size, 1 << 30));
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        stream.avail_in = slice;
        data += slice;
        size -= slice;
        int const sliceFlush = size == 0 ? flush : Z_NO_FLUSH;
        int result = Z_OK;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(m_buffer.data());
            stream.avail_out = static_cast<uInt>(m_buffer.size());
            result = deflate(&stream, sliceFlush);
            if (result == Z_STREAM_ERROR) {
                return fail(QStringLiteral("the compressor failed"));
            }
            qint64 const produced = qint64(m_buffer.size()) - stream.avail_out;
            if (!writeAll(m_buffer.data(), produced)) {
                return false;
            }
        } while (stream.avail_out == 0 || (sliceFlush == Z_FINISH && result != Z_STREAM_END));
    } while (size > 0);
    return true;
}

} // namespace native
} // namespace quarro
