#include "geomap/ZYN_xmltext.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

#include "platform/ZYN_codepage.h"
#include "support/ZYN_univconst.h"

namespace zyn {

namespace {

constexpr char Blank = ' ';

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

char UpperAscii(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsZeroText(std::string_view digits) noexcept {
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0' || c == '.' || c == '-'; });
}

/// Converts the scanner's collected text ("." separator, optional exponent)
/// independently of the locale; overflow gives an infinity the caller clamps.
double ConvertCollected(const std::string& Collected) {
  static const locale_t CLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(Collected.c_str(), nullptr, CLocale);
}

} // namespace

// ---- formatting ----

std::string FormatFixed(double Value, int Decimals) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  Decimals = std::clamp(Decimals, 0, 18);
  // The largest double has 309 integer digits.
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, Decimals);
  std::string text(buf, res.ptr);
  // A value that rounds to zero carries no sign ("-0.00000" reads as 0 anyway).
  if (text.front() == '-' && IsZeroText(text)) text.erase(0, 1);
  return text;
}

std::string FormatGeneral(double Value) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  // %G switches to an exponent below 1E-4 and from 1E15 on (precision 15)
  // and drops trailing zeros; the decimal point is the C locale's.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", Value);
  std::string text(buf);
  const std::size_t e = text.find('E');
  if (e == std::string::npos) return text;
  // The exponent is written without "+" and without leading zeros: "1E-5", "1E15".
  std::string mantissa = text.substr(0, e);
  std::string_view exp(text.c_str() + e + 1);
  const bool negative = !exp.empty() && exp.front() == '-';
  if (!exp.empty() && (exp.front() == '-' || exp.front() == '+')) exp.remove_prefix(1);
  while (exp.size() > 1 && exp.front() == '0') exp.remove_prefix(1);
  return mantissa + "E" + (negative ? "-" : "") + std::string(exp);
}

// ---- scanning ----

namespace {

enum class TScanState { Start, Sign, Integer, Point, Fraction, Exponent, ExpSign, ExpDigits, End, Error };

enum class TCharClass { Blank, Sign, Digit, Separator, Exponent, Other };

TCharClass Classify(char c, bool isSeparator) {
  if (c == Blank) return TCharClass::Blank;
  if (c == '+' || c == '-') return TCharClass::Sign;
  if (IsDigit(c)) return TCharClass::Digit;
  if (isSeparator) return TCharClass::Separator;
  if (c == 'E') return TCharClass::Exponent;
  return TCharClass::Other;
}

TScanState Next(TScanState s, TCharClass k, bool allowExponent) {
  using S = TScanState;
  using K = TCharClass;
  const S afterE = allowExponent ? S::Exponent : S::End;
  switch (s) {
    case S::Start:
      switch (k) {
        case K::Blank: return S::Start;
        case K::Sign: return S::Sign;
        case K::Digit: return S::Integer;
        case K::Separator: return S::Point;
        default: return S::Error;
      }
    case S::Sign:
      switch (k) {
        case K::Digit: return S::Integer;
        case K::Separator: return S::Point;
        default: return S::Error;
      }
    case S::Integer:
      switch (k) {
        case K::Digit: return S::Integer;
        case K::Separator: return S::Point;
        case K::Exponent: return afterE;
        default: return S::End;
      }
    case S::Point:
    case S::Fraction:
      switch (k) {
        case K::Digit: return S::Fraction;
        case K::Separator: return S::Error;
        case K::Exponent: return afterE;
        default: return S::End;
      }
    case S::Exponent:
      switch (k) {
        case K::Sign: return S::ExpSign;
        case K::Digit: return S::ExpDigits;
        case K::Other: return S::End;
        default: return S::Error;
      }
    case S::ExpSign:
      switch (k) {
        case K::Digit: return S::ExpDigits;
        case K::Other: return S::End;
        default: return S::Error;
      }
    case S::ExpDigits: return k == K::Digit ? S::ExpDigits : S::End;
    default: return s;
  }
}

bool IsSeparatorFor(char c, std::int32_t mode) {
  return (c == '.' && (mode == dsmPoint || mode == dsmEither)) || (c == ',' && (mode == dsmComma || mode == dsmEither));
}

} // namespace

double ScanFloatNum(std::string_view Text, bool AllowExponent, std::int32_t SeparatorMode, std::size_t& Pos) {
  // Exponent digits stop being collected beyond this: the value is out of range anyway.
  constexpr int ExponentCollectLimit = 4200;
  std::string collected;
  int exponent = 0;
  TScanState state = TScanState::Start;
  for (;;) {
    const bool inside = Pos >= 1 && Pos <= Text.size();
    // Past the end reads as a letter that is not "E".
    const char c = inside ? UpperAscii(Text[Pos - 1]) : 'X';
    const bool isSep = inside && IsSeparatorFor(c, SeparatorMode);
    const TScanState next = Next(state, Classify(c, isSep), AllowExponent);
    if (next == TScanState::End || next == TScanState::Error) {
      state = next;
      break;
    }
    if (next == TScanState::ExpDigits) {
      if (exponent <= ExponentCollectLimit) {
        collected += c;
        exponent = exponent * 10 + (c - '0');
      }
    } else if (next != TScanState::Start) {
      collected += isSep ? '.' : c;
    }
    state = next;
    ++Pos;
  }
  if (state == TScanState::Error) return 0;
  // A bare exponent letter or sign at the end ("12E", "12E-") is dropped.
  while (!collected.empty() && (collected.back() == 'E' || collected.back() == '+' || collected.back() == '-'))
    collected.pop_back();
  if (collected.empty()) return 0;
  if (collected.back() == '.') collected += '0';
  const double value = ConvertCollected(collected);
  if (std::isnan(value)) return 0;
  return std::clamp(value, -uc_MaxDouble, uc_MaxDouble);
}

std::int32_t ScanDecInt(std::string_view Text, std::size_t& Pos) {
  if (Text.empty() || Pos < 1) return 0;
  auto at = [&](std::size_t p) { return p <= Text.size() ? Text[p - 1] : '\0'; };
  while (at(Pos) == Blank) ++Pos;
  bool negative = false;
  if (at(Pos) == '-' || at(Pos) == '+') {
    negative = at(Pos) == '-';
    ++Pos;
  }
  constexpr std::int64_t Limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  while (IsDigit(at(Pos))) {
    magnitude = std::min(Limit, magnitude * 10 + (at(Pos) - '0'));
    ++Pos;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// ---- attributes and plain text ----

std::string LowerCaseAscii(std::string_view Text) {
  std::string out(Text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string TrimSpaces(std::string_view Text) {
  const std::size_t first = Text.find_first_not_of(Blank);
  if (first == std::string_view::npos) return {};
  const std::size_t last = Text.find_last_not_of(Blank);
  return std::string(Text.substr(first, last - first + 1));
}

std::size_t NthPos(std::string_view Sub, std::string_view Text, std::size_t Start, std::int32_t N) {
  if (Sub.empty() || N < 1) return 0;
  std::size_t from = Start < 1 ? 0 : Start - 1;
  for (std::int32_t k = 1; from <= Text.size(); ++k) {
    const std::size_t found = Text.find(Sub, from);
    if (found == std::string_view::npos) return 0;
    if (k == N) return found + 1;
    from = found + 1;
  }
  return 0;
}

std::string GetAttrValue(std::string_view AttrText, std::string_view Name) {
  const std::string wanted = LowerCaseAscii(TrimSpaces(Name));
  std::size_t i = 0;
  const std::size_t n = AttrText.size();
  auto skipBlanks = [&] {
    while (i < n && AttrText[i] == Blank) ++i;
  };
  for (;;) {
    skipBlanks();
    if (i >= n) return {};
    // The name runs up to "="; a double quote in it means the text is not an attribute list.
    const std::size_t nameStart = i;
    while (i < n && AttrText[i] != '=') {
      if (AttrText[i] == '"') return {};
      ++i;
    }
    if (i >= n) return {};
    const std::string name = LowerCaseAscii(TrimSpaces(AttrText.substr(nameStart, i - nameStart)));
    ++i; // "="
    skipBlanks();
    if (i >= n || AttrText[i] == '=') return {};
    std::string_view value;
    if (AttrText[i] == '"') {
      const std::size_t close = AttrText.find('"', i + 1);
      if (close == std::string_view::npos) return {};
      value = AttrText.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      const std::size_t valueStart = i;
      while (i < n && AttrText[i] != Blank && AttrText[i] != '"') {
        if (AttrText[i] == '=') return {};
        ++i;
      }
      value = AttrText.substr(valueStart, i - valueStart);
    }
    if (name == wanted) return std::string(value);
  }
}

// ---- streams ----

bool ReadLnStream(TStream& Stream, std::string& Line) {
  Line.clear();
  std::string bytes;
  char chunk[512];
  bool any = false;
  for (;;) {
    const std::int64_t got = Stream.Read(chunk, sizeof chunk);
    if (got <= 0) break;
    any = true;
    const std::string_view view(chunk, static_cast<std::size_t>(got));
    const std::size_t lf = view.find('\n');
    if (lf != std::string_view::npos) {
      bytes.append(view.substr(0, lf));
      // Give back what follows the line end.
      const std::int64_t unread = got - static_cast<std::int64_t>(lf) - 1;
      if (unread > 0) Stream.Seek(-unread, soCurrent);
      break;
    }
    bytes.append(view);
  }
  if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
  Line = AnsiToUtf8(bytes);
  return any;
}

} // namespace zyn
