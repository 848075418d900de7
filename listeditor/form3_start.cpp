// Starting a show at the chosen row of the slide list window, and the windows it opens:
// the sound list editor, the text display settings and the cut-out macro generator.
#include <algorithm>

#include "core/common.h"
#include "core/form1.h"
#include "core/form15.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slideplayer.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "listeditor/form3.h"
#include "platform/events.h"
#include "sound/form10.h"

namespace listeditor {

namespace {

// A row with a movie: the show begins without an erase effect.
// The row the show begins at: the selected one, the first when none is.
short ChosenRow(const platform::ListBox& list) {
  return static_cast<short>(std::max(list.ListIndex(), 0));
}

// Both starts: a search under way ends, the list is committed (the show plays the committed
// list) and the show is to begin at the chosen row. False for an empty list.
bool CommitAndChooseStart(Form3& w) {
  if (w.List1.ListCount() == 0) return false;
  w.SearchRunning = false;
  w.Command1_Click();
  core::ListState& lists = core::Lists();
  lists.ChosenStartSlide = ChosenRow(w.List1);
  lists.StartAtChosenSlide = 1;
  return true;
}

}  // namespace

void Form3::Command21_Click() {
  if (!CommitAndChooseStart(*this)) return;
  core::ListState& lists = core::Lists();
  core::ShowSettings& s = core::Settings();
  core::SoundState& media = core::Sound();
  core::RunFlags& flags = core::Flags();
  s.LineSpace = 0;
  lists.SoundListStartTaken = 0;
  s.PicturePositionFixed = 0;
  media.SlideMusicFile.clear();
  media.VolumeAttenuation = s.VolumeAttenuationSetting;
  s.PictureScale = 0;
  s.OverlayBackColorHex.clear();
  s.Borderless = 0;
  flags.SlideInProgress = 0;
  flags.SkipEraseEffect = core::IsMovieName(List1.List(lists.ChosenStartSlide)) ? 1 : 0;
  core::form1().Timer1.SetEnabled(false);
  media.FadeOutRestartPending = 0;
  media.SoundFadedOut = 0;
  flags.ShowStopped = 0;
  flags.ShowScreenHasPicture = 0;
  flags.StartedFromListEditor = 1;
  engine::TakeScheduleMoment();
  platform::DoEvents();
  // Over the main window's monitor, its own top included; the activation starts the show.
  engine::ShowFullScreenWindow();
  platform::TryStep([&s] {
    if (s.OverlayMode != 0)
      engine::ApplyScreenBackColor();
    else
      engine::slidescreen().P2.SetBackColor(Qt::black);
  });
  flags.FullScreenShowActive = 1;
}

void Form3::Command22_Click() {
  if (!CommitAndChooseStart(*this)) return;
  core::ListState& lists = core::Lists();
  core::ShowSettings& s = core::Settings();
  core::SoundState& media = core::Sound();
  core::RunFlags& flags = core::Flags();
  flags.StartedFromListEditor = 1;
  engine::TakeScheduleMoment();
  platform::DoEvents();
  core::form1().Command1_Click();
  // What the first slide's macro set is undone before the slide timer shows the next.
  lists.StartAtChosenSlide = 0;
  flags.ShowScreenHasPicture = 0;
  media.FadeOutRestartPending = 0;
  media.SoundFadedOut = 0;
  media.SlideMusicFile.clear();
  media.VolumeAttenuation = s.VolumeAttenuationSetting;
  s.PictureScale = 0;
  s.OverlayBackColorHex.clear();
  s.Borderless = 0;
  flags.SlideInProgress = 0;
  s.BorderColorIndex = 0;
  flags.SkipEraseEffect = 0;
}

void Form3::Command23_Click() { sound::form10().ShowModal(); }

void Form3::Command24_Click() { core::form15().ShowModal(); }

void Form3::Command25_Click() { core::TheServices().ShowCutoutMacroGenerator(); }

}  // namespace listeditor
