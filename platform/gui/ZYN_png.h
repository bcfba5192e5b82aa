#pragma once
/// \file
/// PNG export and import of bitmaps through libpng, so that any picture can be
/// looked at (and tests can compare pictures with files).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gui/ZYN_bitmap.h"

namespace zyn {

/// Encodes the bitmap as an 8-bit RGB PNG file in memory.
std::vector<std::uint8_t> EncodePng(const TBitmap& Bitmap);
/// Writes the bitmap as a PNG file; raises EInOutError when the file cannot be written.
void SaveBitmapToPng(const TBitmap& Bitmap, const std::string& FileName);
/// Replaces the bitmap's picture with a PNG file (any PNG colour type;
/// transparency is dropped). Bad files raise EInvalidGraphic and leave the bitmap unchanged.
void LoadBitmapFromPng(TBitmap& Bitmap, const std::string& FileName);
void LoadBitmapFromPngBytes(TBitmap& Bitmap, const std::vector<std::uint8_t>& Bytes);

} // namespace zyn
