#include "platform/gui/ZYN_blit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace zyn {

namespace {

__extension__ typedef __int128 TWide;

/// Floor division for a positive divisor.
std::int64_t FloorDiv(TWide a, TWide b) {
  TWide q = a / b;
  if (a % b != 0 && a < 0) --q;
  return static_cast<std::int64_t>(q);
}

/// One direction of a transfer: which destination pixels are written and
/// where along the source each of them looks.
struct TAxis {
  std::int64_t DestLeft = 0; ///< logical destination start
  std::int64_t DestSize = 0; ///< logical destination extent, > 0
  std::int64_t SrcLeft = 0;
  std::int64_t SrcSize = 0;  ///< > 0
  bool Flip = false;         ///< destination runs against the source
  std::int32_t SrcLimit = 0; ///< source surface extent
  std::int32_t First = 0;    ///< first destination pixel written (absolute)
  std::int32_t Count = 0;    ///< destination pixels written

  /// Position u of absolute destination pixel x along the source direction.
  std::int64_t Logical(std::int64_t x) const {
    const std::int64_t u = x - DestLeft;
    return Flip ? DestSize - 1 - u : u;
  }
  /// The source pixel under the centre of logical destination pixel u.
  std::int64_t Nearest(std::int64_t u) const {
    return SrcLeft + FloorDiv((TWide(2) * u + 1) * SrcSize, TWide(2) * DestSize);
  }
  bool SourceInside(std::int64_t x) const {
    const std::int64_t s = Nearest(Logical(x));
    return s >= 0 && s < SrcLimit;
  }
};

/// Sets up an axis from the two rectangle edges and the clip range; false
/// when nothing is written along it.
bool MakeAxis(std::int32_t d0, std::int32_t d1, std::int32_t s0, std::int32_t s1, std::int32_t srcLimit,
              std::int32_t clipLo, std::int32_t clipHi, TAxis& a) {
  if (d0 == d1 || s0 == s1 || srcLimit <= 0) return false;
  a.DestLeft = std::min(d0, d1);
  a.DestSize = std::abs(std::int64_t(d1) - d0);
  a.SrcLeft = std::min(s0, s1);
  a.SrcSize = std::abs(std::int64_t(s1) - s0);
  a.Flip = (d1 < d0) != (s1 < s0);
  a.SrcLimit = srcLimit;
  std::int64_t lo = std::max<std::int64_t>(clipLo, a.DestLeft);
  std::int64_t hi = std::min<std::int64_t>(clipHi, a.DestLeft + a.DestSize);
  // The source position is monotonic along the axis, so the pixels that see
  // the source surface form one run.
  while (lo < hi && !a.SourceInside(lo)) ++lo;
  while (hi > lo && !a.SourceInside(hi - 1)) --hi;
  a.First = static_cast<std::int32_t>(lo);
  a.Count = static_cast<std::int32_t>(hi - lo);
  return a.Count > 0;
}

struct TClipRange {
  std::int32_t Left, Top, Right, Bottom;
};

TClipRange DestClip(const TSurface& Dest, const TRect* Clip) {
  TRect r = Rect(0, 0, Dest.Width, Dest.Height);
  if (Clip != nullptr) r = IntersectRect(r, *Clip);
  return {r.Left, r.Top, r.Right, r.Bottom};
}

bool Overlaps(const TSurface& a, const TSurface& b) {
  if (a.Empty() || b.Empty()) return false;
  const TPixel* aEnd = a.Row(a.Height - 1) + a.Width;
  const TPixel* bEnd = b.Row(b.Height - 1) + b.Width;
  return a.Bits < bEnd && b.Bits < aEnd;
}

/// A private copy of the source when it shares memory with the destination.
struct TSourceCopy {
  std::vector<TPixel> Pixels;
  TSurface Surface;
  TSourceCopy(const TSurface& src, const TSurface& dest) : Surface(src) {
    if (!Overlaps(src, dest)) return;
    Pixels.resize(std::size_t(src.Width) * src.Height);
    for (std::int32_t y = 0; y < src.Height; ++y)
      std::memcpy(Pixels.data() + std::size_t(y) * src.Width, src.Row(y), std::size_t(src.Width) * 4);
    Surface = {Pixels.data(), src.Width, src.Height, src.Width};
  }
};

// ---------------------------------------------------------------------------
// Colour-on-colour

std::vector<std::int32_t> NearestTable(const TAxis& a) {
  std::vector<std::int32_t> t(static_cast<std::size_t>(a.Count));
  for (std::int32_t i = 0; i < a.Count; ++i) t[i] = static_cast<std::int32_t>(a.Nearest(a.Logical(a.First + i)));
  return t;
}

bool Consecutive(const std::vector<std::int32_t>& t) {
  return t.back() - t.front() == static_cast<std::int32_t>(t.size()) - 1 && (t.size() < 2 || t[1] > t[0]);
}

void StretchNearest(const TSurface& dest, const TSurface& src, const TAxis& ax, const TAxis& ay) {
  const std::vector<std::int32_t> xs = NearestTable(ax);
  const std::vector<std::int32_t> ys = NearestTable(ay);
  const bool straight = Consecutive(xs);
  const std::size_t n = static_cast<std::size_t>(ax.Count);
  const std::int32_t* xt = xs.data();
  for (std::int32_t j = 0; j < ay.Count; ++j) {
    TPixel* d = dest.Row(ay.First + j) + ax.First;
    if (j > 0 && ys[j] == ys[j - 1]) {
      std::memcpy(d, d - dest.Stride, n * 4); // the row above shows the same source row
      continue;
    }
    const TPixel* s = src.Row(ys[j]);
    if (straight) {
      std::memcpy(d, s + xt[0], n * 4);
    } else {
      for (std::size_t i = 0; i < n; ++i) d[i] = s[xt[i]];
    }
  }
}

// ---------------------------------------------------------------------------
// Half-tone: a separable filter with per-pixel taps. Weights are 14-bit
// fixed point summing to exactly 1 << 14.

constexpr std::int32_t WeightBits = 14;
constexpr std::int32_t WeightOne = 1 << WeightBits;

struct TFilter {
  std::int32_t Taps = 0;             ///< taps per destination pixel (padded with zero weights)
  std::vector<std::int32_t> Index;   ///< source pixel of each tap
  std::vector<std::int32_t> Weight;  ///< weight of each tap
};

/// One destination pixel's contributions before normalising: source pixel
/// and share (any positive unit).
using TShares = std::vector<std::pair<std::int32_t, std::int64_t>>;

TShares BoxShares(const TAxis& a, std::int64_t u) {
  // Destination pixel u covers [u·sw, (u+1)·sw) and source pixel k covers
  // [k·dw, (k+1)·dw), both measured in 1/dw of a source pixel.
  const TWide lo = TWide(u) * a.SrcSize;
  const TWide hi = lo + a.SrcSize;
  // Only source pixels inside the surface contribute.
  const std::int64_t k0 = std::max(FloorDiv(lo, a.DestSize), -a.SrcLeft);
  const std::int64_t k1 = std::min(FloorDiv(hi - 1, a.DestSize), a.SrcLimit - 1 - a.SrcLeft);
  TShares shares;
  for (std::int64_t k = k0; k <= k1; ++k) {
    const std::int64_t s = a.SrcLeft + k;
    const TWide overlap = std::min(TWide(k + 1) * a.DestSize, hi) - std::max(TWide(k) * a.DestSize, lo);
    if (overlap > 0) shares.emplace_back(static_cast<std::int32_t>(s), static_cast<std::int64_t>(overlap));
  }
  return shares;
}

TShares BilinearShares(const TAxis& a, std::int64_t u) {
  // Centre of u in source pixels from the source start, minus half a pixel,
  // in 1/WeightOne steps.
  const std::int64_t c = FloorDiv((TWide(2) * u + 1) * a.SrcSize * WeightOne - TWide(a.DestSize) * WeightOne,
                                  TWide(2) * a.DestSize);
  const std::int64_t i = a.SrcLeft + FloorDiv(c, WeightOne);
  const std::int64_t f = c - FloorDiv(c, WeightOne) * WeightOne;
  const auto clampIndex = [&](std::int64_t s) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(s, 0, a.SrcLimit - 1)); };
  TShares shares{{clampIndex(i), WeightOne - f}};
  if (f > 0) shares.emplace_back(clampIndex(i + 1), f);
  return shares;
}

TFilter MakeFilter(const TAxis& a) {
  const bool enlarging = a.DestSize > a.SrcSize;
  std::vector<TShares> all(static_cast<std::size_t>(a.Count));
  std::size_t taps = 1;
  for (std::int32_t i = 0; i < a.Count; ++i) {
    const std::int64_t u = a.Logical(a.First + i);
    all[i] = enlarging ? BilinearShares(a, u) : BoxShares(a, u);
    taps = std::max(taps, all[i].size());
  }
  TFilter f;
  f.Taps = static_cast<std::int32_t>(taps);
  f.Index.resize(all.size() * taps);
  f.Weight.assign(all.size() * taps, 0);
  for (std::size_t i = 0; i < all.size(); ++i) {
    std::int64_t total = 0;
    for (const auto& sh : all[i]) total += sh.second;
    // Cumulative rounding makes the weights sum to exactly WeightOne.
    std::int64_t sum = 0;
    std::int32_t given = 0;
    for (std::size_t k = 0; k < taps; ++k) {
      f.Index[i * taps + k] = all[i].empty() ? 0 : all[i][std::min(k, all[i].size() - 1)].first;
      if (k >= all[i].size()) continue;
      sum += all[i][k].second;
      const auto upTo = static_cast<std::int32_t>(static_cast<TWide>(sum) * WeightOne / total);
      f.Weight[i * taps + k] = upTo - given;
      given = upTo;
    }
  }
  return f;
}

/// Spreads a pixel's B and R (lo) or G and A (hi) into 32-bit lanes.
inline std::uint64_t LanesBR(TPixel p) { return (p & 0xFFu) | (std::uint64_t(p & 0xFF0000u) << 16); }
inline std::uint64_t LanesGA(TPixel p) { return ((p >> 8) & 0xFFu) | (std::uint64_t(p & 0xFF000000u) << 8); }

/// Filters one source row horizontally into 16-bit channels (value · 256),
/// four per destination pixel in the order B, G, R, A.
template <int Taps>
void FilterRow(const TPixel* s, const TFilter& f, std::int32_t n, std::uint16_t* out) {
  const std::int32_t taps = Taps > 0 ? Taps : f.Taps;
  const std::int32_t* idx = f.Index.data();
  const std::int32_t* wt = f.Weight.data();
  for (std::int32_t i = 0; i < n; ++i, idx += taps, wt += taps) {
    std::uint64_t br = 0, ga = 0;
    for (std::int32_t k = 0; k < taps; ++k) {
      const TPixel p = s[idx[k]];
      br += LanesBR(p) * static_cast<std::uint32_t>(wt[k]);
      ga += LanesGA(p) * static_cast<std::uint32_t>(wt[k]);
    }
    constexpr int Down = WeightBits - 8;
    constexpr std::uint64_t Half = 1u << (Down - 1);
    out[4 * i] = static_cast<std::uint16_t>(((br & 0xFFFFFFFFu) + Half) >> Down);
    out[4 * i + 1] = static_cast<std::uint16_t>(((ga & 0xFFFFFFFFu) + Half) >> Down);
    out[4 * i + 2] = static_cast<std::uint16_t>(((br >> 32) + Half) >> Down);
    out[4 * i + 3] = static_cast<std::uint16_t>(((ga >> 32) + Half) >> Down);
  }
}

/// A pixel's channels B, G, R, A in the 16-bit lanes of one word.
inline std::uint64_t Lanes16(TPixel p) {
  return (p & 0xFFu) | (std::uint64_t(p & 0xFF00u) << 8) | (std::uint64_t(p & 0xFF0000u) << 16) |
         (std::uint64_t(p & 0xFF000000u) << 24);
}

/// The common one- and two-tap case with 8-bit weights: one multiply per tap
/// filters all four channels, whose lanes are already value · 256.
void FilterRowTwoTaps(const TPixel* s, const TFilter& f, std::int32_t n, std::uint16_t* out) {
  const std::int32_t taps = f.Taps;
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int32_t* idx = f.Index.data() + std::size_t(i) * taps;
    const std::int32_t* wt = f.Weight.data() + std::size_t(i) * taps;
    const std::uint32_t w0 = static_cast<std::uint32_t>(wt[0] + 32) >> 6;
    std::uint64_t h = Lanes16(s[idx[0]]) * w0;
    if (taps == 2) h += Lanes16(s[idx[1]]) * (256 - w0);
    std::memcpy(out + 4 * std::size_t(i), &h, sizeof h);
  }
}

void FilterRowAnyTaps(const TPixel* s, const TFilter& f, std::int32_t n, std::uint16_t* out) {
  switch (f.Taps) {
  case 1:
  case 2: FilterRowTwoTaps(s, f, n, out); break;
  case 3: FilterRow<3>(s, f, n, out); break;
  case 4: FilterRow<4>(s, f, n, out); break;
  default: FilterRow<0>(s, f, n, out); break;
  }
}

/// Horizontally filtered source rows, kept while neighbouring destination
/// rows still need them.
class TRowCache {
public:
  TRowCache(const TSurface& src, const TFilter& fx, std::int32_t n, std::size_t slots)
      : FSrc(src), FFilter(fx), FWidth(n), FRows(slots, -1), FData(slots * std::size_t(n) * 4) {}

  const std::uint16_t* Get(std::int32_t row) {
    for (std::size_t i = 0; i < FRows.size(); ++i)
      if (FRows[i] == row) return Slot(i);
    const std::size_t i = FNext;
    FNext = (FNext + 1) % FRows.size();
    FRows[i] = row;
    FilterRowAnyTaps(FSrc.Row(row), FFilter, FWidth, Slot(i));
    return Slot(i);
  }

private:
  std::uint16_t* Slot(std::size_t i) { return FData.data() + i * std::size_t(FWidth) * 4; }
  const TSurface& FSrc;
  const TFilter& FFilter;
  std::int32_t FWidth;
  std::vector<std::int32_t> FRows;
  std::vector<std::uint16_t> FData;
  std::size_t FNext = 0;
};

inline std::uint8_t Channel8(std::uint32_t acc) {
  constexpr int Down = WeightBits + 8;
  return static_cast<std::uint8_t>((acc + (1u << (Down - 1))) >> Down);
}

/// Channels run B, G, R, A like the bytes of a pixel in memory, so the blend
/// writes bytes straight into the destination row (a loop compilers vectorise).
void BlendTwoRows(const std::uint16_t* a, std::uint32_t wa, const std::uint16_t* b, std::uint32_t wb, std::size_t n,
                  TPixel* d) {
  auto* out = reinterpret_cast<std::uint8_t*>(d);
  for (std::size_t j = 0; j < 4 * n; ++j) out[j] = Channel8(a[j] * wa + b[j] * wb);
}

void BlendRows(TRowCache& cache, const TFilter& fy, std::int32_t j, std::vector<std::uint32_t>& acc, TPixel* d) {
  const std::size_t n = acc.size() / 4;
  const std::int32_t* idx = fy.Index.data() + std::size_t(j) * fy.Taps;
  const std::int32_t* wt = fy.Weight.data() + std::size_t(j) * fy.Taps;
  if (fy.Taps == 1 || wt[1] == 0) {
    const std::uint16_t* a = cache.Get(idx[0]);
    BlendTwoRows(a, WeightOne, a, 0, n, d);
    return;
  }
  if (fy.Taps == 2) {
    const std::uint16_t* a = cache.Get(idx[0]);
    const std::uint16_t* b = cache.Get(idx[1]);
    BlendTwoRows(a, static_cast<std::uint32_t>(wt[0]), b, static_cast<std::uint32_t>(wt[1]), n, d);
    return;
  }
  std::fill(acc.begin(), acc.end(), 0u);
  for (std::int32_t k = 0; k < fy.Taps; ++k) {
    if (wt[k] == 0) continue;
    const std::uint16_t* h = cache.Get(idx[k]);
    const auto w = static_cast<std::uint32_t>(wt[k]);
    for (std::size_t i = 0; i < acc.size(); ++i) acc[i] += h[i] * w;
  }
  auto* out = reinterpret_cast<std::uint8_t*>(d);
  for (std::size_t j = 0; j < 4 * n; ++j) out[j] = Channel8(acc[j]);
}

void StretchHalftone(const TSurface& dest, const TSurface& src, const TAxis& ax, const TAxis& ay) {
  const TFilter fx = MakeFilter(ax);
  const TFilter fy = MakeFilter(ay);
  TRowCache cache(src, fx, ax.Count, static_cast<std::size_t>(fy.Taps) + 1);
  std::vector<std::uint32_t> acc(std::size_t(ax.Count) * 4);
  for (std::int32_t j = 0; j < ay.Count; ++j) BlendRows(cache, fy, j, acc, dest.Row(ay.First + j) + ax.First);
}

} // namespace

void StretchBlt(const TSurface& Dest, const TRect& DestRect, const TSurface& Src, const TRect& SrcRect,
                std::int32_t Mode, const TRect* Clip) {
  if (Dest.Empty() || Src.Empty()) return;
  const TClipRange c = DestClip(Dest, Clip);
  TAxis ax, ay;
  if (!MakeAxis(DestRect.Left, DestRect.Right, SrcRect.Left, SrcRect.Right, Src.Width, c.Left, c.Right, ax) ||
      !MakeAxis(DestRect.Top, DestRect.Bottom, SrcRect.Top, SrcRect.Bottom, Src.Height, c.Top, c.Bottom, ay))
    return;
  const TSourceCopy source(Src, Dest);
  const bool sameSize = ax.DestSize == ax.SrcSize && ay.DestSize == ay.SrcSize;
  if (Mode == StretchModeHalftone && !sameSize)
    StretchHalftone(Dest, source.Surface, ax, ay);
  else
    StretchNearest(Dest, source.Surface, ax, ay);
}

void BitBlt(const TSurface& Dest, std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height,
            const TSurface& Src, std::int32_t XSrc, std::int32_t YSrc, const TRect* Clip) {
  if (Width <= 0 || Height <= 0 || Dest.Empty() || Src.Empty()) return;
  // Clip the destination block to the destination, the clip and the source.
  const TClipRange c = DestClip(Dest, Clip);
  const std::int64_t x0 = std::max<std::int64_t>({X, c.Left, std::int64_t(X) - XSrc});
  const std::int64_t y0 = std::max<std::int64_t>({Y, c.Top, std::int64_t(Y) - YSrc});
  const std::int64_t x1 = std::min<std::int64_t>({std::int64_t(X) + Width, c.Right, std::int64_t(X) - XSrc + Src.Width});
  const std::int64_t y1 = std::min<std::int64_t>({std::int64_t(Y) + Height, c.Bottom, std::int64_t(Y) - YSrc + Src.Height});
  if (x1 <= x0 || y1 <= y0) return;
  const auto n = static_cast<std::size_t>(x1 - x0);
  const std::int64_t dx = std::int64_t(XSrc) - X, dy = std::int64_t(YSrc) - Y;
  // Rows go bottom-up when the source lies above within the same memory, and
  // memmove takes care of overlap within a row.
  const bool upward = Overlaps(Dest, Src) && Src.Row(static_cast<std::int32_t>(y0 + dy)) < Dest.Row(static_cast<std::int32_t>(y0));
  for (std::int64_t k = 0; k < y1 - y0; ++k) {
    const std::int64_t y = upward ? y1 - 1 - k : y0 + k;
    std::memmove(Dest.Row(static_cast<std::int32_t>(y)) + x0, Src.Row(static_cast<std::int32_t>(y + dy)) + (x0 + dx),
                 n * 4);
  }
}

void Draw(const TSurface& Dest, std::int32_t X, std::int32_t Y, const TSurface& Src, const TRect* Clip) {
  BitBlt(Dest, X, Y, Src.Width, Src.Height, Src, 0, 0, Clip);
}

} // namespace zyn
