// TGeoMap: copying between map controls.

#include <algorithm>
#include <typeinfo>

#include "geomap/ZYN_geomap.h"
#include "support/ZYN_matrix.h"

namespace zyn {

void TGeoMap::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TGeoMap*>(Source);
  if (src == nullptr) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;

  AuxBmp->Assign(src->AuxBmp.get());
  FImgCache->Assign(src->FImgCache.get());
  FCacheMag = src->FCacheMag;
  FCacheAA = src->FCacheAA;
  FCacheMagLimit = src->FCacheMagLimit;

  AllocateLandMarks(src->FNumLandMarks);
  FNumLandMarks = src->FNumLandMarks;
  std::copy_n(src->FLandMarks.begin(), FNumLandMarks, FLandMarks.begin());

  FDefaultLM = src->FDefaultLM;
  FColorBakGnd = src->FColorBakGnd;
  FFrameStyle = src->FFrameStyle;
  FFrameColor = src->FFrameColor;
  FColorGratLine = src->FColorGratLine;
  FColorGratPoints = src->FColorGratPoints;
  FColBlackLine = src->FColBlackLine;
  FColGrayLine = src->FColGrayLine;
  FColWhiteLine = src->FColWhiteLine;
  FEmptyMsg = src->FEmptyMsg;
  FLButtonWasDown = src->FLButtonWasDown;
  FLMClassVisible = src->FLMClassVisible;
  FLMRandSampleLimit = src->FLMRandSampleLimit;

  FMapImgName = src->FMapImgName;
  FMapImgWidth = src->FMapImgWidth;
  FMapImgHeight = src->FMapImgHeight;
  FMagnify = src->FMagnify;
  FZoomState = src->FZoomState;
  FMouseBoxState = src->FMouseBoxState;
  FMouseBoxX1 = src->FMouseBoxX1;
  FMouseBoxX2 = src->FMouseBoxX2;
  FMouseBoxY1 = src->FMouseBoxY1;
  FMouseBoxY2 = src->FMouseBoxY2;
  FWindOldCornerX = src->FWindOldCornerX;
  FWindOldCornerY = src->FWindOldCornerY;
  FWindAnchorX = src->FWindAnchorX;
  FWindAnchorY = src->FWindAnchorY;
  FShowGrat = src->FShowGrat;
  FTopLeft = src->FTopLeft;
  FCalibModel = src->FCalibModel;
  FBiQuadOops = src->FBiQuadOops;
  FParaIpOops = src->FParaIpOops;

  FRestoreBiQuadOK = src->FRestoreBiQuadOK;
  FRestoreParaIpOK = src->FRestoreParaIpOK;
  FSuppressPaint = src->FSuppressPaint;
  FConfinePan = src->FConfinePan;
  FMouseAction = src->FMouseAction;
  FRubberBandOn = src->FRubberBandOn;
  FSelectRectOn = src->FSelectRectOn;
  FRubberBAnchorX = src->FRubberBAnchorX;
  FRubberBAnchorY = src->FRubberBAnchorY;
  FRubberBandOldX = src->FRubberBandOldX;
  FRubberBandOldY = src->FRubberBandOldY;
  FAntiAlias = src->FAntiAlias;
  FGratLineDist = src->FGratLineDist;
  FUTMGridDist = src->FUTMGridDist;

  FCalibData = src->FCalibData;

  FGratMat->Clone(*src->FGratMat);
  FEquRectSPPL = src->FEquRectSPPL;
  FEquRectPLSP = src->FEquRectPLSP;
  FCalParsPLSP = src->FCalParsPLSP;
  FCalParsSPPL = src->FCalParsSPPL;
  FMillercylPar = src->FMillercylPar;
  FConicPars = src->FConicPars;

  FHighLM = src->FHighLM;
  FHighLMColFG = src->FHighLMColFG;
  FHighLMColBG = src->FHighLMColBG;
  FHighLMTrans = src->FHighLMTrans;
  FTopLeftXAnchor = src->FTopLeftXAnchor;
  FTopLeftYAnchor = src->FTopLeftYAnchor;
  FZoomStack = src->FZoomStack;
  FZStackPoi = src->FZStackPoi;
  FCalDatName = src->FCalDatName;
  MouseAnchorX = src->MouseAnchorX;
  MouseAnchorY = src->MouseAnchorY;
  FLastMClickPosX = src->FLastMClickPosX;
  FLastMClickPosY = src->FLastMClickPosY;
  FLastMMousePosX = src->FLastMMousePosX;
  FLastMMousePosY = src->FLastMMousePosY;

  GrafBmp->Assign(src->GrafBmp.get());
}

void TGeoMap::AssignTo(TPersistent* Dest) const {
  // Only a destination whose class this control shares (a plain TGeoMap, or
  // exactly this control's class) can take the whole state.
  auto* dest = dynamic_cast<TGeoMap*>(Dest);
  if (dest != nullptr && (typeid(*dest) == typeid(TGeoMap) || typeid(*dest) == typeid(*this))) {
    dest->Assign(this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}

} // namespace zyn
