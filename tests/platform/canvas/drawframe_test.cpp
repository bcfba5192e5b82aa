#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "support/gui/ZYN_drawframe.h"

namespace zyn::test {
namespace {

constexpr TColor kOuterLight = RGB(250, 250, 250), kInnerLight = clSilver, kInnerShadow = clGray,
                 kOuterShadow = RGB(10, 10, 10), kLine = clNavy;

struct TFramed {
  TMemoryTarget Target{12, 10, clGreen};
  explicit TFramed(TFrameStyle Style) {
    TCanvas c(&Target);
    c.Brush().SetColor(clRed);
    DrawFrame(c, Style, 0, 0, 11, 9, kOuterLight, kInnerLight, kInnerShadow, kOuterShadow, kLine);
    EXPECT_EQ(c.Brush().Color(), clRed);
  }
  TColor At(int X, int Y) const { return Target.At(X, Y); }
};

TEST(DrawFrame, LoweredFrameHasShadowsTopLeftAndLightsBottomRight) {
  const TFramed f(frsLowered);
  EXPECT_EQ(f.At(5, 0), kOuterShadow);
  EXPECT_EQ(f.At(0, 5), kOuterShadow);
  EXPECT_EQ(f.At(5, 9), kOuterLight);
  EXPECT_EQ(f.At(11, 5), kOuterLight);
  EXPECT_EQ(f.At(11, 0), kOuterLight); // far corners belong to the light sides
  EXPECT_EQ(f.At(0, 9), kOuterLight);
  EXPECT_EQ(f.At(5, 1), kInnerShadow);
  EXPECT_EQ(f.At(1, 5), kInnerShadow);
  EXPECT_EQ(f.At(5, 8), kInnerLight);
  EXPECT_EQ(f.At(10, 5), kInnerLight);
  EXPECT_EQ(f.At(2, 2), clGreen);
  EXPECT_EQ(f.Target.PixelsOf(clGreen).size(), 8u * 6u);
}

TEST(DrawFrame, RaisedFrameExchangesLightAndShadow) {
  const TFramed f(frsRaised);
  EXPECT_EQ(f.At(5, 0), kOuterLight);
  EXPECT_EQ(f.At(11, 5), kOuterShadow);
  EXPECT_EQ(f.At(1, 5), kInnerLight);
  EXPECT_EQ(f.At(5, 8), kInnerShadow);
}

TEST(DrawFrame, FlatStylesUseTheLineColourAndNoneDrawsNothing) {
  const TFramed single(frsSingle);
  EXPECT_EQ(single.Target.PixelsOf(kLine).size(), 2u * 12u + 2u * 8u);
  EXPECT_EQ(single.At(1, 1), clGreen);
  const TFramed twin(frsDouble);
  EXPECT_EQ(twin.At(0, 0), kLine);
  EXPECT_EQ(twin.At(1, 1), clGreen);
  EXPECT_EQ(twin.At(2, 2), kLine);
  EXPECT_EQ(twin.At(9, 7), kLine);
  EXPECT_EQ(twin.At(3, 3), clGreen);
  for (TFrameStyle none : {frsNone, static_cast<TFrameStyle>(17)})
    EXPECT_EQ(TFramed(none).Target.PixelsOf(clGreen).size(), 120u);
}

TEST(DrawFrame, TinyAndInvertedRectanglesStayInBounds) {
  TMemoryTarget t(5, 5, clGreen);
  TCanvas c(&t);
  DrawFrame(c, frsLowered, 2, 2, 2, 2, kOuterLight, kInnerLight, kInnerShadow, kOuterShadow, kLine);
  EXPECT_EQ(t.At(2, 2), kOuterLight);
  EXPECT_EQ(t.PixelsOf(clGreen).size(), 24u);
  DrawFrame(c, frsDouble, 4, 4, 0, 0, kOuterLight, kInnerLight, kInnerShadow, kOuterShadow, kLine);
  EXPECT_EQ(t.PixelsOf(kLine).size(), 0u);
  DrawFrame(c, frsRaised, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kOuterLight, kInnerLight, kInnerShadow,
            kOuterShadow, kLine);
  EXPECT_TRUE(t.GuardIntact());
}

} // namespace
} // namespace zyn::test
