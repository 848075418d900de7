#include "core/state.h"

#include <memory>

#include "core/lists.h"

namespace core {
namespace {

// Held on the heap: the slide and sound arrays are large.
struct AllState {
  ListState lists;
  ShowSettings settings;
  RunFlags flags;
  SoundState sound;
  PathState paths;
  ButtonSlots buttons;
  SurfaceState surfaces;
  MonitorTable monitors;
};

AllState& State() {
  static auto* state = new AllState;
  return *state;
}

// Characters start..start+length-1 (1-based) of text; those beyond its end count as nothing.
QString Mid(const QString& text, int start, int length) { return text.mid(start - 1, length); }

}  // namespace

ListState& Lists() { return State().lists; }
ShowSettings& Settings() { return State().settings; }
RunFlags& Flags() { return State().flags; }
SoundState& Sound() { return State().sound; }
PathState& Paths() { return State().paths; }
ButtonSlots& Buttons() { return State().buttons; }
SurfaceState& Surfaces() { return State().surfaces; }
MonitorTable& Monitors() { return State().monitors; }

// Copied from a kept fresh state: the arrays keep their storage instead of allocating and
// clearing some megabytes again at every reset.
void ResetAllState() {
  static const auto* fresh = new AllState;
  State() = *fresh;
  // The master lists are state too, though they live beside the windows that show them.
  ClearMasterLists();
}

void ClearButtonSlots() {
  ButtonSlots& b = Buttons();
  for (int i = 0; i < kButtonSlotUpper; ++i) {
    b.MenuJumps[i] = 0;
    b.MenuButtonsShown[i] = 0;
    b.PicButtonJumps[i] = 0;
    b.PicButtonsShown[i] = 0;
    b.PicButtonLinks[i].clear();
  }
  b.PicButtonShape = 0;
}

void ResetShowOptions() {
  ShowSettings& s = Settings();
  s.AutoStartOff = 0;
  s.DisplayEffect = 0;
  s.DisplayEffectSpeed = -30;
  s.EraseEffect = 0;
  s.EraseEffectSpeed = -30;
  s.DisplaySlitCount = 0;
  s.EraseSlitCount = 0;
  s.EffectSpeedCorrection = 0;
  s.CdTrackRepeatOff = 0;
  s.DisplayMosaicCount = 0;
  s.EraseMosaicCount = 0;
  s.DblClickPicture = 1;
  s.MosaicDelayAdjust = 0;
  s.DblClickRecord = 0;
  s.DblClickWallpaper = 0;
  s.DblClickText = 0;
  s.TextMacroOff = 0;
  s.WavSyncOff = 0;
  s.RepeatOff = 0;
  s.SoundMode = 0;
  s.LinkAutoStart = 0;
  s.LinkRepeat = 0;
  s.LinkKeepAtEnd = 0;
}

QString ScheduleAddMoment(const QString& record) {
  return Mid(record, 1, 10) + QLatin1Char(' ') + Mid(record, 11, 5);
}

QString ScheduleDeleteMoment(const QString& record) {
  return Mid(record, 16, 10) + QLatin1Char(' ') + Mid(record, 26, 5);
}

QString JoinScheduleRecord(const QString& addMoment, const QString& deleteMoment) {
  auto half = [](const QString& moment) {
    return Mid(moment, 1, 10).leftJustified(10, QLatin1Char(' ')) +
           Mid(moment, 12, 5).leftJustified(5, QLatin1Char(' '));
  };
  return half(addMoment) + half(deleteMoment);
}

}  // namespace core
