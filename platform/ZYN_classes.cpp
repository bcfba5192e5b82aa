#include "platform/ZYN_classes.h"

#include <algorithm>

#include "platform/ZYN_sysutils.h"

namespace zyn {

void TPersistent::Assign(const TPersistent* Source) {
  if (Source != nullptr) {
    Source->AssignTo(this);
    return;
  }
  throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " +
                      (Dest != nullptr ? Dest->ClassName() : std::string("nil")));
}

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
  if (FOwner != nullptr) FOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FComponentState |= csDestroying;
  // Owned components go first, last-created first.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner != nullptr) FOwner->RemoveComponent(this);
}

void TComponent::SetComponentState(TComponentState Flags, bool On) {
  FComponentState = On ? (FComponentState | Flags) : (FComponentState & ~Flags);
}

void TComponent::Loaded() { SetComponentState(csLoading, false); }

void TComponent::InsertComponent(TComponent* C) { FComponents.push_back(C); }

void TComponent::RemoveComponent(TComponent* C) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), C), FComponents.end());
}

} // namespace zyn
