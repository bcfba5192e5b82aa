#pragma once
/// \file
/// Pens: colour, style, raster mode and width of lines and outlines.

#include <cstdint>
#include <string>

#include "platform/ZYN_classes.h"
#include "platform/gui/ZYN_graphics.h"

namespace zyn {

/// Dash pattern of a line. Patterns apply to 1-pixel pens; wider pens draw solid.
enum TPenStyle : std::uint8_t {
  psSolid,      ///< continuous
  psDash,       ///< 18 on, 6 off
  psDot,        ///< 3 on, 3 off
  psDashDot,    ///< 9 on, 6 off, 3 on, 6 off
  psDashDotDot, ///< 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
  psClear,      ///< draws nothing
};

/// How pen pixels combine with the pixels below (the 16 binary raster operations).
enum TPenMode : std::uint8_t {
  pmBlack,       ///< 0
  pmWhite,       ///< 1
  pmNop,         ///< D
  pmNot,         ///< not D
  pmCopy,        ///< P
  pmNotCopy,     ///< not P
  pmMergePenNot, ///< P or not D
  pmMaskPenNot,  ///< P and not D
  pmMergeNotPen, ///< not P or D
  pmMaskNotPen,  ///< not P and D
  pmMerge,       ///< P or D
  pmNotMerge,    ///< not (P or D)
  pmMask,        ///< P and D
  pmNotMask,     ///< not (P and D)
  pmXor,         ///< P xor D
  pmNotXor,      ///< not (P xor D)
};

/// A pen. Width 1 (or less) is a cosmetic pen drawn with the integer line
/// rule; wider pens draw round-capped solid strokes of that width.
class TPen : public TPersistent {
public:
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor Value) noexcept { FColor = Value; }
  TPenStyle Style() const noexcept { return FStyle; }
  void SetStyle(TPenStyle Value) noexcept { FStyle = Value; }
  TPenMode Mode() const noexcept { return FMode; }
  void SetMode(TPenMode Value) noexcept { FMode = Value; }
  std::int32_t Width() const noexcept { return FWidth; }
  /// Widths below 1 become 1.
  void SetWidth(std::int32_t Value) noexcept { FWidth = Value < 1 ? 1 : Value; }

  void Assign(const TPersistent* Source) override;

protected:
  std::string ClassName() const override { return "TPen"; }

private:
  TColor FColor = clBlack;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  std::int32_t FWidth = 1;
};

} // namespace zyn
