#pragma once
/// \file
/// Base support: the library's exception root and the process-wide progress
/// and abort state of long computations.

#include <functional>
#include <stdexcept>
#include <string>

namespace zyn {

/// Root of the library's exception family; carries only a message text (UTF-8).
class EZYNError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

/// Progress counter of the long computation in progress (a calibration fit).
extern double ProcStat;
/// Called, when set, each time a long computation advances ProcStat.
extern std::function<void(double)> MathFeedBackProc;
/// Set to true to ask a long computation to stop at its next step.
extern bool AbortMathProc;

} // namespace zyn
