#ifndef QUARRO_READERS_GRDECL_GRDECLREADER_H
#define QUARRO_READERS_GRDECL_GRDECLREADER_H

#include "FileReaderBase.h"

#include <QString>

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace quarro {
namespace readers {

// The reader of Eclipse corner-point grids (key "GRDECL"): each file, with the files it
// includes, becomes one CornerPointGrid of the target document with its active cells, its cell
// properties and its map axes. A file is read and its grid built whole before the grid joins the
// document; a cancelled import adds nothing.
class GrdeclReader : public FileReaderBase {
public:
    GrdeclReader();
    ~GrdeclReader() override;

    // Accepts a text file that reads as a keyword deck: after blank and comment lines, a keyword
    // grid files use (SPECGRID, COORD, NOECHO, PORO ...), or keywords of its own (PINCHOUT ...)
    // written alone on their lines and followed by a record or a known keyword, or only
    // comments so far.
    std::bitset<4> verify(std::string const& url, QString& message) override;

    // The test behind verify(), on the start of a file: true when it opens like a GRDECL file;
    // otherwise `reason` says why not.
    static bool looksLikeGrdecl(std::string_view head, QString& reason);

protected:
    bool readsText() const override { return true; }
    FileResult parse(std::string_view text, QString const& path, QString const& name,
                     CancelHook const& hook) override;
    QString noDocumentReason() const override;

private:
    Q_DISABLE_COPY(GrdeclReader)
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GRDECL_GRDECLREADER_H
