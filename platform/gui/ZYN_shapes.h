#pragma once
/// \file
/// Filled and outlined shapes: rectangles, ellipses and polygons. Outline
/// and interior never share a pixel, so each pixel is written once.

#include <cstdint>
#include <span>

#include "platform/gui/ZYN_graphics.h"
#include "platform/gui/ZYN_lines.h"
#include "platform/gui/ZYN_penmode.h"

namespace zyn::detail {

/// Rectangle of the pixels R.Left..R.Right-1, R.Top..R.Bottom-1 (R normalised):
/// outline with Pen (null: none, and the fill shrinks by one pixel to the
/// right and bottom), interior with Fill (null: none).
void DrawRectangle(const TRect& R, const TOutline* Pen, const TPainter* Fill) noexcept;

/// Ellipse inscribed in R (normalised, right and bottom exclusive). A pixel
/// belongs to it when its centre lies in the ellipse through the box's edges.
/// The 1-pixel outline is the ellipse's pixels next to a pixel outside it;
/// dash patterns are not applied to ellipses.
void DrawEllipse(const TRect& R, const TOutline* Pen, const TPainter* Fill) noexcept;

/// Fills the polygon by the alternate (even-odd) rule, sampling pixels at
/// their integer positions; right and bottom edges are excluded.
void FillPolygon(std::span<const TPoint> Points, const TPainter& Fill) noexcept;

/// The inclusive x-range of row Y of the ellipse inscribed in R; false when
/// the row holds no pixel of it.
bool EllipseRow(const TRect& R, std::int64_t Y, std::int64_t& Lo, std::int64_t& Hi) noexcept;

} // namespace zyn::detail
