// TGeoMap: rescaling the map image with its calibration, and forgetting the map.

#include <cmath>

#include "geomap/ZYN_geomap.h"
#include "platform/gui/ZYN_blit.h"
#include "platform/gui/ZYN_canvas.h"
#include "support/ZYN_rounding.h"

namespace zyn {

void TGeoMap::ResizeMap(std::int32_t LongerEdgeLength) {
  // Without an image there is no edge to scale: nothing to do.
  if (FMapImgWidth <= 0 || FMapImgHeight <= 0) return;
  const double edge = FMapImgWidth < FMapImgHeight ? FMapImgHeight : FMapImgWidth;
  ResizeMap(static_cast<double>(LongerEdgeLength) / edge);
}

void TGeoMap::ResizeMap(double Magnification) {
  FCacheMag = 0;
  const std::int32_t w = GrafBmp->Width();
  const std::int32_t h = GrafBmp->Height();
  // A factor that leaves no pixel (or none at all) would destroy the image.
  if (!std::isfinite(Magnification) || Magnification <= 0 || w <= 0 || h <= 0) return;
  const std::int32_t W = Round32(w * Magnification);
  const std::int32_t H = Round32(h * Magnification);
  if (W <= 0 || H <= 0) return;

  {
    TBitmap scaled(W, H);
    const std::int32_t mode = FAntiAlias ? HALFTONE : COLORONCOLOR;
    StretchBlt(scaled.Surface(), Rect(0, 0, W, H), GrafBmp->Surface(), Rect(0, 0, w, h), mode);
    GrafBmp->Assign(&scaled);
  }
  ScaleCalibrationPoints(Magnification);
  RecalcCalibration();
  FMapImgWidth = GrafBmp->Width();
  FMapImgHeight = GrafBmp->Height();
  AuxBmp->SetSize(FMapImgWidth, FMapImgHeight);
  FTopLeft = {0, 0};
  Paint();
}

void TGeoMap::ScaleCalibrationPoints(double Factor) {
  auto scale = [Factor](std::int32_t& v) { v = Round32(v * Factor); };
  for (std::int32_t k = 1; k <= std::min(FCalibData.NumCalLines, MaxCalLines); ++k) {
    TCalibLine& line = FCalibData.CalLines[static_cast<std::size_t>(k)];
    for (std::int32_t p = 1; p <= std::min(line.NumPoints, MaxCalLinePoints); ++p) {
      scale(line.CalPoints[static_cast<std::size_t>(p)].X);
      scale(line.CalPoints[static_cast<std::size_t>(p)].Y);
    }
  }
  for (std::int32_t k = 1; k <= std::min(FCalibData.NumCalQuads, MaxCalQuads); ++k) {
    TCalQuad& q = FCalibData.CalQuads[static_cast<std::size_t>(k)];
    scale(q.MapX);
    scale(q.MapY);
  }
}

void TGeoMap::Clear() {
  ClearCalibData();
  FCalibModel = cmUndefined;
  FCalibData.MapFName.clear();
  FCalibData.Caption.clear();
  FNumMTrace = 0;
  FMapImgName.clear();
  FMapImgWidth = 0;
  FMapImgHeight = 0;
  Paint();
}

} // namespace zyn
