// Damaged sets and failing writes: nothing crashes, nothing is lost.

#include <cerrno>
#include <unistd.h>

#include "gdb_fixture.h"
#include "geodb/ZYN_gdbfile.h"

namespace zyn::test {
namespace {

/// Every item of a reopened set is reachable through all five indexes.
void ExpectConsistent(const std::string& Base) {
  TGeoDB db;
  db.SetGDBName(Base);
  const int n = db.NumEntries();
  for (int e = 1; e <= n; ++e) {
    EXPECT_EQ(db.SearchForItemID(db.Data(e).ItemId), e);
    TgdbPolygon p;
    if (IsPolygonKind(db.Data(e).ItemKind)) {
      EXPECT_TRUE(db.RetrievePolygon(e, p)) << e;
    }
  }
  std::vector<bool> seen(static_cast<std::size_t>(n) + 1);
  for (int pos = 1; pos <= n; ++pos) {
    const int e = db.IxLongHigh(pos).index;
    ASSERT_TRUE(e >= 1 && e <= n);
    seen[static_cast<std::size_t>(e)] = true;
    if (pos > 1) {
      EXPECT_LE(db.IxLongHigh(pos - 1).LLValue, db.IxLongHigh(pos).LLValue);
    }
  }
  for (int e = 1; e <= n; ++e) EXPECT_TRUE(seen[static_cast<std::size_t>(e)]);
}

TEST_F(GeoDBTest, DamagedIndexFilesAreRebuiltOnOpening) {
  DB.SetGDBName(Base);
  for (int i = 0; i < 6; ++i) AddPolygon({{static_cast<float>(i), static_cast<float>(-i)}});
  DB.SetGDBName("");
  auto ix1 = Bytes(".zyngi1");
  std::swap(ix1[0], ix1[8]); // wrong order
  WriteBytes(".zyngi1", ix1);
  auto ix0 = Bytes(".zyngi0");
  ix0[4] = 99; // index out of range
  WriteBytes(".zyngi0", ix0);
  WriteBytes(".zyngi3", std::vector<std::uint8_t>(13, 0)); // wrong size
  ExpectConsistent(Base);
  EXPECT_EQ(Bytes(".zyngi3").size(), 48u); // saved again
}

TEST_F(GeoDBTest, TruncatedFilesNeverReadBeyondTheData) {
  DB.SetGDBName(Base);
  AddPolygon({{1, 1}, {2, 2}, {3, 3}});
  std::vector<std::uint8_t> blob(100, 1);
  TMetaInfo m;
  DB.AddBLOB("b", 0, 0, 0, 0, 0, 0, 0, 0, 0, m, blob.data(), 100);
  DB.SetGDBName("");
  auto gdd = Bytes(".zyngdd");
  gdd.resize(260 + 20); // ends inside the polygon
  WriteBytes(".zyngdd", gdd);
  auto gds = Bytes(".zyngds");
  gds.resize(gds.size() + 50); // a partial record
  WriteBytes(".zyngds", gds);
  DB.SetGDBName(Base);
  EXPECT_EQ(DB.NumEntries(), 2);
  TgdbPolygon p{{9, 9}};
  EXPECT_FALSE(DB.RetrievePolygon(1, p));
  EXPECT_EQ(p.size(), 1u);
  std::vector<std::uint8_t> out(100);
  EXPECT_FALSE(DB.RetrieveBLOB(2, m, out.data(), 100));
  TMemoryStream s;
  EXPECT_FALSE(DB.RetrieveBLOB(2, m, s));
  EXPECT_FALSE(DB.GetMetaInfo(2, m));
  EXPECT_EQ(AddTownAt(1, 1), 3);
  EXPECT_EQ(Bytes(".zyngds").size(), 360u);
}

TEST_F(GeoDBTest, DataFileBeyond2GiBIsRefusedBeforeWriting) {
  DB.SetGDBName(Base);
  DB.SetGDBName("");
  ASSERT_EQ(::truncate((Base + ".zyngdd").c_str(), 0x7FFFFFFF - 100), 0); // sparse
  DB.SetGDBName(Base);
  EXPECT_EQ(AddPolygon(TgdbPolygon(10)), 1);
  try {
    AddPolygon(TgdbPolygon(10));
    ADD_FAILURE();
  } catch (const EZYNGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"GeoDB1\": AddData: the data file would exceed 2 GiB.");
  }
  EXPECT_EQ(DB.NumEntries(), 1);
  EXPECT_EQ(I32(Bytes(".zyngds"), 0), 1);
  EXPECT_EQ(std::filesystem::file_size(Base + ".zyngdd"), 0x7FFFFFFFu - 100 + 80);
}

/// Fails the N-th write from now on, letting half of its bytes through.
struct FailNthWrite {
  explicit FailNthWrite(int N) {
    SetGdbWriteHookForTesting([this, N](const std::string&, std::int64_t count) {
      return ++Count == N ? count / 2 : count;
    });
  }
  ~FailNthWrite() { SetGdbWriteHookForTesting({}); }
  int Count = 0;
};

TEST_F(GeoDBTest, FailureAtEachWriteOfAnAddLeavesConsistentSet) {
  DB.SetGDBName(Base);
  AddPolygon({{1, 1}, {2, 2}});
  int writes = 0;
  {
    FailNthWrite counting(-1);
    AddPolygon({{3, 3}});
    writes = counting.Count;
  }
  EXPECT_EQ(writes, 8); // header, block, summary, five indexes
  for (int n = 1; n <= writes; ++n) {
    {
      FailNthWrite fail(n);
      EXPECT_ANY_THROW(AddPolygon({{static_cast<float>(n), 5}, {6, 7}})) << n;
    }
    ExpectConsistent(Base);
    DB.SetGDBName(Base);
  }
  {
    FailNthWrite fail(2); // the summary record of a replace: nothing written
    SetGdbWriteHookForTesting([](const std::string&, std::int64_t c) { return c == 120 ? 0 : c; });
    EXPECT_ANY_THROW(DB.ReplaceRiver(1, "r", {{8, 8}}, 0, 0, 0, 0, 0, 0, 0, 0, 0));
  }
  ExpectConsistent(Base);
}

TEST_F(GeoDBTest, HeaderFailureRaisesDatabaseError) {
  DB.SetGDBName(Base);
  FailNthWrite fail(1);
  try {
    AddTownAt(1, 1);
    ADD_FAILURE();
  } catch (const EZYNGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"GeoDB1\": AddData: cannot open database.");
  }
  EXPECT_EQ(DB.NumEntries(), 0);
}

} // namespace
} // namespace zyn::test
