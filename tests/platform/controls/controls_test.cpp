#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/ZYN_controls.h"
#include "platform/gui/ZYN_forms.h"
#include "platform/gui/ZYN_headless.h"

namespace zyn {
namespace {

class ControlsTest : public ::testing::Test {
protected:
  void SetUp() override { HeadlessBackend().ClearMessages(); }
  void TearDown() override { HeadlessBackend().ClearMessages(); }
  THeadlessBackend& Backend = HeadlessBackend();
};

/// A graphic child that fills itself and counts its handler calls.
class TSwatch : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  TColor Fill = clRed;
  std::vector<TPoint> Downs;

protected:
  void Paint() override { ScreenSurface().FillWith(Fill); }
  void MouseDown(TMouseButton B, TShiftState S, std::int32_t X, std::int32_t Y) override {
    Downs.push_back({X, Y});
    TGraphicControl::MouseDown(B, S, X, Y);
  }
};

struct AlignCase {
  TAlign Align;
  TRect Expected; // in a 200 × 100 parent, for a 30 × 20 child
};

TEST_F(ControlsTest, AlignPlacesAChildAlongItsEdge) {
  const AlignCase cases[] = {
      {alNone, {5, 6, 35, 26}},      {alTop, {0, 0, 200, 20}},     {alBottom, {0, 80, 200, 100}},
      {alLeft, {0, 0, 30, 100}},     {alRight, {170, 0, 200, 100}}, {alClient, {0, 0, 200, 100}},
  };
  for (const AlignCase& c : cases) {
    TWinControl parent(nullptr);
    parent.SetBounds(0, 0, 200, 100);
    TWinControl child(nullptr);
    child.SetBounds(5, 6, 30, 20);
    child.SetAlign(c.Align);
    child.SetParent(&parent);
    EXPECT_EQ(child.BoundsRect(), c.Expected) << "align " << int(c.Align);
  }
}

TEST_F(ControlsTest, ClientChildFillsWhatEdgeChildrenLeaveAndFollowsThem) {
  TWinControl atlas(nullptr);
  atlas.SetBounds(100, 50, 480, 320);
  TWinControl panel(&atlas), map(&atlas), status(&atlas);
  panel.SetHeight(33);
  panel.SetAlign(alTop);
  panel.SetParent(&atlas);
  map.SetAlign(alClient);
  map.SetParent(&atlas);
  status.SetWidth(40);
  status.SetAlign(alRight);
  status.SetParent(&atlas);
  EXPECT_EQ(panel.BoundsRect(), Rect(0, 0, 480, 33));
  EXPECT_EQ(status.BoundsRect(), Rect(440, 33, 480, 320));
  EXPECT_EQ(map.BoundsRect(), Rect(0, 33, 440, 320));

  panel.Hide(); // the map takes the freed space
  EXPECT_EQ(map.BoundsRect(), Rect(0, 0, 440, 320));
  panel.Show();
  atlas.SetBounds(100, 50, 600, 400);
  EXPECT_EQ(map.BoundsRect(), Rect(0, 33, 560, 400));
  map.SetLeft(17); // alignment fixes the position again
  EXPECT_EQ(map.Left(), 0);
}

TEST_F(ControlsTest, ResizeEventsAndVetoes) {
  TWinControl c(nullptr);
  int resizes = 0;
  c.OnResize = [&](TComponent* sender) {
    EXPECT_EQ(sender, &c);
    ++resizes;
  };
  c.SetBounds(0, 0, 50, 40);
  c.SetLeft(10); // a move is no resize
  EXPECT_EQ(resizes, 1);
  c.OnCanResize = [](TComponent*, std::int32_t& w, std::int32_t&, bool& allow) {
    if (w > 100) allow = false;
    if (w == 77) w = 70;
  };
  c.SetWidth(200);
  EXPECT_EQ(c.Width(), 50);
  c.SetWidth(77);
  EXPECT_EQ(c.Width(), 70);
  EXPECT_EQ(resizes, 2);
  c.OnCanResize = nullptr;
  c.SetBounds(0, 0, -5, 1 << 30); // clamped, never a negative or huge surface
  EXPECT_EQ(c.Width(), 0);
  EXPECT_EQ(c.Height(), MaxControlExtent);
  c.SetBounds(0, 0, 4, 3);
  EXPECT_EQ(c.ScreenSurface().Surface().Width, 4);
  EXPECT_EQ(c.ScreenSurface().Surface().Height, 3);
}

TEST_F(ControlsTest, ClickNeedsAPressAndReleaseInsideAndDoubleClickReplacesTheSecond) {
  TWinControl c(nullptr);
  c.SetBounds(0, 0, 50, 50);
  c.HandleNeeded();
  std::vector<std::string> log;
  c.OnClick = [&](TComponent*) { log.push_back("click"); };
  c.OnDblClick = [&](TComponent*) { log.push_back("dbl"); };
  c.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState s, std::int32_t, std::int32_t) {
    log.push_back(s & ssDouble ? "down2" : "down");
  };
  c.OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, std::int32_t, std::int32_t) { log.push_back("up"); };

  Backend.PostClick(c, 5, 5);
  Backend.PostMouseDown(c, mbLeft, 5, 5);
  Backend.PostMouseUp(c, mbLeft, 60, 5); // released outside
  Backend.PostMouseDown(c, mbRight, 5, 5);
  Backend.PostMouseUp(c, mbRight, 5, 5); // not the left button
  Application().ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up", "click", "down", "up", "down", "up"}));

  log.clear();
  Backend.PostDoubleClick(c, 5, 5);
  Application().ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up", "click", "dbl", "down2", "up"}));

  log.clear();
  c.SetControlStyle(c.ControlStyle() & ~csDoubleClicks);
  Backend.PostDoubleClick(c, 5, 5);
  Application().ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up", "click", "down", "up", "click"}));
}

TEST_F(ControlsTest, DisabledOrDesignedControlsGetNoMouseInput) {
  TWinControl c(nullptr);
  c.SetBounds(0, 0, 50, 50);
  c.HandleNeeded();
  int events = 0;
  c.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, std::int32_t, std::int32_t) { ++events; };
  c.SetEnabled(false);
  Backend.PostClick(c, 5, 5);
  Application().ProcessMessages();
  c.SetEnabled(true);
  c.SetComponentState(csDesigning, true);
  Backend.PostClick(c, 5, 5);
  Application().ProcessMessages();
  EXPECT_EQ(events, 0);
  c.SetComponentState(csDesigning, false);
  Backend.PostClick(c, 5, 5);
  Application().ProcessMessages();
  EXPECT_EQ(events, 1);
}

TEST_F(ControlsTest, WheelRaisesUpOrDownUnlessHandledAndGoesOnToTheParent) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 100, 100);
  TWinControl child(nullptr);
  child.SetBounds(10, 20, 50, 50);
  child.SetParent(&parent);
  parent.HandleNeeded();
  std::vector<std::string> log;
  child.OnMouseWheel = [&](TComponent*, TShiftState, std::int32_t delta, TPoint p, bool& handled) {
    log.push_back("wheel " + std::to_string(delta) + " " + std::to_string(p.X) + "," + std::to_string(p.Y));
    handled = delta == 240;
  };
  child.OnMouseWheelDown = [&](TComponent*, TShiftState, TPoint, bool& handled) {
    log.push_back("down");
    handled = true;
  };
  child.OnMouseWheelUp = [&](TComponent*, TShiftState, TPoint, bool&) { log.push_back("up"); };
  parent.OnMouseWheelUp = [&](TComponent* s, TShiftState, TPoint p, bool& handled) {
    log.push_back(std::string(s == &parent ? "parent up " : "? ") + std::to_string(p.X) + "," + std::to_string(p.Y));
    handled = true;
  };
  Backend.PostMouseWheel(child, -120, 1, 2);
  Backend.PostMouseWheel(child, 240, 1, 2);
  Backend.PostMouseWheel(child, 120, 1, 2);
  Application().ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"wheel -120 1,2", "down", "wheel 240 1,2", "wheel 120 1,2", "up",
                                           "parent up 11,22"}));
}

TEST_F(ControlsTest, GraphicChildPaintsInPlaceAndKeepsTheMouseWhilePressed) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 40, 30);
  parent.SetColor(clBlue);
  TSwatch swatch(&parent);
  swatch.SetBounds(30, 10, 20, 5); // partly outside the parent
  swatch.SetParent(&parent);
  parent.HandleNeeded();
  Application().ProcessMessages();
  THeadlessPeer* peer = Backend.PeerOf(parent);
  EXPECT_EQ(peer->PixelColor(29, 10), clBlue);
  EXPECT_EQ(peer->PixelColor(30, 10), clRed);
  EXPECT_EQ(peer->PixelColor(39, 14), clRed);
  EXPECT_EQ(peer->PixelColor(39, 15), clBlue);

  int parentDowns = 0, swatchClicks = 0;
  parent.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, std::int32_t, std::int32_t) { ++parentDowns; };
  swatch.OnClick = [&](TComponent*) { ++swatchClicks; };
  std::vector<TPoint> swatchMoves;
  swatch.OnMouseMove = [&](TComponent*, TShiftState, std::int32_t x, std::int32_t y) { swatchMoves.push_back({x, y}); };
  Backend.PostMouseDown(parent, mbLeft, 32, 12);
  Backend.PostMouseMove(parent, 5, 5); // dragged off the child: it keeps the mouse
  Backend.PostMouseUp(parent, mbLeft, 33, 13);
  Backend.PostClick(parent, 5, 5);
  Application().ProcessMessages();
  EXPECT_EQ(swatch.Downs, (std::vector<TPoint>{{2, 2}}));
  EXPECT_EQ(swatchMoves, (std::vector<TPoint>{{-25, -5}}));
  EXPECT_EQ(swatchClicks, 1);
  EXPECT_EQ(parentDowns, 1);
}

TEST_F(ControlsTest, CursorOfTheControlUnderTheMouseIsShown) {
  TWinControl parent(nullptr);
  parent.SetBounds(0, 0, 40, 30);
  parent.SetCursor(crCross);
  TSwatch swatch(&parent);
  swatch.SetBounds(0, 0, 10, 10);
  swatch.SetParent(&parent);
  swatch.SetCursor(crHandPoint);
  parent.HandleNeeded();
  THeadlessPeer* peer = Backend.PeerOf(parent);
  EXPECT_EQ(peer->CursorId(), crCross);
  Backend.PostMouseMove(parent, 5, 5);
  Application().ProcessMessages();
  EXPECT_EQ(peer->CursorId(), crHandPoint);
  EXPECT_EQ(peer->CursorShape(), Screen().Cursors(crHandPoint).get());
  Backend.PostMouseMove(parent, 20, 20);
  Application().ProcessMessages();
  EXPECT_EQ(peer->CursorId(), crCross);

  auto zoom = std::make_shared<TCursorShape>();
  Screen().SetCursors(1000, zoom);
  parent.SetCursor(1000);
  EXPECT_EQ(peer->CursorShape(), zoom.get());
  Screen().SetCursors(1000, nullptr);
  EXPECT_NE(peer->CursorShape(), nullptr) << "the window keeps the picture it shows";
}

/// A windowed control that records the order in which windows are made.
class TWindowLog : public TWinControl {
public:
  TWindowLog(TComponent* AOwner, std::vector<std::string>& Log, std::string Name)
      : TWinControl(AOwner), FLog(Log), FTag(std::move(Name)) {}

protected:
  void CreateWnd() override {
    TWinControl::CreateWnd();
    FLog.push_back(FTag + (Parent() != nullptr && Parent()->HandleAllocated() ? " inside" : " top"));
  }

private:
  std::vector<std::string>& FLog;
  std::string FTag;
};

TEST_F(ControlsTest, WindowsAreMadeParentFirstAndChildrenFollowTheirParent) {
  std::vector<std::string> log;
  TWindowLog root(nullptr, log, "root");
  TWindowLog a(&root, log, "a"), b(&root, log, "b");
  a.SetParent(&root);
  b.SetParent(&a);
  EXPECT_TRUE(log.empty()) << "no window before one is needed";
  b.HandleNeeded();
  EXPECT_EQ(log, (std::vector<std::string>{"root top", "a inside", "b inside"}));
  EXPECT_TRUE(b.HandleAllocated());

  TWindowLog late(nullptr, log, "late");
  late.SetParent(&root); // a new child of a shown parent gets its window at once
  EXPECT_TRUE(late.HandleAllocated());
  late.SetParent(nullptr);
  EXPECT_FALSE(late.HandleAllocated());
}

TEST_F(ControlsTest, ParentCycleIsRefused) {
  TWinControl a(nullptr), b(nullptr);
  b.SetParent(&a);
  EXPECT_THROW(a.SetParent(&b), EInvalidOperation);
  EXPECT_THROW(a.SetParent(&a), EInvalidOperation);
  EXPECT_EQ(a.Parent(), nullptr);
}

TEST_F(ControlsTest, DestroyingAParentDetachesChildrenItDoesNotOwn) {
  auto child = std::make_unique<TWinControl>(nullptr);
  {
    TWinControl parent(nullptr);
    child->SetParent(&parent);
    parent.HandleNeeded();
    ASSERT_TRUE(child->HandleAllocated());
  }
  EXPECT_EQ(child->Parent(), nullptr);
  EXPECT_FALSE(child->HandleAllocated());

  // Owned children on a parent that is also their owner go with it.
  auto owner = std::make_unique<TWinControl>(nullptr);
  auto* owned = new TSwatch(owner.get());
  owned->SetParent(owner.get());
  EXPECT_EQ(owner->ControlCount(), 1);
  owner.reset(); // no double destruction, no dangling parent (checked by the sanitizers)
}

/// A custom control that paints a diagonal of its colour on white.
class TDiagonal : public TCustomControl {
public:
  using TCustomControl::TCustomControl;

protected:
  void Paint() override {
    Canvas().Brush().SetColor(clWhite);
    Canvas().FillRect(ClientRect());
    for (std::int32_t i = 0; i < std::min(Width(), Height()); ++i) Canvas().SetPixels(i, i, Color());
  }
};

TEST_F(ControlsTest, CanvasDrawsOnTheScreenSurfaceThatTheWindowShows) {
  TDiagonal c(nullptr);
  c.SetBounds(0, 0, 8, 6);
  c.SetColor(clNavy);
  c.HandleNeeded();
  Application().ProcessMessages();
  THeadlessPeer* peer = Backend.PeerOf(c);
  EXPECT_EQ(peer->PixelColor(3, 3), clNavy);
  EXPECT_EQ(peer->PixelColor(4, 3), clWhite);

  // Drawing outside Paint (rubber bands) is shown at once.
  const std::int64_t before = peer->PresentCount();
  c.Canvas().SetPixels(5, 1, clRed);
  EXPECT_GT(peer->PresentCount(), before);
  EXPECT_EQ(peer->PixelColor(5, 1), clRed);

  c.SetBounds(0, 0, 12, 10); // the surface grows with the control and is painted again
  Application().ProcessMessages();
  EXPECT_EQ(peer->Bounds(), Rect(0, 0, 12, 10));
  EXPECT_EQ(peer->PixelColor(9, 9), clNavy);
}

TEST_F(ControlsTest, ScreenCoordinatesAddTheParentsOrigins) {
  TWinControl top(nullptr);
  top.SetBounds(100, 50, 300, 200);
  TWinControl inner(nullptr);
  inner.SetBounds(10, 20, 50, 50);
  inner.SetParent(&top);
  EXPECT_EQ(inner.ClientToScreen({1, 2}), Point(111, 72));
  EXPECT_EQ(inner.ScreenToClient({111, 72}), Point(1, 2));
}

} // namespace
} // namespace zyn
