#pragma once
/// \file
/// The headless backend: windows that exist only in memory, an event queue
/// that tests fill, and an in-memory clipboard. It is the default backend.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gui/ZYN_backend.h"

namespace zyn {

class THeadlessBackend;

/// An in-memory window: remembers what its control asked of it.
class THeadlessPeer final : public TWindowPeer {
public:
  THeadlessPeer(THeadlessBackend& Backend, TPeerClient& Client, THeadlessPeer* Parent);
  ~THeadlessPeer() override;

  void SetBounds(const TRect& Bounds) override { FBounds = Bounds; }
  void SetVisible(bool Visible) override { FVisible = Visible; }
  void SetCursor(TCursor Cursor, const TCursorShape* Shape) override {
    FCursorId = Cursor;
    FCursor = Shape;
  }
  void Present() override { ++FPresentCount; }
  void RequestPaint() override;

  TPeerClient& Client() const noexcept { return FClient; }
  THeadlessPeer* Parent() const noexcept { return FParent; }
  const TRect& Bounds() const noexcept { return FBounds; }
  /// Visible itself and inside visible parents.
  bool Showing() const noexcept;
  TCursor CursorId() const noexcept { return FCursorId; }
  const TCursorShape* CursorShape() const noexcept { return FCursor; }
  /// How often the control said it changed its pixels.
  std::int64_t PresentCount() const noexcept { return FPresentCount; }
  /// The pixels the window shows now.
  TSurface Surface() const { return FClient.PeerSurface(); }
  /// One shown pixel as a colour; clBlack outside the surface.
  TColor PixelColor(std::int32_t X, std::int32_t Y) const;

private:
  friend class THeadlessBackend;
  THeadlessBackend& FBackend;
  TPeerClient& FClient;
  THeadlessPeer* FParent;
  TRect FBounds;
  bool FVisible = false;
  bool FPaintPending = false;
  TCursor FCursorId = 0;
  const TCursorShape* FCursor = nullptr;
  std::int64_t FPresentCount = 0;
};

/// Windows in memory and a queue of posted events. Posting a mouse event
/// models one mouse: presses and releases update the buttons held, and every
/// later event carries them in its shift state.
class THeadlessBackend final : public TBackend {
public:
  THeadlessBackend() = default;
  ~THeadlessBackend() override;
  THeadlessBackend(const THeadlessBackend&) = delete;
  THeadlessBackend& operator=(const THeadlessBackend&) = delete;

  std::unique_ptr<TWindowPeer> CreatePeer(TPeerClient& Client, TWindowPeer* ParentPeer) override;
  /// Delivers queued messages in order until the queue is empty, including
  /// those posted meanwhile; then calls OnIdle once.
  void ProcessMessages() override;
  void SetClipboardImage(const TImageBuffer& Image) override;
  bool GetClipboardImage(TImageBuffer& Image) const override;
  void ClearClipboard() override;

  /// The window of a control; nullptr when it has none.
  THeadlessPeer* PeerOf(const TPeerClient& Client) const noexcept;

  /// Queue input for Target's window (EInvalidOperation when it has none).
  /// Coordinates are in Target's client area; Keys adds ssShift, ssCtrl, ssAlt.
  void PostMouseDown(TPeerClient& Target, TMouseButton Button, std::int32_t X, std::int32_t Y, TShiftState Keys = 0);
  void PostMouseMove(TPeerClient& Target, std::int32_t X, std::int32_t Y, TShiftState Keys = 0);
  void PostMouseUp(TPeerClient& Target, TMouseButton Button, std::int32_t X, std::int32_t Y, TShiftState Keys = 0);
  void PostMouseWheel(TPeerClient& Target, std::int32_t WheelDelta, std::int32_t X, std::int32_t Y, TShiftState Keys = 0);
  /// A press and a release of the left button at one point.
  void PostClick(TPeerClient& Target, std::int32_t X, std::int32_t Y, TShiftState Keys = 0);
  /// Two clicks at one point; the second press carries ssDouble.
  void PostDoubleClick(TPeerClient& Target, std::int32_t X, std::int32_t Y, TShiftState Keys = 0);
  /// A press at From, moves in Steps equal steps to To, a release at To.
  void PostDrag(TPeerClient& Target, TMouseButton Button, TPoint From, TPoint To, std::int32_t Steps,
                TShiftState Keys = 0);

  std::size_t PendingMessages() const noexcept { return FQueue.size(); }
  /// Forgets queued messages and the buttons held.
  void ClearMessages();
  /// Called when ProcessMessages has emptied the queue: lets a test act while
  /// a nested loop waits for input (post more input, or end the wait).
  std::function<void()> OnIdle;

private:
  friend class THeadlessPeer;
  struct TMessage {
    THeadlessPeer* Peer = nullptr;
    bool Paint = false;
    TInputEvent Input;
  };
  void Post(TPeerClient& Target, TInputEvent Event, TShiftState Keys);
  void Deliver(const TMessage& Message);
  void Unregister(THeadlessPeer* Peer);

  std::vector<THeadlessPeer*> FPeers;
  std::deque<TMessage> FQueue;
  TShiftState FButtonsHeld = 0;
  bool FHasClipboardImage = false;
  TImageBuffer FClipboard;
};

/// The headless backend when it is the active one; EInvalidOperation otherwise.
THeadlessBackend& HeadlessBackend();

} // namespace zyn
