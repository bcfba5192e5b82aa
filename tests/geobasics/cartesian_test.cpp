#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

#include "geobasics/ZYN_geobasics.h"

namespace zyn {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Deg = std::numbers::pi / 180.0;

TEST(Geocentric, KnownPointsOnTheAxes) {
  double x, y, z;
  GeoToCartesian(0, 0, 0, gelWGS84, x, y, z);
  EXPECT_DOUBLE_EQ(x, 6378137.0);
  EXPECT_NEAR(y, 0, 1e-9);
  EXPECT_NEAR(z, 0, 1e-9);
  GeoToCartesian(90, 0, 100, gelWGS84, x, y, z);
  EXPECT_NEAR(z, 6356752.314245 + 100, 1e-6);
  EXPECT_NEAR(x, 0, 1e-6);
}

TEST(Geocentric, RoundTripsOnEachEllipsoidAndInEveryQuadrant) {
  struct Case { double Lat, Lon, H; };
  const Case cases[] = {{48, 11.5, 500}, {-33.9, 120, 0}, {60, -150, -30}, {-75, -60, 8000},
                        {0, 180, 10}, {89.9, 45, 1000}, {1e-7, -179.5, 0}};
  for (TGeoEllipsoid ellipsoid : {gelWGS84, gelAiry30, gelClrk66, gelSphere, gelPopVisSphere}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << GeoEllipsoidId[ellipsoid] << " " << c.Lat << ", " << c.Lon);
      double x, y, z, lat, lon, h;
      GeoToCartesian(c.Lat, c.Lon, c.H, ellipsoid, x, y, z);
      CartesianToGeo(x, y, z, ellipsoid, lat, lon, h);
      EXPECT_NEAR(lat, c.Lat, 1e-9);
      EXPECT_NEAR(lon, c.Lon, 1e-9);
      EXPECT_NEAR(h, c.H, 1e-4);
    }
  }
}

TEST(Geocentric, PointsOnThePolarAxisGiveThePole) {
  struct Case { double Z, Lat, H; };
  const Case cases[] = {{6356752.314245 + 10, 90, 10}, {-6356752.314245, -90, 0}, {0, 90, -6356752.314245}};
  for (const Case& c : cases) {
    double lat, lon, h;
    CartesianToGeo(0, 0, c.Z, gelWGS84, lat, lon, h);
    EXPECT_EQ(lat, c.Lat);
    EXPECT_EQ(lon, 0);
    EXPECT_NEAR(h, c.H, 1e-6);
  }
}

TEST(DatumShift, StatusCodesAndTheLastFailingCheckWins) {
  struct Case { std::int32_t Source; double Lat, Lon; std::int32_t Target, Status; };
  const Case cases[] = {
      {269, 48, 11, 269, 0},  {0, 48, 11, 269, -1},   {272, 48, 11, 269, -1}, {269, 48, 11, 0, -2},
      {269, 48, 11, 272, -2}, {0, 48, 11, 0, -2},     {269, 91, 11, 269, -3}, {269, -90.5, 11, 269, -3},
      {269, 91, 181, 269, -4}, {269, 48, -181, 269, -4}, {0, 91, 11, 0, -3},  {269, NaN, 11, 269, -3},
      {269, 48, NaN, 269, -4}, {-2147483647 - 1, 48, 11, 2147483647, -2},
      {269, 90, 180, 269, 0}, {269, -90, -180, 269, 0},
  };
  for (const Case& c : cases) {
    double lat, lon, h;
    EXPECT_EQ(HelmertTransform(c.Source, c.Lat, c.Lon, 0, c.Target, lat, lon, h), c.Status)
        << c.Source << " " << c.Lat << " " << c.Lon << " " << c.Target;
  }
}

TEST(DatumShift, BadIndexGivesNaNAndBadPositionIsStillShifted) {
  double lat = 0, lon = 0, h = 0;
  HelmertTransform(0, 48, 11, 0, 269, lat, lon, h);
  EXPECT_TRUE(std::isnan(lat) && std::isnan(lon) && std::isnan(h));
  EXPECT_EQ(HelmertTransform(269, 48, 181, 0, 269, lat, lon, h), -4);
  EXPECT_NEAR(lat, 48, 1e-9);
  EXPECT_NEAR(lon, 181 - 360, 1e-9);
}

TEST(DatumShift, WorldDatumToItselfIsTheIdentity) {
  double lat, lon, h;
  EXPECT_EQ(HelmertTransform(269, 52.5, -120.25, 35, 269, lat, lon, h), 0);
  EXPECT_NEAR(lat, 52.5, 1e-10);
  EXPECT_NEAR(lon, -120.25, 1e-10);
  EXPECT_NEAR(h, 35, 1e-5);
}

TEST(DatumShift, Wgs72ToWgs84MatchesThePublishedExample) {
  // The worked example of the WGS 72 -> WGS 84 seven-parameter shift: 55°N 4°E on WGS 72
  // becomes X 3657660.78, Y 255778.43, Z 5201387.75 on WGS 84.
  double expLat, expLon, expH;
  CartesianToGeo(3657660.78, 255778.43, 5201387.75, gelWGS84, expLat, expLon, expH);
  double lat, lon, h;
  ASSERT_EQ(HelmertTransform(268, 55, 4, 0, 269, lat, lon, h), 0);
  EXPECT_NEAR(lat, expLat, 2e-7);  // about 1 cm
  EXPECT_NEAR(lon, expLon, 2e-7);
  EXPECT_NEAR(h, expH, 0.02);
  // And back with the first-order inverse, to within a millimetre.
  double backLat, backLon, backH;
  HelmertTransform(269, lat, lon, h, 268, backLat, backLon, backH);
  EXPECT_NEAR(backLat, 55, 1e-8);
  EXPECT_NEAR(backLon, 4, 1e-8);
  EXPECT_NEAR(backH, 0, 1e-3);
}

TEST(DatumShift, Osgb36ToWgs84MovesGreenwichNorthWestByAboutOneHundredMetres) {
  // OSGB 36 lies roughly 120 m from WGS 84 in southern England; heights on the Airy
  // ellipsoid are some 45 m below those on WGS 84.
  double lat, lon, h;
  ASSERT_EQ(HelmertTransform(183, 51.4773, 0.0, 0, 269, lat, lon, h), 0);
  const double north = (lat - 51.4773) * 111.25e3, east = lon * 111.32e3 * std::cos(51.4773 * Deg);
  EXPECT_GT(north, 30);
  EXPECT_LT(east, -80);
  EXPECT_NEAR(std::hypot(north, east), 120, 25);
  EXPECT_NEAR(h, 46, 4);
}

} // namespace
} // namespace zyn
