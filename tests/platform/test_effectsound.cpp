#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "platform/effectsound.h"
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
  QElapsedTimer t;
  t.start();
  EXPECT_TRUE(PlayEffectSound(Path("medium.wav"), kAsync));
  EXPECT_LT(t.elapsed(), 1200);  // well before the sound could have ended
  EXPECT_TRUE(EffectSoundPlaying());
  EXPECT_TRUE(WaitUntil([] { return !EffectSoundPlaying(); }, 10000));
}

TEST_F(EffectSoundTest, SyncReturnsWhenTheSoundHasEnded) {
  bool timerRan = false;
  QTimer::singleShot(50, [&] { timerRan = true; });
  QElapsedTimer t;
  t.start();
  EXPECT_TRUE(PlayEffectSound(Path("short.wav"), kSync));
  EXPECT_GE(t.elapsed(), 300);
  EXPECT_FALSE(EffectSoundPlaying());
  EXPECT_TRUE(timerRan);  // the program's timers went on meanwhile
}

TEST_F(EffectSoundTest, LoopPlaysOnUntilStoppedByAnEmptyCall) {
  EXPECT_TRUE(PlayEffectSound(Path("short.wav"), kAsyncLoop));
  EXPECT_FALSE(WaitUntil([] { return !EffectSoundPlaying(); }, 1500));
  EXPECT_TRUE(PlayEffectSound({}, 0));
  EXPECT_FALSE(EffectSoundPlaying());
  EXPECT_TRUE(WaitUntil([&] { return !ProcessHoldsFile(Path("short.wav")); }, 1000));
}

TEST_F(EffectSoundTest, LoopWithoutAsyncDoesNotHoldTheCaller) {
  QElapsedTimer t;
  t.start();
  EXPECT_TRUE(PlayEffectSound(Path("short.wav"), platform::kSndLoop));
  EXPECT_LT(t.elapsed(), 1200);
  EXPECT_TRUE(EffectSoundPlaying());
}

TEST_F(EffectSoundTest, ANewSoundEndsThePreviousOne) {
  ASSERT_TRUE(PlayEffectSound(Path("long.wav"), kAsync));
  ASSERT_TRUE(WaitUntil([&] { return ProcessHoldsFile(Path("long.wav")); }, 3000));
  EXPECT_TRUE(PlayEffectSound(Path("short.wav"), kAsync));
  EXPECT_TRUE(WaitUntil([&] { return !ProcessHoldsFile(Path("long.wav")); }, 1000));
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
  for (const auto& c : cases) {
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(PlayEffectSound(Path(c.file), c.flags)) << c.file << " " << c.flags;
    EXPECT_LT(t.elapsed(), 5000) << c.file;
    EXPECT_FALSE(EffectSoundPlaying()) << c.file;
  }
}

}  // namespace
