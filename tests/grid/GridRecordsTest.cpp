#include "grid/LGRDef.h"
#include "grid/MResDef.h"
#include "grid/NodeInfo.h"
#include "grid/PropertyDescription.h"
#include "grid/RegionId.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <memory>

using quarro::import::LGRDef;
using quarro::import::MResDef;
using quarro::import::NodeInfo;
using quarro::import::PropertyDescription;
using quarro::import::RegionId;
using Point = quarro::model::Point3<float>;

namespace {

// Reader data that reports its destruction.
struct Tracked {
    explicit Tracked(bool* flag)
        : destroyed(flag) {}
    ~Tracked() { *destroyed = true; }
    bool* destroyed;
};

LGRDef refinement(bool* destroyed) {
    LGRDef lgr;
    lgr.name = "LGR1";
    lgr.i_divisions = {3, 3};
    lgr.active = {1, 0, 1};
    lgr.pillar_points = {Point(0, 0, 0), Point(0, 0, 100)};
    lgr.properties.resize(1);
    lgr.properties[0].keyword = "PORO";
    lgr.properties[0].values = {0.1f, 0.2f};
    lgr.model_info.model_name = "field";
    lgr.reader_data = boost::make_shared<Tracked>(destroyed);
    lgr.pillars.resize(1);
    lgr.pillars[0].emplace_back(0, 0);
    lgr.radial = 1;
    return lgr;
}

} // namespace

TEST(GridRecords, RegionIdEqualityComparesEveryField) {
    RegionId region;
    region.keyword = "FIPNUM";
    region.number = 2;
    region.values = {1, 2, 3};
    region.cell_count = 40;
    EXPECT_TRUE(RegionId(region) == region);

    RegionId other = region;
    other.values = {3, 2, 1};
    EXPECT_FALSE(other == region) << "values in another order";
    other.values = {1, 2};
    EXPECT_FALSE(other == region) << "a prefix of the values";
    EXPECT_FALSE(region == other);
    other = region;
    other.keyword = "FIPNUMX";
    EXPECT_FALSE(other == region);
    other = region;
    other.number = -1;
    EXPECT_FALSE(other == region);
    other = region;
    other.cell_count = 41;
    EXPECT_FALSE(other == region);
}

TEST(GridRecords, LGRDefCopiesDeeplyAndSharesTheReaderData) {
    bool destroyed = false;
    auto source = std::make_unique<LGRDef>(refinement(&destroyed));

    LGRDef copy(*source);
    EXPECT_EQ(copy.reader_data.get(), source->reader_data.get());
    EXPECT_EQ(source->reader_data.use_count(), 2);
    copy.i_divisions.push_back(4);
    copy.active[1] = 1;
    copy.pillar_points.push_back(Point(1, 0, 0));
    copy.properties[0].values.push_back(0.4f);
    copy.model_info.model_name = "copy";
    copy.pillars[0][0].addSplit(NodeInfo());
    copy.pillars[0].emplace_back(1, 0);
    EXPECT_EQ(source->i_divisions.size(), 2u);
    EXPECT_EQ(source->active[1], 0);
    EXPECT_EQ(source->pillar_points.size(), 2u);
    EXPECT_EQ(source->properties[0].values.size(), 2u);
    EXPECT_EQ(source->model_info.model_name, "field");
    EXPECT_EQ(source->pillars[0][0].numSplits(), 0u);
    EXPECT_EQ(source->pillars[0].size(), 1u);
    EXPECT_EQ(copy.radial, 1);

    source.reset();
    EXPECT_FALSE(destroyed) << "the copy still owns the reader data";

    // Assignment takes a share of the source's data and gives up the target's former one.
    bool other_destroyed = false;
    LGRDef other = refinement(&other_destroyed);
    other = copy;
    EXPECT_TRUE(other_destroyed);
    EXPECT_EQ(copy.reader_data.use_count(), 2);
    EXPECT_EQ(other.properties[0].values.size(), 3u);

    LGRDef& alias = other;
    other = alias;
    EXPECT_EQ(other.reader_data.use_count(), 2);
    EXPECT_EQ(other.name, "LGR1");
    EXPECT_EQ(other.pillars[0][0].numSplits(), 1u);

    copy = LGRDef();
    other = LGRDef();
    EXPECT_TRUE(destroyed) << "released with the last copy";
}
