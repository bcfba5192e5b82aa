#pragma once
/// \file
/// The country table: codes, reference centres and capitals.

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/ZYN_codepage.h"

namespace zyn {

/// One country; the texts are fixed-capacity single-byte fields.
struct TCountryData {
  TShortString<40> Name;      ///< English name; alternatives joined by ';' ("Burma;Myanmar")
  TShortString<2> Fips10;     ///< FIPS 10-4 code, lower case
  TShortString<2> ISO3166_2;  ///< ISO 3166 two-letter code, lower case
  TShortString<3> ISO3166_3;  ///< ISO 3166 three-letter code, lower case
  double CLat;                ///< latitude of the reference centre, degrees
  double CLong;               ///< longitude of the reference centre, degrees
  TShortString<31> Capital;   ///< empty where there is none
  double CapLat;              ///< latitude of the capital, degrees
  double CapLong;             ///< longitude of the capital, degrees
  std::int32_t CapAlt;        ///< altitude of the capital in metres; 0 where unknown
};

inline constexpr std::size_t CountryCount = 231;

/// The 231 countries, sorted by name (0-based).
extern const std::array<TCountryData, CountryCount> CountryData;

} // namespace zyn
