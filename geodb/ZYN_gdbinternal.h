#pragma once
/// \file
/// Pieces shared by the database's source files; not part of the public API.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "geodb/ZYN_GeoDB.h"
#include "geodb/ZYN_gdbfile.h"

namespace zyn {

/// Everything an add or replace writes, gathered from the public forms.
struct TgdbItemArgs {
  std::string Name;
  const TgdbPolygon* Polygon = nullptr;
  bool Closed = false;
  TgdbItem Kind = gitUndefined;
  std::uint8_t ClassNumber = 0;
  TDateTime Date = 0;
  std::int32_t StateFlag = 0;
  float LatLow = 0, LatHigh = 0, LongLow = 0, LongHigh = 0;
  float Altitude = 0;
  std::int32_t UserTag = 0;
  TMetaInfo MInfo;
  const void* PBLOBData = nullptr;
  std::int64_t SizeOfBLOBData = 0;
  bool FromFile = false;
  std::string SourcePath; ///< the BLOB's source file, in full (FilePath may be cut)
};

/// A file of the open set for the length of one operation. While LazyWrite is
/// on, files opened for writing stay open in the component between calls.
class TGdbFileLease {
public:
  TGdbFileLease(std::unique_ptr<TGdbFile>& Held, const std::string& FileName, bool ForWriting, bool KeepOpen);
  TGdbFile& operator*() const noexcept { return *FFile; }
  TGdbFile* operator->() const noexcept { return FFile; }

private:
  std::unique_ptr<TGdbFile> FOwned;
  TGdbFile* FFile = nullptr;
};

/// Block copies and BLOB transfers move this many bytes at a time.
inline constexpr std::int64_t GDB_BUFFER_SIZE = 16384;
/// Offsets and sizes in the files are signed 32-bit.
inline constexpr std::int64_t GDB_MAX_DATA_FILE_SIZE = 0x7FFFFFFF;

/// The current local date and time.
TDateTime GdbNow();
/// The key that coordinate index Index (1..4) takes from a record.
float GdbIndexKey(const TgdbData& D, int Index) noexcept;

/// The arguments of the BLOB forms, before their data source is known.
TgdbItemArgs GdbBlobArgs(const std::string& Name, TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh,
                         float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                         std::int32_t UserTag, const TMetaInfo& MInfo);

} // namespace zyn
