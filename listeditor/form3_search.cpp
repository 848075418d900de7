// The slide list window's folder search: the type chooser, then the folder walk below the
// highlighted folder, each folder's files added by "一括選択". The window stays live: a
// click on "中止" or on most other buttons ends the search at the next folder.
#include <algorithm>
#include <new>

#include "core/state.h"
#include "listeditor/form18.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/folderwalk.h"

namespace listeditor {

namespace {

// The Windows component store and an old Windows copy are long and hold nothing of the
// user's: the walk does not go below them.
const QStringList kNoDescent{QStringLiteral("/WINDOWS/WINSXS"), QStringLiteral("/WINDOWS.OLD")};

// Puts the window back however the search ended.
struct SearchEnd {
  Form3& w;
  ~SearchEnd() {
    w.SearchRunning = false;
    platform::RunStepsIgnoringErrors({
        [] { platform::SetScreenMousePointer(0); },
        [this] { w.File1.SetPattern(kSlidePatterns); },
        [this] { w.Command8.SetCaption(QStringLiteral("検索")); },
        [this] { w.Label1.SetVisible(false); },
    });
  }
};

}  // namespace

void Form3::AddSearchFolderFiles(const QString& folder, const QStringList& names) {
  platform::DoEvents();
  ListFullStop = 0;
  switch (searchFinds_.Add(folder, names, SlideListLimit - List1.ListCount())) {
    case platform::SearchFinds::Taken::kSome:
      if (searchFinds_.Due()) FlushSearchFinds();
      return;
    case platform::SearchFinds::Taken::kFull:
      FlushSearchFinds();
      ShowLimitMessage();
      ListFullStop = 1;
      return;
    case platform::SearchFinds::Taken::kFilled:
      // This folder's rows fill the list: they go in, then the message, and the search ends.
      FlushSearchFinds();
      ShowLimitMessage();
      ListFullStop = 1;
      SearchRunning = false;
      return;
  }
}

void Form3::FlushSearchFinds() {
  if (searchFinds_.Empty()) return;
  int n = 0;
  const QStringList paths = searchFinds_.Take(&n);
  platform::TryStep([&] { AddSlidePaths(paths); });
  platform::TryStep([&] {
    if (List1.ListCount() == 0 || ListIsFull()) return;
    const int top = List1.TopIndex();
    const int next = top > 0 ? top + n : top + n - 1;
    List1.SetTopIndex(std::clamp(next, 0, List1.ListCount() - 1));
  });
  Label4.SetCaption(QString::number(List1.ListCount()));
}

void Form3::Command8_Click() {
  if (SearchRunning) {
    SearchRunning = false;
    return;
  }
  try {
    // The highlighted folder is where the search starts (the open one when none is).
    Dir1.SetPath(Dir1.List(Dir1.ListIndex()));
    form18().ShowModal();
    if (core::Paths().SearchPattern.isEmpty()) return;
    if (ListFullStop == 1) {
      // The first search after an addition stopped at the limit does not run.
      ListFullStop = 0;
      platform::SetScreenMousePointer(0);
      return;
    }
    const QString start = Dir1.Path();
    SearchEnd end{*this};
    searchFinds_.Reset();
    Command8.SetCaption(QStringLiteral("中止"));
    Label1.SetVisible(true);
    // The file list shows the start folder's files of the chosen types while the walk runs.
    platform::TryStep([this] { File1.SetPattern(core::Paths().SearchPattern); });
    platform::WindowFolderSearch search(*this, SearchRunning, true, ListFullStop);
    const platform::FolderWalkEnd how = platform::WalkFolderTree(
        start, platform::FolderWalkRules{core::Paths().SearchPattern, kNoDescent}, search);
    FlushSearchFinds();
    if (how == platform::FolderWalkEnd::kOutOfMemory) {
      platform::MsgBox(QStringLiteral("ﾘｽﾄ ﾎﾞｯｸｽがいっぱいになりました。検索を中止します。"),
                       platform::vbOKOnly);
    }
  } catch (const std::exception& e) {
    platform::LogSwallowed("picture search", e);
    platform::TryStep([this] { FlushSearchFinds(); });
    platform::SetScreenMousePointer(0);
  }
}

}  // namespace listeditor
