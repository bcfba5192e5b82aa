#pragma once
/// \file
/// The platform's exceptions.

#include <stdexcept>
#include <string>

namespace zyn {

/// Root of the platform's own exceptions.
class Exception : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

/// An input/output failure of the file layer: the OS error code (errno) and
/// the file concerned.
class EInOutError : public Exception {
public:
  EInOutError(int errorCode, std::string fileName, const std::string& what);
  /// Builds the message "<what> \"<file>\": <strerror(code)>".
  static EInOutError FromErrno(int errorCode, const std::string& fileName, const std::string& what);
  int ErrorCode() const noexcept { return FErrorCode; }
  const std::string& FileName() const noexcept { return FFileName; }

private:
  int FErrorCode;
  std::string FFileName;
};

/// A conversion the platform cannot make, such as assigning unrelated objects.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

} // namespace zyn
