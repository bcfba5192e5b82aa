#pragma once
/// \file
/// Geodesy: reference ellipsoids, countries and datums; UTM zones; Transverse
/// Mercator, UTM, UPS and geocentric conversions; seven-parameter datum shifts.
/// All free functions over constant tables, reentrant, without state.
///
/// Angles are decimal degrees (latitude positive north, longitude positive
/// east), except for the Transverse Mercator functions and UTMCentralMeridian,
/// which work in radians; lengths are metres.

#include "geobasics/ZYN_cartesian.h"
#include "geobasics/ZYN_countries.h"
#include "geobasics/ZYN_datums.h"
#include "geobasics/ZYN_ellipsoids.h"
#include "geobasics/ZYN_geoerror.h"
#include "geobasics/ZYN_transmercator.h"
#include "geobasics/ZYN_ups.h"
#include "geobasics/ZYN_utmzones.h"
