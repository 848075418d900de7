// The link-list editor's file commands: open, save and distribution save of link-list
// files.
#include <QFileInfo>
#include <optional>

#include "core/linklist_file.h"
#include "core/list_file.h"
#include "core/state.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"
#include "schedule/form9.h"

namespace schedule {

using platform::TryStep;

namespace {

const QString kLinkListFilter =
    QStringLiteral("ＫＶＺリンクFiles (*.usl)|*.usl|すべてのﾌｧｲﾙ(*.*)|*.*");

bool EmptyListRefusesSave(const platform::ListBox& list) {
  if (list.ListCount() != 0) return false;
  platform::MsgBox(QStringLiteral("ＫＶＺリンクリストがないので保存できんません。"),
                   platform::vbExclamation, QStringLiteral("ファイルの保存"));
  return true;
}

// The save dialog, proposing the current link-list file or "*.usl". Returns the name the
// file will really get: the dialog asked about the name as typed, so when ".usl" is still
// to be added and that file exists, the question is asked about it here.
std::optional<QString> AskLinkListSavePath(const QString& title) {
  const core::PathState& paths = core::Paths();
  const QString proposed =
      paths.LinkListFileName.isEmpty() ? QStringLiteral("*.usl") : paths.LinkListFilePath;
  const std::optional<QString> chosen = platform::SaveFileDialog(title, kLinkListFilter, proposed);
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  const QString finalPath =
      core::WithDefaultExtension(*chosen, QLatin1String(core::kLinkListExtension));
  if (finalPath != *chosen && QFileInfo::exists(finalPath)) {
    if (platform::MsgBox(finalPath + QStringLiteral(" は既に存在します。\r\n上書きしますか?"),
                         platform::vbExclamation | platform::vbYesNo, title) != platform::vbYes) {
      return std::nullopt;
    }
  }
  return finalPath;
}

void SaveWithDialog(const QString& title, short distribution) {
  const std::optional<QString> chosen = AskLinkListSavePath(title);
  if (!chosen) return;
  core::Paths().DistributionSave = distribution;
  QString path = *chosen;
  TryStep([&path] { core::SaveLinkListFile(path); });
}

}  // namespace

void Form9::Command6_Click() {
  const std::optional<QString> chosen = platform::OpenFileDialog(
      QStringLiteral("ＫＶＺリンク　ファイルを開く"), kLinkListFilter, QStringLiteral("*.usl"));
  if (!chosen || chosen->isEmpty()) return;
  const QString path = *chosen;
  TryStep([&path] {
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    core::Paths().OpenedFileFolder = cut < 0 ? QString() : path.left(cut + 1);
  });
  TryStep([&path] { core::LoadLinkListFile(path); });
  RefreshCount();
}

void Form9::Command7_Click() {
  if (EmptyListRefusesSave(List1)) return;
  SaveWithDialog(QStringLiteral("ＫＶＺリンク　ファイルの保存"), 0);
}

void Form9::Command8_Click() {
  if (EmptyListRefusesSave(List1)) return;
  const QString question =
      QStringList{
          QStringLiteral("配布用ＵＳＬファイルを作成しますか？"),
          QStringLiteral("配布用ＵＳＬファイルはＫＶＺリンクのパスが消去され、"),
          QStringLiteral("ＵＳＬファイルを開いた時にＫＶＺリンクの画像パスが"),
          QStringLiteral("ＵＳＬファイルのパスに変換されます。"),
          QStringLiteral("ＵＳＬとＫＶＺファイルは同一フォルダに保存して下さい。"),
      }
          .join(QStringLiteral("\r\n"));
  if (platform::MsgBox(question, platform::vbQuestion | platform::vbYesNo,
                       QStringLiteral("配布用ＵＳＬファイルの保存")) != platform::vbYes) {
    return;
  }
  SaveWithDialog(QStringLiteral("ＫＶＺリンク　配布用ＵＳＬファイルの保存"), 1);
}

}  // namespace schedule
