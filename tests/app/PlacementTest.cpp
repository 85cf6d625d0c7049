// SPDX-License-Identifier: GPL-3.0-or-later
// Where a placed window goes inside the screen's work area.
#include "SystemFacilities.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FitRow {
    const char* name;
    QRect frame;
    QRect area;
    QPoint expected;
};

class FitInside : public ::testing::TestWithParam<FitRow> {};

TEST_P(FitInside, MovesTheFrameInOnlyWhenItWouldNotFit) {
    const FitRow& row = GetParam();
    EXPECT_EQ(Platform::ScreenPlacement::fitted(row.frame, row.area), row.expected);
}

// 1366 × 768 at scale 2 is a 683 × 384 work area; the main window's frame is larger on both sides.
INSTANTIATE_TEST_SUITE_P(
    Rows, FitInside,
    ::testing::Values(FitRow{"FitsStaysExact", {500, 303, 244, 135}, {0, 0, 1024, 768}, {500, 303}},
                      FitRow{"FillsExactly", {0, 0, 1024, 768}, {0, 0, 1024, 768}, {0, 0}},
                      FitRow{"OverTheRightAndBottom", {197, 147, 682, 511}, {0, 0, 800, 600}, {118, 89}},
                      FitRow{"AboveAndLeft", {-109, -164, 400, 300}, {0, 0, 1024, 768}, {0, 0}},
                      FitRow{"LargerThanTheScreen", {-54, -91, 800, 600}, {0, 0, 683, 384}, {0, 0}},
                      FitRow{"WiderOnlyKeepsItsHeight", {-20, 100, 900, 200}, {0, 0, 800, 600}, {0, 100}},
                      FitRow{"PanelOnTheLeftAndTop", {0, 0, 300, 200}, {40, 30, 984, 738}, {40, 30}},
                      FitRow{"SecondScreen", {1900, 50, 400, 300}, {1024, 0, 1280, 1024}, {1900, 50}},
                      FitRow{
                          "OffTheSecondScreen", {2200, 900, 400, 300}, {1024, 0, 1280, 1024}, {1904, 724}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
