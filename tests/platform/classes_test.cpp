#include <gtest/gtest.h>

#include <vector>

#include "platform/ZYN_classes.h"
#include "platform/ZYN_sysutils.h"

namespace zyn {
namespace {

std::vector<std::string> gDestroyed;

class TProbe : public TComponent {
public:
  using TComponent::TComponent;
  ~TProbe() override { gDestroyed.push_back(Name()); }
  int Value = 0;
  void Assign(const TPersistent* Source) override {
    if (const auto* p = dynamic_cast<const TProbe*>(Source)) {
      Value = p->Value;
      return;
    }
    TComponent::Assign(Source);
  }

protected:
  std::string ClassName() const override { return "TProbe"; }
};

TEST(Component, OwnerDestroysOwnedComponentsAndChildrenLeaveTheirOwner) {
  gDestroyed.clear();
  {
    TProbe owner(nullptr);
    owner.SetName("owner");
    auto* a = new TProbe(&owner);
    a->SetName("a");
    auto* b = new TProbe(&owner);
    b->SetName("b");
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(b->Owner(), &owner);
    delete a; // leaves its owner at once
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
  }
  EXPECT_EQ(gDestroyed, (std::vector<std::string>{"a", "owner", "b"}));
}

TEST(Component, AssignCopiesSupportedPairsAndRaisesForOthers) {
  TProbe a, b;
  a.Value = 7;
  b.Assign(&a);
  EXPECT_EQ(b.Value, 7);
  TComponent plain;
  EXPECT_THROW(b.Assign(&plain), EConvertError);
  EXPECT_THROW(b.Assign(nullptr), EConvertError);
  try {
    plain.Assign(&a);
    FAIL() << "assigning a TProbe to a TComponent succeeded";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TProbe to a TComponent");
  }
}

TEST(Component, StateFlagsMarkLoadingAndDesigning) {
  TComponent c;
  EXPECT_FALSE(c.IsLoading());
  c.SetComponentState(csLoading | csDesigning, true);
  EXPECT_TRUE(c.IsLoading());
  EXPECT_TRUE(c.IsDesigning());
  c.Loaded();
  EXPECT_FALSE(c.IsLoading());
  EXPECT_TRUE(c.IsDesigning());
}

} // namespace
} // namespace zyn
