#pragma once
/// \file
/// An owned OS file descriptor with error-code results: the one place where
/// the file layer talks to the OS. Streams, record files and text files are
/// built on it and turn its error codes into exceptions or testable results.

#include <cstdint>
#include <string>

namespace zyn {

/// How TFileHandle::Open opens a file.
enum TFileAccess : std::uint8_t {
  faRead,       ///< existing file, read only
  faWrite,      ///< existing file, write only
  faReadWrite,  ///< existing file, read and write
  faCreate,     ///< create or truncate, read and write
  faCreateWrite,///< create or truncate, write only
  faAppend,     ///< existing file, write only, every write at the end
};

/// An open file descriptor, closed by the destructor. Every operation returns
/// 0 or a count on success and a negative errno value on failure; nothing
/// throws.
class TFileHandle {
public:
  TFileHandle() = default;
  ~TFileHandle() { Close(); }
  TFileHandle(TFileHandle&& Other) noexcept : FFd(Other.FFd) { Other.FFd = -1; }
  TFileHandle& operator=(TFileHandle&& Other) noexcept;
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  /// Opens FileName; returns 0 or -errno. A handle already open is closed first.
  int Open(const std::string& FileName, TFileAccess Access);
  /// Closes the file; returns 0 or -errno (the descriptor is released either way).
  int Close() noexcept;
  bool IsOpen() const noexcept { return FFd >= 0; }

  /// Reads up to Count bytes (fewer only at the end); the count or -errno.
  std::int64_t Read(void* Buffer, std::int64_t Count) noexcept;
  /// Writes all Count bytes; the count or -errno.
  std::int64_t Write(const void* Buffer, std::int64_t Count) noexcept;
  /// Moves the position (whence as for lseek); the new position or -errno.
  std::int64_t Seek(std::int64_t Offset, int Whence) noexcept;
  /// Size in bytes or -errno.
  std::int64_t Size() const noexcept;
  /// Sets the size in bytes; 0 or -errno.
  int Resize(std::int64_t NewSize) noexcept;
  /// Writes the OS buffers through to the device; 0 or -errno.
  int Sync() noexcept;

private:
  int FFd = -1;
};

} // namespace zyn
