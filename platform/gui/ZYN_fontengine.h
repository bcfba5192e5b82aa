#pragma once
/// \file
/// Fonts for the rasterizer: faces found through Fontconfig, opened with
/// FreeType and shared, sized instances with their glyph caches. GUI thread
/// only, like the rest of the canvas.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gui/ZYN_font.h"

struct FT_FaceRec_;
struct FT_SizeRec_;

namespace zyn::detail {

/// The family every unknown face name resolves to.
inline constexpr const char* FallbackFontFamily = "DejaVu Sans";
/// Em sizes are limited to this many pixels, so that absurd sizes cannot
/// allocate absurd glyph images.
inline constexpr std::int32_t MaxFontPixels = 1000;

/// Anti-aliased coverage of one glyph, placed relative to its origin on the
/// baseline: the first column is Left pixels right of it, the first row Top
/// pixels above it.
struct TGlyphImage {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::vector<std::uint8_t> Coverage; ///< Width · Height values 0..255, row by row
};

/// One face at one pixel size, with its metrics and caches. An invalid
/// instance (no font installed at all) measures and draws nothing.
class TFontInstance {
public:
  TFontInstance() = default;
  TFontInstance(FT_FaceRec_* Face, FT_SizeRec_* Size, std::string Family, const TLogFont& LogFont, bool Embolden,
                bool Oblique);
  TFontInstance(const TFontInstance&) = delete;
  TFontInstance& operator=(const TFontInstance&) = delete;

  bool Valid() const noexcept { return FFace != nullptr; }
  /// The family actually used (the fallback for unknown names).
  const std::string& Family() const noexcept { return FFamily; }
  std::int32_t EmPixels() const noexcept { return FEm; }
  std::int32_t Ascent() const noexcept { return FAscent; }
  std::int32_t Descent() const noexcept { return FDescent; }
  bool Underline() const noexcept { return FUnderline; }
  bool StrikeOut() const noexcept { return FStrikeOut; }
  /// Top of the underline below the baseline, and its thickness.
  std::int32_t UnderlineOffset() const noexcept { return FUnderlineOffset; }
  std::int32_t UnderlineThickness() const noexcept { return FUnderlineThickness; }
  /// Top of the strike-out line above the baseline, and its thickness.
  std::int32_t StrikeOutOffset() const noexcept { return FStrikeOutOffset; }
  std::int32_t StrikeOutThickness() const noexcept { return FStrikeOutThickness; }

  /// Advance of a character in whole pixels (hinted, as the screen shows it).
  std::int32_t Advance(char32_t Ch) const;
  /// The glyph of a character rotated by Escapement (tenths of a degree, counter-clockwise).
  const TGlyphImage& Glyph(char32_t Ch, std::int32_t Escapement) const;

  /// Releases the FreeType size (called by the engine when it drops the instance).
  FT_SizeRec_* SizeHandle() const noexcept { return FSize; }

private:
  bool Load(char32_t Ch, std::int32_t Escapement, TGlyphImage* Image, std::int32_t* Advance) const;
  void ComputeMetrics();

  FT_FaceRec_* FFace = nullptr;
  FT_SizeRec_* FSize = nullptr;
  std::string FFamily;
  std::int32_t FEm = 0;
  std::int32_t FAscent = 0, FDescent = 0;
  bool FUnderline = false, FStrikeOut = false, FEmbolden = false, FOblique = false;
  std::int32_t FUnderlineOffset = 0, FUnderlineThickness = 1;
  std::int32_t FStrikeOutOffset = 0, FStrikeOutThickness = 1;
  mutable std::int32_t FAsciiAdvance[128];
  mutable std::unordered_map<char32_t, std::int32_t> FAdvances;
  mutable std::unordered_map<std::uint64_t, TGlyphImage> FGlyphs;
};

/// The shared instance for a logical font (its escapement is not part of
/// the instance: glyphs are cached per angle).
std::shared_ptr<const TFontInstance> AcquireFontInstance(const TLogFont& LogFont);

} // namespace zyn::detail
