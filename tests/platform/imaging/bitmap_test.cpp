#include <gtest/gtest.h>

#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_canvas.h"
#include "platform/gui/ZYN_png.h"
#include "platform/gui/ZYN_resources.h"
#include "imaging_fixtures.h"

namespace zyn::test {
namespace {

// A resource compiled into this program: a 2 × 1 24-bit file (red, blue).
const std::uint8_t TestBitmapFile[] = {
    'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                    // file header
    40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,      // info header
    8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,        //
    0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0};                          // pixels, padded
const TResourceRegistration TestBitmap(RT_BITMAP, "ZYNTESTBMP", TestBitmapFile);

TEST(Bitmap, NewPixelsAreWhiteAndResizingKeepsTheCommonArea) {
  TBitmap b(3, 2);
  EXPECT_EQ(b.ScanLine(1)[2], ColorToPixel(clWhite));
  b.ScanLine(0)[0] = ColorToPixel(clRed);
  b.ScanLine(1)[1] = ColorToPixel(clBlue);
  b.SetSize(2, 4);
  EXPECT_EQ(PixelToColor(b.ScanLine(0)[0]), clRed);
  EXPECT_EQ(PixelToColor(b.ScanLine(1)[1]), clBlue);
  EXPECT_EQ(PixelToColor(b.ScanLine(3)[1]), clWhite);
  b.SetWidth(-5);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Height(), 4);
  EXPECT_THROW(b.SetSize(1 << 20, 1 << 20), EInvalidGraphic);
  EXPECT_EQ(b.Height(), 4);
}

TEST(Bitmap, CanvasDrawsOnTheCurrentPixelsAfterResizing) {
  TBitmap b(2, 2);
  TCanvas* c = b.Canvas();
  EXPECT_EQ(c, b.Canvas());
  b.SetSize(6, 5);
  c->SetPixels(5, 4, clRed);
  EXPECT_EQ(PixelToColor(b.ScanLine(4)[5]), clRed);
  EXPECT_EQ(c->Pixels(5, 4), clRed);
}

TEST(Bitmap, AssignCopiesPixelsSizeAndFormatAndNullEmpties) {
  TBitmap a(2, 2);
  a.ScanLine(1)[0] = ColorToPixel(clLime);
  a.SetPixelFormat(pf15bit);
  TBitmap b;
  b.Assign(&a);
  a.ScanLine(1)[0] = ColorToPixel(clBlack);
  EXPECT_EQ(PixelToColor(b.ScanLine(1)[0]), clLime);
  EXPECT_EQ(b.PixelFormat(), pf15bit);
  EXPECT_EQ(b.Surface().Stride, 2);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, LoadsCompiledInResourcesByNameIgnoringCase) {
  TBitmap b;
  b.LoadFromResourceName("ZynTestBmp");
  EXPECT_EQ(Colours(b), (std::vector<std::vector<TColor>>{{clRed, clBlue}}));
  try {
    b.LoadFromResourceName("NOSUCH");
    FAIL() << "no error";
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource NOSUCH not found");
  }
  EXPECT_EQ(b.Width(), 2);
}

TEST(Png, RoundTripsExactlyAndRejectsGarbage) {
  const TTempDir dir;
  TBitmap b(7, 3);
  for (std::int32_t y = 0; y < 3; ++y)
    for (std::int32_t x = 0; x < 7; ++x) b.ScanLine(y)[x] = ColorToPixel(RGB(x * 30, y * 90, 255 - x * 20));
  SaveBitmapToPng(b, dir.File("a.png"));
  TBitmap back;
  LoadBitmapFromPng(back, dir.File("a.png"));
  EXPECT_EQ(Colours(back), Colours(b));
  EXPECT_EQ(back.ScanLine(2)[6] >> 24, 0xFFu);
  TBitmap keep(1, 1);
  EXPECT_THROW(LoadBitmapFromPngBytes(keep, {0x89, 'P', 'N', 'G', 1, 2, 3}), EInvalidGraphic);
  EXPECT_EQ(keep.Width(), 1);
  EXPECT_THROW(SaveBitmapToPng(TBitmap(), dir.File("b.png")), EInvalidGraphic);
}

} // namespace
} // namespace zyn::test
