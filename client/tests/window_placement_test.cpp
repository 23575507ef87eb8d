#include "client/core/window_placement.h"

#include <gtest/gtest.h>

#include <limits>

namespace zol {
namespace {

const PlacementRect kScreen{0, 0, 1920, 1080};
const PlacementRect kWorkArea{0, 0, 1920, 1040};  // a 40-pixel taskbar at the bottom

TEST(WindowPlacementTest, AFittingRectangleIsKept) {
    PlacementRect r{100, 50, 1100, 850};
    EXPECT_EQ(RepairNormalPosition(r, kScreen, kWorkArea), r);
}

TEST(WindowPlacementTest, AnAllZeroRectangleFillsTheWorkArea) {
    EXPECT_EQ(RepairNormalPosition({0, 0, 0, 0}, kScreen, kWorkArea),
              (PlacementRect{0, 0, 1920, 1040}));
}

TEST(WindowPlacementTest, TheWholeScreenIsKeptAsItIs) {
    EXPECT_EQ(RepairNormalPosition(kScreen, kScreen, kWorkArea), kScreen);
}

TEST(WindowPlacementTest, AnOffScreenRectangleMovesToTheOriginKeepingItsSize) {
    EXPECT_EQ(RepairNormalPosition({2500, 300, 3300, 900}, kScreen, kWorkArea),
              (PlacementRect{0, 0, 800, 600}));
    EXPECT_EQ(RepairNormalPosition({-50, -20, 750, 580}, kScreen, kWorkArea),
              (PlacementRect{0, 0, 800, 600}));
}

TEST(WindowPlacementTest, TooLargeOrEmptyOrCorruptRectanglesFillTheWorkArea) {
    const PlacementRect fill{0, 0, 1920, 1040};
    EXPECT_EQ(RepairNormalPosition({10, 10, 3000, 500}, kScreen, kWorkArea), fill);
    EXPECT_EQ(RepairNormalPosition({500, 500, 400, 400}, kScreen, kWorkArea), fill);
    EXPECT_EQ(RepairNormalPosition({3000, 10, 3000, 500}, kScreen, kWorkArea), fill);
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(RepairNormalPosition({kMin, kMin, kMax, kMax}, kScreen, kWorkArea), fill);
}

TEST(WindowPlacementTest, AWorkAreaNotAtTheOriginStillGetsAWindow) {
    const PlacementRect topBarWork{0, 40, 1920, 1080};
    EXPECT_EQ(RepairNormalPosition({0, 0, 0, 0}, kScreen, topBarWork),
              (PlacementRect{0, 0, 1920, 1080}));
}

}  // namespace
}  // namespace zol
