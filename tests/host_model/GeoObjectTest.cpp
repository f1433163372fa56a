#include "model/GeoObject.h"
#include "model/CornerPointGrid.h"
#include "model/PointSet.h"
#include "model/PolylineSet.h"
#include "model/RasterImage.h"
#include "model/RegularSurface.h"
#include "model/Well.h"

#include "ModelTestPrinters.h"

#include <QImage>
#include <gtest/gtest.h>

#include <boost/shared_ptr.hpp>

#include <memory>
#include <vector>

using namespace quarro::model;

namespace {

std::vector<Pillar> verticalPillars(int ni, int nj) {
    std::vector<Pillar> pillars;
    for (int j = 0; j <= nj; ++j) {
        for (int i = 0; i <= ni; ++i) {
            pillars.push_back(Pillar{Point3<double>(i, j, 0), Point3<double>(i, j, 10)});
        }
    }
    return pillars;
}

} // namespace

TEST(GeoObjectTest, PropertiesKeepOrderAndUniqueKeys) {
    PointSet object;
    object.setName(QStringLiteral("Tops"));
    object.setProperty(QStringLiteral("source"), QStringLiteral("a.dxf"));
    object.setProperty(QStringLiteral("crs"), QStringLiteral("EPSG:23031"));
    object.setProperty(QStringLiteral("source"), QStringLiteral("b.dxf"));

    ASSERT_EQ(object.properties().size(), 2);
    EXPECT_EQ(object.properties().at(0).first, QStringLiteral("source"));
    EXPECT_EQ(object.property(QStringLiteral("source")), QStringLiteral("b.dxf"));
    EXPECT_TRUE(object.property(QStringLiteral("missing")).isNull());
    EXPECT_FALSE(object.hasProperty(QStringLiteral("missing")));

    EXPECT_TRUE(object.removeProperty(QStringLiteral("source")));
    EXPECT_FALSE(object.removeProperty(QStringLiteral("source")));
    ASSERT_EQ(object.properties().size(), 1);
    EXPECT_EQ(object.properties().at(0).second, QStringLiteral("EPSG:23031"));
    EXPECT_EQ(object.name(), QStringLiteral("Tops"));
}

// A document holds its objects through the base: a clone must keep the concrete type, the data
// and the base's fields, and must not share anything the original later changes.
TEST(GeoObjectTest, CloneIsADeepCopyOfEveryKind) {
    auto well = boost::shared_ptr<Well>(new Well);
    well->setCurves(WellCurve{QStringLiteral("DEPT"), QStringLiteral("M"), {}, {1.0, 2.0}},
                    {WellCurve{QStringLiteral("GR"), QStringLiteral("API"), {}, {40.0, 50.0}}});
    auto points = boost::shared_ptr<PointSet>(new PointSet);
    points->setPoints({Point3<double>(1, 2, 3)});
    points->setAttribute(QStringLiteral("TWT"), {0.5});
    auto lines = boost::shared_ptr<PolylineSet>(new PolylineSet);
    lines->addPolyline(
        Polyline{{Point3<double>(0, 0, 0), Point3<double>(1, 1, 0)}, false, QStringLiteral("F1")});
    auto surface = boost::shared_ptr<RegularSurface>(new RegularSurface);
    surface->setHeights(2, 1, {5.0, 6.0});
    auto raster = boost::shared_ptr<RasterImage>(new RasterImage);
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    raster->setImage(image);
    auto grid = boost::shared_ptr<CornerPointGrid>(new CornerPointGrid);
    grid->setGeometry(1, 1, 1, verticalPillars(1, 1), std::vector<double>(8, 5.0));
    grid->addProperty(QStringLiteral("PORO"), {0.2});

    std::vector<boost::shared_ptr<GeoObject>> const document{well,    points, lines,
                                                             surface, raster, grid};
    for (auto const& object : document) {
        object->setName(QStringLiteral("original"));
        object->setProperty(QStringLiteral("k"), QStringLiteral("v"));
        std::unique_ptr<GeoObject> copy = object->clone();
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->kind(), object->kind());
        EXPECT_EQ(copy->name(), QStringLiteral("original"));
        EXPECT_EQ(copy->property(QStringLiteral("k")), QStringLiteral("v"));
        EXPECT_EQ(copy->boundingBox(), object->boundingBox()) << object->kindName().toStdString();
        EXPECT_EQ(copy->sizeHint(), object->sizeHint());
        EXPECT_GT(copy->sizeHint(), 0u);
        object->setName(QStringLiteral("renamed"));
        object->setProperty(QStringLiteral("k"), QStringLiteral("changed"));
        EXPECT_EQ(copy->name(), QStringLiteral("original"));
        EXPECT_EQ(copy->property(QStringLiteral("k")), QStringLiteral("v"));
    }

    // Change each original's data after cloning: the clones keep the old values.
    std::unique_ptr<GeoObject> wellCopy = well->clone();
    well->addCurve(WellCurve{QStringLiteral("RHOB"), {}, {}, {2.3, 2.4}});
    ASSERT_NE(dynamic_cast<Well*>(wellCopy.get()), nullptr);
    EXPECT_EQ(dynamic_cast<Well&>(*wellCopy).curveCount(), 1);

    std::unique_ptr<GeoObject> pointsCopy = points->clone();
    points->addPoint(Point3<double>(9, 9, 9));
    auto const& pointSetCopy = dynamic_cast<PointSet&>(*pointsCopy);
    EXPECT_EQ(pointSetCopy.pointCount(), 1u);
    EXPECT_EQ(pointSetCopy.attribute(QStringLiteral("TWT"))->size(), 1u);

    std::unique_ptr<GeoObject> surfaceCopy = surface->clone();
    surface->setHeight(0, 0, -1.0);
    EXPECT_EQ(dynamic_cast<RegularSurface&>(*surfaceCopy).height(0, 0), 5.0);

    std::unique_ptr<GeoObject> rasterCopy = raster->clone();
    QImage changed = raster->image();
    changed.fill(Qt::blue);
    raster->setImage(changed);
    EXPECT_EQ(dynamic_cast<RasterImage&>(*rasterCopy).image().pixelColor(0, 0), QColor(Qt::red));

    std::unique_ptr<GeoObject> gridCopy = grid->clone();
    grid->addProperty(QStringLiteral("PORO"), {0.3});
    grid->setActiveFlags({false});
    auto const& gridClone = dynamic_cast<CornerPointGrid&>(*gridCopy);
    EXPECT_EQ(gridClone.property(QStringLiteral("PORO"))->front(), 0.2);
    EXPECT_EQ(gridClone.activeCellCount(), 1u);
}
