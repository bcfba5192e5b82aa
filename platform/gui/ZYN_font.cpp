#include "platform/gui/ZYN_font.h"

#include <cstdlib>

#include "platform/gui/ZYN_fontengine.h"

namespace zyn {

namespace {

/// Number · Numerator / Denominator rounded half away from zero, saturating.
std::int32_t MulDiv(std::int64_t Number, std::int64_t Numerator, std::int64_t Denominator) noexcept {
  const std::int64_t p = Number * Numerator;
  const std::int64_t q = (std::llabs(p) + Denominator / 2) / Denominator;
  const std::int64_t r = p < 0 ? -q : q;
  return static_cast<std::int32_t>(r < INT32_MIN ? INT32_MIN : r > INT32_MAX ? INT32_MAX : r);
}

constexpr std::int32_t kDefaultSize = 8;
constexpr const char* kDefaultName = "MS Sans Serif";

} // namespace

TFont::TFont() {
  FLogFont.lfFaceName = kDefaultName;
  FLogFont.lfHeight = -MulDiv(kDefaultSize, FontPixelsPerInch, 72);
}

TFont::~TFont() = default;
TFont::TFont(const TFont& Other) : TPersistent(), FLogFont(Other.FLogFont), FColor(Other.FColor), FInstance(Other.FInstance) {}
TFont& TFont::operator=(const TFont& Other) {
  FLogFont = Other.FLogFont;
  FColor = Other.FColor;
  FInstance = Other.FInstance;
  return *this;
}

void TFont::Reset(const TLogFont& LogFont) {
  if (!(LogFont.lfFaceName == FLogFont.lfFaceName && LogFont.lfHeight == FLogFont.lfHeight &&
        LogFont.lfWeight == FLogFont.lfWeight && LogFont.lfItalic == FLogFont.lfItalic &&
        LogFont.lfUnderline == FLogFont.lfUnderline && LogFont.lfStrikeOut == FLogFont.lfStrikeOut))
    FInstance.reset();
  FLogFont = LogFont;
}

void TFont::SetName(const std::string& Value) {
  TLogFont lf = FLogFont;
  lf.lfFaceName = Value;
  lf.lfEscapement = lf.lfOrientation = 0;
  Reset(lf);
}

std::int32_t TFont::Size() const noexcept { return -MulDiv(FLogFont.lfHeight, 72, FontPixelsPerInch); }

void TFont::SetSize(std::int32_t Value) { SetHeight(-MulDiv(Value, FontPixelsPerInch, 72)); }

void TFont::SetHeight(std::int32_t Value) {
  TLogFont lf = FLogFont;
  lf.lfHeight = Value;
  lf.lfEscapement = lf.lfOrientation = 0;
  Reset(lf);
}

TFontStyles TFont::Style() const noexcept {
  TFontStyles s;
  if (FLogFont.lfWeight >= 600) s.Include(fsBold);
  if (FLogFont.lfItalic) s.Include(fsItalic);
  if (FLogFont.lfUnderline) s.Include(fsUnderline);
  if (FLogFont.lfStrikeOut) s.Include(fsStrikeOut);
  return s;
}

void TFont::SetStyle(TFontStyles Value) {
  TLogFont lf = FLogFont;
  lf.lfWeight = Value.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = Value.Contains(fsItalic);
  lf.lfUnderline = Value.Contains(fsUnderline);
  lf.lfStrikeOut = Value.Contains(fsStrikeOut);
  lf.lfEscapement = lf.lfOrientation = 0;
  Reset(lf);
}

void TFont::SetHandle(const TFontHandle& Value) { Reset(Value.LogFont); }

void TFont::Assign(const TPersistent* Source) {
  if (const auto* f = dynamic_cast<const TFont*>(Source)) {
    *this = *f;
    return;
  }
  TPersistent::Assign(Source);
}

const detail::TFontInstance& TFont::Instance() const {
  if (!FInstance) FInstance = detail::AcquireFontInstance(FLogFont);
  return *FInstance;
}

bool GetObject(const TFont& Font, TLogFont& LogFont) {
  LogFont = Font.Handle().LogFont;
  return true;
}

TFontHandle CreateFontIndirect(const TLogFont& LogFont) { return {LogFont}; }

} // namespace zyn
