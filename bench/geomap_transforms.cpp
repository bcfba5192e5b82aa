// Throughput of the map control's pixel ↔ geographic conversions per model,
// and the time of a full refit with 200 calibration points.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "geobasics/ZYN_geobasics.h"
#include "geomap/ZYN_geomap.h"

namespace {

using namespace zyn;

constexpr std::int32_t MapSize = 2000;

/// 200 points on a 20 × 10 grid of a 2000 × 2000 map of central Europe, whose
/// positions come from a conic-like relation (or UTM under cmUTM).
TCalibData TwoHundredPoints(TCalibModel Model) {
  TCalibData cd;
  cd.UTMZone = 32;
  for (int i = 0; i < 20; ++i)
    for (int j = 0; j < 10; ++j) {
      const std::int32_t x = i * 100 + 5, y = j * 200 + 7;
      const double dx = x - 1000.0, dy = y + 8000.0;
      double lat = 60 - std::hypot(dx, dy) * 0.001, lon = 10 + std::atan(dx / dy) * 57.3 * 1.3;
      if (Model == cmUTM) {
        std::int32_t zone = 0;
        double e = 0, n = 0;
        LatLongToUTM(lat, lon, gelWGS84, zone, e, n);
        lat = n;
        lon = e;
      }
      cd.CalQuads[static_cast<std::size_t>(++cd.NumCalQuads)] = {lat, lon, x, y};
    }
  return cd;
}

/// Graticule of 5 parallels and 5 meridians, 5 points each.
TCalibData Graticule() {
  TCalibData cd;
  for (int k = 0; k < 5; ++k)
    for (TGratLineKind kind : {gtlParallel, gtlMeridian}) {
      TCalibLine& l = cd.CalLines[static_cast<std::size_t>(++cd.NumCalLines)];
      l.LineType = kind;
      l.LineValue = kind == gtlParallel ? 52 - k : 6 + 2 * k;
      l.NumPoints = 5;
      for (int p = 1; p <= 5; ++p) {
        const std::int32_t along = (p - 1) * 500, across = 100 + k * 450 + (p - 3) * (p - 3) * 4;
        l.CalPoints[static_cast<std::size_t>(p)] = kind == gtlParallel ? Point(along, across) : Point(across, along);
      }
    }
  return cd;
}

std::unique_ptr<TGeoMap> CalibratedMap(TCalibModel Model) {
  auto m = std::make_unique<TGeoMap>(nullptr);
  m->SetSuppressPaint(true);
  m->MapBitmap().SetSize(MapSize, MapSize);
  m->SetCalibData(Model == cmParabolicIp ? Graticule() : TwoHundredPoints(Model));
  m->SetCalibModel(Model);
  return m;
}

void PixelToGeo(benchmark::State& state) {
  const auto m = CalibratedMap(static_cast<TCalibModel>(state.range(0)));
  std::int32_t x = 0, y = 0;
  for (auto _ : state) {
    bool valid = false;
    benchmark::DoNotOptimize(m->CalcLatitude(x, y, valid));
    benchmark::DoNotOptimize(m->CalcLongitude(x, y, valid));
    x = (x + 37) % MapSize;
    y = (y + 53) % MapSize;
  }
  state.SetItemsProcessed(state.iterations()); // one conversion = latitude and longitude
}

void GeoToPixel(benchmark::State& state) {
  const auto m = CalibratedMap(static_cast<TCalibModel>(state.range(0)));
  double lat = 48, lon = 9;
  for (auto _ : state) {
    std::int32_t x = 0, y = 0;
    benchmark::DoNotOptimize(m->CalcPixelCoords(lat, lon, x, y));
    benchmark::DoNotOptimize(x + y);
    lat = lat > 51 ? 48 : lat + 0.0137;
    lon = lon > 13 ? 9 : lon + 0.0211;
  }
  state.SetItemsProcessed(state.iterations());
}

void Recalc(benchmark::State& state) {
  const auto m = CalibratedMap(static_cast<TCalibModel>(state.range(0)));
  for (auto _ : state) m->RecalcCalibration();
}

void Models(benchmark::internal::Benchmark* b) {
  for (TCalibModel model : {cmParabolicIp, cmBiquadraticPn, cmConicConformal, cmMillerCylindrical, cmEquiRect, cmUTM})
    b->Arg(model);
}

} // namespace

BENCHMARK(PixelToGeo)->Apply(Models);
BENCHMARK(GeoToPixel)->Apply(Models);
BENCHMARK(Recalc)->Apply(Models)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
