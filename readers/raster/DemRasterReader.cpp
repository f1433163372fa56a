#include "DemRasterReader.h"

#include "AsciiGridParser.h"
#include "ProgressCancelHook.h"
#include "RasterImageLoader.h"
#include "TiffSamples.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "utilities/UrlUtilities.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>

#include <boost/shared_ptr.hpp>

#include <algorithm>
#include <exception>
#include <limits>
#include <new>
#include <optional>
#include <string_view>

namespace quarro {
namespace readers {

namespace {

using ObjectPtr = boost::shared_ptr<model::GeoObject>;

// The extensions offered, grids first; the file dialogs get each in both cases.
char const* const offeredExtensions[] = {"asc", "bmp", "gif",  "jpeg", "jpg",
                                         "png", "tif", "tiff", "xpm"};
char const* const worldFileExtensions[] = {"tfw", "tifw", "pgw", "pngw", "jgw", "jpgw",
                                           "bpw", "bmpw", "gfw", "gifw", "wld"};

QLocale const& english() {
    static QLocale const locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString decimal(double value) {
    return english().toString(value, 'g', 12);
}

// A file's bytes for parsing: mapped where the file system allows it, so that a large file is
// neither copied nor given fresh pages; read into memory otherwise. The mapping lives as long as
// the object (QFile unmaps when it closes).
class FileBytes {
public:
    bool open(QString const& path, QString& error) {
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("the file cannot be opened (%1)").arg(m_file.errorString());
            return false;
        }
        qint64 const size = m_file.size();
        if (size == 0) {
            return true;
        }
        if (uchar const* mapped = m_file.map(0, size)) {
            m_text = std::string_view(reinterpret_cast<char const*>(mapped),
                                      static_cast<std::size_t>(size));
            return true;
        }
        if (size >= std::numeric_limits<int>::max()) {
            error = QStringLiteral("the file is larger than 2 GB and cannot be mapped");
            return false;
        }
        m_copy = m_file.readAll();
        if (m_copy.size() != size) {
            error = QStringLiteral("the file cannot be read (%1)").arg(m_file.errorString());
            return false;
        }
        m_text = std::string_view(m_copy.constData(), static_cast<std::size_t>(m_copy.size()));
        return true;
    }

    std::string_view text() const { return m_text; }

    void release() {
        m_text = std::string_view();
        m_copy.clear();
        m_file.close();
    }

private:
    QFile m_file;
    QByteArray m_copy;
    std::string_view m_text;
};

QString surfaceSummary(QString const& name, model::RegularSurface const& surface, bool byCentre) {
    model::ValueRange const range = surface.minMax();
    QString const heights =
        range.isEmpty()
            ? QStringLiteral("no heights")
            : QStringLiteral("heights %1 to %2").arg(decimal(range.min()), decimal(range.max()));
    QString const cell =
        surface.dx() == surface.dy()
            ? decimal(surface.dx())
            : decimal(surface.dx()) + QStringLiteral(" x ") + decimal(surface.dy());
    return QStringLiteral("%1: grid of %2 x %3 cells of %4, lower left %5 / %6%7, %8, %9 NODATA "
                          "cells")
        .arg(name, english().toString(surface.ncols()), english().toString(surface.nrows()), cell,
             decimal(surface.originX()), decimal(surface.originY()),
             byCentre ? QStringLiteral(" (from cell centres)") : QString(), heights,
             english().toString(static_cast<qulonglong>(surface.noDataCount())));
}

} // namespace

DemRasterReader::DemRasterReader() = default;

DemRasterReader::~DemRasterReader() = default;

std::string DemRasterReader::data_type() {
    return "Raster";
}

std::string DemRasterReader::file_filter() {
    std::string patterns;
    for (bool upper : {false, true}) {
        for (char const* extension : offeredExtensions) {
            std::string pattern = std::string(" *.") + extension;
            if (upper) {
                for (char& c : pattern) {
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                }
            }
            patterns += pattern;
        }
    }
    return "Raster images and ESRI ASCII grids (" + patterns.substr(1) + ")";
}

std::vector<std::string> DemRasterReader::supported_extentions() const {
    std::vector<std::string> extensions;
    for (char const* extension : offeredExtensions) {
        extensions.emplace_back(extension);
    }
    for (char const* extension : offeredExtensions) {
        std::string upper(extension);
        for (char& c : upper) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        extensions.push_back(upper);
    }
    return extensions;
}

bool DemRasterReader::recognises(QByteArray const& head, QString const& fileName, QString& why) {
    QString gridWhy;
    if (AsciiGridParser::looksLikeGrid(
            std::string_view(head.constData(), static_cast<std::size_t>(head.size())), gridWhy)) {
        return true;
    }
    QString const suffix = QFileInfo(fileName).suffix().toLower();
    for (char const* extension : worldFileExtensions) {
        if (suffix == QLatin1String(extension)) {
            why = QStringLiteral("this is a world file, which places an image; open the image "
                                 "beside it");
            return false;
        }
    }
    QByteArray copy(head);
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    if (!QImageReader::imageFormat(&buffer).isEmpty()) {
        return true;
    }
    if (suffix == QLatin1String("asc")) {
        why = gridWhy;
    } else if ((suffix == QLatin1String("tif") || suffix == QLatin1String("tiff")) &&
               !QImageReader::supportedImageFormats().contains("tiff")) {
        why = QStringLiteral("TIFF images need Qt's TIFF image plugin (Debian package "
                             "qt5-image-formats-plugins), which is not installed");
    } else {
        QStringList formats;
        for (QByteArray const& format : QImageReader::supportedImageFormats()) {
            formats << QString::fromLatin1(format);
        }
        why = QStringLiteral("neither an image this application can read (%1) nor an ESRI ASCII "
                             "grid")
                  .arg(formats.join(QStringLiteral(", ")));
    }
    return false;
}

std::bitset<4> DemRasterReader::verify(std::string const& url, QString& message) {
    std::bitset<4> bits = AbstractFileReader::verify(url, message);
    QString const path = utilities::url_to_filesystem(url);
    QString const name = QFileInfo(path).fileName();
    if (!bits.test(VERIFY_READABLE)) {
        message = QStringLiteral("%1: the file cannot be opened").arg(name);
        return bits;
    }
    QFile file(path);
    QByteArray head;
    if (file.open(QIODevice::ReadOnly)) {
        head = file.read(1024);
    }
    QString why;
    if (recognises(head, name, why)) {
        std::optional<TiffSamples> const tiff = TiffSamples::read(file);
        if (!tiff || !tiff->holdsNumbers()) {
            bits.set(VERIFY_ACCEPTED);
            return bits;
        }
        why = QStringLiteral("a TIFF of %1 holds measurements, not a picture; the GDAL reader "
                             "reads it as a surface")
                  .arg(tiff->describe());
    }
    // Refused: clear the readable bit too, or the manager would take the file anyway.
    bits.reset(VERIFY_READABLE);
    message = QStringLiteral("%1: %2").arg(name, why);
    return bits;
}

DemRasterReader::ImportState
DemRasterReader::import_data(boost::shared_ptr<housekeeping::DataSource> source,
                             housekeeping::DocumentId const& document, bool /*importing*/,
                             brkBase::AbstractProgress* progress, bool /*inserting*/) {
    utilities::UrlList const urls = source ? source->urls() : utilities::UrlList();
    auto* target = dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(document));
    QString const firstName =
        urls.empty() ? QStringLiteral("DEMRaster")
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
        cancel->progress(first);
        if (cancel->isCancelled()) {
            register_comment(QStringLiteral("Cancelled: nothing was imported."));
            return IMPORT_CANCELLED;
        }
        try {
            FileBytes file;
            QString error;
            if (!file.open(path, error)) {
                register_failure(name, error.toHtmlEscaped());
                continue;
            }
            std::string_view const text = file.text();
            QByteArray const head(text.data(),
                                  static_cast<int>(std::min<std::size_t>(text.size(), 1024)));
            QString why;
            if (!recognises(head, name, why)) {
                register_failure(name, why.toHtmlEscaped());
                continue;
            }
            QString summary;
            QStringList comments;
            QString gridWhy;
            if (AsciiGridParser::looksLikeGrid(text.substr(0, 1024), gridWhy)) {
                AsciiGridParser parser([cancel, first, span](double share) {
                    cancel->progress(first + span * share);
                    return !cancel->isCancelled();
                });
                AsciiGridParser::Outcome const outcome = parser.parse(text);
                if (outcome == AsciiGridParser::Outcome::Cancelled) {
                    register_comment(QStringLiteral("Cancelled: nothing was imported."));
                    return IMPORT_CANCELLED;
                }
                if (outcome == AsciiGridParser::Outcome::Failed) {
                    register_failure(name, parser.failure().toHtmlEscaped());
                    continue;
                }
                file.release();
                auto surface = std::make_unique<model::RegularSurface>(parser.takeSurface());
                surface->setName(name);
                surface->setProperty(QStringLiteral("source"), QFileInfo(path).absoluteFilePath());
                surface->setProperty(QStringLiteral("format"), QStringLiteral("ESRI ASCII grid"));
                summary = surfaceSummary(name, *surface, parser.placedByCentre());
                for (QString const& fault : parser.comments()) {
                    comments << QStringLiteral("%1: %2").arg(name, fault);
                }
                objects.emplace_back(surface.release());
            } else {
                file.release();
                RasterImageLoader loader;
                if (!loader.load(path, error)) {
                    register_failure(name, error.toHtmlEscaped());
                    continue;
                }
                summary = loader.summary();
                comments = loader.comments();
                objects.emplace_back(new model::RasterImage(loader.takeImage()));
            }
            register_success(name);
            register_comment(summary.toHtmlEscaped());
            for (QString const& comment : comments) {
                register_comment(comment.toHtmlEscaped());
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
