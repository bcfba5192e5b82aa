#pragma once
/// \file
/// Universal numeric constants.

#include <limits>

namespace zyn {

/// The largest finite 64-bit float.
inline constexpr double uc_MaxDouble = std::numeric_limits<double>::max();
/// The smallest positive 64-bit float (a subnormal).
inline constexpr double uc_MinDouble = std::numeric_limits<double>::denorm_min();

} // namespace zyn
