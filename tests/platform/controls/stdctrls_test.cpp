#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/ZYN_headless.h"
#include "platform/gui/ZYN_stdctrls.h"

namespace zyn {
namespace {

class StdCtrlsTest : public ::testing::Test {
protected:
  void SetUp() override { HeadlessBackend().ClearMessages(); }
  void TearDown() override { HeadlessBackend().ClearMessages(); }
  THeadlessBackend& Backend = HeadlessBackend();
};

/// Two grouped flat buttons on a panel, as a command bar holds them.
struct TButtonBar {
  TPanel Panel{nullptr};
  TSpeedButton& Pointer = *new TSpeedButton(&Panel);
  TSpeedButton& Zoom = *new TSpeedButton(&Panel);
  std::vector<std::string> Clicks;
  TButtonBar() {
    Panel.SetBounds(0, 0, 200, 33);
    for (TSpeedButton* b : {&Pointer, &Zoom}) {
      b->SetParent(&Panel);
      b->SetFlat(true);
      b->SetGroupIndex(999);
      b->OnClick = [this, b](TComponent*) {
        Clicks.push_back(std::string(b == &Pointer ? "pointer" : "zoom") + (b->Down() ? " down" : " up"));
      };
    }
    Pointer.SetBounds(3, 3, 26, 26);
    Zoom.SetBounds(32, 3, 26, 26);
    Pointer.SetDown(true);
    Panel.HandleNeeded();
  }
};

TEST_F(StdCtrlsTest, ClickingAGroupButtonPutsExactlyItDown) {
  TButtonBar bar;
  Backend.PostClick(bar.Panel, 40, 10); // the zoom button
  Backend.PostClick(bar.Panel, 40, 10); // again: it stays down
  Backend.PostClick(bar.Panel, 10, 10); // the pointer button
  Application().ProcessMessages();
  EXPECT_EQ(bar.Clicks, (std::vector<std::string>{"zoom down", "zoom down", "pointer down"}));
  EXPECT_TRUE(bar.Pointer.Down());
  EXPECT_FALSE(bar.Zoom.Down());

  bar.Pointer.SetDown(false); // the only down button of the group cannot be released
  EXPECT_TRUE(bar.Pointer.Down());
  bar.Zoom.SetDown(true);
  EXPECT_FALSE(bar.Pointer.Down());
  EXPECT_TRUE(bar.Clicks.size() == 3u) << "setting Down from code raises no click";
}

TEST_F(StdCtrlsTest, ReleasingOutsideTheButtonIsNoClick) {
  TButtonBar bar;
  Backend.PostDrag(bar.Panel, mbLeft, {40, 10}, {100, 10}, 3);
  Application().ProcessMessages();
  EXPECT_TRUE(bar.Clicks.empty());
  EXPECT_FALSE(bar.Zoom.Down());
}

TEST_F(StdCtrlsTest, AllowAllUpAndGroupZeroRelease) {
  TButtonBar bar;
  bar.Pointer.SetAllowAllUp(true);
  Backend.PostClick(bar.Panel, 10, 10);
  Application().ProcessMessages();
  EXPECT_FALSE(bar.Pointer.Down());
  EXPECT_FALSE(bar.Zoom.Down());

  TSpeedButton plain(nullptr);
  plain.SetDown(true);
  EXPECT_FALSE(plain.Down()) << "a button of group 0 never stays down";
}

TEST_F(StdCtrlsTest, GlyphImageFollowsTheStateWithItsTransparentColour) {
  TButtonBar bar;
  TBitmap strip(40, 20);
  for (std::int32_t y = 0; y < 20; ++y)
    for (std::int32_t x = 0; x < 40; ++x) strip.ScanLine(y)[x] = ColorToPixel(clFuchsia); // transparent
  for (std::int32_t y = 5; y < 15; ++y)
    for (std::int32_t x = 5; x < 15; ++x) {
      strip.ScanLine(y)[x] = ColorToPixel(clBlack);       // up image
      strip.ScanLine(y)[x + 20] = ColorToPixel(clGray);   // disabled image
    }
  bar.Zoom.SetGlyph(&strip);
  bar.Zoom.SetNumGlyphs(2);
  bar.Panel.Repaint();
  THeadlessPeer* peer = Backend.PeerOf(bar.Panel);
  // The 20 × 20 glyph is centred in the 26 × 26 button at (32, 3): its image starts at (35, 6).
  EXPECT_EQ(peer->PixelColor(35 + 5, 6 + 5), clBlack);
  EXPECT_EQ(peer->PixelColor(35 + 2, 6 + 2), bar.Panel.Color()) << "transparent pixels show the panel";
  bar.Zoom.SetEnabled(false);
  EXPECT_EQ(bar.Zoom.GlyphIndex(), 1);
  bar.Panel.Repaint();
  EXPECT_EQ(peer->PixelColor(35 + 5, 6 + 5), clGray);
  bar.Zoom.SetEnabled(true);
  bar.Zoom.SetDown(true);
  EXPECT_EQ(bar.Zoom.GlyphIndex(), 0) << "two images: a down button shows the up image";
  bar.Panel.Repaint();
  EXPECT_EQ(peer->PixelColor(35 + 6, 6 + 6), clBlack) << "moved by one pixel when down";
  EXPECT_NE(peer->PixelColor(35 + 5, 6 + 5), clBlack);
}

TEST_F(StdCtrlsTest, ItemsAndItemIndexStayConsistent) {
  TComboBox box(nullptr);
  box.SetStyle(csDropDownList);
  for (const char* s : {"alpha", "beta", "gamma"}) box.Items().Add(s);
  EXPECT_EQ(box.ItemIndex(), -1);
  EXPECT_EQ(box.Text(), "");
  box.SetItemIndex(2);
  EXPECT_EQ(box.Text(), "gamma");
  box.Items().Delete(0);
  EXPECT_EQ(box.ItemIndex(), 1) << "the selection follows its line";
  box.Items().Insert(0, "first");
  EXPECT_EQ(box.Text(), "gamma");
  box.SetItemIndex(7);
  EXPECT_EQ(box.ItemIndex(), -1);
  box.SetItemIndex(1);
  box.Items().Delete(1);
  EXPECT_EQ(box.ItemIndex(), -1) << "deleting the selected line selects nothing";
  box.Items().Clear();
  EXPECT_EQ(box.ItemIndex(), -1);
  EXPECT_THROW(box.Items().Delete(0), std::out_of_range);
}

TEST_F(StdCtrlsTest, OnlyUserSelectionsRaiseOnChange) {
  TComboBox box(nullptr);
  box.SetStyle(csDropDownList);
  for (const char* s : {"alpha", "beta", "gamma"}) box.Items().Add(s);
  box.SetBounds(100, 50, 145, 23);
  box.HandleNeeded();
  std::vector<int> changes;
  box.OnChange = [&](TComponent* sender) {
    EXPECT_EQ(sender, &box);
    changes.push_back(box.ItemIndex());
  };
  box.SetItemIndex(0); // from code: no event
  Backend.PostMouseWheel(box, -120, 5, 5);
  Backend.PostMouseWheel(box, -120, 5, 5);
  Backend.PostMouseWheel(box, -120, 5, 5); // already at the last line: no change
  Backend.PostMouseWheel(box, 120, 5, 5);
  Application().ProcessMessages();
  EXPECT_EQ(changes, (std::vector<int>{1, 2, 1}));

  // Click the box, then the first line of the list under it.
  Backend.PostClick(box, 5, 5);
  Application().ProcessMessages();
  ASSERT_TRUE(box.DroppedDown());
  TCustomControl* list = box.DropDownList();
  EXPECT_EQ(list->Left(), 100);
  EXPECT_EQ(list->Top(), 73);
  EXPECT_EQ(list->Height(), 3 * box.ItemHeight() + 2);
  Backend.PostClick(*list, 5, 1 + box.ItemHeight() / 2);
  Application().ProcessMessages();
  EXPECT_FALSE(box.DroppedDown());
  EXPECT_EQ(changes, (std::vector<int>{1, 2, 1, 0}));
  EXPECT_EQ(box.Text(), "alpha");

  // Choosing the line that is selected already changes nothing.
  Backend.PostClick(box, 5, 5);
  Application().ProcessMessages();
  Backend.PostClick(*box.DropDownList(), 5, 1 + box.ItemHeight() / 2);
  Application().ProcessMessages();
  EXPECT_EQ(changes.size(), 4u);
}

TEST_F(StdCtrlsTest, PanelPaintsItsFaceAndBevel) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 40, 20);
  panel.SetColor(clSilver);
  panel.Repaint();
  const TSurface s = panel.ScreenSurface().Surface();
  EXPECT_EQ(PixelToColor(s.Row(0)[5]), clBtnHighlight);
  EXPECT_EQ(PixelToColor(s.Row(19)[5]), clBtnShadow);
  EXPECT_EQ(PixelToColor(s.Row(10)[39]), clBtnShadow);
  EXPECT_EQ(PixelToColor(s.Row(10)[20]), clSilver);
  panel.SetBevelOuter(bvNone);
  panel.Repaint();
  EXPECT_EQ(PixelToColor(s.Row(0)[5]), clSilver);
}

} // namespace
} // namespace zyn
