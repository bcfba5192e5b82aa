#include "platform/gui/ZYN_bitmap.h"

#include <algorithm>

#include "platform/gui/ZYN_bmpcodec.h"
#include "platform/gui/ZYN_canvas.h"
#include "platform/gui/ZYN_resources.h"

namespace zyn {

namespace {
constexpr std::int64_t MaxBitmapPixels = std::int64_t(1) << 28;
constexpr TPixel WhitePixel = ColorToPixel(clWhite);
} // namespace

std::int32_t PixelFormatBits(TPixelFormat Format) noexcept {
  switch (Format) {
  case pf1bit: return 1;
  case pf4bit: return 4;
  case pf8bit: return 8;
  case pf15bit: return 15;
  case pf16bit: return 16;
  case pf24bit: return 24;
  case pfDevice:
  case pf32bit: return 32;
  }
  return 32;
}

static TPixelFormat PixelFormatOfBits(std::int32_t Bits) {
  switch (Bits) {
  case 1: return pf1bit;
  case 4: return pf4bit;
  case 8: return pf8bit;
  case 15: return pf15bit;
  case 16: return pf16bit;
  case 24: return pf24bit;
  default: return pf32bit;
  }
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(std::int32_t AWidth, std::int32_t AHeight) { SetSize(AWidth, AHeight); }

TBitmap::TBitmap(TBitmap&& Other) noexcept
    : TPersistent(), TCanvasTarget(), OnProgress(std::move(Other.OnProgress)), FWidth(Other.FWidth),
      FHeight(Other.FHeight), FPixelFormat(Other.FPixelFormat), FPixels(std::move(Other.FPixels)) {
  Other.FPixels.clear();
  Other.FWidth = 0;
  Other.FHeight = 0;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(std::int32_t AWidth, std::int32_t AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  if (std::int64_t(AWidth) * AHeight > MaxBitmapPixels)
    throw EInvalidGraphic("Bitmap of " + std::to_string(AWidth) + " x " + std::to_string(AHeight) +
                          " pixels is too large");
  std::vector<TPixel> pixels(static_cast<std::size_t>(AWidth) * static_cast<std::size_t>(AHeight), WhitePixel);
  const std::int32_t keepW = std::min(AWidth, FWidth);
  const std::int32_t keepH = std::min(AHeight, FHeight);
  for (std::int32_t y = 0; y < keepH; ++y)
    std::copy_n(FPixels.data() + std::size_t(y) * FWidth, keepW, pixels.data() + std::size_t(y) * AWidth);
  FPixels = std::move(pixels);
  FWidth = AWidth;
  FHeight = AHeight;
}

TPixel* TBitmap::ScanLine(std::int32_t Row) { return FPixels.data() + std::size_t(Row) * FWidth; }

const TPixel* TBitmap::ScanLine(std::int32_t Row) const { return FPixels.data() + std::size_t(Row) * FWidth; }

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(this);
  return FCanvas.get();
}

TSurface TBitmap::Surface() { return {FPixels.data(), FWidth, FHeight, FWidth}; }

TSurface TBitmap::ConstSurface() const noexcept {
  // The surface type has no const view; callers of this one only read.
  return {const_cast<TPixel*>(FPixels.data()), FWidth, FHeight, FWidth};
}

void TBitmap::Assign(const TPersistent* Source) {
  if (Source == nullptr) {
    SetSize(0, 0);
    return;
  }
  if (const auto* other = dynamic_cast<const TBitmap*>(Source)) {
    if (other == this) return;
    FPixels = other->FPixels;
    FWidth = other->FWidth;
    FHeight = other->FHeight;
    FPixelFormat = other->FPixelFormat;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void FireProgress(const TProgressEvent& Event, TPersistent* Sender, TProgressStage Stage, std::int32_t Percent,
                  const TRect& Area) {
  if (Event) Event(Sender, Stage, static_cast<std::uint8_t>(std::clamp(Percent, 0, 100)), false, Area, std::string());
}

std::vector<std::uint8_t> ReadToEnd(TStream& Stream) {
  const std::int64_t left = Stream.Size() - Stream.Position();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<std::int64_t>(left, 0)));
  Stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return bytes;
}

void TBitmap::Progress(TProgressStage Stage, std::int32_t Percent) const {
  FireProgress(OnProgress, const_cast<TBitmap*>(this), Stage, Percent, Rect(0, 0, FWidth, FHeight));
}

void TBitmap::LoadFromBytes(const std::vector<std::uint8_t>& Bytes) {
  Progress(psStarting, 0);
  TBmpImage img = DecodeBmp(Bytes, [this](std::int32_t done, std::int32_t total) {
    Progress(psRunning, static_cast<std::int32_t>(std::int64_t(done) * 100 / total));
  });
  FPixels = std::move(img.Pixels);
  FWidth = img.Width;
  FHeight = img.Height;
  FPixelFormat = PixelFormatOfBits(img.BitCount);
  Progress(psEnding, 100);
  Changed();
}

void TBitmap::LoadFromStream(TStream& Stream) { LoadFromBytes(ReadToEnd(Stream)); }

void TBitmap::LoadFromFile(const std::string& FileName) {
  TFileStream file(FileName, fmOpenRead);
  LoadFromStream(file);
}

void TBitmap::SaveToStream(TStream& Stream) const {
  Progress(psStarting, 0);
  const std::vector<std::uint8_t> bytes =
      EncodeBmp(ConstSurface(), PixelFormatBits(FPixelFormat), [this](std::int32_t done, std::int32_t total) {
        Progress(psRunning, static_cast<std::int32_t>(std::int64_t(done) * 100 / total));
      });
  Stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  Progress(psEnding, 100);
}

void TBitmap::SaveToFile(const std::string& FileName) const {
  TFileStream file(FileName, fmCreate);
  SaveToStream(file);
}

void TBitmap::LoadFromResourceName(const std::string& Name) {
  const auto data = LoadResource(RT_BITMAP, Name);
  LoadFromBytes(std::vector<std::uint8_t>(data.begin(), data.end()));
}

} // namespace zyn
