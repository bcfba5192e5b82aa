#pragma once
/// \file
/// The clipboard of the active backend, holding a bitmap.

#include <cstdint>
#include <string>

#include "platform/ZYN_classes.h"

namespace zyn {

class TBitmap;

/// Clipboard formats.
inline constexpr std::uint16_t CF_BITMAP = 2;

/// The system clipboard. Assign a TBitmap to put a copy of it there; assign
/// the clipboard to a TBitmap to take the picture back.
class TClipboard : public TPersistent {
public:
  /// Puts a copy of a TBitmap on the clipboard; other sources raise EConvertError.
  void Assign(const TPersistent* Source) override;
  /// Whether the clipboard holds data of Format (only CF_BITMAP is known).
  bool HasFormat(std::uint16_t Format) const;
  /// Copies the clipboard's picture into Dest; false, Dest unchanged, when there is none.
  bool GetBitmap(TBitmap& Dest) const;
  void Clear();

protected:
  std::string ClassName() const override { return "TClipboard"; }
  /// Fills a TBitmap; EConvertError when the clipboard holds no picture.
  void AssignTo(TPersistent* Dest) const override;
};

/// The process's clipboard.
TClipboard& Clipboard();

} // namespace zyn
