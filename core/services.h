#pragma once
// Operations of the higher subsystems that lower ones call. Each owner fills its entries
// at start-up; an entry nobody filled is a stand-in that does the least.
#include <QString>
#include <functional>

namespace core {

struct Services {
  // Runs the current slide's picture macro file (the stand-in runs nothing).
  std::function<void()> RunPictureMacro;

  // The slide list window's selected row (Form3.List1.List(Form3.List1.ListIndex)); the
  // stand-in has none ("").
  std::function<QString()> SelectedSlidePath;
  // Ask, then delete the selected slide's linked WAV or MP3 (the stand-ins do nothing).
  std::function<void()> DeleteLinkedWav;
  std::function<void()> DeleteLinkedMp3;
  // Form3.koukaari: "連動音削除" follows whether the selected slide's linked WAV opens.
  std::function<void()> RefreshLinkedSoundDelete;
  // "連動音削除" enabled or disabled.
  std::function<void(bool)> EnableLinkedSoundDelete;
};

Services& TheServices();

// Puts every entry back to its stand-in (tests use it).
void ResetServices();

}  // namespace core
