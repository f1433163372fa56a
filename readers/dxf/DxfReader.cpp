#include "DxfReader.h"

#include "BinaryDxf.h"
#include "DxfGroupScanner.h"
#include "DxfParser.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <memory>

namespace quarro {
namespace readers {

namespace {

QString counted(qulonglong count, char const* singular, char const* plural) {
    static QLocale const english(QLocale::English, QLocale::UnitedStates);
    return english.toString(count) + QLatin1Char(' ') +
           QLatin1String(count == 1 ? singular : plural);
}

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

DxfReader::DxfReader()
    : FileReaderBase({"Polyline", "DXF drawings", inBothCases({"dxf"})}) {}

DxfReader::~DxfReader() = default;

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
    return verifyHead(url, message, &DxfReader::looksLikeAsciiDxf);
}

FileResult DxfReader::parse(std::string_view text, QString const& path, QString const& name,
                            CancelHook const& hook) {
    DxfParser parser(shareReporter(hook));
    FileResult result;
    if (stopped(parser, parser.parse(text), result)) {
        return result;
    }
    DxfDrawing drawing = parser.takeDrawing();
    if (drawing.polylines.empty() && drawing.points.empty()) {
        QString reason = QStringLiteral("the drawing holds nothing this reader draws in "
                                        "model space");
        if (!drawing.skipped.empty()) {
            reason += QStringLiteral(" (it holds %1)").arg(skippedText(drawing));
        }
        return FileResult::failed(reason);
    }

    QString const source_path = QFileInfo(path).absoluteFilePath();
    QString const format = QStringLiteral("DXF %1").arg(drawing.version).trimmed();
    auto const describe = [&](auto& object) {
        object.setName(name);
        object.setProperty(QStringLiteral("source"), source_path);
        object.setProperty(QStringLiteral("format"), format);
    };
    std::unique_ptr<model::PolylineSet> lines;
    if (!drawing.polylines.empty()) {
        lines = std::make_unique<model::PolylineSet>();
        describe(*lines);
        lines->setPolylines(std::move(drawing.polylines));
    }
    std::unique_ptr<model::PointSet> points;
    if (!drawing.points.empty()) {
        points = std::make_unique<model::PointSet>();
        describe(*points);
        points->setProperty(QStringLiteral("layers"),
                            drawing.pointLayers.join(QStringLiteral(", ")));
        points->setPoints(std::move(drawing.points));
        if (std::any_of(drawing.pointLabels.begin(), drawing.pointLabels.end(),
                        [](QString const& label) { return !label.isEmpty(); })) {
            points->setLabels(std::move(drawing.pointLabels));
        }
    }

    result.comments << summaryOf(name, lines.get(), points.get());
    if (!drawing.skipped.empty()) {
        result.comments << QStringLiteral("%1: not read: %2").arg(name, skippedText(drawing));
    }
    if (drawing.paperSpaceEntities > 0) {
        result.comments << QStringLiteral("%1: %2 in paper space not read")
                               .arg(name,
                                    counted(static_cast<qulonglong>(drawing.paperSpaceEntities),
                                            "entity", "entities"));
    }
    for (QString const& text : drawing.comments) {
        result.comments << QStringLiteral("%1: %2").arg(name, text);
    }
    if (lines) {
        result.objects.emplace_back(lines.release());
    }
    if (points) {
        result.objects.emplace_back(points.release());
    }
    return result;
}

} // namespace readers
} // namespace quarro
