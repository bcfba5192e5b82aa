#include "support/ZYN_dstruct.h"

#include <algorithm>

namespace zyn {

void TBitFld::SetSize(std::int64_t n) { FBits.resize(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)), false); }

void TBitFld::Clear() { std::fill(FBits.begin(), FBits.end(), false); }

void TBitFld::SetBit(std::int64_t i, bool Value) {
  if (i >= 1 && i <= Size()) FBits[static_cast<std::size_t>(i - 1)] = Value;
}

bool TBitFld::GetBit(std::int64_t i) const { return i >= 1 && i <= Size() && FBits[static_cast<std::size_t>(i - 1)]; }

} // namespace zyn
