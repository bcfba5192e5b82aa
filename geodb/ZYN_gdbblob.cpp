// BLOB items and reading blocks back: polygons, BLOB bytes, meta information.

#include <algorithm>
#include <array>
#include <cstring>

#include "geodb/ZYN_gdbinternal.h"
#include "platform/ZYN_binfile.h"
#include "platform/ZYN_filesystem.h"
#include "support/ZYN_stringl.h"

namespace zyn {

namespace {

std::int32_t ClampToInt32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, GDB_MAX_DATA_FILE_SIZE));
}

TgdbItemArgs MemoryBlobArgs(TgdbItemArgs Args, const void* PBLOBData, std::int64_t Size) {
  Args.PBLOBData = PBLOBData;
  Args.SizeOfBLOBData = Size;
  return Args;
}

bool EndsWithDelimiter(const std::string& Path) { return !Path.empty() && IsPathDelimiter(Path.back()); }

} // namespace

// ---- Adding and replacing ----

std::int32_t TGeoDB::AddBLOB(const std::string& FileName, TDateTime Date, std::int32_t StateFlag, float LatLow,
                             float LatHigh, float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                             std::int32_t UserTag, const TMetaInfo& MInfo) {
  return AddBlobFromFile(FileName, FileName,
                         GdbBlobArgs("", Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude, ClassNumber,
                                     UserTag, MInfo));
}

std::int32_t TGeoDB::AddBLOB(const std::string& FileName, const std::string& FNameInDB, TDateTime Date,
                             std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                             float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag, const TMetaInfo& MInfo) {
  return AddBlobFromFile(FileName, FNameInDB,
                         GdbBlobArgs("", Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude, ClassNumber,
                                     UserTag, MInfo));
}

std::int32_t TGeoDB::AddBLOB(const std::string& FileName, const std::string& FNameInDB,
                             const std::string& OrgFilePath, TDateTime Date, std::int32_t StateFlag, float LatLow,
                             float LatHigh, float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                             std::int32_t UserTag, const TMetaInfo& MInfo) {
  const std::int32_t entry = AddBLOB(FileName, FNameInDB, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh,
                                     Altitude, ClassNumber, UserTag, MInfo);
  TMetaInfo stored;
  if (entry > 0 && GetMetaInfo(entry, stored)) {
    stored.FilePath.Set(OrgFilePath);
    UpdateMetaInfo(entry, stored);
  }
  return entry;
}

std::int32_t TGeoDB::AddBLOB(const std::string& Name, TDateTime Date, std::int32_t StateFlag, float LatLow,
                             float LatHigh, float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                             std::int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData,
                             std::int32_t SizeOfBLOBData) {
  return AddItem(MemoryBlobArgs(GdbBlobArgs(Name, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude,
                                            ClassNumber, UserTag, MInfo),
                                PBLOBData, SizeOfBLOBData));
}

std::int32_t TGeoDB::AddBLOB(const std::string& Name, TDateTime Date, std::int32_t StateFlag, float LatLow,
                             float LatHigh, float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                             std::int32_t UserTag, const TMetaInfo& MInfo, TMemoryStream& Data) {
  return AddItem(MemoryBlobArgs(GdbBlobArgs(Name, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude,
                                            ClassNumber, UserTag, MInfo),
                                Data.Memory(), Data.Size()));
}

void TGeoDB::ReplaceBLOB(std::int32_t DBEntry, const std::string& FileName, TDateTime Date, std::int32_t StateFlag,
                         float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                         std::uint8_t ClassNumber, std::int32_t UserTag, const TMetaInfo& MInfo) {
  ReplaceBlobFromFile(DBEntry, FileName,
                      GdbBlobArgs("", Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude, ClassNumber,
                                  UserTag, MInfo));
}

void TGeoDB::ReplaceBLOB(std::int32_t DBEntry, const std::string& Name, TDateTime Date, std::int32_t StateFlag,
                         float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                         std::uint8_t ClassNumber, std::int32_t UserTag, const TMetaInfo& MInfo,
                         const void* PBLOBData, std::int32_t SizeOfBLOBData) {
  ReplaceItem(DBEntry, MemoryBlobArgs(GdbBlobArgs(Name, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude,
                                                  ClassNumber, UserTag, MInfo),
                                      PBLOBData, SizeOfBLOBData));
}

void TGeoDB::ReplaceBLOB(std::int32_t DBEntry, const std::string& Name, TDateTime Date, std::int32_t StateFlag,
                         float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                         std::uint8_t ClassNumber, std::int32_t UserTag, const TMetaInfo& MInfo, TMemoryStream& Data) {
  ReplaceItem(DBEntry, MemoryBlobArgs(GdbBlobArgs(Name, Date, StateFlag, LatLow, LatHigh, LongLow, LongHigh, Altitude,
                                                  ClassNumber, UserTag, MInfo),
                                      Data.Memory(), Data.Size()));
}

namespace {
TgdbItemArgs FileBlobArgs(TgdbItemArgs Args, const std::string& FileName, const std::string& NameSource) {
  Args.MInfo.FilePath.Set(FileName);
  Args.Name = ExtractFileName(NameSource);
  Args.FromFile = true;
  // The full name, which FilePath may hold only cut to 127 characters.
  Args.SourcePath = FileName;
  return Args;
}
} // namespace

std::int32_t TGeoDB::AddBlobFromFile(const std::string& FileName, const std::string& NameSource, TgdbItemArgs Args) {
  return AddItem(FileBlobArgs(std::move(Args), FileName, NameSource));
}

void TGeoDB::ReplaceBlobFromFile(std::int32_t DBEntry, const std::string& FileName, TgdbItemArgs Args) {
  ReplaceItem(DBEntry, FileBlobArgs(std::move(Args), FileName, FileName));
}

// ---- Writing the block ----

void TGeoDB::WriteBlobBlock(TgdbData& Rec, const TgdbItemArgs& Args, TGdbFile& GDD) {
  if (Args.FromFile) {
    TDateTime age = 0;
    if (FileAge(Args.SourcePath, age)) {
      Rec.Date = age;
      Rec.SetSize(ClampToInt32(FileSize(Args.SourcePath)));
    }
  } else {
    Rec.SetSize(Args.PBLOBData ? ClampToInt32(Args.SizeOfBLOBData) : 0);
  }
  std::array<std::uint8_t, GDB_META_SIZE> meta{};
  MetaInfoToBytes(Args.MInfo, meta.data());
  Rec.BlobOffset = static_cast<std::int32_t>(GDD.Append(meta.data(), GDB_META_SIZE));
  if (Args.FromFile) CopyBlobFromFile(Rec, Args.SourcePath, GDD);
  else CopyBlobFromMemory(Rec, Args, GDD);
}

void TGeoDB::CopyBlobFromFile(TgdbData& Rec, const std::string& Source, TGdbFile& GDD) {
  const std::int64_t expected = Rec.Size();
  std::int64_t copied = 0;
  {
    TFileModeGuard readOnly(fmOpenRead);
    TByteFile src(Source);
    src.Reset();
    std::vector<std::uint8_t> buf(GDB_BUFFER_SIZE);
    // Exactly the size recorded above: a file that grows meanwhile cannot
    // push the block past what the size check allowed.
    while (copied < expected) {
      const std::int64_t n = src.BlockRead(buf.data(), std::min(GDB_BUFFER_SIZE, expected - copied));
      if (n <= 0) break;
      GDD.Append(buf.data(), n);
      copied += n;
      ProgressOf(static_cast<double>(copied) / static_cast<double>(expected) * 100);
    }
  }
  Rec.SetSize(static_cast<std::int32_t>(copied));
}

void TGeoDB::CopyBlobFromMemory(TgdbData& Rec, const TgdbItemArgs& Args, TGdbFile& GDD) {
  const auto* bytes = static_cast<const std::uint8_t*>(Args.PBLOBData);
  const std::int64_t size = Rec.Size();
  std::int64_t done = 0;
  for (std::int64_t k = 1; done + GDB_BUFFER_SIZE <= size; ++k) {
    GDD.Append(bytes + done, GDB_BUFFER_SIZE);
    done += GDB_BUFFER_SIZE;
    ProgressOf(static_cast<double>(k) * GDB_BUFFER_SIZE / static_cast<double>(size) * 100);
  }
  GDD.Append(bytes + done, size - done);
}

// ---- Reading back ----

const TgdbData* TGeoDB::ClampedEntry(std::int32_t DBEntry) const {
  const std::int32_t e = std::max(DBEntry - 1, 0);
  return e < FNumSumItems ? &FSumData[static_cast<std::size_t>(e)] : nullptr;
}

const TgdbData* TGeoDB::BlobEntry(std::int32_t DBEntry) const {
  const TgdbData* d = ClampedEntry(DBEntry);
  return d && d->ItemKind == gitBLOB ? d : nullptr;
}

bool TGeoDB::BlobFits(const TgdbData& D, TGdbFile& GDD) const {
  return D.BlobOffset >= 0 && D.Size() >= 0 &&
         static_cast<std::int64_t>(D.BlobOffset) + static_cast<std::int64_t>(GDB_META_SIZE) + D.Size() <= GDD.Size();
}

void TGeoDB::ReadBlobBytes(const TgdbData& D, TGdbFile& GDD,
                           const std::function<void(const std::uint8_t*, std::int64_t)>& Sink) {
  std::vector<std::uint8_t> buf(GDB_BUFFER_SIZE);
  const std::int64_t size = D.Size();
  std::int64_t pos = static_cast<std::int64_t>(D.BlobOffset) + static_cast<std::int64_t>(GDB_META_SIZE);
  std::int64_t left = size;
  while (left > 0) {
    const std::int64_t want = std::min(left, GDB_BUFFER_SIZE);
    const std::int64_t got = GDD.ReadAt(pos, buf.data(), want);
    if (got <= 0) break;
    Sink(buf.data(), got);
    pos += got;
    left -= got;
    ProgressOf(std::max(0.0, static_cast<double>(size - left) / static_cast<double>(size) * 100));
  }
}

TMetaInfo TGeoDB::ReadMetaInfo(const TgdbData& D, TGdbFile& GDD) const {
  std::array<std::uint8_t, GDB_META_SIZE> meta{};
  GDD.ReadAt(D.BlobOffset, meta.data(), GDB_META_SIZE);
  return MetaInfoFromBytes(meta.data());
}

bool TGeoDB::RetrievePolygon(std::int32_t DBEntry, TgdbPolygon& Polygon) {
  if (!IsOpen()) return false;
  Progress(0);
  bool ok = false;
  {
    TGdbFileLease gdd(FHeldGDD, FNameGDD, false, false);
    if (const TgdbData* entry = ClampedEntry(DBEntry)) {
      const TgdbData& d = *entry;
      const std::int64_t bytes = static_cast<std::int64_t>(d.NumPoints) * GDB_POINT_SIZE;
      // Points beyond the end of the data file are never read.
      if (IsPolygonKind(d.ItemKind) && d.BlobOffset >= 0 && d.NumPoints >= 0 &&
          d.BlobOffset + bytes <= gdd->Size()) {
        std::vector<std::uint8_t> raw(static_cast<std::size_t>(bytes));
        if (gdd->ReadAt(d.BlobOffset, raw.data(), bytes) == bytes) {
          TgdbPolygon points(static_cast<std::size_t>(d.NumPoints));
          const std::int32_t step = d.NumPoints / 100 + 1;
          for (std::int32_t i = 1; i <= d.NumPoints; ++i) {
            points[static_cast<std::size_t>(i - 1)] = PointFromBytes(raw.data() + (i - 1) * GDB_POINT_SIZE);
            if (i % step == 0) ProgressOf(static_cast<double>(i) * 100 / d.NumPoints);
          }
          Polygon = std::move(points);
          ok = true;
        }
      }
    }
  }
  Progress(100);
  return ok;
}

bool TGeoDB::RetrieveBLOB(std::int32_t DBEntry, const std::string& Filepath, TMetaInfo& MetaInfo) {
  if (!IsOpen()) return false;
  const TgdbData* d = BlobEntry(DBEntry);
  if (!d) return false;
  Progress(0);
  std::string target = Filepath;
  if (target.empty() || EndsWithDelimiter(target)) target += ReduceStringToFN83CompliantChars(d->Name.Str());
  if (target.empty()) RaiseError(": RetrieveBLOB: invalid filename.");
  TGdbFileLease gdd(FHeldGDD, FNameGDD, false, false);
  if (!BlobFits(*d, *gdd)) {
    Progress(100);
    return false;
  }
  MetaInfo = ReadMetaInfo(*d, *gdd);
  TGdbFile out(target, TGdbFile::gfaCreate);
  ReadBlobBytes(*d, *gdd, [&out](const std::uint8_t* b, std::int64_t n) { out.Append(b, n); });
  Progress(100);
  return true;
}

bool TGeoDB::RetrieveBLOB(std::int32_t DBEntry, TMetaInfo& MetaInfo, void* PBLOBData, std::int32_t SizeOfBLOBData) {
  if (!IsOpen()) return false;
  Progress(0);
  bool ok = false;
  {
    TGdbFileLease gdd(FHeldGDD, FNameGDD, false, false);
    if (const TgdbData* d = BlobEntry(DBEntry)) {
      if (SizeOfBLOBData < d->Size())
        RaiseError(": RetrieveBLOB: BLOB to be retrieved is larger than SizeOfBlobData.");
      if (BlobFits(*d, *gdd) && (PBLOBData || d->Size() == 0)) {
        MetaInfo = ReadMetaInfo(*d, *gdd);
        auto* dest = static_cast<std::uint8_t*>(PBLOBData);
        ReadBlobBytes(*d, *gdd, [&dest](const std::uint8_t* b, std::int64_t n) {
          std::memcpy(dest, b, static_cast<std::size_t>(n));
          dest += n;
        });
        ok = true;
      }
    }
  }
  Progress(100);
  return ok;
}

bool TGeoDB::RetrieveBLOB(std::int32_t DBEntry, TMetaInfo& MetaInfo, TMemoryStream& BlobStream) {
  if (!IsOpen()) return false;
  Progress(0);
  bool ok = false;
  {
    TGdbFileLease gdd(FHeldGDD, FNameGDD, false, false);
    if (const TgdbData* entry = ClampedEntry(DBEntry)) {
      const TgdbData& d = *entry;
      if (d.ItemKind != gitBLOB) {
        // Other kinds size the stream by their count field, as callers expect;
        // bounded by the data file so a damaged count cannot exhaust memory.
        BlobStream.SetSize(std::clamp<std::int64_t>(d.Size(), 0, gdd->Size()));
        BlobStream.SetPosition(0);
      } else if (BlobFits(d, *gdd)) {
        BlobStream.SetSize(d.Size());
        BlobStream.SetPosition(0);
        MetaInfo = ReadMetaInfo(d, *gdd);
        ReadBlobBytes(d, *gdd, [&BlobStream](const std::uint8_t* b, std::int64_t n) { BlobStream.WriteBuffer(b, n); });
        ok = true;
      }
    }
  }
  Progress(100);
  return ok;
}

bool TGeoDB::GetMetaInfo(std::int32_t DBEntry, TMetaInfo& MetaInfo) {
  if (!IsOpen()) return false;
  const TgdbData* d = BlobEntry(DBEntry);
  if (!d || d->BlobOffset < 0) return false;
  TGdbFileLease gdd(FHeldGDD, FNameGDD, false, false);
  if (static_cast<std::int64_t>(d->BlobOffset) + static_cast<std::int64_t>(GDB_META_SIZE) > gdd->Size()) return false;
  MetaInfo = ReadMetaInfo(*d, *gdd);
  return true;
}

bool TGeoDB::UpdateMetaInfo(std::int32_t DBEntry, const TMetaInfo& MetaInfo) {
  if (!IsOpen()) return false;
  const TgdbData* d = BlobEntry(DBEntry);
  if (!d || d->BlobOffset < 0) return false;
  TGdbFileLease gdd(FHeldGDD, FNameGDD, true, FLazyWrite);
  // Only in place: a damaged offset must not grow the file.
  if (static_cast<std::int64_t>(d->BlobOffset) + static_cast<std::int64_t>(GDB_META_SIZE) > gdd->Size()) return false;
  std::array<std::uint8_t, GDB_META_SIZE> meta{};
  MetaInfoToBytes(MetaInfo, meta.data());
  gdd->WriteAt(d->BlobOffset, meta.data(), GDB_META_SIZE);
  return true;
}

} // namespace zyn
