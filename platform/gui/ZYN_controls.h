#pragma once
/// \file
/// Controls: bounds, alignment, visibility, cursor, painting and mouse input.
/// Every control owns a screen surface of its size. A windowed control gets a
/// window from the active backend (CreateWnd), which shows the surface and
/// feeds input back; a graphic control paints into its parent's surface and
/// gets its input through the parent.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ZYN_classes.h"
#include "platform/gui/ZYN_backend.h"
#include "platform/gui/ZYN_canvas.h"
#include "platform/gui/ZYN_forms.h"
#include "platform/gui/ZYN_graphics.h"

namespace zyn {

class TControl;
class TWinControl;

using TNotifyEvent = std::function<void(TComponent* Sender)>;
using TMouseEvent = std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift, std::int32_t X,
                                       std::int32_t Y)>;
using TMouseMoveEvent = std::function<void(TComponent* Sender, TShiftState Shift, std::int32_t X, std::int32_t Y)>;
/// MousePos is in the client coordinates of the control that raises the event.
using TMouseWheelEvent = std::function<void(TComponent* Sender, TShiftState Shift, std::int32_t WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TComponent* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
/// May change the new size, or veto it by setting Resize to false.
using TCanResizeEvent = std::function<void(TComponent* Sender, std::int32_t& NewWidth, std::int32_t& NewHeight,
                                           bool& Resize)>;

/// Where a control sits in its parent's client area.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

/// Control style flags.
enum TControlStyleFlag : std::uint8_t {
  csAcceptsControls = 1 << 0, ///< a form designer may drop controls on it (no effect at run time)
  csCaptureMouse = 1 << 1,    ///< a graphic control keeps the mouse from press to release
  csClickEvents = 1 << 2,     ///< a left press and release inside raise Click
  csFramed = 1 << 3,          ///< draws its own frame (no effect at run time)
  csSetCaption = 1 << 4,      ///< a form designer copies the name into the caption (no effect at run time)
  csOpaque = 1 << 5,          ///< paints every pixel itself: no background fill before Paint
  csDoubleClicks = 1 << 6,    ///< a second press raises DblClick
};
using TControlStyle = std::uint8_t;

/// The pixels of a control, 0xAARRGGBB, Width × Height with no padding.
class TControlSurface final : public TCanvasTarget {
public:
  explicit TControlSurface(TControl& Owner) : FOwner(Owner) {}
  TSurface Surface() override;
  void Changed() override;
  /// Keeps the pixels that stay inside; new pixels are Fill.
  void Resize(std::int32_t Width, std::int32_t Height, TColor Fill);
  void FillWith(TColor Color);

private:
  TControl& FOwner;
  std::vector<TPixel> FPixels;
  std::int32_t FWidth = 0;
  std::int32_t FHeight = 0;
};

/// The largest width or height of a control; larger values are clamped.
inline constexpr std::int32_t MaxControlExtent = 16384;

/// A visual component with a parent, bounds and mouse handling.
class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const noexcept { return FParent; }
  /// Moves the control into Parent's client area (nullptr: no parent).
  /// EInvalidOperation when Parent is the control itself or one of its children.
  virtual void SetParent(TWinControl* Parent);

  std::int32_t Left() const noexcept { return FLeft; }
  std::int32_t Top() const noexcept { return FTop; }
  std::int32_t Width() const noexcept { return FWidth; }
  std::int32_t Height() const noexcept { return FHeight; }
  void SetLeft(std::int32_t Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(std::int32_t Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(std::int32_t Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(std::int32_t Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  /// Sizes are clamped to 0..MaxControlExtent; a size change asks CanResize
  /// and then raises Resize. An aligned control keeps what its alignment fixes.
  virtual void SetBounds(std::int32_t ALeft, std::int32_t ATop, std::int32_t AWidth, std::int32_t AHeight);
  TRect BoundsRect() const noexcept { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  TRect ClientRect() const noexcept { return {0, 0, FWidth, FHeight}; }
  std::int32_t ClientWidth() const noexcept { return FWidth; }
  std::int32_t ClientHeight() const noexcept { return FHeight; }

  TAlign Align() const noexcept { return FAlign; }
  void SetAlign(TAlign Value);

  bool Visible() const noexcept { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  /// Visible and inside visible parents.
  bool Showing() const noexcept;
  bool Enabled() const noexcept { return FEnabled; }
  /// A disabled control gets no mouse input.
  virtual void SetEnabled(bool Value);

  TCursor Cursor() const noexcept { return FCursor; }
  void SetCursor(TCursor Value);
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor Value);
  const std::string& Caption() const noexcept { return FCaption; }
  void SetCaption(const std::string& Value);
  TControlStyle ControlStyle() const noexcept { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) noexcept { FControlStyle = Value; }

  /// The control's screen surface (what its canvas draws on).
  TControlSurface& ScreenSurface() noexcept { return FSurface; }
  /// Repaint soon, from the message loop.
  virtual void Invalidate() = 0;
  /// Repaint now.
  virtual void Repaint() = 0;
  void Refresh() { Repaint(); }
  /// Converts between this control's client coordinates and the screen's
  /// (the top-level control's bounds are screen coordinates).
  TPoint ClientToScreen(TPoint P) const noexcept;
  TPoint ScreenToClient(TPoint P) const noexcept;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;

protected:
  std::string ClassName() const override { return "TControl"; }

  /// The mouse handlers; each raises its event. X and Y are client pixels.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y);
  virtual void MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y);
  virtual void Click();
  virtual void DblClick();
  /// The mouse came over or left a graphic control (its parent tells it).
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  /// Raises OnMouseWheel, then OnMouseWheelUp or OnMouseWheelDown unless
  /// handled; an unhandled turn goes on to the parent.
  virtual bool DoMouseWheel(TShiftState Shift, std::int32_t WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  /// Raises OnResize after the size changed.
  virtual void Resize();
  /// Asks OnCanResize; false keeps the old size.
  virtual bool CanResize(std::int32_t& NewWidth, std::int32_t& NewHeight);

  /// Turns one input event into handler calls (clicks, double clicks, wheel).
  void HandleInput(const TInputEvent& Event);
  /// The surface's pixels changed outside the paint cycle.
  virtual void SurfaceChanged() {}
  /// Called after the bounds changed (SizeChanged tells whether the size did).
  virtual void BoundsChanged(bool SizeChanged);
  /// Called after Visible or Enabled or Cursor changed.
  virtual void VisibilityChanged() {}
  virtual void CursorChanged() {}
  /// Sets the bounds that the parent's alignment decides.
  void SetAlignedBounds(const TRect& Bounds);

private:
  friend class TWinControl;
  friend class TControlSurface;
  bool ArmedClick(const TInputEvent& Event);
  /// Whether this control is Control or one of its parents.
  bool ContainsInChain(const TWinControl* Control) const noexcept;

  TWinControl* FParent = nullptr;
  std::int32_t FLeft = 0;
  std::int32_t FTop = 0;
  std::int32_t FWidth = 0;
  std::int32_t FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FEnabled = true;
  bool FClickArmed = false;
  TCursor FCursor = crDefault;
  TColor FColor = clBtnFace;
  std::string FCaption;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlSurface FSurface{*this};
};

/// A control with a window of its own and child controls.
class TWinControl : public TControl, public TPeerClient {
public:
  explicit TWinControl(TComponent* AOwner);
  /// Detaches the children (they stay alive; their owners destroy them) and
  /// destroys the window.
  ~TWinControl() override;

  int ControlCount() const noexcept { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(static_cast<std::size_t>(Index)); }
  /// Whether Control is this control's child or a child of its children.
  bool ContainsControl(const TControl* Control) const noexcept;
  /// The topmost visible graphic child at P (client pixels), or nullptr.
  TControl* ControlAtPos(TPoint P) const noexcept;

  /// Whether the window exists.
  bool HandleAllocated() const noexcept { return FPeer != nullptr; }
  /// Creates the window (and first the parent's) if it does not exist yet,
  /// then the windows of the children.
  void HandleNeeded();
  /// Destroys the windows of the children and then this control's window.
  void DestroyHandle();
  /// The backend's window; nullptr before HandleNeeded.
  TWindowPeer* Peer() const noexcept { return FPeer.get(); }

  void SetParent(TWinControl* Parent) override;
  void Invalidate() override;
  void Repaint() override;
  /// Lays the aligned children out again.
  void Realign();

  // The peer's side (called by the backend).
  TSurface PeerSurface() override { return ScreenSurface().Surface(); }
  void PeerPaint() override { Repaint(); }
  void PeerInput(const TInputEvent& Event) override;

protected:
  std::string ClassName() const override { return "TWinControl"; }
  /// Obtains the window from the active backend. Overrides call the inherited
  /// CreateWnd first.
  virtual void CreateWnd();
  /// Releases the window.
  virtual void DestroyWnd();
  /// Draws the control's own picture into its surface; the default draws nothing.
  virtual void PaintContent() {}
  /// Places the aligned children in the client area: top ones stack
  /// downwards, bottom ones upwards, then left, right, and client ones take
  /// what is left; controls of one kind in the order they became children.
  virtual void AlignControls(TRect Rect);

  void SurfaceChanged() override;
  void BoundsChanged(bool SizeChanged) override;
  void VisibilityChanged() override;
  void CursorChanged() override;

private:
  friend class TControl;
  friend class TGraphicControl;
  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void PaintGraphicChildren();
  /// Copies between a graphic child's surface and its place in this surface
  /// (clipped): into the child before it paints, back afterwards.
  void CopyChildArea(TControl& Child, bool IntoChild);
  /// Shows the cursor of Hover (or this control's when Hover has none).
  void ShowCursorOf(const TControl* Hover);
  /// The graphic child under the mouse changed.
  void SetHover(TControl* Hover);

  std::vector<TControl*> FControls;
  std::unique_ptr<TWindowPeer> FPeer;
  TControl* FMouseCapture = nullptr;
  TControl* FHover = nullptr;
  HCURSOR FShownCursor;
  bool FAligning = false;
  bool FDestroying = false;
};

/// A control without a window: paints into its parent's surface at its
/// bounds and gets its mouse input from the parent.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  /// The canvas on the control's surface.
  TCanvas& Canvas() noexcept { return *FCanvas; }
  /// Repaints the parent, which paints this control in place.
  void Invalidate() override;
  void Repaint() override;

protected:
  std::string ClassName() const override { return "TGraphicControl"; }
  /// Draws the control; the surface holds the parent's picture under it.
  virtual void Paint() {}
  void SurfaceChanged() override;
  void VisibilityChanged() override;
  void CursorChanged() override;

private:
  friend class TWinControl;
  std::unique_ptr<TCanvas> FCanvas;
  bool FPainting = false;
};

/// A windowed control that paints itself on its canvas.
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  /// The canvas on the control's screen surface.
  TCanvas& Canvas() noexcept { return *FCanvas; }

protected:
  std::string ClassName() const override { return "TCustomControl"; }
  /// Draws the control; called when the window needs its picture.
  virtual void Paint() {}
  void PaintContent() override { Paint(); }

private:
  std::unique_ptr<TCanvas> FCanvas;
};

} // namespace zyn
