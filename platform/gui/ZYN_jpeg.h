#pragma once
/// \file
/// TJPEGImage: JPEG files through libjpeg-turbo, convertible to and from TBitmap.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gui/ZYN_bitmap.h"

namespace zyn {

/// A JPEG file that cannot be decoded or a picture that cannot be encoded.
class EJPEG : public EInvalidGraphic {
public:
  using EInvalidGraphic::EInvalidGraphic;
};

/// A JPEG picture, held decoded. Loading a corrupt or truncated file raises
/// EJPEG and leaves the image as it was.
class TJPEGImage : public TPersistent {
public:
  TJPEGImage() = default;
  TJPEGImage(const TJPEGImage&) = delete;
  TJPEGImage& operator=(const TJPEGImage&) = delete;

  std::int32_t Width() const noexcept { return FPicture.Width(); }
  std::int32_t Height() const noexcept { return FPicture.Height(); }
  bool Empty() const noexcept { return FPicture.Empty(); }

  /// Quality 1 to 100 used when saving; 90 by default. Other settings are libjpeg's defaults.
  std::int32_t CompressionQuality() const noexcept { return FQuality; }
  void SetCompressionQuality(std::int32_t Value) noexcept;

  void LoadFromFile(const std::string& FileName);
  void LoadFromStream(TStream& Stream);
  void LoadFromBytes(const std::vector<std::uint8_t>& Bytes);
  void SaveToFile(const std::string& FileName) const;
  void SaveToStream(TStream& Stream) const;

  /// Takes the picture of a TBitmap or of another TJPEGImage.
  void Assign(const TPersistent* Source) override;

  /// Fired while a file decodes or encodes, with libjpeg's progress; Sender is this image.
  TProgressEvent OnProgress;

protected:
  /// Gives the picture to a TBitmap (which becomes 24-bit).
  void AssignTo(TPersistent* Dest) const override;
  std::string ClassName() const override { return "TJPEGImage"; }

private:
  void Progress(TProgressStage Stage, std::int32_t Percent) const;

  TBitmap FPicture;
  std::int32_t FQuality = 90;
};

} // namespace zyn
