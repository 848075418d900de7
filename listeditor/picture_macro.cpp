// The picture macro text files of the slide list window's rows: made from a header, opened
// in the program's text window, deleted after a question.
#include "listeditor/picture_macro.h"

#include <QFile>
#include <QFileInfo>

#include "core/common.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "listeditor/sound_services.h"
#include "platform/dialogs.h"
#include "platform/texteditor.h"
#include "platform/vberror.h"
#include "platform/vbfile.h"

namespace listeditor {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The part before "//" takes 17 characters.
QString Padded(const QString& setting, const QString& comment) {
  return setting.leftJustified(17, QLatin1Char(' ')) + comment;
}

// A missing macro file gets the head and, with the built-in header chosen, the picture's
// name; generated text replaces any file. Written whole or not at all.
void WriteMacroFile(const QString& name, const QString& picture) {
  const core::PathState& paths = core::Paths();
  const short headerOff = core::Settings().UserMacroHeaderOff;
  const QString header = paths.AppFolder + QStringLiteral("header.txt");
  platform::VbFile out(name, platform::FileMode::Output);
  if (QFileInfo(header).isFile() && headerOff == 0) {
    platform::VbFile in(header, platform::FileMode::Input);
    while (!in.Eof()) out.PrintLine(in.LineInput());
    in.Close();
  } else {
    for (const QString& line : DefaultMacroHeader()) out.PrintLine(line);
  }
  if (!paths.GeneratedMacroText.isEmpty()) {
    out.PrintLine(paths.GeneratedMacroText);
  } else if (headerOff == 1) {
    out.PrintLine(core::GetFileNameOfPath(picture).toUpper());
  }
  out.Close();
}

void CannotCreate() {
  platform::MsgBox(
      QStringLiteral("テキストファイルが作成できません。") + kCrLf +
          QStringLiteral("画像の保存先フォルダを変更してください。") + kCrLf +
          QStringLiteral("または、メニューの設定で画像連動フォルダ指定を行ってください。"),
      platform::vbExclamation, QStringLiteral("テキストファイル作成不可"));
}

}  // namespace

QStringList DefaultMacroHeader() {
  const QChar q(u'"');
  return {
      QStringLiteral("//") + QString(7, u'=') + QStringLiteral("画像連動テキスト表示パラメータ") +
          QString(30, u'='),
      Padded(QStringLiteral("QBColor=15"), QStringLiteral("//[文字色](0-15)")),
      QStringLiteral(" //(0-黒 1-青 2-緑 3-シアン 4-赤 5-マゼンタ 6-黄色 7-白)"),
      QStringLiteral(" //(8-灰色 9-明るい青 10-明るい緑 11-明るいシアン)"),
      QStringLiteral(" //(12-明るい赤 13-明るいマゼンタ 14-明るい黄色 15-明るい白)"),
      Padded(QStringLiteral("FontSize=20"), QStringLiteral("//[文字サイズ]")),
      Padded(QStringLiteral("FontNo=1"),
             QStringLiteral("//[フォント](0=SYSTEM,1=ＭＳゴシック,2=ＭＳ明朝)")),
      QStringLiteral("FontName=") + q + q + QStringLiteral("      //[フォント名指定] FontName=") +
          q + QStringLiteral("フォント名") + q,
      Padded(QStringLiteral("FontItalic=0"), QStringLiteral("//[斜体](0=なし,1=あり)")),
      Padded(QStringLiteral("FontBold=0"), QStringLiteral("//[太字](0=なし,1=あり)")),
      Padded(QStringLiteral("FontUnderLine=0"), QStringLiteral("//[下線](0=なし,1=あり)")),
      Padded(QStringLiteral("Kage=2"), QStringLiteral("//[影](0=なし,1=影, 2=黒輪郭, 3=白輪郭)")),
      Padded(QStringLiteral("ZureX=2"), QStringLiteral("//[影ずれ幅 X]")),
      Padded(QStringLiteral("ZureY=2"), QStringLiteral("//[影ずれ幅 Y]")),
      Padded(QStringLiteral("BorderColor=0"), QStringLiteral("//[輪郭色](0=標準,1-15=QBColor)")),
      Padded(QStringLiteral("CurrentX=0"), QStringLiteral("//[表示開始座標X]")),
      Padded(QStringLiteral("CurrentY=0"), QStringLiteral("//[表示開始座標Y]")),
      Padded(QStringLiteral("Delay=0.1"), QStringLiteral("//[遅延タイム](0.0-60.0秒)")),
      Padded(QStringLiteral("Skip=0"), QStringLiteral("//[画面スキップ数]")),
      Padded(QStringLiteral("YesNoPB(0,0)"),
             QStringLiteral("//[Yes/Noボタン](Yesの画面移動数，Noの画面移動数)")),
      Padded(QStringLiteral("Lock=0"), QStringLiteral("//[操作ロック](1=ロック,2=解除)")),
      Padded(QStringLiteral("End=0"), QStringLiteral("//[終了](0=しない,1=終了,2=全終了)")),
      Padded(QStringLiteral("Tab=8"), QStringLiteral("//Tab幅文字数(2-10文字分)")),
      Padded(QStringLiteral("LineSpace=5"), QStringLiteral("//行間隔(0-20)")),
      QStringLiteral("//") + QString(67, u'='),
      QStringLiteral("[テキスト]") + QString(8, u' ') +
          QStringLiteral("//以下にメッセージを記入して下さい"),
  };
}

void EditPictureMacroFile() {
  core::PathState& paths = core::Paths();
  const QString picture = SelectedSlidePath();
  const QString name = SelectedLinkedName(QStringLiteral(".txt"));
  paths.NotepadTextPath = name;
  if (picture.size() < 4) {
    // The callers always have a row; without one there is no file to name.
    platform::LogSwallowed("macro file", std::runtime_error("no slide chosen"));
    return;
  }
  try {
    const bool exists = QFileInfo(name).isFile();
    if (!exists || !paths.GeneratedMacroText.isEmpty()) WriteMacroFile(name, picture);
    if (Form3* list = Form3IfLoaded()) list->Command17.SetEnabled(true);
    if (paths.GeneratedMacroText.isEmpty())
      paths.NotepadTaskId = static_cast<short>(platform::OpenTextEditor(name));
  } catch (const std::exception& e) {
    platform::LogSwallowed("macro file", e);
    CannotCreate();
  }
}

void DeletePictureMacroFile() {
  const QString name = SelectedLinkedName(QStringLiteral(".txt"));
  try {
    if (platform::MsgBox(name + kCrLf + QStringLiteral("のテキストファイルを削除しますか ?"),
                         platform::vbYesNo | platform::vbQuestion,
                         QStringLiteral("テキスト削除")) != platform::vbYes)
      return;
    if (name.isEmpty() || !QFileInfo(name).isFile())
      throw platform::VbError(platform::kErrFileNotFound, QStringLiteral("File not found"));
    if (!QFile::remove(name))
      throw platform::VbError(platform::kErrPathFileAccess,
                              QStringLiteral("Path/File access error"));
    if (Form3* list = Form3IfLoaded()) list->Command17.SetEnabled(false);
  } catch (const std::exception& e) {
    platform::LogSwallowed("delete macro file", e);
    platform::MsgBox(QStringLiteral("テキストファイルが削除できません。"), platform::vbExclamation,
                     QStringLiteral("テキストファイル削除エラー"));
  }
}

}  // namespace listeditor
