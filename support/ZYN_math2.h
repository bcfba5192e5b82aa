#pragma once
/// \file
/// Curve fitting, statistics and spherical distances of the math support library.

#include <cstdint>
#include <vector>

namespace zyn {

/// Accumulates (x, y) pairs and fits lines and parabolas to them by least
/// squares. The fits centre and scale x before solving (by orthogonal
/// decomposition), so they stay accurate for x in the thousands far from 0.
/// Pairs with a NaN or infinite member are not entered.
class TCurveFit {
public:
  /// Empties the accumulator.
  void Init() { FData.clear(); }
  /// Adds one pair.
  void EnterStatValue(double x, double y);
  /// Number of pairs entered.
  std::int32_t NumData() const noexcept { return static_cast<std::int32_t>(FData.size()); }

  /// Least-squares line y = k·x + d; r is the correlation coefficient of x
  /// and y (0 when either does not vary). Without pairs all three are 0;
  /// when all x are equal the line is horizontal at the mean of y (k = 0).
  void CalcLinFit(double& k, double& d, double& r) const;
  /// Least-squares parabola y = c0 + c1·x + c2·x²; q is the root-mean-square
  /// residual. With fewer than three distinct x the fit drops to the line
  /// through them (c2 = 0), with one distinct x to the mean of y; without
  /// pairs all four are 0.
  void CalcParabolFit(double& c0, double& c1, double& c2, double& q) const;
  /// Statistics of the pairs: their count, the means and sample standard
  /// deviations of x and y, and of the differences y − x their mean, their
  /// root-mean-square (the sixth float output, used as calibration quality:
  /// the error of the computed value y against the stored value x) and their
  /// largest magnitude. Without pairs all are 0; standard deviations need two.
  void CalcStatistics(std::int32_t& n, double& MeanX, double& MeanY, double& StdDevX, double& StdDevY,
                      double& MeanDiff, double& RmsDiff, double& MaxAbsDiff) const;

private:
  struct TPair {
    double x, y;
  };
  std::vector<TPair> FData;
};

/// Great-circle distance between (lat1, long1) and (lat2, long2), angles in
/// degrees, in the unit of Radius; between 0 and π·Radius. Accurate for
/// antipodal and for very close points alike.
double SphereGreatCircleDist(double Radius, double Lat1, double Long1, double Lat2, double Long2);

} // namespace zyn
