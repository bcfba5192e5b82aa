#include "support/ZYN_sline.h"

#include <algorithm>
#include <cmath>

namespace zyn {

namespace {

/// Liang–Barsky: narrows [t0, t1] by the half-plane p·t <= q. Records which
/// bound (if any) moved so that the clipped end can be put exactly on its edge.
bool ClipParam(double p, double q, double& t0, double& t1, bool& moved0, bool& moved1) {
  if (p == 0) return q >= 0;
  const double t = q / p;
  if (p < 0) {
    if (t > t1) return false;
    if (t > t0) {
      t0 = t;
      moved0 = true;
      return true;
    }
  } else {
    if (t < t0) return false;
    if (t < t1) {
      t1 = t;
      moved1 = true;
    }
  }
  return true;
}

bool AllFinite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

void TSLine::LineFrom2Points(double x1, double y1, double x2, double y2) {
  FX1 = x1;
  FY1 = y1;
  FX2 = x2;
  FY2 = y2;
}

bool TSLine::ClipBox(double xLo, double yLo, double xHi, double yHi, double& x1, double& y1, double& x2,
                     double& y2) {
  if (!AllFinite({xLo, yLo, xHi, yHi, x1, y1, x2, y2})) return false;
  if (xLo > xHi) std::swap(xLo, xHi);
  if (yLo > yHi) std::swap(yLo, yHi);
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  double t0 = 0, t1 = 1;
  bool moved0 = false, moved1 = false;
  // Clip against each edge; remember the last edge that moved each end.
  double edge0 = 0, edge1 = 0;
  bool edge0IsX = false, edge1IsX = false;
  const struct {
    double p, q, edge;
    bool isX;
  } sides[4] = {{-dx, x1 - xLo, xLo, true}, {dx, xHi - x1, xHi, true}, {-dy, y1 - yLo, yLo, false},
                {dy, yHi - y1, yHi, false}};
  for (const auto& s : sides) {
    bool m0 = false, m1 = false;
    if (!ClipParam(s.p, s.q, t0, t1, m0, m1)) return false;
    if (m0) {
      moved0 = true;
      edge0 = s.edge;
      edge0IsX = s.isX;
    }
    if (m1) {
      moved1 = true;
      edge1 = s.edge;
      edge1IsX = s.isX;
    }
  }
  const double ox1 = x1, oy1 = y1;
  auto place = [&](double t, double edge, bool isX, double& x, double& y) {
    x = isX ? edge : std::clamp(ox1 + t * dx, xLo, xHi);
    y = isX ? std::clamp(oy1 + t * dy, yLo, yHi) : edge;
  };
  if (moved1) place(t1, edge1, edge1IsX, x2, y2);
  if (moved0) place(t0, edge0, edge0IsX, x1, y1);
  LineFrom2Points(x1, y1, x2, y2);
  return true;
}

} // namespace zyn
