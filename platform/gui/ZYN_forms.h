#pragma once
/// \file
/// The screen with its cursor table, and the application's message loop.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/gui/ZYN_backend.h"

namespace zyn {

/// A cursor in the screen's table; shared so that windows showing it keep it
/// alive while the table entry is replaced.
using HCURSOR = std::shared_ptr<const TCursorShape>;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;
inline constexpr TCursor crSize = crSizeAll;

/// The screen: the table of cursors by number and the cursor forced over all
/// windows. The standard cursors (crArrow … crSizeAll) are in the table from
/// the start; crNone is an empty picture and crDefault stands for "the
/// window's own cursor", shown as the arrow.
class TScreen {
public:
  TScreen();
  /// The cursor numbered Index; the arrow for numbers not in the table.
  HCURSOR Cursors(TCursor Index) const;
  /// Enters a cursor; nullptr removes an application cursor (standard ones stay).
  void SetCursors(TCursor Index, HCURSOR Cursor);
  /// Whether Index has its own entry.
  bool HasCursor(TCursor Index) const { return FCursors.count(Index) != 0; }
  /// Forced over every window while not crDefault (an hour glass during work).
  TCursor Cursor() const noexcept { return FCursor; }
  void SetCursor(TCursor Value) noexcept { FCursor = Value; }

private:
  std::map<TCursor, HCURSOR> FCursors;
  TCursor FCursor = crDefault;
};

/// The process's screen.
TScreen& Screen();

/// Decodes a Windows cursor file (.cur: monochrome, 4-, 8-, 24- or 32-bit
/// images; the first image is taken). Throws EConvertError on malformed data.
TCursorShape DecodeCursorFile(const std::uint8_t* Data, std::size_t Size);

/// The cursor compiled in as the resource Name of kind RT_CURSOR (a .cur
/// file's bytes); EResNotFound when there is none, EConvertError when malformed.
HCURSOR LoadCursorFromResource(const std::string& Name);

/// The application: runs pending messages of the active backend.
class TApplication {
public:
  /// Delivers the pending messages (input, paint requests) and returns; a
  /// nested loop calls it until its condition changes.
  void ProcessMessages();
};

/// The process's application object.
TApplication& Application();

} // namespace zyn
