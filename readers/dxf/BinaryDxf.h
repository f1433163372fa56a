#ifndef QUARRO_READERS_DXF_BINARYDXF_H
#define QUARRO_READERS_DXF_BINARYDXF_H

#include <cstddef>
#include <string>
#include <string_view>

namespace quarro {
namespace readers {

// The first bytes of a binary DXF file.
constexpr std::string_view binaryDxfSentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);
// What identifies one: writers agree on these bytes; the line end after them may vary.
constexpr std::string_view binaryDxfMark("AutoCAD Binary DXF");

inline bool isBinaryDxf(std::string_view bytes) {
    return bytes.substr(0, binaryDxfMark.size()) == binaryDxfMark;
}

// Writes the groups of a binary DXF file as the ASCII DXF text that holds the same groups (one
// code line and one value line each), so that one parser reads both. Group codes are one byte
// (255 and two more bytes for larger codes; R12) or two bytes (R13 and newer), chosen by how
// the first group is written. Values are typed by their code: strings end in a zero byte, reals
// take eight bytes, integers two, four or eight, flags one, binary chunks a length byte and
// their bytes (written as hex). Returns the offset of the first group that does not fit in the
// bytes (bytes.size() when every group is whole); the text holds the groups before it.
std::size_t binaryDxfToText(std::string_view bytes, std::string& text);

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_DXF_BINARYDXF_H
