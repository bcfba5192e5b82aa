// Pixel transfers of a canvas: CopyRect and Draw over the surface copies.

#include "platform/gui/ZYN_blit.h"
#include "platform/gui/ZYN_canvas.h"

namespace zyn {

void TCanvas::CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect) {
  TSurface dest, src;
  TRect clip;
  if (!Source.Target() || !Begin(dest, clip)) return;
  src = Source.Target()->Surface();
  if (src.Empty()) return;
  StretchBlt(dest, Dest, src, SourceRect, FStretchMode, &clip);
  End();
}

void TCanvas::Draw(std::int32_t X, std::int32_t Y, TCanvasTarget& Graphic) {
  TSurface dest;
  TRect clip;
  if (!Begin(dest, clip)) return;
  const TSurface src = Graphic.Surface();
  if (src.Empty()) return;
  zyn::Draw(dest, X, Y, src, &clip);
  End();
}

} // namespace zyn
