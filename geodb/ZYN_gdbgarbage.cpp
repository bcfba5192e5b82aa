// Compacting the data file.
//
// The compacted data file and the corrected summary are written beside the
// originals first and only then put in place, so a failure while copying
// changes nothing and a failed rename is undone.

#include <cerrno>
#include <cstdio>
#include <unistd.h>

#include "geodb/ZYN_gdbinternal.h"
#include "platform/ZYN_filesystem.h"
#include "platform/ZYN_sysutils.h"

namespace zyn {

namespace {

/// The byte count of an item's block; -1 when the item has none.
std::int64_t BlockBytes(const TgdbData& d) {
  if (IsPolygonKind(d.ItemKind)) return d.NumPoints >= 0 ? std::int64_t{d.NumPoints} * GDB_POINT_SIZE : -1;
  if (d.ItemKind == gitBLOB) return d.Size() >= 0 ? static_cast<std::int64_t>(GDB_META_SIZE) + d.Size() : -1;
  return -1;
}

void CopyBytes(TGdbFile& From, std::int64_t Offset, std::int64_t Count, TGdbFile& To) {
  std::vector<std::uint8_t> buf(static_cast<std::size_t>(std::min(Count, GDB_BUFFER_SIZE)));
  while (Count > 0) {
    const std::int64_t n = std::min(Count, GDB_BUFFER_SIZE);
    if (From.ReadAt(Offset, buf.data(), n) != n) throw EInOutError(EIO, From.FileName(), "Cannot read file");
    To.Append(buf.data(), n);
    Offset += n;
    Count -= n;
  }
}

/// Renames From over To, replacing To atomically.
void ReplaceFile(const std::string& From, const std::string& To) {
  if (std::rename(From.c_str(), To.c_str()) != 0) throw EInOutError::FromErrno(errno, From, "Cannot rename file");
}

} // namespace

void TGeoDB::GarbageCollection() {
  if (!IsOpen()) return;
  ReleaseHeldFiles();
  const std::string newData = FNameGDD + ".new", newSummary = FNameGDS + ".new", oldData = FNameGDD + ".old";
  std::vector<TgdbData> compacted = FSumData;
  try {
    TGdbFile source(FNameGDD, TGdbFile::gfaRead);
    TGdbFile target(newData, TGdbFile::gfaCreate);
    WriteHeader(target);
    for (TgdbData& d : compacted) {
      const std::int64_t bytes = BlockBytes(d);
      // A block that does not lie wholly in the file was never readable; it is dropped.
      if (bytes < 0 || d.BlobOffset < 0 || d.BlobOffset + bytes > source.Size()) {
        d.BlobOffset = -1;
        continue;
      }
      const std::int64_t from = d.BlobOffset;
      d.BlobOffset = static_cast<std::int32_t>(target.Size());
      CopyBytes(source, from, bytes, target);
    }
    std::vector<std::uint8_t> summary(compacted.size() * GDB_DATA_SIZE);
    for (std::size_t i = 0; i < compacted.size(); ++i) GdbDataToBytes(compacted[i], summary.data() + i * GDB_DATA_SIZE);
    WriteWholeFile(newSummary, summary);
  } catch (...) {
    DeleteFile(newData);
    DeleteFile(newSummary);
    throw;
  }
  // The old data file stays reachable under a second name until the new
  // summary is in place; each rename replaces its target atomically.
  DeleteFile(oldData);
  try {
    if (::link(FNameGDD.c_str(), oldData.c_str()) != 0) throw EInOutError::FromErrno(errno, FNameGDD, "Cannot link file");
    ReplaceFile(newData, FNameGDD);
    try {
      ReplaceFile(newSummary, FNameGDS);
    } catch (...) {
      ReplaceFile(oldData, FNameGDD);
      throw;
    }
  } catch (...) {
    DeleteFile(newData);
    DeleteFile(newSummary);
    DeleteFile(oldData);
    throw;
  }
  DeleteFile(oldData);
  FSumData = std::move(compacted);
}

} // namespace zyn
