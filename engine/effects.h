#pragma once
// Display (show-in) and erase (show-out) transition effects of the full-screen show.
//
// The runners read the shared show settings, choose the effect, place the picture and
// run the effect's steps on the show window's visible surface P2, copying from the
// current picture (PictureMemDC) or painting black. The geometry of every effect is
// written against EffectCanvas, so that it can be driven on a plain image as well.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <chrono>
#include <functional>
#include <vector>

namespace engine {

// ---------------------------------------------------------------------------------------
// Effect codes (DisplayEffect 0..11, EraseEffect 0..12).
constexpr short kEffectFromTop = 0;
constexpr short kEffectFromBottom = 1;
constexpr short kEffectFromLeft = 2;
constexpr short kEffectFromRight = 3;
constexpr short kEffectFromCentre = 4;
constexpr short kEffectFromOutside = 5;
constexpr short kEffectHorizontalSlits = 6;
constexpr short kEffectVerticalSlits = 7;
constexpr short kEffectMosaic = 8;
constexpr short kEffectRandom = 9;
constexpr short kEffectInTurn = 10;
constexpr short kDisplayEffectNone = 11;
constexpr short kEraseEffectLinked = 11;
constexpr short kEraseEffectNone = 12;

// ---------------------------------------------------------------------------------------
// Runners and the named operations of the effects (they work on the shared show state).

// Places the current picture on the show window, runs the chosen display effect,
// copies the whole picture and draws the frame of an overlaid picture.
void RunDisplayEffect();
// Runs the chosen erase effect over the picture on the show window and clears it,
// unless the erase is skipped; always ends with ReleasePictureDC.
void RunEraseEffect();
// Processes pending events, copies the whole picture, EffectStop = 0. `pictureDrawn`:
// the display run just drew the whole picture, so it is copied again only when the
// events drew on the surface or changed the picture.
void BlitWholePicture(bool pictureDrawn = false);
// Processes pending events, clears P2 to its background colour, EffectStop = 0.
void ClearShowSurface();
// The pause after one strip of a display or erase strip wipe.
void PaceDisplayStep();
void PaceEraseStep();

void DisplayFromCentre();
void DisplayFromOutside();
void EraseFromCentre();
void EraseFromOutside();
void DisplayHorizontalSlits();
void DisplayVerticalSlits();
void DisplayMosaic();
void EraseHorizontalSlits();
void EraseVerticalSlits();
void EraseMosaic();

// The effects actually run for the current picture.
struct EffectState {
  short DisplayEffectUsed = 0;  // kept after the display so that a linked erase follows it
  short EraseEffectUsed = 0;
};
EffectState& Effects();

// Tests: called after every drawn step of the runners' effects with its rectangle
// (picture coordinates); an empty function removes the observer.
void SetEffectStepObserver(std::function<void(const QRect&)> observer);

// ---------------------------------------------------------------------------------------
// Choice of the effect actually run.

// Random choice of a code 0..8 from one draw r in [0, 1): Int(r * 8 + 0.8), which
// makes 0 rarer (1/40) and 8 rarer (1/10) than the others (1/8).
short RandomEffectCode(double r);
// The in-turn choice: the code to run now; advances turn (0..8, then 0 again).
short EffectCodeInTurn(short& turn);
// The erase code that follows a display code when the erase is linked: the same code,
// except that from the centre and from the outside swap; "none" stays none.
short LinkedEraseCode(short displayEffectUsed);

// Step of the strip wipes at a speed: 1 below speed 7, else speed - 6.
int StripStep(int speed);
// Step of the left and right wipes: Int(1.5 * StripStep).
int SideStripStep(int speed);
// Step of the effects from the centre and from the outside: 1 up to speed 6, else speed - 5.
int CentreStep(int speed);
// Band height (or width) of the slits: 1 up to speed 7, else speed - 6.
int SlitBand(int speed);

// Rounds of the variable-speed pauses (a value below 1 means no pause).
double StripPauseRounds(int speed, float delayFactor, bool sideStrip);
double CentrePauseRounds(int speed, float delayFactor);
double SlitPauseRounds(int speed, float delayFactor);
double MosaicPauseRounds(int speed, int count, int mosaicDelayAdjust);

// ---------------------------------------------------------------------------------------
// Pacing. A round of a pause processes pending events and then waits out the rest of its
// slot of time, so that an effect lasts the same on any machine. At the default speed
// (-30) with the delay factor 2.0, a strip of the top wipe pauses 740 rounds: with a slot
// of 2.5 microseconds a full-screen top wipe of 1080 rows takes 1081 x 740 x 2.5 us, about
// 2.0 seconds. Each pause ends at a moment counted from the effect's first pause, so the
// time spent drawing and processing events is not added to it: a step that is late does
// not wait, and the steps catch up, processing events at most every stepEventInterval.
// Events are processed about every millisecond inside a long pause. A pause right after
// a step that drew nothing on the visible surface (a panorama's parts off the screen)
// does not wait either.
struct EffectPacing {
  std::chrono::nanoseconds roundSlot{2500};
  // Whether the fixed-speed mode really sleeps its 1 or 2 ms per step.
  bool fixedSleeps = true;
  // Least time between two event processings of the steps themselves. Every step asks
  // for pending events; doing it more often than a quarter of a 60 Hz frame only repaints
  // sooner than a screen can show, and a click still ends the effect within 4 ms. Pauses
  // always process events, so a paced effect repaints each step's own rectangle.
  std::chrono::nanoseconds stepEventInterval{std::chrono::milliseconds(4)};
  // The clock the pauses are timed by and the wait until a moment (tests set both).
  std::function<std::chrono::steady_clock::time_point()> now;
  std::function<void(std::chrono::steady_clock::time_point)> sleepUntil;

  static EffectPacing Default() { return {}; }
  // No waiting at all: pauses process events once and return (tests and benchmarks).
  static EffectPacing NoWaits() {
    return {std::chrono::nanoseconds(0), false, std::chrono::nanoseconds(0), {}, {}};
  }
};
void SetEffectPacing(const EffectPacing& pacing);
const EffectPacing& CurrentEffectPacing();

// ---------------------------------------------------------------------------------------
// The canvas of one running effect.

enum class EffectSide { Display, Erase };

// Where an effect draws, what it copies, how it waits and when it must end. A display
// step copies a rectangle of the picture (source) to origin + its position on the
// surface, changing only the part that lies inside the picture; an erase step paints the
// whole rectangle black. Rectangles are in picture coordinates and are rounded to whole
// pixels, halves to even.
//
// Steps are gathered and drawn onto the surface just before events are processed (so
// before any repaint) and when the effect ends: a run of copies, or of fills of one colour,
// comes out the same in any order, so it is drawn as one region, row by row. Narrow
// column steps drawn one at a time each touched a page per row of the image.
class EffectCanvas {
 public:
  EffectCanvas() = default;
  EffectCanvas(const EffectCanvas&) = default;
  EffectCanvas& operator=(const EffectCanvas&) = default;
  // Draws what is still gathered.
  ~EffectCanvas();

  EffectSide side = EffectSide::Display;
  QImage* surface = nullptr;       // the visible surface (P2's image)
  const QImage* source = nullptr;  // the current picture (PictureMemDC); display only
  QPoint origin;                   // PictureLeft, PictureTop
  double width = 0;                // W: the picture's width in pixels
  double height = 0;               // H
  int speed = 0;                   // DisplayEffectSpeed or EraseEffectSpeed
  bool fixedSpeed = false;         // EffectSpeedFixed = 1
  float delayFactor = 0;           // EffectDelayFactor
  // The surface already shows the whole picture at origin: a display step only repaints
  // its rectangle, until something else is drawn.
  bool pictureInPlace = false;

  // The surface's region that changed; called when events are processed, with the
  // region drawn since the last call.
  std::function<void(const QRect&)> repaint;
  // EffectStop = 1.
  std::function<bool()> stopRequested;
  // The show window was closed: nothing more is drawn and the effect ends.
  std::function<bool()> surfaceClosed;
  // Processing of pending window events.
  std::function<void()> processEvents;
  // The shared random source: r in [0, 1).
  std::function<double()> random;
  // Tests: called after each drawn step with its rounded rectangle.
  std::function<void(const QRect&)> onStep;

  // Draws one step's rectangle (x, y, w, h in picture coordinates).
  void Draw(double x, double y, double w, double h);
  // Draws one rectangle as the given side would, whatever this canvas's side.
  void DrawAs(EffectSide drawSide, double x, double y, double w, double h);
  // Paints a rectangle of the surface (surface coordinates) white or black, gathered
  // like the steps.
  void Fill(const QRect& surfaceRect, QRgb colour);

  // Processing of pending events that a step asks for (at most every stepEventInterval).
  void StepEvents();
  // Processing of pending events that always happens (pauses, whole copies).
  void PauseEvents();
  // EffectStop = 1 or the window was closed.
  bool Stopped() const;
  bool Closed() const;

  // A variable-speed pause of n rounds (none when n < 1); ends early on a stop, tested
  // before (testFirst) or after the events of each round.
  void PauseRounds(double n, bool testFirst);
  // A fixed-speed sleep, timed by deadlines like the pauses.
  void Sleep(int ms);
  double Random();

  // Draws the gathered steps and hands the region drawn since the last call to repaint.
  void FlushRepaint();
  // Draws the gathered steps onto the surface.
  void DrawPending();

  int steps() const { return steps_; }
  // Pauses that waited for their time.
  int waitedPauses() const { return waitedPauses_; }

 private:
  // A run of steps of one kind: copies of the picture, or fills of one colour.
  struct PendingRun {
    bool fill = false;
    QRgb colour = 0;
    QRegion region;  // surface coordinates, inside the surface
  };
  void Gather(bool fill, QRgb colour, const QRect& to);
  void DrawRun(const PendingRun& run);
  void MarkDirty(const QRect& r);
  void ProcessNow();

  std::vector<PendingRun> pending_;
  int pendingRects_ = 0;

  // The area drawn since the last repaint. One bounding rectangle: a widget repaint of a
  // region of many rectangles costs more than repainting their bounds.
  QRect dirty_;
  int steps_ = 0;
  std::chrono::steady_clock::time_point lastEvents_{};

  // Pacing by deadlines: when the pauses so far are due to end, from the first pause on.
  bool WaitsNow();
  std::chrono::steady_clock::time_point Now() const;
  void WaitUntilDue(bool testFirst);
  bool paced_ = false;
  std::chrono::steady_clock::time_point due_{};
  // Whether the steps since the last pause drew on the visible surface.
  int stepsSincePause_ = 0;
  bool visibleSincePause_ = false;
  bool waits_ = true;
  int waitedPauses_ = 0;
};

// The effect routines on a canvas; the named operations above build the canvas from the
// show state and call these.
void RunStripWipe(EffectCanvas& canvas, short code);
void RunFromOutside(EffectCanvas& canvas);
void RunFromCentre(EffectCanvas& canvas);
void RunHorizontalSlits(EffectCanvas& canvas, int count);
void RunVerticalSlits(EffectCanvas& canvas, int count);
void RunMosaic(EffectCanvas& canvas, int count, int mosaicDelayAdjust);
// Runs the routine of code 0..8; other codes draw nothing.
void RunEffectCode(EffectCanvas& canvas, short code, int slitCount, int mosaicCount,
                   int mosaicDelayAdjust);
// The pause after one strip of a strip wipe (code 0..3) on the canvas.
void PaceStripStep(EffectCanvas& canvas, short code);

// Draws the two-pixel frame round a picture of w x h at (left, top) on a surface: white
// above and left, black right and below.
void DrawOverlayFrame(EffectCanvas& canvas, int left, int top, int w, int h);

// The picture's position on the show surface: free space (twips) times the factor,
// converted to pixels and rounded halves to even.
int PlacePicture(double freeSpaceTwips, double factor, int twipsPerPixel);

}  // namespace engine
