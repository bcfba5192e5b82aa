#include "platform/gui/ZYN_backend.h"

#include <vector>

#include "platform/gui/ZYN_headless.h"

namespace zyn {

namespace {

struct TBackendSlot {
  TBackend* Active = nullptr;
  // Backends replaced by SetActiveBackend stay alive: windows they created may
  // still exist and call back into them. Never freed, so that windows of
  // static objects destroyed at exit find their backend too.
  std::vector<std::unique_ptr<TBackend>> Installed;
};

TBackendSlot& Slot() {
  static TBackendSlot* slot = new TBackendSlot;
  return *slot;
}

} // namespace

TBackend& ActiveBackend() {
  TBackendSlot& slot = Slot();
  if (slot.Active == nullptr) SetActiveBackend(nullptr);
  return *slot.Active;
}

void SetActiveBackend(std::unique_ptr<TBackend> Backend) {
  TBackendSlot& slot = Slot();
  if (Backend == nullptr) Backend = std::make_unique<THeadlessBackend>();
  slot.Active = Backend.get();
  slot.Installed.push_back(std::move(Backend));
}

} // namespace zyn
