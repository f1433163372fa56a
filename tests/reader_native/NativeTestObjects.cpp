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
    return values[i % 8];
}

model::WellCurve curve(char const* mnemonic, char const* unit, std::vector<double> samples) {
    return {mnemonic, unit, QString::fromLatin1(mnemonic) + QStringLiteral(" log"),
            std::move(samples)};
}

boost::shared_ptr<model::GeoObject> largeWell() {
    auto well = boost::make_shared<model::Well>();
    well->setName(QStringLiteral("W-1 Ünïcødé"));
    well->setHeaderItem({QStringLiteral("COMP"), QString(), QStringLiteral("Ölfeld AG"),
                         QStringLiteral("company")});
    well->setHeaderItem({QStringLiteral("NULL"), QString(), QStringLiteral("-999.25"),
                         QStringLiteral("null value")});
    well->setDepthReference({431000.5, 6.5e6 + 0.125, 25.4, QStringLiteral("KB")});
    std::vector<double> depth, gr, dt;
    for (std::size_t i = 0; i < 600; ++i) {
        depth.push_back(1500.0 + 0.1524 * static_cast<double>(i));
        gr.push_back(i % 7 == 0 ? awkward(i / 7) : 40.0 + std::sin(static_cast<double>(i)));
        dt.push_back(i < 10 ? nan : 80.0 + 1e-9 * static_cast<double>(i));
    }
    well->setCurves(curve("DEPT", "m", depth), {curve("GR", "API", gr), curve("DT", "us/ft", dt)});
    well->setProperty(QStringLiteral("source"), QStringLiteral("/data/w1.las"));
    return well;
}

boost::shared_ptr<model::GeoObject> smallWell() {
    auto well = boost::make_shared<model::Well>();
    well->setName(QStringLiteral("W-2"));
    well->setDepthReference(
        {nan, nan, std::nullopt, QStringLiteral("GL")}); // no location, no elevation
    well->setCurves(
        curve("DEPT", "ft", {1000.0, 1000.5, 1001.0}),
        {curve("RHOB", "g/cm3", {2.5, nan, -0.0}), curve("NPHI", "", {inf, -inf, subnormal})});
    return well;
}

boost::shared_ptr<model::GeoObject> pointSet() {
    auto points = boost::make_shared<model::PointSet>();
    points->setName(QStringLiteral("Tops"));
    std::vector<model::Point3<double>> coordinates;
    std::vector<double> twt, zone;
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
    lines->addPolyline(
        {{{0, 0, 0}, {10, 0, -1}, {10, 10, -2}, {0, 10, -0.0}}, true, QStringLiteral("F1")});
    lines->addPolyline({{{5.5, 5.25, nan}}, false, QStringLiteral("F2")});
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
    for (int n = 0; n < 35; ++n) {
        image.setPixel(n % 7, n / 7, qRgba(n % 7 * 36, n / 7 * 60, n % 7 * (n / 7), 255 - n));
    }
    raster->setImage(image);
    raster->setSourceFile(QStringLiteral("/data/map ü.png"));
    raster->setExtent(431000.0, 6500000.0, 2.5, 0.75);
    return raster;
}

// A grid of ni x nj x nk cells on slanted pillars, with every fifth cell inactive.
boost::shared_ptr<model::CornerPointGrid> grid(QString const& name, int ni, int nj, int nk) {
    auto grid = boost::make_shared<model::CornerPointGrid>();
    grid->setName(name);
    std::vector<model::Pillar> pillars;
    for (int j = 0; j <= nj; ++j) {
        for (int i = 0; i <= ni; ++i) {
            pillars.push_back(
                {{i * 100.0, j * 100.0, 1000.0}, {i * 100.0 + 7.5, j * 100.0 - 2.5, 2000.0}});
        }
    }
    std::size_t const cells = static_cast<std::size_t>(ni) * nj * nk;
    std::vector<double> zcorn, poro, permx;
    for (std::size_t n = 0; n < 8 * cells; ++n) {
        zcorn.push_back(1000.0 + static_cast<double>(n) * 0.25 + (n % 13 == 0 ? 1e-12 : 0.0));
    }
    grid->setGeometry(ni, nj, nk, pillars, zcorn);
    std::vector<bool> active(cells, true);
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

// A description of an object, one line per field, doubles by their bits (any NaN is "nan"), so
// that two objects hold the same exactly when their descriptions are equal.
struct Dump {
    Dump& operator()(char const* field) { return lines.emplace_back(field), *this; }
    Dump& operator<<(double value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        lines.back() += std::isnan(value) ? std::string(" nan") : " " + std::to_string(bits);
        return *this;
    }
    Dump& operator<<(QString const& text) {
        return lines.back() += " '" + text.toStdString() + "'", *this;
    }
    template <class T>
    Dump& operator<<(std::vector<T> const& values) {
        for (auto const& value : values) {
            *this << value;
        }
        return *this;
    }
    Dump& operator<<(model::Point3<double> const& p) { return *this << p.x << p.y << p.z; }
    Dump& operator<<(model::Pillar const& pillar) { return *this << pillar.top << pillar.bottom; }
    Dump& operator<<(model::Polyline const& l) {
        return (*this)("polyline") << l.layer << l.closed << l.points;
    }
    Dump& operator<<(model::WellCurve const& c) {
        return (*this)("curve") << c.mnemonic << c.unit << c.description << c.samples;
    }

    std::vector<std::string> lines;
};

std::vector<std::string> dump(model::GeoObject const& object) {
    Dump d;
    d("object") << object.kindName() << object.name();
    for (model::GeoObject::Property const& property : object.properties()) {
        d("property") << property.first << property.second;
    }
    if (auto const* well = dynamic_cast<model::Well const*>(&object)) {
        for (model::WellHeaderItem const& item : well->headerItems()) {
            d("header") << item.mnemonic << item.unit << item.value << item.description;
        }
        model::DepthReference const& r = well->depthReference();
        d("reference") << r.x << r.y << r.datum << r.elevation.has_value()
                       << r.elevation.value_or(0);
        d << well->indexCurve() << well->curves();
    } else if (auto const* points = dynamic_cast<model::PointSet const*>(&object)) {
        d("points") << points->points();
        for (QString const& name : points->attributeNames()) {
            d("attribute") << name << *points->attribute(name);
        }
        d("labels") << points->labels();
    } else if (auto const* lines = dynamic_cast<model::PolylineSet const*>(&object)) {
        d << lines->polylines();
    } else if (auto const* s = dynamic_cast<model::RegularSurface const*>(&object)) {
        d("surface") << s->originX() << s->originY() << s->dx() << s->dy() << s->ncols()
                     << s->nrows() << s->heights();
    } else if (auto const* r = dynamic_cast<model::RasterImage const*>(&object)) {
        d("raster") << r->sourceFile() << r->topLeftX() << r->topLeftY() << r->pixelSizeX()
                    << r->pixelSizeY() << r->image().isNull();
        QImage const image = r->image().convertToFormat(QImage::Format_ARGB32);
        for (int n = 0; n < image.width() * image.height(); ++n) {
            d << image.pixel(n % image.width(), n / image.width());
        }
    } else if (auto const* g = dynamic_cast<model::CornerPointGrid const*>(&object)) {
        d("grid") << g->ni() << g->nj() << g->nk() << g->activeCellCount() << g->pillars();
        d("zcorn") << g->zcorn();
        d("active") << g->activeFlags();
        for (QString const& name : g->propertyNames()) {
            d("cell property") << name << *g->property(name);
        }
        d("map axes") << g->mapAxes().has_value();
        if (g->mapAxes()) {
            d << std::vector<double>(g->mapAxes()->begin(), g->mapAxes()->end());
        }
    }
    return d.lines;
}

} // namespace

native::DocumentWriter::Objects sampleObjects() {
    auto planned = boost::make_shared<model::Well>();
    planned->setName(QStringLiteral("Planned well"));
    auto small = grid(QStringLiteral("Small grid"), 2, 2, 1);
    small->setMapAxes({431000.0, 6501000.0, 431000.0, 6500000.0, 432000.0, 6500000.0});
    auto empty = boost::make_shared<model::CornerPointGrid>();
    empty->setName(QStringLiteral("Grid without geometry"));
    auto bare = boost::make_shared<model::RasterImage>();
    bare->setName(QStringLiteral("Raster without image"));
    bare->setExtent(-10.0, 20.0, 0.5, 2.0);
    return {largeWell(), smallWell(),   planned,
            pointSet(),  polylineSet(), surface(),
            raster(),    bare,          grid(QStringLiteral("Reservoir grid"), 8, 6, 6),
            small,       empty};
}

std::string sampleJournal() {
    return "Opened Ünïcødé.las\nInserted faults.dxf\n";
}

void expectSameObject(model::GeoObject const& expected, model::GeoObject const& actual) {
    std::vector<std::string> const a = dump(expected);
    std::vector<std::string> const b = dump(actual);
    ASSERT_EQ(a.size(), b.size()) << a.front() << " / " << b.front();
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(a[i] == b[i]) << a.front() << ": " << a[i].substr(0, 300) << " / "
                                  << b[i].substr(0, 300);
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
