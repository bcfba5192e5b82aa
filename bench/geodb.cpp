// TGeoDB beside SQLite with an R*Tree index holding the same items: bulk
// load of 100 000 polygons of 10 points, identifier look-ups, bounding-box
// queries on 1 000 random rectangles, reopening, and the cost of one add with
// LazyWrite off. Prints each pair and the ratio after the run.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "geodb/ZYN_GeoDB.h"

namespace {

constexpr int kItems = 100000;
constexpr int kPoints = 10;
constexpr int kRects = 1000;

struct TItem {
  zyn::TgdbPolygon Points;
  float LatLow, LatHigh, LongLow, LongHigh;
};

const std::vector<TItem>& Items() {
  static const std::vector<TItem> items = [] {
    std::mt19937 rng(42);
    std::uniform_real_distribution<float> lat(-80, 80), lon(-179, 179), off(-0.5f, 0.5f);
    std::vector<TItem> v(kItems);
    for (auto& it : v) {
      const float a = lat(rng), o = lon(rng);
      it.LatLow = it.LongLow = 1000;
      it.LatHigh = it.LongHigh = -1000;
      for (int p = 0; p < kPoints; ++p) {
        const zyn::TSCoords c{a + off(rng), o + off(rng)};
        it.Points.push_back(c);
        it.LatLow = std::min(it.LatLow, c.Latit);
        it.LatHigh = std::max(it.LatHigh, c.Latit);
        it.LongLow = std::min(it.LongLow, c.Longit);
        it.LongHigh = std::max(it.LongHigh, c.Longit);
      }
    }
    return v;
  }();
  return items;
}

const std::vector<zyn::TRectDouble>& Rects() {
  static const std::vector<zyn::TRectDouble> rects = [] {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> lat(-80, 75), lon(-180, 175), span(1, 5);
    std::vector<zyn::TRectDouble> v(kRects);
    for (auto& r : v) {
      r.Bottom = lat(rng);
      r.Top = r.Bottom + span(rng);
      r.Left = lon(rng);
      r.Right = r.Left + span(rng);
    }
    return v;
  }();
  return rects;
}

std::filesystem::path Dir() {
  static const auto d = [] {
    auto p = std::filesystem::temp_directory_path() / ("zyn_bench_geodb_" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p;
  }();
  return d;
}

void RemoveSet(const std::string& Base) {
  for (const char* e : {".zyngds", ".zyngdd", ".zyngi0", ".zyngi1", ".zyngi2", ".zyngi3", ".zyngi4"})
    std::filesystem::remove(Base + e);
}

void LoadGeoDB(zyn::TGeoDB& db, int Count) {
  db.SetLazyWrite(true);
  for (int i = 0; i < Count; ++i) {
    const TItem& it = Items()[static_cast<std::size_t>(i)];
    db.AddRiver("river", it.Points, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  }
  db.SetLazyWrite(false);
}

// ---- SQLite ----

void Exec(sqlite3* db, const char* sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
    std::fprintf(stderr, "sqlite: %s\n", err);
    sqlite3_free(err);
  }
}

sqlite3* OpenSQLite(const std::string& Name) {
  sqlite3* db = nullptr;
  sqlite3_open(Name.c_str(), &db);
  return db;
}

void LoadSQLite(sqlite3* db) {
  Exec(db, "CREATE TABLE items(id INTEGER PRIMARY KEY, name TEXT, kind INTEGER, closed INTEGER, points BLOB);"
           "CREATE VIRTUAL TABLE box USING rtree(id, latlow, lathigh, longlow, longhigh);");
  Exec(db, "BEGIN");
  sqlite3_stmt *item = nullptr, *box = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO items VALUES(?,?,?,?,?)", -1, &item, nullptr);
  sqlite3_prepare_v2(db, "INSERT INTO box VALUES(?,?,?,?,?)", -1, &box, nullptr);
  for (int i = 0; i < kItems; ++i) {
    const TItem& it = Items()[static_cast<std::size_t>(i)];
    sqlite3_bind_int(item, 1, i + 1);
    sqlite3_bind_text(item, 2, "river", -1, SQLITE_STATIC);
    sqlite3_bind_int(item, 3, zyn::gitRiver);
    sqlite3_bind_int(item, 4, 0);
    sqlite3_bind_blob(item, 5, it.Points.data(), static_cast<int>(it.Points.size() * 8), SQLITE_STATIC);
    sqlite3_step(item);
    sqlite3_reset(item);
    sqlite3_bind_int(box, 1, i + 1);
    sqlite3_bind_double(box, 2, it.LatLow);
    sqlite3_bind_double(box, 3, it.LatHigh);
    sqlite3_bind_double(box, 4, it.LongLow);
    sqlite3_bind_double(box, 5, it.LongHigh);
    sqlite3_step(box);
    sqlite3_reset(box);
  }
  sqlite3_finalize(item);
  sqlite3_finalize(box);
  Exec(db, "COMMIT");
}

// Shared, loaded once for the query benchmarks.
zyn::TGeoDB& LoadedGeoDB() {
  static zyn::TGeoDB db;
  if (db.NumEntries() == 0) {
    const std::string base = (Dir() / "query").string();
    RemoveSet(base);
    db.SetGDBName(base);
    LoadGeoDB(db, kItems);
  }
  return db;
}

sqlite3* LoadedSQLite() {
  static sqlite3* db = [] {
    const std::string name = (Dir() / "query.sqlite").string();
    std::filesystem::remove(name);
    sqlite3* d = OpenSQLite(name);
    LoadSQLite(d);
    return d;
  }();
  return db;
}

// ---- Benchmarks ----

void BM_BulkLoad_GeoDB(benchmark::State& state) {
  const std::string base = (Dir() / "bulk").string();
  for (auto _ : state) {
    state.PauseTiming();
    RemoveSet(base);
    state.ResumeTiming();
    zyn::TGeoDB db;
    db.SetGDBName(base);
    LoadGeoDB(db, kItems);
  }
}

void BM_BulkLoad_SQLite(benchmark::State& state) {
  const std::string name = (Dir() / "bulk.sqlite").string();
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(name);
    state.ResumeTiming();
    sqlite3* db = OpenSQLite(name);
    LoadSQLite(db);
    sqlite3_close(db);
  }
}

void BM_Lookup_GeoDB(benchmark::State& state) {
  zyn::TGeoDB& db = LoadedGeoDB();
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> id(1, kItems);
  for (auto _ : state) {
    const std::int32_t e = db.SearchForItemID(id(rng));
    benchmark::DoNotOptimize(db.Data(e));
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Lookup_SQLite(benchmark::State& state) {
  sqlite3* db = LoadedSQLite();
  sqlite3_stmt* q = nullptr;
  sqlite3_prepare_v2(db, "SELECT i.name, i.kind, b.latlow, b.lathigh, b.longlow, b.longhigh FROM items i "
                         "JOIN box b ON b.id = i.id WHERE i.id = ?", -1, &q, nullptr);
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> id(1, kItems);
  for (auto _ : state) {
    sqlite3_bind_int(q, 1, id(rng));
    if (sqlite3_step(q) == SQLITE_ROW) benchmark::DoNotOptimize(sqlite3_column_double(q, 2));
    sqlite3_reset(q);
  }
  sqlite3_finalize(q);
  state.SetItemsProcessed(state.iterations());
}

void BM_BoxQuery_GeoDB(benchmark::State& state) {
  zyn::TGeoDB& db = LoadedGeoDB();
  std::size_t found = 0;
  for (auto _ : state)
    for (const auto& r : Rects()) found += db.SearchItemsInBox(r).size();
  state.SetItemsProcessed(state.iterations() * kRects);
  state.counters["hits"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_BoxQuery_SQLite(benchmark::State& state) {
  sqlite3* db = LoadedSQLite();
  sqlite3_stmt* q = nullptr;
  sqlite3_prepare_v2(db, "SELECT id FROM box WHERE latlow <= ? AND lathigh >= ? AND longlow <= ? AND longhigh >= ?",
                     -1, &q, nullptr);
  std::size_t found = 0;
  for (auto _ : state) {
    for (const auto& r : Rects()) {
      sqlite3_bind_double(q, 1, r.Top);
      sqlite3_bind_double(q, 2, r.Bottom);
      sqlite3_bind_double(q, 3, r.Right);
      sqlite3_bind_double(q, 4, r.Left);
      std::vector<int> ids;
      while (sqlite3_step(q) == SQLITE_ROW) ids.push_back(sqlite3_column_int(q, 0));
      found += ids.size();
      sqlite3_reset(q);
    }
  }
  sqlite3_finalize(q);
  state.SetItemsProcessed(state.iterations() * kRects);
  state.counters["hits"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_Reopen_GeoDB(benchmark::State& state) {
  LoadedGeoDB();
  const std::string base = (Dir() / "query").string();
  for (auto _ : state) {
    zyn::TGeoDB db;
    db.SetGDBName(base);
    benchmark::DoNotOptimize(db.NumEntries());
  }
}

void BM_Reopen_SQLite(benchmark::State& state) {
  LoadedSQLite();
  const std::string name = (Dir() / "query.sqlite").string();
  for (auto _ : state) {
    sqlite3* db = OpenSQLite(name);
    sqlite3_stmt* q = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM items", -1, &q, nullptr);
    sqlite3_step(q);
    benchmark::DoNotOptimize(sqlite3_column_int(q, 0));
    sqlite3_finalize(q);
    sqlite3_close(db);
  }
}

void BM_AddOneEagerAt10000_GeoDB(benchmark::State& state) {
  const std::string base = (Dir() / "eager").string();
  RemoveSet(base);
  zyn::TGeoDB db;
  db.SetGDBName(base);
  LoadGeoDB(db, 10000);
  std::size_t i = 0;
  for (auto _ : state) {
    const TItem& it = Items()[10000 + (i++ % 1000)];
    db.AddRiver("river", it.Points, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    state.PauseTiming();
    db.DeleteData(db.NumEntries());
    state.ResumeTiming();
  }
}

BENCHMARK(BM_BulkLoad_GeoDB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BulkLoad_SQLite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Lookup_GeoDB);
BENCHMARK(BM_Lookup_SQLite);
BENCHMARK(BM_BoxQuery_GeoDB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxQuery_SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reopen_GeoDB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reopen_SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddOneEagerAt10000_GeoDB)->Unit(benchmark::kMicrosecond)->Iterations(200);

/// Keeps the real time per iteration of every run, for the ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) Seconds[r.benchmark_name()] = r.GetAdjustedRealTime() * Scale(r.time_unit);
  }
  std::map<std::string, double> Seconds;

private:
  static double Scale(benchmark::TimeUnit u) {
    switch (u) {
      case benchmark::kNanosecond: return 1e-9;
      case benchmark::kMicrosecond: return 1e-6;
      case benchmark::kMillisecond: return 1e-3;
      default: return 1;
    }
  }
};

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto& s = reporter.Seconds;
  auto pair = [&](const char* what, const std::string& key, double perIteration, const char* unit) {
    const std::string g = "BM_" + key + "_GeoDB", q = "BM_" + key + "_SQLite";
    for (const auto& [name, t] : s) {
      if (name.rfind(g, 0) != 0) continue;
      for (const auto& [name2, t2] : s)
        if (name2.rfind(q, 0) == 0)
          std::printf("%-28s TGeoDB %10.3f %s   SQLite %10.3f %s   SQLite/TGeoDB %6.2f\n", what, t * perIteration,
                      unit, t2 * perIteration, unit, t2 / t);
    }
  };
  std::printf("\n");
  pair("bulk load 100000 items", "BulkLoad", 1e3, "ms");
  pair("look-up by identifier", "Lookup", 1e9, "ns");
  pair("1000 box queries", "BoxQuery", 1e3, "ms");
  pair("reopen 100000 items", "Reopen", 1e3, "ms");
  for (const auto& [name, t] : s)
    if (name.rfind("BM_AddOneEager", 0) == 0)
      std::printf("%-28s TGeoDB %10.3f ms (LazyWrite off, all five index files rewritten)\n",
                  "add one item at 10000", t * 1e3);
  std::filesystem::remove_all(Dir());
  benchmark::Shutdown();
  return 0;
}
