#ifndef QUARRO_READERS_TIFFSAMPLES_H
#define QUARRO_READERS_TIFFSAMPLES_H

#include <QString>

#include <optional>

class QIODevice;

namespace quarro {
namespace readers {

// What one pixel of a TIFF's first image is made of, read from the file's first directory.
// Qt's TIFF plugin claims every TIFF by its header but reads only pictures; a TIFF of heights or
// other measurements (floating-point or signed samples, or one band deeper than 8 bits) is a
// surface, which the GDAL reader reads, and must not be taken as an image.
struct TiffSamples {
    int bitsPerSample = 1;
    int samplesPerPixel = 1;
    // As TIFF numbers it: 1 unsigned integer, 2 signed integer, 3 floating point.
    int sampleFormat = 1;

    // Nothing when the device does not hold a classic or big TIFF, or its directory is cut short.
    static std::optional<TiffSamples> read(QIODevice& device);

    // Whether the samples are measurements rather than colours.
    bool holdsNumbers() const;
    // "32-bit floating-point samples", say.
    QString describe() const;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_TIFFSAMPLES_H
