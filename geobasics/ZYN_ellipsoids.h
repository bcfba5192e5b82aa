#pragma once
/// \file
/// The reference ellipsoids and the conversions between the ways an
/// ellipsoid's shape is given (axes, reciprocal flattening, squared eccentricity).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zyn {

/// The reference ellipsoids, ordinals 0 to 60.
enum TGeoEllipsoid : std::uint8_t {
  gelWGS84,
  gelWGS72,
  gelWGS66,
  gelWGS60,
  gelClrk80RGS,
  gelClrk66,
  gelBess41,
  gelBess41Jap,
  gelBess41Nam,
  gelNewInt67,
  gelInt24,
  gelEver69,
  gelEver56,
  gelEver48,
  gelEver30Ind,
  gelEverPak,
  gelEverest,
  gelGRS80,
  gelAiry30,
  gelModifAiry,
  gelFish68,
  gelFish60,
  gelModifFish60,
  gelAuNat65,
  gelKrass40,
  gelHough60,
  gelSphere,
  gelIndo74,
  gelHelm06,
  gelSGS85,
  gelSAm69,
  gelATS77,
  gelAuthSph,
  gelBesselMod,
  gelCGCS2000,
  gelClrk58,
  gelClrk66Mich,
  gelClrk80,
  gelClrk80Arc,
  gelClrk80Benoit,
  gelClrk80IGN,
  gelClrk80intfoot,
  gelClrk80SGA22,
  gelDan76,
  gelEver30,
  gelEver75,
  gelGEM10C,
  gelGRS67,
  gelGRS67Mod,
  gelHughes80,
  gelIAG75,
  gelInt24AuthSph,
  gelOSU86F,
  gelOSU91A,
  gelPlessis17,
  gelPopVisSphere,
  gelPZ90,
  gelStruve60,
  gelWarOffice,
  gelHongKong63,
  gelNahrwan29
};

inline constexpr std::size_t GeoEllipsoidCount = 61;

/// A constant table indexed by TGeoEllipsoid. A value outside the enumeration
/// (only reachable by a cast) reads the table's OutOfRange entry, never memory
/// beyond the table.
template <class T>
struct TEllipsoidTable {
  std::array<T, GeoEllipsoidCount> Items;
  T OutOfRange;

  constexpr const T& operator[](TGeoEllipsoid Ellipsoid) const noexcept {
    const auto i = static_cast<std::size_t>(Ellipsoid);
    return i < Items.size() ? Items[i] : OutOfRange;
  }
  static constexpr std::size_t size() noexcept { return GeoEllipsoidCount; }
  constexpr auto begin() const noexcept { return Items.begin(); }
  constexpr auto end() const noexcept { return Items.end(); }
};

/// Semi-major axis a, then semi-minor axis b, in metres.
using TEllipsoidAxes = std::array<double, 2>;

/// The value's own identifier ("gelWGS84" for gelWGS84); empty out of range.
extern const TEllipsoidTable<std::string_view> GeoEllipsoidId;
/// Display name ("WGS 1984"); empty out of range.
extern const TEllipsoidTable<std::string_view> GeoEllipsoidName;
/// Axes a and b; NaN out of range. Every other shape parameter derives from these.
extern const TEllipsoidTable<TEllipsoidAxes> GeoEllipsoidData;

/// Squared first eccentricity 1 - b²/a² of a table ellipsoid.
double GeoEllEccSquared(TGeoEllipsoid Ellipsoid) noexcept;
/// Squared eccentricity from two axis lengths in either order; 0 when they are equal.
double GeoEllEccSquared(double Axis1, double Axis2) noexcept;
/// Squared eccentricity 2f - f² from the reciprocal flattening 1/f; 0 for 0 (a sphere).
double GeoEllEccSquared(double RecipFlat) noexcept;

/// Reciprocal flattening 1/(1 - b/a) of a table ellipsoid; 0 for a sphere.
double RecipFlattening(TGeoEllipsoid Ellipsoid) noexcept;
/// Reciprocal flattening from the semi-major and semi-minor axes; 0 when they are equal.
double RecipFlattening(double A, double B) noexcept;
/// Reciprocal flattening from a squared eccentricity; 0 for 0.
/// Throws EZYNGeoBasicsError "invalid eccentricity" outside [0, 1].
double RecipFlattening(double EccSquared);

/// Semi-minor axis from a and the reciprocal flattening (a for 0).
/// Throws EZYNGeoBasicsError "invalid reciprocal flattening" when it is negative.
double EllipsoidMinAxFlat(double A, double RecipFlat);
/// Semi-minor axis a·√(1 - e²).
/// Throws EZYNGeoBasicsError "invalid eccentricity" outside [0, 1].
double EllipsoidMinAxEcc(double A, double EccSquared);

} // namespace zyn
