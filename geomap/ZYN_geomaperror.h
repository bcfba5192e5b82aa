#pragma once
/// \file
/// The exception class of the map control and its file routines.

#include "support/ZYN_zynbase.h"

namespace zyn {

/// Errors of the map control subsystem; carries only a message text.
class EZYNGeoMapError : public EZYNError {
public:
  using EZYNError::EZYNError;
};

} // namespace zyn
