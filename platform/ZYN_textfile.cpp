#include "platform/ZYN_textfile.h"

#include <cerrno>

#include "platform/ZYN_codepage.h"
#include "platform/ZYN_sysutils.h"

namespace zyn {

namespace {
constexpr std::size_t kChunk = 1 << 16;
} // namespace

TTextFile::~TTextFile() {
  try {
    Close();
  } catch (...) { // NOLINT: a destructor must not throw; Close() reports errors
  }
}

void TTextFile::Assign(const std::string& FileName) {
  Close();
  FFileName = FileName;
}

bool TTextFile::TryOpen(TFileAccess Access, TMode Mode) noexcept {
  try {
    Close();
  } catch (const EInOutError& e) {
    FLastError = e.ErrorCode();
    return false;
  }
  const int r = FHandle.Open(FFileName, Access);
  FLastError = -r;
  if (r < 0) return false;
  FMode = Mode;
  FBuffer.clear();
  FBufPos = 0;
  FAtEnd = false;
  return true;
}

void TTextFile::Open(TFileAccess Access, TMode Mode, const char* What) {
  if (!TryOpen(Access, Mode)) throw EInOutError::FromErrno(FLastError, FFileName, What);
}

bool TTextFile::TryReset() noexcept { return TryOpen(faRead, tmInput); }
void TTextFile::Reset() { Open(faRead, tmInput, "Cannot open file"); }
bool TTextFile::TryRewrite() noexcept { return TryOpen(faCreateWrite, tmOutput); }
void TTextFile::Rewrite() { Open(faCreateWrite, tmOutput, "Cannot create file"); }
bool TTextFile::TryAppend() noexcept { return TryOpen(faAppend, tmOutput); }
void TTextFile::Append() { Open(faAppend, tmOutput, "Cannot open file"); }

void TTextFile::Close() {
  if (FMode == tmClosed) return;
  const bool writing = FMode == tmOutput;
  FMode = tmClosed;
  int err = 0;
  if (writing) {
    const std::int64_t n = FHandle.Write(FBuffer.data(), static_cast<std::int64_t>(FBuffer.size()));
    if (n < 0) err = static_cast<int>(-n);
  }
  FBuffer.clear();
  FBufPos = 0;
  if (const int r = FHandle.Close(); r < 0 && err == 0) err = -r;
  if (err != 0) throw EInOutError::FromErrno(err, FFileName, "Cannot write file");
}

void TTextFile::RequireMode(TMode Mode) {
  if (FMode == Mode) return;
  const char* what = FMode == tmClosed ? "File not open"
                     : Mode == tmInput ? "File not open for input"
                                       : "File not open for output";
  throw EInOutError::FromErrno(EBADF, FFileName, what);
}

bool TTextFile::Fill(std::size_t Count) {
  while (FBuffer.size() - FBufPos < Count) {
    if (FAtEnd) return false;
    FBuffer.erase(FBuffer.begin(), FBuffer.begin() + static_cast<std::ptrdiff_t>(FBufPos));
    FBufPos = 0;
    const std::size_t old = FBuffer.size();
    FBuffer.resize(old + kChunk);
    const std::int64_t n = FHandle.Read(FBuffer.data() + old, kChunk);
    FBuffer.resize(old + static_cast<std::size_t>(n > 0 ? n : 0));
    if (n < 0) throw EInOutError::FromErrno(static_cast<int>(-n), FFileName, "Cannot read file");
    if (n < static_cast<std::int64_t>(kChunk)) FAtEnd = true;
  }
  return true;
}

int TTextFile::PeekByte(std::size_t Ahead) {
  RequireMode(tmInput);
  if (Ahead > 15 || !Fill(Ahead + 1)) return -1;
  return static_cast<unsigned char>(FBuffer[FBufPos + Ahead]);
}

int TTextFile::ReadByte() {
  const int b = PeekByte();
  if (b >= 0) ++FBufPos;
  return b;
}

bool TTextFile::Eof() { return PeekByte() < 0; }

bool TTextFile::ReadLn(std::string& Line) {
  RequireMode(tmInput);
  std::string ansi;
  bool any = false;
  while (Fill(1)) {
    any = true;
    const char* begin = FBuffer.data() + FBufPos;
    const char* end = FBuffer.data() + FBuffer.size();
    const char* p = begin;
    while (p != end && *p != '\n' && *p != '\r') ++p;
    ansi.append(begin, p);
    FBufPos += static_cast<std::size_t>(p - begin);
    if (p == end) continue;
    ++FBufPos;
    if (*p == '\r' && PeekByte() == '\n') ++FBufPos;
    break;
  }
  Line = AnsiToUtf8(ansi);
  return any;
}

void TTextFile::Write(std::string_view Text) {
  RequireMode(tmOutput);
  const std::string ansi = Utf8ToAnsi(Text);
  FBuffer.insert(FBuffer.end(), ansi.begin(), ansi.end());
  if (FBuffer.size() >= kChunk) WritePending();
}

void TTextFile::WriteLn(std::string_view Text) {
  Write(Text);
  Write("\r\n");
}

void TTextFile::WritePending() {
  const std::int64_t n = FHandle.Write(FBuffer.data(), static_cast<std::int64_t>(FBuffer.size()));
  if (n < 0) throw EInOutError::FromErrno(static_cast<int>(-n), FFileName, "Cannot write file");
  FBuffer.clear();
}

void TTextFile::Flush() {
  RequireMode(tmOutput);
  WritePending();
}

} // namespace zyn
