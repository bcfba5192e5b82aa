#include "geomap/ZYN_svd.h"

#include <algorithm>
#include <cmath>

#include "support/ZYN_zynbase.h"

namespace zyn {

namespace {

/// Counts one step of a long computation; true when the caller must stop.
bool ProgressStepAborts() {
  ProcStat += 1;
  if (MathFeedBackProc) MathFeedBackProc(ProcStat);
  return AbortMathProc;
}

double SignOf(double magnitude, double sign) { return sign >= 0 ? std::fabs(magnitude) : -std::fabs(magnitude); }

/// Row-major view helper: element (row i, column j), 0-based.
struct TRowMajor {
  std::vector<double>& d;
  int cols;
  double& operator()(int i, int j) const { return d[static_cast<std::size_t>(i) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(j)]; }
};

/// Applies a plane rotation to columns p and q of a row-major matrix.
void RotateColumns(const TRowMajor& M, int rows, int p, int q, double c, double s) {
  for (int r = 0; r < rows; ++r) {
    const double y = M(r, p);
    const double z = M(r, q);
    M(r, p) = y * c + z * s;
    M(r, q) = z * c - y * s;
  }
}

/// The state shared by the three phases of the decomposition.
struct TSvdWork {
  int m, n;
  TRowMajor a; // becomes U
  TRowMajor v;
  std::vector<double>& w;
  std::vector<double> rv1; // superdiagonal of the bidiagonal form
  double anorm = 0;
  double g = 0; // carried from the Householder phase into the right accumulation
};

/// Householder reduction to bidiagonal form. False when aborted.
bool Bidiagonalise(TSvdWork& s) {
  auto& a = s.a;
  double scale = 0;
  s.g = 0;
  for (int i = 0; i < s.n; ++i) {
    if (ProgressStepAborts()) return false;
    const int l = i + 1;
    s.rv1[i] = scale * s.g;
    s.g = scale = 0;
    double sum = 0;
    if (i < s.m) {
      for (int k = i; k < s.m; ++k) scale += std::fabs(a(k, i));
      if (scale != 0) {
        for (int k = i; k < s.m; ++k) {
          a(k, i) /= scale;
          sum += a(k, i) * a(k, i);
        }
        const double f = a(i, i);
        s.g = -SignOf(std::sqrt(sum), f);
        const double h = f * s.g - sum;
        a(i, i) = f - s.g;
        for (int j = l; j < s.n; ++j) {
          double dot = 0;
          for (int k = i; k < s.m; ++k) dot += a(k, i) * a(k, j);
          const double factor = dot / h;
          for (int k = i; k < s.m; ++k) a(k, j) += factor * a(k, i);
        }
        for (int k = i; k < s.m; ++k) a(k, i) *= scale;
      }
    }
    s.w[i] = scale * s.g;
    s.g = sum = scale = 0;
    if (i < s.m && i != s.n - 1) {
      for (int k = l; k < s.n; ++k) scale += std::fabs(a(i, k));
      if (scale != 0) {
        for (int k = l; k < s.n; ++k) {
          a(i, k) /= scale;
          sum += a(i, k) * a(i, k);
        }
        const double f = a(i, l);
        s.g = -SignOf(std::sqrt(sum), f);
        const double h = f * s.g - sum;
        a(i, l) = f - s.g;
        for (int k = l; k < s.n; ++k) s.rv1[k] = a(i, k) / h;
        for (int j = l; j < s.m; ++j) {
          double dot = 0;
          for (int k = l; k < s.n; ++k) dot += a(j, k) * a(i, k);
          for (int k = l; k < s.n; ++k) a(j, k) += dot * s.rv1[k];
        }
        for (int k = l; k < s.n; ++k) a(i, k) *= scale;
      }
    }
    s.anorm = std::max(s.anorm, std::fabs(s.w[i]) + std::fabs(s.rv1[i]));
  }
  return true;
}

/// Builds V from the right-hand Householder vectors. False when aborted.
bool AccumulateRight(TSvdWork& s) {
  auto& a = s.a;
  auto& v = s.v;
  double g = s.g;
  int l = s.n;
  for (int i = s.n - 1; i >= 0; --i) {
    if (ProgressStepAborts()) return false;
    if (i < s.n - 1) {
      if (g != 0) {
        // Double division avoids a possible underflow.
        for (int j = l; j < s.n; ++j) v(j, i) = (a(i, j) / a(i, l)) / g;
        for (int j = l; j < s.n; ++j) {
          double dot = 0;
          for (int k = l; k < s.n; ++k) dot += a(i, k) * v(k, j);
          for (int k = l; k < s.n; ++k) v(k, j) += dot * v(k, i);
        }
      }
      for (int j = l; j < s.n; ++j) v(i, j) = v(j, i) = 0;
    }
    v(i, i) = 1;
    g = s.rv1[i];
    l = i;
  }
  return true;
}

/// Turns the left-hand Householder vectors into U in place. False when aborted.
bool AccumulateLeft(TSvdWork& s) {
  auto& a = s.a;
  for (int i = std::min(s.m, s.n) - 1; i >= 0; --i) {
    if (ProgressStepAborts()) return false;
    const int l = i + 1;
    double g = s.w[i];
    for (int j = l; j < s.n; ++j) a(i, j) = 0;
    if (g != 0) {
      g = 1 / g;
      for (int j = l; j < s.n; ++j) {
        double dot = 0;
        for (int k = l; k < s.m; ++k) dot += a(k, i) * a(k, j);
        const double f = (dot / a(i, i)) * g;
        for (int k = i; k < s.m; ++k) a(k, j) += f * a(k, i);
      }
      for (int j = i; j < s.m; ++j) a(j, i) *= g;
    } else {
      for (int j = i; j < s.m; ++j) a(j, i) = 0;
    }
    a(i, i) += 1;
  }
  return true;
}

bool Negligible(double x, double anorm) { return std::fabs(x) + anorm == anorm; }

/// Zeroes rv1[l] by rotations when w[l-1] is negligible (splitting the matrix).
void CancelSuperdiagonal(TSvdWork& s, int l, int k) {
  const int nm = l - 1;
  double c = 0, sn = 1;
  for (int i = l; i <= k; ++i) {
    const double f = sn * s.rv1[i];
    s.rv1[i] = c * s.rv1[i];
    if (Negligible(f, s.anorm)) break;
    const double g = s.w[i];
    double h = std::hypot(f, g);
    s.w[i] = h;
    h = 1 / h;
    c = g * h;
    sn = -f * h;
    RotateColumns(s.a, s.m, nm, i, c, sn);
  }
}

/// One implicit-shift QR sweep on the bidiagonal block l..k.
void QrSweep(TSvdWork& s, int l, int k) {
  const double z0 = s.w[k];
  double x = s.w[l];
  const int nm = k - 1;
  double y = s.w[nm];
  double g = s.rv1[nm];
  double h = s.rv1[k];
  double f = ((y - z0) * (y + z0) + (g - h) * (g + h)) / (2 * h * y);
  g = std::hypot(f, 1.0);
  f = ((x - z0) * (x + z0) + h * ((y / (f + SignOf(g, f))) - h)) / x;
  double c = 1, sn = 1;
  for (int j = l; j <= nm; ++j) {
    const int i = j + 1;
    g = s.rv1[i];
    y = s.w[i];
    h = sn * g;
    g = c * g;
    double z = std::hypot(f, h);
    s.rv1[j] = z;
    c = f / z;
    sn = h / z;
    f = x * c + g * sn;
    g = g * c - x * sn;
    h = y * sn;
    y *= c;
    RotateColumns(s.v, s.n, j, i, c, sn);
    z = std::hypot(f, h);
    s.w[j] = z;
    if (z != 0) {
      z = 1 / z;
      c = f * z;
      sn = h * z;
    }
    f = c * g + sn * y;
    x = c * y - sn * g;
    RotateColumns(s.a, s.m, j, i, c, sn);
  }
  s.rv1[l] = 0;
  s.rv1[k] = f;
  s.w[k] = x;
}

/// Diagonalises the bidiagonal form. Sets converged to false when a singular
/// value needs more than 30 iterations (the remaining ones are still done).
/// False when aborted.
bool Diagonalise(TSvdWork& s, bool& converged) {
  constexpr int MaxIterations = 30;
  for (int k = s.n - 1; k >= 0; --k) {
    if (ProgressStepAborts()) return false;
    for (int its = 1; its <= MaxIterations; ++its) {
      bool split = true;
      int l = k;
      for (; l >= 0; --l) {
        if (Negligible(s.rv1[l], s.anorm)) { // always true for l = 0
          split = false;
          break;
        }
        if (Negligible(s.w[l - 1], s.anorm)) break;
      }
      if (split) CancelSuperdiagonal(s, l, k);
      if (l == k) {
        if (s.w[k] < 0) { // make the singular value non-negative
          s.w[k] = -s.w[k];
          for (int j = 0; j < s.n; ++j) s.v(j, k) = -s.v(j, k);
        }
        break;
      }
      if (its == MaxIterations) {
        converged = false;
        break;
      }
      QrSweep(s, l, k);
    }
  }
  return true;
}

} // namespace

TSvdResult SingularValueDecomposition(std::vector<double> A, int m, int n) {
  TSvdResult r;
  r.U = std::move(A);
  r.W.assign(static_cast<std::size_t>(n), 0.0);
  r.V.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
  if (m < n || n < 1 || r.U.size() != static_cast<std::size_t>(m) * static_cast<std::size_t>(n)) return r;
  TSvdWork s{m, n, TRowMajor{r.U, n}, TRowMajor{r.V, n}, r.W, std::vector<double>(static_cast<std::size_t>(n), 0.0)};
  bool converged = true;
  if (!Bidiagonalise(s) || !AccumulateRight(s) || !AccumulateLeft(s) || !Diagonalise(s, converged)) return r;
  r.Converged = converged;
  return r;
}

bool SolveLeastSquares(const TMatrix& A, std::span<const double> b, std::span<double> x) {
  const int n = A.NrOfColumns();
  const int rows = A.NrOfRows();
  if (n < 1 || b.size() < static_cast<std::size_t>(rows) || x.size() < static_cast<std::size_t>(n)) return false;
  // An under-determined system gets zero rows: same singular values plus zeros,
  // and the same minimum-norm solution.
  const int m = std::max(rows, n);
  std::vector<double> data(static_cast<std::size_t>(m) * static_cast<std::size_t>(n), 0.0);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= n; ++c) data[static_cast<std::size_t>(r - 1) * n + (c - 1)] = A.GetVal(c, r);
  const TSvdResult svd = SingularValueDecomposition(std::move(data), m, n);
  if (!svd.Converged) return false;

  const double wmax = *std::max_element(svd.W.begin(), svd.W.end());
  const double threshold = 1e-14 * wmax;
  std::vector<double> utb(static_cast<std::size_t>(n), 0.0);
  for (int j = 0; j < n; ++j) {
    const double wj = svd.W[static_cast<std::size_t>(j)];
    if (wj < threshold || wj == 0) continue; // truncated: contributes nothing
    double dot = 0;
    for (int i = 0; i < rows; ++i) dot += svd.U[static_cast<std::size_t>(i) * n + j] * b[static_cast<std::size_t>(i)];
    utb[static_cast<std::size_t>(j)] = dot / wj;
  }
  for (int i = 0; i < n; ++i) {
    double sum = 0;
    for (int j = 0; j < n; ++j) sum += svd.V[static_cast<std::size_t>(i) * n + j] * utb[static_cast<std::size_t>(j)];
    x[static_cast<std::size_t>(i)] = sum;
  }
  return true;
}

} // namespace zyn
