#ifndef QUARRO_READERS_GDAL_GDALDATASET_H
#define QUARRO_READERS_GDAL_GDALDATASET_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <gdal.h>
#include <ogr_srs_api.h>

#include <memory>

namespace quarro {
namespace readers {

// A file (or a subdataset of one) opened read-only through GDAL, closed when the object goes.
// What GDAL reports while opening and closing goes to the caller's GdalErrorScope.
class GdalDataset {
public:
    // A subdataset: GDAL's name to open it by and its description ("[100x200] height (32-bit
    // floating-point)").
    using Subdataset = QPair<QByteArray, QString>;

    GdalDataset() = default;

    // Opens a file for its rasters and vector layers; null when GDAL cannot. Registers GDAL's
    // drivers on first use.
    static GdalDataset open(QString const& path);
    // Opens one subdataset of a container (NetCDF variables, HDF arrays) for its raster.
    static GdalDataset openSubdataset(QByteArray const& name);

    bool isNull() const { return !m_handle; }
    GDALDatasetH handle() const { return m_handle.get(); }

    // The driver's long name ("GeoTIFF") and short name ("GTiff").
    QString driverName() const;
    QString driverKey() const;

    int rasterCount() const;
    int layerCount() const;
    QList<Subdataset> subdatasets() const;
    // Whether GDAL found anything to read: raster bands, vector layers or subdatasets.
    bool holdsData() const;

    // The dataset's raster coordinate reference system, described as by describe().
    QString rasterCrs() const;
    // The name GDAL gives a coordinate reference system with its authority code ("WGS 84 / UTM
    // zone 32N (EPSG:32632)"); empty for none.
    static QString describe(OGRSpatialReferenceH crs);

    void close() { m_handle.reset(); }

private:
    struct Closer {
        void operator()(void* handle) const;
    };

    static GdalDataset openWith(char const* name, unsigned flags);

    std::unique_ptr<void, Closer> m_handle;
};

} // namespace readers
} // namespace quarro

#endif // QUARRO_READERS_GDAL_GDALDATASET_H
