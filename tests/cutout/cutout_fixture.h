#pragma once
// A fixture for the cut-out window: the main window loaded, one picture made by the test and
// selected in the slide list window, every dialog answered by a script, and the window
// loaded (hidden) on that picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "core/point_file.h"
#include "core/services.h"
#include "core/startup.h"
#include "core/state.h"
#include "cutout/form23.h"
#include "cutout/form23_support.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "tests/support/files.h"
#include "tests/support/input.h"
#include "tests/support/pictures.h"
#include "tests/support/show_setup.h"

namespace cutout_test {

using platform::DialogKind;

inline const QColor kPictureColour(40, 90, 200);

class CutoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    CloseCutout();
    test_support::MainWindowForShows();
    core::ResetServices();
    cutout::RegisterServices();
    listeditor::Form3& editor = listeditor::form3();
    editor.List1.Clear();
    editor.List2.Clear();
    ASSERT_TRUE(dir_.isValid());
  }

  void TearDown() override {
    CloseCutout();
    core::ResetServices();
    platform::SetScreenMousePointer(0);
    core::ResetAllState();
  }

  static void CloseCutout() {
    if (cutout::Form23* w = cutout::Form23IfLoaded()) {
      w->PlotEdited = 0;  // no closing question
      w->Unload();
    }
    platform::DestroyPendingNow();
  }

  QString Path(const QString& name) const { return dir_.filePath(name); }

  // A picture of w x h in one colour; "JPEG", "PNG", "BMP", "TIFF". A JPEG with an
  // orientation other than 1 carries it in an EXIF segment.
  QString MakePicture(const QString& name, int w, int h, const char* format = "JPEG",
                      int orientation = 1) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kPictureColour);
    const QString path = Path(name);
    if (orientation != 1) {
      test_support::WriteBytes(path, test_support::JpegWithOrientation(image, orientation));
    } else {
      EXPECT_TRUE(image.save(path, format)) << path.toStdString();
    }
    return path;
  }

  // The slide list window holding the one picture, selected.
  static void SelectSlide(const QString& path) {
    listeditor::Form3& editor = listeditor::form3();
    editor.List1.Clear();
    editor.List2.Clear();
    editor.List1.AddItem(path);
    editor.List2.AddItem(QString(30, u' '));
    editor.List1.SetListIndex(0);
  }

  static QString SlideEntry() { return listeditor::form3().List1.List(0); }

  // Loads the window on the picture; nullptr when the load refused it.
  static cutout::Form23* Open(const QString& picture) {
    SelectSlide(picture);
    cutout::form23();
    return cutout::Form23IfLoaded();
  }

  // The titles of the dialogs so far, in order.
  QStringList Titles() const {
    QStringList titles;
    for (const auto& call : dialogs_.Calls()) titles << call.title;
    return titles;
  }

  QStringList Names() const { return QDir(dir_.path()).entryList(QDir::Files, QDir::Name); }

  // The first steps of "マクロ生成" alone: the outline into the slot's point file, which
  // then counts as saved. The generation's patterns and macro file have tests of their own.
  static void SaveOutline(cutout::Form23& f) {
    if (f.SavePlotToPointFile()) f.PlotEdited = 0;
  }

  // A mouse press and release on the picture at (x, y), as the user makes it.
  static void Press(cutout::Form23& f, int x, int y) {
    test_support::ClickAt(&f.Picture1, QPointF(x, y));
  }

  static QPolygon Plot(const cutout::Form23& f) { return f.PlottedPoints(); }

  // A point file written as a user's editor would leave it (code page 932, CR LF).
  QString PointFile(const QString& name, const QStringList& lines) {
    const QString path = Path(name);
    test_support::WriteBytes(
        path, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    return path;
  }

  platform::ScriptedDialogs dialogs_;
  QTemporaryDir dir_;
};

}  // namespace cutout_test
