#include <gtest/gtest.h>

#include "platform/gui/ZYN_jpeg.h"
#include "imaging_fixtures.h"

namespace zyn::test {
namespace {

TBitmap SmoothPicture(std::int32_t w, std::int32_t h) {
  TBitmap b(w, h);
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x)
      b.ScanLine(y)[x] = ColorToPixel(RGB(x * 255 / (w - 1), y * 255 / (h - 1), 128));
  return b;
}

std::vector<std::uint8_t> Encoded(const TBitmap& picture) {
  TJPEGImage jpeg;
  jpeg.Assign(&picture);
  TMemoryStream s;
  jpeg.SaveToStream(s);
  return s.Bytes();
}

TEST(JPEGImage, RoundTripsThroughAFileWithinATolerance) {
  const TTempDir dir;
  const TBitmap picture = SmoothPicture(64, 48);
  TJPEGImage jpeg;
  jpeg.Assign(&picture);
  jpeg.SaveToFile(dir.File("a.jpg"));
  TJPEGImage loaded;
  loaded.LoadFromFile(dir.File("a.jpg"));
  ASSERT_EQ(loaded.Width(), 64);
  ASSERT_EQ(loaded.Height(), 48);
  TBitmap back;
  back.Assign(&loaded);
  EXPECT_EQ(back.PixelFormat(), pf24bit);
  EXPECT_LE(MaxChannelDifference(back, picture), 12);
  EXPECT_EQ(back.ScanLine(10)[10] >> 24, 0xFFu);
}

TEST(JPEGImage, LowerQualityMakesSmallerFiles) {
  const TBitmap picture = SmoothPicture(64, 64);
  TJPEGImage jpeg;
  jpeg.Assign(&picture);
  EXPECT_EQ(jpeg.CompressionQuality(), 90);
  TMemoryStream high, low;
  jpeg.SaveToStream(high);
  jpeg.SetCompressionQuality(10);
  jpeg.SaveToStream(low);
  EXPECT_LT(low.Size(), high.Size());
}

TEST(JPEGImage, CorruptOrTruncatedFilesRaiseAndChangeNothing) {
  const std::vector<std::uint8_t> good = Encoded(SmoothPicture(32, 32));
  std::vector<std::uint8_t> badMarker = good;
  badMarker[good.size() / 2] ^= 0xFF;
  badMarker[good.size() / 2 + 1] = 0xFF; // a marker in the middle of entropy-coded data
  badMarker[good.size() / 2 + 2] = 0xD9;
  const struct {
    const char* Name;
    std::vector<std::uint8_t> Bytes;
  } cases[] = {
      {"empty", {}},
      {"not a JPEG", {'B', 'M', 1, 2, 3, 4, 5}},
      {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 40)},
      {"truncated", std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(good.size() * 2 / 3))},
      {"corrupt data", badMarker},
  };
  const TBitmap before = SmoothPicture(5, 4);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TJPEGImage jpeg;
    jpeg.Assign(&before);
    try {
      jpeg.LoadFromBytes(c.Bytes);
      ADD_FAILURE() << "no error";
    } catch (const EJPEG& e) {
      EXPECT_EQ(std::string(e.what()).rfind("JPEG image is not valid: ", 0), 0u) << e.what();
      EXPECT_GT(std::string(e.what()).size(), 25u) << "says why";
    }
    TBitmap after;
    after.Assign(&jpeg);
    ASSERT_EQ(after.Width(), 5);
    EXPECT_EQ(MaxChannelDifference(after, before), 0);
  }
}

TEST(JPEGImage, ReportsLoadingProgressAndPassesHandlerErrorsOn) {
  const std::vector<std::uint8_t> bytes = Encoded(SmoothPicture(40, 200));
  TJPEGImage jpeg;
  std::vector<std::pair<TProgressStage, int>> seen;
  jpeg.OnProgress = [&](TPersistent* sender, TProgressStage stage, std::uint8_t percent, bool, const TRect&,
                        const std::string&) {
    EXPECT_EQ(sender, &jpeg);
    seen.emplace_back(stage, percent);
  };
  jpeg.LoadFromBytes(bytes);
  ASSERT_GE(seen.size(), 5u);
  EXPECT_EQ(seen.front().first, psStarting);
  EXPECT_EQ(seen.back(), std::make_pair(psEnding, 100));
  for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i].second, seen[i - 1].second);

  // A handler that throws stops the decode; the picture stays as it was.
  TJPEGImage other;
  other.OnProgress = [](TPersistent*, TProgressStage stage, std::uint8_t percent, bool, const TRect&,
                        const std::string&) {
    if (stage == psRunning && percent >= 50) throw std::runtime_error("user abort");
  };
  EXPECT_THROW(other.LoadFromBytes(bytes), std::runtime_error);
  EXPECT_TRUE(other.Empty());
}

TEST(JPEGImage, AssignsBothWaysAndRefusesStrangers) {
  const TBitmap picture = SmoothPicture(8, 6);
  TJPEGImage a, b;
  a.Assign(&picture);
  b.Assign(&a);
  TBitmap back;
  back.Assign(&b);
  EXPECT_EQ(Colours(back), Colours(picture)); // no encoding in between
  TMemoryStream s;
  TJPEGImage empty;
  EXPECT_THROW(empty.SaveToStream(s), EJPEG);
  EXPECT_THROW(a.Assign(nullptr), EConvertError);
}

} // namespace
} // namespace zyn::test
