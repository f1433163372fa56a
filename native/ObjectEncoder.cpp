#include "ObjectEncoder.h"

#include "FormatError.h"
#include "JsonBlobs.h"
#include "NativeFormat.h"
#include "ValueCodec.h"
#include "model/CornerPointGrid.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "model/Well.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QJsonArray>

#include <utility>
#include <vector>

namespace quarro {
namespace native {

namespace {

// The object as the class its kind names; throws when it is not one.
template <class T>
T const& as(model::GeoObject const& object) {
    auto const* typed = dynamic_cast<T const*>(&object);
    if (typed == nullptr) {
        throw FormatError(
            QString(),
            QStringLiteral("the object says it is a %1 but is not one").arg(object.kindName()));
    }
    return *typed;
}

// Named columns ({"name", "values"} each), as point attributes and cell properties are written.
QJsonArray encodeColumns(std::vector<std::pair<QString, std::vector<double> const*>> const& columns,
                         JsonBlobs& blobs) {
    QJsonArray array;
    for (auto const& column : columns) {
        QJsonObject entry;
        entry.insert(QStringLiteral("name"), column.first);
        entry.insert(QStringLiteral("values"), ValueCodec::encodeNumbers(*column.second, blobs));
        array.append(entry);
    }
    return array;
}

QJsonObject encodeCurve(model::WellCurve const& curve, JsonBlobs& blobs) {
    QJsonObject json;
    json.insert(QStringLiteral("mnemonic"), curve.mnemonic);
    json.insert(QStringLiteral("unit"), curve.unit);
    json.insert(QStringLiteral("description"), curve.description);
    json.insert(QStringLiteral("samples"), ValueCodec::encodeNumbers(curve.samples, blobs));
    return json;
}

void encodeWell(model::Well const& well, QJsonObject& json, JsonBlobs& blobs) {
    QJsonArray header;
    for (model::WellHeaderItem const& item : well.headerItems()) {
        header.append(QJsonObject{{QStringLiteral("mnemonic"), item.mnemonic},
                                  {QStringLiteral("unit"), item.unit},
                                  {QStringLiteral("value"), item.value},
                                  {QStringLiteral("description"), item.description}});
    }
    json.insert(QStringLiteral("header"), header);

    model::DepthReference const& reference = well.depthReference();
    QJsonObject place{{QStringLiteral("x"), ValueCodec::encodeNumber(reference.x)},
                      {QStringLiteral("y"), ValueCodec::encodeNumber(reference.y)},
                      {QStringLiteral("datum"), reference.datum}};
    if (reference.elevation) {
        place.insert(QStringLiteral("elevation"), ValueCodec::encodeNumber(*reference.elevation));
    }
    json.insert(QStringLiteral("reference"), place);

    // A well that never had curves has no index either.
    bool const hasIndex = !well.indexCurve().mnemonic.isEmpty();
    json.insert(QStringLiteral("index"), hasIndex
                                             ? QJsonValue(encodeCurve(well.indexCurve(), blobs))
                                             : QJsonValue(QJsonValue::Null));
    QJsonArray curves;
    for (model::WellCurve const& curve : well.curves()) {
        curves.append(encodeCurve(curve, blobs));
    }
    json.insert(QStringLiteral("curves"), curves);
}

void encodePointSet(model::PointSet const& points, QJsonObject& json, JsonBlobs& blobs) {
    json.insert(QStringLiteral("points"), ValueCodec::encodePoints(points.points(), blobs));
    std::vector<std::pair<QString, std::vector<double> const*>> columns;
    for (QString const& name : points.attributeNames()) {
        columns.emplace_back(name, points.attribute(name));
    }
    json.insert(QStringLiteral("attributes"), encodeColumns(columns, blobs));
    // Only drawings' annotations carry labels; a set without them leaves the field out, so that
    // files of earlier versions and of sets without labels read the same.
    if (!points.labels().empty()) {
        QJsonArray labels;
        for (QString const& label : points.labels()) {
            labels.append(label);
        }
        json.insert(QStringLiteral("labels"), labels);
    }
}

void encodePolylineSet(model::PolylineSet const& lines, QJsonObject& json, JsonBlobs& blobs) {
    QJsonArray polylines;
    for (model::Polyline const& line : lines.polylines()) {
        polylines.append(
            QJsonObject{{QStringLiteral("layer"), line.layer},
                        {QStringLiteral("closed"), line.closed},
                        {QStringLiteral("points"), ValueCodec::encodePoints(line.points, blobs)}});
    }
    json.insert(QStringLiteral("polylines"), polylines);
}

void encodeSurface(model::RegularSurface const& surface, QJsonObject& json, JsonBlobs& blobs) {
    json.insert(QStringLiteral("originX"), ValueCodec::encodeNumber(surface.originX()));
    json.insert(QStringLiteral("originY"), ValueCodec::encodeNumber(surface.originY()));
    json.insert(QStringLiteral("dx"), ValueCodec::encodeNumber(surface.dx()));
    json.insert(QStringLiteral("dy"), ValueCodec::encodeNumber(surface.dy()));
    json.insert(QStringLiteral("ncols"), surface.ncols());
    json.insert(QStringLiteral("nrows"), surface.nrows());
    json.insert(QStringLiteral("heights"), ValueCodec::encodeNumbers(surface.heights(), blobs));
}

void encodeRaster(model::RasterImage const& raster, QJsonObject& json, JsonBlobs& blobs) {
    json.insert(QStringLiteral("sourceFile"), raster.sourceFile());
    json.insert(QStringLiteral("topLeftX"), ValueCodec::encodeNumber(raster.topLeftX()));
    json.insert(QStringLiteral("topLeftY"), ValueCodec::encodeNumber(raster.topLeftY()));
    json.insert(QStringLiteral("pixelSizeX"), ValueCodec::encodeNumber(raster.pixelSizeX()));
    json.insert(QStringLiteral("pixelSizeY"), ValueCodec::encodeNumber(raster.pixelSizeY()));
    if (raster.image().isNull()) {
        json.insert(QStringLiteral("image"), QJsonValue(QJsonValue::Null));
        return;
    }
    // PNG keeps every pixel as it is, alpha included, and compresses without loss.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(raster.image())) {
        throw FormatError(
            QStringLiteral("image"),
            QStringLiteral("the image cannot be stored as PNG: %1").arg(writer.errorString()));
    }
    json.insert(QStringLiteral("image"), blobs.add(png));
}

void encodeGrid(model::CornerPointGrid const& grid, QJsonObject& json, JsonBlobs& blobs) {
    json.insert(QStringLiteral("ni"), grid.ni());
    json.insert(QStringLiteral("nj"), grid.nj());
    json.insert(QStringLiteral("nk"), grid.nk());
    std::vector<double> pillars;
    pillars.reserve(grid.pillars().size() * 6);
    for (model::Pillar const& pillar : grid.pillars()) {
        pillars.insert(pillars.end(), {pillar.top.x, pillar.top.y, pillar.top.z, pillar.bottom.x,
                                       pillar.bottom.y, pillar.bottom.z});
    }
    json.insert(QStringLiteral("pillars"), ValueCodec::encodeTemporaryNumbers(pillars, blobs));
    json.insert(QStringLiteral("zcorn"), ValueCodec::encodeNumbers(grid.zcorn(), blobs));
    json.insert(QStringLiteral("active"), ValueCodec::encodeFlags(grid.activeFlags(), blobs));
    std::vector<std::pair<QString, std::vector<double> const*>> columns;
    for (QString const& name : grid.propertyNames()) {
        columns.emplace_back(name, grid.property(name));
    }
    json.insert(QStringLiteral("cellProperties"), encodeColumns(columns, blobs));
    if (grid.mapAxes()) {
        model::CornerPointGrid::MapAxes const& axes = *grid.mapAxes();
        json.insert(QStringLiteral("mapAxes"),
                    ValueCodec::encodeNumbers(axes.data(), axes.size(), blobs));
    }
}

} // namespace

QJsonObject ObjectEncoder::encode(model::GeoObject const& object, JsonBlobs& blobs) {
    QJsonObject json;
    json.insert(QStringLiteral("name"), object.name());
    QJsonArray properties;
    for (model::GeoObject::Property const& property : object.properties()) {
        properties.append(QJsonArray{property.first, property.second});
    }
    json.insert(QStringLiteral("properties"), properties);

    switch (object.kind()) {
    case model::ObjectKind::Well:
        json.insert(QStringLiteral("kind"), format::wellKind);
        encodeWell(as<model::Well>(object), json, blobs);
        return json;
    case model::ObjectKind::PointSet:
        json.insert(QStringLiteral("kind"), format::pointSetKind);
        encodePointSet(as<model::PointSet>(object), json, blobs);
        return json;
    case model::ObjectKind::PolylineSet:
        json.insert(QStringLiteral("kind"), format::polylineSetKind);
        encodePolylineSet(as<model::PolylineSet>(object), json, blobs);
        return json;
    case model::ObjectKind::Surface:
        json.insert(QStringLiteral("kind"), format::surfaceKind);
        encodeSurface(as<model::RegularSurface>(object), json, blobs);
        return json;
    case model::ObjectKind::Raster:
        json.insert(QStringLiteral("kind"), format::rasterKind);
        encodeRaster(as<model::RasterImage>(object), json, blobs);
        return json;
    case model::ObjectKind::CornerPointGrid:
        json.insert(QStringLiteral("kind"), format::gridKind);
        encodeGrid(as<model::CornerPointGrid>(object), json, blobs);
        return json;
    }
    throw FormatError(
        QString(),
        QStringLiteral("objects of kind %1 cannot be saved").arg(static_cast<int>(object.kind())));
}

} // namespace native
} // namespace quarro
