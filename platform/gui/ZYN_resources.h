#pragma once
/// \file
/// Resources compiled into the program: byte blocks (bitmap files, cursors)
/// registered under a name and looked up by it, ignoring case.
///
/// A unit that defines resources registers them with a static
/// TResourceRegistration. Code in a static library is linked only when
/// something refers to it, so such a unit also offers a function that its
/// users call (or the library links it whole).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/ZYN_sysutils.h"

namespace zyn {

/// Raised when a resource is asked for that was never registered.
class EResNotFound : public Exception {
public:
  using Exception::Exception;
};

/// Resource kinds.
inline constexpr const char* RT_BITMAP = "BITMAP"; ///< a whole BMP file
inline constexpr const char* RT_CURSOR = "CURSOR";

/// Registers Data (which must stay valid for the life of the program) as the
/// resource Name of kind Type; a later registration of the same name replaces it.
void RegisterResource(const std::string& Type, const std::string& Name, std::span<const std::uint8_t> Data);

/// The bytes of a resource, or an empty span when there is none.
std::span<const std::uint8_t> FindResource(const std::string& Type, const std::string& Name);

/// The bytes of a resource; raises EResNotFound ("Resource NAME not found").
std::span<const std::uint8_t> LoadResource(const std::string& Type, const std::string& Name);

/// Registers a resource while static objects are constructed.
struct TResourceRegistration {
  TResourceRegistration(const char* Type, const char* Name, std::span<const std::uint8_t> Data) {
    RegisterResource(Type, Name, Data);
  }
};

} // namespace zyn
