#include "GrdeclGridBuilder.h"
#include "GrdeclParser.h"
#include "GrdeclTestGrids.h"
#include "grid/GridZData.h"
#include "model/CornerPointGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace quarro;
using import::CellCorner;
using import::GridIJK;
using import::GridZData;
using readers::GrdeclGridBuilder;
using readers::GrdeclParser;

namespace {

using test::gridText;

GrdeclGridBuilder::Result build(std::string const& text) {
    GrdeclParser::Result parsed = GrdeclParser().parse(text);
    EXPECT_EQ(GrdeclParser::Status::Ok, parsed.status) << parsed.error.toStdString();
    return GrdeclGridBuilder(std::move(parsed.deck))
        .build(QStringLiteral("test grid"), QStringLiteral("/data/test.grdecl"));
}

// A text property of the object: CornerPointGrid::property() names the cell properties.
std::string objectProperty(model::GeoObject const& object, char const* key) {
    return object.property(QString::fromLatin1(key)).toStdString();
}

std::string joined(QStringList const& lines) {
    return lines.join(QStringLiteral("\n")).toStdString();
}

std::string values(std::vector<double> const& values) {
    QStringList texts;
    for (double const value : values) {
        texts << QString::number(value);
    }
    return texts.join(QLatin1Char(' ')).toStdString();
}

} // namespace

TEST(GrdeclGridBuilder, RecordsSplitNodesWhereAFaultSeparatesTheCorners) {
    GrdeclGridBuilder::Result const two = build(gridText(2, 1, 1, 1, 2.0));
    ASSERT_TRUE(two.ok) << two.error.toStdString();
    std::vector<std::vector<GridZData>> const& pillars = two.model.grid.pillars;
    ASSERT_EQ(2u, pillars.size());
    ASSERT_EQ(3u, pillars[0].size());
    // The middle pillars carry the fault, at both node layers; the outer ones are whole.
    EXPECT_EQ(0u, pillars[0][0].numSplits() + pillars[1][2].numSplits());
    EXPECT_FALSE(pillars[0][0].isSplit());
    EXPECT_EQ(4u, two.model.splitLevelCount);
    EXPECT_EQ(8u, two.model.splitNodeCount);

    GridZData const& faulted = pillars[0][1];
    EXPECT_EQ(std::make_tuple(1u, 0u, true),
              std::make_tuple(faulted.i_index(), faulted.j_index(), faulted.isSplit()));
    EXPECT_EQ((model::Point3<float>(100, 0, 0)), faulted.top());
    EXPECT_EQ((model::Point3<float>(100, 0, 2000)), faulted.base());
    ASSERT_EQ(2u, faulted.numSplits());
    EXPECT_EQ(1u, faulted.getSplitKAt(1));
    EXPECT_EQ(GridIJK(0, 0, 0), faulted.getPrimaryCellAt(0));
    EXPECT_EQ(CellCorner::Corner100, faulted.getPrimaryCornerAt(0));
    ASSERT_EQ(2u, faulted.getNumSplitsAt(0));
    // West and east of the fault on the top layer; on the far side of the cells, the bottom layer.
    for (auto const& [pillar, level, node, position, cell, corner] :
         std::vector<std::tuple<GridZData const*, std::size_t, std::size_t, model::Point3<float>,
                                GridIJK, CellCorner>>{
             {&faulted, 0, 0, {100, 0, 1000}, GridIJK(0, 0, 0), CellCorner::Corner100},
             {&faulted, 0, 1, {100, 0, 1002}, GridIJK(1, 0, 0), CellCorner::Corner000},
             {&pillars[1][1], 1, 0, {100, 100, 1010}, GridIJK(0, 0, 0), CellCorner::Corner111},
             {&pillars[1][1], 1, 1, {100, 100, 1012}, GridIJK(1, 0, 0), CellCorner::Corner011}}) {
        model::Point3<float> p;
        GridIJK c;
        CellCorner k{};
        pillar->getSplitInfoAt(level, node, p, c, k);
        EXPECT_EQ(std::make_tuple(position, cell, corner), std::make_tuple(p, c, k));
    }

    // Three layers, the fault between columns 1 and 2: every node of the three pillars there.
    GrdeclGridBuilder::Result const deeper = build(gridText(3, 2, 2, 2, 5.0));
    ASSERT_TRUE(deeper.ok) << deeper.error.toStdString();
    EXPECT_EQ(9u, deeper.model.splitLevelCount);
    EXPECT_EQ(18u, deeper.model.splitNodeCount);
    for (std::size_t j = 0; j < 3; ++j) {
        GridZData const& pillar = deeper.model.grid.pillars[j][2];
        ASSERT_EQ(3u, pillar.numSplits());
        EXPECT_EQ(2u, pillar.getSplitKAt(2));
        EXPECT_EQ(0u, deeper.model.grid.pillars[j][1].numSplits());
    }
    EXPECT_EQ("18", objectProperty(*deeper.grid, "Split nodes"));
    EXPECT_EQ(0u, build(gridText(3, 2, 2)).model.splitNodeCount);
}

TEST(GrdeclGridBuilder, FillsActiveCellsPropertiesBoxesAndRegions) {
    GrdeclGridBuilder::Result const result =
        build(gridText(2, 2, 1) + "ACTNUM\n 1 0 2* /\n"
                                  "PORO\n 0.1 0.2 0.3 2* /\n" // one too many
                                  "PORO\n 0.1 0.2 0.3 1* /\n"
                                  "BOX\n 1 1 1 2 1 1 /\n"
                                  "PERMX\n 2*50 /\n"
                                  "ENDBOX\n"
                                  "FIPNUM\n 1 1 2 7 /\n"
                                  "COARSEN\n 1 2 1 2 1 1 1 1 1 /\n"
                                  " 1 3 1 1 1 1 1 1 1 /\n/\n"
                                  "GRIDFILE\n 0 1 /\n");
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    model::CornerPointGrid const& grid = *result.grid;
    EXPECT_EQ("test grid", grid.name().toStdString());
    EXPECT_EQ((std::vector<bool>{true, false, true, true}), grid.activeFlags());
    EXPECT_EQ(3u, grid.activeCellCount());
    EXPECT_EQ((QStringList{"PORO", "PERMX", "FIPNUM"}), grid.propertyNames());
    EXPECT_EQ("0.1 0.2 0.3 nan", values(*grid.property(QStringLiteral("PORO"))));
    EXPECT_EQ("50 nan 50 nan", values(*grid.property(QStringLiteral("PERMX"))));
    EXPECT_EQ((QStringList{"GRIDFILE"}), result.skippedKeywords);
    std::string const comments = joined(result.comments);
    for (char const* comment :
         {"line 26: PORO has 5 values, but the 2 x 2 x 1 grid has 4 cells; PORO skipped",
          "PERMX has no value for 2 of the 4 cells",
          "COARSEN box 2 reaches outside the 2 x 2 x 1 grid; skipped"}) {
        EXPECT_NE(std::string::npos, comments.find(comment)) << comments;
    }

    ASSERT_EQ(3u, result.model.grid.properties.size());
    import::PropertyDescription const& described = result.model.grid.properties[0];
    EXPECT_EQ("PORO", described.keyword);
    EXPECT_EQ(std::make_tuple(0, 4, 1), std::make_tuple(described.discrete, described.value_count,
                                                        described.undefined_count));
    EXPECT_FLOAT_EQ(0.1f, described.min_value);
    EXPECT_FLOAT_EQ(0.3f, described.max_value);
    EXPECT_FLOAT_EQ(0.2f, described.mean);
    EXPECT_EQ("/data/test.grdecl", described.source_path);
    EXPECT_EQ(1, result.model.grid.properties[2].discrete);
    EXPECT_EQ((std::vector<std::int32_t>{1, 0, 1, 1}), result.model.grid.active);

    ASSERT_EQ(1u, result.model.coarsenings.size());
    auto const& box = result.model.coarsenings[0];
    EXPECT_EQ(std::make_tuple(1, 1, 1, 1),
              std::make_tuple(box.i_last, box.j_last, box.ni, box.number));

    ASSERT_EQ(3u, result.model.regions.size());
    auto const& region = result.model.regions[0];
    EXPECT_EQ(std::make_tuple(std::string("FIPNUM"), 1, 2),
              std::make_tuple(region.keyword, region.number, region.cell_count));
    EXPECT_EQ(7, result.model.regions[2].number);
    EXPECT_EQ((std::vector<std::int32_t>{7}), result.model.regions[2].values);
}

TEST(GrdeclGridBuilder, DescribesTheModelWithUnitsAndMapAxes) {
    GrdeclGridBuilder::Result const result = build("MAPUNITS\n FEET /\nGRIDUNIT\n FEET /\n"
                                                   "MAPAXES\n 1000 2100 1000 2000 1100 2000 /\n" +
                                                   gridText(2, 1, 3, 1, 4.0));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    import::GeoVolModelInfo const& info = result.model.grid.model_info;
    EXPECT_EQ(std::make_tuple(std::string("test grid"), std::string("GRDECL"), std::string("FEET"),
                              std::string("FEET")),
              std::make_tuple(info.model_name, info.format, info.xy_unit, info.map_unit));
    EXPECT_FLOAT_EQ(0.3048f, info.xy_unit_to_metres);
    EXPECT_EQ(std::make_tuple(6, 6, 6, 1), std::make_tuple(info.cell_count, info.active_cell_count,
                                                           info.pillar_count, info.handedness));
    EXPECT_FLOAT_EQ(0.0f, info.rotation_degrees);
    EXPECT_EQ(std::make_tuple(1000.0, 2000.0, 1000.0, 1034.0),
              std::make_tuple(info.map_origin_x, info.map_origin_y, info.z_min, info.z_max));
    EXPECT_EQ(12u, result.model.grid.pillar_points.size());
    EXPECT_EQ(2u, result.model.grid.i_last + 1);
    ASSERT_TRUE(result.grid->mapAxes());
    model::Point3<double> const mapped =
        result.grid->toMapCoordinates(model::Point3<double>(10, 20, 5));
    EXPECT_DOUBLE_EQ(1010.0, mapped.x);
    EXPECT_DOUBLE_EQ(2020.0, mapped.y);
    EXPECT_EQ("FEET", objectProperty(*result.grid, "Map units"));

    // GRIDUNIT ... MAP: the coordinates are on the map already.
    GrdeclGridBuilder::Result const onMap =
        build("GRIDUNIT\n METRES MAP /\nMAPAXES\n 0 1 0 0 1 0 /\n" + gridText(1, 1, 1));
    ASSERT_TRUE(onMap.ok);
    EXPECT_FALSE(onMap.grid->mapAxes());
    EXPECT_EQ(1, onMap.model.grid.model_info.relative_to_map);

    GrdeclGridBuilder::Result const flat = build("MAPAXES\n 0 0 0 0 1 0 /\n" + gridText(1, 1, 1));
    ASSERT_TRUE(flat.ok);
    EXPECT_FALSE(flat.grid->mapAxes());
    EXPECT_NE(std::string::npos, joined(flat.comments).find("line 1: MAPAXES ignored"));
}

TEST(GrdeclGridBuilder, RefusesGridsWhoseGeometryDoesNotFit) {
    std::string const grid = gridText(2, 1, 1);
    std::string const zcornCut = grid.substr(0, grid.rfind("1010")); // ends inside ZCORN
    for (auto const& [text, error] : std::vector<std::pair<std::string, char const*>>{
             {grid.substr(grid.find("COORD")), "the file has no SPECGRID (nor DIMENS)"},
             {zcornCut, "ends inside ZCORN (begun on line 11) after 15 of 16 values: it seems"},
             {grid + "ZCORN\n 15*1000 /\n",
              "line 17: ZCORN has 15 values; a 2 x 1 x 1 grid needs 16"},
             {grid.substr(0, grid.find("ZCORN")), "the file has no ZCORN"},
             {"SPECGRID\n 1 1 1 /\nDX\n 1 /\nTOPS\n 1 /\n", "grids of block sizes"},
             {grid + "ACTNUM\n 1 /\n", "ACTNUM has 1 values, but the 2 x 1 x 1 grid has 2 cells"},
             {grid + "BOX\n 1 3 1 1 1 1 /\nACTNUM\n 3*1 /\n", "reaches outside the 2 x 1 x 1 grid"},
             {grid + "PORO\n 0.1", "ends inside PORO (begun on line 17) after 1 of 2"},
             {"SPECGRID\n 1 1 1 1 T /\n", "radial grid"},
             {"SPECGRID\n 1 1 1 2 F /\n", "2 reservoirs"},
             {"SPECGRID\n 1 1 1 /\nCOORD\n 12*0 3* 9*1 /\n",
              "line 4: COORD leaves values to their default"},
         }) {
        GrdeclParser::Result parsed = GrdeclParser().parse(text);
        ASSERT_EQ(GrdeclParser::Status::Ok, parsed.status) << parsed.error.toStdString();
        GrdeclGridBuilder::Result const result =
            GrdeclGridBuilder(std::move(parsed.deck)).build(QStringLiteral("g"), QString());
        EXPECT_FALSE(result.ok) << text;
        EXPECT_FALSE(result.grid);
        EXPECT_NE(std::string::npos, result.error.toStdString().find(error))
            << result.error.toStdString();
    }
}
