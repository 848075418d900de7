#pragma once
// The linked WAV recorder "画像連動効果音(WAV)録音・再生": records the narration of the slide
// selected in the slide list, plays it back and saves it under the slide's linked ".wav"
// name. The recording comes from the default audio input (platform::WaveRecorder).
#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/mediaplayer.h"
#include "platform/waverecorder.h"

namespace sound {

class Form20 : public platform::Form {
  Q_OBJECT

 public:
  Form20();

  platform::Frame Frame1{this, QStringLiteral("録音設定")};
  // 0 "ステレオ", 1 "モノラル" (chosen when the window loads).
  platform::OptionButton& Option1(int index);
  platform::TextBox Text1{this};  // the file the recording is saved as; editable
  platform::Label Label1{this, QStringLiteral("録音可能です。")};  // status line
  platform::Label Label2{this, QStringLiteral("録音中")};
  platform::Label Label3{this, QStringLiteral("再生中")};
  platform::CommandButton Command1{this, QStringLiteral("録音")};
  platform::CommandButton Command5{this, QStringLiteral("停止")};
  platform::CommandButton Command4{this, QStringLiteral("再生")};
  platform::CommandButton Command3{this, QStringLiteral("閉じる")};

  // The selected slide's linked WAV name, and the test that its folder takes a new file.
  void Form_Load() override;
  // Beside the top left corner of the main window's monitor when opened from the
  // double-click window, else in its middle.
  void Form_Activate() override;
  // "録音": asks before recording over an existing file, then records.
  void Command1_Click();
  // "停止": ends and saves a recording, or ends the playback.
  void Command5_Click();
  // "再生": plays the file named in Text1 until it ends or "停止".
  void Command4_Click();
  void Command3_Click();
  // Discards a running recording, stops the playback, and sets the slide list's
  // "連動音削除" by whether the named file exists.
  void Form_Unload(int& cancel) override;

  short WriteTestFailed = 0;  // 1: the linked WAV's folder took no test file
  short CloseRequested = 0;   // 1: the window was closed (during a playback)
  bool Recording() const { return recorder_.IsRecording(); }
  bool PlaybackRunning() const { return playDepth_ > 0; }
  // The player of the playback (the waveaudio device "wav").
  platform::MediaPlayer& Player() { return player_; }

 private:
  void BackToReady();
  // Before a recording is written to `target`: a file that is not a WAV is never replaced,
  // and an existing file only after a Yes. false: not to be written.
  bool MayWriteTo(const QString& target);
  // A WAV (or an empty file) may be recorded over; anything else is refused, with a message.
  bool ReplaceableByRecording(const QString& target);
  void SaveRecording();

  std::array<std::unique_ptr<platform::OptionButton>, 2> option1_;
  platform::WaveRecorder recorder_;
  platform::MediaPlayer player_{this};
  QString agreedTarget_;  // the file the user agreed to record over, or that was free
  int playDepth_ = 0;
};

Form20& form20();
Form20* Form20IfLoaded();

}  // namespace sound
