#pragma once
/// \file
/// Least-squares fits of the point-based calibration models, as free
/// functions from a calibration record to parameter arrays. TGeoMap's
/// CalcXxxCalibration methods store their results in its fields.

#include <cstdint>

#include "geomap/ZYN_calibdata.h"

namespace zyn {

/// Affine fits pixel → (latitude, longitude) into PLSP and back into SPPL.
/// Both are zeroed first; a failed solve leaves its row at 0. Under cmUTM the
/// record's Latitude and Longitude hold northing and easting.
void FitEquiRect(const TCalibData& CD, TEquRectPars& PLSP, TEquRectPars& SPPL);

/// Biquadratic fits pixel → (latitude, longitude) and back, as FitEquiRect.
void FitBiquadratic(const TCalibData& CD, TBiQuadPars& PLSP, TBiQuadPars& SPPL);

/// Line fits of column against longitude and row against the Miller ordinate.
/// Fewer than three points keep the previous parameters.
void FitMillerCylindrical(const TCalibData& CD, TMillerPars& P);

/// Searches the pole in pixel space on a shrinking 5 × 5 grid (steps of
/// 1000000 halved down to 1) around the centre of the points, minimising the
/// squared RMS errors of the latitude and longitude line fits. The search
/// box starts from the image size. Fewer than three points give all zeros.
void FitConicConformal(const TCalibData& CD, std::int32_t ImgWidth, std::int32_t ImgHeight, TConicPars& P);

} // namespace zyn
