// The map control's calibration files: saving and loading through a control.

#include <gtest/gtest.h>

#include <string>

#include "geomap/ZYN_geomap.h"
#include "geomap/ZYN_xmlcalib.h"
#include "tests/geomap/files/calib_fixtures.h"
#include "tests/support/temp_dir.h"

namespace zyn {
namespace {

using namespace zyn::testing;

std::unique_ptr<TGeoMap> NewMap(const char* name = "map1") {
  auto map = std::make_unique<TGeoMap>(nullptr);
  map->SetName(name);
  return map;
}

/// Corners and resolution are derived values written with 5 and 3 decimals:
/// they come back to within the last written digit.
void ExpectSameCalibration(const TCalibData& got, const TCalibData& want) {
  for (TCorners c : {gcoTopLeft, gcoBottomLeft, gcoBottomRight, gcoTopRight}) {
    EXPECT_NEAR(got.Corners[c].Latit, want.Corners[c].Latit, 5e-6);
    EXPECT_NEAR(got.Corners[c].Longit, want.Corners[c].Longit, 5e-6);
  }
  EXPECT_NEAR(got.Resolution, want.Resolution, 5e-4);
  TCalibData a = got, b = want;
  a.Corners = b.Corners = {};
  a.Resolution = b.Resolution = 0;
  EXPECT_EQ(a, b);
}

class ControlRoundTrip : public ::testing::TestWithParam<TCalibModel> {};

TEST_P(ControlRoundTrip, FileAndStreamGiveTheSameRecordAndModel) {
  const TCalibModel model = GetParam();
  TCalibData calib = model == cmParabolicIp ? GraticuleCalibration() : AlpsCalibration();
  calib.UTMZone = 33;
  calib.UTMSouth = true;
  calib.Ellipsoid = gelClrk66;
  auto saved = NewMap();
  saved->SetCalibData(calib);
  saved->SetCalibModel(model);
  TTempDir dir;
  const std::string file = dir.File("cal.xml");
  saved->SaveCalDataAsXML(file, "Block");
  TMemoryStream stream;
  saved->SaveCalDataAsXML(stream, "Block");

  auto fromFile = NewMap();
  EXPECT_EQ(fromFile->LoadCalDataFromXML(file, "block"), model == cmParabolicIp);
  EXPECT_EQ(fromFile->CalibModel(), model);
  ExpectSameCalibration(fromFile->CalibData(), saved->CalibData());

  stream.SetPosition(0);
  auto fromStream = NewMap();
  EXPECT_EQ(fromStream->LoadCalDataFromXML(&stream, "BLOCK"), model == cmParabolicIp);
  EXPECT_EQ(fromStream->CalibModel(), model);
  ExpectSameCalibration(fromStream->CalibData(), saved->CalibData());
  EXPECT_EQ(fromStream->CalibData().UTMZone, 33);
  EXPECT_TRUE(fromStream->CalibData().UTMSouth);
  EXPECT_EQ(fromStream->CalibData().Ellipsoid, gelClrk66);
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ControlRoundTrip,
                         ::testing::Values(cmParabolicIp, cmBiquadraticPn, cmConicConformal, cmMillerCylindrical,
                                           cmEquiRect, cmUTM));

TEST(ControlCalibReader, DropsShortLinesAndTakesUnknownModelsAsUndefined) {
  TTempDir dir;
  const std::string file = dir.Write(
      "short.xml",
      "<geomap sig=\"VUVIRider\" id=\"s\" model=\"mercator\" map=\"\" caption=\"Short\">\n"
      "<calline type=\"parallel\" value=\"1\" npoints=\"2\">[1,2] [3,4]</calline>\n"
      "<calline type=\"meridian\" value=\"2\" npoints=\"3\">[1,2] [3,4] [5,6]</calline>\n"
      "</geomap>\n");
  auto map = NewMap();
  EXPECT_FALSE(map->LoadCalDataFromXML(file, ""));
  EXPECT_EQ(map->CalibModel(), cmUndefined);
  EXPECT_EQ(map->Caption(), "Short");
  ASSERT_EQ(map->CalibData().NumCalLines, 1);
  EXPECT_EQ(map->CalibData().CalLines[1].LineType, gtlMeridian);
  EXPECT_EQ(map->CalibData().UTMZone, -1);
}

TEST(ControlCalibReader, ErrorsCarryTheComponentNameAndKeepWhatWasRead) {
  TTempDir dir;
  const std::string file = dir.Write("bad.xml",
                                     "<geomap sig=\"VUVIRider\" model=\"equirect\">\n"
                                     "<resolution>12.5</resolution>\n"
                                     "<calquads npoints=\"3\">[1.0,2.0,3,4] </calquads>\n"
                                     "</geomap>\n");
  auto map = NewMap("Atlas1");
  try {
    map->LoadCalDataFromXML(file, "");
    FAIL() << "no error";
  } catch (const EZYNGeoMapError& e) {
    EXPECT_STREQ(e.what(), "Component \"Atlas1\": specified number of calibration points and actual number does not match");
  }
  EXPECT_DOUBLE_EQ(map->CalibData().Resolution, 12.5);
  EXPECT_EQ(map->CalibData().NumCalQuads, 1);
}

TEST(ControlCalibReader, MissingFileOrStreamGivesFalseWithoutRaising) {
  TTempDir dir;
  auto map = NewMap();
  EXPECT_FALSE(map->LoadCalDataFromXML(dir.File("none.xml"), ""));
  EXPECT_FALSE(map->LoadCalDataFromXML(static_cast<TStream*>(nullptr), ""));
  EXPECT_THROW(map->SaveCalDataAsXML(dir.File("no/such/dir.xml"), "x"), EInOutError);
}

} // namespace
} // namespace zyn
