#pragma once
/// \file
/// A fixed array indexed 1..N, so code reads like algorithms that count from 1.

#include <array>
#include <cassert>
#include <cstddef>

namespace zyn {

/// Fixed array of N elements indexed from 1 to N. The index is checked in
/// debug builds; a plain value type, copied by value.
template <class T, std::size_t N>
struct TArray1 {
  std::array<T, N> Items{};

  static constexpr std::size_t Low() noexcept { return 1; }
  static constexpr std::size_t High() noexcept { return N; }
  static constexpr std::size_t Count() noexcept { return N; }

  constexpr T& operator[](std::size_t i) noexcept {
    assert(i >= 1 && i <= N);
    return Items[i - 1];
  }
  constexpr const T& operator[](std::size_t i) const noexcept {
    assert(i >= 1 && i <= N);
    return Items[i - 1];
  }
  constexpr auto begin() noexcept { return Items.begin(); }
  constexpr auto end() noexcept { return Items.end(); }
  constexpr auto begin() const noexcept { return Items.begin(); }
  constexpr auto end() const noexcept { return Items.end(); }
  friend constexpr bool operator==(const TArray1&, const TArray1&) = default;
};

} // namespace zyn
