#pragma once
/// \file
/// File-system queries and file-name parts.
///
/// Names are UTF-8 paths. Both "/" and "\" separate directories in the
/// name-part routines, and a leading drive ("d:") counts as a directory, so
/// names written on Windows ("d:\maps\alps.jpg") split the same way.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ZYN_datetime.h"

namespace zyn {

/// True when FileName names an existing file that is not a directory.
bool FileExists(const std::string& FileName);
/// True when DirName names an existing directory.
bool DirectoryExists(const std::string& DirName);
/// Size of the file in bytes; -1 when it does not exist or is a directory.
std::int64_t FileSize(const std::string& FileName);
/// Modification time of the file as a local date-time; false when it does not exist.
bool FileAge(const std::string& FileName, TDateTime& ModifiedAt);
/// Renames or moves a file. Never replaces an existing target: false then,
/// and when the source is missing or the OS refuses.
bool RenameFile(const std::string& OldName, const std::string& NewName);
/// Removes a file; false when it cannot.
bool DeleteFile(const std::string& FileName);

/// True for "/" and "\".
constexpr bool IsPathDelimiter(char c) noexcept { return c == '/' || c == '\\'; }
/// Directory part including its last delimiter ("d:\maps\"); empty without one.
std::string ExtractFilePath(std::string_view FileName);
/// Directory part without its last delimiter ("d:\maps"); the root stays "/".
std::string ExtractFileDir(std::string_view FileName);
/// The name after the last delimiter ("alps.jpg").
std::string ExtractFileName(std::string_view FileName);
/// The last extension of the name part, with its dot (".jpg"); empty without one.
std::string ExtractFileExt(std::string_view FileName);
/// FileName with its last extension replaced by Extension (give it with its dot).
std::string ChangeFileExt(std::string_view FileName, std::string_view Extension);
/// Dir followed by "/" unless it is empty or already ends in a delimiter.
std::string IncludeTrailingPathDelimiter(std::string_view Dir);

} // namespace zyn
