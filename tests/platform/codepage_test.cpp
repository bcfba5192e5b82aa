#include <gtest/gtest.h>

#include "platform/ZYN_codepage.h"

namespace zyn {
namespace {

TEST(CodePage, ConvertsWindows1252BothWays) {
  const std::string utf8 = "Gen\xC3\xA8ve \xE2\x82\xAC \xC5\xA0 \xE2\x80\x9C";
  const std::string ansi = "Gen\xE8ve \x80 \x8A \x93";
  EXPECT_EQ(Utf8ToAnsi(utf8), ansi);
  EXPECT_EQ(AnsiToUtf8(ansi), utf8);
  EXPECT_EQ(AnsiToUtf8("\x81"), "\xEF\xBF\xBD"); // undefined byte
}

TEST(CodePage, MalformedUtf8BecomesQuestionMarks) {
  const std::pair<std::string, std::string> cases[] = {
      {"\xE0\x81\x81", "?"},      // overlong "A"
      {"\xC0\xAF", "??"},         // overlong "/"
      {"\xED\xA0\x80", "?"},      // surrogate
      {"\xF5\x80\x80\x80", "????"},
      {"\xC3", "?"},              // cut off
      {"a\xC3" "b", "a?b"},
      {"\xF0\x9F\x98\x80", "?"},  // outside the code page
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Utf8ToAnsi(in), out);
}

TEST(ShortString, CutsAfterConvertingAndKeepsTheFileLayout) {
  TShortString<5> s("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xE2\x82\xAC!");
  EXPECT_EQ(s.Length, 5);
  EXPECT_EQ(s.Ansi(), "\xE4\xF6\xFC\xDF\x80");
  std::uint8_t bytes[6];
  s.ToBytes(bytes);
  EXPECT_EQ(bytes[0], 5);
  TShortString<5> back;
  bytes[0] = 200; // a corrupt length byte is cut to the capacity
  back.FromBytes(bytes);
  EXPECT_EQ(back.Length, 5);
  EXPECT_EQ(back.Str(), s.Str());
}

} // namespace
} // namespace zyn
