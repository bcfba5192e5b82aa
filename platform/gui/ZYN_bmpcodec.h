#pragma once
/// \file
/// The BMP (device-independent bitmap file) reader and writer.
///
/// Reads BI_RGB 1/4/8/16/24/32-bit, BI_BITFIELDS 16/32-bit, RLE4 and RLE8
/// pictures, bottom-up and top-down, with the core, info and V2 to V5 headers.
/// Writes bottom-up files with an info header at 1, 4, 8, 15, 16, 24 and 32
/// bits per pixel. Bad input raises EInvalidGraphic and never reads outside
/// the given bytes.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/gui/ZYN_graphics.h"

namespace zyn {

/// A decoded picture: rows top-down, 0xAARRGGBB pixels with alpha 0xFF.
struct TBmpImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  /// Bits per pixel of the file; 15 for 16-bit 5-5-5, 16 for any other 16-bit layout.
  std::int32_t BitCount = 0;
  std::vector<TPixel> Pixels;
};

/// Called while rows are converted: rows done so far and rows in total.
using TBmpProgress = std::function<void(std::int32_t RowsDone, std::int32_t RowsTotal)>;

/// Largest picture either direction accepts, in pixels (a guard against
/// hostile headers asking for gigabytes).
inline constexpr std::int64_t MaxBmpPixels = std::int64_t(1) << 26;

/// Decodes a whole BMP file held in memory.
TBmpImage DecodeBmp(std::span<const std::uint8_t> Data, const TBmpProgress& Progress = {});

/// Encodes Image as a BMP file of the given bits per pixel (1, 4, 8, 15, 16,
/// 24 or 32). 1 bit uses black and white, 4 bits the sixteen standard colours,
/// 8 bits the picture's own colours when there are at most 256 and a 6×6×6
/// colour cube otherwise; colours map to their nearest palette entry.
std::vector<std::uint8_t> EncodeBmp(const TSurface& Image, std::int32_t BitCount,
                                    const TBmpProgress& Progress = {});

/// The sixteen standard colours of 4-bit files, in palette order.
extern const TColor StandardPalette16[16];

} // namespace zyn
