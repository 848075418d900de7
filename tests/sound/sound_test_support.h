#pragma once
// Shared by the sound and slide-sound tests: short media files written by the tests,
// a wait that lets events run, and a fixture with the main window loaded (its two
// players carry the show's sound) and every message box answered by a script.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <functional>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/form24.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/mediaplayer.h"
#include "sound/background_sound.h"
#include "sound/form10.h"

namespace soundtest {

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
  if (f.open(QIODevice::WriteOnly)) f.write(d);
}

// A one-note standard MIDI file of about a quarter of a second.
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
  if (f.open(QIODevice::WriteOnly)) f.write(d);
}

inline void CopyFixture(const char* name, const QString& to) {
  QFile::remove(to);
  QFile::copy(QStringLiteral(FIXTURES_DIR "/") + QLatin1String(name), to);
}

// Lets events run until `done` holds or `ms` have passed; returns `done()`.
inline bool WaitFor(const std::function<bool()>& done, int ms = 8000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) {
    platform::DoEvents();
    platform::Sleep(5);
  }
  return done();
}

inline core::Form1& Main() { return core::form1(); }
inline platform::MediaPlayer& Player1() { return core::form1().WindowsMediaPlayer1; }
inline platform::MediaPlayer& Player2() { return core::form1().WindowsMediaPlayer2; }

// The main window loaded once per process (its load is the program's start-up); every
// test starts from fresh show state, silent players and no movie window.
class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    core::TitlePanelTestHooks().holdSeconds = 0.01;
    if (!core::Form1IfLoaded()) {
      core::form1();
      WaitFor([] { return core::Flags().TitlePanelDone == 1; }, 3000);
    }
    Silence();
    core::ResetAllState();
    core::Paths().AppFolder = platform::AppFolderPath();
    core::Monitors().MainHwnd = &core::form1();
    core::BuildMonitorTable();
    core::Settings().DefaultSoundFile = QStringLiteral("*.wav");
    core::Settings().CdStartTrack = QStringLiteral("1");
    // A show runs: START is disabled while it does.
    Main().Command1.SetEnabled(false);
    sound::form10().List1.Clear();
    sound::form10().Check6.SetValue(0);
  }

  void TearDown() override {
    Silence();
    core::ResetAllState();
  }

  static void Silence() {
    if (engine::Form24* movie = engine::Form24IfLoaded()) movie->Unload();
    Player1().Close();
    Player2().Close();
    platform::DestroyPendingNow();
  }

  QString File(const QString& name) const { return dir_.filePath(name); }
  // A WAV of `ms` milliseconds in the test folder.
  QString Wav(const QString& name, int ms = 300) const {
    WriteToneWav(File(name), ms);
    return File(name);
  }
  QString Midi(const QString& name) const {
    WriteOneNoteMidi(File(name));
    return File(name);
  }
  QString Mp3(const QString& name) const {
    CopyFixture("tone.mp3", File(name));
    return File(name);
  }

  // The message boxes shown, in order: their titles.
  QStringList Titles() const {
    QStringList titles;
    for (const auto& call : dialogs_.Calls()) titles << call.title;
    return titles;
  }

  QTemporaryDir dir_;
  platform::ScriptedDialogs dialogs_;
};

}  // namespace soundtest
