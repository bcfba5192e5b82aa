#include "platform/gui/ZYN_brush.h"
#include "platform/gui/ZYN_pen.h"

namespace zyn {

void TPen::Assign(const TPersistent* Source) {
  if (const auto* p = dynamic_cast<const TPen*>(Source)) {
    FColor = p->FColor;
    FStyle = p->FStyle;
    FMode = p->FMode;
    FWidth = p->FWidth;
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::Assign(const TPersistent* Source) {
  if (const auto* b = dynamic_cast<const TBrush*>(Source)) {
    FColor = b->FColor;
    FStyle = b->FStyle;
    return;
  }
  TPersistent::Assign(Source);
}

} // namespace zyn
