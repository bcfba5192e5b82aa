#include "platform/gui/ZYN_fontengine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <tuple>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "support/ZYN_rounding.h"

namespace zyn::detail {

namespace {

constexpr std::size_t kMaxGlyphsPerInstance = 8192;
constexpr std::size_t kMaxIdleInstances = 64;
constexpr std::int32_t kDefaultEmPixels = 13; // a font of height 0: about 10 points

std::string AsciiLower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

/// A face file chosen by Fontconfig, and the styles it lacks.
struct TFaceChoice {
  std::string File;
  int Index = 0;
  std::string Family;
  bool Embolden = false;
  bool Oblique = false;
};

std::optional<TFaceChoice> MatchFace(const std::string& Family, bool Bold, bool Italic, bool RequireFamily) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(Family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return std::nullopt;

  std::optional<TFaceChoice> choice;
  FcChar8* file = nullptr;
  FcChar8* family = nullptr;
  bool familyMatches = !RequireFamily;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
    if (AsciiLower(reinterpret_cast<const char*>(family)) == AsciiLower(Family)) familyMatches = true;
  }
  if (familyMatches && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    TFaceChoice c;
    c.File = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &c.Index);
    if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) c.Family = reinterpret_cast<const char*>(family);
    int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    c.Embolden = Bold && weight < FC_WEIGHT_DEMIBOLD;
    c.Oblique = Italic && slant == FC_SLANT_ROMAN;
    choice = std::move(c);
  }
  FcPatternDestroy(match);
  return choice;
}

/// Fontconfig and FreeType, the open faces and the instances in use.
class TFontEngine {
public:
  TFontEngine() {
    FcInit();
    if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
  }
  ~TFontEngine() {
    FInstances.clear();
    for (auto& [key, face] : FFaces)
      if (face) FT_Done_Face(face);
    if (FLibrary) FT_Done_FreeType(FLibrary);
    FcFini(); // releases Fontconfig's configuration, which it otherwise keeps until exit
  }

  std::shared_ptr<const TFontInstance> Acquire(const TLogFont& LogFont) {
    const bool bold = LogFont.lfWeight >= 600, italic = LogFont.lfItalic != 0;
    const TFaceChoice* choice = Resolve(LogFont.lfFaceName, bold, italic);
    FT_Face face = choice ? OpenFace(*choice) : nullptr;
    if (!face) return std::make_shared<const TFontInstance>();
    const std::int32_t em = EmPixels(face, LogFont.lfHeight);
    const auto key = std::make_tuple(static_cast<void*>(face), em, choice->Embolden, choice->Oblique,
                                     LogFont.lfUnderline != 0, LogFont.lfStrikeOut != 0);
    if (auto it = FInstances.find(key); it != FInstances.end()) return it->second;
    DropIdleInstances();
    FT_Size size = nullptr;
    if (FT_New_Size(face, &size) != 0) return std::make_shared<const TFontInstance>();
    FT_Activate_Size(size);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
    TLogFont sized = LogFont;
    sized.lfHeight = -em;
    auto instance = std::make_shared<const TFontInstance>(face, size, choice->Family, sized, choice->Embolden,
                                                          choice->Oblique);
    FInstances.emplace(key, instance);
    return instance;
  }

private:
  using TInstanceKey = std::tuple<void*, std::int32_t, bool, bool, bool, bool>;

  const TFaceChoice* Resolve(const std::string& Name, bool Bold, bool Italic) {
    const auto key = std::make_tuple(AsciiLower(Name), Bold, Italic);
    if (auto it = FChoices.find(key); it != FChoices.end()) return it->second ? &*it->second : nullptr;
    std::optional<TFaceChoice> choice;
    if (!Name.empty()) choice = MatchFace(Name, Bold, Italic, true);
    if (!choice) choice = MatchFace(FallbackFontFamily, Bold, Italic, true);
    if (!choice) choice = MatchFace(FallbackFontFamily, Bold, Italic, false); // any installed face
    auto& slot = FChoices[key];
    slot = std::move(choice);
    return slot ? &*slot : nullptr;
  }

  FT_Face OpenFace(const TFaceChoice& Choice) {
    const auto key = std::make_pair(Choice.File, Choice.Index);
    if (auto it = FFaces.find(key); it != FFaces.end()) return it->second;
    FT_Face face = nullptr;
    if (!FLibrary || FT_New_Face(FLibrary, Choice.File.c_str(), Choice.Index, &face) != 0 || !FT_IS_SCALABLE(face)) {
      if (face) FT_Done_Face(face);
      face = nullptr;
    }
    FFaces[key] = face;
    return face;
  }

  /// Em size in pixels: a negative height is the em, a positive one the cell
  /// (ascent + descent) height.
  static std::int32_t EmPixels(FT_Face Face, std::int32_t Height) {
    std::int64_t em = kDefaultEmPixels;
    if (Height < 0) em = -std::int64_t(Height);
    if (Height > 0) {
      const double cell = static_cast<double>(Face->ascender) - Face->descender;
      em = cell > 0 ? Round(Height * static_cast<double>(Face->units_per_EM) / cell) : Height;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(em, 1, MaxFontPixels));
  }

  void DropIdleInstances() {
    std::size_t idle = 0;
    for (auto& [key, instance] : FInstances) idle += instance.use_count() == 1;
    if (idle < kMaxIdleInstances) return;
    for (auto it = FInstances.begin(); it != FInstances.end();) {
      if (it->second.use_count() == 1) {
        FT_Done_Size(it->second->SizeHandle());
        it = FInstances.erase(it);
      } else {
        ++it;
      }
    }
  }

  FT_Library FLibrary = nullptr;
  std::map<std::tuple<std::string, bool, bool>, std::optional<TFaceChoice>> FChoices;
  std::map<std::pair<std::string, int>, FT_Face> FFaces;
  std::map<TInstanceKey, std::shared_ptr<const TFontInstance>> FInstances;
};

TFontEngine& Engine() {
  static TFontEngine engine;
  return engine;
}

std::int32_t ScaleUp(std::int64_t FontUnits, std::int32_t Em, std::int32_t UnitsPerEm) {
  return static_cast<std::int32_t>((FontUnits * Em + UnitsPerEm - 1) / UnitsPerEm);
}

std::int32_t ScaleRound(double FontUnits, std::int32_t Em, std::int32_t UnitsPerEm) {
  return Round32(FontUnits * Em / UnitsPerEm);
}

} // namespace

TFontInstance::TFontInstance(FT_FaceRec_* Face, FT_SizeRec_* Size, std::string Family, const TLogFont& LogFont,
                             bool Embolden, bool Oblique)
    : FFace(Face), FSize(Size), FFamily(std::move(Family)), FEm(-LogFont.lfHeight),
      FUnderline(LogFont.lfUnderline != 0), FStrikeOut(LogFont.lfStrikeOut != 0), FEmbolden(Embolden),
      FOblique(Oblique) {
  std::fill(std::begin(FAsciiAdvance), std::end(FAsciiAdvance), -1);
  ComputeMetrics();
}

void TFontInstance::ComputeMetrics() {
  const std::int32_t upem = FFace->units_per_EM > 0 ? FFace->units_per_EM : 2048;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
  const bool winMetrics = os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0;
  FAscent = ScaleUp(winMetrics ? os2->usWinAscent : FFace->ascender, FEm, upem);
  FDescent = ScaleUp(winMetrics ? os2->usWinDescent : -std::int64_t(FFace->descender), FEm, upem);
  FUnderlineThickness = std::max(1, ScaleRound(FFace->underline_thickness, FEm, upem));
  FUnderlineOffset = ScaleRound(-FFace->underline_position, FEm, upem) - FUnderlineThickness / 2;
  if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    FStrikeOutThickness = std::max(1, ScaleRound(os2->yStrikeoutSize, FEm, upem));
    FStrikeOutOffset = ScaleRound(os2->yStrikeoutPosition, FEm, upem) + FStrikeOutThickness / 2;
  } else {
    FStrikeOutThickness = FUnderlineThickness;
    FStrikeOutOffset = FAscent / 3 + FStrikeOutThickness / 2;
  }
}

bool TFontInstance::Load(char32_t Ch, std::int32_t Escapement, TGlyphImage* Image, std::int32_t* Advance) const {
  FT_Activate_Size(FSize);
  const FT_UInt index = FT_Get_Char_Index(FFace, Ch);
  if (FT_Load_Glyph(FFace, index, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return false;
  FT_GlyphSlot slot = FFace->glyph;
  if (FEmbolden) FT_GlyphSlot_Embolden(slot);
  if (FOblique) FT_GlyphSlot_Oblique(slot);
  if (Advance) *Advance = static_cast<std::int32_t>((slot->advance.x + 32) >> 6);
  if (!Image) return true;
  if (Escapement != 0 && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    const double a = Escapement * M_PI / 1800.0;
    FT_Matrix m;
    m.xx = static_cast<FT_Fixed>(Round(std::cos(a) * 65536.0));
    m.xy = static_cast<FT_Fixed>(Round(-std::sin(a) * 65536.0));
    m.yx = -m.xy;
    m.yy = m.xx;
    FT_Outline_Transform(&slot->outline, &m);
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
  const FT_Bitmap& bm = slot->bitmap;
  Image->Left = slot->bitmap_left;
  Image->Top = slot->bitmap_top;
  Image->Width = static_cast<std::int32_t>(bm.width);
  Image->Height = static_cast<std::int32_t>(bm.rows);
  Image->Coverage.assign(static_cast<std::size_t>(Image->Width) * Image->Height, 0);
  for (std::int32_t y = 0; y < Image->Height; ++y) {
    const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
    std::uint8_t* dst = Image->Coverage.data() + static_cast<std::size_t>(y) * Image->Width;
    if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
      std::memcpy(dst, src, static_cast<std::size_t>(Image->Width));
    } else if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (std::int32_t x = 0; x < Image->Width; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    }
  }
  return true;
}

std::int32_t TFontInstance::Advance(char32_t Ch) const {
  if (!Valid()) return 0;
  if (Ch < 128 && FAsciiAdvance[Ch] >= 0) return FAsciiAdvance[Ch];
  if (Ch >= 128)
    if (auto it = FAdvances.find(Ch); it != FAdvances.end()) return it->second;
  std::int32_t advance = 0;
  if (!Load(Ch, 0, nullptr, &advance)) advance = 0;
  if (Ch < 128) FAsciiAdvance[Ch] = advance;
  else FAdvances.emplace(Ch, advance);
  return advance;
}

const TGlyphImage& TFontInstance::Glyph(char32_t Ch, std::int32_t Escapement) const {
  static const TGlyphImage kEmpty;
  if (!Valid()) return kEmpty;
  const std::uint64_t key = (std::uint64_t(static_cast<std::uint32_t>(Escapement)) << 32) | Ch;
  if (auto it = FGlyphs.find(key); it != FGlyphs.end()) return it->second;
  if (FGlyphs.size() >= kMaxGlyphsPerInstance) FGlyphs.clear();
  TGlyphImage image;
  if (!Load(Ch, Escapement, &image, nullptr)) image = TGlyphImage{};
  return FGlyphs.emplace(key, std::move(image)).first->second;
}

std::shared_ptr<const TFontInstance> AcquireFontInstance(const TLogFont& LogFont) {
  return Engine().Acquire(LogFont);
}

} // namespace zyn::detail
