#include "platform/gui/ZYN_canvas.h"

#include "platform/gui/ZYN_lines.h"
#include "platform/gui/ZYN_penmode.h"
#include "platform/gui/ZYN_shapes.h"
#include "platform/gui/ZYN_text.h"

namespace zyn {

using detail::TOutline;
using detail::TPainter;
using detail::TRasterOp;

namespace {

/// The painters of the current pen and brush for one operation.
struct TTools {
  TPainter Ink;    ///< the pen colour in the pen mode
  TPainter Paper;  ///< the brush colour in the pen mode (fills, dash gaps)
  TOutline Outline;
  bool HasPen;
  bool HasBrush;

  TTools(const TSurface& S, const TRect& Clip, const TPen& Pen, const TBrush& Brush)
      : Ink{S, Clip, TRasterOp::For(Pen.Mode(), Pen.Color())},
        Paper{S, Clip, TRasterOp::For(Pen.Mode(), Brush.Color())}, HasPen(Pen.Style() != psClear),
        HasBrush(Brush.Style() == bsSolid) {
    Outline.Ink = &Ink;
    Outline.Gap = HasBrush ? &Paper : nullptr;
    Outline.Dash = Pen.Width() > 1 ? nullptr : detail::DashPatternFor(Pen.Style());
    Outline.Width = Pen.Width();
  }
  const TOutline* Pen() const noexcept { return HasPen ? &Outline : nullptr; }
  const TPainter* Fill() const noexcept { return HasBrush ? &Paper : nullptr; }
};

TRect Normalised(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) noexcept {
  return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

} // namespace

TCanvas::TCanvas(TCanvasTarget* Target) : FTarget(Target) {}

void TCanvas::SetClipRect(const TRect& Value) noexcept {
  FClip = Value;
  FHasClip = true;
}

TRect TCanvas::ClipRect() const {
  TSurface s;
  TRect clip;
  return Begin(s, clip) ? clip : TRect{};
}

bool TCanvas::Begin(TSurface& Surface, TRect& Clip) const {
  if (!FTarget) return false;
  Surface = FTarget->Surface();
  if (Surface.Empty()) return false;
  Clip = {0, 0, Surface.Width, Surface.Height};
  if (FHasClip) Clip = IntersectRect(Clip, FClip);
  return !Clip.IsEmpty();
}

void TCanvas::MoveTo(std::int32_t X, std::int32_t Y) noexcept {
  FPenPos = {X, Y};
  FStylePhase = 0;
}

void TCanvas::LineTo(std::int32_t X, std::int32_t Y) {
  const TPoint from = FPenPos;
  FPenPos = {X, Y};
  TSurface s;
  TRect clip;
  if (FPen.Style() == psClear || !Begin(s, clip)) return;
  const TTools tools(s, clip, FPen, FBrush);
  const TPoint line[2] = {from, FPenPos};
  detail::DrawPolyline(line, false, tools.Outline, FStylePhase);
  End();
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  TSurface s;
  TRect clip;
  if (FPen.Style() == psClear || Points.size() < 2 || !Begin(s, clip)) return;
  const TTools tools(s, clip, FPen, FBrush);
  std::int32_t phase = 0;
  detail::DrawPolyline(Points, false, tools.Outline, phase);
  End();
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  TSurface s;
  TRect clip;
  if (Points.empty() || !Begin(s, clip)) return;
  const TTools tools(s, clip, FPen, FBrush);
  if (tools.HasBrush) detail::FillPolygon(Points, tools.Paper);
  std::int32_t phase = 0;
  if (tools.HasPen) detail::DrawPolyline(Points, true, tools.Outline, phase);
  End();
}

void TCanvas::DrawInBox(const TRect& Box, TBoxShape Shape) {
  TSurface s;
  TRect clip;
  if (!Begin(s, clip)) return;
  const TTools tools(s, clip, FPen, FBrush);
  Shape(Normalised(Box.Left, Box.Top, Box.Right, Box.Bottom), tools.Pen(), tools.Fill());
  End();
}

void TCanvas::Rectangle(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) {
  DrawInBox({X1, Y1, X2, Y2}, detail::DrawRectangle);
}

void TCanvas::FillRect(const TRect& Rect) {
  TSurface s;
  TRect clip;
  if (FBrush.Style() != bsSolid || !Begin(s, clip)) return;
  TPainter{s, clip, TRasterOp::Copy(FBrush.Color())}.Fill(Rect);
  End();
}

void TCanvas::Ellipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) {
  DrawInBox({X1, Y1, X2, Y2}, detail::DrawEllipse);
}

void TCanvas::TextOut(std::int32_t X, std::int32_t Y, const std::string& Text) {
  TSurface s;
  TRect clip;
  if (Text.empty() || !Begin(s, clip)) return;
  const detail::TTextLook look{FFont.Color(), FBrush.Style() == bsSolid, FBrush.Color(),
                               FFont.LogFont().lfEscapement};
  detail::DrawText(s, clip, FFont.Instance(), {X, Y}, detail::DecodeUtf8(Text), look);
  End();
}

void TCanvas::TextRect(const TRect& Rect, std::int32_t X, std::int32_t Y, const std::string& Text) {
  TSurface s;
  TRect clip;
  if (!Begin(s, clip)) return;
  clip = IntersectRect(clip, Rect);
  if (clip.IsEmpty()) return;
  if (FBrush.Style() == bsSolid) TPainter{s, clip, TRasterOp::Copy(FBrush.Color())}.Fill(clip);
  const detail::TTextLook look{FFont.Color(), false, FBrush.Color(), FFont.LogFont().lfEscapement};
  detail::DrawText(s, clip, FFont.Instance(), {X, Y}, detail::DecodeUtf8(Text), look);
  End();
}

TSize TCanvas::TextExtent(const std::string& Text) const {
  return detail::MeasureText(FFont.Instance(), detail::DecodeUtf8(Text));
}

TColor TCanvas::Pixels(std::int32_t X, std::int32_t Y) const {
  TSurface s;
  TRect clip;
  if (!Begin(s, clip) || !clip.Contains({X, Y})) return CLR_INVALID;
  return PixelToColor(s.Row(Y)[X]);
}

void TCanvas::SetPixels(std::int32_t X, std::int32_t Y, TColor Value) {
  TSurface s;
  TRect clip;
  if (!Begin(s, clip) || !clip.Contains({X, Y})) return;
  s.Row(Y)[X] = ColorToPixel(Value);
  End();
}

void TCanvas::Assign(const TPersistent* Source) {
  if (const auto* c = dynamic_cast<const TCanvas*>(Source)) {
    FPen.Assign(&c->FPen);
    FBrush.Assign(&c->FBrush);
    FFont.Assign(&c->FFont);
    FClip = c->FClip;
    FHasClip = c->FHasClip;
    FStretchMode = c->FStretchMode;
    return;
  }
  TPersistent::Assign(Source);
}

} // namespace zyn
