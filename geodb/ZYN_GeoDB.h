#pragma once
/// \file
/// The geographic database TGeoDB: named borders, towns, cities, lakes,
/// rivers, roads, routes and BLOBs in a set of files sharing one base name
/// (summary ".zyngds", data ".zyngdd", indexes ".zyngi0" … ".zyngi4"), with
/// look-ups by identifier, by position and by bounding box.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geodb/ZYN_gdbrecords.h"
#include "platform/ZYN_classes.h"
#include "platform/ZYN_streams.h"
#include "support/ZYN_rounding.h"
#include "support/ZYN_types.h"

namespace zyn {

class TGdbFile;
struct TgdbItemArgs;

/// Sets every field of D to its empty value (name of spaces, no block, kind
/// gitUndefined, Date now); NumPoints is left as it was.
void ClearGdbData(TgdbData& D);
/// Makes the five texts of M empty.
void ClearMetaInfo(TMetaInfo& M);
/// The location of a town: (LatLow, LongLow).
TSCoords ExtractLocation(const TgdbData& D);
/// A latitude as text, clamped to ±90, followed by " N" or " S".
std::string GeoLatitude(double Angle, TDegreeFormat Format, std::int32_t Decimals);
/// A longitude as text, clamped to ±180, followed by " E" or " W".
std::string GeoLongitude(double Angle, TDegreeFormat Format, std::int32_t Decimals);
/// The header of the data file of the set named FName (with or without extension).
TgdbSystemData ReadSystemInformation(const std::string& FName);

/// A database of geographic items held in memory while its file set is open.
/// Entry numbers count from 1. The files are opened within each operation;
/// while LazyWrite is on the summary and data files stay open and the index
/// files are written only when asked to (see SetLazyWrite).
class TGeoDB : public TComponent {
public:
  explicit TGeoDB(TComponent* AOwner = nullptr);
  /// Saves the indexes first when LazyWrite is on (errors cannot be reported here).
  ~TGeoDB() override;

  // ---- The set ----
  /// Base name of the open set; empty while none is open.
  std::string DBName() const { return GetGDBName(); }
  std::string GetGDBName() const;
  /// Opens the set named Value (an extension is dropped), creating missing
  /// files; an empty name closes the open set.
  void SetGDBName(const std::string& Value);
  bool LazyWrite() const noexcept { return FLazyWrite; }
  /// Switching from on to off saves all five index files.
  void SetLazyWrite(bool Value);
  std::int32_t NumEntries() const noexcept { return FNumSumItems; }
  std::int32_t DBVersion() const noexcept { return FSystemData.DBVersion; }
  std::string Description() const { return GetDescription(); }
  std::string GetDescription() const;
  /// Stores up to 60 characters and rewrites the data file's header.
  void SetDescription(const std::string& Value);
  std::int32_t Revision() const { return GetRevision(); }
  std::int32_t GetRevision() const noexcept { return FSystemData.Revision; }
  void SetRevision(std::int32_t Value);
  bool OnPercDoneEnabled() const noexcept { return FOnPercDoneEnabled; }
  void SetOnPercDoneEnabled(bool Value) noexcept { FOnPercDoneEnabled = Value; }
  /// Progress of long operations, sent only while OnPercDoneEnabled is true.
  TOnPercentDoneEvent OnPercentDone;

  // ---- Read-only access (indexes clamped to 1..NumEntries) ----
  TgdbData Data(std::int32_t ix) const { return GetSumdata(ix); }
  TgdbData GetSumdata(std::int32_t ix) const;
  /// Index entries with `index` given as an entry number (from 1).
  TIxItemIDRec IxItemID(std::int32_t ix) const { return GetIxItemID(ix); }
  TIxLLRec IxLatLow(std::int32_t ix) const { return GetIxLatLow(ix); }
  TIxLLRec IxLatHigh(std::int32_t ix) const { return GetIxLatHigh(ix); }
  TIxLLRec IxLongLow(std::int32_t ix) const { return GetIxLongLow(ix); }
  TIxLLRec IxLongHigh(std::int32_t ix) const { return GetIxLongHigh(ix); }
  TIxItemIDRec GetIxItemID(std::int32_t ix) const;
  TIxLLRec GetIxLatLow(std::int32_t ix) const;
  TIxLLRec GetIxLatHigh(std::int32_t ix) const;
  TIxLLRec GetIxLongLow(std::int32_t ix) const;
  TIxLLRec GetIxLongHigh(std::int32_t ix) const;

  // ---- Indexes and look-ups ----
  /// Rewrites index file Index (0..4) from memory.
  void SaveIndex(std::int32_t Index);
  /// Sorted insertion of Rec into Ix, whose last slot is free.
  static void SortIxInto(TIxLLRecArray& Ix, const TIxLLRec& Rec);
  static void SortIxItemIDInto(TIxItemIDRecArray& Ix, const TIxItemIDRec& Rec);
  /// Position (from 1) of an equal key in the index, or where ItemID would be inserted.
  std::int32_t GetClosestItemIDIx(std::int32_t ItemID) const;
  std::int32_t GetClosestLatLowIx(double Latit) const;
  std::int32_t GetClosestLatHighIx(double Latit) const;
  std::int32_t GetClosestLongLowIx(double Longit) const;
  std::int32_t GetClosestLongHighIx(double Longit) const;
  /// The entry number of the item with identifier ItemID, or 0.
  std::int32_t SearchForItemID(std::int32_t ItemID) const;
  /// Rebuilds all five indexes from the summary and saves them.
  void RecalcIndexes();
  /// Entry numbers (ascending) of the items whose bounding box intersects Box
  /// (edges included), optionally only of one kind. Answered from the
  /// coordinate indexes; items with an empty box (low above high) never match.
  std::vector<std::int32_t> SearchItemsInBox(const TRectDouble& Box,
                                             std::optional<TgdbItem> Kind = std::nullopt) const;
  /// The first entry from StartSearchAt on whose name equals Name (ASCII
  /// letters in any case) and whose kind and class match; 0 when none does.
  std::int32_t SearchData(const std::string& Name, TgdbItem ItemType, std::int32_t StartSearchAt,
                          std::uint8_t ClassNumber) const;
  /// The first entry whose name equals Name, of any kind and class; 0 when none does.
  std::int32_t SearchData(const std::string& Name) const;

  // ---- Editing ----
  /// Adds an item; returns its entry number, or -1 when no set is open.
  std::int32_t AddData(const std::string& Name, const TgdbPolygon& Polygon, bool Closed, TgdbItem Kind,
                       std::uint8_t ClassNumber, TDateTime Date, std::int32_t StateFlag, float LatLow,
                       float LatHigh, float LongLow, float LongHigh, float Altitude, std::int32_t UserTag,
                       const TMetaInfo& MInfo, const void* PBLOBData, std::int32_t SizeOfBLOBData, bool FromFile);
  /// Replaces entry DBEntry, keeping its identifier and entry number; invalid entries are ignored.
  void ReplaceData(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, bool Closed,
                   TgdbItem Kind, std::uint8_t ClassNumber, TDateTime Date, std::int32_t StateFlag, float LatLow,
                   float LatHigh, float LongLow, float LongHigh, float Altitude, std::int32_t UserTag,
                   const TMetaInfo& MInfo, const void* PBLOBData, std::int32_t SizeOfBLOBData, bool FromFile);
  /// Deletes an entry; the last entry moves into its number.
  void DeleteData(std::int32_t DbEntry);

  std::int32_t AddBorder(const std::string& Name, const TgdbPolygon& Polygon, bool ClosedLine, TDateTime Date,
                         std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                         float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);
  std::int32_t AddCity(const std::string& Name, const TgdbPolygon& Polygon, bool ClosedLine, TDateTime Date,
                       std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                       float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);
  std::int32_t AddLake(const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date, std::int32_t StateFlag,
                       float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                       std::uint8_t ClassNumber, std::int32_t UserTag);
  std::int32_t AddRiver(const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date, std::int32_t StateFlag,
                        float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                        std::uint8_t ClassNumber, std::int32_t UserTag);
  std::int32_t AddRoad(const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date, std::int32_t StateFlag,
                       float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                       std::uint8_t ClassNumber, std::int32_t UserTag);
  std::int32_t AddRoute(const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date, std::int32_t StateFlag,
                        float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                        std::uint8_t ClassNumber, std::int32_t UserTag);
  std::int32_t AddTown(const std::string& Name, TDateTime Date, std::int32_t StateFlag, const TSCoords& Location,
                       float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);

  void ReplaceBorder(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                     TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                     float LongHigh, float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);
  void ReplaceCity(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                   TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                   float LongHigh, float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);
  void ReplaceLake(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                   std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                   float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);
  void ReplaceRiver(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                    std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                    float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);
  void ReplaceRoad(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                   std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                   float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);
  void ReplaceRoute(std::int32_t DBEntry, const std::string& Name, const TgdbPolygon& Polygon, TDateTime Date,
                    std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                    float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);
  void ReplaceTown(std::int32_t DBEntry, const std::string& Name, TDateTime Date, std::int32_t StateFlag,
                   const TSCoords& Location, float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag);

  /// BLOB from a file; the item is named after the file.
  std::int32_t AddBLOB(const std::string& FileName, TDateTime Date, std::int32_t StateFlag, float LatLow,
                       float LatHigh, float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                       std::int32_t UserTag, const TMetaInfo& MInfo);
  /// BLOB from a file, named after FNameInDB.
  std::int32_t AddBLOB(const std::string& FileName, const std::string& FNameInDB, TDateTime Date,
                       std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow, float LongHigh,
                       float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag, const TMetaInfo& MInfo);
  /// As above, then records OrgFilePath as the item's FilePath.
  std::int32_t AddBLOB(const std::string& FileName, const std::string& FNameInDB, const std::string& OrgFilePath,
                       TDateTime Date, std::int32_t StateFlag, float LatLow, float LatHigh, float LongLow,
                       float LongHigh, float Altitude, std::uint8_t ClassNumber, std::int32_t UserTag,
                       const TMetaInfo& MInfo);
  /// BLOB from SizeOfBLOBData bytes of memory.
  std::int32_t AddBLOB(const std::string& Name, TDateTime Date, std::int32_t StateFlag, float LatLow,
                       float LatHigh, float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                       std::int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData,
                       std::int32_t SizeOfBLOBData);
  /// BLOB from the whole content of a memory stream.
  std::int32_t AddBLOB(const std::string& Name, TDateTime Date, std::int32_t StateFlag, float LatLow,
                       float LatHigh, float LongLow, float LongHigh, float Altitude, std::uint8_t ClassNumber,
                       std::int32_t UserTag, const TMetaInfo& MInfo, TMemoryStream& Data);
  void ReplaceBLOB(std::int32_t DBEntry, const std::string& FileName, TDateTime Date, std::int32_t StateFlag,
                   float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   std::uint8_t ClassNumber, std::int32_t UserTag, const TMetaInfo& MInfo);
  void ReplaceBLOB(std::int32_t DBEntry, const std::string& Name, TDateTime Date, std::int32_t StateFlag,
                   float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   std::uint8_t ClassNumber, std::int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData,
                   std::int32_t SizeOfBLOBData);
  void ReplaceBLOB(std::int32_t DBEntry, const std::string& Name, TDateTime Date, std::int32_t StateFlag,
                   float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                   std::uint8_t ClassNumber, std::int32_t UserTag, const TMetaInfo& MInfo, TMemoryStream& Data);

  /// Replaces the descriptive fields of an entry (name, altitude, class, tag,
  /// date, state and, for towns, BLOBs and undefined items, the box); its
  /// identifier, kind and block stay. False for an invalid entry.
  bool UpdateBasicData(std::int32_t DbEntry, const TgdbData& GdbData);
  /// Removes unreferenced blocks from the data file (written beside it, then
  /// put in place) and corrects the items' offsets.
  void GarbageCollection();
  /// Writes a readable listing of the header and every entry to FName.
  void ExportDataDebug(const std::string& FName) const;

  // ---- Reading items back ----
  /// The points of a polygon item; false (Polygon untouched) for other kinds
  /// or when the data file ends before the last point.
  bool RetrievePolygon(std::int32_t DBEntry, TgdbPolygon& Polygon);
  /// Writes a BLOB into a file; an empty path or one ending in a separator
  /// gets the item's reduced name appended.
  bool RetrieveBLOB(std::int32_t DBEntry, const std::string& Filepath, TMetaInfo& MetaInfo);
  /// Copies a BLOB into caller memory of SizeOfBLOBData bytes.
  bool RetrieveBLOB(std::int32_t DBEntry, TMetaInfo& MetaInfo, void* PBLOBData, std::int32_t SizeOfBLOBData);
  /// Copies a BLOB into a memory stream.
  bool RetrieveBLOB(std::int32_t DBEntry, TMetaInfo& MetaInfo, TMemoryStream& BlobStream);
  /// The meta information of a BLOB entry.
  bool GetMetaInfo(std::int32_t DBEntry, TMetaInfo& MetaInfo);
  /// Rewrites the meta information of a BLOB entry in place.
  bool UpdateMetaInfo(std::int32_t DBEntry, const TMetaInfo& MetaInfo);

protected:
  std::string ClassName() const override { return "TGeoDB"; }
  /// Adds entry n's keys to all five indexes, each of which has a free last slot.
  void InsertIntoIndex(std::int32_t n, const TgdbData& d);
  /// Removes entry n from all five indexes, keeping their lengths.
  void RemoveIndexEntries(std::int32_t n);

private:
  // Opening and closing (ZYN_gdbopen.cpp)
  void ResetSystemData();
  void CloseSet();
  void LoadSet(const std::string& Base);
  void SaveAllIndexes();
  void ReleaseHeldFiles() noexcept;
  void WriteHeader(TGdbFile& F);
  void RewriteHeaderOrRaise(const char* Operation);
  [[noreturn]] void RaiseError(const std::string& Ending) const;
  void Progress(std::int32_t Percent);
  void ProgressOf(double Percent) { Progress(static_cast<std::int32_t>(Round(Percent))); }
  bool IsOpen() const noexcept { return !FNameGDD.empty(); }

  // Indexes (ZYN_gdbindex.cpp)
  void FlushPendingIndexEntries() const;
  void RebuildIndexes() const;
  bool IndexesMatchSummary() const;
  void AppendFreeIndexSlots();
  void CutIndexes(std::size_t Count);

  // Editing (ZYN_gdbedit.cpp)
  std::int32_t AddItem(TgdbItemArgs Args);
  void ReplaceItem(std::int32_t DBEntry, TgdbItemArgs Args);
  TgdbData BuildRecord(const TgdbItemArgs& Args, std::int32_t ItemId) const;
  void WriteBlock(TgdbData& Rec, const TgdbItemArgs& Args, TGdbFile& GDD);
  void WritePolygonBlock(TgdbData& Rec, const TgdbPolygon& Polygon, TGdbFile& GDD);
  std::int64_t BlockBytesToWrite(const TgdbItemArgs& Args) const;
  void RefuseOversizedBlock(const TgdbItemArgs& Args, TGdbFile& GDD, const char* Operation) const;
  void StoreSummaryRecord(std::int32_t Entry, const TgdbData& Rec);
  void AfterIndexChange();

  // BLOBs (ZYN_gdbblob.cpp)
  void WriteBlobBlock(TgdbData& Rec, const TgdbItemArgs& Args, TGdbFile& GDD);
  void CopyBlobFromFile(TgdbData& Rec, const std::string& Source, TGdbFile& GDD);
  void CopyBlobFromMemory(TgdbData& Rec, const TgdbItemArgs& Args, TGdbFile& GDD);
  std::int32_t AddBlobFromFile(const std::string& FileName, const std::string& NameSource, TgdbItemArgs Args);
  void ReplaceBlobFromFile(std::int32_t DBEntry, const std::string& FileName, TgdbItemArgs Args);
  /// Entry DBEntry (numbers below 1 taken as 1), or null above the count.
  const TgdbData* ClampedEntry(std::int32_t DBEntry) const;
  const TgdbData* BlobEntry(std::int32_t DBEntry) const;
  bool BlobFits(const TgdbData& D, TGdbFile& GDD) const;
  void ReadBlobBytes(const TgdbData& D, TGdbFile& GDD, const std::function<void(const std::uint8_t*, std::int64_t)>& Sink);
  TMetaInfo ReadMetaInfo(const TgdbData& D, TGdbFile& GDD) const;

  // Box queries (ZYN_gdbboxquery.cpp)
  void NoteExtentOf(const TgdbData& D) const;

  std::string FNameGDS;
  std::string FNameGDD;
  std::array<std::string, 5> FNameIX;
  std::vector<TgdbData> FSumData;
  std::int32_t FNumSumItems = 0;
  bool FLazyWrite = false;
  // The indexes are caches of the summary: while LazyWrite is on, entries
  // added in bulk wait (from FNumIndexed on) and are merged in at the next
  // look-up, which keeps a bulk load free of per-item block moves.
  mutable TIxItemIDRecArray FIx0ItemId;
  mutable TIxLLRecArray FIx1LatLo, FIx2LatHi, FIx3LongLo, FIx4LongHi;
  mutable std::int32_t FNumIndexed = 0;
  bool FOnPercDoneEnabled = true;
  TgdbSystemData FSystemData;
  // The data and summary files while LazyWrite keeps them open.
  std::unique_ptr<TGdbFile> FHeldGDD, FHeldGDS;
  // Largest latitude and longitude extent of any item, for box queries.
  mutable std::optional<std::pair<double, double>> FMaxExtent;
};

} // namespace zyn
