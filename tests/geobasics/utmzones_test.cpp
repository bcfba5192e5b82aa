#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <numbers>
#include <string>

#include "geobasics/ZYN_geobasics.h"

namespace zyn {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(UTMZone, BandsZonesAndTheNorwaySvalbardExceptions) {
  struct Case { double Lat, Lon; const char* Expected; };
  const Case cases[] = {
      {48, 11.5, "32U"},   {0, 0, "31N"},       {-0.5, 0, "31M"},    {-80, 0, "31C"},
      {-72.1, 0, "31C"},   {-72, 0, "31D"},     {-32, 0, "31J"},     {-24, 0, "31K"},
      {8, 0, "31P"},       {84, 5, "31X"},      {72, 50, "39X"},     {71.9, 50, "39W"},
      {-45, -180, "1G"},   {-45, 179.999, "60G"}, {60, 5, "32V"},    {60, 2.9, "31V"},
      {60, 12, "33V"},     {55.9, 5, "31U"},    {78, 9, "33X"},      {78, 20.9, "33X"},
      {78, 21, "35X"},     {78, 41.9, "37X"},   {78, 42, "38X"},     {78, -0.1, "30X"},
      {78, 0, "31X"},      {78, 8.9, "31X"},    {78, 33, "37X"},     {-80, 179.99999999999997, "60C"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GeoToUTMZone(c.Lat, c.Lon), c.Expected) << c.Lat << ", " << c.Lon;
  }
}

TEST(UTMZone, PositionsWithoutAZoneGiveZoneZeroAndABlank) {
  struct Case { double Lat, Lon; };
  const Case cases[] = {
      {-80.1, 0}, {84.0001, 5}, {90, 0}, {0, 180}, {0, -180.0001}, {0, 540},
      {NaN, 0},   {0, NaN},     {Inf, 0}, {-Inf, 0}, {0, Inf},    {0, -Inf},
  };
  for (const Case& c : cases) {
    std::int32_t zone = -1;
    char letter = '?';
    GeoToUTMZone(c.Lat, c.Lon, zone, letter);
    EXPECT_EQ(zone, 0) << c.Lat << ", " << c.Lon;
    EXPECT_EQ(letter, ' ');
    EXPECT_EQ(GeoToUTMZone(c.Lat, c.Lon), "");
  }
}

TEST(UTMZone, CentralMeridianInRadiansAndZeroOutsideTheZones) {
  constexpr double deg = std::numbers::pi / 180.0;
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(31), 3 * deg);
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(1), -177 * deg);
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(60), 177 * deg);
  for (std::int32_t zone : {0, -1, 61, std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max()})
    EXPECT_EQ(UTMCentralMeridian(zone), 0.0) << zone;
}

} // namespace
} // namespace zyn
