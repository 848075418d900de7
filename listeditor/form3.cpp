// The slide list editor's window: its lists, the double-click options and its unload.
#include "listeditor/form3.h"

#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "platform/dialogs.h"

namespace listeditor {

namespace {

// A double-click option: the explanation only while the editor is on screen.
void OptionClicked(const platform::CheckBox& box, short& value, const QString& title,
                   const QString& text) {
  if (box.Value() == 1) {
    if (core::Flags().SlideListEditorShown == 1) platform::MsgBox(text, platform::vbOKOnly, title);
    value = 1;
  } else {
    value = 0;
  }
}

}  // namespace

Form3::Form3() {
  SetCaption(QStringLiteral("スライドリスト"));
  SetClientSize(11940, 8340);
  List1.Move(2640, 3240, 9135, 4188);
  List2.SetVisible(false);
  Label4.Move(11160, 7800, 735, 255);
  Check2.Move(10560, 1560, 1095, 270);
  Check1.SetVisible(false);
  Check3.SetVisible(false);
  Check4.SetVisible(false);
  Check5.SetVisible(false);
  Command16.Move(6480, 120, 1215, 495);
  Command17.Move(6480, 720, 1215, 495);
  Command16.SetEnabled(false);
  Command17.SetEnabled(false);

  connect(&Check1, &platform::CheckBox::Click, this, &Form3::Check1_Click);
  connect(&Check2, &platform::CheckBox::Click, this, &Form3::Check2_Click);
  connect(&Check3, &platform::CheckBox::Click, this, &Form3::Check3_Click);
  connect(&Check4, &platform::CheckBox::Click, this, &Form3::Check4_Click);
  connect(&Check5, &platform::CheckBox::Click, this, &Form3::Check5_Click);
  connect(&Timer1, &platform::Timer::Tick, this, &Form3::Timer1_Timer);
}

void Form3::Form_Load() {
  Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this] { SlideListLimit = 30000; },
      [this, &s] { Check1.SetValue(s.DblClickPicture == 1 ? 1 : 0); },
      [this, &s] { Check2.SetValue(s.DblClickRecord == 1 ? 1 : 0); },
      [this, &s] { Check3.SetValue(s.DblClickWallpaper == 1 ? 1 : 0); },
      [this, &s] { Check4.SetValue(s.DblClickText == 1 ? 1 : 0); },
      [this, &s] { Check5.SetValue(s.DblClickSlideshow == 1 ? 1 : 0); },
  });
}

void Form3::Form_Unload(int& cancel) {
  cancel = 0;
  core::RunFlags& flags = core::Flags();
  core::ForgetSoundRecorder();
  core::CloseTextViewer();
  flags.StartedFromListEditor = 0;
  flags.SlideListEditorOpen = 0;
  if (flags.SlideListEditorShown == 1 && List1.ListCount() >= 1) {
    if (platform::MsgBox(QStringLiteral("スライドリストを保存しますか ?"),
                         platform::vbQuestion | platform::vbYesNo,
                         QStringLiteral("ファイル選択")) == platform::vbYes) {
      Command7_Click();
    }
    core::Form1& main = core::form1();
    main.Command1.SetEnabled(false);
    main.Command2.SetEnabled(false);
    main.Command3.SetEnabled(false);
    main.Command4.SetEnabled(false);
    main.SetCaption(core::ProgramTitle());
    core::PathState& paths = core::Paths();
    paths.SlideshowFileName.clear();
    paths.SlideshowFilePath.clear();
    paths.SlideshowFileTime.clear();
  }
  flags.SlideListEditorShown = 0;
  // At program exit the main window is the one unloading.
  core::Form1* main = core::Form1IfLoaded();
  if (main && !main->ShuttingDown()) main->Show();
}

void Form3::Check1_Click() {}

void Form3::Check2_Click() {
  OptionClicked(
      Check2, core::Settings().DblClickRecord, QStringLiteral("効果音録音あり"),
      QStringLiteral("スライドリストをダブルクリックすると画像連動効果音が録音できます。"));
}

void Form3::Check3_Click() {
  OptionClicked(Check3, core::Settings().DblClickWallpaper, QStringLiteral("壁紙変更あり"),
                QStringLiteral("スライドリストをダブルクリックすると壁紙の変更ができます。"));
}

void Form3::Check4_Click() {
  OptionClicked(
      Check4, core::Settings().DblClickText, QStringLiteral("テキスト作成あり"),
      QStringLiteral("スライドリストをダブルクリックすると画像連動テキストが作成できます。"));
}

void Form3::Check5_Click() {
  OptionClicked(
      Check5, core::Settings().DblClickSlideshow, QStringLiteral("スライドショー"),
      QStringLiteral(
          "スライドリストをダブルクリックするとスライドショーの指定画面スタートができます。"));
}

void Form3::Timer1_Timer() { Timer1.SetEnabled(false); }

namespace {
platform::FormSlot<Form3>& Form3Slot() {
  static platform::FormSlot<Form3> slot;
  return slot;
}
}  // namespace

Form3& form3() { return Form3Slot().Get(); }
Form3* Form3IfLoaded() { return Form3Slot().IfLoaded(); }

}  // namespace listeditor
