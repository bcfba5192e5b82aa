#include "geomap/ZYN_calibration.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "geomap/ZYN_svd.h"
#include "geomap/ZYN_transforms.h"
#include "support/ZYN_math2.h"
#include "support/ZYN_matrix.h"
#include "support/ZYN_rounding.h"

namespace zyn {

namespace {

/// Which side of the record a fit reads its unknowns from.
enum class TFitDirection { PixelToGeo, GeoToPixel };

/// The two predictors and the two targets of one calibration point.
struct TFitPoint {
  double u, v, t1, t2;
};

TFitPoint FitPointOf(const TCalQuad& q, TFitDirection dir) {
  const double x = q.MapX, y = q.MapY;
  if (dir == TFitDirection::PixelToGeo) return {x, y, q.Latitude, q.Longitude};
  return {q.Latitude, q.Longitude, x, y};
}

std::array<double, 3> AffineTerms(double u, double v) { return {1, u, v}; }
std::array<double, 6> BiquadraticTerms(double u, double v) { return {1, u, v, u * u, u * v, v * v}; }

/// Fits both rows of a linear-in-parameters model by least squares; the two
/// rows share one design matrix.
template <std::size_t N, class Terms>
void FitTwoRows(const TCalibData& CD, TFitDirection dir, Terms terms, TCalParRows<N>& out) {
  out = {};
  const int n = std::min(CD.NumCalQuads, MaxCalQuads);
  if (n <= 0) return;
  TMatrix A(static_cast<int>(N), n);
  std::vector<double> b1(static_cast<std::size_t>(n)), b2(static_cast<std::size_t>(n));
  for (int r = 1; r <= n; ++r) {
    const TFitPoint p = FitPointOf(CD.CalQuads[static_cast<std::size_t>(r)], dir);
    const auto row = terms(p.u, p.v);
    for (std::size_t c = 0; c < N; ++c) A.SetVal(static_cast<int>(c + 1), r, row[c]);
    b1[static_cast<std::size_t>(r - 1)] = p.t1;
    b2[static_cast<std::size_t>(r - 1)] = p.t2;
  }
  std::array<double, N> x{};
  if (SolveLeastSquares(A, b1, x)) std::copy(x.begin(), x.end(), out[1].begin());
  if (SolveLeastSquares(A, b2, x)) std::copy(x.begin(), x.end(), out[2].begin());
}

/// Slope and intercept of the least-squares line through the entered pairs.
struct TLine {
  double Slope = 0;
  double Intercept = 0;
};

TLine FitLine(TCurveFit& fit) {
  TLine line;
  double unused = 0;
  fit.CalcLinFit(line.Slope, line.Intercept, unused);
  return line;
}

/// One candidate pole of the conic search: fills P (all six values) and
/// returns e₁² + e₂². Longitude values stay from the previous candidate when
/// every point lies on the pole's row.
double EvaluateConicPole(const TCalibData& CD, int n, double x0, double y0, TCurveFit& fit, TConicPars& P) {
  P[1] = x0;
  P[2] = y0;
  fit.Init();
  for (int k = 1; k <= n; ++k) {
    const TCalQuad& q = CD.CalQuads[static_cast<std::size_t>(k)];
    fit.EnterStatValue(std::hypot(q.MapX - x0, q.MapY - y0), q.Latitude);
  }
  const TLine lat = FitLine(fit);
  P[3] = lat.Slope;
  P[4] = lat.Intercept;
  double sumLat = 0;
  for (int k = 1; k <= n; ++k) {
    const TCalQuad& q = CD.CalQuads[static_cast<std::size_t>(k)];
    const double d = q.Latitude - ConicLatitude(P, q.MapX, q.MapY);
    sumLat += d * d;
  }

  fit.Init();
  bool anyOffRow = false;
  for (int k = 1; k <= n; ++k) {
    const TCalQuad& q = CD.CalQuads[static_cast<std::size_t>(k)];
    if (q.MapY == y0) continue;
    anyOffRow = true;
    fit.EnterStatValue(std::atan((q.MapX - x0) / (q.MapY - y0)), q.Longitude);
  }
  double sumLong = 0;
  if (anyOffRow) {
    const TLine lon = FitLine(fit);
    P[5] = lon.Slope;
    P[6] = lon.Intercept;
    for (int k = 1; k <= n; ++k) {
      const TCalQuad& q = CD.CalQuads[static_cast<std::size_t>(k)];
      if (q.MapY == y0) continue;
      const double d = q.Longitude - (std::atan((q.MapX - x0) / (q.MapY - y0)) * P[5] + P[6]);
      sumLong += d * d;
    }
  }
  // e² = Σd²/n for both errors, the longitude one over the full n as well.
  return sumLat / n + sumLong / n;
}

} // namespace

void FitEquiRect(const TCalibData& CD, TEquRectPars& PLSP, TEquRectPars& SPPL) {
  FitTwoRows<3>(CD, TFitDirection::PixelToGeo, AffineTerms, PLSP);
  FitTwoRows<3>(CD, TFitDirection::GeoToPixel, AffineTerms, SPPL);
}

void FitBiquadratic(const TCalibData& CD, TBiQuadPars& PLSP, TBiQuadPars& SPPL) {
  FitTwoRows<6>(CD, TFitDirection::PixelToGeo, BiquadraticTerms, PLSP);
  FitTwoRows<6>(CD, TFitDirection::GeoToPixel, BiquadraticTerms, SPPL);
}

void FitMillerCylindrical(const TCalibData& CD, TMillerPars& P) {
  const int n = std::min(CD.NumCalQuads, MaxCalQuads);
  if (n < 3) return;
  TCurveFit fit;
  fit.Init();
  for (int k = 1; k <= n; ++k) {
    const TCalQuad& q = CD.CalQuads[static_cast<std::size_t>(k)];
    fit.EnterStatValue(q.Longitude * std::numbers::pi / 180, q.MapX);
  }
  const TLine columns = FitLine(fit);
  P[2] = {columns.Slope, columns.Intercept};
  fit.Init();
  for (int k = 1; k <= n; ++k) {
    const TCalQuad& q = CD.CalQuads[static_cast<std::size_t>(k)];
    fit.EnterStatValue(MillerOrdinate(q.Latitude), q.MapY);
  }
  const TLine rows = FitLine(fit);
  P[1] = {rows.Slope, rows.Intercept};
}

void FitConicConformal(const TCalibData& CD, std::int32_t ImgWidth, std::int32_t ImgHeight, TConicPars& P) {
  const int n = std::min(CD.NumCalQuads, MaxCalQuads);
  if (n < 3) {
    P = {};
    return;
  }
  std::int64_t minX = ImgWidth, maxX = 0, minY = ImgHeight, maxY = 0;
  for (int k = 1; k <= n; ++k) {
    const TCalQuad& q = CD.CalQuads[static_cast<std::size_t>(k)];
    minX = std::min<std::int64_t>(minX, q.MapX);
    maxX = std::max<std::int64_t>(maxX, q.MapX);
    minY = std::min<std::int64_t>(minY, q.MapY);
    maxY = std::max<std::int64_t>(maxY, q.MapY);
  }
  std::int64_t cx = (minX + maxX) / 2;
  std::int64_t cy = (minY + maxY) / 2;

  TCurveFit fit;
  TConicPars work{};
  TConicPars best{};
  best[1] = static_cast<double>(cx);
  best[2] = static_cast<double>(cy);
  double bestError = 1e10;
  for (std::int64_t step = 1000000; step > 0; step /= 2) {
    for (int i = -2; i <= 2; ++i)
      for (int j = -2; j <= 2; ++j) {
        const double x0 = static_cast<double>(i * step + cx);
        const double y0 = static_cast<double>(j * step + cy);
        const double error = EvaluateConicPole(CD, n, x0, y0, fit, work);
        if (error < bestError) {
          bestError = error;
          best = work;
        }
      }
    cx = Round(best[1]);
    cy = Round(best[2]);
  }
  P = best;
}

} // namespace zyn
