#pragma once
/// \file
/// The landmark record and the two records that describe its look.

#include <cstdint>
#include <string>

#include "platform/ZYN_codepage.h"
#include "platform/gui/ZYN_font.h"
#include "platform/gui/ZYN_graphics.h"
#include "support/ZYN_types.h"

namespace zyn {

/// Horizontal alignment of a caption about its anchor.
enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

/// The symbol kinds of landmarks.
enum TLandMarkElement : std::uint8_t {
  lmPlus,
  lmSquare,
  lmTriangle,
  lmCircle,
  lmArrowFrom,
  lmArrowTo,
  lmCrossBox,
  lmSpade,
  lmCross,
  lmUserDef,
};

/// A caption text: at most 80 single-byte characters.
using TLMText = TShortString<80>;
/// A landmark identifier: at most 15 single-byte characters.
using TLMIdentifier = TShortString<15>;

/// The look of a landmark symbol.
struct TSymbolProperties {
  TLandMarkElement Kind = lmPlus;
  std::int32_t Size = 0;      ///< half the extent of most symbols, pixels
  TColor FGColor = 0;         ///< outline
  TColor BGColor = 0;         ///< fill, and halo of plus and cross
  bool Transparent = false;   ///< outlines only
  std::int32_t Direction = 0; ///< degrees clockwise, 0 pointing up (triangle, arrows)
  std::int32_t Length = 0;    ///< arrow shaft, pixels
  friend bool operator==(const TSymbolProperties&, const TSymbolProperties&) = default;
};

/// The caption of a landmark.
struct TLMTextProperties {
  TLMText Text;               ///< empty: no caption
  std::int32_t Size = 0;      ///< points
  std::string FontName;
  TFontStyles FontStyles;
  TColor FGColor = 0;
  TColor BGColor = 0;
  bool Transparent = false;
  std::int32_t dx = 0;        ///< anchor offset from the landmark's point, pixels
  std::int32_t dy = 0;
  std::int32_t Direction = 0; ///< degrees counter-clockwise
  TAlignment HAlignment = taLeftJustify;
  TVerticalAlignment VAlignment = vaTop;
  friend bool operator==(const TLMTextProperties&, const TLMTextProperties&) = default;
};

/// One landmark.
struct TLandMark {
  double Latitude = 0;
  double Longitude = 0;
  double Altitude = 0;
  std::uint8_t ClassFlag = 0;
  std::int32_t Tag = 0;
  TSymbolProperties SymbolProps;
  TLMTextProperties Caption;
  TLMIdentifier Identifier;
  double Time = 0; ///< days since 1899-12-30
  friend bool operator==(const TLandMark&, const TLandMark&) = default;
};

/// What a landmark veto is asked about.
enum TLandMarkAction : std::uint8_t { lmaAdd, lmaRemove };

} // namespace zyn
