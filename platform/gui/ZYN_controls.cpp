#include "platform/gui/ZYN_controls.h"

#include <algorithm>

#include "platform/gui/ZYN_canvas.h"

namespace zyn {

// --- TControlSurface --------------------------------------------------------

TSurface TControlSurface::Surface() {
  if (FPixels.empty()) return {};
  return {FPixels.data(), FWidth, FHeight, FWidth};
}

void TControlSurface::Changed() { FOwner.SurfaceChanged(); }

void TControlSurface::Resize(std::int32_t Width, std::int32_t Height, TColor Fill) {
  if (Width == FWidth && Height == FHeight) return;
  std::vector<TPixel> pixels(static_cast<std::size_t>(Width) * static_cast<std::size_t>(Height), ColorToPixel(Fill));
  const std::int32_t w = std::min(Width, FWidth), h = std::min(Height, FHeight);
  for (std::int32_t y = 0; y < h; ++y)
    std::copy_n(FPixels.begin() + static_cast<std::ptrdiff_t>(y) * FWidth, w,
                pixels.begin() + static_cast<std::ptrdiff_t>(y) * Width);
  FPixels.swap(pixels);
  FWidth = Width;
  FHeight = Height;
}

void TControlSurface::FillWith(TColor Color) { std::fill(FPixels.begin(), FPixels.end(), ColorToPixel(Color)); }

// --- TControl ---------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

TControl::~TControl() {
  if (FParent != nullptr) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* Parent) {
  if (Parent == FParent) return;
  if (Parent != nullptr && ContainsInChain(Parent))
    throw EInvalidOperation("A control cannot have itself or one of its children as its parent");
  if (FParent != nullptr) FParent->RemoveControl(this);
  FParent = Parent;
  if (FParent != nullptr) FParent->InsertControl(this);
}

bool TControl::ContainsInChain(const TWinControl* Control) const noexcept {
  for (const TControl* c = Control; c != nullptr; c = c->FParent)
    if (c == this) return true;
  return false;
}

void TControl::SetBounds(std::int32_t ALeft, std::int32_t ATop, std::int32_t AWidth, std::int32_t AHeight) {
  AWidth = std::clamp(AWidth, 0, MaxControlExtent);
  AHeight = std::clamp(AHeight, 0, MaxControlExtent);
  if ((AWidth != FWidth || AHeight != FHeight) && !CanResize(AWidth, AHeight)) {
    AWidth = FWidth;
    AHeight = FHeight;
  }
  AWidth = std::clamp(AWidth, 0, MaxControlExtent);
  AHeight = std::clamp(AHeight, 0, MaxControlExtent);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool sizeChanged = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (sizeChanged) FSurface.Resize(FWidth, FHeight, FColor);
  BoundsChanged(sizeChanged);
  if (FParent != nullptr && FAlign != alNone) FParent->Realign();
  if (sizeChanged) Resize();
}

void TControl::SetAlignedBounds(const TRect& Bounds) {
  SetBounds(Bounds.Left, Bounds.Top, std::max(Bounds.Width(), 0), std::max(Bounds.Height(), 0));
}

void TControl::BoundsChanged(bool /*SizeChanged*/) {
  if (FParent != nullptr) FParent->Invalidate();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  if (FParent != nullptr) FParent->Realign();
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  VisibilityChanged();
  if (FParent != nullptr) {
    FParent->Realign();
    FParent->Invalidate();
  }
}

bool TControl::Showing() const noexcept {
  for (const TControl* c = this; c != nullptr; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  FClickArmed = false;
  VisibilityChanged();
  Invalidate();
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  CursorChanged();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Invalidate();
}

void TControl::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Invalidate();
}

TPoint TControl::ClientToScreen(TPoint P) const noexcept {
  for (const TControl* c = this; c != nullptr; c = c->FParent) {
    P.X += c->FLeft;
    P.Y += c->FTop;
  }
  return P;
}

TPoint TControl::ScreenToClient(TPoint P) const noexcept {
  const TPoint origin = ClientToScreen({0, 0});
  return {P.X - origin.X, P.Y - origin.Y};
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, std::int32_t WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled && WheelDelta < 0) handled = DoMouseWheelDown(Shift, MousePos);
  if (!handled && WheelDelta > 0) handled = DoMouseWheelUp(Shift, MousePos);
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::CanResize(std::int32_t& NewWidth, std::int32_t& NewHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
  return resize;
}

bool TControl::ArmedClick(const TInputEvent& Event) {
  const bool click = FClickArmed && Event.Button == mbLeft && ClientRect().Contains({Event.X, Event.Y});
  if (Event.Button == mbLeft) FClickArmed = false;
  return click && (FControlStyle & csClickEvents);
}

void TControl::HandleInput(const TInputEvent& Event) {
  // While a form designer edits the control, the mouse belongs to the designer.
  if (!FEnabled || IsDesigning()) return;
  switch (Event.Kind) {
  case TInputEvent::ieMouseDown: {
    TShiftState shift = Event.Shift;
    const bool dbl = (shift & ssDouble) && (FControlStyle & csDoubleClicks);
    if (!(FControlStyle & csDoubleClicks)) shift &= ~ssDouble;
    if (Event.Button == mbLeft) FClickArmed = !dbl;
    if (dbl) DblClick();
    MouseDown(Event.Button, shift, Event.X, Event.Y);
    break;
  }
  case TInputEvent::ieMouseMove:
    MouseMove(Event.Shift, Event.X, Event.Y);
    break;
  case TInputEvent::ieMouseUp: {
    const bool click = ArmedClick(Event);
    MouseUp(Event.Button, Event.Shift, Event.X, Event.Y);
    if (click) Click();
    break;
  }
  case TInputEvent::ieMouseWheel: {
    TPoint pos{Event.X, Event.Y};
    // An unhandled turn goes up to the first parent that takes it.
    for (TControl* c = this; c != nullptr && c->FEnabled; c = c->FParent) {
      if (c->DoMouseWheel(Event.Shift, Event.WheelDelta, pos)) break;
      pos.X += c->FLeft;
      pos.Y += c->FTop;
    }
    break;
  }
  }
}

// --- TWinControl ------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  FDestroying = true;
  // Children stay alive (their owners destroy them) but lose their parent;
  // their windows go before this one.
  for (TControl* child : FControls) {
    if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyHandle();
    child->FParent = nullptr;
  }
  FControls.clear();
  DestroyHandle();
}

bool TWinControl::ContainsControl(const TControl* Control) const noexcept {
  for (const TControl* c = Control; c != nullptr; c = c->FParent)
    if (c->FParent == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint P) const noexcept {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TGraphicControl*>(c) != nullptr && c->FVisible && c->BoundsRect().Contains(P)) return c;
  }
  return nullptr;
}

void TWinControl::InsertControl(TControl* Control) {
  FControls.push_back(Control);
  if (Control->FAlign != alNone) Realign();
  if (auto* win = dynamic_cast<TWinControl*>(Control); win != nullptr && HandleAllocated()) win->HandleNeeded();
  Invalidate();
}

void TWinControl::RemoveControl(TControl* Control) {
  if (auto* win = dynamic_cast<TWinControl*>(Control)) win->DestroyHandle();
  FControls.erase(std::remove(FControls.begin(), FControls.end(), Control), FControls.end());
  if (FMouseCapture == Control) FMouseCapture = nullptr;
  if (FHover == Control) FHover = nullptr;
  if (FDestroying) return;
  if (Control->FAlign != alNone) Realign();
  Invalidate();
}

void TWinControl::SetParent(TWinControl* Parent) {
  // The window belongs inside the parent's window, so it is made anew.
  if (Parent != this->Parent()) DestroyHandle();
  TControl::SetParent(Parent);
}

void TWinControl::HandleNeeded() {
  if (FPeer != nullptr) return;
  if (Parent() != nullptr) Parent()->HandleNeeded();
  if (FPeer != nullptr) return; // the parent's creation made it
  CreateWnd();
  if (FPeer == nullptr) throw EInvalidOperation("CreateWnd did not create a window for " + ClassName());
  for (TControl* child : FControls)
    if (auto* win = dynamic_cast<TWinControl*>(child)) win->HandleNeeded();
}

void TWinControl::CreateWnd() {
  TWindowPeer* parentPeer = Parent() != nullptr ? Parent()->Peer() : nullptr;
  FPeer = ActiveBackend().CreatePeer(*this, parentPeer);
  FPeer->SetBounds(BoundsRect());
  FPeer->SetVisible(Visible());
  ShowCursorOf(nullptr);
  FPeer->RequestPaint();
}

void TWinControl::DestroyHandle() {
  if (FPeer == nullptr) return;
  for (TControl* child : FControls)
    if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  FPeer.reset();
  FShownCursor.reset();
}

void TWinControl::Invalidate() {
  if (FPeer != nullptr) FPeer->RequestPaint();
}

void TWinControl::Repaint() {
  if (!(ControlStyle() & csOpaque)) ScreenSurface().FillWith(Color());
  PaintContent();
  PaintGraphicChildren();
  SurfaceChanged();
}

void TWinControl::SurfaceChanged() {
  if (FPeer != nullptr) FPeer->Present();
}

void TWinControl::PaintGraphicChildren() {
  for (TControl* child : FControls) {
    auto* graphic = dynamic_cast<TGraphicControl*>(child);
    if (graphic == nullptr || !graphic->Visible() || graphic->Width() == 0 || graphic->Height() == 0) continue;
    // The child starts from the picture under it, so that it may leave
    // pixels untouched (a flat button shows its parent's face).
    CopyChildArea(*graphic, true);
    graphic->FPainting = true;
    try {
      graphic->Paint();
    } catch (...) {
      graphic->FPainting = false;
      throw;
    }
    graphic->FPainting = false;
    CopyChildArea(*graphic, false);
  }
}

void TWinControl::CopyChildArea(TControl& Child, bool IntoChild) {
  const TSurface mine = ScreenSurface().Surface();
  const TSurface its = Child.ScreenSurface().Surface();
  const TRect area = IntersectRect(Child.BoundsRect(), ClientRect());
  if (area.IsEmpty() || mine.Empty() || its.Empty()) return;
  for (std::int32_t y = area.Top; y < area.Bottom; ++y) {
    TPixel* parentRow = mine.Row(y) + area.Left;
    TPixel* childRow = its.Row(y - Child.Top()) + (area.Left - Child.Left());
    if (IntoChild) std::copy_n(parentRow, area.Width(), childRow);
    else std::copy_n(childRow, area.Width(), parentRow);
  }
}

void TWinControl::BoundsChanged(bool SizeChanged) {
  if (FPeer != nullptr) FPeer->SetBounds(BoundsRect());
  if (SizeChanged) {
    Realign();
    Invalidate();
  }
}

void TWinControl::VisibilityChanged() {
  if (FPeer != nullptr) FPeer->SetVisible(Visible());
}

void TWinControl::CursorChanged() { ShowCursorOf(FHover); }

void TWinControl::SetHover(TControl* Hover) {
  if (Hover == FHover) return;
  TControl* left = FHover;
  FHover = Hover;
  ShowCursorOf(FHover);
  if (left != nullptr) left->MouseLeave();
  if (Hover != nullptr) Hover->MouseEnter();
}

void TWinControl::ShowCursorOf(const TControl* Hover) {
  if (FPeer == nullptr) return;
  TCursor cursor = Screen().Cursor();
  if (cursor == crDefault && Hover != nullptr) cursor = Hover->Cursor();
  if (cursor == crDefault) cursor = Cursor();
  FShownCursor = Screen().Cursors(cursor);
  FPeer->SetCursor(cursor, FShownCursor.get());
}

void TWinControl::Realign() {
  if (FAligning || FDestroying) return;
  FAligning = true;
  try {
    AlignControls(ClientRect());
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::AlignControls(TRect Rect) {
  for (const TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : FControls) {
      if (c->Align() != kind || !c->Visible()) continue;
      const std::int32_t w = std::min(c->Width(), std::max(Rect.Width(), 0));
      const std::int32_t h = std::min(c->Height(), std::max(Rect.Height(), 0));
      switch (kind) {
      case alTop:
        c->SetAlignedBounds({Rect.Left, Rect.Top, Rect.Right, Rect.Top + c->Height()});
        Rect.Top += h;
        break;
      case alBottom:
        c->SetAlignedBounds({Rect.Left, Rect.Bottom - c->Height(), Rect.Right, Rect.Bottom});
        Rect.Bottom -= h;
        break;
      case alLeft:
        c->SetAlignedBounds({Rect.Left, Rect.Top, Rect.Left + c->Width(), Rect.Bottom});
        Rect.Left += w;
        break;
      case alRight:
        c->SetAlignedBounds({Rect.Right - c->Width(), Rect.Top, Rect.Right, Rect.Bottom});
        Rect.Right -= w;
        break;
      default:
        c->SetAlignedBounds(Rect);
        break;
      }
    }
  }
}

void TWinControl::PeerInput(const TInputEvent& Event) {
  TControl* target = FMouseCapture;
  if (target == nullptr) target = ControlAtPos({Event.X, Event.Y});
  if (target == nullptr || !target->Enabled()) target = this;
  if (Event.Kind == TInputEvent::ieMouseMove) SetHover(target == this ? nullptr : target);
  if (Event.Kind == TInputEvent::ieMouseDown && target != this && (target->ControlStyle() & csCaptureMouse))
    FMouseCapture = target;
  if (Event.Kind == TInputEvent::ieMouseUp && (Event.Shift & (ssLeft | ssRight | ssMiddle)) == 0)
    FMouseCapture = nullptr;
  TInputEvent local = Event;
  if (target != this) {
    local.X -= target->Left();
    local.Y -= target->Top();
  }
  target->HandleInput(local);
}

// --- TGraphicControl --------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TCanvas>(&ScreenSurface())) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Invalidate() {
  if (Parent() != nullptr) Parent()->Invalidate();
}

void TGraphicControl::Repaint() {
  if (Parent() != nullptr) {
    Parent()->Repaint();
    return;
  }
  FPainting = true;
  Paint();
  FPainting = false;
}

void TGraphicControl::SurfaceChanged() {
  // Drawing outside Paint goes straight onto the parent's picture.
  if (FPainting || Parent() == nullptr || !Visible()) return;
  Parent()->CopyChildArea(*this, false);
  Parent()->SurfaceChanged();
}

void TGraphicControl::VisibilityChanged() { Invalidate(); }

void TGraphicControl::CursorChanged() {
  if (Parent() != nullptr && Parent()->FHover == this) Parent()->ShowCursorOf(this);
}

// --- TCustomControl ---------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>(&ScreenSurface())) {}

TCustomControl::~TCustomControl() = default;

} // namespace zyn
