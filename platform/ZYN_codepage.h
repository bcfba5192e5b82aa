#pragma once
/// \file
/// The single-byte code page (Windows-1252) and fixed-capacity single-byte texts.
///
/// The API speaks UTF-8; fixed text fields and single-byte text files hold
/// Windows-1252 bytes. Characters the code page lacks become '?'.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace zyn {

/// UTF-8 → Windows-1252; unmappable characters and malformed sequences give '?'.
std::string Utf8ToAnsi(std::string_view Utf8);
/// Windows-1252 → UTF-8; the five undefined bytes map to U+FFFD.
std::string AnsiToUtf8(std::string_view Ansi);

/// A single-byte text of at most Capacity characters, laid out as one length
/// byte followed by Capacity character bytes (unused bytes are zero). Set()
/// converts UTF-8 to the code page and cuts after converting.
template <std::size_t Capacity>
struct TShortString {
  static_assert(Capacity >= 1 && Capacity <= 255, "a length byte holds at most 255");
  std::uint8_t Length = 0;
  std::array<char, Capacity> Chars{};

  static constexpr std::size_t MaxLength() noexcept { return Capacity; }

  TShortString() = default;
  TShortString(std::string_view Utf8) { Set(Utf8); } // NOLINT: texts convert implicitly

  /// Stores UTF-8 text, converted to the code page and cut to the capacity.
  void Set(std::string_view Utf8) { SetAnsi(Utf8ToAnsi(Utf8)); }
  /// Stores code-page bytes, cut to the capacity.
  void SetAnsi(std::string_view Ansi) {
    Chars.fill('\0');
    Length = static_cast<std::uint8_t>(std::min(Ansi.size(), Capacity));
    std::memcpy(Chars.data(), Ansi.data(), Length);
  }
  /// The stored bytes in the code page.
  std::string Ansi() const { return std::string(Chars.data(), std::min<std::size_t>(Length, Capacity)); }
  /// The text as UTF-8.
  std::string Str() const { return AnsiToUtf8(Ansi()); }

  /// The layout in files: length byte then Capacity bytes.
  static constexpr std::size_t ByteSize() noexcept { return Capacity + 1; }
  void ToBytes(std::uint8_t* Out) const {
    Out[0] = Length;
    std::memcpy(Out + 1, Chars.data(), Capacity);
  }
  /// Reads the layout back; a length byte above the capacity is cut to it.
  void FromBytes(const std::uint8_t* In) {
    Length = static_cast<std::uint8_t>(std::min<std::size_t>(In[0], Capacity));
    std::memcpy(Chars.data(), In + 1, Capacity);
  }

  friend bool operator==(const TShortString& a, const TShortString& b) { return a.Ansi() == b.Ansi(); }
};

} // namespace zyn
