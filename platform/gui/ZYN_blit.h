#pragma once
/// \file
/// Pixel transfers between surfaces: block copies and stretching with the
/// colour-on-colour (nearest pixel) and half-tone (area average when
/// shrinking, bilinear when enlarging) modes.
///
/// All transfers are clipped to both surfaces and to an optional clip
/// rectangle, so they never touch memory outside a surface. Destination
/// pixels whose source position lies outside the source surface keep their
/// value. A transfer between overlapping parts of one surface works as if the
/// source had been copied first.

#include <cstdint>

#include "platform/gui/ZYN_graphics.h"

namespace zyn {

/// Stretch mode values (as stored by a canvas): 4 is half-tone, every other
/// value stretches colour-on-colour.
inline constexpr std::int32_t StretchModeHalftone = 4;

/// Copies the Width × Height block at (XSrc, YSrc) of Src to (X, Y) of Dest.
void BitBlt(const TSurface& Dest, std::int32_t X, std::int32_t Y, std::int32_t Width, std::int32_t Height,
            const TSurface& Src, std::int32_t XSrc, std::int32_t YSrc, const TRect* Clip = nullptr);

/// Copies the whole of Src with its top-left corner at (X, Y) of Dest.
void Draw(const TSurface& Dest, std::int32_t X, std::int32_t Y, const TSurface& Src, const TRect* Clip = nullptr);

/// Stretches SrcRect of Src onto DestRect of Dest. A colour-on-colour pixel
/// takes the source pixel under its centre; a half-tone pixel averages the
/// source area it covers along an axis that shrinks and interpolates the
/// four nearest source pixels along an axis that enlarges (edges repeat the
/// outermost source pixels). Rectangles with opposite orientations mirror the
/// picture; an empty rectangle copies nothing. Equal sizes copy pixels unchanged.
void StretchBlt(const TSurface& Dest, const TRect& DestRect, const TSurface& Src, const TRect& SrcRect,
                std::int32_t Mode, const TRect* Clip = nullptr);

/// StretchBlt under the name canvases use for it.
inline void CopyRect(const TSurface& Dest, const TRect& DestRect, const TSurface& Src, const TRect& SrcRect,
                     std::int32_t Mode, const TRect* Clip = nullptr) {
  StretchBlt(Dest, DestRect, Src, SrcRect, Mode, Clip);
}

} // namespace zyn
