#pragma once
// The program's main window: core's Form1 controls with their behaviour. Its start-up
// (mainwindow/startup.cpp) and shutdown (mainwindow/shutdown.cpp) live here, and the
// wiring of the handlers each subsystem owns.
#include "core/form1.h"

namespace mainwindow {

class MainWindow : public core::Form1 {
  Q_OBJECT

 public:
  MainWindow();

  // Start-up: defaults, settings files, single copy, command-line file, link table,
  // then the automatic full-screen start or the main window.
  void Form_Load() override;
  // Menu enabling that follows the sound and CD settings; preview box height.
  void Form_Activate() override;
  void Form_Paint() override;
  // Sizes the preview box and draws the title panel once.
  void Form_Resize() override;
  // Shutdown: stops everything, writes the settings files, unloads the other windows and
  // ends the process.
  void Form_Unload(int& cancel) override;

 private:
  // Form_Load's steps, in their order.
  void TakeTheScreens();
  void ClearTheRunAndTheButtons();
  void GiveTheStartValues();
  void PlaceAndDisableTheShowButtons();
  void ReadTheProgramFiles();
  // False when the program ends here (a copy runs already, or the command-line file was
  // refused).
  bool ApplyTheSingleCopyRule();
  bool ReadTheCommandLineFile();
  void StartOrShow();
};

// Fills core's services with the operations of every subsystem the readers and the
// windows call upward, and makes core::form1() make a MainWindow. The program calls it
// once at start-up, before the main window loads.
void Register();

}  // namespace mainwindow
