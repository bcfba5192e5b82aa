#pragma once
/// \file
/// Raster operations and the clipped pixel writer every primitive draws through.

#include <cstdint>

#include "platform/gui/ZYN_graphics.h"
#include "platform/gui/ZYN_pen.h"

namespace zyn::detail {

/// One binary raster operation for a fixed pen colour, in the form
/// D' = (D & And) ^ Xor. Each of the 16 modes is such a pair per bit: with
/// pen bit p, the result is f(p, 0) when D is 0 and f(p, 1) when D is 1, so
/// Xor = f(p, 0) and And = f(p, 0) ^ f(p, 1). The alpha byte is kept.
struct TRasterOp {
  TPixel And = 0xFF000000u;
  TPixel Xor = 0;

  static TRasterOp For(TPenMode Mode, TColor Color) noexcept;
  static TRasterOp Copy(TColor Color) noexcept { return For(pmCopy, Color); }
  TPixel Apply(TPixel D) const noexcept { return (D & And) ^ Xor; }
};

/// Writes through a raster op into a surface, never outside Clip (which the
/// caller has already intersected with the surface).
struct TPainter {
  TSurface Surface;
  TRect Clip;
  TRasterOp Op;

  void Plot(std::int32_t X, std::int32_t Y) const noexcept {
    if (Clip.Contains({X, Y})) {
      TPixel& p = Surface.Row(Y)[X];
      p = Op.Apply(p);
    }
  }
  /// Pixels X1..X2-1 of row Y, clipped.
  void Span(std::int64_t X1, std::int64_t X2, std::int64_t Y) const noexcept {
    if (Y < Clip.Top || Y >= Clip.Bottom) return;
    const std::int64_t l = X1 > Clip.Left ? X1 : Clip.Left;
    const std::int64_t r = X2 < Clip.Right ? X2 : Clip.Right;
    TPixel* row = Surface.Row(static_cast<std::int32_t>(Y));
    for (std::int64_t x = l; x < r; ++x) row[x] = Op.Apply(row[x]);
  }
  /// Every pixel of R, clipped.
  void Fill(const TRect& R) const noexcept {
    const TRect c = IntersectRect(R, Clip);
    for (std::int32_t y = c.Top; y < c.Bottom; ++y) Span(c.Left, c.Right, y);
  }
};

} // namespace zyn::detail
