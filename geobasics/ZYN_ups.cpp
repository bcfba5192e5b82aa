#include "geobasics/ZYN_ups.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

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

TPolarConstants ComputePolarConstants(const TEllipsoidAxes& Axes) noexcept {
  const auto [a, b] = Axes;
  const double ratio = b / a;
  const double e2 = 1.0 - ratio * ratio;
  const double e = std::sqrt(std::fabs(e2));
  return {e2, e, UPSScale * a / (std::sqrt(1.0 - e2) * std::exp(e * std::atanh(e)))};
}

/// The constants of every table ellipsoid, computed once: they cost more than the projection.
const TPolarConstants& PolarConstants(TGeoEllipsoid Ellipsoid) noexcept {
  static const auto table = [] {
    std::array<TPolarConstants, GeoEllipsoidCount + 1> t{};
    for (std::size_t i = 0; i < GeoEllipsoidCount; ++i)
      t[i] = ComputePolarConstants(GeoEllipsoidData[static_cast<TGeoEllipsoid>(i)]);
    t[GeoEllipsoidCount] = ComputePolarConstants(GeoEllipsoidData.OutOfRange);
    return t;
  }();
  return table[std::min<std::size_t>(Ellipsoid, GeoEllipsoidCount)];
}

/// tan(χ/2) and cos χ from one sine and cosine of the half angle.
struct THalfAngle {
  double TanHalf, CosHalf, Cos;
};

THalfAngle HalfAngle(double Chi) noexcept {
  const double s = std::sin(Chi / 2.0), c = std::cos(Chi / 2.0);
  return {s / c, c, (c - s) * (c + s)};
}

double ConformalFactor(double E, double CosChi) noexcept { return std::exp(E * std::atanh(E * CosChi)); }

/// The Newton iteration for the colatitude χ of a polar distance T, at most
/// UPSMaxNewtonSteps steps. Once the steps reach a fixed point, or a cycle
/// between two values, the remaining steps are known without being taken: the
/// result is exactly that of running them all.
double SolveColatitude(const TPolarConstants& k, double T) noexcept {
  double chi = 2.0 * std::atan(T / 2.0);
  double previous = std::numeric_limits<double>::quiet_NaN();
  for (int step = 1; step <= UPSMaxNewtonSteps; ++step) {
    const THalfAngle h = HalfAngle(chi);
    const double E = ConformalFactor(k.E, h.Cos);
    const double F = 2.0 * h.TanHalf * E - T;
    const double dF = (1.0 - k.E2) * E / ((1.0 - k.E2 * h.Cos * h.Cos) * h.CosHalf * h.CosHalf);
    const double delta = -F / dF;
    const double next = chi + delta;
    if (std::fabs(delta) < UPSNewtonTolerance || next == chi) return next;
    // A cycle chi -> next -> chi: neither step met the tolerance, so it never will.
    if (next == previous) return (UPSMaxNewtonSteps - step) % 2 == 0 ? next : chi;
    previous = chi;
    chi = next;
  }
  return chi;
}

} // namespace

void LatLongToUPS(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid,
                  double& X, double& Y) noexcept {
  const TPolarConstants& k = PolarConstants(Ellipsoid);
  const bool north = Latitude >= 0.0;
  const double chi = (north ? 90.0 - Latitude : 90.0 + Latitude) * DegToRad;
  const THalfAngle h = HalfAngle(chi);
  const double T = 2.0 * h.TanHalf * ConformalFactor(k.E, h.Cos);
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
  const TPolarConstants& k = PolarConstants(Ellipsoid);
  const double x = X - UPSFalseOrigin, y = Y - UPSFalseOrigin;
  const double T = std::sqrt(x * x + y * y) / k.Scale;
  const double chi = SolveColatitude(k, T);

  Latitude = 90.0 - chi * RadToDeg;
  if (South) Latitude = -Latitude;
  Longitude = (South ? std::atan2(x, y) : std::atan2(x, -y)) * RadToDeg;
}

} // namespace zyn
