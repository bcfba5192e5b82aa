#include <gtest/gtest.h>

#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_clipbrd.h"

namespace zyn {
namespace {

TEST(ClipboardTest, BitmapRoundTripsThroughTheClipboard) {
  Clipboard().Clear();
  EXPECT_FALSE(Clipboard().HasFormat(CF_BITMAP));
  TBitmap empty;
  EXPECT_THROW(empty.Assign(&Clipboard()), EConvertError);

  TBitmap picture(3, 2);
  picture.ScanLine(0)[0] = ColorToPixel(clRed);
  picture.ScanLine(1)[2] = ColorToPixel(clBlue);
  Clipboard().Assign(&picture);
  picture.ScanLine(0)[0] = ColorToPixel(clLime); // the clipboard holds a copy
  EXPECT_TRUE(Clipboard().HasFormat(CF_BITMAP));

  TBitmap back;
  back.Assign(&Clipboard());
  ASSERT_EQ(back.Width(), 3);
  ASSERT_EQ(back.Height(), 2);
  EXPECT_EQ(PixelToColor(back.ScanLine(0)[0]), clRed);
  EXPECT_EQ(PixelToColor(back.ScanLine(1)[2]), clBlue);
  EXPECT_EQ(PixelToColor(back.ScanLine(0)[1]), clWhite);

  TPersistent other;
  EXPECT_THROW(Clipboard().Assign(&other), EConvertError);
}

} // namespace
} // namespace zyn
