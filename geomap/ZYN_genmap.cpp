// Empty graticule maps: drawing, calibration, and TGeoMap's two generators.

#include "geomap/ZYN_genmap.h"

#include <cmath>
#include <memory>

#include "geomap/ZYN_geomap.h"
#include "geomap/ZYN_mapimage.h"
#include "geomap/ZYN_xmlcalib.h"
#include "platform/gui/ZYN_canvas.h"
#include "support/ZYN_filesys.h"
#include "support/ZYN_math1.h"
#include "support/ZYN_rounding.h"

namespace zyn {

TGenMapFrame NormalisedGenMapFrame(double LatLow, double LongLow, double LatHigh, double LongHigh, double dLat,
                                   double dLong, std::int32_t Wid, std::int32_t Hgt) {
  TGenMapFrame f{LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt};
  if (f.LatHigh < f.LatLow) ExChange(f.LatLow, f.LatHigh);
  if (f.LongHigh < f.LongLow) ExChange(f.LongLow, f.LongHigh);
  if (!(f.dLat > 0)) f.dLat = 1.0;
  if (!(f.dLong > 0)) f.dLong = 1.0;
  if (f.Wid < GeneratedMapMinSize) f.Wid = GeneratedMapMinSize;
  if (f.Hgt < GeneratedMapMinSize) f.Hgt = GeneratedMapMinSize;
  return f;
}

TDegreeFormat GraticuleLabelFormat(double Step) {
  if (Step <= 0.06) return dgfSeconds;
  return Step != Int(Step) ? dgfMinutes : dgfDegrees;
}

std::string GraticuleLabel(double Value, bool IsLatitude, double Step) {
  const char* hemisphere = IsLatitude ? (Value >= 0 ? " N " : " S ") : (Value >= 0 ? " E " : " W ");
  return " " + DegreeToStr(std::fabs(Value), GraticuleLabelFormat(Step), 0) + hemisphere;
}

namespace {

constexpr std::int32_t Inset = GeneratedMapInset;

void FrameOutline(TCanvas& c, std::int32_t inset, std::int32_t W, std::int32_t H) {
  c.MoveTo(inset, inset);
  c.LineTo(W - inset, inset);
  c.LineTo(W - inset, H - inset);
  c.LineTo(inset, H - inset);
  c.LineTo(inset, inset);
}

/// Calls Line(value) for Int(Low/Step)·Step, stepping by Step while below High.
template <class F>
void ForEachGridValue(double Low, double High, double Step, F&& Line) {
  const double start = Int(Low / Step) * Step;
  const double count = (High - start) / Step;
  const double limit = std::isfinite(count) && count < GeneratedMapMaxLines ? count : GeneratedMapMaxLines;
  for (std::int32_t k = 0; k <= limit; ++k) {
    const double value = start + k * Step;
    if (!(value < High)) break;
    Line(value);
  }
}

void DrawParallels(TCanvas& c, const TGenMapFrame& f) {
  const std::int32_t W = f.Wid, H = f.Hgt;
  if (!(f.LatHigh > f.LatLow)) return; // the rows would divide by zero
  ForEachGridValue(f.LatLow, f.LatHigh, f.dLat, [&](double lat) {
    const std::int32_t a = H - Round32((lat - f.LatLow) / (f.LatHigh - f.LatLow) * (H - 2 * Inset)) - Inset;
    if (a <= Inset || a >= H - Inset) return;
    c.MoveTo(Inset, a);
    c.LineTo(W - Inset, a);
    const std::string label = GraticuleLabel(lat, true, f.dLat);
    const TSize ext = c.TextExtent(label);
    c.TextOut(Inset + 6, a - ext.cy / 2, label);
    c.TextOut(W - ext.cx - Inset - 6, a - ext.cy / 2, label);
  });
}

void DrawMeridians(TCanvas& c, const TGenMapFrame& f) {
  const std::int32_t W = f.Wid, H = f.Hgt;
  if (!(f.LongHigh > f.LongLow)) return;
  ForEachGridValue(f.LongLow, f.LongHigh, f.dLong, [&](double lon) {
    const std::int32_t col = Round32((lon - f.LongLow) / (f.LongHigh - f.LongLow) * (W - 2 * Inset)) + Inset;
    if (col <= Inset || col >= W - Inset) return;
    c.MoveTo(col, Inset);
    c.LineTo(col, H - Inset);
    const std::string label = GraticuleLabel(lon, false, f.dLong);
    const TSize ext = c.TextExtent(label);
    c.TextOut(col - ext.cx / 2, Inset - 6 - ext.cy, label);
    c.TextOut(col - ext.cx / 2, H - Inset + 6, label);
  });
}

} // namespace

void DrawGeneratedGraticule(TCanvas& Canvas, const TGenMapFrame& Frame) {
  FrameOutline(Canvas, Inset, Frame.Wid, Frame.Hgt);
  Canvas.Pen().SetStyle(psDot);
  FrameOutline(Canvas, GeneratedMapDottedInset, Frame.Wid, Frame.Hgt);
  Canvas.Pen().SetStyle(psDash);
  Canvas.Pen().SetColor(clSilver);
  DrawParallels(Canvas, Frame);
  DrawMeridians(Canvas, Frame);
}

TCalibData GeneratedCalibration(const TGenMapFrame& Frame, bool WithGraticule) {
  const double W = Frame.Wid, H = Frame.Hgt;
  TCalibData cd;
  cd.NumCalQuads = 9;
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) {
      TCalQuad& q = cd.CalQuads[static_cast<std::size_t>((i - 1) * 3 + j)];
      q.Latitude = Frame.LatLow + (Frame.LatHigh - Frame.LatLow) * (i - 1) / 2;
      q.Longitude = Frame.LongLow + (Frame.LongHigh - Frame.LongLow) * (j - 1) / 2;
      if (WithGraticule) {
        q.MapX = Round32((j - 1) * (W - 2 * Inset) / 2 + Inset);
        q.MapY = Round32(H - Inset - (H - 2 * Inset) * (i - 1) / 2);
      } else {
        q.MapX = Round32((j - 1) * W / 2);
        q.MapY = Round32(H - H * (i - 1) / 2);
      }
    }
  }
  cd.Corners[gcoTopLeft] = {Frame.LatHigh, Frame.LongLow};
  cd.Corners[gcoBottomLeft] = {Frame.LatLow, Frame.LongLow};
  cd.Corners[gcoBottomRight] = {Frame.LatLow, Frame.LongHigh};
  cd.Corners[gcoTopRight] = {Frame.LatHigh, Frame.LongHigh};
  cd.Caption = GeneratedMapCaption;
  cd.Resolution = 0;
  cd.NumCalLines = 0;
  cd.UTMZone = -1; // the generators' models do not use the zone
  cd.Ellipsoid = gelWGS84;
  return cd;
}

// ---- TGeoMap's generators ----

namespace {

/// The generated bitmap: white, with the graticule when asked for, then the host's drawing.
std::unique_ptr<TBitmap> DrawGeneratedMap(TGeoMap& Sender, const TGenMapFrame& f, TPixelFormat Format, bool Grid,
                                          const TGeoMap::TOnDrawMapDataEvent& OnDrawMapData) {
  auto bmp = std::make_unique<TBitmap>(f.Wid, f.Hgt);
  bmp->SetPixelFormat(Format);
  TCanvas canvas(bmp.get());
  if (Grid) DrawGeneratedGraticule(canvas, f);
  if (OnDrawMapData) OnDrawMapData(&Sender, canvas, f.LatLow, f.LongLow, f.LatHigh, f.LongHigh, f.Wid, f.Hgt);
  return bmp;
}

} // namespace

void TGeoMap::CreateAndLoadEmptyMap(const std::string& FName, double LatLow, double LongLow, double LatHigh,
                                    double LongHigh, double dLat, double dLong, std::int32_t Wid, std::int32_t Hgt,
                                    const TOnDrawMapDataEvent& OnDrawMapData) {
  const TGenMapFrame f = NormalisedGenMapFrame(LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt);
  // Refuse a map that could not be loaded back before writing anything.
  CheckMapImageSize(f.Wid, f.Hgt);
  const std::string calFile = StripExtension(FName) + ".xml";
  const std::string imgFile = StripExtension(FName) + ".bmp";
  DrawGeneratedMap(*this, f, pf4bit, true, OnDrawMapData)->SaveToFile(imgFile);
  ClearCalibData();
  TCalibData record = GeneratedCalibration(f, true);
  record.MapFName = imgFile;
  TTextFile cal(calFile);
  cal.Rewrite();
  WriteRawCalDataToOpenXMLFile(cal, true, GeneratedMapDataID, record, cmBiquadraticPn);
  cal.Close();
  LoadCalDataFromXML(calFile, std::string(GeneratedMapDataID));
  Paint();
}

void TGeoMap::CreateEmptyMapInMemory(double LatLow, double LongLow, double LatHigh, double LongHigh, double dLat,
                                     double dLong, std::int32_t Wid, std::int32_t Hgt, bool ShowGrid,
                                     const TOnDrawMapDataEvent& OnDrawMapData) {
  const TGenMapFrame f = NormalisedGenMapFrame(LatLow, LongLow, LatHigh, LongHigh, dLat, dLong, Wid, Hgt);
  CheckMapImageSize(f.Wid, f.Hgt);
  SetMapBitMap(*DrawGeneratedMap(*this, f, pf24bit, ShowGrid, OnDrawMapData));
  ClearCalibData();
  TCalibData record = GeneratedCalibration(f, ShowGrid);
  record.MapFName = UnknownMapImgName;
  FCalibModel = cmEquiRect;
  FCalibData = record;
  RecalcCalibration();
}

} // namespace zyn
