// The link-list editor's list editing: adding files from the browser, the whole folder
// or a drop, moving and removing entries, clearing the list.
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/vberror.h"
#include "schedule/form9.h"

namespace schedule {

using platform::TryStep;

namespace {

const QString kFullText = QStringLiteral("これ以上登録できません");

void SayListFull(const QString& title) { platform::MsgBox(kFullText, platform::vbOKOnly, title); }

QString WithSeparator(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

void Form9::RefreshCount() { Label4.SetCaption(QString::number(List1.ListCount())); }

int Form9::SingleSelectedRow() const {
  if (List1.SelCount() != 1) return -1;
  for (int i = 0; i < List1.ListCount(); ++i)
    if (List1.Selected(i)) return i;
  return -1;
}

void Form9::AddLinkEntry(const QString& path) {
  const int selected = Check4.Value() == 1 ? SingleSelectedRow() : -1;
  if (selected >= 0) {
    // In front of the selected entry, which stays selected and current.
    List1.AddItem(path, selected);
    if (List1.ListIndex() != selected + 1) List1.SetListIndex(selected + 1);
  } else {
    List1.AddItem(path);
  }
  RefreshCount();
}

void Form9::ScrollListBy(int lines) {
  TryStep([this, lines] {
    const int top = List1.TopIndex() + lines;
    List1.SetTopIndex(qMin(top, List1.ListCount() - 1));
  });
}

void Form9::File1_Click() {
  const QString title = QStringLiteral("ＫＶＺリンク");
  const QString name = File1.FileName();
  if (name.isEmpty()) return;  // the choice was taken back
  if (ListFull()) {
    SayListFull(title);
    return;
  }
  AddLinkEntry(WithSeparator(File1.Path()) + name);
  if (ListFull()) {
    SayListFull(title);
  } else if (List1.ListCount() > 1) {
    ScrollListBy(1);
  }
}

void Form9::Command3_Click() {
  const QString title = QStringLiteral("ＫＶＺリンク");
  platform::DoEvents();
  if (ListFull()) {
    SayListFull(title);
    return;
  }
  const QString folder = WithSeparator(Dir1.Path());
  const int names = File1.ListCount();
  const int topBefore = List1.TopIndex();
  for (int i = 0; i < names; ++i) {
    AddLinkEntry(folder + File1.List(i));
    if (ListFull()) {
      SayListFull(title);
      return;
    }
  }
  if (List1.ListCount() > 0) ScrollListBy(topBefore <= 0 ? names - 1 : names);
  RefreshCount();
}

void Form9::List1_OLEDragDrop(const QStringList& paths) {
  const QString title = QStringLiteral("ＫＶＺリンクリスト");
  if (ListFull()) {
    SayListFull(title);
    return;
  }
  const int topBefore = List1.TopIndex();
  for (const QString& path : paths) {
    if (path.right(3).toUpper() != QLatin1String("KVZ")) continue;
    AddLinkEntry(path);
    if (ListFull()) {
      SayListFull(title);
      return;
    }
  }
  const int dropped = static_cast<int>(paths.size());
  if (List1.ListCount() > 0) ScrollListBy(topBefore <= 0 ? dropped - 1 : dropped);
  RefreshCount();
}

void Form9::List1_KeyDown(int& keyCode, int shift) {
  (void)shift;
  if (keyCode == platform::vbKeyInsert) {
    Check4.SetValue(Check4.Value() == 1 ? 0 : 1);
  } else if (keyCode == platform::vbKeyDelete) {
    Command5_Click();
  }
}

void Form9::Command11_Click() {
  const int i = SingleSelectedRow();
  if (i < 0) {
    platform::MsgBox(QStringLiteral("リストから１項目だけ選んで行ってください。"),
                     platform::vbExclamation, QStringLiteral("↑移動不可"));
    return;
  }
  if (i == 0) return;
  TryStep([this, i] {
    const QString above = List1.List(i - 1);
    List1.SetList(i - 1, List1.List(i));
    List1.SetList(i, above);
    List1.SetSelected(i, false);
    List1.SetListIndex(i - 1);
    List1.SetSelected(i - 1, true);
  });
}

void Form9::Command12_Click() {
  const int i = SingleSelectedRow();
  if (i < 0) {
    platform::MsgBox(QStringLiteral("リストから１項目だけ選んで行ってください。"),
                     platform::vbExclamation, QStringLiteral("↓移動不可"));
    return;
  }
  if (i == List1.ListCount() - 1) return;
  TryStep([this, i] {
    const QString below = List1.List(i + 1);
    List1.SetList(i + 1, List1.List(i));
    List1.SetList(i, below);
    List1.SetSelected(i, false);
    List1.SetListIndex(i + 1);
    List1.SetSelected(i + 1, true);
  });
}

void Form9::Command5_Click() {
  for (int i = List1.ListCount() - 1; i >= 0; --i)
    if (List1.Selected(i)) List1.RemoveItem(i);
  RefreshCount();
}

void Form9::Command4_Click() {
  if (List1.ListCount() == 0) return;
  if (platform::MsgBox(QStringLiteral("ＫＶＺリンクリストをすべて消去しますか ?"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("一括取消")) != platform::vbYes) {
    return;
  }
  List1.Clear();
  Label4.SetCaption(QStringLiteral("0"));
  SetCaption(LinkEditorCaptionNoFile());
  core::Paths().LinkListFilePath.clear();
  core::Paths().LinkListFileName.clear();
}

}  // namespace schedule
