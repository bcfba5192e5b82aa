#pragma once
/// \file
/// Least squares by singular value decomposition, for the calibration fits.

#include <cstdint>
#include <span>
#include <vector>

#include "support/ZYN_matrix.h"

namespace zyn {

/// Result of a singular value decomposition A = U·diag(W)·Vᵀ of an m × n
/// matrix with m ≥ n: U is m × n, V is n × n, both row-major.
struct TSvdResult {
  std::vector<double> U;
  std::vector<double> W;
  std::vector<double> V;
  bool Converged = false;
};

/// Decomposes the row-major m × n matrix (m ≥ n) by Householder
/// bidiagonalisation and implicit-shift QR (at most 30 iterations per singular
/// value). Each step of the outer loops advances ProcStat, calls
/// MathFeedBackProc and stops with failure when AbortMathProc is set.
TSvdResult SingularValueDecomposition(std::vector<double> A, int m, int n);

/// Solves A·x ≈ b in the least-squares sense for the design matrix A
/// (addressed column, row) and returns the minimum-norm solution: singular
/// values below 1e-14 of the largest count as zero, so under-determined and
/// rank-deficient systems are fine. b needs A's row count, x its column
/// count. False when the decomposition failed or was aborted (x is then left
/// untouched).
bool SolveLeastSquares(const TMatrix& A, std::span<const double> b, std::span<double> x);

} // namespace zyn
