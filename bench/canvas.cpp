// Canvas and pixel-transfer speed, side by side with pixman and memcpy.
//
// Stretching: a 2000 × 1500 picture drawn whole at magnifications 0.5, 1.0
// and 1.7 onto a 1920 × 1080 frame (clipped there), colour-on-colour against
// pixman's nearest filter and half-tone against its bilinear filter. Copying:
// one full 1920 × 1080 frame against memcpy of the same bytes and pixman's
// plain composite. Lines and rotated text have no pixman counterpart and are
// timed alone. A table of the ratios ends the output.

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_blit.h"
#include "platform/gui/ZYN_canvas.h"
#include "support/ZYN_rounding.h"

namespace {

using namespace zyn;

constexpr std::int32_t SrcW = 2000, SrcH = 1500, FrameW = 1920, FrameH = 1080;
constexpr std::int32_t ColourOnColour = 3;

/// A picture with detail at every scale: gradients plus noise.
TBitmap& Picture() {
  static TBitmap b = [] {
    TBitmap p(SrcW, SrcH);
    std::mt19937 rng(7);
    for (std::int32_t y = 0; y < SrcH; ++y)
      for (std::int32_t x = 0; x < SrcW; ++x)
        p.ScanLine(y)[x] = 0xFF000000u | ((x * 255 / SrcW) << 16) | ((y * 255 / SrcH) << 8) | (rng() & 0xFF);
    return p;
  }();
  return b;
}

pixman_image_t* Wrap(TBitmap& b, pixman_format_code_t format) {
  return pixman_image_create_bits(format, b.Width(), b.Height(), reinterpret_cast<std::uint32_t*>(b.ScanLine(0)),
                                  b.Width() * 4);
}

TRect ScaledRect(double mag) { return Rect(0, 0, Round32(SrcW * mag), Round32(SrcH * mag)); }

void OursStretch(benchmark::State& state, double mag, std::int32_t mode) {
  TBitmap frame(FrameW, FrameH);
  const TSurface src = Picture().Surface();
  for (auto _ : state) {
    StretchBlt(frame.Surface(), ScaledRect(mag), src, Rect(0, 0, SrcW, SrcH), mode);
    benchmark::DoNotOptimize(frame.ScanLine(0));
  }
}

void PixmanStretch(benchmark::State& state, double mag, pixman_filter_t filter) {
  TBitmap frame(FrameW, FrameH);
  pixman_image_t* src = Wrap(Picture(), PIXMAN_a8r8g8b8);
  pixman_image_t* dst = Wrap(frame, PIXMAN_x8r8g8b8);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(1.0 / mag), pixman_double_to_fixed(1.0 / mag));
  pixman_image_set_transform(src, &t);
  pixman_image_set_filter(src, filter, nullptr, 0);
  pixman_image_set_repeat(src, PIXMAN_REPEAT_PAD);
  const TRect r = ScaledRect(mag);
  const int w = std::min(FrameW, r.Right), h = std::min(FrameH, r.Bottom);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, w, h);
    benchmark::DoNotOptimize(frame.ScanLine(0));
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void OursCopy(benchmark::State& state) {
  TBitmap a(FrameW, FrameH), b(FrameW, FrameH);
  for (auto _ : state) {
    BitBlt(b.Surface(), 0, 0, FrameW, FrameH, a.Surface(), 0, 0);
    benchmark::DoNotOptimize(b.ScanLine(0));
  }
}

void MemcpyCopy(benchmark::State& state) {
  TBitmap a(FrameW, FrameH), b(FrameW, FrameH);
  for (auto _ : state) {
    std::memcpy(b.ScanLine(0), a.ScanLine(0), std::size_t(FrameW) * FrameH * 4);
    benchmark::DoNotOptimize(b.ScanLine(0));
  }
}

void PixmanCopy(benchmark::State& state) {
  TBitmap a(FrameW, FrameH), b(FrameW, FrameH);
  pixman_image_t* src = Wrap(a, PIXMAN_x8r8g8b8);
  pixman_image_t* dst = Wrap(b, PIXMAN_x8r8g8b8);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, FrameW, FrameH);
    benchmark::DoNotOptimize(b.ScanLine(0));
  }
  pixman_image_unref(src);
  pixman_image_unref(dst);
}

void OursLines(benchmark::State& state) {
  TBitmap frame(FrameW, FrameH);
  std::mt19937 rng(11);
  std::vector<TPoint> ends;
  for (int i = 0; i < 10000; ++i) {
    const std::int32_t x = std::int32_t(rng() % FrameW), y = std::int32_t(rng() % FrameH);
    ends.push_back({x, y});
    ends.push_back({x + std::int32_t(rng() % 41) - 20, y + std::int32_t(rng() % 41) - 20});
  }
  TCanvas& c = *frame.Canvas();
  c.Pen().SetColor(clNavy);
  for (auto _ : state) {
    for (std::size_t i = 0; i < ends.size(); i += 2) {
      c.MoveTo(ends[i].X, ends[i].Y);
      c.LineTo(ends[i + 1].X, ends[i + 1].Y);
    }
    benchmark::DoNotOptimize(frame.ScanLine(0));
  }
}

void OursRotatedText(benchmark::State& state) {
  TBitmap frame(FrameW, FrameH);
  TCanvas& c = *frame.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetSize(9);
  TLogFont lf;
  GetObject(c.Font(), lf);
  lf.lfEscapement = lf.lfOrientation = 300;
  c.Font().SetHandle(CreateFontIndirect(lf));
  c.Brush().SetStyle(bsClear);
  std::mt19937 rng(13);
  std::vector<TPoint> at;
  for (int i = 0; i < 1000; ++i) at.push_back({std::int32_t(rng() % FrameW), std::int32_t(rng() % FrameH)});
  for (auto _ : state) {
    for (std::size_t i = 0; i < at.size(); ++i) c.TextOut(at[i].X, at[i].Y, "Landmark 42");
    benchmark::DoNotOptimize(frame.ScanLine(0));
  }
}

/// Collects the time per iteration of every run for the ratio table.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && !r.error_occurred)
        Times[r.benchmark_name().substr(0, r.benchmark_name().find("/min_time"))] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> Times;
};

void Register(const std::string& name, void (*fn)(benchmark::State&)) {
  benchmark::RegisterBenchmark(name.c_str(), fn)->Unit(benchmark::kMillisecond)->MinTime(0.3);
}

template <class F>
void RegisterLambda(const std::string& name, F fn) {
  benchmark::RegisterBenchmark(name.c_str(), fn)->Unit(benchmark::kMillisecond)->MinTime(0.3);
}

const double Magnifications[] = {0.5, 1.0, 1.7};

std::string MagName(double m) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%.1f", m);
  return buf;
}

void PrintRatios(const std::map<std::string, double>& t) {
  std::printf("\n%-44s %10s %10s %8s %s\n", "comparison (CPU time)", "ours ms", "peer ms", "ratio", "goal");
  const auto row = [&](const std::string& what, const std::string& ours, const std::string& peer, const char* goal) {
    const auto a = t.find(ours), b = t.find(peer);
    if (a == t.end() || b == t.end()) return;
    std::printf("%-44s %10.3f %10.3f %8.2f %s\n", what.c_str(), a->second, b->second, a->second / b->second, goal);
  };
  for (double m : Magnifications) {
    const std::string mag = MagName(m);
    row("colour-on-colour " + mag + " / pixman nearest", "stretch_coc/" + mag + "/ours",
        "stretch_coc/" + mag + "/pixman_nearest", "<= 1.0");
    row("half-tone " + mag + " / pixman bilinear", "stretch_halftone/" + mag + "/ours",
        "stretch_halftone/" + mag + "/pixman_bilinear", "<= 1.5");
  }
  row("copy frame / memcpy", "copy_frame/ours", "copy_frame/memcpy", "<= 2.0");
  row("copy frame / pixman", "copy_frame/ours", "copy_frame/pixman", "");
  for (const char* alone : {"lines_10000/ours", "rotated_text_1000/ours"}) {
    const auto a = t.find(alone);
    if (a != t.end()) std::printf("%-44s %10.3f %10s %8s\n", alone, a->second, "-", "-");
  }
}

} // namespace

int main(int argc, char** argv) {
  for (double m : Magnifications) {
    const std::string mag = MagName(m);
    RegisterLambda("stretch_coc/" + mag + "/ours", [m](benchmark::State& s) { OursStretch(s, m, ColourOnColour); });
    RegisterLambda("stretch_coc/" + mag + "/pixman_nearest",
                   [m](benchmark::State& s) { PixmanStretch(s, m, PIXMAN_FILTER_NEAREST); });
    RegisterLambda("stretch_halftone/" + mag + "/ours",
                   [m](benchmark::State& s) { OursStretch(s, m, StretchModeHalftone); });
    RegisterLambda("stretch_halftone/" + mag + "/pixman_bilinear",
                   [m](benchmark::State& s) { PixmanStretch(s, m, PIXMAN_FILTER_BILINEAR); });
  }
  Register("copy_frame/ours", OursCopy);
  Register("copy_frame/memcpy", MemcpyCopy);
  Register("copy_frame/pixman", PixmanCopy);
  Register("lines_10000/ours", OursLines);
  Register("rotated_text_1000/ours", OursRotatedText);
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter.Times);
  benchmark::Shutdown();
  return 0;
}
