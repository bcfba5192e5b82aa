#include "geobasics/ZYN_transmercator.h"

#include <cmath>

#include "geobasics/ZYN_angles.h"
#include "geobasics/ZYN_utmzones.h"

namespace zyn {

namespace {

using namespace geobasics_detail;

constexpr double UTMScale = 0.9996;
constexpr double UTMFalseEasting = 500000.0;
constexpr double UTMFalseNorthingSouth = 10000000.0;

/// Coefficients of a series Alpha·(v + Beta·sin 2v + Gamma·sin 4v + Delta·sin 6v + Epsilon·sin 8v)
/// in the third flattening n of an ellipsoid.
struct TArcSeries {
  double Alpha, Beta, Gamma, Delta, Epsilon;
};

double ThirdFlattening(const TEllipsoidAxes& Axes) noexcept {
  const auto [a, b] = Axes;
  return (a - b) / (a + b);
}

double ArcScale(const TEllipsoidAxes& Axes, double n) noexcept {
  const double n2 = n * n;
  return (Axes[0] + Axes[1]) / 2.0 * (1.0 + n2 / 4.0 + n2 * n2 / 64.0);
}

// Latitude -> arc length, divided by Alpha.
TArcSeries MeridianArcSeries(const TEllipsoidAxes& Axes) noexcept {
  const double n = ThirdFlattening(Axes);
  const double n2 = n * n, n3 = n2 * n, n4 = n2 * n2, n5 = n4 * n;
  return {ArcScale(Axes, n), 9.0 * n3 / 16.0 - 3.0 * n / 2.0 - 3.0 * n5 / 32.0,
          15.0 * n2 / 16.0 - 15.0 * n4 / 32.0, -35.0 * n3 / 48.0 + 105.0 * n5 / 256.0,
          315.0 * n4 / 512.0};
}

// Arc length / Alpha -> footpoint latitude; Alpha as above.
TArcSeries FootpointSeries(const TEllipsoidAxes& Axes) noexcept {
  const double n = ThirdFlattening(Axes);
  const double n2 = n * n, n3 = n2 * n, n4 = n2 * n2, n5 = n4 * n;
  return {ArcScale(Axes, n), 3.0 * n / 2.0 - 27.0 * n3 / 32.0 + 269.0 * n5 / 512.0,
          21.0 * n2 / 16.0 - 55.0 * n4 / 32.0, 151.0 * n3 / 96.0 - 417.0 * n5 / 128.0,
          1097.0 * n4 / 512.0};
}

/// v + Beta·sin 2v + Gamma·sin 4v + Delta·sin 6v + Epsilon·sin 8v from sin 2v and
/// cos 2v alone (Clenshaw's recurrence), so one sine and cosine serve all four terms.
double SeriesSum(const TArcSeries& S, double v, double Sin2v, double Cos2v) noexcept {
  const double k = 2.0 * Cos2v;
  const double b4 = S.Epsilon;
  const double b3 = S.Delta + k * b4;
  const double b2 = S.Gamma + k * b3 - b4;
  const double b1 = S.Beta + k * b2 - b3;
  return v + b1 * Sin2v;
}

double ArcLength(const TArcSeries& S, double Phi, double SinPhi, double CosPhi) noexcept {
  return S.Alpha * SeriesSum(S, Phi, 2.0 * SinPhi * CosPhi, (CosPhi - SinPhi) * (CosPhi + SinPhi));
}

double FootpointLatitude(const TArcSeries& S, double Y) noexcept {
  const double y = Y / S.Alpha;
  return SeriesSum(S, y, std::sin(2.0 * y), std::cos(2.0 * y));
}

/// Second eccentricity squared e'² = (a² - b²)/b².
double SecondEccSquared(const TEllipsoidAxes& Axes) noexcept {
  const auto [a, b] = Axes;
  return (a * a - b * b) / (b * b);
}

/// Radius of curvature in the prime vertical, a²/(b·√(1 + η²)).
double PrimeVerticalRadius(const TEllipsoidAxes& Axes, double Eta2) noexcept {
  const auto [a, b] = Axes;
  return a * a / (b * std::sqrt(1.0 + Eta2));
}

} // namespace

double ArcLengthOfMeridian(double Phi, TGeoEllipsoid Ellipsoid) noexcept {
  return ArcLength(MeridianArcSeries(GeoEllipsoidData[Ellipsoid]), Phi, std::sin(Phi), std::cos(Phi));
}

void LatLongToTM(double Phi, double Lambda, double Lambda0, TGeoEllipsoid Ellipsoid,
                 double& X, double& Y) noexcept {
  const TEllipsoidAxes& axes = GeoEllipsoidData[Ellipsoid];
  const double s = std::sin(Phi), c = std::cos(Phi);
  const double eta2 = SecondEccSquared(axes) * c * c, eta4 = eta2 * eta2;
  const double N = PrimeVerticalRadius(axes, eta2);
  const double t = s / c, t2 = t * t, t4 = t2 * t2, t6 = t4 * t2;
  // Powers of l always come with the same power of cos φ: u = cos φ · l.
  const double u = c * (Lambda - Lambda0), u2 = u * u, u4 = u2 * u2, u6 = u4 * u2;

  X = N * u *
      (1.0 + u2 / 6.0 * (1.0 - t2 + eta2) +
       u4 / 120.0 * (5.0 - 18.0 * t2 + t4 + 14.0 * eta2 - 58.0 * t2 * eta2) +
       u6 / 5040.0 * (61.0 - 479.0 * t2 + 179.0 * t4 - t6));
  Y = ArcLength(MeridianArcSeries(axes), Phi, s, c) +
      t * N * u2 *
          (0.5 + u2 / 24.0 * (5.0 - t2 + 9.0 * eta2 + 4.0 * eta4) +
           u4 / 720.0 * (61.0 - 58.0 * t2 + t4 + 270.0 * eta2 - 330.0 * t2 * eta2) +
           u6 / 40320.0 * (1385.0 - 3111.0 * t2 + 543.0 * t4 - t6));
}

void TMToLatLong(double X, double Y, double Lambda0, TGeoEllipsoid Ellipsoid,
                 double& Phi, double& Lambda) noexcept {
  const TEllipsoidAxes& axes = GeoEllipsoidData[Ellipsoid];
  const double phif = FootpointLatitude(FootpointSeries(axes), Y);
  const double sf = std::sin(phif), cf = std::cos(phif);
  const double etaf2 = SecondEccSquared(axes) * cf * cf, etaf4 = etaf2 * etaf2;
  const double Nf = PrimeVerticalRadius(axes, etaf2);
  const double tf = sf / cf, tf2 = tf * tf, tf4 = tf2 * tf2, tf6 = tf4 * tf2;
  // Powers of x always come with the same power of 1/Nf: v = x / Nf.
  const double v = X / Nf, v2 = v * v, v4 = v2 * v2, v6 = v4 * v2;

  Phi = phif +
        tf * v2 *
            ((-1.0 - etaf2) / 2.0 +
             v2 / 24.0 *
                 (5.0 + 3.0 * tf2 + 6.0 * etaf2 - 6.0 * tf2 * etaf2 - 3.0 * etaf4 - 9.0 * tf2 * etaf4) +
             v4 / 720.0 * (-61.0 - 90.0 * tf2 - 45.0 * tf4 - 107.0 * etaf2 + 162.0 * tf2 * etaf2) +
             v6 / 40320.0 * (1385.0 + 3633.0 * tf2 + 4095.0 * tf4 + 1575.0 * tf6));
  Lambda = Lambda0 +
           v / cf *
               (1.0 + v2 / 6.0 * (-1.0 - 2.0 * tf2 - etaf2) +
                v4 / 120.0 * (5.0 + 28.0 * tf2 + 24.0 * tf4 + 6.0 * etaf2 + 8.0 * tf2 * etaf2) +
                v6 / 5040.0 * (-61.0 - 662.0 * tf2 - 1320.0 * tf4 - 720.0 * tf6));
}

void LatLongToUTM(double Latitude, double Longitude, TGeoEllipsoid Ellipsoid,
                  std::int32_t& Zone, double& Easting, double& Northing) noexcept {
  char letter;
  GeoToUTMZone(Latitude, Longitude, Zone, letter);
  double x, y;
  LatLongToTM(Latitude * DegToRad, Longitude * DegToRad, UTMCentralMeridian(Zone), Ellipsoid, x, y);
  Easting = UTMScale * x + UTMFalseEasting;
  Northing = UTMScale * y;
  // The hemisphere follows the sign of the projected northing.
  if (Northing < 0.0) Northing += UTMFalseNorthingSouth;
}

void UTMToLatLong(double Easting, double Northing, std::int32_t Zone, bool South,
                  TGeoEllipsoid Ellipsoid, double& Latitude, double& Longitude) noexcept {
  const double x = (Easting - UTMFalseEasting) / UTMScale;
  const double y = (South ? Northing - UTMFalseNorthingSouth : Northing) / UTMScale;
  double phi, lambda;
  TMToLatLong(x, y, UTMCentralMeridian(Zone), Ellipsoid, phi, lambda);
  Latitude = phi * RadToDeg;
  Longitude = lambda * RadToDeg;
}

} // namespace zyn
