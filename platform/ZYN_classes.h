#pragma once
/// \file
/// The component model: assignable objects and owned, named components.

#include <cstdint>
#include <string>
#include <vector>

namespace zyn {

/// An object whose state can be copied from another object with Assign.
class TPersistent {
public:
  virtual ~TPersistent() = default;
  /// Copies the state of Source into this object. The default asks Source to
  /// assign itself to this (AssignTo); unsupported pairs raise EConvertError.
  virtual void Assign(const TPersistent* Source);

protected:
  /// Copies this object's state into Dest; the default raises EConvertError
  /// ("Cannot assign a <source> to a <dest>").
  virtual void AssignTo(TPersistent* Dest) const;
  /// The class name used in conversion messages.
  virtual std::string ClassName() const { return "TPersistent"; }
  friend class TComponent;
};

/// Component state flags.
enum TComponentStateFlag : std::uint8_t {
  csLoading = 1 << 0,   ///< being loaded from a stream
  csDesigning = 1 << 1, ///< being edited in a form designer
  csDestroying = 1 << 2,
};
using TComponentState = std::uint8_t;

/// A named object with an owner. The owner destroys the components it owns;
/// destroying a component first removes it from its owner. A component made
/// without an owner belongs to the caller.
class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner = nullptr);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const noexcept { return FOwner; }
  const std::string& Name() const noexcept { return FName; }
  void SetName(const std::string& Value) { FName = Value; }

  TComponentState ComponentState() const noexcept { return FComponentState; }
  bool IsLoading() const noexcept { return FComponentState & csLoading; }
  bool IsDesigning() const noexcept { return FComponentState & csDesigning; }
  /// Sets or clears state flags (hosts and tests mark loading and designing).
  void SetComponentState(TComponentState Flags, bool On);

  int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const { return FComponents.at(static_cast<std::size_t>(Index)); }

  /// Called once after the component has been fully loaded (clears csLoading).
  virtual void Loaded();

protected:
  std::string ClassName() const override { return "TComponent"; }

private:
  void InsertComponent(TComponent* C);
  void RemoveComponent(TComponent* C);

  TComponent* FOwner = nullptr;
  std::string FName;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
};

} // namespace zyn
