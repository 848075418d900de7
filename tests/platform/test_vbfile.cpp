// Text files as the program's own files hold them: printed numbers and texts, typed
// and whole-line reads, byte reads, and saves that never damage the old file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "platform/cp932.h"
#include "platform/vbfile.h"
#include "tests/support/small_disk.h"

namespace platform {
namespace {

class VbFileTest : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return dir_.path() + '/' + name; }

  QString WriteRaw(const QString& name, const QByteArray& bytes) {
    QFile f(PathOf(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return f.fileName();
  }

  static QByteArray ReadRaw(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
  }

  // Everything in the folder: a failed save must leave no temporary file behind.
  QStringList Entries() const {
    return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  static int ErrorOf(const std::function<void()>& step) {
    try {
      step();
    } catch (const VbError& e) {
      return e.Number();
    }
    return 0;
  }

  QTemporaryDir dir_;
};

TEST_F(VbFileTest, PrintsNumbersWithSignPositionAndTrailingBlank) {
  const struct {
    long long value;
    const char* line;
  } cases[] = {
      {3000, " 3000 \r\n"},   {-30, "-30 \r\n"},       {0, " 0 \r\n"},
      {32767, " 32767 \r\n"}, {-32768, "-32768 \r\n"}, {5000, " 5000 \r\n"},
  };
  for (const auto& c : cases) {
    const QString path = PathOf("n.dat");
    VbFile f(path, FileMode::Output);
    f.PrintNumber(c.value);
    f.Close();
    EXPECT_EQ(ReadRaw(path), QByteArray(c.line)) << c.value;
  }
}

TEST_F(VbFileTest, WritesTextsAsTheyAreInCodePage932) {
  const QString path = PathOf("t.dat");
  VbFile f(path, FileMode::Output);
  f.PrintLine(QString::fromUtf8("V2.1a3567893sp6"));
  f.PrintLine();
  f.PrintLine(QString::fromUtf8("C:\\ソ表\\a b,c.jpg  "));
  f.Print("ab");
  f.Print("c");
  f.PrintLine();
  f.WriteItems({"D:\\x,y", 12, -3, ""});
  f.Close();
  EXPECT_EQ(ReadRaw(path), QByteArray("V2.1a3567893sp6\r\n"
                                      "\r\n"
                                      "C:\\\x83\x5C\x95\x5C\\a b,c.jpg  \r\n"
                                      "abc\r\n"
                                      "\"D:\\x,y\",12,-3,\"\"\r\n"));
}

// Every value form of the settings, slideshow and sound-list files, written one per
// line and read back in order with the read each line gets.
TEST_F(VbFileTest, RoundTripsEveryValueFormOfTheListFiles) {
  enum Kind { Number, WholeLine, Item };
  const QString blanks30(30, ' ');
  const struct {
    Kind kind;
    long long number;
    QString text;
  } cases[] = {
      {WholeLine, 0, "21pic3167893"},
      {WholeLine, 0, QString::fromUtf8("C:\\写真\\ソ表\\表示.kvz")},
      {Number, 3000, {}},
      {Number, -30, {}},
      {Number, 0, {}},
      {Number, 65535, {}},
      {Number, -999, {}},
      {WholeLine, 0, "*.wav"},
      {WholeLine, 0, {}},
      {Item, 0, {}},
      {Item, 0, QString::fromUtf8("D:\\ソフト\\表")},
      {WholeLine, 0, QString::fromUtf8("/home/u/ﾃﾞｰﾀ/a, b.jpg")},
      {WholeLine, 0, "  leading and trailing  "},
      {WholeLine, 0, "480"},
      {Item, 0, "-" + blanks30},
      {Item, 0, "-2024/01/05 10:00" + QString(15, ' ')},
      {Item, 0, "-          2025/12/31 23:59"},
      {Number, 1, {}},
  };
  const QString path = PathOf(QString::fromUtf8("設定.dat"));
  {
    VbFile f(path, FileMode::Output);
    for (const auto& c : cases) {
      if (c.kind == Number)
        f.PrintNumber(c.number);
      else
        f.PrintLine(c.text);
    }
    f.Close();
  }
  VbFile f(path, FileMode::Input);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind == Number ? QString::number(c.number).toStdString() : c.text.toStdString());
    ASSERT_FALSE(f.Eof());
    switch (c.kind) {
      case Number:
        EXPECT_EQ(f.InputLong(), c.number);
        break;
      case WholeLine:
        EXPECT_EQ(f.LineInput(), c.text);
        break;
      case Item:
        EXPECT_EQ(f.InputString(), c.text);
        break;
    }
  }
  EXPECT_TRUE(f.Eof());
}

TEST_F(VbFileTest, SplitsItemsAtCommasAndQuotes) {
  const QString path = WriteRaw("q.dat",
                                "\"a,b\",c\r\n"
                                "  \"x y\" junk , z  \r\n"
                                "D:\\dir,with comma\r\n"
                                "\"unclosed, item\r\n"
                                " 12,-3 , 4\r\n"
                                "\"D:\\x,y\",12\r\n");
  VbFile f(path, FileMode::Input);
  EXPECT_EQ(f.InputString(), "a,b");
  EXPECT_EQ(f.InputString(), "c");
  EXPECT_EQ(f.InputString(), "x y");
  EXPECT_EQ(f.InputString(), "z  ");
  // An unquoted item stops at the comma; the rest of the line is the next item.
  EXPECT_EQ(f.InputString(), "D:\\dir");
  EXPECT_EQ(f.InputString(), "with comma");
  EXPECT_EQ(f.InputString(), "unclosed, item");
  EXPECT_EQ(f.InputNumber(), 12);
  EXPECT_EQ(f.InputNumber(), -3);
  EXPECT_EQ(f.InputNumber(), 4);
  // A Write statement's line reads back item by item.
  EXPECT_EQ(f.InputString(), "D:\\x,y");
  EXPECT_EQ(f.InputNumber(), 12);
  EXPECT_TRUE(f.Eof());
}

TEST_F(VbFileTest, ReadsCrLfLoneLfAndLoneCrLineEnds) {
  const QString path =
      WriteRaw("le.dat", ToCp932(QString::fromUtf8("first\r\n 7 \nソ表\rlast, item\r\n\r\n"
                                                   " -2 \n"
                                                   "no end")));
  VbFile f(path, FileMode::Input);
  EXPECT_EQ(f.LineInput(), "first");
  EXPECT_EQ(f.InputNumber(), 7);
  EXPECT_EQ(f.InputString(), QString::fromUtf8("ソ表"));
  EXPECT_EQ(f.LineInput(), "last, item");
  EXPECT_EQ(f.LineInput(), "");
  EXPECT_EQ(f.InputInteger(), -2);
  EXPECT_FALSE(f.Eof());
  EXPECT_EQ(f.LineInput(), "no end");
  EXPECT_TRUE(f.Eof());
}

TEST_F(VbFileTest, ReadingPastTheEndIsError62) {
  const QString path = WriteRaw("end.dat", "only\r\n");
  VbFile f(path, FileMode::Input);
  EXPECT_EQ(f.LineInput(), "only");
  ASSERT_TRUE(f.Eof());
  EXPECT_EQ(ErrorOf([&] { f.LineInput(); }), kErrInputPastEnd);
  EXPECT_EQ(ErrorOf([&] { f.InputString(); }), kErrInputPastEnd);
  EXPECT_EQ(ErrorOf([&] { f.InputNumber(); }), kErrInputPastEnd);
  EXPECT_EQ(ErrorOf([&] { f.InputChars(1); }), kErrInputPastEnd);

  VbFile empty(WriteRaw("empty.dat", {}), FileMode::Input);
  EXPECT_TRUE(empty.Eof());
  EXPECT_EQ(ErrorOf([&] { empty.InputInteger(); }), kErrInputPastEnd);
}

TEST_F(VbFileTest, NumberItemsLenientAndStrict) {
  const double kMismatch = -1e300;  // marks "strict read throws 13"
  const struct {
    const char* line;
    double lenient;
    double strict;
  } cases[] = {
      {" 3000 ", 3000, 3000}, {"-30 ", -30, -30},    {"", 0, 0},
      {"   ", 0, 0},          {"abc", 0, kMismatch}, {"12abc", 12, kMismatch},
      {"1.5", 1.5, 1.5},      {"-.5", -0.5, -0.5},   {"1E3", 1000, 1000},
      {"2.5D-1", 0.25, 0.25}, {"\" 42 \"", 42, 42},  {"-", 0, kMismatch},
      {"7e", 7, kMismatch},   {"+8", 8, 8},
  };
  QByteArray all;
  for (const auto& c : cases) all += QByteArray(c.line) + "\r\nnext\r\n";
  const QString path = WriteRaw("num.dat", all);
  for (bool strict : {false, true}) {
    VbFile f(path, FileMode::Input);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.line) + (strict ? " strict" : " lenient"));
      const double expected = strict ? c.strict : c.lenient;
      if (expected == kMismatch) {
        EXPECT_EQ(ErrorOf([&] { f.InputNumberStrict(); }), kErrTypeMismatch);
      } else {
        EXPECT_EQ(strict ? f.InputNumberStrict() : f.InputNumber(), expected);
      }
      // The number's line is consumed whole, whatever it held.
      EXPECT_EQ(f.LineInput(), "next");
    }
  }
}

TEST_F(VbFileTest, IntegerAndLongReadsRoundAndCheckRange) {
  const QString path = WriteRaw("int.dat", " 2.5 \r\n 3.5 \r\n 40000 \r\n 40000 \r\n-32768\r\n");
  VbFile f(path, FileMode::Input);
  EXPECT_EQ(f.InputInteger(), 2);
  EXPECT_EQ(f.InputInteger(), 4);
  EXPECT_EQ(ErrorOf([&] { f.InputInteger(); }), kErrOverflow);
  EXPECT_EQ(f.InputLong(), 40000);  // the failed read consumed its item
  EXPECT_EQ(f.InputInteger(), -32768);
}

TEST_F(VbFileTest, InputCharsCountsTwoByteCharactersOnce) {
  const QString path = WriteRaw("c.dat", ToCp932(QString::fromUtf8("ソ表ab\r\nｽ")));
  VbFile f(path, FileMode::Input);
  EXPECT_EQ(f.InputChars(3), QString::fromUtf8("ソ表a"));
  EXPECT_EQ(f.InputChars(4), QString::fromUtf8("b\r\nｽ"));
  EXPECT_TRUE(f.Eof());

  VbFile shortFile(path, FileMode::Input);
  EXPECT_EQ(ErrorOf([&] { shortFile.InputChars(45); }), kErrInputPastEnd);
}

TEST_F(VbFileTest, OpenErrors) {
  WriteRaw("exists.dat", "x");
  QDir(dir_.path()).mkdir("sub");
  const struct {
    QString path;
    FileMode mode;
    int error;
  } cases[] = {
      {PathOf("missing.dat"), FileMode::Input, kErrFileNotFound},
      {PathOf("missing.dat"), FileMode::Binary, kErrFileNotFound},
      {QString(), FileMode::Input, kErrFileNotFound},
      {PathOf("sub"), FileMode::Input, kErrPathFileAccess},
      {PathOf("sub"), FileMode::Output, kErrPathFileAccess},
      {PathOf("nofolder/a.dat"), FileMode::Output, kErrPathNotFound},
      // The "folder" is a file.
      {PathOf("exists.dat/a.dat"), FileMode::Output, kErrPathNotFound},
      {QString(), FileMode::Output, kErrPathFileAccess},
  };
  for (const auto& c : cases) {
    VbFile f;
    EXPECT_EQ(ErrorOf([&] { f.Open(c.path, c.mode); }), c.error) << c.path.toStdString();
    EXPECT_FALSE(f.IsOpen());
  }
  EXPECT_EQ(ReadRaw(PathOf("exists.dat")), "x");
}

TEST_F(VbFileTest, StatementsOfTheWrongModeOrOnAClosedFile) {
  const QString path = WriteRaw("m.dat", "1\r\n");
  VbFile in(path, FileMode::Input);
  EXPECT_EQ(ErrorOf([&] { in.PrintLine("x"); }), kErrBadFileMode);
  EXPECT_EQ(ErrorOf([&] { in.GetBytes(0, 1); }), kErrBadFileMode);
  EXPECT_EQ(ErrorOf([&] { in.Open(path, FileMode::Input); }), kErrFileAlreadyOpen);
  in.Close();
  in.Close();  // closing a closed file does nothing
  EXPECT_EQ(ErrorOf([&] { in.LineInput(); }), kErrBadFileNameOrNumber);

  VbFile out(PathOf("o.dat"), FileMode::Output);
  EXPECT_EQ(ErrorOf([&] { out.LineInput(); }), kErrBadFileMode);
  EXPECT_EQ(ErrorOf([&] { out.Eof(); }), kErrBadFileMode);
}

TEST_F(VbFileTest, OutputReplacesTheFileOnlyOnClose) {
  const QString path = WriteRaw("r.dat", "old contents\r\n");
  VbFile f(path, FileMode::Output);
  f.PrintLine("new");
  EXPECT_EQ(ReadRaw(path), "old contents\r\n");
  f.Close();
  EXPECT_EQ(ReadRaw(path), "new\r\n");
  EXPECT_EQ(Entries(), QStringList{"r.dat"});
}

TEST_F(VbFileTest, AppendAddsAfterTheOldContents) {
  const QString path = WriteRaw("a.txt", "line1\r\nno line end");
  VbFile f(path, FileMode::Append);
  f.PrintLine(QString::fromUtf8("表"));
  f.Close();
  EXPECT_EQ(ReadRaw(path), QByteArray("line1\r\nno line end\x95\x5C\r\n"));

  const QString fresh = PathOf("fresh.txt");
  VbFile g(fresh, FileMode::Append);
  g.PrintLine("x");
  g.Close();
  EXPECT_EQ(ReadRaw(fresh), "x\r\n");
}

TEST_F(VbFileTest, CharacterCodePage932CannotHoldFailsTheSave) {
  const QByteArray old("V2\r\n 1 \r\n");
  const QString path = WriteRaw("s.dat", old);
  for (FileMode mode : {FileMode::Output, FileMode::Append}) {
    VbFile f(path, mode);
    f.PrintLine("ok");
    EXPECT_EQ(ErrorOf([&] { f.PrintLine(QString::fromUtf8("C:\\¥\\a.jpg")); }), kErrInvalidCall);
    // A writer that went on anyway cannot make the cut-off contents the file.
    EXPECT_NE(ErrorOf([&] { f.PrintLine("more"); }), 0);
    EXPECT_EQ(ErrorOf([&] { f.Close(); }), kErrDeviceIo);
    EXPECT_EQ(ReadRaw(path), old);
    EXPECT_EQ(Entries(), QStringList{"s.dat"});
  }
}

TEST_F(VbFileTest, ErrorMidWriteLeavesTheOldFile) {
  const QByteArray old("old\r\n");
  const QString path = WriteRaw("w.dat", old);
  // A writer whose own step fails (an overflow, say) and whose handler discards.
  EXPECT_EQ(ErrorOf([&] {
              VbFile f(path, FileMode::Output);
              f.PrintNumber(1);
              f.PrintNumber(CInt(40000.0));
              f.Close();
            }),
            kErrOverflow);
  EXPECT_EQ(ReadRaw(path), old);

  VbFile g(path, FileMode::Output);
  g.PrintLine("half");
  g.Discard();
  EXPECT_FALSE(g.IsOpen());
  EXPECT_EQ(ReadRaw(path), old);
  EXPECT_EQ(Entries(), QStringList{"w.dat"});
}

// A disk that fills up during the save: the file size limit makes the writes fail.
TEST_F(VbFileTest, DiskErrorDuringSaveLeavesTheOldFile) {
  const QByteArray old("old settings\r\n");
  const QString path = WriteRaw("big.dat", old);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int error = ErrorOf([&] {
    VbFile f(path, FileMode::Output);
    for (int i = 0; i < 2000; ++i) f.PrintLine(QString::fromUtf8("C:\\写真\\slide.jpg"));
    f.Close();
  });
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(error, kErrDeviceIo);
  EXPECT_EQ(ReadRaw(path), old);
  EXPECT_EQ(Entries(), QStringList{"big.dat"});
}

// A real file system that runs full: the writes are buffered, so only the flush sees it.
TEST_F(VbFileTest, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
  test_support::SmallDisk disk(64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
  const QByteArray old("old settings\r\n");
  const QString printed = disk.Path("autstart.dat");
  const QString saved = disk.Path("b.bin");
  for (const QString& path : {printed, saved}) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(old);
  }
  const QByteArray big(40 * 1024, 'y');
  for (const bool full : {false, true}) {
    SCOPED_TRACE(full ? "no space at all" : "space for part of the file");
    if (full) disk.Fill();
    const int error = ErrorOf([&] {
      VbFile f(printed, FileMode::Output);
      for (int i = 0; i < 6000; ++i) f.PrintLine(QString::fromUtf8("C:\\写真\\slide.jpg"));
      f.Close();
    });
    EXPECT_EQ(error, kErrDeviceIo);
    EXPECT_FALSE(SaveFileAtomically(saved, big + big));
    EXPECT_EQ(ReadRaw(printed), old);
    EXPECT_EQ(ReadRaw(saved), old);
    EXPECT_EQ(QDir(disk.Path(".")).entryList(QDir::Files | QDir::Hidden).size(), full ? 3 : 2);
  }
}

TEST_F(VbFileTest, ReadOnlyFolderRefusesTheSave) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  const QByteArray old("old\r\n");
  const QString path = WriteRaw("ro.dat", old);
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
  const int error = ErrorOf([&] { VbFile f(path, FileMode::Output); });
  const bool saved = SaveFileAtomically(path, "new");
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(error, kErrPathFileAccess);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadRaw(path), old);
}

TEST_F(VbFileTest, SaveFileAtomically) {
  const QString path = WriteRaw("b.bin", "old");
  EXPECT_TRUE(SaveFileAtomically(path, QByteArray("\x00\xFFnew", 5)));
  EXPECT_EQ(ReadRaw(path), QByteArray("\x00\xFFnew", 5));
  EXPECT_FALSE(SaveFileAtomically(PathOf("nofolder/b.bin"), "x"));
  EXPECT_FALSE(SaveFileAtomically(PathOf("b.bin/c"), "x"));
  EXPECT_EQ(Entries(), QStringList{"b.bin"});
}

TEST_F(VbFileTest, BinaryReadsBytes) {
  const QString path = WriteRaw("p.jpg", QByteArray("\xFF\xD8\xFF\xE1\x00\x10", 6));
  VbFile f(path, FileMode::Binary);
  EXPECT_EQ(f.Lof(), 6);
  EXPECT_EQ(f.GetBytes(0, 2), QByteArray("\xFF\xD8"));
  EXPECT_EQ(f.GetBytes(4, 10), QByteArray("\x00\x10", 2));
  EXPECT_EQ(f.GetBytes(6, 1), QByteArray());
  EXPECT_EQ(f.GetBytes(1, 1), QByteArray("\xD8"));
  EXPECT_EQ(ErrorOf([&] { f.GetBytes(-1, 1); }), kErrInvalidCall);
  EXPECT_EQ(ErrorOf([&] { f.LineInput(); }), kErrBadFileMode);
}

TEST_F(VbFileTest, LongFileIsReadAcrossBufferRefills) {
  // Items that straddle the reader's chunk boundaries come back whole.
  const QString path = PathOf("long.dat");
  const int n = 30010;
  {
    VbFile f(path, FileMode::Output);
    f.PrintNumber(n);
    for (int i = 0; i < n; ++i) {
      f.PrintLine(QString::fromUtf8("D:\\ソ表\\写真%1.jpg").arg(i));
      f.PrintLine("-" + QString(30, ' '));
    }
    f.Close();
  }
  VbFile f(path, FileMode::Input);
  ASSERT_EQ(f.InputInteger(), n);
  for (int i = 0; i < n; ++i) {
    ASSERT_EQ(f.LineInput(), QString::fromUtf8("D:\\ソ表\\写真%1.jpg").arg(i));
    ASSERT_EQ(f.InputString(), "-" + QString(30, ' '));
  }
  EXPECT_TRUE(f.Eof());
}

// The list files' reads: slices of whole lines decoded at a time come back whole, whatever
// the line ends.
TEST_F(VbFileTest, LongFilesReadBackWholeWhateverTheLineEnds) {
  const QString path = PathOf("long.txt");
  QStringList lines;
  for (int i = 0; i < 3000; ++i)
    lines << QStringLiteral("/写真/フォルダ%1/画像 %2.jpg").arg(i % 7).arg(i)
          << QStringLiteral(" %1 ").arg(i) << QString(i % 40, QLatin1Char(' '));
  for (const char* end : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(QByteArray(end).toHex().constData());
    WriteRaw("long.txt", ToCp932(lines.join(QString::fromLatin1(end)) + QString::fromLatin1(end)));
    VbFile reader(path, FileMode::Input);
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
      EXPECT_EQ(reader.LineInput(), lines[3 * i]);
      EXPECT_EQ(reader.InputInteger(), i);
      EXPECT_EQ(reader.LineInput(), lines[3 * i + 2]);
    }
    EXPECT_TRUE(reader.Eof());
    EXPECT_THROW(reader.LineInput(), VbError);
  }
}

TEST_F(VbFileTest, ItemsAsTheReadStatementsTakeThem) {
  const QString path = WriteRaw(
      "items.txt", "  a b ,c\r\n\"x, y\" rest,z\r\n 12abc \r\n-7 , 8\r\n 2.5 \r\n\r\nlast\r\n");
  VbFile r(path, FileMode::Input);
  EXPECT_EQ(r.InputString(), "a b ");
  EXPECT_EQ(r.InputString(), "c");
  EXPECT_EQ(r.InputString(), "x, y");
  EXPECT_EQ(r.InputString(), "z");
  EXPECT_EQ(r.InputNumber(), 12);
  EXPECT_EQ(r.InputInteger(), -7);
  EXPECT_EQ(r.InputInteger(), 8);
  EXPECT_EQ(r.InputInteger(), 2);  // halves to even
  EXPECT_EQ(r.InputNumber(), 0);   // an empty line
  EXPECT_FALSE(r.Eof());
  EXPECT_THROW(r.InputNumberStrict(), VbError);
  EXPECT_TRUE(r.Eof());
}

}  // namespace
}  // namespace platform
