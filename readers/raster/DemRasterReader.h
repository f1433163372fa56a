#ifndef QUARRO_READERS_RASTER_DEMRASTERREADER_H
#define QUARRO_READERS_RASTER_DEMRASTERREADER_H

#include "FileReaderBase.h"

#include <QByteArray>
#include <QString>

#include <bitset>
#include <string>
#include <vector>

namespace quarro {
namespace readers {

// The "DEMRaster" reader: ESRI ASCII grids (.asc) become regular surfaces, images that Qt reads
// (PNG, JPEG, BMP, GIF, TIFF where Qt's plugin is installed, ...) become raster images placed by
// their world files. The content decides which, not the extension.
class DemRasterReader : public FileReaderBase {
public:
    DemRasterReader();
    ~DemRasterReader() override;

    std::bitset<4> verify(std::string const& url, QString& message) override;

    // Whether the head of a file (its first 1024 bytes or less) is an ASCII grid or an image Qt
    // can read; when it is neither, `why` says what is wrong, using the file name's extension.
    static bool recognises(QByteArray const& head, QString const& fileName, QString& why);

protected:
    // Grids are text and go through TextDecoder; images are left to Qt's image readers.
    FileResult parse(std::string_view bytes, QString const& path, QString const& name,
                     CancelHook const& hook) override;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_RASTER_DEMRASTERREADER_H
