#include "platform/gui/ZYN_stdctrls.h"

#include <algorithm>
#include <stdexcept>

#include "platform/gui/ZYN_canvas.h"

namespace zyn {

namespace {

/// A one-pixel edge: TopLeft on the top and left sides, BottomRight on the others.
void DrawEdge(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
  if (R.IsEmpty()) return;
  Canvas.Brush().SetStyle(bsSolid);
  Canvas.Brush().SetColor(TopLeft);
  Canvas.FillRect({R.Left, R.Top, R.Right, R.Top + 1});
  Canvas.FillRect({R.Left, R.Top, R.Left + 1, R.Bottom});
  Canvas.Brush().SetColor(BottomRight);
  Canvas.FillRect({R.Left, R.Bottom - 1, R.Right, R.Bottom});
  Canvas.FillRect({R.Right - 1, R.Top, R.Right, R.Bottom});
}

constexpr TRect Shrink(const TRect& R, std::int32_t By) noexcept {
  return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By};
}

/// Text centred in R, drawn without background.
void CentredText(TCanvas& Canvas, const TRect& R, const std::string& Text) {
  if (Text.empty()) return;
  const TSize size = Canvas.TextExtent(Text);
  Canvas.Brush().SetStyle(bsClear);
  Canvas.TextOut(R.Left + (R.Width() - size.cx) / 2, R.Top + (R.Height() - size.cy) / 2, Text);
  Canvas.Brush().SetStyle(bsSolid);
}

} // namespace

// --- TPanel -----------------------------------------------------------------

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Invalidate();
}

void TPanel::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(ClientRect());
  if (FBevelOuter == bvRaised) DrawEdge(canvas, ClientRect(), clBtnHighlight, clBtnShadow);
  if (FBevelOuter == bvLowered) DrawEdge(canvas, ClientRect(), clBtnShadow, clBtnHighlight);
  CentredText(canvas, ClientRect(), Caption());
}

// --- TSpeedButton -----------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() & ~csDoubleClicks);
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetGroupIndex(std::int32_t Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FGroupIndex == 0) {
    FDown = false;
  } else if (FDown) {
    ReleaseGroup();
  }
  Invalidate();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (FDown) ReleaseGroup();
  Invalidate();
}

void TSpeedButton::ReleaseGroup() {
  if (Parent() == nullptr) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other == nullptr || other == this || other->FGroupIndex != FGroupIndex || !other->FDown) continue;
    other->FDown = false;
    other->Invalidate();
  }
}

void TSpeedButton::SetGlyph(const TBitmap* Value) {
  FGlyph.Assign(Value);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(std::int32_t Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

std::int32_t TSpeedButton::GlyphIndex() const noexcept {
  std::int32_t index = 0;
  if (!Enabled()) index = 1;
  else if (FDown) index = 3;
  else if (FPressed) index = 2;
  // Missing images fall back to the up image.
  return index < FNumGlyphs ? index : 0;
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::SetPressed(bool Value) {
  if (Value == FPressed) return;
  FPressed = Value;
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (Button == mbLeft) {
    FTracking = true;
    SetPressed(true);
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (FTracking) SetPressed(ClientRect().Contains({X, Y}));
  TGraphicControl::MouseMove(Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (Button == mbLeft && FTracking) {
    FTracking = false;
    SetPressed(false);
    // Down changes before the click is reported, so OnClick sees the new state.
    if (ClientRect().Contains({X, Y}) && FGroupIndex != 0) SetDown(!FDown);
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::MouseEnter() {
  FMouseInside = true;
  if (FFlat) Invalidate();
}

void TSpeedButton::MouseLeave() {
  FMouseInside = false;
  if (FFlat) Invalidate();
}

void TSpeedButton::Paint() {
  TCanvas& canvas = Canvas();
  const TRect r = ClientRect();
  const bool sunken = FDown || FPressed;
  if (!FFlat || sunken) {
    // A down flat button gets a lighter face, as its edge alone is faint.
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(FFlat && FDown && !FPressed ? clBtnHighlight : Color());
    canvas.FillRect(r);
  }
  if (sunken) {
    DrawEdge(canvas, r, clBtnShadow, clBtnHighlight);
  } else if (!FFlat) {
    DrawEdge(canvas, r, clBtnHighlight, clBlack);
    DrawEdge(canvas, Shrink(r, 1), clBtnHighlight, clBtnShadow);
  } else if (FMouseInside && Enabled()) {
    DrawEdge(canvas, r, clBtnHighlight, clBtnShadow);
  }
  const std::int32_t offset = sunken ? 1 : 0;
  const std::int32_t gw = FGlyph.Width() / FNumGlyphs, gh = FGlyph.Height();
  if (gw > 0 && gh > 0) {
    DrawGlyph({(Width() - gw) / 2 + offset, (Height() - gh) / 2 + offset});
  } else {
    CentredText(canvas, {r.Left + offset, r.Top + offset, r.Right + offset, r.Bottom + offset}, Caption());
  }
}

void TSpeedButton::DrawGlyph(TPoint At) {
  const std::int32_t gw = FGlyph.Width() / FNumGlyphs, gh = FGlyph.Height();
  const std::int32_t x0 = GlyphIndex() * gw;
  const TPixel transparent = FGlyph.ScanLine(gh - 1)[x0] | 0xFF000000u;
  const TSurface s = ScreenSurface().Surface();
  for (std::int32_t y = 0; y < gh; ++y) {
    const std::int32_t sy = At.Y + y;
    if (sy < 0 || sy >= s.Height) continue;
    const TPixel* src = FGlyph.ScanLine(y) + x0;
    TPixel* dst = s.Row(sy);
    for (std::int32_t x = 0; x < gw; ++x) {
      const std::int32_t sx = At.X + x;
      const TPixel p = src[x] | 0xFF000000u;
      if (sx >= 0 && sx < s.Width && p != transparent) dst[sx] = p;
    }
  }
}

// --- TStrings ---------------------------------------------------------------

int TStrings::Add(const std::string& S) {
  Insert(Count(), S);
  return Count() - 1;
}

void TStrings::Insert(int Index, const std::string& S) {
  if (Index < 0 || Index > Count()) throw std::out_of_range("List index out of bounds");
  FLines.insert(FLines.begin() + Index, S);
  if (OnChanged) OnChanged(Index, +1);
}

void TStrings::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw std::out_of_range("List index out of bounds");
  FLines.erase(FLines.begin() + Index);
  if (OnChanged) OnChanged(Index, -1);
}

void TStrings::Clear() {
  FLines.clear();
  if (OnChanged) OnChanged(-1, 0);
}

int TStrings::IndexOf(const std::string& S) const {
  const auto it = std::find(FLines.begin(), FLines.end(), S);
  return it == FLines.end() ? -1 : static_cast<int>(it - FLines.begin());
}

// --- TComboListPopup --------------------------------------------------------

/// The dropped-down list of a combo box: a top-level window under the box.
class TComboListPopup final : public TCustomControl {
public:
  explicit TComboListPopup(TComboBox& Box) : TCustomControl(nullptr), FBox(Box) {
    SetColor(clWindow);
    // No click events: choosing a line destroys the popup inside its own
    // mouse-up, and nothing may run on it afterwards.
    SetControlStyle((ControlStyle() | csOpaque) & ~(csClickEvents | csDoubleClicks));
  }
  /// The line at client row Y, or -1.
  int LineAt(std::int32_t Y) {
    const std::int32_t line = (Y - 1) / FBox.ItemHeight();
    return Y >= 1 && line < FBox.Items().Count() ? FTopLine + static_cast<int>(line) : -1;
  }
  int FTopLine = 0;

protected:
  void Paint() override {
    TCanvas& canvas = Canvas();
    canvas.Brush().SetColor(clWindow);
    canvas.FillRect(ClientRect());
    const std::int32_t h = FBox.ItemHeight();
    for (int i = FTopLine; i < FBox.Items().Count(); ++i) {
      const std::int32_t top = 1 + (i - FTopLine) * h;
      if (top >= Height()) break;
      const bool selected = i == FBox.ItemIndex();
      canvas.Brush().SetColor(selected ? clHighlight : clWindow);
      canvas.FillRect({1, top, Width() - 1, top + h});
      canvas.Font().SetColor(selected ? clHighlightText : clWindowText);
      canvas.Brush().SetStyle(bsClear);
      canvas.TextOut(3, top + 1, FBox.Items()[i]);
      canvas.Brush().SetStyle(bsSolid);
    }
    DrawEdge(canvas, ClientRect(), clBlack, clBlack);
  }
  void MouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) override {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !ClientRect().Contains({X, Y})) return;
    const int line = LineAt(Y);
    TComboBox& box = FBox;
    box.SetDroppedDown(false); // destroys this popup: nothing after this touches it
    if (line >= 0) box.UserSelect(line);
  }

private:
  TComboBox& FBox;
};

// --- TComboBox --------------------------------------------------------------

TComboBox::TComboBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  SetBounds(0, 0, 145, 23);
  FItems.OnChanged = [this](int Index, int Delta) { ItemsChanged(Index, Delta); };
}

TComboBox::~TComboBox() = default;

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (FStyle == csDropDownList) FText.clear();
  Invalidate();
}

void TComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems.Count()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  if (FItemIndex >= 0) FText = FItems[FItemIndex];
  Invalidate();
  if (FPopup != nullptr) FPopup->Invalidate();
}

std::string TComboBox::Text() const {
  if (FItemIndex >= 0) return FItems[FItemIndex];
  return FStyle == csDropDownList ? std::string() : FText;
}

void TComboBox::SetText(const std::string& Value) {
  const int index = FItems.IndexOf(Value);
  if (FStyle == csDropDownList && index < 0) return;
  FItemIndex = index;
  FText = Value;
  Invalidate();
}

std::int32_t TComboBox::ItemHeight() { return std::max(Canvas().TextHeight("Wg"), 1) + 2; }

void TComboBox::ItemsChanged(int Index, int Delta) {
  if (Index < 0) {
    FItemIndex = -1;
  } else if (FItemIndex >= 0 && Delta < 0 && Index == FItemIndex) {
    FItemIndex = -1;
  } else if (FItemIndex >= 0 && Index <= FItemIndex) {
    FItemIndex += Delta;
  }
  Invalidate();
  if (FPopup != nullptr) SetDroppedDown(false);
}

void TComboBox::UserSelect(int Index) {
  if (Index < 0 || Index >= FItems.Count() || Index == FItemIndex) return;
  SetItemIndex(Index);
  Change();
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

TCustomControl* TComboBox::DropDownList() const noexcept { return FPopup.get(); }

void TComboBox::SetDroppedDown(bool Value) {
  if (Value == DroppedDown()) return;
  if (!Value) {
    FPopup.reset();
    return;
  }
  if (FItems.Count() == 0) return;
  auto popup = std::make_unique<TComboListPopup>(*this);
  const int lines = std::min(FItems.Count(), FDropDownCount);
  popup->FTopLine = std::clamp(FItemIndex - lines + 1, 0, FItems.Count() - lines);
  const TPoint at = ClientToScreen({0, Height()});
  popup->SetBounds(at.X, at.Y, Width(), lines * ItemHeight() + 2);
  popup->HandleNeeded();
  FPopup = std::move(popup);
}

void TComboBox::MouseDown(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) {
  if (Button == mbLeft) SetDroppedDown(!DroppedDown());
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

bool TComboBox::DoMouseWheel(TShiftState Shift, std::int32_t WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  // Turning the wheel away from the user goes up the list.
  if (WheelDelta > 0) UserSelect(FItemIndex < 0 ? 0 : FItemIndex - 1);
  if (WheelDelta < 0) UserSelect(FItemIndex + 1);
  return WheelDelta != 0;
}

void TComboBox::Paint() {
  TCanvas& canvas = Canvas();
  const TRect r = ClientRect();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Enabled() ? Color() : clBtnFace);
  canvas.FillRect(r);
  DrawEdge(canvas, r, clBtnShadow, clBtnHighlight);
  // The drop-down button with its arrow at the right.
  const std::int32_t bw = std::min<std::int32_t>(17, std::max(r.Width() - 2, 0));
  const TRect button{r.Right - 1 - bw, 1, r.Right - 1, r.Bottom - 1};
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(button);
  canvas.Brush().SetColor(Enabled() ? clBlack : clBtnShadow);
  const std::int32_t cx = (button.Left + button.Right) / 2, cy = (button.Top + button.Bottom) / 2 - 1;
  for (std::int32_t i = 0; i < 4; ++i) canvas.FillRect({cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1});
  const std::string text = Text();
  if (!text.empty()) {
    canvas.SetClipRect({2, 2, button.Left, r.Bottom - 2});
    canvas.Font().SetColor(Enabled() ? clWindowText : clBtnShadow);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(4, (r.Height() - canvas.TextHeight(text)) / 2, text);
    canvas.Brush().SetStyle(bsSolid);
    canvas.ResetClipRect();
  }
}

} // namespace zyn
