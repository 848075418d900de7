#pragma once
// Shared by the sound and slide-sound tests: short media files written by the tests,
// a wait that lets events run, and a fixture with the main window loaded (its two
// players carry the show's sound) and every message box answered by a script.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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
#include "tests/support/media_files.h"
#include "tests/support/wait.h"

namespace soundtest {

using test_support::CopyFixture;
using test_support::WriteOneNoteMidi;
using test_support::WriteToneWav;

// Lets events run until `done` holds or `ms` have passed; returns `done()`.
inline bool WaitFor(const std::function<bool()>& done, int ms = 8000) {
  return test_support::WaitFor(done, ms, 5);
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
