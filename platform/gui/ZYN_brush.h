#pragma once
/// \file
/// Brushes: the fill of shapes and the background of text and dash gaps.

#include <cstdint>
#include <string>

#include "platform/ZYN_classes.h"
#include "platform/gui/ZYN_graphics.h"

namespace zyn {

enum TBrushStyle : std::uint8_t {
  bsSolid, ///< fills with the brush colour
  bsClear, ///< hollow: shapes are not filled, text and dash gaps stay transparent
};

class TBrush : public TPersistent {
public:
  TColor Color() const noexcept { return FColor; }
  void SetColor(TColor Value) noexcept { FColor = Value; }
  TBrushStyle Style() const noexcept { return FStyle; }
  void SetStyle(TBrushStyle Value) noexcept { FStyle = Value; }

  void Assign(const TPersistent* Source) override;

protected:
  std::string ClassName() const override { return "TBrush"; }

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

} // namespace zyn
