#pragma once
// "マクロ生成" of the cut-out window: checks the plot, writes the point file, lets the
// chosen pattern build its macro text, shows it, writes it into the picture's macro file
// and starts the slide full screen. The window is reached through a small interface, so
// the whole run can be driven without it.
#include <QString>
#include <array>
#include <functional>

#include "cutout/cutout_patterns.h"

namespace cutout {

// What a run reads of the cut-out window and does to it.
class GenerationWindow {
 public:
  virtual ~GenerationWindow() = default;
  // The first steps, the window's own: the slot read again, the questions about an
  // existing point file, the count check and the write of the outline, each refusal with
  // its message. True when the outline is in the point file.
  virtual bool SavePointFile() = 0;
  virtual QString ButtonNumberText() const = 0;    // "0".."62", read again by SavePointFile
  virtual int NameChoice() const = 0;              // Combo2: 0 "パスあり", 1 "配布用"
  virtual int PatternIndex() const = 0;            // Combo3: 0..15
  virtual QString PicturePath() const = 0;         // CutoutPicturePath
  virtual std::array<int, 4> PlotBox() const = 0;  // PlotLeft, PlotTop, PlotRight, PlotBottom
  virtual void SetPlotEdited(short value) = 0;
  virtual void ShowText(const QString& text) = 0;  // Text1
  virtual void UnloadWindow() = 0;
};

// What a run needs beyond the window. Empty entries take the program's own: the main
// window's monitor, the slide list window's selected row, its macro-file routine and its
// full-screen start.
struct GenerationServices {
  std::function<std::array<double, 2>()> ScreenSizePx;
  std::function<QString()> SelectedSlidePath;
  // Rewrites the picture's macro file as the header and the text, which it finds in
  // GeneratedMacroText (EditPictureMacroFile); reports its own failures.
  std::function<void(const QString& text)> CreateMacroFile;
  std::function<void()> StartSlideFullScreen;
};

// How a run ended.
enum class GenerationEnd {
  kStopped,           // a check, question or the point file's write ended it before any text
  kTextShown,         // the text is in Text1; the user chose not to write it
  kStarted,           // written into the macro file and the slide started
  kMacroWriteFailed,  // the text stays in Text1; the window stays open
  kWriteError,        // "書き込みエラー": a failure while the text was built
};

GenerationEnd RunMacroGeneration(GenerationWindow& window, CutoutQuestions& questions,
                                 const GenerationServices& services = {});

// The picture's macro file for a slide path: beside it, or in the linked-files folder.
QString MacroFilePathOf(const QString& slidePath);

// Appends the text and one more line break to a macro file. A file whose last line has no
// line end gets one first, so the user's last line stays whole. The file is replaced only
// when the whole write succeeded. Returns false (old file untouched) on failure.
bool AppendToMacroFile(const QString& path, const QString& text);

// Puts a text on the clipboard as Unicode text; nothing is reported.
void CopyTextToClipboard(const QString& text);

}  // namespace cutout
