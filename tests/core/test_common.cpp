// The shared routines: numeric reading, paths, file tests, closing what the program
// opened, and the string sort.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <random>
#include <vector>

#include "core/common.h"
#include "core/state.h"
#include "tests/support/files.h"

namespace {

struct NumberCase {
  const char* text;
  double value;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

// --- SafeVal -------------------------------------------------------------------

class SafeValTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SafeValTest, GivesTheNumericValue) {
  EXPECT_DOUBLE_EQ(core::SafeVal(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SafeValTest,
    ::testing::Values(NumberCase{"12abc", 12}, NumberCase{" 1 2", 12}, NumberCase{"", 0},
                      NumberCase{"-5", -5}, NumberCase{"&H10", 16}, NumberCase{"abc", 0},
                      NumberCase{"1,234", 1},  // the standard reading stops at the comma
                      NumberCase{"3.5", 3.5}, NumberCase{"\t-\n2.5e1", -25},
                      // Too large for a double: the digits are rebuilt.
                      NumberCase{"1E400", 1400}, NumberCase{"-2D999x", -2999}));

// The standard reading alone, including where it stops and its radix prefixes.
class StandardValTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(StandardValTest, ReadsTheLongestNumberAtTheStart) {
  EXPECT_DOUBLE_EQ(core::StandardVal(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StandardValTest,
    ::testing::Values(NumberCase{"+7", 7}, NumberCase{"--5", 0}, NumberCase{".5", 0.5},
                      NumberCase{"1.2.3", 1.2}, NumberCase{"1e3", 1000}, NumberCase{"1D2", 100},
                      NumberCase{"2E-1", 0.2}, NumberCase{"1e", 1}, NumberCase{"1e+", 1},
                      NumberCase{"5.2x5", 5.2}, NumberCase{"12-3", 12}, NumberCase{"-", 0},
                      NumberCase{"1E-400", 0}, NumberCase{"&h1f", 31}, NumberCase{"&o17", 15},
                      NumberCase{"&H", 0}, NumberCase{"&X5", 0},
                      // Radix numbers read as 16-bit, then 32-bit signed values.
                      NumberCase{"&HFFFF", -1}, NumberCase{"&H8000", -32768},
                      NumberCase{"&H10000", 65536}, NumberCase{"&HFFFFFFFF", -1},
                      NumberCase{"&HFFFFFF", 16777215}, NumberCase{"１２", 0}));

TEST(StandardVal, OverflowRaisesError6) {
  for (const char* text : {"1E400", "&H100000000", "-9e999"}) {
    try {
      core::StandardVal(text);
      ADD_FAILURE() << text << " did not overflow";
    } catch (const platform::VbError& e) {
      EXPECT_EQ(e.Number(), platform::kErrOverflow) << text;
    }
  }
}

class RebuildTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(RebuildTest, KeepsTheDigitsAndDropsEverythingElse) {
  EXPECT_DOUBLE_EQ(core::RebuildNumberFromDigits(QString::fromUtf8(GetParam().text)),
                   GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, RebuildTest,
                         ::testing::Values(NumberCase{"1,234", 1234}, NumberCase{"5.2x5", 5.25},
                                           NumberCase{"12-3", -123}, NumberCase{"1E400", 1400},
                                           NumberCase{"x", 0}, NumberCase{"0.5", 0.5}));

TEST(SafeVal, TooManyDigitsEvenForTheRebuildRaisesError6) {
  const QString digits = "1E" + QString(400, '9');
  try {
    core::SafeVal(digits);
    ADD_FAILURE() << "no error";
  } catch (const platform::VbError& e) {
    EXPECT_EQ(e.Number(), platform::kErrOverflow);
  }
}

TEST(DigitValue, OnlyTheTenAsciiDigits) {
  for (int d = 0; d <= 9; ++d) EXPECT_EQ(core::DigitValue(QString::number(d)), d);
  for (const QString& other :
       {QString::fromUtf8("５"), QString(), QString("a"), QString("12"), QString(" ")}) {
    EXPECT_EQ(core::DigitValue(other), 99) << other.toStdString();
  }
}

TEST(GetFileNameOfPath, CutsAtTheLastSlash) {
  const std::pair<const char*, const char*> cases[] = {
      {"/a/b.jpg", "b.jpg"},       {"b.jpg", "b.jpg"},      {"/a/", ""}, {"", ""},
      {"C:b.jpg", "C:b.jpg"},  // a colon is an ordinary character
      {"/x:y/c:d.png", "c:d.png"}, {"a\\b.jpg", "a\\b.jpg"}};
  for (const auto& [path, name] : cases) EXPECT_EQ(core::GetFileNameOfPath(path), name) << path;
}

// --- File tests -------------------------------------------------------------------

using FileTestsTest = test_support::TempFolderTest;

TEST_F(FileTestsTest, TestFileReadableNeedsFortyFiveCharacters) {
  const QByteArray kanji("\x88\x9F", 2);  // one double-byte character
  const QByteArray halfKana("\xB1", 1);   // one single-byte character
  struct Case {
    const char* name;
    QByteArray bytes;
    short expected;
  } cases[] = {
      {"header.wav", QByteArray(44, 'R'), 2},
      {"exact.txt", QByteArray(45, 'a'), 1},
      {"longer.txt", QByteArray(1000, 'a'), 1},
      {"empty.txt", QByteArray(), 2},
      // 44 single bytes and a double-byte character: 46 bytes, 45 characters.
      {"kanji_end.txt", QByteArray(44, 'a') + kanji, 1},
      // 45 bytes that hold only 23 characters.
      {"kanji_short.txt", kanji.repeated(22) + "a", 2},
      // The 45th character's trail byte is missing.
      {"cut_kanji.txt", QByteArray(44, 'a') + kanji.left(1), 2},
      {"kana.txt", halfKana.repeated(45), 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::TestFileReadable(Write(c.name, c.bytes)), c.expected) << c.name;

  EXPECT_EQ(core::TestFileReadable(dir_.filePath("missing.wav")), 0);
  EXPECT_EQ(core::TestFileReadable(""), 0);
  EXPECT_EQ(core::TestFileReadable(dir_.path()), 0);  // a folder is no file
}

TEST_F(FileTestsTest, TestFileReadableOfAnUnreadableFileIs2) {
  const QString path = Write("locked.txt", QByteArray(100, 'a'));
  QFile::setPermissions(path, QFileDevice::Permissions());
  QFile probe(path);
  if (probe.open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with rights that read anything";
  EXPECT_EQ(core::TestFileReadable(path), 2);
}

TEST_F(FileTestsTest, IsJpegFileLooksAtTheFirstTwoBytes) {
  EXPECT_TRUE(core::IsJpegFile(Write("a.jpg", QByteArray("\xFF\xD8\xFF\xE0", 4))));
  EXPECT_TRUE(core::IsJpegFile(Write("renamed.png", QByteArray("\xFF\xD8", 2))));
  EXPECT_FALSE(core::IsJpegFile(Write("one.jpg", QByteArray("\xFF", 1))));
  EXPECT_FALSE(core::IsJpegFile(Write("empty.jpg", QByteArray())));
  EXPECT_FALSE(core::IsJpegFile(Write("b.png", QByteArray("\x89PNG\r\n", 6))));
  EXPECT_FALSE(core::IsJpegFile(Write("swapped.jpg", QByteArray("\xD8\xFF", 2))));
}

TEST_F(FileTestsTest, IsJpegFileOfAMissingFileIsFalseAndCreatesNothing) {
  const QString path = dir_.filePath("missing.jpg");
  EXPECT_FALSE(core::IsJpegFile(path));
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(FileTestsTest, IsJpegFileOfAFolderRaisesAnError) {
  try {
    core::IsJpegFile(dir_.path());
    ADD_FAILURE() << "no error";
  } catch (const platform::VbError& e) {
    EXPECT_EQ(e.Number(), platform::kErrPathFileAccess);
  }
}

// --- Closing at exit ----------------------------------------------------------------

class ExitRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override { core::ResetAllState(); }
  void TearDown() override {
    core::SetTextViewerCloser(nullptr);
    core::ResetAllState();
  }
};

TEST_F(ExitRoutinesTest, ForgetSoundRecorderEmptiesThePath) {
  core::Paths().RecordingWavPath = "/p/a.wav";
  core::ForgetSoundRecorder();
  EXPECT_TRUE(core::Paths().RecordingWavPath.isEmpty());
  core::ForgetSoundRecorder();  // nothing to forget
  EXPECT_TRUE(core::Paths().RecordingWavPath.isEmpty());
}

TEST_F(ExitRoutinesTest, CloseTextViewerClosesTheViewerOfAMacroFile) {
  int closed = 0;
  core::SetTextViewerCloser([&] { ++closed; });
  core::Paths().NotepadTextPath = "/p/a.txt";
  core::Paths().NotepadTaskId = 12;
  core::CloseTextViewer();
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(core::Paths().NotepadTextPath.isEmpty());
  EXPECT_EQ(core::Paths().NotepadTaskId, 0);
}

TEST_F(ExitRoutinesTest, CloseTextViewerLeavesAViewerOfAHelpTextOpen) {
  int closed = 0;
  core::SetTextViewerCloser([&] { ++closed; });
  core::Paths().NotepadTaskId = 12;  // a help text: no macro file path
  core::CloseTextViewer();
  EXPECT_EQ(closed, 0);
  EXPECT_EQ(core::Paths().NotepadTaskId, 12);
}

TEST_F(ExitRoutinesTest, CloseTextViewerThatFailsStillForgetsThePath) {
  core::SetTextViewerCloser([] { throw platform::VbError(5, "gone"); });
  core::Paths().NotepadTextPath = "/p/a.txt";
  core::Paths().NotepadTaskId = 12;
  EXPECT_NO_THROW(core::CloseTextViewer());
  EXPECT_TRUE(core::Paths().NotepadTextPath.isEmpty());
  EXPECT_EQ(core::Paths().NotepadTaskId, 12);
}

// --- QuickSortStrings -----------------------------------------------------------------

TEST(QuickSortStrings, ModesCompareByCodesOrWithoutCase) {
  QStringList binary{"b", "A", "a"};
  core::QuickSortStrings(binary, 0, 2, 0);
  EXPECT_EQ(binary, (QStringList{"A", "a", "b"}));

  QStringList text{"b", "A", "a"};
  core::QuickSortStrings(text, 0, 2, 1);
  EXPECT_EQ(text[2], "b");
  EXPECT_EQ(text[0].toLower(), "a");
  EXPECT_EQ(text[1].toLower(), "a");
}

TEST(QuickSortStrings, SortsOnlyTheGivenRangeOfAOneBasedArray) {
  core::ResetAllState();
  auto& paths = core::Lists().SlidePaths;
  const QStringList input{"d", "b", "e", "a", "c"};
  for (int i = 0; i < input.size(); ++i) paths[i + 1] = input[i];
  paths[0] = "z0";
  paths[6] = "0z";
  core::QuickSortStrings(paths, 1, 5, 0);
  EXPECT_EQ(paths[0], "z0");
  EXPECT_EQ(paths[6], "0z");
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(paths[i], QString(QChar('a' + i - 1)));
  core::ResetAllState();
}

TEST(QuickSortStrings, EmptyAndSingleRangesAreLeftAlone) {
  QStringList one{"b", "a"};
  core::QuickSortStrings(one, 1, 1, 0);
  core::QuickSortStrings(one, 1, 0, 0);
  EXPECT_EQ(one, (QStringList{"b", "a"}));
}

// Large lists as the editors hold them: equal keys, sorted, reversed and random input,
// each 30000 entries, must sort correctly without deep recursion or quadratic time.
TEST(QuickSortStrings, ThirtyThousandEntriesOfEveryShape) {
  constexpr int n = 30000;
  std::mt19937 rng(7);
  std::vector<std::pair<const char*, std::vector<QString>>> inputs;
  inputs.push_back({"equal", std::vector<QString>(n, "/pics/same.jpg")});
  std::vector<QString> sorted;
  for (int i = 0; i < n; ++i) sorted.push_back(QString("/pics/%1.jpg").arg(i, 6, 10, QChar('0')));
  inputs.push_back({"sorted", sorted});
  inputs.push_back({"reversed", std::vector<QString>(sorted.rbegin(), sorted.rend())});
  std::vector<QString> random;
  for (int i = 0; i < n; ++i) random.push_back(QString::number(rng() % 500));  // many repeats
  inputs.push_back({"random", random});
  std::vector<QString> twoKeys;
  for (int i = 0; i < n; ++i) twoKeys.push_back(i % 2 ? "B" : "a");
  inputs.push_back({"two keys", twoKeys});

  for (auto& [name, values] : inputs) {
    std::vector<QString> expected = values;
    std::sort(expected.begin(), expected.end());
    core::QuickSortStrings(values, 0, n - 1, 0);
    EXPECT_EQ(values, expected) << name;
  }
}

}  // namespace
