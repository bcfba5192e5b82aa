#include "platform/ZYN_filehandle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {

namespace {

int OpenFlags(TFileAccess Access) {
  switch (Access) {
    case faRead: return O_RDONLY;
    case faWrite: return O_WRONLY;
    case faReadWrite: return O_RDWR;
    case faCreate: return O_RDWR | O_CREAT | O_TRUNC;
    case faCreateWrite: return O_WRONLY | O_CREAT | O_TRUNC;
    case faAppend: return O_WRONLY | O_APPEND;
  }
  return O_RDONLY;
}

} // namespace

TFileHandle& TFileHandle::operator=(TFileHandle&& Other) noexcept {
  if (this != &Other) {
    Close();
    FFd = Other.FFd;
    Other.FFd = -1;
  }
  return *this;
}

int TFileHandle::Open(const std::string& FileName, TFileAccess Access) {
  Close();
  if (FileName.empty()) return -ENOENT;
  const int fd = ::open(FileName.c_str(), OpenFlags(Access) | O_CLOEXEC, 0666);
  if (fd < 0) return -errno;
  // Directories open read-only on Linux; a file layer must refuse them.
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return -EISDIR;
  }
  FFd = fd;
  return 0;
}

int TFileHandle::Close() noexcept {
  if (FFd < 0) return 0;
  const int r = ::close(FFd);
  FFd = -1;
  return r == 0 ? 0 : -errno;
}

std::int64_t TFileHandle::Read(void* Buffer, std::int64_t Count) noexcept {
  if (FFd < 0) return -EBADF;
  auto* p = static_cast<std::uint8_t*>(Buffer);
  std::int64_t done = 0;
  while (done < Count) {
    const ssize_t n = ::read(FFd, p + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -errno;
    if (n == 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileHandle::Write(const void* Buffer, std::int64_t Count) noexcept {
  if (FFd < 0) return -EBADF;
  const auto* p = static_cast<const std::uint8_t*>(Buffer);
  std::int64_t done = 0;
  while (done < Count) {
    const ssize_t n = ::write(FFd, p + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -errno;
    done += n;
  }
  return done;
}

std::int64_t TFileHandle::Seek(std::int64_t Offset, int Whence) noexcept {
  if (FFd < 0) return -EBADF;
  const off_t r = ::lseek(FFd, static_cast<off_t>(Offset), Whence);
  return r < 0 ? -errno : static_cast<std::int64_t>(r);
}

std::int64_t TFileHandle::Size() const noexcept {
  if (FFd < 0) return -EBADF;
  struct stat st {};
  if (::fstat(FFd, &st) != 0) return -errno;
  return st.st_size;
}

int TFileHandle::Resize(std::int64_t NewSize) noexcept {
  if (FFd < 0) return -EBADF;
  if (NewSize < 0) return -EINVAL;
  return ::ftruncate(FFd, static_cast<off_t>(NewSize)) == 0 ? 0 : -errno;
}

int TFileHandle::Sync() noexcept {
  if (FFd < 0) return -EBADF;
  // Pipes and character devices cannot be synced; that is not a failure.
  if (::fsync(FFd) != 0 && errno != EINVAL && errno != EROFS) return -errno;
  return 0;
}

} // namespace zyn
