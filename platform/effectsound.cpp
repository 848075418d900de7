#include "platform/effectsound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QThread>

#include "platform/mediaplayer.h"
#include "platform/wavinfo.h"

namespace platform {

namespace {

// A synchronous sound holds the program for its length: the player gets this long to
// begin sounding, and the end may come this much after the length.
// A busy machine reports the start and the end late, so both allow for that.
constexpr qint64 kSyncStartAllowanceMs = 3000;
constexpr qint64 kSyncEndAllowanceMs = 2000;

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
  // Only a sound of a known length may hold the program: a file that is no WAV comes
  // back at once.
  const long long length = async ? 0 : WavDurationMs(path);
  if (length < 0) return false;
  p->SetLoop(loop);
  p->SetURL(path);
  p->Play();
  if (!async) {
    // The whole program waits for the sound, as with the original's synchronous
    // call; the player's own events still have to arrive. A start that does not come,
    // or an end reported long after the sound's length, cuts the sound off: the hold
    // never runs on with a player that has hung.
    QElapsedTimer clock;
    clock.start();
    qint64 begunAt = -1;
    while (Sounding(p)) {
      if (begunAt < 0 && p->PlaybackBegun()) begunAt = clock.elapsed();
      const bool overdue = begunAt < 0 ? clock.elapsed() > kSyncStartAllowanceMs
                                       : clock.elapsed() - begunAt > length + kSyncEndAllowanceMs;
      if (overdue) {
        // Played for its length (or never began): the hold ends here.
        p->Close();
        return begunAt >= 0;
      }
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      QThread::msleep(10);
    }
  }
  return p->Error().isEmpty() && (async ? p->PlayState() == kPlayStatePlaying : p->PlaybackBegun());
}

}  // namespace platform
