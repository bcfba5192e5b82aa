#pragma once
/// \file
/// Date-times as 64-bit floats counting days since 1899-12-30; the fraction
/// is the time of day. For dates before that day the integral part is
/// negative and the fraction still counts forward from midnight (so
/// -1.25 is 1899-12-29 06:00).

#include <cstdint>
#include <ctime>

namespace zyn {

using TDateTime = double;

/// The parts of a date-time.
struct TDateTimeParts {
  std::int32_t Year = 1899;
  std::int32_t Month = 12;
  std::int32_t Day = 30;
  std::int32_t Hour = 0;
  std::int32_t Minute = 0;
  std::int32_t Second = 0;
  std::int32_t MilliSecond = 0;
};

/// Builds a date-time from its parts; false (and Result untouched) when a part
/// is out of range (years 1..9999, hours 0..23, minutes and seconds 0..59,
/// milliseconds 0..999, days within their month).
bool TryEncodeDateTime(const TDateTimeParts& Parts, TDateTime& Result) noexcept;
/// Splits a date-time into parts, rounded to the millisecond; false for
/// values outside years 1..9999 and for NaN (Parts untouched).
bool TryDecodeDateTime(TDateTime Value, TDateTimeParts& Parts) noexcept;
/// The current local date and time.
TDateTime Now();
/// A POSIX time (seconds since 1970, UTC) as a local date-time.
TDateTime UnixTimeToLocalDateTime(std::time_t Seconds, std::int32_t Nanoseconds = 0);

} // namespace zyn
