#pragma once
/// \file
/// The library as one package: its version.

namespace zyn {

/// The library's version text, "major.minor.patch".
const char* ZynvandrilVersion() noexcept;

} // namespace zyn
