// The link-list editor's "開く", "保存" and "配布保存": dialogs, questions, the names saved
// under, cancel, refused and failed files.
#include <QDir>

#include "core/linklist_file.h"
#include "form9_fixture.h"
#include "tests/support/list_files.h"

namespace {

using form9_test::LinkEditorTest;
using platform::DialogKind;
using test_support::ReadBytes;
using test_support::ReadLines;
using test_support::WriteLines;

const QString kFilter = QStringLiteral("ＫＶＺリンクFiles (*.usl)|*.usl|すべてのﾌｧｲﾙ(*.*)|*.*");

TEST_F(LinkEditorTest, SaveWritesTheListAndMakesItTheCurrentFile) {
  const QStringList shows = {"/旅行/春.kvz", "/旅行/夏.kvz", "/作品/展示.kvz"};
  Editor().List1.SetItems(shows);
  core::Paths().DistributionSave = 1;
  dialogs_.AnswerText(PathOf("b"));
  Editor().Command7.DoClick();
  const auto chooser = dialogs_.CallsOf(DialogKind::kSaveFile);
  ASSERT_EQ(chooser.size(), 1u);
  EXPECT_EQ(chooser[0].title, "ＫＶＺリンク　ファイルの保存");
  EXPECT_EQ(chooser[0].filter, kFilter);
  EXPECT_EQ(chooser[0].initialFile, "*.usl");
  EXPECT_EQ(ReadLines(PathOf("b.usl")), QStringList({"1pic3167", PathOf("b.usl"), " 3 "}) + shows);
  EXPECT_EQ(core::Paths().DistributionSave, 0);
  EXPECT_EQ(core::Paths().LinkListFilePath, PathOf("b.usl"));
  EXPECT_EQ(Editor().Caption(), "ＫＶＺリンク - " + PathOf("b.usl"));

  // The next save proposes the current file; a name with its own ending keeps it.
  dialogs_.AnswerText(PathOf("b.txt"));
  Editor().Command7.DoClick();
  EXPECT_EQ(dialogs_.CallsOf(DialogKind::kSaveFile)[1].initialFile, PathOf("b.usl"));
  EXPECT_TRUE(QFile::exists(PathOf("b.txt")));
  EXPECT_EQ(core::Paths().LinkListFilePath, PathOf("b.txt"));
}

TEST_F(LinkEditorTest, SavesRefuseAnEmptyListAndCancelChangesNothing) {
  using Save = void (schedule::Form9::*)();
  for (Save save : {&schedule::Form9::Command7_Click, &schedule::Form9::Command8_Click}) {
    dialogs_.ClearCalls();
    (Editor().*save)();
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, "ＫＶＺリンクリストがないので保存できんません。");
    EXPECT_EQ(dialogs_.Calls()[0].title, "ファイルの保存");
    EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  }

  Editor().List1.SetItems({"/a.kvz"});
  core::Paths().DistributionSave = 1;
  dialogs_.ClearCalls();
  dialogs_.AnswerCancel();
  Editor().Command7_Click();
  dialogs_.Answer(platform::vbNo);  // no distribution copy: no dialog either
  Editor().Command8_Click();
  dialogs_.Answer(platform::vbYes);
  dialogs_.AnswerCancel();
  Editor().Command8_Click();
  EXPECT_EQ(dialogs_.CallsOf(DialogKind::kSaveFile).size(), 2u);
  EXPECT_EQ(core::Paths().DistributionSave, 1);
  EXPECT_TRUE(core::Paths().LinkListFilePath.isEmpty());
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 0);
}

TEST_F(LinkEditorTest, DistributionCopyOpensBesideItsShows) {
  Editor().List1.SetItems({"/shows/x.kvz", "/shows/y.kvz"});
  dialogs_.Answer(platform::vbYes);
  dialogs_.AnswerText(PathOf("dist.usl"));
  Editor().Command8_Click();
  const auto question = dialogs_.CallsOf(DialogKind::kMsgBox);
  ASSERT_EQ(question.size(), 1u);
  EXPECT_EQ(question[0].title, "配布用ＵＳＬファイルの保存");
  EXPECT_TRUE(question[0].text.startsWith("配布用ＵＳＬファイルを作成しますか？\r\n"));
  EXPECT_EQ(dialogs_.CallsOf(DialogKind::kSaveFile)[0].title,
            "ＫＶＺリンク　配布用ＵＳＬファイルの保存");
  EXPECT_EQ(ReadLines(PathOf("dist.usl")),
            QStringList({"1pic3167", "dist.usl", " 2 ", "x.kvz", "y.kvz"}));
  EXPECT_EQ(Entries(), QStringList({"/shows/x.kvz", "/shows/y.kvz"}));
  EXPECT_EQ(core::Paths().DistributionSave, 1);

  // Opened from its folder, the bare names stand in that folder; the old list goes.
  Editor().List1.SetItems({"/other.kvz", "/more.kvz", "/most.kvz"});
  dialogs_.AnswerText(PathOf("dist.usl"));
  Editor().Command6.DoClick();
  const auto chooser = dialogs_.CallsOf(DialogKind::kOpenFile);
  ASSERT_EQ(chooser.size(), 1u);
  EXPECT_EQ(chooser[0].title, "ＫＶＺリンク　ファイルを開く");
  EXPECT_EQ(chooser[0].filter, kFilter);
  EXPECT_EQ(chooser[0].initialFile, "*.usl");
  EXPECT_EQ(Entries(), QStringList({PathOf("x.kvz"), PathOf("y.kvz")}));
  EXPECT_EQ(Editor().Label4.Caption(), "2");
  EXPECT_EQ(core::Paths().OpenedFileFolder, Folder());
  EXPECT_EQ(Editor().Caption(), "ＫＶＺリンク - " + PathOf("dist.usl"));
}

TEST_F(LinkEditorTest, OpenCancelledOrRefusedKeepsTheList) {
  Editor().List1.SetItems({"/a.kvz"});
  core::Paths().OpenedFileFolder = "/before/";
  dialogs_.AnswerCancel();
  Editor().Command6_Click();
  EXPECT_EQ(core::Paths().OpenedFileFolder, "/before/");

  WriteLines(PathOf("bad.usl"), {"not a link list", "x", " 1 ", "/z.kvz"});
  dialogs_.ClearCalls();
  dialogs_.AnswerText(PathOf("bad.usl"));
  Editor().Command6_Click();
  const auto warning = dialogs_.CallsOf(DialogKind::kMsgBox);
  ASSERT_EQ(warning.size(), 1u);
  EXPECT_EQ(warning[0].text, PathOf("bad.usl") + "\r\nこのファイル名は適合しません。");
  EXPECT_EQ(warning[0].title, "ファイルを開く");
  EXPECT_EQ(Entries(), QStringList({"/a.kvz"}));
  EXPECT_EQ(Editor().Label4.Caption(), "1");
}

TEST_F(LinkEditorTest, AFailedSaveKeepsTheOldFile) {
  Editor().List1.SetItems({"/a.kvz"});
  dialogs_.AnswerText(PathOf("keep.usl"));
  Editor().Command7_Click();
  const QByteArray old = ReadBytes(PathOf("keep.usl"));
  // A name the file's code page cannot hold makes the write fail.
  Editor().List1.SetItems({QString::fromUtf8("/\xF0\x9F\x8C\xB8.kvz")});
  dialogs_.ClearCalls();
  dialogs_.AnswerText(PathOf("keep.usl"));
  Editor().Command7_Click();
  const auto warning = dialogs_.CallsOf(DialogKind::kMsgBox);
  ASSERT_EQ(warning.size(), 1u);
  EXPECT_EQ(warning[0].title, "ファイルの保存");
  EXPECT_EQ(ReadBytes(PathOf("keep.usl")), old);
}

// The dialog asked about the typed name; the file gets ".usl" added, so an existing file
// of that name is asked about before it is replaced.
TEST_F(LinkEditorTest, TheFinalNameIsAskedAboutBeforeItIsReplaced) {
  WriteLines(PathOf("b.usl"), {"1pic3167", "old", " 0 "});
  const QByteArray old = ReadBytes(PathOf("b.usl"));
  Editor().List1.SetItems({"/a.kvz"});
  dialogs_.AnswerText(PathOf("b"));
  dialogs_.Answer(platform::vbNo);
  Editor().Command7_Click();
  const auto question = dialogs_.CallsOf(DialogKind::kMsgBox);
  ASSERT_EQ(question.size(), 1u);
  EXPECT_TRUE(question[0].text.startsWith(PathOf("b.usl")));
  EXPECT_EQ(question[0].buttons, platform::vbYesNo);
  EXPECT_EQ(ReadBytes(PathOf("b.usl")), old);
  EXPECT_TRUE(core::Paths().LinkListFilePath.isEmpty());

  dialogs_.AnswerText(PathOf("b"));
  dialogs_.Answer(platform::vbYes);
  Editor().Command7_Click();
  EXPECT_EQ(ReadLines(PathOf("b.usl")).last(), "/a.kvz");
  // A name that gets no ending added is the dialog's own business.
  dialogs_.ClearCalls();
  dialogs_.AnswerText(PathOf("b.usl"));
  Editor().Command7_Click();
  EXPECT_TRUE(dialogs_.CallsOf(DialogKind::kMsgBox).empty());
}

}  // namespace
