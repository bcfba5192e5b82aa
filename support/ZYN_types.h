#pragma once
/// \file
/// Small types shared by the subsystems: angle formats, frame styles,
/// alignments, geographic rectangles, mouse modes, mouse-trace points and
/// the events of the map control.

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

/// Border styles drawn by DrawFrame. The five frame colours are, in order:
/// outer light, inner light, inner shadow, outer shadow, and the line colour
/// of the flat styles.
enum TFrameStyle : std::uint8_t {
  frsNone,    ///< no border
  frsLowered, ///< two-pixel sunken 3-D border (the map control's default)
  frsRaised,  ///< two-pixel raised 3-D border
  frsSingle,  ///< one flat line in the line colour
  frsDouble,  ///< two flat lines in the line colour, one pixel apart
};

/// What dragging the mouse does in a map control. The ordinals are fixed;
/// the gaps are values the map control ignores.
enum TMouseActMode : std::uint8_t {
  maNone = 0,
  maPan = 1,        ///< pan in both directions
  maPanHoriz = 2,   ///< pan horizontally
  maPanVert = 3,    ///< pan vertically
  maRubberBand = 5, ///< draw a rubber-band line with clicks
  maZoomWind = 7,   ///< drag a rectangle to zoom into
  maZoomDrag = 9,   ///< zoom continuously by dragging
  maSelectRect = 16,///< drag a selection rectangle
  maMouseTrace = 17,///< record a free-hand trace
};

/// Whether a zoom rectangle is being drawn.
enum TZoomState : std::uint8_t { zsIdle, zsDefining };

/// Progress of a modal box request.
enum TMouseBoxState : std::uint8_t { mbsIdle, mbsWaiting, mbsDragging, mbsDone };

/// One point of a mouse trace with the colour of the segment ending at it.
struct TColoredPoint {
  double X = 0;
  double Y = 0;
  /// Bit 1: last point of a stroke; bit 2: the segment ending here is drawn inverted.
  std::uint16_t Flags = 0;
  /// 0x00BBGGRR, as TColor.
  std::uint32_t Color = 0;
  friend bool operator==(const TColoredPoint&, const TColoredPoint&) = default;
};

/// Flags of TColoredPoint.
inline constexpr std::uint16_t cpfStrokeEnd = 1;
inline constexpr std::uint16_t cpfInverted = 2;

struct TPoint; // platform/gui/ZYN_graphics.h; events only pass it on

/// The view changed through the mouse.
using TZoomPanEvent = std::function<void(TComponent* Sender)>;
/// A rectangle was selected: geographic (x longitude, y latitude) or map-image
/// pixels; first the corner where the button went down, then where it was released.
using TSelectRectEvent =
    std::function<void(TComponent* Sender, bool Geographic, double X1, double Y1, double X2, double Y2)>;
/// A rubber-band click at a map-image pixel.
using TOnRubberBandActionEvent = std::function<void(TComponent* Sender, const TPoint& Position)>;

} // namespace zyn
