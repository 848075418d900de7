#pragma once
// A fixture that runs the program's start-up inside the test process: the main window
// loads as `Main` loads it, dialogs are answered by a script, the ends of the process
// are recorded instead of ending it, and the title panel holds only briefly.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>
#include <vector>

#include "core/form1.h"
#include "core/form4.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "listeditor/form3.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "schedule/form9.h"
#include "sound/form10.h"
#include "tests/support/wait.h"
#include "tests/support/windows.h"

namespace startup_test {

using test_support::AppFile;
using test_support::CloseAllWindows;
using test_support::kSettingsFiles;
using test_support::RemoveSettingsFiles;

// Lets events run until `done` holds (ten seconds at the most unless told).
using test_support::WaitFor;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordEnds();
    CloseAllWindows();
    RemoveSettingsFiles();
    core::ResetAllState();
    RecordEnds();
    // A main window an earlier test left loaded ended the program as it closed.
    ends_.clear();
    dialogs_.ClearCalls();
    core::TitlePanelTestHooks() = {};
    core::TitlePanelTestHooks().holdSeconds = 0.05;
  }

  void TearDown() override {
    RecordEnds();
    CloseAllWindows();
    RemoveSettingsFiles();
    core::ResetAllState();
    core::TitlePanelTestHooks() = {};
    core::SetProgramEndHandler(nullptr);
  }

  // Starts the program as its command line would and lets the title panel finish.
  core::Form1& Start(const QStringList& arguments = {}) {
    core::Main(arguments);
    WaitFor([] { return core::Flags().TitlePanelDone == 1 || core::ProgramEnded(); });
    return core::form1();
  }

  // Closes the main window (its unload writes the settings files) and forgets every
  // value, as a new run of the program would start.
  void EndSession() {
    CloseAllWindows();
    core::ResetAllState();
    RecordEnds();
    ends_.clear();
    dialogs_.ClearCalls();
  }

  void RecordEnds() {
    core::SetProgramEndHandler([this](core::ProgramEnd end) { ends_.push_back(end); });
  }

  platform::ScriptedDialogs dialogs_;
  std::vector<core::ProgramEnd> ends_;
};

}  // namespace startup_test
