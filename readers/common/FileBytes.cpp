#include "FileBytes.h"

#include <limits>

namespace quarro {
namespace readers {

FileBytes::FileBytes(QString const& path)
    : m_file(path) {}

bool FileBytes::open(QString& error) {
    if (!m_file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot open the file: %1").arg(m_file.errorString());
        return false;
    }
    qint64 const size = m_file.size();
    if (size == 0) {
        return true;
    }
    if (uchar const* mapped = m_file.map(0, size)) {
        m_bytes =
            std::string_view(reinterpret_cast<char const*>(mapped), static_cast<std::size_t>(size));
        return true;
    }
    if (size >= std::numeric_limits<int>::max()) {
        error = QStringLiteral("the file is larger than 2 GB and cannot be mapped");
        return false;
    }
    m_buffer = m_file.readAll();
    if (m_buffer.size() != size) {
        error = QStringLiteral("cannot read the file: %1").arg(m_file.errorString());
        return false;
    }
    m_bytes = std::string_view(m_buffer.constData(), static_cast<std::size_t>(m_buffer.size()));
    return true;
}

bool FileBytes::openText(QString& error) {
    return open(error) &&
           TextDecoder::prepare(m_bytes, m_converted, m_text, m_encoding, error, false);
}

void FileBytes::release() {
    m_bytes = std::string_view();
    m_text = std::string_view();
    m_buffer.clear();
    m_converted = std::string();
    m_file.close();
}

QByteArray FileBytes::head(QString const& path, qint64 length) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(length) : QByteArray();
}

} // namespace readers
} // namespace quarro
