#pragma once
/// \file
/// Files of fixed-size records and untyped byte files, positioned by record
/// number, and the process-wide file mode with which they open.
///
/// Each operation comes in two forms: the plain one raises EInOutError with
/// the OS error and the file name; the Try form returns false and keeps the
/// error code in LastError() (0 after success), for callers that test an
/// open without raising.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/ZYN_filehandle.h"

namespace zyn {

/// Access mode that Reset uses for record and byte files: fmOpenRead,
/// fmOpenWrite or fmOpenReadWrite (the default). Text files ignore it.
/// Process-wide, like the rest of the platform's state: set it only on the
/// GUI thread, and prefer TFileModeGuard.
extern std::uint16_t FileMode;

/// Sets FileMode for a scope and restores the previous value on every exit,
/// exceptions included.
class TFileModeGuard {
public:
  explicit TFileModeGuard(std::uint16_t Mode) noexcept : FSaved(FileMode) { FileMode = Mode; }
  ~TFileModeGuard() { FileMode = FSaved; }
  TFileModeGuard(const TFileModeGuard&) = delete;
  TFileModeGuard& operator=(const TFileModeGuard&) = delete;

private:
  std::uint16_t FSaved;
};

/// A file of records of RecordSize bytes. Positions and sizes count records;
/// a partial record at the end of the file is not counted.
class TRecordFile {
public:
  /// RecordSize 0 is taken as 1.
  TRecordFile(std::string FileName, std::size_t RecordSize);
  virtual ~TRecordFile() = default;
  TRecordFile(const TRecordFile&) = delete;
  TRecordFile& operator=(const TRecordFile&) = delete;

  /// Names the file for the next open; closes an open one first.
  void Assign(const std::string& FileName);
  const std::string& FileName() const noexcept { return FFileName; }
  std::size_t RecordSize() const noexcept { return FRecordSize; }
  bool IsOpen() const noexcept { return FHandle.IsOpen(); }
  /// The errno value of the last failed Try operation, 0 after a success.
  int LastError() const noexcept { return FLastError; }

  /// Opens an existing file with FileMode, at record 0.
  void Reset();
  bool TryReset() noexcept;
  /// Opens an existing file with an explicit mode (fmOpenRead, fmOpenWrite,
  /// fmOpenReadWrite), at record 0.
  void Reset(std::uint16_t Mode);
  bool TryReset(std::uint16_t Mode) noexcept;
  /// Creates the file or empties an existing one, for reading and writing.
  void Rewrite();
  bool TryRewrite() noexcept;
  /// Closes the file (nothing when it is not open).
  void Close();

  /// Number of whole records in the file.
  std::int64_t FileSize();
  /// The record number at which the next read or write happens.
  std::int64_t FilePos();
  /// Moves to record RecNo (0-based); beyond the end is allowed for writing.
  void Seek(std::int64_t RecNo);
  /// True when no whole record follows the position.
  bool Eof();
  /// Reads one record; raises ("Read beyond end of file") when none is left.
  void Read(void* Record);
  /// Writes one record at the position.
  void Write(const void* Record);
  /// Reads up to Count records; returns how many were read (fewer at the end).
  std::int64_t BlockRead(void* Buffer, std::int64_t Count);
  /// Writes Count records.
  void BlockWrite(const void* Buffer, std::int64_t Count);
  /// Cuts the file at the position.
  void Truncate();

private:
  int OpenWith(TFileAccess Access) noexcept;
  /// Raises for a negative result (-errno) of a handle operation.
  void Check(std::int64_t Result, const char* What) const;
  TFileHandle& OpenHandle(const char* What);
  /// Records as bytes; raises when the count does not fit.
  std::int64_t ByteCount(std::int64_t Records, const char* What) const;

  std::string FFileName;
  std::size_t FRecordSize;
  TFileHandle FHandle;
  int FLastError = 0;
};

/// An untyped file: a record file whose records are single bytes.
class TByteFile : public TRecordFile {
public:
  explicit TByteFile(std::string FileName) : TRecordFile(std::move(FileName), 1) {}
};

} // namespace zyn
