#include "NativeTestObjects.h"

#include "model/CornerPointGrid.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "model/Well.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <cmath>
#include <cstring>
#include <limits>

namespace quarro {
namespace test {

namespace {

double const nan = std::numeric_limits<double>::quiet_NaN();
double const inf = std::numeric_limits<double>::infinity();
double const subnormal = std::numeric_limits<double>::denorm_min();

// Values that JSON and text formats like to lose, cycled through an array.
double awkward(std::size_t i) {
    double const values[] = {0.1,  -0.0,      nan,       inf,
                             -inf, subnormal, 1.0 / 3.0, -1.7976931348623157e308};
    return values[i % (sizeof(values) / sizeof(values[0]))];
}

model::WellCurve curve(QString const& mnemonic, QString const& unit, std::vector<double> samples) {
    return model::WellCurve{mnemonic, unit, mnemonic + QStringLiteral(" log"), std::move(samples)};
}

boost::shared_ptr<model::GeoObject> largeWell() {
    auto well = boost::make_shared<model::Well>();
    well->setName(QStringLiteral("W-1 Ünïcødé"));
    well->setHeaderItem({QStringLiteral("COMP"), QString(), QStringLiteral("Ölfeld AG"),
                         QStringLiteral("company")});
    well->setHeaderItem({QStringLiteral("NULL"), QString(), QStringLiteral("-999.25"),
                         QStringLiteral("null value")});
    model::DepthReference reference;
    reference.x = 431000.5;
    reference.y = 6.5e6 + 0.125;
    reference.elevation = 25.4;
    reference.datum = QStringLiteral("KB");
    well->setDepthReference(reference);
    std::vector<double> depth;
    std::vector<double> gr;
    std::vector<double> dt;
    for (std::size_t i = 0; i < 600; ++i) {
        depth.push_back(1500.0 + 0.1524 * static_cast<double>(i));
        gr.push_back(i % 7 == 0 ? awkward(i / 7) : 40.0 + std::sin(static_cast<double>(i)));
        dt.push_back(i < 10 ? nan : 80.0 + 1e-9 * static_cast<double>(i));
    }
    well->setCurves(curve(QStringLiteral("DEPT"), QStringLiteral("m"), depth),
                    {curve(QStringLiteral("GR"), QStringLiteral("API"), gr),
                     curve(QStringLiteral("DT"), QStringLiteral("us/ft"), dt)});
    well->setProperty(QStringLiteral("source"), QStringLiteral("/data/w1.las"));
    return well;
}

boost::shared_ptr<model::GeoObject> smallWell() {
    auto well = boost::make_shared<model::Well>();
    well->setName(QStringLiteral("W-2"));
    model::DepthReference reference;
    reference.datum = QStringLiteral("GL");
    well->setDepthReference(reference); // no location, no elevation
    well->setCurves(curve(QStringLiteral("DEPT"), QStringLiteral("ft"), {1000.0, 1000.5, 1001.0}),
                    {curve(QStringLiteral("RHOB"), QStringLiteral("g/cm3"), {2.5, nan, -0.0}),
                     curve(QStringLiteral("NPHI"), QString(), {inf, -inf, subnormal})});
    return well;
}

boost::shared_ptr<model::GeoObject> emptyWell() {
    auto well = boost::make_shared<model::Well>();
    well->setName(QStringLiteral("Planned well"));
    return well;
}

boost::shared_ptr<model::GeoObject> pointSet() {
    auto points = boost::make_shared<model::PointSet>();
    points->setName(QStringLiteral("Tops"));
    std::vector<model::Point3<double>> coordinates;
    std::vector<double> twt;
    std::vector<double> zone;
    for (std::size_t i = 0; i < 300; ++i) {
        double const d = static_cast<double>(i);
        coordinates.emplace_back(1000.0 + d * 0.5, 2000.0 - d / 3.0, i % 11 == 0 ? nan : -d);
        twt.push_back(awkward(i));
        zone.push_back(static_cast<double>(i % 4));
    }
    points->setPoints(coordinates);
    points->setAttribute(QStringLiteral("TWT"), twt);
    points->setAttribute(QStringLiteral("Zone"), zone);
    std::vector<QString> labels(coordinates.size());
    labels[0] = QStringLiteral("Well A-1");
    labels[7] = QStringLiteral("Tøp \"Brent\"");
    points->setLabels(std::move(labels));
    points->setProperty(QStringLiteral("Ünïcødé key"), QStringLiteral("välue \"quoted\"\n"));
    return points;
}

boost::shared_ptr<model::GeoObject> polylineSet() {
    auto lines = boost::make_shared<model::PolylineSet>();
    lines->setName(QStringLiteral("Faults"));
    lines->addPolyline(model::Polyline{
        {{0, 0, 0}, {10, 0, -1}, {10, 10, -2}, {0, 10, -0.0}}, true, QStringLiteral("F1")});
    lines->addPolyline(model::Polyline{{{5.5, 5.25, nan}}, false, QStringLiteral("F2")});
    model::Polyline contour;
    for (int i = 0; i < 100; ++i) {
        contour.points.emplace_back(std::cos(i * 0.1), std::sin(i * 0.1), 1500.0 + i);
    }
    lines->addPolyline(contour);
    return lines;
}

boost::shared_ptr<model::GeoObject> surface() {
    auto surface = boost::make_shared<model::RegularSurface>();
    surface->setName(QStringLiteral("Top Reservoir"));
    surface->setPlacement(1000.25, -2000.75, 12.5, 0.1);
    std::vector<double> heights;
    for (int i = 0; i < 20 * 15; ++i) {
        heights.push_back(i % 9 == 0 ? model::RegularSurface::noData() : -1500.0 - i * 0.01);
    }
    surface->setHeights(20, 15, heights);
    return surface;
}

boost::shared_ptr<model::GeoObject> raster() {
    auto raster = boost::make_shared<model::RasterImage>();
    raster->setName(QStringLiteral("Scanned map"));
    QImage image(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgba(x * 36, y * 60, (x * y) % 256, 255 - x * 30 - y));
        }
    }
    raster->setImage(image);
    raster->setSourceFile(QStringLiteral("/data/map ü.png"));
    raster->setExtent(431000.0, 6500000.0, 2.5, 0.75);
    return raster;
}

boost::shared_ptr<model::GeoObject> emptyRaster() {
    auto raster = boost::make_shared<model::RasterImage>();
    raster->setName(QStringLiteral("Raster without image"));
    raster->setExtent(-10.0, 20.0, 0.5, 2.0);
    return raster;
}

// A grid of ni x nj x nk cells on slanted pillars, with every fifth cell inactive.
boost::shared_ptr<model::GeoObject> grid(QString const& name, int ni, int nj, int nk) {
    auto grid = boost::make_shared<model::CornerPointGrid>();
    grid->setName(name);
    std::vector<model::Pillar> pillars;
    for (int j = 0; j <= nj; ++j) {
        for (int i = 0; i <= ni; ++i) {
            pillars.push_back(model::Pillar{{i * 100.0, j * 100.0, 1000.0},
                                            {i * 100.0 + 7.5, j * 100.0 - 2.5, 2000.0}});
        }
    }
    std::size_t const cells = static_cast<std::size_t>(ni) * nj * nk;
    std::vector<double> zcorn;
    for (std::size_t n = 0; n < 8 * cells; ++n) {
        zcorn.push_back(1000.0 + static_cast<double>(n) * 0.25 + (n % 13 == 0 ? 1e-12 : 0.0));
    }
    grid->setGeometry(ni, nj, nk, pillars, zcorn);
    std::vector<bool> active(cells, true);
    std::vector<double> poro;
    std::vector<double> permx;
    for (std::size_t c = 0; c < cells; ++c) {
        active[c] = c % 5 != 0;
        poro.push_back(active[c] ? 0.2 + static_cast<double>(c) * 1e-4 : nan);
        permx.push_back(awkward(c));
    }
    grid->setActiveFlags(active);
    grid->addProperty(QStringLiteral("PORO"), poro);
    grid->addProperty(QStringLiteral("PERMX"), permx);
    return grid;
}

bool sameDouble(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::memcmp(&a, &b, sizeof(double)) == 0;
}

void expectSameValues(std::vector<double> const& expected, std::vector<double> const& actual,
                      QString const& what) {
    ASSERT_EQ(expected.size(), actual.size()) << what.toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (!sameDouble(expected[i], actual[i])) {
            ADD_FAILURE() << what.toStdString() << "[" << i << "]: expected " << expected[i]
                          << ", got " << actual[i];
            return;
        }
    }
}

std::vector<double> flatten(std::vector<model::Point3<double>> const& points) {
    std::vector<double> values;
    for (model::Point3<double> const& point : points) {
        values.insert(values.end(), {point.x, point.y, point.z});
    }
    return values;
}

void expectSameCurve(model::WellCurve const& expected, model::WellCurve const& actual) {
    EXPECT_EQ(expected.mnemonic, actual.mnemonic);
    EXPECT_EQ(expected.unit, actual.unit);
    EXPECT_EQ(expected.description, actual.description);
    expectSameValues(expected.samples, actual.samples, expected.mnemonic);
}

void expectSameWell(model::Well const& expected, model::Well const& actual) {
    ASSERT_EQ(expected.headerItems().size(), actual.headerItems().size());
    for (int i = 0; i < expected.headerItems().size(); ++i) {
        model::WellHeaderItem const& a = expected.headerItems()[i];
        model::WellHeaderItem const& b = actual.headerItems()[i];
        EXPECT_EQ(a.mnemonic, b.mnemonic);
        EXPECT_EQ(a.unit, b.unit);
        EXPECT_EQ(a.value, b.value);
        EXPECT_EQ(a.description, b.description);
    }
    model::DepthReference const& a = expected.depthReference();
    model::DepthReference const& b = actual.depthReference();
    EXPECT_TRUE(sameDouble(a.x, b.x));
    EXPECT_TRUE(sameDouble(a.y, b.y));
    EXPECT_EQ(a.elevation.has_value(), b.elevation.has_value());
    if (a.elevation && b.elevation) {
        EXPECT_TRUE(sameDouble(*a.elevation, *b.elevation));
    }
    EXPECT_EQ(a.datum, b.datum);
    expectSameCurve(expected.indexCurve(), actual.indexCurve());
    ASSERT_EQ(expected.curves().size(), actual.curves().size());
    for (std::size_t i = 0; i < expected.curves().size(); ++i) {
        expectSameCurve(expected.curves()[i], actual.curves()[i]);
    }
}

void expectSamePoints(model::PointSet const& expected, model::PointSet const& actual) {
    expectSameValues(flatten(expected.points()), flatten(actual.points()),
                     QStringLiteral("points"));
    ASSERT_EQ(expected.attributeNames(), actual.attributeNames());
    for (QString const& name : expected.attributeNames()) {
        expectSameValues(*expected.attribute(name), *actual.attribute(name), name);
    }
    EXPECT_EQ(expected.labels(), actual.labels());
}

void expectSameLines(model::PolylineSet const& expected, model::PolylineSet const& actual) {
    ASSERT_EQ(expected.polylineCount(), actual.polylineCount());
    for (std::size_t i = 0; i < expected.polylineCount(); ++i) {
        model::Polyline const& a = expected.polylines()[i];
        model::Polyline const& b = actual.polylines()[i];
        EXPECT_EQ(a.layer, b.layer);
        EXPECT_EQ(a.closed, b.closed);
        expectSameValues(flatten(a.points), flatten(b.points), QStringLiteral("polyline"));
    }
}

void expectSameSurface(model::RegularSurface const& expected, model::RegularSurface const& actual) {
    EXPECT_TRUE(sameDouble(expected.originX(), actual.originX()));
    EXPECT_TRUE(sameDouble(expected.originY(), actual.originY()));
    EXPECT_TRUE(sameDouble(expected.dx(), actual.dx()));
    EXPECT_TRUE(sameDouble(expected.dy(), actual.dy()));
    EXPECT_EQ(expected.ncols(), actual.ncols());
    EXPECT_EQ(expected.nrows(), actual.nrows());
    expectSameValues(expected.heights(), actual.heights(), QStringLiteral("heights"));
}

void expectSameRaster(model::RasterImage const& expected, model::RasterImage const& actual) {
    EXPECT_EQ(expected.sourceFile(), actual.sourceFile());
    EXPECT_TRUE(sameDouble(expected.topLeftX(), actual.topLeftX()));
    EXPECT_TRUE(sameDouble(expected.topLeftY(), actual.topLeftY()));
    EXPECT_TRUE(sameDouble(expected.pixelSizeX(), actual.pixelSizeX()));
    EXPECT_TRUE(sameDouble(expected.pixelSizeY(), actual.pixelSizeY()));
    ASSERT_EQ(expected.image().isNull(), actual.image().isNull());
    EXPECT_EQ(expected.image().convertToFormat(QImage::Format_ARGB32),
              actual.image().convertToFormat(QImage::Format_ARGB32));
}

void expectSameGrid(model::CornerPointGrid const& expected, model::CornerPointGrid const& actual) {
    EXPECT_EQ(expected.ni(), actual.ni());
    EXPECT_EQ(expected.nj(), actual.nj());
    EXPECT_EQ(expected.nk(), actual.nk());
    std::vector<double> a;
    std::vector<double> b;
    for (model::Pillar const& pillar : expected.pillars()) {
        a.insert(a.end(), {pillar.top.x, pillar.top.y, pillar.top.z, pillar.bottom.x,
                           pillar.bottom.y, pillar.bottom.z});
    }
    for (model::Pillar const& pillar : actual.pillars()) {
        b.insert(b.end(), {pillar.top.x, pillar.top.y, pillar.top.z, pillar.bottom.x,
                           pillar.bottom.y, pillar.bottom.z});
    }
    expectSameValues(a, b, QStringLiteral("pillars"));
    expectSameValues(expected.zcorn(), actual.zcorn(), QStringLiteral("zcorn"));
    EXPECT_EQ(expected.activeFlags(), actual.activeFlags());
    EXPECT_EQ(expected.activeCellCount(), actual.activeCellCount());
    ASSERT_EQ(expected.propertyNames(), actual.propertyNames());
    for (QString const& name : expected.propertyNames()) {
        expectSameValues(*expected.property(name), *actual.property(name), name);
    }
    EXPECT_EQ(expected.mapAxes(), actual.mapAxes());
}

template <class T>
T const& as(model::GeoObject const& object) {
    return dynamic_cast<T const&>(object);
}

} // namespace

native::DocumentWriter::Objects sampleObjects() {
    auto small = grid(QStringLiteral("Small grid"), 2, 2, 1);
    static_cast<model::CornerPointGrid&>(*small).setMapAxes(
        {431000.0, 6501000.0, 431000.0, 6500000.0, 432000.0, 6500000.0});
    auto empty = boost::make_shared<model::CornerPointGrid>();
    empty->setName(QStringLiteral("Grid without geometry"));
    return {largeWell(), smallWell(),   emptyWell(),
            pointSet(),  polylineSet(), surface(),
            raster(),    emptyRaster(), grid(QStringLiteral("Reservoir grid"), 8, 6, 6),
            small,       empty};
}

std::string sampleJournal() {
    return "Opened Ünïcødé.las\nInserted faults.dxf\n";
}

void expectSameObject(model::GeoObject const& expected, model::GeoObject const& actual) {
    SCOPED_TRACE(expected.name().toStdString());
    EXPECT_EQ(expected.name(), actual.name());
    ASSERT_EQ(expected.kind(), actual.kind());
    EXPECT_EQ(expected.properties(), actual.properties());
    switch (expected.kind()) {
    case model::ObjectKind::Well:
        expectSameWell(as<model::Well>(expected), as<model::Well>(actual));
        break;
    case model::ObjectKind::PointSet:
        expectSamePoints(as<model::PointSet>(expected), as<model::PointSet>(actual));
        break;
    case model::ObjectKind::PolylineSet:
        expectSameLines(as<model::PolylineSet>(expected), as<model::PolylineSet>(actual));
        break;
    case model::ObjectKind::Surface:
        expectSameSurface(as<model::RegularSurface>(expected), as<model::RegularSurface>(actual));
        break;
    case model::ObjectKind::Raster:
        expectSameRaster(as<model::RasterImage>(expected), as<model::RasterImage>(actual));
        break;
    case model::ObjectKind::CornerPointGrid:
        expectSameGrid(as<model::CornerPointGrid>(expected), as<model::CornerPointGrid>(actual));
        break;
    }
}

void expectSameObjects(native::DocumentWriter::Objects const& expected,
                       std::vector<std::unique_ptr<model::GeoObject>> const& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expectSameObject(*expected[i], *actual[i]);
    }
}

QByteArray fileBytes(QString const& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(QString const& path, QByteArray const& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(bytes.size(), file.write(bytes));
}

} // namespace test
} // namespace quarro
