#pragma once
// One position's conversions, printed as a block of aligned lines.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "geobasics/ZYN_geobasics.h"

namespace zyngeo {

struct TPosition {
  double Lat = 0, Lon = 0, Height = 0;
  std::string Label;
};

/// A datum shift between two indices of the datum table.
struct TDatumShift {
  std::int32_t From = 0, To = 0;
};

struct TReportOptions {
  zyn::TGeoEllipsoid Ellipsoid = zyn::gelWGS84;
  std::optional<TDatumShift> Shift;
};

/// Zone and band, UTM, UPS, geocentric and (when chosen) the datum shift of one position.
void PrintReport(std::ostream& Out, const TPosition& P, const TReportOptions& Options);

} // namespace zyngeo
