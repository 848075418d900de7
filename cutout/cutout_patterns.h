#pragma once
// The sixteen cut-out animation patterns of "マクロ生成": the values the generation
// computes from the plot and the screen, the questions the patterns ask, and the macro
// lines they build. Nothing here needs the cut-out window, so the texts can be checked
// byte for byte on their own.
#include <QString>
#include <array>
#include <optional>

namespace cutout {

// Every generated line ends with it, the last one included.
inline const QString kCrLf = QStringLiteral("\r\n");

// ---- number texts -----------------------------------------------------------------

// Decimal digits, "-" before a negative number, no blank: 12, -540.
QString IntText(long long value);
// The same with a blank before a number that is not negative: " 12", "-540".
QString BlankLedIntText(long long value);
// A value rounded to 15 significant digits, no blanks, a fraction only where it has one:
// 1920, 909.5, -0.25.
QString PlainNumberText(double value);
// As a printed number: rounded to 15 significant digits, a blank before a value that is
// not negative, no zero before the point of a value between -1 and 1: " 1", " .5", "-.3".
QString BlankLedNumberText(double value);

// Full-width letters, digits and signs turned into their narrow forms, the ideographic
// space into a blank.
QString NarrowText(const QString& text);
// Whether a (narrowed) text is a number as the input check takes it: blanks around it,
// an optional sign, digits with at most one decimal point, an optional exponent; or a
// hexadecimal "&H" / octal "&O" number.
bool IsNumericText(const QString& text);
// The value of a text that IsNumericText accepts.
double NumericTextValue(const QString& text);

// ---- questions ---------------------------------------------------------------------

// What the patterns ask the user. The frame answers with its dialogs; tests script them.
class CutoutQuestions {
 public:
  virtual ~CutoutQuestions() = default;
  // A whole number in min..max (Call_InputBox_IsNumeric): the tested number as text, or
  // the default with its leading blank when the answer was empty or cancelled.
  virtual QString AskNumber(const QString& prompt, const QString& title, int defaultValue,
                            int minValue, int maxValue) = 0;
  // A plain input box: the typed text, "" on Cancel.
  virtual QString AskText(const QString& prompt, const QString& title,
                          const QString& defaultText) = 0;
  // A Yes/No question with the question icon: true for Yes.
  virtual bool AskYesNo(const QString& text, const QString& title) = 0;
  // A notice with the information icon.
  virtual void Inform(const QString& text, const QString& title) = 0;
  // An open-file chooser (flags 6); nullopt on Cancel.
  virtual std::optional<QString> ChooseFile(const QString& title, const QString& filter,
                                            const QString& initialDir) = 0;
};

// The number input with range test: asks until the answer is a number whose 16-bit value
// lies in min..max, or is empty. Returns the tested value as digits ("5" for "  5",
// "2" for "2.5"), since the macro reader takes only the first characters after "=" and
// would misread a padded or fractional answer; an empty answer or Cancel returns the
// default with its leading blank (" 10").
QString AskNumberInRange(const QString& prompt, const QString& title, int defaultValue,
                         int minValue, int maxValue);

// The questions through the program's dialogs; AskNumber is AskNumberInRange.
class DialogQuestions : public CutoutQuestions {
 public:
  QString AskNumber(const QString& prompt, const QString& title, int defaultValue, int minValue,
                    int maxValue) override;
  QString AskText(const QString& prompt, const QString& title, const QString& defaultText) override;
  bool AskYesNo(const QString& text, const QString& title) override;
  void Inform(const QString& text, const QString& title) override;
  std::optional<QString> ChooseFile(const QString& title, const QString& filter,
                                    const QString& initialDir) override;
};

// ---- values of one generation ----------------------------------------------------------

// What the frame knows before it computes: the window's choices, the plot's box and the
// main window's monitor.
struct GenerationInputs {
  QString ButtonNumberText;   // "0".."62"
  QString CutoutPicturePath;  // the picture the window shows
  int NameChoice = 0;         // Combo2: 0 "パスあり", 1 "配布用"
  QString AppFolder;          // with a trailing separator
  double ScreenWidthPx = 0;   // the main window's monitor in pixels
  double ScreenHeightPx = 0;
  int PlotLeft = 0, PlotTop = 0, PlotRight = 0, PlotBottom = 0;  // picture pixels
};

// The values every pattern takes from the frame.
struct GenerationValues {
  QString ButtonNumberText;
  QString LinkedPicturePath;
  QString PointFilePath;
  QString PointFileRef;    // as the "PicPBData" lines name it
  QString PictureRef;      // as the "PicPB" lines name it
  bool BareNames = false;  // "配布用": chosen files are named without folder
  QString AppFolder;
  double ScreenWidthPx = 0;
  double ScreenHeightPx = 0;
  short PlotLeft = 0, PlotTop = 0;
  short ShapeWidth = 0, ShapeHeight = 0;
  // Offsets that put the shape's box at: 0 its place on the picture, 1 top left,
  // 2 bottom left, 3 bottom right, 4 top right, 5 centre of the screen.
  std::array<QString, 11> PlacementX, PlacementY;
};

// Computes the shared values; the point file follows the linked-files folder setting. A
// value outside the 16-bit range throws VbError 6.
GenerationValues ComputeGenerationValues(const GenerationInputs& in);

// ---- the patterns ------------------------------------------------------------------

constexpr int kPatternCount = 16;

// Builds the macro text of one pattern, asking its questions. nullopt when the pattern
// ends the run itself (no movie chosen). A value outside the 16-bit range throws
// VbError 6.
std::optional<QString> BuildPatternText(int pattern, const GenerationValues& v, CutoutQuestions& q);

}  // namespace cutout
