#include <gtest/gtest.h>

#include <climits>

#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_blit.h"
#include "imaging_fixtures.h"

namespace zyn::test {
namespace {

constexpr std::int32_t ColourOnColour = 3;
constexpr std::int32_t Halftone = StretchModeHalftone;

/// Grey levels of a one-channel picture, row by row.
TBitmap Greys(const std::vector<std::vector<int>>& rows) {
  TBitmap b(static_cast<std::int32_t>(rows[0].size()), static_cast<std::int32_t>(rows.size()));
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      const auto v = static_cast<std::uint8_t>(rows[y][x]);
      b.ScanLine(static_cast<std::int32_t>(y))[x] = ColorToPixel(RGB(v, v, v));
    }
  return b;
}

std::vector<std::vector<int>> GreyLevels(const TBitmap& b) {
  std::vector<std::vector<int>> rows;
  for (std::int32_t y = 0; y < b.Height(); ++y) {
    rows.emplace_back();
    for (std::int32_t x = 0; x < b.Width(); ++x) rows.back().push_back(b.ScanLine(y)[x] & 0xFF);
  }
  return rows;
}

/// A picture where every pixel differs: value = 16·y + x.
TBitmap Numbered(std::int32_t w, std::int32_t h) {
  TBitmap b(w, h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) b.ScanLine(y)[x] = 0xFF000000u | std::uint32_t(16 * y + x);
  return b;
}

TBitmap Stretched(const TBitmap& src, std::int32_t w, std::int32_t h, std::int32_t mode, int background = 7) {
  TBitmap dest = Greys(std::vector<std::vector<int>>(h, std::vector<int>(w, background)));
  StretchBlt(dest.Surface(), Rect(0, 0, w, h), src.ConstSurface(), Rect(0, 0, src.Width(), src.Height()), mode);
  return dest;
}

TEST(ColourOnColourStretch, TakesThePixelUnderEachCentre) {
  const TBitmap src = Greys({{10, 20, 30, 40}, {50, 60, 70, 80}, {90, 100, 110, 120}, {130, 140, 150, 160}});
  EXPECT_EQ(GreyLevels(Stretched(src, 2, 2, ColourOnColour)), (std::vector<std::vector<int>>{{60, 80}, {140, 160}}));
  EXPECT_EQ(GreyLevels(Stretched(src, 3, 1, ColourOnColour)), (std::vector<std::vector<int>>{{90, 110, 120}}));
  const TBitmap small = Greys({{1, 2}, {3, 4}});
  EXPECT_EQ(GreyLevels(Stretched(small, 5, 3, ColourOnColour)),
            (std::vector<std::vector<int>>{{1, 1, 2, 2, 2}, {3, 3, 4, 4, 4}, {3, 3, 4, 4, 4}}));
}

TEST(HalftoneStretch, AveragesTheCoveredAreaWhenShrinking) {
  const TBitmap src = Greys({{0, 100, 200, 40}, {20, 80, 0, 0}});
  EXPECT_EQ(GreyLevels(Stretched(src, 2, 1, Halftone)), (std::vector<std::vector<int>>{{50, 60}}));
  // Thirds: 4 pixels onto 3 covers 1⅓ source pixels each.
  const TBitmap row = Greys({{0, 90, 180, 255}});
  EXPECT_EQ(GreyLevels(Stretched(row, 3, 1, Halftone)), (std::vector<std::vector<int>>{{23, 135, 236}}));
}

TEST(HalftoneStretch, InterpolatesBilinearlyWhenEnlarging) {
  const TBitmap src = Greys({{0, 255}});
  const auto out = GreyLevels(Stretched(src, 4, 1, Halftone));
  const int expected[4] = {0, 64, 191, 255}; // centres at -¼, ¼, ¾, 1¼ of a source pixel
  for (int x = 0; x < 4; ++x) EXPECT_NEAR(out[0][x], expected[x], 1) << x;
  const TBitmap square = Greys({{0, 100}, {100, 200}});
  const auto grid = GreyLevels(Stretched(square, 4, 4, Halftone));
  EXPECT_NEAR(grid[1][1], 50, 1);  // (¼, ¼) of the plane 100·x + 100·y
  EXPECT_NEAR(grid[2][1], 100, 1); // (¼, ¾)
  EXPECT_NEAR(grid[3][3], 200, 1); // clamped edge
  EXPECT_EQ(grid[0][0], 0);
}

TEST(HalftoneStretch, MixedAxesShrinkOneWayAndInterpolateTheOther) {
  const TBitmap src = Greys({{0, 200}, {100, 100}});
  const auto out = GreyLevels(Stretched(src, 1, 4, Halftone));
  const int expected[4] = {100, 100, 100, 100};
  for (int y = 0; y < 4; ++y) EXPECT_NEAR(out[y][0], expected[y], 1) << y;
  const TBitmap rows = Greys({{0, 200}, {100, 0}});
  const auto out2 = GreyLevels(Stretched(rows, 1, 4, Halftone));
  EXPECT_NEAR(out2[0][0], 100, 1);
  EXPECT_NEAR(out2[3][0], 50, 1);
  EXPECT_NEAR(out2[1][0], 88, 1); // ¾·100 + ¼·50
}

TEST(Stretch, EqualSizesCopyExactlyInBothModes) {
  const TBitmap src = Numbered(7, 5);
  for (std::int32_t mode : {ColourOnColour, Halftone}) {
    const TBitmap out = Stretched(src, 7, 5, mode);
    EXPECT_EQ(Colours(out), Colours(src)) << mode;
  }
}

TEST(Stretch, ClippedResultEqualsTheUnclippedOneInsideTheClip) {
  const TBitmap src = Numbered(9, 7);
  for (std::int32_t mode : {ColourOnColour, Halftone}) {
    const TBitmap whole = Stretched(src, 20, 11, mode);
    TBitmap clipped = Greys(std::vector<std::vector<int>>(11, std::vector<int>(20, 7)));
    const TRect clip = Rect(3, 2, 15, 9);
    StretchBlt(clipped.Surface(), Rect(0, 0, 20, 11), src.ConstSurface(), Rect(0, 0, 9, 7), mode, &clip);
    for (std::int32_t y = 0; y < 11; ++y)
      for (std::int32_t x = 0; x < 20; ++x) {
        const TPixel expected = clip.Contains(Point(x, y)) ? whole.ScanLine(y)[x] : ColorToPixel(RGB(7, 7, 7));
        ASSERT_EQ(clipped.ScanLine(y)[x], expected) << mode << " at " << x << "," << y;
      }
  }
}

TEST(Stretch, LeavesPixelsWhoseSourceLiesOutsideTheSource) {
  const TBitmap src = Greys({{10, 20}, {30, 40}});
  for (std::int32_t mode : {ColourOnColour, Halftone}) {
    TBitmap dest = Greys({{7, 7, 7, 7}, {7, 7, 7, 7}, {7, 7, 7, 7}});
    // Source rectangle (-1,0)-(3,3): one column left of the picture, one row below.
    StretchBlt(dest.Surface(), Rect(0, 0, 4, 3), src.ConstSurface(), Rect(-1, 0, 3, 3), mode);
    EXPECT_EQ(GreyLevels(dest), (std::vector<std::vector<int>>{{7, 10, 20, 7}, {7, 30, 40, 7}, {7, 7, 7, 7}})) << mode;
  }
}

TEST(Stretch, OppositeOrientationsMirror) {
  const TBitmap src = Greys({{1, 2, 3}, {4, 5, 6}});
  TBitmap dest = Greys({{0, 0, 0}, {0, 0, 0}});
  StretchBlt(dest.Surface(), Rect(3, 0, 0, 2), src.ConstSurface(), Rect(0, 0, 3, 2), ColourOnColour);
  EXPECT_EQ(GreyLevels(dest), (std::vector<std::vector<int>>{{3, 2, 1}, {6, 5, 4}}));
  StretchBlt(dest.Surface(), Rect(0, 0, 3, 2), src.ConstSurface(), Rect(0, 2, 3, 0), Halftone);
  EXPECT_EQ(GreyLevels(dest), (std::vector<std::vector<int>>{{4, 5, 6}, {1, 2, 3}}));
}

TEST(Stretch, ExtremeRectanglesNeverTouchMemoryOutside) {
  const TBitmap src = Numbered(5, 5);
  const TRect rects[] = {Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), Rect(-1000000, 2, 3, 1000000),
                         Rect(INT_MAX - 1, 0, INT_MAX, 1), Rect(2, 2, 2, 4), Rect(0, 0, 1, 1)};
  for (const TRect& d : rects)
    for (const TRect& s : rects)
      for (std::int32_t mode : {ColourOnColour, Halftone}) {
        TBitmap dest(6, 4);
        StretchBlt(dest.Surface(), d, src.ConstSurface(), s, mode);
        BitBlt(dest.Surface(), d.Left, d.Top, INT_MAX, INT_MAX, src.ConstSurface(), s.Left, s.Top);
      }
  SUCCEED() << "the sanitizers watch every access";
}

TEST(BitBlt, CopiesTheOverlapOfSourceDestinationAndClip) {
  const TBitmap src = Numbered(4, 4);
  TBitmap dest = Greys(std::vector<std::vector<int>>(3, std::vector<int>(5, 7)));
  const TRect clip = Rect(0, 0, 4, 3);
  BitBlt(dest.Surface(), 1, -1, 10, 10, src.ConstSurface(), 2, 0, &clip);
  // Source columns 2..3 land at x 1..2; row -1 is cut off; x 4 is clipped.
  EXPECT_EQ(GreyLevels(dest), (std::vector<std::vector<int>>{{7, 18, 19, 7, 7}, {7, 34, 35, 7, 7}, {7, 50, 51, 7, 7}}));
}

TEST(BitBlt, ScrollsWithinOneSurfaceInEveryDirection) {
  const struct {
    std::int32_t Dx, Dy;
  } moves[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, 1}, {-1, -2}};
  for (const auto& m : moves) {
    TBitmap b = Numbered(6, 5);
    const TBitmap before = Numbered(6, 5);
    const TSurface s = b.Surface();
    BitBlt(s, m.Dx, m.Dy, 6, 5, s, 0, 0);
    for (std::int32_t y = 0; y < 5; ++y)
      for (std::int32_t x = 0; x < 6; ++x) {
        const std::int32_t sx = x - m.Dx, sy = y - m.Dy;
        const bool moved = sx >= 0 && sx < 6 && sy >= 0 && sy < 5;
        ASSERT_EQ(b.ScanLine(y)[x], moved ? before.ScanLine(sy)[sx] : before.ScanLine(y)[x])
            << m.Dx << "," << m.Dy << " at " << x << "," << y;
      }
    // Stretching within one surface reads the picture as it was before.
    TBitmap c = Numbered(6, 5);
    StretchBlt(c.Surface(), Rect(0, 0, 6, 5), c.ConstSurface(), Rect(1, 1, 4, 3), ColourOnColour);
    EXPECT_EQ(c.ScanLine(0)[0], before.ScanLine(1)[1]);
    EXPECT_EQ(c.ScanLine(4)[5], before.ScanLine(2)[3]);
  }
}

TEST(Draw, PlacesTheWholeSourceAtThePoint) {
  const TBitmap src = Greys({{1, 2}, {3, 4}});
  TBitmap dest = Greys({{0, 0, 0}, {0, 0, 0}});
  Draw(dest.Surface(), 2, 1, src.ConstSurface());
  EXPECT_EQ(GreyLevels(dest), (std::vector<std::vector<int>>{{0, 0, 0}, {0, 0, 1}}));
}

} // namespace
} // namespace zyn::test
