#include "geomap/ZYN_graticule.h"

#include <algorithm>
#include <cmath>

#include "support/ZYN_math2.h"
#include "support/ZYN_matrix.h"
#include "support/ZYN_rounding.h"

namespace zyn {

namespace {

enum TGratColumn { gcKind = 1, gcValue, gcC0, gcC1, gcC2 };

double KindValue(TGratLineKind Kind) { return Kind == gtlParallel ? 1 : 0; }

bool RowIsKind(const TMatrix& M, std::int32_t row, TGratLineKind Kind) {
  return M.GetVal(gcKind, row) == KindValue(Kind);
}

double CurveAt(const TMatrix& M, std::int32_t row, double t) {
  return M.GetVal(gcC0, row) + M.GetVal(gcC1, row) * t + M.GetVal(gcC2, row) * t * t;
}

/// The nearest and second nearest rows of a kind by a distance measure;
/// 0 where none was found. A row displaces the nearest only when strictly
/// closer, so ties keep the earlier row.
struct TNearestPair {
  std::int32_t Nearest = 0;
  std::int32_t Second = 0;
};

template <class Distance>
TNearestPair FindNearestRows(const TMatrix& M, TGratLineKind Kind, Distance distance) {
  TNearestPair pair;
  double dNearest = 1e20, dSecond = 1e20;
  for (std::int32_t row = 1; row <= M.NrOfRows(); ++row) {
    if (!RowIsKind(M, row, Kind)) continue;
    const double d = distance(row);
    if (d < dNearest) {
      pair.Second = pair.Nearest;
      dSecond = dNearest;
      pair.Nearest = row;
      dNearest = d;
    } else if (d < dSecond) {
      pair.Second = row;
      dSecond = d;
    }
  }
  return pair;
}

/// The parabola of a kind interpolated linearly in the line value.
struct TCurve {
  double c0, c1, c2;
  double At(double t) const { return c0 + c1 * t + c2 * t * t; }
};

bool InterpolatedCurve(const TMatrix& M, TGratLineKind Kind, double value, TCurve& curve) {
  const TNearestPair p =
      FindNearestRows(M, Kind, [&](std::int32_t row) { return std::fabs(value - M.GetVal(gcValue, row)); });
  if (p.Nearest == 0 || p.Second == 0) return false;
  const double vn = M.GetVal(gcValue, p.Nearest);
  const double vs = M.GetVal(gcValue, p.Second);
  auto coefficient = [&](int column) {
    const double cn = M.GetVal(column, p.Nearest);
    const double cs = M.GetVal(column, p.Second);
    return (cn - cs) * (value - vs) / (vn - vs) + cs;
  };
  curve = {coefficient(gcC0), coefficient(gcC1), coefficient(gcC2)};
  return std::isfinite(curve.c0) && std::isfinite(curve.c1) && std::isfinite(curve.c2);
}

} // namespace

bool FitGraticule(const TCalibData& CD, TMatrix& GratMat) {
  const std::int32_t n = std::clamp(CD.NumCalLines, 0, MaxCalLines);
  GratMat.Resize(5, n);
  GratMat.Fill(0);
  TCurveFit fit;
  int parallels = 0, meridians = 0;
  for (std::int32_t k = 1; k <= n; ++k) {
    const TCalibLine& line = CD.CalLines[static_cast<std::size_t>(k)];
    const bool parallel = line.LineType == gtlParallel;
    GratMat.SetVal(gcKind, k, KindValue(line.LineType));
    GratMat.SetVal(gcValue, k, line.LineValue);
    const std::int32_t points = std::min(line.NumPoints, MaxCalLinePoints);
    if (points < 3) continue;
    (parallel ? parallels : meridians) += 1;
    fit.Init();
    for (std::int32_t p = 1; p <= points; ++p) {
      const TPoint& pt = line.CalPoints[static_cast<std::size_t>(p)];
      if (parallel)
        fit.EnterStatValue(pt.X, pt.Y);
      else
        fit.EnterStatValue(pt.Y, pt.X);
    }
    double c0 = 0, c1 = 0, c2 = 0, unused = 0;
    fit.CalcParabolFit(c0, c1, c2, unused);
    GratMat.SetVal(gcC0, k, c0);
    GratMat.SetVal(gcC1, k, c1);
    GratMat.SetVal(gcC2, k, c2);
  }
  if (parallels >= 2 && meridians >= 2) return true;
  GratMat.Resize(5, 1);
  GratMat.Fill(0);
  return false;
}

std::int32_t GratRowsOfKind(const TMatrix& GratMat, TGratLineKind Kind) {
  std::int32_t count = 0;
  for (std::int32_t row = 1; row <= GratMat.NrOfRows(); ++row)
    if (RowIsKind(GratMat, row, Kind)) ++count;
  return count;
}

double GratCoordinate(const TMatrix& GratMat, TGratLineKind Kind, double x, double y, bool& valid) {
  valid = false;
  if (GratRowsOfKind(GratMat, gtlParallel) < 2 || GratRowsOfKind(GratMat, gtlMeridian) < 2) return 0;
  // Parallels are curves y(x), meridians curves x(y).
  const double along = Kind == gtlParallel ? x : y;
  const double across = Kind == gtlParallel ? y : x;
  const TNearestPair p = FindNearestRows(
      GratMat, Kind, [&](std::int32_t row) { return std::fabs(across - CurveAt(GratMat, row, along)); });
  if (p.Nearest == 0 || p.Second == 0) return 0; // distances not finite
  const double cn = CurveAt(GratMat, p.Nearest, along);
  const double cs = CurveAt(GratMat, p.Second, along);
  const double vn = GratMat.GetVal(gcValue, p.Nearest);
  const double vs = GratMat.GetVal(gcValue, p.Second);
  const double result = (vn - vs) * (across - cs) / (cn - cs) + vs;
  // Where the two curves meet, the position between them is undefined.
  if (!std::isfinite(result)) return 0;
  valid = true;
  return result;
}

bool GratPixel(const TMatrix& GratMat, double Lat, double Long, std::int32_t& x, std::int32_t& y) {
  if (GratMat.NrOfRows() < 4) return false;
  TCurve parallel{}, meridian{};
  if (!InterpolatedCurve(GratMat, gtlParallel, Lat, parallel) || !InterpolatedCurve(GratMat, gtlMeridian, Long, meridian))
    return false;
  constexpr int MaxIterations = 15;
  constexpr double DivergenceLimit = 50000;
  double px = 500, py = 0;
  bool diverged = false;
  for (int i = 0; i < MaxIterations && !diverged; ++i) {
    py = parallel.At(px);
    px = meridian.At(py);
    diverged = std::fabs(px) > DivergenceLimit && std::fabs(py) > DivergenceLimit;
  }
  if (!std::isfinite(px) || !std::isfinite(py)) return false;
  x = Round32(px);
  y = Round32(py);
  return !diverged;
}

} // namespace zyn
