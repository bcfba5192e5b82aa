#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

#include "platform/ZYN_binfile.h"
#include "platform/ZYN_filesystem.h"
#include "platform/ZYN_streams.h"
#include "platform/ZYN_sysutils.h"
#include "platform/ZYN_textfile.h"
#include "tests/support/temp_dir.h"

namespace zyn {
namespace {

using testing::TTempDir;

bool RunningAsRoot() { return ::geteuid() == 0; }

TEST(TextFile, WritesCrLfSingleByteLinesAndReadsEveryLineEnd) {
  TTempDir dir;
  TTextFile f(dir.File("a.txt"));
  f.Rewrite();
  f.WriteLn("Z\xC3\xBCrich");
  f.Write("no end");
  f.Close();
  EXPECT_EQ(TTempDir::Read(dir.File("a.txt")), "Z\xFCrich\r\nno end");
  f.Append();
  f.WriteLn("");
  f.WriteLn("last");
  f.Close();

  TTextFile r(dir.Write("b.txt", "one\r\ntwo\nthree\rfour\r\n\r\nlast"));
  r.Reset();
  std::vector<std::string> lines;
  std::string line;
  while (!r.Eof()) {
    ASSERT_TRUE(r.ReadLn(line));
    lines.push_back(line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));
  EXPECT_FALSE(r.ReadLn(line));
  EXPECT_EQ(line, "");
}

TEST(TextFile, LineEndsSplitAcrossReadChunksCountOnce) {
  TTempDir dir;
  const std::string longLine((1 << 16) - 1, 'a'); // CR is the chunk's last byte, LF the next chunk's first
  TTextFile f(dir.Write("long.txt", longLine + "\r\nb\r\n"));
  f.Reset();
  std::string line;
  ASSERT_TRUE(f.ReadLn(line));
  EXPECT_EQ(line, longLine);
  ASSERT_TRUE(f.ReadLn(line));
  EXPECT_EQ(line, "b");
  EXPECT_TRUE(f.Eof());
}

TEST(TextFile, OpenFailuresAreTestableOrRaiseWithTheFileName) {
  TTempDir dir;
  const std::string missing = dir.File("missing.xml");
  TTextFile f(missing);
  EXPECT_FALSE(f.TryReset());
  EXPECT_EQ(f.LastError(), ENOENT);
  EXPECT_FALSE(f.IsOpen());
  EXPECT_FALSE(f.TryAppend());
  try {
    f.Reset();
    FAIL() << "Reset of a missing file succeeded";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), ENOENT);
    EXPECT_EQ(e.FileName(), missing);
  }
  // A "directory" that is a regular file: creating fails for every user.
  TTextFile under(dir.Write("plain", "x") + "/new.xml");
  EXPECT_FALSE(under.TryRewrite());
  EXPECT_EQ(under.LastError(), ENOTDIR);
  EXPECT_THROW(under.Rewrite(), EInOutError);
  // A directory is not a text file.
  f.Assign(dir.Path().string());
  EXPECT_FALSE(f.TryReset());
  // Wrong direction and closed files raise.
  std::string line;
  EXPECT_THROW(f.ReadLn(line), EInOutError);
  TTextFile w(dir.File("w.txt"));
  w.Rewrite();
  EXPECT_THROW(w.ReadLn(line), EInOutError);
}

TEST(TextFile, CreatingInAReadOnlyDirectoryFails) {
  if (RunningAsRoot()) GTEST_SKIP() << "root ignores directory permissions";
  TTempDir dir;
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  TTextFile f(dir.File("new.xml"));
  EXPECT_FALSE(f.TryRewrite());
  EXPECT_EQ(f.LastError(), EACCES);
  EXPECT_THROW(f.Rewrite(), EInOutError);
  TRecordFile r(dir.File("new.dat"), 8);
  EXPECT_FALSE(r.TryRewrite());
  EXPECT_THROW(TFileStream(dir.File("new.bin"), fmCreate), EInOutError);
}

TEST(RecordFile, SeeksReadsWritesAndTruncatesByRecord) {
  TTempDir dir;
  TRecordFile f(dir.File("recs.dat"), 4);
  f.Rewrite();
  const char data[] = "aaaabbbbccccdddd";
  f.BlockWrite(data, 4);
  EXPECT_EQ(f.FileSize(), 4);
  f.Seek(1);
  char rec[4];
  f.Read(rec);
  EXPECT_EQ(std::string(rec, 4), "bbbb");
  EXPECT_EQ(f.FilePos(), 2);
  f.Seek(0);
  f.Write("zzzz");
  f.Seek(3);
  f.Truncate();
  EXPECT_EQ(f.FileSize(), 3);
  EXPECT_TRUE(f.Eof());
  EXPECT_THROW(f.Read(rec), EInOutError);
  f.Close();
  EXPECT_EQ(TTempDir::Read(dir.File("recs.dat")), "zzzzbbbbcccc");

  // A partial record at the end is not counted and not read.
  TRecordFile g(dir.Write("part.dat", "1234567890"), 4);
  g.Reset(fmOpenRead);
  char buf[12];
  EXPECT_EQ(g.FileSize(), 2);
  EXPECT_EQ(g.BlockRead(buf, 3), 2);
  EXPECT_TRUE(g.Eof());
  EXPECT_THROW(g.Write("xxxx"), EInOutError); // opened read-only
}

TEST(RecordFile, FileModeGuardRestoresTheModeOnEveryPath) {
  TTempDir dir;
  const std::string name = dir.Write("ro.dat", "abcd");
  ASSERT_EQ(FileMode, fmOpenReadWrite);
  {
    TFileModeGuard guard(fmOpenRead);
    TByteFile f(name);
    f.Reset();
    EXPECT_THROW(f.Write("x"), EInOutError);
  }
  EXPECT_EQ(FileMode, fmOpenReadWrite);
  try {
    TFileModeGuard guard(fmOpenRead);
    TByteFile missing(dir.File("none"));
    missing.Reset();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), ENOENT);
  }
  EXPECT_EQ(FileMode, fmOpenReadWrite);
  TByteFile f(name);
  EXPECT_TRUE(f.TryReset());
  f.Seek(4);
  f.Write("e");
  f.Close();
  EXPECT_EQ(TTempDir::Read(name), "abcde");
  EXPECT_FALSE(TByteFile(dir.File("none")).TryReset());
}

TEST(FileSystem, ReportsExistenceSizeAgeAndRenamesWithoutReplacing) {
  TTempDir dir;
  const std::string a = dir.Write("a.jpg", "12345");
  const std::string b = dir.Write("b.jpg", "x");
  EXPECT_TRUE(FileExists(a));
  EXPECT_FALSE(FileExists(dir.Path().string()));
  EXPECT_TRUE(DirectoryExists(dir.Path().string()));
  EXPECT_EQ(FileSize(a), 5);
  EXPECT_EQ(FileSize(dir.File("none")), -1);
  TDateTime age = 0;
  ASSERT_TRUE(FileAge(a, age));
  EXPECT_NEAR(age, Now(), 1.0 / 24 / 60); // within a minute
  EXPECT_FALSE(FileAge(dir.File("none"), age));
  EXPECT_FALSE(RenameFile(a, b)); // never replaces
  EXPECT_EQ(TTempDir::Read(b), "x");
  EXPECT_TRUE(RenameFile(a, dir.File("c.jpg")));
  EXPECT_FALSE(FileExists(a));
  EXPECT_FALSE(RenameFile(a, dir.File("d.jpg")));
  EXPECT_TRUE(DeleteFile(b));
  EXPECT_FALSE(DeleteFile(b));
}

TEST(DateTime, EncodesAndDecodesAroundTheEpoch) {
  struct TCase {
    TDateTimeParts Parts;
    TDateTime Value;
  };
  const TCase cases[] = {{{1899, 12, 30, 0, 0, 0, 0}, 0.0},
                         {{1900, 1, 1, 18, 0, 0, 0}, 2.75},
                         {{1899, 12, 29, 6, 0, 0, 0}, -1.25},
                         {{2000, 2, 29, 0, 0, 0, 0}, 36585.0}};
  for (const auto& c : cases) {
    TDateTime v = -99;
    ASSERT_TRUE(TryEncodeDateTime(c.Parts, v));
    EXPECT_DOUBLE_EQ(v, c.Value);
    TDateTimeParts back;
    ASSERT_TRUE(TryDecodeDateTime(v, back));
    EXPECT_EQ(back.Year, c.Parts.Year);
    EXPECT_EQ(back.Day, c.Parts.Day);
    EXPECT_EQ(back.Hour, c.Parts.Hour);
  }
  TDateTime v = 0;
  EXPECT_FALSE(TryEncodeDateTime({2001, 2, 29, 0, 0, 0, 0}, v));
  EXPECT_FALSE(TryEncodeDateTime({2001, 1, 1, 24, 0, 0, 0}, v));
  TDateTimeParts p;
  EXPECT_FALSE(TryDecodeDateTime(NAN, p));
  EXPECT_FALSE(TryDecodeDateTime(1e300, p));
  // 23:59:59.9996 rounds to the next day, never to 60 seconds.
  ASSERT_TRUE(TryDecodeDateTime(1.0 - 0.0004 / 86400, p));
  EXPECT_EQ(p.Day, 31);
  EXPECT_EQ(p.Second, 0);
}

TEST(Streams, FileAndMemoryStreamsShareSeekSizeAndTruncate) {
  TTempDir dir;
  TFileStream fs(dir.File("s.bin"), fmCreate | fmShareDenyWrite);
  TMemoryStream ms;
  for (TStream* s : {static_cast<TStream*>(&fs), static_cast<TStream*>(&ms)}) {
    s->WriteBuffer("abcdef", 6);
    EXPECT_EQ(s->Size(), 6);
    s->SetPosition(2);
    char c[2];
    s->ReadBuffer(c, 2);
    EXPECT_EQ(std::string(c, 2), "cd");
    s->Truncate();
    EXPECT_EQ(s->Size(), 4);
    EXPECT_EQ(s->Read(c, 2), 0);
    EXPECT_THROW(s->ReadBuffer(c, 1), EInOutError);
  }
  TMemoryStream copy;
  EXPECT_EQ(copy.CopyFrom(ms, -1), 4); // a negative count copies everything
  EXPECT_EQ(copy.Size(), 4);
  EXPECT_THROW(TFileStream(dir.File("none"), fmOpenRead), EInOutError);
}

} // namespace
} // namespace zyn
