// "MOVPB": the argument rules, the limits of "OVERPIC" and the stepwise movement with the
// local repair of the show surface.
#include "showbuttons/move_buttons.h"

#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/form4.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro_state.h"
#include "platform/events.h"
#include "platform/picturebox.h"
#include "platform/random.h"
#include "showbuttons/button_controls.h"

namespace showbuttons {
namespace {

std::function<void(int)>& Pause() {
  static std::function<void(int)> pause;
  return pause;
}

void PauseFor(double delay) {
  if (delay > 1000) delay = 1000;
  const double ms = platform::RoundHalfEven(delay);
  if (ms < 0) return;  // a negative delay means no pause
  if (Pause())
    Pause()(static_cast<int>(ms));
  else
    platform::Sleep(static_cast<int>(ms));
}

bool FullScreen() { return core::Flags().FullScreenShowActive == 1; }

// The scale of the "RND" forms: the picture holder's size under OVERPIC -1, otherwise the
// surface in use.
struct RandomScale {
  short w = 0, h = 0;
};

RandomScale ScaleOfRnd() {
  const platform::PictureBox* box = nullptr;
  if (core::Buttons().OverPic == -1)
    box = &core::form4().Picture1;
  else if (FullScreen())
    box = &engine::slidescreen().P2;
  else
    box = &core::form1().Picture1;
  return {platform::CInt(ClientWidth(*box)), platform::CInt(ClientHeight(*box))};
}

// The text between 1-based positions i and j; none when a needed mark is missing.
QString Between(const QString& line, qsizetype i, qsizetype j, bool& ok) {
  ok = j - i - 1 >= 0;
  return ok ? line.mid(i, j - i - 1) : QString();
}

double Offset(const QString& text, bool ok, short scale) {
  if (!ok) return 0;
  const QString form = text.trimmed();
  if (form == QLatin1String("RND")) return std::floor(platform::Rnd() * (2.0 * scale)) - scale;
  if (form == QLatin1String("RND+-")) return std::trunc(platform::Rnd() * 20 - 10);
  if (form == QLatin1String("RND+")) return std::trunc(platform::Rnd() * 10);
  if (form == QLatin1String("RND-")) return std::trunc(platform::Rnd() * -10);
  return core::SafeVal(text);
}

// One move of slot n: its start, counters, marks and extents.
class Movement {
 public:
  Movement(int n, double x, double y, double delay) : n_(n), x_(x), y_(y), delay_(delay) {
    platform::PictureBox& show = ShowCopy(n);
    platform::PictureBox& window = WindowCopy(n);
    showLeft_ = PixelLeft(show);
    showTop_ = PixelTop(show);
    windowLeft_ = PixelLeft(window);
    windowTop_ = PixelTop(window);
    const core::ButtonSlots& b = core::Buttons();
    rectangle_ = b.PicButtonShapes[n] == 0;
    polygonBox_ = b.PicButtonShapes[n] == 999 && b.PicButtonShapeLefts[n] != 9999 &&
                  b.PicButtonShapeTops[n] != 9999 && b.PicButtonShapeRights[n] != 0 &&
                  b.PicButtonShapeBottoms[n] != 0;
    windowWidth_ = ClientWidth(window);
    windowHeight_ = ClientHeight(window);
  }

  void Run() {
    for (;;) {
      // A direction whose step fails counts as finished, so a failing move still ends.
      if (!Step("move right", [this] { Across(+1); })) right_ = true;
      if (!Step("move left", [this] { Across(-1); })) left_ = true;
      if (!Step("move down", [this] { Down(+1); })) down_ = true;
      if (!Step("move up", [this] { Down(-1); })) up_ = true;
      if (!rectangle_) Step("move shaped button", [this] { PlaceShaped(); });
      Step("redraw", [this] { CopyInUse(n_).Refresh(); });
      if (right_ && left_ && down_ && up_) return;
      const core::RunFlags& f = core::Flags();
      if (f.JumpRequested == 1 || f.ShowStopped == 1 || f.ShowScreenClosed == 1) return;
      PauseFor(delay_);
    }
  }

 private:
  enum class Axis { kAcross, kDown };

  // The part of the button the limits hold in, from its corner: (a, b) on one axis.
  std::pair<int, int> Extent(Axis axis) const {
    const core::ButtonSlots& b = core::Buttons();
    if (polygonBox_) {
      return axis == Axis::kAcross
                 ? std::pair<int, int>(b.PicButtonShapeLefts[n_], b.PicButtonShapeRights[n_])
                 : std::pair<int, int>(b.PicButtonShapeTops[n_], b.PicButtonShapeBottoms[n_]);
    }
    if (FullScreen()) {
      const platform::PictureBox& show = ShowCopy(n_);
      return {0, axis == Axis::kAcross ? ClientWidth(show) : ClientHeight(show)};
    }
    return {0, axis == Axis::kAcross ? windowWidth_ : windowHeight_};
  }

  // Whether the copy in use may go one pixel further: forward (right or down) or back.
  bool Allowed(Axis axis, bool forward) const {
    const short overPic = core::Buttons().OverPic;
    if (overPic != 0 && overPic != -1) return true;
    const bool full = FullScreen();
    const platform::PictureBox& copy = CopyInUse(n_);
    const bool across = axis == Axis::kAcross;
    int p = across ? PixelLeft(copy) : PixelTop(copy);
    const auto [a, b] = Extent(axis);
    const platform::PictureBox* bounds;
    if (overPic == -1) {
      bounds = &core::form4().Picture1;
      if (full) p -= across ? core::Surfaces().PictureLeft : core::Surfaces().PictureTop;
    } else {
      bounds = full ? &engine::slidescreen().P2 : &core::form1().Picture1;
    }
    const int limit = across ? ClientWidth(*bounds) : ClientHeight(*bounds);
    return forward ? p + b < limit : p + a > 0;
  }

  void Across(int dir) {
    const bool wanted = dir > 0 ? x_ > 0 && x_ > cx_ : x_ < 0 && x_ < cx_;
    if (wanted && Allowed(Axis::kAcross, dir > 0)) {
      cx_ += dir;
      if (rectangle_) PixelMove(Axis::kAcross, dir);
    } else {
      (dir > 0 ? right_ : left_) = true;
    }
  }

  void Down(int dir) {
    const bool wanted = dir > 0 ? y_ > 0 && y_ > cy_ : y_ < 0 && y_ < cy_;
    if (wanted && Allowed(Axis::kDown, dir > 0)) {
      cy_ += dir;
      if (rectangle_) PixelMove(Axis::kDown, dir);
    } else {
      (dir > 0 ? down_ : up_) = true;
    }
  }

  // A rectangle button goes one pixel; on the show screen the strip it uncovered is put
  // back from the background copy.
  void PixelMove(Axis axis, int dir) {
    platform::PictureBox& show = ShowCopy(n_);
    const int dx = axis == Axis::kAcross ? dir : 0, dy = axis == Axis::kDown ? dir : 0;
    MoveToPixels(show, PixelLeft(show) + dx, PixelTop(show) + dy);
    platform::DoEvents();
    if (FullScreen()) {
      const int l = PixelLeft(show), t = PixelTop(show);
      const int w = ClientWidth(show), h = ClientHeight(show);
      QRect strip;
      if (dx > 0) strip = QRect(l - 1, t, 1, h + 1);
      if (dx < 0) strip = QRect(l + w, t, 1, h);
      if (dy > 0) strip = QRect(l, t - 1, w + 1, 1);
      if (dy < 0) strip = QRect(l, t + h, w, 1);
      RepairFromBackground(strip);
    } else {
      platform::PictureBox& window = WindowCopy(n_);
      MoveToPixels(window, PixelLeft(window) + dx, PixelTop(window) + dy);
    }
    platform::DoEvents();
  }

  // A shaped button goes to its new place; on the show screen the box it covered before
  // this step is put back from the background copy.
  void PlaceShaped() {
    platform::PictureBox& show = ShowCopy(n_);
    MoveToPixels(show, showLeft_ + cx_, showTop_ + cy_);
    platform::DoEvents();
    if (FullScreen()) {
      const core::ButtonSlots& b = core::Buttons();
      if (polygonBox_) {
        RepairFromBackground(QRect(showLeft_ + b.PicButtonShapeLefts[n_] + previousCx_,
                                   showTop_ + b.PicButtonShapeTops[n_] + previousCy_,
                                   b.PicButtonShapeRights[n_] - b.PicButtonShapeLefts[n_],
                                   b.PicButtonShapeBottoms[n_] - b.PicButtonShapeTops[n_]));
      } else {
        RepairFromBackground(QRect(showLeft_ + previousCx_, showTop_ + previousCy_,
                                   ClientWidth(show), ClientHeight(show)));
      }
    } else {
      MoveToPixels(WindowCopy(n_), windowLeft_ + cx_, windowTop_ + cy_);
    }
    platform::DoEvents();
    previousCx_ = cx_;
    previousCy_ = cy_;
  }

  int n_;
  double x_, y_, delay_;
  int showLeft_ = 0, showTop_ = 0, windowLeft_ = 0, windowTop_ = 0;
  int windowWidth_ = 0, windowHeight_ = 0;
  bool rectangle_ = true;
  bool polygonBox_ = false;
  int cx_ = 0, cy_ = 0, previousCx_ = 0, previousCy_ = 0;
  bool right_ = false, left_ = false, down_ = false, up_ = false;
};

}  // namespace

void ExecMovePicButton() {
  macro::MacroState& m = macro::State();
  const double v = core::SafeVal(m.MacroLineUpper.mid(5, 2));
  const bool slot = v == std::floor(v) && v >= 0 && v <= kLastPicButtonSlot;
  const int n = slot ? static_cast<int>(v) : -1;
  if (n < 0 || (!ShowCopy(n).Visible() && !WindowCopy(n).Visible())) {
    macro::ConsumeLine();
    return;
  }
  RandomScale scale;
  Step("random scale", [&] { scale = ScaleOfRnd(); });

  QString line = m.MacroLineUpper;
  const qsizetype comment = line.indexOf(QStringLiteral("//"));
  if (comment >= 0) line.truncate(comment);
  const qsizetype o = line.indexOf(QLatin1Char('(')) + 1;
  const qsizetype c1 = line.indexOf(QLatin1Char(',')) + 1;
  qsizetype c2 = c1 > 0 ? line.indexOf(QLatin1Char(','), c1) + 1 : 0;
  if (c2 == 0) c2 = c1;
  const qsizetype e = line.lastIndexOf(QLatin1Char(')')) + 1;

  bool xOk = false, yOk = false, delayOk = true;
  const QString xText = Between(line, o, c1, xOk);
  QString yText, delayText;
  if (c2 > c1) {
    yText = Between(line, c1, c2, yOk);
    delayText = Between(line, c2, e, delayOk);
  } else {
    yText = Between(line, c1, e, yOk);
  }
  const double x = Offset(xText, xOk, scale.w);
  const double y = Offset(yText, yOk, scale.h);
  double delay = 1;
  if (c2 > c1) delay = delayOk ? core::SafeVal(delayText) : 0;

  Movement(n, x, y, delay).Run();
  macro::ConsumeLine();
}

void SetMovePause(std::function<void(int ms)> pause) { Pause() = std::move(pause); }

}  // namespace showbuttons
