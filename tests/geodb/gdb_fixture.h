#pragma once
// A temporary directory holding one database set, and byte helpers.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "geodb/ZYN_GeoDB.h"
#include "platform/ZYN_sysutils.h"

namespace zyn::test {

class GeoDBTest : public ::testing::Test {
protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    Dir = std::filesystem::temp_directory_path() /
          ("zyn_geodb_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(Dir);
    Base = (Dir / "set").string();
    DB.SetName("GeoDB1");
  }
  void TearDown() override {
    DB.SetGDBName("");
    std::filesystem::remove_all(Dir);
  }

  std::vector<std::uint8_t> Bytes(const std::string& Ext) const {
    std::ifstream in(Base + Ext, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteBytes(const std::string& Ext, const std::vector<std::uint8_t>& B) const {
    std::ofstream out(Base + Ext, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(B.data()), static_cast<std::streamsize>(B.size()));
  }
  static std::int32_t I32(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
  }
  static float F32(const std::vector<std::uint8_t>& b, std::size_t at) {
    float v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
  }
  std::int32_t AddPolygon(const TgdbPolygon& P, const std::string& Name = "poly", TgdbItem Kind = gitRiver) {
    TMetaInfo m;
    return DB.AddData(Name, P, false, Kind, 0, 0, 0, 0, 0, 0, 0, 0, 0, m, nullptr, 0, false);
  }
  std::int32_t AddTownAt(float Lat, float Lon, const std::string& Name = "town") {
    return DB.AddTown(Name, 0, 0, TSCoords{Lat, Lon}, 0, 0, 0);
  }

  std::filesystem::path Dir;
  std::string Base;
  TGeoDB DB;
};

} // namespace zyn::test
