#pragma once
/// \file
/// The geodesy subsystem's exception.

#include "support/ZYN_zynbase.h"

namespace zyn {

/// Raised by the geodesy functions for invalid shape parameters; carries only a message.
class EZYNGeoBasicsError : public EZYNError {
public:
  using EZYNError::EZYNError;
};

} // namespace zyn
