#include "platform/gui/ZYN_shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zyn::detail {

namespace {

__extension__ typedef __int128 Int128;

std::int32_t Saturate(std::int64_t V) noexcept { return static_cast<std::int32_t>(std::clamp<std::int64_t>(V, INT32_MIN, INT32_MAX)); }

/// R grown by Before to the left and top and by After to the right and bottom.
TRect Inflate(const TRect& R, std::int32_t Before, std::int32_t After) noexcept {
  return {Saturate(std::int64_t(R.Left) - Before), Saturate(std::int64_t(R.Top) - Before),
          Saturate(std::int64_t(R.Right) + After), Saturate(std::int64_t(R.Bottom) + After)};
}

/// Paints Outer without Inner, row by row.
void FillRing(const TPainter& Ink, const TRect& Outer, const TRect& Inner) noexcept {
  const TRect rows = IntersectRect(Outer, Ink.Clip);
  for (std::int32_t y = rows.Top; y < rows.Bottom; ++y) {
    if (Inner.IsEmpty() || y < Inner.Top || y >= Inner.Bottom) {
      Ink.Span(Outer.Left, Outer.Right, y);
    } else {
      Ink.Span(Outer.Left, Inner.Left, y);
      Ink.Span(Inner.Right, Outer.Right, y);
    }
  }
}

/// Width of the pen outside and inside a 1-pixel outline: a wide pen is centred on it.
std::int32_t OuterHalf(std::int32_t Width) noexcept { return (Width - 1) / 2; }

} // namespace

void DrawRectangle(const TRect& R, const TOutline* Pen, const TPainter* Fill) noexcept {
  if (R.IsEmpty()) return;
  if (!Pen) {
    if (Fill) Fill->Fill({R.Left, R.Top, R.Right - 1, R.Bottom - 1});
    return;
  }
  const bool thin = std::int64_t(R.Right) - R.Left <= 2 || std::int64_t(R.Bottom) - R.Top <= 2;
  if (Pen->Width > 1 || !Pen->Dash || thin) {
    const std::int32_t w = Pen->Width;
    const TRect outer = Inflate(R, OuterHalf(w), w / 2);
    const TRect inner = Inflate(outer, -w, -w);
    FillRing(*Pen->Ink, outer, inner);
    if (Fill && !inner.IsEmpty()) Fill->Fill(inner);
    return;
  }
  const TPoint corners[4] = {{R.Left, R.Top}, {R.Right - 1, R.Top}, {R.Right - 1, R.Bottom - 1}, {R.Left, R.Bottom - 1}};
  std::int32_t phase = 0;
  DrawPolyline(corners, true, *Pen, phase);
  if (Fill) Fill->Fill({R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
}

bool EllipseRow(const TRect& R, std::int64_t Y, std::int64_t& Lo, std::int64_t& Hi) noexcept {
  if (R.IsEmpty() || Y < R.Top || Y >= R.Bottom) return false;
  // In doubled coordinates around the centre: X = 2x + 1 − (l + r), Yc likewise;
  // inside when X²·h² + Yc²·w² <= w²·h².
  const std::int64_t w = std::int64_t(R.Right) - R.Left, h = std::int64_t(R.Bottom) - R.Top;
  const std::int64_t s = std::int64_t(R.Left) + R.Right - 1;
  const std::int64_t yc = 2 * Y + 1 - (std::int64_t(R.Top) + R.Bottom);
  const long double q = static_cast<long double>(h) * h - static_cast<long double>(yc) * yc;
  if (q < 0) return false;
  std::int64_t x = static_cast<std::int64_t>(std::floor(static_cast<long double>(w) * std::sqrt(q) / h));
  constexpr std::int64_t kExact = std::int64_t(1) << 28; // w²·h² stays within 128 bits
  if (w < kExact && h < kExact) {
    const Int128 limit = Int128(w) * w * (Int128(h) * h - Int128(yc) * yc);
    while (Int128(x + 1) * (x + 1) * h * h <= limit) ++x;
    while (x > 0 && Int128(x) * x * h * h > limit) --x;
  }
  if (((x ^ s) & 1) != 0) --x; // X has the parity of l + r + 1
  if (x < 0) return false;
  Lo = (s - x) / 2;
  Hi = (s + x) / 2;
  return true;
}

namespace {

/// The span of row Y that is inside the ellipse with both vertical
/// neighbours and both horizontal neighbours inside as well.
bool EllipseCore(const TRect& R, std::int64_t Y, std::int64_t Lo, std::int64_t Hi, std::int64_t& CoreLo,
                 std::int64_t& CoreHi) noexcept {
  std::int64_t ul, uh, dl, dh;
  if (!EllipseRow(R, Y - 1, ul, uh) || !EllipseRow(R, Y + 1, dl, dh)) return false;
  CoreLo = std::max({Lo + 1, ul, dl});
  CoreHi = std::min({Hi - 1, uh, dh});
  return CoreLo <= CoreHi;
}

void EllipseRowWithCore(const TPainter* Ink, const TPainter* Fill, std::int64_t Y, std::int64_t Lo,
                        std::int64_t Hi, bool HasCore, std::int64_t CoreLo, std::int64_t CoreHi) noexcept {
  if (!HasCore) {
    if (Ink) Ink->Span(Lo, Hi + 1, Y);
    return;
  }
  if (Ink) {
    Ink->Span(Lo, CoreLo, Y);
    Ink->Span(CoreHi + 1, Hi + 1, Y);
  }
  if (Fill) Fill->Span(CoreLo, CoreHi + 1, Y);
}

} // namespace

void DrawEllipse(const TRect& R, const TOutline* Pen, const TPainter* Fill) noexcept {
  const TPainter* ink = Pen ? Pen->Ink : nullptr;
  const std::int32_t width = Pen ? Pen->Width : 1;
  const TRect outer = width > 1 ? Inflate(R, OuterHalf(width), width / 2) : R;
  const TRect inner = Inflate(outer, -width, -width);
  if (!ink && !Fill) return;
  const TRect& clip = ink ? ink->Clip : Fill->Clip;
  const std::int64_t top = std::max(outer.Top, clip.Top), bottom = std::min(outer.Bottom, clip.Bottom);
  for (std::int64_t y = top; y < bottom; ++y) {
    std::int64_t lo, hi, cLo = 0, cHi = -1;
    if (!EllipseRow(outer, y, lo, hi)) continue;
    if (!ink) {
      if (Fill) Fill->Span(lo, hi + 1, y);
      continue;
    }
    const bool core = width > 1 ? EllipseRow(inner, y, cLo, cHi) : EllipseCore(outer, y, lo, hi, cLo, cHi);
    EllipseRowWithCore(ink, Fill, y, lo, hi, core, cLo, cHi);
  }
}

void FillPolygon(std::span<const TPoint> Points, const TPainter& Fill) noexcept {
  if (Points.size() < 3) return;
  std::int64_t top = Points[0].Y, bottom = Points[0].Y;
  for (const TPoint& p : Points) top = std::min<std::int64_t>(top, p.Y), bottom = std::max<std::int64_t>(bottom, p.Y);
  top = std::max<std::int64_t>(top, Fill.Clip.Top);
  bottom = std::min<std::int64_t>(bottom, Fill.Clip.Bottom);
  std::vector<std::int64_t> crossings;
  for (std::int64_t y = top; y < bottom; ++y) {
    crossings.clear();
    for (std::size_t i = 0; i < Points.size(); ++i) {
      TPoint a = Points[i], b = Points[(i + 1) % Points.size()];
      if (a.Y == b.Y) continue;
      if (a.Y > b.Y) std::swap(a, b);
      if (y < a.Y || y >= b.Y) continue;
      // First pixel at or right of the crossing: ceil(a.X + (y − a.Y)·(b.X − a.X) / (b.Y − a.Y)).
      const Int128 den = std::int64_t(b.Y) - a.Y;
      const Int128 num = Int128(a.X) * den + Int128(y - a.Y) * (std::int64_t(b.X) - a.X);
      Int128 q = num / den;
      if (num % den != 0 && num > 0) ++q;
      crossings.push_back(static_cast<std::int64_t>(std::clamp<Int128>(q, INT64_MIN / 2, INT64_MAX / 2)));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) Fill.Span(crossings[k], crossings[k + 1], y);
  }
}

} // namespace zyn::detail
