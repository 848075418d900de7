// The built-in text editor: code page 932 text with CR LF in and out, the question on
// closing with changes, atomic saves and closing by task id.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/texteditor.h"
#include "platform/vberror.h"
#include "tests/support/files.h"

namespace {

using platform::DialogKind;
using platform::ScriptedDialogs;
using test_support::ReadBytes;
using test_support::WriteBytes;

class TextEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.filePath(QStringLiteral("マクロ.txt"));
    WriteBytes(path_, platform::ToCp932(QStringLiteral("FontSize=24\r\n[テキスト]\r\n")));
  }
  void TearDown() override {
    // Close whatever a test left open without asking.
    for (int id : opened_) {
      if (auto* e = platform::FindTextEditor(id)) {
        e->SetText(e->Text());
        dialogs_.Answer(platform::vbNo);
        platform::CloseTextEditor(id);
      }
    }
    platform::DestroyPendingNow();
    platform::DoEvents();
  }
  int Open(const QString& path) {
    const int id = platform::OpenTextEditor(path);
    opened_.push_back(id);
    return id;
  }

  QTemporaryDir dir_;
  QString path_;
  ScriptedDialogs dialogs_;
  std::vector<int> opened_;
};

TEST_F(TextEditorTest, ShowsCp932TextAndSavesItBackWithCrLf) {
  const int id = Open(path_);
  ASSERT_NE(id, 0);
  platform::TextEditorWindow* editor = platform::FindTextEditor(id);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Text(), QStringLiteral("FontSize=24\n[テキスト]\n"));
  EXPECT_FALSE(editor->IsModified());
  EXPECT_TRUE(editor->windowTitle().contains(QStringLiteral("マクロ.txt")));

  editor->SetText(QStringLiteral("FontSize=30\n[テキスト]\nこんにちは\n"));
  EXPECT_TRUE(editor->IsModified());
  ASSERT_TRUE(editor->Save());
  EXPECT_FALSE(editor->IsModified());
  EXPECT_EQ(ReadBytes(path_),
            platform::ToCp932(QStringLiteral("FontSize=30\r\n[テキスト]\r\nこんにちは\r\n")));
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(TextEditorTest, ClosingWithChangesAsksAndActsOnTheAnswer) {
  struct Case {
    int answer;
    bool saved;
    bool staysOpen;
  };
  const Case cases[] = {
      {platform::vbYes, true, false},
      {platform::vbNo, false, false},
      {platform::vbCancel, false, true},
  };
  const QByteArray before = ReadBytes(path_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    WriteBytes(path_, before);
    const int id = Open(path_);
    platform::FindTextEditor(id)->SetText(QStringLiteral("変更\n"));
    dialogs_.ClearCalls();
    dialogs_.Answer(c.answer);
    platform::CloseTextEditor(id);
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].buttons, platform::vbYesNoCancel);
    EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbQuestion);
    EXPECT_TRUE(dialogs_.Calls()[0].text.startsWith(path_));
    EXPECT_EQ(ReadBytes(path_), c.saved ? platform::ToCp932(QStringLiteral("変更\r\n")) : before);
    EXPECT_EQ(platform::FindTextEditor(id) != nullptr, c.staysOpen);
    if (c.staysOpen) {
      dialogs_.Answer(platform::vbNo);
      platform::CloseTextEditor(id);
    }
    platform::DestroyPendingNow();
  }
}

TEST_F(TextEditorTest, UnchangedTextClosesWithoutAQuestion) {
  const int id = Open(path_);
  platform::CloseTextEditor(id);
  EXPECT_EQ(platform::FindTextEditor(id), nullptr);
  EXPECT_TRUE(dialogs_.Calls().empty());
  // Closing it again is an error, as activating a finished task is.
  EXPECT_THROW(platform::CloseTextEditor(id), platform::VbError);
}

TEST_F(TextEditorTest, TextTheCodePageCannotHoldIsNotSavedAndTheFileStays) {
  const QByteArray before = ReadBytes(path_);
  const int id = Open(path_);
  platform::TextEditorWindow* editor = platform::FindTextEditor(id);
  editor->SetText(QStringLiteral("emoji \U0001F600\n"));
  EXPECT_FALSE(editor->Save());
  EXPECT_TRUE(editor->IsModified());
  EXPECT_EQ(ReadBytes(path_), before);
  ASSERT_EQ(dialogs_.CallsOf(DialogKind::kMsgBox).size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
}

TEST_F(TextEditorTest, SaveIntoAFolderThatIsGoneFailsAndReports) {
  QTemporaryDir gone;
  const QString path = gone.filePath(QStringLiteral("a.txt"));
  WriteBytes(path, "x\r\n");
  const int id = Open(path);
  ASSERT_TRUE(gone.remove());
  platform::TextEditorWindow* editor = platform::FindTextEditor(id);
  editor->SetText(QStringLiteral("y\n"));
  EXPECT_FALSE(editor->Save());
  EXPECT_EQ(dialogs_.CallsOf(DialogKind::kMsgBox).size(), 1u);
}

TEST_F(TextEditorTest, OpeningTheSameFileAgainRaisesTheOpenEditor) {
  const int first = Open(path_);
  const int second = Open(path_);
  EXPECT_EQ(first, second);
  const QString other = dir_.filePath(QStringLiteral("other.txt"));
  WriteBytes(other, "a\r\n");
  EXPECT_NE(Open(other), first);
}

TEST_F(TextEditorTest, MissingFileIsErrorFiftyThree) {
  try {
    platform::OpenTextEditor(dir_.filePath(QStringLiteral("none.txt")));
    FAIL() << "no error";
  } catch (const platform::VbError& e) {
    EXPECT_EQ(e.Number(), platform::kErrFileNotFound);
  }
}

}  // namespace
