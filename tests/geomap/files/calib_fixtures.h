#pragma once
// Calibration records shared by the calibration file tests.

#include <string_view>

#include "geomap/ZYN_calibdata.h"

namespace zyn::testing {

/// The small equirectangular map of the file format's example block.
inline TCalibData AlpsCalibration() {
  TCalibData c;
  c.MapFName = "d:\\maps\\alps.jpg";
  c.Caption = "Alps";
  c.Corners[gcoTopLeft] = {48, 6};
  c.Corners[gcoBottomLeft] = {45, 6};
  c.Corners[gcoBottomRight] = {45, 11};
  c.Corners[gcoTopRight] = {48, 11};
  c.Resolution = 150;
  c.NumCalQuads = 2;
  c.CalQuads[1] = {48, 6, 0, 0};
  c.CalQuads[2] = {45, 11, 1999, 1499};
  return c;
}

/// AlpsCalibration written with the declaration under the identifier "map1".
inline constexpr std::string_view AlpsExampleBytes =
    "<?xml version=\"1.0\"?>\r\n"
    "\r\n"
    "<!-- TGeoMap Calibration / ZYN Component Suite -->\r\n"
    "<geomap sig=\"VUVIRider\" vers=\"1.0\" id=\"map1\" model=\"equirect\" map=\"d:\\maps\\alps.jpg\" "
    "caption=\"Alps\">\r\n"
    "<corners>\r\n"
    "[48.00000,6.00000] [45.00000,6.00000] [45.00000,11.00000] [48.00000,11.00000] \r\n"
    "</corners>\r\n"
    "<resolution>150.000</resolution>\r\n"
    "<ellipsoid>gelWGS84</ellipsoid>\r\n"
    "<calquads npoints=\"2\">\r\n"
    "[48.00000,6.00000,0,0] [45.00000,11.00000,1999,1499] \r\n"
    "</calquads>\r\n"
    "</geomap>\r\n";

/// A parabolic-interpolation calibration of a 1000 x 800 image: two
/// parallels and two meridians traced by three points each.
inline TCalibData GraticuleCalibration() {
  TCalibData c;
  c.MapFName = "grat.bmp";
  c.Caption = "Graticule";
  c.NumCalLines = 4;
  c.CalLines[1] = {gtlParallel, 47.5, 3, {}};
  c.CalLines[1].CalPoints.Items = {{{10, 100}, {500, 110}, {990, 100}}};
  c.CalLines[2] = {gtlParallel, 46.25, 3, {}};
  c.CalLines[2].CalPoints.Items = {{{10, 700}, {500, 712}, {990, 700}}};
  c.CalLines[3] = {gtlMeridian, -0.25, 3, {}};
  c.CalLines[3].CalPoints.Items = {{{100, 10}, {104, 400}, {100, 790}}};
  c.CalLines[4] = {gtlMeridian, 1.125, 3, {}};
  c.CalLines[4].CalPoints.Items = {{{900, 10}, {896, 400}, {900, 790}}};
  return c;
}

} // namespace zyn::testing
