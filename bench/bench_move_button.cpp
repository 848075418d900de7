// Times "MOVPB" moving a 200 x 200 star-shaped picture button 500 pixels across a
// 1920 x 1080 show surface at delay 0, against one full-surface copy measured in the same
// run. Only the box the button covered is repaired at each step, so a step should cost at
// most 1/20 of such a copy. Measured on the hidden surface, as the other timing programs
// are; the same figures with the window shown (Qt's own repaint of the shaped button
// included) follow for information.
#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro.h"
#include "macro/macro_state.h"
#include "mainwindow/mainwindow.h"
#include "platform/events.h"
#include "platform/fonts.h"
#include "platform/picturebox.h"
#include "showbuttons/button_controls.h"
#include "showbuttons/showbuttons.h"
#include "tests/support/timing.h"

namespace {

using test_support::MedianMs;

constexpr int kPixels = 500;
constexpr double kTarget = 1.0 / 20;  // full-surface copies per step

void Line(const QString& text) { macro::CarryOutLine(text); }

struct Figures {
  double copyMs = 0;   // one full-surface copy, repainted
  double stepMs = 0;   // one step of the star's move
  double wholeMs = 0;  // one step with the whole surface put back instead (reference)
};

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir dir;
  test_support::PrepareBenchProcess(dir);
  QApplication app(argc, argv);
  mainwindow::Register();
  platform::InstallFontSubstitutions();
  macro::RegisterServices();
  showbuttons::RegisterServices();

  core::form1();
  core::ResetAllState();
  core::BuildMonitorTable();
  core::Flags().TitlePanelDone = 1;
  core::Lists().SlidePaths[1] = dir.filePath(QStringLiteral("slide.jpg"));
  core::Lists().CurrentSlideIndex = 1;
  core::Lists().SlideEndIndex = 2;
  // A show that runs already, without its control box: showing the window starts nothing.
  core::Flags().ShowRunning = 1;
  core::Settings().ControlBoxOff = 1;
  core::Flags().FullScreenShowActive = 1;
  const QString star = dir.filePath(QStringLiteral("star.png"));
  {
    QImage button(200, 200, QImage::Format_RGB32);
    button.fill(qRgb(0, 200, 0));
    button.save(star);
  }

  engine::Slidescreen& screen = engine::slidescreen();
  screen.resize(1920, 1080);
  for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4}) box->resize(1920, 1080);
  const QSize size = screen.P2.Canvas().size();
  const QImage picture = test_support::TestPattern(size.width(), size.height());
  screen.P3.PaintPicture(picture, 0, 0);
  auto putPicture = [&] {
    {
      QPainter p(&screen.P2.Canvas());
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, picture);
    }
    screen.P2.Invalidate();
  };
  // The star placed at (300, 400), to be moved 500 pixels to the right.
  auto place = [&] {
    putPicture();
    platform::DoEvents();
    core::ClearButtonSlots();
    Line(QStringLiteral("PICPBTYPE=3"));
    macro::State().TextLeft = 300;
    screen.P2.SetCurrentY(400);
    Line(QStringLiteral("PICPB00(0,\"%1\")").arg(star));
    platform::DoEvents();
  };

  auto measure = [&](int runs) {
    Figures f;
    f.copyMs = MedianMs(21, [&] {
      putPicture();
      platform::DoEvents();
    });
    f.stepMs = MedianMs(runs, place, [] { Line(QStringLiteral("MOVPB00(%1,0,0)").arg(kPixels)); }) /
               (kPixels + 1);
    f.wholeMs = MedianMs(1, place,
                         [&] {
                           platform::PictureBox& button = screen.Picture1(0);
                           for (int i = 1; i <= kPixels; ++i) {
                             showbuttons::MoveToPixels(button, 300 + i, 400);
                             platform::DoEvents();
                             showbuttons::RepairFromBackground(QRect(QPoint(0, 0), size));
                             platform::DoEvents();
                           }
                         }) /
                kPixels;
    return f;
  };

  const Figures hidden = measure(7);
  const platform::PictureBox& button = screen.Picture1(0);
  place();
  Line(QStringLiteral("MOVPB00(%1,0,0)").arg(kPixels));
  if (showbuttons::PixelLeft(button) != 300 + kPixels || button.mask().isEmpty()) {
    std::printf("the star did not move as asked (left %d)\n", showbuttons::PixelLeft(button));
    return 2;
  }
  screen.QWidget::show();
  platform::DoEvents();
  const Figures shown = measure(3);

  std::printf("show surface %dx%d; star button 200x200 moved %d pixels at delay 0\n", size.width(),
              size.height(), kPixels);
  std::printf("%-44s %12s %12s\n", "", "hidden", "shown");
  std::printf("%-44s %12.4f %12.4f\n", "one full-surface copy, ms", hidden.copyMs, shown.copyMs);
  std::printf("%-44s %12.4f %12.4f\n", "a step, box repaired, ms", hidden.stepMs, shown.stepMs);
  std::printf("%-44s %12.3f %12.3f\n", "  in full copies", hidden.stepMs / hidden.copyMs,
              shown.stepMs / shown.copyMs);
  std::printf("%-44s %12.3f %12.3f\n", "a step, whole surface put back (ref), copies",
              hidden.wholeMs / hidden.copyMs, shown.wholeMs / shown.copyMs);
  const double ratio = hidden.stepMs / hidden.copyMs;
  std::printf("\nstep: %.3f full copies (target: at most %.3f) -> %.2f of the target\n", ratio,
              kTarget, ratio / kTarget);
  return ratio <= kTarget ? 0 : 1;
}
