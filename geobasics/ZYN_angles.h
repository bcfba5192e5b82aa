#pragma once
/// \file
/// Degree and radian factors shared by the conversions (internal).

#include <numbers>

namespace zyn::geobasics_detail {

inline constexpr double DegToRad = std::numbers::pi / 180.0;
inline constexpr double RadToDeg = 180.0 / std::numbers::pi;

} // namespace zyn::geobasics_detail
