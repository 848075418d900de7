// Stand-ins for operations of other windows, until their owners provide them.
#include "core/pending_menus.h"
#include "core/services.h"

#include <algorithm>

#include "core/form1.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/form.h"

namespace core::standin {

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

}  // namespace core::standin
