#pragma once
/// \file
/// The parabolic-interpolation model: parabolas fitted along traced graticule
/// lines, stored one row per line in a 5-column matrix (kind 1 parallel or
/// 0 meridian, line value, c0, c1, c2), and the interpolation between them.

#include <cstdint>

#include "geomap/ZYN_calibdata.h"

namespace zyn {

class TMatrix;

/// Refits the matrix from the record's lines: a parallel y = c0 + c1·x + c2·x²,
/// a meridian x = c0 + c1·y + c2·y², for each line of 3 points or more (the
/// coefficients of shorter lines are 0). Unless two parallels and two
/// meridians were fitted, the matrix collapses to one zero row and the result
/// is false.
bool FitGraticule(const TCalibData& CD, TMatrix& GratMat);

/// Number of rows of the given kind.
std::int32_t GratRowsOfKind(const TMatrix& GratMat, TGratLineKind Kind);

/// Latitude (Kind gtlParallel) or longitude (gtlMeridian) of pixel (x, y),
/// interpolated between the two nearest lines of that kind. Invalid (0)
/// without two rows of each kind, or where the two lines meet.
double GratCoordinate(const TMatrix& GratMat, TGratLineKind Kind, double x, double y, bool& valid);

/// Pixel of a position by iterating between the interpolated parallel and
/// meridian curves. False with x, y unchanged for fewer than 4 rows or no
/// defined curves; false with the last iterate when the iteration diverges.
bool GratPixel(const TMatrix& GratMat, double Lat, double Long, std::int32_t& x, std::int32_t& y);

} // namespace zyn
