// Stand-ins for the sound routines and the movie window.
#include "engine/pending_sound.h"

#include "core/state.h"
#include "platform/dialogs.h"

namespace engine::standin {

void StartBackgroundSound() {}
void PlayCdTrack() {}
bool WaitForLinkedSound() { return false; }
bool FadeOutBeforeSlide(bool) { return false; }
void StartMovieSounds() {}
void SuperviseCd() {}
void RestartLoopingSound() {}
void StartPictureSounds() {}

// Without a movie window no movie can be played: the movie window's own message.
void PlayMovieModal(const QString& path) {
  platform::MsgBox(QStringLiteral("以下の動画が再生できません。\r\n") + path +
                       QStringLiteral("\r\n動画ファイルを確認してください。"),
                   platform::vbOKOnly | platform::vbExclamation, QStringLiteral("動画再生エラー"));
  core::Flags().MovieAborted = 1;
}

}  // namespace engine::standin
