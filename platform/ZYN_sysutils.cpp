#include "platform/ZYN_sysutils.h"

#include <cstring>

namespace zyn {

EInOutError::EInOutError(int errorCode, std::string fileName, const std::string& what)
    : Exception(what), FErrorCode(errorCode), FFileName(std::move(fileName)) {}

EInOutError EInOutError::FromErrno(int errorCode, const std::string& fileName, const std::string& what) {
  return EInOutError(errorCode, fileName, what + " \"" + fileName + "\": " + std::strerror(errorCode));
}

} // namespace zyn
