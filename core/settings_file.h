#pragma once
// The settings file "autstart.dat" in AppFolder: every option of the menus and editors,
// the working slide list with its schedules, the CD programme, the last slideshow file,
// the slide interval and the monitor of the main window, kept from one run to the next.
#include <QString>

namespace core {

inline constexpr char kSettingsFileName[] = "autstart.dat";
inline constexpr char kSettingsFileTag[] = "V2.1a3567893sp6";

// AppFolder & "autstart.dat".
QString SettingsFilePath();

// Writes the whole file from the shared values and the slide list editor's lists, and
// stores the main window's monitor in MonitorIndex. A file that cannot be written is left
// as it was and reported ("ファイルの保存"); the result says whether the file was saved.
bool SaveSettingsFile();

// Reads the file and applies every field it holds: the shared values, the menu ticks, the
// check boxes that show them, the slide list editor's lists, the slide and schedule
// arrays, the CD programme, the slide timer's interval, and the main window's place on the
// saved monitor. Older layouts are read as far as they go; fields they lack keep their
// values. A missing file, and one that cannot be read, change nothing. Shows no message.
void LoadSettingsFile();

// Applies the values in memory as LoadSettingsFile applies a file that holds them (menu
// ticks, check boxes, slide and schedule arrays), for when the file could not be written;
// the main window stays where it is.
void ApplySettingsInMemory();

}  // namespace core
