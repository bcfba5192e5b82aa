#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geobasics/ZYN_geobasics.h"
#include "support/ZYN_univconst.h"

namespace zyn {
namespace {

TEST(UPS, ProjectsKnownPositionsAndBack) {
  struct Case { double Lat, Lon, X, Y; };
  const Case cases[] = {
      {85, 10, 2096454.164, 1452981.254},
      {-85, 10, 2096454.164, 2547018.746},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Lat << ", " << c.Lon);
    double x, y, lat, lon;
    LatLongToUPS(c.Lat, c.Lon, gelWGS84, x, y);
    EXPECT_NEAR(x, c.X, 1e-3);
    EXPECT_NEAR(y, c.Y, 1e-3);
    UPSToLatLong(x, y, c.Lat < 0, gelWGS84, lat, lon);
    EXPECT_NEAR(lat, c.Lat, 1e-9);
    EXPECT_NEAR(lon, c.Lon, 1e-9);
  }
}

TEST(UPS, BothPolesMapExactlyToTheOriginAndBack) {
  for (double lat : {90.0, -90.0}) {
    double x, y, backLat, backLon;
    LatLongToUPS(lat, 10.0, gelWGS84, x, y);
    EXPECT_EQ(x, 2000000.0);
    EXPECT_EQ(y, 2000000.0);
    UPSToLatLong(x, y, lat < 0, gelWGS84, backLat, backLon);
    EXPECT_EQ(backLat, lat);
  }
}

TEST(UPS, MeridiansOnTheAxesGiveExactCoordinates) {
  double x, y, x2, y2;
  LatLongToUPS(86.0, 270.0, gelWGS84, x, y);  // taken as -90
  EXPECT_EQ(y, 2000000.0);
  LatLongToUPS(86.0, -90.0, gelWGS84, x2, y2);
  EXPECT_EQ(x, x2);
  EXPECT_LT(x, 2000000.0);
  LatLongToUPS(-86.0, 180.0, gelWGS84, x, y);  // taken as -180
  EXPECT_EQ(x, 2000000.0);
  EXPECT_LT(y, 2000000.0);
}

TEST(UPS, RoundTripsOverThePolarCapsOnEveryEllipsoidKind) {
  for (TGeoEllipsoid ellipsoid : {gelWGS84, gelInt24, gelSphere}) {
    double worst = 0;
    for (double lat = 60; lat < 90; lat += 2.5)
      for (double lon = -175; lon < 180; lon += 35)
        for (double sign : {1.0, -1.0}) {
          double x, y, backLat, backLon;
          LatLongToUPS(sign * lat, lon, ellipsoid, x, y);
          UPSToLatLong(x, y, sign < 0, ellipsoid, backLat, backLon);
          worst = std::max({worst, std::fabs(backLat - sign * lat), std::fabs(backLon - lon)});
        }
    EXPECT_LT(worst, 1e-9) << GeoEllipsoidId[ellipsoid];
  }
}

// The inverse written out step by step: six Newton steps unless one falls below
// the tolerance. The library's version skips the steps whose outcome is already
// known and takes its sines and cosines from the half angle, so the two agree to rounding.
void ReferenceUPSToLatLong(double X, double Y, bool South, double& Latitude) {
  const auto [a, b] = GeoEllipsoidData[gelWGS84];
  const double e2 = 1 - (b / a) * (b / a), e = std::sqrt(std::fabs(e2));
  const double x = X - 2000000, y = Y - 2000000, rho = std::sqrt(x * x + y * y);
  const double T = std::sqrt(1 - e2) * rho * std::exp(e * std::atanh(e)) / (0.994 * a);
  double chi = 2 * std::atan(T / 2);
  for (int step = 0; step < 6; ++step) {
    const double c = std::cos(chi), E = std::exp(e * std::atanh(e * c));
    const double F = 2 * std::tan(chi / 2) * E - T;
    const double dF = (1 - e2) * E / ((1 - e2 * c * c) * std::cos(chi / 2) * std::cos(chi / 2));
    const double delta = -F / dF;
    chi += delta;
    if (std::fabs(delta) < std::sqrt(uc_MinDouble) / 10) break;
  }
  Latitude = 90 - chi * 180 / std::numbers::pi;
  if (South) Latitude = -Latitude;
}

TEST(UPS, InverseAgreesWithTheFullNewtonIteration) {
  double worst = 0;
  for (double lat = 60; lat < 90; lat += 0.173)
    for (double lon = -180; lon < 180; lon += 23.7) {
      double x, y, ours, reference, lonOut;
      LatLongToUPS(lat, lon, gelWGS84, x, y);
      UPSToLatLong(x, y, false, gelWGS84, ours, lonOut);
      ReferenceUPSToLatLong(x, y, false, reference);
      worst = std::max(worst, std::fabs(ours - reference));
    }
  EXPECT_LT(worst, 1e-12);
}

} // namespace
} // namespace zyn
