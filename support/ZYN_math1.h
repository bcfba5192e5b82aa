#pragma once
/// \file
/// Number helpers of the math support library: angle texts, swapping,
/// hexadecimal texts, date parsing, 1-2-5 rounding and random draws.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ZYN_datetime.h"
#include "support/ZYN_types.h"

namespace zyn {

/// An angle in degrees as text, with Decimals (clamped to 0..9) decimals on
/// the last unit: dgfDegrees "47.50°", dgfMinutes "47°30.0'", dgfSeconds
/// "47°30'00.0\"". Minutes and seconds have two integer digits; rounding
/// carries into the larger units ("47°60'" never appears). A negative angle
/// gets a leading "-"; a NaN or infinite angle gives "".
std::string DegreeToStr(double Angle, TDegreeFormat Format, int Decimals);

/// Swaps a and b.
inline void ExChange(double& a, double& b) noexcept {
  const double t = a;
  a = b;
  b = t;
}
inline void ExChange(std::int32_t& a, std::int32_t& b) noexcept {
  const std::int32_t t = a;
  a = b;
  b = t;
}
inline void ExChange(std::int64_t& a, std::int64_t& b) noexcept {
  const std::int64_t t = a;
  a = b;
  b = t;
}

/// Value in upper-case hexadecimal with at least Digits digits (zero-padded;
/// Digits is clamped to 1..16). A negative value is written as its 64-bit
/// two's complement.
std::string Hex(std::int64_t Value, int Digits);
/// Reads hexadecimal digits (either case) starting at the 1-based position
/// Pos, after blanks and an optional "$" or "0x"; Pos is left on the first
/// character that is not a digit. No digits give 0 with Pos on the first
/// character looked at. More than 16 digits keep the low 64 bits. Reads back
/// the text of Hex.
std::int64_t ScanHex(std::string_view Text, std::int32_t& Pos);

/// Parses Text by Format: "yyyy" year, "yy" year 2000 + yy, "mm" month,
/// "mmm" month name abbreviated in Language ("Jan", "Mär" …, any case), "dd"
/// day, "HH" hour, "MM" minute, "SS" second; any other format character must
/// match itself. Numeric fields take exactly as many digits as letters.
/// Status is 0 on success; otherwise the result is 0 and Status the 1-based
/// position in Text where parsing failed (Text.size() + 1 when it ended
/// early). Status is not read.
TDateTime ScanDateTime(std::string_view Text, std::string_view Format, TLanguage Language, std::int32_t& Status);
/// The inverse of ScanDateTime for the numeric fields ("yyyymmddHHMMSS");
/// "" for a value outside years 1..9999.
std::string FormatDateTimeFields(TDateTime Value, std::string_view Format);

/// The value of the series 1, 2, 5 × 10^k nearest to x on a logarithmic
/// scale (boundaries at √2, √10 and √50 times a power of ten, so 1200 gives
/// 1000, 1500 gives 2000 and 4000 gives 5000). 0 for x ≤ 0 and NaN; an
/// infinite x is returned as it is.
double Round125(double x);

/// A small, fast, seedable pseudo-random generator (xoshiro256**).
class TRandomGenerator {
public:
  explicit TRandomGenerator(std::uint64_t Seed = 0x5EED5EED5EED5EEDull) { SetSeed(Seed); }
  void SetSeed(std::uint64_t Seed) noexcept;
  std::uint64_t Next() noexcept;
  /// Uniform in [0, 1).
  double NextDouble() noexcept { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

private:
  std::uint64_t FState[4]{};
};

/// The generator BRandom draws from unless given one. It starts from a fixed
/// seed, so a run is repeatable; call SetSeed on it to vary or repeat runs.
TRandomGenerator& DefaultRandomGenerator() noexcept;

/// True with probability p: always for p ≥ 1, never for p ≤ 0 or NaN.
bool BRandom(double p) noexcept;
bool BRandom(double p, TRandomGenerator& Generator) noexcept;

} // namespace zyn
