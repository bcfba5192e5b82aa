#include "geobasics/ZYN_ups.h"

#include <cmath>

#include "geobasics/ZYN_angles.h"
#include "support/ZYN_univconst.h"

namespace zyn {

namespace {

using namespace geobasics_detail;

constexpr double UPSScale = 0.994;
constexpr double UPSFalseOrigin = 2000000.0;
constexpr int UPSMaxNewtonSteps = 6;
const double UPSNewtonTolerance = std::sqrt(uc_MinDouble) / 10.0;

/// The eccentricity terms both directions share.
struct TPolarConstants {
  double E2;     ///< squared eccentricity 1 - (b/a)²
  double E;      ///< eccentricity √|e²|
  double Scale;  ///< ρ = Scale·T: 0.994·a / (√(1 - e²)·exp(e·artanh e))
};

TPolarConstants PolarConstants(TGeoEllipsoid Ellipsoid) noexcept {
  const auto [a, b] = GeoEllipsoidData[Ellipsoid];
  const double ratio = b / a;
  const double e2 = 1.0 - ratio * ratio;
  const double e = std::sqrt(std::fabs(e2));
  return {e2, e, UPSScale * a / (std::sqrt(1.0 - e2) * std::exp(e * std::atanh(e)))};
}

double ConformalFactor(double E, double CosChi) noexcept { return std::exp(E * std::atanh(E * CosChi)); }

} // namespace

void LatLongToUPS(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid,
                  double& X, double& Y) noexcept {
  const TPolarConstants k = PolarConstants(Ellipsoid);
  const bool north = Latitude >= 0.0;
  const double chi = (north ? 90.0 - Latitude : 90.0 + Latitude) * DegToRad;
  const double T = 2.0 * std::tan(chi / 2.0) * ConformalFactor(k.E, std::cos(chi));
  const double rho = k.Scale * T;

  if (Longitude >= 180.0)
    Longitude -= 360.0;
  else if (Longitude < -180.0)
    Longitude += 360.0;
  const double lambda = Longitude * DegToRad;
  // Exact zeros where sin and cos of the radian value are merely tiny.
  X = Longitude == -180.0 ? 0.0 : rho * std::sin(lambda);
  Y = std::fabs(Longitude) == 90.0 ? 0.0 : rho * std::cos(lambda);
  if (north) Y = -Y;
  X += UPSFalseOrigin;
  Y += UPSFalseOrigin;
}

void UPSToLatLong(double X, double Y, bool South, TGeoEllipsoid Ellipsoid,
                  double& Latitude, double& Longitude) noexcept {
  const TPolarConstants k = PolarConstants(Ellipsoid);
  const double x = X - UPSFalseOrigin, y = Y - UPSFalseOrigin;
  const double T = std::sqrt(x * x + y * y) / k.Scale;

  double chi = 2.0 * std::atan(T / 2.0);
  for (int step = 0; step < UPSMaxNewtonSteps; ++step) {
    const double half = chi / 2.0;
    const double c = std::cos(chi), cosHalf = std::cos(half);
    const double E = ConformalFactor(k.E, c);
    const double F = 2.0 * std::tan(half) * E - T;
    const double dF = (1.0 - k.E2) * E / ((1.0 - k.E2 * c * c) * cosHalf * cosHalf);
    const double delta = -F / dF;
    const double next = chi + delta;
    // Once a step leaves chi unchanged, every further step would repeat it exactly.
    const bool settled = next == chi;
    chi = next;
    if (settled || std::fabs(delta) < UPSNewtonTolerance) break;
  }

  Latitude = 90.0 - chi * RadToDeg;
  if (South) Latitude = -Latitude;
  Longitude = (South ? std::atan2(x, y) : std::atan2(x, -y)) * RadToDeg;
}

} // namespace zyn
