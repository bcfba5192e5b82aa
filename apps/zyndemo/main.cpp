// zyndemo: generates a small atlas directory of empty graticule maps at
// different scales over overlapping regions, loads each map back into a map
// control and writes a PNG picture of the control's view.
//
// usage: zyndemo [DIRECTORY]   (default: zyndemo_atlas)

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "geomap/ZYN_geomap.h"
#include "platform/gui/ZYN_canvas.h"
#include "platform/gui/ZYN_png.h"

namespace {

using namespace zyn;

struct TDemoMap {
  const char* Name;
  double LatLow, LongLow, LatHigh, LongHigh, dLat, dLong;
  std::int32_t Wid, Hgt;
};

// From the whole Alps down to one valley; each area lies inside the one before.
const TDemoMap DemoMaps[] = {
    {"alps", 43.5, 5.0, 48.5, 16.5, 1.0, 2.0, 900, 600},
    {"western_alps", 45.5, 6.0, 47.5, 10.0, 0.5, 0.5, 800, 600},
    {"bernese_oberland", 46.3, 7.4, 46.8, 8.4, 0.1, 0.1, 800, 560},
    {"lauterbrunnen", 46.52, 7.84, 46.62, 7.99, 0.02, 0.03, 700, 640},
};

struct TTown {
  const char* Name;
  double Lat, Long;
};

const TTown Towns[] = {{"Bern", 46.948, 7.447},     {"Interlaken", 46.686, 7.863}, {"Lauterbrunnen", 46.593, 7.909},
                       {"Milano", 45.464, 9.190},   {"Torino", 45.070, 7.687},     {"Innsbruck", 47.269, 11.404},
                       {"Wengen", 46.605, 7.921},   {"Grenoble", 45.188, 5.724},   {"Wien", 48.208, 16.373},
                       {"Muerren", 46.559, 7.892}};

/// Draws the towns inside the area onto a freshly generated map, placed the
/// way the generator places its graticule (a 30-pixel frame).
void DrawTowns(TCanvas& canvas, double latLow, double longLow, double latHigh, double longHigh, std::int32_t w,
               std::int32_t h) {
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetColor(clRed);
  canvas.Brush().SetColor(clRed);
  canvas.Font().SetColor(clMaroon);
  for (const TTown& t : Towns) {
    if (t.Lat <= latLow || t.Lat >= latHigh || t.Long <= longLow || t.Long >= longHigh) continue;
    const int x = static_cast<int>((t.Long - longLow) / (longHigh - longLow) * (w - 60) + 30 + 0.5);
    const int y = static_cast<int>(h - 30 - (t.Lat - latLow) / (latHigh - latLow) * (h - 60) + 0.5);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Ellipse(x - 4, y - 4, x + 5, y + 5);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(x + 7, y - 7, t.Name);
  }
}

/// The control's screen pixels as a bitmap.
void SaveControlView(TGeoMap& map, const std::string& pngFile) {
  const TSurface s = map.ScreenSurface().Surface();
  TBitmap bmp(s.Width, s.Height);
  for (std::int32_t y = 0; y < s.Height; ++y)
    std::copy(s.Row(y), s.Row(y) + s.Width, bmp.ScanLine(y));
  SaveBitmapToPng(bmp, pngFile);
}

int Run(const std::string& dirName) {
  namespace fs = std::filesystem;
  fs::create_directories(dirName);
  const std::string dir = fs::absolute(dirName).string();
  std::printf("zyndemo: atlas directory %s\n", dir.c_str());
  for (const TDemoMap& m : DemoMaps) {
    const std::string base = dir + "/" + m.Name;
    {
      TGeoMap generator(nullptr);
      generator.SetName("generator");
      generator.CreateAndLoadEmptyMap(base + ".xml", m.LatLow, m.LongLow, m.LatHigh, m.LongHigh, m.dLat, m.dLong,
                                      m.Wid, m.Hgt,
                                      [](TComponent*, TCanvas& c, double la0, double lo0, double la1, double lo1,
                                         std::int32_t w, std::int32_t h) { DrawTowns(c, la0, lo0, la1, lo1, w, h); });
    }
    TGeoMap view(nullptr);
    view.SetName(m.Name);
    view.SetBounds(0, 0, m.Wid, m.Hgt);
    view.SetShowGrat(sgPoints);
    view.LoadCalDataFromXML(base + ".xml", "");
    if (view.MapImgWidth() == 0) {
      std::fprintf(stderr, "zyndemo: %s.xml did not load its image\n", base.c_str());
      return 1;
    }
    view.CalcExtentsAndResolution();
    view.Repaint();
    SaveControlView(view, base + ".png");
    const TCalibData& cd = view.CalibData();
    std::printf("  %-17s %4d x %-4d %7.1f m/px  N %.2f..%.2f  E %.2f..%.2f  %s.png\n", m.Name, view.MapImgWidth(),
                view.MapImgHeight(), cd.Resolution, cd.Corners[gcoBottomLeft].Latit, cd.Corners[gcoTopLeft].Latit,
                cd.Corners[gcoTopLeft].Longit, cd.Corners[gcoTopRight].Longit, base.c_str());
  }
  std::printf("zyndemo: %zu maps with calibration files (.xml), images (.bmp) and pictures (.png)\n",
              std::size(DemoMaps));
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc > 1 ? argv[1] : "zyndemo_atlas");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zyndemo: %s\n", e.what());
    return 1;
  }
}
