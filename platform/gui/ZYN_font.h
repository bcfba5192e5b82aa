#pragma once
/// \file
/// Fonts: the face, size, colour and styles of text, and the logical-font
/// record through which rotated fonts are made.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/ZYN_classes.h"
#include "platform/gui/ZYN_graphics.h"

namespace zyn {

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

/// A set of font styles.
struct TFontStyles {
  std::uint8_t Bits = 0;
  constexpr TFontStyles() noexcept = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> Styles) noexcept {
    for (TFontStyle s : Styles) Include(s);
  }
  constexpr bool Contains(TFontStyle s) const noexcept { return Bits & (1u << s); }
  constexpr TFontStyles& Include(TFontStyle s) noexcept { Bits = std::uint8_t(Bits | (1u << s)); return *this; }
  constexpr TFontStyles& Exclude(TFontStyle s) noexcept { Bits = std::uint8_t(Bits & ~(1u << s)); return *this; }
  constexpr bool Empty() const noexcept { return Bits == 0; }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;
};

inline constexpr std::int32_t FW_NORMAL = 400;
inline constexpr std::int32_t FW_BOLD = 700;
inline constexpr std::uint8_t DEFAULT_CHARSET = 1;
inline constexpr std::uint8_t ANTIALIASED_QUALITY = 4;

/// Logical-font record. Height < 0 is the em height in pixels, Height > 0 the
/// cell height (ascent + descent), 0 a default size. Escapement is the angle
/// of the baseline in tenths of a degree, counter-clockwise on the screen;
/// text is drawn along the escapement (Orientation is kept, as in the
/// compatible graphics mode, but does not rotate glyphs on its own). Width,
/// character set, precisions, quality and pitch are kept but not used: text
/// is always anti-aliased.
struct TLogFont {
  std::int32_t lfHeight = 0;
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = FW_NORMAL;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = DEFAULT_CHARSET;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = 0;
  std::uint8_t lfPitchAndFamily = 0;
  std::string lfFaceName; ///< UTF-8
  friend bool operator==(const TLogFont&, const TLogFont&) = default;
};

/// A font made from a logical-font record. It is a value: nothing to release.
struct TFontHandle {
  TLogFont LogFont;
};

namespace detail {
class TFontInstance;
}

/// Screen resolution that point sizes refer to.
inline constexpr std::int32_t FontPixelsPerInch = 96;

/// A font. Unknown face names (e.g. "MS Sans Serif") fall back to DejaVu Sans.
/// Setting the name, size, height or styles gives an unrotated font again;
/// the colour is not part of the handle and leaves it as it is.
class TFont : public TPersistent {
public:
  TFont();
  ~TFont() override;
  TFont(const TFont& Other);
  TFont& operator=(const TFont& Other);

  const std::string& Name() const noexcept { return FLogFont.lfFaceName; }
  void SetName(const std::string& Value);
  /// Size in points at 96 pixels per inch: -Height · 72 / 96, rounded.
  std::int32_t Size() const noexcept;
  /// Sets Height to -Size · 96 / 72, rounded.
  void SetSize(std::int32_t Value);
  std::int32_t Height() const noexcept { return FLogFont.lfHeight; }
  void SetHeight(std::int32_t Value);
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor Value) noexcept { FColor = Value; }
  TFontStyles Style() const noexcept;
  void SetStyle(TFontStyles Value);

  /// The logical-font record of the font.
  const TLogFont& LogFont() const noexcept { return FLogFont; }
  /// The font as a handle; GetObject reads its record.
  TFontHandle Handle() const { return {FLogFont}; }
  /// Makes this the font of Value's record (name, height, styles, rotation).
  void SetHandle(const TFontHandle& Value);

  void Assign(const TPersistent* Source) override;

  /// The rasterizer's face and size for this font (resolved once, then cached).
  const detail::TFontInstance& Instance() const;

protected:
  std::string ClassName() const override { return "TFont"; }

private:
  void Reset(const TLogFont& LogFont);

  TLogFont FLogFont;
  TColor FColor = clBlack;
  mutable std::shared_ptr<const detail::TFontInstance> FInstance;
};

/// Fills LogFont with the record of Font's handle; returns true.
bool GetObject(const TFont& Font, TLogFont& LogFont);
/// Creates a font from a logical-font record; assign it with TFont::SetHandle.
TFontHandle CreateFontIndirect(const TLogFont& LogFont);

} // namespace zyn
