#include "platform/ZYN_codepage.h"

namespace zyn {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five undefined positions.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char AnsiFromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<char>(0x80 + i);
  return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at s[i]; advances i; returns U+FFFD when malformed.
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0x80) return b0;
  const int extra = b0 >= 0xF0 && b0 <= 0xF4 ? 3 : b0 >= 0xE0 && b0 < 0xF0 ? 2 : b0 >= 0xC2 && b0 < 0xE0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  char32_t cp = b0 & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  }
  // Overlong forms (an ASCII letter spelt in three bytes), surrogates and
  // values beyond U+10FFFF are malformed, not characters.
  constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0xFFFD;
  return cp;
}

} // namespace

std::string Utf8ToAnsi(std::string_view Utf8) {
  std::string out;
  out.reserve(Utf8.size());
  for (std::size_t i = 0; i < Utf8.size();) out += AnsiFromCodePoint(DecodeUtf8(Utf8, i));
  return out;
}

std::string AnsiToUtf8(std::string_view Ansi) {
  std::string out;
  out.reserve(Ansi.size() + Ansi.size() / 4);
  for (char c : Ansi) {
    const auto b = static_cast<unsigned char>(c);
    char32_t cp = b;
    if (b >= 0x80 && b <= 0x9F) cp = kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : 0xFFFD;
    AppendUtf8(out, cp);
  }
  return out;
}

} // namespace zyn
