#include "app/placement.h"

#include <gtest/gtest.h>

#include "display_printers.h"

#include <limits>
#include <string>
#include <vector>

namespace wolumetr {
namespace {

constexpr Size kWindow{259, 97};
constexpr int kMostInt = std::numeric_limits<int>::max();
constexpr int kLeastInt = std::numeric_limits<int>::min();

TEST(PlaceWindow, NinePlacementsSnapToTheWorkArea) {
  // Middle: 1280/2 - 259/2 = 511, 1024/2 - 97/2 = 464; with the taskbar on top
  // 30 + 994/2 - 48 = 479; on the left 60 + 1220/2 - 129 = 541.
  const struct {
    Placement placement;
    Point onPlainScreen;  // work area (0, 0, 1280, 1024)
    Point taskbarOnTop;   // work area (0, 30, 1280, 1024)
    Point taskbarOnLeft;  // work area (60, 0, 1280, 1024)
  } cases[] = {
      {Placement::LeftTop, {0, 0}, {0, 30}, {60, 0}},
      {Placement::LeftMiddle, {0, 464}, {0, 479}, {60, 464}},
      {Placement::LeftBottom, {0, 927}, {0, 927}, {60, 927}},
      {Placement::MiddleTop, {511, 0}, {511, 30}, {541, 0}},
      {Placement::Centre, {511, 464}, {511, 479}, {541, 464}},
      {Placement::MiddleBottom, {511, 927}, {511, 927}, {541, 927}},
      {Placement::RightTop, {1021, 0}, {1021, 30}, {1021, 0}},
      {Placement::RightMiddle, {1021, 464}, {1021, 479}, {1021, 464}},
      {Placement::RightBottom, {1021, 927}, {1021, 927}, {1021, 927}},
  };
  const Point current{-7, -7};
  for (const auto& c : cases) {
    SCOPED_TRACE("placement " + std::to_string(static_cast<int>(c.placement)));
    EXPECT_EQ(PlaceWindow(c.placement, {0, 0, 1280, 1024}, kWindow, current), c.onPlainScreen);
    EXPECT_EQ(PlaceWindow(c.placement, {0, 30, 1280, 1024}, kWindow, current), c.taskbarOnTop);
    EXPECT_EQ(PlaceWindow(c.placement, {60, 0, 1280, 1024}, kWindow, current), c.taskbarOnLeft);
    // On a second monitor to the right of the primary, the window still goes to the primary's area.
    EXPECT_EQ(PlaceWindow(c.placement, {0, 0, 1280, 1024}, kWindow, Point{2000, 500}), c.onPlainScreen);
  }
}

TEST(PlaceWindow, WindowLargerThanTheWorkAreaIsNotClamped) {
  const Rect workArea{0, 0, 800, 600};
  const Size window{1001, 703};
  EXPECT_EQ(PlaceWindow(Placement::RightBottom, workArea, window, {}), (Point{-201, -103}));
  EXPECT_EQ(PlaceWindow(Placement::Centre, workArea, window, {}), (Point{-100, -51}));
  EXPECT_EQ(PlaceWindow(Placement::LeftTop, workArea, window, {}), (Point{0, 0}));
}

TEST(PlaceWindow, OddHalvesTruncateTowardZero) {
  // -3/2 is -1, not -2.
  EXPECT_EQ(PlaceWindow(Placement::Centre, {0, 0, 5, 5}, {8, 8}, {}), (Point{-2, -2}));
  EXPECT_EQ(PlaceWindow(Placement::Centre, {-1281, 0, 0, 1024}, {259, 97}, {}), (Point{-1281 + 640 - 129, 464}));
  // A negative half too: -5/2 is -2 and -3/2 is -1.
  EXPECT_EQ(PlaceWindow(Placement::Centre, {0, 0, -5, 4}, {3, -3}, {}), (Point{-2 - 1, 2 - -1}));
}

TEST(PlaceWindow, UnknownPlacementKeepsThePosition) {
  EXPECT_EQ(PlaceWindow(static_cast<Placement>(42), {0, 0, 1280, 1024}, kWindow, {12, 34}), (Point{12, 34}));
}

TEST(PlaceWindow, ExtremeRectanglesDoNotOverflow) {
  const Rect huge{kLeastInt, kLeastInt, kMostInt, kMostInt};
  EXPECT_EQ(PlaceWindow(Placement::RightBottom, huge, {0, 0}, {}), (Point{kMostInt, kMostInt}));
  EXPECT_EQ(PlaceWindow(Placement::RightBottom, {0, 0, 0, 0}, {kLeastInt, kLeastInt}, {}), (Point{kMostInt, kMostInt}));
  EXPECT_EQ(CentreOnWorkArea(huge, {kLeastInt, kLeastInt}), (Point{kMostInt / 2, kMostInt / 2}));
}

TEST(CentreOnWorkArea, StartUpPosition) {
  EXPECT_EQ(CentreOnWorkArea({0, 0, 1280, 1024}, {259, 97}), (Point{511, 464}));
  EXPECT_EQ(CentreOnWorkArea({0, 0, 1280, 1024}, {501, 286}), (Point{390, 369}));
  EXPECT_EQ(CentreOnWorkArea({100, 50, 1380, 1074}, {259, 97}), (Point{611, 514}));
}

TEST(DragMove, PressPointStaysUnderTheCursor) {
  EXPECT_EQ(DragMove({300, 200}, {20, 10}, {35, 4}), (Point{315, 194}));
  EXPECT_EQ(DragMove({300, 200}, {20, 10}, {20, 10}), (Point{300, 200}));
  // Before any press the anchor is the window's own position: it jumps.
  EXPECT_EQ(DragMove({511, 464}, {511, 464}, {5, 5}), (Point{5, 5}));
  EXPECT_EQ(DragMove({kMostInt, kLeastInt}, {kLeastInt, kMostInt}, {kMostInt, kLeastInt}),
            (Point{kMostInt, kLeastInt}));
}

TEST(IsPositionVisible, AtLeast32By32PixelsOnOneMonitor) {
  const std::vector<Rect> monitors{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
  const Size w{259, 97};
  const struct {
    Point pos;
    bool visible;
  } cases[] = {
      {{10, 10}, true},         {{2000, 500}, true},  {{-227, -65}, true},  // 32 x 32 left on screen
      {{-228, 10}, false},                                                  // 31 columns
      {{10, 1024 - 31}, false}, {{-258, -96}, false},                       // one pixel used to count as visible
      {{1280 - 20, 10}, true},                                              // across two monitors, enough on the second
      {{2560 - 31, 10}, false}, {{-259, 10}, false},  {{2560, 10}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPositionVisible(c.pos, w, monitors), c.visible) << c.pos.x << "," << c.pos.y;
  // A window smaller than 32 pixels must show whole.
  EXPECT_TRUE(IsPositionVisible({0, 0}, {20, 10}, monitors));
  EXPECT_FALSE(IsPositionVisible({-1, 0}, {20, 10}, monitors));
  EXPECT_FALSE(IsPositionVisible({10, 10}, w, {}));
  EXPECT_FALSE(IsPositionVisible({10, 10}, {0, 97}, monitors));
  EXPECT_FALSE(IsPositionVisible({kMostInt, kMostInt}, {kMostInt, kMostInt}, monitors));
  EXPECT_TRUE(IsPositionVisible({kLeastInt, kLeastInt}, {kMostInt, kMostInt}, {{-40, -40, 0, 0}}));
}

}  // namespace
}  // namespace wolumetr
