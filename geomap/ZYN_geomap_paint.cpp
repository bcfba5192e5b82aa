// TGeoMap: composing the picture off-screen and showing it.
//
// The picture is built in AuxBmp in a fixed order (background, map image,
// the host's hooks, frame) and then copied to the screen in one operation.

#include <algorithm>

#include "geomap/ZYN_geomap.h"
#include "platform/gui/ZYN_blit.h"
#include "platform/gui/ZYN_canvas.h"
#include "support/ZYN_rounding.h"
#include "support/gui/ZYN_drawframe.h"

namespace zyn {

void TGeoMap::Paint() {
  if (FSuppressPaint) return;
  ConstructInternalMapImg();
  const TRect all = Rect(0, 0, Width(), Height());
  Canvas().CopyRect(all, *FAuxCanvas, all);
}

void TGeoMap::ConstructInternalMapImg() {
  const std::int32_t W = Width();
  const std::int32_t H = Height();
  // The buffer only grows, so a repaint normally allocates nothing.
  if (AuxBmp->Width() < W || AuxBmp->Height() < H)
    AuxBmp->SetSize(std::max(AuxBmp->Width(), W), std::max(AuxBmp->Height(), H));
  TCanvas& c = *FAuxCanvas;
  c.Pen().SetStyle(psSolid);
  c.Pen().SetMode(pmCopy);

  if (IsDesigning() || FMapImgName.empty()) {
    DrawEmptyMessage();
  } else if (Visible()) {
    c.Pen().SetColor(FColorBakGnd);
    c.Brush().SetColor(FColorBakGnd);
    c.Rectangle(0, 0, W, H);
    DrawMapImage();
    if (OnBeforeRenderData) OnBeforeRenderData(this, c);
    if (OnDataRendered) OnDataRendered(this, c);
  }
  DrawFrame(c, FFrameStyle, 0, 0, W - 1, H - 1, FColWhiteLine, clSilver, FColGrayLine, FColBlackLine, clBlack);
}

void TGeoMap::DrawEmptyMessage() {
  TCanvas& c = *FAuxCanvas;
  c.Pen().SetColor(FColorBakGnd);
  c.Brush().SetColor(FColorBakGnd);
  c.Rectangle(0, 0, Width(), Height());
  c.Font().SetColor(FFrameColor);
  c.TextOut(10, 10, FEmptyMsg);
}

void TGeoMap::DrawMapImage() {
  const std::int32_t W = Width();
  const std::int32_t H = Height();
  const std::int32_t mode = FAntiAlias ? HALFTONE : COLORONCOLOR;
  if ((FCacheMag != FMagnify || FCacheAA != FAntiAlias) && FMagnify < FCacheMagLimit) {
    const std::int32_t cw = Round32(GrafBmp->Width() * FMagnify);
    const std::int32_t ch = Round32(GrafBmp->Height() * FMagnify);
    FImgCache->SetSize(cw, ch);
    StretchBlt(FImgCache->Surface(), Rect(0, 0, cw, ch), GrafBmp->Surface(),
               Rect(0, 0, GrafBmp->Width(), GrafBmp->Height()), mode);
    FCacheMag = FMagnify;
    FCacheAA = FAntiAlias;
  }
  const TRect dest = Rect(0, 0, W, H);
  if (FCacheMag == FMagnify) {
    const std::int32_t sx = Round32(FTopLeft.X * FMagnify);
    const std::int32_t sy = Round32(FTopLeft.Y * FMagnify);
    StretchBlt(AuxBmp->Surface(), dest, FImgCache->Surface(), Rect(sx, sy, sx + W, sy + H), COLORONCOLOR);
  } else {
    const TRect src = Rect(FTopLeft.X, FTopLeft.Y, Round32(W / FMagnify + FTopLeft.X), Round32(H / FMagnify + FTopLeft.Y));
    StretchBlt(AuxBmp->Surface(), dest, GrafBmp->Surface(), src, mode);
  }
}

} // namespace zyn
