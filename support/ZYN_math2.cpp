#include "support/ZYN_math2.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace zyn {

namespace {

struct TMoments {
  double MeanX = 0, MeanY = 0, Sxx = 0, Syy = 0, Sxy = 0;
};

template <class Pairs>
TMoments CentredMoments(const Pairs& data) {
  TMoments m;
  if (data.empty()) return m;
  for (const auto& p : data) {
    m.MeanX += p.x;
    m.MeanY += p.y;
  }
  m.MeanX /= static_cast<double>(data.size());
  m.MeanY /= static_cast<double>(data.size());
  for (const auto& p : data) {
    const double dx = p.x - m.MeanX;
    const double dy = p.y - m.MeanY;
    m.Sxx += dx * dx;
    m.Syy += dy * dy;
    m.Sxy += dx * dy;
  }
  return m;
}

/// Number of distinct x values, counting only up to 3.
template <class Pairs>
int DistinctX(const Pairs& data) {
  std::array<double, 2> seen{};
  int count = 0;
  for (const auto& p : data) {
    if (std::find(seen.begin(), seen.begin() + count, p.x) != seen.begin() + count) continue;
    if (count == 2) return 3;
    seen[static_cast<std::size_t>(count++)] = p.x;
  }
  return count;
}

/// Least squares of y on (1, t, t²) by Householder QR, t = (x − centre) / scale.
std::array<double, 3> SolveQuadratic(const std::vector<std::array<double, 4>>& rowsIn) {
  auto rows = rowsIn; // columns 0..2: design, 3: right-hand side
  const std::size_t n = rows.size();
  for (std::size_t j = 0; j < 3; ++j) {
    double norm = 0;
    for (std::size_t i = j; i < n; ++i) norm = std::hypot(norm, rows[i][j]);
    if (norm == 0) continue;
    const double alpha = rows[j][j] > 0 ? -norm : norm;
    // v = a_j - alpha e_j, stored in column j below the diagonal.
    rows[j][j] -= alpha;
    double vv = 0;
    for (std::size_t i = j; i < n; ++i) vv += rows[i][j] * rows[i][j];
    for (std::size_t c = j + 1; c < 4; ++c) {
      double dot = 0;
      for (std::size_t i = j; i < n; ++i) dot += rows[i][j] * rows[i][c];
      const double f = 2 * dot / vv;
      for (std::size_t i = j; i < n; ++i) rows[i][c] -= f * rows[i][j];
    }
    rows[j][j] = alpha;
  }
  std::array<double, 3> a{};
  for (std::size_t j = 3; j-- > 0;) {
    double s = rows[j][3];
    for (std::size_t c = j + 1; c < 3; ++c) s -= rows[j][c] * a[c];
    a[j] = rows[j][j] != 0 ? s / rows[j][j] : 0;
  }
  return a;
}

} // namespace

void TCurveFit::EnterStatValue(double x, double y) {
  if (std::isfinite(x) && std::isfinite(y)) FData.push_back({x, y});
}

void TCurveFit::CalcLinFit(double& k, double& d, double& r) const {
  const TMoments m = CentredMoments(FData);
  k = m.Sxx > 0 ? m.Sxy / m.Sxx : 0;
  d = m.MeanY - k * m.MeanX;
  r = m.Sxx > 0 && m.Syy > 0 ? m.Sxy / std::sqrt(m.Sxx * m.Syy) : 0;
}

void TCurveFit::CalcParabolFit(double& c0, double& c1, double& c2, double& q) const {
  c0 = c1 = c2 = q = 0;
  if (FData.empty()) return;
  if (DistinctX(FData) < 3) {
    double r = 0;
    CalcLinFit(c1, c0, r);
  } else {
    const TMoments m = CentredMoments(FData);
    double scale = 0;
    for (const auto& p : FData) scale = std::max(scale, std::fabs(p.x - m.MeanX));
    std::vector<std::array<double, 4>> rows;
    rows.reserve(FData.size());
    for (const auto& p : FData) {
      const double t = (p.x - m.MeanX) / scale;
      rows.push_back({1.0, t, t * t, p.y});
    }
    const auto a = SolveQuadratic(rows);
    // Back from t to x: y = a0 + a1·(x − mx)/s + a2·(x − mx)²/s².
    const double mx = m.MeanX;
    c2 = a[2] / (scale * scale);
    c1 = a[1] / scale - 2 * c2 * mx;
    c0 = a[0] - a[1] * mx / scale + c2 * mx * mx;
  }
  double sum = 0;
  for (const auto& p : FData) {
    const double e = p.y - (c0 + (c1 + c2 * p.x) * p.x);
    sum += e * e;
  }
  q = std::sqrt(sum / static_cast<double>(FData.size()));
}

void TCurveFit::CalcStatistics(std::int32_t& n, double& MeanX, double& MeanY, double& StdDevX, double& StdDevY,
                               double& MeanDiff, double& RmsDiff, double& MaxAbsDiff) const {
  n = NumData();
  const TMoments m = CentredMoments(FData);
  MeanX = m.MeanX;
  MeanY = m.MeanY;
  StdDevX = n >= 2 ? std::sqrt(m.Sxx / (n - 1)) : 0;
  StdDevY = n >= 2 ? std::sqrt(m.Syy / (n - 1)) : 0;
  MeanDiff = RmsDiff = MaxAbsDiff = 0;
  if (n == 0) return;
  double sumSq = 0;
  for (const auto& p : FData) {
    const double e = p.y - p.x;
    MeanDiff += e;
    sumSq += e * e;
    MaxAbsDiff = std::max(MaxAbsDiff, std::fabs(e));
  }
  MeanDiff /= n;
  RmsDiff = std::sqrt(sumSq / n);
}

double SphereGreatCircleDist(double Radius, double Lat1, double Long1, double Lat2, double Long2) {
  constexpr double rad = std::numbers::pi / 180;
  const double p1 = Lat1 * rad, p2 = Lat2 * rad, dl = (Long2 - Long1) * rad;
  // Vincenty's form of the central angle: well-conditioned everywhere.
  const double a = std::cos(p2) * std::sin(dl);
  const double b = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
  const double c = std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl);
  return Radius * std::atan2(std::hypot(a, b), c);
}

} // namespace zyn
