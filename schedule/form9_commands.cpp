// The link-list editor's "終了" and "一括取消".
#include <algorithm>

#include "core/form1.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "schedule/form9.h"

namespace schedule {

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

void Form9::Command2_Click() {
  core::ListState& lists = core::Lists();
  lists.LinkListEntries.Erase();
  const int n = std::min(List1.ListCount(), core::kLinkArrayUpper - 1);
  for (int i = 1; i <= n; ++i) lists.LinkListEntries[i] = List1.List(i - 1);
  lists.LinkEndIndex = static_cast<short>(n + 1);
  core::form1().Show();
  Hide();
  core::Flags().LinkEditorOpen = 0;
}

}  // namespace schedule
