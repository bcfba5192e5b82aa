#pragma once
/// \file
/// TBitmap: a picture of 32-bit pixels in memory with a requested file pixel
/// format, BMP loading and saving, and a progress event for the codecs.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ZYN_classes.h"
#include "platform/ZYN_streams.h"
#include "platform/ZYN_sysutils.h"
#include "platform/gui/ZYN_graphics.h"

namespace zyn {

class TCanvas;

/// A picture file that cannot be decoded or a picture that cannot be encoded.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

/// The pixel format a bitmap is saved in. Pixels in memory are always 32-bit;
/// pfDevice means 32 bits.
enum TPixelFormat : std::uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

/// Bits per pixel of a format as written to a file (15 for 5-5-5, 16 for 5-6-5).
std::int32_t PixelFormatBits(TPixelFormat Format) noexcept;

enum TProgressStage : std::uint8_t { psStarting, psRunning, psEnding };

/// Progress of loading or saving a picture: the picture, the stage, the
/// percentage done, whether a redraw is advised, the area now valid and a
/// message (empty).
using TProgressEvent = std::function<void(TPersistent* Sender, TProgressStage Stage, std::uint8_t PercentDone,
                                          bool RedrawNow, const TRect& R, const std::string& Msg)>;

/// Calls Event, when assigned, with a percentage clamped to 0..100 and the
/// whole picture Area as the valid area.
void FireProgress(const TProgressEvent& Event, TPersistent* Sender, TProgressStage Stage, std::int32_t Percent,
                  const TRect& Area);

/// The bytes from the stream's position to its end (picture loaders read whole files).
std::vector<std::uint8_t> ReadToEnd(TStream& Stream);

/// A bitmap. New pixels are white. Resizing keeps the pixels of the common
/// top-left area. The requested pixel format is kept and used when saving.
class TBitmap : public TPersistent, public TCanvasTarget {
public:
  TBitmap();
  TBitmap(std::int32_t AWidth, std::int32_t AHeight);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  /// Takes the picture, pixel format and progress handler of Other (which
  /// becomes empty); the canvas is not taken, this bitmap makes its own.
  TBitmap(TBitmap&& Other) noexcept;

  std::int32_t Width() const noexcept { return FWidth; }
  std::int32_t Height() const noexcept { return FHeight; }
  /// Negative sizes count as 0. Sizes beyond 2^28 pixels raise EInvalidGraphic.
  void SetWidth(std::int32_t Value) { SetSize(Value, FHeight); }
  void SetHeight(std::int32_t Value) { SetSize(FWidth, Value); }
  void SetSize(std::int32_t AWidth, std::int32_t AHeight);
  bool Empty() const noexcept { return FWidth == 0 || FHeight == 0; }

  TPixelFormat PixelFormat() const noexcept { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value) noexcept { FPixelFormat = Value; }

  /// The pixels of row Row (0 at the top); Row must lie inside the bitmap.
  TPixel* ScanLine(std::int32_t Row);
  const TPixel* ScanLine(std::int32_t Row) const;
  TSurface Surface() override;
  /// The canvas drawing on this bitmap, made on first use and kept for the
  /// bitmap's life (resizing and loading keep it).
  TCanvas* Canvas();
  /// A read-only view (the pixels must not be changed through it).
  TSurface ConstSurface() const noexcept;

  /// Takes a copy of another bitmap (pixels, size and pixel format), or asks
  /// Source to assign itself (JPEG images); nullptr empties the bitmap.
  void Assign(const TPersistent* Source) override;

  /// Loads a BMP file. A file that cannot be decoded raises EInvalidGraphic
  /// and leaves the bitmap unchanged; the pixel format becomes the file's.
  void LoadFromFile(const std::string& FileName);
  void LoadFromStream(TStream& Stream);
  /// Saves as a BMP file in the requested pixel format.
  void SaveToFile(const std::string& FileName) const;
  void SaveToStream(TStream& Stream) const;
  /// Loads the BMP file compiled in under Name (see ZYN_resources.h);
  /// raises EResNotFound when there is none.
  void LoadFromResourceName(const std::string& Name);

  /// Fired while a file loads or saves; Sender is this bitmap.
  TProgressEvent OnProgress;

protected:
  std::string ClassName() const override { return "TBitmap"; }

private:
  void LoadFromBytes(const std::vector<std::uint8_t>& Bytes);
  void Progress(TProgressStage Stage, std::int32_t Percent) const;

  std::int32_t FWidth = 0;
  std::int32_t FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  std::vector<TPixel> FPixels;
  std::unique_ptr<TCanvas> FCanvas;
};

} // namespace zyn
