// The support library's hot paths: scanning a large landmark file for its
// tags, and fitting parabolas to graticule lines.

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <string_view>

#include "platform/ZYN_streams.h"
#include "support/ZYN_math2.h"
#include "support/ZYN_streams.h"

namespace {

constexpr std::array<std::string_view, 16> kTags = {
    "geomap",   "/geomap",   "calline",    "corners", "resolution", "gmlandmarks", "/gmlandmarks", "landmark",
    "calquads", "lmsymbols", "/lmsymbols", "symbol",  "utmzone",    "utmsouth",    "ellipsoid",    "invalidtag"};

zyn::TMemoryStream LandmarkBlock(int Count) {
  zyn::TMemoryStream s;
  zyn::WriteLnStream(s, "<gmlandmarks sig=\"VUVIRider\" vers=\"1.0\" id=\"set\">");
  for (int i = 0; i < Count; ++i)
    zyn::WriteLnStream(s, "<landmark lat=\"47.12345\" long=\"8.54321\" alti=\"410.0\" class=\"3\" usertag=\"" +
                              std::to_string(i) +
                              "\" colorfg=\"00FF0000\" colorbg=\"00FFFFFF\" size=\"7\" transp=\"FALSE\" dir=\"0\" "
                              "leng=\"10\" element=\"Cross\" id=\"LM" +
                              std::to_string(i) +
                              "\" date=\"20240101120000\" captext=\"Caption text\" capsize=\"8\" "
                              "capfnm=\"MS Sans Serif\" capfst=\"0000\" />");
  zyn::WriteLnStream(s, "</gmlandmarks>");
  return s;
}

void ScanLandmarkStream(benchmark::State& state) {
  zyn::TMemoryStream s = LandmarkBlock(static_cast<int>(state.range(0)));
  std::string attr, content;
  for (auto _ : state) {
    s.SetPosition(0);
    int tags = 0;
    while (zyn::ReadNextTagInStream(s, kTags.data(), 15, attr, content) != 15) ++tags;
    benchmark::DoNotOptimize(tags);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * s.Size());
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(ScanLandmarkStream)->Arg(10000);

void ParabolaFit(benchmark::State& state) {
  zyn::TCurveFit fit;
  for (int i = 0; i < state.range(0); ++i) {
    const double x = 3000 + 25.0 * i;
    fit.EnterStatValue(x, 12 + 0.5 * x + 1e-5 * x * x);
  }
  double c0 = 0, c1 = 0, c2 = 0, q = 0;
  for (auto _ : state) {
    fit.CalcParabolFit(c0, c1, c2, q);
    benchmark::DoNotOptimize(c2);
  }
}
BENCHMARK(ParabolaFit)->Arg(10)->Arg(1000);

} // namespace

BENCHMARK_MAIN();
