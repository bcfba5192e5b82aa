#include "platform/ZYN_filesystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zyn {

namespace {

bool StatOf(const std::string& Name, struct stat& st) { return !Name.empty() && ::stat(Name.c_str(), &st) == 0; }

// Length of the directory part of FileName, including its last delimiter.
std::size_t DirPartLength(std::string_view FileName) {
  for (std::size_t i = FileName.size(); i > 0; --i)
    if (IsPathDelimiter(FileName[i - 1])) return i;
  // A drive prefix without a delimiter ("d:alps.jpg").
  const bool drive = FileName.size() >= 2 && FileName[1] == ':' &&
                     ((FileName[0] >= 'A' && FileName[0] <= 'Z') || (FileName[0] >= 'a' && FileName[0] <= 'z'));
  return drive ? 2 : 0;
}

// Position of the dot that starts the last extension, or npos.
std::size_t ExtensionStart(std::string_view FileName) {
  const std::size_t dir = DirPartLength(FileName);
  const std::size_t dot = FileName.rfind('.');
  return dot != std::string_view::npos && dot >= dir ? dot : std::string_view::npos;
}

} // namespace

bool FileExists(const std::string& FileName) {
  struct stat st {};
  return StatOf(FileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& DirName) {
  struct stat st {};
  return StatOf(DirName, st) && S_ISDIR(st.st_mode);
}

std::int64_t FileSize(const std::string& FileName) {
  struct stat st {};
  if (!StatOf(FileName, st) || S_ISDIR(st.st_mode)) return -1;
  return st.st_size;
}

bool FileAge(const std::string& FileName, TDateTime& ModifiedAt) {
  struct stat st {};
  if (!StatOf(FileName, st) || S_ISDIR(st.st_mode)) return false;
  ModifiedAt = UnixTimeToLocalDateTime(st.st_mtim.tv_sec, static_cast<std::int32_t>(st.st_mtim.tv_nsec));
  return true;
}

bool RenameFile(const std::string& OldName, const std::string& NewName) {
  if (OldName.empty() || NewName.empty()) return false;
  if (::renameat2(AT_FDCWD, OldName.c_str(), AT_FDCWD, NewName.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without RENAME_NOREPLACE: test first (not atomic, but never
  // silently replaces a file that was there when we looked).
  struct stat st {};
  if (::lstat(NewName.c_str(), &st) == 0) return false;
  return ::rename(OldName.c_str(), NewName.c_str()) == 0;
}

bool DeleteFile(const std::string& FileName) {
  return !FileName.empty() && !DirectoryExists(FileName) && ::unlink(FileName.c_str()) == 0;
}

std::string ExtractFilePath(std::string_view FileName) {
  return std::string(FileName.substr(0, DirPartLength(FileName)));
}

std::string ExtractFileDir(std::string_view FileName) {
  std::size_t n = DirPartLength(FileName);
  // Drop the last delimiter unless it is the root or follows a drive ("d:\").
  if (n > 1 && IsPathDelimiter(FileName[n - 1]) && FileName[n - 2] != ':') --n;
  return std::string(FileName.substr(0, n));
}

std::string ExtractFileName(std::string_view FileName) {
  return std::string(FileName.substr(DirPartLength(FileName)));
}

std::string ExtractFileExt(std::string_view FileName) {
  const std::size_t dot = ExtensionStart(FileName);
  return dot == std::string_view::npos ? std::string() : std::string(FileName.substr(dot));
}

std::string ChangeFileExt(std::string_view FileName, std::string_view Extension) {
  std::string result(FileName.substr(0, std::min(ExtensionStart(FileName), FileName.size())));
  result += Extension;
  return result;
}

std::string IncludeTrailingPathDelimiter(std::string_view Dir) {
  std::string result(Dir);
  if (!result.empty() && !IsPathDelimiter(result.back())) result += '/';
  return result;
}

} // namespace zyn
