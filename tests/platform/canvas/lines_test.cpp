#include <gtest/gtest.h>

#include <random>

#include "canvas_fixture.h"

namespace zyn::test {
namespace {

TPixelSet DrawLine(TPoint A, TPoint B, int W = 40, int H = 40) {
  TMemoryTarget t(W, H);
  TCanvas c(&t);
  c.MoveTo(A.X, A.Y);
  c.LineTo(B.X, B.Y);
  EXPECT_TRUE(t.GuardIntact());
  return t.PixelsOf(clBlack);
}

struct TOctantCase {
  const char* Name;
  TPoint To; // from (10, 10)
  TPixelSet Expected;
};

TEST(CanvasLine, EveryOctantFollowsTheIntegerRuleWithItsTieBreak) {
  // Each line is 4 by 2: the error term ties twice. Octants count clockwise
  // from +x with y downwards; octants 3, 5, 6 and 8 step on a tie.
  const TOctantCase cases[] = {
      {"1", {14, 12}, {{10, 10}, {11, 10}, {12, 11}, {13, 11}}},
      {"2", {12, 14}, {{10, 10}, {10, 11}, {11, 12}, {11, 13}}},
      {"3", {8, 14}, {{10, 10}, {9, 11}, {9, 12}, {8, 13}}},
      {"4", {6, 12}, {{10, 10}, {9, 10}, {8, 11}, {7, 11}}},
      {"5", {6, 8}, {{10, 10}, {9, 9}, {8, 9}, {7, 8}}},
      {"6", {8, 6}, {{10, 10}, {9, 9}, {9, 8}, {8, 7}}},
      {"7", {12, 6}, {{10, 10}, {10, 9}, {11, 8}, {11, 7}}},
      {"8", {14, 8}, {{10, 10}, {11, 9}, {12, 9}, {13, 8}}},
  };
  for (const auto& c : cases) EXPECT_EQ(DrawLine({10, 10}, c.To), c.Expected) << "octant " << c.Name;
}

TEST(CanvasLine, SetsTheStartPixelButNotTheEndPixel) {
  EXPECT_EQ(DrawLine({3, 5}, {8, 5}), (TPixelSet{{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}}));
  EXPECT_EQ(DrawLine({5, 8}, {5, 5}), (TPixelSet{{5, 8}, {5, 7}, {5, 6}}));
  EXPECT_EQ(DrawLine({1, 1}, {4, 4}), (TPixelSet{{1, 1}, {2, 2}, {3, 3}}));
  EXPECT_TRUE(DrawLine({7, 7}, {7, 7}).empty());
}

TEST(CanvasLine, ReverseLineLightsTheSamePixelsApartFromItsEnds) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, 39);
  for (int n = 0; n < 400; ++n) {
    const TPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    if (a == b) continue;
    TPixelSet forward = DrawLine(a, b), reverse = DrawLine(b, a);
    forward.insert({b.X, b.Y});
    reverse.insert({a.X, a.Y});
    ASSERT_EQ(forward, reverse) << a.X << "," << a.Y << " -> " << b.X << "," << b.Y;
  }
}

TEST(CanvasLine, ClippedLineLightsExactlyThePixelsOfTheUnclippedOne) {
  // A 20 × 20 window at (30, 30) of a 100 × 100 surface, once as a small
  // surface of its own (lines shifted) and once as a clip rectangle.
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(0, 99);
  for (int n = 0; n < 300; ++n) {
    const TPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    const TPixelSet full = DrawLine(a, b, 100, 100);
    TPixelSet expected;
    for (auto [x, y] : full)
      if (x >= 30 && x < 50 && y >= 30 && y < 50) expected.insert({x - 30, y - 30});
    ASSERT_EQ(DrawLine({a.X - 30, a.Y - 30}, {b.X - 30, b.Y - 30}, 20, 20), expected);

    TMemoryTarget t(100, 100);
    TCanvas c(&t);
    c.SetClipRect({30, 30, 50, 50});
    c.MoveTo(a.X, a.Y);
    c.LineTo(b.X, b.Y);
    TPixelSet clipped;
    for (auto [x, y] : t.PixelsOf(clBlack)) clipped.insert({x - 30, y - 30});
    ASSERT_EQ(clipped, expected);
  }
}

TEST(CanvasLine, HugeCoordinatesStayInsideTheSurfaceAndNearTheIdealLine) {
  TMemoryTarget t(50, 50);
  TCanvas c(&t);
  c.MoveTo(-2000000000, -1000000000);
  c.LineTo(2000000000, 1000000025); // y ≈ x / 2 + 12.5 near the window
  c.MoveTo(INT32_MIN, INT32_MAX);
  c.LineTo(INT32_MAX, INT32_MIN);
  EXPECT_TRUE(t.GuardIntact());
  const TPixelSet lit = t.PixelsOf(clBlack);
  EXPECT_GE(lit.size(), 50u);
  for (auto [x, y] : lit) {
    const bool nearFirst = std::abs(y - (x / 2.0 + 12.5)) <= 1.0;
    const bool nearSecond = std::abs(y + x + 1) <= 1.5; // the anti-diagonal through (0, -1) … (-1, 0)
    EXPECT_TRUE(nearFirst || nearSecond) << x << "," << y;
  }
}

TEST(CanvasLine, DottedPenDrawsItsPatternAndTheBrushFillsTheGaps) {
  TMemoryTarget t(30, 3);
  TCanvas c(&t);
  c.Pen().SetStyle(psDot);
  c.Brush().SetColor(clRed);
  c.MoveTo(0, 1);
  c.LineTo(13, 1);
  EXPECT_EQ(t.PixelsOf(clBlack), (TPixelSet{{0, 1}, {1, 1}, {2, 1}, {6, 1}, {7, 1}, {8, 1}, {12, 1}}));
  EXPECT_EQ(t.PixelsOf(clRed), (TPixelSet{{3, 1}, {4, 1}, {5, 1}, {9, 1}, {10, 1}, {11, 1}}));

  // The pattern runs on across LineTo and restarts at MoveTo; a clear brush leaves the gaps alone.
  TMemoryTarget u(30, 3);
  TCanvas d(&u);
  d.Pen().SetStyle(psDot);
  d.Brush().SetStyle(bsClear);
  d.MoveTo(0, 1);
  d.LineTo(2, 1);
  d.LineTo(7, 1);
  d.MoveTo(20, 1);
  d.LineTo(24, 1);
  EXPECT_EQ(u.PixelsOf(clBlack), (TPixelSet{{0, 1}, {1, 1}, {2, 1}, {6, 1}, {20, 1}, {21, 1}, {22, 1}}));
  EXPECT_EQ(u.PixelsNot(clWhite), u.PixelsOf(clBlack));
}

TEST(CanvasLine, DashPatternsHaveTheirPeriods) {
  struct {
    TPenStyle Style;
    std::vector<int> On; // the on-runs of one period as pairs [from, to]
  } const cases[] = {
      {psDash, {0, 17}},
      {psDashDot, {0, 8, 15, 17}},
      {psDashDotDot, {0, 8, 12, 14, 18, 20}},
  };
  for (const auto& k : cases) {
    TMemoryTarget t(60, 1);
    TCanvas c(&t);
    c.Pen().SetStyle(k.Style);
    c.Brush().SetStyle(bsClear);
    c.MoveTo(0, 0);
    c.LineTo(60, 0);
    TPixelSet expected;
    const int period = 24;
    for (int base = 0; base < 60; base += period)
      for (std::size_t i = 0; i + 1 < k.On.size(); i += 2)
        for (int x = k.On[i]; x <= k.On[i + 1]; ++x)
          if (base + x < 60) expected.insert({base + x, 0});
    EXPECT_EQ(t.PixelsOf(clBlack), expected) << int(k.Style);
  }
}

TEST(CanvasLine, WidePenDrawsARoundCappedStrokeIncludingItsEnd) {
  TMemoryTarget t(40, 30);
  TCanvas c(&t);
  c.Pen().SetWidth(3);
  c.MoveTo(10, 10);
  c.LineTo(20, 10);
  const TPixelSet lit = t.PixelsOf(clBlack);
  EXPECT_EQ(BoundingBox(lit), (TBox{9, 9, 21, 11}));
  EXPECT_EQ(lit.size(), 3u * 13u);
  EXPECT_EQ(c.PenPos(), Point(20, 10));
}

TEST(CanvasLine, ClearPenDrawsNothingButMoves) {
  TMemoryTarget t(10, 10);
  TCanvas c(&t);
  c.Pen().SetStyle(psClear);
  c.MoveTo(0, 0);
  c.LineTo(9, 9);
  c.Polyline({{0, 5}, {9, 5}});
  EXPECT_TRUE(t.PixelsNot(clWhite).empty());
  EXPECT_EQ(c.PenPos(), Point(9, 9));
}

TEST(CanvasLine, PolylineLightsEveryVertexOnceAndLeavesTheLastAndThePenPosition) {
  TMemoryTarget t(10, 10, clBlack);
  TCanvas c(&t);
  c.Pen().SetColor(clWhite);
  c.Pen().SetMode(pmXor);
  c.MoveTo(5, 5);
  c.Polyline({{1, 1}, {4, 1}, {4, 4}, {1, 4}, {1, 1}});
  // A closed square outline: twelve pixels, each toggled once.
  EXPECT_EQ(t.PixelsOf(clWhite).size(), 12u);
  EXPECT_EQ(t.PixelsOf(clWhite), (TPixelSet{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}, {4, 4}, {3, 4}, {2, 4},
                                            {1, 4}, {1, 3}, {1, 2}}));
  EXPECT_EQ(c.PenPos(), Point(5, 5));
}

} // namespace
} // namespace zyn::test
