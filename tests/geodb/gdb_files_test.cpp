// The file set: layout of every file, opening, creating, closing, LazyWrite.

#include "gdb_fixture.h"

namespace zyn::test {
namespace {

TEST_F(GeoDBTest, OpeningMissingSetCreatesAllSevenFilesWithHeader) {
  DB.SetGDBName(Base + ".zyngds");
  EXPECT_EQ(DB.GetGDBName(), Base);
  for (const char* ext : {".zyngds", ".zyngi0", ".zyngi1", ".zyngi2", ".zyngi3", ".zyngi4"})
    EXPECT_TRUE(std::filesystem::exists(Base + ext)) << ext;
  const auto gdd = Bytes(".zyngdd");
  ASSERT_EQ(gdd.size(), 260u);
  EXPECT_EQ(I32(gdd, 0), 0);
  EXPECT_EQ(I32(gdd, 4), 4);
  EXPECT_EQ(DB.DBVersion(), 4);
}

TEST_F(GeoDBTest, WrittenFilesHoldEveryFieldAtItsOffset) {
  DB.SetGDBName(Base);
  TgdbPolygon p{{10, 20}, {12, 18}, {11, 25}};
  TMetaInfo m;
  m.Caption.Set("cap");
  ASSERT_EQ(DB.AddData("Rhine", p, true, gitRiver, 7, 1.5, 0x1234, 0, 0, 0, 0, 99.5f, -3, m, nullptr, 0, false), 1);
  ASSERT_EQ(DB.AddTown("Basel", 2.25, 5, TSCoords{47.5f, 7.5f}, 260, 2, 11), 2);
  const std::uint8_t blob[3] = {1, 2, 3};
  ASSERT_EQ(DB.AddBLOB("Notes", 3.0, 0, 1, 2, 3, 4, 0, 0, 0, m, blob, 3), 3);

  const auto gds = Bytes(".zyngds");
  ASSERT_EQ(gds.size(), 360u);
  EXPECT_EQ(I32(gds, 0), 1);
  EXPECT_EQ(gds[4], 5); // name length
  EXPECT_EQ(std::string(gds.begin() + 5, gds.begin() + 10), "Rhine");
  EXPECT_EQ(gds[10], ' '); // padded with spaces
  EXPECT_EQ(gds[63], ' ');
  EXPECT_EQ(F32(gds, 64), 99.5f);
  EXPECT_EQ(gds[68], 7);
  EXPECT_EQ(gds[69] | gds[70] | gds[71], 0); // padding
  EXPECT_EQ(I32(gds, 72), -3);
  EXPECT_EQ(I32(gds, 76), 260);
  double date;
  std::memcpy(&date, gds.data() + 80, 8);
  EXPECT_EQ(date, 1.5);
  EXPECT_EQ(I32(gds, 88), 0x1234);
  EXPECT_EQ(F32(gds, 92), 10);
  EXPECT_EQ(F32(gds, 96), 12);
  EXPECT_EQ(F32(gds, 100), 18);
  EXPECT_EQ(F32(gds, 104), 25);
  EXPECT_EQ(gds[108], gitRiver);
  EXPECT_EQ(I32(gds, 112), 3);
  EXPECT_EQ(gds[116], 1);
  // The town: no block, box from its location.
  EXPECT_EQ(I32(gds, 120 + 76), -1);
  EXPECT_EQ(F32(gds, 120 + 92), 47.5f);
  EXPECT_EQ(F32(gds, 120 + 104), 7.5f);
  EXPECT_EQ(gds[120 + 116], 0);
  // The BLOB: meta information then bytes, Size in the count field.
  EXPECT_EQ(I32(gds, 240 + 76), 260 + 24);
  EXPECT_EQ(I32(gds, 240 + 112), 3);

  const auto gdd = Bytes(".zyngdd");
  ASSERT_EQ(gdd.size(), 260u + 24 + 1024 + 3);
  EXPECT_EQ(I32(gdd, 0), 3); // HighestID
  EXPECT_EQ(F32(gdd, 260), 10);
  EXPECT_EQ(F32(gdd, 264), 20);
  EXPECT_EQ(F32(gdd, 276), 11);
  EXPECT_EQ(gdd[284 + 256], 3); // caption length
  EXPECT_EQ(gdd[284 + 1024 + 2], 3);

  const auto ix0 = Bytes(".zyngi0");
  ASSERT_EQ(ix0.size(), 24u);
  EXPECT_EQ(I32(ix0, 0), 1);
  EXPECT_EQ(I32(ix0, 4), 0);
  EXPECT_EQ(I32(ix0, 16), 3);
  EXPECT_EQ(I32(ix0, 20), 2);
  const auto ix1 = Bytes(".zyngi1"); // LatLow: 1 (blob), 10 (river), 47.5 (town)
  EXPECT_EQ(F32(ix1, 0), 1);
  EXPECT_EQ(I32(ix1, 4), 2);
  EXPECT_EQ(F32(ix1, 8), 10);
  EXPECT_EQ(I32(ix1, 12), 0);
  EXPECT_EQ(I32(Bytes(".zyngi4"), 20), 0); // LongHigh sorted: 4 (BLOB), 7.5 (town), 25 (river)
}

TEST_F(GeoDBTest, ReadsSetWrittenByHand) {
  std::vector<std::uint8_t> gds(120, 0), gdd(260 + 16, 0), ix(8, 0);
  auto put32 = [](std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) { std::memcpy(b.data() + at, &v, 4); };
  auto putF = [](std::vector<std::uint8_t>& b, std::size_t at, float v) { std::memcpy(b.data() + at, &v, 4); };
  put32(gds, 0, 42);
  gds[4] = 3;
  std::memcpy(gds.data() + 5, "Aar", 3);
  put32(gds, 76, 260);
  putF(gds, 92, 46.5f);
  putF(gds, 96, 47.0f);
  putF(gds, 100, 7.0f);
  putF(gds, 104, 8.0f);
  gds[108] = gitRiver;
  put32(gds, 112, 2);
  put32(gdd, 0, 42);
  put32(gdd, 4, 4);
  gdd[8] = 2;
  gdd[9] = 'C';
  gdd[10] = 'H';
  put32(gdd, 72, 9);
  putF(gdd, 260, 46.5f);
  putF(gdd, 264, 7.0f);
  putF(gdd, 268, 47.0f);
  putF(gdd, 272, 8.0f);
  WriteBytes(".zyngds", gds);
  WriteBytes(".zyngdd", gdd);
  put32(ix, 0, 42);
  WriteBytes(".zyngi0", ix);
  const float keys[] = {46.5f, 47.0f, 7.0f, 8.0f};
  for (int i = 1; i <= 4; ++i) {
    putF(ix, 0, keys[i - 1]);
    WriteBytes(".zyngi" + std::to_string(i), ix);
  }
  DB.SetGDBName(Base);
  ASSERT_EQ(DB.NumEntries(), 1);
  EXPECT_EQ(DB.Description(), "CH");
  EXPECT_EQ(DB.Revision(), 9);
  EXPECT_EQ(DB.Data(1).Name.Str(), "Aar");
  EXPECT_EQ(DB.SearchForItemID(42), 1);
  TgdbPolygon p;
  ASSERT_TRUE(DB.RetrievePolygon(1, p));
  EXPECT_EQ(p, (TgdbPolygon{{46.5f, 7.0f}, {47.0f, 8.0f}}));
  EXPECT_EQ(AddTownAt(1, 1), 2);
  EXPECT_EQ(DB.Data(2).ItemId, 43);
}

TEST_F(GeoDBTest, NameIsCutAt59CharactersAndExtensionIsDropped) {
  DB.SetGDBName(Base + ".zyngdd");
  const std::string long60(60, 'x');
  AddTownAt(0, 0, long60);
  EXPECT_EQ(DB.Data(1).Name.Str(), std::string(59, 'x'));
  DB.SetGDBName(Base);
  EXPECT_EQ(DB.NumEntries(), 1);
  TGeoDB dotted;
  dotted.SetGDBName(Base + ".backup");
  EXPECT_EQ(dotted.GetGDBName(), Base);
}

TEST_F(GeoDBTest, LazyWriteDefersIndexFilesUntilSwitchedOff) {
  DB.SetGDBName(Base);
  DB.SetLazyWrite(true);
  for (int i = 0; i < 50; ++i) AddTownAt(static_cast<float>(i % 7), static_cast<float>(-i));
  EXPECT_EQ(Bytes(".zyngi0").size(), 0u);
  EXPECT_EQ(Bytes(".zyngds").size(), 50u * 120); // the summary is written at once
  EXPECT_EQ(DB.SearchForItemID(17), 17);
  EXPECT_EQ(Bytes(".zyngi3").size(), 0u);
  DB.SetLazyWrite(false);
  EXPECT_EQ(Bytes(".zyngi3").size(), 400u);
  TGeoDB other;
  other.SetGDBName(Base);
  for (int e = 1; e < 50; ++e) EXPECT_LE(other.IxLatLow(e).LLValue, other.IxLatLow(e + 1).LLValue);
}

TEST_F(GeoDBTest, DestroyingAndSwitchingSaveLazyIndexes) {
  {
    TGeoDB lazy;
    lazy.SetGDBName(Base);
    lazy.SetLazyWrite(true);
    lazy.AddTown("a", 0, 0, TSCoords{1, 1}, 0, 0, 0);
    lazy.SetGDBName((Dir / "other").string());
    EXPECT_EQ(Bytes(".zyngi2").size(), 8u);
    EXPECT_TRUE(lazy.LazyWrite());
    lazy.AddTown("b", 0, 0, TSCoords{1, 1}, 0, 0, 0);
  }
  EXPECT_EQ(std::filesystem::file_size(Dir / "other.zyngi4"), 8u);
}

TEST_F(GeoDBTest, DescriptionIsCutTo60AndStoredInHeader) {
  DB.SetGDBName(Base);
  DB.SetDescription(std::string(70, 'd'));
  DB.SetRevision(12);
  EXPECT_EQ(DB.Description(), std::string(60, 'd'));
  const TgdbSystemData s = ReadSystemInformation(Base + ".zyngds");
  EXPECT_EQ(s.Description.Str(), std::string(60, 'd'));
  EXPECT_EQ(s.Revision, 12);
}

TEST_F(GeoDBTest, ClosedDatabaseRefusesOperations) {
  TgdbPolygon p;
  TMetaInfo m;
  EXPECT_EQ(AddPolygon({{1, 1}}), -1);
  EXPECT_FALSE(DB.RetrievePolygon(1, p));
  EXPECT_FALSE(DB.RetrieveBLOB(1, m, nullptr, 0));
  DB.DeleteData(1);
  DB.SetDescription("x");
  EXPECT_EQ(DB.Description(), "");
  EXPECT_EQ(DB.NumEntries(), 0);
}

} // namespace
} // namespace zyn::test
