// Calibration blocks written and parsed without a control.

#include <gtest/gtest.h>

#include <string>

#include "geomap/ZYN_geomaperror.h"
#include "geomap/ZYN_xmlcalib.h"
#include "tests/geomap/files/calib_fixtures.h"
#include "tests/support/temp_dir.h"

namespace zyn {
namespace {

using namespace zyn::testing;

std::string WriteBlocks(const TTempDir& dir, const std::string& name,
                        std::initializer_list<std::pair<std::string, TCalibData>> blocks, TCalibModel model) {
  const std::string file = dir.File(name);
  TTextFile f(file);
  f.Rewrite();
  bool first = true;
  for (const auto& [id, calib] : blocks) {
    WriteRawCalDataToOpenXMLFile(f, first, id, calib, model);
    first = false;
  }
  f.Close();
  return file;
}

TEST(CalibBlockWriter, WritesTheEquirectExampleByteForByte) {
  TTempDir dir;
  const std::string file = WriteBlocks(dir, "alps.xml", {{"map1", AlpsCalibration()}}, cmEquiRect);
  EXPECT_EQ(TTempDir::Read(file), AlpsExampleBytes);
}

TEST(CalibBlockWriter, WritesUtmElementsOnlyForValidZones) {
  TCalibData calib = AlpsCalibration();
  calib.UTMZone = 60;
  calib.UTMSouth = true;
  calib.Ellipsoid = gelClrk66;
  auto lines = CalBlockLines(false, "z", calib, cmUTM, cbfTextFile);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[7], "<utmzone>60</utmzone>");
  EXPECT_EQ(lines[8], "<utmsouth>TRUE</utmsouth>");
  EXPECT_EQ(lines[9], "<ellipsoid>gelClrk66</ellipsoid>");
  calib.UTMZone = -1;
  lines = CalBlockLines(false, "z", calib, cmUTM, cbfTextFile);
  EXPECT_EQ(lines[7], "<ellipsoid>gelClrk66</ellipsoid>");
}

TEST(CalibBlockWriter, StreamFormAlwaysHasDeclarationResolutionAndQuadList) {
  TCalibData calib = AlpsCalibration();
  calib.Resolution = 0;
  calib.NumCalQuads = 0;
  const auto lines = CalBlockLines(false, "s", calib, cmEquiRect, cbfStream);
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], "<?xml version=\"1.0\"?>");
  EXPECT_EQ(lines[7], "<resolution>0.000</resolution>");
  EXPECT_EQ(lines[9], "<calquads npoints=\"0\">");
  EXPECT_EQ(lines[10], "");
  EXPECT_EQ(lines[11], "</calquads>");
}

TEST(CalibBlockWriter, WritesGraticuleLinesWithGeneralNumberForm) {
  const auto lines = CalBlockLines(false, "g", GraticuleCalibration(), cmParabolicIp, cbfTextFile);
  EXPECT_EQ(lines[7], "<calline type=\"parallel\" value=\"47.5\" npoints=\"3\">");
  EXPECT_EQ(lines[8], "[10,100] [500,110] [990,100] ");
  EXPECT_EQ(lines[9], "</calline>");
  EXPECT_EQ(lines[13], "<calline type=\"meridian\" value=\"-0.25\" npoints=\"3\">");
}

TEST(CalibBlockWriter, CountsOutsideTheRecordNeverReadBeyondIt) {
  TCalibData calib = GraticuleCalibration();
  calib.NumCalLines = 1000;
  calib.CalLines[1].NumPoints = 99;
  calib.NumCalQuads = 1000;
  const auto lines = CalBlockLines(false, "x", calib, cmParabolicIp, cbfTextFile);
  // 25 lines of three rows each, the quadruple list clamped to 200 items.
  EXPECT_EQ(lines.size(), 7u + 25u * 3u + 3u + 1u);
  EXPECT_EQ(lines[7 + 75], "<calquads npoints=\"200\">");
}

class CalibRoundTrip : public ::testing::TestWithParam<TCalibModel> {};

TEST_P(CalibRoundTrip, FileAndStreamGiveTheSameRecordAndModel) {
  const TCalibModel model = GetParam();
  const TCalibData written = model == cmParabolicIp ? GraticuleCalibration() : AlpsCalibration();
  TTempDir dir;
  const std::string file = WriteBlocks(dir, "rt.xml", {{"RT", written}}, model);

  TCalibData fromFile;
  TCalibModel fileModel = cmUndefined;
  ASSERT_TRUE(ParseCalibData(file, "rt", fromFile, fileModel));
  EXPECT_EQ(fileModel, model);
  EXPECT_EQ(fromFile, written);

  TMemoryStream s;
  s.LoadFromFile(file);
  TCalibData fromStream;
  TCalibModel streamModel = cmUndefined;
  ASSERT_TRUE(ParseCalibData(&s, "RT", fromStream, streamModel));
  EXPECT_EQ(streamModel, model);
  EXPECT_EQ(fromStream, written);
}

INSTANTIATE_TEST_SUITE_P(EveryModel, CalibRoundTrip,
                         ::testing::Values(cmParabolicIp, cmBiquadraticPn, cmConicConformal, cmMillerCylindrical,
                                           cmEquiRect, cmUTM, cmUndefined));

TEST(ParseCalibData, FindsBlocksByIdentifierInAnyCase) {
  TCalibData a = AlpsCalibration(), b = AlpsCalibration(), c = AlpsCalibration();
  a.Caption = "first";
  b.Caption = "second";
  c.Caption = "third";
  TTempDir dir;
  const std::string file = WriteBlocks(dir, "abc.xml", {{"a", a}, {"b", b}, {"c", c}}, cmEquiRect);
  TCalibData got;
  TCalibModel model;
  ASSERT_TRUE(ParseCalibData(file, "B", got, model));
  EXPECT_EQ(got.Caption, "second");
  ASSERT_TRUE(ParseCalibData(file, "", got, model));
  EXPECT_EQ(got.Caption, "first");
  EXPECT_FALSE(ParseCalibData(file, "d", got, model));
  EXPECT_FALSE(ParseCalibData(dir.File("missing.xml"), "", got, model));
  EXPECT_FALSE(ParseCalibData(static_cast<TStream*>(nullptr), "", got, model));
}

TEST(ParseCalibData, ReadsWhatTheWriterNeverWrites) {
  TTempDir dir;
  const std::string file = dir.Write("hand.xml",
                                     "<GEOMAP caption=\" Mixed Case \" id=\"H\" MAP=\"D:\\Maps\\Alps.JPG\" sig=\"vuviRIDER\">\n"
                                     "<ellipsoid>gelNoSuch</ellipsoid>\n"
                                     "<calline type=\"Parallel\" value=\"47,5\" npoints=\"2\">[1,2] [3,4]</calline>\n"
                                     "<resolution>1,5E2</resolution>\n"
                                     "<utmsouth> True </utmsouth>\n"
                                     "</geomap>\n");
  TCalibData got;
  got.Resolution = 7;
  got.Ellipsoid = gelClrk66;
  got.NumCalQuads = 5;
  TCalibModel model = cmUTM;
  ASSERT_TRUE(ParseCalibData(file, "h", got, model));
  EXPECT_EQ(model, cmBiquadraticPn); // no model attribute
  EXPECT_EQ(got.MapFName, "d:\\maps\\alps.jpg");
  EXPECT_EQ(got.Caption, "Mixed Case");
  EXPECT_EQ(got.Ellipsoid, gelWGS84);
  ASSERT_EQ(got.NumCalLines, 1); // short lines stay in the parsed record
  EXPECT_EQ(got.CalLines[1].LineType, gtlParallel);
  EXPECT_DOUBLE_EQ(got.CalLines[1].LineValue, 47.5);
  EXPECT_EQ(got.CalLines[1].NumPoints, 2);
  EXPECT_EQ(got.CalLines[1].CalPoints[2], (TPoint{3, 4}));
  EXPECT_DOUBLE_EQ(got.Resolution, 150);
  EXPECT_TRUE(got.UTMSouth);
  EXPECT_EQ(got.NumCalQuads, 5); // untouched: only the line count is reset
}

TEST(ParseCalibData, UnknownModelNameGivesUndefined) {
  TTempDir dir;
  const std::string file = dir.Write("m.xml", "<geomap sig=\"VUVIRider\" model=\" EquiRect \">\n</geomap>\n");
  TCalibData got;
  TCalibModel model = cmUTM;
  ASSERT_TRUE(ParseCalibData(file, "", got, model));
  EXPECT_EQ(model, cmEquiRect);
  dir.Write("m.xml", "<geomap sig=\"VUVIRider\" model=\"mercator\">\n</geomap>\n");
  ASSERT_TRUE(ParseCalibData(file, "", got, model));
  EXPECT_EQ(model, cmUndefined);
}

TEST(ParseCalibData, RaisesWithItsOwnNameOnInconsistentContent) {
  struct Case {
    const char* Element;
    const char* Message;
  };
  const Case cases[] = {
      {"<calline type=\"Diagonal\" value=\"1\" npoints=\"0\"></calline>",
       "ParseCalibData: invalid type of graticule line: type=\"diagonal\""},
      {"<calline type=\"meridian\" value=\"1\" npoints=\"4\">[1,2] [3,4] [5,6]</calline>",
       "ParseCalibData: specified number of calibration points and actual number does not match"},
      {"<calquads npoints=\"2\">[1.0,2.0,3,4] </calquads>",
       "ParseCalibData: specified number of calibration points and actual number does not match"},
  };
  TTempDir dir;
  for (const Case& c : cases) {
    const std::string file =
        dir.Write("bad.xml", std::string("<geomap sig=\"VUVIRider\">\n") + c.Element + "\n</geomap>\n");
    TCalibData got;
    TCalibModel model;
    try {
      ParseCalibData(file, "", got, model);
      ADD_FAILURE() << "no error for " << c.Element;
    } catch (const EZYNGeoMapError& e) {
      EXPECT_STREQ(e.what(), c.Message);
    }
  }
}

TEST(ParseCalibData, ItemsBeyondTheCapacitiesAreIgnored) {
  std::string block = "<geomap sig=\"VUVIRider\">\n<corners>";
  for (int k = 0; k < 6; ++k) block += "[" + std::to_string(k) + "," + std::to_string(10 + k) + "] ";
  block += "</corners>\n";
  for (int l = 0; l < 30; ++l) {
    block += "<calline type=\"meridian\" value=\"" + std::to_string(l) + "\" npoints=\"12\">";
    for (int p = 0; p < 12; ++p) block += "[" + std::to_string(p) + ",1] ";
    block += "</calline>\n";
  }
  block += "<calquads npoints=\"250\">";
  for (int q = 0; q < 250; ++q) block += "[1.0,2.0," + std::to_string(q) + ",4] ";
  block += "</calquads>\n</geomap>\n";
  TTempDir dir;
  const std::string file = dir.Write("big.xml", block);
  TCalibData got;
  TCalibModel model;
  ASSERT_TRUE(ParseCalibData(file, "", got, model));
  EXPECT_EQ(got.Corners[gcoTopRight], (TCoords{3, 13}));
  EXPECT_EQ(got.NumCalLines, MaxCalLines);
  EXPECT_DOUBLE_EQ(got.CalLines[MaxCalLines].LineValue, 24);
  EXPECT_EQ(got.CalLines[1].NumPoints, MaxCalLinePoints);
  EXPECT_EQ(got.NumCalQuads, MaxCalQuads);
  EXPECT_EQ(got.CalQuads[MaxCalQuads].MapX, 199);
}

} // namespace
} // namespace zyn
