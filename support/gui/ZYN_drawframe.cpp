#include "support/gui/ZYN_drawframe.h"

#include <algorithm>

namespace zyn {

namespace {

/// One ring Inset pixels inside the frame's rectangle: the top and left sides
/// in TopLeft, the bottom and right sides (and the two far corners) in BottomRight.
void DrawRing(TCanvas& Canvas, std::int64_t L, std::int64_t T, std::int64_t R, std::int64_t B, std::int32_t Inset,
              TColor TopLeft, TColor BottomRight) {
  L += Inset, T += Inset, R -= Inset, B -= Inset;
  if (R < L || B < T) return;
  auto fill = [&](std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, TColor c) {
    auto clamp = [](std::int64_t v) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
    Canvas.Brush().SetColor(c);
    Canvas.FillRect({clamp(l), clamp(t), clamp(r), clamp(b)});
  };
  fill(L, T, R, T + 1, TopLeft);         // top, without the top-right corner
  fill(L, T + 1, L + 1, B, TopLeft);     // left, without the bottom-left corner
  fill(L, B, R + 1, B + 1, BottomRight); // bottom
  fill(R, T, R + 1, B, BottomRight);     // right
}

} // namespace

void DrawFrame(TCanvas& Canvas, TFrameStyle Style, std::int32_t Left, std::int32_t Top, std::int32_t Right,
               std::int32_t Bottom, TColor OuterLight, TColor InnerLight, TColor InnerShadow, TColor OuterShadow,
               TColor LineColor) {
  TBrush saved;
  saved.Assign(&Canvas.Brush());
  Canvas.Brush().SetStyle(bsSolid);
  auto ring = [&](std::int32_t Inset, TColor TopLeft, TColor BottomRight) {
    DrawRing(Canvas, Left, Top, Right, Bottom, Inset, TopLeft, BottomRight);
  };
  switch (Style) {
  case frsLowered: ring(0, OuterShadow, OuterLight), ring(1, InnerShadow, InnerLight); break;
  case frsRaised: ring(0, OuterLight, OuterShadow), ring(1, InnerLight, InnerShadow); break;
  case frsSingle: ring(0, LineColor, LineColor); break;
  case frsDouble: ring(0, LineColor, LineColor), ring(2, LineColor, LineColor); break;
  default: break;
  }
  Canvas.Brush().Assign(&saved);
}

} // namespace zyn
