#include "ObjectProperties.h"

#include "model/CornerPointGrid.h"
#include "model/GeoObject.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "model/ValueRange.h"
#include "model/Well.h"

#include <QLocale>
#include <QMap>

#include <algorithm>
#include <cmath>

namespace quarro {
namespace app {

namespace {

QString number(double value) {
    return std::isfinite(value) ? QLocale().toString(value, 'g', 7) : ObjectProperties::tr("none");
}

QString count(std::size_t n) {
    return QLocale().toString(static_cast<qulonglong>(n));
}

QString with_unit(QString const& text, QString const& unit) {
    return unit.isEmpty() ? text : QStringLiteral("%1 %2").arg(text, unit);
}

QString span(double low, double high, QString const& unit = QString()) {
    return with_unit(QStringLiteral("%1 – %2").arg(number(low), number(high)), unit);
}

class Rows {
public:
    explicit Rows(std::vector<ObjectProperties::Row>& rows)
        : m_rows(rows) {}
    void section(QString const& name) { m_section = name; }
    void add(QString const& name, QString const& value, QString const& detail = QString()) {
        m_rows.push_back({m_section, name, value, detail});
    }

private:
    std::vector<ObjectProperties::Row>& m_rows;
    QString m_section;
};

void describe_well(model::Well const& well, Rows& rows) {
    model::DepthReference const& reference = well.depthReference();
    QString const depth_unit = well.indexCurve().unit;
    rows.section(ObjectProperties::tr("Location"));
    rows.add(ObjectProperties::tr("Surface location"),
             reference.hasLocation()
                 ? QStringLiteral("%1, %2").arg(number(reference.x), number(reference.y))
                 : ObjectProperties::tr("no coordinates in the file"));
    rows.add(ObjectProperties::tr("Depth datum"),
             reference.datum.isEmpty() ? ObjectProperties::tr("unknown") : reference.datum);
    rows.add(ObjectProperties::tr("Datum elevation"),
             reference.elevation ? number(*reference.elevation) : ObjectProperties::tr("unknown"));
    model::ValueRange const depths = well.depthRange();
    rows.add(ObjectProperties::tr("Depth range"),
             depths.isEmpty() ? ObjectProperties::tr("no depths")
                              : span(depths.min(), depths.max(), depth_unit));
    rows.add(ObjectProperties::tr("Samples"), count(well.sampleCount()));

    rows.section(ObjectProperties::tr("Curves (%1)").arg(well.curveCount()));
    for (model::WellCurve const& curve : well.curves()) {
        std::size_t values = 0;
        for (double const sample : curve.samples) {
            values += std::isnan(sample) ? 0 : 1;
        }
        rows.add(curve.mnemonic,
                 ObjectProperties::tr("%1 · %2 of %3 samples · %4")
                     .arg(curve.unit.isEmpty() ? ObjectProperties::tr("no unit") : curve.unit,
                          count(values), count(curve.samples.size()),
                          ObjectProperties::statistics(curve.samples, false)),
                 curve.description);
    }

    rows.section(ObjectProperties::tr("Header (%1 items)").arg(well.headerItems().size()));
    for (model::WellHeaderItem const& item : well.headerItems()) {
        rows.add(item.mnemonic, with_unit(item.value, item.unit), item.description);
    }
}

void describe_grid(model::CornerPointGrid const& grid, Rows& rows) {
    rows.section(ObjectProperties::tr("Geometry"));
    rows.add(ObjectProperties::tr("Dimensions"),
             QStringLiteral("%1 × %2 × %3").arg(grid.ni()).arg(grid.nj()).arg(grid.nk()));
    rows.add(ObjectProperties::tr("Cells"), count(grid.cellCount()));
    rows.add(ObjectProperties::tr("Active cells"), count(grid.activeCellCount()));
    if (grid.mapAxes()) {
        model::CornerPointGrid::MapAxes const& axes = *grid.mapAxes();
        rows.add(ObjectProperties::tr("Map axes"),
                 ObjectProperties::tr("y axis (%1, %2), origin (%3, %4), x axis (%5, %6)")
                     .arg(number(axes[0]), number(axes[1]), number(axes[2]), number(axes[3]),
                          number(axes[4]), number(axes[5])));
    } else {
        rows.add(ObjectProperties::tr("Map axes"), ObjectProperties::tr("none (grid coordinates)"));
    }
    // The grid's own property() gives cell values; the reader noted split nodes as text.
    QString const split =
        static_cast<model::GeoObject const&>(grid).property(QStringLiteral("Split nodes"));
    rows.add(ObjectProperties::tr("Split nodes"),
             split.isNull() ? ObjectProperties::tr("none noted") : split);
    model::BoundingBox const box = grid.boundingBox();
    if (!box.isEmpty()) {
        rows.add(QStringLiteral("x"), span(box.min().x, box.max().x));
        rows.add(QStringLiteral("y"), span(box.min().y, box.max().y));
        rows.add(QStringLiteral("z"), span(box.min().z, box.max().z));
    }
    rows.section(ObjectProperties::tr("Cell properties (%1)").arg(grid.propertyNames().size()));
    for (QString const& name : grid.propertyNames()) {
        rows.add(name, ObjectProperties::statistics(*grid.property(name), true));
    }
}

void describe_surface(model::RegularSurface const& surface, Rows& rows) {
    rows.section(ObjectProperties::tr("Geometry"));
    rows.add(ObjectProperties::tr("Columns × rows"),
             QStringLiteral("%1 × %2").arg(surface.ncols()).arg(surface.nrows()));
    rows.add(ObjectProperties::tr("Cell size"),
             QStringLiteral("%1 × %2").arg(number(surface.dx()), number(surface.dy())));
    rows.add(QStringLiteral("x"),
             span(surface.originX(), surface.originX() + surface.ncols() * surface.dx()));
    rows.add(QStringLiteral("y"),
             span(surface.originY(), surface.originY() + surface.nrows() * surface.dy()));
    rows.section(ObjectProperties::tr("Heights"));
    rows.add(ObjectProperties::tr("NODATA cells"), count(surface.noDataCount()));
    rows.add(ObjectProperties::tr("Height range"),
             ObjectProperties::statistics(surface.heights(), true));
}

void describe_raster(model::RasterImage const& raster, Rows& rows) {
    rows.section(ObjectProperties::tr("Geometry"));
    rows.add(ObjectProperties::tr("Pixels"),
             QStringLiteral("%1 × %2").arg(raster.image().width()).arg(raster.image().height()));
    rows.add(
        ObjectProperties::tr("Pixel size"),
        QStringLiteral("%1 × %2").arg(number(raster.pixelSizeX()), number(raster.pixelSizeY())));
    model::BoundingBox const box = raster.boundingBox();
    if (!box.isEmpty()) {
        rows.add(QStringLiteral("x"), span(box.min().x, box.max().x));
        rows.add(QStringLiteral("y"), span(box.min().y, box.max().y));
    }
}

void describe_polylines(model::PolylineSet const& lines, Rows& rows) {
    rows.section(ObjectProperties::tr("Content"));
    rows.add(ObjectProperties::tr("Polylines"), count(lines.polylineCount()));
    rows.add(ObjectProperties::tr("Vertices"), count(lines.pointCount()));
    QMap<QString, std::pair<std::size_t, std::size_t>> per_layer;
    for (model::Polyline const& line : lines.polylines()) {
        auto& entry = per_layer[line.layer];
        ++entry.first;
        entry.second += line.points.size();
    }
    rows.section(ObjectProperties::tr("Layers (%1)").arg(lines.layers().size()));
    for (auto it = per_layer.cbegin(); it != per_layer.cend(); ++it) {
        rows.add(it.key().isEmpty() ? ObjectProperties::tr("(no layer)") : it.key(),
                 ObjectProperties::tr("%1 polylines, %2 vertices")
                     .arg(count(it.value().first), count(it.value().second)));
    }
}

void describe_points(model::PointSet const& points, Rows& rows) {
    rows.section(ObjectProperties::tr("Content"));
    rows.add(ObjectProperties::tr("Points"), count(points.pointCount()));
    auto const labelled = std::count_if(points.labels().begin(), points.labels().end(),
                                        [](QString const& label) { return !label.isEmpty(); });
    if (labelled > 0) {
        rows.add(ObjectProperties::tr("Labelled points"),
                 count(static_cast<std::size_t>(labelled)));
    }
    model::BoundingBox const box = points.boundingBox();
    if (!box.isEmpty()) {
        rows.add(QStringLiteral("x"), span(box.min().x, box.max().x));
        rows.add(QStringLiteral("y"), span(box.min().y, box.max().y));
    }
    rows.section(ObjectProperties::tr("Attributes (%1)").arg(points.attributeNames().size()));
    for (QString const& name : points.attributeNames()) {
        rows.add(name, ObjectProperties::statistics(*points.attribute(name), true));
    }
}

} // namespace

QString ObjectProperties::statistics(std::vector<double> const& values, bool with_mean) {
    model::ValueRange range;
    double sum = 0.0;
    std::size_t n = 0;
    for (double const value : values) {
        if (std::isfinite(value)) {
            range.extend(value);
            sum += value;
            ++n;
        }
    }
    if (range.isEmpty()) {
        return tr("no values");
    }
    QString const text = span(range.min(), range.max());
    return with_mean ? tr("%1, mean %2").arg(text, number(sum / static_cast<double>(n))) : text;
}

QString ObjectProperties::size_text(model::GeoObject const& object) {
    quint64 const n = object.sizeHint();
    QString const number = QLocale().toString(static_cast<qulonglong>(n));
    switch (object.kind()) {
    case model::ObjectKind::Well:
        return n == 1 ? tr("1 sample") : tr("%1 samples").arg(number);
    case model::ObjectKind::PointSet:
        return n == 1 ? tr("1 point") : tr("%1 points").arg(number);
    case model::ObjectKind::PolylineSet:
        return n == 1 ? tr("1 vertex") : tr("%1 vertices").arg(number);
    case model::ObjectKind::Raster:
        return n == 1 ? tr("1 pixel") : tr("%1 pixels").arg(number);
    case model::ObjectKind::Surface:
    case model::ObjectKind::CornerPointGrid:
        break;
    }
    return n == 1 ? tr("1 cell") : tr("%1 cells").arg(number);
}

QString ObjectProperties::source_file(model::GeoObject const& object) {
    if (object.kind() == model::ObjectKind::Raster) {
        QString const path = static_cast<model::RasterImage const&>(object).sourceFile();
        if (!path.isEmpty()) {
            return path;
        }
    }
    for (model::GeoObject::Property const& property : object.properties()) {
        QString const key = property.first.toLower();
        if (key == QLatin1String("source") || key == QLatin1String("source file")) {
            return property.second;
        }
    }
    return QString();
}

std::vector<ObjectProperties::Row> ObjectProperties::describe(model::GeoObject const& object) {
    std::vector<Row> result;
    Rows rows(result);
    rows.section(tr("Object"));
    rows.add(tr("Name"), object.name());
    rows.add(tr("Kind"), object.kindName());
    QString const source = source_file(object);
    rows.add(tr("From file"), source.isEmpty() ? tr("unknown") : source);
    switch (object.kind()) {
    case model::ObjectKind::Well:
        describe_well(static_cast<model::Well const&>(object), rows);
        break;
    case model::ObjectKind::CornerPointGrid:
        describe_grid(static_cast<model::CornerPointGrid const&>(object), rows);
        break;
    case model::ObjectKind::Surface:
        describe_surface(static_cast<model::RegularSurface const&>(object), rows);
        break;
    case model::ObjectKind::Raster:
        describe_raster(static_cast<model::RasterImage const&>(object), rows);
        break;
    case model::ObjectKind::PolylineSet:
        describe_polylines(static_cast<model::PolylineSet const&>(object), rows);
        break;
    case model::ObjectKind::PointSet:
        describe_points(static_cast<model::PointSet const&>(object), rows);
        break;
    }
    rows.section(tr("Other properties"));
    for (model::GeoObject::Property const& property : object.properties()) {
        rows.add(property.first, property.second);
    }
    return result;
}

} // namespace app
} // namespace quarro
