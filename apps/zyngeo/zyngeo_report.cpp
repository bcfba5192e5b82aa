#include "zyngeo_report.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace zyngeo {

namespace {

using namespace zyn;

template <class... Args>
std::string Format(const char* Pattern, Args... Values) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, Pattern, Values...);
  return buffer;
}

void Line(std::ostream& Out, const char* Title, const std::string& Text) {
  Out << "  " << Format("%-12s", Title) << Text << '\n';
}

std::string UTMText(const TPosition& P, TGeoEllipsoid Ellipsoid) {
  std::int32_t zone;
  double e, n;
  LatLongToUTM(P.Lat, P.Lon, Ellipsoid, zone, e, n);
  if (zone == 0) return "none (latitude outside -80..84)";
  const char hemisphere = P.Lat < 0 ? 'S' : 'N';
  return Format("zone %d%c  E %.3f  N %.3f", zone, hemisphere, e, n);
}

std::string UPSText(const TPosition& P, TGeoEllipsoid Ellipsoid) {
  double x, y;
  LatLongToUPS(P.Lat, P.Lon, Ellipsoid, x, y);
  return Format("%s pole  X %.3f  Y %.3f", P.Lat >= 0 ? "north" : "south", x, y);
}

std::string GeocentricText(const TPosition& P, TGeoEllipsoid Ellipsoid) {
  double x, y, z;
  GeoToCartesian(P.Lat, P.Lon, P.Height, Ellipsoid, x, y, z);
  return Format("X %.3f  Y %.3f  Z %.3f", x, y, z);
}

std::string ShiftText(const TPosition& P, const TDatumShift& S) {
  double lat, lon, h;
  const std::int32_t status = HelmertTransform(S.From, P.Lat, P.Lon, P.Height, S.To, lat, lon, h);
  if (status != 0) return Format("failed with status %d", status);
  return Format("%d -> %d  %.8f %.8f  h %.3f", S.From, S.To, lat, lon, h);
}

} // namespace

void PrintReport(std::ostream& Out, const TPosition& P, const TReportOptions& Options) {
  Out << Format("%.8f %.8f  h %.3f", P.Lat, P.Lon, P.Height);
  if (!P.Label.empty()) Out << "  (" << P.Label << ')';
  Out << '\n';
  const std::string zone = GeoToUTMZone(P.Lat, P.Lon);
  Line(Out, "zone/band", zone.empty() ? "none" : zone);
  Line(Out, "UTM", UTMText(P, Options.Ellipsoid));
  // The polar grid is of use near the poles only.
  if (std::fabs(P.Lat) >= 60.0) Line(Out, "UPS", UPSText(P, Options.Ellipsoid));
  Line(Out, "geocentric", GeocentricText(P, Options.Ellipsoid));
  if (Options.Shift) Line(Out, "datum shift", ShiftText(P, *Options.Shift));
}

} // namespace zyngeo
