#include "platform/gui/ZYN_forms.h"

#include <cstdlib>
#include <initializer_list>
#include <utility>

namespace zyn {

namespace {

constexpr std::int32_t kCursorSize = 32;

/// A 32 × 32 cursor drawn from line segments: black strokes with a white rim.
class TCursorSketch {
public:
  explicit TCursorSketch(TPoint HotSpot) {
    FShape.Width = FShape.Height = kCursorSize;
    FShape.HotSpot = HotSpot;
    FShape.Pixels.assign(kCursorSize * kCursorSize, 0);
  }
  /// Strokes the open polyline through Points.
  TCursorSketch& Stroke(std::initializer_list<TPoint> Points) {
    FStrokes.emplace_back(Points);
    return *this;
  }
  HCURSOR Build() {
    for (const std::uint32_t colour : {0xFFFFFFFFu, 0xFF000000u})
      for (const auto& stroke : FStrokes)
        for (std::size_t i = 1; i < stroke.size(); ++i) Line(stroke[i - 1], stroke[i], colour == 0xFFFFFFFFu, colour);
    return std::make_shared<const TCursorShape>(std::move(FShape));
  }

private:
  void Put(std::int32_t x, std::int32_t y, std::uint32_t colour) {
    if (x < 0 || y < 0 || x >= kCursorSize || y >= kCursorSize) return;
    FShape.Pixels[static_cast<std::size_t>(y * kCursorSize + x)] = colour;
  }
  void Line(TPoint a, TPoint b, bool rim, std::uint32_t colour) {
    const std::int32_t dx = std::abs(b.X - a.X), dy = std::abs(b.Y - a.Y);
    const std::int32_t sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    std::int32_t err = dx - dy;
    for (TPoint p = a;;) {
      for (std::int32_t j = rim ? -1 : 0; j <= (rim ? 1 : 0); ++j)
        for (std::int32_t i = rim ? -1 : 0; i <= (rim ? 1 : 0); ++i) Put(p.X + i, p.Y + j, colour);
      if (p == b) break;
      const std::int32_t e2 = 2 * err;
      if (e2 > -dy) { err -= dy; p.X += sx; }
      if (e2 < dx) { err += dx; p.Y += sy; }
    }
  }
  TCursorShape FShape;
  std::vector<std::vector<TPoint>> FStrokes;
};

HCURSOR ArrowCursor() {
  return TCursorSketch({1, 1})
      .Stroke({{1, 1}, {1, 17}, {5, 13}, {8, 20}, {10, 19}, {7, 12}, {12, 12}, {1, 1}})
      .Build();
}
HCURSOR CrossCursor() {
  return TCursorSketch({15, 15}).Stroke({{15, 4}, {15, 26}}).Stroke({{4, 15}, {26, 15}}).Build();
}
HCURSOR IBeamCursor() {
  return TCursorSketch({15, 15}).Stroke({{12, 5}, {18, 5}}).Stroke({{15, 5}, {15, 25}}).Stroke({{12, 25}, {18, 25}}).Build();
}
HCURSOR DoubleArrow(TPoint a, TPoint b, TPoint headA1, TPoint headA2, TPoint headB1, TPoint headB2) {
  return TCursorSketch({15, 15}).Stroke({a, b}).Stroke({headA1, a, headA2}).Stroke({headB1, b, headB2}).Build();
}
HCURSOR SizeNSCursor() { return DoubleArrow({15, 4}, {15, 26}, {11, 8}, {19, 8}, {11, 22}, {19, 22}); }
HCURSOR SizeWECursor() { return DoubleArrow({4, 15}, {26, 15}, {8, 11}, {8, 19}, {22, 11}, {22, 19}); }
HCURSOR SizeNWSECursor() { return DoubleArrow({6, 6}, {24, 24}, {6, 12}, {12, 6}, {24, 18}, {18, 24}); }
HCURSOR SizeNESWCursor() { return DoubleArrow({24, 6}, {6, 24}, {18, 6}, {24, 12}, {12, 24}, {6, 18}); }
HCURSOR SizeAllCursor() {
  return TCursorSketch({15, 15})
      .Stroke({{15, 4}, {15, 26}}).Stroke({{4, 15}, {26, 15}})
      .Stroke({{12, 7}, {15, 4}, {18, 7}}).Stroke({{12, 23}, {15, 26}, {18, 23}})
      .Stroke({{7, 12}, {4, 15}, {7, 18}}).Stroke({{23, 12}, {26, 15}, {23, 18}})
      .Build();
}
HCURSOR UpArrowCursor() {
  return TCursorSketch({15, 2}).Stroke({{15, 2}, {15, 26}}).Stroke({{9, 8}, {15, 2}, {21, 8}}).Build();
}
HCURSOR HourGlassCursor() {
  return TCursorSketch({15, 15})
      .Stroke({{8, 4}, {22, 4}, {8, 26}, {22, 26}, {8, 4}})
      .Build();
}
HCURSOR NoCursor() {
  return TCursorSketch({15, 15})
      .Stroke({{10, 5}, {20, 5}, {25, 10}, {25, 20}, {20, 25}, {10, 25}, {5, 20}, {5, 10}, {10, 5}})
      .Stroke({{8, 8}, {22, 22}})
      .Build();
}
HCURSOR HandPointCursor() {
  return TCursorSketch({9, 2})
      .Stroke({{7, 16}, {7, 4}, {9, 2}, {11, 4}, {11, 12}, {21, 13}, {23, 16}, {22, 26}, {9, 26}, {4, 18}, {7, 16}})
      .Build();
}
HCURSOR EmptyCursor() {
  TCursorShape shape;
  shape.Width = shape.Height = kCursorSize;
  shape.Pixels.assign(kCursorSize * kCursorSize, 0);
  return std::make_shared<const TCursorShape>(std::move(shape));
}

} // namespace

TScreen::TScreen() {
  const HCURSOR arrow = ArrowCursor(), hourGlass = HourGlassCursor(), no = NoCursor();
  const HCURSOR sizeNS = SizeNSCursor(), sizeWE = SizeWECursor();
  FCursors = {
      {crDefault, arrow},        {crNone, EmptyCursor()},    {crArrow, arrow},
      {crCross, CrossCursor()},  {crIBeam, IBeamCursor()},   {crSizeNESW, SizeNESWCursor()},
      {crSizeNS, sizeNS},        {crSizeNWSE, SizeNWSECursor()}, {crSizeWE, sizeWE},
      {crUpArrow, UpArrowCursor()}, {crHourGlass, hourGlass}, {crDrag, arrow},
      {crNoDrop, no},            {crHSplit, sizeWE},         {crVSplit, sizeNS},
      {crMultiDrag, arrow},      {crSQLWait, hourGlass},     {crNo, no},
      {crAppStart, hourGlass},   {crHelp, arrow},            {crHandPoint, HandPointCursor()},
      {crSizeAll, SizeAllCursor()},
  };
}

HCURSOR TScreen::Cursors(TCursor Index) const {
  const auto it = FCursors.find(Index);
  return it != FCursors.end() ? it->second : FCursors.at(crArrow);
}

void TScreen::SetCursors(TCursor Index, HCURSOR Cursor) {
  if (Cursor != nullptr) {
    FCursors[Index] = std::move(Cursor);
  } else if (Index > crDefault) {
    FCursors.erase(Index);
  }
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

void TApplication::ProcessMessages() { ActiveBackend().ProcessMessages(); }

TApplication& Application() {
  static TApplication application;
  return application;
}

} // namespace zyn
