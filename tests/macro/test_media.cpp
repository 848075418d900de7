// Sound, movie and program commands: the file and mode argument, effect sounds from the
// picture's folder, the sound mode with its menus, the volume, the fade and its pacing,
// movies in their three modes, and programs started without a shell.
#include <QFileInfo>
#include <QTimer>
#include <vector>

#include "engine/form24.h"
#include "macro/show_commands.h"
#include "platform/cdaudio.h"
#include "platform/dialogs.h"
#include "platform/effectsound.h"
#include "platform/mediaplayer.h"
#include "sound/background_sound.h"
#include "tests/macro/macro_fixture.h"
#include "tests/support/media_files.h"
#include "tests/support/wait.h"

namespace macro_test {
namespace {

constexpr int kKageRow = 69;
constexpr int kHangMs = 30000;  // only a hang gives up

class MediaTest : public MacroTest {
 protected:
  void SetUp() override {
    MacroTest::SetUp();
    dialogs_ = std::make_unique<platform::ScriptedDialogs>();
    core::Settings().SoundMode = 7;
  }
  void TearDown() override {
    platform::PlayEffectSound(QString(), 0);
    if (engine::Form24* movie = engine::Form24IfLoaded()) movie->Unload();
    core::form1().WindowsMediaPlayer1.Close();
    platform::SetCdDriveForTests(nullptr);
    platform::DestroyPendingNow();
    dialogs_.reset();
    MacroTest::TearDown();
  }
  QString File(const QString& name) const { return dir_.filePath(name); }
  platform::MediaPlayer& Player1() { return core::form1().WindowsMediaPlayer1; }

  std::unique_ptr<platform::ScriptedDialogs> dialogs_;
};

TEST_F(MediaTest, TheFileAndModeArgumentNeverFails) {
  const struct {
    const char* text;
    const char* file;
    short mode;
  } cases[] = {
      {"PLAYWAV(\"A.WAV\",1)", "A.WAV", 1},
      {"PLAYWAV(\"A,B.WAV\", 2 )", "A,B.WAV", 2},
      {"PLAYWAV(\"A.WAV\")", "A.WAV", 0},
      {"PLAYWAV(\"A.WAV\",2", "A.WAV", 0},
      {"PLAYWAV(\"A.WAV\",2.5)", "A.WAV", 2},
      {"PLAYWAV(\"A.WAV\",3.5)", "A.WAV", 4},
      {"PLAYWAV(\"A.WAV\",X)", "A.WAV", 0},
      {"PLAYWAV(\"A.WAV\",99999)", "A.WAV", 0},
      {"PLAYWAV(\"A.WAV,1)", "", 1},
      {"PLAYWAV(\"\",1)", "", 1},
      {"PLAYWAV", "", 0},
  };
  for (const auto& c : cases) {
    const macro::FileModeArg arg = macro::GetFileModeArg(QString::fromUtf8(c.text));
    EXPECT_EQ(arg.file, QString::fromUtf8(c.file)) << c.text;
    EXPECT_EQ(arg.mode, c.mode) << c.text;
  }
}

TEST_F(MediaTest, PlayWavPlaysTheNamedFileBesideThePictureInItsOwnCase) {
  test_support::WriteToneWav(File("Bell.wav"), 4000);
  Run({"PlayWav(\"Bell.wav\",0)   // a bell"});
  EXPECT_TRUE(platform::EffectSoundPlaying());
  Run({"STOPWAV"});
  EXPECT_FALSE(platform::EffectSoundPlaying());
  // The upper-cased name is another file here; mode 3 plays nothing.
  Run({"PLAYWAV(\"BELL.WAV\",0)"});
  EXPECT_FALSE(platform::EffectSoundPlaying());
  Run({"PLAYWAV(\"Bell.wav\",3)"});
  EXPECT_FALSE(platform::EffectSoundPlaying());
  // A full path is taken as it is.
  Run({"PLAYWAV(\"" + File("Bell.wav") + "\")"});
  EXPECT_TRUE(platform::EffectSoundPlaying());
}

TEST_F(MediaTest, PlayWavModeTwoRepeatsUntilStopWav) {
  test_support::WriteToneWav(File("tick.wav"), 200);
  Run({"PLAYWAV(\"tick.wav\",2)"});
  // Still sounding well after one play's length.
  test_support::WaitFor([] { return false; }, 800);
  EXPECT_TRUE(platform::EffectSoundPlaying());
  Run({"STOPWAV"});
  EXPECT_FALSE(platform::EffectSoundPlaying());
}

TEST_F(MediaTest, PlayWavModeOneHoldsTheMacroForTheSoundOnly) {
  test_support::WriteToneWav(File("short.wav"), 300);
  QFile junk(File("junk.wav"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write(QByteArray(3000, '\x5a'));
  junk.close();
  std::vector<bool> playingAtKage;
  Handle(kKageRow, [&] {
    playingAtKage.push_back(platform::EffectSoundPlaying());
    macro::ConsumeLine();
  });
  Run({"PLAYWAV(\"short.wav\",1)", "KAGE=1", "PLAYWAV(\"junk.wav\",1)", "KAGE=1",
       "PLAYWAV(\"missing.wav\",1)", "KAGE=1"});
  EXPECT_EQ(playingAtKage, std::vector<bool>({false, false, false}));
}

TEST_F(MediaTest, SoundEndSwitchesTheWaitForTheLinkedSound) {
  const struct {
    const char* line;
    short before, after;
  } cases[] = {
      {"SOUNDEND=0", 0, 1}, {"SoundEnd=1", 1, 0}, {"SOUNDEND=2", 1, 1}, {"SOUNDEND=2", 0, 0}};
  for (const auto& c : cases) {
    SetUp();
    core::Settings().WavSyncOff = c.before;
    core::form1().mnuDOU[c.before].SetChecked(true);
    core::form1().mnuDOU[1 - c.before].SetChecked(false);
    Run({c.line});
    EXPECT_EQ(core::Settings().WavSyncOff, c.after) << c.line;
    EXPECT_EQ(core::form1().mnuDOU[c.after].Checked(), true) << c.line;
    EXPECT_EQ(core::form1().mnuDOU[1 - c.after].Checked(), false) << c.line;
    TearDown();
  }
}

TEST_F(MediaTest, SoundSetChangesTheModeAndItsMenus) {
  core::Form1& f1 = core::form1();
  core::Settings().SoundMode = 7;
  f1.mnuKOU[7].SetChecked(true);
  core::Settings().RepeatWavFile = File("loop.wav");
  test_support::WriteToneWav(File("loop.wav"), 5000);
  Run({"SOUNDSET=3"});
  EXPECT_EQ(core::Settings().SoundMode, 3);
  EXPECT_FALSE(f1.mnuKOU[7].Checked());
  EXPECT_TRUE(f1.mnuKOU[3].Checked());
  EXPECT_FALSE(f1.mnuCDM.Enabled());
  EXPECT_FALSE(f1.mnuDOUKI.Enabled());
  // The new mode's sound starts at once.
  EXPECT_EQ(core::Sound().MediaPlaying, 1);
  EXPECT_EQ(QFileInfo(Player1().URL()).fileName(), QStringLiteral("loop.wav"));

  // The mode in force, and a mode that does not exist, change nothing: no restart.
  Player1().SetVolume(37);
  Run({"SOUNDSET=3", "SOUNDSET=10", "SOUNDSET=-1"});
  EXPECT_EQ(core::Settings().SoundMode, 3);
  EXPECT_EQ(Player1().Volume(), 37);
  EXPECT_EQ(core::Sound().MediaPlaying, 1);

  Run({"SOUNDSET=1"});
  EXPECT_EQ(core::Settings().SoundMode, 1);
  EXPECT_TRUE(f1.mnuDOUKI.Enabled());
  EXPECT_TRUE(f1.mnuKOICHI.Enabled());
  Run({"SOUNDSET=5"});
  EXPECT_FALSE(f1.mnuDOUKI.Enabled());
  EXPECT_TRUE(f1.mnuKOICHI.Enabled());
  Run({"SOUNDSET=7.4"});
  EXPECT_EQ(core::Settings().SoundMode, 7);
  EXPECT_TRUE(Player1().URL().isEmpty());
}

TEST_F(MediaTest, SoundSetToTheCdStartsTheDiscOrSaysItIsNotReady) {
  for (bool ready : {true, false}) {
    SetUp();
    platform::FakeCdDrive drive(12, ready);
    platform::SetCdDriveForTests(&drive);
    core::Settings().CdStartTrack = QStringLiteral("1");
    Run({"SOUNDSET=2"});
    EXPECT_EQ(core::Settings().SoundMode, 2);
    EXPECT_TRUE(core::form1().mnuCDM.Enabled());
    EXPECT_EQ(drive.Plays().empty(), !ready);
    EXPECT_EQ(dialogs_->Calls().size(), ready ? 0u : 1u);
    if (!ready && !dialogs_->Calls().empty())
      EXPECT_TRUE(dialogs_->Calls()[0].text.contains(QStringLiteral("ＣＤが準備できていません。")));
    TearDown();
  }
}

TEST_F(MediaTest, AModeChosenRightAfterAFadeStaysSilentUntilTheNextSlide) {
  core::Sound().SoundFadedOut = 1;
  core::Settings().RepeatWavFile = File("loop.wav");
  test_support::WriteToneWav(File("loop.wav"), 2000);
  Run({"SOUNDSET=3"});
  EXPECT_EQ(core::Settings().SoundMode, 3);
  EXPECT_EQ(core::Sound().SoundFadedOut, 0);
  EXPECT_EQ(core::Sound().MediaPlaying, 0);
}

TEST_F(MediaTest, ASoundModeOutsideTheIntegerRangeEndsTheRun) {
  Run({"SOUNDSET=99999", "KAGE=2"});
  EXPECT_EQ(core::Settings().SoundMode, 7);
  EXPECT_EQ(M().KageMode, 0);
}

TEST_F(MediaTest, VolumeCommandsSetStepAndApplyTheAttenuation) {
  const struct {
    short before;
    const char* line;
    short after;
  } cases[] = {
      {500, "MP3VOL=150", 0}, {500, "MP3VOL=-5", 1000}, {0, "MP3VOL=55.55", 444},
      {0, "Mp3Vol=70", 300},  {950, "MP3DOWN", 1000},   {300, "MP3DOWN", 400},
      {50, "MP3UP", 0},       {300, "MP3UP", 200},      {300, "MP3VOL", 1000},
  };
  for (const auto& c : cases) {
    SetUp();
    core::Settings().SoundMode = 3;
    core::Sound().VolumeAttenuation = c.before;
    Run({c.line});
    EXPECT_EQ(core::Sound().VolumeAttenuation, c.after) << c.line;
    EXPECT_EQ(Player1().Volume(), (1000 - c.after) / 10) << c.line;
    TearDown();
  }
}

TEST_F(MediaTest, TheVolumeGoesWhereTheSoundModePlays) {
  platform::FakeCdDrive drive;
  platform::SetCdDriveForTests(&drive);
  core::Settings().SoundMode = 2;
  Player1().SetVolume(55);
  Run({"MP3VOL=70"});
  EXPECT_EQ(drive.Volume(), 700);
  EXPECT_EQ(Player1().Volume(), 55);
  core::Settings().SoundMode = 7;
  Run({"MP3UP"});
  EXPECT_EQ(core::Sound().VolumeAttenuation, 200);
  EXPECT_EQ(drive.Volume(), 700);
  EXPECT_EQ(Player1().Volume(), 55);
}

// The background sound of mode 3 playing on the main window's player.
void StartRepeatedWav(const QString& path) {
  core::Settings().SoundMode = 3;
  core::Settings().RepeatWavFile = path;
  test_support::WriteToneWav(path, 10000);
  sound::StartBackgroundSound();
  ASSERT_EQ(core::Sound().MediaPlaying, 1);
  ASSERT_EQ(core::form1().WindowsMediaPlayer1.PlayState(), platform::kPlayStatePlaying);
}

TEST_F(MediaTest, FadeOutLowersTheVolumeInStepsThenStopsTheShowsMedia) {
  StartRepeatedWav(File("loop.wav"));
  std::vector<int> volumes;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const int v = Player1().Volume();
    if (volumes.empty() || volumes.back() != v) volumes.push_back(v);
  });
  probe.start(0);
  Run({"FADEOUT=3"});
  probe.stop();
  // 100 at the start, then 31 steps of 33 from 1000: 96, 93, 90, ... 1, 0.
  ASSERT_EQ(volumes.size(), 32u);
  EXPECT_EQ(volumes[0], 100);
  EXPECT_EQ(volumes[1], 96);
  EXPECT_EQ(volumes[2], 93);
  EXPECT_EQ(volumes[30], 1);
  EXPECT_EQ(volumes[31], 0);
  EXPECT_EQ(core::Sound().MediaPlaying, 0);
  EXPECT_EQ(core::Sound().SoundFadedOut, 1);
  EXPECT_EQ(core::Sound().FadeOutRestartPending, 1);
  EXPECT_EQ(core::Sound().VolumeAttenuation, 0);
}

TEST_F(MediaTest, FadeOutWithNothingPlayingStopsAtOnce) {
  test_support::WriteToneWav(File("fx.wav"), 4000);
  Run({"PLAYWAV(\"fx.wav\",0)", "FADEOUT=50", "KAGE=2"});
  EXPECT_FALSE(platform::EffectSoundPlaying());
  EXPECT_EQ(core::Sound().SoundFadedOut, 1);
  EXPECT_EQ(core::Sound().FadeOutRestartPending, 1);
  EXPECT_EQ(M().KageMode, 2);
}

TEST_F(MediaTest, AStopDuringTheFadeEndsTheRunThere) {
  StartRepeatedWav(File("loop.wav"));
  int passes = 0;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (++passes == 4) core::Flags().ShowStopped = 1;
  });
  probe.start(0);
  Run({"FADEOUT=50", "KAGE=2"});
  probe.stop();
  EXPECT_EQ(M().KageMode, 0);
  EXPECT_EQ(core::Sound().SoundFadedOut, 0);
  EXPECT_EQ(core::Sound().MediaPlaying, 1);
}

class MovieTest : public MediaTest {
 protected:
  void SetUp() override {
    MediaTest::SetUp();
    test_support::CopyFixture("clip.mp4", File("Clip.mp4"));
    Handle(kKageRow, [this] {
      engine::Form24* movie = engine::Form24IfLoaded();
      movieUpAtNextLine_ = movie && movie->isVisible();
      macro::ConsumeLine();
    });
  }
  bool movieUpAtNextLine_ = false;
};

TEST_F(MovieTest, ModeOneWaitsForTheMovieToEnd) {
  Run({"Movie(\"Clip.mp4\",1)  // the clip", "KAGE=1"});
  EXPECT_FALSE(movieUpAtNextLine_);
  EXPECT_EQ(engine::Form24IfLoaded(), nullptr);
  EXPECT_TRUE(dialogs_->Calls().empty());
}

TEST_F(MovieTest, ModeZeroGoesOnAndAnEmptyNameClosesTheWindow) {
  Run({"MOVIE(\"Clip.mp4\",0)", "KAGE=1"});
  EXPECT_TRUE(movieUpAtNextLine_);
  ASSERT_NE(engine::Form24IfLoaded(), nullptr);
  EXPECT_EQ(engine::form24().WindowsMediaPlayer1.URL(), File("Clip.mp4"));
  EXPECT_EQ(core::Settings().MovieLoop, 0);
  for (const char* close : {"MOVIE(\"\",0)", "MOVIE"}) {
    Run({"MOVIE(\"Clip.mp4\",0)"});
    Run({close});
    platform::DestroyPendingNow();
    EXPECT_EQ(engine::Form24IfLoaded(), nullptr) << close;
  }
}

TEST_F(MovieTest, ModeTwoLoopsAndOtherModesOnlyGiveThePlayerTheFile) {
  Run({"MOVIE(\"Clip.mp4\",2)", "KAGE=1"});
  EXPECT_TRUE(movieUpAtNextLine_);
  EXPECT_EQ(core::Settings().MovieLoop, 1);
  EXPECT_TRUE(engine::form24().WindowsMediaPlayer1.Loop());
  Run({"MOVIE(\"\",0)"});
  platform::DestroyPendingNow();

  Run({"MOVIE(\"Clip.mp4\",5)", "KAGE=1"});
  EXPECT_FALSE(movieUpAtNextLine_);
  // A bare name is the picture's folder's file, in its own case.
  EXPECT_EQ(engine::form24().WindowsMediaPlayer1.URL(), File("Clip.mp4"));
  EXPECT_FALSE(engine::form24().isVisible());
}

// A program that writes the arguments it was given, one a line, beside itself.
QString WriteArgumentRecorder(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return {};
  f.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args\"\n");
  f.close();
  f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
  return path + QStringLiteral(".args");
}

QStringList ReadLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

TEST_F(MediaTest, ShellStartsTheProgramWithItsArgumentsAndNoShell) {
  const QString args = WriteArgumentRecorder(File("Rec.sh"));
  Run({"Shell \"Rec.sh Alpha  beta $HOME;touch Made\" // started", "KAGE=2"});
  ASSERT_TRUE(test_support::WaitFor([&] { return QFile::exists(args); }, kHangMs));
  ASSERT_TRUE(test_support::WaitFor([&] { return ReadLines(args).size() == 4; }, kHangMs));
  EXPECT_EQ(ReadLines(args), QStringList({"Alpha", "beta", "$HOME;touch", "Made"}));
  EXPECT_FALSE(QFile::exists(File("Made")));
  EXPECT_EQ(M().KageMode, 2);
  EXPECT_EQ(M().ErrorsIgnored, 0);
}

TEST_F(MediaTest, ShellWithoutACommandOrAProgramDoesNothing) {
  for (const char* line :
       {"SHELL \"\"", "SHELL \"Rec.sh", "SHELL", "SHELL \"no-such-program-42 x\""}) {
    SetUp();
    Run({line, "KAGE=2"});
    EXPECT_EQ(M().KageMode, 2) << line;
    EXPECT_EQ(M().ErrorsIgnored, 0) << line;
    TearDown();
  }
}

}  // namespace
}  // namespace macro_test
