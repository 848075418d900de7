#pragma once
// Short media files written by the tests (a WAV tone, a one-note MIDI file, copies of the
// media fixtures), a wait at the pace a player is watched, and whether the process still
// holds a file open.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <functional>

#include "tests/support/wait.h"

namespace test_support {

// A mono 16-bit 22.05 kHz tone of `ms` milliseconds as a RIFF/PCM WAV.
inline void WriteToneWav(const QString& path, int ms) {
  const int rate = 22050;
  const int samples = rate * ms / 1000;
  QByteArray d(44 + samples * 2, '\0');
  char* b = d.data();
  auto u32 = [&](int at, quint32 v) { qToLittleEndian(v, b + at); };
  auto u16 = [&](int at, quint16 v) { qToLittleEndian(v, b + at); };
  std::memcpy(b, "RIFF", 4);
  u32(4, 36 + samples * 2);
  std::memcpy(b + 8, "WAVEfmt ", 8);
  u32(16, 16);
  u16(20, 1);
  u16(22, 1);
  u32(24, rate);
  u32(28, rate * 2);
  u16(32, 2);
  u16(34, 16);
  std::memcpy(b + 36, "data", 4);
  u32(40, samples * 2);
  for (int i = 0; i < samples; ++i)
    u16(44 + 2 * i, static_cast<quint16>(static_cast<qint16>(6000 * std::sin(i * 0.12))));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(d);
}

// A one-note type-0 standard MIDI file: program change, note on, note off after a quarter
// of a second, end of track.
inline void WriteOneNoteMidi(const QString& path) {
  const unsigned char track[] = {0x00, 0xC0, 0x00, 0x00, 0x90, 60,   100, 0x60,
                                 0x80, 60,   0x00, 0x00, 0xFF, 0x2F, 0x00};
  QByteArray d("MThd\0\0\0\x06\0\0\0\x01\0\xC0", 14);
  d += QByteArray("MTrk", 4);
  char len[4];
  qToBigEndian<quint32>(sizeof track, len);
  d += QByteArray(len, 4);
  d += QByteArray(reinterpret_cast<const char*>(track), sizeof track);
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(d);
}

// The media tests' wait: events run between polls 5 ms apart, the pace at which a
// player's states are watched.
inline bool WaitUntil(const std::function<bool()>& done, int ms) { return WaitFor(done, ms, 5); }

// Whether this process has the file open.
inline bool ProcessHoldsFile(const QString& path) {
  const QString target = QFileInfo(path).canonicalFilePath();
  for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::Files)) {
    if (fd.symLinkTarget() == target) return true;
  }
  return false;
}

#ifdef FIXTURES_DIR
// A copy of tests/fixtures/`name` at `to`, replacing any file there.
inline void CopyFixture(const char* name, const QString& to) {
  QFile::remove(to);
  QFile::copy(QStringLiteral(FIXTURES_DIR "/") + QLatin1String(name), to);
}
#endif

}  // namespace test_support
