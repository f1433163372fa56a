#include "GrdeclSourceFiles.h"

#include "FileBytes.h"

namespace quarro {
namespace readers {

GrdeclSourceFiles::GrdeclSourceFiles() = default;

GrdeclSourceFiles::~GrdeclSourceFiles() = default;

bool GrdeclSourceFiles::open(QString const& path, std::string_view& text, QString& error) {
    auto file = std::make_unique<FileBytes>(path);
    if (!file->openText(error)) {
        return false;
    }
    text = file->text();
    m_files.push_back(std::move(file));
    return true;
}

} // namespace readers
} // namespace quarro
