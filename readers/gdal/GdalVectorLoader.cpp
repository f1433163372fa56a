#include "GdalVectorLoader.h"

#include "GdalDataset.h"
#include "GdalErrorScope.h"
#include "GdalText.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace quarro {
namespace readers {

using gdal::counted;
using gdal::crsPhrase;

namespace {

struct FeatureDeleter {
    void operator()(OGRFeatureH feature) const { OGR_F_Destroy(feature); }
};
struct GeometryDeleter {
    void operator()(OGRGeometryH geometry) const { OGR_G_DestroyGeometry(geometry); }
};
using FeaturePtr = std::unique_ptr<std::remove_pointer_t<OGRFeatureH>, FeatureDeleter>;
using GeometryPtr = std::unique_ptr<std::remove_pointer_t<OGRGeometryH>, GeometryDeleter>;

// Progress is reported, and cancel asked for, once per this many features.
constexpr qulonglong featuresPerReport = 128;
// Collections nest; deeper than this is no real file.
constexpr int maxNesting = 32;

} // namespace

struct GdalVectorLoader::Layer {
    QString name;
    QString objectName;
    QString crs;
    // The text attribute that names a feature's drawing layer (DXF, DGN), -1 for none.
    int layerField = -1;
    std::vector<int> numericFields;
    QStringList numericNames;
    QStringList otherNames;

    // The feature being read: its numeric values and its drawing layer.
    std::vector<double> values;
    QString lineLayer;

    std::vector<model::Polyline> polylines;
    qulonglong closed = 0;
    std::vector<model::Point3<double>> points;
    std::vector<std::vector<double>> columns;
    qulonglong withoutGeometry = 0;
    qulonglong unsupported = 0;
};

GdalVectorLoader::GdalVectorLoader(GdalProgress progress, GdalErrorScope const& errors)
    : m_progress(std::move(progress))
    , m_errors(errors) {}

GdalOutcome GdalVectorLoader::load(GdalDataset const& dataset, QString const& name,
                                   QString const& path, GdalFileContent& content,
                                   QString& failure) {
    int const layers = dataset.layerCount();
    QString const format = dataset.driverName();
    std::size_t const objectsBefore = content.objects.size();
    for (int i = 0; i < layers; ++i) {
        OGRLayerH const handle = GDALDatasetGetLayer(dataset.handle(), i);
        if (handle == nullptr) {
            continue;
        }
        Layer layer;
        layer.name = QString::fromUtf8(OGR_L_GetName(handle));
        layer.objectName = layers == 1 ? name : QStringLiteral("%1 (%2)").arg(name, layer.name);
        layer.crs = GdalDataset::describe(OGR_L_GetSpatialRef(handle));
        int const errorsBefore = m_errors.errorCount();
        GdalOutcome const outcome =
            readLayer(handle, layer, static_cast<double>(i) / layers, 1.0 / layers);
        if (outcome == GdalOutcome::Cancelled) {
            return outcome;
        }
        // GDAL skips a feature it cannot decode and goes on; a file that needs that is damaged.
        if (m_errors.errorCount() > errorsBefore) {
            failure = m_errors.reason(QStringLiteral("GDAL cannot read layer %1").arg(layer.name));
            return GdalOutcome::Failed;
        }
        publish(layer, path, format, content);
    }
    if (content.objects.size() == objectsBefore) {
        failure = layers == 0 ? QStringLiteral("the file holds no vector layers")
                              : QStringLiteral("the file holds no points, lines or polygons");
        return GdalOutcome::Failed;
    }
    return GdalOutcome::Read;
}

GdalOutcome GdalVectorLoader::readLayer(OGRLayerH handle, Layer& layer, double first, double span) {
    OGRFeatureDefnH const definition = OGR_L_GetLayerDefn(handle);
    int const fields = OGR_FD_GetFieldCount(definition);
    for (int i = 0; i < fields; ++i) {
        OGRFieldDefnH const field = OGR_FD_GetFieldDefn(definition, i);
        QString const fieldName = QString::fromUtf8(OGR_Fld_GetNameRef(field));
        OGRFieldType const type = OGR_Fld_GetType(field);
        if (type == OFTInteger || type == OFTInteger64 || type == OFTReal) {
            layer.numericFields.push_back(i);
            layer.numericNames << fieldName;
        } else if (type == OFTString &&
                   fieldName.compare(QLatin1String("Layer"), Qt::CaseInsensitive) == 0) {
            layer.layerField = i;
        } else {
            layer.otherNames << fieldName;
        }
    }
    layer.values.resize(layer.numericFields.size());
    layer.columns.resize(layer.numericFields.size());

    // Without a cheap count (GeoJSON streams, say) the bar stands at half the layer's share.
    GIntBig const total = OGR_L_GetFeatureCount(handle, FALSE);
    OGR_L_ResetReading(handle);
    qulonglong read = 0;
    for (FeaturePtr feature(OGR_L_GetNextFeature(handle)); feature;
         feature.reset(OGR_L_GetNextFeature(handle))) {
        if (++read % featuresPerReport == 0) {
            double const share =
                total > 0 ? std::min(1.0, static_cast<double>(read) / static_cast<double>(total))
                          : 0.5;
            if (!m_progress(first + span * share)) {
                return GdalOutcome::Cancelled;
            }
        }
        OGRGeometryH const geometry = OGR_F_GetGeometryRef(feature.get());
        if (geometry == nullptr || OGR_G_IsEmpty(geometry)) {
            ++layer.withoutGeometry;
            continue;
        }
        for (std::size_t k = 0; k < layer.numericFields.size(); ++k) {
            int const field = layer.numericFields[k];
            layer.values[k] = OGR_F_IsFieldSetAndNotNull(feature.get(), field)
                                  ? OGR_F_GetFieldAsDouble(feature.get(), field)
                                  : std::numeric_limits<double>::quiet_NaN();
        }
        layer.lineLayer =
            layer.layerField >= 0 && OGR_F_IsFieldSetAndNotNull(feature.get(), layer.layerField)
                ? QString::fromUtf8(OGR_F_GetFieldAsString(feature.get(), layer.layerField))
                : layer.name;
        addGeometry(geometry, layer, 0);
    }
    return m_progress(first + span) ? GdalOutcome::Read : GdalOutcome::Cancelled;
}

void GdalVectorLoader::addGeometry(OGRGeometryH geometry, Layer& layer, int depth) const {
    OGRwkbGeometryType const type = wkbFlatten(OGR_G_GetGeometryType(geometry));
    if (depth > maxNesting || OGR_G_IsEmpty(geometry)) {
        layer.unsupported += depth > maxNesting ? 1 : 0;
        return;
    }
    if (OGR_GT_IsNonLinear(type)) {
        GeometryPtr const linear(OGR_G_GetLinearGeometry(geometry, 0.0, nullptr));
        if (linear) {
            addGeometry(linear.get(), layer, depth + 1);
        } else {
            ++layer.unsupported;
        }
        return;
    }
    switch (type) {
    case wkbPoint:
        layer.points.emplace_back(OGR_G_GetX(geometry, 0), OGR_G_GetY(geometry, 0),
                                  OGR_G_GetZ(geometry, 0));
        for (std::size_t k = 0; k < layer.columns.size(); ++k) {
            layer.columns[k].push_back(layer.values[k]);
        }
        return;
    case wkbLineString:
        addRing(geometry, false, layer);
        return;
    case wkbLinearRing:
        addRing(geometry, true, layer);
        return;
    case wkbPolygon:
    case wkbTriangle:
        for (int i = 0; i < OGR_G_GetGeometryCount(geometry); ++i) {
            addRing(OGR_G_GetGeometryRef(geometry, i), true, layer);
        }
        return;
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
    case wkbPolyhedralSurface:
    case wkbTIN:
        for (int i = 0; i < OGR_G_GetGeometryCount(geometry); ++i) {
            addGeometry(OGR_G_GetGeometryRef(geometry, i), layer, depth + 1);
        }
        return;
    default:
        ++layer.unsupported;
        return;
    }
}

void GdalVectorLoader::addRing(OGRGeometryH ring, bool closed, Layer& layer) {
    int const count = ring != nullptr ? OGR_G_GetPointCount(ring) : 0;
    if (count <= 0) {
        return;
    }
    model::Polyline line;
    line.points.resize(static_cast<std::size_t>(count));
    int const stride = static_cast<int>(sizeof(model::Point3<double>));
    OGR_G_GetPoints(ring, &line.points[0].x, stride, &line.points[0].y, stride, &line.points[0].z,
                    stride);
    // A closed polyline joins its last point to its first: the ring's repeated first point goes.
    if (closed && count > 1 && line.points.front() == line.points.back()) {
        line.points.pop_back();
    }
    line.closed = closed;
    line.layer = layer.lineLayer;
    layer.closed += closed ? 1 : 0;
    layer.polylines.push_back(std::move(line));
}

void GdalVectorLoader::publish(Layer& layer, QString const& path, QString const& format,
                               GdalFileContent& content) const {
    QString const& name = layer.objectName;
    auto const describe = [&](model::GeoObject& object) {
        object.setName(name);
        object.setProperty(QStringLiteral("source"), path);
        object.setProperty(QStringLiteral("format"), format);
        object.setProperty(QStringLiteral("layer"), layer.name);
        if (!layer.crs.isEmpty()) {
            object.setProperty(QStringLiteral("coordinate reference system"), layer.crs);
        }
    };
    if (!layer.polylines.empty()) {
        auto lines = std::make_unique<model::PolylineSet>();
        describe(*lines);
        lines->setPolylines(std::move(layer.polylines));
        content.summaries << QStringLiteral("%1: %2 (%3 closed) with %4; %5")
                                 .arg(name,
                                      counted(lines->polylineCount(), "polyline", "polylines"),
                                      gdal::english().toString(layer.closed),
                                      counted(lines->pointCount(), "point", "points"),
                                      crsPhrase(layer.crs));
        QStringList const all = layer.numericNames + layer.otherNames;
        if (!all.isEmpty()) {
            content.comments << QStringLiteral("%1: polylines keep no attributes; left out: %2")
                                    .arg(name, all.join(QStringLiteral(", ")));
        }
        content.objects.push_back(std::move(lines));
    }
    if (!layer.points.empty()) {
        auto points = std::make_unique<model::PointSet>();
        describe(*points);
        points->setPoints(std::move(layer.points));
        for (int k = 0; k < layer.numericNames.size(); ++k) {
            points->setAttribute(layer.numericNames[k], std::move(layer.columns[k]));
        }
        QString const attributes = layer.numericNames.isEmpty()
                                       ? QString()
                                       : QStringLiteral(" with attributes ") +
                                             layer.numericNames.join(QStringLiteral(", "));
        content.summaries << QStringLiteral("%1: %2%3; %4")
                                 .arg(name, counted(points->pointCount(), "point", "points"),
                                      attributes, crsPhrase(layer.crs));
        if (!layer.otherNames.isEmpty()) {
            content.comments << QStringLiteral("%1: points keep numeric attributes only; left "
                                               "out: %2")
                                    .arg(name, layer.otherNames.join(QStringLiteral(", ")));
        }
        content.objects.push_back(std::move(points));
    }
    if (layer.withoutGeometry > 0) {
        content.comments << QStringLiteral("%1: %2 without points, lines or polygons left out")
                                .arg(name, counted(layer.withoutGeometry, "feature", "features"));
    }
    if (layer.unsupported > 0) {
        content.comments << QStringLiteral("%1: %2 of a kind that cannot be shown left out")
                                .arg(name, counted(layer.unsupported, "geometry", "geometries"));
    }
}

} // namespace readers
} // namespace quarro
