#pragma once
/// \file
/// Text helpers of the base support library.

#include <span>
#include <string>
#include <string_view>

namespace zyn {

/// Position (counted from 1) of the first entry of Table equal to S, 0 when
/// none is. The comparison is exact (case and blanks count).
int StringIx(std::string_view S, std::span<const std::string> Table);
int StringIx(std::string_view S, std::span<const std::string_view> Table);
/// The same over the Highest entries Table[0] .. Table[Highest - 1], which
/// are positions 1 .. Highest; a Highest below 1 gives 0.
int StringIx(std::string_view S, const std::string* Table, int Highest);
int StringIx(std::string_view S, const std::string_view* Table, int Highest);

/// S reduced to the characters allowed in short (8.3) file names: ASCII
/// letters and digits, "." and ! # $ % & ' ( ) - @ ^ _ ` { } ~. Every other
/// byte (blanks, path delimiters, control and non-ASCII characters) is dropped.
std::string ReduceStringToFN83CompliantChars(std::string_view S);

} // namespace zyn
