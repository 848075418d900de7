#include <gtest/gtest.h>

#include <QAudioOutput>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/mediaplayer.h"
#include "tests/support/media_files.h"

namespace {

using platform::MediaPlayer;
using test_support::ProcessHoldsFile;
using test_support::WaitUntil;
using test_support::WriteOneNoteMidi;
using test_support::WriteToneWav;

// Waits give up only on a hang: a cold GStreamer or a busy machine is slow, not wrong.
constexpr int kHangMs = 30000;

// Plays and returns the play states in order, from Play until the player reads stopped;
// every change is recorded, also one that a poller on a busy machine could miss.
std::vector<int> PlayAndWatch(MediaPlayer& p, int ms) {
  std::vector<int> seen;
  const auto record =
      QObject::connect(&p, &MediaPlayer::PlayStateChanged, [&](int s) { seen.push_back(s); });
  p.Play();
  if (seen.empty()) seen.push_back(p.PlayState());
  WaitUntil(
      [&] {
        return seen.back() == platform::kPlayStateStopped ||
               seen.back() == platform::kPlayStateUndefined;
      },
      ms);
  QObject::disconnect(record);
  return seen;
}

class MediaPlayerTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }
  QTemporaryDir dir_;
};

struct PlayableCase {
  const char* name;
  std::function<QString(const QString& dir)> make;
};

class MediaPlayerPlaysToEnd : public ::testing::TestWithParam<PlayableCase> {};

TEST_P(MediaPlayerPlaysToEnd, ReadsPlayingThenEndedThenStopped) {
  QTemporaryDir dir;
  const QString file = GetParam().make(dir.path());
  MediaPlayer p;
  p.SetAutoStart(false);
  p.SetURL(file);
  EXPECT_EQ(p.PlayState(), platform::kPlayStateReady);
  EXPECT_EQ(p.URL(), file);

  const std::vector<int> seen = PlayAndWatch(p, kHangMs);
  // Never "stopped" or "ready" while the file loads; the end is seen as 8 first.
  EXPECT_EQ(seen, (std::vector<int>{3, 8, 1}))
      << GetParam().name << " error: " << p.Error().toStdString();
  EXPECT_TRUE(p.PlaybackBegun());
  EXPECT_TRUE(p.Error().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Formats, MediaPlayerPlaysToEnd,
    ::testing::Values(
        PlayableCase{"wav",
                     [](const QString& dir) {
                       WriteToneWav(dir + "/tone.wav", 300);
                       return dir + "/tone.wav";
                     }},
        PlayableCase{"midi",
                     [](const QString& dir) {
                       WriteOneNoteMidi(dir + "/note.mid");
                       return dir + "/note.mid";
                     }},
        PlayableCase{"mp3", [](const QString&) { return QString(FIXTURES_DIR "/tone.mp3"); }},
        PlayableCase{"mp4", [](const QString&) { return QString(FIXTURES_DIR "/clip.mp4"); }}),
    [](const auto& info) { return std::string(info.param.name); });

struct BrokenCase {
  const char* name;
  const char* file;
  QByteArray bytes;  // written unless null
};

class MediaPlayerFailsToStart : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(MediaPlayerFailsToStart, StopsWithAnError) {
  QTemporaryDir dir;
  const QString file = dir.filePath(GetParam().file);
  if (!GetParam().bytes.isNull()) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GetParam().bytes);
  }
  MediaPlayer p;
  p.SetAutoStart(false);
  p.SetURL(file);
  const std::vector<int> seen = PlayAndWatch(p, kHangMs);
  // Playing (while it loads) at most, then stopped: never ended, never ready.
  EXPECT_EQ(seen.back(), platform::kPlayStateStopped);
  for (int s : seen) EXPECT_TRUE(s == 3 || s == 1) << s;
  EXPECT_FALSE(p.Error().isEmpty());
  EXPECT_FALSE(p.PlaybackBegun());
}

QByteArray Garbage() {
  QByteArray b;
  for (int i = 0; i < 4000; ++i) b += char((i * 7919) >> 3);
  return b;
}

INSTANTIATE_TEST_SUITE_P(Files, MediaPlayerFailsToStart,
                         ::testing::Values(BrokenCase{"garbage_mp3", "noise.mp3", Garbage()},
                                           BrokenCase{"text_as_wav", "text.wav",
                                                      QByteArray("just some text\r\n")},
                                           BrokenCase{"empty_mid", "empty.mid", QByteArray("")},
                                           BrokenCase{"missing", "missing.wav", QByteArray()}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MediaPlayerTest, AutoStartPlaysOnSettingTheUrl) {
  WriteToneWav(Path("a.wav"), 300);
  MediaPlayer p;
  EXPECT_TRUE(p.AutoStart());
  EXPECT_EQ(p.PlayState(), platform::kPlayStateUndefined);
  bool ended = false;
  QObject::connect(&p, &MediaPlayer::PlayStateChanged,
                   [&](int s) { ended = ended || s == platform::kPlayStateMediaEnded; });
  p.SetURL(Path("a.wav"));
  EXPECT_EQ(p.PlayState(), platform::kPlayStatePlaying);
  EXPECT_TRUE(WaitUntil([&] { return ended; }, kHangMs));
}

TEST_F(MediaPlayerTest, StopPauseAndPlayAgain) {
  WriteToneWav(Path("long.wav"), 3000);
  MediaPlayer p;
  p.SetAutoStart(false);
  p.SetURL(Path("long.wav"));
  p.Play();
  ASSERT_TRUE(WaitUntil([&] { return p.PlaybackBegun(); }, kHangMs));

  p.Pause();
  EXPECT_EQ(p.PlayState(), platform::kPlayStatePaused);
  p.Play();
  EXPECT_EQ(p.PlayState(), platform::kPlayStatePlaying);

  p.Stop();
  EXPECT_EQ(p.PlayState(), platform::kPlayStateStopped);
  // Stays stopped: no late "ended" or error from the stopped file.
  WaitUntil([] { return false; }, 300);
  EXPECT_EQ(p.PlayState(), platform::kPlayStateStopped);
  EXPECT_TRUE(p.Error().isEmpty());

  p.Play();  // starts the same file again from its beginning
  EXPECT_EQ(p.PlayState(), platform::kPlayStatePlaying);
  EXPECT_TRUE(WaitUntil([&] { return p.PlaybackBegun(); }, kHangMs));
  p.Stop();
}

TEST_F(MediaPlayerTest, CloseReleasesTheFile) {
  WriteToneWav(Path("held.wav"), 2000);
  MediaPlayer p;
  p.SetURL(Path("held.wav"));
  ASSERT_TRUE(WaitUntil([&] { return p.PlaybackBegun(); }, kHangMs));
  ASSERT_TRUE(ProcessHoldsFile(Path("held.wav")));

  p.Stop();
  p.Close();
  EXPECT_EQ(p.PlayState(), platform::kPlayStateUndefined);
  EXPECT_TRUE(p.URL().isEmpty());
  EXPECT_TRUE(WaitUntil([&] { return !ProcessHoldsFile(Path("held.wav")); }, kHangMs));

  // The file can be replaced, and the new contents play.
  ASSERT_TRUE(QFile::remove(Path("held.wav")));
  WriteToneWav(Path("held.wav"), 200);
  p.SetURL(Path("held.wav"));
  EXPECT_TRUE(WaitUntil([&] { return p.PlayState() == platform::kPlayStateStopped; }, kHangMs));
  EXPECT_TRUE(p.Error().isEmpty());
}

TEST_F(MediaPlayerTest, SettingAnotherUrlReleasesThePreviousFile) {
  WriteToneWav(Path("one.wav"), 2000);
  WriteToneWav(Path("two.wav"), 2000);
  MediaPlayer p;
  p.SetURL(Path("one.wav"));
  ASSERT_TRUE(WaitUntil([&] { return p.PlaybackBegun(); }, kHangMs));
  p.SetAutoStart(false);
  p.SetURL(Path("two.wav"));
  EXPECT_EQ(p.PlayState(), platform::kPlayStateReady);
  EXPECT_TRUE(WaitUntil([&] { return !ProcessHoldsFile(Path("one.wav")); }, kHangMs));
}

TEST_F(MediaPlayerTest, VolumeFollowsAtOnceAndIsClamped) {
  WriteToneWav(Path("v.wav"), 2000);
  MediaPlayer p;
  auto* out = p.findChild<QAudioOutput*>();
  ASSERT_NE(out, nullptr);
  p.SetURL(Path("v.wav"));
  ASSERT_TRUE(WaitUntil([&] { return p.PlaybackBegun(); }, kHangMs));

  const struct { int set, read; } cases[] = {{100, 100}, {75, 75}, {0, 0}, {-2, 0}, {150, 100}};
  for (const auto& c : cases) {
    p.SetVolume(c.set);
    EXPECT_EQ(p.Volume(), c.read) << c.set;
  }
  p.SetVolume(0);
  EXPECT_FLOAT_EQ(out->volume(), 0.0f);
  p.SetVolume(100);
  EXPECT_FLOAT_EQ(out->volume(), 1.0f);
  p.SetVolume(50);
  const float half = out->volume();
  p.SetVolume(80);
  EXPECT_GT(half, 0.0f);
  EXPECT_LT(half, out->volume());
  p.Stop();
}

TEST_F(MediaPlayerTest, LoopKeepsPlayingUntilStopped) {
  WriteToneWav(Path("loop.wav"), 200);
  MediaPlayer p;
  p.SetAutoStart(false);
  p.SetLoop(true);
  p.SetURL(Path("loop.wav"));
  p.Play();
  ASSERT_TRUE(WaitUntil([&] { return p.PlaybackBegun(); }, kHangMs));
  // A file five times as long, started after the loop, ends while the loop still plays.
  WriteToneWav(Path("reference.wav"), 1000);
  MediaPlayer reference;
  reference.SetURL(Path("reference.wav"));
  ASSERT_TRUE(WaitUntil(
      [&] {
        return reference.PlayState() != platform::kPlayStatePlaying ||
               p.PlayState() != platform::kPlayStatePlaying;
      },
      kHangMs));
  EXPECT_EQ(reference.PlayState(), platform::kPlayStateMediaEnded) << "the reference failed";
  EXPECT_EQ(p.PlayState(), platform::kPlayStatePlaying);
  p.Stop();
  EXPECT_EQ(p.PlayState(), platform::kPlayStateStopped);

  p.SetLoop(false);
  const std::vector<int> seen = PlayAndWatch(p, kHangMs);
  EXPECT_EQ(seen, (std::vector<int>{3, 8, 1}));
}

TEST_F(MediaPlayerTest, MovieShowsInVideoWidgetAndReportsClicksAndKeys) {
  QWidget window;
  window.resize(160, 120);
  MediaPlayer p;
  p.SetUiModeNone();
  EXPECT_EQ(p.UiMode(), "none");
  QWidget* video = p.CreateVideoWidget(&window);
  video->resize(160, 120);
  window.show();

  int clicks = 0;
  std::vector<int> keys;
  QObject::connect(&p, &MediaPlayer::Clicked, [&] { ++clicks; });
  QObject::connect(&p, &MediaPlayer::KeyPressed, [&](int k) { keys.push_back(k); });

  p.SetAutoStart(false);
  p.SetURL(FIXTURES_DIR "/clip.mp4");
  EXPECT_EQ(PlayAndWatch(p, kHangMs), (std::vector<int>{3, 8, 1}));

  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), video->mapToGlobal(QPointF(10, 10)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10),
                      video->mapToGlobal(QPointF(10, 10)), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(video, &press);
  QCoreApplication::sendEvent(video, &release);
  EXPECT_EQ(clicks, 1);

  for (auto [key, text] :
       {std::pair{Qt::Key_Escape, QString("\x1b")}, std::pair{Qt::Key_Return, QString("\r")},
        std::pair{Qt::Key_A, QString("a")}}) {
    QKeyEvent ev(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(video, &ev);
  }
  EXPECT_EQ(keys, (std::vector<int>{27, 13, 'a'}));
}

TEST_F(MediaPlayerTest, VideoWidgetMayGoFirst) {
  MediaPlayer p;
  {
    QWidget window;
    p.CreateVideoWidget(&window);
    window.show();
    p.SetURL(FIXTURES_DIR "/clip.mp4");
    ASSERT_TRUE(WaitUntil([&] { return p.PlaybackBegun(); }, kHangMs));
  }
  // The movie goes on without a picture and ends as usual.
  EXPECT_TRUE(WaitUntil([&] { return p.PlayState() == platform::kPlayStateStopped; }, kHangMs));
  EXPECT_TRUE(p.Error().isEmpty());
}

}  // namespace
