#pragma once
/// \file
/// The calibration record of a map and the parameter arrays its models fit.

#include <array>
#include <cstdint>
#include <string>

#include "geobasics/ZYN_ellipsoids.h"
#include "platform/gui/ZYN_graphics.h"
#include "support/ZYN_array1.h"

namespace zyn {

/// How map-image pixels are tied to geographic positions.
enum TCalibModel : std::uint8_t {
  cmParabolicIp,       ///< parabolas traced along graticule lines, interpolated
  cmBiquadraticPn,     ///< second-order polynomials in both directions
  cmConicConformal,    ///< a pole in pixel space, latitude by radius, longitude by angle
  cmMillerCylindrical, ///< Miller's cylindrical projection, axis-aligned
  cmEquiRect,          ///< affine in latitude and longitude
  cmUTM,               ///< affine in UTM northing and easting
  cmUndefined,
};

/// The kind of a traced graticule line.
enum TGratLineKind : std::uint8_t { gtlMeridian, gtlParallel };

/// The four corners of a map image.
enum TCorners : std::uint8_t { gcoTopLeft, gcoBottomLeft, gcoBottomRight, gcoTopRight };

/// A geographic position in degrees.
struct TCoords {
  double Latit = 0;
  double Longit = 0;
  friend bool operator==(const TCoords&, const TCoords&) = default;
};

/// Positions indexed by TCorners.
struct TCornerArray {
  std::array<TCoords, 4> Items{};
  TCoords& operator[](TCorners c) noexcept { return Items[c & 3u]; }
  const TCoords& operator[](TCorners c) const noexcept { return Items[c & 3u]; }
  friend bool operator==(const TCornerArray&, const TCornerArray&) = default;
};

/// One calibration point: a pixel and its position. Under cmUTM, Latitude
/// holds the northing and Longitude the easting (metres).
struct TCalQuad {
  double Latitude = 0;
  double Longitude = 0;
  std::int32_t MapX = 0;
  std::int32_t MapY = 0;
  friend bool operator==(const TCalQuad&, const TCalQuad&) = default;
};

inline constexpr int MaxCalLinePoints = 10;
inline constexpr int MaxCalLines = 25;
inline constexpr int MaxCalQuads = 200;

/// A meridian (LineValue = longitude) or parallel (LineValue = latitude)
/// traced on the image by up to ten pixels.
struct TCalibLine {
  TGratLineKind LineType = gtlMeridian;
  double LineValue = 0;
  std::int32_t NumPoints = 0;
  TArray1<TPoint, MaxCalLinePoints> CalPoints{};
  friend bool operator==(const TCalibLine&, const TCalibLine&) = default;
};

/// The calibration of one map.
struct TCalibData {
  std::string MapFName;
  std::string Caption;
  TCornerArray Corners{};       ///< positions of the image corners (computed)
  double Resolution = 0;        ///< metres per pixel along the middle row; 0 = not computed
  std::int32_t NumCalLines = 0; ///< used entries of CalLines (cmParabolicIp)
  TArray1<TCalibLine, MaxCalLines> CalLines{};
  std::int32_t NumCalQuads = 0; ///< used entries of CalQuads (all other models)
  TArray1<TCalQuad, MaxCalQuads> CalQuads{};
  std::int32_t UTMZone = 0;
  bool UTMSouth = false;
  TGeoEllipsoid Ellipsoid = gelWGS84;
  friend bool operator==(const TCalibData&, const TCalibData&) = default;
};

/// Two rows of N fitted coefficients, indexed [row][column] from 1.
template <std::size_t N>
using TCalParRows = TArray1<TArray1<double, N>, 2>;

/// Affine equirectangular/UTM parameters: a0 + a1·u + a2·v per row.
using TEquRectPars = TCalParRows<3>;
/// Biquadratic parameters: a0 + a1·u + a2·v + a3·u² + a4·u·v + a5·v² per row.
using TBiQuadPars = TCalParRows<6>;
/// Miller parameters: row 1 (slope, intercept) for y, row 2 for x.
using TMillerPars = TCalParRows<2>;
/// Conic parameters: pole x0, y0; latitude slope, intercept; longitude slope, intercept.
using TConicPars = TArray1<double, 6>;

} // namespace zyn
