// The ticker in a running show: the slide after a one-pass ticker waits for its pass, and
// the show surface under the moving label is repainted cleanly and only where it moved.
#include <QEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QTimer>

#include "core/services.h"
#include "engine/slideplayer.h"
#include "macro/macro.h"
#include "macro/macro_state.h"
#include "macro/telop.h"
#include "platform/cp932.h"
#include "tests/engine/test_slideplayer_fixture.h"

namespace {

using slideplayer_test::MainWindowShowTest;

class TickerInAShow : public MainWindowShowTest {
 protected:
  void SetUp() override {
    MainWindowShowTest::SetUp();
    macro::RegisterServices();
    core::Settings().TextMacroOff = 0;
    macro::StopTickers();
  }
  void TearDown() override {
    macro::StopTickers();
    if (old_) macro::SetKeywordHandler(31, old_);
    core::ResetServices();
    MainWindowShowTest::TearDown();
  }

  void WriteMacro(const QString& picture, const QStringList& lines) {
    QString path = picture;
    path.chop(4);
    Write(QFileInfo(path + QStringLiteral(".txt")).fileName(),
          platform::ToCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
  }

  void Pass(short index) {
    core::form1().Command1.SetEnabled(false);
    core::Lists().CurrentSlideIndex = index;
    engine::ShowCurrentSlide();
  }

  std::function<void()> old_;
};

TEST_F(TickerInAShow, TheNextSlideFollowsOnlyAfterTheOnePass) {
  const QStringList slides = MakeSlides(2);
  SetSlides(slides);
  // A slow timer: the test fires the ticks itself.
  WriteMacro(slides[0], {"CurrentY=20", "TELOP1(1000,100,\"お知らせ\")"});
  WriteMacro(slides[1], {"// the second slide's macro"});
  core::Flags().ShowRunning = 1;

  struct Seen {
    bool timerOn;
    bool labelShown;
    short once;
  };
  std::vector<Seen> seen;
  old_ = macro::SetKeywordHandler(31, [&] {
    seen.push_back({core::form1().Timer4.Enabled(), core::form1().Label1.Visible(),
                    core::Flags().TelopOnceRunning});
    macro::ConsumeLine();
  });

  Pass(1);
  EXPECT_EQ(PreviewSlide(), 1);
  // The macro has ended; its ticker scrolls on.
  EXPECT_EQ(core::Flags().TelopOnceRunning, 1);
  EXPECT_TRUE(core::form1().Timer4.IsRunning());
  EXPECT_EQ(core::form1().Label1.Caption(), QStringLiteral("お知らせ"));

  // The ticks come while the next pass waits.
  int ticks = 0;
  int slideDuringTicks = -1;
  QTimer::singleShot(0, [&] {
    slideDuringTicks = PreviewSlide();
    while (core::Flags().TelopOnceRunning == 1 && ticks < 1000) {
      macro::Form1Timer4_Timer();
      ++ticks;
    }
  });
  Pass(2);
  EXPECT_EQ(slideDuringTicks, 1);
  EXPECT_GT(ticks, 1);
  EXPECT_EQ(PreviewSlide(), 2);
  ASSERT_EQ(seen.size(), 1u);
  // The second slide's macro ran after the pass had ended.
  EXPECT_FALSE(seen[0].timerOn);
  EXPECT_FALSE(seen[0].labelShown);
  EXPECT_EQ(seen[0].once, 0);
}

TEST_F(TickerInAShow, ARepeatingTickerRunsOnOverTheNextSlide) {
  const QStringList slides = MakeSlides(2);
  SetSlides(slides);
  WriteMacro(slides[0], {"TELOP(1000,10,\"ずっと\")"});
  core::Flags().ShowRunning = 1;
  Pass(1);
  Pass(2);
  EXPECT_EQ(PreviewSlide(), 2);
  EXPECT_TRUE(core::form1().Timer4.Enabled());
  EXPECT_EQ(core::form1().Label1.Caption(), QStringLiteral("ずっと"));
}

// Records the areas a widget repaints.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
  std::vector<QRegion> regions;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) regions.push_back(static_cast<QPaintEvent*>(e)->region());
    return false;
  }
};

TEST_F(TickerInAShow, TheSurfaceUnderTheLabelIsRepaintedOnlyWhereItMoved) {
  const QStringList slides = MakeSlides(1);
  SetSlides(slides);
  core::RunFlags& flags = core::Flags();
  flags.FullScreenShowActive = 1;
  core::Lists().CurrentSlideIndex = 1;
  core::Settings().ControlBoxOff = 1;  // the activation brings no control box
  engine::Slidescreen& screen = engine::slidescreen();
  screen.Show();
  platform::DoEvents();
  platform::PictureBox& p2 = screen.P2;
  ASSERT_TRUE(p2.isVisible());

  // Text drawn straight onto the surface after the marker: it exists nowhere else.
  {
    QPainter p(&p2.Canvas());
    p.fillRect(0, 0, p2.width(), p2.height(), QColor(0, 0, 128));
    p.fillRect(100, 40, 220, 40, QColor(255, 0, 0));
    p.fillRect(150, 50, 40, 10, QColor(255, 255, 0));
  }
  p2.Invalidate();
  platform::DoEvents();

  macro::State().MacroLine = QStringLiteral("TELOP(1000,25,\"■■■■ ticker\")");
  macro::State().MacroLineUpper = macro::MacroUpper(macro::State().MacroLine);
  p2.SetCurrentY(35);
  p2.SetFontSize(28);
  macro::ExecTelopCommand();
  platform::DoEvents();

  PaintRecorder recorder(&p2);
  int paints = 0;
  const int ticks = (p2.width() - 60) / 25;
  for (int i = 0; i < ticks; ++i) {
    const QRect before = screen.Label1.geometry();
    macro::SlidescreenTimer1_Timer();
    const QRect after = screen.Label1.geometry();
    platform::DoEvents();
    const QRegion allowed = QRegion(before).united(after);
    for (const QRegion& r : recorder.regions) {
      EXPECT_TRUE((r - allowed).isEmpty()) << "tick " << i << ": repainted beyond the label";
      ++paints;
    }
    recorder.regions.clear();
  }
  EXPECT_GT(paints, 0);

  // What the screen shows is the surface, except where the label now stands.
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(screen.winId());
  ASSERT_FALSE(shot.isNull());
  const QImage shown = shot.toImage();
  const QImage surface = p2.Image();
  const QPoint at = p2.mapTo(&screen, QPoint(0, 0));
  const QRect label = screen.Label1.geometry();
  int differing = 0;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < p2.width(); ++x)
      if (!label.contains(x, y) &&
          shown.pixelColor(at.x() + x, at.y() + y) != surface.pixelColor(x, y))
        ++differing;
  EXPECT_EQ(differing, 0);
  EXPECT_TRUE(flags.ShowStopped == 0);
}

}  // namespace
