#include "platform/gui/ZYN_text.h"

#include <algorithm>
#include <cmath>

#include "platform/gui/ZYN_penmode.h"
#include "support/ZYN_rounding.h"

namespace zyn::detail {

std::u32string DecodeUtf8(std::string_view Text) {
  std::u32string out;
  out.reserve(Text.size());
  const auto* s = reinterpret_cast<const unsigned char*>(Text.data());
  const std::size_t n = Text.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    char32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    bool ok = extra >= 0 && i + extra < n;
    for (int k = 1; ok && k <= extra; ++k) {
      ok = (s[i + k] & 0xC0) == 0x80;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    ok = ok && cp >= kMin[extra] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    out.push_back(ok ? cp : U'\uFFFD');
    i += ok ? static_cast<std::size_t>(extra) + 1 : 1;
  }
  return out;
}

TSize MeasureText(const TFontInstance& Font, std::u32string_view Text) {
  std::int64_t width = 0;
  for (char32_t c : Text) width += Font.Advance(c);
  return {static_cast<std::int32_t>(std::min<std::int64_t>(width, INT32_MAX)), Font.Ascent() + Font.Descent()};
}

namespace {

/// Mixes Colour into D with coverage A (0..255).
inline TPixel Blend(TPixel D, TPixel Colour, std::uint32_t A) noexcept {
  if (A >= 255) return Colour;
  const std::uint32_t inv = 255 - A;
  const std::uint32_t rb = ((D & 0xFF00FFu) * inv + (Colour & 0xFF00FFu) * A + 0x800080u);
  const std::uint32_t g = ((D & 0x00FF00u) * inv + (Colour & 0x00FF00u) * A + 0x008000u);
  const std::uint32_t rb8 = ((rb + ((rb >> 8) & 0xFF00FFu)) >> 8) & 0xFF00FFu;
  const std::uint32_t g8 = ((g + ((g >> 8) & 0x00FF00u)) >> 8) & 0x00FF00u;
  return (D & 0xFF000000u) | rb8 | g8;
}

void BlitGlyph(const TSurface& S, const TRect& Clip, const TGlyphImage& G, std::int64_t X, std::int64_t Y,
               TPixel Colour) noexcept {
  const std::int64_t x0 = std::max<std::int64_t>(X, Clip.Left), x1 = std::min<std::int64_t>(X + G.Width, Clip.Right);
  const std::int64_t y0 = std::max<std::int64_t>(Y, Clip.Top), y1 = std::min<std::int64_t>(Y + G.Height, Clip.Bottom);
  for (std::int64_t y = y0; y < y1; ++y) {
    const std::uint8_t* cov = G.Coverage.data() + (y - Y) * G.Width - X;
    TPixel* row = S.Row(static_cast<std::int32_t>(y));
    for (std::int64_t x = x0; x < x1; ++x)
      if (cov[x]) row[x] = Blend(row[x], Colour, cov[x]);
  }
}

/// The text's frame on the screen: cell point (u, v), v downwards, maps to
/// Origin + u·(cos, −sin) + v·(sin, cos).
struct TTextFrame {
  double Ox, Oy, Cos, Sin;
  double X(double U, double V) const noexcept { return Ox + U * Cos + V * Sin; }
  double Y(double U, double V) const noexcept { return Oy - U * Sin + V * Cos; }
};

TTextFrame FrameFor(TPoint Origin, std::int32_t Escapement) {
  if (Escapement == 0) return {double(Origin.X), double(Origin.Y), 1, 0};
  const double a = Escapement * M_PI / 1800.0;
  return {double(Origin.X), double(Origin.Y), std::cos(a), std::sin(a)};
}

/// Paints the pixels whose centres lie in the cell rectangle U0..U1, V0..V1.
void FillCellRect(const TPainter& P, const TTextFrame& F, double U0, double V0, double U1, double V1) noexcept {
  if (F.Sin == 0 && F.Cos == 1) {
    P.Fill({Round32(F.Ox + U0), Round32(F.Oy + V0), Round32(F.Ox + U1), Round32(F.Oy + V1)});
    return;
  }
  const double ys[4] = {F.Y(U0, V0), F.Y(U1, V0), F.Y(U1, V1), F.Y(U0, V1)};
  const double top = std::max<double>(P.Clip.Top, std::floor(*std::min_element(ys, ys + 4)));
  const double bottom = std::min<double>(P.Clip.Bottom, std::ceil(*std::max_element(ys, ys + 4)));
  for (double y = top; y < bottom; ++y) {
    // Centre (x + ½, y + ½): u = dx·cos − dy·sin, v = dx·sin + dy·cos, each within its range.
    const double dy = y + 0.5 - F.Oy;
    double lo = P.Clip.Left, hi = P.Clip.Right;
    auto limit = [&](double k, double base, double from, double to) {
      // from <= k·(x + ½ − Ox) + base < to
      if (std::abs(k) < 1e-12) {
        if (base < from || base >= to) hi = lo - 1;
        return;
      }
      double a = (from - base) / k + F.Ox - 0.5, b = (to - base) / k + F.Ox - 0.5;
      if (k < 0) std::swap(a, b);
      lo = std::max(lo, std::ceil(a));
      hi = std::min(hi, std::ceil(b));
    };
    limit(F.Cos, -dy * F.Sin, U0, U1);
    limit(F.Sin, dy * F.Cos, V0, V1);
    if (lo < hi) P.Span(static_cast<std::int64_t>(lo), static_cast<std::int64_t>(hi), static_cast<std::int64_t>(y));
  }
}

} // namespace

void DrawText(const TSurface& Surface, const TRect& Clip, const TFontInstance& Font, TPoint Origin,
              std::u32string_view Text, const TTextLook& Look) {
  if (Surface.Empty() || Clip.IsEmpty() || !Font.Valid()) return;
  const std::int32_t escapement = ((Look.Escapement % 3600) + 3600) % 3600;
  const TTextFrame frame = FrameFor(Origin, escapement);
  const TSize extent = MeasureText(Font, Text);
  if (Look.Opaque) FillCellRect({Surface, Clip, TRasterOp::Copy(Look.Background)}, frame, 0, 0, extent.cx, extent.cy);

  const TPixel colour = ColorToPixel(Look.Color);
  const double ascent = Font.Ascent();
  std::int64_t pen = 0;
  for (char32_t c : Text) {
    const TGlyphImage& g = Font.Glyph(c, escapement);
    if (!g.Coverage.empty()) {
      const std::int64_t x = Round(frame.X(double(pen), ascent)), y = Round(frame.Y(double(pen), ascent));
      BlitGlyph(Surface, Clip, g, x + g.Left, y - g.Top, colour);
    }
    pen += Font.Advance(c);
  }

  const TPainter ink{Surface, Clip, TRasterOp::Copy(Look.Color)};
  if (Font.Underline()) {
    const double top = ascent + Font.UnderlineOffset();
    FillCellRect(ink, frame, 0, top, extent.cx, top + Font.UnderlineThickness());
  }
  if (Font.StrikeOut()) {
    const double top = ascent - Font.StrikeOutOffset();
    FillCellRect(ink, frame, 0, top, extent.cx, top + Font.StrikeOutThickness());
  }
}

} // namespace zyn::detail
