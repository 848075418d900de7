// The point file in the cut-out window: the slot-0 file read at load, another slot's file
// read when the slot is picked, any point file opened by "開く", and the write that starts
// a generation.
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "core/point_file.h"
#include "cutout/form23.h"
#include "cutout/form23_support.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"

namespace cutout {

namespace {

void NotAPointFile() {
  platform::MsgBox(
      QStringLiteral("座標データファイルではありません。正しいファイル名を選択してください。"),
      platform::vbExclamation, QStringLiteral("ファイル選択エラー"));
}

void CannotSave() {
  platform::MsgBox(
      QStringLiteral("切取座標データが保存できません。保存先フォルダを変更してください。"),
      platform::vbExclamation, QStringLiteral("書き込みエラー"));
}

}  // namespace

QString Form23::PointFilePath() const {
  return core::CutoutPointFilePath(CutoutPicturePath, ButtonNumberText.toInt());
}

void Form23::ShowPointFileInCaption(const QString& path) {
  SetCaption(WindowCaption() + u'-' + path);
}

void Form23::LoadPointFileAtStart() {
  ButtonNumberText = Combo1.Text().mid(5);
  const QString path = PointFilePath();
  if (QFileInfo::exists(path)) {
    const core::CutoutPoints file = core::ReadCutoutPointFile(path);
    if (!file.opened)
      throw platform::VbError(platform::kErrPathFileAccess, QStringLiteral("point file: ") + path);
    // A file of another kind is passed over without a word; the caption stays.
    if (!file.tagged) return;
    PlotPoints(file.points);
    PlotSourceFile = path;
  }
  ShowPointFileInCaption(path);
}

void Form23::Combo1_Click() {
  if (CutoutPicturePath.isEmpty() || ComboClickSuppressed != 0) return;
  const QString number = Combo1.Text().mid(5);
  const QString path = core::CutoutPointFilePath(CutoutPicturePath, number.toInt());
  ShowPointFileInCaption(path);
  if (!QFileInfo::exists(path)) return;
  if (platform::MsgBox(
          QStringLiteral("すでに切取座標データファイルが存在します。読込みますか？\r\n") + path,
          platform::vbYesNo | platform::vbQuestion,
          QStringLiteral("切取座標データ")) != platform::vbYes)
    return;
  ButtonNumberText = number;
  const core::CutoutPoints file = core::ReadCutoutPointFile(path);
  if (!file.tagged) {
    NotAPointFile();
    return;
  }
  Command1_Click();
  PlotPoints(file.points);
  PlotSourceFile = path;
}

void Form23::Command5_Click() {
  const QString linked = core::LinkedPicturePath(CutoutPicturePath);
  const std::optional<QString> chosen = platform::OpenFileDialog(
      QStringLiteral("切取座標データファイルを選択してください"),
      QStringLiteral("データFiles (*.dat)|*.dat|すべてのﾌｧｲﾙ(*.*)|*.*"), QString(),
      linked.left(std::max<qsizetype>(0, linked.lastIndexOf(u'/'))));
  if (!chosen) return;
  if (chosen->isEmpty() || !QFileInfo(*chosen).isFile()) {
    platform::MsgBox(
        QStringLiteral("ファイルが選択されていません。正しいファイル名を選択してください。"),
        platform::vbExclamation, QStringLiteral("ファイル選択エラー"));
    return;
  }
  // Test pass: a point file with at least one point on the picture (negative counts as on it).
  const core::CutoutPoints file = core::ReadCutoutPointFile(*chosen);
  if (!file.tagged) {
    NotAPointFile();
    return;
  }
  const int w = PictureWidth(), h = PictureHeight();
  if (std::none_of(file.points.begin(), file.points.end(),
                   [w, h](const QPoint& p) { return p.x() <= w && p.y() <= h; })) {
    platform::MsgBox(
        QStringLiteral("座標データが画像範囲外にあります。\r\n座標は読み込まれません。"),
        platform::vbExclamation, QStringLiteral("座標範囲外"));
    return;
  }
  Command1_Click();
  PlotEdited = 1;
  // The slot follows the file's name (cat_Pb05.dat: slot 5) when it names one.
  ComboClickSuppressed = 1;
  Guarded("slot of the opened file", [&] {
    bool ok = false;
    const int slot = chosen->mid(chosen->size() - 6, 2).toInt(&ok);
    if (ok && slot >= 0 && slot < Combo1.ListCount()) Combo1.SetListIndex(slot);
  });
  ComboClickSuppressed = 0;
  ButtonNumberText = Combo1.Text().mid(5);
  PlotPoints(file.points);
  ShowPointFileInCaption(*chosen);
}

bool Form23::SavePlotToPointFile() {
  ButtonNumberText = Combo1.Text().mid(5);
  const QString path = PointFilePath();
  if (QFileInfo::exists(path)) {
    if (PlotCount == 0) {
      if (platform::MsgBox(
              QStringLiteral("すでに切取座標データファイルが存在します。消去しますか？\r\n") + path,
              platform::vbYesNo | platform::vbQuestion,
              QStringLiteral("切取座標データ　消去確認")) == platform::vbYes &&
          !QFile::remove(path))
        CannotSave();
      return false;
    }
    // Only the very outline read from this file, unchanged, is written over it unasked.
    if ((PlotEdited == 1 || PlotSourceFile != path) &&
        platform::MsgBox(
            QStringLiteral("すでに切取座標データファイルが存在します。上書きしますか？\r\n") + path,
            platform::vbYesNo | platform::vbQuestion,
            QStringLiteral("切取座標データ　上書き確認")) != platform::vbYes)
      return false;
  }
  if (PlotCount < 3) {
    platform::MsgBox(
        QStringLiteral("切取座標データが不足です。画像を３点以上プロットしてください。"),
        platform::vbExclamation, QStringLiteral("プロット不足"));
    return false;
  }
  if (!core::WriteCutoutPointFile(path, PlottedPoints())) {
    CannotSave();
    return false;
  }
  PlotSourceFile = path;
  return true;
}

}  // namespace cutout
