#pragma once
/// \file
/// The records of a geographic database set and their exact byte layout in
/// the files: little-endian, padding written as zero, fixed texts as a length
/// byte plus their full capacity. Serialisation is explicit, so the layout
/// does not depend on the compiler or on the word size.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ZYN_codepage.h"
#include "support/ZYN_zynbase.h"

namespace zyn {

/// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

/// Errors of the geographic database.
class EZYNGeoDBError : public EZYNError {
public:
  using EZYNError::EZYNError;
};

/// Kind of a database item; one byte in files.
enum TgdbItem : std::uint8_t {
  gitBorder,
  gitTown,
  gitCity,
  gitLake,
  gitRiver,
  gitRoad,
  gitRoute,
  gitBLOB,
  gitUndefined,
};

/// Display names of the item kinds, indexed by TgdbItem.
extern const std::array<const char*, 9> GDB_ITEMNAMES;

/// The display name of a kind; stored bytes outside the enumeration read as "Undefined".
const char* GdbItemName(TgdbItem Kind) noexcept;
/// True for the kinds whose geometry is a polygon block in the data file.
bool IsPolygonKind(TgdbItem Kind) noexcept;

/// An item name: at most 59 single-byte characters.
using TgdbName = TShortString<59>;
/// A name whose unused character bytes hold spaces, as the summary file stores it.
TgdbName MakeGdbName(std::string_view Utf8);

/// One polygon point in degrees.
struct TSCoords {
  float Latit = 0;
  float Longit = 0;
  friend bool operator==(const TSCoords&, const TSCoords&) = default;
};
using TgdbPolygon = std::vector<TSCoords>;

/// The basic data of one item: one record of the summary file.
struct TgdbData {
  std::int32_t ItemId = 0;
  TgdbName Name;
  float Altitude = 0;
  std::uint8_t ClassFlag = 0;
  std::int32_t Tag = 0;
  std::int32_t BlobOffset = -1; ///< offset of the item's block in the data file; -1 for none
  TDateTime Date = 0;
  std::int32_t StateFlag = 0;
  float LatLow = 0;
  float LatHigh = 0;
  float LongLow = 0;
  float LongHigh = 0;
  TgdbItem ItemKind = gitUndefined;
  std::int32_t NumPoints = 0; ///< polygon kinds: points; gitBLOB: data bytes (see Size)
  bool Closed = false;

  /// The byte count of a BLOB item, stored in the NumPoints field.
  std::int32_t Size() const noexcept { return NumPoints; }
  void SetSize(std::int32_t Value) noexcept { NumPoints = Value; }
};

/// The header of the data file.
struct TgdbSystemData {
  std::int32_t HighestID = 0;
  std::int32_t DBVersion = 4;
  TShortString<60> Description;
  std::int32_t Revision = 0;
  std::array<std::uint8_t, 184> Reserved{}; ///< not interpreted; written back as read
};

/// The five texts of a BLOB's meta information, in their order.
enum TMetaItem : std::uint8_t { miKwd, miCaption, miFilePath, miDescriptor, miComment };

/// Meta information of a BLOB item, stored in front of its bytes.
struct TMetaInfo {
  TShortString<255> Keywords;
  TShortString<127> Caption;
  TShortString<127> FilePath; ///< path of the file the BLOB was read from
  TShortString<255> Descriptor;
  TShortString<255> Comment;
};

/// An entry of a coordinate index: the key and the 0-based summary record number.
struct TIxLLRec {
  float LLValue = 0;
  std::int32_t index = 0;
  friend bool operator==(const TIxLLRec&, const TIxLLRec&) = default;
};
/// An entry of the identifier index.
struct TIxItemIDRec {
  std::int32_t ItemID = 0;
  std::int32_t index = 0;
  friend bool operator==(const TIxItemIDRec&, const TIxItemIDRec&) = default;
};
using TIxLLRecArray = std::vector<TIxLLRec>;
using TIxItemIDRecArray = std::vector<TIxItemIDRec>;

/// A position with height, for callers; the database itself does not use it.
struct TPositionData {
  double Latit = 0;
  double Longit = 0;
  double Height = 0;
};

// ---- Byte layout ----

inline constexpr std::size_t GDB_DATA_SIZE = 120;
inline constexpr std::size_t GDB_SYSTEM_SIZE = 260;
inline constexpr std::size_t GDB_META_SIZE = 1024;
inline constexpr std::size_t GDB_IXREC_SIZE = 8;
inline constexpr std::size_t GDB_POINT_SIZE = 8;

void GdbDataToBytes(const TgdbData& D, std::uint8_t* Out);
TgdbData GdbDataFromBytes(const std::uint8_t* In);
void SystemDataToBytes(const TgdbSystemData& S, std::uint8_t* Out);
TgdbSystemData SystemDataFromBytes(const std::uint8_t* In);
void MetaInfoToBytes(const TMetaInfo& M, std::uint8_t* Out);
TMetaInfo MetaInfoFromBytes(const std::uint8_t* In);
void PointToBytes(const TSCoords& P, std::uint8_t* Out);
TSCoords PointFromBytes(const std::uint8_t* In);

/// Index files: Count records of 8 bytes.
std::vector<std::uint8_t> IxRecsToBytes(const TIxLLRecArray& Ix);
std::vector<std::uint8_t> IxRecsToBytes(const TIxItemIDRecArray& Ix);
void IxRecsFromBytes(const std::vector<std::uint8_t>& Bytes, TIxLLRecArray& Ix);
void IxRecsFromBytes(const std::vector<std::uint8_t>& Bytes, TIxItemIDRecArray& Ix);

} // namespace zyn
