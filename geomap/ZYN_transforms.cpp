#include "geomap/ZYN_transforms.h"

#include <cmath>
#include <numbers>

#include "support/ZYN_rounding.h"

namespace zyn {

namespace {
constexpr double DegToRad = std::numbers::pi / 180.0;
constexpr double RadToDeg = 180.0 / std::numbers::pi;
/// 180 / (0.4·π): undoes the 0.4 factor of the Miller ordinate, in degrees.
constexpr double MillerInverseFactor = 143.2394487827058;
} // namespace

double MillerOrdinate(double LatitudeDeg) noexcept {
  return std::log(std::tan(0.4 * LatitudeDeg * DegToRad + std::numbers::pi / 4));
}

double MillerLatitude(const TMillerPars& P, double y, bool& valid) noexcept {
  const double slope = P[1][1];
  const double intercept = P[1][2];
  valid = slope != 0;
  if (!valid) return 0;
  return (std::atan(std::exp((y - intercept) / slope)) - std::numbers::pi / 4) * MillerInverseFactor;
}

double MillerLongitude(const TMillerPars& P, double x, bool& valid) noexcept {
  const double slope = P[2][1];
  const double intercept = P[2][2];
  valid = slope != 0;
  if (!valid) return 0;
  return (x - intercept) / slope * RadToDeg;
}

void MillerPixel(const TMillerPars& P, double Lat, double Long, double& x, double& y) noexcept {
  x = Long * DegToRad * P[2][1] + P[2][2];
  y = MillerOrdinate(Lat) * P[1][1] + P[1][2];
}

double ConicLatitude(const TConicPars& P, double x, double y) noexcept {
  const double r = std::hypot(x - P[1], y - P[2]);
  return r * P[3] + P[4];
}

double ConicLongitude(const TConicPars& P, double x, double y, bool& valid) noexcept {
  const double dy = y - P[2];
  valid = dy != 0;
  if (!valid) return 0;
  return std::atan((x - P[1]) / dy) * P[5] + P[6];
}

void ConicPixel(const TConicPars& P, double Lat, double Long, std::int32_t& x, std::int32_t& y) noexcept {
  if (P[3] == 0 || P[5] == 0) {
    x = y = 0;
    return;
  }
  const double x0 = P[1];
  const double y0 = P[2];
  const double theta = (Long - P[6]) / P[5];
  const double rho = (Lat - P[4]) / P[3];
  const double t = std::tan(theta);
  const double s = rho / std::sqrt(t * t + 1);
  y = Round32(Lat >= 0 ? y0 + s : y0 - s);
  x = Round32(t * (y - y0) + x0);
}

bool PositionInMap(double Latitude, double Longitude, const TCornerArray& Corners) noexcept {
  // Sign of the position relative to the edge A→B.
  auto side = [&](const TCoords& A, const TCoords& B) {
    return (B.Latit - A.Latit) * (A.Longit - Longitude) + (B.Longit - A.Longit) * (Latitude - A.Latit);
  };
  const TCoords& c0 = Corners[gcoTopLeft];
  const TCoords& c1 = Corners[gcoBottomLeft];
  const TCoords& c2 = Corners[gcoBottomRight];
  const TCoords& c3 = Corners[gcoTopRight];
  const double s0 = side(c0, c3);
  return s0 * side(c1, c0) > 0 && s0 * side(c2, c1) > 0 && s0 * side(c3, c2) > 0;
}

} // namespace zyn
