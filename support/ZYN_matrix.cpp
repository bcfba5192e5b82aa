#include "support/ZYN_matrix.h"

#include <algorithm>
#include <string>

#include "support/ZYN_zynbase.h"

namespace zyn {

void TMatrix::Resize(std::int32_t Columns, std::int32_t Rows) {
  Columns = std::max(Columns, 0);
  Rows = std::max(Rows, 0);
  std::vector<double> data(static_cast<std::size_t>(Columns) * static_cast<std::size_t>(Rows), 0.0);
  const std::int32_t keepColumns = std::min(Columns, FColumns);
  const std::int32_t keepRows = std::min(Rows, FRows);
  for (std::int32_t r = 0; r < keepRows; ++r)
    std::copy_n(FData.begin() + static_cast<std::ptrdiff_t>(r) * FColumns, keepColumns,
                data.begin() + static_cast<std::ptrdiff_t>(r) * Columns);
  FData = std::move(data);
  FColumns = Columns;
  FRows = Rows;
}

std::size_t TMatrix::Index(std::int32_t Column, std::int32_t Row) const {
  if (Column < 1 || Column > FColumns || Row < 1 || Row > FRows)
    throw EZYNError("TMatrix: element (" + std::to_string(Column) + ", " + std::to_string(Row) + ") outside " +
                    std::to_string(FColumns) + " x " + std::to_string(FRows));
  return static_cast<std::size_t>(Row - 1) * static_cast<std::size_t>(FColumns) + static_cast<std::size_t>(Column - 1);
}

void TMatrix::SetVal(std::int32_t Column, std::int32_t Row, double v) { FData[Index(Column, Row)] = v; }

double TMatrix::GetVal(std::int32_t Column, std::int32_t Row) const { return FData[Index(Column, Row)]; }

void TMatrix::Fill(double v) { std::fill(FData.begin(), FData.end(), v); }

void TMatrix::Clone(const TMatrix& Source) {
  if (this != &Source) *this = Source;
}

} // namespace zyn
