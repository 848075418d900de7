#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <vector>

#include "platform/effectsound.h"
#include "platform/mediaplayer.h"
#include "tests/support/media_files.h"

namespace {

using platform::EffectSoundPlaying;
using platform::PlayEffectSound;
using test_support::ProcessHoldsFile;
using test_support::WaitUntil;
using test_support::WriteToneWav;

constexpr unsigned kAsync = platform::kSndAsync | platform::kSndNoDefault;  // 3
constexpr unsigned kSync = platform::kSndNoDefault;                         // 2
constexpr unsigned kAsyncLoop = kAsync | platform::kSndLoop;                // 0x0B
// Waits give up only on a hang: a cold GStreamer or a busy machine is slow, not wrong.
constexpr int kHangMs = 30000;

class EffectSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteToneWav(Path("short.wav"), 300);
    WriteToneWav(Path("medium.wav"), 1500);
    WriteToneWav(Path("long.wav"), 4000);
  }
  void TearDown() override { PlayEffectSound({}, 0); }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  QTemporaryDir dir_;
};

TEST_F(EffectSoundTest, AsyncReturnsAtOnceAndThePlayEnds) {
  EXPECT_TRUE(PlayEffectSound(Path("medium.wav"), kAsync));
  // Back while the sound still plays; it then ends by itself.
  EXPECT_TRUE(EffectSoundPlaying());
  EXPECT_TRUE(WaitUntil([] { return !EffectSoundPlaying(); }, kHangMs));
}

TEST_F(EffectSoundTest, SyncReturnsWhenTheSoundHasEnded) {
  // The program's timers go on meanwhile, and they see the sound playing.
  std::vector<bool> playingSeen;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] { playingSeen.push_back(EffectSoundPlaying()); });
  probe.start(20);
  // True: the sound began sounding before the call came back.
  EXPECT_TRUE(PlayEffectSound(Path("short.wav"), kSync));
  probe.stop();
  EXPECT_FALSE(EffectSoundPlaying());
  ASSERT_FALSE(playingSeen.empty());
  EXPECT_TRUE(playingSeen.front());
}

TEST_F(EffectSoundTest, LoopPlaysOnUntilStoppedByAnEmptyCall) {
  EXPECT_TRUE(PlayEffectSound(Path("short.wav"), kAsyncLoop));
  // A sound five times as long, started after the loop, ends while the loop still plays.
  platform::MediaPlayer reference;
  reference.SetURL(Path("medium.wav"));
  ASSERT_TRUE(WaitUntil(
      [&] { return reference.PlayState() != platform::kPlayStatePlaying || !EffectSoundPlaying(); },
      kHangMs));
  EXPECT_EQ(reference.PlayState(), platform::kPlayStateMediaEnded) << "the reference failed";
  EXPECT_TRUE(EffectSoundPlaying());

  EXPECT_TRUE(PlayEffectSound({}, 0));
  EXPECT_FALSE(EffectSoundPlaying());
  EXPECT_TRUE(WaitUntil([&] { return !ProcessHoldsFile(Path("short.wav")); }, kHangMs));
}

TEST_F(EffectSoundTest, LoopWithoutAsyncDoesNotHoldTheCaller) {
  // Were the caller held, only this guard would end the sound and let it go.
  bool guardStopped = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    guardStopped = true;
    PlayEffectSound({}, 0);
  });
  guard.start(kHangMs);
  EXPECT_TRUE(PlayEffectSound(Path("short.wav"), platform::kSndLoop));
  guard.stop();
  EXPECT_FALSE(guardStopped);
  EXPECT_TRUE(EffectSoundPlaying());
}

TEST_F(EffectSoundTest, ANewSoundEndsThePreviousOne) {
  WriteToneWav(Path("next.wav"), 4000);
  ASSERT_TRUE(PlayEffectSound(Path("long.wav"), kAsync));
  ASSERT_TRUE(WaitUntil([&] { return ProcessHoldsFile(Path("long.wav")); }, kHangMs));
  EXPECT_TRUE(PlayEffectSound(Path("next.wav"), kAsync));
  EXPECT_TRUE(WaitUntil([&] { return !ProcessHoldsFile(Path("long.wav")); }, kHangMs));
  EXPECT_TRUE(EffectSoundPlaying());
}

TEST_F(EffectSoundTest, NoStopLeavesAPlayingSoundAlone) {
  ASSERT_TRUE(PlayEffectSound(Path("long.wav"), kAsync));
  EXPECT_FALSE(PlayEffectSound(Path("short.wav"), kAsync | platform::kSndNoStop));
  EXPECT_TRUE(EffectSoundPlaying());
  EXPECT_FALSE(ProcessHoldsFile(Path("short.wav")));
}

TEST_F(EffectSoundTest, UnplayableFilesReportFailureWithoutHanging) {
  QFile junk(Path("junk.wav"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write(QByteArray(3000, '\x5a'));
  junk.close();

  const struct {
    const char* file;
    unsigned flags;
  } cases[] = {{"missing.wav", kAsync}, {"missing.wav", kSync}, {"junk.wav", kSync}};
  // The player gives up on a file that never starts, so a synchronous call comes back.
  for (const auto& c : cases) {
    EXPECT_FALSE(PlayEffectSound(Path(c.file), c.flags)) << c.file << " " << c.flags;
    EXPECT_FALSE(EffectSoundPlaying()) << c.file;
  }
}

}  // namespace
