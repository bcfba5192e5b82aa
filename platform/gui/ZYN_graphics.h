#pragma once
/// \file
/// Basic graphics types shared by bitmaps, canvases and controls.

#include <algorithm>
#include <cstdint>

namespace zyn {

/// A colour as 0x00BBGGRR.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clPurple = 0x800080;
/// The colour of control faces.
inline constexpr TColor clBtnFace = 0xF0F0F0;

constexpr std::uint8_t GetRValue(TColor c) noexcept { return c & 0xFF; }
constexpr std::uint8_t GetGValue(TColor c) noexcept { return (c >> 8) & 0xFF; }
constexpr std::uint8_t GetBValue(TColor c) noexcept { return (c >> 16) & 0xFF; }
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) noexcept {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

/// Pixels in memory are 32-bit 0xAARRGGBB words (bytes B, G, R, A), as in a
/// 32-bit device-independent bitmap. The alpha byte is kept at 0xFF.
using TPixel = std::uint32_t;
constexpr TPixel ColorToPixel(TColor c) noexcept {
  return 0xFF000000u | (TPixel(GetRValue(c)) << 16) | (TPixel(GetGValue(c)) << 8) | GetBValue(c);
}
constexpr TColor PixelToColor(TPixel p) noexcept {
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

/// A rectangle; Right and Bottom lie just outside it.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  constexpr std::int32_t Width() const noexcept { return Right - Left; }
  constexpr std::int32_t Height() const noexcept { return Bottom - Top; }
  constexpr bool IsEmpty() const noexcept { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const noexcept {
    return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
  }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) noexcept { return {l, t, r, b}; }
constexpr TPoint Point(std::int32_t x, std::int32_t y) noexcept { return {x, y}; }

constexpr TRect IntersectRect(const TRect& a, const TRect& b) noexcept {
  return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

/// A view of 32-bit pixel memory: Stride is counted in pixels.
struct TSurface {
  TPixel* Bits = nullptr;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::int32_t Stride = 0;
  TPixel* Row(std::int32_t y) const noexcept { return Bits + static_cast<std::ptrdiff_t>(y) * Stride; }
  bool Empty() const noexcept { return Bits == nullptr || Width <= 0 || Height <= 0; }
};

/// What a canvas draws on: a bitmap or a control's screen. The surface may
/// change between calls (a bitmap resized), so a canvas asks for it each time.
class TCanvasTarget {
public:
  virtual ~TCanvasTarget() = default;
  virtual TSurface Surface() = 0;
  /// Called after the canvas changed pixels (for presenting or dirty tracking).
  virtual void Changed() {}
};

} // namespace zyn
