#pragma once
// A fixture for shows in the main window: the main window loaded with its preview box at
// its working size, a slide list of pictures the tests make (JPEG with EXIF orientations,
// PNG, BMP, TIFF, PCX, missing and damaged files), dialogs answered by a script, a fixed
// clock, effects without pauses, and the show window fresh for every case.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "core/form1.h"
#include "core/form4.h"
#include "core/monitors.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "engine/surfaces.h"
#include "listeditor/form3.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
#include "platform/random.h"
#include "tests/support/pictures.h"
#include "tests/support/show_setup.h"
#include "tests/support/wait.h"
#include "tests/support/windows.h"

namespace slideplayer_test {

// Lets events run until `done` holds (ten seconds at the most unless told).
using test_support::WaitFor;

// Colours of the four quarters of an upright test picture: a turned picture shows them
// elsewhere.
inline const QColor kTopLeft(220, 30, 30);
inline const QColor kTopRight(30, 200, 30);
inline const QColor kBottomLeft(30, 30, 220);
inline const QColor kBottomRight(240, 240, 240);

// An upright picture of w x h in four coloured quarters.
inline QImage QuarterPicture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, w / 2, h / 2, kTopLeft);
  p.fillRect(w / 2, 0, w - w / 2, h / 2, kTopRight);
  p.fillRect(0, h / 2, w / 2, h - h / 2, kBottomLeft);
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, kBottomRight);
  return image;
}

// A plain picture in one colour.
inline QImage PlainPicture(int w, int h, const QColor& colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A distinct colour per slide number.
inline QColor SlideColour(int n) { return QColor::fromHsv((n * 67) % 360, 200, 220); }

inline bool Near(const QColor& a, const QColor& b, int tolerance = 40) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

// How a camera stores a picture whose EXIF tag says `orientation`: turning it as the tag
// asks gives the upright picture back.
inline QImage StoredForOrientation(const QImage& upright, int orientation) {
  QTransform turn;
  if (orientation == 3) turn.rotate(180);
  if (orientation == 6) turn.rotate(-90);
  if (orientation == 8) turn.rotate(90);
  return upright.transformed(turn);
}

using test_support::JpegWithOrientation;

// A 24-bit PCX file (read through ImageMagick), run-length coded as the format asks.
inline QByteArray PcxOf(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const int w = image.width(), h = image.height();
  const int bytesPerLine = w + (w % 2);
  QByteArray header(128, '\0');
  header[0] = char(10);  // PCX
  header[1] = char(5);   // version 3.0
  header[2] = char(1);   // run-length coding
  header[3] = char(8);   // bits per plane
  auto put16 = [&header](int at, int v) {
    header[at] = char(v & 0xFF);
    header[at + 1] = char((v >> 8) & 0xFF);
  };
  put16(8, w - 1);
  put16(10, h - 1);
  put16(12, 72);
  put16(14, 72);
  header[65] = char(3);  // planes: red, green, blue
  put16(66, bytesPerLine);
  put16(68, 1);
  QByteArray data = header;
  for (int y = 0; y < h; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int plane = 0; plane < 3; ++plane) {
      for (int x = 0; x < bytesPerLine; ++x) {
        const QRgb px = x < w ? line[x] : 0;
        const int v = plane == 0 ? qRed(px) : plane == 1 ? qGreen(px) : qBlue(px);
        if (v >= 0xC0) data.append(char(0xC1));
        data.append(char(v));
      }
    }
  }
  return data;
}

class MainWindowShowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    dialogs_ = std::make_unique<platform::ScriptedDialogs>();
    core::Form1& f1 = test_support::MainWindowForShows();
    f1.SetWindowState(0);
    core::Paths().AppFolder = dir_.path() + QLatin1Char('/');
    // The preview box at the size every slide gives it.
    f1.Picture1.SetWidth(f1.Width() - 600);
    f1.Picture1.SetHeight(f1.Height() - 1450 - core::Surfaces().FrameExtraHeight);
    f1.Picture1.ClearPicture();
    core::form4().Picture1.ClearPicture();

    test_support::QuietShow(/*controlBoxOff=*/1, /*sizeAdjustMode=*/0);
    core::Settings().RepeatOff = 1;
    core::Settings().PictureSizeMode = 0;
    platform::SetTestNow(QDateTime(QDate(2024, 5, 10), QTime(12, 0, 0)));

    listeditor::Form3& editor = listeditor::form3();
    editor.List1.Clear();
    editor.List2.Clear();
    f1.Command1.SetEnabled(true);
  }

  void TearDown() override {
    if (core::Form1* f1 = core::Form1IfLoaded()) {
      f1->Timer1.SetEnabled(false);
      f1->SetWindowState(0);
    }
    CloseShowWindows();
    engine::ReleasePictureDC();
    engine::SetEffectPacing(engine::EffectPacing::Default());
    platform::SetScreenMousePointer(0);
    platform::ClearTestNow();
    platform::ScriptRandom({});
    core::ResetAllState();
    dialogs_.reset();
  }

  static void CloseShowWindows() { test_support::CloseShowWindows(); }

  QString Write(const QString& name, const QByteArray& data) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    return path;
  }

  QString Save(const QString& name, const QImage& image, const char* format = nullptr) {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(image.save(path, format)) << name.toStdString();
    return path;
  }

  // n plain pictures slide1.png ... in their slide colours.
  QStringList MakeSlides(int n, const QString& prefix = QStringLiteral("slide")) {
    QStringList paths;
    for (int i = 1; i <= n; ++i)
      paths << Save(prefix + QString::number(i) + QStringLiteral(".png"),
                    PlainPicture(160, 120, SlideColour(i)));
    return paths;
  }

  // The slide list as the editor holds it and as its OK commits it; `records` are the
  // schedule records (blank when not given).
  static void SetSlides(const QStringList& paths, const QStringList& records = {}) {
    listeditor::Form3& editor = listeditor::form3();
    editor.List1.Clear();
    editor.List2.Clear();
    core::ListState& lists = core::Lists();
    lists.SlidePaths.Erase();
    lists.SlideAddDateTimes.Erase();
    lists.SlideDeleteDateTimes.Erase();
    for (int i = 0; i < paths.size(); ++i) {
      const QString record = i < records.size() ? records[i] : QString(30, QLatin1Char(' '));
      editor.List1.AddItem(paths[i]);
      editor.List2.AddItem(record);
      lists.SlidePaths[i + 1] = paths[i];
      lists.SlideAddDateTimes[i + 1] = core::ScheduleAddMoment(record);
      lists.SlideDeleteDateTimes[i + 1] = core::ScheduleDeleteMoment(record);
    }
    lists.SlideEndIndex = static_cast<short>(paths.size() + 1);
  }

  // What the preview box shows at a pixel of its inner area.
  static QColor PreviewAt(int x, int y) { return core::form1().Picture1.Image().pixelColor(x, y); }
  // The picture the preview box was given.
  static QImage PreviewPicture() { return core::form1().Picture1.Picture(); }
  // The slide whose plain colour the preview box shows (0 for none of the first 20).
  static int PreviewSlide() {
    const QImage picture = PreviewPicture();
    if (picture.isNull()) return 0;
    const QColor c = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    for (int n = 1; n <= 20; ++n)
      if (Near(c, SlideColour(n), 12)) return n;
    return 0;
  }

  // Messages shown so far, their texts.
  QStringList Messages() const {
    QStringList texts;
    for (const platform::DialogCall& call : dialogs_->CallsOf(platform::DialogKind::kMsgBox))
      texts << call.text;
    return texts;
  }

  QTemporaryDir dir_;
  std::unique_ptr<platform::ScriptedDialogs> dialogs_;
};

}  // namespace slideplayer_test
