#include "platform/ZYN_binfile.h"

#include <cerrno>
#include <limits>
#include <unistd.h>

#include "platform/ZYN_streams.h"
#include "platform/ZYN_sysutils.h"

namespace zyn {

std::uint16_t FileMode = fmOpenReadWrite;

TRecordFile::TRecordFile(std::string FileName, std::size_t RecordSize)
    : FFileName(std::move(FileName)), FRecordSize(RecordSize == 0 ? 1 : RecordSize) {}

void TRecordFile::Assign(const std::string& FileName) {
  Close();
  FFileName = FileName;
}

int TRecordFile::OpenWith(TFileAccess Access) noexcept {
  const int r = FHandle.Open(FFileName, Access);
  FLastError = -r;
  return r;
}

void TRecordFile::Check(std::int64_t Result, const char* What) const {
  if (Result < 0) throw EInOutError::FromErrno(static_cast<int>(-Result), FFileName, What);
}

TFileHandle& TRecordFile::OpenHandle(const char* What) {
  if (!FHandle.IsOpen()) throw EInOutError::FromErrno(EBADF, FFileName, What);
  return FHandle;
}

bool TRecordFile::TryReset() noexcept { return TryReset(FileMode); }
bool TRecordFile::TryReset(std::uint16_t Mode) noexcept { return OpenWith(FileAccessOfMode(Mode & 0x3)) == 0; }
void TRecordFile::Reset() { Reset(FileMode); }
void TRecordFile::Reset(std::uint16_t Mode) { Check(OpenWith(FileAccessOfMode(Mode & 0x3)), "Cannot open file"); }
bool TRecordFile::TryRewrite() noexcept { return OpenWith(faCreate) == 0; }
void TRecordFile::Rewrite() { Check(OpenWith(faCreate), "Cannot create file"); }

void TRecordFile::Close() { Check(FHandle.Close(), "Cannot close file"); }

std::int64_t TRecordFile::FileSize() {
  const std::int64_t bytes = OpenHandle("Cannot stat file").Size();
  Check(bytes, "Cannot stat file");
  return bytes / static_cast<std::int64_t>(FRecordSize);
}

std::int64_t TRecordFile::FilePos() {
  const std::int64_t bytes = OpenHandle("Cannot seek in file").Seek(0, SEEK_CUR);
  Check(bytes, "Cannot seek in file");
  return bytes / static_cast<std::int64_t>(FRecordSize);
}

void TRecordFile::Seek(std::int64_t RecNo) {
  const auto size = static_cast<std::int64_t>(FRecordSize);
  if (RecNo < 0 || RecNo > std::numeric_limits<std::int64_t>::max() / size)
    throw EInOutError::FromErrno(EINVAL, FFileName, "Cannot seek in file");
  const std::int64_t r = OpenHandle("Cannot seek in file").Seek(RecNo * size, SEEK_SET);
  Check(r, "Cannot seek in file");
}

bool TRecordFile::Eof() { return FilePos() >= FileSize(); }

void TRecordFile::Read(void* Record) {
  if (BlockRead(Record, 1) != 1) throw EInOutError(EIO, FFileName, "Read beyond end of file \"" + FFileName + "\"");
}

std::int64_t TRecordFile::ByteCount(std::int64_t Records, const char* What) const {
  const auto size = static_cast<std::int64_t>(FRecordSize);
  if (Records > std::numeric_limits<std::int64_t>::max() / size)
    throw EInOutError::FromErrno(EINVAL, FFileName, What);
  return Records * size;
}

void TRecordFile::Write(const void* Record) { BlockWrite(Record, 1); }

std::int64_t TRecordFile::BlockRead(void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  TFileHandle& h = OpenHandle("Cannot read file");
  const auto size = static_cast<std::int64_t>(FRecordSize);
  const std::int64_t n = h.Read(Buffer, ByteCount(Count, "Cannot read file"));
  Check(n, "Cannot read file");
  // A trailing partial record is not part of the result; step back over it.
  if (const std::int64_t partial = n % size; partial != 0) h.Seek(-partial, SEEK_CUR);
  return n / size;
}

void TRecordFile::BlockWrite(const void* Buffer, std::int64_t Count) {
  if (Count <= 0) return;
  TFileHandle& h = OpenHandle("Cannot write file");
  const std::int64_t n = h.Write(Buffer, ByteCount(Count, "Cannot write file"));
  Check(n, "Cannot write file");
}

void TRecordFile::Truncate() {
  TFileHandle& h = OpenHandle("Cannot resize file");
  const std::int64_t pos = h.Seek(0, SEEK_CUR);
  Check(pos, "Cannot resize file");
  Check(h.Resize(pos), "Cannot resize file");
}

} // namespace zyn
