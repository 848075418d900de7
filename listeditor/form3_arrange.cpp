// The slide list window's adding and arranging: "一括選択", drops from a file manager,
// "一括取消", "選択取消", "↑" and "↓", the Insert and Delete keys, and the test of which
// dropped files are slides. Every change is made at the same index in both lists, so each
// row keeps its own schedule record.
#include <QItemSelectionModel>
#include <algorithm>
#include <vector>

#include "core/form1.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "listeditor/picture_tools.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"

namespace listeditor {

namespace {

constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;

// The slide file types by their endings, as the file list's normal pattern names them.
const QStringList& SlideEndings() {
  static const QStringList endings = [] {
    QStringList e;
    for (const QString& p : kSlidePatterns.split(QLatin1Char(';')))
      e << p.mid(1);  // "*.png" -> ".png"
    return e;
  }();
  return endings;
}

QString WithSeparator(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

void Form3::ConnectArrangeHandlers() {
  using platform::CommandButton;
  connect(&Command3, &CommandButton::Click, this, &Form3::Command3_Click);
  connect(&Command4, &CommandButton::Click, this, &Form3::Command4_Click);
  connect(&Command5, &CommandButton::Click, this, &Form3::Command5_Click);
  connect(&Command8, &CommandButton::Click, this, &Form3::Command8_Click);
  connect(&Command13, &CommandButton::Click, this, &Form3::Command13_Click);
  connect(&Command14, &CommandButton::Click, this, &Form3::Command14_Click);
  connect(&List1, &platform::ListBox::KeyDown, this, &Form3::List1_KeyDown);
  connect(&List1, &platform::ListBox::OLEDragDrop, this, &Form3::List1_OLEDragDrop);
  List1.SetOLEDropMode(1);
}

bool Form3::IsTargetFile(const QString& path) const {
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return false;
  return SlideEndings().contains(path.mid(dot).toLower());
}

// ---- adding -------------------------------------------------------------------------------

void Form3::Command3_Click() {
  FlushSearchFinds();
  QStringList names;
  platform::TryStep([&] {
    for (int i = 0; i < File1.ListCount(); ++i) names << File1.List(i);
  });
  AddFolderFiles(Dir1.Path(), names);
}

void Form3::AddFolderFiles(const QString& folder, const QStringList& names) {
  platform::DoEvents();
  ListFullStop = 0;
  if (ListIsFull()) {
    ShowLimitMessage();
    ListFullStop = 1;
    return;
  }
  const QString base = WithSeparator(folder);
  const qsizetype room = std::max(0, SlideListLimit - List1.ListCount());
  QStringList paths;
  paths.reserve(std::min(room, names.size()));
  for (qsizetype i = 0; i < names.size() && i < room; ++i) paths << base + names.at(i);
  platform::TryStep([&] { AddSlidePaths(paths); });
  if (!paths.isEmpty() && ListIsFull()) {
    // The row that filled the list was the last one; the count already shows the limit.
    ShowLimitMessage();
    ListFullStop = 1;
    SearchRunning = false;
    return;
  }
  const int n = static_cast<int>(names.size());
  platform::TryStep([&] {
    if (List1.ListCount() == 0) return;
    const int top = List1.TopIndex();
    const int next = top > 0 ? top + n : top + n - 1;
    List1.SetTopIndex(std::clamp(next, 0, List1.ListCount() - 1));
  });
  Label4.SetCaption(QString::number(List1.ListCount()));
}

void Form3::List1_OLEDragDrop(const QStringList& paths) {
  FlushSearchFinds();
  ListFullStop = 0;
  if (ListIsFull()) {
    ShowLimitMessage();
    ListFullStop = 1;
    return;
  }
  for (const QString& path : paths) {
    if (!IsTargetFile(path)) continue;
    platform::TryStep([&] { AddSlidePath(path); });
    if (ListIsFull()) {
      ShowLimitMessage();
      ListFullStop = 1;
      return;
    }
  }
  const int n = static_cast<int>(paths.size());
  platform::TryStep([&] {
    if (List1.ListCount() == 0) return;
    const int top = List1.TopIndex();
    const int next = top > 0 ? top + n : top + n - 1;
    List1.SetTopIndex(std::clamp(next, 0, List1.ListCount() - 1));
  });
  Label4.SetCaption(QString::number(List1.ListCount()));
}

// ---- removing -----------------------------------------------------------------------------

void Form3::Command4_Click() {
  if (StopSearchInstead()) return;
  if (List1.ListCount() == 0) return;
  if (platform::MsgBox(QStringLiteral("スライドリストをすべて消去しますか ?"),
                       platform::vbYesNo | platform::vbQuestion,
                       QStringLiteral("一括取消")) != platform::vbYes)
    return;
  platform::SetScreenMousePointer(kPointerHourglass);
  ClearLists();
  PreviewedPath.clear();
  Label4.SetCaption(QStringLiteral("0"));
  // The list no longer is the file's: the file is forgotten.
  platform::TryStep([] { core::form1().SetCaption(core::ProgramTitle()); });
  core::PathState& p = core::Paths();
  p.SlideshowFileName.clear();
  p.SlideshowFilePath.clear();
  p.OpenedFileFolder.clear();
  p.SlideshowFileTime.clear();
  core::Lists().LastShownSlideIndex = 0;
  DisableRowButtons();
  ClearPreview();
  platform::SetScreenMousePointer(kPointerDefault);
}

void Form3::Command5_Click() {
  if (StopSearchInstead()) return;
  const QModelIndexList selected = List1.selectionModel()->selectedRows();
  if (!selected.isEmpty()) {
    std::vector<char> drop(static_cast<size_t>(List1.ListCount()), 0);
    for (const QModelIndex& i : selected) drop[static_cast<size_t>(i.row())] = 1;
    const QStringList& paths = List1.Items();
    const QStringList& records = List2.Items();
    QStringList keptPaths, keptRecords;
    for (int i = 0; i < List1.ListCount(); ++i) {
      if (drop[static_cast<size_t>(i)]) continue;
      keptPaths << paths.at(i);
      keptRecords << (i < records.size() ? records.at(i) : QString());
    }
    // One rebuild for any number of rows: removing them one by one from a long list
    // would take the view minutes.
    List1.SetItems(keptPaths);
    List2.SetItems(keptRecords);
    core::Lists().LastShownSlideIndex = 0;
  }
  Label4.SetCaption(QString::number(List1.ListCount()));
  DisableRowButtons();
  PreviewedPath.clear();
  ClearPreview();
}

// ---- moving -------------------------------------------------------------------------------

void Form3::Command13_Click() {
  if (StopSearchInstead()) return;
  MoveSelectedRow(-1, QStringLiteral("↑移動不可"));
}

void Form3::Command14_Click() {
  if (StopSearchInstead()) return;
  MoveSelectedRow(1, QStringLiteral("↓移動不可"));
}

void Form3::MoveSelectedRow(int step, const QString& title) {
  if (List1.SelCount() != 1) {
    platform::MsgBox(QStringLiteral("リストから１項目だけ選んで行ってください。"),
                     platform::vbExclamation, title);
    return;
  }
  const int k = OnlySelectedRow();
  const int other = k + step;
  if (k < 0 || other < 0 || other >= List1.ListCount()) return;
  platform::RunStepsIgnoringErrors({
      [&] {
        const QString path = List1.List(k);
        List1.SetList(k, List1.List(other));
        List1.SetList(other, path);
      },
      [&] {
        const QString record = List2.List(k);
        List2.SetList(k, List2.List(other));
        List2.SetList(other, record);
      },
      // The selection follows the moved row without a preview on the way.
      [&] { Check1.SetValue(0); },
      [&] { List1.SetSelected(k, false); },
      [&] { List1.SetSelected(other, true); },
      [&] { List1.SetListIndex(other); },
      [&] { List2.SetListIndex(other); },
      [&] { Check1.SetValue(1); },
  });
}

// ---- keys and the conversion copy -------------------------------------------------------------

void Form3::List1_KeyDown(int& keyCode, int shift) {
  (void)shift;
  FlushSearchFinds();
  if (keyCode == platform::vbKeyInsert) {
    Check6.SetValue(Check6.Value() == 1 ? 0 : 1);
  } else if (keyCode == platform::vbKeyDelete) {
    Command5_Click();
  }
}

void Form3::Command12_Click() {
  if (StopSearchInstead()) return;
  platform::TryStep([] { OpenConversionCopy(); });
}

}  // namespace listeditor
