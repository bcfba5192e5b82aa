// TGeoMap: reading and writing its calibration as XML blocks.

#include "geomap/ZYN_geomap.h"
#include "geomap/ZYN_xmlcalib.h"
#include "support/ZYN_streams.h"

namespace zyn {

void TGeoMap::WriteCalDataToOpenXMLFile(TTextFile& F, bool WithDeclaration, const std::string& DataID) {
  CalcExtentsAndResolution();
  FCalibData.MapFName = FMapImgName;
  WriteRawCalDataToOpenXMLFile(F, WithDeclaration, DataID, FCalibData, FCalibModel);
}

void TGeoMap::SaveCalDataAsXML(const std::string& FileName, const std::string& DataID) {
  TTextFile f(FileName);
  f.Rewrite();
  WriteCalDataToOpenXMLFile(f, true, DataID);
  f.Close();
}

void TGeoMap::SaveCalDataAsXML(TStream& OutStream, const std::string& DataID) {
  CalcExtentsAndResolution();
  FCalibData.MapFName = FMapImgName;
  for (const std::string& line : CalBlockLines(true, DataID, FCalibData, FCalibModel, cbfStream))
    WriteLnStream(OutStream, line);
}

void TGeoMap::FitLoadedModel() {
  switch (FCalibModel) {
    case cmBiquadraticPn: CalcBiquadraticCalibration(); break;
    case cmConicConformal: CalcConicCalibration(); break;
    case cmMillerCylindrical: CalcMillerCylCalibration(); break;
    case cmEquiRect:
    case cmUTM: CalcEquiRectCalibration(); break;
    default: break; // the parabolic model lives in the graticule matrix
  }
}

bool TGeoMap::ReadCalDataIntern(TCalBlockSource& Source, const std::string& DataID) {
  TCalHeader header;
  if (!FindCalHeader(Source, DataID, header)) return false;
  FCalibModel = CalModelFromName(header.Model);
  FCalibData.MapFName = header.MapFName;
  FCalibData.Caption = header.Caption;
  ClearCalibData();
  // ComponentError gives the "Component "<Name>": " prefix of this control's messages.
  ReadCalBlockElements(Source, FCalibData, TCalReadRules{true, ComponentError("").what()});
  const bool fitted = RecalcGratMat();
  if (!FCalibData.MapFName.empty()) SetMapImgName(FCalibData.MapFName);
  FitLoadedModel();
  return fitted;
}

bool TGeoMap::ReadCalDataFromOpenXMLFile(TTextFile& F, const std::string& DataID) {
  TTextFileCalSource source(F);
  return ReadCalDataIntern(source, DataID);
}

bool TGeoMap::LoadCalDataFromXML(const std::string& FName, const std::string& DataID) {
  TTextFile f(FName);
  if (!f.TryReset()) return false;
  return ReadCalDataFromOpenXMLFile(f, DataID);
}

bool TGeoMap::LoadCalDataFromXML(TStream* InStream, const std::string& DataID) {
  if (InStream == nullptr) return false;
  TStreamCalSource source(*InStream);
  return ReadCalDataIntern(source, DataID);
}

} // namespace zyn
