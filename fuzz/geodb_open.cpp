// Opens a database set built from arbitrary bytes and runs the read operations.
//
// Input: for the summary file and the five index files in turn, a 16-bit
// little-endian length and that many bytes; the rest is the data file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "geodb/ZYN_GeoDB.h"
#include "platform/ZYN_sysutils.h"

namespace {

const char* const kExts[] = {".zyngds", ".zyngi0", ".zyngi1", ".zyngi2", ".zyngi3", ".zyngi4"};

void WriteFile(const std::string& Name, const std::uint8_t* Data, std::size_t Size) {
  std::ofstream out(Name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
}

void Exercise(zyn::TGeoDB& db) {
  const std::int32_t n = db.NumEntries();
  zyn::TMetaInfo meta;
  std::uint8_t buf[4096];
  for (std::int32_t e = 0; e <= n + 1 && e < 64; ++e) {
    zyn::TgdbPolygon p;
    db.RetrievePolygon(e, p);
    zyn::TMemoryStream s;
    db.RetrieveBLOB(e, meta, s);
    try {
      db.RetrieveBLOB(e, meta, buf, sizeof buf);
    } catch (const zyn::EZYNGeoDBError&) {
    }
    db.GetMetaInfo(e, meta);
    const zyn::TgdbData d = db.Data(e);
    db.SearchForItemID(d.ItemId);
    db.GetClosestLatLowIx(d.LatLow);
    db.GetClosestLongHighIx(d.LongHigh);
    db.IxLatHigh(e);
    db.SearchData(d.Name.Str());
  }
  db.SearchItemsInBox(zyn::TRectDouble{-10, 10, 10, -10});
  db.SearchItemsInBox(zyn::TRectDouble{-180, 90, 180, -90}, zyn::gitRiver);
  if (n > 0) db.DeleteData(1);
  db.AddTown("fuzz", 0, 0, zyn::TSCoords{1, 2}, 0, 0, 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("zyn_fuzz_geodb_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  const std::string base = (dir / "set").string();
  std::size_t pos = 0;
  for (const char* ext : kExts) {
    std::size_t len = 0;
    if (pos + 2 <= Size) len = Data[pos] | (static_cast<std::size_t>(Data[pos + 1]) << 8);
    pos = std::min(pos + 2, Size);
    len = std::min(len, Size - pos);
    WriteFile(base + ext, Data + pos, len);
    pos += len;
  }
  WriteFile(base + ".zyngdd", Data + pos, Size - pos);
  try {
    zyn::TGeoDB db;
    db.SetGDBName(base);
    Exercise(db);
    db.SetGDBName("");
  } catch (const zyn::EInOutError&) {
  }
  return 0;
}
