// The map control's images: loading by name, taking bitmaps, saving, renaming
// and generating empty graticule maps.

#include <gtest/gtest.h>

#include <string>

#include "geomap/ZYN_genmap.h"
#include "geomap/ZYN_geomap.h"
#include "geomap/ZYN_mapimage.h"
#include "platform/gui/ZYN_jpeg.h"
#include "support/ZYN_filesys.h"
#include "tests/support/temp_dir.h"

namespace zyn {
namespace {

using namespace zyn::testing;

std::unique_ptr<TGeoMap> NewMap() {
  auto map = std::make_unique<TGeoMap>(nullptr);
  map->SetName("map1");
  return map;
}

std::string WriteBmp(const TTempDir& dir, const std::string& name, int w, int h) {
  TBitmap bmp(w, h);
  bmp.SetPixelFormat(pf4bit);
  const std::string file = dir.File(name);
  bmp.SaveToFile(file);
  return file;
}

std::string WriteJpeg(const TTempDir& dir, const std::string& name, int w, int h) {
  TBitmap bmp(w, h);
  TJPEGImage jpeg;
  jpeg.Assign(&bmp);
  const std::string file = dir.File(name);
  jpeg.SaveToFile(file);
  return file;
}

TEST(MapImage, LimitAllowsExactlyThreeMillionPixels) {
  TTempDir dir;
  auto map = NewMap();
  map->SetMapImgName(WriteBmp(dir, "ok.bmp", 2000, 1500));
  EXPECT_EQ(map->MapImgWidth(), 2000);
  const std::string tooBig = WriteBmp(dir, "big.bmp", 2001, 1500);
  try {
    map->SetMapImgName(tooBig);
    FAIL() << "no error";
  } catch (const EZYNGeoMapError& e) {
    EXPECT_STREQ(e.what(), "Component \"map1\": Cannot use map image, maximum of 3000000 pixels exceeded "
                           "(size of map is 2001 x 1500)");
  }
  // The rejected picture does not replace the map.
  EXPECT_EQ(map->MapImgFile(), dir.File("ok.bmp"));
  EXPECT_EQ(map->MapBitmap().Width(), 2000);
  TBitmap big(2001, 1500);
  EXPECT_THROW(map->SetMapBitMap(big), EZYNGeoMapError);
  EXPECT_EQ(map->MapBitmap().Width(), 2000);
}

TEST(MapImage, RequestHandlerRedirectsWhileTheRequestedNameIsKept) {
  TTempDir dir;
  WriteJpeg(dir, "b.jpg", 120, 80);
  auto map = NewMap();
  std::string asked;
  map->OnMapImageRequest = [&](TComponent*, std::string& name) {
    asked = name;
    name = dir.File("b.jpg");
  };
  map->SetTopLeft({5, 5});
  map->SetMapImgName(dir.File("a.jpg"));
  EXPECT_EQ(asked, dir.File("a.jpg"));
  EXPECT_EQ(map->MapImgFile(), dir.File("a.jpg"));
  EXPECT_EQ(map->MapImgWidth(), 120);
  EXPECT_EQ(map->MapImgHeight(), 80);
  EXPECT_EQ(map->TopLeft(), (TPoint{0, 0}));
}

TEST(MapImage, OtherExtensionsLoadNothingAndMissingFilesEmptyTheName) {
  TTempDir dir;
  auto map = NewMap();
  map->SetMapImgName(WriteBmp(dir, "first.bmp", 150, 100));
  const std::string png = dir.Write("pic.png", "not really a png");
  map->SetMapImgName(png);
  EXPECT_EQ(map->MapImgFile(), png);
  EXPECT_EQ(map->MapImgWidth(), 150);
  map->SetMapImgName(dir.File("gone.jpg"));
  EXPECT_EQ(map->MapImgFile(), "");
  EXPECT_EQ(map->MapImgWidth(), 0);
  EXPECT_EQ(map->MapImgHeight(), 0);
}

TEST(MapImage, CorruptFilesRaiseAndLeaveTheMapAsItWas) {
  TTempDir dir;
  auto map = NewMap();
  const std::string good = WriteBmp(dir, "good.bmp", 150, 100);
  map->SetMapImgName(good);
  const std::string jpeg = WriteJpeg(dir, "cut.jpg", 64, 64);
  dir.Write("cut.jpg", TTempDir::Read(jpeg).substr(0, 40));
  dir.Write("cut.bmp", TTempDir::Read(good).substr(0, 60));
  for (const char* name : {"cut.jpg", "cut.bmp"}) {
    EXPECT_THROW(map->SetMapImgName(dir.File(name)), EInvalidGraphic) << name;
    EXPECT_EQ(map->MapImgFile(), good);
    EXPECT_EQ(map->MapBitmap().Width(), 150);
  }
}

TEST(MapImage, FileNamesMatchWithoutRegardToCase) {
  TTempDir dir;
  WriteBmp(dir, "Alps.BMP", 110, 105);
  auto map = NewMap();
  map->SetMapImgName(dir.File("alps.bmp"));
  EXPECT_EQ(map->MapImgWidth(), 110);
  EXPECT_EQ(ResolveFileNameCase(dir.File("ALPS.bmp")), dir.File("Alps.BMP"));
  EXPECT_EQ(ResolveFileNameCase(dir.File("nothing.bmp")), "");
}

TEST(MapImage, SaveMapWritesJpegAndCalibrationBesideTheName) {
  TTempDir dir;
  auto map = NewMap();
  map->CreateEmptyMapInMemory(40, 5, 50, 15, 1, 2, 200, 150, true);
  map->SaveMap(dir.File("area.tif"), "area");
  EXPECT_EQ(map->MapImgFile(), "area.jpg");
  ASSERT_TRUE(FileExists(dir.File("area.jpg")));
  ASSERT_TRUE(FileExists(dir.File("area.xml")));
  EXPECT_NE(TTempDir::Read(dir.File("area.xml")).find("map=\"area.jpg\""), std::string::npos);
  TJPEGImage back;
  back.LoadFromFile(dir.File("area.jpg"));
  EXPECT_EQ(back.Width(), 200);
}

TEST(MapImage, RenameKeepsDirectoryAndExtensionAndRefusesWhatItCannotDo) {
  TTempDir dir;
  auto map = NewMap();
  TBitmap bmp(120, 120);
  map->SetMapBitMap(bmp);
  EXPECT_EQ(map->MapImgFile(), "$unknown$");
  EXPECT_FALSE(map->RenameMapImg("new"));
  map->SetMapImgName(WriteBmp(dir, "old.bmp", 120, 120));
  WriteBmp(dir, "taken.bmp", 100, 100);
  EXPECT_FALSE(map->RenameMapImg("taken"));  // never replaces another file
  EXPECT_FALSE(map->RenameMapImg(" /// "));  // nothing usable left of the name
  EXPECT_TRUE(map->RenameMapImg("my new name.png"));
  EXPECT_EQ(map->MapImgFile(), dir.File("mynewname.bmp"));
  EXPECT_TRUE(FileExists(dir.File("mynewname.bmp")));
  EXPECT_FALSE(FileExists(dir.File("old.bmp")));
}

TEST(GeneratedMap, InMemoryMapIsNormalisedAndEquirectangular) {
  auto map = NewMap();
  map->CreateEmptyMapInMemory(50, 5, 40, 15, 0, 2, 50, 50, true);
  EXPECT_EQ(map->MapImgFile(), "$unknown$");
  EXPECT_EQ(map->MapImgWidth(), 100);
  EXPECT_EQ(map->MapImgHeight(), 100);
  EXPECT_EQ(map->CalibModel(), cmEquiRect);
  const TCalibData& cd = map->CalibData();
  EXPECT_EQ(cd.MapFName, "$unknown$");
  EXPECT_EQ(cd.Caption, "Map generated by TGeoMap");
  ASSERT_EQ(cd.NumCalQuads, 9);
  EXPECT_EQ(cd.CalQuads[1], (TCalQuad{40, 5, 30, 70}));
  EXPECT_EQ(cd.CalQuads[5], (TCalQuad{45, 10, 50, 50}));
  EXPECT_EQ(cd.CalQuads[9], (TCalQuad{50, 15, 70, 30}));
  bool valid = false;
  EXPECT_NEAR(map->CalcLatitude(50, 30, valid), 50, 1e-9);
  EXPECT_TRUE(valid);
}

TEST(GeneratedMap, WithoutGridThePointsLieOnTheBitmapEdges) {
  auto map = NewMap();
  map->CreateEmptyMapInMemory(0, 0, 10, 20, 1, 1, 201, 101, false);
  const TCalibData& cd = map->CalibData();
  EXPECT_EQ(cd.CalQuads[1], (TCalQuad{0, 0, 0, 101}));
  EXPECT_EQ(cd.CalQuads[5], (TCalQuad{5, 10, 100, 50})); // 100.5 and 50.5 round to even
  EXPECT_EQ(cd.CalQuads[9], (TCalQuad{10, 20, 201, 0}));
  for (int x = 0; x < 201; x += 20) EXPECT_EQ(PixelToColor(map->MapBitmap().ScanLine(30)[x]), clWhite);
}

TEST(GeneratedMap, FileMapIsWrittenLoadedBackAndDrawn) {
  TTempDir dir;
  auto map = NewMap();
  int hookCalls = 0;
  map->CreateAndLoadEmptyMap(dir.File("Gen.Map.dat"), 46, 6, 48, 10, 1, 2, 400, 300,
                             [&](TComponent* sender, TCanvas&, double latLow, double, double latHigh, double,
                                 std::int32_t w, std::int32_t h) {
                               ++hookCalls;
                               EXPECT_EQ(sender, map.get());
                               EXPECT_EQ(latLow, 46);
                               EXPECT_EQ(latHigh, 48);
                               EXPECT_EQ(w, 400);
                               EXPECT_EQ(h, 300);
                             });
  EXPECT_EQ(hookCalls, 1);
  ASSERT_TRUE(FileExists(dir.File("Gen.Map.bmp")));
  ASSERT_TRUE(FileExists(dir.File("Gen.Map.xml")));
  EXPECT_NE(TTempDir::Read(dir.File("Gen.Map.xml")).find("id=\"ZYN_geomap_caldata\" model=\"biquadraticpn\""),
            std::string::npos);
  EXPECT_EQ(map->CalibModel(), cmBiquadraticPn);
  EXPECT_EQ(map->MapImgWidth(), 400); // found although the reader keeps the name in lower case
  const TCalibData& cd = map->CalibData();
  ASSERT_EQ(cd.NumCalQuads, 9);
  EXPECT_EQ(cd.CalQuads[7], (TCalQuad{48, 6, 30, 30}));
  EXPECT_EQ(cd.CalQuads[3], (TCalQuad{46, 10, 370, 270}));
  bool valid = false;
  EXPECT_NEAR(map->CalcLongitude(200, 150, valid), 8, 1e-6);

  TBitmap& bmp = map->MapBitmap();
  auto colour = [&](int x, int y) { return PixelToColor(bmp.ScanLine(y)[x]); };
  EXPECT_EQ(colour(100, 30), clBlack);   // solid frame
  EXPECT_EQ(colour(30, 100), clBlack);
  EXPECT_EQ(colour(26, 26), clBlack);    // dotted frame starts with a dot
  EXPECT_EQ(colour(100, 28), clWhite);   // between the frames
  // The parallel of 47° lies on row 150; its dashes are silver.
  int silver = 0;
  for (int x = 31; x < 370; ++x) silver += colour(x, 150) == clSilver;
  EXPECT_GT(silver, 100);
  // Labels: dark pixels left of the frame's inner edge at the parallel and above the meridian of 8°.
  auto darkIn = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += colour(x, y) == clBlack;
    return n;
  };
  EXPECT_GT(darkIn(36, 140, 90, 160), 5);
  EXPECT_GT(darkIn(170, 5, 230, 24), 5);
  EXPECT_EQ(darkIn(40, 60, 90, 100), 0); // nothing between the parallels
}

TEST(GeneratedMap, LabelFormatFollowsTheStep) {
  EXPECT_EQ(GraticuleLabelFormat(0.05), dgfSeconds);
  EXPECT_EQ(GraticuleLabelFormat(0.5), dgfMinutes);
  EXPECT_EQ(GraticuleLabelFormat(2), dgfDegrees);
  EXPECT_EQ(GraticuleLabel(-47.5, true, 0.5), " 47°30' S ");
  EXPECT_EQ(GraticuleLabel(8, false, 2), " 8° E ");
}

TEST(GeneratedMap, SizesBeyondTheLimitAreRefusedBeforeWriting) {
  TTempDir dir;
  auto map = NewMap();
  EXPECT_THROW(map->CreateAndLoadEmptyMap(dir.File("huge"), 0, 0, 1, 1, 1, 1, 3000, 3000), EZYNGeoMapError);
  EXPECT_FALSE(FileExists(dir.File("huge.bmp")));
  EXPECT_THROW(map->CreateEmptyMapInMemory(0, 0, 1, 1, 1, 1, 3000, 3000, true), EZYNGeoMapError);
}

} // namespace
} // namespace zyn
