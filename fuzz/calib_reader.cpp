// Feeds arbitrary bytes to the calibration readers: ParseCalibData on a file
// and on a stream, and a map control's stream reader. Only the readers'
// content errors may escape them.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "geomap/ZYN_geomap.h"
#include "geomap/ZYN_xmlcalib.h"

namespace {

const std::string& ScratchFile() {
  static const std::string name = "/tmp/zyn_fuzz_calib_" + std::to_string(::getpid()) + ".xml";
  return name;
}

template <class F>
void ExpectOnlyContentErrors(F&& Read) {
  try {
    Read();
  } catch (const zyn::EZYNGeoMapError&) {
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using namespace zyn;
  // The first byte chooses the identifier asked for, so that matching is exercised too.
  const std::string id = Size > 0 && (Data[0] & 1) ? "b" : "";

  TMemoryStream stream;
  stream.WriteBuffer(Data, static_cast<std::int64_t>(Size));
  stream.SetPosition(0);
  TCalibData calib;
  TCalibModel model = cmUndefined;
  ExpectOnlyContentErrors([&] { ParseCalibData(&stream, id, calib, model); });
  if (model > cmUndefined || calib.NumCalLines < 0 || calib.NumCalLines > MaxCalLines ||
      calib.NumCalQuads < 0 || calib.NumCalQuads > MaxCalQuads || static_cast<std::size_t>(calib.Ellipsoid) >= GeoEllipsoidCount)
    __builtin_trap();

  if (std::FILE* f = std::fopen(ScratchFile().c_str(), "wb")) {
    std::fwrite(Data, 1, Size, f);
    std::fclose(f);
    ExpectOnlyContentErrors([&] { ParseCalibData(ScratchFile(), id, calib, model); });
  }

  TGeoMap map(nullptr);
  // No image files are touched: every request is redirected to nothing.
  map.OnMapImageRequest = [](TComponent*, std::string& name) { name.clear(); };
  stream.SetPosition(0);
  ExpectOnlyContentErrors([&] { map.LoadCalDataFromXML(&stream, id); });
  return 0;
}
