#include <gtest/gtest.h>

#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_bmpcodec.h"
#include "imaging_fixtures.h"

namespace zyn::test {
namespace {

constexpr TColor Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255), Black = RGB(0, 0, 0);

struct TReadCase {
  const char* Name;
  TBmpLayout Layout;
  std::vector<std::uint8_t> Pixels;
  TPixelFormat Format;
  std::vector<std::vector<TColor>> Expected; // top-down
};

TBitmap Load(const std::vector<std::uint8_t>& file) {
  TBitmap b;
  TMemoryStream s;
  s.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
  s.SetPosition(0);
  b.LoadFromStream(s);
  return b;
}

std::vector<TReadCase> ReadCases() {
  const std::vector<std::uint32_t> rgbPalette{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  return {
      {"1-bit bottom-up", {40, 3, 2, 1, 0, {}, {0xFF0000, 0x0000FF}},
       {0xA0, 0, 0, 0, 0x60, 0, 0, 0}, pf1bit, {{Red, Blue, Blue}, {Blue, Red, Blue}}},
      {"4-bit top-down, short palette, index past its end is black", {40, 3, -2, 4, 0, {}, {0x000000, 0x00FF00, 0x808080}},
       {0x12, 0x00, 0, 0, 0x25, 0x10, 0, 0}, pf4bit,
       {{Green, RGB(128, 128, 128), Black}, {RGB(128, 128, 128), Black, Green}}},
      {"8-bit bottom-up", {40, 2, 2, 8, 0, {}, {0x112233, 0x445566}},
       {1, 0, 0, 0, 0, 1, 0, 0}, pf8bit,
       {{RGB(0x11, 0x22, 0x33), RGB(0x44, 0x55, 0x66)}, {RGB(0x44, 0x55, 0x66), RGB(0x11, 0x22, 0x33)}}},
      {"16-bit 5-5-5", {40, 2, 2, 16, 0, {}, {}},
       {0x1F, 0x00, 0x10, 0x42, 0x00, 0x7C, 0xE0, 0x03}, pf15bit,
       {{Red, Green}, {Blue, RGB(132, 132, 132)}}},
      {"24-bit with row padding", {40, 2, 2, 24, 0, {}, {}},
       {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0x10, 0x20, 0x30, 0, 0}, pf24bit,
       {{Red, RGB(0x30, 0x20, 0x10)}, {Blue, Green}}},
      {"32-bit ignores the fourth byte", {40, 1, 2, 32, 0, {}, {}},
       {1, 2, 3, 0, 4, 5, 6, 0x7F}, pf32bit, {{RGB(6, 5, 4)}, {RGB(3, 2, 1)}}},
      {"16-bit bit fields 5-6-5 after an info header", {40, 2, -1, 16, 3, {0xF800, 0x07E0, 0x001F}, {}},
       {0x00, 0xF8, 0xE0, 0x07}, pf16bit, {{Red, Green}}},
      {"32-bit bit fields inside a V5 header", {124, 1, 1, 32, 3, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, {}},
       {0x0A, 0x0B, 0x0C, 0x00}, pf32bit, {{RGB(0x0A, 0x0B, 0x0C)}}},
      {"RLE8 runs, absolute run, delta, clipped run", {40, 4, 3, 8, 1, {}, rgbPalette},
       {0x05, 0x01, 0x00, 0x00,                          // row 0: five reds, cut at the edge
        0x00, 0x03, 0x02, 0x03, 0x02, 0x00, 0x01, 0x01,  // row 1: absolute G B G (padded), one red
        0x00, 0x00,                                      // end of line
        0x00, 0x02, 0x02, 0x00, 0x02, 0x03, 0x00, 0x01}, // row 2: skip two, two blues, end
       pf8bit, {{Black, Black, Blue, Blue}, {Green, Blue, Green, Red}, {Red, Red, Red, Red}}},
      {"RLE4 alternating run and absolute nibbles", {40, 4, 2, 4, 2, {}, rgbPalette},
       {0x04, 0x12, 0x00, 0x00, 0x00, 0x03, 0x31, 0x20, 0x00, 0x01}, pf4bit,
       {{Blue, Red, Green, Black}, {Red, Green, Red, Green}}},
      {"core header with three-byte palette", {12, 2, 1, 8, 0, {}, {0x102030, 0x405060}},
       {1, 0, 0, 0}, pf8bit, {{RGB(0x40, 0x50, 0x60), RGB(0x10, 0x20, 0x30)}}},
  };
}

TEST(BmpReader, DecodesEachSupportedLayout) {
  for (const TReadCase& c : ReadCases()) {
    SCOPED_TRACE(c.Name);
    const TBitmap b = Load(MakeBmp(c.Layout, c.Pixels));
    EXPECT_EQ(b.PixelFormat(), c.Format);
    EXPECT_EQ(Colours(b), c.Expected);
    EXPECT_EQ(b.ScanLine(0)[0] >> 24, 0xFFu) << "pixels are opaque";
  }
}

TEST(BmpReader, RejectsBadFilesWithoutChangingTheBitmap) {
  std::vector<std::uint8_t> noMagic = MakeBmp({40, 1, 1, 24, 0, {}, {}}, {1, 2, 3, 0});
  noMagic[0] = 'X';
  std::vector<std::uint8_t> cutPalette = MakeBmp({40, 1, 1, 8, 0, {}, {}}, {});
  cutPalette.resize(14 + 40 + 100);
  const std::vector<std::uint8_t> good = MakeBmp({40, 1, 1, 24, 0, {}, {}}, {1, 2, 3, 0});
  std::vector<std::uint8_t> oddHeader = MakeBmp({40, 1, 1, 24, 0, {}, {}}, {1, 2, 3, 0});
  oddHeader[14] = 20;
  const struct {
    const char* Name;
    std::vector<std::uint8_t> File;
  } cases[] = {
      {"no BM signature", noMagic},
      {"pixel data cut short", MakeBmp({40, 2, 2, 24, 0, {}, {}}, std::vector<std::uint8_t>(10, 0))},
      {"JPEG compression", MakeBmp({40, 1, 1, 24, 4, {}, {}}, {1, 2, 3, 0})},
      {"RLE8 at 24 bits", MakeBmp({40, 1, 1, 24, 1, {}, {}}, {1, 2, 3, 0})},
      {"zero width", MakeBmp({40, 0, 1, 24, 0, {}, {}}, {1, 2, 3, 0})},
      {"absurd size", MakeBmp({40, 100000, -100000, 24, 0, {}, {}}, {1, 2, 3, 0})},
      {"most negative height", MakeBmp({40, 1, INT32_MIN, 24, 0, {}, {}}, {1, 2, 3, 0})},
      {"run-length data without end", MakeBmp({40, 4, 2, 8, 1, {}, {0, 0xFFFFFF}}, {0x02, 0x01, 0x00})},
      {"absolute run past the end", MakeBmp({40, 4, 2, 8, 1, {}, {0, 0xFFFFFF}}, {0x00, 0x09, 0x01})},
      {"colour table cut short", cutPalette},
      {"unknown header size", oddHeader},
      {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 20)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TBitmap b(3, 3);
    b.SetPixelFormat(pf8bit);
    TMemoryStream s;
    s.WriteBuffer(c.File.data(), static_cast<std::int64_t>(c.File.size()));
    s.SetPosition(0);
    try {
      b.LoadFromStream(s);
      ADD_FAILURE() << "no error";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Bitmap image is not valid", 0), 0u) << e.what();
    }
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(b.ScanLine(1)[1], ColorToPixel(clWhite));
  }
}

TEST(BmpReader, TrustsTheComputedOffsetWhenTheHeaderPointsIntoItself) {
  std::vector<std::uint8_t> file = MakeBmp({40, 1, 1, 24, 0, {}, {}}, {0x10, 0x20, 0x30, 0});
  file[10] = 0; // bfOffBits = 0
  EXPECT_EQ(Colours(Load(file)), (std::vector<std::vector<TColor>>{{RGB(0x30, 0x20, 0x10)}}));
}

} // namespace
} // namespace zyn::test
