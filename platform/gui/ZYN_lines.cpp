#include "platform/gui/ZYN_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zyn::detail {

namespace {

__extension__ typedef __int128 Int128;

constexpr TDashPattern MakePattern(std::initializer_list<std::int32_t> Runs) noexcept {
  TDashPattern p{0, 0};
  bool on = true;
  for (std::int32_t run : Runs) {
    for (std::int32_t i = 0; i < run; ++i, ++p.Length)
      if (on) p.OnBits |= 1u << p.Length;
    on = !on;
  }
  return p;
}

constexpr TDashPattern kDash = MakePattern({18, 6});
constexpr TDashPattern kDot = MakePattern({3, 3});
constexpr TDashPattern kDashDot = MakePattern({9, 6, 3, 6});
constexpr TDashPattern kDashDotDot = MakePattern({9, 3, 3, 3, 3, 3});

/// Smallest integer >= N / D for D > 0.
Int128 CeilDiv(Int128 N, Int128 D) noexcept {
  const Int128 q = N / D;
  return q + ((N % D != 0 && N > 0) ? 1 : 0);
}

/// Range of steps i in [Lo, Hi] of a line whose coordinate Start + Sign·f(i)
/// must lie in [ClipLo, ClipHi); as offsets f from Start.
struct TOffsetRange {
  std::int64_t Lo, Hi;
};
TOffsetRange OffsetsInside(std::int64_t Start, std::int64_t Sign, std::int64_t ClipLo, std::int64_t ClipHi) noexcept {
  if (Sign >= 0) return {ClipLo - Start, ClipHi - 1 - Start};
  return {Start - (ClipHi - 1), Start - ClipLo};
}

} // namespace

const TDashPattern* DashPatternFor(TPenStyle Style) noexcept {
  switch (Style) {
  case psDash: return &kDash;
  case psDot: return &kDot;
  case psDashDot: return &kDashDot;
  case psDashDotDot: return &kDashDotDot;
  default: return nullptr;
  }
}

std::int32_t DrawCosmeticLine(const TPainter& Ink, const TPainter* Gap, const TDashPattern* Dash, TPoint A,
                              TPoint B, std::int32_t Phase) noexcept {
  const std::int64_t dx = std::int64_t(B.X) - A.X;
  const std::int64_t dy = std::int64_t(B.Y) - A.Y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t dMaj = xMajor ? std::llabs(dx) : std::llabs(dy);
  const std::int64_t dMin = xMajor ? std::llabs(dy) : std::llabs(dx);
  const std::int32_t period = Dash ? Dash->Length : 1;
  const std::int32_t endPhase = static_cast<std::int32_t>((Phase + dMaj) % period);
  if (dMaj == 0) return endPhase;

  const std::int64_t sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const std::int64_t sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t bias = xMajor ? (dy < 0) : (dx < 0);
  const std::int64_t maj0 = xMajor ? A.X : A.Y;
  const std::int64_t min0 = xMajor ? A.Y : A.X;
  const TRect& c = Ink.Clip;
  const TOffsetRange majRange = xMajor ? OffsetsInside(maj0, sMaj, c.Left, c.Right)
                                       : OffsetsInside(maj0, sMaj, c.Top, c.Bottom);
  const TOffsetRange minRange = xMajor ? OffsetsInside(min0, sMin, c.Top, c.Bottom)
                                       : OffsetsInside(min0, sMin, c.Left, c.Right);

  // Pixel i has minor offset m(i) = floor((2·dMin·i + dMaj − 1 + bias) / (2·dMaj)),
  // which is what the stepping below produces; it gives the first and last
  // pixel inside the clip and the error term at the first one.
  Int128 iLo = std::max<std::int64_t>(0, majRange.Lo);
  Int128 iHi = std::min<std::int64_t>(dMaj - 1, majRange.Hi);
  if (dMin == 0) {
    if (minRange.Lo > 0 || minRange.Hi < 0) return endPhase;
  } else {
    const Int128 twoMaj = Int128(2) * dMaj, twoMin = Int128(2) * dMin;
    iLo = std::max(iLo, CeilDiv(twoMaj * minRange.Lo - dMaj + 1 - bias, twoMin));
    iHi = std::min(iHi, CeilDiv(twoMaj * (Int128(minRange.Hi) + 1) - dMaj + 1 - bias, twoMin) - 1);
  }
  if (iLo > iHi) return endPhase;

  const Int128 m = dMin == 0 ? 0 : (Int128(2) * dMin * iLo + dMaj - 1 + bias) / (Int128(2) * dMaj);
  std::int64_t err = static_cast<std::int64_t>(Int128(2) * dMin * (iLo + 1) - dMaj - Int128(2) * dMaj * m);
  std::int64_t major = maj0 + sMaj * static_cast<std::int64_t>(iLo);
  std::int64_t minor = min0 + sMin * static_cast<std::int64_t>(m);
  std::int32_t phase = static_cast<std::int32_t>((Phase + static_cast<std::int64_t>(iLo)) % period);
  for (std::int64_t n = static_cast<std::int64_t>(iHi - iLo); n >= 0; --n) {
    const TPainter* p = (!Dash || Dash->On(phase)) ? &Ink : Gap;
    if (p) {
      if (xMajor) p->Plot(static_cast<std::int32_t>(major), static_cast<std::int32_t>(minor));
      else p->Plot(static_cast<std::int32_t>(minor), static_cast<std::int32_t>(major));
    }
    if (err + bias > 0) {
      minor += sMin;
      err -= 2 * dMaj;
    }
    err += 2 * dMin;
    major += sMaj;
    if (++phase == period) phase = 0;
  }
  return endPhase;
}

namespace {

/// The x-interval of row Y inside a closed disk of radius R around C.
bool DiskRow(double Cx, double Cy, double R, double Y, double& Lo, double& Hi) noexcept {
  const double dy = Y - Cy;
  const double q = R * R - dy * dy;
  if (q < 0) return false;
  const double h = std::sqrt(q);
  Lo = Cx - h;
  Hi = Cx + h;
  return true;
}

/// Narrows [Lo, Hi] to the x with K·x + M >= 0.
bool HalfPlane(double K, double M, double& Lo, double& Hi) noexcept {
  if (K == 0) return M >= 0;
  const double x = -M / K;
  if (K > 0) Lo = std::max(Lo, x);
  else Hi = std::min(Hi, x);
  return Lo <= Hi;
}

} // namespace

void DrawWideLine(const TPainter& Ink, TPoint A, TPoint B, std::int32_t Width) noexcept {
  const double r = Width / 2.0;
  const double ax = A.X, ay = A.Y, bx = B.X, by = B.Y;
  const double dx = bx - ax, dy = by - ay;
  const double len = std::hypot(dx, dy);
  const std::int64_t yTop = std::max<std::int64_t>(Ink.Clip.Top, static_cast<std::int64_t>(std::floor(std::min(ay, by) - r)));
  const std::int64_t yEnd = std::min<std::int64_t>(Ink.Clip.Bottom, static_cast<std::int64_t>(std::ceil(std::max(ay, by) + r)) + 1);
  constexpr double eps = 1e-9;
  for (std::int64_t y = yTop; y < yEnd; ++y) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    double l, h;
    const double fy = static_cast<double>(y);
    if (DiskRow(ax, ay, r, fy, l, h)) lo = std::min(lo, l), hi = std::max(hi, h);
    if (DiskRow(bx, by, r, fy, l, h)) lo = std::min(lo, l), hi = std::max(hi, h);
    if (len > 0) {
      // The band between the caps: |n·(p − A)| <= r·len and 0 <= d·(p − A) <= len².
      l = -std::numeric_limits<double>::infinity(), h = -l;
      const double ry = fy - ay;
      if (HalfPlane(dx, dy * ry, l, h) && HalfPlane(-dx, len * len - dy * ry, l, h) &&
          HalfPlane(-dy, dx * ry + r * len, l, h) && HalfPlane(dy, r * len - dx * ry, l, h)) {
        lo = std::min(lo, l + ax), hi = std::max(hi, h + ax);
      }
    }
    if (lo > hi) continue;
    const double from = std::max<double>(Ink.Clip.Left, std::ceil(lo - eps));
    const double to = std::min<double>(Ink.Clip.Right, std::floor(hi + eps) + 1);
    if (from < to) Ink.Span(static_cast<std::int64_t>(from), static_cast<std::int64_t>(to), y);
  }
}

void DrawPolyline(std::span<const TPoint> Points, bool Closed, const TOutline& Pen, std::int32_t& Phase) noexcept {
  if (Points.size() < 2) return;
  auto segment = [&](TPoint a, TPoint b) {
    if (Pen.Width > 1) DrawWideLine(*Pen.Ink, a, b, Pen.Width);
    else Phase = DrawCosmeticLine(*Pen.Ink, Pen.Gap, Pen.Dash, a, b, Phase);
  };
  for (std::size_t i = 1; i < Points.size(); ++i) segment(Points[i - 1], Points[i]);
  if (Closed) segment(Points.back(), Points.front());
}

} // namespace zyn::detail
