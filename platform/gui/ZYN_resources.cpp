#include "platform/gui/ZYN_resources.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace zyn {

namespace {

std::string Key(const std::string& Type, const std::string& Name) {
  std::string k = Type + '\n' + Name;
  std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return k;
}

/// Built on first use, so registrations from other units' static objects
/// work whatever order those are constructed in.
std::map<std::string, std::span<const std::uint8_t>>& Table() {
  static std::map<std::string, std::span<const std::uint8_t>> table;
  return table;
}

} // namespace

void RegisterResource(const std::string& Type, const std::string& Name, std::span<const std::uint8_t> Data) {
  Table()[Key(Type, Name)] = Data;
}

std::span<const std::uint8_t> FindResource(const std::string& Type, const std::string& Name) {
  const auto it = Table().find(Key(Type, Name));
  return it == Table().end() ? std::span<const std::uint8_t>() : it->second;
}

std::span<const std::uint8_t> LoadResource(const std::string& Type, const std::string& Name) {
  const auto data = FindResource(Type, Name);
  if (data.empty()) throw EResNotFound("Resource " + Name + " not found");
  return data;
}

} // namespace zyn
