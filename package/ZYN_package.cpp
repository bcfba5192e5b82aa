#include "package/ZYN_package.h"

namespace zyn {

const char* ZynvandrilVersion() noexcept { return "0.1.0"; }

} // namespace zyn
