// "マクロ生成" from the plot to the picture's macro file: the checks before anything is
// written, the point file, the text shown, writing or appending the macro file, and the
// failures that must keep the generated text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/state.h"
#include "cutout/cutout_generate.h"
#include "platform/clipboard.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"
#include "platform/vbfile.h"

namespace {

using cutout::GenerationEnd;
using platform::DialogKind;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// The cut-out window as the run sees it: a 200 x 100 outline at (100, 50) of slot 5.
class FakeWindow : public cutout::GenerationWindow {
 public:
  int nameChoice = 0;
  int pattern = 6;
  QString picture;
  short plotEdited = 1;
  bool pointFileSaved = true;  // the window's own steps let the run go on
  QString text1;
  bool unloaded = false;

  bool SavePointFile() override {
    if (!pointFileSaved) return false;
    const QString path = picture.left(picture.size() - 4) + QStringLiteral("_Pb05.dat");
    EXPECT_TRUE(platform::SaveFileAtomically(path, "KVZ_PICTYPE_DATA\r\n 100, 50\r\n"));
    return true;
  }
  QString ButtonNumberText() const override { return QStringLiteral("5"); }
  int NameChoice() const override { return nameChoice; }
  int PatternIndex() const override { return pattern; }
  QString PicturePath() const override { return picture; }
  std::array<int, 4> PlotBox() const override { return {100, 50, 300, 150}; }
  void SetPlotEdited(short v) override { plotEdited = v; }
  void ShowText(const QString& t) override { text1 = t; }
  void UnloadWindow() override { unloaded = true; }
};

class GenerateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::ResetAllState();
    core::Paths().AppFolder = dir_.path() + QStringLiteral("/app/");
    QDir().mkpath(dir_.path() + QStringLiteral("/pics"));
    window_.picture = Pics(QStringLiteral("cat.jpg"));
    services_.ScreenSizePx = [] { return std::array<double, 2>{1920, 1080}; };
    services_.SelectedSlidePath = [this] { return window_.picture; };
    services_.CreateMacroFile = [this](const QString& text) {
      createdWith_ = core::Paths().GeneratedMacroText;
      ASSERT_TRUE(platform::SaveFileAtomically(MacroFile(),
                                               "[header]\r\n" + platform::ToCp932(text) + "\r\n"));
    };
    services_.StartSlideFullScreen = [this] { started_ = true; };
  }

  QString Pics(const QString& name) const { return dir_.path() + QStringLiteral("/pics/") + name; }
  QString MacroFile() const { return Pics(QStringLiteral("cat.txt")); }
  QString PointFile() const { return Pics(QStringLiteral("cat_Pb05.dat")); }

  GenerationEnd Run() {
    cutout::DialogQuestions q;
    return cutout::RunMacroGeneration(window_, q, services_);
  }

  QTemporaryDir dir_;
  platform::ScriptedDialogs dialogs_;
  FakeWindow window_;
  cutout::GenerationServices services_;
  QString createdWith_;
  bool started_ = false;
};

TEST_F(GenerateTest, DecliningTheMacroFileKeepsTheTextAndTheWindow) {
  dialogs_.AnswerCancel();
  dialogs_.Answer(platform::vbNo);
  EXPECT_EQ(Run(), GenerationEnd::kTextShown);
  EXPECT_TRUE(window_.text1.startsWith(QStringLiteral("//Pb5:切取画像を右から左へ移動\r\n")));
  EXPECT_EQ(window_.plotEdited, 0);
  EXPECT_FALSE(window_.unloaded);
  EXPECT_FALSE(QFile::exists(MacroFile()));
  const auto boxes = dialogs_.CallsOf(DialogKind::kMsgBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, QStringLiteral("切取マクロ実行"));
  EXPECT_EQ(boxes[0].text,
            QStringLiteral("この画像のテキストマクロに書き込み、画面全体を実行しますか？\r\n"
                           "他画面のテキストに貼付ける場合は「いいえ」を選択し、\r\n"
                           "上の「コピー」をクリックしてテキスト編集で貼付けてください。"));
}

TEST_F(GenerateTest, ANewMacroFileGetsHeaderAndTextThenTheSlideStarts) {
  dialogs_.AnswerCancel();
  dialogs_.Answer(platform::vbYes);
  EXPECT_EQ(Run(), GenerationEnd::kStarted);
  EXPECT_EQ(createdWith_, window_.text1) << "handed over through GeneratedMacroText";
  EXPECT_TRUE(core::Paths().GeneratedMacroText.isEmpty());
  EXPECT_EQ(ReadAll(MacroFile()), "[header]\r\n" + platform::ToCp932(window_.text1) + "\r\n");
  EXPECT_TRUE(window_.unloaded);
  EXPECT_TRUE(started_);
}

TEST_F(GenerateTest, OverwritingReplacesTheOldMacroFile) {
  WriteAll(MacroFile(), "user line\r\n");
  dialogs_.AnswerCancel();
  dialogs_.Answer(platform::vbYes);
  dialogs_.Answer(platform::vbYes);  // overwrite
  EXPECT_EQ(Run(), GenerationEnd::kStarted);
  const auto boxes = dialogs_.CallsOf(DialogKind::kMsgBox);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].title, QStringLiteral("テキスト上書きまたは追加"));
  EXPECT_EQ(
      boxes[1].text,
      QStringLiteral("すでにテキストマクロファイルが存在しますが上書きしますか？\r\n") +
          MacroFile() +
          QStringLiteral("\r\n末尾にマクロを追加する場合は「いいえ」をクリックしてください。"));
  EXPECT_FALSE(ReadAll(MacroFile()).contains("user line"));
}

// Appending after a last line without a line end would join the first generated line to it.
TEST_F(GenerateTest, AppendingKeepsTheUsersLastLineWhole) {
  struct Case {
    QByteArray old;
    QByteArray before;
  } cases[] = {
      {"Sleep=1\r\nTEXT", "Sleep=1\r\nTEXT\r\n"}, {"Sleep=1\r\n", "Sleep=1\r\n"}, {"", ""}};
  for (const Case& c : cases) {
    WriteAll(MacroFile(), c.old);
    window_.unloaded = false;
    started_ = false;
    dialogs_.AnswerCancel();
    dialogs_.Answer(platform::vbYes);
    dialogs_.Answer(platform::vbNo);  // append
    EXPECT_EQ(Run(), GenerationEnd::kStarted);
    EXPECT_EQ(ReadAll(MacroFile()), c.before + platform::ToCp932(window_.text1) + "\r\n");
    EXPECT_TRUE(started_);
  }
}

TEST_F(GenerateTest, AFailedMacroWriteKeepsTheTextAndSaysWhatFailed) {
  // A comment with a character code page 932 cannot hold: neither way can write it.
  window_.pattern = 13;
  for (bool append : {true, false}) {
    if (append)
      WriteAll(MacroFile(), "Sleep=1\r\n");
    else
      QFile::remove(MacroFile());
    window_.unloaded = false;
    dialogs_.ClearCalls();
    dialogs_.Answer(platform::vbYes);  // place on the picture
    dialogs_.AnswerCancel();           // jump
    dialogs_.AnswerText(QStringLiteral("\U0001F600"));
    dialogs_.Answer(platform::vbNo);   // no gradient
    dialogs_.Answer(platform::vbYes);  // into the macro file
    if (append) dialogs_.Answer(platform::vbNo);
    if (!append) services_.CreateMacroFile = [](const QString&) {};  // reports its own failure
    EXPECT_EQ(Run(), GenerationEnd::kMacroWriteFailed);
    EXPECT_TRUE(window_.text1.endsWith(QStringLiteral("\U0001F600\r\n")));
    EXPECT_FALSE(window_.unloaded);
    EXPECT_FALSE(started_);
    const auto boxes = dialogs_.CallsOf(DialogKind::kMsgBox);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().title, QStringLiteral("書き込みエラー"));
    EXPECT_TRUE(boxes.back().text.contains(MacroFile()));
    EXPECT_TRUE(core::Paths().GeneratedMacroText.isEmpty());
    if (append) EXPECT_EQ(ReadAll(MacroFile()), "Sleep=1\r\n") << "old file untouched";
  }
}

TEST_F(GenerateTest, AnOutlineNotSavedEndsTheRunBeforeAnyQuestion) {
  window_.pointFileSaved = false;
  EXPECT_EQ(Run(), GenerationEnd::kStopped);
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_TRUE(window_.text1.isEmpty());
  EXPECT_EQ(window_.plotEdited, 1);
}

// A value beyond 16 bits while the text is built ends the run with the write error.
TEST_F(GenerateTest, AnOverflowEndsWithTheWriteError) {
  services_.ScreenSizePx = [] { return std::array<double, 2>{80000, 1080}; };
  EXPECT_EQ(Run(), GenerationEnd::kWriteError);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text,
            QStringLiteral("切取座標データが保存できません。保存先フォルダを変更してください。"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("書き込みエラー"));
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  EXPECT_TRUE(window_.text1.isEmpty());
}

TEST_F(GenerateTest, LinkedFolderAndBareNames) {
  const QString links = dir_.path() + QStringLiteral("/links");
  QDir().mkpath(links);
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = links;
  window_.nameChoice = 1;
  services_.CreateMacroFile = [&](const QString& text) {
    platform::SaveFileAtomically(links + QStringLiteral("/cat.txt"), platform::ToCp932(text));
  };
  dialogs_.AnswerCancel();
  dialogs_.Answer(platform::vbYes);
  EXPECT_EQ(Run(), GenerationEnd::kStarted);
  EXPECT_TRUE(QFile::exists(links + QStringLiteral("/cat.txt"))) << "the macro file is linked too";
  EXPECT_TRUE(window_.text1.contains(QStringLiteral("PicPBData(5,\"cat_Pb05.dat\")")));
  EXPECT_TRUE(window_.text1.contains(QStringLiteral("PicPB5(0,\"cat.jpg\")")));
}

TEST_F(GenerateTest, CancelledMovieChoiceLeavesTheTextAsItWas) {
  window_.pattern = 15;
  window_.text1 = QStringLiteral("earlier");
  dialogs_.AnswerCancel();
  dialogs_.Answer(platform::vbOK);
  EXPECT_EQ(Run(), GenerationEnd::kStopped);
  EXPECT_EQ(window_.text1, QStringLiteral("earlier"));
  EXPECT_EQ(window_.plotEdited, 1);
  EXPECT_TRUE(QFile::exists(PointFile())) << "the point file written before stays";
}

TEST(CutoutClipboard, CopiesTheTextAsUnicode) {
  cutout::CopyTextToClipboard(QStringLiteral("//Pb5:切取画像\r\nSavePic"));
  EXPECT_EQ(platform::ClipboardText(), QStringLiteral("//Pb5:切取画像\r\nSavePic"));
}

}  // namespace
