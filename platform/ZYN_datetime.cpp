#include "platform/ZYN_datetime.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace zyn {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;

bool IsLeapYear(std::int32_t y) noexcept { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

std::int32_t DaysInMonth(std::int32_t y, std::int32_t m) noexcept {
  constexpr std::int32_t days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Days from 1970-01-01 of a proleptic Gregorian civil date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) noexcept {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int32_t& y, std::int32_t& m, std::int32_t& d) noexcept {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<std::int32_t>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<std::int32_t>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<std::int32_t>(yoe + era * 400 + (m <= 2));
}

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kEpochOffsetDays = -25569;

} // namespace

bool TryEncodeDateTime(const TDateTimeParts& p, TDateTime& Result) noexcept {
  if (p.Year < 1 || p.Year > 9999 || p.Month < 1 || p.Month > 12) return false;
  if (p.Day < 1 || p.Day > DaysInMonth(p.Year, p.Month)) return false;
  if (p.Hour < 0 || p.Hour > 23 || p.Minute < 0 || p.Minute > 59 || p.Second < 0 || p.Second > 59 ||
      p.MilliSecond < 0 || p.MilliSecond > 999)
    return false;
  const auto days = static_cast<double>(DaysFromCivil(p.Year, p.Month, p.Day) - kEpochOffsetDays);
  const double time =
      static_cast<double>(((p.Hour * 60 + p.Minute) * 60 + p.Second) * 1000 + p.MilliSecond) / kMsPerDay;
  Result = days >= 0 ? days + time : days - time;
  return true;
}

bool TryDecodeDateTime(TDateTime Value, TDateTimeParts& Parts) noexcept {
  // Years 1..9999 span about -693593 .. 2958466 days.
  if (!(Value > -693594.0 && Value < 2958466.0)) return false;
  // Work in whole milliseconds so that 23:59:59.9996 does not print as 60 seconds.
  double days = std::trunc(Value);
  // The fraction is below 1, so the product is a small finite number.
  auto ms = static_cast<std::int64_t>(std::nearbyint(std::fabs(Value - days) * kMsPerDay));
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    days += Value >= 0 ? 1 : -1;
  }
  TDateTimeParts p;
  CivilFromDays(static_cast<std::int64_t>(days) + kEpochOffsetDays, p.Year, p.Month, p.Day);
  if (p.Year < 1 || p.Year > 9999) return false;
  p.MilliSecond = static_cast<std::int32_t>(ms % 1000);
  p.Second = static_cast<std::int32_t>(ms / 1000 % 60);
  p.Minute = static_cast<std::int32_t>(ms / 60000 % 60);
  p.Hour = static_cast<std::int32_t>(ms / 3600000);
  Parts = p;
  return true;
}

TDateTime UnixTimeToLocalDateTime(std::time_t Seconds, std::int32_t Nanoseconds) {
  std::tm local{};
  if (::localtime_r(&Seconds, &local) == nullptr) return 0.0;
  TDateTimeParts p{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                   std::min(local.tm_sec, 59), std::clamp(Nanoseconds / 1'000'000, 0, 999)};
  TDateTime result = 0.0;
  return TryEncodeDateTime(p, result) ? result : 0.0;
}

TDateTime Now() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto secs = std::chrono::duration_cast<std::chrono::seconds>(now);
  const auto nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(now - secs);
  return UnixTimeToLocalDateTime(static_cast<std::time_t>(secs.count()), static_cast<std::int32_t>(nanos.count()));
}

} // namespace zyn
