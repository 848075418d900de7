// The copy and move dialog: the destination choosers, copy and move with their checks, the
// clipboard, the wallpaper and the two show starts at the chosen slide.
#include "listeditor/form11.h"

#include <QDir>
#include <QFileInfo>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/fullscreen_start.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "listeditor/form3.h"
#include "listeditor/form5.h"
#include "listeditor/picture_tools.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/filecopy.h"
#include "platform/picturefile.h"
#include "platform/vberror.h"
#include "platform/wallpaper.h"

namespace listeditor {

namespace {

using platform::TryStep;

constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;
constexpr int kPointerArrowHourglass = 13;

// The texts of copy and move (title, then text, as the dialog shows them).
struct ActionTexts {
  QString folderTitle;
  QString folderText;
  QString emptyText;
  QString errorTitle;
  QString sameText;
  QString couldNotText;
  QString failureText;  // after the destination and a line break
};

ActionTexts CopyTexts() {
  return {QStringLiteral("コピー先フォルダ未選択"),
          QStringLiteral(
              "\r\nこのフォルダへはコピーできません。\r\nコピー先フォルダを選択してください。"),
          QStringLiteral("コピーできません。"),
          QStringLiteral("コピーエラー"),
          QStringLiteral("同一フォルダへはコピーできません。"),
          QStringLiteral("コピーできませんでした。"),
          QStringLiteral("コピーできません。\r\n\r\nコピー先フォルダを変更してください。")};
}

ActionTexts MoveTexts() {
  return {
      QStringLiteral("移動先フォルダ未選択"),
      QStringLiteral("\r\nこのフォルダへは移動できません。\r\n移送先フォルダを選択してください。"),
      QStringLiteral("移動できません。"),
      QStringLiteral("移動エラー"),
      QStringLiteral("同一フォルダへは移動できません。"),
      QStringLiteral("移動できませんでした。"),
      QStringLiteral("移動できません。\r\n\r\n移動先フォルダを変更してください。")};
}

// The file's name as a directory listing gives it; "" when the file is not there.
QString ListedName(const QString& path) {
  const QFileInfo info(path);
  return !path.isEmpty() && info.exists() && !info.isDir() ? info.fileName() : QString();
}

int ChosenSlidePosition() {
  const FourUpState& fu = FourUp();
  return fu.FourUpPageOffset + fu.FourUpClickedCell;
}

}  // namespace

Form11::Form11() {
  SetCaption(QStringLiteral("画像のコピー"));
  SetClientSize(6984, 3312);
  Label1.Move(120, 120, 3375, 255);
  Text1.Move(120, 360, 4815, 270);
  Dir1.Move(120, 720, 2895, 1710);
  Drive1.Move(120, 2640, 2895, 300);
  Command1.Move(3240, 720, 1695, 495);
  Command4.Move(3240, 1320, 1695, 495);
  Command3.Move(3240, 1920, 1695, 495);
  Command6.Move(3240, 2520, 1695, 495);
  Frame1.Move(5040, 120, 1695, 1095);
  Image1.SetStretch(true);
  Command5.Move(5040, 1320, 1695, 495);
  Command2.Move(5040, 1920, 1695, 495);
  Command7.Move(5040, 2520, 1695, 495);

  connect(&Dir1, &platform::FolderChooser::Change, this, &Form11::Dir1_Change);
  connect(&Drive1, &platform::DriveChooser::Change, this, &Form11::Drive1_Change);
  connect(&Command1, &platform::CommandButton::Click, this, &Form11::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form11::Command2_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form11::Command3_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form11::Command4_Click);
  connect(&Command5, &platform::CommandButton::Click, this, &Form11::Command5_Click);
  connect(&Command6, &platform::CommandButton::Click, this, &Form11::Command6_Click);
  connect(&Command7, &platform::CommandButton::Click, this, &Form11::Command7_Click);
}

void Form11::Form_Load() {
  platform::RunStepsIgnoringErrors({
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [this] { Dir1.SetPath(FirstDestinationFolder()); },
      [this] { Drive1.SetDrive(Dir1.Path()); },
  });
}

void Form11::Form_Activate() {
  const QString source = FourUp().CopySourcePath;
  platform::RunStepsIgnoringErrors({
      [this, &source] { SetCaption(ListedName(source)); },
      [this] { Text1.SetText(DestinationText()); },
      [this] {
        // The cell's thumbnail, fitted into 0.7 of the frame and centred in it.
        Form5* view = Form5IfLoaded();
        if (!view) return;
        const platform::ImageBox& cell = view->Image1(FourUp().FourUpClickedCell);
        const double boxW = 0.7 * Frame1.Width();
        const double boxH = 0.7 * Frame1.Height();
        const double iw = cell.Width(), ih = cell.Height();
        if (iw <= 0 || ih <= 0) return;
        const double r = iw / ih > boxW / boxH ? boxW / iw : boxH / ih;
        const int w = static_cast<int>(iw * r);
        const int h = static_cast<int>(ih * r);
        Image1.SetPicture(cell.Picture());
        Image1.Move((Frame1.Width() - w) / 2.0, (Frame1.Height() - h) / 2.0 + 60, w, h);
      },
      [this] {
        Command3.SetEnabled(true);
        Command5.SetEnabled(true);
      },
      [this] { core::CentreOnMainMonitor(this); },
  });
}

void Form11::Form_Paint() {
  TryStep([this] { Command2.SetFocus(); });
}

void Form11::Form_Unload(int& cancel) {
  cancel = 0;
  Image1.SetPicture(QImage());
}

QString Form11::DestinationText() const {
  QString folder = Dir1.Path();
  if (!folder.endsWith(u'/')) folder += u'/';
  return folder + ListedName(FourUp().CopySourcePath);
}

void Form11::Dir1_Change() { Text1.SetText(DestinationText()); }

void Form11::Drive1_Change() {
  if (restoringDrive_) return;
  try {
    Dir1.SetPath(Drive1.Drive());
  } catch (const std::exception& e) {
    // A drive that cannot be opened: the drive list goes back to the folder's drive.
    platform::LogSwallowed("copy dialog: drive", e);
    restoringDrive_ = true;
    TryStep([this] { Drive1.SetDrive(Dir1.Path()); });
    restoringDrive_ = false;
  }
}

void Form11::cmlock() {
  for (platform::CommandButton* b :
       {&Command1, &Command2, &Command3, &Command4, &Command5, &Command6, &Command7})
    b->SetEnabled(false);
  Text1.SetEnabled(false);
}

void Form11::Unlock() {
  for (platform::CommandButton* b :
       {&Command1, &Command2, &Command3, &Command4, &Command5, &Command6, &Command7})
    b->SetEnabled(true);
  Text1.SetEnabled(true);
}

// ---- copy and move ------------------------------------------------------------------------

void Form11::Command1_Click() { CopyOrMove(false); }
void Form11::Command4_Click() { CopyOrMove(true); }

void Form11::CopyOrMove(bool move) {
  const ActionTexts t = move ? MoveTexts() : CopyTexts();
  if (IsRefusedDestination(Dir1.Path())) {
    platform::MsgBox(t.folderText, platform::vbExclamation, t.folderTitle);
    return;
  }
  cmlock();
  const QString source = FourUp().CopySourcePath;
  QString dest = Text1.Text();
  // A bare name typed into the destination goes into the chosen folder.
  if (!dest.isEmpty() && QFileInfo(dest).isRelative()) dest = QDir(Dir1.Path()).filePath(dest);
  auto finish = [this] {
    platform::SetScreenMousePointer(kPointerDefault);
    Hide();
  };
  try {
    if (dest.isEmpty() || source.isEmpty()) {
      platform::MsgBox(t.emptyText, platform::vbExclamation, t.errorTitle);
      finish();
      return;
    }
    // One file, however the two paths are spelt: copying it onto itself would destroy it.
    if (source == dest || platform::IsSameFile(source, dest)) {
      platform::MsgBox(t.sameText, platform::vbExclamation, t.errorTitle);
      finish();
      return;
    }
    const QFileInfo target(dest);
    if (target.exists() && !target.isDir()) {
      const int answer = platform::MsgBox(
          dest + QStringLiteral("\r\nこのファイルはすでに存在します。\r\n\r\n上書きしますか ?"),
          platform::vbYesNo | platform::vbQuestion, QStringLiteral("コピー"));
      if (answer != platform::vbYes) {
        finish();
        return;
      }
    }
    platform::SetScreenMousePointer(kPointerHourglass);
    bool done = false;
    if (!move) {
      done = platform::CopyFileReplacing(source, dest) == 1;
    } else {
      // The source goes only once its copy is complete; a failed step keeps it, and the
      // lists keep pointing at it.
      done = platform::MoveFileReplacing(source, dest) == platform::MoveOutcome::kMoved;
      if (done) {
        const int position = ChosenSlidePosition();
        Form3& editor = form3();
        if (position >= 1 && position <= editor.List1.ListCount())
          editor.List1.SetList(position - 1, dest);
        if (position >= 1 && position <= core::kSlideArrayUpper)
          core::Lists().SlidePaths[position] = dest;
      }
    }
    if (!done) platform::MsgBox(t.couldNotText, platform::vbExclamation, t.errorTitle);
    finish();
  } catch (const std::exception& e) {
    platform::LogSwallowed(move ? "copy dialog: move" : "copy dialog: copy", e);
    platform::MsgBox(dest + QStringLiteral("\r\n") + t.failureText, platform::vbExclamation,
                     QStringLiteral("コピーエラー"));
    finish();
  }
}

// ---- clipboard, wallpaper, cancel ---------------------------------------------------------

void Form11::Command3_Click() {
  cmlock();
  platform::SetScreenMousePointer(kPointerHourglass);
  platform::ClearClipboard();
  if (Form5* view = Form5IfLoaded())
    platform::SetClipboardPicture(view->CellFullPicture(FourUp().FourUpClickedCell));
  Hide();
  platform::SetScreenMousePointer(kPointerDefault);
}

void Form11::Command5_Click() {
  cmlock();
  const QString refused = QStringLiteral("壁紙が設定できません");
  try {
    platform::SetScreenMousePointer(kPointerHourglass);
    Form5* view = Form5IfLoaded();
    const QImage picture = view ? view->CellFullPicture(FourUp().FourUpClickedCell) : QImage();
    const QString file = core::Paths().AppFolder + QStringLiteral("wallp.bmp");
    if (!platform::SavePicture(picture, file))
      throw platform::VbError(platform::kErrPathFileAccess, file);
    if (platform::SetWallpaper(file, true) == 0) platform::MsgBox(refused);
  } catch (const std::exception& e) {
    platform::LogSwallowed("copy dialog: wallpaper", e);
    platform::MsgBox(refused);
  }
  platform::SetScreenMousePointer(kPointerDefault);
  Hide();
}

void Form11::Command2_Click() {
  cmlock();
  Image1.SetPicture(QImage());
  platform::SetScreenMousePointer(kPointerDefault);
  Hide();
}

// ---- show starts at the chosen slide --------------------------------------------------------

void Form11::Command6_Click() {
  core::ListState& lists = core::Lists();
  platform::RunStepsIgnoringErrors({
      [this] { Hide(); },
      [] {
        if (Form5* view = Form5IfLoaded()) view->Hide();
      },
      [&lists] {
        const FourUpState& fu = FourUp();
        lists.ChosenStartSlide = static_cast<short>(fu.FourUpPageOffset + fu.FourUpChosenCell - 1);
        lists.StartAtChosenSlide = 1;
      },
      [] { core::form1().Timer1.SetEnabled(false); },
      [] { core::Flags().ShowStopped = 0; },
      [] { engine::ShowFullScreenWindow(); },
      [] {
        if (core::Settings().OverlayMode != 0) {
          engine::ApplyScreenBackColor();
        } else {
          engine::slidescreen().P2.SetBackColor(Qt::black);
        }
      },
      [] { core::Flags().FullScreenShowActive = 1; },
  });
}

void Form11::Command7_Click() {
  Hide();
  if (Form5* view = Form5IfLoaded()) view->Hide();
  core::Form1& main = core::form1();
  main.Show();
  core::ListState& lists = core::Lists();
  const FourUpState& fu = FourUp();
  lists.StartAtChosenSlide = 1;
  lists.ChosenStartSlide = static_cast<short>(fu.FourUpPageOffset + fu.FourUpChosenCell - 1);
  platform::SetScreenMousePointer(kPointerArrowHourglass);
  platform::DoEvents();
  main.Command1_Click();
  lists.StartAtChosenSlide = 0;
}

namespace {
platform::FormSlot<Form11>& Form11Slot() {
  static platform::FormSlot<Form11> slot;
  return slot;
}
}  // namespace

Form11& form11() { return Form11Slot().Get(); }
Form11* Form11IfLoaded() { return Form11Slot().IfLoaded(); }

}  // namespace listeditor
