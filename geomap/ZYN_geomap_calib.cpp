// TGeoMap: the calibration pipeline and the fields it fills.

#include <algorithm>

#include "geomap/ZYN_calibration.h"
#include "geomap/ZYN_geomap.h"
#include "geomap/ZYN_graticule.h"
#include "support/ZYN_math2.h"
#include "support/ZYN_matrix.h"

namespace zyn {

void ClearCalibData(TCalibData& Data) {
  Data.NumCalLines = 0;
  for (TCalibLine& line : Data.CalLines) line.NumPoints = 0;
  Data.Corners = {};
  Data.Resolution = 0;
  Data.UTMZone = -1;
  Data.UTMSouth = false;
  Data.Ellipsoid = gelWGS84;
  Data.CalQuads = {};
  Data.NumCalQuads = 0;
}

void TGeoMap::ClearCalibData() {
  zyn::ClearCalibData(FCalibData);
  FGratMat->Resize(5, 1);
  FGratMat->Fill(0);
  FEquRectSPPL = {};
  FEquRectPLSP = {};
  FCalParsPLSP = {};
  FCalParsSPPL = {};
  Paint();
}

void TGeoMap::RecalcCalibration() {
  RecalcGratMat();
  FitActiveModel();
  CalcExtentsAndResolution();
  Paint();
}

void TGeoMap::FitActiveModel() {
  switch (FCalibModel) {
    case cmBiquadraticPn: CalcBiquadraticCalibration(); break;
    case cmConicConformal: CalcConicCalibration(); break;
    case cmMillerCylindrical: CalcMillerCylCalibration(); break;
    case cmEquiRect:
    case cmUTM: CalcEquiRectCalibration(); break;
    default: break;
  }
}

bool TGeoMap::RecalcGratMat() {
  return FitGraticule(FCalibData, *FGratMat);
}

void TGeoMap::CalcBiquadraticCalibration() { FitBiquadratic(FCalibData, FCalParsPLSP, FCalParsSPPL); }

void TGeoMap::CalcEquiRectCalibration() { FitEquiRect(FCalibData, FEquRectPLSP, FEquRectSPPL); }

void TGeoMap::CalcMillerCylCalibration() { FitMillerCylindrical(FCalibData, FMillercylPar); }

void TGeoMap::CalcConicCalibration() { FitConicConformal(FCalibData, FMapImgWidth, FMapImgHeight, FConicPars); }

void TGeoMap::CalcExtentsAndResolution() {
  constexpr double EarthRadius = 6378000;
  const std::int32_t W = GrafBmp->Width();
  const std::int32_t H = GrafBmp->Height();
  bool valid = false; // the corners take whatever the model gives
  auto at = [&](std::int32_t x, std::int32_t y) {
    return TCoords{CalcLatitude(x, y, valid), CalcLongitude(x, y, valid)};
  };
  TCornerArray& c = FCalibData.Corners;
  c[gcoTopLeft] = at(0, 0);
  c[gcoBottomLeft] = at(0, H);
  c[gcoBottomRight] = at(W, H);
  c[gcoTopRight] = at(W, 0);
  if (W < 1) {
    FCalibData.Resolution = 0;
    return;
  }
  const TCoords L = at(0, H / 2);
  const TCoords R = at(W, H / 2);
  double d = SphereGreatCircleDist(EarthRadius, L.Latit, L.Longit, R.Latit, R.Longit);
  // The great circle takes the short way; a map spanning more than half the
  // globe needs the rest added.
  const double span = R.Longit - L.Longit;
  if (span > 360)
    d += 40074155.889191404; // 2π · radius
  else if (span > 180)
    d += 20037077.944595702; // π · radius
  FCalibData.Resolution = d / W;
}

} // namespace zyn
