#ifndef QUARRO_READERS_GRDECL_GRDECLSOURCEFILES_H
#define QUARRO_READERS_GRDECL_GRDECLSOURCEFILES_H

#include <QString>
#include <QtGlobal>

#include <memory>
#include <string_view>
#include <vector>

namespace quarro {
namespace readers {

class FileBytes;

// The files one GRDECL deck includes, each in one piece as FileBytes gives it. Their text stays
// valid as long as this object lives, which is as long as the parse runs; the grid keeps copies
// of what it needs.
class GrdeclSourceFiles {
public:
    GrdeclSourceFiles();
    ~GrdeclSourceFiles();

    // The text of the file at `path`; false with `error` set when the file cannot be read.
    bool open(QString const& path, std::string_view& text, QString& error);

private:
    Q_DISABLE_COPY(GrdeclSourceFiles)

    std::vector<std::unique_ptr<FileBytes>> m_files;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLSOURCEFILES_H
