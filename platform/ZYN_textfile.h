#pragma once
/// \file
/// Line-oriented single-byte text files.
///
/// The file holds Windows-1252 text; the line routines speak UTF-8 and
/// convert at the boundary. Lines are written with CR LF; reading accepts
/// CR LF, LF and a lone CR as line ends. Opening comes in two forms: the
/// plain one raises EInOutError with the OS error and the file name, the Try
/// form returns false and keeps the error code in LastError(). Reading or
/// writing in the wrong mode, or on a closed file, raises EInOutError.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ZYN_filehandle.h"

namespace zyn {

class TTextFile {
public:
  TTextFile() = default;
  explicit TTextFile(std::string FileName) : FFileName(std::move(FileName)) {}
  /// Closes the file; write errors at this point are lost (call Close to see them).
  ~TTextFile();
  TTextFile(const TTextFile&) = delete;
  TTextFile& operator=(const TTextFile&) = delete;

  /// Names the file for the next open; closes an open one first.
  void Assign(const std::string& FileName);
  const std::string& FileName() const noexcept { return FFileName; }
  bool IsOpen() const noexcept { return FMode != tmClosed; }
  /// The errno value of the last failed Try operation, 0 after a success.
  int LastError() const noexcept { return FLastError; }

  /// Opens an existing file for reading from its start.
  void Reset();
  bool TryReset() noexcept;
  /// Creates the file or empties an existing one, for writing.
  void Rewrite();
  bool TryRewrite() noexcept;
  /// Opens an existing file for writing at its end.
  void Append();
  bool TryAppend() noexcept;
  /// Writes pending text and closes (nothing when not open).
  void Close();

  /// Reads the rest of the current line, without its line end, as UTF-8.
  /// At the end of the file Line becomes empty and the result is false.
  bool ReadLn(std::string& Line);
  /// True when nothing is left to read.
  bool Eof();
  /// Writes UTF-8 text converted to the code page.
  void Write(std::string_view Text);
  /// Writes UTF-8 text converted to the code page, then CR LF.
  void WriteLn(std::string_view Text = {});
  /// Hands pending text to the OS.
  void Flush();

  /// Byte-level reading for scanners: the code-page byte Ahead bytes past the
  /// position (0..255), or -1 beyond the end. Ahead is at most 15.
  int PeekByte(std::size_t Ahead = 0);
  /// Reads one code-page byte, or -1 at the end.
  int ReadByte();

private:
  enum TMode : std::uint8_t { tmClosed, tmInput, tmOutput };
  bool TryOpen(TFileAccess Access, TMode Mode) noexcept;
  void Open(TFileAccess Access, TMode Mode, const char* What);
  void RequireMode(TMode Mode);
  /// Makes at least Count unread bytes available unless the file ends first.
  bool Fill(std::size_t Count);
  void WritePending();

  std::string FFileName;
  TFileHandle FHandle;
  TMode FMode = tmClosed;
  int FLastError = 0;
  std::vector<char> FBuffer; ///< read-ahead (input) or pending text (output)
  std::size_t FBufPos = 0;   ///< first unread byte of FBuffer (input)
  bool FAtEnd = false;       ///< the OS reported the end of the file
};

} // namespace zyn
