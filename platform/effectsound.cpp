#include "platform/effectsound.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QThread>

#include "platform/mediaplayer.h"

namespace platform {

namespace {

QPointer<MediaPlayer>& EffectPlayerSlot() {
  static QPointer<MediaPlayer> player;
  return player;
}

MediaPlayer* EffectPlayer() {
  QPointer<MediaPlayer>& player = EffectPlayerSlot();
  if (!player) {
    player = new MediaPlayer(QCoreApplication::instance());
    player->SetAutoStart(false);
    // Gone before the application object, while the media backend still stands.
    qAddPostRoutine([] { delete EffectPlayerSlot().data(); });
  }
  return player;
}

bool Sounding(const MediaPlayer* p) {
  return p && (p->PlayState() == kPlayStatePlaying || p->PlayState() == kPlayStatePaused);
}

}  // namespace

bool EffectSoundPlaying() { return Sounding(EffectPlayerSlot()); }

bool PlayEffectSound(const QString& path, unsigned flags) {
  if (path.isEmpty()) {
    if (MediaPlayer* p = EffectPlayerSlot()) p->Close();
    return true;
  }
  if ((flags & kSndNoStop) && EffectSoundPlaying()) return false;

  MediaPlayer* p = EffectPlayer();
  p->Close();
  if (!QFileInfo(path).isFile()) return false;
  const bool loop = flags & kSndLoop;
  // A looping sound ends only by a later call, so it never holds the caller.
  const bool async = (flags & kSndAsync) || loop;
  p->SetLoop(loop);
  p->SetURL(path);
  p->Play();
  if (!async) {
    // The whole program waits for the sound, as with the original's synchronous
    // call; the player's own events still have to arrive.
    while (Sounding(p)) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      QThread::msleep(10);
    }
  }
  return p->Error().isEmpty() && (async ? p->PlayState() == kPlayStatePlaying : p->PlaybackBegun());
}

}  // namespace platform
