#pragma once
/// \file
/// TGeoMap, the map control: a raster map image shown at any magnification
/// and offset, georeferenced by a calibration model, with overlays.
///
/// The control is split by concern: state and properties
/// (ZYN_geomap_state.cpp), calibration fitting (ZYN_geomap_calib.cpp),
/// transforms (ZYN_geomap_transforms.cpp), painting, landmarks, mouse,
/// calibration files and map images.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "geobasics/ZYN_geobasics.h"
#include "geomap/ZYN_calibdata.h"
#include "geomap/ZYN_geomaperror.h"
#include "geomap/ZYN_landmarktypes.h"
#include "geomap/ZYN_transforms.h"
#include "platform/gui/ZYN_bitmap.h"
#include "platform/gui/ZYN_controls.h"
#include "support/ZYN_array1.h"
#include "support/ZYN_types.h"
#include "support/ZYN_zynbase.h"

namespace zyn {

class TCanvas;
class TMatrix;

/// Which overlays are drawn over the map image.
enum TShowGrat : std::uint8_t { sgNone, sgPoints, sgLines, sgPointsAndLines, sgUTMGrid, sgPointsAndUTMGrid };

/// One saved view of the zoom history; all zero means empty.
struct TgmZoomStackEntry {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  double MagF = 0;
  friend bool operator==(const TgmZoomStackEntry&, const TgmZoomStackEntry&) = default;
};

/// Drawing hook on the composition buffer's canvas.
using TRenderEvent = std::function<void(TComponent* Sender, TCanvas& Canvas)>;
/// Lets the host draw a landmark itself (set Handled).
using TDrawLandMarkEvent =
    std::function<void(TComponent* Sender, bool& Handled, TCanvas& Canvas, TPoint APoint, const TLandMark& LandMarkData)>;
/// Lets the host redirect a map image file name.
using TMapImgRequestEvent = std::function<void(TComponent* Sender, std::string& FileName)>;
/// Veto of adding or removing a landmark (clear Allowed).
using TLandMarkActionEvent =
    std::function<void(TComponent* Sender, bool& Allowed, TLandMarkAction Action, const TLandMark& LandMarkData)>;

inline constexpr std::int32_t LandMarkBlockSize = 1000;
inline constexpr std::int32_t MouseTraceCapacity = 5000;
inline constexpr std::int32_t ZoomStackSize = 16;

/// The map control.
class TGeoMap : public TCustomControl {
public:
  explicit TGeoMap(TComponent* AOwner);
  ~TGeoMap() override;

  /// Copies the whole map state from another map control (not the event
  /// handlers, the mouse trace or the platform properties); does not repaint.
  void Assign(const TPersistent* Source) override;

  // ---- published properties ----
  bool AllowPan() const noexcept { return FMouseAction == maPan; }
  void SetAllowPan(bool Value) noexcept { FMouseAction = Value ? maPan : maNone; }
  bool AntiAlias() const noexcept { return FAntiAlias; }
  void SetAntiAlias(bool Value);
  TCalibModel CalibModel() const noexcept { return FCalibModel; }
  /// Stores the model and refits the calibration.
  void SetCalibModel(TCalibModel Value);
  double CacheMagLimit() const noexcept { return FCacheMagLimit; }
  /// Clamps to 0..2/3 (NaN gives 0).
  void SetCacheMagLimit(double Value);
  TColor ColorBackGnd() const noexcept { return FColorBakGnd; }
  void SetColorBakGnd(TColor Value);
  TColor ColorGraticule() const noexcept { return FColorGratLine; }
  void SetColorGratLine(TColor Value);
  TColor ColorCalibPoints() const noexcept { return FColorGratPoints; }
  void SetColorGratPoints(TColor Value);
  TColor ColorFrame() const noexcept { return FFrameColor; }
  void SetColorFrame(TColor Value);
  bool ConfinePanToMapImage() const noexcept { return FConfinePan; }
  /// Stores; when true, pulls TopLeft back into the image (no repaint).
  void SetConfinePan(bool Value);
  const std::string& EmptyMsg() const noexcept { return FEmptyMsg; }
  void SetEmptyMsg(const std::string& Value);
  TFrameStyle FrameStyle() const noexcept { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  double GratLineDist() const noexcept { return FGratLineDist; }
  /// Degrees between graticule lines, clamped to 0..60; 0 chooses automatically.
  void SetGratLineDist(double Value);
  std::int32_t UTMGridDist() const noexcept { return FUTMGridDist; }
  /// Metres between UTM grid lines, clamped to 0..10000000; 0 chooses automatically.
  void SetUTMGridDist(std::int32_t Value);
  TMouseActMode MouseAction() const noexcept { return FMouseAction; }
  void SetMouseAction(TMouseActMode Value) noexcept { FMouseAction = Value; }
  TColor MouseTraceColor() const noexcept { return FColorMTrace; }
  void SetMouseTraceColor(TColor Value) noexcept { FColorMTrace = Value; }
  bool MouseTraceInvert() const noexcept { return FMTraceInvert; }
  void SetMouseTraceInvert(bool Value) noexcept { FMTraceInvert = Value; }
  TShowGrat ShowGraticule() const noexcept { return FShowGrat; }
  void SetShowGrat(TShowGrat Value);

  // ---- public properties ----
  const TCalibData& CalibData() const noexcept { return FCalibData; }
  /// Replaces the calibration record without refitting.
  void SetCalibData(const TCalibData& Value) { FCalibData = Value; }
  const std::string& Caption() const noexcept { return FCalibData.Caption; }
  void SetMapCaption(const std::string& Value) { FCalibData.Caption = Value; }
  std::int32_t HighLightLandMark() const noexcept { return FHighLM; }
  /// Out-of-range numbers become 0 (none).
  void SetHighLM(std::int32_t Value);
  const TLandMark& LandMarkDefault() const noexcept { return FDefaultLM; }
  void SetLandMarkDefault(const TLandMark& Value) { FDefaultLM = Value; }
  /// Latitude of the last clicked pixel; 0 when it has no valid position.
  double LastClickLatitude() const;
  /// Longitude of the last clicked pixel; 0 when it has no valid position.
  double LastClickLongitude() const;
  std::int32_t LastClickPosX() const noexcept { return FLastMClickPosX; }
  std::int32_t LastClickPosY() const noexcept { return FLastMClickPosY; }
  std::int32_t LastMousePosX() const noexcept { return FLastMMousePosX; }
  std::int32_t LastMousePosY() const noexcept { return FLastMMousePosY; }
  std::int32_t LMRandomDisplayThreshold() const noexcept { return FLMRandSampleLimit; }
  /// Accepted only above 1000.
  void SetRandSampleLimit(std::int32_t Value);
  double Magnification() const noexcept { return FMagnify; }
  /// Control pixels per map-image pixel; keeps TopLeft.
  void SetMagnification(double Value);
  const std::string& MapImgFile() const noexcept { return FMapImgName; }
  std::int32_t MapImgWidth() const noexcept { return FMapImgWidth; }
  std::int32_t MapImgHeight() const noexcept { return FMapImgHeight; }
  TBitmap& MapBitmap() const noexcept { return *GrafBmp; }
  std::int32_t NumLandMarks() const noexcept { return FNumLandMarks; }
  std::int32_t NumMTracePoints() const noexcept { return FNumMTrace; }
  bool SuppressPaint() const noexcept { return FSuppressPaint; }
  /// Switching to false repaints at once.
  void SetSuppressPaint(bool Value);
  TPoint TopLeft() const noexcept { return FTopLeft; }
  /// Stores the map-image pixel shown at the control's top-left corner, unclamped.
  void SetTopLeft(TPoint Value);
  TZoomState ZoomState() const noexcept { return FZoomState; }
  /// A copy of landmark i (1-based); the default landmark outside 1..NumLandMarks.
  TLandMark LandMarkData(std::int32_t i) const;
  /// The zoom history entry k (−15..0; 0 is the view saved last).
  TgmZoomStackEntry ZoomStack(std::int32_t StackIx) const;

  // ---- lifecycle and view ----
  /// Rescales the map image so that its longer edge has this length.
  void ResizeMap(std::int32_t LongerEdgeLength);
  /// Rescales the map image itself by a factor, with its calibration points.
  void ResizeMap(double Magnification);
  /// Forgets the map image and calibration; landmarks and settings stay.
  void Clear();
  void SetHighLightProperties(TColor ColorFG, TColor ColorBG, bool Transparent);
  TPoint ControlToMapImage(TPoint APoint) const noexcept;
  TPoint MapImageToControl(TPoint APoint) const noexcept;
  /// Confines TopLeft so that the window stays inside the map image; no repaint.
  void PanMapToFillWindow();
  /// Empties the zoom history and saves the current view in it.
  void ClearZoomHistory();

  // ---- calibration ----
  /// Refits the graticule matrix and the active model, recomputes corners and
  /// resolution and repaints.
  void RecalcCalibration();
  /// Empties the calibration points, lines and the fits that depend on them; repaints.
  void ClearCalibData();
  /// Recomputes Corners and Resolution of the calibration from the current fit.
  void CalcExtentsAndResolution();
  /// Refits the graticule parabolas; true when two parallels and two
  /// meridians (3 points each at least) were fitted.
  bool RecalcGratMat();
  void CalcBiquadraticCalibration();
  void CalcConicCalibration();
  void CalcMillerCylCalibration();
  void CalcEquiRectCalibration();

  // ---- transforms (map-image pixels ↔ degrees) ----
  double CalcLatitude(std::int32_t x, std::int32_t y, bool& valid) const;
  double CalcLatitude(TPoint APoint, bool& valid) const { return CalcLatitude(APoint.X, APoint.Y, valid); }
  double CalcLongitude(std::int32_t x, std::int32_t y, bool& valid) const;
  double CalcLongitude(TPoint APoint, bool& valid) const { return CalcLongitude(APoint.X, APoint.Y, valid); }
  /// Pixel of a position; false when the model cannot place it (x, y then unchanged).
  bool CalcPixelCoords(double Lat, double Long, std::int32_t& x, std::int32_t& y) const;
  /// Pixel of a UTM position (metres); false and (0, 0) unless the model is cmUTM.
  bool CalcPixelCoordsUTM(double Northing, double Easting, std::int32_t& x, std::int32_t& y) const;
  /// Row of the pixel in column x on the line of constant northing (cmUTM fit).
  std::int32_t CalcUTMyFromNorthingX(double Northing, std::int32_t x) const;
  /// Column of the pixel in row y on the line of constant easting (cmUTM fit).
  std::int32_t CalcUTMxFromEastingY(double Easting, std::int32_t y) const;
  /// Whether the position lies strictly inside the map's corners.
  bool IsPositionWithinMap(double Latit, double Longit) const noexcept;
  /// RMS pixel deviation of the calibration points from the fit, per axis.
  void CalibQuality(double& QualX, double& QualY) const;

  // ---- calibration files and map images ----
  /// Called by the map generators after their graticule, so that the host can
  /// draw its own data on the new map (degrees and pixels as normalised).
  using TOnDrawMapDataEvent =
      std::function<void(TComponent* Sender, TCanvas& MapCanvas, double LatLow, double LongLow, double LatHigh,
                         double LongHigh, std::int32_t Wid, std::int32_t Hgt)>;

  /// Writes the current calibration as one block at the end of an open text
  /// file, with corners and resolution recomputed and the image name recorded.
  void WriteCalDataToOpenXMLFile(class TTextFile& F, bool WithDeclaration, const std::string& DataID);
  /// Creates or overwrites FileName with one calibration block; raises EInOutError.
  void SaveCalDataAsXML(const std::string& FileName, const std::string& DataID);
  /// Writes the block at the stream's position, always with the declaration,
  /// the resolution and the quadruple list.
  void SaveCalDataAsXML(TStream& OutStream, const std::string& DataID);
  /// Loads the first block matching DataID (any case; empty: the first) from
  /// the file's current line; true when the graticule lines give a fit.
  bool ReadCalDataFromOpenXMLFile(class TTextFile& F, const std::string& DataID);
  /// As ReadCalDataFromOpenXMLFile on a file it opens; false when it cannot.
  bool LoadCalDataFromXML(const std::string& FName, const std::string& DataID);
  /// As ReadCalDataFromOpenXMLFile from a stream's position; false for null.
  bool LoadCalDataFromXML(TStream* InStream, const std::string& DataID);

  /// Loads a JPEG or BMP map image (OnMapImageRequest may redirect the file);
  /// a missing file empties the name and size. Raises EZYNGeoMapError beyond
  /// 3000000 pixels and the codec's error for a bad file, leaving the map as it was.
  void SetMapImgName(const std::string& Value);
  /// Takes a copy of a bitmap as the map image, named "$unknown$".
  void SetMapBitMap(const TBitmap& Value);
  /// Writes the image as <name>.jpg and the calibration as <name>.xml beside FileName.
  void SaveMap(const std::string& FileName, const std::string& DataID);
  /// Renames the image file within its directory, keeping its extension;
  /// false when there is no such file or the new name cannot be used.
  bool RenameMapImg(const std::string& Name);
  /// Draws an empty graticule map, saves it as a 4-bit BMP with a biquadratic
  /// calibration file beside it and loads both.
  void CreateAndLoadEmptyMap(const std::string& FName, double LatLow, double LongLow, double LatHigh,
                             double LongHigh, double dLat, double dLong, std::int32_t Wid, std::int32_t Hgt,
                             const TOnDrawMapDataEvent& OnDrawMapData = {});
  /// Makes an empty 24-bit map with an equirectangular calibration in memory.
  void CreateEmptyMapInMemory(double LatLow, double LongLow, double LatHigh, double LongHigh, double dLat,
                              double dLong, std::int32_t Wid, std::int32_t Hgt, bool ShowGrid,
                              const TOnDrawMapDataEvent& OnDrawMapData = {});

private:
  bool ReadCalDataIntern(class TCalBlockSource& Source, const std::string& DataID);
  /// Fits the active point-based model after a calibration was read.
  void FitLoadedModel();
  /// Takes a loaded picture (null: keep the current one) as the map image:
  /// the size limit, name, sizes, view.
  void AdoptMapImage(std::unique_ptr<TBitmap> Picture, const std::string& Name);
  /// Raises the size-limit error for a picture of more than 3000000 pixels.
  void CheckMapImageSize(std::int32_t Width, std::int32_t Height) const;

public:

  // ---- events ----
  TProgressEvent OnDataLoading;
  TRenderEvent OnDataRendered;
  TRenderEvent OnBeforeRenderData;
  TDrawLandMarkEvent OnDrawLandmark;
  TMapImgRequestEvent OnMapImageRequest;
  TLandMarkActionEvent OnLandMarkAction;
  TZoomPanEvent OnZoomPan;
  TOnRubberBandActionEvent OnBeginRubberBand;
  TOnRubberBandActionEvent OnContinueRubberBand;
  TOnRubberBandActionEvent OnEndRubberBand;
  TSelectRectEvent OnSelectRect;

  /// Raises OnZoomPan with this control as sender.
  void DoZoomPanEvent();
  /// Raises OnSelectRect with this control as sender and the arguments unchanged.
  void DoSelectRectEvent(bool Geographic, double x1, double y1, double x2, double y2);

protected:
  void AssignTo(TPersistent* Dest) const override;
  std::string ClassName() const override { return "TGeoMap"; }
  /// Composes the picture into AuxBmp and copies it to the screen; nothing
  /// while painting is suppressed.
  void Paint() override;

private:
  friend struct TGeoMapInspector; // test access to the fitted parameters

  /// The exception for a failure of this component: "Component "<Name>": <Text>".
  EZYNGeoMapError ComponentError(const std::string& Text) const;
  /// Sizes the landmark array for n landmarks in whole blocks of 1000.
  void AllocateLandMarks(std::int32_t n);
  void InitDefaultLandMark();
  void ZoomStateOnStack();
  /// Step 2 of RecalcCalibration: refits the parameters of the active model.
  void FitActiveModel();
  void ConstructInternalMapImg();
  void DrawMapImage();
  void DrawEmptyMessage();
  void ScaleCalibrationPoints(double Factor);

  std::unique_ptr<TBitmap> AuxBmp;
  std::unique_ptr<TCanvas> FAuxCanvas; // draws on AuxBmp
  std::unique_ptr<TBitmap> FImgCache;
  double FCacheMag = 0;
  bool FCacheAA = true;
  double FCacheMagLimit = 2.0 / 3.0;
  std::int32_t FNumLandMarks = 0;
  std::vector<TLandMark> FLandMarks;
  TLandMark FDefaultLM;
  TColor FColorBakGnd = clSilver;
  TFrameStyle FFrameStyle = TFrameStyle(1);
  TColor FFrameColor = clBlack;
  TColor FColorGratLine = clBlue;
  TColor FColorGratPoints = clRed;
  TColor FColBlackLine = clBlack;
  TColor FColGrayLine = clGray;
  TColor FColWhiteLine = clWhite;
  std::string FEmptyMsg = "GeoMap: empty";
  bool FLButtonWasDown = false;
  std::array<bool, 256> FLMClassVisible{};
  std::int32_t FLMRandSampleLimit = 20000;
  std::string FMapImgName;
  std::int32_t FMapImgWidth = 0;
  std::int32_t FMapImgHeight = 0;
  double FMagnify = 1.0;
  TZoomState FZoomState = TZoomState(0);
  TMouseBoxState FMouseBoxState = TMouseBoxState(0);
  std::int32_t FMouseBoxX1 = 0, FMouseBoxX2 = 0, FMouseBoxY1 = 0, FMouseBoxY2 = 0;
  std::vector<TColoredPoint> FMTrace;
  std::int32_t FNumMTrace = 0;
  TColor FColorMTrace = clWhite;
  bool FMTraceInvert = true;
  std::int32_t FWindOldCornerX = 0, FWindOldCornerY = 0, FWindAnchorX = 0, FWindAnchorY = 0;
  TShowGrat FShowGrat = sgNone;
  TPoint FTopLeft{};
  TCalibModel FCalibModel = cmUndefined;
  TCalQuad FBiQuadOops{};
  TCalibLine FParaIpOops{};
  bool FRestoreBiQuadOK = false;
  bool FRestoreParaIpOK = false;
  bool FSuppressPaint = false;
  bool FConfinePan = true;
  TMouseActMode FMouseAction = maPan;
  bool FRubberBandOn = false;
  bool FSelectRectOn = false;
  std::int32_t FRubberBAnchorX = 0, FRubberBAnchorY = 0, FRubberBandOldX = 0, FRubberBandOldY = 0;
  bool FAntiAlias = true;
  double FGratLineDist = 0;
  std::int32_t FUTMGridDist = 0;
  TCalibData FCalibData{};
  std::unique_ptr<TMatrix> FGratMat;
  TEquRectPars FEquRectSPPL{};
  TEquRectPars FEquRectPLSP{};
  TBiQuadPars FCalParsPLSP{};
  TBiQuadPars FCalParsSPPL{};
  TMillerPars FMillercylPar{};
  TConicPars FConicPars{};
  std::int32_t FHighLM = 0;
  TColor FHighLMColFG = clBlue;
  TColor FHighLMColBG = clYellow;
  bool FHighLMTrans = false;
  std::int32_t FTopLeftXAnchor = 0, FTopLeftYAnchor = 0;
  TArray1<TgmZoomStackEntry, ZoomStackSize> FZoomStack{};
  std::int32_t FZStackPoi = 1;
  std::string FCalDatName;
  std::int32_t MouseAnchorX = 0, MouseAnchorY = 0;
  std::int32_t FLastMClickPosX = 0, FLastMClickPosY = 0;
  std::int32_t FLastMMousePosX = 0, FLastMMousePosY = 0;
  std::unique_ptr<TBitmap> GrafBmp;
};

} // namespace zyn
