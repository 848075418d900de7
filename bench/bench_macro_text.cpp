// Times a picture macro of 30 text lines with the widest light outline (ZUREX=10, ZUREY=10:
// 485 draws a line on each surface) over a 1920 x 1080 show surface, against one
// full-surface copy measured in the same run. An outlined line should cost at most 30 such
// copies, so that a caption appears at once.
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "macro/macro.h"
#include "mainwindow/mainwindow.h"
#include "platform/cp932.h"
#include "platform/events.h"
#include "platform/fonts.h"
#include "platform/picturebox.h"
#include "tests/support/timing.h"

namespace {

using test_support::MedianMs;

constexpr int kLines = 30;
constexpr double kTarget = 30;  // full-surface copies per outlined line

QByteArray MacroText() {
  QString text = QStringLiteral(
      "FontSize=24\r\nKage=3\r\nZureX=10\r\nZureY=10\r\nQBColor=12\r\n"
      "[テキスト]\r\n");
  for (int i = 1; i <= kLines; ++i)
    text += QStringLiteral("春の桜と夏の海 Spring and summer captions %1\r\n").arg(i, 2);
  return platform::ToCp932(text);
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir dir;
  test_support::PrepareBenchProcess(dir);
  QApplication app(argc, argv);
  mainwindow::Register();
  platform::InstallFontSubstitutions();
  macro::RegisterServices();

  core::Form1& f1 = core::form1();
  core::ResetAllState();
  core::BuildMonitorTable();
  core::Flags().TitlePanelDone = 1;
  core::Settings().TextOriginScreen = 1;
  core::Lists().SlidePaths[1] = dir.filePath(QStringLiteral("slide.jpg"));
  core::Lists().CurrentSlideIndex = 1;
  core::Lists().SlideEndIndex = 2;
  {
    QFile file(dir.filePath(QStringLiteral("slide.txt")));
    file.open(QIODevice::WriteOnly);
    file.write(MacroText());
  }

  engine::Slidescreen& screen = engine::slidescreen();
  screen.P2.resize(1920, 1080);
  f1.Picture1.SetScaleMode(platform::ScaleMode::kPixels);
  const QSize size = screen.P2.Canvas().size();
  const QImage picture = test_support::TestPattern(size.width(), size.height());
  auto putPicture = [&] {
    {
      QPainter p(&screen.P2.Canvas());
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, picture);
    }
    screen.P2.Invalidate();
  };

  // One full-surface copy of the picture, onto the surface and repainted.
  const double copyMs = MedianMs(21, [&] {
    putPicture();
    platform::DoEvents();
  });

  const double firstMs = MedianMs(1, putPicture, [] { macro::RunPictureMacro(); });
  const double steadyMs = MedianMs(7, putPicture, [] { macro::RunPictureMacro(); });

  // The captions must really be there: light outline pixels around light red text.
  int outlinePixels = 0;
  const QImage& shown = screen.P2.Image();
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) == qRgb(230, 230, 230)) ++outlinePixels;
  if (outlinePixels < kLines * 1000) {
    std::printf("the macro drew no outlined captions (%d outline pixels)\n", outlinePixels);
    return 2;
  }

  // The same lines drawn the plain way: the text laid out again for every copy.
  const QString line = QStringLiteral("春の桜と夏の海 Spring and summer captions 30\r");
  const double printMs = MedianMs(3, putPicture, [&] {
    for (platform::PictureBox* box : {&screen.P2, &f1.Picture1}) {
      for (int copy = 0; copy < 485; ++copy) {
        box->SetCurrentX(10 + copy % 21);
        box->SetCurrentY(10 + copy % 21);
        box->Print(line);
      }
    }
  });

  std::printf("surfaces: show %dx%d, preview %dx%d; one full copy: %.3f ms\n", size.width(),
              size.height(), f1.Picture1.Canvas().width(), f1.Picture1.Canvas().height(), copyMs);
  std::printf("%-32s %10s %10s\n", "", "ms a line", "copies");
  auto report = [&](const char* name, double ms) {
    std::printf("%-32s %10.3f %10.2f\n", name, ms, ms / copyMs);
  };
  report("outlined line, first run", firstMs / kLines);
  report("outlined line, steady state", steadyMs / kLines);
  report("485 Print calls a surface (ref)", printMs);
  const double ratio = steadyMs / kLines / copyMs;
  std::printf("\noutlined line: %.2f full copies (target: at most %.0f) -> %.2f of the target\n",
              ratio, kTarget, ratio / kTarget);
  return ratio <= kTarget ? 0 : 1;
}
