#include "DxfReader.h"

#include "BinaryDxf.h"
#include "DxfGroupScanner.h"
#include "DxfParser.h"
#include "ProgressCancelHook.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/Document.h"
#include "housekeeping/DocumentManager.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "utilities/UrlUtilities.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <boost/shared_ptr.hpp>

#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <new>

namespace quarro {
namespace readers {

namespace {

using ObjectPtr = boost::shared_ptr<model::GeoObject>;

QString counted(qulonglong count, char const* singular, char const* plural) {
    static QLocale const english(QLocale::English, QLocale::UnitedStates);
    return english.toString(count) + QLatin1Char(' ') +
           QLatin1String(count == 1 ? singular : plural);
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

QString summaryOf(QString const& name, model::PolylineSet const* polylines,
                  model::PointSet const* points) {
    QStringList parts;
    if (polylines != nullptr) {
        parts << counted(polylines->polylineCount(), "polyline", "polylines") +
                     QStringLiteral(" on ") +
                     counted(static_cast<qulonglong>(polylines->layers().size()), "layer",
                             "layers");
    }
    if (points != nullptr) {
        parts << counted(points->pointCount(), "point", "points");
    }
    return name + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

QString skippedText(DxfDrawing const& drawing) {
    QStringList parts;
    for (auto const& entry : drawing.skipped) {
        parts << QStringLiteral("%1 %2").arg(entry.second).arg(QString::fromStdString(entry.first));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

DxfReader::DxfReader() = default;

DxfReader::~DxfReader() = default;

std::string DxfReader::data_type() {
    return "Polyline";
}

std::string DxfReader::file_filter() {
    return "DXF drawings (*.dxf *.DXF)";
}

std::vector<std::string> DxfReader::supported_extentions() const {
    return {"dxf", "DXF"};
}

bool DxfReader::looksLikeAsciiDxf(std::string_view head, QString& why) {
    if (isBinaryDxf(head)) {
        return true;
    }
    if (head.rfind("\xEF\xBB\xBF", 0) == 0) {
        head.remove_prefix(3);
    }
    DxfGroupScanner scanner(head);
    DxfGroup group;
    bool comments = false;
    while (scanner.next(group) == DxfGroupScanner::Status::Group) {
        if (group.code == 999) {
            comments = true;
            continue;
        }
        if (group.code == 0 && group.value == "SECTION") {
            return true;
        }
        break;
    }
    // A comment longer than the head leaves nothing to judge by: let the reader decide.
    if (comments && scanner.position() >= head.size()) {
        return true;
    }
    why = QStringLiteral("not an ASCII DXF file: a DXF file begins with the group code 0 and "
                         "SECTION");
    return false;
}

std::bitset<4> DxfReader::verify(std::string const& url, QString& message) {
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
    if (looksLikeAsciiDxf(std::string_view(head.constData(), static_cast<std::size_t>(head.size())),
                          why)) {
        bits.set(VERIFY_ACCEPTED);
        return bits;
    }
    // Refused: clear the readable bit too, or the manager would take the file anyway.
    bits.reset(VERIFY_READABLE);
    message = QStringLiteral("%1: %2").arg(name, why);
    return bits;
}

DxfReader::ImportState DxfReader::import_data(boost::shared_ptr<housekeeping::DataSource> source,
                                              housekeeping::DocumentId const& document,
                                              bool /*importing*/,
                                              brkBase::AbstractProgress* progress,
                                              bool /*inserting*/) {
    utilities::UrlList const urls = source ? source->urls() : utilities::UrlList();
    auto* target = dynamic_cast<housekeeping::Document*>(
        housekeeping::DocumentManager::instance().document_from_id(document));
    QString const firstName =
        urls.empty() ? QStringLiteral("DXF")
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
        DxfParser parser([cancel, first, span](double share) {
            cancel->progress(first + span * share);
            return !cancel->isCancelled();
        });
        try {
            FileBytes file;
            QString error;
            if (!file.open(path, error)) {
                register_failure(name, error.toHtmlEscaped());
                continue;
            }
            DxfParser::Outcome const outcome = parser.parse(file.text());
            file.release();
            if (outcome == DxfParser::Outcome::Cancelled || cancel->isCancelled()) {
                register_comment(QStringLiteral("Cancelled: nothing was imported."));
                return IMPORT_CANCELLED;
            }
            if (outcome == DxfParser::Outcome::Failed) {
                register_failure(name, parser.failure().toHtmlEscaped());
                continue;
            }
            DxfDrawing drawing = parser.takeDrawing();
            if (drawing.polylines.empty() && drawing.points.empty()) {
                QString reason = QStringLiteral("the drawing holds nothing this reader draws in "
                                                "model space");
                if (!drawing.skipped.empty()) {
                    reason += QStringLiteral(" (it holds %1)").arg(skippedText(drawing));
                }
                register_failure(name, reason.toHtmlEscaped());
                continue;
            }

            QString const source_path = QFileInfo(path).absoluteFilePath();
            QString const format = QStringLiteral("DXF %1").arg(drawing.version).trimmed();
            std::unique_ptr<model::PolylineSet> lines;
            if (!drawing.polylines.empty()) {
                lines = std::make_unique<model::PolylineSet>();
                lines->setName(name);
                lines->setProperty(QStringLiteral("source"), source_path);
                lines->setProperty(QStringLiteral("format"), format);
                lines->setPolylines(std::move(drawing.polylines));
            }
            std::unique_ptr<model::PointSet> points;
            if (!drawing.points.empty()) {
                points = std::make_unique<model::PointSet>();
                points->setName(name);
                points->setProperty(QStringLiteral("source"), source_path);
                points->setProperty(QStringLiteral("format"), format);
                points->setProperty(QStringLiteral("layers"),
                                    drawing.pointLayers.join(QStringLiteral(", ")));
                points->setPoints(std::move(drawing.points));
                if (std::any_of(drawing.pointLabels.begin(), drawing.pointLabels.end(),
                                [](QString const& label) { return !label.isEmpty(); })) {
                    points->setLabels(std::move(drawing.pointLabels));
                }
            }

            register_success(name);
            register_comment(summaryOf(name, lines.get(), points.get()).toHtmlEscaped());
            if (!drawing.skipped.empty()) {
                register_comment(QStringLiteral("%1: not read: %2")
                                     .arg(name, skippedText(drawing))
                                     .toHtmlEscaped());
            }
            if (drawing.paperSpaceEntities > 0) {
                register_comment(
                    QStringLiteral("%1: %2 in paper space not read")
                        .arg(name, counted(static_cast<qulonglong>(drawing.paperSpaceEntities),
                                           "entity", "entities"))
                        .toHtmlEscaped());
            }
            for (QString const& text : drawing.comments) {
                register_comment(QStringLiteral("%1: %2").arg(name, text).toHtmlEscaped());
            }
            if (lines) {
                objects.emplace_back(lines.release());
            }
            if (points) {
                objects.emplace_back(points.release());
            }
        } catch (std::bad_alloc const&) {
            register_failure(name, QStringLiteral("there is not enough memory to read the file"));
        } catch (std::exception const& e) {
            register_failure(name, QString::fromLocal8Bit(e.what()).toHtmlEscaped());
        }
    }
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
