#pragma once
/// \file
/// Geocentric Cartesian coordinates and the seven-parameter datum shift.

#include <cstdint>

#include "geobasics/ZYN_ellipsoids.h"

namespace zyn {

/// Geocentric X, Y, Z (metres) of a position in degrees at ellipsoidal height Height.
void GeoToCartesian(double Latitude, double Longitude, double Height, TGeoEllipsoid Ellipsoid,
                    double& X, double& Y, double& Z) noexcept;
/// Inverse of GeoToCartesian, in closed form. Spheres are handled with flattening 0;
/// a point on the polar axis gives latitude ±90, longitude 0 and height |Z| - b.
void CartesianToGeo(double X, double Y, double Z, TGeoEllipsoid Ellipsoid,
                    double& Latitude, double& Longitude, double& Height) noexcept;

/// Status codes of HelmertTransform.
enum THelmertStatus : std::int32_t {
  htsOk = 0,
  htsBadSourceDatum = -1,
  htsBadTargetDatum = -2,
  htsBadLatitude = -3,
  htsBadLongitude = -4,
};

/// Shifts a position from datum SourceDatum to datum TargetDatum (indices of
/// DatumData, 1..271) through the world datum. Returns 0, or the last failing
/// check of: -1 bad source index, -2 bad target index, -3 latitude outside
/// [-90, 90], -4 longitude outside [-180, 180]. With -3 or -4 the shift is still
/// made; with a bad index the outputs are NaN and no table row is read.
std::int32_t HelmertTransform(std::int32_t SourceDatum, double Latitude, double Longitude,
                              double Height, std::int32_t TargetDatum, double& OutLatitude,
                              double& OutLongitude, double& OutHeight) noexcept;

} // namespace zyn
