#include "GrdeclSourceFiles.h"

#include <QByteArray>
#include <QFile>

namespace quarro {
namespace readers {

struct GrdeclSourceFiles::File {
    explicit File(QString const& path)
        : file(path) {}

    QFile file;
    QByteArray buffer; // the text when the file could not be mapped
};

GrdeclSourceFiles::GrdeclSourceFiles() = default;

GrdeclSourceFiles::~GrdeclSourceFiles() = default;

bool GrdeclSourceFiles::open(QString const& path, std::string_view& text, QString& error) {
    auto entry = std::make_unique<File>(path);
    QFile& file = entry->file;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    qint64 const size = file.size();
    if (size > 0) {
        if (uchar const* mapped = file.map(0, size)) {
            text = std::string_view(reinterpret_cast<char const*>(mapped),
                                    static_cast<std::size_t>(size));
            m_files.push_back(std::move(entry));
            return true;
        }
    }
    entry->buffer = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    text =
        std::string_view(entry->buffer.constData(), static_cast<std::size_t>(entry->buffer.size()));
    m_files.push_back(std::move(entry));
    return true;
}

} // namespace readers
} // namespace quarro
