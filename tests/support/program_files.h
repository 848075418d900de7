#pragma once
// A fixture for the tests of the program's own files: the main window loaded once and
// kept, the list windows fresh and the shared state reset for every case, AppFolder in a
// folder of the case's own, documents in another, dialogs answered by a script and the
// ends of the program recorded instead of ending it.
#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <vector>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/startup.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "schedule/form9.h"
#include "sound/form10.h"

namespace test_support {

class ProgramFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SetProgramEndHandler([this](core::ProgramEnd e) { ends_.push_back(e); });
    core::TitlePanelTestHooks().holdSeconds = 0;
    core::Flags().TitlePanelDone = 1;
    core::form1();  // the main window stays for the whole run
    if (auto* w = listeditor::Form3IfLoaded()) w->Unload();
    if (auto* w = schedule::Form9IfLoaded()) w->Unload();
    if (auto* w = sound::Form10IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
    core::ResetAllState();
    core::Flags().TitlePanelDone = 1;
    core::BuildMonitorTable();
    core::Paths().AppFolder = app_.path() + '/';
    core::Paths().OpenedFileFolder = Folder();  // where a document opened by name lies
  }
  // A later shutdown of the main window writes into the data folder, not into ours.
  void TearDown() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    core::Paths().AppFolder = platform::AppFolderPath();
  }

  // The case's folder for documents, with its trailing "/".
  QString Folder() const { return dir_.path() + '/'; }
  QString PathOf(const QString& name) const { return Folder() + name; }

  std::vector<core::ProgramEnd> ends_;
  platform::ScriptedDialogs dialogs_;
  QTemporaryDir dir_;
  QTemporaryDir app_;
};

}  // namespace test_support
