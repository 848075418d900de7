#pragma once
// Closing what a test opened: the program's windows, the show windows, and the settings
// files their unload writes into the data folder.
#include <QFile>
#include <QString>

#include "core/form1.h"
#include "core/form15.h"
#include "core/form4.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "listeditor/form3.h"
#include "platform/appfolder.h"
#include "platform/events.h"
#include "schedule/form21.h"
#include "schedule/form22.h"
#include "schedule/form9.h"
#include "sound/form10.h"
#include "sound/form13.h"
#include "sound/form14.h"
#include "sound/form17.h"
#include "sound/form19.h"
#include "sound/form2.h"
#include "sound/form20.h"
#include "sound/form8.h"

namespace test_support {

// The three settings files the main window's unload writes.
inline const char* const kSettingsFiles[] = {"uautst.dat", "autstart.dat", "wavlist.dat"};

// A file in the data folder.
inline QString AppFile(const QString& name) { return platform::AppFolderPath() + name; }

inline void RemoveSettingsFiles() {
  for (const char* name : kSettingsFiles) QFile::remove(AppFile(QString::fromLatin1(name)));
}

// The full-screen show window and the control box, fresh for the next case.
inline void CloseShowWindows() {
  engine::ResetSlidescreen2();
  engine::ResetSlidescreen();
  platform::DestroyPendingNow();
}

// Every window a test may have opened. The show windows first: their unload may show the
// main window again.
inline void CloseAllWindows() {
  engine::ResetSlidescreen2();
  engine::ResetSlidescreen();
  if (auto* w = sound::Form2IfLoaded()) w->Unload();
  if (auto* w = sound::Form8IfLoaded()) w->Unload();
  if (auto* w = sound::Form17IfLoaded()) w->Unload();
  if (auto* w = sound::Form13IfLoaded()) w->Unload();
  if (auto* w = sound::Form14IfLoaded()) w->Unload();
  if (auto* w = sound::Form19IfLoaded()) w->Unload();
  if (auto* w = sound::Form20IfLoaded()) w->Unload();
  if (auto* w = core::Form15IfLoaded()) w->Unload();
  if (auto* w = schedule::Form22IfLoaded()) {
    w->ScheduleChanged = 0;  // no close question
    w->Unload();
  }
  if (auto* w = schedule::Form21IfLoaded()) w->Unload();
  if (core::Form1* f = core::Form1IfLoaded()) {
    // A window loaded by another test's fixture writes into the data folder too.
    if (core::Paths().AppFolder.isEmpty()) core::Paths().AppFolder = platform::AppFolderPath();
    f->Unload();
  }
  // Closing the slide list window asks nothing of a test that left it painted.
  core::Flags().SlideListEditorShown = 0;
  if (auto* w = listeditor::Form3IfLoaded()) w->Unload();
  if (auto* w = schedule::Form9IfLoaded()) w->Unload();
  if (auto* w = sound::Form10IfLoaded()) w->Unload();
  if (auto* w = core::Form4IfLoaded()) w->Unload();
  platform::DestroyPendingNow();
}

}  // namespace test_support
