#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "support/ZYN_streams.h"
#include "tests/support/temp_dir.h"

namespace zyn {
namespace {

// The tag table of the map control's files, as its readers pass it.
constexpr std::array<std::string_view, 16> kTags = {
    "geomap",   "/geomap",   "calline",    "corners", "resolution", "gmlandmarks", "/gmlandmarks", "landmark",
    "calquads", "lmsymbols", "/lmsymbols", "symbol",  "utmzone",    "utmsouth",    "ellipsoid",    "invalidtag"};
constexpr int kHigh = 15;

struct TTag {
  int Index;
  std::string Attr;
  std::string Content;
  friend bool operator==(const TTag&, const TTag&) = default;
};

void PrintTo(const TTag& t, std::ostream* os) { *os << "{" << t.Index << ", '" << t.Attr << "', '" << t.Content << "'}"; }

// Runs the same expectations over the text-file form and the stream form.
class TagScanner : public ::testing::TestWithParam<bool> {
protected:
  bool FromFile() const { return GetParam(); }

  /// Every tag up to and including the first end-of-input result.
  std::vector<TTag> ScanAll(std::string_view Bytes) {
    std::vector<TTag> tags;
    auto scan = [&](auto&& next) {
      for (int guard = 0; guard < 100; ++guard) {
        TTag t{};
        t.Index = next(t.Attr, t.Content);
        tags.push_back(t);
        if (t.Index == kHigh) return;
      }
      ADD_FAILURE() << "scanner did not reach the end";
    };
    if (FromFile()) {
      TTextFile f(FDir.Write("in.xml", Bytes));
      f.Reset();
      scan([&](std::string& a, std::string& c) { return ReadNextTagInTextFile(f, kTags.data(), kHigh, a, c); });
    } else {
      TMemoryStream s;
      s.WriteBuffer(Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
      s.SetPosition(0);
      scan([&](std::string& a, std::string& c) { return ReadNextTagInStream(s, kTags.data(), kHigh, a, c); });
    }
    return tags;
  }

  testing::TTempDir FDir;
};

TEST_P(TagScanner, ReadsACalibrationBlockTagByTag) {
  const std::string block =
      "<?xml version=\"1.0\"?>\r\n\r\n<!-- TGeoMap Calibration / ZYN Component Suite -->\r\n"
      "<geomap sig=\"VUVIRider\" vers=\"1.0\" id=\"map1\" model=\"equirect\" map=\"d:\\maps\\alps.jpg\" "
      "caption=\"Alps\">\r\n"
      "<corners>\r\n[48.00000,6.00000] [45.00000,6.00000] [45.00000,11.00000] [48.00000,11.00000] \r\n</corners>\r\n"
      "<resolution>150.000</resolution>\r\n<ellipsoid>gelWGS84</ellipsoid>\r\n"
      "<calquads npoints=\"2\">\r\n[48.00000,6.00000,0,0] [45.00000,11.00000,1999,1499] \r\n</calquads>\r\n"
      "</geomap>\r\n";
  const std::vector<TTag> expected = {
      {0, R"(sig="VUVIRider" vers="1.0" id="map1" model="equirect" map="d:\maps\alps.jpg" caption="Alps")", ""},
      {3, "", "[48.00000,6.00000] [45.00000,6.00000] [45.00000,11.00000] [48.00000,11.00000]"},
      {4, "", "150.000"},
      {14, "", "gelWGS84"},
      {8, R"(npoints="2")", "[48.00000,6.00000,0,0] [45.00000,11.00000,1999,1499]"},
      {1, "", ""},
      {kHigh, "", ""},
  };
  EXPECT_EQ(ScanAll(block), expected);
}

TEST_P(TagScanner, JoinsTagsAndContentsThatSpanLines) {
  const std::string text =
      "<calline type=\"meridian\"\r\n  value=\"7.5\"\n\tnpoints=\"3\">\r\n[1,2] [3,4]\r\n[5,6]\n</calline>";
  const std::vector<TTag> expected = {
      {2, "type=\"meridian\"   value=\"7.5\"  npoints=\"3\"", "[1,2] [3,4]\n[5,6]"},
      {kHigh, "", ""},
  };
  EXPECT_EQ(ScanAll(text), expected);
}

TEST_P(TagScanner, EndsAtTheEndOfInputWhateverIsMissing) {
  struct TCase {
    const char* Text;
    std::vector<TTag> Expected;
  };
  const TCase cases[] = {
      {"", {{kHigh, "", ""}}},
      {"no tags at all\r\n", {{kHigh, "", ""}}},
      // Element without its closing tag: content runs to the end.
      {"<resolution>150\r\n", {{4, "", "150"}, {kHigh, "", ""}}},
      // Block without "</geomap>".
      {"<geomap id=\"a\">\n<utmzone>33</utmzone>\n", {{0, "id=\"a\"", ""}, {12, "", "33"}, {kHigh, "", ""}}},
      // Input ending inside a tag or a comment.
      {"<utmzone>33</utmzone><calline type=\"x\"", {{12, "", "33"}, {kHigh, "", ""}}},
      {"<utmzone>33<!-- open comment", {{12, "", "33"}, {kHigh, "", ""}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ScanAll(c.Text), c.Expected) << c.Text;
}

TEST_P(TagScanner, SkipsUnknownTagsCommentsAndDeclarations) {
  const std::string text =
      "<?xml version=\"1.0\"?><!DOCTYPE x><unknown a=\"1\">text</unknown>"
      "<!-- <resolution>9</resolution> -->"
      "<RESOLUTION>1<!-- inside -->50</Resolution><symbol/>";
  const std::vector<TTag> expected = {{4, "", "150"}, {11, "", ""}, {kHigh, "", ""}};
  EXPECT_EQ(ScanAll(text), expected);
}

TEST_P(TagScanner, QuotesProtectAngleBracketsButNotBeyondTheLine) {
  const std::string text =
      "<landmark captext=\"a>b<c\" id=\"x\" />\r\n"
      // An unbalanced quote loses this tag only, not the landmarks after it.
      "<landmark captext=\"bad\" quote\" id=\"1\"/>\r\n"
      "<landmark id=\"2\"/>\r\n";
  const auto tags = ScanAll(text);
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0], (TTag{7, R"(captext="a>b<c" id="x")", ""}));
  EXPECT_EQ(tags[1], (TTag{7, R"(id="2")", ""}));
  EXPECT_EQ(tags[2].Index, kHigh);
}

TEST_P(TagScanner, AbandonsATagBrokenOffByTheNextOne) {
  const std::string text = "<calline type=\"x\"\r\n<resolution>5</resolution>";
  const std::vector<TTag> expected = {{4, "", "5"}, {kHigh, "", ""}};
  EXPECT_EQ(ScanAll(text), expected);
}

TEST_P(TagScanner, ReturnsSingleByteTextAsUtf8) {
  const std::string text = "<symbol name=\"Z\xFCrich \x80\">Gen\xE8ve</symbol>";
  const std::vector<TTag> expected = {{11, "name=\"Z\xC3\xBCrich \xE2\x82\xAC\"", "Gen\xC3\xA8ve"}, {kHigh, "", ""}};
  EXPECT_EQ(ScanAll(text), expected);
}

INSTANTIATE_TEST_SUITE_P(FileAndStream, TagScanner, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "TextFile" : "Stream"; });

// Random inputs built from the characters the scanner cares about: both forms
// must terminate and agree, whatever the input.
TEST(TagScannerRobustness, FileAndStreamAgreeOnRandomInput) {
  const std::string_view alphabet[] = {"<", ">", "\"", "/", " ", "\r\n", "\n", "\r", "<!--", "-->", "=",
                                       "geomap", "landmark", "utmzone", "x", "\x80", "\xFF", "\t", "?"};
  std::uint64_t seed = 12345;
  auto next = [&seed] { return (seed = seed * 6364136223846793005ull + 1442695040888963407ull) >> 33; };
  testing::TTempDir dir;
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const auto pieces = next() % 60;
    for (std::uint64_t i = 0; i < pieces; ++i) text += alphabet[next() % std::size(alphabet)];
    TMemoryStream s;
    s.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    s.SetPosition(0);
    TTextFile f(dir.Write("r.xml", text));
    f.Reset();
    for (int guard = 0;; ++guard) {
      ASSERT_LT(guard, 100) << text;
      std::string fa, fc, sa, sc;
      const int fi = ReadNextTagInTextFile(f, kTags.data(), kHigh, fa, fc);
      const int si = ReadNextTagInStream(s, kTags.data(), kHigh, sa, sc);
      ASSERT_EQ(fi, si) << text;
      ASSERT_EQ(fa, sa) << text;
      ASSERT_EQ(fc, sc) << text;
      if (fi == kHigh) break;
    }
    EXPECT_TRUE(f.Eof()) << text;
    EXPECT_EQ(s.Position(), s.Size()) << text;
  }
}

TEST(TagScannerPosition, TagsAndContentsMayCrossTheStreamsReadChunks) {
  std::string text;
  std::vector<std::string> ids;
  for (int i = 0; text.size() < 20000; ++i) {
    ids.push_back(std::to_string(i));
    text += "<!-- filler --><landmark id=\"" + ids.back() + "\"\r\n captext=\"" + std::string(i % 50, 'c') + "\"/>\r\n";
  }
  TMemoryStream s;
  s.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  s.SetPosition(0);
  std::string attr, content;
  for (const auto& id : ids) {
    ASSERT_EQ(ReadNextTagInStream(s, kTags.data(), kHigh, attr, content), 7);
    ASSERT_EQ(attr.substr(0, attr.find(' ')), "id=\"" + id + "\"");
  }
  EXPECT_EQ(ReadNextTagInStream(s, kTags.data(), kHigh, attr, content), kHigh);
}

TEST(TagScannerPosition, StreamStopsAtTheNextTagSoLineReadersContinueThere) {
  const std::string text = "<geomap id=\"a\">\r\n<utmzone>5</utmzone>\r\n</geomap>\r\n<geomap id=\"b\">\r\n";
  TMemoryStream s;
  s.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
  s.SetPosition(static_cast<std::int64_t>(text.find("<utmzone")));
  std::string attr, content;
  EXPECT_EQ(ReadNextTagInStream(s, kTags.data(), kHigh, attr, content), 12);
  EXPECT_EQ(ReadNextTagInStream(s, kTags.data(), kHigh, attr, content), 1);
  EXPECT_EQ(s.Position(), static_cast<std::int64_t>(text.find("<geomap id=\"b\"")));
}

TEST(TagScannerPosition, TextFileStopsAtTheNextTagSoReadLnGetsTheNextHeader) {
  testing::TTempDir dir;
  TTextFile f(dir.Write("two.xml", "<geomap id=\"a\">\r\n<utmzone>5</utmzone>\r\n</geomap>\r\n"
                                   "<geomap id=\"b\" sig=\"VUVIRider\">\r\n<utmzone>7</utmzone>\r\n"));
  f.Reset();
  std::string line, attr, content;
  ASSERT_TRUE(f.ReadLn(line));
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags.data(), kHigh, attr, content), 12);
  EXPECT_EQ(content, "5");
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags.data(), kHigh, attr, content), 1);
  ASSERT_TRUE(f.ReadLn(line));
  EXPECT_EQ(line, "<geomap id=\"b\" sig=\"VUVIRider\">");
  EXPECT_EQ(ReadNextTagInTextFile(f, kTags.data(), kHigh, attr, content), 12);
  EXPECT_EQ(content, "7");
}

TEST(TagScannerTables, AcceptsStringTablesAndRejectsEmptyOnes) {
  const std::string tags[] = {"a", "b", "end"};
  TMemoryStream s;
  WriteLnStream(s, "<b>x</b>");
  s.SetPosition(0);
  std::string attr = "stale", content = "stale";
  EXPECT_EQ(ReadNextTagInStream(s, tags, 2, attr, content), 1);
  EXPECT_EQ(content, "x");
  EXPECT_EQ(ReadNextTagInStream(s, tags, -1, attr, content), -1);
  EXPECT_EQ(ReadNextTagInStream(s, static_cast<const std::string*>(nullptr), 2, attr, content), 2);
  EXPECT_TRUE(attr.empty() && content.empty());
}

TEST(WriteLnStream, WritesSingleByteTextWithCrLf) {
  TMemoryStream s;
  WriteLnStream(s, "Z\xC3\xBCrich \xE2\x82\xAC");
  WriteLnStream(s, "");
  const std::string bytes(s.Bytes().begin(), s.Bytes().end());
  EXPECT_EQ(bytes, "Z\xFCrich \x80\r\n\r\n");
}

} // namespace
} // namespace zyn
