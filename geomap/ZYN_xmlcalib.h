#pragma once
/// \file
/// Calibration blocks of the map control's XML files, read and written
/// without a control: the block writer and ParseCalibData.

#include <string>
#include <string_view>

#include "geomap/ZYN_calibdata.h"
#include "geomap/ZYN_xmlcalblock.h"
#include "geomap/ZYN_xmltext.h"
#include "platform/ZYN_streams.h"
#include "platform/ZYN_textfile.h"

namespace zyn {

/// Identifier of the block that CreateAndLoadEmptyMap writes.
inline constexpr std::string_view GeneratedMapDataID = "ZYN_geomap_caldata";

/// Writes one calibration block (optionally preceded by the XML declaration)
/// at the end of an open text file; neither opens nor closes it.
void WriteRawCalDataToOpenXMLFile(TTextFile& F, bool WithDeclaration, std::string_view DataID,
                                  const TCalibData& Calib, TCalibModel Model);

/// Reads the first block of the file whose identifier matches DataID (any
/// case; empty matches the first block) into Calib and Model without a
/// control. Only NumCalLines is reset first; other fields keep their values
/// unless the block sets them. False when the file cannot be opened or no
/// block matches. Raises EZYNGeoMapError on inconsistent graticule lines or
/// point counts.
bool ParseCalibData(const std::string& FileName, std::string_view DataID, TCalibData& Calib, TCalibModel& Model);
/// The same from a stream's current position; false when Stream is null.
bool ParseCalibData(TStream* Stream, std::string_view DataID, TCalibData& Calib, TCalibModel& Model);

/// Reading source over an open text file (line by line, then tags).
class TTextFileCalSource : public TCalBlockSource {
public:
  explicit TTextFileCalSource(TTextFile& F) : FFile(F) {}
  bool ReadLine(std::string& Line) override { return FFile.ReadLn(Line); }
  std::int32_t NextTag(std::string& Attr, std::string& Content) override;

private:
  TTextFile& FFile;
};

/// Reading source over a stream from its current position.
class TStreamCalSource : public TCalBlockSource {
public:
  explicit TStreamCalSource(TStream& S) : FStream(S) {}
  bool ReadLine(std::string& Line) override { return ReadLnStream(FStream, Line); }
  std::int32_t NextTag(std::string& Attr, std::string& Content) override;

private:
  TStream& FStream;
};

} // namespace zyn
