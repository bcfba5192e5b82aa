#include "platform/gui/ZYN_bmpcodec.h"

#include <algorithm>
#include <bit>
#include <string>
#include <unordered_set>

#include "platform/gui/ZYN_bitmap.h"

namespace zyn {

const TColor StandardPalette16[16] = {
    clBlack, clMaroon, clGreen, clOlive, clNavy,    clPurple, clTeal, clSilver,
    clGray,  clRed,    clLime,  clYellow, clBlue,   clFuchsia, clAqua, clWhite,
};

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;
constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t InfoHeaderSize = 40;
constexpr TPixel Opaque = 0xFF000000u;

[[noreturn]] void Fail(const std::string& why) { throw EInvalidGraphic("Bitmap image is not valid: " + why); }

std::uint16_t Get16(std::span<const std::uint8_t> d, std::size_t at) {
  if (at + 2 > d.size()) Fail("unexpected end of file");
  return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}

std::uint32_t Get32(std::span<const std::uint8_t> d, std::size_t at) {
  if (at + 4 > d.size()) Fail("unexpected end of file");
  return std::uint32_t(d[at]) | (std::uint32_t(d[at + 1]) << 8) | (std::uint32_t(d[at + 2]) << 16) |
         (std::uint32_t(d[at + 3]) << 24);
}

/// One channel of a bit-field pixel: where it sits and how to widen it to 8 bits.
struct TChannel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  std::uint32_t Max = 0;
  std::uint32_t Extract(std::uint32_t px) const {
    if (Max == 0) return 0;
    return (((px & Mask) >> Shift) * 255 + Max / 2) / Max;
  }
  static TChannel From(std::uint32_t mask) {
    TChannel c;
    c.Mask = mask;
    if (mask != 0) {
      c.Shift = std::countr_zero(mask);
      c.Max = mask >> c.Shift;
    }
    return c;
  }
};

struct TBitFields {
  TChannel R, G, B;
  TPixel Convert(std::uint32_t px) const {
    return Opaque | (R.Extract(px) << 16) | (G.Extract(px) << 8) | B.Extract(px);
  }
};

/// Everything the headers say about the pixel data.
struct THeader {
  std::int64_t Width = 0;
  std::int64_t Height = 0;
  bool TopDown = false;
  std::uint32_t BitCount = 0;
  std::uint32_t Compression = BI_RGB;
  TBitFields Fields;
  std::vector<TPixel> Palette;
  std::size_t PixelOffset = 0;
};

void ReadPalette(std::span<const std::uint8_t> d, std::size_t at, std::size_t count, std::size_t entrySize,
                 THeader& h) {
  if (at > d.size() || count * entrySize > d.size() - at) Fail("colour table is truncated");
  h.Palette.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = d.data() + at + i * entrySize;
    h.Palette[i] = Opaque | (TPixel(e[2]) << 16) | (TPixel(e[1]) << 8) | e[0];
  }
}

THeader ReadHeaders(std::span<const std::uint8_t> d) {
  if (d.size() < FileHeaderSize + CoreHeaderSize || d[0] != 'B' || d[1] != 'M') Fail("no bitmap file header");
  THeader h;
  const std::uint32_t offBits = Get32(d, 10);
  const std::uint32_t hdrSize = Get32(d, FileHeaderSize);
  const std::size_t hdr = FileHeaderSize;
  std::size_t paletteEntry = 4;
  std::uint32_t clrUsed = 0;
  std::size_t afterHeader = hdr + hdrSize;
  if (hdrSize == CoreHeaderSize) {
    h.Width = Get16(d, hdr + 4);
    h.Height = Get16(d, hdr + 6);
    h.BitCount = Get16(d, hdr + 10);
    paletteEntry = 3;
  } else if (hdrSize == InfoHeaderSize || hdrSize == 52 || hdrSize == 56 || hdrSize == 108 || hdrSize == 124) {
    h.Width = static_cast<std::int32_t>(Get32(d, hdr + 4));
    h.Height = static_cast<std::int32_t>(Get32(d, hdr + 8));
    h.BitCount = Get16(d, hdr + 14);
    h.Compression = Get32(d, hdr + 16);
    clrUsed = Get32(d, hdr + 32);
    if (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) {
      // Masks sit inside the larger headers and right after the plain info header.
      const std::size_t masksAt = hdr + InfoHeaderSize;
      h.Fields = {TChannel::From(Get32(d, masksAt)), TChannel::From(Get32(d, masksAt + 4)),
                  TChannel::From(Get32(d, masksAt + 8))};
      if (hdrSize == InfoHeaderSize) afterHeader += h.Compression == BI_ALPHABITFIELDS ? 16 : 12;
    }
  } else {
    Fail("unsupported header size " + std::to_string(hdrSize));
  }
  if (h.Height < 0) {
    h.TopDown = true;
    h.Height = -h.Height;
  }
  if (h.Width <= 0 || h.Height <= 0) Fail("empty picture");
  if (h.Width * h.Height > MaxBmpPixels) Fail("picture too large");

  const bool indexed = h.BitCount == 1 || h.BitCount == 4 || h.BitCount == 8;
  const bool valid = (h.Compression == BI_RGB && (indexed || h.BitCount == 16 || h.BitCount == 24 || h.BitCount == 32)) ||
                     (h.Compression == BI_RLE8 && h.BitCount == 8) || (h.Compression == BI_RLE4 && h.BitCount == 4) ||
                     ((h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) &&
                      (h.BitCount == 16 || h.BitCount == 32));
  if (!valid) Fail("unsupported compression " + std::to_string(h.Compression) + " at " +
                   std::to_string(h.BitCount) + " bits per pixel");
  if (h.Compression == BI_RGB && h.BitCount == 16)
    h.Fields = {TChannel::From(0x7C00), TChannel::From(0x03E0), TChannel::From(0x001F)};

  if (indexed) {
    const std::size_t full = std::size_t(1) << h.BitCount;
    std::size_t count = (clrUsed == 0 || clrUsed > full) ? full : clrUsed;
    // A short colour table ends where the pixel data starts (core headers
    // have no count of their own).
    if (offBits > afterHeader && offBits < d.size()) count = std::min(count, (offBits - afterHeader) / paletteEntry);
    ReadPalette(d, afterHeader, count, paletteEntry, h);
    afterHeader += count * paletteEntry;
  }
  // Some writers leave the offset at 0 or point it into the headers; the
  // data then follows the colour table directly.
  h.PixelOffset = (offBits >= afterHeader && offBits < d.size()) ? offBits : afterHeader;
  if (h.PixelOffset >= d.size()) Fail("no pixel data");
  return h;
}

/// Throttles progress reports to about 1 in 32 rows.
class TRowReporter {
public:
  TRowReporter(const TBmpProgress& p, std::int32_t total) : FProgress(p), FTotal(total), FStep(std::max(1, total / 32)) {}
  void Row(std::int32_t done) {
    if (FProgress && (done % FStep == 0 || done == FTotal)) FProgress(done, FTotal);
  }

private:
  const TBmpProgress& FProgress;
  std::int32_t FTotal;
  std::int32_t FStep;
};

TPixel PaletteColour(const THeader& h, std::uint32_t index) {
  // Indices beyond the colour table show black.
  return index < h.Palette.size() ? h.Palette[index] : Opaque;
}

void DecodeRow(const THeader& h, const std::uint8_t* src, TPixel* dst) {
  const auto w = static_cast<std::size_t>(h.Width);
  switch (h.BitCount) {
  case 1:
  case 4:
  case 8: {
    const unsigned bits = h.BitCount;
    const unsigned perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::size_t x = 0; x < w; ++x) {
      const unsigned shift = 8 - bits * (1 + x % perByte);
      dst[x] = PaletteColour(h, (src[x / perByte] >> shift) & mask);
    }
    break;
  }
  case 16:
    for (std::size_t x = 0; x < w; ++x) dst[x] = h.Fields.Convert(src[2 * x] | (src[2 * x + 1] << 8));
    break;
  case 24:
    for (std::size_t x = 0; x < w; ++x)
      dst[x] = Opaque | (TPixel(src[3 * x + 2]) << 16) | (TPixel(src[3 * x + 1]) << 8) | src[3 * x];
    break;
  case 32:
    if (h.Compression == BI_RGB) {
      // The fourth byte is reserved; pixels stay opaque.
      for (std::size_t x = 0; x < w; ++x)
        dst[x] = Opaque | (TPixel(src[4 * x + 2]) << 16) | (TPixel(src[4 * x + 1]) << 8) | src[4 * x];
    } else {
      for (std::size_t x = 0; x < w; ++x) {
        const std::uint32_t px = std::uint32_t(src[4 * x]) | (std::uint32_t(src[4 * x + 1]) << 8) |
                                 (std::uint32_t(src[4 * x + 2]) << 16) | (std::uint32_t(src[4 * x + 3]) << 24);
        dst[x] = h.Fields.Convert(px);
      }
    }
    break;
  }
}

std::size_t OutputRow(const THeader& h, std::int64_t fileRow) {
  return static_cast<std::size_t>(h.TopDown ? fileRow : h.Height - 1 - fileRow);
}

void DecodeUncompressed(std::span<const std::uint8_t> d, const THeader& h, TBmpImage& img, const TBmpProgress& p) {
  const std::int64_t rowBytes = (h.Width * h.BitCount + 31) / 32 * 4;
  if (rowBytes * h.Height > static_cast<std::int64_t>(d.size() - h.PixelOffset)) Fail("pixel data is truncated");
  TRowReporter report(p, static_cast<std::int32_t>(h.Height));
  for (std::int64_t r = 0; r < h.Height; ++r) {
    DecodeRow(h, d.data() + h.PixelOffset + r * rowBytes, img.Pixels.data() + OutputRow(h, r) * h.Width);
    report.Row(static_cast<std::int32_t>(r + 1));
  }
}

/// Run-length decoding into palette indices; skipped pixels keep index 0.
class TRleDecoder {
public:
  TRleDecoder(std::span<const std::uint8_t> d, const THeader& h)
      : FData(d), FPos(h.PixelOffset), FHeader(h),
        FIndices(static_cast<std::size_t>(h.Width * h.Height), 0) {}

  std::vector<std::uint8_t> Run(const TBmpProgress& p) {
    TRowReporter report(p, static_cast<std::int32_t>(FHeader.Height));
    const bool four = FHeader.Compression == BI_RLE4;
    while (FY < FHeader.Height) {
      const std::uint8_t count = Next();
      const std::uint8_t value = Next();
      if (count > 0) {
        for (unsigned i = 0; i < count; ++i) Put(four ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
      } else if (value == 0) {
        NewLine(report);
      } else if (value == 1) {
        break;
      } else if (value == 2) {
        FX += Next();
        const std::uint8_t dy = Next();
        for (unsigned i = 0; i < dy && FY < FHeader.Height; ++i) NewLine(report, false);
      } else {
        Absolute(value, four);
      }
    }
    report.Row(static_cast<std::int32_t>(FHeader.Height));
    return std::move(FIndices);
  }

private:
  std::uint8_t Next() {
    if (FPos >= FData.size()) Fail("run-length data is truncated");
    return FData[FPos++];
  }
  void Put(std::uint8_t index) {
    if (FX < FHeader.Width && FY < FHeader.Height) FIndices[OutputRow(FHeader, FY) * FHeader.Width + FX] = index;
    ++FX;
  }
  void NewLine(TRowReporter& report, bool resetX = true) {
    ++FY;
    if (resetX) FX = 0;
    report.Row(static_cast<std::int32_t>(std::min(FY, FHeader.Height)));
  }
  void Absolute(unsigned count, bool four) {
    const std::size_t bytes = four ? (count + 1) / 2 : count;
    if (bytes > FData.size() - FPos) Fail("run-length data is truncated");
    for (unsigned i = 0; i < count; ++i) {
      const std::uint8_t b = FData[FPos + (four ? i / 2 : i)];
      Put(four ? (i % 2 == 0 ? b >> 4 : b & 0x0F) : b);
    }
    FPos += bytes + bytes % 2; // runs are padded to 16 bits
  }

  std::span<const std::uint8_t> FData;
  std::size_t FPos;
  const THeader& FHeader;
  std::vector<std::uint8_t> FIndices;
  std::int64_t FX = 0;
  std::int64_t FY = 0;
};

void DecodeRle(std::span<const std::uint8_t> d, const THeader& h, TBmpImage& img, const TBmpProgress& p) {
  const std::vector<std::uint8_t> indices = TRleDecoder(d, h).Run(p);
  for (std::size_t i = 0; i < indices.size(); ++i) img.Pixels[i] = PaletteColour(h, indices[i]);
}

} // namespace

TBmpImage DecodeBmp(std::span<const std::uint8_t> Data, const TBmpProgress& Progress) {
  const THeader h = ReadHeaders(Data);
  TBmpImage img;
  img.Width = static_cast<std::int32_t>(h.Width);
  img.Height = static_cast<std::int32_t>(h.Height);
  img.BitCount = static_cast<std::int32_t>(h.BitCount);
  if (h.BitCount == 16 && h.Fields.R.Max == 31 && h.Fields.G.Max == 31 && h.Fields.B.Max == 31) img.BitCount = 15;
  img.Pixels.assign(static_cast<std::size_t>(h.Width * h.Height), Opaque);
  if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4)
    DecodeRle(Data, h, img, Progress);
  else
    DecodeUncompressed(Data, h, img, Progress);
  return img;
}

// ---------------------------------------------------------------------------
// Writing

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::uint32_t Channel(TPixel p, int shift) { return (p >> shift) & 0xFF; }

/// Maps colours to palette indices, remembering the last answer (pictures
/// come in runs of equal colour).
class TPaletteMapper {
public:
  explicit TPaletteMapper(std::vector<TPixel> palette) : FPalette(std::move(palette)) {}
  const std::vector<TPixel>& Palette() const { return FPalette; }
  std::uint8_t Index(TPixel p) {
    p |= Opaque;
    if (p == FLastColour) return FLastIndex;
    FLastColour = p;
    FLastIndex = Nearest(p);
    return FLastIndex;
  }

private:
  std::uint8_t Nearest(TPixel p) const {
    std::uint8_t best = 0;
    std::int32_t bestDist = INT32_MAX;
    for (std::size_t i = 0; i < FPalette.size(); ++i) {
      std::int32_t dist = 0;
      for (int shift : {16, 8, 0}) {
        const std::int32_t d = std::int32_t(Channel(p, shift)) - std::int32_t(Channel(FPalette[i], shift));
        dist += d * d;
      }
      if (dist < bestDist) {
        bestDist = dist;
        best = static_cast<std::uint8_t>(i);
      }
    }
    return best;
  }

  std::vector<TPixel> FPalette;
  TPixel FLastColour = 0;
  std::uint8_t FLastIndex = 0;
};

std::vector<TPixel> MonochromePalette() { return {Opaque, Opaque | 0xFFFFFF}; }

std::vector<TPixel> StandardPalette() {
  std::vector<TPixel> pal;
  for (TColor c : StandardPalette16) pal.push_back(ColorToPixel(c));
  return pal;
}

/// The picture's own colours when they fit in 256 entries, else a 6×6×6 cube.
std::vector<TPixel> Palette256(const TSurface& s) {
  std::unordered_set<TPixel> seen;
  std::vector<TPixel> own;
  for (std::int32_t y = 0; y < s.Height && own.size() <= 256; ++y) {
    const TPixel* row = s.Row(y);
    for (std::int32_t x = 0; x < s.Width && own.size() <= 256; ++x)
      if (seen.insert(row[x] | Opaque).second) own.push_back(row[x] | Opaque);
  }
  if (own.size() <= 256) return own;
  std::vector<TPixel> cube;
  for (TPixel r = 0; r < 6; ++r)
    for (TPixel g = 0; g < 6; ++g)
      for (TPixel b = 0; b < 6; ++b) cube.push_back(Opaque | (r * 51 << 16) | (g * 51 << 8) | (b * 51));
  return cube;
}

std::uint32_t Narrow(std::uint32_t v8, std::uint32_t max) { return (v8 * max + 127) / 255; }

void EncodeRow(const TPixel* src, std::int32_t w, std::int32_t bits, TPaletteMapper* mapper, std::uint8_t* dst) {
  switch (bits) {
  case 1:
  case 4:
  case 8: {
    const int perByte = 8 / bits;
    for (std::int32_t x = 0; x < w; ++x) {
      const int shift = 8 - bits * (1 + x % perByte);
      dst[x / perByte] |= static_cast<std::uint8_t>(mapper->Index(src[x]) << shift);
    }
    break;
  }
  case 15:
  case 16: {
    const std::uint32_t gMax = bits == 15 ? 31 : 63;
    const int rShift = bits == 15 ? 10 : 11;
    for (std::int32_t x = 0; x < w; ++x) {
      const TPixel p = src[x];
      const std::uint32_t v = (Narrow(Channel(p, 16), 31) << rShift) | (Narrow(Channel(p, 8), gMax) << 5) |
                              Narrow(Channel(p, 0), 31);
      dst[2 * x] = v & 0xFF;
      dst[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    break;
  }
  case 24:
    for (std::int32_t x = 0; x < w; ++x) {
      dst[3 * x] = static_cast<std::uint8_t>(Channel(src[x], 0));
      dst[3 * x + 1] = static_cast<std::uint8_t>(Channel(src[x], 8));
      dst[3 * x + 2] = static_cast<std::uint8_t>(Channel(src[x], 16));
    }
    break;
  case 32:
    for (std::int32_t x = 0; x < w; ++x)
      for (int i = 0; i < 4; ++i) dst[4 * x + i] = static_cast<std::uint8_t>(Channel(src[x], 8 * i));
    break;
  }
}

std::vector<TPixel> PaletteFor(const TSurface& s, std::int32_t bits) {
  if (bits == 1) return MonochromePalette();
  if (bits == 4) return StandardPalette();
  if (bits == 8) return Palette256(s);
  return {};
}

} // namespace

std::vector<std::uint8_t> EncodeBmp(const TSurface& Image, std::int32_t BitCount, const TBmpProgress& Progress) {
  if (BitCount != 1 && BitCount != 4 && BitCount != 8 && BitCount != 15 && BitCount != 16 && BitCount != 24 &&
      BitCount != 32)
    throw EInvalidGraphic("Cannot write a bitmap of " + std::to_string(BitCount) + " bits per pixel");
  if (Image.Empty()) throw EInvalidGraphic("Cannot write an empty bitmap");
  const std::int64_t storedBits = BitCount == 15 ? 16 : BitCount;
  const std::int64_t rowBytes = (Image.Width * storedBits + 31) / 32 * 4;
  TPaletteMapper mapper(PaletteFor(Image, BitCount));
  const std::size_t masks = BitCount == 16 ? 12 : 0;
  const std::size_t offBits = FileHeaderSize + InfoHeaderSize + masks + mapper.Palette().size() * 4;
  const std::int64_t imageBytes = rowBytes * Image.Height;

  std::vector<std::uint8_t> out;
  out.reserve(offBits + static_cast<std::size_t>(imageBytes));
  out.push_back('B');
  out.push_back('M');
  Put32(out, static_cast<std::uint32_t>(offBits + imageBytes));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(offBits));
  Put32(out, InfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(Image.Width));
  Put32(out, static_cast<std::uint32_t>(Image.Height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(storedBits));
  Put32(out, BitCount == 16 ? BI_BITFIELDS : BI_RGB);
  Put32(out, static_cast<std::uint32_t>(imageBytes));
  Put32(out, 3780); // 96 dpi
  Put32(out, 3780);
  Put32(out, static_cast<std::uint32_t>(mapper.Palette().size()));
  Put32(out, 0);
  if (BitCount == 16) {
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
  }
  for (TPixel p : mapper.Palette()) Put32(out, p & 0xFFFFFF);

  out.resize(offBits + static_cast<std::size_t>(imageBytes), 0);
  TRowReporter report(Progress, Image.Height);
  for (std::int32_t r = 0; r < Image.Height; ++r) {
    std::uint8_t* dst = out.data() + offBits + static_cast<std::size_t>(r * rowBytes);
    EncodeRow(Image.Row(Image.Height - 1 - r), Image.Width, BitCount, &mapper, dst);
    report.Row(r + 1);
  }
  return out;
}

} // namespace zyn
