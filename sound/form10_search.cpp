// The sound list editor's folder search: the type chooser, then a walk of the folder tree
// with the editor's own folder and file lists, adding each folder's files by "一括選択".
#include <QFileInfo>

#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "sound/form10.h"
#include "sound/form19.h"

namespace sound {

namespace {

constexpr int kErrOutOfMemory = 7;

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
    Command8.SetCaption(QStringLiteral("中止"));
    Label1.SetVisible(true);
    SearchSoundFolderTree(start, QString());
  } catch (const std::exception& e) {
    platform::LogSwallowed("sound search", e);
    platform::SetScreenMousePointer(0);
  }
}

bool Form10::SearchSoundFolderTree(const QString& folder, const QString& returnFolder) {
  SoundSearchRunning = -1;
  platform::DoEvents();
  if (SoundSearchRunning == 0 || IsClosed()) return true;
  if (SoundListFullStop == 1) {
    SoundListFullStop = 0;
    return true;
  }
  try {
    int n = Dir1.ListCount();
    while (n > 0 && SoundSearchRunning == -1) {
      const QString back = Dir1.Path();
      Dir1.SetPath(folder);
      if (Dir1.ListCount() >= 1 &&
          !Dir1.Path().toUpper().contains(QLatin1String("/WINDOWS/WINSXS"))) {
        const QString sub = Dir1.List(n - 1);
        // A link to a folder is not followed: it may lead back up the tree for ever.
        bool opened = false;
        if (!QFileInfo(sub).isSymLink()) {
          try {
            Dir1.SetPath(sub);
            opened = true;
          } catch (const platform::VbError& e) {
            // A folder the user may not open is not walked.
            if (e.Number() != platform::kErrPermissionDenied) throw;
            platform::LogSwallowed("search folder", e);
          }
        }
        if (opened && SearchSoundFolderTree(Dir1.Path(), back)) return true;
      }
      --n;
    }
    if (SoundSearchRunning == -1) {
      File1.SetPattern(core::Paths().SearchPattern);
      Command3_Click();
    }
    if (!returnFolder.isEmpty()) Dir1.SetPath(returnFolder);
    return false;
  } catch (const platform::VbError& e) {
    platform::LogSwallowed("search folder", e);
    if (e.Number() == kErrOutOfMemory) {
      platform::MsgBox(QStringLiteral("ﾘｽﾄ ﾎﾞｯｸｽがいっぱいになりました。検索を中止します。"),
                       platform::vbOKOnly);
      return true;
    }
    return false;
  } catch (const std::bad_alloc& e) {
    platform::LogSwallowed("search folder", e);
    platform::MsgBox(QStringLiteral("ﾘｽﾄ ﾎﾞｯｸｽがいっぱいになりました。検索を中止します。"),
                     platform::vbOKOnly);
    return true;
  }
}

}  // namespace sound
