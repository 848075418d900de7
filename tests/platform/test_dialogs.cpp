// Dialogs answered by the test responder: what was asked and what comes back.
#include <gtest/gtest.h>

#include "platform/dialogs.h"

using namespace platform;

namespace {

TEST(Dialogs, MessageBoxIsRecordedAndAnsweredInOrder) {
  ScriptedDialogs dialogs;
  dialogs.Answer(vbNo);
  dialogs.Answer(vbYes);
  EXPECT_EQ(MsgBox("削除しますか？", vbYesNo + vbQuestion + vbDefaultButton2, "削除"), vbNo);
  EXPECT_EQ(MsgBox("path\r\nこのファイル名は適合しません。", vbYesNoCancel + vbExclamation,
                   "ファイルを開く"),
            vbYes);
  ASSERT_EQ(dialogs.Calls().size(), 2u);
  const DialogCall& first = dialogs.Calls()[0];
  EXPECT_EQ(first.kind, DialogKind::kMsgBox);
  EXPECT_EQ(first.title, "削除");
  EXPECT_EQ(first.text, "削除しますか？");
  EXPECT_EQ(first.buttons, vbYesNo);
  EXPECT_EQ(first.icon, vbQuestion);
  EXPECT_EQ(first.defaultButton, 2);
  EXPECT_EQ(dialogs.Calls()[1].icon, vbExclamation);
  EXPECT_EQ(dialogs.Calls()[1].buttons, vbYesNoCancel);
}

TEST(Dialogs, EmptyTitleShowsTheProgramName) {
  ScriptedDialogs dialogs;
  MsgBox("２５６色以下の環境では使用できません。", vbCritical);
  InputBox("スライド間隔（秒）を設定してください。");
  EXPECT_EQ(dialogs.Calls()[0].title, "スライドショー");
  EXPECT_EQ(dialogs.Calls()[0].icon, vbCritical);
  EXPECT_EQ(dialogs.Calls()[1].title, "スライドショー");
}

struct DefaultCase {
  int flags;
  int answer;
};

class MsgBoxDefaultTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(MsgBoxDefaultTest, UnscriptedBoxTakesItsDefaultButton) {
  ScriptedDialogs dialogs;
  EXPECT_EQ(MsgBox("?", GetParam().flags), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Defaults, MsgBoxDefaultTest,
                         ::testing::Values(DefaultCase{vbOKOnly, vbOK}, DefaultCase{vbYesNo, vbYes},
                                           DefaultCase{vbYesNo + vbDefaultButton2, vbNo},
                                           DefaultCase{vbYesNoCancel + vbDefaultButton3, vbCancel},
                                           DefaultCase{vbOKCancel + vbDefaultButton2, vbCancel},
                                           DefaultCase{vbOKOnly + vbDefaultButton2, vbOK}));

TEST(Dialogs, AnAnswerThatIsNotOneOfTheButtonsIsAScriptError) {
  ScriptedDialogs dialogs;
  dialogs.Answer(vbYes);
  EXPECT_THROW(MsgBox("ok only"), std::logic_error);
}

TEST(Dialogs, InputBoxGivesTextAndCancelGivesEmpty) {
  ScriptedDialogs dialogs;
  dialogs.AnswerText("5秒");
  dialogs.AnswerCancel();
  EXPECT_EQ(InputBox("prompt", "スライド間隔", "3"), "5秒");
  EXPECT_EQ(InputBox("prompt", "スライド間隔", "3"), "");
  EXPECT_EQ(InputBox("prompt", "スライド間隔", "3"), "") << "nothing scripted: Cancel";
  EXPECT_EQ(dialogs.Calls()[0].defaultText, "3");
  EXPECT_EQ(dialogs.Calls()[0].kind, DialogKind::kInputBox);
  EXPECT_EQ(dialogs.Pending(), 0);
}

TEST(Dialogs, FileChoosersRecordTheirFilterAndMayBeCancelled) {
  ScriptedDialogs dialogs;
  dialogs.AnswerText("/tmp/show.kvz");
  dialogs.AnswerCancel();
  auto opened = OpenFileDialog("ファイルを開く", "KVZ (*.kvz)|*.kvz", "last.kvz", "/tmp");
  auto saved = SaveFileDialog("ファイルの保存", "KVZ (*.kvz)|*.kvz");
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(*opened, "/tmp/show.kvz");
  EXPECT_FALSE(saved.has_value());
  const auto calls = dialogs.CallsOf(DialogKind::kOpenFile);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].filter, "KVZ (*.kvz)|*.kvz");
  EXPECT_EQ(calls[0].initialFile, "last.kvz");
  EXPECT_EQ(calls[0].initialDir, "/tmp");
  EXPECT_EQ(dialogs.CallsOf(DialogKind::kSaveFile)[0].title, "ファイルの保存");
}

TEST(Dialogs, ActionRunsWhenTheDialogOpens) {
  ScriptedDialogs dialogs;
  QString seen;
  dialogs.OnNextCall([&](const DialogCall& c) { seen = c.text; });
  MsgBox("hello");
  EXPECT_EQ(seen, "hello");
}

TEST(Dialogs, WithoutAResponderOffscreenNothingBlocks) {
  EXPECT_EQ(MsgBox("x", vbYesNo + vbDefaultButton2), vbNo);
  EXPECT_EQ(InputBox("p"), "");
  EXPECT_FALSE(OpenFileDialog("t", "All|*.*").has_value());
}

TEST(Dialogs, FilterConversion) {
  struct {
    const char* vb;
    const char* qt;
  } cases[] = {
      {"KVZ (*.kvz)|*.kvz", "KVZ (*.kvz) (*.kvz)"},
      {"画像|*.jpg;*.bmp|全て|*.*", "画像 (*.jpg *.bmp);;全て (*.*)"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ToQtFilter(QString::fromUtf8(c.vb)), QString::fromUtf8(c.qt));
}

}  // namespace
