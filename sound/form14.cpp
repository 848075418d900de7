// The CD track programme window.
#include "sound/form14.h"

#include <algorithm>

#include "core/common.h"
#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "platform/cdaudio.h"
#include "platform/dialogs.h"

namespace sound {

namespace {

void ListFullMessage() {
  platform::MsgBox(QStringLiteral("これ以上登録できません"), platform::vbOKOnly,
                   QStringLiteral("曲順リストエラー"));
}

// Tracks on the disc as the drive reports them; 0 when it does not answer.
int DiscTrackCount() {
  QString reply;
  platform::SendCdAudioCommand(QStringLiteral("status cdaudio number of tracks"), &reply);
  double n = 0;
  platform::TryStep([&] { n = core::StandardVal(reply); });
  return n > 0 && n < 1000 ? static_cast<int>(n) : 0;
}

}  // namespace

Form14::Form14() {
  SetCaption(QStringLiteral("ＣＤプログラム選択"));
  // Room below the ten rows of track buttons (the last ends at 5130) for the check box.
  SetClientSize(9240, 5640);
  for (int n = 1; n <= kCdTrackButtons; ++n) {
    auto button = std::make_unique<platform::CommandButton>(this);
    // Ten columns of ten, numbered down each column.
    button->Move(120 + 480 * ((n - 1) / 10), 360 + 480 * ((n - 1) % 10), 450, 450);
    connect(button.get(), &platform::CommandButton::Click, this, [this, n] { Command3_Click(n); });
    command3_[static_cast<size_t>(n - 1)] = std::move(button);
  }
  Label2.Move(120, 60, 4800, 255);
  Label1.Move(5040, 60, 1800, 255);
  List1.Move(5040, 360, 1800, 4080);
  Label5.Move(5040, 4560, 600, 255);
  Label4.Move(5700, 4560, 600, 255);
  Check1.Move(120, 5250, 4800, 255);
  Command1.Move(7080, 360, 1095, 495);
  Command2.Move(7080, 960, 1095, 495);
  Command5.Move(7080, 3360, 1095, 495);
  Command4.Move(7080, 3960, 1095, 495);

  connect(&Command1, &platform::CommandButton::Click, this, &Form14::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form14::Command2_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form14::Command4_Click);
  connect(&Command5, &platform::CommandButton::Click, this, &Form14::Command5_Click);
}

platform::CommandButton& Form14::Command3(int n) {
  if (n < 1 || n > kCdTrackButtons)
    throw platform::VbError(platform::kErrNoArrayElement,
                            QStringLiteral("Control array element does not exist"));
  return *command3_[static_cast<size_t>(n - 1)];
}

void Form14::Form_Load() {
  const int tracks = DiscTrackCount();
  if (tracks < 2) {
    platform::MsgBox(QStringLiteral("ＣＤが準備できていません。"), platform::vbExclamation,
                     QStringLiteral("ＣＤ再生"));
  }
  Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  for (auto* button : {&Command1, &Command2, &Command4, &Command5}) button->SetEnabled(true);
  for (int n = 1; n <= kCdTrackButtons; ++n) {
    Command3(n).SetCaption(QString::number(n));
    Command3(n).SetEnabled(n <= tracks);
  }
  const core::ListState& lists = core::Lists();
  const int count = std::min<int>(lists.CdProgramCount, core::kCdProgramUpper);
  for (int i = 1; i <= count; ++i) List1.AddItem(lists.CdProgram[i]);
  Check1.SetValue(core::Settings().StopShowAtCdProgramEnd == 1 ? 1 : 0);
  ShowCount();
}

void Form14::Form_Activate() {
  platform::TryStep([this] { core::CentreOnMainMonitor(this); });
}

void Form14::Form_Paint() { ShowCount(); }

void Form14::ShowCount() { Label4.SetCaption(QString::number(List1.ListCount())); }

void Form14::Command3_Click(int n) {
  if (List1.ListCount() >= kCdProgramListLimit) {
    ListFullMessage();
    return;
  }
  List1.AddItem(QString::number(n));
  ShowCount();
  if (List1.ListCount() == kCdProgramListLimit) {
    ListFullMessage();
  } else if (List1.ListCount() > 1) {
    // Keeps the newest entries in view.
    platform::TryStep([this] { List1.SetTopIndex(List1.TopIndex() + 1); });
  }
}

void Form14::Command1_Click() {
  core::ListState& lists = core::Lists();
  core::Settings().CdStartTrack = QStringLiteral("1");
  lists.CdProgram.Erase();
  // The shared programme holds at most 110 entries.
  const int count = std::min(List1.ListCount(), core::kCdProgramUpper);
  lists.CdProgramCount = static_cast<short>(count);
  for (int i = 1; i <= count; ++i) lists.CdProgram[i] = List1.List(i - 1);
  core::Settings().StopShowAtCdProgramEnd = Check1.Value() == 1 ? 1 : 0;
  CloseAndShowMain();
}

void Form14::Command2_Click() { CloseAndShowMain(); }

void Form14::CloseAndShowMain() {
  Unload();
  if (core::Form1* main = core::Form1IfLoaded()) main->Show();
}

void Form14::Command4_Click() {
  if (List1.ListCount() == 0) return;
  if (platform::MsgBox(QStringLiteral("曲順リストをすべて消去しますか ?"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("一括取消")) != platform::vbYes) {
    return;
  }
  List1.Clear();
  Label4.SetCaption(QStringLiteral("0"));
}

void Form14::Command5_Click() {
  for (int i = List1.ListCount() - 1; i >= 0; --i) {
    if (List1.Selected(i)) List1.RemoveItem(i);
  }
  ShowCount();
}

namespace {
platform::FormSlot<Form14>& Form14Slot() {
  static platform::FormSlot<Form14> slot;
  return slot;
}
}  // namespace

Form14& form14() { return Form14Slot().Get(); }
Form14* Form14IfLoaded() { return Form14Slot().IfLoaded(); }

}  // namespace sound
