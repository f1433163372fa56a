#ifndef QUARRO_READERS_DXF_DXFREADER_H
#define QUARRO_READERS_DXF_DXFREADER_H

#include "FileReaderBase.h"

#include <QString>

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace quarro {
namespace readers {

// The "DXF" reader: ASCII DXF drawings (R12 and newer). Each file becomes a polyline set (lines,
// polylines, 3D faces, with their layers) and, when it holds points, a point set; both are named
// after the file.
class DxfReader : public FileReaderBase {
public:
    DxfReader();
    ~DxfReader() override;

    // Accepts a binary DXF file, or one whose first groups open a SECTION; refuses anything else.
    std::bitset<4> verify(std::string const& url, QString& message) override;

    // Whether the head of a file (its first 1024 bytes or less) is ASCII DXF, or binary DXF; when
    // it is neither, `why` says what is wrong.
    static bool looksLikeAsciiDxf(std::string_view head, QString& why);

protected:
    bool readsText() const override { return true; }
    FileResult parse(std::string_view text, QString const& path, QString const& name,
                     CancelHook const& hook) override;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_DXFREADER_H
