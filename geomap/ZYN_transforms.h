#pragma once
/// \file
/// The pixel ↔ geographic formulas of the point-based calibration models,
/// as free functions over their fitted parameters. TGeoMap dispatches to them
/// by its model; the graticule (parabolic) model lives in ZYN_graticule.h.

#include <cstdint>

#include "geomap/ZYN_calibdata.h"

namespace zyn {

/// a0 + a1·u + a2·v.
inline double EvalAffine(const TArray1<double, 3>& a, double u, double v) noexcept {
  return a[1] + a[2] * u + a[3] * v;
}

/// a0 + a1·u + a2·v + a3·u² + a4·u·v + a5·v².
inline double EvalBiquadratic(const TArray1<double, 6>& a, double u, double v) noexcept {
  return a[1] + a[2] * u + a[3] * v + a[4] * u * u + a[5] * u * v + a[6] * v * v;
}

/// The Miller ordinate M(φ) = ln(tan(π/4 + 0.4·φ)), φ in degrees.
double MillerOrdinate(double LatitudeDeg) noexcept;

/// Latitude of pixel row y; invalid (0) without a fitted slope.
double MillerLatitude(const TMillerPars& P, double y, bool& valid) noexcept;
/// Longitude of pixel column x; invalid (0) without a fitted slope.
double MillerLongitude(const TMillerPars& P, double x, bool& valid) noexcept;
/// Pixel column and row of a position (unrounded).
void MillerPixel(const TMillerPars& P, double Lat, double Long, double& x, double& y) noexcept;

/// Latitude of a pixel: linear in the distance from the pole.
double ConicLatitude(const TConicPars& P, double x, double y) noexcept;
/// Longitude of a pixel: linear in the angle about the pole. A pixel on the
/// pole's row has no defined angle: invalid, 0.
double ConicLongitude(const TConicPars& P, double x, double y, bool& valid) noexcept;
/// Pixel of a position. With a zero slope the result is (0, 0).
void ConicPixel(const TConicPars& P, double Lat, double Long, std::int32_t& x, std::int32_t& y) noexcept;

/// True only when the position lies strictly inside the quadrilateral of the
/// four corners (taken in TCorners order); on an edge or degenerate: false.
bool PositionInMap(double Latitude, double Longitude, const TCornerArray& Corners) noexcept;

} // namespace zyn
