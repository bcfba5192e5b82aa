// TGeoMap: construction, properties and their setters, events.

#include <cmath>
#include <new>

#include "geomap/ZYN_geomap.h"
#include "platform/gui/ZYN_canvas.h"
#include "support/ZYN_matrix.h"

namespace zyn {

namespace {
constexpr double MaxCacheMagLimit = 2.0 / 3.0;
constexpr double MaxGratLineDist = 60;
constexpr std::int32_t MaxUTMGridDist = 10000000;
constexpr std::int32_t MinRandSampleLimit = 1000;
} // namespace

TGeoMap::TGeoMap(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(Left(), Top(), 500, 400);
  AllocateLandMarks(0);
  FLMClassVisible.fill(true);
  FMTrace.resize(MouseTraceCapacity);
  InitDefaultLandMark();
  ClearZoomHistory();
  GrafBmp = std::make_unique<TBitmap>();
  AuxBmp = std::make_unique<TBitmap>();
  AuxBmp->SetPixelFormat(pf15bit);
  FImgCache = std::make_unique<TBitmap>();
  FImgCache->SetPixelFormat(pf15bit);
  FAuxCanvas = std::make_unique<TCanvas>(AuxBmp.get());
  FCacheAA = FAntiAlias;
  FGratMat = std::make_unique<TMatrix>();
  FGratMat->Resize(5, 1);
}

TGeoMap::~TGeoMap() = default;

EZYNGeoMapError TGeoMap::ComponentError(const std::string& Text) const {
  return EZYNGeoMapError("Component \"" + Name() + "\": " + Text);
}

void TGeoMap::AllocateLandMarks(std::int32_t n) {
  const std::int32_t blocks = (n - 1) / LandMarkBlockSize + 1;
  try {
    FLandMarks.assign(static_cast<std::size_t>(blocks) * LandMarkBlockSize, TLandMark{});
  } catch (const std::bad_alloc&) {
    throw ComponentError("insufficient memory");
  } catch (const std::length_error&) {
    throw ComponentError("insufficient memory");
  }
}

void TGeoMap::InitDefaultLandMark() {
  TLandMark& lm = FDefaultLM;
  lm = TLandMark{};
  lm.SymbolProps = {lmCross, 7, clBlue, clWhite, false, 0, 10};
  lm.Caption.Size = 8;
  lm.Caption.FontName = "MS Sans Serif";
  lm.Caption.FGColor = clBlack;
  lm.Caption.BGColor = clWhite;
  lm.Caption.Transparent = true;
  lm.Caption.dy = 8;
  lm.Caption.HAlignment = taCenter;
  lm.Caption.VAlignment = vaTop;
}

// ---- published properties ----

void TGeoMap::SetAntiAlias(bool Value) {
  FAntiAlias = Value;
  Paint();
}

void TGeoMap::SetCalibModel(TCalibModel Value) {
  FCalibModel = Value;
  RecalcCalibration();
}

void TGeoMap::SetCacheMagLimit(double Value) {
  if (!(Value >= 0)) Value = 0; // also NaN
  FCacheMagLimit = std::min(Value, MaxCacheMagLimit);
  if (FMagnify < MaxCacheMagLimit) Paint();
}

void TGeoMap::SetColorBakGnd(TColor Value) {
  FColorBakGnd = Value;
  Paint();
}

void TGeoMap::SetColorGratLine(TColor Value) {
  FColorGratLine = Value;
  Paint();
}

void TGeoMap::SetColorGratPoints(TColor Value) {
  FColorGratPoints = Value;
  Paint();
}

void TGeoMap::SetColorFrame(TColor Value) {
  FFrameColor = Value;
  Paint();
}

void TGeoMap::SetConfinePan(bool Value) {
  FConfinePan = Value;
  if (FConfinePan) PanMapToFillWindow();
}

void TGeoMap::SetEmptyMsg(const std::string& Value) {
  FEmptyMsg = Value;
  Paint();
}

void TGeoMap::SetFrameStyle(TFrameStyle Value) {
  if (Value == FFrameStyle) return;
  FFrameStyle = Value;
  Paint();
}

void TGeoMap::SetGratLineDist(double Value) {
  if (!(Value >= 0)) Value = 0; // also NaN
  FGratLineDist = std::min(Value, MaxGratLineDist);
  Paint();
}

void TGeoMap::SetUTMGridDist(std::int32_t Value) {
  FUTMGridDist = std::clamp(Value, 0, MaxUTMGridDist);
  Paint();
}

void TGeoMap::SetShowGrat(TShowGrat Value) {
  if (Value == FShowGrat) return;
  FShowGrat = Value;
  Paint();
}

// ---- public properties ----

void TGeoMap::SetHighLM(std::int32_t Value) {
  if (Value < 0 || Value > FNumLandMarks) Value = 0;
  if (Value == FHighLM) return;
  FHighLM = Value;
  Paint();
}

double TGeoMap::LastClickLatitude() const {
  bool valid = false;
  const double lat = CalcLatitude(FLastMClickPosX, FLastMClickPosY, valid);
  return valid ? lat : 0;
}

double TGeoMap::LastClickLongitude() const {
  bool valid = false;
  const double lon = CalcLongitude(FLastMClickPosX, FLastMClickPosY, valid);
  return valid ? lon : 0;
}

void TGeoMap::SetRandSampleLimit(std::int32_t Value) {
  if (Value <= MinRandSampleLimit || Value == FLMRandSampleLimit) return;
  FLMRandSampleLimit = Value;
  Paint();
}

void TGeoMap::SetSuppressPaint(bool Value) {
  if (Value == FSuppressPaint) return;
  FSuppressPaint = Value;
  if (!FSuppressPaint) Paint();
}

void TGeoMap::SetTopLeft(TPoint Value) {
  FTopLeft = Value;
  Paint();
}

TLandMark TGeoMap::LandMarkData(std::int32_t i) const {
  if (i < 1 || i > FNumLandMarks) return FDefaultLM;
  return FLandMarks[static_cast<std::size_t>(i - 1)];
}

void TGeoMap::SetHighLightProperties(TColor ColorFG, TColor ColorBG, bool Transparent) {
  FHighLMColFG = ColorFG;
  FHighLMColBG = ColorBG;
  FHighLMTrans = Transparent;
  Paint();
}

// ---- events ----

void TGeoMap::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(this);
}

void TGeoMap::DoSelectRectEvent(bool Geographic, double x1, double y1, double x2, double y2) {
  if (OnSelectRect) OnSelectRect(this, Geographic, x1, y1, x2, y2);
}

} // namespace zyn
