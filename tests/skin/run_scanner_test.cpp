// The shape scan on pictures held in memory: which runs each row contributes.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "skin/run_scanner.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

using ShapeRun = std::tuple<int, int, int>;  // x0, x1, y

// Rows written as text: 'k' is a key pixel, anything else a shape pixel.
std::vector<ShapeRun> Scan(const std::vector<std::string>& rows, COLORREF other = RGB(1, 2, 3)) {
  std::vector<ShapeRun> runs;
  const int height = static_cast<int>(rows.size());
  const int width = height ? static_cast<int>(rows[0].size()) : 0;
  skin::ScanShapeRuns(
      width, height, kMagenta, [&](int x, int y) { return rows[y][x] == 'k' ? kMagenta : other; },
      [&](int x0, int x1, int y) { runs.emplace_back(x0, x1, y); });
  return runs;
}

TEST(ScanShapeRuns, TakesEveryRunOfNonKeyPixelsRowByRow) {
  EXPECT_EQ(Scan({"kssks"}), (std::vector<ShapeRun>{{1, 3, 0}, {4, 5, 0}}));
  EXPECT_EQ(Scan({"sssss", "kkkkk", "skkks"}),
            (std::vector<ShapeRun>{{0, 5, 0}, {0, 1, 2}, {4, 5, 2}}));
}

TEST(ScanShapeRuns, FullAndEmptyShapes) {
  EXPECT_EQ(Scan({"sss", "sss"}), (std::vector<ShapeRun>{{0, 3, 0}, {0, 3, 1}}));
  EXPECT_TRUE(Scan({"kkk", "kkk"}).empty());
  EXPECT_TRUE(Scan({}).empty());
  EXPECT_TRUE(Scan({"", ""}).empty());
}

TEST(ScanShapeRuns, TheKeyComparisonIsExact) {
  // Red 254 with green 0 and blue 255 is not magenta: it belongs to the shape.
  EXPECT_EQ(Scan({"ss"}, RGB(254, 0, 255)), (std::vector<ShapeRun>{{0, 2, 0}}));
}

}  // namespace
