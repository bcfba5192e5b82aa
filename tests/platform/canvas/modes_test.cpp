#include <gtest/gtest.h>

#include <functional>

#include "canvas_fixture.h"

namespace zyn::test {
namespace {

TEST(CanvasPenMode, EachOfTheSixteenModesCombinesPenAndDestinationBits) {
  using F = std::function<std::uint32_t(std::uint32_t, std::uint32_t)>;
  const struct {
    TPenMode Mode;
    F Expected; // (pen, destination) as 0x00RRGGBB
  } cases[] = {
      {pmBlack, [](auto, auto) { return 0u; }},
      {pmWhite, [](auto, auto) { return ~0u; }},
      {pmNop, [](auto, auto d) { return d; }},
      {pmNot, [](auto, auto d) { return ~d; }},
      {pmCopy, [](auto p, auto) { return p; }},
      {pmNotCopy, [](auto p, auto) { return ~p; }},
      {pmMergePenNot, [](auto p, auto d) { return p | ~d; }},
      {pmMaskPenNot, [](auto p, auto d) { return p & ~d; }},
      {pmMergeNotPen, [](auto p, auto d) { return ~p | d; }},
      {pmMaskNotPen, [](auto p, auto d) { return ~p & d; }},
      {pmMerge, [](auto p, auto d) { return p | d; }},
      {pmNotMerge, [](auto p, auto d) { return ~(p | d); }},
      {pmMask, [](auto p, auto d) { return p & d; }},
      {pmNotMask, [](auto p, auto d) { return ~(p & d); }},
      {pmXor, [](auto p, auto d) { return p ^ d; }},
      {pmNotXor, [](auto p, auto d) { return ~(p ^ d); }},
  };
  const TColor pen = RGB(0xC3, 0x5A, 0x0F), dest = RGB(0x96, 0xF0, 0x33);
  for (const auto& k : cases) {
    TMemoryTarget t(3, 1, dest);
    TCanvas c(&t);
    c.Pen().SetColor(pen);
    c.Pen().SetMode(k.Mode);
    c.MoveTo(0, 0);
    c.LineTo(2, 0);
    const std::uint32_t expected =
        k.Expected(ColorToPixel(pen) & 0xFFFFFF, ColorToPixel(dest) & 0xFFFFFF) & 0xFFFFFF;
    EXPECT_EQ(t.Raw(1, 0), 0xFF000000u | expected) << "mode " << int(k.Mode);
    EXPECT_EQ(t.At(2, 0), dest) << "mode " << int(k.Mode);
  }
}

TEST(CanvasPenMode, XorDrawnTwiceRestoresThePicture) {
  TMemoryTarget original(60, 40);
  TCanvas paint(&original);
  paint.Brush().SetColor(RGB(20, 200, 90));
  paint.Ellipse(5, 5, 50, 30); // something to draw over
  TMemoryTarget t(60, 40);
  TCanvas c(&t);
  c.Brush().SetColor(RGB(20, 200, 90));
  c.Ellipse(5, 5, 50, 30);

  c.Pen().SetColor(clWhite);
  c.Pen().SetMode(pmXor);
  const std::function<void()> figures[] = {
      [&] { c.MoveTo(-5, 3), c.LineTo(70, 33); },
      [&] { c.Brush().SetStyle(bsClear), c.Pen().SetStyle(psDot), c.Rectangle(8, 4, 44, 37); },
      [&] { c.Brush().SetStyle(bsSolid), c.Pen().SetStyle(psSolid), c.Rectangle(44, 37, 8, 4); },
      [&] { c.Ellipse(10, 2, 58, 39); },
      [&] { c.Polygon({{3, 3}, {55, 10}, {20, 38}}); },
      [&] { c.Pen().SetWidth(4), c.MoveTo(2, 30), c.LineTo(50, 2), c.Pen().SetWidth(1); },
  };
  for (const auto& draw : figures) {
    draw();
    EXPECT_FALSE(t.SameInside(original));
    draw();
    EXPECT_TRUE(t.SameInside(original));
  }
  EXPECT_TRUE(t.GuardIntact());
}

TEST(CanvasPenMode, XorShapesToggleEachOfTheirPixelsExactlyOnce) {
  // Drawn opaque on white, a shape covers some pixels; drawn in XOR with white
  // on black, exactly those pixels must turn white (none toggled twice).
  const std::function<void(TCanvas&)> shapes[] = {
      [](TCanvas& c) { c.Rectangle(3, 4, 25, 17); },
      [](TCanvas& c) { c.Rectangle(3, 4, 5, 17); },
      [](TCanvas& c) { c.Ellipse(2, 2, 27, 18); },
      [](TCanvas& c) { c.Ellipse(5, 3, 8, 19); },
      [](TCanvas& c) { c.Pen().SetWidth(3), c.Ellipse(4, 4, 25, 16); },
      [](TCanvas& c) { c.Pen().SetWidth(4), c.Rectangle(4, 4, 25, 16); },
      [](TCanvas& c) { c.Pen().SetStyle(psDash), c.Rectangle(1, 1, 29, 19); },
  };
  for (std::size_t i = 0; i < std::size(shapes); ++i) {
    TMemoryTarget opaque(30, 20);
    TCanvas a(&opaque);
    a.Brush().SetColor(clRed);
    shapes[i](a);
    TMemoryTarget inverted(30, 20, clBlack);
    TCanvas b(&inverted);
    b.Pen().SetColor(clWhite);
    b.Pen().SetMode(pmXor);
    b.Brush().SetColor(clWhite);
    shapes[i](b);
    EXPECT_EQ(inverted.PixelsOf(clWhite), opaque.PixelsNot(clWhite)) << "shape " << i;
    EXPECT_EQ(inverted.PixelsNot(clWhite), inverted.PixelsOf(clBlack)) << "shape " << i;
  }
}

} // namespace
} // namespace zyn::test
