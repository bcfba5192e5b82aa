#pragma once
/// \file
/// The calibration block of the map control's XML files: its line layout and
/// the reading steps shared by the control's reader and ParseCalibData. Used
/// by the calibration file units only; callers use ZYN_xmlcalib.h.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geomap/ZYN_calibdata.h"

namespace zyn {

/// Model names as written in the "model" attribute, indexed by TCalibModel.
inline constexpr std::array<std::string_view, cmUndefined + 1> CalModelNames = {
    "parabolicip", "biquadraticpn", "conicconformal", "millercylindrical", "equirect", "utm", "undefined"};

/// The name of a model; "undefined" for values outside the enumeration.
std::string_view CalModelName(TCalibModel Model) noexcept;
/// The model of a name (exact, lower case); cmUndefined for any other text.
TCalibModel CalModelFromName(std::string_view Name) noexcept;

/// The two written forms of a block: the stream form always has the
/// declaration, the resolution and the quadruple list.
enum TCalBlockForm : std::uint8_t { cbfTextFile, cbfStream };

/// The lines of one calibration block, without line ends.
std::vector<std::string> CalBlockLines(bool WithDeclaration, std::string_view DataID, const TCalibData& Calib,
                                       TCalibModel Model, TCalBlockForm Form);

/// Where the calibration readers take their text from.
class TCalBlockSource {
public:
  virtual ~TCalBlockSource() = default;
  /// The next whole line; false when the input holds no more.
  virtual bool ReadLine(std::string& Line) = 0;
  /// The next tag of XMLTagNames with its attribute and content texts;
  /// XMLTagHigh at the end of the input.
  virtual std::int32_t NextTag(std::string& Attr, std::string& Content) = 0;
};

/// What the opening tag of a block says.
struct TCalHeader {
  std::string Id;       ///< lower case
  std::string Model;    ///< lower case, trimmed
  bool HasModel = false;
  std::string MapFName; ///< lower case
  std::string Caption;  ///< case kept
};

/// The value of Name="..." found by plain text search in a header line, trimmed;
/// empty when the name does not occur. Searches the lower-case copy and takes
/// the value from Line, so that letter case can be kept.
std::string HeaderAttr(std::string_view LowerLine, std::string_view Line, std::string_view Name);

/// Reads on line by line to the first block header whose identifier matches
/// WantedId (any case; empty matches every block). False when none does.
bool FindCalHeader(TCalBlockSource& Source, std::string_view WantedId, TCalHeader& Header);

/// How the two readers differ while reading elements.
struct TCalReadRules {
  bool DropShortLines = true;  ///< drop graticule lines announcing fewer than 3 points
  std::string MessagePrefix;   ///< put before error messages, e.g. "ParseCalibData: "
};

/// Reads the elements of a block into Calib until "/geomap" or the end of
/// input. Items beyond the record's capacities are ignored. Raises
/// EZYNGeoMapError on a bad line type or a point count that differs from
/// its announcement; what was read before stays in Calib.
void ReadCalBlockElements(TCalBlockSource& Source, TCalibData& Calib, const TCalReadRules& Rules);

} // namespace zyn
