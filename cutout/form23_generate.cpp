// "マクロ生成" and "コピー" of the cut-out window: the window's side of the generation run.
#include "cutout/cutout_generate.h"
#include "cutout/cutout_patterns.h"
#include "cutout/form23.h"

namespace cutout {
namespace {

// The window's controls and values as the run sees them.
class WindowRun : public GenerationWindow {
 public:
  explicit WindowRun(Form23& form) : f_(form) {}
  bool SavePointFile() override { return f_.SavePlotToPointFile(); }
  QString ButtonNumberText() const override { return f_.ButtonNumberText; }
  int NameChoice() const override { return f_.Combo2.ListIndex(); }
  int PatternIndex() const override { return f_.Combo3.ListIndex(); }
  QString PicturePath() const override { return f_.CutoutPicturePath; }
  std::array<int, 4> PlotBox() const override {
    return {f_.PlotLeft, f_.PlotTop, f_.PlotRight, f_.PlotBottom};
  }
  void SetPlotEdited(short value) override { f_.PlotEdited = value; }
  void ShowText(const QString& text) override { f_.Text1.SetText(text); }
  void UnloadWindow() override { f_.Unload(); }

 private:
  Form23& f_;
};

// The patterns' number questions go through the window's own input.
class WindowQuestions : public DialogQuestions {
 public:
  explicit WindowQuestions(Form23& form) : f_(form) {}
  QString AskNumber(const QString& prompt, const QString& title, int defaultValue, int minValue,
                    int maxValue) override {
    return f_.Call_InputBox_IsNumeric(prompt, title, defaultValue, minValue, maxValue);
  }

 private:
  Form23& f_;
};

}  // namespace

void Form23::Command3_Click() {
  WindowRun window(*this);
  WindowQuestions questions(*this);
  RunMacroGeneration(window, questions);
}

void Form23::Command4_Click() {
  // The text box keeps bare line feeds; the clipboard gets the lines as the file has them.
  QString text = Text1.Text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  CopyTextToClipboard(text);
}

QString Form23::Call_InputBox_IsNumeric(const QString& prompt, const QString& title, int def,
                                        int min, int max) {
  return AskNumberInRange(prompt, title, def, min, max);
}

}  // namespace cutout
