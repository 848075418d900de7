// The MIDI file chooser of sound mode 4.
#include "sound/form8.h"

namespace sound {

Form8::Form8()
    : OneFileChooser(
          {QStringLiteral("MIDIファイル再生"),
           QStringLiteral("MIDIファイル(*.mid)を選択して下さい"), QStringLiteral("*.MID"),
           QStringLiteral("MIDIを再生しながら画像連動WAVを再生する場合は以下をチェックします"),
           QStringLiteral("ＭＩＤＩ再生中に画像連動（ＷＡＶ）を再生します。\r\n"
                          "（この設定はＫＶＺファイルに保存されます。）"),
           QStringLiteral("ＭＩＤＩ再生オプション"), &core::ShowSettings::RepeatMidiFile,
           &core::ShowSettings::MidiWithLinkedWav, true}) {}

namespace {
platform::FormSlot<Form8>& Form8Slot() {
  static platform::FormSlot<Form8> slot;
  return slot;
}
}  // namespace

Form8& form8() { return Form8Slot().Get(); }
Form8* Form8IfLoaded() { return Form8Slot().IfLoaded(); }

}  // namespace sound
