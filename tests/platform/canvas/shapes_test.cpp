#include <gtest/gtest.h>

#include <cmath>

#include "canvas_fixture.h"

namespace zyn::test {
namespace {

TPixelSet RectPixels(int L, int T, int R, int B) {
  TPixelSet s;
  for (int y = T; y < B; ++y)
    for (int x = L; x < R; ++x) s.insert({x, y});
  return s;
}

TPixelSet Minus(TPixelSet A, const TPixelSet& B) {
  for (const auto& p : B) A.erase(p);
  return A;
}

TEST(CanvasRectangle, OutlinesWithThePenFillsWithTheBrushAndExcludesRightAndBottom) {
  for (const TRect r : {Rect(2, 2, 7, 6), Rect(7, 6, 2, 2), Rect(7, 2, 2, 6)}) {
    TMemoryTarget t(10, 10);
    TCanvas c(&t);
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clBlue);
    c.Rectangle(r);
    EXPECT_EQ(t.PixelsOf(clBlue), RectPixels(3, 3, 6, 5));
    EXPECT_EQ(t.PixelsOf(clRed), Minus(RectPixels(2, 2, 7, 6), RectPixels(3, 3, 6, 5)));
  }
}

TEST(CanvasRectangle, ClearPenFillsOnePixelLessAndClearBrushLeavesTheInside) {
  TMemoryTarget t(10, 10);
  TCanvas c(&t);
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clBlue);
  c.Rectangle(2, 2, 7, 6);
  EXPECT_EQ(t.PixelsOf(clBlue), RectPixels(2, 2, 6, 5));

  TMemoryTarget u(10, 10);
  TCanvas d(&u);
  d.Brush().SetStyle(bsClear);
  d.Rectangle(2, 2, 7, 6);
  EXPECT_EQ(u.PixelsNot(clWhite), Minus(RectPixels(2, 2, 7, 6), RectPixels(3, 3, 6, 5)));
}

TEST(CanvasRectangle, FillRectCopiesTheBrushWhateverThePenMode) {
  TMemoryTarget t(10, 10, clGray);
  TCanvas c(&t);
  c.Pen().SetMode(pmXor);
  c.Brush().SetColor(clLime);
  c.FillRect({-5, 8, 3, 20});
  EXPECT_EQ(t.PixelsOf(clLime), RectPixels(0, 8, 3, 10));
  c.Brush().SetStyle(bsClear);
  c.FillRect({0, 0, 10, 10});
  EXPECT_EQ(t.PixelsOf(clLime).size(), 6u);
  EXPECT_TRUE(t.GuardIntact());
}

TEST(CanvasEllipse, StaysInsideItsBoxTouchesEveryEdgeAndIsSymmetric) {
  for (const TRect box : {Rect(10, 10, 30, 20), Rect(3, 4, 40, 31), Rect(5, 5, 6, 6), Rect(20, 8, 23, 30)}) {
    TMemoryTarget t(45, 35);
    TCanvas c(&t);
    c.Pen().SetColor(clRed);
    c.Brush().SetColor(clBlue);
    c.Ellipse(box);
    const TPixelSet all = t.PixelsNot(clWhite);
    EXPECT_EQ(BoundingBox(all), (TBox{box.Left, box.Top, box.Right - 1, box.Bottom - 1}));
    for (auto [x, y] : all) {
      EXPECT_TRUE(all.count({box.Left + box.Right - 1 - x, y}));
      EXPECT_TRUE(all.count({x, box.Top + box.Bottom - 1 - y}));
    }
    // Every row is one run: outline, interior, outline.
    for (int y = box.Top; y < box.Bottom; ++y) {
      int runs = 0;
      for (int x = 0; x < 45; ++x) runs += t.At(x, y) != clWhite && (x == 0 || t.At(x - 1, y) == clWhite);
      EXPECT_EQ(runs, 1) << "row " << y;
    }
  }
}

TEST(CanvasEllipse, CircleOutlineIsThinAndConnectedAroundABrushInterior) {
  TMemoryTarget t(40, 40);
  TCanvas c(&t);
  c.Pen().SetColor(clRed);
  c.Brush().SetColor(clBlue);
  c.Ellipse(0, 0, 21, 21);
  // Centre (10, 10), radius 10.5 through the pixel centres of the edge pixels.
  EXPECT_EQ(t.At(10, 10), clBlue);
  EXPECT_EQ(t.At(0, 10), clRed);
  EXPECT_EQ(t.At(10, 0), clRed);
  EXPECT_EQ(t.At(20, 10), clRed);
  EXPECT_EQ(t.At(0, 0), clWhite);
  for (auto [x, y] : t.PixelsOf(clRed)) {
    const double r = std::hypot(x - 10.0, y - 10.0);
    EXPECT_GT(r, 8.5);
    EXPECT_LT(r, 10.6);
  }
  // Every interior pixel's 4-neighbours are inside the ellipse, and the outline separates it from outside.
  for (auto [x, y] : t.PixelsOf(clBlue))
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) EXPECT_NE(t.At(x + dx, y + dy), clWhite);
}

TEST(CanvasPolygon, FillsWithTheBrushAndOutlinesWithThePen) {
  TMemoryTarget t(10, 10);
  TCanvas c(&t);
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clBlue);
  c.Polygon({{1, 1}, {6, 1}, {6, 6}, {1, 6}});
  EXPECT_EQ(t.PixelsOf(clBlue), RectPixels(1, 1, 6, 6)); // right and bottom edges excluded

  TMemoryTarget u(10, 10);
  TCanvas d(&u);
  d.Pen().SetColor(clRed);
  d.Brush().SetColor(clBlue);
  d.Polygon({{1, 1}, {6, 1}, {6, 6}, {1, 6}});
  EXPECT_EQ(u.PixelsOf(clRed), Minus(RectPixels(1, 1, 7, 7), RectPixels(2, 2, 6, 6)));
  EXPECT_EQ(u.PixelsOf(clBlue), RectPixels(2, 2, 6, 6));
}

TEST(CanvasPolygon, TriangleFillFollowsItsEdgesAndSelfCrossingsAlternate) {
  TMemoryTarget t(12, 12);
  TCanvas c(&t);
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clBlue);
  c.Polygon({{0, 0}, {8, 0}, {0, 8}});
  // Row y covers x = 0 .. 7 - y (the hypotenuse x + y = 8 is excluded).
  TPixelSet expected;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8 - y; ++x) expected.insert({x, y});
  EXPECT_EQ(t.PixelsOf(clBlue), expected);

  // A pentagram: its centre is crossed twice and stays empty, its tips are filled.
  TMemoryTarget u(100, 100);
  TCanvas d(&u);
  d.Pen().SetStyle(psClear);
  d.Brush().SetColor(clBlue);
  std::vector<TPoint> star;
  for (int k = 0; k < 5; ++k) {
    const double a = (-90.0 + 144.0 * k) * M_PI / 180.0;
    star.push_back({static_cast<int>(std::lround(50 + 45 * std::cos(a))), static_cast<int>(std::lround(50 + 45 * std::sin(a)))});
  }
  d.Polygon(star);
  EXPECT_EQ(u.At(50, 50), clWhite);
  EXPECT_EQ(u.At(50, 15), clBlue);
}

TEST(CanvasPixels, ReadAndWriteInsideAndReportInvalidOutside) {
  TMemoryTarget t(4, 3);
  TCanvas c(&t);
  c.SetPixels(2, 1, clRed);
  c.SetPixels(4, 1, clRed);
  c.SetPixels(-1, 0, clRed);
  EXPECT_EQ(c.Pixels(2, 1), clRed);
  EXPECT_EQ(c.Pixels(0, 0), clWhite);
  EXPECT_EQ(c.Pixels(4, 0), CLR_INVALID);
  EXPECT_EQ(c.Pixels(0, -1), CLR_INVALID);
  EXPECT_TRUE(t.GuardIntact());
  EXPECT_EQ(t.PixelsOf(clRed).size(), 1u);
}

TEST(CanvasClip, DrawingOutsideTheSurfaceOrClipNeverWrites) {
  TMemoryTarget t(20, 20);
  TCanvas c(&t);
  c.SetClipRect({5, 5, 15, 15});
  EXPECT_EQ(c.ClipRect(), Rect(5, 5, 15, 15));
  c.Brush().SetColor(clBlue);
  c.Pen().SetWidth(5);
  c.Rectangle(-100, -100, 300, 300);
  c.Ellipse(-1000000, -5, 1000000, 30);
  c.Polygon({{-100000, 10}, {100000, -3}, {50, 100000}});
  c.MoveTo(-40, 7);
  c.LineTo(60, 9);
  c.TextOut(0, 3, "Clipped");
  EXPECT_TRUE(Minus(t.PixelsNot(clWhite), RectPixels(5, 5, 15, 15)).empty());
  EXPECT_FALSE(t.PixelsNot(clWhite).empty());
  c.ResetClipRect();
  EXPECT_EQ(c.ClipRect(), Rect(0, 0, 20, 20));
  c.Rectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  c.Ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  EXPECT_TRUE(t.GuardIntact());
}

TEST(CanvasTarget, EveryDrawingOperationReportsAChangeAndANullTargetDrawsNothing) {
  TMemoryTarget t(10, 10);
  TCanvas c(&t);
  c.MoveTo(0, 0);
  c.LineTo(5, 5);
  c.Rectangle(1, 1, 4, 4);
  c.TextOut(0, 0, "x");
  EXPECT_EQ(t.Changes, 3);
  TCanvas none(nullptr);
  none.LineTo(3, 3);
  none.TextOut(0, 0, "x");
  EXPECT_EQ(none.Pixels(0, 0), CLR_INVALID);
  EXPECT_GT(none.TextWidth("x"), 0);
}

} // namespace
} // namespace zyn::test
