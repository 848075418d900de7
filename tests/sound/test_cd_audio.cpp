// CD audio against the fake drive: the track orders, the programme and its end, pause
// and resume, the disc checks and the stop.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "core/state.h"
#include "platform/cdaudio.h"
#include "platform/dialogs.h"
#include "platform/random.h"
#include "sound/cd_audio.h"

namespace {

using platform::CdPlay;

class CdAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::ResetAllState();
    platform::SetCdDriveForTests(&drive_);
    core::Settings().SoundMode = 2;
    core::Settings().CdStartTrack = QStringLiteral("1");
  }
  void TearDown() override {
    platform::SetCdDriveForTests(nullptr);
    core::ResetAllState();
  }
  void SetProgramme(const QStringList& entries) {
    for (int i = 0; i < entries.size(); ++i) core::Lists().CdProgram[i + 1] = entries[i];
    core::Lists().CdProgramCount = static_cast<short>(entries.size());
  }
  // The plays of `calls` calls, as each call ends the previous play first.
  std::vector<CdPlay> PlayTimes(int calls) {
    for (int i = 0; i < calls; ++i) {
      drive_.FinishPlay();
      sound::PlayCdTrack();
    }
    return drive_.Plays();
  }
  QStringList Messages() const {
    QStringList texts;
    for (const auto& call : dialogs_.Calls()) texts << call.title + QLatin1Char('|') + call.text;
    return texts;
  }

  platform::FakeCdDrive drive_{12};
  platform::ScriptedDialogs dialogs_;
};

struct TrackOrderCase {
  const char* start;
  short repeatOff;
  CdPlay play;
};

void PrintTo(const TrackOrderCase& c, std::ostream* os) {
  *os << "start \"" << c.start << "\" repeat off " << c.repeatOff;
}

class TrackOrder : public CdAudioTest, public ::testing::WithParamInterface<TrackOrderCase> {};

TEST_P(TrackOrder, PlaysTheStartTrackAloneOrToTheEndEveryTime) {
  const TrackOrderCase c = GetParam();
  core::Settings().CdStartTrack = QString::fromLatin1(c.start);
  core::Settings().CdTrackRepeatOff = c.repeatOff;
  EXPECT_EQ(PlayTimes(2), (std::vector<CdPlay>{c.play, c.play}));
  EXPECT_EQ(core::Settings().CdStartTrack, QString::fromLatin1(c.start));
  EXPECT_EQ(core::Sound().CdPlaying, 1);
  EXPECT_TRUE(dialogs_.Calls().empty());
  // The drive was opened and told to count in tracks before the first play.
  EXPECT_EQ(drive_.Log().first(), QStringLiteral("open"));
}

INSTANTIATE_TEST_SUITE_P(Cases, TrackOrder,
                         ::testing::Values(TrackOrderCase{"5", 0, {5, 6}},
                                           TrackOrderCase{"12", 0, {12, 0}},
                                           TrackOrderCase{" 5", 0, {5, 6}},
                                           TrackOrderCase{"5", 1, {5, 0}},
                                           TrackOrderCase{"1", 1, {1, 0}}));

TEST_F(CdAudioTest, AStartTrackThatIsNoTrackOfTheDiscIsRefused) {
  for (const char* start : {"13", "0", "", "abc", "3.5", "5;stop cdaudio", "-2", "5 to 7"}) {
    dialogs_.ClearCalls();
    core::Settings().CdStartTrack = QString::fromLatin1(start);
    sound::PlayCdTrack();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("ＣＤ再生|ＣＤトラック設定が不適切です。")})
        << start;
    EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  }
  EXPECT_TRUE(drive_.Plays().empty());
  EXPECT_FALSE(drive_.Log().join(' ').contains(QStringLiteral("stop")));
}

TEST_F(CdAudioTest, ADiscThatIsNotReadyOrHasOneTrackIsReported) {
  struct Case {
    bool drive;
    bool ready;
    int tracks;
  } cases[] = {{false, false, 12}, {true, false, 12}, {true, true, 1}, {true, true, 0}};
  for (const Case& c : cases) {
    dialogs_.ClearCalls();
    drive_.SetHasDrive(c.drive);
    drive_.SetReady(c.ready);
    drive_.SetTrackCount(c.tracks);
    sound::PlayCdTrack();
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("ＣＤ再生|ＣＤが準備できていません。")})
        << c.drive << c.ready << c.tracks;
  }
  EXPECT_TRUE(drive_.Plays().empty());
}

TEST_F(CdAudioTest, RandomOrderPicksAnyTrackAndKeepsIt) {
  core::Settings().CdTrackOrder = 1;
  core::Settings().CdStartTrack = QStringLiteral("99");  // not checked in random order
  platform::ScriptRandom({0.0, 0.5, 0.999});
  EXPECT_EQ(PlayTimes(3), (std::vector<CdPlay>{{1, 2}, {7, 8}, {12, 0}}));
  EXPECT_EQ(core::Settings().CdStartTrack, QStringLiteral(" 12"));
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(CdAudioTest, TheProgrammePlaysItsEntriesInTurnAndStartsAgain) {
  core::Settings().CdTrackOrder = 2;
  SetProgramme({QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("12")});
  EXPECT_EQ(PlayTimes(4), (std::vector<CdPlay>{{3, 4}, {7, 8}, {12, 0}, {3, 4}}));
  EXPECT_EQ(core::Settings().CdStartTrack, QStringLiteral("3"));
  EXPECT_EQ(core::Lists().CdProgramPosition, 1);
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
}

TEST_F(CdAudioTest, EntriesThatAreNoTracksOfTheDiscArePassedOver) {
  core::Settings().CdTrackOrder = 2;
  SetProgramme({QStringLiteral("x"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("99"),
                QStringLiteral("2.5"), QStringLiteral(" 7 ")});
  EXPECT_EQ(PlayTimes(3), (std::vector<CdPlay>{{3, 4}, {7, 8}, {3, 4}}));
  // An entry beyond the disc never blocks the next call.
  EXPECT_TRUE(dialogs_.Calls().empty());

  // A programme with no track of the disc plays nothing and does not hang.
  SetProgramme({QStringLiteral("x"), QStringLiteral("40")});
  core::Lists().CdProgramPosition = 0;
  sound::PlayCdTrack();
  EXPECT_EQ(drive_.Plays().size(), 3u);
}

TEST_F(CdAudioTest, TheEndOfTheProgrammeEndsTheShowOrTheLinkFileWhenAsked) {
  core::Settings().CdTrackOrder = 2;
  core::Settings().StopShowAtCdProgramEnd = 1;
  SetProgramme({QStringLiteral("3"), QStringLiteral("7")});
  EXPECT_EQ(PlayTimes(3), (std::vector<CdPlay>{{3, 4}, {7, 8}}));
  EXPECT_EQ(core::Flags().ShowEndRequested, 1);
  EXPECT_EQ(core::Sound().ListEndForced, 0);

  core::Flags().ShowEndRequested = 0;
  core::Lists().LinkRunActive = 1;
  sound::PlayCdTrack();
  EXPECT_EQ(core::Sound().ListEndForced, 1);
  EXPECT_EQ(core::Flags().ShowEndRequested, 0);
  EXPECT_EQ(drive_.Plays().size(), 2u);
}

TEST_F(CdAudioTest, AnEmptyProgrammeDoesNothing) {
  core::Settings().CdTrackOrder = 2;
  sound::PlayCdTrack();
  EXPECT_TRUE(drive_.Plays().empty());
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(CdAudioTest, PauseKeepsTheTrackAndTheNextPlayResumesItByTheOrder) {
  struct Case {
    short order;
    short repeatOff;
    CdPlay resumed;
    const char* startAfter;
  } cases[] = {
      {0, 0, {8, 9}, "1"},  // track order, one track: track 8 alone again
      {0, 1, {8, 0}, "1"},  // track order, to the end: from track 8
      {1, 0, {4, 5}, "1"},  // random: a new pick, kept where the paused track was
  };
  for (const Case& c : cases) {
    platform::FakeCdDrive drive{12};
    platform::SetCdDriveForTests(&drive);
    core::Settings().CdTrackOrder = c.order;
    core::Settings().CdTrackRepeatOff = c.repeatOff;
    core::Settings().CdStartTrack = QStringLiteral("1");
    drive.PlayFrom(8);
    sound::PauseCdAudio();
    EXPECT_EQ(core::Sound().CdPaused, 1);
    EXPECT_EQ(core::Sound().CdPausedTrack.trimmed(), QStringLiteral("8"));
    EXPECT_EQ(drive.Mode(), QStringLiteral("stopped"));

    platform::ScriptRandom({0.3});
    sound::PlayCdTrack();
    EXPECT_EQ(drive.Plays().back(), c.resumed) << c.order << c.repeatOff;
    EXPECT_EQ(core::Sound().CdPaused, 0);
    EXPECT_EQ(core::Settings().CdStartTrack, QString::fromLatin1(c.startAfter));
  }
  platform::SetCdDriveForTests(&drive_);
}

TEST_F(CdAudioTest, OutsideTheCdModeNothingIsSent) {
  core::Settings().SoundMode = 0;
  core::Sound().CdPaused = 1;
  core::Sound().ListEndForced = 1;
  core::Sound().LastCdPosition = QStringLiteral("03:01:02");
  sound::PlayCdTrack();
  sound::PauseCdAudio();
  sound::StopCdAudio();
  EXPECT_TRUE(drive_.Log().isEmpty());
  EXPECT_EQ(core::Sound().CdPaused, 0);
  EXPECT_EQ(core::Sound().ListEndForced, 0);
  EXPECT_EQ(core::Sound().LastCdPosition, QStringLiteral("03:01:02"));
}

TEST_F(CdAudioTest, StopStopsAndClosesTheDriveAndForgetsThePosition) {
  sound::PlayCdTrack();
  core::Sound().CdPaused = 1;
  core::Sound().ListEndForced = 1;
  core::Sound().LastCdPosition = QStringLiteral("01:00:05");
  sound::StopCdAudio();
  EXPECT_EQ(drive_.Log().mid(drive_.Log().size() - 2),
            (QStringList{QStringLiteral("stop"), QStringLiteral("close")}));
  EXPECT_EQ(drive_.Mode(), QStringLiteral("stopped"));
  EXPECT_FALSE(drive_.IsOpen());
  EXPECT_EQ(core::Sound().CdPaused, 0);
  EXPECT_EQ(core::Sound().ListEndForced, 0);
  EXPECT_EQ(core::Sound().CdPlaying, 0);
  EXPECT_TRUE(core::Sound().LastCdPosition.isEmpty());
}

TEST_F(CdAudioTest, RepliesGoIntoTheReplyBuffer) {
  EXPECT_EQ(sound::SendCdCommand(QStringLiteral("status cdaudio number of tracks")),
            QStringLiteral("12"));
  const QString& buffer = core::Sound().MciReturn;
  EXPECT_EQ(buffer.size(), 255);
  EXPECT_TRUE(buffer.startsWith(QStringLiteral("12")));
  EXPECT_EQ(buffer.at(2), QChar(0));
}

TEST(TrackNumbers, AreDecimalDigitsWithBlanksAround) {
  EXPECT_EQ(sound::TrackNumber(QStringLiteral("7")), 7);
  EXPECT_EQ(sound::TrackNumber(QStringLiteral(" 12 ")), 12);
  EXPECT_EQ(sound::TrackNumber(QStringLiteral("007")), 7);
  for (const char* bad : {"", " ", "1e2", "3.0", "+3", "-3", "3 4", "&H5", "99999"})
    EXPECT_FALSE(sound::TrackNumber(QString::fromLatin1(bad)).has_value()) << bad;
}

}  // namespace
