// Feeds arbitrary bytes to the BMP and JPEG loaders: they must raise their
// error or load a picture, never crash, hang or touch memory they do not own.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  zyn::TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  try {
    zyn::TBitmap bmp;
    stream.SetPosition(0);
    bmp.LoadFromStream(stream);
    // A loaded picture must survive being written again.
    zyn::TMemoryStream out;
    bmp.SetPixelFormat(zyn::pf4bit);
    bmp.SaveToStream(out);
  } catch (const zyn::EInvalidGraphic&) {
  }
  try {
    zyn::TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes);
  } catch (const zyn::EInvalidGraphic&) {
  }
  return 0;
}
