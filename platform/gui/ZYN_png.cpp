#include "platform/gui/ZYN_png.h"

#include <png.h>

#include "platform/gui/ZYN_bmpcodec.h"

namespace zyn {

namespace {

/// Puts a pixel with straight alpha onto white and makes it opaque.
TPixel OverWhite(TPixel p) {
  const std::uint32_t a = p >> 24;
  if (a == 0xFF) return p;
  TPixel out = 0xFF000000u;
  for (int shift : {0, 8, 16}) {
    const std::uint32_t c = (p >> shift) & 0xFF;
    out |= ((c * a + 255 * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

} // namespace

std::vector<std::uint8_t> EncodePng(const TBitmap& Bitmap) {
  if (Bitmap.Empty()) throw EInvalidGraphic("Cannot write an empty bitmap");
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(Bitmap.Width());
  image.height = static_cast<png_uint_32>(Bitmap.Height());
  image.format = PNG_FORMAT_BGRA; // the byte order of our pixels
  const TSurface s = Bitmap.ConstSurface();
  const png_int_32 stride = s.Stride * 4;
  png_alloc_size_t size = 0;
  std::vector<std::uint8_t> out;
  // The first call measures, the second writes.
  if (png_image_write_to_memory(&image, nullptr, &size, 0, s.Bits, stride, nullptr)) {
    out.resize(size);
    if (png_image_write_to_memory(&image, out.data(), &size, 0, s.Bits, stride, nullptr)) {
      out.resize(size);
      return out;
    }
  }
  throw EInvalidGraphic(std::string("PNG encoding failed: ") + image.message);
}

void SaveBitmapToPng(const TBitmap& Bitmap, const std::string& FileName) {
  const std::vector<std::uint8_t> bytes = EncodePng(Bitmap);
  TFileStream file(FileName, fmCreate);
  file.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void LoadBitmapFromPngBytes(TBitmap& Bitmap, const std::vector<std::uint8_t>& Bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, Bytes.data(), Bytes.size()))
    throw EInvalidGraphic(std::string("PNG image is not valid: ") + image.message);
  if (std::int64_t(image.width) * image.height > MaxBmpPixels) {
    png_image_free(&image);
    throw EInvalidGraphic("PNG image is not valid: picture too large");
  }
  image.format = PNG_FORMAT_BGRA;
  TBitmap decoded(static_cast<std::int32_t>(image.width), static_cast<std::int32_t>(image.height));
  const TSurface s = decoded.Surface();
  if (!png_image_finish_read(&image, nullptr, s.Bits, s.Stride * 4, nullptr))
    throw EInvalidGraphic(std::string("PNG image is not valid: ") + image.message);
  for (std::int32_t y = 0; y < s.Height; ++y)
    for (TPixel* p = s.Row(y); p != s.Row(y) + s.Width; ++p) *p = OverWhite(*p);
  decoded.SetPixelFormat(pf24bit);
  Bitmap.Assign(&decoded);
}

void LoadBitmapFromPng(TBitmap& Bitmap, const std::string& FileName) {
  TMemoryStream file;
  file.LoadFromFile(FileName);
  LoadBitmapFromPngBytes(Bitmap, file.Bytes());
}

} // namespace zyn
