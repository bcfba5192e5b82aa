#include "platform/gui/ZYN_forms.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "platform/gui/ZYN_resources.h"

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

// --- cursor files -----------------------------------------------------------

namespace zyn {

namespace {

class TCursorReader {
public:
  TCursorReader(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}
  std::uint32_t U16(std::size_t At) const { return Need(At, 2), FData[At] | (FData[At + 1] << 8); }
  std::uint32_t U32(std::size_t At) const { return Need(At, 4), U16(At) | (U16(At + 2) << 16); }
  std::int32_t I32(std::size_t At) const { return static_cast<std::int32_t>(U32(At)); }
  std::uint8_t U8(std::size_t At) const { return Need(At, 1), FData[At]; }
  void Need(std::size_t At, std::size_t Count) const {
    if (At > FSize || Count > FSize - At) throw EConvertError("Cursor file is truncated");
  }

private:
  const std::uint8_t* FData;
  std::size_t FSize;
};

std::size_t RowBytes(std::int32_t Width, std::uint32_t Bits) {
  return ((static_cast<std::size_t>(Width) * Bits + 31) / 32) * 4;
}

} // namespace

TCursorShape DecodeCursorFile(const std::uint8_t* Data, std::size_t Size) {
  const TCursorReader r(Data, Size);
  if (r.U16(0) != 0 || r.U16(2) != 2 || r.U16(4) == 0) throw EConvertError("Not a cursor file");
  TCursorShape shape;
  shape.HotSpot = {static_cast<std::int32_t>(r.U16(10)), static_cast<std::int32_t>(r.U16(12))};
  const std::size_t dib = r.U32(18);
  if (r.U32(dib) < 40) throw EConvertError("Cursor image is not a device-independent bitmap");
  const std::int32_t width = r.I32(dib + 4), height = r.I32(dib + 8) / 2;
  const std::uint32_t bits = r.U16(dib + 14), used = r.U32(dib + 32);
  if (width <= 0 || height <= 0 || width > 256 || height > 256 || r.U32(dib + 16) != 0 ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
    throw EConvertError("Unsupported cursor image");
  const std::size_t colours = bits <= 8 ? (used != 0 && used < (1u << bits) ? used : (1u << bits)) : 0;
  const std::size_t palette = dib + r.U32(dib);
  const std::size_t xorStart = palette + colours * 4, xorRow = RowBytes(width, bits);
  const std::size_t andStart = xorStart + xorRow * static_cast<std::size_t>(height), andRow = RowBytes(width, 1);
  r.Need(andStart, andRow * static_cast<std::size_t>(height));
  shape.Width = width;
  shape.Height = height;
  shape.Pixels.assign(static_cast<std::size_t>(width * height), 0);
  shape.InvertMask.assign(shape.Pixels.size(), 0);
  bool anyAlpha = false;
  for (std::int32_t y = 0; y < height; ++y) {
    // Rows are stored bottom-up.
    const std::size_t xr = xorStart + xorRow * static_cast<std::size_t>(height - 1 - y);
    const std::size_t ar = andStart + andRow * static_cast<std::size_t>(height - 1 - y);
    for (std::int32_t x = 0; x < width; ++x) {
      TPixel colour = 0;
      if (bits <= 8) {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const std::uint32_t index = (r.U8(xr + bit / 8) >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index < colours) colour = r.U32(palette + index * 4) & 0xFFFFFF;
      } else {
        const std::size_t at = xr + static_cast<std::size_t>(x) * (bits / 8);
        colour = r.U8(at) | (r.U8(at + 1) << 8) | (TPixel(r.U8(at + 2)) << 16);
        if (bits == 32) colour |= TPixel(r.U8(at + 3)) << 24;
      }
      anyAlpha = anyAlpha || (colour >> 24) != 0;
      const bool masked = (r.U8(ar + static_cast<std::size_t>(x) / 8) >> (7 - x % 8)) & 1;
      const std::size_t i = static_cast<std::size_t>(y * width + x);
      // AND 0: the colour; AND 1: the screen itself, inverted where the colour is not black.
      if (!masked) shape.Pixels[i] = colour | 0xFF000000u;
      else if ((colour & 0xFFFFFF) != 0) shape.InvertMask[i] = 1;
    }
  }
  if (bits == 32 && anyAlpha) {
    // Images with an alpha channel use it instead of the mask.
    const std::size_t xr0 = xorStart;
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x) {
        const std::size_t at = xr0 + xorRow * static_cast<std::size_t>(height - 1 - y) + static_cast<std::size_t>(x) * 4;
        const std::size_t i = static_cast<std::size_t>(y * width + x);
        shape.Pixels[i] = (r.U8(at) | (r.U8(at + 1) << 8) | (TPixel(r.U8(at + 2)) << 16)) |
                          (r.U8(at + 3) >= 128 ? 0xFF000000u : 0u);
        if ((shape.Pixels[i] >> 24) == 0) shape.Pixels[i] = 0;
        shape.InvertMask[i] = 0;
      }
  }
  if (std::none_of(shape.InvertMask.begin(), shape.InvertMask.end(), [](std::uint8_t m) { return m != 0; }))
    shape.InvertMask.clear();
  shape.HotSpot.X = std::min(shape.HotSpot.X, width - 1);
  shape.HotSpot.Y = std::min(shape.HotSpot.Y, height - 1);
  return shape;
}

HCURSOR LoadCursorFromResource(const std::string& Name) {
  const std::span<const std::uint8_t> data = LoadResource(RT_CURSOR, Name);
  return std::make_shared<const TCursorShape>(DecodeCursorFile(data.data(), data.size()));
}

} // namespace zyn
