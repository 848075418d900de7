// The MP3 file chooser of sound mode 8.
#include "sound/form17.h"

namespace sound {

Form17::Form17()
    : OneFileChooser(
          {QStringLiteral("MP3ファイル再生"), QStringLiteral("MP3ファイルを選択して下さい"),
           QStringLiteral("*.MP3"),
           QStringLiteral("MP3を再生しながら画像連動WAVを再生する場合は以下をチェックします"),
           QStringLiteral("ＭＰ３再生中に画像連動（ＷＡＶ）を再生します。\r\n"
                          "（この設定はＫＶＺファイルに保存されます。）"),
           QStringLiteral("ＭＰ３再生オプション"), &core::ShowSettings::RepeatMp3File,
           &core::ShowSettings::Mp3WithLinkedWav, true}) {}

namespace {
platform::FormSlot<Form17>& Form17Slot() {
  static platform::FormSlot<Form17> slot;
  return slot;
}
}  // namespace

Form17& form17() { return Form17Slot().Get(); }
Form17* Form17IfLoaded() { return Form17Slot().IfLoaded(); }

}  // namespace sound
