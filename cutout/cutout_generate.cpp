#include "cutout/cutout_generate.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include "core/common.h"
#include "core/monitors.h"
#include "core/point_file.h"
#include "core/services.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "listeditor/picture_macro.h"
#include "platform/clipboard.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/twips.h"
#include "platform/vberror.h"
#include "platform/vbfile.h"

namespace cutout {
namespace {

Q_LOGGING_CATEGORY(lcGenerate, "slideshow.cutout")

using platform::MsgBox;

const QString kWriteErrorTitle = QStringLiteral("書き込みエラー");

void ShowWriteError() {
  MsgBox(QStringLiteral("切取座標データが保存できません。保存先フォルダを変更してください。"),
         platform::vbExclamation, kWriteErrorTitle);
}

bool AskYesNo(const QString& text, const QString& title) {
  return MsgBox(text, platform::vbYesNo | platform::vbQuestion, title) == platform::vbYes;
}

std::array<double, 2> MainMonitorSizePx() {
  const core::TwipsRect r = core::MonitorRectTwips(core::MainMonitorIndex());
  return {static_cast<double>(r.Width) / platform::TwipsPerPixelX,
          static_cast<double>(r.Height) / platform::TwipsPerPixelY};
}

QString SlideListSelection() {
  listeditor::Form3* list = listeditor::Form3IfLoaded();
  if (!list) return core::TheServices().SelectedSlidePath();
  return list->List1.List(list->List1.ListIndex());
}

void StartFromSlideList() { listeditor::form3().Command21_Click(); }

// The macro text is in the file when its bytes are there; the routine that writes it
// reports its own failures and returns normally.
bool FileHolds(const QString& path, const QString& text) {
  bool ok = false;
  const QByteArray want = platform::ToCp932(text, &ok);
  if (!ok) return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  return file.readAll().contains(want);
}

}  // namespace

QString MacroFilePathOf(const QString& slidePath) {
  const QString linked = core::LinkedPicturePath(slidePath);
  return linked.left(linked.size() - 4) + QStringLiteral(".txt");
}

bool AppendToMacroFile(const QString& path, const QString& text) {
  QByteArray bytes;
  {
    QFile old(path);
    if (old.exists()) {
      if (!old.open(QIODevice::ReadOnly)) return false;
      bytes = old.readAll();
      if (old.error() != QFileDevice::NoError) return false;
    }
  }
  bool ok = false;
  const QByteArray added = platform::ToCp932(text + kCrLf, &ok);
  if (!ok) return false;
  if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r')) bytes += "\r\n";
  return platform::SaveFileAtomically(path, bytes + added);
}

void CopyTextToClipboard(const QString& text) { platform::SetClipboardText(text); }

GenerationEnd RunMacroGeneration(GenerationWindow& window, CutoutQuestions& questions,
                                 const GenerationServices& given) {
  GenerationServices services = given;
  if (!services.ScreenSizePx) services.ScreenSizePx = MainMonitorSizePx;
  if (!services.SelectedSlidePath) services.SelectedSlidePath = SlideListSelection;
  if (!services.CreateMacroFile)
    services.CreateMacroFile = [](const QString&) { listeditor::EditPictureMacroFile(); };
  if (!services.StartSlideFullScreen) services.StartSlideFullScreen = StartFromSlideList;

  core::PathState& paths = core::Paths();
  QString macroPath;
  try {
    // The slot and the outline in its point file: the window's own steps.
    if (!window.SavePointFile()) return GenerationEnd::kStopped;
    const QString buttonNumber = window.ButtonNumberText();

    // The values every pattern uses.
    GenerationInputs in;
    in.ButtonNumberText = buttonNumber;
    in.CutoutPicturePath = window.PicturePath();
    in.NameChoice = window.NameChoice();
    in.AppFolder = paths.AppFolder;
    const std::array<double, 2> screen = services.ScreenSizePx();
    in.ScreenWidthPx = screen[0];
    in.ScreenHeightPx = screen[1];
    const std::array<int, 4> box = window.PlotBox();
    in.PlotLeft = box[0];
    in.PlotTop = box[1];
    in.PlotRight = box[2];
    in.PlotBottom = box[3];
    const GenerationValues values = ComputeGenerationValues(in);

    // The chosen pattern asks its questions and builds the text.
    const std::optional<QString> text = BuildPatternText(window.PatternIndex(), values, questions);
    if (!text) return GenerationEnd::kStopped;

    // Shown, then offered for the picture's macro file.
    window.ShowText(*text);
    window.SetPlotEdited(0);
    if (!AskYesNo(
            QStringLiteral("この画像のテキストマクロに書き込み、画面全体を実行しますか？") + kCrLf +
                QStringLiteral("他画面のテキストに貼付ける場合は「いいえ」を選択し、") + kCrLf +
                QStringLiteral("上の「コピー」をクリックしてテキスト編集で貼付けてください。"),
            QStringLiteral("切取マクロ実行")))
      return GenerationEnd::kTextShown;

    // Rewritten with the header, or appended to.
    macroPath = MacroFilePathOf(services.SelectedSlidePath());
    bool written = false;
    const auto create = [&] {
      paths.GeneratedMacroText = *text;
      services.CreateMacroFile(*text);
      paths.GeneratedMacroText.clear();
      written = FileHolds(macroPath, *text);
    };
    if (QFileInfo(macroPath).isFile()) {
      if (AskYesNo(
              QStringLiteral("すでにテキストマクロファイルが存在しますが上書きしますか？") + kCrLf +
                  macroPath + kCrLf +
                  QStringLiteral("末尾にマクロを追加する場合は「いいえ」をクリックしてください。"),
              QStringLiteral("テキスト上書きまたは追加")))
        create();
      else
        written = AppendToMacroFile(macroPath, *text);
    } else {
      create();
    }
    paths.GeneratedMacroText.clear();
    if (!written) {
      // The text is still in the window for "コピー"; nothing is started.
      qCWarning(lcGenerate) << "macro file not written:" << macroPath;
      MsgBox(QStringLiteral("テキストマクロファイルに書き込めませんでした。") + kCrLf + macroPath +
                 kCrLf +
                 QStringLiteral("生成したマクロは画面のテキストに残っています。"
                                "「コピー」で貼付けてください。"),
             platform::vbExclamation, kWriteErrorTitle);
      return GenerationEnd::kMacroWriteFailed;
    }

    // The slide with its new macro, full screen.
    window.UnloadWindow();
    services.StartSlideFullScreen();
    return GenerationEnd::kStarted;
  } catch (const std::exception& e) {
    paths.GeneratedMacroText.clear();
    qCWarning(lcGenerate) << "generation failed:" << e.what();
    ShowWriteError();
    return GenerationEnd::kWriteError;
  }
}

}  // namespace cutout
