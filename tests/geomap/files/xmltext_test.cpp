#include "geomap/ZYN_xmltext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "support/ZYN_univconst.h"

namespace zyn {
namespace {

TEST(FormatFixed, WritesExactDecimalsWithPointAndNoExponent) {
  EXPECT_EQ(FormatFixed(-0.5, 5), "-0.50000");
  EXPECT_EQ(FormatFixed(150, 3), "150.000");
  EXPECT_EQ(FormatFixed(48.123456, 5), "48.12346");
  EXPECT_EQ(FormatFixed(1e20, 1), "100000000000000000000.0");
  EXPECT_EQ(FormatFixed(-0.000001, 5), "0.00000");
}

TEST(FormatGeneral, WritesShortestTextWithExponentOnlyAtExtremes) {
  EXPECT_EQ(FormatGeneral(47.5), "47.5");
  EXPECT_EQ(FormatGeneral(-12), "-12");
  EXPECT_EQ(FormatGeneral(0.1), "0.1");
  EXPECT_EQ(FormatGeneral(0.0001), "0.0001");
  EXPECT_EQ(FormatGeneral(0.00001), "1E-5");
  EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatGeneral(1e15), "1E15");
  EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
}

struct FloatScanCase {
  const char* Text;
  bool AllowExponent;
  std::int32_t Mode;
  std::size_t StartPos;
  double Value;
  std::size_t EndPos;
};

class ScanFloatNumCases : public ::testing::TestWithParam<FloatScanCase> {};

TEST_P(ScanFloatNumCases, ReadsValueAndStopsOnTheEndingCharacter) {
  const FloatScanCase& c = GetParam();
  std::size_t pos = c.StartPos;
  EXPECT_DOUBLE_EQ(ScanFloatNum(c.Text, c.AllowExponent, c.Mode, pos), c.Value) << c.Text;
  EXPECT_EQ(pos, c.EndPos) << c.Text;
}

INSTANTIATE_TEST_SUITE_P(
    StateMachine, ScanFloatNumCases,
    ::testing::Values(FloatScanCase{"12.", true, dsmEither, 1, 12, 4},
                      FloatScanCase{"abc", true, dsmEither, 1, 0, 1},
                      FloatScanCase{"2.5,3", false, dsmPoint, 1, 2.5, 4},
                      FloatScanCase{"2,5", true, dsmEither, 1, 2.5, 4},
                      FloatScanCase{"2,5", true, dsmComma, 1, 2.5, 4},
                      FloatScanCase{"2.5", true, dsmComma, 1, 2, 2},
                      FloatScanCase{"  -47.25]", true, dsmEither, 1, -47.25, 9},
                      FloatScanCase{"+.5", true, dsmEither, 1, 0.5, 4},
                      FloatScanCase{"1.5e3x", true, dsmEither, 1, 1500, 6},
                      FloatScanCase{"1.5E-2", true, dsmEither, 1, 0.015, 7},
                      FloatScanCase{"1.5E3", false, dsmEither, 1, 1.5, 4},
                      FloatScanCase{"1.2.3", true, dsmEither, 1, 0, 4},
                      FloatScanCase{"- 5", true, dsmEither, 1, 0, 2},
                      FloatScanCase{"+-5", true, dsmEither, 1, 0, 2},
                      FloatScanCase{"E5", true, dsmEither, 1, 0, 1},
                      FloatScanCase{"1E 5", true, dsmEither, 1, 0, 3},
                      FloatScanCase{"12E", true, dsmEither, 1, 12, 4},
                      FloatScanCase{"12E-", true, dsmEither, 1, 12, 5},
                      FloatScanCase{"7-3", true, dsmEither, 1, 7, 2},
                      FloatScanCase{"x3.25", true, dsmEither, 2, 3.25, 6},
                      FloatScanCase{"", true, dsmEither, 1, 0, 1},
                      FloatScanCase{"1E-99999", true, dsmEither, 1, 0, 9}));

TEST(ScanFloatNum, ClampsOverflowToLargestFiniteDouble) {
  for (const char* text : {"1E999", "1E99999999999999999999", "-1E400"}) {
    std::size_t pos = 1;
    const double v = ScanFloatNum(text, true, dsmEither, pos);
    EXPECT_EQ(std::fabs(v), uc_MaxDouble) << text;
    EXPECT_EQ(pos, std::string(text).size() + 1) << text;
  }
}

TEST(ScanDecInt, ReadsSignedDigitsAfterBlanks) {
  std::size_t pos = 1;
  EXPECT_EQ(ScanDecInt("  -42,7", pos), -42);
  EXPECT_EQ(pos, 6u);
  ++pos;
  EXPECT_EQ(ScanDecInt("  -42,7", pos), 7);
  EXPECT_EQ(pos, 8u);
  pos = 1;
  EXPECT_EQ(ScanDecInt("", pos), 0);
  pos = 1;
  EXPECT_EQ(ScanDecInt("+x", pos), 0);
  EXPECT_EQ(pos, 2u);
  pos = 1;
  EXPECT_EQ(ScanDecInt("99999999999999999999", pos), 2147483647);
  pos = 1;
  EXPECT_EQ(ScanDecInt("-99999999999999999999", pos), -2147483647 - 1);
}

TEST(GetAttrValue, FindsQuotedAndBareValuesByNameIgnoringCase) {
  const std::string attrs = R"( id="lm 1=x"  Lat=47.5 caption="a b" )";
  EXPECT_EQ(GetAttrValue(attrs, "ID"), "lm 1=x");
  EXPECT_EQ(GetAttrValue(attrs, " lat "), "47.5");
  EXPECT_EQ(GetAttrValue(attrs, "caption"), "a b");
  EXPECT_EQ(GetAttrValue(attrs, "long"), "");
}

TEST(GetAttrValue, MalformedTextEndsTheSearchEmpty) {
  EXPECT_EQ(GetAttrValue(R"(a"b="1" c="2")", "c"), "");
  EXPECT_EQ(GetAttrValue(R"(a==1 c="2")", "c"), "");
  EXPECT_EQ(GetAttrValue(R"(a=1=2 c="2")", "c"), "");
  EXPECT_EQ(GetAttrValue(R"(c="unterminated)", "c"), "");
  EXPECT_EQ(GetAttrValue("c", "c"), "");
}

TEST(NthPos, CountsOccurrencesFromTheStartPosition) {
  const std::string line = R"(<geomap id="map1" model="equirect">)";
  const std::size_t id = line.find("id=") + 1;
  EXPECT_EQ(NthPos("\"", line, id, 2), line.find("\" model") + 1);
  EXPECT_EQ(NthPos("\"", line, 1, 1), line.find('"') + 1);
  EXPECT_EQ(NthPos("\"", line, 1, 5), 0u);
  EXPECT_EQ(NthPos("aa", "aaaa", 1, 3), 3u);
  EXPECT_EQ(NthPos("", line, 1, 1), 0u);
  EXPECT_EQ(NthPos("\"", line, 999, 1), 0u);
}

TEST(TrimSpaces, RemovesOnlyBlanksAtBothEnds) {
  EXPECT_EQ(TrimSpaces("  a b  "), "a b");
  EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimSpaces("   "), "");
}

TEST(ReadLnStream, SplitsAtLineFeedsAndDropsCarriageReturns) {
  TMemoryStream s;
  const std::string bytes = "first\r\nsecond\n\nlast \xE9";
  s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  s.SetPosition(0);
  std::string line;
  ASSERT_TRUE(ReadLnStream(s, line));
  EXPECT_EQ(line, "first");
  EXPECT_EQ(s.Position(), 7);
  ASSERT_TRUE(ReadLnStream(s, line));
  EXPECT_EQ(line, "second");
  ASSERT_TRUE(ReadLnStream(s, line));
  EXPECT_EQ(line, "");
  ASSERT_TRUE(ReadLnStream(s, line));
  EXPECT_EQ(line, "last \xC3\xA9");
  EXPECT_FALSE(ReadLnStream(s, line));
  EXPECT_EQ(line, "");
}

TEST(ReadLnStream, ReadsLinesLongerThanItsBuffer) {
  TMemoryStream s;
  const std::string longLine(5000, 'x');
  const std::string bytes = longLine + "\nnext";
  s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  s.SetPosition(0);
  std::string line;
  ASSERT_TRUE(ReadLnStream(s, line));
  EXPECT_EQ(line, longLine);
  ASSERT_TRUE(ReadLnStream(s, line));
  EXPECT_EQ(line, "next");
}

TEST(XMLTagNames, TableEndsWithTheScannersEndMarker) {
  EXPECT_EQ(XMLTagNames[xtGeoMap], "geomap");
  EXPECT_EQ(XMLTagNames[xtCalQuads], "calquads");
  EXPECT_EQ(XMLTagNames[xtEllipsoid], "ellipsoid");
  EXPECT_EQ(XMLTagNames[XMLTagHigh], "invalidtag");
}

} // namespace
} // namespace zyn
