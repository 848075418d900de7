#pragma once
// The settings an end-to-end test's program finds from an earlier run.
#include <QString>

#include "core/state.h"
#include "engine/effects.h"
#include "listeditor/form3.h"

namespace test_support {

// Fresh shared state with AppFolder set and the settings of a quiet earlier run: slides
// in list order, no sound, CD, WAV wait, macro or effect, no automatic start, no notice
// before a full-screen start and no control box, the slide list empty. The caller sets
// what its run differs in and writes them with core::SaveSettingsFile.
inline core::ShowSettings& EarlierRunSettings(const QString& appFolder) {
  core::ResetAllState();
  core::Paths().AppFolder = appFolder;
  core::ShowSettings& s = core::Settings();
  s.RandomOrderOff = 1;
  s.SoundMode = 7;
  s.TextMacroOff = 1;
  s.WavSyncOff = 1;
  s.DefaultSoundFile = QStringLiteral("*.wav");
  s.CdWithLinkedWavOff = 1;
  s.CdTrackRepeatOff = 1;
  s.CdStartTrack = QStringLiteral("1");
  s.DisplayEffect = engine::kDisplayEffectNone;
  s.EraseEffect = engine::kEraseEffectNone;
  s.DisplaySlitCount = s.EraseSlitCount = 10;
  s.DisplayMosaicCount = s.EraseMosaicCount = 10;
  s.FullStartConfirmOff = 1;
  s.ControlBoxOff = 1;
  s.AutoStartOff = 1;
  s.SizeAdjustMode = 1;
  listeditor::form3().List1.Clear();
  listeditor::form3().List2.Clear();
  return s;
}

}  // namespace test_support
