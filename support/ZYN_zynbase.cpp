#include "support/ZYN_zynbase.h"

namespace zyn {

double ProcStat = 0.0;
std::function<void(double)> MathFeedBackProc;
bool AbortMathProc = false;

} // namespace zyn
