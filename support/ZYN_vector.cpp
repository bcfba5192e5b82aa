#include "support/ZYN_vector.h"

#include <algorithm>
#include <string>

#include "support/ZYN_zynbase.h"

namespace zyn {

void TVector::SetVecSize(std::int32_t n) { FData.resize(static_cast<std::size_t>(std::max(n, 0)), 0.0); }

std::size_t TVector::Index(std::int32_t i) const {
  if (i < 1 || i > NrOfElem())
    throw EZYNError("TVector: index " + std::to_string(i) + " outside 1.." + std::to_string(NrOfElem()));
  return static_cast<std::size_t>(i - 1);
}

void TVector::SetVal(std::int32_t i, double v) { FData[Index(i)] = v; }

double TVector::GetVal(std::int32_t i) const { return FData[Index(i)]; }

void TVector::Fill(double v) { std::fill(FData.begin(), FData.end(), v); }

} // namespace zyn
