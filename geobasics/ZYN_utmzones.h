#pragma once
/// \file
/// UTM zones and latitude bands.

#include <cstdint>
#include <string>

namespace zyn {

/// The hemisphere of a UTM position.
enum THemisphere : std::uint8_t { hemiNorth, hemiSouth };

/// UTM zone (1..60) and latitude band letter ('C'..'X' without 'I' and 'O') of
/// a position in degrees, with the Norway and Svalbard exceptions. A position
/// without a zone (latitude outside -80..84, longitude outside [-180, 180),
/// or not finite) gives zone 0 and a blank letter.
void GeoToUTMZone(double Latitude, double Longitude, std::int32_t& Zone, char& Letter) noexcept;
/// The zone and band as text, such as "32U"; empty when the position has no zone.
std::string GeoToUTMZone(double Latitude, double Longitude);

/// Central meridian of a zone in radians; 0 for a zone outside 1..60.
double UTMCentralMeridian(std::int32_t Zone) noexcept;

} // namespace zyn
