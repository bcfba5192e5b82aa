#include "geobasics/ZYN_utmzones.h"

#include <algorithm>
#include <cmath>

#include "geobasics/ZYN_angles.h"

namespace zyn {

namespace {

using namespace geobasics_detail;

// Bands are 8° high from -80, skipping I and O; X is stretched to 84.
char LatitudeBand(double Latitude) noexcept {
  int n = static_cast<int>(std::floor(Latitude + 80.0)) / 8;
  if (n >= 6) ++n;
  if (n >= 12) ++n;
  if (n >= 21) n = 21;
  return static_cast<char>('C' + n);
}

std::int32_t ZoneWithExceptions(double Longitude, char Letter) noexcept {
  if (Letter == 'V' && Longitude >= 3.0 && Longitude < 12.0) return 32;
  if (Letter == 'X' && Longitude >= 0.0 && Longitude < 42.0)
    return static_cast<std::int32_t>(std::floor((Longitude + 3.0) / 12.0)) * 2 + 31;
  // Just below 180 the sum can round up to 360; the zone stays 60.
  return std::min(static_cast<std::int32_t>(std::floor((Longitude + 180.0) / 6.0)) + 1, 60);
}

} // namespace

void GeoToUTMZone(double Latitude, double Longitude, std::int32_t& Zone, char& Letter) noexcept {
  Zone = 0;
  Letter = ' ';
  // Written as "inside" tests so that NaN lands outside and is never converted to an integer.
  if (!(Latitude >= -80.0 && Latitude <= 84.0)) return;
  if (!(Longitude >= -180.0 && Longitude < 180.0)) return;
  Letter = LatitudeBand(Latitude);
  Zone = ZoneWithExceptions(Longitude, Letter);
}

std::string GeoToUTMZone(double Latitude, double Longitude) {
  std::int32_t zone;
  char letter;
  GeoToUTMZone(Latitude, Longitude, zone, letter);
  if (zone == 0) return {};
  return std::to_string(zone) + letter;
}

double UTMCentralMeridian(std::int32_t Zone) noexcept {
  if (Zone < 1 || Zone > 60) return 0.0;
  return (6.0 * Zone - 183.0) * DegToRad;
}

} // namespace zyn
