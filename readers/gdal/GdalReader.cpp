#include "GdalReader.h"

#include "GdalDataset.h"
#include "GdalErrorScope.h"
#include "GdalRasterLoader.h"
#include "GdalVectorLoader.h"
#include "ProgressCancelHook.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "importwidgets/CancelHook.h"
#include "utilities/UrlUtilities.h"

#include <QDir>
#include <QFileInfo>

#include <boost/shared_ptr.hpp>

#include <algorithm>
#include <cctype>
#include <exception>
#include <iterator>
#include <new>

namespace quarro {
namespace readers {

namespace {

using ObjectPtr = boost::shared_ptr<model::GeoObject>;

// The extensions offered: common rasters, then common vector formats. GDAL reads many more, and
// the reader takes any file GDAL opens, whatever its name.
char const* const offeredExtensions[] = {
    "tif",  "tiff",    "img",  "nc",  "asc", "grd", "dem", "hgt", "vrt", "jp2", "shp",
    "gpkg", "geojson", "json", "kml", "kmz", "gml", "gpx", "tab", "mif", "fgb", "dxf"};

std::string upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

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

GdalReader::GdalReader() = default;

GdalReader::~GdalReader() = default;

std::string GdalReader::data_type() {
    return "GIS";
}

std::string GdalReader::file_filter() {
    std::string patterns;
    for (char const* extension : offeredExtensions) {
        patterns += std::string(" *.") + extension;
    }
    for (char const* extension : offeredExtensions) {
        patterns += " *." + upper(extension);
    }
    return "Vector and raster data through GDAL (" + patterns.substr(1) + ")";
}

std::vector<std::string> GdalReader::supported_extentions() const {
    std::vector<std::string> extensions;
    for (char const* extension : offeredExtensions) {
        extensions.emplace_back(extension);
    }
    for (char const* extension : offeredExtensions) {
        extensions.push_back(upper(extension));
    }
    return extensions;
}

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
    std::bitset<4> bits = AbstractFileReader::verify(url, message);
    QString const path = utilities::url_to_filesystem(url);
    QString const name = QFileInfo(path).fileName();
    if (!bits.test(VERIFY_READABLE)) {
        message = QStringLiteral("%1: the file cannot be opened").arg(name);
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

GdalReader::ImportState GdalReader::import_data(boost::shared_ptr<housekeeping::DataSource> source,
                                                housekeeping::DocumentId const& document,
                                                bool /*importing*/,
                                                brkBase::AbstractProgress* progress,
                                                bool /*inserting*/) {
    utilities::UrlList const urls = source ? source->urls() : utilities::UrlList();
    auto* target = dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(document));
    QString const firstName =
        urls.empty() ? QStringLiteral("GDAL")
                     : QFileInfo(utilities::url_to_filesystem(urls.front())).fileName();
    if (urls.empty()) {
        register_failure(firstName, QStringLiteral("no file was given"));
        return IMPORT_FAILED;
    }
    if (target == nullptr) {
        register_failure(firstName, QStringLiteral("the document to read into does not exist"));
        return IMPORT_FAILED;
    }

    import::ProgressCancelHook hook(progress);
    CancelHook* const cancel = hook.hook();
    std::vector<ObjectPtr> objects;
    std::size_t const files = urls.size();
    for (std::size_t i = 0; i < files; ++i) {
        QString const path = utilities::url_to_filesystem(urls[i]);
        QString const name = QFileInfo(path).fileName();
        double const first = 100.0 * i / files;
        double const span = 100.0 / files;
        GdalProgress const report = [cancel, first, span](double share) {
            cancel->progress(first + span * share);
            return !cancel->isCancelled();
        };
        if (!report(0.0)) {
            register_comment(QStringLiteral("Cancelled: nothing was imported."));
            return IMPORT_CANCELLED;
        }
        try {
            // GDAL's handler for this file only: its messages belong to this file's summary.
            GdalErrorScope const errors;
            GdalFileContent content;
            QString failure;
            GdalOutcome const outcome = read(path, name, report, errors, content, failure);
            if (outcome == GdalOutcome::Cancelled) {
                register_comment(QStringLiteral("Cancelled: nothing was imported."));
                return IMPORT_CANCELLED;
            }
            if (outcome == GdalOutcome::Failed) {
                register_failure(name, failure.toHtmlEscaped());
                continue;
            }
            register_success(name);
            for (QString const& summary : content.summaries) {
                register_comment(summary.toHtmlEscaped());
            }
            for (QString const& comment : content.comments) {
                register_comment(comment.toHtmlEscaped());
            }
            for (QString const& warning : errors.warnings()) {
                register_comment(
                    QStringLiteral("%1: GDAL warns: %2").arg(name, warning).toHtmlEscaped());
            }
            if (errors.droppedWarnings() > 0) {
                register_comment(QStringLiteral("%1: GDAL gave %2 more warnings")
                                     .arg(name)
                                     .arg(errors.droppedWarnings())
                                     .toHtmlEscaped());
            }
            for (auto& object : content.objects) {
                objects.emplace_back(object.release());
            }
        } catch (std::bad_alloc const&) {
            register_failure(name, QStringLiteral("there is not enough memory to read the file"));
        } catch (std::exception const& e) {
            register_failure(name, QString::fromLocal8Bit(e.what()).toHtmlEscaped());
        }
    }
    cancel->progress(100.0);
    if (objects.empty()) {
        return IMPORT_FAILED;
    }
    for (ObjectPtr const& object : objects) {
        target->add_object(object);
    }
    return IMPORT_OK;
}

} // namespace readers
} // namespace quarro
