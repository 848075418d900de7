// Dialogs answered by the test responder: what was asked and what comes back; and the
// real boxes and choosers, which speak Japanese.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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

// ---- real dialogs ---------------------------------------------------------------------

// Real dialogs open for the test's lifetime; `inspect` runs on the first modal dialog that
// appears and answers it.
class RealDialogs {
 public:
  explicit RealDialogs(std::function<void(QWidget*)> inspect) : inspect_(std::move(inspect)) {
    ShowRealDialogsOffscreen(true);
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog || !dialog->isVisible()) return;
      poll_.stop();
      inspect_(dialog);
      ++seen_;
      // A failed check above must not leave the test waiting on the dialog.
      if (dialog->isVisible()) static_cast<QDialog*>(dialog)->reject();
    });
    poll_.start(10);
  }
  ~RealDialogs() { ShowRealDialogsOffscreen(false); }
  int Seen() const { return seen_; }

 private:
  std::function<void(QWidget*)> inspect_;
  QTimer poll_;
  int seen_ = 0;
};

struct ButtonsCase {
  int flags;
  std::vector<std::pair<QMessageBox::StandardButton, const char*>> texts;
  QMessageBox::StandardButton click;
  int answer;
};

class MsgBoxButtonsTest : public ::testing::TestWithParam<ButtonsCase> {};

// The mnemonic in "はい(&Y)" shows as はい(Y) with Y as its key, as in the system's own
// Japanese message boxes.
TEST_P(MsgBoxButtonsTest, RealBoxButtonsReadJapanese) {
  const ButtonsCase& c = GetParam();
  RealDialogs real([&](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->buttons().size(), static_cast<qsizetype>(c.texts.size()));
    for (const auto& [button, text] : c.texts) {
      ASSERT_NE(box->button(button), nullptr) << text;
      EXPECT_EQ(box->button(button)->text().toStdString(), text);
    }
    box->button(c.click)->click();
  });
  EXPECT_EQ(MsgBox("上書きしますか？", c.flags), c.answer);
  EXPECT_EQ(real.Seen(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, MsgBoxButtonsTest,
    ::testing::Values(ButtonsCase{vbYesNo + vbQuestion,
                                  {{QMessageBox::Yes, "はい(&Y)"}, {QMessageBox::No, "いいえ(&N)"}},
                                  QMessageBox::No,
                                  vbNo},
                      ButtonsCase{vbYesNoCancel + vbExclamation,
                                  {{QMessageBox::Yes, "はい(&Y)"},
                                   {QMessageBox::No, "いいえ(&N)"},
                                   {QMessageBox::Cancel, "キャンセル"}},
                                  QMessageBox::Cancel,
                                  vbCancel},
                      ButtonsCase{vbOKCancel,
                                  {{QMessageBox::Ok, "OK"}, {QMessageBox::Cancel, "キャンセル"}},
                                  QMessageBox::Ok,
                                  vbOK},
                      ButtonsCase{vbAbortRetryIgnore + vbCritical,
                                  {{QMessageBox::Abort, "中止"},
                                   {QMessageBox::Retry, "再試行"},
                                   {QMessageBox::Ignore, "無視"}},
                                  QMessageBox::Retry,
                                  vbRetry}));

TEST(RealDialogs, InputBoxButtonsReadJapanese) {
  RealDialogs real([](QWidget* dialog) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text().toStdString(), "OK");
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().toStdString(), "キャンセル");
    buttons->button(QDialogButtonBox::Cancel)->click();
  });
  EXPECT_EQ(InputBox("スライド間隔（秒）を設定してください。", {}, "3"), "");
  EXPECT_EQ(real.Seen(), 1);
}

TEST(RealDialogs, FileChoosersReadJapanese) {
  struct {
    const char* accept;
    std::function<std::optional<QString>()> open;
  } cases[] = {
      {"開く(&O)", [] { return OpenFileDialog("ファイルを開く", "KVZ|*.kvz", {}, "/tmp"); }},
      {"保存(&S)", [] { return SaveFileDialog("ファイルの保存", "KVZ|*.kvz", {}, "/tmp"); }},
  };
  for (const auto& c : cases) {
    RealDialogs real([&](QWidget* dialog) {
      auto* chooser = qobject_cast<QFileDialog*>(dialog);
      ASSERT_NE(chooser, nullptr);
      auto label = [&](const char* name) {
        auto* l = chooser->findChild<QLabel*>(QLatin1String(name));
        return l ? l->text().toStdString() : std::string("(none)");
      };
      EXPECT_EQ(label("lookInLabel"), "アドレス:");
      EXPECT_EQ(label("fileNameLabel"), "ファイル名(&N):");
      EXPECT_EQ(label("fileTypeLabel"), "ファイルの種類:");
      auto* buttons = chooser->findChild<QDialogButtonBox*>();
      ASSERT_NE(buttons, nullptr);
      const auto accept = chooser->acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                           : QDialogButtonBox::Save;
      ASSERT_NE(buttons->button(accept), nullptr);
      EXPECT_EQ(buttons->button(accept)->text().toStdString(), c.accept);
      EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().toStdString(), "キャンセル");
      chooser->reject();
    });
    EXPECT_FALSE(c.open().has_value()) << c.accept;
    EXPECT_EQ(real.Seen(), 1) << c.accept;
  }
}

}  // namespace
