#pragma once
/// \file
/// Line rasterization: cosmetic 1-pixel lines with dash patterns and wide
/// round-capped strokes, clipped without changing which pixels they light.

#include <cstdint>
#include <span>

#include "platform/gui/ZYN_graphics.h"
#include "platform/gui/ZYN_pen.h"
#include "platform/gui/ZYN_penmode.h"

namespace zyn::detail {

/// Dash pattern of a cosmetic pen as one flag per pixel, repeating.
struct TDashPattern {
  std::int32_t Length = 1;
  std::uint32_t OnBits = 1; ///< bit i set: pixel i of the period is drawn
  bool On(std::int32_t Phase) const noexcept { return (OnBits >> (Phase % Length)) & 1u; }
};

/// The pattern of Style; null for solid (and clear) pens.
const TDashPattern* DashPatternFor(TPenStyle Style) noexcept;

/// Lights the pixels of the cosmetic line from A to B, without B, following
/// the integer rule: err = 2·minor − major, step the minor axis when
/// err + bias > 0, bias 1 for x-major lines going up and y-major lines going
/// left. Pixels outside Ink.Clip are skipped, the others are exactly those of
/// the unclipped line. With a Dash pattern, pixels whose dash flag is off go
/// to Gap (or nowhere when Gap is null). Phase is the dash position of A; the
/// result is the position of B.
std::int32_t DrawCosmeticLine(const TPainter& Ink, const TPainter* Gap, const TDashPattern* Dash, TPoint A,
                              TPoint B, std::int32_t Phase) noexcept;

/// How a pen draws: its painter, the painter of dash gaps (null: transparent),
/// its dash pattern (null: solid) and its width.
struct TOutline {
  const TPainter* Ink = nullptr;
  const TPainter* Gap = nullptr;
  const TDashPattern* Dash = nullptr;
  std::int32_t Width = 1;
};

/// Connected lines through Points (closed back to the first when Closed),
/// each without its end pixel, the dash pattern running on from Phase.
void DrawPolyline(std::span<const TPoint> Points, bool Closed, const TOutline& Pen, std::int32_t& Phase) noexcept;

/// Lights every pixel within Width / 2 of the segment from A to B (round caps,
/// both ends included).
void DrawWideLine(const TPainter& Ink, TPoint A, TPoint B, std::int32_t Width) noexcept;

} // namespace zyn::detail
