#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gui/ZYN_controls.h"
#include "platform/gui/ZYN_forms.h"
#include "platform/gui/ZYN_headless.h"

namespace zyn {
namespace {

/// A windowed control that writes down every handler call.
class TRecorder : public TWinControl {
public:
  explicit TRecorder(TComponent* AOwner = nullptr) : TWinControl(AOwner) { SetBounds(0, 0, 100, 80); }
  std::vector<std::string> Log;
  int Paints = 0;

protected:
  void MouseDown(TMouseButton B, TShiftState S, std::int32_t X, std::int32_t Y) override {
    Log.push_back("down " + std::to_string(B) + " " + std::to_string(S) + " " + std::to_string(X) + "," +
                  std::to_string(Y));
    TWinControl::MouseDown(B, S, X, Y);
  }
  void MouseMove(TShiftState S, std::int32_t X, std::int32_t Y) override {
    Log.push_back("move " + std::to_string(S) + " " + std::to_string(X) + "," + std::to_string(Y));
  }
  void MouseUp(TMouseButton B, TShiftState S, std::int32_t X, std::int32_t Y) override {
    Log.push_back("up " + std::to_string(B) + " " + std::to_string(S) + " " + std::to_string(X) + "," +
                  std::to_string(Y));
  }
  void PaintContent() override { ++Paints; }
};

class HeadlessTest : public ::testing::Test {
protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    HeadlessBackend().ClearMessages();
    HeadlessBackend().OnIdle = nullptr;
  }
  THeadlessBackend& Backend = HeadlessBackend();
};

TEST_F(HeadlessTest, PostedMouseEventsArriveInOrderWithTheButtonsHeld) {
  TRecorder c;
  c.HandleNeeded();
  Backend.PostMouseDown(c, mbLeft, 10, 20, ssCtrl);
  Backend.PostMouseMove(c, 12, 22);
  Backend.PostMouseUp(c, mbLeft, 14, 24);
  Backend.PostMouseMove(c, 15, 25);
  EXPECT_TRUE(c.Log.empty()) << "nothing is delivered before ProcessMessages";
  Application().ProcessMessages();
  const std::vector<std::string> expected = {
      "down 0 " + std::to_string(ssCtrl | ssLeft) + " 10,20",
      "move " + std::to_string(ssLeft) + " 12,22",
      "up 0 0 14,24",
      "move 0 15,25",
  };
  EXPECT_EQ(c.Log, expected);
  EXPECT_EQ(Backend.PendingMessages(), 0u);
}

TEST_F(HeadlessTest, PostingToAControlWithoutWindowFails) {
  TRecorder c;
  EXPECT_THROW(Backend.PostClick(c, 1, 1), EInvalidOperation);
}

TEST_F(HeadlessTest, HiddenAndDestroyedWindowsGetNoInput) {
  TRecorder parent;
  auto child = std::make_unique<TRecorder>();
  child->SetParent(&parent);
  parent.HandleNeeded();
  ASSERT_TRUE(child->HandleAllocated());
  Backend.PostClick(*child, 1, 1);
  Backend.PostClick(parent, 1, 1);
  parent.Hide(); // the child is inside a hidden window now
  Application().ProcessMessages();
  EXPECT_TRUE(child->Log.empty());
  EXPECT_TRUE(parent.Log.empty());

  parent.Show();
  Backend.PostClick(*child, 1, 1);
  child.reset();
  EXPECT_NO_THROW(Application().ProcessMessages());
}

TEST_F(HeadlessTest, PaintRequestsCoalesceIntoOnePaint) {
  TRecorder c;
  c.HandleNeeded();
  Application().ProcessMessages(); // the first picture of a new window
  ASSERT_EQ(c.Paints, 1);
  c.Invalidate();
  c.Invalidate();
  c.SetColor(clRed);
  Application().ProcessMessages();
  EXPECT_EQ(c.Paints, 2);
  EXPECT_EQ(Backend.PeerOf(c)->PixelColor(5, 5), clRed) << "the background is filled with Color";
}

/// A control with a modal wait like the map control's box request: a right
/// press starts a nested loop that runs until a release ends it.
class TModal : public TRecorder {
public:
  int State = 0; // 0 idle, 1 waiting, 2 done, 3 aborted
  int NestedLevel = 0;
  std::vector<int> LevelOfEvent;
  bool Wait() {
    State = 1;
    while (State == 1) Application().ProcessMessages();
    return State == 2;
  }

protected:
  void MouseDown(TMouseButton B, TShiftState S, std::int32_t X, std::int32_t Y) override {
    TRecorder::MouseDown(B, S, X, Y);
    LevelOfEvent.push_back(NestedLevel);
    if (B == mbRight) {
      ++NestedLevel;
      Wait();
      --NestedLevel;
    }
  }
  void MouseUp(TMouseButton B, TShiftState S, std::int32_t X, std::int32_t Y) override {
    TRecorder::MouseUp(B, S, X, Y);
    LevelOfEvent.push_back(NestedLevel);
    if (State == 1) State = 2;
  }
};

TEST_F(HeadlessTest, NestedLoopDeliversLaterEventsUntilItsFlagChanges) {
  TModal c;
  c.HandleNeeded();
  Backend.PostMouseDown(c, mbRight, 1, 1); // starts the nested loop
  Backend.PostMouseMove(c, 2, 2);
  Backend.PostMouseDown(c, mbLeft, 3, 3);
  Backend.PostMouseUp(c, mbLeft, 4, 4); // ends it
  Backend.PostMouseUp(c, mbRight, 5, 5);
  Application().ProcessMessages();
  EXPECT_EQ(c.State, 2);
  ASSERT_EQ(c.Log.size(), 5u);
  EXPECT_EQ(c.Log[1].substr(0, 4), "move");
  // ProcessMessages empties the queue, so the nested loop also takes what
  // was posted after the release that ended it.
  EXPECT_EQ(c.LevelOfEvent, (std::vector<int>{0, 1, 1, 1}));
}

TEST_F(HeadlessTest, IdleHookCanEndAWaitThatGetsNoInput) {
  TModal c;
  c.HandleNeeded();
  int idleCalls = 0;
  Backend.OnIdle = [&] {
    if (++idleCalls == 3) c.State = 3;
  };
  EXPECT_FALSE(c.Wait());
  EXPECT_EQ(idleCalls, 3);
}

TEST_F(HeadlessTest, IdleHookCanFeedInputToAWaitingLoop) {
  TModal c;
  c.HandleNeeded();
  Backend.OnIdle = [&] {
    Backend.OnIdle = nullptr;
    Backend.PostDrag(c, mbLeft, {10, 10}, {30, 20}, 2);
  };
  EXPECT_TRUE(c.Wait());
  const std::vector<std::string> expected = {
      "down 0 " + std::to_string(ssLeft) + " 10,10", "move " + std::to_string(ssLeft) + " 20,15",
      "move " + std::to_string(ssLeft) + " 30,20", "up 0 0 30,20"};
  EXPECT_EQ(c.Log, expected);
}

TEST_F(HeadlessTest, ClipboardHoldsOnePicture) {
  TImageBuffer image{2, 1, {0xFF112233, 0xFF445566}}, out;
  Backend.ClearClipboard();
  EXPECT_FALSE(Backend.GetClipboardImage(out));
  Backend.SetClipboardImage(image);
  ASSERT_TRUE(Backend.GetClipboardImage(out));
  EXPECT_EQ(out.Pixels, image.Pixels);
}

} // namespace
} // namespace zyn
