#include "GdalDataset.h"

#include <QFile>

#include <cpl_string.h>

#include <mutex>

namespace quarro {
namespace readers {

namespace {

void registerDrivers() {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
}

} // namespace

void GdalDataset::Closer::operator()(void* handle) const {
    GDALClose(static_cast<GDALDatasetH>(handle));
}

GdalDataset GdalDataset::openWith(char const* name, unsigned flags) {
    registerDrivers();
    GdalDataset dataset;
    // Verbose: without it GDAL says nothing when no driver recognises the file.
    dataset.m_handle.reset(GDALOpenEx(name, flags | GDAL_OF_READONLY | GDAL_OF_VERBOSE_ERROR,
                                      nullptr, nullptr, nullptr));
    return dataset;
}

GdalDataset GdalDataset::open(QString const& path) {
    return openWith(QFile::encodeName(path).constData(), GDAL_OF_RASTER | GDAL_OF_VECTOR);
}

GdalDataset GdalDataset::openSubdataset(QByteArray const& name) {
    return openWith(name.constData(), GDAL_OF_RASTER);
}

QString GdalDataset::driverName() const {
    GDALDriverH const driver = m_handle ? GDALGetDatasetDriver(handle()) : nullptr;
    return driver ? QString::fromUtf8(GDALGetDriverLongName(driver)) : QString();
}

QString GdalDataset::driverKey() const {
    GDALDriverH const driver = m_handle ? GDALGetDatasetDriver(handle()) : nullptr;
    return driver ? QString::fromUtf8(GDALGetDriverShortName(driver)) : QString();
}

int GdalDataset::rasterCount() const {
    return m_handle ? GDALGetRasterCount(handle()) : 0;
}

int GdalDataset::layerCount() const {
    return m_handle ? GDALDatasetGetLayerCount(handle()) : 0;
}

QList<GdalDataset::Subdataset> GdalDataset::subdatasets() const {
    QList<Subdataset> found;
    if (!m_handle) {
        return found;
    }
    // Pairs of SUBDATASET_<n>_NAME and SUBDATASET_<n>_DESC, numbered from 1.
    char** const items = GDALGetMetadata(handle(), "SUBDATASETS");
    for (int n = 1;; ++n) {
        QByteArray const key = "SUBDATASET_" + QByteArray::number(n);
        char const* const name = CSLFetchNameValue(items, (key + "_NAME").constData());
        if (name == nullptr) {
            break;
        }
        char const* const description = CSLFetchNameValue(items, (key + "_DESC").constData());
        found << Subdataset(QByteArray(name), QString::fromUtf8(description ? description : name));
    }
    return found;
}

bool GdalDataset::holdsData() const {
    return rasterCount() > 0 || layerCount() > 0 || !subdatasets().isEmpty();
}

QString GdalDataset::rasterCrs() const {
    return m_handle ? describe(GDALGetSpatialRef(handle())) : QString();
}

QString GdalDataset::describe(OGRSpatialReferenceH crs) {
    if (crs == nullptr) {
        return QString();
    }
    char const* const name = OSRGetName(crs);
    QString text = QString::fromUtf8(name ? name : "unnamed");
    char const* const authority = OSRGetAuthorityName(crs, nullptr);
    char const* const code = OSRGetAuthorityCode(crs, nullptr);
    if (authority != nullptr && code != nullptr) {
        text +=
            QStringLiteral(" (%1:%2)").arg(QString::fromUtf8(authority), QString::fromUtf8(code));
    }
    return text;
}

} // namespace readers
} // namespace quarro
