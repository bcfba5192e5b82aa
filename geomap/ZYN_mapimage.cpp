// TGeoMap: loading, taking, saving and renaming its map image.

#include "geomap/ZYN_mapimage.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "geomap/ZYN_geomap.h"
#include "geomap/ZYN_xmltext.h"
#include "platform/gui/ZYN_jpeg.h"
#include "support/ZYN_filesys.h"
#include "support/ZYN_stringl.h"

namespace zyn {

namespace fs = std::filesystem;

namespace {

/// The entry of Dir whose name equals Name without regard to ASCII case; the
/// first in name order when several do, so that the choice is repeatable.
fs::path FindEntryIgnoringCase(const fs::path& Dir, const std::string& Name) {
  const std::string wanted = LowerCaseAscii(Name);
  std::error_code ec;
  fs::path best;
  for (fs::directory_iterator it(Dir.empty() ? fs::path(".") : Dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (LowerCaseAscii(entry) == wanted && (best.empty() || entry < best.filename().string())) best = Dir / entry;
  }
  return best;
}

} // namespace

std::string ResolveFileNameCase(const std::string& FileName) {
  if (FileName.empty()) return {};
  if (FileExists(FileName)) return FileName;
  const fs::path path(FileName);
  fs::path resolved = path.root_path();
  for (const fs::path& part : path.relative_path()) {
    const std::string name = part.string();
    std::error_code ec;
    if (name == "." || name == ".." || fs::exists(resolved / part, ec)) {
      resolved /= part;
      continue;
    }
    fs::path match = FindEntryIgnoringCase(resolved, name);
    if (match.empty()) return {};
    resolved = std::move(match);
  }
  return FileExists(resolved.string()) ? resolved.string() : std::string();
}

namespace {

/// Decodes a JPEG or BMP file; null for any other extension.
std::unique_ptr<TBitmap> LoadMapPicture(const std::string& File, const TProgressEvent& Progress) {
  const std::string ext = LowerCaseAscii(ExtractFileExt(File));
  if (ext == ".jpg" || ext == ".jpeg") {
    TJPEGImage jpeg;
    jpeg.OnProgress = Progress;
    jpeg.LoadFromFile(File);
    auto picture = std::make_unique<TBitmap>();
    picture->Assign(&jpeg);
    return picture;
  }
  if (ext == ".bmp") {
    auto picture = std::make_unique<TBitmap>();
    picture->OnProgress = Progress;
    picture->LoadFromFile(File);
    return picture;
  }
  return nullptr;
}

} // namespace

void TGeoMap::CheckMapImageSize(std::int32_t Width, std::int32_t Height) const {
  if (std::int64_t{Width} * Height > MaxMapImagePixels)
    throw ComponentError("Cannot use map image, maximum of " + std::to_string(MaxMapImagePixels) +
                         " pixels exceeded (size of map is " + std::to_string(Width) + " x " +
                         std::to_string(Height) + ")");
}

void TGeoMap::AdoptMapImage(std::unique_ptr<TBitmap> Picture, const std::string& Name) {
  // The limit is checked before the picture replaces the map image, so that a
  // rejected image leaves the control as it was.
  const TBitmap& candidate = Picture ? *Picture : *GrafBmp;
  CheckMapImageSize(candidate.Width(), candidate.Height());
  if (Picture) GrafBmp->Assign(Picture.get());
  FMapImgName = Name;
  FMapImgWidth = GrafBmp->Width();
  FMapImgHeight = GrafBmp->Height();
  AuxBmp->SetSize(FMapImgWidth, FMapImgHeight);
  FTopLeft = {0, 0};
}

void TGeoMap::SetMapImgName(const std::string& Value) {
  std::string requested = Value;
  if (OnMapImageRequest) OnMapImageRequest(this, requested);
  FCacheMag = 0;
  const std::string file = ResolveFileNameCase(requested);
  if (file.empty()) {
    FMapImgName.clear();
    FMapImgWidth = 0;
    FMapImgHeight = 0;
  } else {
    GrafBmp->OnProgress = OnDataLoading;
    // The name kept is the one asked for, not the one the handler chose.
    AdoptMapImage(LoadMapPicture(file, OnDataLoading), Value);
  }
  Paint();
}

void TGeoMap::SetMapBitMap(const TBitmap& Value) {
  FCacheMag = 0;
  if (&Value == GrafBmp.get()) {
    AdoptMapImage(nullptr, std::string(UnknownMapImgName));
  } else {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(&Value);
    AdoptMapImage(std::move(copy), std::string(UnknownMapImgName));
  }
  Paint();
}

void TGeoMap::SaveMap(const std::string& FileName, const std::string& DataID) {
  FMapImgName = StripPath(StripExtension(FileName)) + ".jpg";
  SaveCalDataAsXML(StripExtension(FileName) + ".xml", DataID);
  TJPEGImage jpeg;
  jpeg.OnProgress = OnDataLoading;
  jpeg.Assign(GrafBmp.get());
  jpeg.SaveToFile(ExtractFilePath(FileName) + FMapImgName);
}

bool TGeoMap::RenameMapImg(const std::string& Name) {
  const std::string reduced = StripExtension(StripPath(ReduceStringToFN83CompliantChars(Name)));
  if (FMapImgName.empty() || reduced.empty() || !FileExists(FMapImgName)) return false;
  const std::string newName = ExtractFilePath(FMapImgName) + reduced + ExtractFileExt(FMapImgName);
  // RenameFile never replaces an existing file; a failed rename keeps the old name.
  if (!RenameFile(FMapImgName, newName)) return false;
  FMapImgName = newName;
  return true;
}

} // namespace zyn
