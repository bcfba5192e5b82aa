#pragma once
/// \file
/// Fixed values of the map control's image handling.

#include <cstdint>
#include <string>
#include <string_view>

namespace zyn {

/// Largest map image in pixels (width × height); exactly this many is allowed.
inline constexpr std::int64_t MaxMapImagePixels = 3000000;
/// Image name of a map taken from a bitmap rather than a file.
inline constexpr std::string_view UnknownMapImgName = "$unknown$";

/// FileName as it exists on disk: when no file has exactly this name, each
/// path component is matched without regard to ASCII case, as on the file
/// systems calibration files come from (their readers keep names in lower
/// case). Empty when no file matches.
std::string ResolveFileNameCase(const std::string& FileName);

} // namespace zyn
