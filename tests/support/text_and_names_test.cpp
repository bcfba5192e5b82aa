#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "support/ZYN_filesys.h"
#include "support/ZYN_stringl.h"

namespace zyn {
namespace {

TEST(StringIx, GivesThePositionFromOneOfTheFirstEqualEntry) {
  const std::string models[] = {"parabolicip", "biquadraticpn", "conicconformal", "utm", "utm"};
  EXPECT_EQ(StringIx("parabolicip", models, 5), 1);
  EXPECT_EQ(StringIx("utm", models, 5), 4);
  EXPECT_EQ(StringIx("UTM", models, 5), 0);    // exact comparison
  EXPECT_EQ(StringIx("utm ", models, 5), 0);
  EXPECT_EQ(StringIx("utm", models, 3), 0);    // only the first 3 entries count
  EXPECT_EQ(StringIx("utm", models, 0), 0);
  EXPECT_EQ(StringIx("utm", static_cast<const std::string*>(nullptr), 5), 0);
  const std::vector<std::string> vec(std::begin(models), std::end(models));
  EXPECT_EQ(StringIx("conicconformal", vec), 3);
  constexpr std::array<std::string_view, 3> views = {"cross", "square", "triangle"};
  EXPECT_EQ(StringIx("triangle", views), 3);
  EXPECT_EQ(StringIx("square", views.data(), 2), 2);
  EXPECT_EQ(StringIx("", views), 0);
}

TEST(ReduceStringToFN83CompliantChars, KeepsOnlyShortFileNameCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"Lake Constance.jpg", "LakeConstance.jpg"},
      {"a/b\\c:d*e?f\"g<h>i|j", "abcdefghij"},
      {"Z\xC3\xBCrich-2024_(v1)~!#$%&'@^`{}", "Zrich-2024_(v1)~!#$%&'@^`{}"},
      {std::string("tab\there\r\n\0x", 13), "tabherex"},
      {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ReduceStringToFN83CompliantChars(in), out) << in;
}

TEST(FileNameParts, SplitUnixAndWindowsNamesAlike) {
  struct TCase {
    const char* Name;
    const char* NoExt;
    const char* NoPath;
    const char* Dir;
    const char* Ext;
  };
  const TCase cases[] = {
      {"/data/maps/alps.jpg", "/data/maps/alps", "alps.jpg", "/data/maps", ".jpg"},
      {"d:\\maps\\alps.JPG", "d:\\maps\\alps", "alps.JPG", "d:\\maps", ".JPG"},
      {"/data/v1.2/set", "/data/v1.2/set", "set", "/data/v1.2", ""},
      {"world.db.zyngds", "world.db", "world.db.zyngds", "", ".zyngds"},
      {"/base.name", "/base", "base.name", "/", ".name"},
      {"d:alps.jpg", "d:alps", "alps.jpg", "d:", ".jpg"},
      {"d:\\alps", "d:\\alps", "alps", "d:\\", ""},
      {"dir/", "dir/", "", "dir", ""},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StripExtension(c.Name), c.NoExt) << c.Name;
    EXPECT_EQ(StripPath(c.Name), c.NoPath) << c.Name;
    EXPECT_EQ(ExtractFileDir(c.Name), c.Dir) << c.Name;
    EXPECT_EQ(ExtractFileExt(c.Name), c.Ext) << c.Name;
  }
  EXPECT_EQ(ExtractFilePath("d:\\maps\\alps.jpg"), "d:\\maps\\");
  EXPECT_EQ(ChangeFileExt("/x/area.tif", ".xml"), "/x/area.xml");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/x"), "/x/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/x/"), "/x/");
}

} // namespace
} // namespace zyn
