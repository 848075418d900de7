// The length of a WAV file from its header, and the files that are no WAV.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/wavinfo.h"
#include "tests/support/media_files.h"

namespace {

TEST(WavInfo, TheLengthComesFromTheDataChunkAndTheByteRate) {
  QTemporaryDir dir;
  const QString tone = dir.filePath("tone.wav");
  test_support::WriteToneWav(tone, 1500);
  EXPECT_EQ(platform::WavDurationMs(tone), 1500);

  auto write = [&](const char* name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return dir.filePath(name);
  };
  QFile original(tone);
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray wav = original.readAll();
  // Data cut short: only what is there counts.
  EXPECT_EQ(platform::WavDurationMs(write("short.wav", wav.left(44 + 22050))), 500);
  EXPECT_EQ(platform::WavDurationMs(write("junk.wav", QByteArray(3000, '\x5a'))), -1);
  EXPECT_EQ(platform::WavDurationMs(write("head.wav", wav.left(20))), -1);
  // A data chunk before any format cannot be timed.
  QByteArray noFormat = wav.left(12) + wav.mid(36);
  EXPECT_EQ(platform::WavDurationMs(write("noformat.wav", noFormat)), -1);
  EXPECT_EQ(platform::WavDurationMs(dir.filePath("missing.wav")), -1);
}

}  // namespace
