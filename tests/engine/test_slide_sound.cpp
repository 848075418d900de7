// The slide player's sound routines with real players: what each mode plays at the show
// start and at a picture, the linked WAV on the second player, the wait for a linked
// sound, the fades, the movie's sounds, the looping modes and the CD supervision.
#include <QTimer>
#include <algorithm>
#include <ostream>
#include <set>
#include <vector>

#include "engine/form1_show.h"
#include "engine/slide_sound.h"
#include "platform/cdaudio.h"
#include "platform/effectsound.h"
#include "platform/form.h"
#include "sound/cd_audio.h"
#include "tests/sound/sound_test_support.h"

namespace {

using soundtest::Player1;
using soundtest::Player2;
using soundtest::SoundTest;
using soundtest::WaitFor;

class SlideSound : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    platform::SetCdDriveForTests(&drive_);
  }
  void TearDown() override {
    platform::SetCdDriveForTests(nullptr);
    SoundTest::TearDown();
  }
  // Slide `index` is `name` in the test folder; it becomes the current slide.
  QString Slide(int index, const QString& name) {
    core::Lists().SlidePaths[index] = File(name);
    core::Lists().CurrentSlideIndex = static_cast<short>(index);
    return File(name);
  }
  void SetList(const QStringList& paths) {
    for (int i = 0; i < paths.size(); ++i) {
      core::Lists().SoundListEntries[i + 1] = paths[i];
      sound::form10().List1.AddItem(paths[i]);
    }
    core::Lists().SoundListCount = static_cast<short>(paths.size());
  }
  // START: the CD first, then the mode's sound (not in mode 0).
  void ShowStart() {
    sound::StopShowMedia();
    sound::PlayCdTrack();
    if (core::Settings().SoundMode != 0) sound::StartBackgroundSound();
    core::Sound().SoundStartedAtShowStart = 1;
  }
  // A picture slide's sound steps, as the slide player takes them.
  void PictureSlide() {
    engine::SuperviseCd();
    engine::RestartLoopingSound();
    engine::StartPictureSounds();
  }

  platform::FakeCdDrive drive_{12};
};

// The play states a player reports from now on, in order.
class StateLog {
 public:
  explicit StateLog(platform::MediaPlayer& player) {
    connection_ = QObject::connect(&player, &platform::MediaPlayer::PlayStateChanged,
                                   [this](int s) { states_.push_back(s); });
  }
  ~StateLog() { QObject::disconnect(connection_); }
  bool Saw(int state) const {
    return std::find(states_.begin(), states_.end(), state) != states_.end();
  }
  bool Empty() const { return states_.empty(); }

 private:
  QMetaObject::Connection connection_;
  std::vector<int> states_;
};

// What a mode plays: `start` on player 1 after the show start; `picture1` and `picture2`
// on the two players after the first picture (file names in the test folder; "" none).
struct ModeCase {
  short mode;
  const char* start;
  const char* picture1;
  const char* picture2;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << "mode " << c.mode; }

class WhatPlays : public SlideSound, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(WhatPlays, AtTheShowStartAndAtAPicture) {
  const ModeCase c = GetParam();
  core::ShowSettings& s = core::Settings();
  s.SoundMode = c.mode;
  s.CdWithLinkedWavOff = 0;
  s.MidiWithLinkedWav = 1;
  s.Mp3WithLinkedWav = 1;
  s.SoundListWithLinkedWav = 1;
  QDir().mkpath(core::Paths().AppFolder);
  soundtest::WriteToneWav(core::Paths().AppFolder + QStringLiteral("tavu.wav"), 2000);
  s.RepeatWavFile = Wav("repeat.wav", 2000);
  s.RepeatMidiFile = Midi("repeat.mid");
  s.RepeatMp3File = Mp3("repeat.mp3");
  SetList({Wav("list1.wav", 2000), Wav("list2.wav", 2000)});
  Slide(1, QStringLiteral("pic1.jpg"));
  Wav("pic1.wav", 2000);
  Midi("pic1.mid");
  Mp3("pic1.mp3");

  auto name = [this](const platform::MediaPlayer& p) {
    return p.URL().isEmpty() ? QString() : QFileInfo(p.URL()).fileName();
  };
  ShowStart();
  EXPECT_EQ(name(Player1()), QString::fromLatin1(c.start));
  PictureSlide();
  EXPECT_EQ(name(Player1()), QString::fromLatin1(c.picture1));
  EXPECT_EQ(name(Player2()), QString::fromLatin1(c.picture2));
  if (!QString::fromLatin1(c.picture2).isEmpty()) EXPECT_EQ(Player2().Volume(), 100);
  // The CD plays only in its own mode.
  EXPECT_EQ(drive_.Plays().size(), c.mode == 2 ? 1u : 0u);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, WhatPlays,
    ::testing::Values(ModeCase{0, "", "tavu.wav", ""}, ModeCase{1, "", "pic1.wav", ""},
                      ModeCase{2, "", "pic1.wav", ""}, ModeCase{3, "repeat.wav", "repeat.wav", ""},
                      ModeCase{4, "repeat.mid", "repeat.mid", "pic1.wav"},
                      ModeCase{5, "", "pic1.mid", ""},
                      ModeCase{6, "list1.wav", "list1.wav", "pic1.wav"}, ModeCase{7, "", "", ""},
                      ModeCase{8, "repeat.mp3", "repeat.mp3", "pic1.wav"},
                      ModeCase{9, "", "pic1.mp3", "pic1.wav"}));

TEST_F(SlideSound, TheOneFileModesStartAgainAtThePictureAfterTheFileEnded) {
  core::Settings().SoundMode = 3;
  core::Settings().RepeatWavFile = Wav("repeat.wav", 200);
  Slide(1, QStringLiteral("pic1.jpg"));
  ShowStart();
  ASSERT_TRUE(WaitFor([] { return Player1().PlayState() == platform::kPlayStateStopped; }));

  // Paused: nothing starts.
  core::Sound().SoundPaused = 1;
  engine::RestartLoopingSound();
  EXPECT_EQ(Player1().PlayState(), platform::kPlayStateStopped);

  core::Sound().SoundPaused = 0;
  engine::RestartLoopingSound();
  EXPECT_EQ(Player1().PlayState(), platform::kPlayStatePlaying);
  EXPECT_EQ(Player1().URL(), File("repeat.wav"));
}

TEST_F(SlideSound, TheNextSlideWaitsForTheLinkedWavToEnd) {
  core::Settings().SoundMode = 1;
  Slide(1, QStringLiteral("pic1.jpg"));
  Wav("pic1.wav", 700);
  engine::StartPictureSounds();
  ASSERT_EQ(Player1().URL(), File("pic1.wav"));

  // The first slide after a show start does not wait: back with the WAV still playing.
  core::Sound().SoundStartedAtShowStart = 1;
  {
    StateLog log(Player1());
    EXPECT_FALSE(engine::WaitForLinkedSound());
    EXPECT_TRUE(log.Empty());
    EXPECT_EQ(Player1().PlayState(), platform::kPlayStatePlaying);
  }

  // Otherwise the wait ends once the WAV has ended.
  core::Sound().SoundStartedAtShowStart = 0;
  StateLog log(Player1());
  EXPECT_FALSE(engine::WaitForLinkedSound());
  EXPECT_TRUE(log.Saw(platform::kPlayStateMediaEnded));
  EXPECT_NE(Player1().PlayState(), platform::kPlayStatePlaying);
}

TEST_F(SlideSound, NoWaitWithoutSyncOrWhileSteppingByHand) {
  core::Settings().SoundMode = 1;
  Slide(1, QStringLiteral("pic1.jpg"));
  Wav("pic1.wav", 2000);
  engine::StartPictureSounds();
  struct Case {
    short syncOff;
    bool startEnabled;
  } cases[] = {{1, false}, {0, true}};
  for (const Case& c : cases) {
    core::Settings().WavSyncOff = c.syncOff;
    soundtest::Main().Command1.SetEnabled(c.startEnabled);
    StateLog log(Player1());
    EXPECT_FALSE(engine::WaitForLinkedSound());
    EXPECT_TRUE(log.Empty()) << c.syncOff;
    EXPECT_EQ(Player1().PlayState(), platform::kPlayStatePlaying) << c.syncOff;
  }
}

TEST_F(SlideSound, PauseDuringTheWaitGivesTheSlideUp) {
  core::Settings().SoundMode = 1;
  Slide(1, QStringLiteral("pic1.jpg"));
  Wav("pic1.wav", 3000);
  engine::StartPictureSounds();
  // PAUSE once the WAV sounds, while the slide waits for it.
  QTimer pause;
  QObject::connect(&pause, &QTimer::timeout, [&] {
    if (!Player1().PlaybackBegun()) return;
    soundtest::Main().Command1.SetEnabled(true);
    pause.stop();
  });
  pause.start(10);
  StateLog log(Player1());
  EXPECT_TRUE(engine::WaitForLinkedSound());
  EXPECT_TRUE(Player1().PlaybackBegun());
  EXPECT_FALSE(log.Saw(platform::kPlayStateMediaEnded)) << "given up before the WAV ended";
}

TEST_F(SlideSound, TheWaitWatchesTheSecondPlayerWhereTheLinkedWavPlaysThere) {
  core::Settings().SoundMode = 9;
  Slide(1, QStringLiteral("pic1.jpg"));
  Wav("pic1.wav", 600);  // no MP3: only the WAV on the second player
  engine::StartPictureSounds();
  ASSERT_EQ(Player2().URL(), File("pic1.wav"));
  ASSERT_TRUE(Player1().URL().isEmpty());
  StateLog log(Player2());
  EXPECT_FALSE(engine::WaitForLinkedSound());
  EXPECT_TRUE(log.Saw(platform::kPlayStateMediaEnded));
}

TEST_F(SlideSound, TheSoundListFadesOutBeforeAMovieAndGoesOnAtTheNextPicture) {
  core::Settings().SoundMode = 6;
  core::Sound().VolumeAttenuation = 900;  // a short fade: volume 10 down in steps of 2
  SetList({Wav("list1.wav", 3000), Wav("list2.wav", 3000)});
  Slide(1, QStringLiteral("pic1.jpg"));
  ShowStart();
  ASSERT_EQ(Player1().URL(), File("list1.wav"));
  ASSERT_TRUE(WaitFor([] { return Player1().PlaybackBegun(); }));

  std::vector<int> volumes;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] { volumes.push_back(Player1().Volume()); });
  probe.start(30);
  Slide(2, QStringLiteral("clip.mp4"));
  EXPECT_FALSE(engine::FadeOutBeforeSlide(true));
  probe.stop();
  // The volume went down step by step while the program's timers ran.
  ASSERT_FALSE(volumes.empty());
  EXPECT_TRUE(std::is_sorted(volumes.rbegin(), volumes.rend()));
  EXPECT_GE(std::set<int>(volumes.begin(), volumes.end()).size(), 3u);
  EXPECT_LE(volumes.back(), 2);
  EXPECT_EQ(core::Sound().MediaPlaying, 0);
  EXPECT_EQ(Player1().PlayState(), platform::kPlayStateUndefined);

  engine::StartMovieSounds();
  EXPECT_EQ(core::Sound().MovieSoundRestartPending, 1);

  Slide(3, QStringLiteral("pic3.jpg"));
  PictureSlide();
  EXPECT_EQ(Player1().URL(), File("list2.wav"));
  EXPECT_EQ(core::Sound().MovieSoundRestartPending, 0);
  EXPECT_EQ(core::Sound().SoundListRestartPending, 0);
}

TEST_F(SlideSound, WithItsLinkedWavTheListAlsoGoesOnAfterAMovie) {
  core::Settings().SoundMode = 6;
  core::Settings().SoundListWithLinkedWav = 1;
  core::Sound().VolumeAttenuation = 940;
  SetList({Wav("list1.wav", 3000), Wav("list2.wav", 3000)});
  Slide(1, QStringLiteral("pic1.jpg"));
  ShowStart();
  ASSERT_TRUE(WaitFor([] { return Player1().PlaybackBegun(); }));

  Slide(2, QStringLiteral("clip.mp4"));
  Wav("clip.wav", 3000);
  EXPECT_FALSE(engine::FadeOutBeforeSlide(true));
  engine::StartMovieSounds();
  EXPECT_EQ(Player2().URL(), File("clip.wav"));
  EXPECT_TRUE(Player1().URL().isEmpty());

  Slide(3, QStringLiteral("pic3.jpg"));
  Wav("pic3.wav", 3000);
  PictureSlide();
  EXPECT_EQ(Player1().URL(), File("list2.wav"));
  EXPECT_EQ(Player2().URL(), File("pic3.wav"));
  EXPECT_EQ(core::Sound().SoundListRestartPending, 0);
}

TEST_F(SlideSound, StopDuringTheFadeEndsThePass) {
  core::Settings().SoundMode = 6;
  SetList({Wav("list1.wav", 4000)});
  ShowStart();
  ASSERT_TRUE(WaitFor([] { return Player1().PlaybackBegun(); }));
  QTimer::singleShot(250, [] { core::Flags().ShowStopped = 1; });
  EXPECT_TRUE(engine::FadeOutBeforeSlide(true));
  EXPECT_EQ(core::Sound().MediaPlaying, 1);  // the stopping operation stops it
  EXPECT_EQ(core::Sound().SoundListRestartPending, 0);
}

TEST_F(SlideSound, InMode9OnlyAPictureWithItsOwnMp3FadesThePreviousOne) {
  core::Settings().SoundMode = 9;
  core::Sound().VolumeAttenuation = 940;
  Slide(1, QStringLiteral("pic1.jpg"));
  Mp3("pic1.mp3");
  engine::StartPictureSounds();
  ASSERT_EQ(Player1().URL(), File("pic1.mp3"));
  ASSERT_TRUE(WaitFor([] { return Player1().PlayState() == platform::kPlayStatePlaying; }));

  // The next picture has no MP3 of its own: the previous one plays on.
  Slide(2, QStringLiteral("pic2.jpg"));
  core::Sound().SlideMusicFile = engine::CurrentSlideStem() + QStringLiteral("mp3");
  EXPECT_FALSE(engine::FadeOutBeforeSlide(false));
  EXPECT_EQ(core::Sound().MediaPlaying, 1);
  engine::StartPictureSounds();
  EXPECT_EQ(Player1().URL(), File("pic1.mp3"));

  // One with its own MP3 fades the previous one out first.
  Slide(3, QStringLiteral("pic3.jpg"));
  Mp3("pic3.mp3");
  core::Sound().SlideMusicFile = engine::CurrentSlideStem() + QStringLiteral("mp3");
  EXPECT_FALSE(engine::FadeOutBeforeSlide(false));
  EXPECT_EQ(core::Sound().MediaPlaying, 0);
  engine::StartPictureSounds();
  EXPECT_EQ(Player1().URL(), File("pic3.mp3"));
}

TEST_F(SlideSound, AMovieSlideGetsItsOwnSounds) {
  struct Case {
    short mode;
    const char* player1;
    const char* player2;
  } cases[] = {{1, "clip.wav", ""}, {9, "clip.mp3", "clip.wav"}, {8, "repeat.mp3", ""}};
  Slide(1, QStringLiteral("clip.mp4"));
  Wav("clip.wav", 2000);
  Mp3("clip.mp3");
  core::Settings().RepeatMp3File = Mp3("repeat.mp3");
  for (const Case& c : cases) {
    sound::StopShowMedia();
    core::Settings().SoundMode = c.mode;
    engine::StartMovieSounds();
    EXPECT_EQ(QFileInfo(Player1().URL()).fileName(), QString::fromLatin1(c.player1)) << c.mode;
    EXPECT_EQ(QFileInfo(Player2().URL()).fileName(), QString::fromLatin1(c.player2)) << c.mode;
    if (*c.player2) EXPECT_EQ(Player2().PlayState(), platform::kPlayStatePlaying) << c.mode;
    EXPECT_EQ(core::Sound().KeepPlayer2Running, 0);
  }
}

TEST_F(SlideSound, TheSecondPlayerAlwaysPlaysAtFullVolume) {
  core::Settings().SoundMode = 9;
  core::Sound().VolumeAttenuation = 500;
  Slide(1, QStringLiteral("pic1.jpg"));
  Wav("pic1.wav", 1000);
  Mp3("pic1.mp3");
  engine::StartPictureSounds();
  EXPECT_EQ(Player1().Volume(), 50);
  EXPECT_EQ(Player2().Volume(), 100);
  // Starting the MP3 left the WAV beside it playing.
  EXPECT_EQ(Player2().PlayState(), platform::kPlayStatePlaying);
}

TEST_F(SlideSound, TheDefaultSoundReplacesAMissingPictureWavOnlyWhenItIsAFile) {
  QDir().mkpath(core::Paths().AppFolder);
  soundtest::WriteToneWav(core::Paths().AppFolder + QStringLiteral("bell.wav"), 500);
  const QString full = Wav("chime.wav", 500);
  struct Case {
    QString setting;
    QString played;
  } cases[] = {
      {QStringLiteral("*.wav"), {}},
      {QStringLiteral("*.WAV"), {}},
      {QStringLiteral("a.wa"), {}},
      {QStringLiteral("bell.wav"), core::Paths().AppFolder + QStringLiteral("bell.wav")},
      {full, full},
  };
  Slide(1, QStringLiteral("nosound.jpg"));
  for (const Case& c : cases) {
    for (short mode : {1, 9}) {
      sound::StopShowMedia();
      core::Settings().SoundMode = mode;
      core::Settings().DefaultSoundFile = c.setting;
      engine::StartPictureSounds();
      // Mode 1 plays it on the first player, mode 9 (no MP3 here) on the second.
      const platform::MediaPlayer& player = mode == 1 ? Player1() : Player2();
      EXPECT_EQ(player.URL(), c.played) << c.setting.toStdString() << " mode " << mode;
    }
  }
}

TEST_F(SlideSound, TheCdIsStartedAgainWhenItHasNotMovedSinceThePreviousPicture) {
  core::Settings().SoundMode = 2;
  core::Settings().CdWithLinkedWavOff = 1;
  core::Settings().CdTrackOrder = 2;
  core::Lists().CdProgram[1] = QStringLiteral("3");
  core::Lists().CdProgram[2] = QStringLiteral("5");
  core::Lists().CdProgramCount = 2;
  Slide(2, QStringLiteral("pic.jpg"));
  ShowStart();
  ASSERT_EQ(drive_.Plays().size(), 1u);

  engine::SuperviseCd();  // first look: the position is noted
  drive_.Advance(20);
  engine::SuperviseCd();  // it moved: nothing
  EXPECT_EQ(drive_.Plays().size(), 1u);
  engine::SuperviseCd();  // it did not move: stopped and the next entry started
  ASSERT_EQ(drive_.Plays().size(), 2u);
  EXPECT_EQ(drive_.Plays().back(), (platform::CdPlay{5, 6}));

  // Paused, or stepping by hand: the drive is left alone.
  core::Sound().CdPaused = 1;
  engine::SuperviseCd();
  engine::SuperviseCd();
  core::Sound().CdPaused = 0;
  soundtest::Main().Command1.SetEnabled(true);
  engine::SuperviseCd();
  engine::SuperviseCd();
  EXPECT_EQ(drive_.Plays().size(), 2u);
}

TEST_F(SlideSound, PauseAndStopSilenceEverything) {
  struct Case {
    const char* what;
    void (*press)();
  } cases[] = {{"PAUSE", engine::Command2_Click}, {"STOP", engine::Command3_Click}};
  for (const Case& c : cases) {
    // A running show in the one-WAV mode, a picture's WAV beside it, an effect sound and
    // a movie window.
    platform::SetScreenMousePointer(0);
    core::Flags().ShowRunning = 1;
    core::Flags().ShowStopped = 0;
    core::Lists().SlideEndIndex = 4;
    Slide(2, QStringLiteral("pic2.jpg"));
    core::Settings().SoundMode = 3;
    core::Settings().RepeatWavFile = Wav("repeat.wav", 4000);
    sound::StartBackgroundSound();
    Wav("pic2.wav", 4000);
    engine::PlayLinkedWavOnPlayer2();
    platform::PlayEffectSound(Wav("fx.wav", 4000), platform::kSndAsync);
    engine::form24();
    ASSERT_EQ(Player1().PlayState(), platform::kPlayStatePlaying);
    ASSERT_EQ(Player2().PlayState(), platform::kPlayStatePlaying);

    c.press();

    EXPECT_NE(Player1().PlayState(), platform::kPlayStatePlaying) << c.what;
    EXPECT_NE(Player2().PlayState(), platform::kPlayStatePlaying) << c.what;
    EXPECT_FALSE(platform::EffectSoundPlaying()) << c.what;
    EXPECT_EQ(engine::Form24IfLoaded(), nullptr) << c.what;
    EXPECT_EQ(core::Sound().MediaPlaying, 0) << c.what;
    // Nothing starts again at a picture until the show is started again.
    engine::RestartLoopingSound();
    EXPECT_NE(Player1().PlayState(), platform::kPlayStatePlaying) << c.what;
  }
}

TEST_F(SlideSound, PauseStopsTheCdAndTheNextStartResumesItsTrack) {
  platform::SetScreenMousePointer(0);
  core::Settings().SoundMode = 2;
  core::Settings().CdWithLinkedWavOff = 1;
  core::Settings().CdStartTrack = QStringLiteral("3");
  core::Settings().CdTrackRepeatOff = 1;
  core::Flags().ShowRunning = 1;
  core::Lists().SlideEndIndex = 4;
  Slide(2, QStringLiteral("pic2.jpg"));
  ShowStart();
  drive_.Advance(200);  // into track 4
  engine::Command2_Click();
  EXPECT_EQ(drive_.Mode(), QStringLiteral("stopped"));
  EXPECT_EQ(core::Sound().CdPaused, 1);
  sound::PlayCdTrack();
  EXPECT_EQ(drive_.Plays().back(), (platform::CdPlay{4, 0}));

  engine::Command3_Click();
  EXPECT_EQ(drive_.Mode(), QStringLiteral("stopped"));
  EXPECT_FALSE(drive_.IsOpen());
  EXPECT_EQ(core::Sound().CdPlaying, 0);
}

TEST(LinkedFileStem, IsThePathLessItsExtensionOrTheLinkedFilesFolder) {
  core::ResetAllState();
  EXPECT_EQ(engine::LinkedFileStem(QStringLiteral("/p/a.jpg")), QStringLiteral("/p/a."));
  EXPECT_EQ(engine::LinkedFileStem(QStringLiteral("/p/b.jpeg")), QStringLiteral("/p/b.j"));
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = QStringLiteral("/links");
  EXPECT_EQ(engine::LinkedFileStem(QStringLiteral("/p/a.jpg")), QStringLiteral("/links/a."));
  core::ResetAllState();
}

}  // namespace
