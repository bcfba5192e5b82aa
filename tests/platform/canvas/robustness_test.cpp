#include <gtest/gtest.h>

#include <random>

#include "canvas_fixture.h"

namespace zyn::test {
namespace {

TEST(CanvasRobustness, RandomPrimitivesWithExtremeInputsNeverWriteOutsideTheSurface) {
  std::mt19937 rng(2024);
  const std::int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1000000, -3, 0, 1, 7, 15, 16, 1000000, INT32_MAX - 1,
                                   INT32_MAX};
  std::uniform_int_distribution<int> pick(0, std::size(extremes) - 1), small(-5, 20), op(0, 5), style(0, 5),
      mode(0, 15), width(1, 6);
  auto coord = [&] { return rng() % 2 ? extremes[pick(rng)] : small(rng); };
  TMemoryTarget t(16, 16);
  TCanvas c(&t);
  for (int n = 0; n < 3000; ++n) {
    c.Pen().SetStyle(static_cast<TPenStyle>(style(rng)));
    c.Pen().SetMode(static_cast<TPenMode>(mode(rng)));
    c.Pen().SetWidth(rng() % 4 ? 1 : width(rng));
    c.Brush().SetStyle(rng() % 2 ? bsSolid : bsClear);
    if (rng() % 5 == 0) c.SetClipRect({coord(), coord(), coord(), coord()});
    else c.ResetClipRect();
    const std::int32_t a = coord(), b = coord(), x = coord(), y = coord();
    switch (op(rng)) {
    case 0: c.MoveTo(a, b), c.LineTo(x, y); break;
    case 1: c.Rectangle(a, b, x, y); break;
    case 2: c.Ellipse(a, b, x, y); break;
    case 3: c.Polygon({{a, b}, {x, y}, {coord(), coord()}, {coord(), coord()}}); break;
    case 4: c.FillRect({a, b, x, y}); break;
    case 5: c.TextOut(a % 40, b % 40, "Wg"); break;
    }
    ASSERT_TRUE(t.GuardIntact()) << "step " << n;
  }
}

} // namespace
} // namespace zyn::test
