#pragma once
// The show settings of the show tests: three-second slides in list order, no sound, macro,
// WAV wait, effect, question or full-screen start, and effects that do not pause.
#include "core/state.h"
#include "engine/effects.h"
#include "platform/form.h"

namespace test_support {

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
