// zyngeo: converts geographic positions to UTM zone and band, UTM, UPS and
// geocentric coordinates, and shifts them between datums.

#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "zyngeo_report.h"

namespace {

using namespace zyngeo;

constexpr const char* Usage = R"(usage: zyngeo [options] [LAT,LON[,HEIGHT]]...
       zyngeo [options] < positions.txt
       zyngeo --example

Converts positions given in decimal degrees (latitude positive north, longitude
positive east, optional ellipsoidal height in metres) and prints for each one
its UTM zone and latitude band, UTM easting and northing, UPS coordinates
(beyond 60 degrees north or south), geocentric X, Y, Z and, with --shift, the
position on another datum.
On the command line a position is one argument, such as 48,11.5 or
-33.9,18.4,10. Without positions there, reads one "LAT LON [HEIGHT]" per line
from standard input (commas or blanks between the values, '#' starts a comment).
Exit status: 0 when every position converted, 2 on bad input.

options:
  --ellipsoid ID    ellipsoid of the grid and geocentric coordinates, by its
                    identifier (default gelWGS84); --list-ellipsoids shows them
  --shift FROM:TO   datum shift between two datum indices 1..271
                    (269 is WGS 84); --list-datums shows them
  --example         convert a few built-in positions
  --help            show this text
)";

/// Bad input: the message is printed and the program exits with status 2.
struct TUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

double ParseNumber(std::string_view Text, const char* What) {
  double value = 0;
  const auto [end, ec] = std::from_chars(Text.data(), Text.data() + Text.size(), value);
  if (ec != std::errc() || end != Text.data() + Text.size() || !std::isfinite(value))
    throw TUsageError(std::string(What) + " is not a number: '" + std::string(Text) + "'");
  return value;
}

std::int32_t ParseDatumIndex(std::string_view Text) {
  const double v = ParseNumber(Text, "datum index");
  if (v != std::floor(v) || v < 1 || v > static_cast<double>(zyn::DatumCount))
    throw TUsageError("datum index must be 1..271: '" + std::string(Text) + "'");
  return static_cast<std::int32_t>(v);
}

TDatumShift ParseShift(std::string_view Text) {
  const auto colon = Text.find(':');
  if (colon == std::string_view::npos) throw TUsageError("--shift wants FROM:TO, got '" + std::string(Text) + "'");
  return {ParseDatumIndex(Text.substr(0, colon)), ParseDatumIndex(Text.substr(colon + 1))};
}

zyn::TGeoEllipsoid ParseEllipsoid(std::string_view Text) {
  for (std::size_t i = 0; i < zyn::GeoEllipsoidCount; ++i) {
    const auto e = static_cast<zyn::TGeoEllipsoid>(i);
    if (zyn::GeoEllipsoidId[e] == Text) return e;
  }
  throw TUsageError("unknown ellipsoid '" + std::string(Text) + "' (see --list-ellipsoids)");
}

std::vector<std::string> SplitPosition(const std::string& Argument) {
  std::vector<std::string> fields;
  std::istringstream parts(Argument);
  for (std::string f; std::getline(parts, f, ',');) fields.push_back(f);
  return fields;
}

TPosition MakePosition(const std::vector<std::string>& Fields) {
  if (Fields.size() < 2 || Fields.size() > 3)
    throw TUsageError("expected LAT LON [HEIGHT], got " + std::to_string(Fields.size()) + " values");
  TPosition p;
  p.Lat = ParseNumber(Fields[0], "latitude");
  p.Lon = ParseNumber(Fields[1], "longitude");
  if (Fields.size() == 3) p.Height = ParseNumber(Fields[2], "height");
  if (std::fabs(p.Lat) > 90) throw TUsageError("latitude outside -90..90: " + Fields[0]);
  if (std::fabs(p.Lon) > 180) throw TUsageError("longitude outside -180..180: " + Fields[1]);
  return p;
}

struct TExample {
  TPosition Position;
  std::optional<TDatumShift> Shift;
};

std::vector<TExample> Examples() {
  return {{{48.0, 11.5, 520.0, "Munich, zone 32U"}, {}},
          {{-33.9, 18.4, 10.0, "Cape Town, southern hemisphere"}, {}},
          {{60.39, 5.32, 12.0, "Bergen, the Norway exception 32V"}, {}},
          {{78.22, 15.65, 10.0, "Longyearbyen, the Svalbard exception 33X"}, {}},
          {{-89.0, 45.0, 2800.0, "near the South Pole: UPS only"}, {}},
          {{51.4773, 0.0, 0.0, "Greenwich on OSGB 36 (183), to WGS 84 (269)"}, TDatumShift{183, 269}},
          {{52.1552, 5.3872, 0.0, "Amersfoort on RD (13), to WGS 84 (269)"}, TDatumShift{13, 269}}};
}

void ListEllipsoids() {
  for (std::size_t i = 0; i < zyn::GeoEllipsoidCount; ++i) {
    const auto e = static_cast<zyn::TGeoEllipsoid>(i);
    std::cout << zyn::GeoEllipsoidId[e] << "\t" << zyn::GeoEllipsoidName[e] << "\n";
  }
}

void ListDatums() {
  for (std::size_t i = 1; i <= zyn::DatumCount; ++i)
    std::cout << i << "\t" << zyn::DatumData[i].Name.Str() << "\t" << zyn::DatumData[i].Region.Str() << "\n";
}

/// Reads positions from a stream, reporting each as soon as it is read.
int ConvertStream(std::istream& In, const TReportOptions& Options) {
  std::string line;
  int lineNo = 0, failures = 0;
  while (std::getline(In, line)) {
    ++lineNo;
    line = line.substr(0, line.find('#'));
    for (char& ch : line)
      if (ch == ',' || ch == ';') ch = ' ';
    std::istringstream words(line);
    std::vector<std::string> fields;
    for (std::string w; words >> w;) fields.push_back(w);
    if (fields.empty()) continue;
    try {
      PrintReport(std::cout, MakePosition(fields), Options);
    } catch (const TUsageError& e) {
      std::cerr << "zyngeo: line " << lineNo << ": " << e.what() << "\n";
      ++failures;
    }
  }
  return failures ? 2 : 0;
}

int Run(int argc, char** argv) {
  TReportOptions options;
  std::vector<std::string> positions;
  bool example = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto value = [&]() -> std::string_view {
      if (i + 1 >= argc) throw TUsageError(std::string(arg) + " needs a value");
      return argv[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << Usage;
      return 0;
    } else if (arg == "--list-ellipsoids") {
      ListEllipsoids();
      return 0;
    } else if (arg == "--list-datums") {
      ListDatums();
      return 0;
    } else if (arg == "--example") {
      example = true;
    } else if (arg == "--ellipsoid") {
      options.Ellipsoid = ParseEllipsoid(value());
    } else if (arg == "--shift") {
      options.Shift = ParseShift(value());
    } else if (arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.') {
      throw TUsageError("unknown option '" + std::string(arg) + "' (see --help)");
    } else {
      positions.emplace_back(arg);
    }
  }
  if (example) {
    for (const TExample& ex : Examples()) {
      TReportOptions shown = options;
      shown.Shift = ex.Shift;
      PrintReport(std::cout, ex.Position, shown);
    }
    return 0;
  }
  if (positions.empty()) return ConvertStream(std::cin, options);
  for (const std::string& p : positions) PrintReport(std::cout, MakePosition(SplitPosition(p)), options);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const TUsageError& e) {
    std::cerr << "zyngeo: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "zyngeo: " << e.what() << "\n";
    return 1;
  }
}
