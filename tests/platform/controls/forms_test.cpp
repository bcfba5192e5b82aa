#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gui/ZYN_forms.h"
#include "platform/gui/ZYN_resources.h"

namespace zyn {
namespace {

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

/// A monochrome 32 × 32 cursor file: row 0 black pixels 0..7, row 1 white,
/// row 2 inverted, all else transparent; hot spot (6, 6).
std::vector<std::uint8_t> MonochromeCursor() {
  std::vector<std::uint8_t> b;
  Put16(b, 0), Put16(b, 2), Put16(b, 1);
  b.insert(b.end(), {32, 32, 2, 0});
  Put16(b, 6), Put16(b, 6);
  Put32(b, 40 + 8 + 128 + 128), Put32(b, 22);
  Put32(b, 40), Put32(b, 32), Put32(b, 64), Put16(b, 1), Put16(b, 1);
  for (int i = 0; i < 6; ++i) Put32(b, 0);
  Put32(b, 0x000000), Put32(b, 0xFFFFFF); // palette: black, white
  // XOR rows bottom-up (row 31 first); then AND rows bottom-up.
  for (int y = 31; y >= 0; --y) Put32(b, y == 1 || y == 2 ? 0xFF : 0);
  for (int y = 31; y >= 0; --y) Put32(b, y == 0 || y == 1 ? 0xFFFFFF00 : 0xFFFFFFFF);
  return b;
}

TEST(CursorFileTest, MonochromeCursorDecodesColoursMaskAndHotSpot) {
  const std::vector<std::uint8_t> file = MonochromeCursor();
  const TCursorShape shape = DecodeCursorFile(file.data(), file.size());
  ASSERT_EQ(shape.Width, 32);
  ASSERT_EQ(shape.Height, 32);
  EXPECT_EQ(shape.HotSpot, Point(6, 6));
  EXPECT_EQ(shape.Pixels[0], 0xFF000000u);
  EXPECT_EQ(shape.Pixels[32], 0xFFFFFFFFu);
  EXPECT_EQ(shape.Pixels[8], 0u) << "outside the AND mask's hole: transparent";
  ASSERT_EQ(shape.InvertMask.size(), 32u * 32u);
  EXPECT_EQ(shape.InvertMask[64], 1);
  EXPECT_EQ(shape.Pixels[64], 0u);
  EXPECT_EQ(shape.InvertMask[0], 0);
}

TEST(CursorFileTest, MalformedFilesRaiseAndNeverReadOutside) {
  const std::vector<std::uint8_t> file = MonochromeCursor();
  for (std::size_t cut : {std::size_t{0}, std::size_t{5}, std::size_t{30}, std::size_t{100}, file.size() - 1})
    EXPECT_THROW(DecodeCursorFile(file.data(), cut), EConvertError) << "cut at " << cut;
  std::vector<std::uint8_t> icon = file;
  icon[2] = 1; // an icon, not a cursor
  EXPECT_THROW(DecodeCursorFile(icon.data(), icon.size()), EConvertError);
  std::vector<std::uint8_t> far = file;
  far[18] = 0xF0, far[21] = 0x7F; // image offset far beyond the end
  EXPECT_THROW(DecodeCursorFile(far.data(), far.size()), EConvertError);
}

TEST(CursorFileTest, CursorsLoadFromCompiledInResources) {
  static const std::vector<std::uint8_t> file = MonochromeCursor();
  RegisterResource(RT_CURSOR, "TESTCURSOR", file);
  const HCURSOR cursor = LoadCursorFromResource("testcursor");
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->HotSpot, Point(6, 6));
  EXPECT_THROW(LoadCursorFromResource("NOSUCHCURSOR"), EResNotFound);
}

TEST(ScreenTest, CursorTableHoldsStandardAndApplicationCursors) {
  TScreen screen;
  for (TCursor c : {crArrow, crCross, crHandPoint, crSizeAll, crHourGlass, crIBeam}) {
    ASSERT_NE(screen.Cursors(c), nullptr);
    EXPECT_EQ(screen.Cursors(c)->Width, 32);
  }
  EXPECT_NE(screen.Cursors(crCross), screen.Cursors(crArrow));
  EXPECT_EQ(screen.Cursors(crDefault), screen.Cursors(crArrow));
  EXPECT_EQ(screen.Cursors(1000), screen.Cursors(crArrow)) << "unknown numbers show the arrow";
  EXPECT_FALSE(screen.HasCursor(1000));

  const std::vector<std::uint8_t> file = MonochromeCursor();
  screen.SetCursors(1000, std::make_shared<TCursorShape>(DecodeCursorFile(file.data(), file.size())));
  EXPECT_TRUE(screen.HasCursor(1000));
  EXPECT_EQ(screen.Cursors(1000)->HotSpot, Point(6, 6));
  screen.SetCursors(1000, nullptr);
  EXPECT_FALSE(screen.HasCursor(1000));
  screen.SetCursors(crCross, nullptr); // standard cursors stay
  EXPECT_TRUE(screen.HasCursor(crCross));
}

} // namespace
} // namespace zyn
