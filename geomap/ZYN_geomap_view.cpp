// TGeoMap: the view (top-left pixel and magnification), pixel conversions
// and the zoom history.

#include "geomap/ZYN_geomap.h"
#include "support/ZYN_rounding.h"

namespace zyn {

TPoint TGeoMap::ControlToMapImage(TPoint APoint) const noexcept {
  return {Round32(APoint.X / FMagnify) + FTopLeft.X, Round32(APoint.Y / FMagnify) + FTopLeft.Y};
}

TPoint TGeoMap::MapImageToControl(TPoint APoint) const noexcept {
  return {Round32((static_cast<double>(APoint.X) - FTopLeft.X) * FMagnify),
          Round32((static_cast<double>(APoint.Y) - FTopLeft.Y) * FMagnify)};
}

void TGeoMap::SetMagnification(double Value) {
  FMagnify = Value;
  Paint();
}

void TGeoMap::PanMapToFillWindow() {
  const double maxX = FMapImgWidth - Width() / FMagnify;
  const double maxY = FMapImgHeight - Height() / FMagnify;
  if (FTopLeft.X > maxX) FTopLeft.X = Round32(maxX);
  if (FTopLeft.Y > maxY) FTopLeft.Y = Round32(maxY);
  if (FTopLeft.X < 0) FTopLeft.X = 0;
  if (FTopLeft.Y < 0) FTopLeft.Y = 0;
}

void TGeoMap::ZoomStateOnStack() {
  if (IsLoading()) return;
  FZoomStack[static_cast<std::size_t>(FZStackPoi)] = {FTopLeft.X, FTopLeft.Y, FMagnify};
  FZStackPoi = FZStackPoi % ZoomStackSize + 1;
}

void TGeoMap::ClearZoomHistory() {
  FZoomStack = {};
  FZStackPoi = 1;
  ZoomStateOnStack();
}

TgmZoomStackEntry TGeoMap::ZoomStack(std::int32_t StackIx) const {
  if (StackIx < 1 - ZoomStackSize || StackIx > 0) return {};
  std::int32_t slot = FZStackPoi + StackIx - 1;
  if (slot < 1) slot += ZoomStackSize;
  return FZoomStack[static_cast<std::size_t>(slot)];
}

} // namespace zyn
