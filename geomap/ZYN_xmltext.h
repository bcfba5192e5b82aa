#pragma once
/// \file
/// The small text routines of the map control's XML-like files: number
/// formatting and scanning, attribute extraction, line reading, and the tag
/// table shared by the calibration, landmark and symbol files.
///
/// Positions are 1-based character positions into UTF-8 texts, counted in
/// bytes; every character these routines look at is ASCII.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ZYN_streams.h"

namespace zyn {

/// Tag numbers returned by the tag scanner for the map control's files.
enum TXMLTag : std::int32_t {
  xtGeoMap = 0,
  xtGeoMapEnd = 1,
  xtCalLine = 2,
  xtCorners = 3,
  xtResolution = 4,
  xtGmLandmarks = 5,
  xtGmLandmarksEnd = 6,
  xtLandmark = 7,
  xtCalQuads = 8,
  xtLmSymbols = 9,
  xtLmSymbolsEnd = 10,
  xtSymbol = 11,
  xtUTMZone = 12,
  xtUTMSouth = 13,
  xtEllipsoid = 14,
  xtInvalidTag = 15, ///< no further tag in the input
};

/// Highest index of XMLTagNames; the tag scanner returns it at the end of input.
inline constexpr std::int32_t XMLTagHigh = xtInvalidTag;

/// The tag names of all three XML formats of the map control, indexed by TXMLTag.
inline constexpr std::array<std::string_view, XMLTagHigh + 1> XMLTagNames = {
    "geomap",   "/geomap",     "calline",      "corners",  "resolution", "gmlandmarks",
    "/gmlandmarks", "landmark", "calquads",    "lmsymbols", "/lmsymbols", "symbol",
    "utmzone",  "utmsouth",    "ellipsoid",    "invalidtag"};

/// Separator modes of ScanFloatNum.
enum TDecimalSeparatorMode : std::int32_t {
  dsmPoint = 1, ///< "." only
  dsmComma = 2, ///< "," only
  dsmEither = 3 ///< "." or ","
};

/// Value with exactly Decimals decimals, "." as separator whatever the locale,
/// no exponent and no grouping ("-0.50000", "150.000").
std::string FormatFixed(double Value, int Decimals);

/// Shortest text with up to 15 significant digits in the current C locale's
/// decimal format; an exponent ("1E-5") only below 1E-4 or from 1E15 on.
std::string FormatGeneral(double Value);

/// Scans a number from Pos (1-based) and leaves Pos on the character that
/// ended the scan. Unreadable numbers give 0; the result is always finite.
double ScanFloatNum(std::string_view Text, bool AllowExponent, std::int32_t SeparatorMode, std::size_t& Pos);

/// Scans an optionally signed decimal integer from Pos after skipping blanks;
/// Pos is left on the first character that is not a digit. Saturates at the
/// 32-bit range; no digits give 0.
std::int32_t ScanDecInt(std::string_view Text, std::size_t& Pos);

/// Value of the first name="value" (or name=value) pair named Name, compared
/// without regard to case; empty when absent or when the text is malformed.
std::string GetAttrValue(std::string_view AttrText, std::string_view Name);

/// Position (1-based) of the N-th occurrence of Sub in Text counted from
/// Start (1-based), or 0.
std::size_t NthPos(std::string_view Sub, std::string_view Text, std::size_t Start, std::int32_t N);

/// Text without leading and trailing blanks (U+0020 only).
std::string TrimSpaces(std::string_view Text);

/// ASCII lower-case copy (other bytes unchanged).
std::string LowerCaseAscii(std::string_view Text);

/// Reads one line of single-byte text from the stream's current position up
/// to LF or the end; the line comes back as UTF-8 without its LF and CR.
/// Returns false when the stream held no more bytes before the call.
bool ReadLnStream(TStream& Stream, std::string& Line);

} // namespace zyn
