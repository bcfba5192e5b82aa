#pragma once
/// \file
/// Universal Polar Stereographic grid coordinates (degrees, metres).

#include "geobasics/ZYN_ellipsoids.h"

namespace zyn {

/// UPS coordinates of a position; the pole is chosen by the sign of the
/// latitude (north for latitude >= 0). Either pole maps to (2000000, 2000000).
void LatLongToUPS(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid,
                  double& X, double& Y) noexcept;
/// Inverse of LatLongToUPS; South selects the south polar projection.
void UPSToLatLong(double X, double Y, bool South, TGeoEllipsoid Ellipsoid,
                  double& Latitude, double& Longitude) noexcept;

} // namespace zyn
