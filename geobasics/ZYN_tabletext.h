#pragma once
/// \file
/// Fixed-capacity texts of the constant tables, built at compile time.

#include <cstddef>

#include "platform/ZYN_codepage.h"

namespace zyn {

/// A table text from a code-page (here ASCII) literal; a literal longer than
/// the capacity fails to compile, so the tables can never be cut silently.
template <std::size_t Capacity, std::size_t Size>
consteval TShortString<Capacity> TableText(const char (&Literal)[Size]) {
  static_assert(Size - 1 <= Capacity, "table text exceeds its field's capacity");
  TShortString<Capacity> Text;
  Text.Length = static_cast<std::uint8_t>(Size - 1);
  for (std::size_t i = 0; i + 1 < Size; ++i) Text.Chars[i] = Literal[i];
  return Text;
}

} // namespace zyn
