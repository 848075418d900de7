#pragma once
// Operations of the higher subsystems that lower ones call. Each owner fills its entries
// at start-up; an entry nobody filled is a stand-in that does the least.
#include <QString>
#include <functional>

namespace core {

// The macro buttons whose clicks the windows hand on to their owner.
enum class ShowButton {
  ShowPicture,    // Slidescreen.Picture1(index)
  WindowPicture,  // Form1.Picture2(index)
  ShowMenu,       // Slidescreen.menu1 .. menu5 (index 1..5)
  WindowMenu,     // Form1.menu1 .. menu5
  WindowYes,      // Form1.Command8
  WindowNo,       // Form1.Command9
};

struct Services {
  // Runs the current slide's picture macro file (the stand-in runs nothing).
  std::function<void()> RunPictureMacro;
  // Shows the cut-out macro generator modally for the slide list window's selected row
  // (the stand-in shows nothing).
  std::function<void()> ShowCutoutMacroGenerator;
  // Loads and shows the schedule editor; false when none came up (the stand-in has none).
  std::function<bool()> ShowScheduleEditor;
  // The four-up view's "終了" (the stand-in only clears FourUpViewOpen and shows the main
  // window).
  std::function<void()> CloseFourUpView;
  // Unloads the four-up view when it is loaded (the stand-in clears FourUpViewOpen).
  std::function<void()> UnloadFourUpView;
  // The main window's "４画面" menu: opens the four-up view (the stand-in opens nothing).
  std::function<void()> OpenFourUpView;
  // Unloads the copy and move dialog and the conversion copy window when loaded (exit).
  std::function<void()> UnloadPictureToolDialogs;
  // Hides the macro buttons of the slide before (the stand-in hides nothing).
  std::function<void()> ClearShowControls;
  // A click on a macro button (the stand-in does nothing).
  std::function<void(ShowButton button, int index)> ShowButtonClick;
  // Whether a button that leads somewhere is up, so a choice can still come (the
  // stand-in says yes: the choice wait then ends only by its flags).
  std::function<bool()> ChoiceButtonsUp;

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
  // The main window's "画像連動フォルダ指定": the linked-files folder window, shown
  // modally (the stand-in shows nothing).
  std::function<void()> ShowLinkedFilesFolderWindow;
  // Unloads the double-click window and the linked-files folder window when loaded (exit).
  std::function<void()> UnloadLinkedFileWindows;
};

Services& TheServices();

// Puts every entry back to its stand-in (tests use it).
void ResetServices();

// Hands a macro button's click to the show-screen buttons.
void ClickShowButton(ShowButton button, int index);

}  // namespace core
