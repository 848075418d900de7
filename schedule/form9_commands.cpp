// The link-list editor's runs: "START" (the whole list as a link run), one file alone
// ("選択実行", double-click), and "終了".
#include <algorithm>

#include "core/form1.h"
#include "core/slideshow_file.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"
#include "schedule/form9.h"

namespace schedule {

using platform::TryStep;

namespace {

// The folder of a path with its final separator; "" when it has none.
QString FolderOf(const QString& path) {
  const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
  return cut < 0 ? QString() : path.left(cut + 1);
}

void SlideTimerOff() {
  TryStep([] { core::form1().Timer1.SetEnabled(false); });
}

}  // namespace

void CommitLinkList(const platform::ListBox& list) {
  core::ListState& lists = core::Lists();
  lists.LinkEndIndex = 0;
  lists.LinkListEntries.Erase();
  const int n = std::min(list.ListCount(), core::kLinkArrayUpper - 1);
  for (int i = 1; i <= n; ++i) lists.LinkListEntries[i] = list.List(i - 1);
  lists.LinkEndIndex = static_cast<short>(n + 1);
}

void Form9::Command1_Click() {
  CommitLinkList(List1);
  core::ListState& lists = core::Lists();
  if (lists.LinkListEntries[1].isEmpty()) return;
  if (platform::MsgBox(QStringLiteral("ＫＶＺリンクをスタートしますか ?\r\n"
                                      "（リスト上のkvzファイルをリンクして実行します。）"),
                       platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("ＫＶＺリンク")) != platform::vbYes) {
    return;
  }
  core::RunFlags& flags = core::Flags();
  lists.LinkSingleFileRun = 0;
  lists.LinkRunActive = 1;
  Hide();
  flags.LinkEditorOpen = 0;
  SlideTimerOff();
  flags.ShowStopped = 0;
  // A show paused in the main window would keep the show window from starting afresh.
  if (flags.ShowRunning == 0) lists.CurrentSlideIndex = 0;
  engine::ShowFullScreenWindow();
  flags.FullScreenShowActive = 1;
}

void Form9::Command13_Click() {
  if (SingleSelectedRow() < 0) {
    platform::MsgBox(QStringLiteral("リストから１項目だけ選んで行ってください。"),
                     platform::vbExclamation, QStringLiteral("選択実行不可"));
    return;
  }
  List1_DblClick();
}

void Form9::List1_DblClick() {
  // No entry has the focus (an empty list): nothing to play.
  const QString p = List1.Text();
  if (List1.ListIndex() < 0 || p.isEmpty()) return;
  core::RunFlags& flags = core::Flags();
  core::ListState& lists = core::Lists();
  core::Paths().OpenedFileFolder = FolderOf(p);

  // A file the reader refuses asks the show to end: it is not started then.
  flags.ShowEndRequested = 0;
  core::LoadSlideshowFile(p);
  if (flags.ShowEndRequested == 1) {
    flags.ShowEndRequested = 0;
    return;
  }
  TryStep([] {
    listeditor::Form3& f3 = listeditor::form3();
    f3.Label4.SetCaption(QString::number(f3.List1.ListCount()));
  });
  SlideTimerOff();
  flags.ShowStopped = 0;
  if (flags.ShowRunning == 0) lists.CurrentSlideIndex = 0;
  TryStep([] {
    if (core::Settings().OverlayMode != 0)
      engine::ApplyScreenBackColor();
    else
      engine::slidescreen().P2.SetBackColor(Qt::black);
  });
  engine::ShowFullScreenWindow();
  flags.FullScreenShowActive = 1;
  lists.LinkSingleFileRun = 1;
  flags.WaitingForChoice = 0;
}

void Form9::Command2_Click() {
  core::Lists().LinkSingleFileRun = 0;
  CommitLinkList(List1);
  TryStep([] { core::form1().Show(); });
  Hide();
  core::Flags().LinkEditorOpen = 0;
}

}  // namespace schedule
