// The scrolling ticker: reading a TELOP line, starting the label on the side the show
// runs on, moving it at each tick, and stopping it.
//
// The label is a transparent child widget of the surface, never drawn into the surface's
// image: as it moves, the window system repaints the surface only where the label was and
// where it is now, from the surface's own image, so text drawn on it after the text marker
// comes back as it was.
#include "macro/telop.h"

#include <QFont>
#include <algorithm>
#include <functional>

#include "core/common.h"
#include "core/form1.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro_state.h"
#include "platform/controls.h"
#include "platform/picturebox.h"
#include "platform/timer.h"
#include "platform/vberror.h"

namespace macro {
namespace {

// One side of the ticker: the label, the surface it lies on, and its timer.
struct Side {
  platform::Label& label;
  platform::PictureBox& surface;
  platform::Timer& timer;
};

Side ShowScreenSide(engine::Slidescreen& screen) {
  return {screen.Label1, screen.P2, screen.Timer1};
}
Side MainWindowSide() {
  core::Form1& f1 = core::form1();
  return {f1.Label1, f1.Picture1, f1.Timer4};
}

// Positions of a label in its surface's pixels, from the surface's inner corner.
int LabelLeft(const platform::Label& label) {
  return label.x() - platform::ContainerOrigin(label.parentWidget()).x();
}
void MoveLabel(platform::Label& label, int left, int top) {
  const QPoint origin = platform::ContainerOrigin(label.parentWidget());
  label.move(origin.x() + left, origin.y() + top);
}

int SurfaceWidthPixels(const platform::PictureBox& surface) { return surface.width(); }

// Mid$ of the original: a start before 1 or a negative length is an invalid call.
QString Mid(const QString& text, int start, int length) {
  if (start < 1 || length < 0) throw platform::VbError(platform::kErrInvalidCall, "Mid");
  return text.mid(start - 1, length);
}

int Position(const QString& text, QChar c, int from = 1) {
  return static_cast<int>(text.indexOf(c, from - 1)) + 1;
}

// The number the characters begin with, as a 16-bit integer (overflow raises error 6).
short Number(const QString& characters) { return platform::CInt(core::SafeVal(characters)); }

// Trim$ of the original: blanks only.
QString TrimBlanks(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && text[first] == QLatin1Char(' ')) ++first;
  while (last > first && text[last - 1] == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

void Step(const char* what, const std::function<void()>& step) {
  if (!platform::TryStep(step)) qCDebug(lcMacro) << "TELOP step skipped:" << what;
}

void SlidescreenTick();
void Form1Tick();

// The tick handlers are ours, the timers the windows'; a window loaded afresh has a new
// timer, which gets its handler the first time a ticker starts on it.
void ConnectTick(platform::Timer& timer, void (*tick)()) {
  static const char* const kConnected = "tickerHandlerConnected";
  if (timer.property(kConnected).toBool()) return;
  QObject::connect(&timer, &platform::Timer::Tick, &timer, tick);
  timer.setProperty(kConnected, true);
}

// A tick: one step to the left; past the left edge the pass ends.
void Tick(const Side& side) {
  TelopState& t = Telop();
  core::RunFlags& f = core::Flags();
  const int top = side.label.y() - platform::ContainerOrigin(side.label.parentWidget()).y();
  const int left = LabelLeft(side.label) - t.TelopStep;
  MoveLabel(side.label, left, top);
  if (left >= -side.label.width()) return;

  if (f.TelopOnceRunning == 1) {
    if (engine::Slidescreen* screen = engine::SlidescreenIfLoaded())
      screen->Label1.SetCaption(QString());
    core::form1().Label1.SetCaption(QString());
    side.label.SetVisible(false);
    side.timer.SetEnabled(false);
    f.TelopOnceRunning = 0;
  } else {
    side.label.SetCaption(t.TelopText);
    MoveLabel(side.label, SurfaceWidthPixels(side.surface), top);
  }
}

void SlidescreenTick() {
  try {
    engine::Slidescreen* screen = engine::SlidescreenIfLoaded();
    if (screen) Tick(ShowScreenSide(*screen));
  } catch (const std::exception& e) {
    qCWarning(lcMacro) << "show screen ticker tick failed:" << e.what();
  }
}

void Form1Tick() {
  try {
    Tick(MainWindowSide());
  } catch (const std::exception& e) {
    qCWarning(lcMacro) << "main window ticker tick failed:" << e.what();
  }
}

// Starts the ticker on one side, or gives a running one its new row, text and pace.
void StartOn(const Side& side, const QString& text, int interval, void (*tick)()) {
  TelopState& t = Telop();
  platform::Label& label = side.label;
  platform::PictureBox& surface = side.surface;
  label.SetAutoSize(true);
  const int top =
      static_cast<int>(platform::RoundHalfEven(surface.CurrentY() / surface.UnitsPerPixel()));
  // A running ticker keeps its place on the new row; a new one enters at the right edge.
  // One move, so the surface is repainted once.
  const bool idle = !side.timer.Enabled();
  Step("place",
       [&] { MoveLabel(label, idle ? SurfaceWidthPixels(surface) : LabelLeft(label), top); });
  if (idle) {
    Step("font", [&] {
      QFont font = label.font();
      font.setFamilies(surface.font().families());
      font.setPointSizeF(surface.font().pointSizeF());
      font.setBold(surface.font().bold());
      font.setItalic(surface.font().italic());
      label.setFont(font);
      label.SetForeColor(surface.ForeColor());
      label.adjustSize();
    });
  }
  if (core::Flags().TelopOnceRunning == 1) {
    label.SetCaption(label.Caption() + text);
  } else {
    if (label.Caption().isEmpty()) label.SetCaption(text);
    t.TelopText = text;
  }
  label.SetVisible(true);
  ConnectTick(side.timer, tick);
  side.timer.SetInterval(interval * 10);
  side.timer.SetEnabled(true);
}

}  // namespace

TelopState& Telop() {
  static TelopState state;
  return state;
}

QString GetFirstQuotedText(const QString& line) {
  const int q1 = Position(line, QLatin1Char('"'));
  if (q1 == 0) return {};
  const int comma = Position(line, QLatin1Char(','));
  if (comma > 0 && comma < q1) return {};
  const int q2 = Position(line, QLatin1Char('"'), q1 + 1);
  if (q2 == 0) return {};
  return line.mid(q1, q2 - q1 - 1);
}

void StopTickers() {
  engine::Slidescreen* screen = engine::SlidescreenIfLoaded();
  core::Form1& f1 = core::form1();
  if (screen) screen->Label1.SetCaption(QString());
  f1.Label1.SetCaption(QString());
  if (screen) {
    screen->Label1.SetVisible(false);
    screen->Timer1.SetEnabled(false);
  }
  f1.Label1.SetVisible(false);
  f1.Timer4.SetEnabled(false);
  core::Flags().TelopOnceRunning = 0;
}

void ExecTelopCommand() {
  MacroState& m = State();
  TelopState& t = Telop();
  core::RunFlags& f = core::Flags();
  t.TelopText.clear();
  QString upper = m.MacroLineUpper;
  const qsizetype comment = upper.indexOf(QStringLiteral("//"));
  if (comment >= 0) upper.truncate(comment);
  f.TelopOnceRunning = upper.left(6) == QStringLiteral("TELOP1") ? 1 : 0;

  const int p = Position(upper, QLatin1Char('('));
  const int c1 = Position(upper, QLatin1Char(','));
  int c2 = Position(upper, QLatin1Char(','), c1 + 1);
  if (c2 == 0) c2 = c1;
  const int r = static_cast<int>(upper.lastIndexOf(QLatin1Char(')'))) + 1;

  int interval = 0;
  QString text;
  // Each step on its own: one that fails leaves its value as it was.
  if (c1 <= p) {
    interval = 100;
    t.TelopStep = 100;
    Step("text", [&] { text = TrimBlanks(Mid(m.MacroLine, p + 1, r - p - 1)); });
  } else if (c2 == c1) {
    Step("interval", [&] { interval = Number(Mid(upper, p + 1, c1 - p - 1)); });
    t.TelopStep = 100;
    Step("text", [&] { text = TrimBlanks(Mid(m.MacroLine, c1 + 1, r - c1 - 1)); });
  } else {
    Step("interval", [&] { interval = Number(Mid(upper, p + 1, c1 - p - 1)); });
    Step("step", [&] { t.TelopStep = Number(Mid(upper, c1 + 1, c2 - c1 - 1)); });
    Step("text", [&] { text = TrimBlanks(Mid(m.MacroLine, c2 + 1, r - c2 - 1)); });
  }
  if (text.startsWith(QLatin1Char('"')))
    Step("quotes", [&] { text = Mid(text, 2, static_cast<int>(text.size()) - 2); });
  const QString quoted = GetFirstQuotedText(m.MacroLine);
  if (!quoted.isEmpty()) text = quoted;

  interval = std::clamp(interval, 1, 1000);
  t.TelopStep = static_cast<short>(std::clamp<int>(t.TelopStep, 1, 1000));

  if (text.isEmpty()) {
    StopTickers();
    return;
  }
  if (f.FullScreenShowActive == 1) {
    StartOn(ShowScreenSide(engine::slidescreen()), text, interval, SlidescreenTick);
  } else {
    StartOn(MainWindowSide(), text, interval, Form1Tick);
  }
}

void TelopCommandLine() {
  if (!platform::TryStep([] { ExecTelopCommand(); }))
    qCWarning(lcMacro) << "TELOP line could not start the ticker";
  ConsumeLine();
}

void SlidescreenTimer1_Timer() { SlidescreenTick(); }
void Form1Timer4_Timer() { Form1Tick(); }

}  // namespace macro
