#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "geobasics/ZYN_geobasics.h"

namespace zyn {
namespace {

using TCsvRow = std::vector<std::string>;

// Enough CSV for the data files: commas, double-quoted fields, "" inside quotes.
TCsvRow SplitCsvLine(const std::string& Line) {
  TCsvRow fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < Line.size(); ++i) {
    const char ch = Line[i];
    if (quoted && ch == '"' && i + 1 < Line.size() && Line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (ch == '"') {
      quoted = !quoted;
    } else if (ch == ',' && !quoted) {
      fields.emplace_back();
    } else if (ch != '\r') {
      fields.back() += ch;
    }
  }
  return fields;
}

// The CSV the checked-in tables are generated from, without its header line.
std::vector<TCsvRow> ReadSourceTable(const std::string& FileName) {
  const auto path = std::filesystem::path(__FILE__).parent_path() / "../../data" / FileName;
  std::ifstream in(path);
  EXPECT_TRUE(in.good()) << FileName;
  std::vector<TCsvRow> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line))
    if (!line.empty()) rows.push_back(SplitCsvLine(line));
  return rows;
}

TEST(CountryTable, MatchesItsSourceFileRowForRow) {
  const auto rows = ReadSourceTable("countries.csv");
  ASSERT_EQ(rows.size(), CountryCount);
  for (std::size_t i = 0; i < CountryCount; ++i) {
    const TCountryData& c = CountryData[i];
    const TCsvRow& r = rows[i];
    SCOPED_TRACE(r[0]);
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(c.Name.Str(), r[0]);
    EXPECT_EQ(c.Fips10.Str(), r[1]);
    EXPECT_EQ(c.ISO3166_2.Str(), r[2]);
    EXPECT_EQ(c.ISO3166_3.Str(), r[3]);
    EXPECT_EQ(c.CLat, std::stod(r[4]));
    EXPECT_EQ(c.CLong, std::stod(r[5]));
    EXPECT_EQ(c.Capital.Str(), r[6]);
    EXPECT_EQ(c.CapLat, std::stod(r[7]));
    EXPECT_EQ(c.CapLong, std::stod(r[8]));
    EXPECT_EQ(c.CapAlt, std::stoi(r[9]));
  }
}

TEST(CountryTable, IsSortedByNameAndHoldsTheKnownRows) {
  EXPECT_TRUE(std::is_sorted(CountryData.begin(), CountryData.end(),
                             [](const TCountryData& a, const TCountryData& b) { return a.Name.Ansi() < b.Name.Ansi(); }));
  struct Row { std::size_t At; const char *Name, *Fips, *Iso2, *Iso3; double CLat, CLong;
               const char* Capital; double CapLat, CapLong; int CapAlt; };
  const Row rows[] = {
      {0, "Afghanistan", "af", "af", "afg", 33.0, 65.0, "Kabul", 34.5309, 69.1368, 1807},
      {7, "Antarctica", "ay", "aq", "ata", -90.0, 0.0, "", -90.0, 0.0, 0},
      {147, "Netherlands", "nl", "nl", "nld", 52.5, 5.75, "Amsterdam", 52.373, 4.8948, -1},
      {218, "United States", "us", "us", "usa", 38.0, -97.0, "Washington, DC", 38.9051, -77.0162, 2},
      {230, "Zimbabwe", "zi", "zw", "zwe", -20.0, 30.0, "Harare", -17.8292, 31.054, 1480},
  };
  for (const Row& r : rows) {
    const TCountryData& c = CountryData[r.At];
    SCOPED_TRACE(r.Name);
    EXPECT_EQ(c.Name.Str(), r.Name);
    EXPECT_EQ(c.Fips10.Str(), r.Fips);
    EXPECT_EQ(c.ISO3166_2.Str(), r.Iso2);
    EXPECT_EQ(c.ISO3166_3.Str(), r.Iso3);
    EXPECT_EQ(c.CLat, r.CLat);
    EXPECT_EQ(c.CLong, r.CLong);
    EXPECT_EQ(c.Capital.Str(), r.Capital);
    EXPECT_EQ(c.CapLat, r.CapLat);
    EXPECT_EQ(c.CapLong, r.CapLong);
    EXPECT_EQ(c.CapAlt, r.CapAlt);
  }
}

TEST(DatumTable, MatchesItsSourceFileRowForRow) {
  const auto rows = ReadSourceTable("datums.csv");
  ASSERT_EQ(rows.size(), DatumCount);
  for (std::size_t i = 1; i <= DatumCount; ++i) {
    const TDatumData& d = DatumData[i];
    const TCsvRow& r = rows[i - 1];
    SCOPED_TRACE(r[0] + " " + r[1]);
    ASSERT_EQ(r.size(), 11u);
    EXPECT_EQ(std::stoul(r[0]), i);
    EXPECT_EQ(d.Name.Str(), r[1]);
    EXPECT_EQ(d.Region.Str(), r[2]);
    EXPECT_EQ(GeoEllipsoidId[d.Ellipsoid], r[3]);
    const double values[] = {d.DX, d.DY, d.DZ, d.Scale, d.RotX, d.RotY, d.RotZ};
    for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(values[k], std::stod(r[4 + k])) << "column " << 4 + k;
  }
}

TEST(DatumTable, HoldsTheKnownRows) {
  struct Row { std::size_t Index; const char *Name, *Region; TGeoEllipsoid Ellipsoid;
               double DX, DY, DZ, Scale, RotX, RotY, RotZ; };
  const Row rows[] = {
      {1, "ACCRA", "Ghana", gelWarOffice, -199.0, 32.0, 322.0, 0, 0, 0, 0},
      {13, "RD, AMERSFOORT", "Netherlands", gelBess41, 565.0, 49.9, 465.8, 4.08, -0.409, 0.36, -1.869},
      {59, "EUROPEAN DATUM 1950", "Europe", gelInt24, -87.0, -98.0, -121.0, 0, 0, 0, 0},
      {167, "NORTH AMERICAN 1927", "US - CONUS", gelClrk66, -8.0, 160.0, 176.0, 0, 0, 0, 0},
      {183, "ORDNANCE GB 1936", "GB - Great Britain", gelAiry30, 446.448, -125.157, 542.06, -20.49, 0.15, 0.247, 0.8421},
      {217, "DHDN (RAUENBERG)", "Germany", gelBess41, 582.0, 105.0, 414.0, 8.3, 1.04, 0.35, -3.08},
      {268, "WORLD GEODETIC SYSTEM 1972", "World", gelWGS72, 0, 0, 4.5, 0.219, 0, 0, 0.554},
      {269, "WORLD GEODETIC SYSTEM 1984", "World", gelWGS84, 0, 0, 0, 0, 0, 0, 0},
      {271, "ZANDERIJ", "Suriname", gelInt24, -265.0, 120.0, -358.0, 0, 0, 0, 0},
  };
  for (const Row& r : rows) {
    const TDatumData& d = DatumData[r.Index];
    SCOPED_TRACE(r.Index);
    EXPECT_EQ(d.Name.Str(), r.Name);
    EXPECT_EQ(d.Region.Str(), r.Region);
    EXPECT_EQ(d.Ellipsoid, r.Ellipsoid);
    EXPECT_EQ(d.DX, r.DX);
    EXPECT_EQ(d.DY, r.DY);
    EXPECT_EQ(d.DZ, r.DZ);
    EXPECT_EQ(d.Scale, r.Scale);
    EXPECT_EQ(d.RotX, r.RotX);
    EXPECT_EQ(d.RotY, r.RotY);
    EXPECT_EQ(d.RotZ, r.RotZ);
  }
}

} // namespace
} // namespace zyn
