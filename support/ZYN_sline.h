#pragma once
/// \file
/// Straight lines in the plane and clipping of segments to boxes.

namespace zyn {

/// A straight line through two points.
class TSLine {
public:
  /// Makes this the line from (x1, y1) to (x2, y2).
  void LineFrom2Points(double x1, double y1, double x2, double y2);
  double X1() const noexcept { return FX1; }
  double Y1() const noexcept { return FY1; }
  double X2() const noexcept { return FX2; }
  double Y2() const noexcept { return FY2; }

  /// Clips the segment (x1, y1)–(x2, y2) to the closed box [xLo, xHi] ×
  /// [yLo, yHi] (bounds given in either order). True when part of the
  /// segment lies in the box, touching its edge included; the ends are then
  /// replaced by the ends of that part (an end inside the box is returned
  /// unchanged, a clipped end lies exactly on the edge it was clipped to), and
  /// the clipped segment becomes this line. False, with the ends untouched,
  /// when the segment misses the box or a coordinate is not finite.
  bool ClipBox(double xLo, double yLo, double xHi, double yHi, double& x1, double& y1, double& x2, double& y2);

private:
  double FX1 = 0, FY1 = 0, FX2 = 0, FY2 = 0;
};

} // namespace zyn
