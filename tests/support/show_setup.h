#pragma once
// What the show tests start from: the main window with fresh shared state, and quiet show
// settings.
#include "core/form1.h"
#include "core/monitors.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/effects.h"
#include "platform/form.h"
#include "tests/support/windows.h"

namespace test_support {

// The main window, loaded once for the whole run, with fresh shared state and fresh show
// windows: no title panel, its slide timer off, the monitor table built around it.
inline core::Form1& MainWindowForShows() {
  core::TitlePanelTestHooks().holdSeconds = 0.01;
  core::Form1& f1 = core::form1();
  CloseShowWindows();
  core::ResetAllState();
  core::Flags().TitlePanelDone = 1;  // no title panel while the main window comes and goes
  f1.Timer1.SetEnabled(false);
  core::BuildMonitorTable();
  core::Monitors().MainHwnd = &f1;
  return f1;
}

// Three-second slides in list order, no sound, macro, WAV wait, effect, question or
// full-screen start, and effects that do not pause.

// `controlBoxOff` and `sizeAdjustMode` as the case's show window wants them.
inline void QuietShow(short controlBoxOff, short sizeAdjustMode) {
  core::ShowSettings& s = core::Settings();
  s.SlideIntervalSeconds = 3;
  s.RandomOrderOff = 1;
  s.SoundMode = 7;
  s.TextMacroOff = 1;
  s.WavSyncOff = 1;
  s.DisplayEffect = engine::kDisplayEffectNone;
  s.EraseEffect = engine::kEraseEffectNone;
  s.ControlBoxOff = controlBoxOff;
  s.FullStartConfirmOff = 1;
  s.AlwaysFullScreenOff = 1;
  s.CdWithLinkedWavOff = 1;
  s.SizeAdjustMode = sizeAdjustMode;
  engine::SetEffectPacing(engine::EffectPacing::NoWaits());
  platform::SetScreenMousePointer(0);
}

}  // namespace test_support
