#pragma once
/// \file
/// Small types shared by the subsystems: angle formats, frame styles,
/// alignments, geographic rectangles, progress events.

#include <cstdint>
#include <functional>

#include "platform/ZYN_classes.h"

namespace zyn {

/// Text form of an angle for DegreeToStr.
enum TDegreeFormat : std::uint8_t {
  dgfDegrees, ///< whole degrees (decimals for the degrees)
  dgfMinutes, ///< degrees and minutes (decimals for the minutes)
  dgfSeconds, ///< degrees, minutes and seconds (decimals for the seconds)
};

/// Vertical anchor of a caption: its top edge, middle or bottom edge.
enum TVerticalAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };

/// Language of month and day names for date parsing.
enum TLanguage : std::uint8_t { lanEnglish, lanGerman };

/// A geographic rectangle in degrees: western longitude, northern latitude,
/// eastern longitude, southern latitude.
struct TRectDouble {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  friend bool operator==(const TRectDouble&, const TRectDouble&) = default;
};

/// Progress of a long operation: the sender and a percentage.
using TOnPercentDoneEvent = std::function<void(TComponent* Sender, std::int32_t Percent)>;

} // namespace zyn
