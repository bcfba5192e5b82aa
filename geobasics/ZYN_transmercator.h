#pragma once
/// \file
/// The meridian arc, Transverse Mercator (angles in radians) and UTM (degrees).

#include <cstdint>

#include "geobasics/ZYN_ellipsoids.h"

namespace zyn {

/// Length in metres of the meridian arc from the equator to latitude Phi (radians).
double ArcLengthOfMeridian(double Phi, TGeoEllipsoid Ellipsoid) noexcept;

/// Transverse Mercator with scale 1 on the central meridian Lambda0, no false
/// easting or northing; all angles in radians, X and Y in metres.
void LatLongToTM(double Phi, double Lambda, double Lambda0, TGeoEllipsoid Ellipsoid,
                 double& X, double& Y) noexcept;
/// Inverse of LatLongToTM.
void TMToLatLong(double X, double Y, double Lambda0, TGeoEllipsoid Ellipsoid,
                 double& Phi, double& Lambda) noexcept;

/// UTM coordinates in the zone GeoToUTMZone gives for the position (degrees).
/// A position without a zone gives zone 0 and is projected about Greenwich.
void LatLongToUTM(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid,
                  std::int32_t& Zone, double& Easting, double& Northing) noexcept;
/// Inverse of LatLongToUTM; South selects the southern false northing. A zone
/// outside 1..60 uses the Greenwich meridian.
void UTMToLatLong(double Easting, double Northing, std::int32_t Zone, bool South,
                  TGeoEllipsoid Ellipsoid, double& Latitude, double& Longitude) noexcept;

} // namespace zyn
