// The WAV recorder with a stand-in input, the file copy that keeps the old target when it
// fails, and the text box that takes dropped files.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <QtEndian>

#include "platform/copyfile.h"
#include "platform/droptextbox.h"
#include "platform/waverecorder.h"
#include "platform/wavinfo.h"

namespace {

using platform::ToneWaveInput;
using platform::WaveFormat;
using platform::WaveRecorder;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WaveRecorderTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetWaveInputForTests(nullptr); }
  QTemporaryDir dir_;
};

TEST_F(WaveRecorderTest, SavesTheToneOfTheInputAsAPcmWavOfTheChosenFormat) {
  for (int channels : {1, 2}) {
    platform::SetWaveInputForTests([] { return std::make_unique<ToneWaveInput>(440, 250); });
    WaveRecorder rec;
    rec.Open({channels, 44100, 16});
    ASSERT_TRUE(rec.Record()) << rec.Error().toStdString();
    EXPECT_TRUE(rec.IsRecording());
    rec.Stop();
    const QString path = dir_.filePath(QStringLiteral("rec%1.wav").arg(channels));
    ASSERT_TRUE(rec.Save(path)) << rec.Error().toStdString();

    const QByteArray bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), 44);
    const char* b = bytes.constData();
    EXPECT_EQ(bytes.left(4), "RIFF");
    EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(qFromLittleEndian<quint16>(b + 22), channels);
    EXPECT_EQ(qFromLittleEndian<quint32>(b + 24), 44100u);
    EXPECT_EQ(qFromLittleEndian<quint32>(b + 28), 44100u * 2 * channels);
    EXPECT_EQ(qFromLittleEndian<quint16>(b + 32), 2 * channels);
    EXPECT_EQ(qFromLittleEndian<quint16>(b + 34), 16);
    const quint32 data = qFromLittleEndian<quint32>(b + 40);
    EXPECT_EQ(data, 44100u / 4 * 2 * channels);  // a quarter of a second
    EXPECT_EQ(bytes.size(), 44 + static_cast<int>(data));
    // The samples are the tone's, every channel alike.
    for (int frame : {0, 100, 5000}) {
      for (int c = 0; c < channels; ++c) {
        EXPECT_EQ(qFromLittleEndian<qint16>(b + 44 + (frame * channels + c) * 2),
                  ToneWaveInput::SampleAt(440, 44100, frame));
      }
    }
    EXPECT_EQ(platform::WavDurationMs(path), 250);
    EXPECT_TRUE(platform::IsWavFile(path));
  }
}

TEST_F(WaveRecorderTest, WithoutAnInputRecordingFailsAndNothingIsSaved) {
  platform::SetWaveInputForTests([] { return std::make_unique<platform::NoWaveInput>(); });
  WaveRecorder rec;
  rec.Open({});
  EXPECT_FALSE(rec.Record());
  EXPECT_FALSE(rec.Error().isEmpty());
  EXPECT_FALSE(rec.IsRecording());
  const QString path = dir_.filePath(QStringLiteral("none.wav"));
  EXPECT_FALSE(rec.Save(path));
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(WaveRecorderTest, AFailedSaveKeepsTheOldFileAndCloseDropsTheRecording) {
  platform::SetWaveInputForTests([] { return std::make_unique<ToneWaveInput>(); });
  WaveRecorder rec;
  rec.Open({});
  ASSERT_TRUE(rec.Record());
  rec.Stop();
  EXPECT_FALSE(rec.Save(dir_.filePath(QStringLiteral("no/such/folder/a.wav"))));
  EXPECT_FALSE(rec.Error().isEmpty());
  rec.Close();
  EXPECT_TRUE(rec.Samples().isEmpty());
  EXPECT_FALSE(rec.Save(dir_.filePath(QStringLiteral("b.wav"))));
}

TEST(CopyFileTest, CopiesReplacesOrRefusesAndAFailureKeepsTheOldTarget) {
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("s.wav"));
  const QString target = dir.filePath(QStringLiteral("t.wav"));
  QFile s(source);
  ASSERT_TRUE(s.open(QIODevice::WriteOnly));
  s.write("new sound");
  s.close();
  EXPECT_TRUE(platform::CopyFileA(source, target, false));
  EXPECT_EQ(ReadAll(target), "new sound");

  QFile t(target);
  ASSERT_TRUE(t.open(QIODevice::WriteOnly));
  t.write("old");
  t.close();
  EXPECT_FALSE(platform::CopyFileA(source, target, true));
  EXPECT_EQ(ReadAll(target), "old");
  // A source that is gone: the old target stays as it was.
  EXPECT_FALSE(platform::CopyFileA(dir.filePath(QStringLiteral("gone.wav")), target, false));
  EXPECT_EQ(ReadAll(target), "old");
  EXPECT_FALSE(platform::CopyFileA(source, dir.filePath(QStringLiteral("x/t.wav")), false));
  EXPECT_TRUE(platform::CopyFileA(source, target, false));
  EXPECT_EQ(ReadAll(target), "new sound");
}

TEST(DropTextBoxTest, DroppedFilesRaiseTheirPathsOnlyInDropMode) {
  QWidget host;
  platform::DropTextBox box(&host);
  host.show();
  QStringList got;
  int drops = 0;
  QObject::connect(&box, &platform::DropTextBox::OLEDragDrop, [&](const QStringList& p) {
    got = p;
    ++drops;
  });
  // As a drag does: it enters the box, then drops.
  auto drop = [&](QMimeData& data) {
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &enter);
    QDropEvent e(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &e);
  };
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QStringLiteral("/m/a.mp3")),
                 QUrl::fromLocalFile(QStringLiteral("/m/b.wav"))});
  drop(files);
  EXPECT_EQ(drops, 0);  // not in drop mode
  box.SetOLEDropMode(1);
  drop(files);
  EXPECT_EQ(got, QStringList({"/m/a.mp3", "/m/b.wav"}));
  QMimeData text;
  text.setText(QStringLiteral("words"));
  drop(text);
  EXPECT_EQ(drops, 1);  // a drop without files is passed over
  EXPECT_TRUE(box.Text().isEmpty());
}

}  // namespace

namespace {

// The desktop's own input: on a machine without one the recorder says so, never hangs.
TEST(WaveRecorderDefaultInput, RecordsOrSaysWhyNot) {
  platform::SetWaveInputForTests(nullptr);
  WaveRecorder rec;
  rec.Open({});
  if (rec.Record()) {
    rec.Stop();
    rec.Close();
    SUCCEED() << "an audio input is present";
  } else {
    EXPECT_FALSE(rec.Error().isEmpty());
    EXPECT_FALSE(rec.IsRecording());
  }
}

}  // namespace
