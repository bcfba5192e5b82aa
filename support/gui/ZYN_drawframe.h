#pragma once
/// \file
/// Borders around rectangles in the styles of TFrameStyle.

#include <cstdint>

#include "platform/gui/ZYN_canvas.h"
#include "support/ZYN_types.h"

namespace zyn {

/// Draws a frame of Style whose outermost pixels are the rectangle Left..Right,
/// Top..Bottom (both inclusive). The colours are: outer light, inner light,
/// inner shadow, outer shadow and the line colour of the flat styles.
/// - frsNone: nothing.
/// - frsLowered: two rings, shadows top and left, lights bottom and right;
///   the outer ring in the outer colours, the inner ring in the inner colours.
/// - frsRaised: the same rings with light and shadow sides exchanged.
/// - frsSingle: the outermost ring in the line colour.
/// - frsDouble: the outermost ring and the ring two pixels inside it in the line colour.
/// Pixels inside the frame are left alone; the canvas's brush is restored
/// afterwards. Unknown styles draw nothing.
void DrawFrame(TCanvas& Canvas, TFrameStyle Style, std::int32_t Left, std::int32_t Top, std::int32_t Right,
               std::int32_t Bottom, TColor OuterLight, TColor InnerLight, TColor InnerShadow, TColor OuterShadow,
               TColor LineColor);

} // namespace zyn
