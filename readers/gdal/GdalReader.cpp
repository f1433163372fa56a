#include "GdalReader.h"

#include "GdalDataset.h"
#include "GdalErrorScope.h"
#include "GdalRasterLoader.h"
#include "GdalVectorLoader.h"
#include "importwidgets/CancelHook.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace quarro {
namespace readers {

namespace {

// The extensions offered: common rasters, then common vector formats. GDAL reads many more, and
// the reader takes any file GDAL opens, whatever its name.
std::vector<char const*> const offeredExtensions = {
    "tif",  "tiff",    "img",  "nc",  "asc", "grd", "dem", "hgt", "vrt", "jp2", "shp",
    "gpkg", "geojson", "json", "kml", "kmz", "gml", "gpx", "tab", "mif", "fgb", "dxf"};

// GDAL's shapefile driver reads the shapes without their attribute table when the .dbf is
// missing, and says nothing. The reason for refusing comes from GDAL all the same: it is what
// GDAL answers when asked for the table.
QString missingTable(QString const& path, GdalErrorScope const& errors) {
    QFileInfo const shapes(path);
    if (shapes.suffix().compare(QLatin1String("shp"), Qt::CaseInsensitive) != 0) {
        return QString();
    }
    QDir const folder = shapes.absoluteDir();
    QString const base = shapes.completeBaseName();
    for (char const* suffix : {".dbf", ".DBF"}) {
        if (folder.exists(base + QLatin1String(suffix))) {
            return QString();
        }
    }
    QString const table = folder.filePath(base + QStringLiteral(".dbf"));
    GdalDataset const probe = GdalDataset::open(table);
    return QStringLiteral("the shapefile's attribute table %1 is missing (%2)")
        .arg(QFileInfo(table).fileName(), errors.reason(QStringLiteral("GDAL cannot open it")));
}

// The name of the shapefile whose companion file (index, attributes, projection...) this is,
// when that shapefile lies beside it; empty otherwise.
QString shapefileOf(QString const& path) {
    static char const* const companions[] = {"shx", "dbf", "prj", "cpg", "sbn", "sbx", "qix"};
    QFileInfo const info(path);
    QString const suffix = info.suffix().toLower();
    if (std::none_of(
            std::begin(companions), std::end(companions),
            [&suffix](char const* companion) { return suffix == QLatin1String(companion); })) {
        return QString();
    }
    for (QString const& extension : {QStringLiteral("shp"), QStringLiteral("SHP")}) {
        QFileInfo const shapefile(info.dir(), info.completeBaseName() + '.' + extension);
        if (shapefile.isFile()) {
            return shapefile.fileName();
        }
    }
    return QString();
}

} // namespace

GdalReader::GdalReader()
    : FileReaderBase(
          {"GIS", "Vector and raster data through GDAL", inBothCases(offeredExtensions)}) {}

GdalReader::~GdalReader() = default;

GdalDataset GdalReader::open(QString const& path, GdalErrorScope const& errors, QString& reason) {
    GdalDataset dataset = GdalDataset::open(path);
    if (dataset.isNull()) {
        reason = errors.reason(QStringLiteral("GDAL cannot open the file"));
        return dataset;
    }
    if (!dataset.holdsData()) {
        reason = QStringLiteral("GDAL opens the file as %1 but finds neither raster bands nor "
                                "vector layers in it")
                     .arg(dataset.driverName());
        return GdalDataset();
    }
    if (dataset.driverKey() == QLatin1String("ESRI Shapefile")) {
        reason = missingTable(path, errors);
        if (!reason.isEmpty()) {
            return GdalDataset();
        }
    }
    return dataset;
}

std::bitset<4> GdalReader::verify(std::string const& url, QString& message) {
    QString path;
    QString name;
    std::bitset<4> bits = verifyOpens(url, message, path, name);
    if (!bits.test(VERIFY_READABLE)) {
        return bits;
    }
    QString const shapefile = shapefileOf(path);
    if (!shapefile.isEmpty()) {
        // GDAL opens the whole shapefile through any of its parts; taking each part would bring
        // the same layer in several times when a folder is imported.
        bits.reset(VERIFY_READABLE);
        message =
            QStringLiteral("%1: part of the shapefile %2; open that file").arg(name, shapefile);
        return bits;
    }
    GdalErrorScope const errors;
    QString reason;
    if (!open(path, errors, reason).isNull()) {
        bits.set(VERIFY_ACCEPTED);
        return bits;
    }
    // Refused: clear the readable bit too, or the manager would take the file anyway.
    bits.reset(VERIFY_READABLE);
    message = QStringLiteral("%1: %2").arg(name, reason);
    return bits;
}

GdalOutcome GdalReader::read(QString const& path, QString const& name, GdalProgress const& progress,
                             GdalErrorScope const& errors, GdalFileContent& content,
                             QString& failure) {
    GdalDataset dataset = open(path, errors, failure);
    if (dataset.isNull()) {
        return GdalOutcome::Failed;
    }
    QString const absolute = QFileInfo(path).absoluteFilePath();
    bool const raster = dataset.rasterCount() > 0 || !dataset.subdatasets().isEmpty();
    bool const vector = dataset.layerCount() > 0;
    // A file with both (a GeoPackage of tiles and features) gives each half of the bar.
    double const rasterPart = raster && vector ? 0.5 : 1.0;
    GdalOutcome outcome = GdalOutcome::Read;
    if (raster) {
        GdalRasterLoader loader(
            [&progress, rasterPart](double share) { return progress(rasterPart * share); }, errors);
        outcome = loader.load(dataset, name, absolute, content, failure);
    }
    if (vector && outcome == GdalOutcome::Read) {
        double const first = raster ? rasterPart : 0.0;
        GdalVectorLoader loader(
            [&progress, first](double share) { return progress(first + (1.0 - first) * share); },
            errors);
        outcome = loader.load(dataset, name, absolute, content, failure);
    }
    dataset.close();
    return outcome;
}

FileResult GdalReader::readFile(QString const& path, QString const& name, CancelHook const& hook) {
    GdalProgress const report = shareReporter(hook);
    // GDAL's handler for this file only: its messages belong to this file's summary.
    GdalErrorScope const errors;
    GdalFileContent content;
    QString failure;
    GdalOutcome const outcome = read(path, name, report, errors, content, failure);
    if (outcome == GdalOutcome::Cancelled) {
        return FileResult::cancel();
    }
    if (outcome == GdalOutcome::Failed) {
        return FileResult::failed(failure);
    }
    FileResult result;
    result.comments << content.summaries << content.comments;
    for (QString const& warning : errors.warnings()) {
        result.comments << QStringLiteral("%1: GDAL warns: %2").arg(name, warning);
    }
    if (errors.droppedWarnings() > 0) {
        result.comments << QStringLiteral("%1: GDAL gave %2 more warnings")
                               .arg(name)
                               .arg(errors.droppedWarnings());
    }
    for (auto& object : content.objects) {
        result.objects.emplace_back(object.release());
    }
    return result;
}

} // namespace readers
} // namespace quarro
