#pragma once
/// \file
/// The database's thin layer over the platform's file streams: positioned
/// reads and writes with a tracked size, and a write seam for fault tests.
/// Internal to geodb; users include geodb/ZYN_GeoDB.h.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ZYN_streams.h"

namespace zyn {

/// Decides how many of the Count bytes of a database write reach the file.
/// Returning less makes that write fail after the returned number of bytes
/// (a torn write), as an EInOutError with code EIO.
using TGdbWriteHook = std::function<std::int64_t(const std::string& FileName, std::int64_t Count)>;

/// Fault-injection seam for tests: every write of the database's files asks
/// Hook first. Process-wide; pass an empty function to remove it.
void SetGdbWriteHookForTesting(TGdbWriteHook Hook);

/// One open file of a set.
class TGdbFile {
public:
  enum TAccess : std::uint8_t { gfaRead, gfaReadWrite, gfaCreate };

  TGdbFile(const std::string& FileName, TAccess Access);
  /// Opens for reading, or returns null when the file cannot be opened.
  static std::unique_ptr<TGdbFile> TryOpenRead(const std::string& FileName);

  const std::string& FileName() const noexcept { return FFileName; }
  std::int64_t Size() const noexcept { return FSize; }
  /// Reads up to Count bytes at Offset; returns the bytes read (fewer at the end).
  std::int64_t ReadAt(std::int64_t Offset, void* Buffer, std::int64_t Count);
  /// Reads the whole file.
  std::vector<std::uint8_t> ReadAll();
  /// Writes Count bytes at Offset, or raises EInOutError.
  void WriteAt(std::int64_t Offset, const void* Buffer, std::int64_t Count);
  /// Writes at the end; returns the offset written at.
  std::int64_t Append(const void* Buffer, std::int64_t Count);
  void Truncate(std::int64_t NewSize);

private:
  std::string FFileName;
  std::unique_ptr<TFileStream> FStream;
  std::int64_t FSize = 0;
};

/// Writes Bytes as the whole content of FileName (created or truncated).
void WriteWholeFile(const std::string& FileName, const std::vector<std::uint8_t>& Bytes);

} // namespace zyn
