#include "support/ZYN_math1.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "support/ZYN_rounding.h"

namespace zyn {

// ---- DegreeToStr ----

namespace {

std::string PaddedInt(std::int64_t v, int Width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", Width, static_cast<long long>(v));
  return buf;
}

/// Units (whole part, two digits when not leading) and the decimals of the last.
std::string LastUnit(std::int64_t Scaled, std::int64_t Pow10, int Decimals, int Width) {
  std::string s = PaddedInt(Scaled / Pow10, Width);
  if (Decimals > 0) {
    s += '.';
    s += PaddedInt(Scaled % Pow10, Decimals);
  }
  return s;
}

} // namespace

std::string DegreeToStr(double Angle, TDegreeFormat Format, int Decimals) {
  if (!std::isfinite(Angle)) return {};
  Decimals = std::clamp(Decimals, 0, 9);
  const std::string sign = Angle < 0 ? "-" : "";
  const double a = std::fabs(Angle);
  std::int64_t pow10 = 1;
  for (int i = 0; i < Decimals; ++i) pow10 *= 10;
  const std::int64_t perDegree = (Format == dgfSeconds ? 3600 : Format == dgfMinutes ? 60 : 1) * pow10;
  // Round once in the smallest unit, then split, so carries come out right.
  const double scaledF = a * static_cast<double>(perDegree);
  if (scaledF >= 9.0e18) return sign + std::to_string(Round(a)) + "°";
  const std::int64_t scaled = Round(scaledF);
  const std::string degrees = std::to_string(scaled / perDegree);
  const std::int64_t rest = scaled % perDegree;
  switch (Format) {
    case dgfMinutes: return sign + degrees + "°" + LastUnit(rest, pow10, Decimals, 2) + "'";
    case dgfSeconds: {
      const std::int64_t perMinute = 60 * pow10;
      return sign + degrees + "°" + PaddedInt(rest / perMinute, 2) + "'" +
             LastUnit(rest % perMinute, pow10, Decimals, 2) + "\"";
    }
    default: return sign + LastUnit(scaled, pow10, Decimals, 1) + "°";
  }
}

// ---- Hex ----

std::string Hex(std::int64_t Value, int Digits) {
  Digits = std::clamp(Digits, 1, 16);
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*llX", Digits, static_cast<unsigned long long>(static_cast<std::uint64_t>(Value)));
  return buf;
}

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
} // namespace

std::int64_t ScanHex(std::string_view Text, std::int32_t& Pos) {
  std::size_t i = Pos < 1 ? 0 : static_cast<std::size_t>(Pos) - 1;
  while (i < Text.size() && Text[i] == ' ') ++i;
  const std::size_t start = i;
  if (i < Text.size() && Text[i] == '$') {
    ++i;
  } else if (i + 1 < Text.size() && Text[i] == '0' && (Text[i + 1] == 'x' || Text[i + 1] == 'X') &&
             i + 2 < Text.size() && HexDigit(Text[i + 2]) >= 0) {
    i += 2;
  }
  std::uint64_t value = 0;
  const std::size_t digits = i;
  while (i < Text.size() && HexDigit(Text[i]) >= 0) value = (value << 4) | static_cast<std::uint64_t>(HexDigit(Text[i++]));
  if (i == digits) i = start; // no digits: nothing consumed but the blanks
  Pos = static_cast<std::int32_t>(std::min<std::size_t>(i + 1, INT32_MAX));
  return static_cast<std::int64_t>(value);
}

// ---- ScanDateTime ----

namespace {

constexpr std::array<std::array<std::string_view, 12>, 2> kMonthNames = {{
    {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"},
    {"jan", "feb", "m\xC3\xA4r", "apr", "mai", "jun", "jul", "aug", "sep", "okt", "nov", "dez"},
}};

std::string LowerAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

/// Length of the run of Format[i] starting at i.
std::size_t RunLength(std::string_view Format, std::size_t i) {
  std::size_t n = 1;
  while (i + n < Format.size() && Format[i + n] == Format[i]) ++n;
  return n;
}

/// Parses exactly Count digits at Text[pos]; false when fewer digits stand there.
bool ReadDigits(std::string_view Text, std::size_t& pos, std::size_t Count, std::int32_t& Value) {
  Value = 0;
  for (std::size_t k = 0; k < Count; ++k, ++pos) {
    if (pos >= Text.size() || Text[pos] < '0' || Text[pos] > '9') return false;
    Value = Value * 10 + (Text[pos] - '0');
  }
  return true;
}

bool ReadMonthName(std::string_view Text, std::size_t& pos, TLanguage Language, std::int32_t& Month) {
  const auto& names = kMonthNames[Language == lanGerman ? 1 : 0];
  for (std::size_t m = 0; m < names.size(); ++m) {
    const std::string_view name = names[m];
    if (LowerAscii(Text.substr(pos, name.size())) == name) {
      pos += name.size();
      Month = static_cast<std::int32_t>(m + 1);
      return true;
    }
  }
  return false;
}

/// Which part of the date a run of format letters fills, or nullptr for literals.
std::int32_t* FieldOf(char Letter, std::size_t Run, TDateTimeParts& p) {
  switch (Letter) {
    case 'y': return Run == 4 || Run == 2 ? &p.Year : nullptr;
    case 'm': return Run == 2 || Run == 3 ? &p.Month : nullptr;
    case 'd': return Run == 2 ? &p.Day : nullptr;
    case 'H': return Run == 2 ? &p.Hour : nullptr;
    case 'M': return Run == 2 ? &p.Minute : nullptr;
    case 'S': return Run == 2 ? &p.Second : nullptr;
    default: return nullptr;
  }
}

} // namespace

TDateTime ScanDateTime(std::string_view Text, std::string_view Format, TLanguage Language, std::int32_t& Status) {
  TDateTimeParts parts;
  parts.Year = 1899;
  std::size_t pos = 0;
  auto fail = [&](std::size_t at) {
    Status = static_cast<std::int32_t>(std::min<std::size_t>(at + 1, INT32_MAX));
    return 0.0;
  };
  for (std::size_t i = 0; i < Format.size();) {
    const std::size_t run = RunLength(Format, i);
    std::int32_t* field = FieldOf(Format[i], run, parts);
    if (field == nullptr) {
      // A run of literal characters, matched one by one.
      for (std::size_t k = 0; k < run; ++k, ++pos)
        if (pos >= Text.size() || Text[pos] != Format[i]) return fail(pos);
      i += run;
      continue;
    }
    const bool ok = Format[i] == 'm' && run == 3 ? ReadMonthName(Text, pos, Language, *field)
                                                 : ReadDigits(Text, pos, run, *field);
    if (!ok) return fail(pos);
    if (Format[i] == 'y' && run == 2) *field += 2000;
    i += run;
  }
  TDateTime result = 0;
  if (!TryEncodeDateTime(parts, result)) return fail(0);
  Status = 0;
  return result;
}

std::string FormatDateTimeFields(TDateTime Value, std::string_view Format) {
  TDateTimeParts p;
  if (!TryDecodeDateTime(Value, p)) return {};
  std::string out;
  for (std::size_t i = 0; i < Format.size();) {
    const std::size_t run = RunLength(Format, i);
    const std::int32_t* field = FieldOf(Format[i], run, p);
    if (field == nullptr || (Format[i] == 'm' && run == 3)) {
      out.append(run, Format[i]);
      i += run;
      continue;
    }
    out += PaddedInt(Format[i] == 'y' && run == 2 ? *field % 100 : *field, static_cast<int>(run));
    i += run;
  }
  return out;
}

// ---- Round125 ----

double Round125(double x) {
  if (!(x > 0)) return 0.0;
  if (std::isinf(x)) return x;
  // long double keeps 10^e exact enough and representable for subnormal x.
  const long double lx = x;
  int e = static_cast<int>(std::floor(std::log10(lx)));
  long double p = std::pow(10.0L, e);
  if (lx / p >= 10) p *= 10;
  if (lx / p < 1) p /= 10;
  const long double m = lx / p;
  const long double step = m < std::sqrt(2.0L) ? 1 : m < std::sqrt(10.0L) ? 2 : m < std::sqrt(50.0L) ? 5 : 10;
  const double result = static_cast<double>(step * p);
  if (!std::isinf(result)) return result;
  // Near the top of the range the series value above x does not exist as a
  // double; take the one below.
  const long double below = step == 10 ? 5 : step == 5 ? 2 : 1;
  return static_cast<double>(below * p);
}

// ---- Random ----

namespace {
std::uint64_t SplitMix(std::uint64_t& s) noexcept {
  std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}
std::uint64_t Rotl(std::uint64_t x, int k) noexcept { return (x << k) | (x >> (64 - k)); }
} // namespace

void TRandomGenerator::SetSeed(std::uint64_t Seed) noexcept {
  for (auto& s : FState) s = SplitMix(Seed);
}

std::uint64_t TRandomGenerator::Next() noexcept {
  const std::uint64_t result = Rotl(FState[1] * 5, 7) * 9;
  const std::uint64_t t = FState[1] << 17;
  FState[2] ^= FState[0];
  FState[3] ^= FState[1];
  FState[1] ^= FState[2];
  FState[0] ^= FState[3];
  FState[2] ^= t;
  FState[3] = Rotl(FState[3], 45);
  return result;
}

TRandomGenerator& DefaultRandomGenerator() noexcept {
  static TRandomGenerator generator;
  return generator;
}

bool BRandom(double p) noexcept { return BRandom(p, DefaultRandomGenerator()); }

bool BRandom(double p, TRandomGenerator& Generator) noexcept {
  if (p >= 1) return true;
  if (!(p > 0)) return false;
  return Generator.NextDouble() < p;
}

} // namespace zyn
