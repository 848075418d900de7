// The schedule editor's file commands: save and distribution save through the slide list
// editor's lists and its own save, open through the slideshow file reader, and close.
#include "core/common.h"
#include "core/form1.h"
#include "core/slideshow_file.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "schedule/form22.h"

namespace schedule {

namespace {

const QString kSlideshowFilter = QStringLiteral("ｽﾗｲﾄﾞFiles (*.kvz)|*.kvz|すべてのﾌｧｲﾙ(*.*)|*.*");

// The folder of a path with its last separator; "" when it has none.
QString FolderWithSeparator(const QString& path) {
  return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

// The grid becomes the slide list editor's two lists and the editor saves them. A save that
// wrote no file (cancelled, refused, failed) puts the editor's lists back and leaves the
// committed list and the edits as they were, so nothing counts as saved that was not.
void Form22::SaveThroughEditor(bool distribution) {
  listeditor::Form3& editor = listeditor::form3();
  const QStringList formerPaths = editor.List1.Items();
  const QStringList formerRecords = editor.List2.Items();
  const QString formerCount = editor.Label4.Caption();

  platform::Grid& g = MSFlexGrid1;
  QStringList paths, records;
  for (int i = 1; i < g.Rows(); ++i) {
    paths << g.TextMatrix(i, kColPath);
    records << ScheduleRecordOf(g.TextMatrix(i, kColAddDate), g.TextMatrix(i, kColAddTime),
                                g.TextMatrix(i, kColDelDate), g.TextMatrix(i, kColDelTime));
  }
  editor.List1.SetItems(paths);
  editor.List2.SetItems(records);
  editor.Label4.SetCaption(QString::number(editor.List1.ListCount()));

  const int savedBefore = core::SlideshowFilesSaved();
  platform::TryStep([&editor, distribution] {
    if (distribution)
      editor.Command9_Click();
    else
      editor.Command7_Click();
  });
  if (core::SlideshowFilesSaved() == savedBefore) {
    editor.List1.SetItems(formerPaths);
    editor.List2.SetItems(formerRecords);
    editor.Label4.SetCaption(formerCount);
    return;
  }
  s_set();
  ScheduleChanged = 0;
}

void Form22::Command1_Click() { SaveThroughEditor(false); }

void Form22::Command4_Click() { SaveThroughEditor(true); }

void Form22::Command3_Click() {
  // Opening replaces the grid: edits not saved yet are given up only when the user says so.
  if (ScheduleChanged == -1 &&
      platform::MsgBox(QStringLiteral("スライド・スケジュールは保存されていません。\r\n"
                                      "保存せずにファイルを開きますか ?"),
                       platform::vbYesNo | platform::vbQuestion,
                       QStringLiteral("開く")) != platform::vbYes) {
    return;
  }
  const std::optional<QString> chosen = platform::OpenFileDialog(
      QStringLiteral("スライドショー　ファイルを開く"), kSlideshowFilter, QStringLiteral("*.kvz"));
  if (!chosen || *chosen == QLatin1String("*.kvz") || chosen->isEmpty()) return;
  const QString path = *chosen;

  core::PathState& paths = core::Paths();
  const QString formerFolder = paths.OpenedFileFolder;
  paths.OpenedFileFolder = FolderWithSeparator(path);
  bool loaded = false;
  platform::TryStep([&path, &loaded] { loaded = core::LoadSlideshowFile(path); });
  if (!loaded) {
    // The reader told the user; the grid and the lists keep what they held.
    paths.OpenedFileFolder = formerFolder;
    return;
  }

  listeditor::Form3& editor = listeditor::form3();
  editor.Label4.SetCaption(QString::number(editor.List1.ListCount()));
  // The reader committed the file's slides with their schedules (AVI entries included);
  // a new start begins with them.
  core::Lists().CurrentSlideIndex = 0;
  core::Flags().ShowRunning = 0;
  FillGridFromEditorLists();
  core::Form1& main = core::form1();
  if (core::Lists().SlidePaths[1].isEmpty()) {
    main.Command1.SetEnabled(false);
    main.Command2.SetEnabled(false);
    main.Command3.SetEnabled(false);
    main.Command4.SetEnabled(false);
    editor.Hide();
  } else {
    main.Command1.SetEnabled(true);
    main.Command4.SetEnabled(true);
    editor.Hide();
    core::Flags().FourUpViewOpen = 0;
  }
  core::Flags().SlideListEditorOpen = 0;
  // The grid now holds the file as it is: nothing is left to save.
  ScheduleChanged = 0;
  platform::Grid& g = MSFlexGrid1;
  if (g.Rows() > 1) {
    platform::RunStepsIgnoringErrors({
        [&g] { g.SetCol(kColPath); },
        [&g] { g.SetRow(1); },
        [this, &g] { ShowSchedulePreview(g.TextMatrix(1, kColPath)); },
    });
  }
  platform::TryStep([this] { set_cal(); });
}

void Form22::Command2_Click() {
  if (ScheduleChanged == -1) {
    if (platform::MsgBox(QStringLiteral("スライド・スケジュールを保存せずに終了しますか ?"),
                         platform::vbYesNo | platform::vbQuestion,
                         QStringLiteral("終了確認")) != platform::vbYes)
      return;
    ScheduleChanged = 0;
  }
  Unload();
}

}  // namespace schedule
