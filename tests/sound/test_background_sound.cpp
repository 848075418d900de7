// The background sound: what each sound mode starts on the first player, the sound
// list's order, the messages of files that cannot be read, and the stop of every show
// medium.
#include <QFile>
#include <ostream>

#include "core/form1.h"
#include "engine/slidescreen.h"
#include "platform/effectsound.h"
#include "tests/sound/sound_test_support.h"

namespace {

using soundtest::Player1;
using soundtest::Player2;
using soundtest::SoundTest;
using soundtest::WaitFor;

void PlayOn(platform::MediaPlayer& player, const QString& file) {
  player.SetAutoStart(false);
  player.SetURL(file);
  player.Play();
}

// Which file a mode starts at a picture slide when every candidate exists.
enum class Chosen {
  kNothing,
  kCommon,
  kSlideWav,
  kRepeatWav,
  kRepeatMidi,
  kSlideMusic,
  kListEntry,
  kRepeatMp3
};

struct ModeCase {
  short mode;
  short cdWithLinkedWavOff;
  Chosen chosen;
};

void PrintTo(const ModeCase& c, std::ostream* os) {
  *os << "mode " << c.mode << " cd wav off " << c.cdWithLinkedWavOff;
}

class ModeTable : public SoundTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeTable, StartsTheModesFileOnTheFirstPlayerAtTheAttenuatedVolume) {
  const ModeCase c = GetParam();
  core::ShowSettings& s = core::Settings();
  core::SoundState& snd = core::Sound();
  s.SoundMode = c.mode;
  s.CdWithLinkedWavOff = c.cdWithLinkedWavOff;
  snd.SoundPaused = 1;
  snd.VolumeAttenuation = 250;

  const QString common = core::Paths().AppFolder + QStringLiteral("tavu.wav");
  QDir().mkpath(core::Paths().AppFolder);
  soundtest::WriteToneWav(common, 300);
  snd.SlideWavFile = Wav("pic.wav");
  s.RepeatWavFile = Wav("repeat.wav");
  s.RepeatMidiFile = Midi("repeat.mid");
  snd.SlideMusicFile = Mp3("pic.mp3");
  s.RepeatMp3File = Mp3("repeat.mp3");
  core::Lists().SoundListEntries[1] = Wav("list1.wav");
  core::Lists().SoundListCount = 1;
  sound::form10().List1.AddItem(core::Lists().SoundListEntries[1]);

  sound::StartBackgroundSound();

  const QString expected = [&]() -> QString {
    switch (c.chosen) {
      case Chosen::kCommon:
        return common;
      case Chosen::kSlideWav:
        return File("pic.wav");
      case Chosen::kRepeatWav:
        return File("repeat.wav");
      case Chosen::kRepeatMidi:
        return File("repeat.mid");
      case Chosen::kSlideMusic:
        return File("pic.mp3");
      case Chosen::kListEntry:
        return File("list1.wav");
      case Chosen::kRepeatMp3:
        return File("repeat.mp3");
      default:
        return {};
    }
  }();
  EXPECT_EQ(Player1().URL(), expected);
  EXPECT_TRUE(Player2().URL().isEmpty());
  // The picture's files are used up whatever was chosen, except by a mode that plays nothing.
  if (c.chosen == Chosen::kNothing) {
    EXPECT_EQ(snd.SoundPaused, 0);
    EXPECT_EQ(snd.SoundStarted, 0);
    EXPECT_EQ(snd.MediaPlaying, 0);
  } else {
    EXPECT_TRUE(snd.SlideWavFile.isEmpty());
    EXPECT_TRUE(snd.SlideMusicFile.isEmpty());
    EXPECT_EQ(snd.SoundStarted, 1);
    EXPECT_EQ(snd.MediaPlaying, 1);
    EXPECT_EQ(Player1().Volume(), 75);
    EXPECT_EQ(Player1().PlayState(), platform::kPlayStatePlaying);
  }
  EXPECT_TRUE(dialogs_.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeTable,
    ::testing::Values(ModeCase{0, 1, Chosen::kCommon}, ModeCase{1, 1, Chosen::kSlideWav},
                      ModeCase{2, 0, Chosen::kSlideWav}, ModeCase{2, 1, Chosen::kNothing},
                      ModeCase{3, 1, Chosen::kRepeatWav}, ModeCase{4, 1, Chosen::kRepeatMidi},
                      ModeCase{5, 1, Chosen::kSlideMusic}, ModeCase{6, 1, Chosen::kListEntry},
                      ModeCase{7, 1, Chosen::kNothing}, ModeCase{8, 1, Chosen::kRepeatMp3},
                      ModeCase{9, 1, Chosen::kSlideMusic}));

TEST(PlayerVolume, IsTheWholePartOfWhatTheAttenuationLeaves) {
  const int cases[][2] = {{0, 100}, {5, 99}, {250, 75}, {995, 0}, {1000, 0}, {-50, 100}};
  for (const auto& c : cases) EXPECT_EQ(sound::PlayerVolume(c[0]), c[1]) << c[0];
}

TEST(MovieSlides, AreTheFourMovieExtensionsInAnyCase) {
  for (const char* path : {"/a/b.mp4", "/a/b.WMV", "/a/b.Mov", "/a/b.avi"})
    EXPECT_TRUE(sound::IsMovieSlidePath(QString::fromLatin1(path))) << path;
  for (const char* path : {"/a/b.jpg", "/a/b.mp4.txt", "", "/a/b.mp3"})
    EXPECT_FALSE(sound::IsMovieSlidePath(QString::fromLatin1(path))) << path;
}

class SoundList : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    core::Settings().SoundMode = 6;
  }
  // Puts the entries into the sound list and its editor, as the editor's OK does.
  void SetList(const QStringList& paths) {
    sound::Form10& editor = sound::form10();
    editor.List1.Clear();
    for (int i = 0; i < paths.size(); ++i) {
      core::Lists().SoundListEntries[i + 1] = paths[i];
      editor.List1.AddItem(paths[i]);
    }
    core::Lists().SoundListCount = static_cast<short>(paths.size());
  }
  // Starts the next entry (after stopping the last, as the slide player does) and
  // returns the file now on the first player.
  QString Next() {
    sound::StopShowMedia();
    sound::StartBackgroundSound();
    return Player1().URL();
  }
};

TEST_F(SoundList, PlaysTheEntriesInTurnAndWraps) {
  const QStringList list = {Wav("1.wav"), Wav("2.wav"), Wav("3.wav")};
  SetList(list);
  QStringList played;
  for (int i = 0; i < 5; ++i) played << Next();
  EXPECT_EQ(played, (QStringList{list[0], list[1], list[2], list[0], list[1]}));
}

TEST_F(SoundList, StartsOnceAtTheEditorsSelectionWhenAsked) {
  const QStringList list = {Wav("1.wav"), Wav("2.wav"), Wav("3.wav")};
  SetList(list);
  sound::form10().List1.SetListIndex(1);
  sound::form10().Check6.SetValue(1);
  QStringList played;
  for (int i = 0; i < 4; ++i) played << Next();
  EXPECT_EQ(played, (QStringList{list[1], list[2], list[0], list[1]}));
}

TEST_F(SoundList, NothingSelectedStartsAtTheFirstEntryOneSlideLater) {
  const QStringList list = {Wav("1.wav"), Wav("2.wav")};
  SetList(list);
  sound::form10().Check6.SetValue(1);  // and no entry selected
  EXPECT_TRUE(Next().isEmpty());
  EXPECT_TRUE(dialogs_.Calls().empty());
  // The list goes on at the next slide instead of falling silent.
  ASSERT_EQ(core::Sound().SoundListRestartPending, 1);
  sound::StopShowMedia();
  sound::RetrySoundList();
  EXPECT_EQ(Player1().URL(), list[0]);
}

TEST_F(SoundList, AMovieSlideTakesNoEntry) {
  SetList({Wav("1.wav"), Wav("2.wav")});
  core::Lists().SlidePaths[1] = File("clip.mp4");
  core::Lists().CurrentSlideIndex = 1;
  core::Lists().SoundListPosition = 1;
  core::Sound().SlideWavFile = Wav("clip.wav");
  EXPECT_EQ(Next(), File("clip.wav"));
  EXPECT_EQ(core::Lists().SoundListPosition, 1);
}

TEST_F(SoundList, AMissingEntryIsReportedAndSkippedAtTheNextSlide) {
  const QStringList list = {File("gone.wav"), Wav("2.wav"), Wav("3.wav")};
  SetList(list);
  EXPECT_TRUE(Next().isEmpty());
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("WAV.MIDリストファイル読込エラー"));
  EXPECT_EQ(dialogs_.Calls()[0].text,
            list[0] + QStringLiteral(
                          "\r\nファイルが読み込めません。\r\nWAV.MIDリストを確認して下さい。"));
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  EXPECT_EQ(core::Sound().SoundStarted, 0);
  ASSERT_EQ(core::Sound().SoundListRestartPending, 1);

  sound::StopShowMedia();
  sound::RetrySoundList();
  EXPECT_EQ(Player1().URL(), list[1]);
  EXPECT_EQ(core::Sound().SoundListRestartPending, 0);
}

TEST_F(SoundList, OnePassWithoutAPlayableEntryStops) {
  SetList({File("gone1.mp3"), File("gone2.mid")});
  sound::StartBackgroundSound();
  EXPECT_EQ(core::Sound().SoundListRestartPending, 1);
  sound::RetrySoundList();
  EXPECT_EQ(core::Sound().SoundListRestartPending, 0);
  EXPECT_EQ(Titles().size(), 2);

  // A new start (not a retry) tries the list afresh.
  sound::StartBackgroundSound();
  EXPECT_EQ(core::Sound().SoundListRestartPending, 1);
}

TEST_F(SoundList, AnEmptyListStaysSilent) {
  SetList({});
  sound::StartBackgroundSound();
  EXPECT_TRUE(Player1().URL().isEmpty());
  EXPECT_EQ(core::Sound().SoundListRestartPending, 0);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(SoundList, ATestPlayPlaysItsFileInAnyModeAndLeavesThePosition) {
  SetList({Wav("1.wav"), Wav("2.wav")});
  core::Lists().SoundListPosition = 1;
  core::Sound().ListTestPlayActive = 1;
  core::Sound().ListTestPlayFile = Wav("try.wav");
  for (short mode : {6, 7, 2}) {
    core::Settings().SoundMode = mode;
    EXPECT_EQ(Next(), File("try.wav")) << mode;
    EXPECT_EQ(core::Lists().SoundListPosition, 1) << mode;
  }
}

struct MissingCase {
  short mode;
  const char* title;
  const char* lastLine;  // nullptr: silent
};

void PrintTo(const MissingCase& c, std::ostream* os) { *os << "mode " << c.mode; }

class MissingFile : public SoundTest, public ::testing::WithParamInterface<MissingCase> {};

TEST_P(MissingFile, GivesTheModesMessageOrNone) {
  const MissingCase c = GetParam();
  core::Settings().SoundMode = c.mode;
  const QString gone = File("gone.file");
  core::Settings().RepeatWavFile = gone;
  core::Settings().RepeatMidiFile = gone;
  core::Settings().RepeatMp3File = gone;
  core::Sound().SlideWavFile = gone;
  core::Sound().SlideMusicFile = gone;
  core::Lists().SoundListEntries[1] = gone;
  sound::form10().List1.AddItem(gone);
  sound::form10().List1.AddItem(gone);

  sound::StartBackgroundSound();

  EXPECT_TRUE(Player1().URL().isEmpty());
  EXPECT_EQ(core::Sound().SoundStarted, 0);
  if (!c.title) {
    EXPECT_TRUE(dialogs_.Calls().empty());
    return;
  }
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  const platform::DialogCall& box = dialogs_.Calls()[0];
  EXPECT_EQ(box.title, QString::fromUtf8(c.title));
  EXPECT_EQ(box.text, gone + QStringLiteral("\r\nファイルが読み込めません。\r\n") +
                          QString::fromUtf8(c.lastLine));
  EXPECT_EQ(box.icon, platform::vbExclamation);
  EXPECT_EQ(box.buttons, platform::vbOKOnly);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, MissingFile,
    ::testing::Values(MissingCase{3, "WAVファイル読込エラー", "WAV再生を確認して下さい。"},
                      MissingCase{4, "MIDIファイル読込エラー", "MIDI再生を確認して下さい。"},
                      MissingCase{6, "WAV.MIDリストファイル読込エラー",
                                  "WAV.MIDリストを確認して下さい。"},
                      MissingCase{8, "MP3ファイル読込エラー", "MP3再生を確認して下さい。"},
                      MissingCase{1, nullptr, nullptr}, MissingCase{5, nullptr, nullptr},
                      MissingCase{9, nullptr, nullptr}));

TEST_F(SoundTest, TheSameLinkedFileIsNotStartedTwiceInARow) {
  core::Settings().SoundMode = 1;
  const QString wav = Wav("pic.wav");
  core::Sound().SlideWavFile = wav;
  sound::StartBackgroundSound();
  ASSERT_EQ(Player1().URL(), wav);
  Player1().Close();  // not through StopShowMedia, which forgets the last file
  core::Sound().SlideWavFile = wav;
  sound::StartBackgroundSound();
  EXPECT_TRUE(Player1().URL().isEmpty());

  // After a stop the same file starts again.
  sound::StopShowMedia();
  core::Sound().SlideWavFile = wav;
  sound::StartBackgroundSound();
  EXPECT_EQ(Player1().URL(), wav);
}

TEST_F(SoundTest, StopDuringAShowSilencesBothPlayersAndTheMovieButKeepsTheTicker) {
  core::Flags().ShowRunning = 1;
  core::Lists().CurrentSlideIndex = 3;
  core::form1().SetCaption(QStringLiteral("pic.jpg"));
  core::form1().Label1.SetCaption(QStringLiteral("ticker"));
  core::form1().Timer4.SetEnabled(true);
  core::Flags().TelopOnceRunning = 1;
  PlayOn(Player1(), Wav("a.wav", 2000));
  PlayOn(Player2(), Wav("b.wav", 2000));
  platform::PlayEffectSound(Wav("fx.wav", 2000), platform::kSndAsync);
  engine::form24().Show();
  core::Sound().MediaPlaying = 1;
  core::Sound().SoundStarted = 1;
  core::Sound().SoundPaused = 1;
  core::Sound().LastLinkedSoundFile = QStringLiteral("x");

  sound::StopShowMedia();

  EXPECT_EQ(Player1().PlayState(), platform::kPlayStateUndefined);
  EXPECT_EQ(Player2().PlayState(), platform::kPlayStateUndefined);
  EXPECT_FALSE(platform::EffectSoundPlaying());
  EXPECT_EQ(engine::Form24IfLoaded(), nullptr);
  const core::SoundState& snd = core::Sound();
  EXPECT_EQ(snd.MediaPlaying, 0);
  EXPECT_EQ(snd.SoundStarted, 0);
  EXPECT_EQ(snd.SoundPaused, 0);
  EXPECT_TRUE(snd.LastLinkedSoundFile.isEmpty());
  EXPECT_EQ(core::form1().Caption(), QStringLiteral("pic.jpg"));
  EXPECT_EQ(core::form1().Label1.Caption(), QStringLiteral("ticker"));
  EXPECT_TRUE(core::form1().Timer4.Enabled());
  EXPECT_EQ(core::Flags().TelopOnceRunning, 1);
  core::form1().Timer4.SetEnabled(false);
}

TEST_F(SoundTest, StopKeepsTheSecondPlayerWhenAsked) {
  PlayOn(Player1(), Wav("a.wav", 2000));
  PlayOn(Player2(), Wav("b.wav", 2000));
  core::Sound().MediaPlaying = 1;
  core::Sound().KeepPlayer2Running = 1;
  sound::StopShowMedia();
  EXPECT_EQ(Player1().PlayState(), platform::kPlayStateUndefined);
  EXPECT_EQ(Player2().PlayState(), platform::kPlayStatePlaying);
}

TEST_F(SoundTest, StopWithNothingStartedLeavesThePlayersAndFlagsButClosesTheRest) {
  PlayOn(Player1(), Wav("a.wav", 2000));
  core::Sound().SoundStarted = 1;
  core::Sound().SoundPaused = 1;
  platform::PlayEffectSound(Wav("fx.wav", 2000), platform::kSndAsync);
  engine::form24();
  sound::StopShowMedia();
  EXPECT_EQ(Player1().PlayState(), platform::kPlayStatePlaying);
  EXPECT_EQ(core::Sound().SoundStarted, 1);
  EXPECT_EQ(core::Sound().SoundPaused, 1);
  EXPECT_FALSE(platform::EffectSoundPlaying());
  EXPECT_EQ(engine::Form24IfLoaded(), nullptr);
}

TEST_F(SoundTest, StopWithNoShowPutsTheCaptionBackAndClearsTheTickers) {
  engine::Slidescreen& screen = engine::slidescreen();
  screen.Label1.SetCaption(QStringLiteral("scrolling"));
  screen.Label1.SetVisible(true);
  screen.Timer1.SetEnabled(true);
  core::form1().Label1.SetCaption(QStringLiteral("scrolling"));
  core::form1().Timer4.SetEnabled(true);
  core::Flags().TelopOnceRunning = 1;

  struct Case {
    QString file;
    QString caption;
  } cases[] = {{QStringLiteral("/shows/a.kvz"), QStringLiteral("ｽﾗｲﾄﾞ - /shows/a.kvz")},
               {QString(), core::ProgramTitle()}};
  for (const Case& c : cases) {
    core::Paths().SlideshowFilePath = c.file;
    sound::StopShowMedia();
    EXPECT_EQ(core::form1().Caption(), c.caption);
  }
  EXPECT_TRUE(screen.Label1.Caption().isEmpty());
  EXPECT_FALSE(screen.Label1.Visible());
  EXPECT_FALSE(screen.Timer1.Enabled());
  EXPECT_TRUE(core::form1().Label1.Caption().isEmpty());
  EXPECT_FALSE(core::form1().Label1.Visible());
  EXPECT_FALSE(core::form1().Timer4.Enabled());
  EXPECT_EQ(core::Flags().TelopOnceRunning, 0);
  engine::ResetSlidescreen();
}

}  // namespace
