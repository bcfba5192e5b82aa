#include "platform/gui/ZYN_clipbrd.h"

#include <algorithm>

#include "platform/gui/ZYN_backend.h"
#include "platform/gui/ZYN_bitmap.h"

namespace zyn {

void TClipboard::Assign(const TPersistent* Source) {
  const auto* bitmap = dynamic_cast<const TBitmap*>(Source);
  if (bitmap == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  TImageBuffer image;
  image.Width = bitmap->Width();
  image.Height = bitmap->Height();
  image.Pixels.reserve(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
  for (std::int32_t y = 0; y < image.Height; ++y) {
    const TPixel* row = bitmap->ScanLine(y);
    image.Pixels.insert(image.Pixels.end(), row, row + image.Width);
  }
  ActiveBackend().SetClipboardImage(image);
}

bool TClipboard::HasFormat(std::uint16_t Format) const {
  TImageBuffer image;
  return Format == CF_BITMAP && ActiveBackend().GetClipboardImage(image);
}

bool TClipboard::GetBitmap(TBitmap& Dest) const {
  TImageBuffer image;
  if (!ActiveBackend().GetClipboardImage(image)) return false;
  // A backend's picture of the wrong size is not trusted.
  if (image.Width < 0 || image.Height < 0 ||
      image.Pixels.size() != static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
    return false;
  Dest.SetSize(image.Width, image.Height);
  for (std::int32_t y = 0; y < image.Height; ++y)
    std::copy_n(image.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.Width, image.Width, Dest.ScanLine(y));
  return true;
}

void TClipboard::Clear() { ActiveBackend().ClearClipboard(); }

void TClipboard::AssignTo(TPersistent* Dest) const {
  auto* bitmap = dynamic_cast<TBitmap*>(Dest);
  if (bitmap == nullptr) {
    TPersistent::AssignTo(Dest);
    return;
  }
  if (!GetBitmap(*bitmap)) throw EConvertError("The clipboard holds no picture");
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

} // namespace zyn
