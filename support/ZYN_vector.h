#pragma once
/// \file
/// A vector of 64-bit floats with elements numbered 1 .. n.

#include <cstdint>
#include <vector>

namespace zyn {

/// Elements 1 .. NrOfElem(). Access outside that range raises EZYNError.
class TVector {
public:
  TVector() = default;
  explicit TVector(std::int32_t n) { SetVecSize(n); }
  /// Makes elements 1 .. n exist; kept elements keep their value, new ones are
  /// 0. A negative n is taken as 0.
  void SetVecSize(std::int32_t n);
  std::int32_t NrOfElem() const noexcept { return static_cast<std::int32_t>(FData.size()); }
  void SetVal(std::int32_t i, double v);
  double GetVal(std::int32_t i) const;
  /// Sets every element to v.
  void Fill(double v);
  friend bool operator==(const TVector&, const TVector&) = default;

private:
  std::size_t Index(std::int32_t i) const;
  std::vector<double> FData;
};

} // namespace zyn
