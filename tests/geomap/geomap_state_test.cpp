#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "geobasics/ZYN_geobasics.h"
#include "geomap/ZYN_geomap.h"
#include "platform/ZYN_sysutils.h"
#include "support/ZYN_matrix.h"

namespace zyn {

/// Test access to what the control keeps private.
struct TGeoMapInspector {
  /// Gives the control a map image of w × h pixels filled with Color, as if loaded.
  static void SetMapImage(TGeoMap& m, std::int32_t w, std::int32_t h, TColor Color = clGreen) {
    m.GrafBmp->SetSize(w, h);
    for (std::int32_t y = 0; y < h; ++y)
      for (std::int32_t x = 0; x < w; ++x) m.GrafBmp->ScanLine(y)[x] = ColorToPixel(Color);
    m.FMapImgName = "map.bmp";
    m.FMapImgWidth = w;
    m.FMapImgHeight = h;
  }
  static void SetLandMarks(TGeoMap& m, std::int32_t n) {
    m.AllocateLandMarks(n);
    m.FNumLandMarks = n;
    for (std::int32_t k = 1; k <= n; ++k) m.FLandMarks[static_cast<std::size_t>(k - 1)].Tag = k;
  }
  static std::size_t LandMarkCapacity(const TGeoMap& m) { return m.FLandMarks.size(); }
  static const TMatrix& GratMat(const TGeoMap& m) { return *m.FGratMat; }
  static const TMillerPars& Miller(const TGeoMap& m) { return m.FMillercylPar; }
};

namespace {

/// A map control that counts the pictures it puts on the screen.
class TCountingGeoMap : public TGeoMap {
public:
  using TGeoMap::TGeoMap;
  int ScreenUpdates = 0;

protected:
  void SurfaceChanged() override {
    ++ScreenUpdates;
    TGeoMap::SurfaceChanged();
  }
};

TColor ScreenPixel(TGeoMap& m, std::int32_t x, std::int32_t y) {
  const TSurface s = m.ScreenSurface().Surface();
  return PixelToColor(s.Row(y)[x]);
}

TEST(GeoMapDefaults, NewControlHasDocumentedState) {
  TGeoMap m(nullptr);
  EXPECT_EQ(m.Width(), 500);
  EXPECT_EQ(m.Height(), 400);
  EXPECT_EQ(m.EmptyMsg(), "GeoMap: empty");
  EXPECT_TRUE(m.AllowPan());
  EXPECT_EQ(m.MouseAction(), maPan);
  EXPECT_TRUE(m.AntiAlias());
  EXPECT_TRUE(m.ConfinePanToMapImage());
  EXPECT_EQ(m.Magnification(), 1.0);
  EXPECT_EQ(m.LMRandomDisplayThreshold(), 20000);
  EXPECT_EQ(m.CacheMagLimit(), 2.0 / 3.0);
  EXPECT_EQ(m.ColorBackGnd(), 0xC0C0C0u);
  EXPECT_EQ(m.ColorGraticule(), 0xFF0000u);
  EXPECT_EQ(m.ColorCalibPoints(), 0x0000FFu);
  EXPECT_EQ(m.FrameStyle(), TFrameStyle(1));
  EXPECT_EQ(m.ShowGraticule(), sgNone);
  EXPECT_EQ(m.CalibModel(), cmUndefined);
  EXPECT_EQ(m.CalibData().UTMZone, 0);
  EXPECT_EQ(m.TopLeft(), Point(0, 0));
  EXPECT_EQ(m.NumLandMarks(), 0);
  EXPECT_EQ(TGeoMapInspector::LandMarkCapacity(m), 1000u);
  EXPECT_EQ(m.MouseTraceColor(), 0xFFFFFFu);
  EXPECT_TRUE(m.MouseTraceInvert());
  EXPECT_EQ(TGeoMapInspector::GratMat(m).NrOfColumns(), 5);
  EXPECT_EQ(TGeoMapInspector::GratMat(m).NrOfRows(), 1);
  const TLandMark& lm = m.LandMarkDefault();
  EXPECT_EQ(lm.Altitude, 0);
  EXPECT_EQ(lm.SymbolProps.Kind, lmCross);
  EXPECT_EQ(lm.SymbolProps.Size, 7);
  EXPECT_EQ(lm.SymbolProps.Length, 10);
  EXPECT_EQ(lm.Caption.FontName, "MS Sans Serif");
  EXPECT_EQ(lm.Caption.dy, 8);
  EXPECT_EQ(lm.Caption.HAlignment, taCenter);
  EXPECT_TRUE(lm.Caption.Transparent);
  // The constructor saves the initial view in the zoom history.
  EXPECT_EQ(m.ZoomStack(0), (TgmZoomStackEntry{0, 0, 1.0}));
}

TEST(GeoMapSetters, ClampOrRejectOutOfRangeValues) {
  struct Case {
    const char* what;
    std::function<void(TGeoMap&)> set;
    std::function<double(const TGeoMap&)> get;
    double expected;
  } cases[] = {
      {"GratLineDist -5", [](TGeoMap& m) { m.SetGratLineDist(-5); }, [](const TGeoMap& m) { return m.GratLineDist(); }, 0},
      {"GratLineDist 100", [](TGeoMap& m) { m.SetGratLineDist(100); }, [](const TGeoMap& m) { return m.GratLineDist(); }, 60},
      {"GratLineDist NaN", [](TGeoMap& m) { m.SetGratLineDist(NAN); }, [](const TGeoMap& m) { return m.GratLineDist(); }, 0},
      {"GratLineDist 2.5", [](TGeoMap& m) { m.SetGratLineDist(2.5); }, [](const TGeoMap& m) { return m.GratLineDist(); }, 2.5},
      {"UTMGridDist -1", [](TGeoMap& m) { m.SetUTMGridDist(-1); }, [](const TGeoMap& m) { return double(m.UTMGridDist()); }, 0},
      {"UTMGridDist 2e7", [](TGeoMap& m) { m.SetUTMGridDist(20000000); }, [](const TGeoMap& m) { return double(m.UTMGridDist()); }, 10000000},
      {"CacheMagLimit 1", [](TGeoMap& m) { m.SetCacheMagLimit(1); }, [](const TGeoMap& m) { return m.CacheMagLimit(); }, 2.0 / 3.0},
      {"CacheMagLimit -1", [](TGeoMap& m) { m.SetCacheMagLimit(-1); }, [](const TGeoMap& m) { return m.CacheMagLimit(); }, 0},
      {"CacheMagLimit NaN", [](TGeoMap& m) { m.SetCacheMagLimit(NAN); }, [](const TGeoMap& m) { return m.CacheMagLimit(); }, 0},
      {"RandLimit 1000", [](TGeoMap& m) { m.SetRandSampleLimit(1000); }, [](const TGeoMap& m) { return double(m.LMRandomDisplayThreshold()); }, 20000},
      {"RandLimit 500", [](TGeoMap& m) { m.SetRandSampleLimit(500); }, [](const TGeoMap& m) { return double(m.LMRandomDisplayThreshold()); }, 20000},
      {"RandLimit 1001", [](TGeoMap& m) { m.SetRandSampleLimit(1001); }, [](const TGeoMap& m) { return double(m.LMRandomDisplayThreshold()); }, 1001},
      {"HighLM 5 of 0", [](TGeoMap& m) { m.SetHighLM(5); }, [](const TGeoMap& m) { return double(m.HighLightLandMark()); }, 0},
      {"HighLM -1", [](TGeoMap& m) { m.SetHighLM(-1); }, [](const TGeoMap& m) { return double(m.HighLightLandMark()); }, 0},
      {"AllowPan false", [](TGeoMap& m) { m.SetAllowPan(false); }, [](const TGeoMap& m) { return double(m.MouseAction()); }, maNone},
      {"AllowPan true", [](TGeoMap& m) { m.SetMouseAction(maZoomWind); m.SetAllowPan(true); }, [](const TGeoMap& m) { return double(m.MouseAction()); }, maPan},
      {"AllowPan reads zoom", [](TGeoMap& m) { m.SetMouseAction(maZoomWind); }, [](const TGeoMap& m) { return double(m.AllowPan()); }, 0},
  };
  for (const Case& c : cases) {
    TGeoMap m(nullptr);
    c.set(m);
    EXPECT_EQ(c.get(m), c.expected) << c.what;
  }
}

TEST(GeoMapSetters, HighlightAcceptsExistingLandmark) {
  TGeoMap m(nullptr);
  TGeoMapInspector::SetLandMarks(m, 3);
  m.SetHighLM(3);
  EXPECT_EQ(m.HighLightLandMark(), 3);
  m.SetHighLM(4);
  EXPECT_EQ(m.HighLightLandMark(), 0);
}

TEST(GeoMapPaint, SuppressedChangesAppearInOneRepaintAtTheEnd) {
  TCountingGeoMap m(nullptr);
  m.SetSuppressPaint(true);
  m.SetColorBakGnd(clRed);
  m.SetColorFrame(clBlue);
  m.SetEmptyMsg("nothing");
  EXPECT_EQ(m.ScreenUpdates, 0);
  m.SetSuppressPaint(false);
  EXPECT_EQ(m.ScreenUpdates, 1);
  EXPECT_EQ(ScreenPixel(m, 250, 300), clRed);
  m.SetSuppressPaint(false); // unchanged: no repaint
  EXPECT_EQ(m.ScreenUpdates, 1);
}

TEST(GeoMapPaint, ShowsMapImageAtViewAndHooksSeeTheBuffer) {
  TGeoMap m(nullptr);
  TGeoMapInspector::SetMapImage(m, 300, 200, clGreen);
  int hooks = 0;
  m.OnBeforeRenderData = [&](TComponent* Sender, TCanvas&) { hooks += Sender == &m; };
  m.OnDataRendered = [&](TComponent* Sender, TCanvas&) { hooks += Sender == &m; };
  m.SetMagnification(1); // paints
  EXPECT_EQ(hooks, 2);
  EXPECT_EQ(ScreenPixel(m, 100, 100), clGreen);
  EXPECT_EQ(ScreenPixel(m, 400, 100), clSilver); // right of the image: background
  m.SetTopLeft(Point(200, 0));
  EXPECT_EQ(ScreenPixel(m, 50, 100), clGreen);
  EXPECT_EQ(ScreenPixel(m, 150, 100), clSilver);
}

TEST(GeoMapView, ControlAndMapImagePixelsConvert) {
  TGeoMap m(nullptr);
  m.SetMagnification(2);
  m.SetTopLeft(Point(100, 50));
  EXPECT_EQ(m.ControlToMapImage(Point(10, 10)), Point(105, 55));
  EXPECT_EQ(m.MapImageToControl(Point(105, 55)), Point(10, 10));
  EXPECT_EQ(m.ControlToMapImage(Point(5, 5)), Point(102, 52)); // 2.5 rounds to even
}

/// A control with a 2000 × 1000 map and an equirectangular calibration.
void CalibrateEquiRect(TGeoMap& m, std::int32_t w, std::int32_t h) {
  TCalibData cd = m.CalibData();
  cd.NumCalQuads = 3;
  cd.CalQuads[1] = {50, 10, 0, 0};
  cd.CalQuads[2] = {50, 12, w, 0};
  cd.CalQuads[3] = {49, 10, 3, h - 1};
  cd.NumCalLines = 1;
  cd.CalLines[1].NumPoints = 2;
  cd.CalLines[1].CalPoints[1] = Point(5, 7);
  cd.CalLines[1].CalPoints[2] = Point(3, 1000);
  m.SetCalibData(cd);
  m.SetCalibModel(cmEquiRect);
}

TEST(GeoMapResize, LongerEdgeScalesImageAndCalibrationPoints) {
  TGeoMap m(nullptr);
  TGeoMapInspector::SetMapImage(m, 2000, 1000);
  CalibrateEquiRect(m, 2000, 1000);
  m.SetMagnification(1.5);
  m.SetTopLeft(Point(40, 30));
  bool valid = false;
  const double latBefore = m.CalcLatitude(1000, 500, valid);
  m.ResizeMap(1000);
  EXPECT_EQ(m.MapImgWidth(), 1000);
  EXPECT_EQ(m.MapImgHeight(), 500);
  EXPECT_EQ(m.MapBitmap().Width(), 1000);
  EXPECT_EQ(m.TopLeft(), Point(0, 0));
  EXPECT_EQ(m.Magnification(), 1.5);
  const TCalibData& cd = m.CalibData();
  EXPECT_EQ(cd.CalQuads[2].MapX, 1000);
  EXPECT_EQ(cd.CalQuads[3].MapX, 2);   // 1.5 rounds to even
  EXPECT_EQ(cd.CalQuads[3].MapY, 500); // 499.5 rounds to even
  EXPECT_EQ(cd.CalLines[1].CalPoints[1], Point(2, 4)); // 2.5 → 2, 3.5 → 4
  // The refit follows the scaled points.
  EXPECT_NEAR(m.CalcLatitude(500, 250, valid), latBefore, 0.01);
}

TEST(GeoMapResize, PortraitImageScalesByHeight) {
  TGeoMap m(nullptr);
  TGeoMapInspector::SetMapImage(m, 500, 800);
  m.ResizeMap(1000);
  EXPECT_EQ(m.MapImgWidth(), 625);
  EXPECT_EQ(m.MapImgHeight(), 1000);
}

TEST(GeoMapResize, WithoutImageNothingHappens) {
  TGeoMap m(nullptr);
  m.ResizeMap(1000);
  m.ResizeMap(0.0);
  m.ResizeMap(std::nan(""));
  EXPECT_EQ(m.MapImgWidth(), 0);
  EXPECT_EQ(m.MapBitmap().Width(), 0);
}

TEST(GeoMapAssign, CopiesLandmarksInBlocksButNotHandlers) {
  TGeoMap src(nullptr);
  TGeoMapInspector::SetLandMarks(src, 1500);
  TGeoMapInspector::SetMapImage(src, 30, 20);
  CalibrateEquiRect(src, 30, 20);
  src.SetColorBakGnd(clRed);
  src.OnZoomPan = [](TComponent*) {};
  TGeoMap dst(nullptr);
  int destEvents = 0;
  dst.OnZoomPan = [&](TComponent*) { ++destEvents; };
  dst.Assign(&src);
  EXPECT_EQ(dst.NumLandMarks(), 1500);
  EXPECT_EQ(TGeoMapInspector::LandMarkCapacity(dst), 2000u);
  EXPECT_EQ(dst.LandMarkData(1).Tag, 1);
  EXPECT_EQ(dst.LandMarkData(1500).Tag, 1500);
  EXPECT_EQ(dst.ColorBackGnd(), clRed);
  EXPECT_EQ(dst.CalibModel(), cmEquiRect);
  EXPECT_EQ(dst.CalibData(), src.CalibData());
  EXPECT_EQ(dst.MapBitmap().Width(), 30);
  bool v1 = false, v2 = false;
  EXPECT_EQ(dst.CalcLatitude(7, 9, v1), src.CalcLatitude(7, 9, v2));
  dst.DoZoomPanEvent();
  EXPECT_EQ(destEvents, 1); // the destination kept its own handler
}

TEST(GeoMapAssign, RejectsOtherClasses) {
  TGeoMap m(nullptr);
  TBitmap bmp(2, 2);
  EXPECT_THROW(m.Assign(&bmp), EConvertError);
}

TEST(GeoMapClear, KeepsLandmarksAndShowsEmptyMessage) {
  TGeoMap m(nullptr);
  TGeoMapInspector::SetLandMarks(m, 5);
  TGeoMapInspector::SetMapImage(m, 600, 500, clGreen);
  CalibrateEquiRect(m, 600, 500);
  m.SetMapCaption("Alps");
  m.Clear();
  EXPECT_EQ(m.NumLandMarks(), 5);
  EXPECT_EQ(m.MapImgFile(), "");
  EXPECT_EQ(m.MapImgWidth(), 0);
  EXPECT_EQ(m.CalibModel(), cmUndefined);
  EXPECT_EQ(m.Caption(), "");
  EXPECT_EQ(m.CalibData().NumCalQuads, 0);
  EXPECT_EQ(m.CalibData().UTMZone, -1); // cleared, not zero
  EXPECT_EQ(ScreenPixel(m, 300, 300), clSilver); // background, no map image
}

TEST(GeoMapCalibration, UndefinedModelConvertsNothing) {
  TGeoMap m(nullptr);
  bool valid = true;
  EXPECT_EQ(m.CalcLatitude(10, 10, valid), 0);
  EXPECT_FALSE(valid);
  valid = true;
  EXPECT_EQ(m.CalcLongitude(Point(10, 10), valid), 0);
  EXPECT_FALSE(valid);
  std::int32_t x = 3, y = 4;
  EXPECT_FALSE(m.CalcPixelCoords(50, 10, x, y));
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 4);
  EXPECT_FALSE(m.CalcPixelCoordsUTM(5e6, 5e5, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST(GeoMapCalibration, MillerWithoutFitIsInvalidButPlacesAtOrigin) {
  TGeoMap m(nullptr);
  m.SetCalibModel(cmMillerCylindrical);
  bool valid = true;
  m.CalcLatitude(10, 10, valid);
  EXPECT_FALSE(valid);
  std::int32_t x = 3, y = 4;
  EXPECT_TRUE(m.CalcPixelCoords(50, 10, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST(GeoMapCalibration, EmptyBitmapGivesZeroResolution) {
  TGeoMap m(nullptr);
  CalibrateEquiRect(m, 100, 100);
  EXPECT_EQ(m.CalibData().Resolution, 0);
}

TEST(GeoMapCalibration, CornersAndResolutionFollowTheFit) {
  TGeoMap m(nullptr);
  TGeoMapInspector::SetMapImage(m, 1000, 500);
  TCalibData cd;
  cd.NumCalQuads = 3;
  cd.CalQuads[1] = {50, 10, 0, 0};
  cd.CalQuads[2] = {50, 11, 1000, 0};
  cd.CalQuads[3] = {49.5, 10, 0, 500};
  m.SetCalibData(cd);
  m.SetCalibModel(cmEquiRect);
  const TCalibData& r = m.CalibData();
  EXPECT_NEAR(r.Corners[gcoBottomRight].Latit, 49.5, 1e-9);
  EXPECT_NEAR(r.Corners[gcoBottomRight].Longit, 11, 1e-9);
  // One degree of longitude at 49.75 N on a 6378 km sphere, over 1000 pixels.
  EXPECT_NEAR(r.Resolution, 6378000 * std::numbers::pi / 180 * std::cos(49.75 * std::numbers::pi / 180) / 1000, 0.01);
  EXPECT_TRUE(m.IsPositionWithinMap(49.7, 10.5));
  EXPECT_FALSE(m.IsPositionWithinMap(49.7, 11.5));
  double qx = -1, qy = -1;
  m.CalibQuality(qx, qy);
  EXPECT_NEAR(qx, 0, 1e-9);
  EXPECT_NEAR(qy, 0, 1e-9);
}

TEST(GeoMapCalibration, UTMGridRoundTripsPixelsWithinAPixel) {
  // A 2000 × 2000 map of zone 32 at 5 m per pixel, calibrated from a 3 × 3 grid.
  TGeoMap m(nullptr);
  TGeoMapInspector::SetMapImage(m, 2000, 2000);
  TCalibData cd;
  cd.UTMZone = 32;
  cd.Ellipsoid = gelWGS84;
  const double e0 = 500000, n0 = 5300000, mpp = 5;
  for (int i = 0; i <= 2; ++i)
    for (int j = 0; j <= 2; ++j) {
      const std::int32_t x = i * 1000, y = j * 1000;
      cd.CalQuads[static_cast<std::size_t>(++cd.NumCalQuads)] = {n0 - y * mpp, e0 + x * mpp, x, y};
    }
  m.SetCalibData(cd);
  m.SetCalibModel(cmUTM);
  for (auto [px, py] : {std::pair{0, 0}, {1234, 567}, {1999, 1999}, {700, 1500}}) {
    bool valid = false;
    const double lat = m.CalcLatitude(px, py, valid);
    const double lon = m.CalcLongitude(px, py, valid);
    ASSERT_TRUE(valid);
    std::int32_t zone = 0;
    double e = 0, n = 0;
    LatLongToUTM(lat, lon, gelWGS84, zone, e, n);
    EXPECT_EQ(zone, 32);
    EXPECT_NEAR(e, e0 + px * mpp, 0.01);
    std::int32_t x = 0, y = 0;
    ASSERT_TRUE(m.CalcPixelCoords(lat, lon, x, y));
    EXPECT_NEAR(x, px, 1);
    EXPECT_NEAR(y, py, 1);
  }
  EXPECT_EQ(m.CalcUTMyFromNorthingX(n0 - 500 * mpp, 800), 500);
  EXPECT_EQ(m.CalcUTMxFromEastingY(e0 + 300 * mpp, 900), 300);
}

TEST(GeoMapCalibration, UTMShortcutsWithoutFitGiveZero) {
  TGeoMap m(nullptr);
  EXPECT_EQ(m.CalcUTMyFromNorthingX(5e6, 100), 0);
  EXPECT_EQ(m.CalcUTMxFromEastingY(5e5, 100), 0);
}

TEST(GeoMapCalibration, ParabolicModelConvertsThroughControl) {
  TGeoMap m(nullptr);
  TCalibData cd;
  auto line = [&](TGratLineKind kind, double value, TPoint a, TPoint b, TPoint c) {
    TCalibLine& l = cd.CalLines[static_cast<std::size_t>(++cd.NumCalLines)];
    l = {kind, value, 3, {}};
    l.CalPoints[1] = a;
    l.CalPoints[2] = b;
    l.CalPoints[3] = c;
  };
  line(gtlParallel, 50, {0, 100}, {500, 100}, {1000, 100});
  line(gtlParallel, 49, {0, 500}, {500, 500}, {1000, 500});
  line(gtlMeridian, 8, {100, 0}, {100, 300}, {100, 600});
  m.SetCalibData(cd);
  m.SetCalibModel(cmParabolicIp);
  std::int32_t x = 1, y = 2;
  EXPECT_FALSE(m.CalcPixelCoords(49.5, 9, x, y)); // one meridian: collapsed
  line(gtlMeridian, 10, {900, 0}, {900, 300}, {900, 600});
  m.SetCalibData(cd);
  EXPECT_TRUE(m.RecalcGratMat());
  bool valid = false;
  EXPECT_NEAR(m.CalcLatitude(300, 200, valid), 49.75, 1e-9);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(m.CalcLongitude(300, 200, valid), 8.5, 1e-9);
  ASSERT_TRUE(m.CalcPixelCoords(49.75, 8.5, x, y));
  EXPECT_EQ(x, 300);
  EXPECT_EQ(y, 200);
}

TEST(GeoMapCalibration, MillerKeepsPreviousFitBelowThreePoints) {
  TGeoMap m(nullptr);
  TCalibData cd;
  cd.NumCalQuads = 3;
  cd.CalQuads[1] = {30, 0, 0, 900};
  cd.CalQuads[2] = {50, 20, 600, 300};
  cd.CalQuads[3] = {40, 10, 300, 620};
  m.SetCalibData(cd);
  m.SetCalibModel(cmMillerCylindrical);
  const TMillerPars fitted = TGeoMapInspector::Miller(m);
  cd.NumCalQuads = 2;
  m.SetCalibData(cd);
  m.RecalcCalibration();
  EXPECT_EQ(TGeoMapInspector::Miller(m), fitted);
}

} // namespace
} // namespace zyn
