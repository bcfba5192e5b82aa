#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "geobasics/ZYN_geobasics.h"

namespace zyn {
namespace {

constexpr double Deg = std::numbers::pi / 180.0;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(MeridianArc, RunsFromZeroAtTheEquatorToTheQuadrantAtThePole) {
  EXPECT_EQ(ArcLengthOfMeridian(0.0, gelWGS84), 0.0);
  EXPECT_NEAR(ArcLengthOfMeridian(std::numbers::pi / 2, gelWGS84), 10001965.729, 1e-3);
  EXPECT_NEAR(ArcLengthOfMeridian(-std::numbers::pi / 2, gelWGS84), -10001965.729, 1e-3);
  // On a sphere the arc is the radius times the angle.
  EXPECT_NEAR(ArcLengthOfMeridian(1.0, gelSphere), 6370997.0, 1e-6);
}

TEST(UTM, ProjectsKnownPositions) {
  struct Case { double Lat, Lon; std::int32_t Zone; double E, N; bool South; };
  const Case cases[] = {
      {48, 11.5, 32, 686482.635, 5319324.564, false},
      {0, 3, 31, 500000.0, 0.0, false},
      {-33.9, 18.4, 34, 259583.222, 6245888.045, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Lat << ", " << c.Lon);
    std::int32_t zone;
    double e, n;
    LatLongToUTM(c.Lat, c.Lon, gelWGS84, zone, e, n);
    EXPECT_EQ(zone, c.Zone);
    EXPECT_NEAR(e, c.E, 1e-3);
    EXPECT_NEAR(n, c.N, 1e-3);
    double lat, lon;
    UTMToLatLong(e, n, zone, c.South, gelWGS84, lat, lon);
    EXPECT_NEAR(lat, c.Lat, 1e-9);
    EXPECT_NEAR(lon, c.Lon, 1e-9);
  }
}

// Worst difference in degrees after LatLongToUTM and back over a grid of positions.
template <class Positions>
double WorstUTMRoundTrip(TGeoEllipsoid Ellipsoid, Positions ForEachPosition) {
  double worst = 0;
  ForEachPosition([&](double Lat, double Lon) {
    std::int32_t zone;
    double e, n, lat, lon;
    LatLongToUTM(Lat, Lon, Ellipsoid, zone, e, n);
    UTMToLatLong(e, n, zone, Lat < 0, Ellipsoid, lat, lon);
    worst = std::max({worst, std::fabs(lat - Lat), std::fabs(lon - Lon)});
  });
  return worst;
}

TEST(UTM, RoundTripsWithinTheZoneToBetterThanANanodegree) {
  // Zone 15 (central meridian -93) has no exceptions; the grid reaches both edges.
  const auto zone15 = [](auto Visit) {
    for (double lat = -80; lat <= 84; lat += 2)
      for (double offset = -3; offset <= 3; offset += 0.375) Visit(lat, std::min(-93 + offset, -90 - 1e-9));
  };
  for (TGeoEllipsoid ellipsoid : {gelWGS84, gelInt24, gelClrk80, gelSphere})
    EXPECT_LT(WorstUTMRoundTrip(ellipsoid, zone15), 1e-9) << GeoEllipsoidId[ellipsoid];
}

TEST(UTM, RoundTripsInTheWidenedNorwayAndSvalbardZones) {
  // Zones 32 (band V) and 31..37 (band X) reach up to 6 degrees from their central meridians.
  const auto exceptions = [](auto Visit) {
    for (double lat = 56; lat < 64; lat += 1) for (double lon = 3; lon < 12; lon += 0.5) Visit(lat, lon);
    for (double lat = 72; lat <= 84; lat += 1) for (double lon = 0; lon < 42; lon += 0.5) Visit(lat, lon);
  };
  EXPECT_LT(WorstUTMRoundTrip(gelWGS84, exceptions), 1e-8);
}

TEST(UTM, PositionWithoutZoneIsProjectedAboutGreenwich) {
  std::int32_t zone = -1;
  double e, n, x, y;
  LatLongToUTM(85.0, 2.0, gelWGS84, zone, e, n);
  LatLongToTM(85.0 * Deg, 2.0 * Deg, 0.0, gelWGS84, x, y);
  EXPECT_EQ(zone, 0);
  EXPECT_DOUBLE_EQ(e, 0.9996 * x + 500000.0);
  EXPECT_DOUBLE_EQ(n, 0.9996 * y);

  double lat, lon;
  UTMToLatLong(e, n, 61, false, gelWGS84, lat, lon);
  EXPECT_NEAR(lat, 85.0, 1e-9);
  EXPECT_NEAR(lon, 2.0, 1e-9);
}

TEST(UTM, NonFiniteInputHasNoZoneAndNoCrash) {
  for (double bad : {NaN, std::numeric_limits<double>::infinity()}) {
    std::int32_t zone = -1;
    double e = 0, n = 0;
    LatLongToUTM(bad, 10.0, gelWGS84, zone, e, n);
    EXPECT_EQ(zone, 0);
    LatLongToUTM(45.0, bad, gelWGS84, zone, e, n);
    EXPECT_EQ(zone, 0);
    EXPECT_FALSE(std::isfinite(e));
  }
}

TEST(TransverseMercator, CentralMeridianMapsOntoTheMeridianArc) {
  double x, y, phi, lambda;
  LatLongToTM(0.7, 0.2, 0.2, gelBess41, x, y);
  EXPECT_EQ(x, 0.0);
  EXPECT_DOUBLE_EQ(y, ArcLengthOfMeridian(0.7, gelBess41));
  TMToLatLong(x, y, 0.2, gelBess41, phi, lambda);
  EXPECT_NEAR(phi, 0.7, 1e-13);
  EXPECT_DOUBLE_EQ(lambda, 0.2);
  // Symmetric about the central meridian and the equator.
  double x2, y2;
  LatLongToTM(-0.7, 0.15, 0.2, gelBess41, x, y);
  LatLongToTM(0.7, 0.25, 0.2, gelBess41, x2, y2);
  EXPECT_DOUBLE_EQ(x, -x2);
  EXPECT_DOUBLE_EQ(y, -y2);
}

} // namespace
} // namespace zyn
