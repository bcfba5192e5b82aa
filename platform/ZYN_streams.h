#pragma once
/// \file
/// Byte streams: the abstract stream, files and memory.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/ZYN_filehandle.h"

namespace zyn {

enum TSeekOrigin : std::uint8_t { soBeginning, soCurrent, soEnd };

/// A positioned sequence of bytes. Read returns how many bytes it read (fewer
/// at the end); ReadBuffer/WriteBuffer raise when the count is not met.
class TStream {
public:
  virtual ~TStream() = default;
  virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
  virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
  /// Moves the position; returns the new position.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  /// Sets the size; a position beyond the new end moves to the end.
  virtual void SetSize(std::int64_t NewSize) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t Pos) { Seek(Pos, soBeginning); }
  virtual std::int64_t Size();
  /// Cuts the stream at the current position.
  void Truncate() { SetSize(Position()); }

  /// Reads exactly Count bytes or raises EInOutError ("Stream read error").
  void ReadBuffer(void* Buffer, std::int64_t Count);
  /// Writes exactly Count bytes or raises EInOutError ("Stream write error").
  void WriteBuffer(const void* Buffer, std::int64_t Count);
  /// Copies Count bytes from the current position of Source; Count 0 or less
  /// copies all of Source from its start.
  std::int64_t CopyFrom(TStream& Source, std::int64_t Count);

protected:
  virtual std::string StreamName() const { return {}; }
};

/// File open modes: an access mode, optionally combined with a sharing mode
/// (accepted for compatibility; Linux does not enforce sharing).
enum TFileOpenMode : std::uint16_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00, ///< create or truncate, then read and write
};

/// The access part of an open mode as a TFileAccess.
TFileAccess FileAccessOfMode(std::uint16_t Mode) noexcept;

/// A stream over a file on disk. Opening failures raise EInOutError with the
/// OS error and the file name.
class TFileStream : public TStream {
public:
  TFileStream(const std::string& FileName, std::uint16_t Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;
  std::int64_t Size() override;
  const std::string& FileName() const noexcept { return FFileName; }
  /// Writes buffered data through to the OS.
  void Flush();

protected:
  std::string StreamName() const override { return FFileName; }

private:
  std::string FFileName;
  TFileHandle FHandle;
};

/// A stream over a growable block of memory.
class TMemoryStream : public TStream {
public:
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(FData.size()); }

  const std::uint8_t* Memory() const noexcept { return FData.data(); }
  std::uint8_t* Memory() noexcept { return FData.data(); }
  const std::vector<std::uint8_t>& Bytes() const noexcept { return FData; }
  void Clear() { FData.clear(); FPosition = 0; }
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);
  void LoadFromStream(TStream& Source);
  void SaveToStream(TStream& Dest);

private:
  std::vector<std::uint8_t> FData;
  std::int64_t FPosition = 0;
};

} // namespace zyn
