#include "support/ZYN_streams.h"

#include <vector>

#include "platform/ZYN_codepage.h"

namespace zyn {

namespace {

/// Byte input with a few bytes of look-ahead, over a text file or a stream.
class TByteSource {
public:
  virtual ~TByteSource() = default;
  /// The byte Ahead bytes past the position, or -1 beyond the end.
  virtual int Peek(std::size_t Ahead) = 0;
  /// Consumes one byte (nothing at the end).
  virtual void Skip() = 0;
  void Skip(std::size_t Count) {
    for (std::size_t i = 0; i < Count; ++i) Skip();
  }
};

class TTextFileSource final : public TByteSource {
public:
  explicit TTextFileSource(TTextFile& F) : FFile(F) {}
  int Peek(std::size_t Ahead) override { return FFile.PeekByte(Ahead); }
  void Skip() override { FFile.ReadByte(); }
  using TByteSource::Skip;

private:
  TTextFile& FFile;
};

/// Reads the stream in chunks; Finish() moves the stream back to just after
/// the bytes actually consumed.
class TStreamSource final : public TByteSource {
public:
  explicit TStreamSource(TStream& S) : FStream(S) {}
  int Peek(std::size_t Ahead) override {
    while (FBuffer.size() - FPos <= Ahead) {
      if (FAtEnd) return -1;
      ReadChunk();
    }
    return static_cast<unsigned char>(FBuffer[FPos + Ahead]);
  }
  void Skip() override {
    if (Peek(0) >= 0) ++FPos;
  }
  using TByteSource::Skip;
  void Finish() {
    const auto unread = static_cast<std::int64_t>(FBuffer.size() - FPos);
    if (unread > 0) FStream.Seek(-unread, soCurrent);
    FBuffer.clear();
    FPos = 0;
  }

private:
  void ReadChunk() {
    constexpr std::int64_t kChunk = 4096;
    FBuffer.erase(FBuffer.begin(), FBuffer.begin() + static_cast<std::ptrdiff_t>(FPos));
    FPos = 0;
    const std::size_t old = FBuffer.size();
    FBuffer.resize(old + kChunk);
    std::int64_t n = 0;
    try {
      n = FStream.Read(FBuffer.data() + old, kChunk);
    } catch (...) {
      FBuffer.resize(old);
      throw;
    }
    FBuffer.resize(old + static_cast<std::size_t>(n > 0 ? n : 0));
    if (n < kChunk) FAtEnd = true;
  }

  TStream& FStream;
  std::vector<char> FBuffer;
  std::size_t FPos = 0;
  bool FAtEnd = false;
};

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

void Trim(std::string& s) {
  std::size_t end = s.size();
  while (end > 0 && IsBlank(static_cast<unsigned char>(s[end - 1]))) --end;
  std::size_t begin = 0;
  while (begin < end && IsBlank(static_cast<unsigned char>(s[begin]))) ++begin;
  s = s.substr(begin, end - begin);
}

bool AtComment(TByteSource& src) {
  return src.Peek(0) == '<' && src.Peek(1) == '!' && src.Peek(2) == '-' && src.Peek(3) == '-';
}

/// Skips "<!--" up to and including "-->", or to the end of the input.
void SkipComment(TByteSource& src) {
  src.Skip(4);
  while (src.Peek(0) >= 0) {
    if (src.Peek(0) == '-' && src.Peek(1) == '-' && src.Peek(2) == '>') {
      src.Skip(3);
      return;
    }
    src.Skip();
  }
}

enum class TTagRead { Complete, Broken, Ended };

/// Consumes a line end (CR LF, LF or CR) at the position.
void SkipLineEnd(TByteSource& src) {
  const int c = src.Peek(0);
  src.Skip();
  if (c == '\r' && src.Peek(0) == '\n') src.Skip();
}

TTagRead ReadTagName(TByteSource& src, std::string& Name) {
  for (;;) {
    const int c = src.Peek(0);
    if (c < 0) return TTagRead::Ended;
    if (c == '<') return TTagRead::Broken;
    if (c == '>' || IsBlank(c) || c == '"' || (c == '/' && !Name.empty())) return TTagRead::Complete;
    Name += static_cast<char>(c);
    src.Skip();
  }
}

/// Reads from after the name to the closing ">" (consumed).
TTagRead ReadTagAttributes(TByteSource& src, std::string& Attr) {
  bool quoted = false;
  for (;;) {
    const int c = src.Peek(0);
    if (c < 0) return TTagRead::Ended;
    if (c == '\r' || c == '\n') {
      quoted = false;
      Attr += ' ';
      SkipLineEnd(src);
      continue;
    }
    if (!quoted && c == '<') return TTagRead::Broken;
    src.Skip();
    if (!quoted && c == '>') break;
    if (c == '"') quoted = !quoted;
    Attr += !quoted && c == '\t' ? ' ' : static_cast<char>(c);
  }
  Trim(Attr);
  if (!Attr.empty() && Attr.back() == '/') {
    Attr.pop_back();
    Trim(Attr);
  }
  return TTagRead::Complete;
}

/// Reads a tag starting at its "<".
TTagRead ReadTag(TByteSource& src, std::string& Name, std::string& Attr) {
  Name.clear();
  Attr.clear();
  src.Skip();
  const TTagRead r = ReadTagName(src, Name);
  return r == TTagRead::Complete ? ReadTagAttributes(src, Attr) : r;
}

/// Reads up to the next tag's "<" (not consumed), leaving comments out.
void ReadContent(TByteSource& src, std::string& Content) {
  for (;;) {
    const int c = src.Peek(0);
    if (c < 0) break;
    if (c == '<') {
      if (!AtComment(src)) break;
      SkipComment(src);
      continue;
    }
    if (c == '\r' || c == '\n') {
      SkipLineEnd(src);
      Content += '\n';
      continue;
    }
    src.Skip();
    Content += static_cast<char>(c);
  }
  Trim(Content);
}

template <class Str>
int IndexOfTag(std::string_view Name, const Str* TagNames, int Highest) {
  for (int i = 0; i <= Highest; ++i)
    if (EqualNoCase(Name, TagNames[i])) return i;
  return -1;
}

template <class Str>
int ScanNextTag(TByteSource& src, const Str* TagNames, int Highest, std::string& AttrText, std::string& Content) {
  AttrText.clear();
  Content.clear();
  if (TagNames == nullptr || Highest < 0) return Highest;
  std::string name;
  std::string attr;
  for (;;) {
    const int c = src.Peek(0);
    if (c < 0) return Highest;
    if (c != '<') {
      src.Skip();
      continue;
    }
    if (AtComment(src)) {
      SkipComment(src);
      continue;
    }
    const TTagRead r = ReadTag(src, name, attr);
    if (r == TTagRead::Ended) return Highest;
    if (r == TTagRead::Broken) continue;
    const int index = IndexOfTag(name, TagNames, Highest);
    if (index < 0) continue;
    std::string content;
    ReadContent(src, content);
    AttrText = AnsiToUtf8(attr);
    Content = AnsiToUtf8(content);
    return index;
  }
}

template <class Str>
int ScanTextFile(TTextFile& F, const Str* TagNames, int Highest, std::string& AttrText, std::string& Content) {
  TTextFileSource src(F);
  return ScanNextTag(src, TagNames, Highest, AttrText, Content);
}

template <class Str>
int ScanStream(TStream& S, const Str* TagNames, int Highest, std::string& AttrText, std::string& Content) {
  TStreamSource src(S);
  const int result = ScanNextTag(src, TagNames, Highest, AttrText, Content);
  src.Finish();
  return result;
}

} // namespace

int ReadNextTagInTextFile(TTextFile& F, const std::string_view* TagNames, int Highest, std::string& AttrText,
                          std::string& Content) {
  return ScanTextFile(F, TagNames, Highest, AttrText, Content);
}

int ReadNextTagInTextFile(TTextFile& F, const std::string* TagNames, int Highest, std::string& AttrText,
                          std::string& Content) {
  return ScanTextFile(F, TagNames, Highest, AttrText, Content);
}

int ReadNextTagInStream(TStream& S, const std::string_view* TagNames, int Highest, std::string& AttrText,
                        std::string& Content) {
  return ScanStream(S, TagNames, Highest, AttrText, Content);
}

int ReadNextTagInStream(TStream& S, const std::string* TagNames, int Highest, std::string& AttrText,
                        std::string& Content) {
  return ScanStream(S, TagNames, Highest, AttrText, Content);
}

void WriteLnStream(TStream& S, std::string_view Text) {
  const std::string line = Utf8ToAnsi(Text) + "\r\n";
  S.WriteBuffer(line.data(), static_cast<std::int64_t>(line.size()));
}

} // namespace zyn
