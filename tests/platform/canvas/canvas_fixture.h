#pragma once
// A canvas target over plain memory with a guard band around it, so that a
// test can see any write outside the surface.

#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "platform/gui/ZYN_canvas.h"
#include "platform/gui/ZYN_graphics.h"

namespace zyn::test {

using TPixelSet = std::set<std::pair<int, int>>;

class TMemoryTarget : public TCanvasTarget {
public:
  static constexpr int kGuard = 8;
  static constexpr TPixel kSentinel = 0x12345678u;

  TMemoryTarget(int Width, int Height, TColor Fill = clWhite)
      : FWidth(Width), FHeight(Height), FStride(Width + 2 * kGuard),
        FPixels(static_cast<std::size_t>(FStride) * (Height + 2 * kGuard), kSentinel) {
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x) Ref(x, y) = ColorToPixel(Fill);
  }

  TSurface Surface() override { return {&Ref(0, 0), FWidth, FHeight, FStride}; }
  void Changed() override { ++Changes; }

  TColor At(int X, int Y) const { return PixelToColor(FPixels[Index(X, Y)]); }
  TPixel Raw(int X, int Y) const { return FPixels[Index(X, Y)]; }
  /// Every pixel of colour C.
  TPixelSet PixelsOf(TColor C) const {
    TPixelSet s;
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x)
        if (At(x, y) == C) s.insert({x, y});
    return s;
  }
  /// Every pixel that is not colour C.
  TPixelSet PixelsNot(TColor C) const {
    TPixelSet s;
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x)
        if (At(x, y) != C) s.insert({x, y});
    return s;
  }
  bool GuardIntact() const {
    for (int y = -kGuard; y < FHeight + kGuard; ++y)
      for (int x = -kGuard; x < FWidth + kGuard; ++x)
        if ((x < 0 || y < 0 || x >= FWidth || y >= FHeight) && FPixels[Index(x, y)] != kSentinel) return false;
    return true;
  }
  bool SameInside(const TMemoryTarget& Other) const {
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x)
        if (Raw(x, y) != Other.Raw(x, y)) return false;
    return true;
  }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  int Changes = 0;

private:
  std::size_t Index(int X, int Y) const {
    return static_cast<std::size_t>(Y + kGuard) * FStride + static_cast<std::size_t>(X + kGuard);
  }
  TPixel& Ref(int X, int Y) { return FPixels[Index(X, Y)]; }

  int FWidth, FHeight, FStride;
  std::vector<TPixel> FPixels;
};

/// Bounding box (inclusive) of a pixel set.
struct TBox {
  int Left, Top, Right, Bottom;
  friend bool operator==(const TBox&, const TBox&) = default;
};
inline TBox BoundingBox(const TPixelSet& S) {
  TBox b{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
  for (auto [x, y] : S) {
    b.Left = std::min(b.Left, x), b.Right = std::max(b.Right, x);
    b.Top = std::min(b.Top, y), b.Bottom = std::max(b.Bottom, y);
  }
  return b;
}

} // namespace zyn::test
