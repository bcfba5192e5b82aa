#include "geomap/ZYN_svd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/ZYN_zynbase.h"

namespace zyn {
namespace {

TMatrix MatrixFromRows(const std::vector<std::vector<double>>& rows) {
  TMatrix A(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c) A.SetVal(static_cast<int>(c + 1), static_cast<int>(r + 1), rows[r][c]);
  return A;
}

TEST(SolveLeastSquares, SolvesSquareSystemExactly) {
  TMatrix A = MatrixFromRows({{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}});
  const std::vector<double> b{8, -11, -3};
  std::vector<double> x(3);
  ASSERT_TRUE(SolveLeastSquares(A, b, x));
  EXPECT_NEAR(x[0], 2, 1e-12);
  EXPECT_NEAR(x[1], 3, 1e-12);
  EXPECT_NEAR(x[2], -1, 1e-12);
}

TEST(SolveLeastSquares, FitsOverdeterminedLineInLeastSquaresSense) {
  // y = 1 + 2x with residuals +1, -1, -1, +1: the noise cancels out exactly.
  TMatrix A = MatrixFromRows({{1, 0}, {1, 1}, {1, 2}, {1, 3}});
  const std::vector<double> b{2, 2, 4, 8};
  std::vector<double> x(2);
  ASSERT_TRUE(SolveLeastSquares(A, b, x));
  // Normal equations: [4 6; 6 14] x = [16; 34] -> x = (1, 2).
  EXPECT_NEAR(x[0], 1, 1e-12);
  EXPECT_NEAR(x[1], 2, 1e-12);
}

TEST(SolveLeastSquares, GivesMinimumNormSolutionWhenUnderdetermined) {
  // One equation x1 + x2 + x3 = 3: the shortest solution is (1, 1, 1).
  TMatrix A = MatrixFromRows({{1, 1, 1}});
  const std::vector<double> b{3};
  std::vector<double> x(3);
  ASSERT_TRUE(SolveLeastSquares(A, b, x));
  for (double v : x) EXPECT_NEAR(v, 1, 1e-12);
}

TEST(SolveLeastSquares, DropsDependentColumnInsteadOfBlowingUp) {
  // Column 3 = 2 · column 2: the minimum-norm answer splits the weight 1:2.
  TMatrix A = MatrixFromRows({{1, 1, 2}, {1, 2, 4}, {1, 3, 6}, {1, 4, 8}});
  const std::vector<double> b{5, 10, 15, 20}; // = 5 · column 2
  std::vector<double> x(3);
  ASSERT_TRUE(SolveLeastSquares(A, b, x));
  EXPECT_NEAR(x[0], 0, 1e-9);
  EXPECT_NEAR(x[1], 1, 1e-9);
  EXPECT_NEAR(x[2], 2, 1e-9);
}

TEST(SingularValueDecomposition, ReconstructsMatrixFromFactors) {
  const int m = 5, n = 3;
  std::vector<double> a{1, 2, 3, 4, 5, 6, 7, 8, 10, -1, 0.5, 2, 3, -4, 1};
  const TSvdResult r = SingularValueDecomposition(a, m, n);
  ASSERT_TRUE(r.Converged);
  for (int i = 0; i < m; ++i)
    for (int j = 0; j < n; ++j) {
      double sum = 0;
      for (int k = 0; k < n; ++k) sum += r.U[i * n + k] * r.W[k] * r.V[j * n + k];
      EXPECT_NEAR(sum, a[i * n + j], 1e-12) << i << "," << j;
    }
  for (double w : r.W) EXPECT_GE(w, 0);
}

class SolverProgress : public ::testing::Test {
protected:
  void TearDown() override {
    MathFeedBackProc = nullptr;
    AbortMathProc = false;
  }
};

TEST_F(SolverProgress, CountsStepsAndReportsThem) {
  ProcStat = 0;
  int calls = 0;
  MathFeedBackProc = [&](double) { ++calls; };
  TMatrix A = MatrixFromRows({{1, 0}, {0, 1}, {1, 1}});
  const std::vector<double> b{1, 2, 3};
  std::vector<double> x(2);
  ASSERT_TRUE(SolveLeastSquares(A, b, x));
  // Four outer loops of two steps each.
  EXPECT_EQ(calls, 8);
  EXPECT_EQ(ProcStat, 8);
}

TEST_F(SolverProgress, AbortFlagStopsSolveAndLeavesResultUntouched) {
  MathFeedBackProc = [](double) { AbortMathProc = true; };
  TMatrix A = MatrixFromRows({{1, 0}, {0, 1}});
  const std::vector<double> b{1, 2};
  std::vector<double> x{7, 7};
  EXPECT_FALSE(SolveLeastSquares(A, b, x));
  EXPECT_EQ(x[0], 7);
  EXPECT_EQ(x[1], 7);
}

TEST(SolveLeastSquares, FailsOnNaNInput) {
  TMatrix A = MatrixFromRows({{1, NAN}, {0, 1}, {1, 1}});
  const std::vector<double> b{1, 2, 3};
  std::vector<double> x(2);
  EXPECT_FALSE(SolveLeastSquares(A, b, x));
}

} // namespace
} // namespace zyn
