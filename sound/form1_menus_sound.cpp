// The sound mode, WAV synchronisation, linked sound order, text macro and CD menus.
#include "sound/form1_menus_sound.h"

#include <QFileInfo>
#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "platform/cdaudio.h"
#include "platform/dialogs.h"
#include "platform/menu.h"
#include "platform/vberror.h"
#include "sound/cd_audio.h"
#include "sound/form13.h"
#include "sound/form14.h"
#include "sound/form17.h"
#include "sound/form2.h"
#include "sound/form8.h"

namespace sound {

using namespace core;
using platform::TryStep;

namespace {

const QString kNoDefaultSound = QStringLiteral("*.wav");
const QString kCdTitle = QStringLiteral("ＣＤ再生");

bool AskYesNo(const QString& text, const QString& title) {
  return platform::MsgBox(text, platform::vbYesNo | platform::vbQuestion, title) == platform::vbYes;
}

void Explain(const QString& text, const QString& title) {
  platform::MsgBox(text, platform::vbOKOnly, title);
}

// What a mode asks or shows before it is set; false when the user declined it.
bool StepsBeforeSoundMode(int index) {
  bool go = true;
  switch (index) {
    case 0:
      TryStep([] {
        Explain(
            QStringLiteral("画面切換後に、共通ＷＡＶファイル（TAVU.WAV）の効果音をならします。"),
            QStringLiteral("効果音設定"));
      });
      break;
    case 1:
      TryStep([&go] {
        go = AskYesNo(
            QStringLiteral(
                "画面切換後に、画像ファイルと同一名称で拡張子がWAVのファイルの効果音をならします。"
                "\r\n例)　test.jpg → test.wav を再生"),
            QStringLiteral("画像連動(WAV)"));
      });
      if (go) TryStep([] { AskDefaultSoundFile(); });
      break;
    case 3:
      Sound().SoundPaused = 0;
      TryStep([] { form2().ShowModal(); });
      break;
    case 4:
      Sound().SoundPaused = 0;
      TryStep([] { form8().ShowModal(); });
      break;
    case 5:
      TryStep([&go] {
        go = AskYesNo(
            QStringLiteral(
                "画面切換後に、画像ファイルと同一名称で拡張子がMIDのファイルがあれば再生します。"
                "　例)　test.jpg → test.mid を再生"),
            QStringLiteral("画像連動(MIDI)"));
      });
      break;
    case 6:
      Sound().SoundPaused = 0;
      break;
    case 8:
      Sound().SoundPaused = 0;
      TryStep([] { form17().ShowModal(); });
      break;
    case 9:
      TryStep([&go] {
        go = AskYesNo(QStringLiteral("画面切換後に、画像ファイルと同一名称で拡張子が.mp3または."
                                     "wavのファイルがあれば再生します。"
                                     "  例)　test.jpg → test.mp3 を再生\r\n"
                                     "(※MP3の切替時に前MP3音声はフェードアウトします｡)"),
                      QStringLiteral("画像連動(MP3+WAV)"));
      });
      break;
    default:
      break;
  }
  return go;
}

// The linked-sound window's options follow the mode. An option is cleared before it is
// set, so that its reaction (the question of the list with linked WAV) runs every time.
void MirrorSoundModeInLinkedSoundWindow(int index) {
  Form13& w = form13();
  w.Option1.SetValue(false);
  w.Option2.SetValue(false);
  if (index == 9) w.Option1.SetValue(true);
  if (index == 6) w.Option2.SetValue(true);
}

// The number the reply of a status command begins with; 0 when there is none.
int LeadingNumber(const QString& reply) {
  double n = 0;
  TryStep([&] { n = StandardVal(reply); });
  if (!(n >= 0 && n < 1e6)) return 0;
  return static_cast<int>(n);
}

}  // namespace

void mnuKOU_Click(Form1& f, int index) {
  if (!StepsBeforeSoundMode(index)) return;
  TryStep([&f, index] {
    ChooseMenuItem(f.mnuKOU, Settings().SoundMode, index);
    f.mnuCDM.SetEnabled(index == 2);
  });
  TryStep([index] { MirrorSoundModeInLinkedSoundWindow(index); });
  TryStep([&f] { f.ApplyLinkedWavMenuRule(); });
}

void AskDefaultSoundFile() {
  ShowSettings& s = Settings();
  s.DefaultSoundFile = platform::InputBox(
      QStringLiteral("デフォルトWAVファイルを再生する場合は設定してください。\r\n"
                     "（画像連動WAVファイルが見つからない場合の効果音設定）"),
      QStringLiteral("ﾃﾞﾌｫﾙﾄ効果音"), s.DefaultSoundFile);
  if (!s.DefaultSoundFile.right(4).contains(u'.')) s.DefaultSoundFile += QStringLiteral(".wav");
  const QString& name = s.DefaultSoundFile;
  const QFileInfo file(name);
  const bool accepted = name.toUpper() != QStringLiteral("*.WAV") && name.size() > 4 &&
                        name.right(4).toUpper() == QStringLiteral(".WAV") && file.exists() &&
                        !file.isDir();
  if (!accepted) {
    Explain(QStringLiteral("ﾃﾞﾌｫﾙﾄ効果音は設定されません。"), QStringLiteral("ﾃﾞﾌｫﾙﾄ効果音"));
    s.DefaultSoundFile = kNoDefaultSound;
  }
}

void mnuDOU_Click(Form1& f, int index) {
  ChooseMenuItem(f.mnuDOU, Settings().WavSyncOff, index);
  if (index == 0) {
    Explain(QStringLiteral(
                "画像連動効果音(WAV)再生において\r\n"
                "再生時間がスライド間隔以上の場合、再生が終了するまで次画面に移行しません。"),
            QStringLiteral("画像連動効果音同期設定"));
  }
}

void mnuKOICHI1_Click(Form1& f, int index) {
  ChooseMenuItem(f.mnuKOICHI1, Settings().LinkedSoundAfterText, index);
}

void mnuTEXT_Click(Form1& f, int index) {
  ChooseMenuItem(f.mnuTEXT, Settings().TextMacroOff, index);
}

void mnuCDRND_Click(Form1& f, int index) {
  ShowSettings& s = Settings();
  ChooseMenuItem(f.mnuCDRND, s.CdTrackOrder, index);
  if (index == 0) s.CdStartTrack = QStringLiteral("1");
  f.mnuCD.SetEnabled(index == 0);
  f.mnuCDRP.SetEnabled(index == 0);
  ListState& lists = Lists();
  if (index == 2) {
    form14().ShowModal();
  } else if (lists.CdProgramCount > 0) {
    Explain(QStringLiteral("ＣＤプログラム選択の曲順リストは消去されます。"),
            QStringLiteral("曲順リスト消去"));
    lists.CdProgram.Erase();
    lists.CdProgramCount = 0;
    lists.CdProgramPosition = 0;
  }
}

void mnuCD_Click(Form1&) {
  int tracks = 0;
  TryStep([&tracks] {
    QString reply;
    platform::SendCdAudioCommand(QStringLiteral("status cdaudio number of tracks"), &reply);
    tracks = LeadingNumber(reply);
  });
  if (tracks < 2) {
    TryStep([] {
      platform::MsgBox(QStringLiteral("ＣＤが準備できていません。"), platform::vbExclamation,
                       kCdTitle);
    });
    return;
  }
  ShowSettings& s = Settings();
  for (;;) {
    QString answer;
    TryStep([&] {
      answer = platform::InputBox(
          QStringLiteral("ＣＤ再生開始トラックを設定してください。\r\n( 1～") +
              QString::number(tracks) +
              QStringLiteral(" )\r\n（曲順設定がランダムまたはプログラムの場合は無効です。）"),
          QStringLiteral("ＣＤ再生トラック"), s.CdStartTrack);
    });
    if (answer.isEmpty()) return;
    double v = 0;
    const bool read = TryStep([&] { v = SafeVal(answer); });
    if (read && v >= 1 && v <= tracks) {
      s.CdStartTrack = QString::number(static_cast<long long>(std::floor(v)));
      break;
    }
    TryStep([] {
      platform::MsgBox(QStringLiteral("設定が不適切です。"), platform::vbExclamation, kCdTitle);
    });
  }
  Sound().CdPaused = 0;
  if (Flags().ShowRunning == 1) TryStep([] { PlayCdTrack(); });
}

void mnuCDR_Click(Form1& f, int index) {
  ChooseMenuItem(f.mnuCDR, Settings().CdTrackRepeatOff, index);
  if (index == 0) {
    Explain(QStringLiteral("設定されたトラック（１曲）を繰り返します。\r\n"
                           "（曲順設定がランダムまたはプログラムの場合は無効です。）"),
            QStringLiteral("繰り返し"));
  }
}

void mnuCDWAV_Click(Form1& f, int index) {
  ChooseMenuItem(f.mnuCDWAV, Settings().CdWithLinkedWavOff, index);
  f.mnuDOUKI.SetEnabled(index == 0);
  f.mnuKOICHI.SetEnabled(index == 0);
}

void ConnectSoundMenus(Form1& f) {
  using platform::MenuArray;
  using platform::MenuItem;
  auto array = [&f](MenuArray& menu, void (*handler)(Form1&, int)) {
    QObject::connect(&menu, &MenuArray::Click, &f, [&f, handler](int index) { handler(f, index); });
  };
  array(f.mnuKOU, mnuKOU_Click);
  array(f.mnuDOU, mnuDOU_Click);
  array(f.mnuKOICHI1, mnuKOICHI1_Click);
  array(f.mnuTEXT, mnuTEXT_Click);
  array(f.mnuCDRND, mnuCDRND_Click);
  QObject::connect(&f.mnuCD, &MenuItem::Click, &f, [&f] { mnuCD_Click(f); });
  array(f.mnuCDR, mnuCDR_Click);
  array(f.mnuCDWAV, mnuCDWAV_Click);
}

}  // namespace sound
