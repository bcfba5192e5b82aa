#pragma once
/// \file
/// A dense matrix of 64-bit floats addressed (column, row), both from 1.

#include <cstdint>
#include <vector>

namespace zyn {

/// Columns 1 .. NrOfColumns(), rows 1 .. NrOfRows(). Access outside that
/// range raises EZYNError.
class TMatrix {
public:
  TMatrix() = default;
  TMatrix(std::int32_t Columns, std::int32_t Rows) { Resize(Columns, Rows); }
  /// Sets the size; elements inside both the old and the new size keep their
  /// value, new ones are 0. Negative counts are taken as 0.
  void Resize(std::int32_t Columns, std::int32_t Rows);
  std::int32_t NrOfColumns() const noexcept { return FColumns; }
  std::int32_t NrOfRows() const noexcept { return FRows; }
  void SetVal(std::int32_t Column, std::int32_t Row, double v);
  double GetVal(std::int32_t Column, std::int32_t Row) const;
  /// Sets every element to v.
  void Fill(double v);
  /// Makes this matrix an equal copy of Source (size and values).
  void Clone(const TMatrix& Source);
  friend bool operator==(const TMatrix&, const TMatrix&) = default;

private:
  std::size_t Index(std::int32_t Column, std::int32_t Row) const;
  std::int32_t FColumns = 0;
  std::int32_t FRows = 0;
  std::vector<double> FData; ///< row-major
};

} // namespace zyn
