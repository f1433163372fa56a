#ifndef QUARRO_READERS_GDAL_GDALRASTERLOADER_H
#define QUARRO_READERS_GDAL_GDALRASTERLOADER_H

#include "GdalFileContent.h"

#include <QString>
#include <QtGlobal>

#include <gdal.h>

#include <functional>

namespace quarro {
namespace readers {

class GdalDataset;
class GdalErrorScope;

// Reads the raster of a dataset GDAL opened. One band of numbers becomes a regular surface
// (NODATA cells, and NaN, become "no height"; a band's scale and offset are applied); three or
// four colour bands, or one paletted band, become an image placed by the dataset's
// georeferencing. A container without bands of its own (NetCDF or HDF with several variables)
// gives one object per subdataset.
//
// The raster is read in windows of whole rows, a few megabytes each, with GDAL's progress
// callback reporting within a window: progress and cancel reach the caller several times per
// window, so cancelling a large raster takes effect within milliseconds.
class GdalRasterLoader {
public:
    // `progress` hears the share of the dataset read; answering false stops the read. GDAL's
    // reasons for a failure are taken from `errors`, the scope the caller opened around the read.
    GdalRasterLoader(GdalProgress progress, GdalErrorScope const& errors);

    // Reads the rasters of `dataset` (the file `path`, shown as `name`) into `content`; on
    // failure `failure` says why.
    GdalOutcome load(GdalDataset const& dataset, QString const& name, QString const& path,
                     GdalFileContent& content, QString& failure);

    // The rows read at once for rows of `rowBytes` bytes stored in blocks of `blockRows` rows:
    // about `windowBytes`, rounded to whole blocks so that no block is read twice.
    static int windowRows(qint64 rowBytes, int blockRows, int height,
                          qint64 windowBytes = 4 * 1024 * 1024);

private:
    Q_DISABLE_COPY(GdalRasterLoader)

    struct Placement;
    struct Source;
    struct Window;
    // Reads one window of `rows` rows starting at `row`, with GDAL's progress in `extra`.
    using WindowRead = std::function<CPLErr(int row, int rows, GDALRasterIOExtraArg* extra)>;

    GdalOutcome loadRaster(GdalDataset const& dataset, Source const& source,
                           GdalFileContent& content, QString& failure);
    GdalOutcome readSurface(GdalDataset const& dataset, Source const& source,
                            Placement const& placement, GdalFileContent& content, QString& failure);
    GdalOutcome readImage(GdalDataset const& dataset, Source const& source,
                          Placement const& placement, GdalFileContent& content, QString& failure);
    // Reads the windows of a raster of `height` rows of `dataset` from the top down, or from the
    // bottom window up.
    GdalOutcome readWindows(GDALDatasetH dataset, int height, int rowsPerWindow, bool bottomUp,
                            WindowRead const& read, QString& failure);
    GdalOutcome failed(QString& failure, QString const& fallback) const;

    // Reports `share` of the current raster; false once the user cancelled.
    bool report(double share);
    static int CPL_STDCALL onGdalProgress(double complete, char const* message, void* window);

    GdalProgress m_progress;
    GdalErrorScope const& m_errors;
    // The current raster's part of the dataset.
    double m_first = 0.0;
    double m_span = 1.0;
    bool m_cancelled = false;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GDAL_GDALRASTERLOADER_H
