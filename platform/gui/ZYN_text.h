#pragma once
/// \file
/// Text layout and drawing: UTF-8 decoding, extents, and anti-aliased,
/// optionally rotated output with an opaque cell.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gui/ZYN_fontengine.h"
#include "platform/gui/ZYN_graphics.h"

namespace zyn::detail {

/// Code points of UTF-8 text; each malformed byte becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view Text);

/// Unrotated cell of the text: the sum of the advances by ascent + descent.
TSize MeasureText(const TFontInstance& Font, std::u32string_view Text);

/// How text is drawn: its colour, the cell colour (when Opaque), and the
/// angle of the baseline in tenths of a degree, counter-clockwise.
struct TTextLook {
  TColor Color = clBlack;
  bool Opaque = false;
  TColor Background = clWhite;
  std::int32_t Escapement = 0;
};

/// Draws Text with the top-left corner of its (rotated) cell at Origin,
/// writing only inside Clip (already intersected with the surface).
void DrawText(const TSurface& Surface, const TRect& Clip, const TFontInstance& Font, TPoint Origin,
              std::u32string_view Text, const TTextLook& Look);

} // namespace zyn::detail
