#pragma once
// Button keywords on the show surface P2 (400 x 200) and the preview box (300 x 150):
// pictures the tests make, a background copy P3 of its own colour, the full-screen show
// in use unless a case says otherwise, and the pauses of a move recorded instead of slept.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <vector>

#include "core/form4.h"
#include "macro/macro_state.h"
#include "showbuttons/button_controls.h"
#include "showbuttons/move_buttons.h"
#include "showbuttons/showbuttons.h"
#include "tests/macro/macro_fixture.h"

namespace buttons_test {

using macro_test::At;
using macro_test::kBack;
using macro_test::kRed;
using macro_test::Near;

inline const QColor kGreen(0, 200, 0);     // button pictures
inline const QColor kYellow(250, 230, 0);  // the background copy P3

class ButtonsTest : public macro_test::MacroTest {
 public:
  void SetUp() override {
    MacroTest::SetUp();
    showbuttons::RegisterServices();
    core::Flags().FullScreenShowActive = 1;
    Preview().SetScaleMode(platform::ScaleMode::kPixels);  // as a macro run sets it
    P3().SetBackColor(kYellow);
    pauses_.clear();
    showbuttons::SetMovePause([this](int ms) {
      pauses_.push_back(ms);
      if (onPause_) onPause_(static_cast<int>(pauses_.size()));
    });
    onPause_ = nullptr;
  }

  void TearDown() override {
    showbuttons::SetMovePause(nullptr);
    for (int i = 0; i <= 62; ++i) {
      Show(i).SetVisible(false);
      Window(i).SetVisible(false);
      Show(i).clearMask();
      Window(i).clearMask();
    }
    core::ClearButtonSlots();
    MacroTest::TearDown();
  }

  // A picture file beside the slide, filled with `colour`; "PNG", "JPEG" or "BMP".
  QString Picture(const QString& name, int w, int h, const QColor& colour = kGreen,
                  const char* format = "PNG") {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(image.save(path, format));
    return path;
  }

  // A cut-out point file beside the slide (code page 932, CR LF).
  QString PointFile(const QString& name, const QStringList& lines) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(platform::ToCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    return path;
  }

  void Line(const QString& text) { macro::CarryOutLine(text); }

  // Places slot n (a 40 x 30 picture unless given) at (left, top) of P2 with the text
  // position keywords, outside a run.
  void Place(int n, int left, int top, const QString& picture = QStringLiteral("b.png")) {
    if (!QFile::exists(dir_.filePath(picture))) Picture(picture, 40, 30);
    macro::State().TextLeft = left - core::Surfaces().TextOriginX;
    P2().SetCurrentY(top);
    Preview().SetCurrentY(top);
    Line(QStringLiteral("PICPB%1(0,\"%2\")").arg(n, 2, 10, QLatin1Char('0')).arg(picture));
  }

  platform::PictureBox& Show(int n) { return engine::slidescreen().Picture1(n); }
  platform::PictureBox& Window(int n) { return core::form1().Picture2(n); }
  QPoint ShowAt(int n) { return {showbuttons::PixelLeft(Show(n)), showbuttons::PixelTop(Show(n))}; }
  QPoint WindowAt(int n) {
    return {showbuttons::PixelLeft(Window(n)), showbuttons::PixelTop(Window(n))};
  }

  // Paints a filled rectangle straight onto P2, as text drawn after the marker would be.
  void PaintOnP2(const QRect& r, const QColor& c) {
    {
      QPainter p(&P2().Canvas());
      p.fillRect(r, c);
    }
    P2().Invalidate(r);
  }

  std::vector<int> pauses_;
  std::function<void(int)> onPause_;  // called after each recorded pause with its number
};

}  // namespace buttons_test
