#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "platform/gui/ZYN_fontengine.h"

namespace zyn::test {
namespace {

TEST(CanvasFont, SizeIsInPointsAt96DpiAndStylesRoundTrip) {
  TFont f;
  EXPECT_EQ(f.Name(), "MS Sans Serif");
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Height(), -11);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  EXPECT_EQ(f.Size(), 12);
  f.SetStyle({fsBold, fsUnderline});
  EXPECT_TRUE(f.Style().Contains(fsBold));
  EXPECT_TRUE(f.Style().Contains(fsUnderline));
  EXPECT_FALSE(f.Style().Contains(fsItalic));
  EXPECT_EQ(f.LogFont().lfWeight, FW_BOLD);
}

TEST(CanvasFont, UnknownNamesFallBackToDejaVuSans) {
  TFont unknown, dejavu;
  unknown.SetName("MS Sans Serif");
  dejavu.SetName("DejaVu Sans");
  EXPECT_EQ(unknown.Instance().Family(), detail::FallbackFontFamily);
  EXPECT_EQ(dejavu.Instance().Family(), "DejaVu Sans");
  TMemoryTarget t(1, 1);
  TCanvas a(&t), b(&t);
  a.Font().SetName("No Such Face 42");
  b.Font().SetName("DejaVu Sans");
  EXPECT_EQ(a.TextExtent("Caption"), b.TextExtent("Caption"));
  TFont serif;
  serif.SetName("DejaVu Serif"); // an installed face is used as named
  EXPECT_EQ(serif.Instance().Family(), "DejaVu Serif");
}

TEST(CanvasText, ExtentsAddUpAndGrowWithTheSize) {
  TMemoryTarget t(1, 1);
  TCanvas c(&t);
  c.Font().SetSize(10);
  const TSize ab = c.TextExtent("ab");
  EXPECT_EQ(ab.cx, c.TextWidth("a") + c.TextWidth("b"));
  EXPECT_EQ(c.TextHeight("a"), c.TextHeight("Éj"));
  EXPECT_EQ(c.TextWidth(""), 0);
  EXPECT_GT(c.TextHeight(""), 0);
  // DejaVu Sans: the cell is about 1.17 em high; 10 points are 13 pixels.
  EXPECT_GE(ab.cy, 15);
  EXPECT_LE(ab.cy, 17);
  c.Font().SetSize(20);
  EXPECT_GT(c.TextWidth("ab"), ab.cx * 3 / 2);
  EXPECT_GT(c.TextHeight("ab"), ab.cy * 3 / 2);
  c.Font().SetStyle({fsBold});
  EXPECT_GT(c.TextWidth("Wide text"), 0);
}

TEST(CanvasText, TextOutFillsTheCellWithTheBrushAndDrawsAntiAliasedGlyphs) {
  TMemoryTarget t(120, 40);
  TCanvas c(&t);
  c.Font().SetSize(12);
  c.Font().SetColor(clBlack);
  c.Brush().SetColor(clYellow);
  c.TextOut(10, 8, "Hog");
  const TSize e = c.TextExtent("Hog");
  const TPixelSet changed = t.PixelsNot(clWhite);
  EXPECT_EQ(BoundingBox(changed), (TBox{10, 8, 10 + e.cx - 1, 8 + e.cy - 1}));
  EXPECT_EQ(static_cast<int>(changed.size()), e.cx * e.cy);
  EXPECT_FALSE(t.PixelsOf(clBlack).empty());
  int partial = 0;
  for (auto [x, y] : changed) {
    const TColor p = t.At(x, y);
    partial += p != clBlack && p != clYellow;
  }
  EXPECT_GT(partial, 0); // anti-aliased edges
}

TEST(CanvasText, ClearBrushLeavesTheBackgroundAndInkStaysInTheCell) {
  TMemoryTarget t(120, 40);
  TCanvas c(&t);
  c.Font().SetSize(12);
  c.Font().SetColor(clRed);
  c.Brush().SetStyle(bsClear);
  c.TextOut(10, 8, "Hog");
  const TSize e = c.TextExtent("Hog");
  const TBox ink = BoundingBox(t.PixelsNot(clWhite));
  EXPECT_GE(ink.Left, 10);
  EXPECT_GE(ink.Top, 8);
  EXPECT_LT(ink.Right, 10 + e.cx);
  EXPECT_LT(ink.Bottom, 8 + e.cy);
  EXPECT_GT(ink.Bottom - ink.Top, e.cy / 2); // "H" and the descender of "g"
}

TEST(CanvasText, UnderlineAndStrikeOutRunAlongTheWholeText) {
  TMemoryTarget plain(100, 30), underlined(100, 30), struck(100, 30);
  for (auto [target, style] : {std::pair{&plain, TFontStyles{}}, {&underlined, TFontStyles{fsUnderline}},
                               {&struck, TFontStyles{fsStrikeOut}}}) {
    TCanvas c(target);
    c.Brush().SetStyle(bsClear);
    c.Font().SetSize(12);
    c.Font().SetStyle(style);
    c.TextOut(5, 5, "a  a");
  }
  TCanvas measure(&plain);
  measure.Font().SetSize(12);
  const int width = measure.TextWidth("a  a");
  auto fullRows = [&](const TMemoryTarget& t) {
    int rows = 0;
    for (int y = 0; y < 30; ++y) {
      int black = 0;
      for (int x = 5; x < 5 + width; ++x) black += t.At(x, y) == clBlack;
      rows += black == width;
    }
    return rows;
  };
  EXPECT_EQ(fullRows(plain), 0);
  EXPECT_GE(fullRows(underlined), 1);
  EXPECT_GE(fullRows(struck), 1);
}

TEST(CanvasText, RotatedTextRunsAlongItsEscapementFromTheCellsTopLeftCorner) {
  struct {
    std::int32_t Escapement;
    // The expected cell as an inclusive box in terms of the text's width w and height h at (60, 60).
    int L, T, R, B;            // offsets: multiples of (w, h) given below
  } const cases[] = {
      {900, 0, -1, 1, 0},   // reads upwards: x 60 .. 60 + h, y 60 − w .. 60
      {1800, -1, -1, 0, 0}, // upside down: x 60 − w .. 60, y 60 − h .. 60
      {2700, -1, 0, 0, 1},  // reads downwards: x 60 − h .. 60, y 60 .. 60 + w
  };
  for (const auto& k : cases) {
    TMemoryTarget t(140, 140);
    TCanvas c(&t);
    c.Font().SetSize(12);
    c.Brush().SetColor(clYellow);
    TLogFont lf;
    ASSERT_TRUE(GetObject(c.Font(), lf));
    lf.lfEscapement = lf.lfOrientation = k.Escapement;
    lf.lfQuality = ANTIALIASED_QUALITY;
    c.Font().SetHandle(CreateFontIndirect(lf));
    const TSize e = c.TextExtent("Test");
    const bool sideways = k.Escapement != 1800;
    const int across = sideways ? e.cy : e.cx, along = sideways ? e.cx : e.cy;
    c.TextOut(60, 60, "Test");
    const TBox box = BoundingBox(t.PixelsNot(clWhite));
    const TBox expected{60 + k.L * across, 60 + k.T * along, 60 + k.R * across, 60 + k.B * along};
    EXPECT_NEAR(box.Left, expected.Left, 1) << k.Escapement;
    EXPECT_NEAR(box.Top, expected.Top, 1) << k.Escapement;
    EXPECT_NEAR(box.Right, expected.Right, 1) << k.Escapement;
    EXPECT_NEAR(box.Bottom, expected.Bottom, 1) << k.Escapement;
    EXPECT_NEAR(static_cast<double>(t.PixelsNot(clWhite).size()), double(e.cx) * e.cy, 0.03 * e.cx * e.cy);
    EXPECT_FALSE(t.PixelsOf(clBlack).empty());
  }
}

TEST(CanvasText, RotatedTextAt45DegreesRisesToTheRight) {
  TMemoryTarget t(200, 200);
  TCanvas c(&t);
  c.Font().SetSize(14);
  c.Brush().SetStyle(bsClear);
  TLogFont lf;
  GetObject(c.Font(), lf);
  lf.lfEscapement = 450;
  c.Font().SetHandle(CreateFontIndirect(lf));
  c.TextOut(40, 150, "MMMMMM");
  const TBox box = BoundingBox(t.PixelsNot(clWhite));
  const int w = c.TextWidth("MMMMMM");
  EXPECT_GT(box.Right - 40, w * 6 / 10); // w · cos 45°
  EXPECT_LT(box.Top, 150 - w * 6 / 10);  // w · sin 45°
  EXPECT_TRUE(t.GuardIntact());
}

TEST(CanvasFont, SettingNameSizeOrStyleDropsTheRotationButColourKeepsIt) {
  TFont f;
  TLogFont lf;
  GetObject(f, lf);
  lf.lfEscapement = 300;
  lf.lfOrientation = 300;
  lf.lfCharSet = DEFAULT_CHARSET;
  f.SetHandle(CreateFontIndirect(lf));
  EXPECT_EQ(f.LogFont().lfEscapement, 300);
  f.SetColor(clRed);
  EXPECT_EQ(f.LogFont().lfEscapement, 300);
  f.SetSize(f.Size()); // the same size again still gives the plain font
  EXPECT_EQ(f.LogFont().lfEscapement, 0);
  EXPECT_EQ(f.LogFont().lfOrientation, 0);
}

TEST(CanvasText, MalformedUtf8AndHugeSizesNeitherCrashNorWriteOutside) {
  TMemoryTarget t(40, 20);
  TCanvas c(&t);
  c.TextOut(2, 2, std::string("\xff\xc3(\xe2\x82", 5));
  EXPECT_FALSE(t.PixelsNot(clWhite).empty());
  c.Font().SetSize(100000);
  EXPECT_LE(c.TextHeight("x"), 2 * detail::MaxFontPixels);
  c.TextOut(-30, -30, "Big");
  c.Font().SetSize(-5);
  c.TextOut(35, 15, "small text past the edge");
  EXPECT_TRUE(t.GuardIntact());
}

TEST(CanvasText, TextRectClipsToItsRectangleAndFillsIt) {
  TMemoryTarget t(60, 30);
  TCanvas c(&t);
  c.Brush().SetColor(clAqua);
  c.TextRect({10, 5, 30, 15}, 12, 3, "Clipped caption");
  const TBox box = BoundingBox(t.PixelsNot(clWhite));
  EXPECT_EQ(box, (TBox{10, 5, 29, 14}));
  EXPECT_FALSE(t.PixelsOf(clBlack).empty());
}

} // namespace
} // namespace zyn::test
