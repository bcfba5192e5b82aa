#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/ZYN_dstruct.h"
#include "support/ZYN_math1.h"
#include "support/ZYN_math2.h"
#include "support/ZYN_matrix.h"
#include "support/ZYN_sline.h"
#include "support/ZYN_vector.h"
#include "support/ZYN_zynbase.h"

namespace zyn {
namespace {

TEST(ClipBox, ClipsSegmentsInsideOutsideCrossingAndTouching) {
  struct TCase {
    const char* What;
    double x1, y1, x2, y2;
    bool Hit;
    double ex1, ey1, ex2, ey2;
  };
  // Box [0, 100] x [0, 50].
  const TCase cases[] = {
      {"inside", 10, 10, 90, 40, true, 10, 10, 90, 40},
      {"outside left", -20, 10, -5, 40, false, -20, 10, -5, 40},
      {"outside beyond a corner", -10, 60, 20, 70, false, -10, 60, 20, 70},
      {"crossing horizontally", -50, 25, 150, 25, true, 0, 25, 100, 25},
      {"crossing diagonally", -10, -10, 110, 110, true, 0, 0, 50, 50},
      {"leaving through the top", 50, 25, 50, -25, true, 50, 25, 50, 0},
      {"reversed direction", 150, 25, -50, 25, true, 100, 25, 0, 25},
      {"touching a corner", -10, 40, 10, 60, true, 0, 50, 0, 50},
      {"along an edge", -10, 0, 110, 0, true, 0, 0, 100, 0},
      {"a point inside", 5, 5, 5, 5, true, 5, 5, 5, 5},
      {"a point outside", 500, 5, 500, 5, false, 500, 5, 500, 5},
  };
  for (const auto& c : cases) {
    TSLine line;
    double x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    EXPECT_EQ(line.ClipBox(0, 0, 100, 50, x1, y1, x2, y2), c.Hit) << c.What;
    EXPECT_DOUBLE_EQ(x1, c.ex1) << c.What;
    EXPECT_DOUBLE_EQ(y1, c.ey1) << c.What;
    EXPECT_DOUBLE_EQ(x2, c.ex2) << c.What;
    EXPECT_DOUBLE_EQ(y2, c.ey2) << c.What;
  }
}

TEST(ClipBox, AcceptsSwappedBoundsAndRejectsNonFiniteInput) {
  TSLine line;
  double x1 = -50, y1 = 25, x2 = 150, y2 = 25;
  EXPECT_TRUE(line.ClipBox(100, 50, 0, 0, x1, y1, x2, y2));
  EXPECT_EQ(x1, 0);
  EXPECT_EQ(x2, 100);
  EXPECT_EQ(line.X2(), 100);
  double nx = NAN, ny = 1, mx = 2, my = 3;
  EXPECT_FALSE(line.ClipBox(0, 0, 10, 10, nx, ny, mx, my));
}

TEST(CurveFit, ParabolaFitIsExactForPixelCoordinatesFarFromZero) {
  // A graticule line: y = c0 + c1 x + c2 x² sampled at x in the thousands.
  const double c0 = 1234.5, c1 = -0.75, c2 = 3.0e-5;
  TCurveFit fit;
  fit.Init();
  for (int i = 0; i < 40; ++i) {
    const double x = 5000 + 37.5 * i;
    fit.EnterStatValue(x, c0 + c1 * x + c2 * x * x);
  }
  double a0 = 0, a1 = 0, a2 = 0, q = 0;
  fit.CalcParabolFit(a0, a1, a2, q);
  EXPECT_NEAR(a2, c2, 1e-14);
  EXPECT_NEAR(a1, c1, 1e-9);
  EXPECT_NEAR(a0, c0, 1e-5);
  for (double x : {5000.0, 5700.0, 6462.5})
    EXPECT_NEAR(a0 + a1 * x + a2 * x * x, c0 + c1 * x + c2 * x * x, 1e-7) << x;
  EXPECT_LT(q, 1e-7);
}

TEST(CurveFit, LineFitIsExactWithLargeOffsets) {
  TCurveFit fit;
  for (int i = 0; i < 10; ++i) fit.EnterStatValue(1.0e6 + i, 2.5 * (1.0e6 + i) - 7);
  double k = 0, d = 0, r = 0;
  fit.CalcLinFit(k, d, r);
  EXPECT_NEAR(k, 2.5, 1e-10);
  EXPECT_NEAR(d, -7, 1e-4);
  EXPECT_NEAR(r, 1, 1e-12);
}

TEST(CurveFit, DegenerateInputGivesDefinedFiniteResults) {
  double c0 = 9, c1 = 9, c2 = 9, q = 9, k = 9, d = 9, r = 9;
  TCurveFit fit;
  fit.CalcParabolFit(c0, c1, c2, q);
  fit.CalcLinFit(k, d, r);
  EXPECT_EQ(c0 + c1 + c2 + q + k + d + r, 0);

  fit.EnterStatValue(3, 4);
  fit.EnterStatValue(3, 6);
  fit.EnterStatValue(NAN, 1); // not entered
  EXPECT_EQ(fit.NumData(), 2);
  fit.CalcParabolFit(c0, c1, c2, q);
  EXPECT_EQ(c0, 5);  // all x equal: the mean of y
  EXPECT_EQ(c1, 0);
  EXPECT_EQ(c2, 0);
  EXPECT_EQ(q, 1);

  fit.Init();
  fit.EnterStatValue(0, 1);
  fit.EnterStatValue(2, 5);
  fit.CalcParabolFit(c0, c1, c2, q); // two points: the line through them
  EXPECT_DOUBLE_EQ(c0, 1);
  EXPECT_DOUBLE_EQ(c1, 2);
  EXPECT_EQ(c2, 0);
}

TEST(CurveFit, StatisticsReportTheRmsOfYMinusXSixth) {
  TCurveFit fit;
  // Stored pixel x against computed value y: errors +3 and -4.
  fit.EnterStatValue(100, 103);
  fit.EnterStatValue(200, 196);
  std::int32_t n = 0;
  double v[7] = {};
  fit.CalcStatistics(n, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  EXPECT_EQ(n, 2);
  EXPECT_DOUBLE_EQ(v[0], 150);
  EXPECT_DOUBLE_EQ(v[1], 149.5);
  EXPECT_DOUBLE_EQ(v[4], -0.5);
  EXPECT_DOUBLE_EQ(v[5], std::sqrt(12.5));
  EXPECT_DOUBLE_EQ(v[6], 4);
  fit.Init();
  fit.CalcStatistics(n, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(v[5], 0);
}

TEST(HexText, ScanHexReadsHexBack) {
  for (std::int64_t v : {0LL, 0xFFLL, 0x00FF00LL, 0xFFFFFFLL, 0x12345678LL, 0x7FFFFFFFFFFFFFFFLL, -1LL}) {
    const std::string text = "x=" + Hex(v, 8) + "\"";
    std::int32_t pos = 3;
    EXPECT_EQ(ScanHex(text, pos), v) << text;
    EXPECT_EQ(text[static_cast<std::size_t>(pos - 1)], '"') << text;
  }
  EXPECT_EQ(Hex(255, 8), "000000FF");
  EXPECT_EQ(Hex(0xABCDEF, 2), "ABCDEF");
  struct TCase {
    const char* Text;
    std::int32_t Start;
    std::int64_t Value;
    std::int32_t End;
  };
  const TCase cases[] = {{"  ff", 1, 255, 5}, {"$1A", 1, 26, 4}, {"0x10z", 1, 16, 5}, {"zz", 1, 0, 1},
                         {"", 1, 0, 1},       {"ab", 7, 0, 7},   {"ab", -4, 0xAB, 3}};
  for (const auto& c : cases) {
    std::int32_t pos = c.Start;
    EXPECT_EQ(ScanHex(c.Text, pos), c.Value) << c.Text;
    EXPECT_EQ(pos, c.End) << c.Text;
  }
}

TEST(ScanDateTime, ParsesTheLandmarkDateFormatAndRejectsBadDates) {
  std::int32_t status = 0;
  const TDateTime t = ScanDateTime("20240229235958", "yyyymmddHHMMSS", lanEnglish, status);
  EXPECT_EQ(status, 0);
  TDateTimeParts p;
  ASSERT_TRUE(TryDecodeDateTime(t, p));
  EXPECT_EQ(p.Year, 2024);
  EXPECT_EQ(p.Month, 2);
  EXPECT_EQ(p.Day, 29);
  EXPECT_EQ(p.Hour, 23);
  EXPECT_EQ(p.Minute, 59);
  EXPECT_EQ(p.Second, 58);
  EXPECT_EQ(FormatDateTimeFields(t, "yyyymmddHHMMSS"), "20240229235958");
  EXPECT_DOUBLE_EQ(ScanDateTime("18991230000000", "yyyymmddHHMMSS", lanEnglish, status), 0.0);
  EXPECT_DOUBLE_EQ(ScanDateTime("19000101120000", "yyyymmddHHMMSS", lanEnglish, status), 2.5);
  EXPECT_DOUBLE_EQ(ScanDateTime("12-Mar-2021", "dd-mmm-yyyy", lanEnglish, status),
                   ScanDateTime("20210312000000", "yyyymmddHHMMSS", lanEnglish, status));
  for (const char* bad : {"", "2023022912000", "20230229120000", "20231301000000", "2024x229235958"}) {
    status = 0;
    EXPECT_EQ(ScanDateTime(bad, "yyyymmddHHMMSS", lanEnglish, status), 0.0) << bad;
    EXPECT_NE(status, 0) << bad;
  }
}

TEST(Round125, PicksTheNearestSeriesValueOnALogScale) {
  const std::pair<double, double> cases[] = {{1200, 1000}, {1500, 2000}, {3000, 2000}, {4000, 5000},
                                             {7500, 10000}, {1, 1},      {0.03, 0.02}, {0.0007, 0.0005},
                                             {5e-324, 5e-324}, {0, 0},    {-3, 0},      {NAN, 0}};
  for (const auto& [x, r] : cases) EXPECT_DOUBLE_EQ(Round125(x), r) << x;
  EXPECT_TRUE(std::isfinite(Round125(1.7e308)));
}

TEST(BRandom, IsRepeatableForASeedAndHonoursTheBounds) {
  TRandomGenerator a(42), b(42);
  int hits = 0;
  for (int i = 0; i < 10000; ++i) {
    const bool x = BRandom(0.3, a);
    EXPECT_EQ(x, BRandom(0.3, b));
    hits += x;
  }
  EXPECT_NEAR(hits, 3000, 200);
  for (int i = 0; i < 100; ++i) {
    EXPECT_TRUE(BRandom(1.0));
    EXPECT_TRUE(BRandom(2.0));
    EXPECT_FALSE(BRandom(0.0));
    EXPECT_FALSE(BRandom(NAN));
  }
}

TEST(DegreeToStr, WritesEachFormatWithCarries) {
  EXPECT_EQ(DegreeToStr(47.5, dgfDegrees, 2), "47.50\xC2\xB0");
  EXPECT_EQ(DegreeToStr(47.5, dgfDegrees, 0), "48\xC2\xB0"); // ties to even
  EXPECT_EQ(DegreeToStr(47.5, dgfMinutes, 1), "47\xC2\xB0" "30.0'");
  EXPECT_EQ(DegreeToStr(47.0833333333, dgfMinutes, 0), "47\xC2\xB0" "05'");
  EXPECT_EQ(DegreeToStr(47.99999, dgfMinutes, 1), "48\xC2\xB0" "00.0'");
  EXPECT_EQ(DegreeToStr(12.5125, dgfSeconds, 1), "12\xC2\xB0" "30'45.0\"");
  EXPECT_EQ(DegreeToStr(-1.5, dgfMinutes, 0), "-1\xC2\xB0" "30'");
  EXPECT_EQ(DegreeToStr(NAN, dgfDegrees, 2), "");
}

TEST(SphereGreatCircleDist, MeasuresAlongTheSphere) {
  const double r = 6378000;
  EXPECT_NEAR(SphereGreatCircleDist(r, 0, 0, 0, 90), r * std::numbers::pi / 2, 1e-6);
  EXPECT_NEAR(SphereGreatCircleDist(r, 10, 20, -10, -160), r * std::numbers::pi, 1e-6);
  EXPECT_NEAR(SphereGreatCircleDist(r, 45, 7, 45, 7 + 1e-9), r * 1e-9 * std::numbers::pi / 180 * std::sqrt(0.5),
              1e-9);
  EXPECT_EQ(SphereGreatCircleDist(r, 45, 7, 45, 7), 0);
}

TEST(MatrixAndVector, IndexFromOneCloneAndRefuseOutOfRange) {
  TMatrix a(5, 3), b;
  a.SetVal(5, 3, 7.5);
  a.SetVal(1, 1, -1);
  b.Clone(a);
  EXPECT_EQ(b, a);
  EXPECT_EQ(b.NrOfColumns(), 5);
  EXPECT_EQ(b.GetVal(5, 3), 7.5);
  a.Resize(5, 1);
  EXPECT_EQ(a.GetVal(1, 1), -1);
  EXPECT_THROW(a.GetVal(5, 3), EZYNError);
  EXPECT_THROW(a.SetVal(0, 1, 1), EZYNError);
  b.Fill(0);
  EXPECT_EQ(b.GetVal(5, 3), 0);
  TVector v;
  v.SetVecSize(3);
  v.SetVal(3, 2);
  EXPECT_EQ(v.GetVal(3), 2);
  EXPECT_EQ(v.GetVal(1), 0);
  EXPECT_THROW(v.GetVal(4), EZYNError);
}

TEST(BitFld, HasBitsOneToNAndClears) {
  TBitFld f;
  f.SetSize(100);
  f.SetBit(1, true);
  f.SetBit(100, true);
  f.SetBit(101, true); // ignored
  f.SetBit(0, true);   // ignored
  EXPECT_TRUE(f.GetBit(1));
  EXPECT_TRUE(f.GetBit(100));
  EXPECT_FALSE(f.GetBit(50));
  EXPECT_FALSE(f.GetBit(101));
  f.Clear();
  EXPECT_FALSE(f.GetBit(1));
  EXPECT_EQ(f.Size(), 100);
}

TEST(ExChange, SwapsFloatsAndIntegers) {
  double a = 1, b = 2;
  std::int32_t i = 3, j = 4;
  ExChange(a, b);
  ExChange(i, j);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(j, 3);
}

} // namespace
} // namespace zyn
