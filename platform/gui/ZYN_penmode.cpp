#include "platform/gui/ZYN_penmode.h"

namespace zyn::detail {

namespace {

// Truth table of each mode as the Windows ROP2 code minus one: bit (2p + d)
// holds the result for pen bit p and destination bit d.
constexpr std::uint8_t kTruthTable[16] = {
    0x0, // pmBlack
    0xF, // pmWhite
    0xA, // pmNop
    0x5, // pmNot
    0xC, // pmCopy
    0x3, // pmNotCopy
    0xD, // pmMergePenNot
    0x4, // pmMaskPenNot
    0xB, // pmMergeNotPen
    0x2, // pmMaskNotPen
    0xE, // pmMerge
    0x1, // pmNotMerge
    0x8, // pmMask
    0x7, // pmNotMask
    0x6, // pmXor
    0x9, // pmNotXor
};

constexpr TPixel kColourBits = 0x00FFFFFFu;

constexpr TPixel AllOrNothing(unsigned bit) noexcept { return bit ? kColourBits : 0; }

} // namespace

TRasterOp TRasterOp::For(TPenMode Mode, TColor Color) noexcept {
  const unsigned t = kTruthTable[Mode & 0xF];
  const TPixel pen = ColorToPixel(Color) & kColourBits;
  const TPixel f0 = (pen & AllOrNothing(t & 4)) | (~pen & AllOrNothing(t & 1));         // f(p, 0)
  const TPixel f1 = (pen & AllOrNothing(t & 8)) | (~pen & AllOrNothing(t & 2));         // f(p, 1)
  return {static_cast<TPixel>(((f0 ^ f1) & kColourBits) | ~kColourBits), f0 & kColourBits};
}

} // namespace zyn::detail
