// TGeoMap: map-image pixels ↔ geographic positions under the active model.

#include <algorithm>
#include <cmath>

#include "geobasics/ZYN_geobasics.h"
#include "geomap/ZYN_geomap.h"
#include "geomap/ZYN_graticule.h"
#include "support/ZYN_math2.h"
#include "support/ZYN_rounding.h"

namespace zyn {

namespace {

/// Rounds both coordinates into the outputs unless one is not finite.
bool StorePixel(double px, double py, std::int32_t& x, std::int32_t& y) {
  if (!std::isfinite(px) || !std::isfinite(py)) return false;
  x = Round32(px);
  y = Round32(py);
  return true;
}

/// The sixth float output of the statistics: the RMS of (computed − stored).
double SixthStatistic(const TCurveFit& fit) {
  std::int32_t n = 0;
  double meanX = 0, meanY = 0, sdX = 0, sdY = 0, meanDiff = 0, rmsDiff = 0, maxDiff = 0;
  fit.CalcStatistics(n, meanX, meanY, sdX, sdY, meanDiff, rmsDiff, maxDiff);
  return rmsDiff;
}

/// Position of a pixel under the UTM model: affine to northing and easting,
/// then the inverse projection in the calibration's zone.
TCoords UTMPixelToGeo(const TEquRectPars& PLSP, const TCalibData& CD, double x, double y) {
  TCoords c;
  UTMToLatLong(EvalAffine(PLSP[2], x, y), EvalAffine(PLSP[1], x, y), CD.UTMZone, CD.UTMSouth, CD.Ellipsoid, c.Latit,
               c.Longit);
  return c;
}

} // namespace

double TGeoMap::CalcLatitude(std::int32_t x, std::int32_t y, bool& valid) const {
  valid = true;
  switch (FCalibModel) {
    case cmParabolicIp: return GratCoordinate(*FGratMat, gtlParallel, x, y, valid);
    case cmBiquadraticPn: return EvalBiquadratic(FCalParsPLSP[1], x, y);
    case cmConicConformal: return ConicLatitude(FConicPars, x, y);
    case cmMillerCylindrical: return MillerLatitude(FMillercylPar, y, valid);
    case cmEquiRect: return EvalAffine(FEquRectPLSP[1], x, y);
    case cmUTM: return UTMPixelToGeo(FEquRectPLSP, FCalibData, x, y).Latit;
    default: valid = false; return 0;
  }
}

double TGeoMap::CalcLongitude(std::int32_t x, std::int32_t y, bool& valid) const {
  valid = true;
  switch (FCalibModel) {
    case cmParabolicIp: return GratCoordinate(*FGratMat, gtlMeridian, x, y, valid);
    case cmBiquadraticPn: return EvalBiquadratic(FCalParsPLSP[2], x, y);
    case cmConicConformal: return ConicLongitude(FConicPars, x, y, valid);
    case cmMillerCylindrical: return MillerLongitude(FMillercylPar, x, valid);
    case cmEquiRect: return EvalAffine(FEquRectPLSP[2], x, y);
    case cmUTM: return UTMPixelToGeo(FEquRectPLSP, FCalibData, x, y).Longit;
    default: valid = false; return 0;
  }
}

bool TGeoMap::CalcPixelCoords(double Lat, double Long, std::int32_t& x, std::int32_t& y) const {
  switch (FCalibModel) {
    case cmParabolicIp: return GratPixel(*FGratMat, Lat, Long, x, y);
    case cmBiquadraticPn:
      return StorePixel(EvalBiquadratic(FCalParsSPPL[1], Lat, Long), EvalBiquadratic(FCalParsSPPL[2], Lat, Long), x, y);
    case cmConicConformal:
      if (!std::isfinite(Lat) || !std::isfinite(Long)) return false;
      ConicPixel(FConicPars, Lat, Long, x, y);
      return true;
    case cmMillerCylindrical: {
      double px = 0, py = 0;
      MillerPixel(FMillercylPar, Lat, Long, px, py);
      return StorePixel(px, py, x, y);
    }
    case cmEquiRect:
      return StorePixel(EvalAffine(FEquRectSPPL[1], Lat, Long), EvalAffine(FEquRectSPPL[2], Lat, Long), x, y);
    case cmUTM: {
      // The position's own zone, whatever the calibration's zone is.
      std::int32_t zone = 0;
      double easting = 0, northing = 0;
      LatLongToUTM(Lat, Long, FCalibData.Ellipsoid, zone, easting, northing);
      return StorePixel(EvalAffine(FEquRectSPPL[1], northing, easting), EvalAffine(FEquRectSPPL[2], northing, easting),
                        x, y);
    }
    default: return false;
  }
}

bool TGeoMap::CalcPixelCoordsUTM(double Northing, double Easting, std::int32_t& x, std::int32_t& y) const {
  x = y = 0;
  if (FCalibModel != cmUTM) return false;
  return StorePixel(EvalAffine(FEquRectSPPL[1], Northing, Easting), EvalAffine(FEquRectSPPL[2], Northing, Easting), x,
                    y);
}

std::int32_t TGeoMap::CalcUTMyFromNorthingX(double Northing, std::int32_t x) const {
  const TArray1<double, 3>& bx = FEquRectSPPL[1];
  const TArray1<double, 3>& by = FEquRectSPPL[2];
  const double easting = (x - bx[1] - bx[2] * Northing) / bx[3];
  const double y = EvalAffine(by, Northing, easting);
  // Without an easting term the column says nothing about the row: 0.
  return std::isfinite(y) ? Round32(y) : 0;
}

std::int32_t TGeoMap::CalcUTMxFromEastingY(double Easting, std::int32_t y) const {
  const TArray1<double, 3>& bx = FEquRectSPPL[1];
  const TArray1<double, 3>& by = FEquRectSPPL[2];
  const double northing = (y - by[1] - by[3] * Easting) / by[2];
  const double x = EvalAffine(bx, northing, Easting);
  return std::isfinite(x) ? Round32(x) : 0;
}

bool TGeoMap::IsPositionWithinMap(double Latit, double Longit) const noexcept {
  return PositionInMap(Latit, Longit, FCalibData.Corners);
}

void TGeoMap::CalibQuality(double& QualX, double& QualY) const {
  TCurveFit fitX, fitY;
  fitX.Init();
  fitY.Init();
  if (FCalibModel >= cmBiquadraticPn && FCalibModel <= cmUTM) {
    for (std::int32_t k = 1; k <= std::min(FCalibData.NumCalQuads, MaxCalQuads); ++k) {
      const TCalQuad& q = FCalibData.CalQuads[static_cast<std::size_t>(k)];
      std::int32_t x = 0, y = 0;
      if (FCalibModel == cmUTM)
        CalcPixelCoordsUTM(q.Latitude, q.Longitude, x, y);
      else
        CalcPixelCoords(q.Latitude, q.Longitude, x, y);
      fitX.EnterStatValue(q.MapX, x);
      fitY.EnterStatValue(q.MapY, y);
    }
  }
  QualX = SixthStatistic(fitX);
  QualY = SixthStatistic(fitY);
}

} // namespace zyn
