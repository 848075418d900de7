#pragma once
// The schedule editor as a test opens it: the main window with fresh shared state, the
// slide list editor's lists holding the case's slides, the editor loaded over them, dialogs
// answered by a script and a fixed clock.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/form1.h"
#include "core/list_file.h"
#include "core/services.h"
#include "core/startup.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
#include "schedule/form21.h"
#include "schedule/form22.h"
#include "tests/support/show_setup.h"
#include "tests/support/windows.h"

namespace schedule_test {

// A ScheduleRecord from its four parts, each padded to its width.
inline QString Rec(const QString& fromDate, const QString& fromTime = {},
                   const QString& untilDate = {}, const QString& untilTime = {}) {
  return fromDate.leftJustified(10) + fromTime.leftJustified(5) + untilDate.leftJustified(10) +
         untilTime.leftJustified(5);
}

class ScheduleEditorTest : public ::testing::Test {
 public:
  void SetUp() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    dialogs = std::make_unique<platform::ScriptedDialogs>();
    test_support::MainWindowForShows();
    core::Paths().AppFolder = dir.path() + QLatin1Char('/');
    platform::SetTestNow(QDateTime(QDate(2024, 5, 10), QTime(12, 0, 0)));
    platform::SetScreenMousePointer(0);
    listeditor::form3().List1.Clear();
    listeditor::form3().List2.Clear();
  }

  void TearDown() override {
    if (auto* w = schedule::Form22IfLoaded()) {
      w->ScheduleChanged = 0;
      w->Unload();
    }
    if (auto* w = schedule::Form21IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
    platform::ClearTestNow();
    core::ResetAllState();
    core::ResetServices();
    dialogs.reset();
  }

  // A picture file in the case's folder.
  QString Picture(const QString& name, QColor colour = Qt::red, int w = 40, int h = 30) {
    const QString path = dir.filePath(name);
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(path, name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ? "JPEG"
                                 : name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)
                                     ? "BMP"
                                     : "PNG"));
    return path;
  }

  // The slide list editor's lists and the committed arrays as a commit leaves them.
  static void SetSlides(const QStringList& paths, const QStringList& records = {}) {
    listeditor::Form3& editor = listeditor::form3();
    QStringList recs;
    for (int i = 0; i < paths.size(); ++i)
      recs << (i < records.size() ? records[i] : QString(30, ' '));
    editor.List1.SetItems(paths);
    editor.List2.SetItems(recs);
    core::CommitSlides(paths, recs);
    core::Lists().SlideEndIndex = static_cast<short>(paths.size() + 1);
  }

  // The editor loaded over the lists and shown.
  schedule::Form22& Open() {
    schedule::Form22& e = schedule::form22();
    e.Show();
    platform::DoEvents();
    return e;
  }

  // The grid's rows as "path|c2|c3|c4|c5" texts, from row 1; column 0 checked to number them.
  static QStringList Rows() {
    platform::Grid& g = schedule::form22().MSFlexGrid1;
    QStringList rows;
    for (int r = 1; r < g.Rows(); ++r) {
      EXPECT_EQ(g.TextMatrix(r, 0), QString::number(r)) << "row number of row " << r;
      QStringList cells;
      for (int c = 1; c < 6; ++c) cells << g.TextMatrix(r, c);
      rows << cells.join(QLatin1Char('|'));
    }
    return rows;
  }

  // Current row and the corner, as a user selects rows top..bottom (or upwards).
  static void Select(int row, int col, int rowSel, int colSel) {
    platform::Grid& g = schedule::form22().MSFlexGrid1;
    g.SetCol(col);
    g.SetRow(row);
    g.SetRowSel(rowSel);
    g.SetColSel(colSel);
  }

  // Runs `action` once the next modal window or box is up.
  static void WhenShown(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

  QStringList Messages() const {
    QStringList texts;
    for (const platform::DialogCall& call : dialogs->CallsOf(platform::DialogKind::kMsgBox))
      texts << call.text;
    return texts;
  }

  QTemporaryDir dir;
  std::unique_ptr<platform::ScriptedDialogs> dialogs;
};

}  // namespace schedule_test
