// The sound list editor's folder search: the type chooser, then the folder walk below the
// highlighted folder, each folder's files added by "一括選択".
#include <QItemSelectionModel>

#include "core/state.h"
#include "platform/folderwalk.h"
#include "platform/vberror.h"
#include "sound/form10.h"
#include "sound/form19.h"

namespace sound {

namespace {

// The Windows component store holds nothing of the user's: the walk does not go below it.
const QStringList kNoDescent{QStringLiteral("/WINDOWS/WINSXS")};

}  // namespace

void Form10::AddSearchFolderFiles(const QString& folder, const QStringList& names) {
  platform::AddListSearchFinds(
      searchFinds_, folder, names, [this] { return kSoundListLimit - List1.ListCount(); },
      SoundSearchRunning, SoundListFullStop, [this] { FlushSearchFinds(); },
      [this] { ListFullMessage(QStringLiteral("ｽﾗｲﾄﾞｼｮｰ")); });
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
  platform::RunListSearch(*this, searchFinds_, SoundSearchRunning, short{-1}, SoundListFullStop,
                          {kNoDescent, kSoundFilePattern, "sound search"}, [] {
                            form19().ShowModal();
                            return core::Paths().SearchPattern;
                          });
}

}  // namespace sound
