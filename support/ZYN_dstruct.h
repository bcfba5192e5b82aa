#pragma once
/// \file
/// Data structures of the base support library.

#include <cstdint>
#include <vector>

namespace zyn {

/// A field of bits numbered 1 .. Size(). Bits outside that range read false
/// and ignore writes.
class TBitFld {
public:
  TBitFld() = default;
  /// Makes bits 1 .. n exist; bits kept keep their value, new bits are false.
  /// A negative n is taken as 0.
  void SetSize(std::int64_t n);
  std::int64_t Size() const noexcept { return static_cast<std::int64_t>(FBits.size()); }
  /// Makes every bit false.
  void Clear();
  void SetBit(std::int64_t i, bool Value);
  bool GetBit(std::int64_t i) const;

private:
  std::vector<bool> FBits;
};

} // namespace zyn
