#include "display/grid_layout.h"

#include <gtest/gtest.h>

#include "common/drive_slots.h"
#include "display_printers.h"

#include <limits>

namespace wolumetr {
namespace {

TEST(FitGrid, ChosenGridForEveryTileCount) {
  const Grid expected[] = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {4, 2}, {4, 2}, {5, 2},
                           {5, 2}, {6, 2}, {6, 2}, {5, 3}, {5, 3}, {5, 3}, {6, 3}, {6, 3}, {6, 3}};
  for (int tiles = 1; tiles <= kDriveSlotCount; ++tiles) {
    EXPECT_EQ(FitGrid(0, 0, tiles), expected[tiles - 1]) << tiles << " tiles";
  }
}

struct FitCase {
  std::int32_t columns;
  std::int32_t rows;
  std::int32_t tiles;
  Grid grid;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.columns << "x" << c.rows << " for " << c.tiles; }

class ConfiguredGrid : public ::testing::TestWithParam<FitCase> {};

TEST_P(ConfiguredGrid, KeptOrRefitted) {
  const FitCase& c = GetParam();
  EXPECT_EQ(FitGrid(c.columns, c.rows, c.tiles), c.grid);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(Cases, ConfiguredGrid,
                         ::testing::Values(FitCase{2, 2, 5, {5, 1}},    // too small: replaced entirely
                                           FitCase{10, 1, 3, {10, 1}},  // large enough: any number of columns
                                           FitCase{4, 4, 2, {4, 4}}, FitCase{3, 0, 3, {3, 1}}, FitCase{0, 3, 3, {3, 1}},
                                           FitCase{1, 18, 18, {1, 18}},
                                           FitCase{-2, -3, 5, {5, 1}},  // product 6 would pass, the signs must not
                                           FitCase{-1, 4, 4, {4, 1}}, FitCase{kMin, kMin, 7, {4, 2}},
                                           FitCase{100000, 100000, 18, {100000, 100000}},
                                           FitCase{kMax, kMax, 18, {kMax, kMax}},
                                           FitCase{65536, 65536, 3, {65536, 65536}},  // 2^32 wraps to 0 in 32 bits
                                           FitCase{0, 0, 0, {0, 0}},                  // no tiles: nothing to lay out
                                           FitCase{-4, 2, -1, {-4, 2}}));

TEST(WindowSizeFor, CellsTimesPitchPlusMargin) {
  EXPECT_EQ(WindowSizeFor({2, 1}), (Size{178, 97}));
  EXPECT_EQ(WindowSizeFor({3, 1}), (Size{259, 97}));
  EXPECT_EQ(WindowSizeFor({5, 1}), (Size{421, 97}));
  EXPECT_EQ(WindowSizeFor({10, 1}), (Size{826, 97}));
  EXPECT_EQ(WindowSizeFor({4, 4}), (Size{340, 340}));
  EXPECT_EQ(WindowSizeFor({6, 3}), (Size{502, 259}));
}

TEST(WindowSizeFor, DesignLengthsScaleFirstThenTheSizeFollows) {
  const struct {
    int dpi;
    Grid grid;
    Size size;
  } cases[] = {
      {96, {1, 1}, {97, 97}},    {120, {1, 1}, {121, 121}}, {144, {1, 1}, {146, 146}},  {192, {1, 1}, {194, 194}},
      {120, {2, 1}, {222, 121}}, {144, {2, 1}, {268, 146}}, {192, {2, 1}, {356, 194}},  {144, {3, 1}, {390, 146}},
      {120, {6, 3}, {626, 323}}, {144, {6, 3}, {756, 390}}, {192, {6, 3}, {1004, 518}}, {144, {4, 4}, {512, 512}},
      {120, {3, 1}, {323, 121}}, {192, {3, 1}, {518, 194}}, {120, {4, 4}, {424, 424}},  {192, {4, 4}, {680, 680}},
      {0, {2, 1}, {178, 97}},  // DPI not known: the design's
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WindowSizeFor(c.grid, TileLayoutFor(c.dpi)), c.size)
        << c.dpi << " dpi, " << c.grid.columns << "x" << c.grid.rows;
  }
  const TileLayout at144 = TileLayoutFor(144);
  EXPECT_EQ(at144.pie, 98);
  EXPECT_EQ(at144.volumeLabelWidth, 77);
  EXPECT_EQ(TilePlacesAt(1, 0, at144).volume, (Point{24 + 122 + 21, 24}));
  EXPECT_EQ(TilePlacesAt(0, 1, at144).free, (Point{24, 24 + 122 + 72}));
  EXPECT_EQ(ImagePlacesFor(268, 146, at144).close, (Point{268 - 12 - 4, 4}));
  EXPECT_EQ(ImagePlacesFor(268, 146, at144).refresh, (Point{4, 146 - 4 - 15}));
  EXPECT_EQ(ScaleToDpi(-3, 144), -5) << "half away from zero, as MulDiv";
}

TEST(ScalePattern, ReplicatesPixelsWithoutNewColours) {
  const PixelPattern glyph{"ab", "c."};
  struct Case {
    int dpi;
    PixelPattern want;
  };
  const Case cases[] = {
      {96, glyph},
      {0, glyph},
      {192, {"aabb", "aabb", "cc..", "cc.."}},
      {144, {"aab", "aab", "cc."}},
      {288, {"aaabbb", "aaabbb", "aaabbb", "ccc...", "ccc...", "ccc..."}},
  };
  for (const Case& c : cases) EXPECT_EQ(ScalePattern(glyph, c.dpi), c.want) << c.dpi;
  // 120 dpi: a 4-pixel edge becomes 5, one design pixel doubled and none lost.
  EXPECT_EQ(ScalePattern({"abcd"}, 120), (PixelPattern{"aabcd"}));
  EXPECT_EQ(ScalePattern({"abcd", "efgh", "ijkl", "mnop"}, 120).size(), 5u);
}

TEST(WindowSizeFor, AbsurdGridsStayInRange) {
  EXPECT_EQ(WindowSizeFor({100000, 100000}), (Size{kMaxWindowSide, kMaxWindowSide}));
  EXPECT_EQ(WindowSizeFor({404, 405}), (Size{32740, kMaxWindowSide}));
  EXPECT_EQ(WindowSizeFor({-3, kMin}), (Size{16, 16}));
}

TEST(TilePlacesAt, ControlsOfATile) {
  const TilePlaces first = TilePlacesAt(0, 0);
  EXPECT_EQ(first.pie, (Point{16, 16}));
  EXPECT_EQ(first.letter, (Point{16, 16}));
  EXPECT_EQ(first.volume, (Point{30, 16}));
  EXPECT_EQ(first.total, (Point{16, 32}));
  EXPECT_EQ(first.used, (Point{16, 48}));
  EXPECT_EQ(first.free, (Point{16, 64}));

  // Tile 7 of eight in a 4 x 2 grid.
  const Point cell = CellOfTile(7, {4, 2});
  EXPECT_EQ(cell, (Point{3, 1}));
  const TilePlaces last = TilePlacesAt(cell.x, cell.y);
  EXPECT_EQ(last.pie, (Point{259, 97}));
  EXPECT_EQ(last.volume, (Point{273, 97}));
  EXPECT_EQ(last.free, (Point{259, 145}));
}

TEST(CellOfTile, FillsRowsLeftToRight) {
  const Grid grid{3, 2};
  const Point cells[] = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}};
  for (int t = 0; t < 5; ++t) {
    EXPECT_EQ(CellOfTile(t, grid), cells[t]) << t;
  }
  EXPECT_EQ(CellOfTile(5, {kMax, 1}), (Point{5, 0}));
  EXPECT_EQ(CellOfTile(2, {0, 0}), (Point{0, 2}));
  EXPECT_EQ(CellOfTile(2, {-5, 1}), (Point{0, 2}));
}

TEST(ImagePlacesFor, CornersInsideTheBevel) {
  const ImagePlaces places = ImagePlacesFor(259, 97);
  EXPECT_EQ(places.close, (Point{249, 2}));
  EXPECT_EQ(places.hide, (Point{2, 2}));
  EXPECT_EQ(places.refresh, (Point{2, 85}));
}

}  // namespace
}  // namespace wolumetr
