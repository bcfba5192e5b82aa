#include "geodb/ZYN_gdbfile.h"

#include <algorithm>
#include <cerrno>

#include "platform/ZYN_sysutils.h"

namespace zyn {

namespace {
TGdbWriteHook& WriteHook() {
  static TGdbWriteHook hook;
  return hook;
}

std::uint16_t StreamMode(TGdbFile::TAccess Access) {
  switch (Access) {
    case TGdbFile::gfaRead: return fmOpenRead;
    case TGdbFile::gfaReadWrite: return fmOpenReadWrite;
    case TGdbFile::gfaCreate: break;
  }
  return fmCreate;
}
} // namespace

void SetGdbWriteHookForTesting(TGdbWriteHook Hook) { WriteHook() = std::move(Hook); }

TGdbFile::TGdbFile(const std::string& FileName, TAccess Access)
    : FFileName(FileName), FStream(std::make_unique<TFileStream>(FileName, StreamMode(Access))) {
  FSize = FStream->Size();
}

std::unique_ptr<TGdbFile> TGdbFile::TryOpenRead(const std::string& FileName) {
  try {
    return std::make_unique<TGdbFile>(FileName, gfaRead);
  } catch (const EInOutError&) {
    return nullptr;
  }
}

std::int64_t TGdbFile::ReadAt(std::int64_t Offset, void* Buffer, std::int64_t Count) {
  if (Offset < 0 || Count <= 0 || Offset >= FSize) return 0;
  FStream->Seek(Offset, soBeginning);
  return FStream->Read(Buffer, Count);
}

std::vector<std::uint8_t> TGdbFile::ReadAll() {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(FSize));
  bytes.resize(static_cast<std::size_t>(ReadAt(0, bytes.data(), FSize)));
  return bytes;
}

void TGdbFile::WriteAt(std::int64_t Offset, const void* Buffer, std::int64_t Count) {
  if (Count <= 0) return;
  std::int64_t allowed = Count;
  if (const auto& hook = WriteHook()) allowed = std::clamp<std::int64_t>(hook(FFileName, Count), 0, Count);
  FStream->Seek(Offset, soBeginning);
  const std::int64_t written = allowed > 0 ? FStream->Write(Buffer, allowed) : 0;
  FSize = std::max(FSize, Offset + written);
  if (written != Count) throw EInOutError::FromErrno(EIO, FFileName, "Cannot write file");
}

std::int64_t TGdbFile::Append(const void* Buffer, std::int64_t Count) {
  const std::int64_t at = FSize;
  WriteAt(at, Buffer, Count);
  return at;
}

void TGdbFile::Truncate(std::int64_t NewSize) {
  FStream->SetSize(NewSize);
  FSize = NewSize;
}

void WriteWholeFile(const std::string& FileName, const std::vector<std::uint8_t>& Bytes) {
  TGdbFile f(FileName, TGdbFile::gfaCreate);
  f.WriteAt(0, Bytes.data(), static_cast<std::int64_t>(Bytes.size()));
}

} // namespace zyn
