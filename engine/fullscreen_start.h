#pragma once
// Starting the full-screen show: the main window's "画面全体", the automatic start at
// program start, and the editors' starts. Every starter sets its flags, places the show
// window on the main window's monitor and shows it; the window's activation then starts
// the show. Also the main-window button and menu sets that the show window and the
// control box switch.

namespace engine {

// Form1.Command4_Click, "画面全体" (also START while AlwaysFullScreenOff = 0): without a
// show under way it prepares the show-start values and shows the window, whose activation
// starts the show; with a show running or paused in the main window it moves the current
// picture onto the window with the display effect, and a running show goes on there.
void FullScreenStart();

// The automatic start of start-up: hides the main window, places and fits the show window
// on the main window's monitor and shows it (its activation starts the show, the link run
// first when LinkRunActive = 1); FullScreenShowActive = 1.
void StartFullScreenShowAtStartup();

// What every starter does last: places the show window over the main window's monitor,
// sizes its surfaces and shows it. The editors set StartAtChosenSlide, ChosenStartSlide,
// StartedFromListEditor, LinkRunActive or LinkSingleFileRun before they call it.
void ShowFullScreenWindow();

// ---- shared by the show window and the control box ----------------------------------------

// Main window buttons while a show runs: START disabled; PAUSE, STOP and 画面全体 enabled;
// ｽﾗｲﾄﾞﾘｽﾄ, 前画面, 次画面, BGM and ｽｹｼﾞｭｰﾙ disabled.
void SetMainButtonsRunning();
// All nine show buttons of the main window disabled.
void SetMainButtonsAllDisabled();
// The file menu's 新規作成, 開く, 保存 and 配布保存.
void SetFileMenusEnabled(bool on);
// The top-level menus a show hides (設定, 画面効果, ４画面, CD再生, KVZリンク); showing them
// again leaves ４画面 hidden, as the main window never offers it.
void HideShowMenus();
void ShowShowMenus();

// The slide timer Form1.Timer1 with the normal interval (SlideIntervalSeconds x 1000 ms).
void SetNormalSlideInterval();

// Loads the link list's slideshow file at LinkPosition (OpenedFileFolder = its folder) and
// rebuilds the slide list from the slide list editor's list; LinkPosition then names the
// file after it. A file the reader refuses unloads the show window and gives false.
bool LoadLinkFileAtPosition();
// SlidePaths and SlideEndIndex afresh from the slide list editor's list; the show stands
// before its first slide (CurrentSlideIndex and ShowRunning 0).
void RebuildSlideListFromEditor();

// The slide list editor's 500 ms click guard after a movie is running.
bool ClickGuardRunning();

}  // namespace engine
