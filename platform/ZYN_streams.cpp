#include "platform/ZYN_streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "platform/ZYN_sysutils.h"

namespace zyn {

std::int64_t TStream::Size() {
  const std::int64_t pos = Seek(0, soCurrent);
  const std::int64_t end = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return end;
}

void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
  if (Count > 0 && Read(Buffer, Count) != Count)
    throw EInOutError(EIO, StreamName(), "Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
  if (Count > 0 && Write(Buffer, Count) != Count)
    throw EInOutError(EIO, StreamName(), "Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& Source, std::int64_t Count) {
  if (Count <= 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  std::vector<std::uint8_t> buf(static_cast<std::size_t>(std::min<std::int64_t>(Count, 1 << 16)));
  std::int64_t left = Count;
  while (left > 0) {
    const std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(buf.size()));
    Source.ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    left -= n;
  }
  return Count;
}

// ---- TFileStream ----

TFileAccess FileAccessOfMode(std::uint16_t Mode) noexcept {
  if ((Mode & fmCreate) == fmCreate) return faCreate;
  switch (Mode & 0x3) {
    case fmOpenWrite: return faWrite;
    case fmOpenReadWrite: return faReadWrite;
    default: return faRead;
  }
}

TFileStream::TFileStream(const std::string& FileName, std::uint16_t Mode) : FFileName(FileName) {
  const TFileAccess access = FileAccessOfMode(Mode);
  if (const int r = FHandle.Open(FileName, access); r < 0)
    throw EInOutError::FromErrno(-r, FileName, access == faCreate ? "Cannot create file" : "Cannot open file");
}

TFileStream::~TFileStream() = default;

std::int64_t TFileStream::Read(void* Buffer, std::int64_t Count) {
  const std::int64_t n = FHandle.Read(Buffer, Count);
  if (n < 0) throw EInOutError::FromErrno(static_cast<int>(-n), FFileName, "Cannot read file");
  return n;
}

std::int64_t TFileStream::Write(const void* Buffer, std::int64_t Count) {
  const std::int64_t n = FHandle.Write(Buffer, Count);
  if (n < 0) throw EInOutError::FromErrno(static_cast<int>(-n), FFileName, "Cannot write file");
  return n;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  const std::int64_t r = FHandle.Seek(Offset, whence);
  if (r < 0) throw EInOutError::FromErrno(static_cast<int>(-r), FFileName, "Cannot seek in file");
  return r;
}

std::int64_t TFileStream::Size() {
  const std::int64_t r = FHandle.Size();
  if (r < 0) throw EInOutError::FromErrno(static_cast<int>(-r), FFileName, "Cannot stat file");
  return r;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  if (const int r = FHandle.Resize(NewSize); r < 0)
    throw EInOutError::FromErrno(-r, FFileName, "Cannot resize file");
  if (Position() > NewSize) Seek(NewSize, soBeginning);
}

void TFileStream::Flush() {
  if (const int r = FHandle.Sync(); r < 0) throw EInOutError::FromErrno(-r, FFileName, "Cannot flush file");
}

// ---- TMemoryStream ----

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count) {
  const std::int64_t avail = std::max<std::int64_t>(0, Size() - FPosition);
  const std::int64_t n = std::clamp<std::int64_t>(Count, 0, avail);
  if (n > 0) std::memcpy(Buffer, FData.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  const std::int64_t end = FPosition + Count;
  if (end > Size()) FData.resize(static_cast<std::size_t>(end));
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = end;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const std::int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? FPosition : Size();
  FPosition = std::max<std::int64_t>(0, base + Offset);
  return FPosition;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  FData.resize(static_cast<std::size_t>(std::max<std::int64_t>(0, NewSize)));
  FPosition = std::min(FPosition, Size());
}

void TMemoryStream::LoadFromStream(TStream& Source) {
  Source.SetPosition(0);
  const std::int64_t n = Source.Size();
  FData.resize(static_cast<std::size_t>(n));
  Source.ReadBuffer(FData.data(), n);
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& Dest) { Dest.WriteBuffer(FData.data(), Size()); }

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream f(FileName, fmOpenRead);
  LoadFromStream(f);
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
  TFileStream f(FileName, fmCreate);
  SaveToStream(f);
}

} // namespace zyn
