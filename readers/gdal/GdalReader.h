#ifndef QUARRO_READERS_GDAL_GDALREADER_H
#define QUARRO_READERS_GDAL_GDALREADER_H

#include "FileReaderBase.h"
#include "GdalFileContent.h"

#include <QString>

#include <bitset>
#include <string>
#include <vector>

namespace quarro {
namespace readers {

class GdalDataset;
class GdalErrorScope;

// The reader of everything GDAL opens (key "GDAL"): rasters (GeoTIFF, ERDAS Imagine, NetCDF,
// ESRI ASCII grids, ...) become regular surfaces or placed images, vector data (Shapefile,
// GeoPackage, GeoJSON, KML, DXF, ...) polyline and point sets per layer; the summary names each
// object's coordinate reference system. GDAL's errors and warnings become the summary's reasons
// and comments, never output on stderr. A file is read whole before its objects join the
// document; a failed or cancelled file adds nothing.
//
// Its filter text sorts after those of the hand-written readers, so that the file dialogs offer
// it last and a file those readers take still goes to them.
class GdalReader : public FileReaderBase {
public:
    GdalReader();
    ~GdalReader() override;

    // Accepts a file GDAL opens and finds raster bands, vector layers or subdatasets in; refuses
    // the rest with GDAL's reason.
    std::bitset<4> verify(std::string const& url, QString& message) override;

protected:
    // GDAL opens the file itself, through its own drivers.
    FileResult readFile(QString const& path, QString const& name, CancelHook const& hook) override;

private:
    Q_DISABLE_COPY(GdalReader)

    // Reads the file at `path` (shown as `name`) into `content`; `progress` hears the share
    // read. GDAL's messages go to `errors`; on failure `failure` says why.
    static GdalOutcome read(QString const& path, QString const& name, GdalProgress const& progress,
                            GdalErrorScope const& errors, GdalFileContent& content,
                            QString& failure);

    // Opens `path` for reading: null with `reason` when GDAL cannot open it, finds nothing in it,
    // or would read it without a part the user expects (a shapefile without its .dbf).
    static GdalDataset open(QString const& path, GdalErrorScope const& errors, QString& reason);
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GDAL_GDALREADER_H
