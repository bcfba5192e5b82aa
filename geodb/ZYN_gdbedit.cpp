// Adding, replacing, deleting and updating items.

#include <algorithm>
#include <array>

#include "geodb/ZYN_gdbinternal.h"
#include "platform/ZYN_filesystem.h"
#include "platform/ZYN_sysutils.h"

namespace zyn {

namespace {

TgdbItemArgs ItemArgs(const std::string& Name, TgdbItem Kind, TDateTime Date, std::int32_t StateFlag, float LatLow,
                      float LatHigh, float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                      std::int32_t UserTag) {
  TgdbItemArgs a;
  a.Name = Name;
  a.Kind = Kind;
  a.Date = Date;
  a.StateFlag = StateFlag;
  a.LatLow = LatLow;
  a.LatHigh = LatHigh;
  a.LongLow = LongLow;
  a.LongHigh = LongHigh;
  a.Altitude = Altitude;
  a.ClassNumber = ClassNumber;
  a.UserTag = UserTag;
  return a;
}

TgdbItemArgs PolygonArgs(const std::string& Name, const TgdbPolygon& Polygon, bool Closed, TgdbItem Kind,
                         TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                         float LongHigh, float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  TgdbItemArgs a =
      ItemArgs(Name, Kind, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude, ClassNumber, UserTag);
  a.Polygon = &Polygon;
  a.Closed = Closed;
  return a;
}

TgdbItemArgs TownArgs(const std::string& Name, TDateTime Date, std::int32_t StateFlag, const TSCoords& Location,
                      float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  return ItemArgs(Name, gitTown, Date, StateFlag, Location.Latit, Location.Latit, Location.Longit, Location.Longit,
                  Altitude, ClassNumber, UserTag);
}

TgdbItemArgs DataArgs(const std::string& Name, const TgdbPolygon& Polygon, bool Closed, TgdbItem Kind,
                      std::uint8_t ClassNumber, TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh,
                      float LongLow, float LongHigh, float Altitude, std::int32_t UserTag, const TMetaInfo& MInfo,
                      const void* PBLOBData, std::int32_t SizeOfBLOBData, bool FromFile) {
  TgdbItemArgs a = PolygonArgs(Name, Polygon, Closed, Kind, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                               Altitude, ClassNumber, UserTag);
  a.MInfo = MInfo;
  a.PBLOBData = PBLOBData;
  a.SizeOfBLOBData = SizeOfBLOBData;
  a.FromFile = FromFile;
  a.SourcePath = MInfo.FilePath.Str();
  return a;
}

/// The box of a polygon; empty (low above high) without points.
void PolygonBox(const TgdbPolygon& Polygon, TgdbData& Rec) {
  Rec.LatLow = 90;
  Rec.LatHigh = -90;
  Rec.LongLow = 180;
  Rec.LongHigh = -180;
  for (const TSCoords& p : Polygon) {
    if (p.Latit < Rec.LatLow) Rec.LatLow = p.Latit;
    if (p.Latit > Rec.LatHigh) Rec.LatHigh = p.Latit;
    if (p.Longit < Rec.LongLow) Rec.LongLow = p.Longit;
    if (p.Longit > Rec.LongHigh) Rec.LongHigh = p.Longit;
  }
}

} // namespace

// ---- Generic forms ----

std::int32_t TGeoDB::AddData(const std::string& Name, const TgdbPolygon& Polygon, bool Closed, TgdbItem Kind,
                             std::uint8_t ClassNumber, TDateTime Date, std::int32_t StateFlag, float LatLow,
                             float LatHigh, float LongLow, float LongHigh, float Altitude, std::int32_t UserTag,
                             const TMetaInfo& MInfo, const void* PBLOBData, std::int32_t SizeOfBLOBData,
                             bool FromFile) {
  return AddItem(DataArgs(Name, Polygon, Closed, Kind, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
                          LongHigh, Altitude, UserTag, MInfo, PBLOBData, SizeOfBLOBData, FromFile));
}

void TGeoDB::ReplaceData(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, bool Closed,
                         TgdbItem Kind, std::uint8_t ClassNumber, TDateTime Date, std::int32_t StateFlag,
                         float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                         std::int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData,
                         std::int32_t SizeOfBLOBData, bool FromFile) {
  ReplaceItem(DBEntry, DataArgs(Name, Polygon, Closed, Kind, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
                                LongHigh, Altitude, UserTag, MInfo, PBLOBData, SizeOfBLOBData, FromFile));
}

std::int32_t TGeoDB::AddItem(TgdbItemArgs Args) {
  if (!IsOpen()) return -1;
  Progress(0);
  std::unique_ptr<TGdbFileLease> gdd;
  try {
    gdd = std::make_unique<TGdbFileLease>(FHeldGDD, FNameGDD, true, FLazyWrite);
  } catch (const EInOutError&) {
    RaiseError(": AddData: cannot open database.");
  }
  RefuseOversizedBlock(Args, **gdd, "AddData");
  ++FSystemData.HighestID;
  try {
    WriteHeader(**gdd);
  } catch (const EInOutError&) {
    RaiseError(": AddData: cannot open database.");
  }
  TgdbData rec = BuildRecord(Args, FSystemData.HighestID);
  WriteBlock(rec, Args, **gdd);
  gdd.reset();

  StoreSummaryRecord(FNumSumItems, rec);
  if (!FLazyWrite) FlushPendingIndexEntries();
  FSumData.push_back(rec);
  ++FNumSumItems;
  NoteExtentOf(rec);
  if (!FLazyWrite) {
    // Without LazyWrite every entry goes in at once; with it, entries wait
    // and are merged in bulk at the next look-up.
    AppendFreeIndexSlots();
    InsertIntoIndex(FNumSumItems, rec);
    FNumIndexed = FNumSumItems;
    SaveAllIndexes();
  }
  Progress(100);
  return FNumSumItems;
}

void TGeoDB::ReplaceItem(std::int32_t DBEntry, TgdbItemArgs Args) {
  if (!IsOpen() || DBEntry < 1 || DBEntry > FNumSumItems) return;
  Progress(0);
  const auto e = static_cast<std::size_t>(DBEntry - 1);
  TgdbData rec = BuildRecord(Args, FSumData[e].ItemId);
  {
    TGdbFileLease gdd(FHeldGDD, FNameGDD, true, FLazyWrite);
    RefuseOversizedBlock(Args, *gdd, "ReplaceData");
    WriteBlock(rec, Args, *gdd);
  }
  FlushPendingIndexEntries();
  StoreSummaryRecord(DBEntry - 1, rec);
  FSumData[e] = rec;
  FMaxExtent.reset();
  RemoveIndexEntries(DBEntry);
  InsertIntoIndex(DBEntry, rec);
  AfterIndexChange();
  Progress(100);
}

void TGeoDB::DeleteData(std::int32_t DbEntry) {
  if (FNameGDS.empty() || DbEntry < 1 || DbEntry > FNumSumItems) return;
  FlushPendingIndexEntries();
  const std::int32_t n = FNumSumItems;
  const std::int32_t e = DbEntry - 1;
  {
    TGdbFileLease gds(FHeldGDS, FNameGDS, true, FLazyWrite);
    if (e != n - 1) {
      std::array<std::uint8_t, GDB_DATA_SIZE> last{};
      GdbDataToBytes(FSumData[static_cast<std::size_t>(n - 1)], last.data());
      gds->WriteAt(static_cast<std::int64_t>(e) * GDB_DATA_SIZE, last.data(), GDB_DATA_SIZE);
    }
    gds->Truncate(static_cast<std::int64_t>(n - 1) * GDB_DATA_SIZE);
  }
  FSumData[static_cast<std::size_t>(e)] = FSumData[static_cast<std::size_t>(n - 1)];
  FSumData.pop_back();
  FMaxExtent.reset();

  RemoveIndexEntries(DbEntry);
  auto renumber = [&](auto& ix) {
    for (std::size_t i = 0; i < std::min(ix.size(), static_cast<std::size_t>(n)); ++i)
      if (ix[i].index == n - 1) {
        ix[i].index = e;
        break;
      }
  };
  renumber(FIx0ItemId);
  renumber(FIx1LatLo);
  renumber(FIx2LatHi);
  renumber(FIx3LongLo);
  renumber(FIx4LongHi);
  FNumSumItems = n - 1;
  FNumIndexed = FNumSumItems;
  CutIndexes(static_cast<std::size_t>(FNumSumItems));
  AfterIndexChange();
}

bool TGeoDB::UpdateBasicData(std::int32_t DbEntry, const TgdbData& GdbData) {
  if (!IsOpen() || DbEntry < 1 || DbEntry > FNumSumItems) return false;
  FlushPendingIndexEntries();
  const TgdbData& old = FSumData[static_cast<std::size_t>(DbEntry - 1)];
  TgdbData rec = GdbData;
  rec.ItemId = old.ItemId;
  rec.ItemKind = old.ItemKind;
  rec.BlobOffset = old.BlobOffset;
  rec.NumPoints = old.NumPoints;
  if (IsPolygonKind(old.ItemKind)) {
    // A polygon's box follows from its points.
    rec.LatLow = old.LatLow;
    rec.LatHigh = old.LatHigh;
    rec.LongLow = old.LongLow;
    rec.LongHigh = old.LongHigh;
    rec.Closed = old.Closed;
  }
  StoreSummaryRecord(DbEntry - 1, rec);
  FSumData[static_cast<std::size_t>(DbEntry - 1)] = rec;
  FMaxExtent.reset();
  RemoveIndexEntries(DbEntry);
  InsertIntoIndex(DbEntry, rec);
  AfterIndexChange();
  return true;
}

// ---- Steps ----

TgdbData TGeoDB::BuildRecord(const TgdbItemArgs& Args, std::int32_t ItemId) const {
  TgdbData rec;
  rec.ItemId = ItemId;
  rec.Name = MakeGdbName(Args.Name);
  rec.BlobOffset = -1;
  rec.ClassFlag = Args.ClassNumber;
  rec.Tag = Args.UserTag;
  rec.ItemKind = Args.Kind;
  rec.Date = Args.Date;
  rec.StateFlag = Args.StateFlag;
  rec.LatLow = Args.LatLow;
  rec.LatHigh = Args.LatHigh;
  rec.LongLow = Args.LongLow;
  rec.LongHigh = Args.LongHigh;
  rec.Altitude = Args.Altitude;
  rec.NumPoints = 0;
  rec.Closed = false;
  return rec;
}

void TGeoDB::WriteBlock(TgdbData& Rec, const TgdbItemArgs& Args, TGdbFile& GDD) {
  if (IsPolygonKind(Args.Kind)) {
    Rec.Closed = Args.Closed;
    static const TgdbPolygon none;
    WritePolygonBlock(Rec, Args.Polygon ? *Args.Polygon : none, GDD);
  } else if (Args.Kind == gitBLOB) {
    WriteBlobBlock(Rec, Args, GDD);
  }
}

void TGeoDB::WritePolygonBlock(TgdbData& Rec, const TgdbPolygon& Polygon, TGdbFile& GDD) {
  PolygonBox(Polygon, Rec);
  Rec.BlobOffset = static_cast<std::int32_t>(GDD.Size());
  Rec.NumPoints = static_cast<std::int32_t>(Polygon.size());
  const std::size_t perChunk = GDB_BUFFER_SIZE / GDB_POINT_SIZE;
  std::vector<std::uint8_t> chunk(std::min(Polygon.size(), perChunk) * GDB_POINT_SIZE);
  for (std::size_t first = 0; first < Polygon.size(); first += perChunk) {
    const std::size_t count = std::min(perChunk, Polygon.size() - first);
    for (std::size_t j = 0; j < count; ++j) PointToBytes(Polygon[first + j], chunk.data() + j * GDB_POINT_SIZE);
    GDD.Append(chunk.data(), static_cast<std::int64_t>(count * GDB_POINT_SIZE));
    for (std::size_t j = first; j < first + count; ++j) ProgressOf(static_cast<double>(j) * 100 / Rec.NumPoints);
  }
}

std::int64_t TGeoDB::BlockBytesToWrite(const TgdbItemArgs& Args) const {
  if (IsPolygonKind(Args.Kind))
    return Args.Polygon ? static_cast<std::int64_t>(Args.Polygon->size() * GDB_POINT_SIZE) : 0;
  if (Args.Kind != gitBLOB) return 0;
  const std::int64_t bytes =
      Args.FromFile ? std::max<std::int64_t>(FileSize(Args.SourcePath), 0) : std::max<std::int64_t>(Args.SizeOfBLOBData, 0);
  return static_cast<std::int64_t>(GDB_META_SIZE) + bytes;
}

void TGeoDB::RefuseOversizedBlock(const TgdbItemArgs& Args, TGdbFile& GDD, const char* Operation) const {
  if (GDD.Size() + BlockBytesToWrite(Args) > GDB_MAX_DATA_FILE_SIZE)
    RaiseError(std::string(": ") + Operation + ": the data file would exceed 2 GiB.");
}

void TGeoDB::StoreSummaryRecord(std::int32_t Record, const TgdbData& Rec) {
  std::array<std::uint8_t, GDB_DATA_SIZE> bytes{};
  GdbDataToBytes(Rec, bytes.data());
  TGdbFileLease gds(FHeldGDS, FNameGDS, true, FLazyWrite);
  // By record number rather than at the file's end, so a partial record left
  // by an interrupted append is overwritten instead of shifting the rest.
  gds->WriteAt(static_cast<std::int64_t>(Record) * GDB_DATA_SIZE, bytes.data(), GDB_DATA_SIZE);
}

void TGeoDB::AfterIndexChange() {
  if (!FLazyWrite) SaveAllIndexes();
}

// ---- Typed forms ----

std::int32_t TGeoDB::AddBorder(const std::string& Name, const TgdbPolygon& Polygon, bool ClosedLine, TDateTime Date,
                               std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                               float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  return AddItem(PolygonArgs(Name, Polygon, ClosedLine, gitBorder, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                             Altitude, ClassNumber, UserTag));
}
std::int32_t TGeoDB::AddCity(const std::string& Name, const TgdbPolygon& Polygon, bool ClosedLine, TDateTime Date,
                             std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                             float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  return AddItem(PolygonArgs(Name, Polygon, ClosedLine, gitCity, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                             Altitude, ClassNumber, UserTag));
}
std::int32_t TGeoDB::AddLake(const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                             std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                             float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  return AddItem(PolygonArgs(Name, Polygon, true, gitLake, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                             Altitude, ClassNumber, UserTag));
}
std::int32_t TGeoDB::AddRiver(const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                              std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                              float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  return AddItem(PolygonArgs(Name, Polygon, false, gitRiver, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                             Altitude, ClassNumber, UserTag));
}
std::int32_t TGeoDB::AddRoad(const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                             std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                             float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  return AddItem(PolygonArgs(Name, Polygon, false, gitRoad, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                             Altitude, ClassNumber, UserTag));
}
std::int32_t TGeoDB::AddRoute(const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                              std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                              float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  return AddItem(PolygonArgs(Name, Polygon, false, gitRoute, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                             Altitude, ClassNumber, UserTag));
}
std::int32_t TGeoDB::AddTown(const std::string& Name, TDateTime Date, std::int32_t StateFlag, const TSCoords& Location,
                             float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  return AddItem(TownArgs(Name, Date, StateFlag, Location, Altitude, ClassNumber, UserTag));
}

void TGeoDB::ReplaceBorder(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                           TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                           float LongHigh, float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  ReplaceItem(DBEntry, PolygonArgs(Name, Polygon, ClosedLine, gitBorder, Date, StateFlag, LatLow, LatHigh, LongLow,
                                   LongHigh, Altitude, ClassNumber, UserTag));
}
void TGeoDB::ReplaceCity(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                         TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                         float LongHigh, float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  ReplaceItem(DBEntry, PolygonArgs(Name, Polygon, ClosedLine, gitCity, Date, StateFlag, LatLow, LatHigh, LongLow,
                                   LongHigh, Altitude, ClassNumber, UserTag));
}
void TGeoDB::ReplaceLake(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                         std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  ReplaceItem(DBEntry, PolygonArgs(Name, Polygon, true, gitLake, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                                   Altitude, ClassNumber, UserTag));
}
void TGeoDB::ReplaceRiver(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                          std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                          float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  ReplaceItem(DBEntry, PolygonArgs(Name, Polygon, false, gitRiver, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                                   Altitude, ClassNumber, UserTag));
}
void TGeoDB::ReplaceRoad(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                         std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  ReplaceItem(DBEntry, PolygonArgs(Name, Polygon, false, gitRoad, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                                   Altitude, ClassNumber, UserTag));
}
void TGeoDB::ReplaceRoute(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                          std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                          float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  ReplaceItem(DBEntry, PolygonArgs(Name, Polygon, false, gitRoute, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                                   Altitude, ClassNumber, UserTag));
}
void TGeoDB::ReplaceTown(std::int32_t DBEntry, const std::string& Name, TDateTime Date, std::int32_t StateFlag,
                         const TSCoords& Location, float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag) {
  ReplaceItem(DBEntry, TownArgs(Name, Date, StateFlag, Location, Altitude, ClassNumber, UserTag));
}

// Used by the BLOB forms.
TgdbItemArgs GdbBlobArgs(const std::string& Name, TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh,
                         float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                         std::int32_t UserTag, const TMetaInfo& MInfo) {
  TgdbItemArgs a =
      ItemArgs(Name, gitBLOB, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude, ClassNumber, UserTag);
  a.MInfo = MInfo;
  return a;
}

} // namespace zyn
