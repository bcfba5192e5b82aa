// Throughput of the geodesy conversions side by side with GeographicLib on the
// same inputs, then how far our Transverse Mercator lies from GeographicLib's.
//
//   bench/geodesy [--benchmark_min_time=0.5]
//
// Prints Google Benchmark's table, then one line per conversion with both
// rates and their ratio (ours / theirs), then the accuracy lines.

#include <benchmark/benchmark.h>

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/PolarStereographic.hpp>
#include <GeographicLib/TransverseMercator.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "geobasics/ZYN_geobasics.h"

namespace {

using namespace zyn;
namespace GL = GeographicLib;

constexpr double Deg = std::numbers::pi / 180.0;
constexpr std::size_t InputCount = 4096;

struct TGeoPos {
  double Lat, Lon, H;
};
struct TGridPos {
  std::int32_t Zone;
  bool South;
  double X, Y;
};
struct TCartPos {
  double X, Y, Z;
};

std::vector<TGeoPos> RandomPositions(double LatLo, double LatHi, unsigned Seed) {
  std::mt19937_64 rng(Seed);
  std::uniform_real_distribution<double> lat(LatLo, LatHi), lon(-179.9, 179.9), h(-100.0, 3000.0);
  std::vector<TGeoPos> out(InputCount);
  for (auto& p : out) p = {lat(rng), lon(rng), h(rng)};
  return out;
}

/// The inputs every pair of benchmarks shares.
struct TInputs {
  std::vector<TGeoPos> Utm = RandomPositions(-79.9, 83.9, 1);
  std::vector<TGeoPos> Polar = RandomPositions(60.0, 89.9, 2);
  std::vector<TGridPos> UtmGrid, UpsGrid;
  std::vector<TCartPos> Cart;

  TInputs() {
    for (std::size_t i = 0; i < InputCount; i += 2) Polar[i].Lat = -Polar[i].Lat;
    for (const auto& p : Utm) {
      TGridPos g{};
      LatLongToUTM(p.Lat, p.Lon, gelWGS84, g.Zone, g.X, g.Y);
      g.South = p.Lat < 0;
      UtmGrid.push_back(g);
      TCartPos c{};
      GeoToCartesian(p.Lat, p.Lon, p.H, gelWGS84, c.X, c.Y, c.Z);
      Cart.push_back(c);
    }
    for (const auto& p : Polar) {
      TGridPos g{0, p.Lat < 0, 0, 0};
      LatLongToUPS(p.Lat, p.Lon, gelWGS84, g.X, g.Y);
      UpsGrid.push_back(g);
    }
  }
};

const TInputs& Inputs() {
  static const TInputs inputs;
  return inputs;
}

/// Runs Convert on one input per iteration, cycling through the shared inputs.
template <class T, class F>
void RunOver(benchmark::State& State, const std::vector<T>& In, F Convert) {
  std::size_t i = 0;
  for (auto _ : State) {
    Convert(In[i]);
    i = (i + 1) % In.size();
  }
  State.SetItemsProcessed(State.iterations());
}

// ---- UTM ----
void OursLatLongToUTM(benchmark::State& s) {
  RunOver(s, Inputs().Utm, [](const TGeoPos& p) {
    std::int32_t zone;
    double e, n;
    LatLongToUTM(p.Lat, p.Lon, gelWGS84, zone, e, n);
    benchmark::DoNotOptimize(e);
    benchmark::DoNotOptimize(n);
  });
}
void TheirsLatLongToUTM(benchmark::State& s) {
  RunOver(s, Inputs().Utm, [](const TGeoPos& p) {
    int zone;
    bool northp;
    double e, n;
    GL::UTMUPS::Forward(p.Lat, p.Lon, zone, northp, e, n);
    benchmark::DoNotOptimize(e);
    benchmark::DoNotOptimize(n);
  });
}
void OursUTMToLatLong(benchmark::State& s) {
  RunOver(s, Inputs().UtmGrid, [](const TGridPos& g) {
    double lat, lon;
    UTMToLatLong(g.X, g.Y, g.Zone, g.South, gelWGS84, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
}
void TheirsUTMToLatLong(benchmark::State& s) {
  RunOver(s, Inputs().UtmGrid, [](const TGridPos& g) {
    double lat, lon;
    GL::UTMUPS::Reverse(g.Zone, !g.South, g.X, g.Y, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
}

// ---- UPS ----
void OursLatLongToUPS(benchmark::State& s) {
  RunOver(s, Inputs().Polar, [](const TGeoPos& p) {
    double x, y;
    LatLongToUPS(p.Lat, p.Lon, gelWGS84, x, y);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  });
}
void TheirsLatLongToUPS(benchmark::State& s) {
  RunOver(s, Inputs().Polar, [](const TGeoPos& p) {
    double x, y;
    GL::PolarStereographic::UPS().Forward(p.Lat >= 0, p.Lat, p.Lon, x, y);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  });
}
void OursUPSToLatLong(benchmark::State& s) {
  RunOver(s, Inputs().UpsGrid, [](const TGridPos& g) {
    double lat, lon;
    UPSToLatLong(g.X, g.Y, g.South, gelWGS84, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
}
void TheirsUPSToLatLong(benchmark::State& s) {
  RunOver(s, Inputs().UpsGrid, [](const TGridPos& g) {
    double lat, lon;
    // GeographicLib's polar stereographic has no false origin.
    GL::PolarStereographic::UPS().Reverse(!g.South, g.X - 2e6, g.Y - 2e6, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
}

// ---- Geocentric ----
void OursGeoToCartesian(benchmark::State& s) {
  RunOver(s, Inputs().Utm, [](const TGeoPos& p) {
    double x, y, z;
    GeoToCartesian(p.Lat, p.Lon, p.H, gelWGS84, x, y, z);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(z);
  });
}
void TheirsGeoToCartesian(benchmark::State& s) {
  RunOver(s, Inputs().Utm, [](const TGeoPos& p) {
    double x, y, z;
    GL::Geocentric::WGS84().Forward(p.Lat, p.Lon, p.H, x, y, z);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(z);
  });
}
void OursCartesianToGeo(benchmark::State& s) {
  RunOver(s, Inputs().Cart, [](const TCartPos& c) {
    double lat, lon, h;
    CartesianToGeo(c.X, c.Y, c.Z, gelWGS84, lat, lon, h);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(h);
  });
}
void TheirsCartesianToGeo(benchmark::State& s) {
  RunOver(s, Inputs().Cart, [](const TCartPos& c) {
    double lat, lon, h;
    GL::Geocentric::WGS84().Reverse(c.X, c.Y, c.Z, lat, lon, h);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(h);
  });
}

// ---- Datum shift: OSGB 36 (index 183) to WGS 84 (index 269) ----
void OursHelmertTransform(benchmark::State& s) {
  RunOver(s, Inputs().Utm, [](const TGeoPos& p) {
    double lat, lon, h;
    benchmark::DoNotOptimize(HelmertTransform(183, p.Lat, p.Lon, p.H, 269, lat, lon, h));
    benchmark::DoNotOptimize(lat);
  });
}
/// The same shift built from GeographicLib: geocentric on Airy 1830, the seven
/// parameters applied in the same position-vector form, geocentric back on WGS 84.
void TheirsHelmertTransform(benchmark::State& s) {
  const TDatumData& d = DatumData[183];
  const auto [a, b] = GeoEllipsoidData[gelAiry30];
  const GL::Geocentric airy(a, 1.0 - b / a);
  const double m = 1.0 + 1e-6 * d.Scale, sec = Deg / 3600.0;
  const double rx = d.RotX * sec, ry = d.RotY * sec, rz = d.RotZ * sec;
  RunOver(s, Inputs().Utm, [&](const TGeoPos& p) {
    double x, y, z, lat, lon, h;
    airy.Forward(p.Lat, p.Lon, p.H, x, y, z);
    const double x1 = m * (x - rz * y + ry * z) + d.DX;
    const double y1 = m * (y + rz * x - rx * z) + d.DY;
    const double z1 = m * (-ry * x + rx * y + z) + d.DZ;
    GL::Geocentric::WGS84().Reverse(x1, y1, z1, lat, lon, h);
    benchmark::DoNotOptimize(lat);
  });
}

/// Records each benchmark's rate from its CPU time, for the ratio table.
class TRateReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> Rates;

  void ReportRuns(const std::vector<Run>& Runs) override {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& r : Runs)
      if (r.run_type == Run::RT_Iteration && r.cpu_accumulated_time > 0)
        Rates[r.benchmark_name()] = static_cast<double>(r.iterations) / r.cpu_accumulated_time;
  }
};

const char* const Conversions[] = {"LatLongToUTM", "UTMToLatLong",   "LatLongToUPS",    "UPSToLatLong",
                                   "GeoToCartesian", "CartesianToGeo", "HelmertTransform"};

void PrintRatios(const TRateReporter& Reporter) {
  std::printf("\n%-18s %14s %14s %8s\n", "conversion", "ours (M/s)", "GeographicLib", "ratio");
  for (const char* name : Conversions) {
    const auto ours = Reporter.Rates.find(std::string("Ours") + name);
    const auto theirs = Reporter.Rates.find(std::string("Theirs") + name);
    if (ours == Reporter.Rates.end() || theirs == Reporter.Rates.end()) continue;
    std::printf("%-18s %14.2f %14.2f %7.2fx\n", name, ours->second / 1e6, theirs->second / 1e6,
                ours->second / theirs->second);
  }
}

/// Largest distance between our UTM-scaled Transverse Mercator and GeographicLib's
/// for |longitude - central meridian| <= MaxOffset, latitudes -80..84; and the largest
/// UTM round-trip error in degrees over the same grid.
void PrintAccuracy(double MaxOffset) {
  const GL::TransverseMercator& tm = GL::TransverseMercator::UTM();
  double worstMetres = 0, worstAt = 0, worstLat = 0, worstRoundTrip = 0;
  for (double lat = -80.0; lat <= 84.0; lat += 0.25) {
    for (double dl = -MaxOffset; dl <= MaxOffset + 1e-12; dl += MaxOffset / 40) {
      double x, y, gx, gy, gamma, k;
      LatLongToTM(lat * Deg, dl * Deg, 0.0, gelWGS84, x, y);
      tm.Forward(0.0, lat, dl, gx, gy, gamma, k);
      const double d = std::hypot(0.9996 * x - gx, 0.9996 * y - gy);
      if (d > worstMetres) worstMetres = d, worstAt = dl, worstLat = lat;
      double phi, lambda;
      TMToLatLong(x, y, 0.0, gelWGS84, phi, lambda);
      worstRoundTrip = std::max({worstRoundTrip, std::fabs(phi / Deg - lat), std::fabs(lambda / Deg - dl)});
    }
  }
  std::printf("TM accuracy |lon - CM| <= %.0f deg, lat -80..84: max %.6f m from GeographicLib "
              "(at lat %.2f, dl %.2f); round trip max %.1e deg\n",
              MaxOffset, worstMetres, worstLat, worstAt, worstRoundTrip);
}

} // namespace

BENCHMARK(OursLatLongToUTM);
BENCHMARK(TheirsLatLongToUTM);
BENCHMARK(OursUTMToLatLong);
BENCHMARK(TheirsUTMToLatLong);
BENCHMARK(OursLatLongToUPS);
BENCHMARK(TheirsLatLongToUPS);
BENCHMARK(OursUPSToLatLong);
BENCHMARK(TheirsUPSToLatLong);
BENCHMARK(OursGeoToCartesian);
BENCHMARK(TheirsGeoToCartesian);
BENCHMARK(OursCartesianToGeo);
BENCHMARK(TheirsCartesianToGeo);
BENCHMARK(OursHelmertTransform);
BENCHMARK(TheirsHelmertTransform);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Inputs();
  TRateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatios(reporter);
  std::printf("\n");
  PrintAccuracy(3.0);
  PrintAccuracy(6.0);
  return 0;
}
