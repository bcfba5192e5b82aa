#pragma once
// Small helpers shared by the imaging tests: hand-assembled BMP files and a
// temporary directory.

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/gui/ZYN_bitmap.h"

namespace zyn::test {

inline void Le16(std::vector<std::uint8_t>& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
inline void Le32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  Le16(b, v & 0xFFFF);
  Le16(b, v >> 16);
}

/// The headers of a BMP file; pixel bytes are written by hand in each test.
struct TBmpLayout {
  std::uint32_t HeaderSize = 40;
  std::int32_t Width = 0;
  std::int32_t Height = 0; ///< negative for top-down
  std::uint16_t BitCount = 24;
  std::uint32_t Compression = 0;
  std::vector<std::uint32_t> Masks;   ///< R, G, B (after an info header, or inside V4/V5)
  std::vector<std::uint32_t> Palette; ///< 0x00RRGGBB entries
};

inline std::vector<std::uint8_t> MakeBmp(const TBmpLayout& s, const std::vector<std::uint8_t>& pixels) {
  std::vector<std::uint8_t> info;
  if (s.HeaderSize == 12) {
    Le32(info, 12);
    Le16(info, static_cast<std::uint32_t>(s.Width));
    Le16(info, static_cast<std::uint32_t>(s.Height));
    Le16(info, 1);
    Le16(info, s.BitCount);
  } else {
    Le32(info, s.HeaderSize);
    Le32(info, static_cast<std::uint32_t>(s.Width));
    Le32(info, static_cast<std::uint32_t>(s.Height));
    Le16(info, 1);
    Le16(info, s.BitCount);
    Le32(info, s.Compression);
    Le32(info, static_cast<std::uint32_t>(pixels.size()));
    Le32(info, 2835);
    Le32(info, 2835);
    Le32(info, static_cast<std::uint32_t>(s.Palette.size()));
    Le32(info, 0);
    for (std::uint32_t m : s.Masks) Le32(info, m);
    info.resize(std::max<std::size_t>(info.size(), s.HeaderSize), 0);
  }
  for (std::uint32_t c : s.Palette) {
    info.push_back(c & 0xFF);
    info.push_back((c >> 8) & 0xFF);
    info.push_back((c >> 16) & 0xFF);
    if (s.HeaderSize != 12) info.push_back(0);
  }
  std::vector<std::uint8_t> file{'B', 'M'};
  Le32(file, static_cast<std::uint32_t>(14 + info.size() + pixels.size()));
  Le32(file, 0);
  Le32(file, static_cast<std::uint32_t>(14 + info.size()));
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

/// A directory under the system's temporary directory, removed afterwards.
class TTempDir {
public:
  TTempDir() {
    std::random_device rd;
    FPath = std::filesystem::temp_directory_path() / ("zyn_imaging_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(FPath);
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  std::string File(const std::string& name) const { return (FPath / name).string(); }

private:
  std::filesystem::path FPath;
};

/// Rows of colours (0x00RRGGBB written as TColor values via RGB) of a bitmap, top-down.
inline std::vector<std::vector<TColor>> Colours(const TBitmap& b) {
  std::vector<std::vector<TColor>> rows;
  for (std::int32_t y = 0; y < b.Height(); ++y) {
    std::vector<TColor> row;
    for (std::int32_t x = 0; x < b.Width(); ++x) row.push_back(PixelToColor(b.ScanLine(y)[x]));
    rows.push_back(row);
  }
  return rows;
}

/// Largest difference of any channel between two equally sized bitmaps.
inline int MaxChannelDifference(const TBitmap& a, const TBitmap& b) {
  int worst = 0;
  for (std::int32_t y = 0; y < a.Height(); ++y)
    for (std::int32_t x = 0; x < a.Width(); ++x)
      for (int shift : {0, 8, 16}) {
        const int d = int((a.ScanLine(y)[x] >> shift) & 0xFF) - int((b.ScanLine(y)[x] >> shift) & 0xFF);
        worst = std::max(worst, std::abs(d));
      }
  return worst;
}

} // namespace zyn::test
