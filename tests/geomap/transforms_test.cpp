#include "geomap/ZYN_transforms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zyn {
namespace {

TCornerArray Corners(TCoords tl, TCoords bl, TCoords br, TCoords tr) {
  TCornerArray c;
  c[gcoTopLeft] = tl;
  c[gcoBottomLeft] = bl;
  c[gcoBottomRight] = br;
  c[gcoTopRight] = tr;
  return c;
}

TEST(PositionInMap, AcceptsOnlyStrictInterior) {
  // A map from 10..20 N and 30..50 E, corners in TCorners order.
  const TCornerArray c = Corners({20, 30}, {10, 30}, {10, 50}, {20, 50});
  struct Case {
    double lat, lon;
    bool inside;
  } cases[] = {
      {15, 40, true},    // centre
      {19.99, 30.01, true},
      {15, 30, false},   // on the left edge
      {20, 40, false},   // on the top edge
      {10, 50, false},   // a corner
      {25, 40, false},   // north of it
      {15, 51, false},   // east of it
      {15, 29, false},   // west of it
  };
  for (const Case& k : cases) EXPECT_EQ(PositionInMap(k.lat, k.lon, c), k.inside) << k.lat << ", " << k.lon;
}

TEST(PositionInMap, WorksForEitherCornerOrientation) {
  // Mirrored corners (a map whose x axis runs west) still enclose their interior.
  const TCornerArray c = Corners({20, 50}, {10, 50}, {10, 30}, {20, 30});
  EXPECT_TRUE(PositionInMap(15, 40, c));
  EXPECT_FALSE(PositionInMap(15, 60, c));
}

TEST(PositionInMap, DegenerateCornersContainNothing) {
  const TCornerArray c = Corners({5, 5}, {5, 5}, {5, 5}, {5, 5});
  EXPECT_FALSE(PositionInMap(5, 5, c));
  EXPECT_FALSE(PositionInMap(0, 0, c));
}

TEST(MillerTransforms, RoundTripThroughFittedLines) {
  TMillerPars p;
  p[1] = {-1000, 800}; // y = -1000·M(φ) + 800
  p[2] = {900, 400};   // x = 900·λ + 400 (λ in radians)
  double x = 0, y = 0;
  MillerPixel(p, 48.5, 11.25, x, y);
  bool valid = false;
  EXPECT_NEAR(MillerLatitude(p, y, valid), 48.5, 1e-12);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(MillerLongitude(p, x, valid), 11.25, 1e-12);
  EXPECT_TRUE(valid);
}

TEST(MillerTransforms, ZeroSlopeIsInvalidWithZeroResult) {
  const TMillerPars p{};
  bool valid = true;
  EXPECT_EQ(MillerLatitude(p, 100, valid), 0);
  EXPECT_FALSE(valid);
  valid = true;
  EXPECT_EQ(MillerLongitude(p, 100, valid), 0);
  EXPECT_FALSE(valid);
}

TEST(ConicTransforms, PixelOfPositionMapsBack) {
  // Pole at (500, -2000); latitude falls 0.01° per pixel of radius; 1 rad of
  // angle is 60° of longitude about 10 E.
  TConicPars p{};
  p[1] = 500;
  p[2] = -2000;
  p[3] = -0.01;
  p[4] = 80;
  p[5] = 60;
  p[6] = 10;
  std::int32_t x = 0, y = 0;
  ConicPixel(p, 55, 14, x, y);
  bool valid = false;
  EXPECT_NEAR(ConicLatitude(p, x, y), 55, 0.01);
  EXPECT_NEAR(ConicLongitude(p, x, y, valid), 14, 0.02);
  EXPECT_TRUE(valid);
}

TEST(ConicTransforms, PoleRowHasNoLongitude) {
  TConicPars p{};
  p[1] = 500;
  p[2] = 100;
  p[5] = 60;
  bool valid = true;
  EXPECT_EQ(ConicLongitude(p, 700, 100, valid), 0);
  EXPECT_FALSE(valid);
  EXPECT_EQ(ConicLongitude(p, 500, 100, valid), 0); // the pole itself: 0/0
  EXPECT_FALSE(valid);
}

TEST(ConicTransforms, ZeroSlopeGivesOrigin) {
  TConicPars p{};
  p[1] = 500;
  p[2] = 100;
  std::int32_t x = 7, y = 7;
  ConicPixel(p, 50, 10, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

} // namespace
} // namespace zyn
