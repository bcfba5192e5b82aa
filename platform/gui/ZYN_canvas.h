#pragma once
/// \file
/// A canvas: pen, brush and font, and the primitives drawn with them, with
/// the classic pixel rules of the Windows graphics device interface:
/// - a line sets its start pixel and not its end pixel, follows the integer
///   line rule with tie-breaking so that a line and its reverse light the
///   same pixels apart from their ends, and keeps its pixels when clipped;
/// - Rectangle and Ellipse exclude their right and bottom edges and touch
///   every pixel once, so drawing them twice in pmXor restores the picture;
/// - Polygon fills with the brush (alternate rule) and outlines with the pen;
/// - a solid brush also paints the gaps of dashed pens and the text cell.
/// Nothing is ever written outside the surface or the clip rectangle.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

#include "platform/ZYN_classes.h"
#include "platform/gui/ZYN_brush.h"
#include "platform/gui/ZYN_font.h"
#include "platform/gui/ZYN_graphics.h"
#include "platform/gui/ZYN_pen.h"

namespace zyn {

namespace detail {
struct TOutline;
struct TPainter;
} // namespace detail

/// Returned by Pixels for a point outside the surface.
inline constexpr TColor CLR_INVALID = 0xFFFFFFFF;

/// Stretch modes stored by a canvas (set through SetStretchBltMode).
inline constexpr std::int32_t BLACKONWHITE = 1;
inline constexpr std::int32_t WHITEONBLACK = 2;
inline constexpr std::int32_t COLORONCOLOR = 3;
inline constexpr std::int32_t HALFTONE = 4;

class TCanvas : public TPersistent {
public:
  /// Draws on Target, which must outlive the canvas; a null target draws nothing.
  explicit TCanvas(TCanvasTarget* Target);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TCanvasTarget* Target() const noexcept { return FTarget; }

  TPen& Pen() noexcept { return FPen; }
  const TPen& Pen() const noexcept { return FPen; }
  TBrush& Brush() noexcept { return FBrush; }
  const TBrush& Brush() const noexcept { return FBrush; }
  TFont& Font() noexcept { return FFont; }
  const TFont& Font() const noexcept { return FFont; }

  /// The current position, where LineTo starts.
  TPoint PenPos() const noexcept { return FPenPos; }
  void SetPenPos(TPoint Value) noexcept { MoveTo(Value.X, Value.Y); }

  /// Additional clip rectangle, intersected with the surface. ResetClipRect
  /// removes it. ClipRect is the effective clip (surface ∩ clip rectangle).
  void SetClipRect(const TRect& Value) noexcept;
  void ResetClipRect() noexcept { FHasClip = false; }
  TRect ClipRect() const;

  /// Stretch mode for StretchBlt and CopyRect (COLORONCOLOR or HALFTONE); SetStretchBltMode sets it.
  std::int32_t StretchMode() const noexcept { return FStretchMode; }
  void SetStretchMode(std::int32_t Value) noexcept { FStretchMode = Value; }

  void MoveTo(std::int32_t X, std::int32_t Y) noexcept;
  /// Line from the current position to (X, Y) without (X, Y); moves there.
  void LineTo(std::int32_t X, std::int32_t Y);
  /// Connected lines through Points; the last point is not set. The current
  /// position is neither used nor changed.
  void Polyline(std::span<const TPoint> Points);
  void Polyline(std::initializer_list<TPoint> Points) { Polyline(std::span(Points.begin(), Points.size())); }
  /// Closed polygon: brush fill, then the pen outline back to the first point.
  void Polygon(std::span<const TPoint> Points);
  void Polygon(std::initializer_list<TPoint> Points) { Polygon(std::span(Points.begin(), Points.size())); }
  /// Pen outline and brush interior of the pixels X1..X2-1, Y1..Y2-1 (corners
  /// in any order). With a clear pen the filled area is one pixel smaller in
  /// width and height, as on Windows.
  void Rectangle(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  /// Fills Rect with the brush in copy mode, whatever the pen mode; a clear brush fills nothing.
  void FillRect(const TRect& Rect);
  /// Ellipse inscribed in X1..X2-1, Y1..Y2-1: pen outline, brush interior.
  void Ellipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }

  /// UTF-8 Text with the top-left corner of its cell at (X, Y), rotated by
  /// the font's escapement around that corner. The cell is filled with the
  /// brush colour unless the brush is clear.
  void TextOut(std::int32_t X, std::int32_t Y, const std::string& Text);
  /// Like TextOut, clipped to Rect; a solid brush fills all of Rect first.
  void TextRect(const TRect& Rect, std::int32_t X, std::int32_t Y, const std::string& Text);
  /// Size of the unrotated text cell: the sum of the advances by ascent + descent.
  TSize TextExtent(const std::string& Text) const;
  std::int32_t TextWidth(const std::string& Text) const { return TextExtent(Text).cx; }
  std::int32_t TextHeight(const std::string& Text) const { return TextExtent(Text).cy; }

  /// The colour at (X, Y); CLR_INVALID outside the surface or the clip.
  TColor Pixels(std::int32_t X, std::int32_t Y) const;
  /// Sets one pixel in copy mode; ignored outside.
  void SetPixels(std::int32_t X, std::int32_t Y, TColor Value);

  /// Copies SourceRect of Source onto Dest, stretching with this canvas's
  /// stretch mode when the sizes differ.
  void CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect);
  /// Copies the whole of Graphic (a bitmap) with its top-left corner at (X, Y).
  void Draw(std::int32_t X, std::int32_t Y, TCanvasTarget& Graphic);

  /// Copies pen, brush, font, clip and stretch mode (not the target).
  void Assign(const TPersistent* Source) override;

protected:
  std::string ClassName() const override { return "TCanvas"; }

private:
  /// The surface and the effective clip for a drawing operation; false when
  /// there is nothing to draw on.
  bool Begin(TSurface& Surface, TRect& Clip) const;
  using TBoxShape = void (*)(const TRect&, const detail::TOutline*, const detail::TPainter*) noexcept;
  /// Draws a shape given by its box (corners in any order) with pen and brush.
  void DrawInBox(const TRect& Box, TBoxShape Shape);
  void End() const {
    if (FTarget) FTarget->Changed();
  }

  TCanvasTarget* FTarget;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TPoint FPenPos;
  std::int32_t FStylePhase = 0; ///< position in the dash pattern, kept across LineTo
  TRect FClip;
  bool FHasClip = false;
  std::int32_t FStretchMode = COLORONCOLOR;
};

} // namespace zyn
