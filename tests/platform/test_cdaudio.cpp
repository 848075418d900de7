#include <gtest/gtest.h>

#include <QFileInfo>

#include "platform/cdaudio.h"

namespace {

using platform::CdPlay;
using platform::FakeCdDrive;
using platform::kCdOk;
using platform::SendCdAudioCommand;

struct Step {
  int advance;  // seconds the disc moves on before the command
  const char* command;
  bool ok;
  const char* reply;
};

class CdAudioTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetCdDriveForTests(&drive_); }
  void TearDown() override { platform::SetCdDriveForTests(nullptr); }

  void Run(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
      drive_.Advance(s.advance);
      QString reply = "stale";
      const int rc = SendCdAudioCommand(s.command, &reply);
      EXPECT_EQ(rc == kCdOk, s.ok) << s.command << " rc " << rc;
      EXPECT_EQ(reply.toStdString(), s.reply) << s.command;
    }
  }

  FakeCdDrive drive_{12, true, 180};
};

TEST_F(CdAudioTest, OneTrackPlayFromOpenToClose) {
  Run({
      {0, "open cdaudio", true, ""},
      {0, "open cdaudio", false, ""},  // already open: refused, the drive untouched
      {0, "status cdaudio ready", true, "true"},
      {0, "status cdaudio number of tracks", true, "12"},
      {0, "set cdaudio time format tmsf", true, ""},
      {0, "play cdaudio from 5 to 6", true, ""},
      {0, "status cdaudio mode", true, "playing"},
      {0, "status cdaudio position", true, "05:00:00:00"},
      {12, "status cdaudio position", true, "05:00:12:00"},
      {100, "status cdaudio current track", true, "5"},
      {80, "status cdaudio mode", true, "stopped"},  // track 5 has ended
      {0, "status cdaudio position", true, "05:03:00:00"},
      {30, "status cdaudio position", true, "05:03:00:00"},  // a stopped disc stays put
      {0, "stop cdaudio", true, ""},
      {0, "close cdaudio", true, ""},
  });
  EXPECT_EQ(drive_.Plays(), (std::vector<CdPlay>{{5, 6}}));
  EXPECT_EQ(drive_.Log().join('|').toStdString(), "open|play 5 6|stop|close");
  EXPECT_FALSE(drive_.IsOpen());
}

TEST_F(CdAudioTest, PlayToTheEndOfTheDiscCrossesTracks) {
  Run({
      {0, "play cdaudio from 11", true, ""},
      {200, "status cdaudio position", true, "12:00:20:00"},
      {0, "status cdaudio mode", true, "playing"},
      {170, "status cdaudio mode", true, "stopped"},
  });
  EXPECT_EQ(drive_.Plays(), (std::vector<CdPlay>{{11, 0}}));
}

TEST_F(CdAudioTest, TrackNumbersInTheirWrittenForms) {
  const struct {
    const char* command;
    bool ok;
    CdPlay play;
  } cases[] = {
      {"play cdaudio from 3 to 4", true, {3, 4}},
      {"PLAY CDAUDIO FROM 3 TO 4", true, {3, 4}},
      {"play cdaudio from  3  to 4 wait", true, {3, 4}},
      {"play cdaudio from 3.0 to 4", true, {3, 4}},
      {"play cdaudio from 03:00:00:00 to 04:00:00:00", true, {3, 4}},
      {"play cdaudio from 12 to 13", true, {12, 13}},  // the last track to the disc's end
      {"play cdaudio from 12", true, {12, 0}},
      {"play cdaudio from 13", false, {}},  // beyond the disc: the drive refuses
      {"play cdaudio from 0", false, {}},
      {"play cdaudio from 3.5 to 4", false, {}},
      {"play cdaudio from 4 to 4", false, {}},
      {"play cdaudio from x", false, {}},
      {"play cdaudio from", false, {}},
  };
  for (const auto& c : cases) {
    FakeCdDrive drive(12);
    platform::SetCdDriveForTests(&drive);
    EXPECT_EQ(SendCdAudioCommand(c.command) == kCdOk, c.ok) << c.command;
    EXPECT_EQ(drive.Plays(), c.ok ? std::vector<CdPlay>{c.play} : std::vector<CdPlay>{})
        << c.command;
    EXPECT_EQ(drive.Mode(), c.ok ? "playing" : "stopped") << c.command;
  }
}

TEST_F(CdAudioTest, NoDiscOrNoDrive) {
  drive_.SetReady(false);
  Run({
      {0, "open cdaudio", true, ""},
      {0, "status cdaudio ready", true, "false"},
      {0, "status cdaudio number of tracks", false, ""},
      {0, "status cdaudio position", false, ""},
      {0, "status cdaudio mode", true, "not ready"},
      {0, "play cdaudio from 1", false, ""},
      {0, "close cdaudio", true, ""},
  });
  EXPECT_TRUE(drive_.Plays().empty());

  drive_.SetHasDrive(false);
  EXPECT_NE(SendCdAudioCommand("open cdaudio"), kCdOk);
  EXPECT_FALSE(drive_.IsOpen());

  // A disc of one track counts as a disc: the caller decides it is too short.
  FakeCdDrive single(1);
  platform::SetCdDriveForTests(&single);
  QString reply;
  EXPECT_EQ(SendCdAudioCommand("status cdaudio number of tracks", &reply), kCdOk);
  EXPECT_EQ(reply, "1");
}

TEST_F(CdAudioTest, PauseThenPlayResumes) {
  Run({
      {0, "play cdaudio from 8 to 9", true, ""},
      {40, "pause cdaudio", true, ""},
      {0, "status cdaudio mode", true, "paused"},
      {30, "status cdaudio position", true, "08:00:40:00"},  // a paused disc does not move
      {0, "status cdaudio current track", true, "8"},
      {0, "play cdaudio", true, ""},
      {0, "status cdaudio mode", true, "playing"},
      {0, "stop cdaudio", true, ""},
      {0, "resume cdaudio", false, ""},
  });
  EXPECT_EQ(drive_.Plays(), (std::vector<CdPlay>{{8, 9}}));
}

TEST_F(CdAudioTest, VolumeCommand) {
  const struct {
    const char* command;
    bool ok;
    int volume;
  } cases[] = {
      {"setaudio cdaudio volume to 700", true, 700},
      {"setaudio cdaudio volume to 0", true, 0},
      {"setaudio cdaudio volume to 1000", true, 1000},
      {"setaudio cdaudio volume to 1001", false, 1000},
      {"setaudio cdaudio volume to -5", false, 1000},
      {"setaudio cdaudio volume to", false, 1000},
  };
  for (const auto& c : cases) {
    FakeCdDrive drive;
    platform::SetCdDriveForTests(&drive);
    EXPECT_EQ(SendCdAudioCommand(c.command) == kCdOk, c.ok) << c.command;
    EXPECT_EQ(drive.Volume(), c.volume) << c.command;
  }
}

TEST_F(CdAudioTest, UnknownCommandsAreRefusedWithoutEffect) {
  for (const char* command :
       {"", "cdaudio", "eject cdaudio", "status cdaudio length", "play waveaudio from 1",
        "set cdaudio door open", "play cdaudio at 3", "status cdaudio"}) {
    QString reply = "stale";
    EXPECT_NE(SendCdAudioCommand(command, &reply), kCdOk) << command;
    EXPECT_EQ(reply.toStdString(), "") << command;
  }
  EXPECT_TRUE(drive_.Log().isEmpty());
}

TEST_F(CdAudioTest, TheCurrentDriveIsTheTestDriveUntilReset) {
  EXPECT_EQ(&platform::CdAudioDevice(), &drive_);
  platform::SetCdDriveForTests(nullptr);
  EXPECT_NE(&platform::CdAudioDevice(), &drive_);
}

TEST(SystemCdAudio, WithoutADriveEverythingReadsNotReady) {
  if (QFileInfo::exists("/dev/sr0") || QFileInfo::exists("/dev/cdrom"))
    GTEST_SKIP() << "this machine has a CD drive";
  auto cd = platform::MakeSystemCdAudio();
  EXPECT_FALSE(cd->Open());
  EXPECT_FALSE(cd->IsReady());
  EXPECT_EQ(cd->TrackCount(), 0);
  EXPECT_EQ(cd->Mode(), "not ready");
  EXPECT_FALSE(cd->PlayTrack(1, 2));
  EXPECT_FALSE(cd->PlayFrom(1));
  EXPECT_FALSE(cd->Stop());
  EXPECT_EQ(cd->Position(), platform::CdPosition{});
  cd->Close();
  EXPECT_FALSE(cd->IsOpen());
}

}  // namespace
