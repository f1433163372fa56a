#ifndef QUARRO_NATIVE_NATIVEFORMAT_H
#define QUARRO_NATIVE_NATIVEFORMAT_H

#include <QLatin1String>
#include <QString>

#include <cstddef>

// The fixed words and numbers of the native document format, shared by its writer and its reader.
// docs/native-format.md describes the format; change both together.
namespace quarro {
namespace native {
namespace format {

// A Latin-1 literal as a constant, so that the names below exist before any code runs.
template <std::size_t N>
constexpr QLatin1String latin1(char const (&text)[N]) {
    return QLatin1String(text, static_cast<int>(N - 1));
}

// The value of the top-level "format" field.
inline constexpr QLatin1String name = latin1("quarro-document");

// The version this program writes, and the newest it reads. Raise it when a change would make an
// older reader misread a file; fields an older reader can ignore need no new version.
constexpr int version = 1;

// A compressed document (.qroz) begins with these 8 bytes, followed by what qCompress() makes of
// the JSON text: its length as a 32-bit big-endian number, then a zlib stream. The line ends and
// the end-of-file byte show when a transfer in text mode has damaged the file.
constexpr char compressedMagic[] = "QROZ\r\n\x1a\n";
constexpr int compressedMagicSize = 8;

// Numeric arrays of more than this many values are stored as base64 text rather than as JSON
// arrays: 1 million numbers cost 10.7 MB and no parsing that way, against about 20 MB of text.
constexpr std::size_t largeArrayThreshold = 256;

// The "encoding" of a numeric array stored as base64: IEEE 754 doubles, little-endian.
inline constexpr QLatin1String float64Encoding = latin1("f64le-base64");
// The "encoding" of a flag array stored as base64: one byte per flag, 0 or 1.
inline constexpr QLatin1String uint8Encoding = latin1("u8-base64");

// The suffix that selects compressed storage, compared without case.
inline constexpr QLatin1String compressedSuffix = latin1("qroz");

// The object kinds as the format names them; fixed, whatever the program calls them.
inline constexpr QLatin1String wellKind = latin1("Well");
inline constexpr QLatin1String pointSetKind = latin1("PointSet");
inline constexpr QLatin1String polylineSetKind = latin1("PolylineSet");
inline constexpr QLatin1String surfaceKind = latin1("RegularSurface");
inline constexpr QLatin1String rasterKind = latin1("RasterImage");
inline constexpr QLatin1String gridKind = latin1("CornerPointGrid");

// True when a file of that name is stored compressed (its suffix is .qroz in any case).
bool isCompressedFileName(QString const& path);

} // namespace format
} // namespace native
} // namespace quarro

#endif // QUARRO_NATIVE_NATIVEFORMAT_H
