#include "ObjectDecoder.h"

#include "JsonCursor.h"
#include "NativeFormat.h"
#include "model/CornerPointGrid.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "model/Well.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QSet>

#include <limits>
#include <utility>
#include <vector>

namespace quarro {
namespace native {

namespace {

// The most pixels an embedded image may have (a 16384 x 16384 scan): a damaged or hostile
// file must not make the reader allocate gigabytes for a picture it then cannot show.
constexpr qint64 maximumImagePixels = qint64(1) << 28;

constexpr int maximumCount = std::numeric_limits<int>::max();

QLatin1String key(char const* name) {
    return QLatin1String(name);
}

// Named columns ({"name", "values"} each) in file order; a name given twice is an error, since
// the second column would silently replace the first.
std::vector<std::pair<QString, std::vector<double>>> decodeColumns(JsonCursor const& array) {
    std::vector<std::pair<QString, std::vector<double>>> columns;
    QSet<QString> names;
    for (int i = 0; i < array.size(); ++i) {
        JsonCursor const column = array.at(i);
        JsonCursor const nameField = column.field(key("name"));
        QString const name = nameField.string();
        if (names.contains(name)) {
            nameField.fail(QStringLiteral("\"%1\" is given twice").arg(name));
        }
        names.insert(name);
        columns.emplace_back(name, column.field(key("values")).numbers());
    }
    return columns;
}

model::WellCurve decodeCurve(JsonCursor const& curve) {
    return model::WellCurve{
        curve.field(key("mnemonic")).string(), curve.field(key("unit")).string(),
        curve.field(key("description")).string(), curve.field(key("samples")).numbers()};
}

std::unique_ptr<model::GeoObject> decodeWell(JsonCursor const& object) {
    auto well = std::make_unique<model::Well>();
    JsonCursor const header = object.field(key("header"));
    for (int i = 0; i < header.size(); ++i) {
        JsonCursor const item = header.at(i);
        well->setHeaderItem(model::WellHeaderItem{
            item.field(key("mnemonic")).string(), item.field(key("unit")).string(),
            item.field(key("value")).string(), item.field(key("description")).string()});
    }

    JsonCursor const place = object.field(key("reference"));
    model::DepthReference reference;
    reference.x = place.field(key("x")).number();
    reference.y = place.field(key("y")).number();
    reference.datum = place.field(key("datum")).string();
    if (place.has(key("elevation"))) {
        reference.elevation = place.field(key("elevation")).number();
    }
    well->setDepthReference(reference);

    JsonCursor const index = object.field(key("index"));
    JsonCursor const curveArray = object.field(key("curves"));
    std::vector<model::WellCurve> curves;
    for (int i = 0; i < curveArray.size(); ++i) {
        curves.push_back(decodeCurve(curveArray.at(i)));
    }
    if (index.isNull()) {
        if (!curves.empty()) {
            index.fail(QStringLiteral("a well with curves needs an index curve"));
        }
        return well;
    }
    well->setCurves(decodeCurve(index), std::move(curves));
    return well;
}

std::unique_ptr<model::GeoObject> decodePointSet(JsonCursor const& object) {
    auto points = std::make_unique<model::PointSet>();
    points->setPoints(object.field(key("points")).points());
    for (auto& column : decodeColumns(object.field(key("attributes")))) {
        points->setAttribute(column.first, std::move(column.second));
    }
    if (object.has(key("labels"))) {
        JsonCursor const labelArray = object.field(key("labels"));
        std::vector<QString> labels;
        labels.reserve(static_cast<std::size_t>(labelArray.size()));
        for (int i = 0; i < labelArray.size(); ++i) {
            labels.push_back(labelArray.at(i).string());
        }
        if (labels.size() != points->points().size()) {
            labelArray.fail(QStringLiteral("expected one label per point (%1), found %2")
                                .arg(points->points().size())
                                .arg(labels.size()));
        }
        points->setLabels(std::move(labels));
    }
    return points;
}

std::unique_ptr<model::GeoObject> decodePolylineSet(JsonCursor const& object) {
    auto lines = std::make_unique<model::PolylineSet>();
    JsonCursor const polylines = object.field(key("polylines"));
    for (int i = 0; i < polylines.size(); ++i) {
        JsonCursor const line = polylines.at(i);
        model::Polyline polyline;
        polyline.layer = line.field(key("layer")).string();
        polyline.closed = line.field(key("closed")).boolean();
        polyline.points = line.field(key("points")).points();
        lines->addPolyline(std::move(polyline));
    }
    return lines;
}

std::unique_ptr<model::GeoObject> decodeSurface(JsonCursor const& object) {
    auto surface = std::make_unique<model::RegularSurface>();
    surface->setPlacement(object.field(key("originX")).number(),
                          object.field(key("originY")).number(), object.field(key("dx")).number(),
                          object.field(key("dy")).number());
    surface->setHeights(object.field(key("ncols")).integer(0, maximumCount),
                        object.field(key("nrows")).integer(0, maximumCount),
                        object.field(key("heights")).numbers());
    return surface;
}

QImage decodeImage(JsonCursor const& field) {
    QByteArray png = field.base64Bytes();
    QBuffer buffer(&png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    QSize const size = reader.size();
    if (!size.isValid()) {
        field.fail(
            QStringLiteral("the image is not a readable PNG (%1)").arg(reader.errorString()));
    }
    if (qint64(size.width()) * size.height() > maximumImagePixels) {
        field.fail(QStringLiteral("an image of %1 x %2 pixels is more than this program reads")
                       .arg(size.width())
                       .arg(size.height()));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        field.fail(
            QStringLiteral("the image is not a readable PNG (%1)").arg(reader.errorString()));
    }
    return image;
}

std::unique_ptr<model::GeoObject> decodeRaster(JsonCursor const& object) {
    auto raster = std::make_unique<model::RasterImage>();
    raster->setSourceFile(object.field(key("sourceFile")).string());
    JsonCursor const image = object.field(key("image"));
    if (!image.isNull()) {
        raster->setImage(decodeImage(image));
    }
    raster->setExtent(
        object.field(key("topLeftX")).number(), object.field(key("topLeftY")).number(),
        object.field(key("pixelSizeX")).number(), object.field(key("pixelSizeY")).number());
    return raster;
}

std::unique_ptr<model::GeoObject> decodeGrid(JsonCursor const& object) {
    auto grid = std::make_unique<model::CornerPointGrid>();
    int const ni = object.field(key("ni")).integer(0, maximumCount);
    int const nj = object.field(key("nj")).integer(0, maximumCount);
    int const nk = object.field(key("nk")).integer(0, maximumCount);
    JsonCursor const pillarField = object.field(key("pillars"));
    std::vector<double> const coordinates = pillarField.numbers();
    if (coordinates.size() % 6 != 0) {
        pillarField.fail(QStringLiteral("%1 numbers are no list of pillars of 6 coordinates each")
                             .arg(coordinates.size()));
    }
    std::vector<model::Pillar> pillars;
    pillars.reserve(coordinates.size() / 6);
    for (std::size_t i = 0; i < coordinates.size(); i += 6) {
        pillars.push_back(model::Pillar{
            model::Point3<double>(coordinates[i], coordinates[i + 1], coordinates[i + 2]),
            model::Point3<double>(coordinates[i + 3], coordinates[i + 4], coordinates[i + 5])});
    }
    std::vector<double> zcorn = object.field(key("zcorn")).numbers();
    std::vector<bool> active = object.field(key("active")).flags();
    auto properties = decodeColumns(object.field(key("cellProperties")));

    bool const hasCells = ni > 0 && nj > 0 && nk > 0;
    if (!hasCells && (ni != 0 || nj != 0 || nk != 0)) {
        object.fail(QStringLiteral("a grid of %1 x %2 x %3 cells cannot be: the counts are all "
                                   "positive, or all 0 for a grid without geometry")
                        .arg(ni)
                        .arg(nj)
                        .arg(nk));
    }
    if (!hasCells &&
        (!pillars.empty() || !zcorn.empty() || !active.empty() || !properties.empty())) {
        object.fail(QStringLiteral("a grid of 0 cells cannot hold pillars, corners, flags or "
                                   "properties"));
    }
    if (hasCells) {
        grid->setGeometry(ni, nj, nk, std::move(pillars), std::move(zcorn));
        grid->setActiveFlags(std::move(active));
        for (auto& property : properties) {
            grid->addProperty(property.first, std::move(property.second));
        }
    }

    if (object.has(key("mapAxes"))) {
        JsonCursor const axesField = object.field(key("mapAxes"));
        std::vector<double> const values = axesField.numbers();
        model::CornerPointGrid::MapAxes axes{};
        if (values.size() != axes.size()) {
            axesField.fail(QStringLiteral("expected 6 numbers, found %1").arg(values.size()));
        }
        std::copy(values.begin(), values.end(), axes.begin());
        grid->setMapAxes(axes);
    }
    return grid;
}

} // namespace

std::unique_ptr<model::GeoObject> ObjectDecoder::decode(JsonCursor const& object) {
    using Decoder = std::unique_ptr<model::GeoObject> (*)(JsonCursor const&);
    static std::pair<QLatin1String, Decoder> const decoders[] = {
        {format::wellKind, &decodeWell},
        {format::pointSetKind, &decodePointSet},
        {format::polylineSetKind, &decodePolylineSet},
        {format::surfaceKind, &decodeSurface},
        {format::rasterKind, &decodeRaster},
        {format::gridKind, &decodeGrid}};

    JsonCursor const kindField = object.field(key("kind"));
    QString const kind = kindField.string();
    for (auto const& decoder : decoders) {
        if (kind != decoder.first) {
            continue;
        }
        std::unique_ptr<model::GeoObject> result = decoder.second(object);
        result->setName(object.field(key("name")).string());
        JsonCursor const properties = object.field(key("properties"));
        for (int i = 0; i < properties.size(); ++i) {
            JsonCursor const pair = properties.at(i);
            if (pair.size() != 2) {
                pair.fail(QStringLiteral("expected a pair of a key and a value, found %1 elements")
                              .arg(pair.size()));
            }
            result->setProperty(pair.at(0).string(), pair.at(1).string());
        }
        return result;
    }
    kindField.fail(QStringLiteral("\"%1\" is no kind of object this program knows").arg(kind));
}

} // namespace native
} // namespace quarro
