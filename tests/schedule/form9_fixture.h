#pragma once
// A fixture for the link-list editor: the main window loaded, the editor fresh for every
// case with the browser on a folder of slideshow files made by the test, dialogs answered
// by a script.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include "core/state.h"
#include "platform/events.h"
#include "schedule/form9.h"
#include "tests/support/program_files.h"

namespace form9_test {

class LinkEditorTest : public test_support::ProgramFilesTest {
 protected:
  void SetUp() override {
    core::Flags().LinkEditorShown = 0;
    ProgramFilesTest::SetUp();
    dialogs_.ClearCalls();
  }
  void TearDown() override {
    core::Flags().LinkEditorShown = 0;
    if (auto* w = schedule::Form9IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
    ProgramFilesTest::TearDown();
  }

  static schedule::Form9& Editor() { return schedule::form9(); }

  // Empty files with the given names in the case's folder; the browser shows the folder.
  void MakeFiles(const QStringList& names) {
    for (const QString& name : names) {
      QFile f(PathOf(name));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    Editor().Dir1.SetPath(dir_.path());
    Editor().File1.Refresh();
  }

  // A click on a file of the browser.
  static void ClickFile(const QString& name) {
    schedule::Form9& e = Editor();
    for (int i = 0; i < e.File1.ListCount(); ++i) {
      if (e.File1.List(i) != name) continue;
      e.File1.SetListIndex(-1);
      e.File1.SetListIndex(i);
      return;
    }
    ADD_FAILURE() << "no file " << name.toStdString() << " in the browser";
  }

  static QStringList Entries() { return Editor().List1.Items(); }

  static QList<int> SelectedRows() {
    QList<int> rows;
    for (int i = 0; i < Editor().List1.ListCount(); ++i)
      if (Editor().List1.Selected(i)) rows << i;
    return rows;
  }

  // Exactly the given rows selected, the first of them current.
  static void Select(const QList<int>& rows) {
    platform::ListBox& list = Editor().List1;
    list.SetListIndex(-1);
    for (int i = 0; i < list.ListCount(); ++i) list.SetSelected(i, false);
    if (!rows.isEmpty()) list.SetListIndex(rows[0]);
    for (int r : rows) list.SetSelected(r, true);
  }

  // n entries "/shows/nnn.kvz".
  static QStringList Numbered(int n) {
    QStringList out;
    for (int i = 0; i < n; ++i)
      out << QStringLiteral("/shows/%1.kvz").arg(i, 3, 10, QLatin1Char('0'));
    return out;
  }
};

}  // namespace form9_test
