#include "GdalRasterLoader.h"

#include "GdalDataset.h"
#include "GdalErrorScope.h"
#include "GdalText.h"
#include "HugePages.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quarro {
namespace readers {

using gdal::counted;
using gdal::crsPhrase;
using gdal::decimal;

namespace {

// The last part of a subdataset's name ("NETCDF:"/data/f.nc":height" gives "height").
QString variableName(QByteArray const& subdataset) {
    QString name = QString::fromUtf8(subdataset);
    name = name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
    name.remove(QLatin1Char('"'));
    while (name.startsWith(QLatin1Char('/'))) {
        name.remove(0, 1);
    }
    return name.isEmpty() ? QString::fromUtf8(subdataset) : name;
}

// Drops the blocks GDAL keeps of the dataset's bands. Each block is read once, so keeping them
// only grows the process by the size of the file; dropped, their memory serves the next window.
void releaseBlocks(GDALDatasetH dataset) {
    for (int band = 1; band <= GDALGetRasterCount(dataset); ++band) {
        // Only cached copies of read-only data go: nothing can fail that matters.
        (void)GDALFlushRasterCache(GDALGetRasterBand(dataset, band));
    }
}

bool isColour(GDALDatasetH dataset, int band, GDALColorInterp expected) {
    return GDALGetRasterColorInterpretation(GDALGetRasterBand(dataset, band)) == expected;
}

} // namespace

// Where the raster lies. Only north-up grids and their mirror images can be placed: the model's
// surfaces and images have no rotation.
struct GdalRasterLoader::Placement {
    double transform[6] = {0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
    bool placed = false;
    // Why the raster is not placed, completing "the raster lies in cell units: ...".
    QString why;

    explicit Placement(GDALDatasetH dataset) {
        if (GDALGetGeoTransform(dataset, transform) != CE_None) {
            why = QStringLiteral("the file gives no georeferencing");
            return;
        }
        if (transform[2] != 0.0 || transform[4] != 0.0) {
            why = QStringLiteral("the georeferencing rotates the grid (rotation terms %1 and %2), "
                                 "which cannot be shown")
                      .arg(decimal(transform[2]), decimal(transform[4]));
            return;
        }
        bool const finite = std::all_of(std::begin(transform), std::end(transform),
                                        [](double value) { return std::isfinite(value); });
        if (!finite || transform[1] == 0.0 || transform[5] == 0.0) {
            why = QStringLiteral("the georeferencing gives no usable cell size");
            return;
        }
        placed = true;
    }

    // Rows in the file run southward, as in nearly every raster; unplaced rasters are taken so.
    bool northUp() const { return !placed || transform[5] < 0.0; }
    bool mirrored() const { return placed && transform[1] < 0.0; }
    double cellWidth() const { return std::fabs(transform[1]); }
    double cellHeight() const { return std::fabs(transform[5]); }
    double west(int width) const {
        return transform[1] > 0.0 ? transform[0] : transform[0] + width * transform[1];
    }
    double north(int height) const {
        return transform[5] < 0.0 ? transform[3] : transform[3] + height * transform[5];
    }
    double south(int height) const {
        return transform[5] < 0.0 ? transform[3] + height * transform[5] : transform[3];
    }
};

// The window being read, for GDAL's progress callback: the share of the raster read before it
// and the share it holds.
struct GdalRasterLoader::Window {
    GdalRasterLoader* loader;
    double done;
    double part;
};

// One raster to read: the whole file or one of its subdatasets.
struct GdalRasterLoader::Source {
    QString objectName;
    QString path;
    QString format;
};

GdalRasterLoader::GdalRasterLoader(GdalProgress progress, GdalErrorScope const& errors)
    : m_progress(std::move(progress))
    , m_errors(errors) {}

int GdalRasterLoader::windowRows(qint64 rowBytes, int blockRows, int height, qint64 windowBytes) {
    qint64 rows = std::max<qint64>(1, windowBytes / std::max<qint64>(1, rowBytes));
    if (blockRows > 1 && blockRows <= height) {
        rows = std::max<qint64>(blockRows, rows / blockRows * blockRows);
    }
    return static_cast<int>(std::min<qint64>(rows, std::max(1, height)));
}

GdalOutcome GdalRasterLoader::load(GdalDataset const& dataset, QString const& name,
                                   QString const& path, GdalFileContent& content,
                                   QString& failure) {
    m_cancelled = false;
    QString const format = dataset.driverName();
    if (dataset.rasterCount() > 0) {
        m_first = 0.0;
        m_span = 1.0;
        return loadRaster(dataset, Source{name, path, format}, content, failure);
    }
    QList<GdalDataset::Subdataset> const parts = dataset.subdatasets();
    for (int i = 0; i < parts.size(); ++i) {
        m_first = static_cast<double>(i) / parts.size();
        m_span = 1.0 / parts.size();
        GdalDataset const part = GdalDataset::openSubdataset(parts[i].first);
        if (part.isNull() || part.rasterCount() == 0) {
            return failed(
                failure,
                QStringLiteral("GDAL cannot open its part %1").arg(variableName(parts[i].first)));
        }
        Source const source{QStringLiteral("%1 (%2)").arg(name, variableName(parts[i].first)), path,
                            format};
        GdalOutcome const outcome = loadRaster(part, source, content, failure);
        if (outcome != GdalOutcome::Read) {
            return outcome;
        }
    }
    return GdalOutcome::Read;
}

GdalOutcome GdalRasterLoader::loadRaster(GdalDataset const& dataset, Source const& source,
                                         GdalFileContent& content, QString& failure) {
    GDALDatasetH const handle = dataset.handle();
    Placement const placement(handle);
    int const bands = GDALGetRasterCount(handle);
    GDALRasterBandH const first = GDALGetRasterBand(handle, 1);
    bool const paletted = bands == 1 && isColour(handle, 1, GCI_PaletteIndex) &&
                          GDALGetRasterColorTable(first) != nullptr;
    bool const colour =
        bands >= 3 && ((isColour(handle, 1, GCI_RedBand) && isColour(handle, 2, GCI_GreenBand) &&
                        isColour(handle, 3, GCI_BlueBand)) ||
                       GDALGetRasterDataType(first) == GDT_Byte);
    if (paletted || colour) {
        return readImage(dataset, source, placement, content, failure);
    }
    if (bands > 1) {
        content.comments << QStringLiteral("%1: %2; the first is read as heights, the others are "
                                           "left out")
                                .arg(source.objectName, counted(bands, "band", "bands"));
    }
    return readSurface(dataset, source, placement, content, failure);
}

GdalOutcome GdalRasterLoader::readSurface(GdalDataset const& dataset, Source const& source,
                                          Placement const& placement, GdalFileContent& content,
                                          QString& failure) {
    GDALRasterBandH const band = GDALGetRasterBand(dataset.handle(), 1);
    int const width = GDALGetRasterBandXSize(band);
    int const height = GDALGetRasterBandYSize(band);
    if (width <= 0 || height <= 0) {
        failure = QStringLiteral("the raster has no cells");
        return GdalOutcome::Failed;
    }
    int hasNoData = 0;
    double noData = GDALGetRasterNoDataValue(band, &hasNoData);
    // The value as the file stores it: a float band's NODATA of -3.4e38 is not that double.
    if (hasNoData && GDALGetRasterDataType(band) == GDT_Float32 && std::isfinite(noData) &&
        std::fabs(noData) <= std::numeric_limits<float>::max()) {
        noData = static_cast<float>(noData);
    }
    double const scale = GDALGetRasterScale(band, nullptr);
    double const offset = GDALGetRasterOffset(band, nullptr);
    bool const scaled = (scale != 1.0 && scale != 0.0) || offset != 0.0;

    std::size_t const cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<double> heights;
    heights.reserve(cells);
    HugePages::advise(heights.data(), cells * sizeof(double));
    int blockWidth = 0;
    int blockHeight = 0;
    GDALGetBlockSize(band, &blockWidth, &blockHeight);
    int const rows = windowRows(static_cast<qint64>(width) * 8, blockHeight, height);
    std::vector<double> window(static_cast<std::size_t>(rows) * static_cast<std::size_t>(width));

    // The surface's rows run northward: a north-up file is read from its bottom window up and
    // each window's rows are taken last to first, so the heights are written once, in order.
    bool const northUp = placement.northUp();
    bool const mirrored = placement.mirrored();
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    std::size_t noDataCells = 0;
    auto const read = [&](int row, int count, GDALRasterIOExtraArg* extra) {
        CPLErr const error = GDALRasterIOEx(band, GF_Read, 0, row, width, count, window.data(),
                                            width, count, GDT_Float64, 0, 0, extra);
        if (error != CE_None) {
            return error;
        }
        for (int i = 0; i < count; ++i) {
            double const* line =
                window.data() + static_cast<std::size_t>(northUp ? count - 1 - i : i) *
                                    static_cast<std::size_t>(width);
            std::size_t const at = heights.size();
            heights.resize(at + static_cast<std::size_t>(width));
            double* out = heights.data() + at;
            for (int col = 0; col < width; ++col) {
                double value = line[mirrored ? width - 1 - col : col];
                if ((hasNoData && value == noData) || std::isnan(value)) {
                    value = model::RegularSurface::noData();
                    ++noDataCells;
                } else {
                    if (scaled) {
                        value = value * scale + offset;
                    }
                    low = std::min(low, value);
                    high = std::max(high, value);
                }
                out[col] = value;
            }
        }
        return CE_None;
    };
    GdalOutcome const outcome = readWindows(dataset.handle(), height, rows, northUp, read, failure);
    if (outcome != GdalOutcome::Read) {
        return outcome;
    }
    window = std::vector<double>();

    auto surface = std::make_unique<model::RegularSurface>();
    if (placement.placed) {
        surface->setPlacement(placement.west(width), placement.south(height), placement.cellWidth(),
                              placement.cellHeight());
    } else {
        content.comments << QStringLiteral("%1: the grid lies in cell units (one unit per cell, "
                                           "lower left corner at 0 / 0): %2")
                                .arg(source.objectName, placement.why);
    }
    surface->setHeights(width, height, std::move(heights));
    surface->setName(source.objectName);
    surface->setProperty(QStringLiteral("source"), source.path);
    surface->setProperty(QStringLiteral("format"), source.format);
    QString const crs = dataset.rasterCrs();
    if (!crs.isEmpty()) {
        surface->setProperty(QStringLiteral("coordinate reference system"), crs);
    }

    QString const cell =
        surface->dx() == surface->dy()
            ? decimal(surface->dx())
            : decimal(surface->dx()) + QStringLiteral(" x ") + decimal(surface->dy());
    QString const range = noDataCells == cells
                              ? QStringLiteral("no heights")
                              : QStringLiteral("heights %1 to %2").arg(decimal(low), decimal(high));
    content.summaries << QStringLiteral("%1: %2 file, grid of %3 x %4 cells of %5, lower left %6 "
                                        "/ %7, %8, %9; %10")
                             .arg(source.objectName, source.format, gdal::english().toString(width),
                                  gdal::english().toString(height), cell,
                                  decimal(surface->originX()), decimal(surface->originY()), range,
                                  counted(noDataCells, "NODATA cell", "NODATA cells"),
                                  crsPhrase(crs));
    content.objects.push_back(std::move(surface));
    return GdalOutcome::Read;
}

GdalOutcome GdalRasterLoader::readImage(GdalDataset const& dataset, Source const& source,
                                        Placement const& placement, GdalFileContent& content,
                                        QString& failure) {
    GDALDatasetH const handle = dataset.handle();
    int const width = GDALGetRasterXSize(handle);
    int const height = GDALGetRasterYSize(handle);
    int const bands = GDALGetRasterCount(handle);
    GDALRasterBandH const first = GDALGetRasterBand(handle, 1);
    bool const paletted = bands == 1;
    bool const alpha = bands >= 4 && isColour(handle, 4, GCI_AlphaBand);
    QImage::Format const format = paletted ? QImage::Format_Indexed8
                                  : alpha  ? QImage::Format_RGBA8888
                                           : QImage::Format_RGBX8888;
    QImage image(width, height, format);
    if (image.isNull()) {
        failure = QStringLiteral("the image of %1 x %2 pixels is too large to hold")
                      .arg(gdal::english().toString(width), gdal::english().toString(height));
        return GdalOutcome::Failed;
    }
    QString kind;
    WindowRead read;
    if (paletted) {
        kind = QStringLiteral("paletted");
        GDALColorTableH const table = GDALGetRasterColorTable(first);
        int const entries = std::min(GDALGetColorEntryCount(table), 256);
        // Indexes past the palette show as transparent, as does the NODATA index.
        QVector<QRgb> colours(256, qRgba(0, 0, 0, 0));
        for (int i = 0; i < entries; ++i) {
            GDALColorEntry entry{};
            if (GDALGetColorEntryAsRGB(table, i, &entry)) {
                colours[i] = qRgba(entry.c1, entry.c2, entry.c3, entry.c4);
            }
        }
        int hasNoData = 0;
        double const noData = GDALGetRasterNoDataValue(first, &hasNoData);
        if (hasNoData && noData >= 0.0 && noData < 256.0) {
            colours[static_cast<int>(noData)] = qRgba(0, 0, 0, 0);
        }
        image.setColorTable(colours);
        read = [&](int row, int count, GDALRasterIOExtraArg* extra) {
            return GDALRasterIOEx(first, GF_Read, 0, row, width, count, image.scanLine(row), width,
                                  count, GDT_Byte, 1, image.bytesPerLine(), extra);
        };
    } else {
        kind = alpha ? QStringLiteral("RGBA") : QStringLiteral("RGB");
        // The unused fourth byte of an RGBX pixel must be 255.
        image.fill(0xffffffffu);
        read = [&](int row, int count, GDALRasterIOExtraArg* extra) {
            int bandMap[] = {1, 2, 3, 4};
            return GDALDatasetRasterIOEx(handle, GF_Read, 0, row, width, count, image.scanLine(row),
                                         width, count, GDT_Byte, alpha ? 4 : 3, bandMap, 4,
                                         image.bytesPerLine(), 1, extra);
        };
        if (bands > 4 || (bands == 4 && !alpha)) {
            content.comments << QStringLiteral("%1: %2; the first %3 are read as colours")
                                    .arg(source.objectName, counted(bands, "band", "bands"),
                                         QString::number(alpha ? 4 : 3));
        }
    }
    if (GDALGetRasterDataType(first) != GDT_Byte) {
        content.comments << QStringLiteral("%1: the colours have more than 8 bits; values above "
                                           "255 show as 255")
                                .arg(source.objectName);
    }
    int blockWidth = 0;
    int blockHeight = 0;
    GDALGetBlockSize(first, &blockWidth, &blockHeight);
    GdalOutcome const outcome =
        readWindows(handle, height, windowRows(image.bytesPerLine(), blockHeight, height), false,
                    read, failure);
    if (outcome != GdalOutcome::Read) {
        return outcome;
    }

    auto raster = std::make_unique<model::RasterImage>();
    if (placement.placed) {
        if (placement.mirrored() || !placement.northUp()) {
            image = image.mirrored(placement.mirrored(), !placement.northUp());
        }
        raster->setImage(image);
        raster->setExtent(placement.west(width), placement.north(height), placement.cellWidth(),
                          placement.cellHeight());
    } else {
        raster->setImage(image);
        content.comments << QStringLiteral("%1: the image lies in pixel coordinates: %2")
                                .arg(source.objectName, placement.why);
    }
    raster->setName(source.objectName);
    raster->setSourceFile(source.path);
    raster->setProperty(QStringLiteral("source"), source.path);
    raster->setProperty(QStringLiteral("format"), source.format);
    QString const crs = dataset.rasterCrs();
    if (!crs.isEmpty()) {
        raster->setProperty(QStringLiteral("coordinate reference system"), crs);
    }
    QString const where =
        placement.placed ? QStringLiteral("top left %1 / %2, pixels of %3 x %4")
                               .arg(decimal(raster->topLeftX()), decimal(raster->topLeftY()),
                                    decimal(raster->pixelSizeX()), decimal(raster->pixelSizeY()))
                         : QStringLiteral("in pixel coordinates");
    content.summaries << QStringLiteral("%1: %2 file, %3 image of %4 x %5 pixels, %6; %7")
                             .arg(source.objectName, source.format, kind,
                                  gdal::english().toString(width), gdal::english().toString(height),
                                  where, crsPhrase(crs));
    content.objects.push_back(std::move(raster));
    return GdalOutcome::Read;
}

GdalOutcome GdalRasterLoader::readWindows(GDALDatasetH dataset, int height, int rowsPerWindow,
                                          bool bottomUp, WindowRead const& read, QString& failure) {
    int const windows = (height + rowsPerWindow - 1) / rowsPerWindow;
    int done = 0;
    for (int k = 0; k < windows; ++k) {
        int const row = (bottomUp ? windows - 1 - k : k) * rowsPerWindow;
        int const count = std::min(rowsPerWindow, height - row);
        Window window{this, static_cast<double>(done) / height,
                      static_cast<double>(count) / height};
        GDALRasterIOExtraArg extra;
        INIT_RASTERIO_EXTRA_ARG(extra);
        extra.pfnProgress = &GdalRasterLoader::onGdalProgress;
        extra.pProgressData = &window;
        CPLErr const error = read(row, count, &extra);
        releaseBlocks(dataset);
        if (m_cancelled) {
            return GdalOutcome::Cancelled;
        }
        if (error != CE_None) {
            return failed(
                failure,
                QStringLiteral("GDAL cannot read rows %1 to %2").arg(row + 1).arg(row + count));
        }
        done += count;
        if (!report(static_cast<double>(done) / height)) {
            return GdalOutcome::Cancelled;
        }
    }
    return GdalOutcome::Read;
}

GdalOutcome GdalRasterLoader::failed(QString& failure, QString const& fallback) const {
    failure = m_errors.reason(fallback);
    return GdalOutcome::Failed;
}

bool GdalRasterLoader::report(double share) {
    if (!m_cancelled && !m_progress(m_first + m_span * share)) {
        m_cancelled = true;
    }
    return !m_cancelled;
}

int CPL_STDCALL GdalRasterLoader::onGdalProgress(double complete, char const* /*message*/,
                                                 void* window) {
    auto const* const current = static_cast<Window const*>(window);
    // GDAL calls from C code: nothing may escape. A failure here stops the read like a cancel.
    try {
        return current->loader->report(current->done + current->part * complete) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

} // namespace readers
} // namespace quarro
