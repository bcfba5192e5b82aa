#include <gtest/gtest.h>

#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_bmpcodec.h"
#include "imaging_fixtures.h"

namespace zyn::test {
namespace {

/// A picture of the sixteen standard colours in a 4 × 4 block pattern, plus a
/// row of greys, so that every written format has something to get right.
TBitmap StandardColourPicture() {
  TBitmap b(5, 5);
  for (std::int32_t y = 0; y < 4; ++y)
    for (std::int32_t x = 0; x < 5; ++x) b.ScanLine(y)[x] = ColorToPixel(StandardPalette16[(y * 4 + x) % 16]);
  for (std::int32_t x = 0; x < 5; ++x) b.ScanLine(4)[x] = ColorToPixel(clGray);
  return b;
}

/// A picture with more than 256 colours.
TBitmap Gradient(std::int32_t w, std::int32_t h) {
  TBitmap b(w, h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) b.ScanLine(y)[x] = ColorToPixel(RGB(x * 255 / (w - 1), y * 255 / (h - 1), (x + y) % 256));
  return b;
}

TBitmap RoundTrip(const TBitmap& in, TPixelFormat format, const TTempDir& dir) {
  TBitmap copy;
  copy.Assign(&in);
  copy.SetPixelFormat(format);
  const std::string file = dir.File("picture.bmp");
  copy.SaveToFile(file);
  TBitmap out;
  out.LoadFromFile(file);
  return out;
}

TEST(BmpWriter, RoundTripsEveryWrittenFormat) {
  const TTempDir dir;
  const TBitmap colours = StandardColourPicture();
  const TBitmap gradient = Gradient(37, 23); // odd width: every row is padded
  const struct {
    TPixelFormat Format;
    const TBitmap& Picture;
    int Tolerance;
    std::uint16_t FileBits;
  } cases[] = {
      {pf4bit, colours, 0, 4},  {pf8bit, colours, 0, 8},  {pf8bit, gradient, 26, 8},
      {pf15bit, gradient, 4, 16}, {pf16bit, gradient, 4, 16}, {pf24bit, gradient, 0, 24},
      {pf32bit, gradient, 0, 32}, {pfDevice, gradient, 0, 32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Format));
    const TBitmap back = RoundTrip(c.Picture, c.Format, dir);
    ASSERT_EQ(back.Width(), c.Picture.Width());
    ASSERT_EQ(back.Height(), c.Picture.Height());
    EXPECT_LE(MaxChannelDifference(back, c.Picture), c.Tolerance);
    EXPECT_EQ(back.PixelFormat(), c.Format == pfDevice ? pf32bit : c.Format);
    TMemoryStream raw;
    raw.LoadFromFile(dir.File("picture.bmp"));
    EXPECT_EQ(raw.Bytes()[28] | (raw.Bytes()[29] << 8), c.FileBits);
  }
}

TEST(BmpWriter, OneBitMapsColoursToTheNearerOfBlackAndWhite) {
  const TTempDir dir;
  TBitmap b(9, 1);
  const TColor in[9] = {clBlack, clWhite, clNavy, clYellow, clGray, RGB(100, 100, 100), clSilver, clRed, clLime};
  const TColor out[9] = {clBlack, clWhite, clBlack, clWhite, clWhite, clBlack, clWhite, clBlack, clBlack};
  for (int x = 0; x < 9; ++x) b.ScanLine(0)[x] = ColorToPixel(in[x]);
  const TBitmap back = RoundTrip(b, pf1bit, dir);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(PixelToColor(back.ScanLine(0)[x]), out[x]) << x;
}

TEST(BmpWriter, FourBitMapsColoursToTheNearestStandardColour) {
  const TTempDir dir;
  TBitmap b(3, 1);
  b.ScanLine(0)[0] = ColorToPixel(RGB(250, 10, 5));   // near red
  b.ScanLine(0)[1] = ColorToPixel(RGB(120, 130, 125)); // near grey
  b.ScanLine(0)[2] = ColorToPixel(RGB(0, 0, 140));     // near navy
  const TBitmap back = RoundTrip(b, pf4bit, dir);
  EXPECT_EQ(Colours(back), (std::vector<std::vector<TColor>>{{clRed, clGray, clNavy}}));
}

TEST(BmpWriter, ReportsProgressFromStartToEnd) {
  TBitmap b = Gradient(10, 100);
  std::vector<std::pair<TProgressStage, int>> seen;
  b.OnProgress = [&](TPersistent* sender, TProgressStage stage, std::uint8_t percent, bool, const TRect& r,
                     const std::string&) {
    EXPECT_EQ(sender, &b);
    EXPECT_EQ(r, Rect(0, 0, 10, 100));
    seen.emplace_back(stage, percent);
  };
  TMemoryStream s;
  b.SaveToStream(s);
  ASSERT_GE(seen.size(), 4u);
  EXPECT_EQ(seen.front(), std::make_pair(psStarting, 0));
  EXPECT_EQ(seen.back(), std::make_pair(psEnding, 100));
  for (std::size_t i = 1; i + 1 < seen.size(); ++i) {
    EXPECT_EQ(seen[i].first, psRunning);
    EXPECT_GE(seen[i].second, seen[i - 1].second);
  }
  seen.clear();
  s.SetPosition(0);
  b.LoadFromStream(s);
  EXPECT_EQ(seen.back(), std::make_pair(psEnding, 100));
  EXPECT_GE(seen.size(), 4u);
}

TEST(BmpWriter, RefusesEmptyBitmapsAndMissingDirectories) {
  const TBitmap empty;
  TMemoryStream s;
  EXPECT_THROW(empty.SaveToStream(s), EInvalidGraphic);
  const TBitmap b(2, 2);
  EXPECT_THROW(b.SaveToFile("/nonexistent-dir/x.bmp"), EInOutError);
  TBitmap target;
  EXPECT_THROW(target.LoadFromFile("/nonexistent-dir/x.bmp"), EInOutError);
}

} // namespace
} // namespace zyn::test
