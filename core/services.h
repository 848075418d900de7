#pragma once
// Operations of the higher subsystems that lower ones call. Each owner fills its entries
// at start-up; an entry nobody filled is a stand-in that does the least.
#include <QString>
#include <functional>

namespace core {

class Form1;

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

// Calls onto the windows of the layers above, as the original refers to another window's
// controls. Each window's own code fills its entries at start-up (mainwindow::Register);
// the stand-ins (namespace standin) do the least. ResetServices keeps them: they are the
// program's shape, not a test's choice.
struct WindowCalls {
  // Makes the main window (the stand-in makes the bare window: its controls, no start-up).
  std::function<Form1*()> MakeMainWindow;
  // The editors the files' readers load, as a reference to a window's list box loads it.
  std::function<void()> LoadSlideList;  // the slide list window (Form3)
  std::function<void()> LoadLinkList;   // the link-list editor (Form9)
  std::function<void()> LoadSoundList;  // the sound list editor (Form10)
  std::function<void()> ShowSlideList;  // Form3.Show
  std::function<void()> ShowLinkList;   // Form9.Show
  // The file menu's "新規作成" in the link-list editor: its list emptied, the editor closed
  // (Form9.Command4, then Command2).
  std::function<void()> NewLinkList;
  // The slide list window's linked-text buttons (Form3.Command16, Command17) off.
  std::function<void()> DisableSlideTextButtons;
  // The slide list window's count label (Form3.Label4) shows its rows.
  std::function<void()> ShowSlideCount;
  // The slide list window's click guard (Form3.Timer1: 500 ms, on) after a movie closed.
  std::function<void()> GuardSlideListClicks;
  // Whether that guard runs (false when the window is not loaded).
  std::function<bool()> SlideListClickGuardRunning;
  // The link-list editor's caption names the link-list file `path`.
  std::function<void(const QString& path)> NameLinkListFile;
  // The full-screen show window's ticker emptied, hidden and stopped, when it is loaded.
  std::function<void()> ClearShowTicker;
  // The movie window unloaded when it is loaded.
  std::function<void()> CloseMovieWindow;
  // The full-screen show surface P2 cleared with the background of the overlay mode.
  std::function<void()> ResetShowSurfaceForOverlay;
};
WindowCalls& Windows();

// Puts every entry of TheServices back to its stand-in (tests use it); the window calls
// stay.
void ResetServices();

// Hands a macro button's click to the show-screen buttons.
void ClickShowButton(ShowButton button, int index);

// The stand-ins of entries nobody filled, and of operations whose owner is still to come:
// each does the least its operation may do.
namespace standin {
void Nothing();
bool No();
// The four-up view's "終了" without the view: FourUpViewOpen cleared, the main window shown.
void CloseFourUpView();
// FourUpViewOpen cleared.
void UnloadFourUpView();
}  // namespace standin

}  // namespace core
