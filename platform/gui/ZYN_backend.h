#pragma once
/// \file
/// The backend seam: what controls ask of the windowing system that shows
/// them, and what that system hands back. A backend creates one peer per
/// windowed control; the peer presents the control's screen surface and feeds
/// input into it. Nothing above this header knows which backend runs.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ZYN_sysutils.h"
#include "platform/gui/ZYN_graphics.h"

namespace zyn {

/// A mouse button.
enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

/// Keys and buttons held during an input event (bit flags).
enum TShiftStateFlag : std::uint8_t {
  ssShift = 1 << 0,
  ssAlt = 1 << 1,
  ssCtrl = 1 << 2,
  ssLeft = 1 << 3,
  ssRight = 1 << 4,
  ssMiddle = 1 << 5,
  ssDouble = 1 << 6, ///< the press is the second of a double click
};
using TShiftState = std::uint8_t;

/// The button flag that a held button sets in a shift state.
constexpr TShiftState ButtonShift(TMouseButton Button) noexcept {
  return Button == mbLeft ? ssLeft : Button == mbRight ? ssRight : ssMiddle;
}

/// One input event in the coordinates of the receiving control's client area.
struct TInputEvent {
  enum TKind : std::uint8_t { ieMouseDown, ieMouseMove, ieMouseUp, ieMouseWheel };
  TKind Kind = ieMouseMove;
  TMouseButton Button = mbLeft; ///< for presses and releases
  TShiftState Shift = 0;        ///< state during the event (a release no longer holds its button)
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t WheelDelta = 0;  ///< multiples of 120 per notch; positive turns away from the user
};

/// A cursor number: standard cursors are 0 and below, application cursors above.
using TCursor = std::int16_t;

/// A cursor picture: pixels 0xAARRGGBB with alpha 0 (transparent) or 0xFF,
/// plus an optional mask of pixels that invert the screen under them.
struct TCursorShape {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  TPoint HotSpot;
  std::vector<TPixel> Pixels;
  std::vector<std::uint8_t> InvertMask; ///< empty, or one byte per pixel (1 = invert)
};

/// A picture held outside any control: the clipboard's bitmap.
struct TImageBuffer {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<TPixel> Pixels; ///< Width × Height, rows top-down
};

/// A request a backend cannot serve, such as input for a control without a window.
class EInvalidOperation : public Exception {
public:
  using Exception::Exception;
};

/// The side of a windowed control that its peer talks to.
class TPeerClient {
public:
  /// The pixels the peer shows; valid until the next call into the client.
  virtual TSurface PeerSurface() = 0;
  /// The window needs its picture: repaint the surface now.
  virtual void PeerPaint() = 0;
  /// Input for this window, in its client coordinates.
  virtual void PeerInput(const TInputEvent& Event) = 0;

protected:
  ~TPeerClient() = default;
};

/// A window of the active backend that shows one windowed control.
class TWindowPeer {
public:
  virtual ~TWindowPeer() = default;
  /// Position in the parent window's client area (or on the screen) and size.
  virtual void SetBounds(const TRect& Bounds) = 0;
  virtual void SetVisible(bool Visible) = 0;
  /// The pointer over this window: Cursor is the screen's cursor number (a
  /// backend may map standard numbers, 0 and below, to its own shapes) and Shape
  /// its picture (nullptr: the system's arrow). Shape stays owned by the caller
  /// and lives until the next call.
  virtual void SetCursor(TCursor Cursor, const TCursorShape* Shape) = 0;
  /// The client changed pixels of its surface: show them.
  virtual void Present() = 0;
  /// Ask for a PeerPaint callback from the message loop (requests coalesce).
  virtual void RequestPaint() = 0;
};

/// A windowing system: creates peers, runs pending messages, holds the clipboard.
class TBackend {
public:
  virtual ~TBackend() = default;
  /// A window for Client inside ParentPeer's window (nullptr: a top-level window).
  /// The peer must not call the client before this returns; the caller destroys
  /// child peers before their parent.
  virtual std::unique_ptr<TWindowPeer> CreatePeer(TPeerClient& Client, TWindowPeer* ParentPeer) = 0;
  /// Delivers every pending message (input, paint requests) in order and returns.
  virtual void ProcessMessages() = 0;
  virtual void SetClipboardImage(const TImageBuffer& Image) = 0;
  /// The clipboard's picture; false when it holds none.
  virtual bool GetClipboardImage(TImageBuffer& Image) const = 0;
  virtual void ClearClipboard() = 0;
};

/// The backend in use; the headless backend unless another one was installed.
TBackend& ActiveBackend();
/// Installs a backend. Do this before the first window is created: peers of
/// the previous backend are not moved. nullptr restores the headless backend.
void SetActiveBackend(std::unique_ptr<TBackend> Backend);

} // namespace zyn
