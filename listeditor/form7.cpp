// The double-click window: its buttons from the double-click options, the indicators of
// the linked WAV and macro text, and its closing.
#include "listeditor/form7.h"

#include <QFile>
#include <QFileInfo>

#include "core/common.h"
#include "core/form1.h"
#include "core/form4.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "listeditor/desktop_wallpaper.h"
#include "listeditor/form3.h"
#include "listeditor/picture_macro.h"
#include "listeditor/sound_services.h"
#include "platform/dialogs.h"
#include "platform/wavinfo.h"
#include "sound/form20.h"

namespace listeditor {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void Offer(platform::CommandButton& b, bool on) {
  b.SetEnabled(on);
  b.SetVisible(on);
}

// The slide list window's current row as the buttons read it.
QString CurrentRow() { return SelectedSlidePath(); }

}  // namespace

Form7::Form7() {
  SetCaption(QStringLiteral("ｽﾗｲﾄﾞﾘｽﾄﾀﾞﾌﾞﾙｸﾘｯｸ"));
  SetBorderless(true);
  Command1.Move(360, 360, 1455, 615);
  Command5.Move(3480, 360, 1455, 615);
  Command4.Move(5040, 360, 1455, 615);
  Command7.Move(6600, 360, 1935, 615);
  Command2.Move(360, 1080, 1455, 615);
  Command6.Move(3480, 1080, 1455, 615);
  Command3.Move(5040, 1080, 1455, 615);
  Command8.Move(6600, 1080, 1935, 615);
  Command9.Move(1920, 360, 1455, 615);
  Command9.SetVisible(false);
  // The indicators under their delete buttons, readable on the black window.
  Label1.Move(360, 1740, 1455, 255);
  Label2.Move(3480, 1740, 1455, 255);
  for (platform::Label* l : {&Label1, &Label2}) {
    l->SetBackColor(Qt::black);
    l->SetForeColor(Qt::yellow);
    l->SetVisible(false);
  }
  // The buttons stay in front of the picture.
  Picture1.lower();

  using platform::CommandButton;
  connect(&Command1, &CommandButton::Click, this, &Form7::Command1_Click);
  connect(&Command2, &CommandButton::Click, this, &Form7::Command2_Click);
  connect(&Command3, &CommandButton::Click, this, &Form7::Command3_Click);
  connect(&Command4, &CommandButton::Click, this, &Form7::Command4_Click);
  connect(&Command5, &CommandButton::Click, this, &Form7::Command5_Click);
  connect(&Command6, &CommandButton::Click, this, &Form7::Command6_Click);
  connect(&Command7, &CommandButton::Click, this, &Form7::Command7_Click);
  connect(&Command8, &CommandButton::Click, this, &Form7::Command8_Click);
  connect(&Command9, &CommandButton::Click, this, &Form7::Command9_Click);
  connect(&Picture1, &platform::PictureBox::Click, this, &Form7::Picture1_Click);
}

void Form7::SetRecordButtons() {
  if (core::Settings().DblClickRecord == 1) {
    Offer(Command1, true);
    RefreshLinkedSoundState();
  } else {
    Offer(Command1, false);
    Offer(Command2, false);
    Offer(Command9, false);
  }
}

void Form7::Form_Load() {
  const core::ShowSettings& s = core::Settings();
  const QString path = CurrentRow();
  SetRecordButtons();
  if (s.DblClickText == 1) {
    Offer(Command5, true);
    RefreshLinkedTextState();
  } else {
    Offer(Command5, false);
    Offer(Command6, false);
  }
  if (s.DblClickWallpaper == 1) {
    Offer(Command4, true);
    // The temporary wallpaper takes the slide's own file: bitmaps only.
    Offer(Command3, path.right(3) == QLatin1String("bmp"));
  } else {
    Offer(Command3, false);
    Offer(Command4, false);
  }
  Offer(Command7, s.DblClickSlideshow == 1);
  Offer(Command8, s.DblClickSlideshow == 1);
  SetBackColor(Qt::black);
  Move(0, 0, platform::ScreenWidth(), platform::ScreenHeight());
  Picture1.SetBackColor(Qt::black);
  Picture1.Move(0, 0, platform::ScreenWidth(), platform::ScreenHeight());
}

void Form7::Form_Paint() { SetRecordButtons(); }

void Form7::Form_Click() { Unload(); }

void Form7::Picture1_Click() { Unload(); }

void Form7::RefreshLinkedSoundState() {
  QFile wav(SelectedLinkedName(QStringLiteral(".wav")));
  const bool opens = !wav.fileName().isEmpty() && wav.open(QIODevice::ReadOnly);
  Label1.SetVisible(opens);
  Offer(Command2, opens);
}

void Form7::RefreshLinkedTextState() {
  const QString text = SelectedLinkedName(QStringLiteral(".txt"));
  const bool found = !text.isEmpty() && QFileInfo(text).isFile();
  Label2.SetVisible(found);
  Offer(Command6, found);
}

void Form7::Command1_Click() {
  platform::TryStep([] { core::ForgetSoundRecorder(); });
  core::Sound().RecordFromDblClickWindow = 1;
  sound::form20().ShowModal();
  RefreshLinkedSoundState();
}

void Form7::Command2_Click() {
  platform::TryStep([] { core::ForgetSoundRecorder(); });
  if (Label1.Visible()) DeleteLinkedWav();
  RefreshLinkedSoundState();
}

void Form7::Command3_Click() {
  const QString path = CurrentRow();
  const QString title = QStringLiteral("壁紙一時変更");
  if (path.right(3) != QLatin1String("bmp")) {
    platform::MsgBox(path + kCrLf + QStringLiteral("このファイルは壁紙にできません。"),
                     platform::vbExclamation, title);
    return;
  }
  if (platform::MsgBox(path + kCrLf + QStringLiteral("の壁紙に一時変更しますか ?"),
                       platform::vbYesNo | platform::vbQuestion, title) != platform::vbNo)
    SetWallpaperTemporary();
}

void Form7::Command4_Click() {
  if (platform::MsgBox(CurrentRow() + kCrLf + QStringLiteral("の壁紙に定常変更しますか ?"),
                       platform::vbYesNo | platform::vbQuestion,
                       QStringLiteral("壁紙定常変更")) != platform::vbNo)
    SetWallpaperPermanent();
}

void Form7::Command5_Click() {
  platform::TryStep([] { core::CloseTextViewer(); });
  EditPictureMacroFile();
  RefreshLinkedTextState();
}

void Form7::Command6_Click() {
  platform::TryStep([] { core::CloseTextViewer(); });
  if (Label2.Visible()) DeletePictureMacroFile();
  RefreshLinkedTextState();
}

void Form7::Command7_Click() {
  Unload();
  Form3& list = form3();
  list.Command1_Click();
  core::ListState& lists = core::Lists();
  core::RunFlags& flags = core::Flags();
  lists.ChosenStartSlide = static_cast<short>(list.List1.ListIndex());
  lists.StartAtChosenSlide = 1;
  core::form1().Timer1.SetEnabled(false);
  flags.ShowStopped = 0;
  flags.ShowScreenHasPicture = 0;
  platform::RunStepsIgnoringErrors({
      [] { engine::ShowFullScreenWindow(); },
      [] {
        if (core::Settings().OverlayMode != 0)
          engine::ApplyScreenBackColor();
        else
          engine::slidescreen().P2.SetBackColor(Qt::black);
      },
      [&flags] { flags.FullScreenShowActive = 1; },
  });
}

void Form7::Command8_Click() {
  Unload();
  Form3& list = form3();
  list.Command1_Click();
  core::ListState& lists = core::Lists();
  lists.ChosenStartSlide = static_cast<short>(list.List1.ListIndex());
  lists.StartAtChosenSlide = 1;
  core::form1().Command1_Click();
  lists.StartAtChosenSlide = 0;
  core::Flags().ShowScreenHasPicture = 0;
}

void Form7::Command9_Click() {}

void Form7::Form_Unload(int& cancel) {
  cancel = 0;
  platform::RunStepsIgnoringErrors({
      [] { core::form4().Picture1.ClearPicture(); },
      [this] { Picture1.ClearPicture(); },
      [] { core::ForgetSoundRecorder(); },
      [] { core::CloseTextViewer(); },
      // Only the empty template goes: a recording, or a file that merely cannot be read
      // now, is the user's.
      [] {
        const QString wav = SelectedLinkedName(QStringLiteral(".wav"));
        if (!wav.isEmpty() && platform::IsNarrationWavTemplate(wav) && !QFile::remove(wav))
          platform::LogSwallowed("remove narration template",
                                 std::runtime_error(wav.toStdString()));
      },
      [] {
        if (Form3* list = Form3IfLoaded()) {
          list->Command16.SetEnabled(false);
          list->Command17.SetEnabled(false);
        }
      },
  });
}

namespace {
platform::FormSlot<Form7>& Form7Slot() {
  static platform::FormSlot<Form7> slot;
  return slot;
}
}  // namespace

Form7& form7() { return Form7Slot().Get(); }
Form7* Form7IfLoaded() { return Form7Slot().IfLoaded(); }

}  // namespace listeditor
