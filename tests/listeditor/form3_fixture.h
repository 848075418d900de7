#pragma once
// The slide list window driven as a user drives it: the main window loaded as for shows,
// every dialog answered by a script, a data folder and a picture folder of the case's own,
// and a fresh slide list window for every case.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "core/form1.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/slidescreen.h"
#include "listeditor/form3.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "tests/support/files.h"
#include "tests/support/show_setup.h"
#include "tests/support/wait.h"
#include "tests/support/windows.h"

namespace form3_test {

using platform::DialogCall;
using platform::DialogKind;
using test_support::WaitFor;

inline const QString kBlank30(30, QLatin1Char(' '));

// A distinct colour per slide number.
inline QColor SlideColour(int n) { return QColor::fromHsv((n * 67) % 360, 200, 220); }

inline bool Near(const QColor& a, const QColor& b, int tolerance = 16) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

class Form3Test : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    dialogs_ = std::make_unique<platform::ScriptedDialogs>();
    core::Form1& f1 = test_support::MainWindowForShows();
    f1.SetWindowState(0);
    CloseEditor();
    core::Paths().AppFolder = data_.path() + QLatin1Char('/');
    test_support::QuietShow(/*controlBoxOff=*/1, /*sizeAdjustMode=*/0);
    core::Settings().RepeatOff = 1;
    platform::SetTestNow(QDateTime(QDate(2024, 5, 10), QTime(12, 0, 0)));
    f1.Show();
    dialogs_->ClearCalls();
  }

  void TearDown() override {
    if (core::Form1* f1 = core::Form1IfLoaded()) f1->Timer1.SetEnabled(false);
    test_support::CloseShowWindows();
    CloseEditor();
    platform::SetScreenMousePointer(0);
    platform::ClearTestNow();
    core::ResetAllState();
    dialogs_.reset();
  }

  static void CloseEditor() {
    core::Flags().SlideListEditorShown = 0;
    if (auto* w = listeditor::Form3IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
  }

  static listeditor::Form3& Editor() { return listeditor::form3(); }

  // The main window's "ｽﾗｲﾄﾞﾘｽﾄ", and the window's first paint.
  static listeditor::Form3& OpenEditor() {
    core::form1().Command6_Click();
    listeditor::Form3& w = listeditor::form3();
    EXPECT_TRUE(WaitFor([] { return core::Flags().SlideListEditorShown == 1; }, 5000));
    return w;
  }

  // Rows as the user built them: paths with their schedule records (blank when none).
  static void SetRows(const QStringList& paths, const QStringList& records = {}) {
    QStringList r = records;
    while (r.size() < paths.size()) r << kBlank30;
    Editor().List1.SetItems(paths);
    Editor().List2.SetItems(r);
  }
  static QStringList Rows() { return Editor().List1.Items(); }
  static QStringList Records() { return Editor().List2.Items(); }

  QString Picture(const QString& name, int slide) {
    const QString path = pictures_.filePath(name);
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(SlideColour(slide));
    EXPECT_TRUE(image.save(path, "PNG")) << name.toStdString();
    return path;
  }
  QString Touch(const QString& name) {
    const QString path = pictures_.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    return path;
  }

  // The scripted answers: a button, a chosen file, or Cancel.
  void Answer(int button) { dialogs_->Answer(button); }
  void Choose(const QString& path) { dialogs_->AnswerText(path); }
  void CancelChooser() { dialogs_->AnswerCancel(); }

  std::vector<DialogCall> Calls() const { return dialogs_->Calls(); }
  QStringList Titles() const {
    QStringList titles;
    for (const DialogCall& call : dialogs_->Calls()) titles << call.title;
    return titles;
  }

  QTemporaryDir data_;
  QTemporaryDir pictures_;
  std::unique_ptr<platform::ScriptedDialogs> dialogs_;
};

}  // namespace form3_test
