#pragma once
// Macro runs against the offscreen show surface P2 and the preview box: a slide whose
// macro file the test writes (code page 932, CR LF or LF), fresh shared state, and
// surfaces of a known size and background.
#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>

#include "core/form1.h"
#include "core/services.h"
#include "core/state.h"
#include "engine/form1_show.h"
#include "engine/slidescreen.h"
#include "macro/macro.h"
#include "macro/macro_state.h"
#include "platform/controls_base.h"
#include "platform/cp932.h"
#include "platform/picturebox.h"
#include "tests/support/show_setup.h"

namespace macro_test {

inline const QColor kBack(0, 0, 128);  // background of both surfaces
inline const QColor kRed(255, 0, 0);

inline bool Near(const QColor& a, const QColor& b, int tolerance = 30) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

// The smallest rectangle holding every pixel of the box near `colour`.
inline QRect Bounds(const platform::PictureBox& box, const QColor& colour, int tolerance = 30) {
  const QImage& image = box.Image();
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Near(image.pixelColor(x, y), colour, tolerance)) r |= QRect(x, y, 1, 1);
  return r;
}

inline QColor At(const platform::PictureBox& box, int x, int y) {
  return box.Image().pixelColor(x, y);
}

// Pixels of the box that differ from the background.
inline int Drawn(const platform::PictureBox& box) {
  const QImage& image = box.Image();
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != kBack) ++n;
  return n;
}

inline double RowHeight(platform::PictureBox& box) {
  return QFontMetricsF(box.font(), &box.Canvas()).height();
}

class MacroTest : public ::testing::Test {
 public:
  void SetUp() override {
    core::Form1& f1 = test_support::MainWindowForShows();
    engine::ConnectShowHandlers(f1);
    macro::RegisterServices();
    ASSERT_TRUE(dir_.isValid());
    core::Settings().TextMacroOff = 0;
    core::Settings().TextOriginScreen = 1;
    core::Lists().SlidePaths[1] = dir_.filePath(QStringLiteral("slide.jpg"));
    core::Lists().SlidePaths[2] = dir_.filePath(QStringLiteral("second.jpg"));
    core::Lists().SlidePaths[3] = dir_.filePath(QStringLiteral("third.jpg"));
    core::Lists().CurrentSlideIndex = 1;
    core::Lists().SlideEndIndex = 4;
    f1.Timer1.SetInterval(3000);

    engine::Slidescreen& screen = engine::slidescreen();
    for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4}) {
      box->resize(400, 200);
      box->ClearPicture();
      box->SetBackColor(kBack);
    }
    f1.Picture1.SetScaleMode(platform::ScaleMode::kTwips);  // as before the title panel
    f1.Picture1.SetBorderStyle(0);
    f1.Picture1.resize(300, 150);
    f1.Picture1.ClearPicture();
    f1.Picture1.SetBackColor(kBack);
  }

  void TearDown() override {
    for (auto& [row, handler] : replaced_) macro::SetKeywordHandler(row, handler);
    replaced_.clear();
    core::ResetServices();
  }

  // Gives a keyword row a test handler for this case.
  void Handle(int row, std::function<void()> handler) {
    auto old = macro::SetKeywordHandler(row, std::move(handler));
    replaced_.emplace(row, std::move(old));
  }

  // The slide's macro file, its lines joined by `eol` and ended by it.
  void WriteMacro(const QStringList& lines, const QString& eol = QStringLiteral("\r\n")) {
    WriteMacroBytes(platform::ToCp932(lines.join(eol) + eol));
  }
  void WriteMacroBytes(const QByteArray& bytes) {
    QFile file(dir_.filePath(QStringLiteral("slide.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }

  void Run(const QStringList& lines, const QString& eol = QStringLiteral("\r\n")) {
    WriteMacro(lines, eol);
    macro::RunPictureMacro();
  }

  platform::PictureBox& P2() { return engine::slidescreen().P2; }
  platform::PictureBox& P3() { return engine::slidescreen().P3; }
  platform::PictureBox& P4() { return engine::slidescreen().P4; }
  platform::PictureBox& Preview() { return core::form1().Picture1; }
  macro::MacroState& M() { return macro::State(); }

  QTemporaryDir dir_;
  std::map<int, std::function<void()>> replaced_;
};

}  // namespace macro_test
