// Opening, creating and closing a file set; deferred index saving; the header.

#include <algorithm>
#include <array>

#include "geodb/ZYN_gdbinternal.h"
#include "platform/ZYN_datetime.h"
#include "platform/ZYN_sysutils.h"
#include "support/ZYN_filesys.h"

namespace zyn {

namespace {

/// The content of FileName; an empty file is created when it cannot be opened.
std::vector<std::uint8_t> ReadOrCreate(const std::string& FileName) {
  if (auto f = TGdbFile::TryOpenRead(FileName)) return f->ReadAll();
  TGdbFile created(FileName, TGdbFile::gfaCreate);
  return created.ReadAll();
}

} // namespace

TGdbFileLease::TGdbFileLease(std::unique_ptr<TGdbFile>& Held, const std::string& FileName, bool ForWriting,
                             bool KeepOpen) {
  if (!Held) {
    FOwned = std::make_unique<TGdbFile>(FileName, ForWriting || KeepOpen ? TGdbFile::gfaReadWrite : TGdbFile::gfaRead);
    if (KeepOpen) Held = std::move(FOwned);
  }
  FFile = Held ? Held.get() : FOwned.get();
}

TDateTime GdbNow() { return Now(); }

TGeoDB::TGeoDB(TComponent* AOwner) : TComponent(AOwner) { ResetSystemData(); }

TGeoDB::~TGeoDB() {
  try {
    if (FLazyWrite) SaveAllIndexes();
  } catch (...) {
    // A destructor cannot report; the index files are rebuilt on the next opening.
  }
}

std::string TGeoDB::GetGDBName() const { return FNameGDS.empty() ? std::string() : StripExtension(FNameGDS); }

void TGeoDB::ResetSystemData() {
  FSystemData = TgdbSystemData{};
  FSystemData.DBVersion = 4;
}

void TGeoDB::CloseSet() {
  ReleaseHeldFiles();
  ResetSystemData();
  FNameGDS.clear();
  FNameGDD.clear();
  for (auto& n : FNameIX) n.clear();
  FNumSumItems = 0;
  FNumIndexed = 0;
  FSumData.clear();
  FIx0ItemId.clear();
  FIx1LatLo.clear();
  FIx2LatHi.clear();
  FIx3LongLo.clear();
  FIx4LongHi.clear();
  FMaxExtent.reset();
}

void TGeoDB::SetGDBName(const std::string& Value) {
  if (Value.empty()) {
    if (FLazyWrite) SaveAllIndexes();
    FLazyWrite = false;
    CloseSet();
    return;
  }
  if (IsOpen() && FLazyWrite) SaveAllIndexes();
  const std::string base = StripExtension(Value);
  CloseSet();
  try {
    LoadSet(base);
  } catch (...) {
    // Never leave a half-loaded set behind: later writes would corrupt it.
    CloseSet();
    throw;
  }
}

void TGeoDB::LoadSet(const std::string& Base) {
  FNameIX[0] = Base + ".zyngi0";
  for (int i = 1; i <= 4; ++i) FNameIX[i] = Base + ".zyngi" + static_cast<char>('0' + i);
  IxRecsFromBytes(ReadOrCreate(FNameIX[1]), FIx1LatLo);
  IxRecsFromBytes(ReadOrCreate(FNameIX[2]), FIx2LatHi);
  IxRecsFromBytes(ReadOrCreate(FNameIX[3]), FIx3LongLo);
  IxRecsFromBytes(ReadOrCreate(FNameIX[4]), FIx4LongHi);
  IxRecsFromBytes(ReadOrCreate(FNameIX[0]), FIx0ItemId);

  const std::string gds = Base + ".zyngds";
  const std::vector<std::uint8_t> summary = ReadOrCreate(gds);
  // A partial record at the end (an interrupted append) is not an item.
  FSumData.resize(summary.size() / GDB_DATA_SIZE);
  for (std::size_t i = 0; i < FSumData.size(); ++i) FSumData[i] = GdbDataFromBytes(summary.data() + i * GDB_DATA_SIZE);
  FNumSumItems = static_cast<std::int32_t>(std::min<std::size_t>(FSumData.size(), GDB_MAX_DATA_FILE_SIZE));
  FSumData.resize(static_cast<std::size_t>(FNumSumItems));

  const std::string gdd = Base + ".zyngdd";
  std::int32_t maxId = 0;
  for (const auto& d : FSumData) maxId = std::max(maxId, d.ItemId);
  if (auto f = TGdbFile::TryOpenRead(gdd)) {
    std::array<std::uint8_t, GDB_SYSTEM_SIZE> header{};
    f->ReadAt(0, header.data(), GDB_SYSTEM_SIZE);
    FSystemData = SystemDataFromBytes(header.data());
    // Identifiers stay unique even when the header lags behind (a torn write).
    FSystemData.HighestID = std::max(FSystemData.HighestID, maxId);
  } else {
    ResetSystemData();
    FSystemData.HighestID = maxId;
    TGdbFile created(gdd, TGdbFile::gfaCreate);
    WriteHeader(created);
  }
  FNameGDS = gds;
  FNameGDD = gdd;

  FNumIndexed = FNumSumItems;
  if (!IndexesMatchSummary()) {
    RebuildIndexes();
    if (!FLazyWrite) SaveAllIndexes();
  }
}

void TGeoDB::SetLazyWrite(bool Value) {
  if (Value == FLazyWrite) return;
  if (!Value) {
    ReleaseHeldFiles();
    SaveAllIndexes();
  }
  FLazyWrite = Value;
}

void TGeoDB::ReleaseHeldFiles() noexcept {
  FHeldGDD.reset();
  FHeldGDS.reset();
}

void TGeoDB::SaveIndex(std::int32_t Index) {
  if (FNameIX[0].empty() || Index < 0 || Index > 4) return;
  FlushPendingIndexEntries();
  const auto& name = FNameIX[static_cast<std::size_t>(Index)];
  switch (Index) {
    case 0: WriteWholeFile(name, IxRecsToBytes(FIx0ItemId)); break;
    case 1: WriteWholeFile(name, IxRecsToBytes(FIx1LatLo)); break;
    case 2: WriteWholeFile(name, IxRecsToBytes(FIx2LatHi)); break;
    case 3: WriteWholeFile(name, IxRecsToBytes(FIx3LongLo)); break;
    default: WriteWholeFile(name, IxRecsToBytes(FIx4LongHi)); break;
  }
}

void TGeoDB::SaveAllIndexes() {
  for (std::int32_t i = 0; i <= 4; ++i) SaveIndex(i);
}

void TGeoDB::WriteHeader(TGdbFile& F) {
  std::array<std::uint8_t, GDB_SYSTEM_SIZE> header{};
  SystemDataToBytes(FSystemData, header.data());
  F.WriteAt(0, header.data(), GDB_SYSTEM_SIZE);
}

void TGeoDB::RewriteHeaderOrRaise(const char* Operation) {
  try {
    TGdbFileLease gdd(FHeldGDD, FNameGDD, true, FLazyWrite);
    WriteHeader(*gdd);
  } catch (const EInOutError&) {
    RaiseError(std::string(": ") + Operation + ": cannot open database.");
  }
}

void TGeoDB::RaiseError(const std::string& Ending) const {
  throw EZYNGeoDBError("Component \"" + Name() + "\"" + Ending);
}

void TGeoDB::Progress(std::int32_t Percent) {
  if (OnPercentDone && FOnPercDoneEnabled) OnPercentDone(this, Percent);
}

std::string TGeoDB::GetDescription() const { return FSystemData.Description.Str(); }

void TGeoDB::SetDescription(const std::string& Value) {
  if (!IsOpen()) return;
  FSystemData.Description.Set(Value);
  RewriteHeaderOrRaise("SetDescription");
}

void TGeoDB::SetRevision(std::int32_t Value) {
  if (!IsOpen()) return;
  FSystemData.Revision = Value;
  RewriteHeaderOrRaise("SetRevision");
}

TgdbSystemData ReadSystemInformation(const std::string& FName) {
  TGdbFile f(StripExtension(FName) + ".zyngdd", TGdbFile::gfaRead);
  std::array<std::uint8_t, GDB_SYSTEM_SIZE> header{};
  f.ReadAt(0, header.data(), GDB_SYSTEM_SIZE);
  return SystemDataFromBytes(header.data());
}

} // namespace zyn
