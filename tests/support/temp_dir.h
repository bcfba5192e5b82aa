#pragma once
// A unique temporary directory for one test, removed with everything in it.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace zyn::testing {

class TTempDir {
public:
  TTempDir() {
    static std::atomic<int> counter{0};
    FPath = std::filesystem::temp_directory_path() /
            ("zyn_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(FPath);
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(FPath, ec);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  std::string File(std::string_view Name) const { return (FPath / Name).string(); }
  const std::filesystem::path& Path() const { return FPath; }

  /// Writes Bytes to a file in the directory and returns its name.
  std::string Write(std::string_view Name, std::string_view Bytes) const {
    const std::string name = File(Name);
    std::ofstream(name, std::ios::binary).write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    return name;
  }
  static std::string Read(const std::string& FileName) {
    std::ifstream in(FileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

private:
  std::filesystem::path FPath;
};

} // namespace zyn::testing
