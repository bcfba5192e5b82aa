#pragma once
/// \file
/// Standard controls: a panel, a speed button and a combo box, all drawn by
/// this library on their own surfaces.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_controls.h"

namespace zyn {

/// Colours of raised and sunken edges and of edit fields.
inline constexpr TColor clBtnHighlight = clWhite;
inline constexpr TColor clBtnShadow = 0xA0A0A0;
inline constexpr TColor clWindow = clWhite;
inline constexpr TColor clWindowText = clBlack;
inline constexpr TColor clHighlight = 0xD77800;
inline constexpr TColor clHighlightText = clWhite;

/// The look of a panel's outer edge.
enum TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

/// A container with a face colour, an optional bevel and a centred caption.
class TPanel : public TCustomControl {
public:
  /// 185 × 41, raised bevel, face colour clBtnFace.
  explicit TPanel(TComponent* AOwner);
  TPanelBevel BevelOuter() const noexcept { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);

protected:
  std::string ClassName() const override { return "TPanel"; }
  void Paint() override;

private:
  TPanelBevel FBevelOuter = bvRaised;
};

/// A button without a window. With a group index above 0 it stays down when
/// clicked and releases the other buttons of its group (same parent, same
/// index), so that exactly one of them is down; AllowAllUp lets a click
/// release the down button too. A group index of 0 never stays down.
class TSpeedButton : public TGraphicControl {
public:
  /// 23 × 22, not flat, group 0.
  explicit TSpeedButton(TComponent* AOwner);

  bool Flat() const noexcept { return FFlat; }
  /// A flat button shows its parent's face and an edge only under the mouse or when down.
  void SetFlat(bool Value);
  std::int32_t GroupIndex() const noexcept { return FGroupIndex; }
  void SetGroupIndex(std::int32_t Value);
  bool AllowAllUp() const noexcept { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) noexcept { FAllowAllUp = Value; }
  bool Down() const noexcept { return FDown; }
  /// Ignored for group 0, and for releasing the down button of a group that
  /// does not allow all up; pressing releases the others of the group.
  void SetDown(bool Value);

  /// The glyph strip: NumGlyphs images side by side (up, disabled, pressed,
  /// down). The colour of an image's bottom-left pixel is transparent.
  TBitmap& Glyph() noexcept { return FGlyph; }
  void SetGlyph(const TBitmap* Value);
  std::int32_t NumGlyphs() const noexcept { return FNumGlyphs; }
  /// Clamped to 1..4.
  void SetNumGlyphs(std::int32_t Value);
  /// Which glyph image the button shows now (0-based).
  std::int32_t GlyphIndex() const noexcept;

  /// Raises OnClick, as a click with the mouse does after it has updated Down.
  void Click() override;

protected:
  std::string ClassName() const override { return "TSpeedButton"; }
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) override;
  void MouseMove(TShiftState Shift, std::int32_t X, std::int32_t Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

private:
  void ReleaseGroup();
  void DrawGlyph(TPoint At);
  void SetPressed(bool Value);

  TBitmap FGlyph;
  std::int32_t FNumGlyphs = 1;
  std::int32_t FGroupIndex = 0;
  bool FFlat = false;
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FTracking = false; ///< the left button went down on the button
  bool FPressed = false;  ///< tracking and the mouse is inside
  bool FMouseInside = false;
};

/// A list of text lines; changes are reported to its holder.
class TStrings {
public:
  int Count() const noexcept { return static_cast<int>(FLines.size()); }
  /// Line Index (0-based); std::out_of_range outside.
  const std::string& Strings(int Index) const { return FLines.at(static_cast<std::size_t>(Index)); }
  const std::string& operator[](int Index) const { return Strings(Index); }
  /// Appends a line; returns its index.
  int Add(const std::string& S);
  /// Inserts before Index (0..Count); std::out_of_range outside.
  void Insert(int Index, const std::string& S);
  /// Removes line Index; std::out_of_range outside.
  void Delete(int Index);
  void Clear();
  /// The first line equal to S, or -1.
  int IndexOf(const std::string& S) const;

  /// Told after every change: the line inserted (+1), removed (-1) or all cleared (0 with Index -1).
  std::function<void(int Index, int Delta)> OnChanged;

private:
  std::vector<std::string> FLines;
};

enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList };

class TComboListPopup;

/// A combo box. In the drop-down-list style the text is always the selected
/// line. The user changes the selection with the wheel or by clicking a line
/// of the list that a click on the box drops down; that raises OnChange.
/// Setting ItemIndex from code does not.
class TComboBox : public TCustomControl {
public:
  /// 145 × 23, drop-down style, nothing selected.
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;

  TComboBoxStyle Style() const noexcept { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  TStrings& Items() noexcept { return FItems; }
  const TStrings& Items() const noexcept { return FItems; }
  /// The selected line, -1 for none.
  int ItemIndex() const noexcept { return FItemIndex; }
  /// Values outside -1..Count-1 select nothing.
  void SetItemIndex(int Value);
  /// The selected line's text; in the drop-down style also free text.
  std::string Text() const;
  /// Sets free text (drop-down style) or selects the line equal to Value.
  void SetText(const std::string& Value);
  /// Lines shown at most in the dropped-down list.
  int DropDownCount() const noexcept { return FDropDownCount; }
  void SetDropDownCount(int Value) noexcept { FDropDownCount = Value < 1 ? 1 : Value; }
  /// Height of one line of the list.
  std::int32_t ItemHeight();

  bool DroppedDown() const noexcept { return FPopup != nullptr; }
  /// Opens the list under the box (a top-level window) or closes it.
  void SetDroppedDown(bool Value);
  /// The dropped-down list, nullptr while closed.
  TCustomControl* DropDownList() const noexcept;

  TNotifyEvent OnChange;

protected:
  std::string ClassName() const override { return "TComboBox"; }
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, std::int32_t X, std::int32_t Y) override;
  bool DoMouseWheel(TShiftState Shift, std::int32_t WheelDelta, TPoint MousePos) override;
  /// Raises OnChange.
  virtual void Change();

private:
  friend class TComboListPopup;
  /// A selection made by the user: stores it and raises OnChange when it differs.
  void UserSelect(int Index);
  void ItemsChanged(int Index, int Delta);

  TStrings FItems;
  TComboBoxStyle FStyle = csDropDown;
  int FItemIndex = -1;
  int FDropDownCount = 8;
  std::string FText;
  std::unique_ptr<TComboListPopup> FPopup;
};

} // namespace zyn
