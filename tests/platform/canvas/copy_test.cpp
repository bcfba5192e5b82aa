#include <gtest/gtest.h>

#include "canvas_fixture.h"

namespace zyn::test {
namespace {

TEST(CanvasCopy, CopyRectCopiesPixelsAndStretchesWithTheCanvasMode) {
  TMemoryTarget source(4, 4);
  TCanvas s(&source);
  s.SetPixels(1, 1, clRed);
  s.SetPixels(2, 1, clBlue);
  TMemoryTarget dest(10, 10, clGreen);
  TCanvas d(&dest);
  d.CopyRect({5, 5, 7, 6}, s, {1, 1, 3, 2});
  EXPECT_EQ(dest.At(5, 5), clRed);
  EXPECT_EQ(dest.At(6, 5), clBlue);
  EXPECT_EQ(dest.At(7, 5), clGreen);

  d.SetStretchMode(COLORONCOLOR);
  d.CopyRect({0, 0, 4, 2}, s, {1, 1, 3, 2}); // doubled in x and y
  EXPECT_EQ(dest.PixelsOf(clRed), (TPixelSet{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {5, 5}}));
  EXPECT_EQ(dest.At(3, 1), clBlue);

  d.SetClipRect({0, 0, 2, 10});
  d.CopyRect({0, 8, 10, 10}, s, {0, 0, 4, 4});
  EXPECT_EQ(dest.At(1, 9), clWhite);
  EXPECT_EQ(dest.At(2, 9), clGreen); // outside the clip rectangle
  EXPECT_TRUE(dest.GuardIntact());
}

TEST(CanvasCopy, DrawPlacesAWholeSurfaceAndClipsAtTheEdges) {
  TMemoryTarget source(3, 2, clBlue);
  TMemoryTarget dest(4, 4, clWhite);
  TCanvas d(&dest);
  d.Draw(2, 3, source);
  EXPECT_EQ(dest.PixelsOf(clBlue), (TPixelSet{{2, 3}, {3, 3}}));
  d.Draw(-2, -1, source);
  EXPECT_EQ(dest.At(0, 0), clBlue);
  EXPECT_EQ(dest.At(1, 0), clWhite);
  EXPECT_TRUE(dest.GuardIntact());
}

} // namespace
} // namespace zyn::test
