#include "geomap/ZYN_xmlcalib.h"

#include <span>

#include "support/ZYN_streams.h"
#include "support/ZYN_stringl.h"

namespace zyn {

std::int32_t TTextFileCalSource::NextTag(std::string& Attr, std::string& Content) {
  return ReadNextTagInTextFile(FFile, XMLTagNames.data(), XMLTagHigh, Attr, Content);
}

std::int32_t TStreamCalSource::NextTag(std::string& Attr, std::string& Content) {
  return ReadNextTagInStream(FStream, XMLTagNames.data(), XMLTagHigh, Attr, Content);
}

void WriteRawCalDataToOpenXMLFile(TTextFile& F, bool WithDeclaration, std::string_view DataID,
                                  const TCalibData& Calib, TCalibModel Model) {
  for (const std::string& line : CalBlockLines(WithDeclaration, DataID, Calib, Model, cbfTextFile)) F.WriteLn(line);
}

namespace {

constexpr const char* ParseCalibDataPrefix = "ParseCalibData: ";

TCalibModel ParsedModel(const TCalHeader& Header) {
  if (!Header.HasModel) return cmBiquadraticPn;
  const int ix = StringIx(Header.Model, std::span(CalModelNames));
  // An unknown name gives no position; the model must stay a valid value.
  return ix >= 1 ? static_cast<TCalibModel>(ix - 1) : cmUndefined;
}

bool ParseFromSource(TCalBlockSource& Source, std::string_view DataID, TCalibData& Calib, TCalibModel& Model) {
  TCalHeader header;
  if (!FindCalHeader(Source, DataID, header)) return false;
  Model = ParsedModel(header);
  Calib.MapFName = header.MapFName;
  Calib.Caption = header.Caption;
  Calib.NumCalLines = 0;
  ReadCalBlockElements(Source, Calib, TCalReadRules{false, ParseCalibDataPrefix});
  return true;
}

} // namespace

bool ParseCalibData(const std::string& FileName, std::string_view DataID, TCalibData& Calib, TCalibModel& Model) {
  TTextFile f(FileName);
  if (!f.TryReset()) return false;
  TTextFileCalSource source(f);
  return ParseFromSource(source, DataID, Calib, Model);
}

bool ParseCalibData(TStream* Stream, std::string_view DataID, TCalibData& Calib, TCalibModel& Model) {
  if (Stream == nullptr) return false;
  TStreamCalSource source(*Stream);
  return ParseFromSource(source, DataID, Calib, Model);
}

} // namespace zyn
