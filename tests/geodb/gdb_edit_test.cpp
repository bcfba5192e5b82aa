// Indexes, look-ups, editing, BLOBs and progress.

#include <random>

#include "gdb_fixture.h"

namespace zyn::test {
namespace {

TEST_F(GeoDBTest, ClosestPositionsFollowTheBinarySearch) {
  DB.SetGDBName(Base);
  for (float lat : {10.f, 20.f, 20.f, 30.f}) AddTownAt(lat, 0);
  const std::pair<double, int> cases[] = {{5, 1}, {20, 2}, {25, 4}, {35, 5}, {10, 1}, {30, 4}};
  for (auto [v, pos] : cases) EXPECT_EQ(DB.GetClosestLatLowIx(v), pos) << v;
  EXPECT_EQ(DB.GetClosestItemIDIx(5), 5);
}

TEST_F(GeoDBTest, WideKeyIsNotEqualToNarrowKey) {
  DB.SetGDBName(Base);
  AddTownAt(0.1f, 0);
  AddTownAt(0.2f, 0);
  const int pos = DB.GetClosestLatLowIx(0.1);
  EXPECT_EQ(pos, static_cast<double>(0.1f) < 0.1 ? 2 : 1);
  EXPECT_EQ(DB.GetClosestLatLowIx(static_cast<double>(0.1f)), 1);
}

TEST_F(GeoDBTest, SortedInsertionPutsEqualKeyInFrontOfTheOneFound) {
  TIxLLRecArray ix{{10, 0}, {20, 1}, {30, 2}, {}};
  TGeoDB::SortIxInto(ix, {20, 9});
  EXPECT_EQ(ix, (TIxLLRecArray{{10, 0}, {20, 9}, {20, 1}, {30, 2}}));
  TIxItemIDRecArray ids{{}};
  TGeoDB::SortIxItemIDInto(ids, {4, 0});
  EXPECT_EQ(ids, (TIxItemIDRecArray{{4, 0}}));
}

TEST_F(GeoDBTest, AccessorsClampAndSearchMissesGiveZero) {
  DB.SetGDBName(Base);
  EXPECT_EQ(DB.SearchForItemID(1), 0);
  EXPECT_EQ(DB.Data(1).ItemKind, gitUndefined);
  AddTownAt(1, 2, "a");
  AddTownAt(3, 4, "b");
  EXPECT_EQ(DB.Data(0).Name.Str(), "a");
  EXPECT_EQ(DB.Data(DB.NumEntries() + 5).Name.Str(), "b");
  EXPECT_EQ(DB.IxLongLow(9).index, 2);
  EXPECT_EQ(DB.SearchForItemID(3), 0);
  EXPECT_EQ(DB.SearchData("B"), 2);
  EXPECT_EQ(DB.SearchData("a", gitTown, 2, 0), 0);
  EXPECT_EQ(DB.SearchData("a", gitTown, 1, 0), 1);
}

TEST_F(GeoDBTest, PolygonBoxIsRecomputedAndProgressFollowsPoints) {
  DB.SetGDBName(Base);
  std::vector<int> seen;
  DB.OnPercentDone = [&](TComponent* s, std::int32_t p) {
    EXPECT_EQ(s, &DB);
    seen.push_back(p);
  };
  TMetaInfo m;
  DB.AddData("p", {{10, 20}, {12, 18}, {11, 25}, {11, 19}}, false, gitRoad, 0, 0, 0, -5, -5, -5, -5, 0, 0, m,
             nullptr, 0, false);
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 25, 50, 75, 100}));
  const TgdbData d = DB.Data(1);
  EXPECT_EQ(d.LatLow, 10);
  EXPECT_EQ(d.LatHigh, 12);
  EXPECT_EQ(d.LongLow, 18);
  EXPECT_EQ(d.LongHigh, 25);
  DB.SetOnPercDoneEnabled(false);
  AddPolygon({});
  EXPECT_EQ(seen.size(), 6u);
  const TgdbData empty = DB.Data(2);
  EXPECT_EQ(empty.NumPoints, 0);
  EXPECT_EQ(empty.LatLow, 90);
  EXPECT_EQ(empty.LongHigh, -180);
}

TEST_F(GeoDBTest, RetrievingPolygonReportsEveryThirdPointOf250) {
  DB.SetGDBName(Base);
  TgdbPolygon p(250);
  for (int i = 0; i < 250; ++i) p[static_cast<std::size_t>(i)] = {static_cast<float>(i) / 10, 1};
  AddPolygon(p);
  AddTownAt(1, 1);
  std::vector<int> seen;
  DB.OnPercentDone = [&](TComponent*, std::int32_t v) { seen.push_back(v); };
  TgdbPolygon back;
  ASSERT_TRUE(DB.RetrievePolygon(0, back));
  EXPECT_EQ(back, p);
  EXPECT_EQ(seen.size(), 2u + 250 / 3);
  EXPECT_EQ(seen[1], 1); // after point 3: Round(1.2)
  seen.clear();
  EXPECT_FALSE(DB.RetrievePolygon(2, back));
  EXPECT_EQ(seen, (std::vector<int>{0, 100}));
  EXPECT_EQ(back, p);
}

TEST_F(GeoDBTest, DeletingMovesLastEntryIntoTheFreedNumber) {
  DB.SetGDBName(Base);
  for (int i = 1; i <= 5; ++i) AddTownAt(static_cast<float>(i), static_cast<float>(i), "t" + std::to_string(i));
  DB.DeleteData(2);
  EXPECT_EQ(DB.NumEntries(), 4);
  EXPECT_EQ(DB.Data(2).ItemId, 5);
  EXPECT_EQ(DB.SearchForItemID(2), 0);
  EXPECT_EQ(DB.SearchForItemID(5), 2);
  EXPECT_EQ(Bytes(".zyngds").size(), 480u);
  DB.DeleteData(4);
  EXPECT_EQ(DB.SearchForItemID(4), 0);
  EXPECT_EQ(DB.SearchForItemID(3), 3);
  DB.DeleteData(9);
  EXPECT_EQ(DB.NumEntries(), 3);
  TGeoDB reopened;
  reopened.SetGDBName(Base);
  EXPECT_EQ(reopened.SearchForItemID(5), 2);
  for (int e = 1; e <= 3; ++e) EXPECT_EQ(reopened.IxLatLow(e).index, reopened.IxItemID(e).index);
}

TEST_F(GeoDBTest, DeletingEverythingKeepsDataFileAndHighestId) {
  DB.SetGDBName(Base);
  AddPolygon({{1, 1}, {2, 2}});
  AddTownAt(1, 1);
  const auto gddSize = Bytes(".zyngdd").size();
  DB.DeleteData(1);
  DB.DeleteData(1);
  EXPECT_EQ(Bytes(".zyngds").size(), 0u);
  EXPECT_EQ(Bytes(".zyngi3").size(), 0u);
  EXPECT_EQ(Bytes(".zyngdd").size(), gddSize);
  EXPECT_EQ(I32(Bytes(".zyngdd"), 0), 2);
  EXPECT_EQ(AddTownAt(0, 0), 1);
  EXPECT_EQ(DB.Data(1).ItemId, 3);
}

TEST_F(GeoDBTest, ReplacingKeepsIdentifierAndAppendsBlock) {
  DB.SetGDBName(Base);
  AddPolygon({{1, 1}});
  AddTownAt(5, 5);
  const auto before = Bytes(".zyngdd").size();
  DB.ReplaceRoute(1, "new", {{40, 40}, {41, 42}}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Bytes(".zyngdd").size(), before + 16);
  const TgdbData d = DB.Data(1);
  EXPECT_EQ(d.ItemId, 1);
  EXPECT_EQ(d.ItemKind, gitRoute);
  EXPECT_EQ(d.Name.Str(), "new");
  EXPECT_EQ(DB.IxLatLow(2).index, 1); // 40 now sorts after the town's 5
  DB.ReplaceTown(7, "x", 0, 0, TSCoords{}, 0, 0, 0);
  EXPECT_EQ(DB.NumEntries(), 2);
}

TEST_F(GeoDBTest, BlobRoundTripsThroughMemoryStreamAndFile) {
  DB.SetGDBName(Base);
  std::vector<std::uint8_t> data(40000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
  TMetaInfo m;
  m.Keywords.Set("k");
  std::vector<int> seen;
  DB.OnPercentDone = [&](TComponent*, std::int32_t v) { seen.push_back(v); };
  ASSERT_EQ(DB.AddBLOB("Data blob", 0, 0, 0, 0, 0, 0, 0, 0, 0, m, data.data(), 40000), 1);
  EXPECT_EQ(seen, (std::vector<int>{0, 41, 82, 100}));

  TMetaInfo back;
  std::vector<std::uint8_t> buf(40000);
  ASSERT_TRUE(DB.RetrieveBLOB(1, back, buf.data(), 40000));
  EXPECT_EQ(buf, data);
  EXPECT_EQ(back.Keywords.Str(), "k");
  EXPECT_THROW(DB.RetrieveBLOB(1, back, buf.data(), 39999), EZYNGeoDBError);
  try {
    DB.RetrieveBLOB(1, back, buf.data(), 1);
  } catch (const EZYNGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"GeoDB1\": RetrieveBLOB: BLOB to be retrieved is larger than SizeOfBlobData.");
  }

  TMemoryStream s;
  ASSERT_TRUE(DB.RetrieveBLOB(1, back, s));
  EXPECT_EQ(s.Bytes(), data);

  const std::string dir = (Dir / "out").string() + "/";
  std::filesystem::create_directories(dir);
  ASSERT_TRUE(DB.RetrieveBLOB(1, dir, back));
  std::filesystem::path written;
  for (const auto& f : std::filesystem::directory_iterator(dir)) written = f.path();
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(std::filesystem::file_size(written), 40000u);

  // From the written file, then with the original path recorded.
  const std::int32_t e = DB.AddBLOB(written.string(), "in/db.bin", "/orig/path.bin", 0, 0, 0, 0, 0, 0, 0, 0, 0, m);
  ASSERT_EQ(e, 2);
  EXPECT_EQ(DB.Data(2).Name.Str(), "db.bin");
  EXPECT_EQ(DB.Data(2).Size(), 40000);
  EXPECT_GT(DB.Data(2).Date, 40000); // the file's modification time
  ASSERT_TRUE(DB.GetMetaInfo(2, back));
  EXPECT_EQ(back.FilePath.Str(), "/orig/path.bin");
  TgdbPolygon p;
  EXPECT_FALSE(DB.RetrievePolygon(2, p));
}

TEST_F(GeoDBTest, MissingBlobSourceRaisesAndAddsNothing) {
  DB.SetGDBName(Base);
  TMetaInfo m;
  EXPECT_THROW(DB.AddBLOB((Dir / "missing.bin").string(), 0, 0, 0, 0, 0, 0, 0, 0, 0, m), EInOutError);
  EXPECT_EQ(DB.NumEntries(), 0);
  EXPECT_EQ(I32(Bytes(".zyngdd"), 0), 1);
  EXPECT_EQ(Bytes(".zyngdd").size(), 260u + 1024);
}

TEST_F(GeoDBTest, BoxQueryMatchesBruteForce) {
  DB.SetGDBName(Base);
  DB.SetLazyWrite(true);
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> lat(-80, 80), lon(-180, 180), d(0, 2);
  for (int i = 0; i < 600; ++i) {
    const float a = lat(rng), o = lon(rng);
    if (i % 3 == 0) AddTownAt(a, o);
    else AddPolygon({{a, o}, {a + d(rng), o + d(rng)}}, "p", i % 2 ? gitLake : gitRiver);
  }
  AddPolygon({{-60, -170}, {60, 170}}, "huge", gitBorder);
  AddPolygon({}, "empty");
  DB.SetLazyWrite(false);
  for (int q = 0; q < 50; ++q) {
    const TRectDouble box{lon(rng), lat(rng) + 10, lon(rng), lat(rng)};
    const std::optional<TgdbItem> kind = q % 2 ? std::optional<TgdbItem>(gitLake) : std::nullopt;
    std::vector<std::int32_t> expected;
    for (int e = 1; e <= DB.NumEntries(); ++e) {
      const TgdbData it = DB.Data(e);
      const double s = std::min(box.Top, box.Bottom), n = std::max(box.Top, box.Bottom);
      const double w = std::min(box.Left, box.Right), ea = std::max(box.Left, box.Right);
      if ((!kind || it.ItemKind == *kind) && it.LatLow <= it.LatHigh && it.LatLow <= n && it.LatHigh >= s &&
          it.LongLow <= ea && it.LongHigh >= w)
        expected.push_back(e);
    }
    EXPECT_EQ(DB.SearchItemsInBox(box, kind), expected) << q;
  }
}

TEST_F(GeoDBTest, GarbageCollectionDropsOrphanBlocksAndKeepsItems) {
  DB.SetGDBName(Base);
  AddPolygon({{1, 1}, {2, 2}}, "a");
  AddPolygon({{3, 3}}, "b");
  const std::uint8_t bytes[5] = {9, 8, 7, 6, 5};
  TMetaInfo m;
  DB.AddBLOB("c", 0, 0, 0, 0, 0, 0, 0, 0, 0, m, bytes, 5);
  DB.ReplaceRiver(1, "a2", {{4, 4}, {5, 5}, {6, 6}}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  DB.DeleteData(2);
  DB.GarbageCollection();
  EXPECT_EQ(Bytes(".zyngdd").size(), 260u + 24 + 1024 + 5);
  EXPECT_FALSE(std::filesystem::exists(Base + ".zyngdd.old"));
  TGeoDB reopened;
  reopened.SetGDBName(Base);
  TgdbPolygon p;
  ASSERT_TRUE(reopened.RetrievePolygon(1, p));
  EXPECT_EQ(p, (TgdbPolygon{{4, 4}, {5, 5}, {6, 6}}));
  std::uint8_t out[5] = {};
  ASSERT_TRUE(reopened.RetrieveBLOB(2, m, out, 5));
  EXPECT_EQ(out[4], 5);
}

TEST_F(GeoDBTest, UpdateBasicDataKeepsIdentifierAndBlock) {
  DB.SetGDBName(Base);
  AddPolygon({{1, 1}, {2, 2}});
  TgdbData d = DB.Data(1);
  d.ItemId = 77;
  d.BlobOffset = 5;
  d.Name = MakeGdbName("renamed");
  d.LatLow = -50;
  ASSERT_TRUE(DB.UpdateBasicData(1, d));
  EXPECT_FALSE(DB.UpdateBasicData(2, d));
  const TgdbData s = DB.Data(1);
  EXPECT_EQ(s.ItemId, 1);
  EXPECT_EQ(s.BlobOffset, 260);
  EXPECT_EQ(s.LatLow, 1);
  EXPECT_EQ(s.Name.Str(), "renamed");
}

TEST(GeoDBRoutines, ClearAndTextHelpers) {
  TgdbData d;
  d.NumPoints = 5;
  d.ItemKind = gitLake;
  ClearGdbData(d);
  EXPECT_EQ(d.ItemKind, gitUndefined);
  EXPECT_EQ(d.BlobOffset, -1);
  EXPECT_EQ(d.NumPoints, 5);
  EXPECT_EQ(d.Name.Chars[58], ' ');
  EXPECT_GT(d.Date, 40000);
  d.LatLow = 3;
  d.LongLow = 4;
  EXPECT_EQ(ExtractLocation(d), (TSCoords{3, 4}));
  EXPECT_TRUE(GeoLatitude(-95, dgfDegrees, 0).ends_with(" S"));
  EXPECT_EQ(GeoLatitude(-95, dgfDegrees, 0), GeoLatitude(90, dgfDegrees, 0).substr(0, GeoLatitude(90, dgfDegrees, 0).size() - 2) + " S");
  EXPECT_TRUE(GeoLatitude(0, dgfMinutes, 1).ends_with(" N"));
  EXPECT_EQ(GeoLongitude(200, dgfSeconds, 0), GeoLongitude(180, dgfSeconds, 0));
  EXPECT_TRUE(GeoLongitude(-1, dgfDegrees, 2).ends_with(" W"));
  EXPECT_STREQ(GDB_ITEMNAMES[gitBLOB], "BLOB");
  EXPECT_STREQ(GdbItemName(static_cast<TgdbItem>(200)), "Undefined");
}

} // namespace
} // namespace zyn::test
