#include "geomap/ZYN_calibration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geomap/ZYN_graticule.h"
#include "geomap/ZYN_transforms.h"
#include "support/ZYN_matrix.h"

namespace zyn {
namespace {

void AddQuad(TCalibData& cd, double lat, double lon, std::int32_t x, std::int32_t y) {
  cd.CalQuads[static_cast<std::size_t>(++cd.NumCalQuads)] = {lat, lon, x, y};
}

TEST(EquiRectFit, ThreeAffinePointsAreReproducedBothWays) {
  // lat = 50 - 0.01·y + 0.001·x, lon = 10 + 0.02·x: an exact affine relation.
  TCalibData cd;
  auto lat = [](int x, int y) { return 50 - 0.01 * y + 0.001 * x; };
  auto lon = [](int x, int) { return 10 + 0.02 * x; };
  for (auto [x, y] : {std::pair{0, 0}, {800, 50}, {100, 600}}) AddQuad(cd, lat(x, y), lon(x, y), x, y);
  TEquRectPars plsp, spll;
  FitEquiRect(cd, plsp, spll);
  for (auto [x, y] : {std::pair{0, 0}, {800, 50}, {100, 600}, {400, 400}}) {
    EXPECT_NEAR(EvalAffine(plsp[1], x, y), lat(x, y), 1e-9);
    EXPECT_NEAR(EvalAffine(plsp[2], x, y), lon(x, y), 1e-9);
    EXPECT_NEAR(EvalAffine(spll[1], lat(x, y), lon(x, y)), x, 1e-6);
    EXPECT_NEAR(EvalAffine(spll[2], lat(x, y), lon(x, y)), y, 1e-6);
  }
}

TEST(EquiRectFit, NoPointsGiveZerosAndOnePointGivesMinimumNorm) {
  TCalibData cd;
  TEquRectPars plsp, spll;
  plsp[1][1] = 5;
  FitEquiRect(cd, plsp, spll);
  EXPECT_EQ(plsp, TEquRectPars{});
  AddQuad(cd, 50, 10, 100, 200);
  FitEquiRect(cd, plsp, spll);
  // Under-determined: the shortest parameter vector still reproduces the point.
  EXPECT_NEAR(EvalAffine(plsp[1], 100, 200), 50, 1e-9);
  EXPECT_NEAR(EvalAffine(spll[2], 50, 10), 200, 1e-9);
}

TEST(BiquadraticFit, SixPointsOnExactRelationAreReproduced) {
  auto lat = [](double x, double y) { return 48 + 1e-3 * x - 2e-3 * y + 1e-7 * x * x + 2e-7 * x * y - 1e-7 * y * y; };
  auto lon = [](double x, double y) { return 9 + 2e-3 * x + 1e-4 * y - 1e-7 * x * x + 1e-8 * y * y; };
  const std::pair<int, int> pts[] = {{0, 0}, {1000, 0}, {0, 800}, {1000, 800}, {500, 300}, {200, 700}, {800, 100}};
  TCalibData cd;
  for (auto [x, y] : pts) AddQuad(cd, lat(x, y), lon(x, y), x, y);
  TBiQuadPars plsp, spll;
  FitBiquadratic(cd, plsp, spll);
  for (auto [x, y] : pts) {
    EXPECT_NEAR(EvalBiquadratic(plsp[1], x, y), lat(x, y), 1e-9);
    EXPECT_NEAR(EvalBiquadratic(plsp[2], x, y), lon(x, y), 1e-9);
    // The inverse is only approximately biquadratic; within a pixel is enough.
    EXPECT_NEAR(EvalBiquadratic(spll[1], lat(x, y), lon(x, y)), x, 1.0);
    EXPECT_NEAR(EvalBiquadratic(spll[2], lat(x, y), lon(x, y)), y, 1.0);
  }
}

TEST(MillerFit, ReproducesPointsOfExactProjection) {
  TMillerPars truth;
  truth[1] = {-3000, 2500};
  truth[2] = {2000, 100};
  TCalibData cd;
  for (auto [lat, lon] : {std::pair{30.0, -10.0}, {45.0, 5.0}, {60.0, 20.0}, {52.5, 0.0}}) {
    double x = 0, y = 0;
    MillerPixel(truth, lat, lon, x, y);
    AddQuad(cd, lat, lon, static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y)));
  }
  TMillerPars fit;
  FitMillerCylindrical(cd, fit);
  for (int k = 1; k <= cd.NumCalQuads; ++k) {
    const TCalQuad& q = cd.CalQuads[static_cast<std::size_t>(k)];
    bool valid = false;
    // Pixels are whole: half a pixel is about 0.015° here.
    EXPECT_NEAR(MillerLatitude(fit, q.MapY, valid), q.Latitude, 0.02);
    EXPECT_NEAR(MillerLongitude(fit, q.MapX, valid), q.Longitude, 0.02);
  }
}

TEST(MillerFit, FewerThanThreePointsKeepPreviousParameters) {
  TCalibData cd;
  AddQuad(cd, 30, 10, 0, 0);
  AddQuad(cd, 40, 20, 100, 100);
  TMillerPars p;
  p[1] = {1, 2};
  p[2] = {3, 4};
  const TMillerPars before = p;
  FitMillerCylindrical(cd, p);
  EXPECT_EQ(p, before);
}

TEST(ConicFit, FindsSyntheticPole) {
  // Pole at (600, -3000): latitude 70 at the pole minus 0.005° per pixel,
  // longitude 15 + 40 per radian of angle.
  TConicPars truth{};
  truth[1] = 600;
  truth[2] = -3000;
  truth[3] = -0.005;
  truth[4] = 70;
  truth[5] = 40;
  truth[6] = 15;
  TCalibData cd;
  for (int x = 0; x <= 1200; x += 300)
    for (int y = 0; y <= 900; y += 300) {
      bool valid = false;
      AddQuad(cd, ConicLatitude(truth, x, y), ConicLongitude(truth, x, y, valid), x, y);
    }
  TConicPars fit{};
  FitConicConformal(cd, 1200, 900, fit);
  EXPECT_NEAR(fit[1], 600, 1);
  EXPECT_NEAR(fit[2], -3000, 1);
  EXPECT_NEAR(fit[3], -0.005, 1e-5);
  EXPECT_NEAR(fit[5], 40, 0.05);
  std::int32_t x = 0, y = 0;
  ConicPixel(fit, cd.CalQuads[6].Latitude, cd.CalQuads[6].Longitude, x, y);
  EXPECT_NEAR(x, cd.CalQuads[6].MapX, 1);
  EXPECT_NEAR(y, cd.CalQuads[6].MapY, 1);
}

TEST(ConicFit, FewerThanThreePointsGiveZeros) {
  TCalibData cd;
  AddQuad(cd, 50, 10, 0, 0);
  TConicPars p{};
  p[3] = 7;
  FitConicConformal(cd, 100, 100, p);
  EXPECT_EQ(p, TConicPars{});
}

void AddLine(TCalibData& cd, TGratLineKind kind, double value, std::initializer_list<TPoint> pts) {
  TCalibLine& line = cd.CalLines[static_cast<std::size_t>(++cd.NumCalLines)];
  line.LineType = kind;
  line.LineValue = value;
  line.NumPoints = 0;
  for (TPoint p : pts) line.CalPoints[static_cast<std::size_t>(++line.NumPoints)] = p;
}

/// Two parallels (50 N at row 100, 49 N at row 500, slightly curved) and two
/// meridians (8 E at column 100, 10 E at column 900).
TCalibData TwoByTwoGraticule() {
  TCalibData cd;
  AddLine(cd, gtlParallel, 50, {{0, 110}, {500, 100}, {1000, 110}});
  AddLine(cd, gtlParallel, 49, {{0, 510}, {500, 500}, {1000, 510}});
  AddLine(cd, gtlMeridian, 8, {{100, 0}, {100, 300}, {100, 600}});
  AddLine(cd, gtlMeridian, 10, {{900, 0}, {900, 300}, {900, 600}});
  return cd;
}

TEST(GraticuleModel, TwoParallelsAndTwoMeridiansConvertBothWays) {
  TMatrix m;
  ASSERT_TRUE(FitGraticule(TwoByTwoGraticule(), m));
  EXPECT_EQ(m.NrOfRows(), 4);
  bool valid = false;
  EXPECT_NEAR(GratCoordinate(m, gtlParallel, 500, 300, valid), 49.5, 1e-9);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(GratCoordinate(m, gtlMeridian, 500, 300, valid), 9, 1e-9);
  std::int32_t x = 0, y = 0;
  ASSERT_TRUE(GratPixel(m, 49.5, 9, x, y));
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 300);
  ASSERT_TRUE(GratPixel(m, 50, 8, x, y));
  EXPECT_NEAR(x, 100, 1);
  EXPECT_NEAR(y, 100 + 10 * 0.64, 1); // the parallel's curve at column 100
}

TEST(GraticuleModel, CollapsesWithoutTwoFittedLinesOfEachKind) {
  TCalibData cd = TwoByTwoGraticule();
  cd.CalLines[4].NumPoints = 2; // second meridian no longer fitted
  TMatrix m;
  EXPECT_FALSE(FitGraticule(cd, m));
  EXPECT_EQ(m.NrOfRows(), 1);
  for (int c = 1; c <= 5; ++c) EXPECT_EQ(m.GetVal(c, 1), 0);
  bool valid = true;
  EXPECT_EQ(GratCoordinate(m, gtlParallel, 10, 10, valid), 0);
  EXPECT_FALSE(valid);
  std::int32_t x = 3, y = 4;
  EXPECT_FALSE(GratPixel(m, 50, 9, x, y));
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 4);
}

TEST(GraticuleModel, ShortLineIsListedButNotFitted) {
  TCalibData cd = TwoByTwoGraticule();
  AddLine(cd, gtlParallel, 48, {{0, 900}, {1000, 900}});
  TMatrix m;
  ASSERT_TRUE(FitGraticule(cd, m));
  ASSERT_EQ(m.NrOfRows(), 5);
  EXPECT_EQ(m.GetVal(1, 5), 1);
  EXPECT_EQ(m.GetVal(2, 5), 48);
  EXPECT_EQ(m.GetVal(3, 5), 0);
}

} // namespace
} // namespace zyn
