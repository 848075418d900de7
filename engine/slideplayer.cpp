// ShowCurrentSlide: one pass of the slide player, from the schedule test to the picture's
// macro and sound.
#include "engine/slideplayer.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/lists.h"
#include "core/monitors.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/form24.h"
#include "engine/picture_prep.h"
#include "engine/slide_sound.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "engine/surfaces.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/random.h"
#include "platform/vberror.h"
#include "sound/background_sound.h"

namespace engine {

namespace {

using platform::TryStep;

constexpr int kPointerDefault = 0;

int& PassDepth() {
  static int depth = 0;
  return depth;
}

struct PassGuard {
  PassGuard() { ++PassDepth(); }
  ~PassGuard() { --PassDepth(); }
};

void SetSlideTimerInterval(int ms) {
  TryStep([ms] { core::form1().Timer1.SetInterval(ms); });
}

// A slide outside its schedule: the caller moves on at once.
void SkipSlide() {
  SetSlideTimerInterval(1);
  core::Flags().SlideSkipped = 1;
}

// A random pass takes its slide by chance: not while the user steps by hand (START
// enabled) and not during a link-list run.
bool RandomPass() {
  return core::Lists().LinkRunActive != 1 && core::Settings().RandomOrderOff == 0 &&
         !StartButtonEnabled();
}

// The path of slide `index`; an index outside the list reads as an empty entry.
QString SlidePathAt(int index) {
  if (index < core::SlideStringArray::LBound() || index > core::SlideStringArray::UBound())
    return {};
  return core::Lists().SlidePaths[index];
}

void StopTickers() {
  core::Form1& f1 = core::form1();
  TryStep([&f1] {
    f1.Label1.SetCaption(QString());
    f1.Label1.SetVisible(false);
    f1.Timer4.SetEnabled(false);
  });
  if (Slidescreen* screen = SlidescreenIfLoaded()) {
    TryStep([screen] {
      screen->Label1.SetCaption(QString());
      screen->Label1.SetVisible(false);
      screen->Timer1.SetEnabled(false);
    });
  }
}

// A one-pass ticker moves only while one of the ticker timers runs.
bool TickerStillMoving() {
  if (core::form1().Timer4.IsRunning()) return true;
  Slidescreen* screen = SlidescreenIfLoaded();
  return screen && !screen->IsClosed() && screen->Timer1.IsRunning();
}

void SetShowCaptions(const QString& fileName) {
  TryStep([&fileName] { slidescreen2().SetCaption(fileName); });
  TryStep([&fileName] { core::form1().SetCaption(fileName); });
}

// ---- the movie branch -------------------------------------------------------------------

void PlayMovieSlide(const QString& path) {
  core::RunFlags& flags = core::Flags();
  try {
    RunEraseEffect();
    if (!QFileInfo(path).isFile()) throw platform::VbError(platform::kErrFileNotFound, path);
    core::Paths().CurrentSlideFileName = core::GetFileNameOfPath(path);
    SetShowCaptions(core::Paths().CurrentSlideFileName);
    StartMovieSounds();
    flags.MovieAborted = 0;
    PlayMovieModal(path);
    flags.SkipEraseEffect = 1;
    if (flags.MovieAborted == 1 && flags.OperationLocked != 1) {
      flags.UnloadEndsShow = 1;
      if (flags.FullScreenShowActive == 1) {
        if (Slidescreen* screen = SlidescreenIfLoaded()) screen->Unload();
        flags.UnloadEndsShow = 0;
        core::Form1& f1 = core::form1();
        f1.Picture1.Cls();
        for (platform::MenuItem* menu : {&f1.mnuNEW, &f1.mnuOPEN, &f1.mnuSAVE, &f1.mnuHAIHU})
          menu->SetEnabled(true);
      } else {
        flags.ShowEndRequested = 1;
      }
      platform::SetScreenMousePointer(kPointerDefault);
    }
    SetSlideTimerInterval(100);
    flags.SlideInProgress = 0;
  } catch (const std::exception&) {
    platform::MsgBox(
        path + QStringLiteral(" 動画ファイルが再生できません。ファイルを確認してください。"),
        platform::vbOKOnly | platform::vbExclamation, QStringLiteral("動画ファイル再生エラー"));
    flags.ShowEndRequested = 1;
    flags.SlideInProgress = 0;
  }
}

// ---- the picture branch -----------------------------------------------------------------

// The full-screen surface before the new picture: laid over the old one with an
// overlay, otherwise the old picture is erased.
void ClearShowSurfaceForNewPicture() {
  const core::RunFlags& flags = core::Flags();
  if (core::Settings().OverlayMode != 0) {
    ReleasePictureDC();
    return;
  }
  if (flags.ShowScreenHasPicture != 1 || flags.OverlayChangedByMacro != 0) {
    ReleasePictureDC();
  } else {
    TryStep([] { RunEraseEffect(); });
    ReleasePictureDC();
  }
  if (Slidescreen* screen = SlidescreenIfLoaded()) {
    // Clearing the picture clears the drawing as well.
    if (!screen->IsClosed()) screen->P2.ClearPicture();
  }
}

// A macro changed the overlay: P2 gets its background again and covers the window.
void ResetSurfaceAfterOverlayChange() {
  Slidescreen& screen = slidescreen();
  screen.P2.Cls();
  screen.P2.ClearPicture();
  if (core::Settings().OverlayMode != 0) {
    ApplyScreenBackColor(screen);
  } else {
    screen.P2.SetBackColor(Qt::black);
  }
  screen.P2.Move(0, 0, screen.ScaleWidth(), screen.ScaleHeight());
}

// Copies the whole inner area of one show surface onto another.
void CopySurface(platform::PictureBox& from, platform::PictureBox& to) {
  to.PaintPicture(from.Image(), 0, 0, to.ScaleWidth(), to.ScaleHeight());
}

void ShowOnFullScreen() {
  core::RunFlags& flags = core::Flags();
  const core::ShowSettings& s = core::Settings();
  Slidescreen* screen = SlidescreenIfLoaded();
  if (s.OverlayMode > 0 && s.TextOriginScreen == 1 && flags.FullScreenShowActive == 1 &&
      s.TextMacroOff == 0 && screen && !screen->IsClosed()) {
    TryStep([screen] { CopySurface(screen->P4, screen->P2); });
  }
  if (s.ControlBoxOff == 0) TryStep([] { slidescreen2().Show(); });
  flags.ShowScreenHasPicture = 1;
  MakePictureDC();
  core::MainMonitorIndex();
  TryStep([] { RunDisplayEffect(); });
}

// The clean copy P4: the picture without the ticker's text.
void KeepCleanCopy() {
  Slidescreen* screen = SlidescreenIfLoaded();
  if (!screen || screen->IsClosed()) return;
  if (screen->Timer1.IsRunning()) {
    screen->Label1.SetVisible(false);
    platform::DoEvents();
    if (screen->IsClosed()) return;
    CopySurface(screen->P2, screen->P4);
    screen->Label1.SetVisible(true);
  } else {
    CopySurface(screen->P2, screen->P4);
  }
}

// The slide that follows this one in the show's order, when it is known: not in random
// order, not past the end of a list that does not repeat or of a link run's file, and
// not a movie. A jump of the macro makes it unknown again (the picture is then unused).
QString NextSlidePathInOrder() {
  const core::ListState& lists = core::Lists();
  const core::ShowSettings& s = core::Settings();
  if (s.RandomOrderOff == 0 && lists.LinkRunActive != 1) return {};
  int next = lists.CurrentSlideIndex + 1;
  if (next >= lists.SlideEndIndex) {
    if (s.RepeatOff == 1 || lists.LinkRunActive == 1 || lists.SlideEndIndex <= 1) return {};
    next = 1;
  }
  const QString path = SlidePathAt(next);
  if (path.isEmpty() || sound::IsMovieSlidePath(path)) return {};
  return path;
}

void ShowPictureSlide() {
  core::RunFlags& flags = core::Flags();
  const core::ShowSettings& s = core::Settings();
  flags.SkipEraseEffect = 0;
  TryStep([] { core::form1().Picture3.SetVisible(false); });
  if (Slidescreen* screen = SlidescreenIfLoaded()) screen->Picture2.SetVisible(false);
  TryStep([] { SuperviseCd(); });

  // Only the picture itself decides whether the slide is unreadable.
  try {
    PrepareSlidePicture();
  } catch (const std::exception&) {
    HandlePictureReadError();
    return;
  }

  if (flags.FullScreenShowActive == 1) TryStep([] { ClearShowSurfaceForNewPicture(); });
  SetShowCaptions(core::Paths().CurrentSlideFileName);
  if (flags.OverlayChangedByMacro == 1) {
    TryStep([] { ResetSurfaceAfterOverlayChange(); });
    flags.OverlayChangedByMacro = 0;
  }

  try {
    FitSlidePicture();
  } catch (const std::exception&) {
    HandlePictureReadError();
    return;
  }
  TryStep([] { RestartLoopingSound(); });

  if (flags.FullScreenShowActive != 0) {
    try {
      ShowOnFullScreen();
    } catch (const std::exception&) {
      HandlePictureReadError();
      return;
    }
  }
  flags.OverlayChangedByMacro = 0;
  platform::SetScreenMousePointer(kPointerDefault);
  flags.MacroExitedEarly = 0;

  if (flags.FullScreenShowActive == 1 && s.TextMacroOff == 0) TryStep([] { KeepCleanCopy(); });
  // The next picture is decoded while this one is shown.
  TryStep([] { PreparePictureAhead(NextSlidePathInOrder()); });

  if (s.LinkedSoundAfterText == 1) TryStep([] { core::TheServices().RunPictureMacro(); });
  if (flags.ShowStopped == 1) {
    platform::SetScreenMousePointer(kPointerDefault);
  } else {
    if (flags.MacroExitedEarly != 1) TryStep([] { StartPictureSounds(); });
    if (s.LinkedSoundAfterText == 0) TryStep([] { core::TheServices().RunPictureMacro(); });
  }
  flags.SlideInProgress = 0;
}

}  // namespace

// ---- rules ---------------------------------------------------------------------------------

std::optional<QDateTime> ScheduleMoment(const QString& entry, const QString& today) {
  const QString s = entry.trimmed();
  if (s.isEmpty()) return std::nullopt;
  // A time without a date means every day.
  const QString text = entry.left(10).trimmed().isEmpty() ? today + QLatin1Char(' ') + s : s;
  static const QRegularExpression form(QStringLiteral(
      R"(^\s*(\d{1,4})/(\d{1,2})/(\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
  const QRegularExpressionMatch m = form.match(text);
  if (m.hasMatch()) {
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    QTime time(0, 0);
    if (!m.captured(4).isEmpty()) {
      time = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                   m.captured(6).isEmpty() ? 0 : m.captured(6).toInt());
    }
    if (date.isValid() && time.isValid()) return QDateTime(date, time);
  }
  throw platform::VbError(platform::kErrTypeMismatch,
                          QStringLiteral("Not a date and time: %1").arg(text));
}

bool OutsideSchedule(int index) {
  const core::ListState& lists = core::Lists();
  const QDateTime& now = lists.ScheduleNow;
  if (const auto start = ScheduleMoment(lists.SlideAddDateTimes[index], lists.ScheduleDateText)) {
    if (*start > now) return true;
  }
  if (const auto end = ScheduleMoment(lists.SlideDeleteDateTimes[index], lists.ScheduleDateText)) {
    if (*end < now) return true;
  }
  return false;
}

short RandomSlideIndex(double r, int slideCount) {
  if (slideCount < 1) return 1;
  const int index = static_cast<int>(std::floor(r * slideCount)) + 1;
  return static_cast<short>(std::clamp(index, 1, slideCount));
}

void TakeScheduleMoment() {
  core::ListState& lists = core::Lists();
  QDateTime now = platform::Now();
  now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
  lists.ScheduleDateText = now.date().toString(QStringLiteral("yyyy/MM/dd"));
  lists.ScheduleNow = now;
}

bool StartButtonEnabled() {
  core::Form1* f1 = core::Form1IfLoaded();
  return f1 && f1->Command1.Enabled();
}

// ---- the pass ------------------------------------------------------------------------------

void ShowCurrentSlide() {
  if (PassDepth() > 0) return;
  PassGuard guard;

  core::ListState& lists = core::Lists();
  core::RunFlags& flags = core::Flags();
  core::ShowSettings& s = core::Settings();
  core::SoundState& media = core::Sound();

  // Schedule: every slide of one pass through the list is tested against the moment of
  // its first slide.
  if (lists.ScheduleDateText.isEmpty() || lists.CurrentSlideIndex == 1) TakeScheduleMoment();
  // A random pass tests the slide it takes, once it has taken it.
  const bool randomPass = RandomPass();
  if (!randomPass && OutsideSchedule(lists.CurrentSlideIndex)) {
    SkipSlide();
    return;
  }

  TryStep([] { core::TheServices().ClearShowControls(); });
  flags.SlideInProgress = 1;
  lists.LastShownSlideIndex = lists.CurrentSlideIndex;
  // What a closed show window left behind does not concern a pass in the main window.
  if (flags.FullScreenShowActive == 0) flags.ShowScreenClosed = 0;
  if (flags.ShowStopped == 1) {
    flags.SlideInProgress = 0;
    return;
  }

  flags.ShowEndRequested = 0;
  s.EffectSpeedCorrection = 4;
  flags.EffectDelayFactor =
      static_cast<float>(std::floor((3 - s.EffectSpeedCorrection / 4.0) * 10) / 10);

  bool gaveUp = false;
  TryStep([&gaveUp] { gaveUp = WaitForLinkedSound(); });
  if (gaveUp) {
    flags.SlideInProgress = 0;
    return;
  }
  media.SoundStartedAtShowStart = 0;

  // The previous picture's macro left by a jump while its one-pass ticker still ran.
  if (flags.JumpRequested == 1 && flags.TelopOnceRunning == 1) {
    StopTickers();
    flags.TelopOnceRunning = 0;
  }
  while (flags.TelopOnceRunning == 1) {
    platform::DoEvents();
    platform::Sleep(10);
    if (StartButtonEnabled()) {
      flags.SlideInProgress = 0;
      TryStep([] { core::form1().Timer4.SetEnabled(false); });
      flags.TelopOnceRunning = 0;
      return;
    }
    // A ticker whose timer was stopped (its window closed) never ends by itself.
    if (flags.TelopOnceRunning == 1 && !TickerStillMoving()) flags.TelopOnceRunning = 0;
  }

  if (randomPass) {
    int count = 0;
    TryStep([&count] {
      core::Windows().LoadSlideList();
      count = core::Form3List1().Count();
    });
    lists.CurrentSlideIndex = RandomSlideIndex(platform::Rnd(), count);
    bool outside = false;
    try {
      outside = OutsideSchedule(lists.CurrentSlideIndex);
    } catch (...) {
      flags.SlideInProgress = 0;
      throw;
    }
    if (outside) {
      SkipSlide();
      flags.SlideInProgress = 0;
      return;
    }
  }

  const QString path = SlidePathAt(lists.CurrentSlideIndex);
  if (path.isEmpty()) {
    flags.SlideInProgress = 0;
    return;
  }
  const bool movie = sound::IsMovieSlidePath(path);
  media.SlideMusicFile = LinkedFileStem(path) + QStringLiteral("mp3");

  bool interrupted = false;
  TryStep([&interrupted, movie] { interrupted = FadeOutBeforeSlide(movie); });
  if (interrupted) return;

  if (movie) {
    PlayMovieSlide(path);
  } else {
    ShowPictureSlide();
  }
}

}  // namespace engine
