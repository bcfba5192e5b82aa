#pragma once
/// \file
/// Stream and text-file helpers of the base support library: the tag scanner
/// of the library's XML-like files and single-byte line output.
///
/// The tag scanner reads on from the current position of a text file or
/// stream to the next tag whose name is in a table and returns the tag's
/// index in that table. The table holds entries 0 .. Highest; when the input
/// has no further tag of the table the result is Highest.
///
/// - Tags: "<" name [attributes] ">". The name runs up to a blank, tab, line
///   end, "/" (except as its first character, so "/geomap" is a name) or
///   ">", and is compared with the table without regard to ASCII case.
///   Tags not in the table, "<?...?>" declarations and "<!-- ... -->"
///   comments are skipped.
/// - A tag may span lines. Inside a tag, double quotes enclose values that may
///   hold ">" and "<"; a line end closes an open quote, so an unbalanced
///   quote cannot swallow the rest of the input. A "<" outside quotes before
///   the closing ">" abandons the broken tag and starts a new one there.
/// - AttrText is what stands between the name and the closing ">", with a
///   trailing "/" of a self-closing tag removed, line ends and tabs turned
///   into blanks, and blanks trimmed at both ends.
/// - Content is the text after the tag's ">" up to the next tag (comments are
///   left out of it), so for an element the text between its opening and its
///   closing tag. It may span lines; line ends in it come out as "\n" (CR LF,
///   LF or CR in the input). Blanks, tabs and line ends are trimmed at both
///   ends. The next tag's "<" is not consumed: the following call finds it.
/// - The input is single-byte (Windows-1252); AttrText and Content come back
///   as UTF-8.
/// - At the end of the input, and when the input ends inside a tag, the
///   result is Highest with AttrText and Content empty.
///
/// The stream form leaves the stream positioned just after what it consumed.

#include <string>
#include <string_view>

#include "platform/ZYN_streams.h"
#include "platform/ZYN_textfile.h"

namespace zyn {

/// Next tag of TagNames[0 .. Highest] in an open text file (see above).
int ReadNextTagInTextFile(TTextFile& F, const std::string_view* TagNames, int Highest, std::string& AttrText,
                          std::string& Content);
int ReadNextTagInTextFile(TTextFile& F, const std::string* TagNames, int Highest, std::string& AttrText,
                          std::string& Content);
/// Next tag of TagNames[0 .. Highest] in a stream, from its position (see above).
int ReadNextTagInStream(TStream& S, const std::string_view* TagNames, int Highest, std::string& AttrText,
                        std::string& Content);
int ReadNextTagInStream(TStream& S, const std::string* TagNames, int Highest, std::string& AttrText,
                        std::string& Content);

/// Writes UTF-8 text converted to the single-byte code page, then CR LF, at
/// the stream's position.
void WriteLnStream(TStream& S, std::string_view Text);

} // namespace zyn
