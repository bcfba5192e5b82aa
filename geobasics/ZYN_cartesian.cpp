#include "geobasics/ZYN_cartesian.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "geobasics/ZYN_angles.h"
#include "geobasics/ZYN_datums.h"

namespace zyn {

namespace {

using namespace geobasics_detail;

constexpr double ArcSecond = std::numbers::pi / 180.0 / 3600.0;
constexpr double PartsPerMillion = 1e-6;

struct TVector3 {
  double X, Y, Z;
};

/// m·(R·v) + t with the small-angle rotation matrix of (Rx, Ry, Rz) in radians.
TVector3 ShiftPosition(const TVector3& v, double m, double Rx, double Ry, double Rz,
                       const TVector3& t) noexcept {
  return {m * (v.X - Rz * v.Y + Ry * v.Z) + t.X,
          m * (v.Y + Rz * v.X - Rx * v.Z) + t.Y,
          m * (-Ry * v.X + Rx * v.Y + v.Z) + t.Z};
}

/// Datum -> world datum with the row's own parameters.
TVector3 ToWorldDatum(const TVector3& v, const TDatumData& S) noexcept {
  return ShiftPosition(v, 1.0 + PartsPerMillion * S.Scale, S.RotX * ArcSecond, S.RotY * ArcSecond,
                       S.RotZ * ArcSecond, {S.DX, S.DY, S.DZ});
}

/// World datum -> datum with the row's parameters negated: the first-order inverse.
TVector3 FromWorldDatum(const TVector3& v, const TDatumData& T) noexcept {
  return ShiftPosition(v, 1.0 - PartsPerMillion * T.Scale, -T.RotX * ArcSecond, -T.RotY * ArcSecond,
                       -T.RotZ * ArcSecond, {-T.DX, -T.DY, -T.DZ});
}

std::int32_t HelmertStatus(std::int32_t SourceDatum, double Latitude, double Longitude,
                           std::int32_t TargetDatum) noexcept {
  // Every failing check overwrites the one before; NaN fails the range checks.
  std::int32_t status = htsOk;
  if (!IsDatumIndex(SourceDatum)) status = htsBadSourceDatum;
  if (!IsDatumIndex(TargetDatum)) status = htsBadTargetDatum;
  if (!(Latitude >= -90.0 && Latitude <= 90.0)) status = htsBadLatitude;
  if (!(Longitude >= -180.0 && Longitude <= 180.0)) status = htsBadLongitude;
  return status;
}

} // namespace

void GeoToCartesian(double Latitude, double Longitude, double Height, TGeoEllipsoid Ellipsoid,
                    double& X, double& Y, double& Z) noexcept {
  const double a = GeoEllipsoidData[Ellipsoid][0];
  const double e2 = GeoEllEccSquared(Ellipsoid);
  const double phi = Latitude * DegToRad, lambda = Longitude * DegToRad;
  const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
  const double N = a / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
  X = (N + Height) * cosPhi * std::cos(lambda);
  Y = (N + Height) * cosPhi * std::sin(lambda);
  Z = (N * (1.0 - e2) + Height) * sinPhi;
}

void CartesianToGeo(double X, double Y, double Z, TGeoEllipsoid Ellipsoid,
                    double& Latitude, double& Longitude, double& Height) noexcept {
  const auto [a, b] = GeoEllipsoidData[Ellipsoid];
  const double p = std::sqrt(X * X + Y * Y);
  if (p == 0.0) {
    // On the polar axis Z/p is undefined; the pole on Z's side is the answer.
    Latitude = Z < 0.0 ? -90.0 : 90.0;
    Longitude = 0.0;
    Height = std::fabs(Z) - b;
    return;
  }
  const double e2 = GeoEllEccSquared(Ellipsoid);
  // A sphere reports reciprocal flattening 0; its flattening is 0, not 1/0.
  const double rf = RecipFlattening(Ellipsoid);
  const double f = rf == 0.0 ? 0.0 : 1.0 / rf;
  const double r = std::sqrt(p * p + Z * Z);
  // μ and φ are the angles of vectors (p, Z·k) and (den, num); their sines and
  // cosines follow from the vectors themselves, without trigonometric calls.
  const double zk = Z * ((1.0 - f) + e2 * a / r);
  const double muLength = std::sqrt(p * p + zk * zk);
  const double sinMu = zk / muLength, cosMu = p / muLength;
  const double num = Z * (1.0 - f) + e2 * a * sinMu * sinMu * sinMu;
  const double den = (1.0 - f) * (p - e2 * a * cosMu * cosMu * cosMu);
  const double phi = std::atan(num / den);
  // arctan keeps φ within ±90°: its cosine is positive whatever the sign of den.
  const double phiLength = std::copysign(std::sqrt(num * num + den * den), den);
  const double sinPhi = num / phiLength, cosPhi = den / phiLength;
  Latitude = phi * RadToDeg;
  Longitude = std::atan2(Y, X) * RadToDeg;
  Height = p * cosPhi + Z * sinPhi - a * std::sqrt(1.0 - e2 * sinPhi * sinPhi);
}

std::int32_t HelmertTransform(std::int32_t SourceDatum, double Latitude, double Longitude,
                              double Height, std::int32_t TargetDatum, double& OutLatitude,
                              double& OutLongitude, double& OutHeight) noexcept {
  const std::int32_t status = HelmertStatus(SourceDatum, Latitude, Longitude, TargetDatum);
  if (!IsDatumIndex(SourceDatum) || !IsDatumIndex(TargetDatum)) {
    OutLatitude = OutLongitude = OutHeight = std::numeric_limits<double>::quiet_NaN();
    return status;
  }
  const TDatumData& S = DatumData[static_cast<std::size_t>(SourceDatum)];
  const TDatumData& T = DatumData[static_cast<std::size_t>(TargetDatum)];
  TVector3 v;
  GeoToCartesian(Latitude, Longitude, Height, S.Ellipsoid, v.X, v.Y, v.Z);
  const TVector3 w = FromWorldDatum(ToWorldDatum(v, S), T);
  CartesianToGeo(w.X, w.Y, w.Z, T.Ellipsoid, OutLatitude, OutLongitude, OutHeight);
  return status;
}

} // namespace zyn
