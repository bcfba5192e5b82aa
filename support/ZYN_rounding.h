#pragma once
/// \file
/// The library's one way of turning floats into integers.
///
/// Round rounds to the nearest integer with ties to even; Trunc and Int cut
/// toward zero. Converting a NaN or infinite value to an integer is undefined
/// in C++, so the integer forms saturate: NaN gives 0, values beyond the range
/// give the nearest representable integer.

#include <cmath>
#include <cstdint>
#include <limits>

namespace zyn {

namespace detail {
template <class I>
constexpr I SaturateToInt(double integral) noexcept {
  if (std::isnan(integral)) return 0;
  // The bounds as doubles: min is exact (a power of two), max rounds up to 2^(bits-1).
  constexpr double lo = static_cast<double>(std::numeric_limits<I>::min());
  constexpr double hi = -lo;
  if (integral <= lo) return std::numeric_limits<I>::min();
  if (integral >= hi) return std::numeric_limits<I>::max();
  return static_cast<I>(integral);
}
} // namespace detail

/// Nearest integer, ties to even; saturating.
inline std::int64_t Round(double x) noexcept { return detail::SaturateToInt<std::int64_t>(std::nearbyint(x)); }
/// Integer part toward zero; saturating.
inline std::int64_t Trunc(double x) noexcept { return detail::SaturateToInt<std::int64_t>(std::trunc(x)); }
/// Integer part toward zero, as a float (NaN and infinities pass through).
inline double Int(double x) noexcept { return std::trunc(x); }

/// Round and Trunc into 32-bit pixel coordinates; saturating.
inline std::int32_t Round32(double x) noexcept { return detail::SaturateToInt<std::int32_t>(std::nearbyint(x)); }
inline std::int32_t Trunc32(double x) noexcept { return detail::SaturateToInt<std::int32_t>(std::trunc(x)); }

} // namespace zyn
