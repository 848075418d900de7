// Stand-ins for operations of other windows, until their owners provide them.
#include "core/pending_menus.h"

#include <algorithm>

#include "core/form1.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "schedule/form9.h"

namespace core::pending {

// The four-up view comes with the slide list editor's tools; until then it is never open
// and closing it only clears its flag.
void FourUpViewClose() {
  Flags().FourUpViewOpen = 0;
  form1().Show();
}

void UnloadFourUpView() { Flags().FourUpViewOpen = 0; }

void LinkListClearAll() {
  schedule::Form9& w = schedule::form9();
  if (w.List1.ListCount() == 0) return;
  if (platform::MsgBox(QStringLiteral("ＫＶＺリンクリストをすべて消去しますか ?"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("一括取消")) != platform::vbYes) {
    return;
  }
  w.List1.Clear();
  w.Label4.SetCaption(QStringLiteral("0"));
  w.SetCaption(schedule::LinkEditorCaptionNoFile());
  Paths().LinkListFilePath.clear();
  Paths().LinkListFileName.clear();
}

void LinkEditorClose() {
  schedule::Form9& w = schedule::form9();
  ListState& lists = Lists();
  lists.LinkListEntries.Erase();
  const int n = std::min(w.List1.ListCount(), kLinkArrayUpper - 1);
  for (int i = 1; i <= n; ++i) lists.LinkListEntries[i] = w.List1.List(i - 1);
  lists.LinkEndIndex = static_cast<short>(n + 1);
  form1().Show();
  w.Hide();
  Flags().LinkEditorOpen = 0;
}

// The folder window comes with the slide list editor's tools; until then the choice is a
// question (beside the pictures, or in one folder) and a folder dialog.
void ShowLinkedFilesFolderWindow() {
  const QString title = QStringLiteral("画像連動ファイル(WAV,MID,MP3,TXT)のフォルダ指定");
  PathState& paths = Paths();
  const int answer = platform::MsgBox(
      QStringLiteral("画像連動ファイルを画像と同一フォルダに置きますか ?（標準）\r\n"
                     "「いいえ」で画像連動フォルダを指定します。"),
      platform::vbQuestion | platform::vbYesNoCancel, title);
  if (answer == platform::vbYes) {
    paths.LinkedFilesInFolder = 0;
    return;
  }
  if (answer != platform::vbNo) return;
  std::optional<QString> folder = platform::FolderDialog(title, paths.LinkedFilesFolder);
  if (!folder || folder->isEmpty()) return;
  QString chosen = *folder;
  if (chosen.size() > 1 && chosen.endsWith(QChar(u'/'))) chosen.chop(1);
  paths.LinkedFilesInFolder = 1;
  paths.LinkedFilesFolder = chosen;
}

}  // namespace core::pending
