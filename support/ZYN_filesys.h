#pragma once
/// \file
/// File-name helpers of the base support library. The file-system queries
/// (FileExists, FileSize, FileAge, RenameFile, ExtractFileDir, ...) come from
/// the platform and are available through this header too.

#include <string>
#include <string_view>

#include "platform/ZYN_filesystem.h"

namespace zyn {

/// FileName without its last extension; the directory is kept and dots in
/// directory names do not count ("/a/v1.2/map.jpg" → "/a/v1.2/map").
std::string StripExtension(const std::string& FileName);
/// FileName without its directory ("d:\maps\alps.jpg" → "alps.jpg").
std::string StripPath(const std::string& FileName);

} // namespace zyn
