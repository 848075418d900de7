#pragma once
// A fixture for the full-screen show: the main window loaded, a slide list of small
// pictures made by the test, effects without pauses, dialogs answered by a script, and
// the show window and the control box fresh for every case.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/slideshow_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/slidescreen.h"
#include "engine/slidescreen2.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
#include "tests/support/show_setup.h"
#include "tests/support/wait.h"
#include "tests/support/windows.h"

namespace show_test {

// Lets events run until `done` holds (ten seconds at the most unless told).
using test_support::WaitFor;

// A distinct colour per slide number, so a screen shows which slide it holds.
inline QColor SlideColour(int n) { return QColor::fromHsv((n * 47) % 360, 200, 220); }

class ShowWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    dialogs_ = std::make_unique<platform::ScriptedDialogs>();
    // Loaded once for all cases; its load loads the show window hidden.
    test_support::MainWindowForShows();

    test_support::QuietShow(/*controlBoxOff=*/0, /*sizeAdjustMode=*/1);

    listeditor::Form3& editor = listeditor::form3();
    editor.List1.Clear();
    editor.List2.Clear();
    editor.Timer1.SetEnabled(false);
  }

  void TearDown() override {
    CloseShowWindows();
    if (core::Form1* f1 = core::Form1IfLoaded()) f1->Timer1.SetEnabled(false);
    engine::SetEffectPacing(engine::EffectPacing::Default());
    platform::SetScreenMousePointer(0);
    core::ResetAllState();
    dialogs_.reset();
  }

  static void CloseShowWindows() { test_support::CloseShowWindows(); }

  // n pictures slide1.png ... slideN.png in `folder` (made when missing), each in its colour.
  QStringList MakePictures(int n, const QString& prefix = QStringLiteral("slide")) {
    QStringList paths;
    for (int i = 1; i <= n; ++i) {
      const QString path = dir_.filePath(prefix + QString::number(i) + QStringLiteral(".png"));
      if (!QFile::exists(path)) {
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(SlideColour(i));
        image.save(path);
      }
      paths << path;
    }
    return paths;
  }

  // The slide list as the editor holds it and as a start commits it.
  static void SetSlides(const QStringList& paths) {
    listeditor::Form3& editor = listeditor::form3();
    editor.List1.Clear();
    editor.List2.Clear();
    core::ListState& lists = core::Lists();
    lists.SlidePaths.Erase();
    for (int i = 0; i < paths.size(); ++i) {
      editor.List1.AddItem(paths[i]);
      editor.List2.AddItem(QString(30, QLatin1Char(' ')));
      lists.SlidePaths[i + 1] = paths[i];
    }
    lists.SlideEndIndex = static_cast<short>(paths.size() + 1);
  }

  // A slideshow file holding `paths`, written as the editor's 保存 writes it.
  QString SaveShow(const QString& name, const QStringList& paths) {
    SetSlides(paths);
    QString path = dir_.filePath(name);
    core::Paths().DistributionSave = 0;
    core::SaveSlideshowFile(path);
    return path;
  }

  // A link run over the given slideshow files, standing before its first file.
  static void SetLinkRun(const QStringList& files) {
    core::ListState& lists = core::Lists();
    lists.LinkListEntries.Erase();
    for (int i = 0; i < files.size(); ++i) lists.LinkListEntries[i + 1] = files[i];
    lists.LinkEndIndex = static_cast<short>(files.size() + 1);
    lists.LinkRunActive = 1;
  }

  static QString Shown() { return core::Paths().CurrentSlideFileName; }

  QTemporaryDir dir_;
  std::unique_ptr<platform::ScriptedDialogs> dialogs_;
};

}  // namespace show_test
