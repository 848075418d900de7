// The slide list window's folder search: the type chooser, then the folder walk below the
// highlighted folder, each folder's files added by "一括選択". The window stays live: a
// click on "中止" or on most other buttons ends the search at the next folder.
#include <algorithm>

#include "core/state.h"
#include "listeditor/form18.h"
#include "listeditor/form3.h"
#include "platform/folderwalk.h"
#include "platform/vberror.h"

namespace listeditor {

namespace {

// The Windows component store and an old Windows copy are long and hold nothing of the
// user's: the walk does not go below them.
const QStringList kNoDescent{QStringLiteral("/WINDOWS/WINSXS"), QStringLiteral("/WINDOWS.OLD")};

}  // namespace

void Form3::AddSearchFolderFiles(const QString& folder, const QStringList& names) {
  platform::AddListSearchFinds(
      searchFinds_, folder, names, [this] { return SlideListLimit - List1.ListCount(); },
      SearchRunning, ListFullStop, [this] { FlushSearchFinds(); }, [this] { ShowLimitMessage(); });
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
  platform::RunListSearch(*this, searchFinds_, SearchRunning, true, ListFullStop,
                          {kNoDescent, kSlidePatterns, "picture search"}, [] {
                            form18().ShowModal();
                            return core::Paths().SearchPattern;
                          });
}

}  // namespace listeditor
