#pragma once
/// \file
/// The datum table: 271 geodetic datums with their seven-parameter shifts to WGS 84.

#include <cstddef>

#include "geobasics/ZYN_ellipsoids.h"
#include "platform/ZYN_codepage.h"
#include "support/ZYN_array1.h"

namespace zyn {

/// One geodetic datum and its position-vector shift to the world datum.
struct TDatumData {
  TShortString<33> Name;    ///< datum name, upper case as a rule
  TShortString<35> Region;  ///< area for which the parameters hold
  TGeoEllipsoid Ellipsoid;  ///< the datum's reference ellipsoid
  double DX, DY, DZ;        ///< translation, metres
  double Scale;             ///< scale correction, parts per million
  double RotX, RotY, RotZ;  ///< rotations about X, Y, Z, arc-seconds
};

inline constexpr std::size_t DatumCount = 271;

/// The datums, indexed 1..271; 269 is WGS 84 itself.
extern const TArray1<TDatumData, DatumCount> DatumData;

/// True when Index names a row of DatumData.
constexpr bool IsDatumIndex(long long Index) noexcept { return Index >= 1 && Index <= static_cast<long long>(DatumCount); }

} // namespace zyn
