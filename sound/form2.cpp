// The one-file choosers' shared design, and the WAV chooser form2.
#include "sound/form2.h"

#include <QFileInfo>

#include "core/monitors.h"
#include "core/slideshow_file.h"
#include "platform/dialogs.h"
#include "sound/form17.h"
#include "sound/form8.h"

namespace sound {

OneFileChooser::OneFileChooser(const Design& design) : design_(design) {
  SetCaption(design_.caption);
  SetClientSize(6000, 2800);
  Label1.SetCaption(design_.prompt);
  Label1.Move(120, 120, 5760, 255);
  Text1.Move(120, 480, 4560, 315);
  Command3.Move(4800, 450, 1080, 375);
  Label2.SetCaption(design_.checkNote);
  Label2.SetWordWrap(true);
  Label2.Move(120, 1020, 5760, 435);
  Check1.Move(120, 1500, 3600, 255);
  Command2.Move(3600, 2160, 1095, 495);
  Command1.Move(4800, 2160, 1095, 495);
  const bool hasCheck = design_.withLinkedWav != nullptr;
  Label2.SetVisible(hasCheck);
  Check1.SetVisible(hasCheck);

  connect(&Command3, &platform::CommandButton::Click, this, &OneFileChooser::Command3_Click);
  connect(&Check1, &platform::CheckBox::Click, this, &OneFileChooser::Check1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &OneFileChooser::Command2_Click);
  connect(&Command1, &platform::CommandButton::Click, this, &OneFileChooser::Command1_Click);
}

void OneFileChooser::Form_Load() {
  const core::ShowSettings& s = core::Settings();
  platform::RunStepsIgnoringErrors({
      [this, &s] {
        if (design_.withLinkedWav) Check1.SetValue(s.*design_.withLinkedWav == 1 ? 1 : 0);
      },
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [this, &s] { Text1.SetText(s.*design_.file); },
  });
}

void OneFileChooser::Form_Activate() {
  platform::RunStepsIgnoringErrors({
      [this] {
        if (design_.refreshOnActivate) Text1.SetText(core::Settings().*design_.file);
      },
      [this] { core::CentreOnMainMonitor(this); },
  });
}

void OneFileChooser::Command3_Click() {
  const QFileInfo current(Text1.Text());
  const std::optional<QString> chosen =
      platform::OpenFileDialog(design_.caption, design_.filter, Text1.Text(),
                               Text1.Text().isEmpty() ? QString() : current.absolutePath());
  if (chosen) Text1.SetText(*chosen);
}

void OneFileChooser::Check1_Click() {
  if (!design_.withLinkedWav) return;
  short& value = core::Settings().*design_.withLinkedWav;
  if (Check1.Value() == 1) {
    if (value == 0) platform::MsgBox(design_.noticeText, platform::vbOKOnly, design_.noticeTitle);
    value = 1;
  } else {
    value = 0;
  }
}

void OneFileChooser::Command2_Click() {
  core::Settings().*design_.file = Text1.Text();
  Unload();
}

void OneFileChooser::Command1_Click() { Unload(); }

// ---- form2 ---------------------------------------------------------------------------------

Form2::Form2()
    : OneFileChooser({QStringLiteral("WAVファイル再生"),
                      QStringLiteral("WAVファイルを選択して下さい"),
                      QStringLiteral("WAVファイル (*.wav)|*.wav;*.WAV|すべてのﾌｧｲﾙ(*.*)|*.*"),
                      {},
                      {},
                      {},
                      &core::ShowSettings::RepeatWavFile,
                      nullptr,
                      false}) {}

namespace {
platform::FormSlot<Form2>& Form2Slot() {
  static platform::FormSlot<Form2> slot;
  return slot;
}
}  // namespace

Form2& form2() { return Form2Slot().Get(); }
Form2* Form2IfLoaded() { return Form2Slot().IfLoaded(); }

void InstallChooserMirrors() {
  core::FileReaderMirrors& mirrors = core::ReaderMirrors();
  mirrors.midiWithLinkedWav = [] {
    form8().Check1.SetValue(core::Settings().MidiWithLinkedWav == 1 ? 1 : 0);
  };
  mirrors.mp3WithLinkedWav = [] {
    form17().Check1.SetValue(core::Settings().Mp3WithLinkedWav == 1 ? 1 : 0);
  };
  mirrors.repeatMidiFile = [](const QString& path) { form8().Text1.SetText(path); };
}

}  // namespace sound
