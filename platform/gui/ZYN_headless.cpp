#include "platform/gui/ZYN_headless.h"

#include <algorithm>

namespace zyn {

THeadlessPeer::THeadlessPeer(THeadlessBackend& Backend, TPeerClient& Client, THeadlessPeer* Parent)
    : FBackend(Backend), FClient(Client), FParent(Parent) {}

THeadlessPeer::~THeadlessPeer() { FBackend.Unregister(this); }

void THeadlessPeer::RequestPaint() {
  if (FPaintPending) return;
  FPaintPending = true;
  FBackend.FQueue.push_back({this, true, {}});
}

bool THeadlessPeer::Showing() const noexcept {
  for (const THeadlessPeer* p = this; p != nullptr; p = p->FParent)
    if (!p->FVisible) return false;
  return true;
}

TColor THeadlessPeer::PixelColor(std::int32_t X, std::int32_t Y) const {
  const TSurface s = Surface();
  if (s.Empty() || X < 0 || Y < 0 || X >= s.Width || Y >= s.Height) return clBlack;
  return PixelToColor(s.Row(Y)[X]);
}

THeadlessBackend::~THeadlessBackend() {
  // Peers that outlive the backend must not call back into it.
  FQueue.clear();
  FPeers.clear();
}

std::unique_ptr<TWindowPeer> THeadlessBackend::CreatePeer(TPeerClient& Client, TWindowPeer* ParentPeer) {
  auto* parent = dynamic_cast<THeadlessPeer*>(ParentPeer);
  if (ParentPeer != nullptr && parent == nullptr)
    throw EInvalidOperation("Parent window belongs to another backend");
  auto peer = std::make_unique<THeadlessPeer>(*this, Client, parent);
  FPeers.push_back(peer.get());
  return peer;
}

void THeadlessBackend::Unregister(THeadlessPeer* Peer) {
  FPeers.erase(std::remove(FPeers.begin(), FPeers.end(), Peer), FPeers.end());
  // Messages for a window that is gone are dropped.
  FQueue.erase(std::remove_if(FQueue.begin(), FQueue.end(), [Peer](const TMessage& m) { return m.Peer == Peer; }),
               FQueue.end());
}

THeadlessPeer* THeadlessBackend::PeerOf(const TPeerClient& Client) const noexcept {
  for (THeadlessPeer* p : FPeers)
    if (&p->FClient == &Client) return p;
  return nullptr;
}

void THeadlessBackend::ProcessMessages() {
  while (!FQueue.empty()) {
    // Taken off the queue before delivery: a handler may run a nested loop.
    const TMessage m = FQueue.front();
    FQueue.pop_front();
    Deliver(m);
  }
  if (OnIdle) OnIdle();
}

void THeadlessBackend::Deliver(const TMessage& Message) {
  THeadlessPeer& peer = *Message.Peer;
  if (Message.Paint) {
    peer.FPaintPending = false;
    if (peer.Showing()) peer.FClient.PeerPaint();
    return;
  }
  // Hidden windows get no input, as on a real screen.
  if (peer.Showing()) peer.FClient.PeerInput(Message.Input);
}

void THeadlessBackend::Post(TPeerClient& Target, TInputEvent Event, TShiftState Keys) {
  THeadlessPeer* peer = PeerOf(Target);
  if (peer == nullptr) throw EInvalidOperation("Control has no window to receive input");
  const TShiftState keys = Keys & (ssShift | ssCtrl | ssAlt | ssDouble);
  if (Event.Kind == TInputEvent::ieMouseDown) FButtonsHeld |= ButtonShift(Event.Button);
  if (Event.Kind == TInputEvent::ieMouseUp) FButtonsHeld &= ~ButtonShift(Event.Button);
  Event.Shift = keys | FButtonsHeld;
  FQueue.push_back({peer, false, Event});
}

void THeadlessBackend::PostMouseDown(TPeerClient& Target, TMouseButton Button, std::int32_t X, std::int32_t Y,
                                     TShiftState Keys) {
  Post(Target, {TInputEvent::ieMouseDown, Button, 0, X, Y, 0}, Keys);
}

void THeadlessBackend::PostMouseMove(TPeerClient& Target, std::int32_t X, std::int32_t Y, TShiftState Keys) {
  Post(Target, {TInputEvent::ieMouseMove, mbLeft, 0, X, Y, 0}, Keys);
}

void THeadlessBackend::PostMouseUp(TPeerClient& Target, TMouseButton Button, std::int32_t X, std::int32_t Y,
                                   TShiftState Keys) {
  Post(Target, {TInputEvent::ieMouseUp, Button, 0, X, Y, 0}, Keys);
}

void THeadlessBackend::PostMouseWheel(TPeerClient& Target, std::int32_t WheelDelta, std::int32_t X, std::int32_t Y,
                                      TShiftState Keys) {
  Post(Target, {TInputEvent::ieMouseWheel, mbLeft, 0, X, Y, WheelDelta}, Keys);
}

void THeadlessBackend::PostClick(TPeerClient& Target, std::int32_t X, std::int32_t Y, TShiftState Keys) {
  PostMouseDown(Target, mbLeft, X, Y, Keys);
  PostMouseUp(Target, mbLeft, X, Y, Keys);
}

void THeadlessBackend::PostDoubleClick(TPeerClient& Target, std::int32_t X, std::int32_t Y, TShiftState Keys) {
  PostClick(Target, X, Y, Keys);
  PostMouseDown(Target, mbLeft, X, Y, Keys | ssDouble);
  PostMouseUp(Target, mbLeft, X, Y, Keys);
}

void THeadlessBackend::PostDrag(TPeerClient& Target, TMouseButton Button, TPoint From, TPoint To,
                                std::int32_t Steps, TShiftState Keys) {
  PostMouseDown(Target, Button, From.X, From.Y, Keys);
  const std::int32_t n = std::max(Steps, 1);
  for (std::int32_t i = 1; i <= n; ++i) {
    const auto x = static_cast<std::int32_t>(From.X + (static_cast<std::int64_t>(To.X) - From.X) * i / n);
    const auto y = static_cast<std::int32_t>(From.Y + (static_cast<std::int64_t>(To.Y) - From.Y) * i / n);
    PostMouseMove(Target, x, y, Keys);
  }
  PostMouseUp(Target, Button, To.X, To.Y, Keys);
}

void THeadlessBackend::ClearMessages() {
  for (THeadlessPeer* p : FPeers) p->FPaintPending = false;
  FQueue.clear();
  FButtonsHeld = 0;
}

void THeadlessBackend::SetClipboardImage(const TImageBuffer& Image) {
  FClipboard = Image;
  FHasClipboardImage = true;
}

bool THeadlessBackend::GetClipboardImage(TImageBuffer& Image) const {
  if (!FHasClipboardImage) return false;
  Image = FClipboard;
  return true;
}

void THeadlessBackend::ClearClipboard() {
  FHasClipboardImage = false;
  FClipboard = {};
}

} // namespace zyn

namespace zyn {

THeadlessBackend& HeadlessBackend() {
  auto* headless = dynamic_cast<THeadlessBackend*>(&ActiveBackend());
  if (headless == nullptr) throw EInvalidOperation("The active backend is not the headless backend");
  return *headless;
}

} // namespace zyn
