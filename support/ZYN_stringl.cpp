#include "support/ZYN_stringl.h"

#include <algorithm>

namespace zyn {

namespace {

template <class Str>
int PositionIn(std::string_view S, std::span<const Str> Table) {
  const auto it = std::find_if(Table.begin(), Table.end(), [S](const Str& e) { return std::string_view(e) == S; });
  return it == Table.end() ? 0 : static_cast<int>(it - Table.begin()) + 1;
}

bool IsShortNameChar(unsigned char c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  return std::string_view(".!#$%&'()-@^_`{}~").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

int StringIx(std::string_view S, std::span<const std::string> Table) { return PositionIn(S, Table); }
int StringIx(std::string_view S, std::span<const std::string_view> Table) { return PositionIn(S, Table); }

int StringIx(std::string_view S, const std::string* Table, int Highest) {
  if (Table == nullptr || Highest < 1) return 0;
  return PositionIn(S, std::span<const std::string>(Table, static_cast<std::size_t>(Highest)));
}

int StringIx(std::string_view S, const std::string_view* Table, int Highest) {
  if (Table == nullptr || Highest < 1) return 0;
  return PositionIn(S, std::span<const std::string_view>(Table, static_cast<std::size_t>(Highest)));
}

std::string ReduceStringToFN83CompliantChars(std::string_view S) {
  std::string out;
  out.reserve(S.size());
  for (char c : S)
    if (IsShortNameChar(static_cast<unsigned char>(c))) out += c;
  return out;
}

} // namespace zyn
