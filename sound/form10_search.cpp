// The sound list editor's folder search: the type chooser, then the folder walk below the
// highlighted folder, each folder's files added by "一括選択".
#include <QItemSelectionModel>

#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/folderwalk.h"
#include "sound/form10.h"
#include "sound/form19.h"

namespace sound {

namespace {

// The Windows component store holds nothing of the user's: the walk does not go below it.
const QStringList kNoDescent{QStringLiteral("/WINDOWS/WINSXS")};

// Puts the button back however the search ended.
struct SearchEnd {
  Form10& w;
  ~SearchEnd() {
    w.SoundSearchRunning = 0;
    platform::RunStepsIgnoringErrors({
        [this] { w.Command8.SetCaption(QStringLiteral("検索")); },
        [this] { w.Label1.SetVisible(false); },
        [this] { w.File1.SetPattern(kSoundFilePattern); },
        [] { platform::SetScreenMousePointer(0); },
    });
  }
};

}  // namespace

void Form10::AddSearchFolderFiles(const QString& folder, const QStringList& names) {
  platform::DoEvents();
  SoundListFullStop = 0;
  switch (searchFinds_.Add(folder, names, kSoundListLimit - List1.ListCount())) {
    case platform::SearchFinds::Taken::kSome:
      if (searchFinds_.Due()) FlushSearchFinds();
      return;
    case platform::SearchFinds::Taken::kFull:
      FlushSearchFinds();
      ListFullMessage(QStringLiteral("ｽﾗｲﾄﾞｼｮｰ"));
      SoundListFullStop = 1;
      return;
    case platform::SearchFinds::Taken::kFilled:
      // This folder's entries fill the list: they go in, then the message, and the search ends.
      FlushSearchFinds();
      ListFullMessage(QStringLiteral("ｽﾗｲﾄﾞｼｮｰ"));
      SoundListFullStop = 1;
      SoundSearchRunning = 0;
      return;
  }
}

void Form10::FlushSearchFinds() {
  if (searchFinds_.Empty()) return;
  int n = 0;
  const QStringList paths = searchFinds_.Take(&n);
  platform::TryStep([&] {
    if (Check2.Value() == 1 && List1.SelCount() == 1)
      List1.AddItems(paths, List1.selectionModel()->selectedRows().front().row());
    else
      List1.AddItems(paths);
  });
  ShowCount();
  if (List1.ListCount() < kSoundListLimit) ScrollAfterAdding(n);
}

void Form10::Command8_Click() {
  if (SoundSearchRunning == -1) {
    SoundSearchRunning = 0;
    return;
  }
  try {
    // The highlighted folder is where the search starts.
    Dir1.SetPath(Dir1.List(Dir1.ListIndex()));
    form19().ShowModal();
    if (core::Paths().SearchPattern.isEmpty()) return;
    if (SoundListFullStop == 1) {
      // The first search after an addition stopped at the limit does not run.
      SoundListFullStop = 0;
      platform::SetScreenMousePointer(0);
      return;
    }
    const QString start = Dir1.Path();
    SearchEnd end{*this};
    searchFinds_.Reset();
    Command8.SetCaption(QStringLiteral("中止"));
    Label1.SetVisible(true);
    platform::TryStep([this] { File1.SetPattern(core::Paths().SearchPattern); });
    platform::WindowFolderSearch search(*this, SoundSearchRunning, short{-1}, SoundListFullStop);
    const platform::FolderWalkEnd how = platform::WalkFolderTree(
        start, platform::FolderWalkRules{core::Paths().SearchPattern, kNoDescent}, search);
    FlushSearchFinds();
    if (how == platform::FolderWalkEnd::kOutOfMemory) {
      platform::MsgBox(QStringLiteral("ﾘｽﾄ ﾎﾞｯｸｽがいっぱいになりました。検索を中止します。"),
                       platform::vbOKOnly);
    }
  } catch (const std::exception& e) {
    platform::LogSwallowed("sound search", e);
    platform::TryStep([this] { FlushSearchFinds(); });
    platform::SetScreenMousePointer(0);
  }
}

}  // namespace sound
