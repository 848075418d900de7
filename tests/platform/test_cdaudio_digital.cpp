// The CD played digitally: sectors read from a source into a sound output, with
// a fake source and output the test drives, and the system path on a disc image.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <cstring>

#include "platform/cdaudio.h"
#include "platform/cdaudio_digital.h"
#include "tests/support/wait.h"

namespace {

using platform::CdTrackInfo;
using platform::kCdOk;
using platform::kCdSectorBytes;
using platform::SendCdAudioCommand;

// A sector whose frames carry its own number, so the sound says where it came from.
QByteArray SectorBytes(int sector) {
  QByteArray bytes(kCdSectorBytes, Qt::Uninitialized);
  for (int i = 0; i < kCdSectorBytes / 4; ++i) {
    const int16_t frame[2] = {int16_t(sector), int16_t(i)};
    std::memcpy(bytes.data() + i * 4, frame, 4);
  }
  return bytes;
}

// The sectors a stream of bytes holds, in order; -1 for a sector that is not whole.
std::vector<int> SectorsIn(const QByteArray& pcm) {
  std::vector<int> sectors;
  for (qsizetype at = 0; at + kCdSectorBytes <= pcm.size(); at += kCdSectorBytes) {
    int16_t first = 0;
    std::memcpy(&first, pcm.constData() + at, 2);
    sectors.push_back(pcm.mid(at, kCdSectorBytes) == SectorBytes(first) ? first : -1);
  }
  return sectors;
}

std::vector<int> Range(int first, int end) {
  std::vector<int> v;
  for (int s = first; s < end; ++s) v.push_back(s);
  return v;
}

// Three music tracks of 3, 2 and 3 seconds, then a data track.
const std::vector<CdTrackInfo> kDisc = {
    {1, 0, 225, true}, {2, 225, 375, true}, {3, 375, 600, true}, {4, 600, 900, false}};

class FakeSectorSource : public platform::CdSectorSource {
 public:
  bool DrivePresent() override { return present_; }
  std::vector<CdTrackInfo> ReadToc() override { return toc_; }
  bool Start(int first, int end) override {
    log_ << QStringLiteral("start %1 %2").arg(first).arg(end);
    if (refuse_) return false;
    next_ = first;
    end_ = end;
    return true;
  }
  int Read(int count, char* out) override {
    if (hold_) return 0;
    int n = 0;
    for (; n < count && next_ < end_; ++n, ++next_) {
      if (next_ == fail_at_) return n > 0 ? n : -1;
      std::memcpy(out + n * kCdSectorBytes, SectorBytes(next_).constData(), kCdSectorBytes);
    }
    return n;
  }
  void Stop() override { log_ << "stop"; }

  std::vector<CdTrackInfo> toc_ = kDisc;
  bool present_ = true;
  bool refuse_ = false;
  bool hold_ = false;  // the drive has nothing yet
  int fail_at_ = -1;
  QStringList log_;
  int next_ = 0;
  int end_ = 0;
};

// A sound card of one second's buffer that plays only when the test says so.
class FakePcmOutput : public platform::PcmOutput {
 public:
  bool Start() override {
    log_ << "start";
    received_.clear();
    played_ = 0;
    suspended_ = false;
    return true;
  }
  qint64 BytesFree() override { return kBuffer - (received_.size() - played_); }
  qint64 Write(const char* data, qint64 size) override {
    const qint64 n = std::min(size, BytesFree());
    received_.append(data, n);
    return n;
  }
  qint64 PlayedBytes() override { return played_; }
  void Suspend() override {
    log_ << "suspend";
    suspended_ = true;
  }
  void Resume() override {
    log_ << "resume";
    suspended_ = false;
  }
  void Stop() override { log_ << "stop"; }
  void SetVolume(double volume) override { volume_ = volume; }

  // The card plays `seconds` of what it holds (nothing while suspended).
  void Play(double seconds) {
    if (suspended_) return;
    const qint64 bytes = qint64(seconds * 75) * kCdSectorBytes;
    played_ = std::min<qint64>(received_.size(), played_ + bytes);
  }

  static constexpr qint64 kBuffer = 75 * kCdSectorBytes;
  QByteArray received_;
  qint64 played_ = 0;
  bool suspended_ = false;
  double volume_ = 1;
  QStringList log_;
};

class DigitalCdTest : public ::testing::Test {
 protected:
  DigitalCdTest() {
    auto source = std::make_unique<FakeSectorSource>();
    auto output = std::make_unique<FakePcmOutput>();
    source_ = source.get();
    output_ = output.get();
    cd_ = std::make_unique<platform::DigitalCdAudio>(std::move(source), std::move(output));
  }
  void SetUp() override { platform::SetCdDriveForTests(cd_.get()); }
  void TearDown() override { platform::SetCdDriveForTests(nullptr); }

  QString Ask(const char* command) {
    QString reply;
    EXPECT_EQ(SendCdAudioCommand(command, &reply), kCdOk) << command;
    return reply;
  }
  // The card plays on; the program's timer would feed it meanwhile.
  void PlaySeconds(double seconds) {
    for (int i = 0; i < seconds * 5; ++i) {
      output_->Play(0.2);
      cd_->Pump();
    }
  }

  FakeSectorSource* source_;
  FakePcmOutput* output_;
  std::unique_ptr<platform::DigitalCdAudio> cd_;
};

TEST_F(DigitalCdTest, PlayFromTrackTwoToThreeReadsThoseSectorsAndStopsAtTheEndOfTwo) {
  EXPECT_EQ(Ask("status cdaudio number of tracks"), "4");
  EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
  EXPECT_EQ(Ask("status cdaudio position"), "01:00:00:00");
  EXPECT_EQ(SendCdAudioCommand("play cdaudio from 2 to 3"), kCdOk);
  EXPECT_EQ(source_->log_, QStringList{"start 225 375"});
  QStringList modes{Ask("status cdaudio mode")};
  PlaySeconds(1);
  EXPECT_EQ(Ask("status cdaudio position"), "02:00:01:00");
  modes << Ask("status cdaudio mode");
  PlaySeconds(0.8);
  EXPECT_EQ(Ask("status cdaudio position"), "02:00:01:60");
  modes << Ask("status cdaudio mode");
  PlaySeconds(0.4);
  modes << Ask("status cdaudio mode");
  EXPECT_EQ(modes.join(' '), "playing playing playing stopped");
  // It rests at the end of track 2 and stays there.
  EXPECT_EQ(Ask("status cdaudio position"), "02:00:02:00");
  EXPECT_EQ(Ask("status cdaudio current track"), "2");
  EXPECT_EQ(SectorsIn(output_->received_), Range(225, 375));
  EXPECT_EQ(source_->log_.join('|'), "start 225 375|stop");
  EXPECT_EQ(output_->log_.join('|'), "start|stop");
}

TEST_F(DigitalCdTest, PauseAndResumeKeepThePlace) {
  ASSERT_EQ(SendCdAudioCommand("play cdaudio from 1 to 2"), kCdOk);
  PlaySeconds(1);
  EXPECT_EQ(SendCdAudioCommand("pause cdaudio"), kCdOk);
  EXPECT_EQ(Ask("status cdaudio mode"), "paused");
  PlaySeconds(1);  // a paused card plays nothing
  EXPECT_EQ(Ask("status cdaudio position"), "01:00:01:00");
  EXPECT_EQ(SendCdAudioCommand("play cdaudio"), kCdOk);  // play without a place resumes
  EXPECT_EQ(Ask("status cdaudio mode"), "playing");
  PlaySeconds(1);
  EXPECT_EQ(Ask("status cdaudio position"), "01:00:02:00");
  PlaySeconds(1.2);
  EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
  // Every sector once, in order, across the pause.
  EXPECT_EQ(SectorsIn(output_->received_), Range(0, 225));
  EXPECT_EQ(output_->log_.join('|'), "start|suspend|resume|stop");
  EXPECT_EQ(source_->log_.join('|'), "start 0 225|stop");
}

TEST_F(DigitalCdTest, StopKeepsThePlaceAndAPlayToTheEndEndsAtTheDataTrack) {
  ASSERT_EQ(SendCdAudioCommand("play cdaudio from 3"), kCdOk);
  EXPECT_EQ(source_->log_, QStringList{"start 375 600"});
  PlaySeconds(1.4);
  EXPECT_EQ(SendCdAudioCommand("stop cdaudio"), kCdOk);
  EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
  PlaySeconds(1);
  EXPECT_EQ(Ask("status cdaudio position"), "03:00:01:30");
  EXPECT_NE(SendCdAudioCommand("resume cdaudio"), kCdOk);
  // A new play starts at its track again.
  ASSERT_EQ(SendCdAudioCommand("play cdaudio"), kCdOk);
  EXPECT_EQ(source_->log_.join('|'), "start 375 600|stop|start 375 600");
}

TEST_F(DigitalCdTest, TheDriveRefusesWhatItCannotPlay) {
  const struct {
    const char* command;
    int rc;
  } cases[] = {
      {"play cdaudio from 4", platform::kCdErrFailed},  // a data track
      {"play cdaudio from 5", platform::kCdErrFailed},  // beyond the disc
      {"play cdaudio from 2 to 6", platform::kCdErrFailed},
      {"play cdaudio from 3 to 3", platform::kCdErrFailed},
      {"play cdaudio from 3 to 5", kCdOk},  // to the disc's end: the music ends at track 4
  };
  for (const auto& c : cases) {
    source_->log_.clear();
    EXPECT_EQ(SendCdAudioCommand(c.command), c.rc) << c.command;
  }
  EXPECT_EQ(source_->log_, QStringList{"start 375 600"});

  cd_->Stop();
  source_->refuse_ = true;
  EXPECT_EQ(SendCdAudioCommand("play cdaudio from 1"), platform::kCdErrFailed);
  EXPECT_EQ(Ask("status cdaudio mode"), "stopped");

  source_->toc_.clear();  // the disc taken out
  EXPECT_EQ(Ask("status cdaudio ready"), "false");
  EXPECT_EQ(Ask("status cdaudio mode"), "not ready");
  EXPECT_EQ(SendCdAudioCommand("play cdaudio from 1"), platform::kCdErrNotReady);
  source_->present_ = false;
  EXPECT_EQ(SendCdAudioCommand("open cdaudio"), platform::kCdErrNotReady);
}

TEST_F(DigitalCdTest, ASlowDriveHoldsThePlaceAndAFailedReadEndsThePlay) {
  source_->hold_ = true;
  ASSERT_EQ(SendCdAudioCommand("play cdaudio from 2 to 3"), kCdOk);
  PlaySeconds(1);
  EXPECT_EQ(Ask("status cdaudio mode"), "playing");
  EXPECT_EQ(Ask("status cdaudio position"), "02:00:00:00");
  source_->hold_ = false;
  source_->fail_at_ = 300;
  PlaySeconds(0.6);
  EXPECT_EQ(Ask("status cdaudio mode"), "playing");
  PlaySeconds(1);
  EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
  // What was read was heard; the place is where the sound stopped.
  EXPECT_EQ(SectorsIn(output_->received_), Range(225, 300));
  EXPECT_EQ(Ask("status cdaudio position"), "02:00:01:00");
}

TEST_F(DigitalCdTest, VolumeReachesTheOutput) {
  EXPECT_EQ(SendCdAudioCommand("setaudio cdaudio volume to 250"), kCdOk);
  EXPECT_DOUBLE_EQ(output_->volume_, 0.25);
  ASSERT_EQ(SendCdAudioCommand("play cdaudio from 1 to 2"), kCdOk);
  EXPECT_DOUBLE_EQ(output_->volume_, 0.25);
}

// ---- reading ahead on a thread

// Reads everything a read-ahead source delivers until it has `sectors` or fails.
std::vector<int> Drain(platform::CdSectorSource& source, int sectors, bool* failed) {
  QByteArray all;
  QByteArray chunk(10 * kCdSectorBytes, Qt::Uninitialized);
  *failed = false;
  test_support::WaitFor([&] {
    const int n = source.Read(10, chunk.data());
    if (n < 0) *failed = true;
    if (n > 0) all.append(chunk.constData(), n * kCdSectorBytes);
    return *failed || all.size() >= qsizetype(sectors) * kCdSectorBytes;
  });
  return SectorsIn(all);
}

TEST(ReadAheadSource, HandsOutTheSectorsInOrderWithoutWaiting) {
  auto inner = std::make_unique<FakeSectorSource>();
  FakeSectorSource* fake = inner.get();
  platform::ReadAheadSource source(std::move(inner), 20);
  ASSERT_TRUE(source.Start(225, 375));
  bool failed = false;
  EXPECT_EQ(Drain(source, 150, &failed), Range(225, 375));
  EXPECT_FALSE(failed);

  // Stopped half way and started elsewhere: nothing of the old place is left.
  ASSERT_TRUE(source.Start(0, 225));
  Drain(source, 30, &failed);
  ASSERT_TRUE(source.Start(375, 400));
  EXPECT_EQ(Drain(source, 25, &failed), Range(375, 400));
  source.Stop();
  EXPECT_EQ(fake->log_.join('|'), "start 225 375|stop|start 0 225|stop|start 375 400|stop");

  fake->refuse_ = true;
  EXPECT_FALSE(source.Start(0, 225));
}

TEST(ReadAheadSource, AFailureComesAfterWhatWasRead) {
  auto inner = std::make_unique<FakeSectorSource>();
  inner->fail_at_ = 40;
  platform::ReadAheadSource source(std::move(inner));
  ASSERT_TRUE(source.Start(0, 225));
  bool failed = false;
  EXPECT_EQ(Drain(source, 225, &failed), Range(0, 40));
  EXPECT_TRUE(failed);
}

// ---- the system path on a disc image

// Writes a cue sheet and its raw image: three music tracks of `sectors` each.
QString WriteDiscImage(const QString& dir, const std::vector<int>& sectors) {
  QFile bin(dir + "/disc.bin");
  if (!bin.open(QIODevice::WriteOnly)) return {};
  QString cue = "FILE \"disc.bin\" BINARY\n";
  int at = 0;
  for (size_t t = 0; t < sectors.size(); ++t) {
    cue += QStringLiteral("  TRACK %1 AUDIO\n    INDEX 01 %2:%3:%4\n")
               .arg(t + 1, 2, 10, QChar('0'))
               .arg(at / 75 / 60, 2, 10, QChar('0'))
               .arg(at / 75 % 60, 2, 10, QChar('0'))
               .arg(at % 75, 2, 10, QChar('0'));
    for (int s = 0; s < sectors[t]; ++s) bin.write(SectorBytes(at + s));
    at += sectors[t];
  }
  QFile file(dir + "/disc.cue");
  if (!bin.flush() || !file.open(QIODevice::WriteOnly) || file.write(cue.toLatin1()) < 0 ||
      !file.flush())
    return {};
  return file.fileName();
}

TEST(ParanoiaSource, ReadsTheTracksOfADiscImage) {
  QTemporaryDir dir;
  const QString cue = WriteDiscImage(dir.path(), {150, 90, 60});
  ASSERT_FALSE(cue.isEmpty());
  auto source = platform::MakeParanoiaSource(cue);
  EXPECT_TRUE(source->DrivePresent());
  EXPECT_EQ(source->ReadToc(), (std::vector<CdTrackInfo>{
                                   {1, 0, 150, true}, {2, 150, 240, true}, {3, 240, 300, true}}));
  ASSERT_TRUE(source->Start(150, 240));
  QByteArray all(90 * kCdSectorBytes, Qt::Uninitialized);
  EXPECT_EQ(source->Read(90, all.data()), 90);
  EXPECT_EQ(SectorsIn(all), Range(150, 240));
  source->Stop();

  auto none = platform::MakeParanoiaSource(dir.path() + "/missing.cue");
  EXPECT_FALSE(none->DrivePresent());
  EXPECT_TRUE(none->ReadToc().empty());
  EXPECT_FALSE(none->Start(0, 10));
}

TEST(SystemDigitalCd, PlaysATrackOfADiscImageToItsEnd) {
  QTemporaryDir dir;
  const QString cue = WriteDiscImage(dir.path(), {75, 30, 75});
  ASSERT_FALSE(cue.isEmpty());
  auto cd = platform::MakeDigitalCdAudio(cue);
  EXPECT_TRUE(cd->Open());
  EXPECT_EQ(cd->TrackCount(), 3);
  ASSERT_TRUE(cd->PlayTrack(2, 3));
  QStringList modes{cd->Mode()};
  EXPECT_TRUE(test_support::WaitFor([&] { return cd->Mode() != "playing"; }, 30000));
  modes << cd->Mode();
  EXPECT_EQ(modes.join(' '), "playing stopped");
  EXPECT_EQ(cd->Position().ToTmsf(), "02:00:00:30");
  cd->Close();

  auto missing = platform::MakeDigitalCdAudio(dir.path() + "/missing.cue");
  EXPECT_FALSE(missing->Open());
  EXPECT_EQ(missing->Mode(), "not ready");
  EXPECT_FALSE(missing->PlayFrom(1));
}

}  // namespace
