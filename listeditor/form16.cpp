// The conversion copy window: its options and the run over the selected slides.
#include "listeditor/form16.h"

#include <QFileInfo>
#include <cmath>

#include "core/common.h"
#include "core/monitors.h"
#include "core/orientation.h"
#include "listeditor/form3.h"
#include "listeditor/picture_tools.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/filecopy.h"
#include "platform/vberror.h"

namespace listeditor {

namespace {

using platform::TryStep;

constexpr int kPointerDefault = 0;

// Named as a JPEG picture: the last three letters JPG or the last four JPEG.
bool NamedAsJpeg(const QString& path) {
  return path.right(3).toUpper() == u"JPG" || path.right(4).toUpper() == u"JPEG";
}

QString ListedName(const QString& path) {
  const QFileInfo info(path);
  return !path.isEmpty() && info.exists() && !info.isDir() ? info.fileName() : QString();
}

struct OutputFormat {
  QString extension;
  int code;
  int bits;
  int quality;
};

// Hundredths of a degree that turn a picture of this EXIF orientation upright.
int UprightTurn(int orientation) {
  switch (orientation) {
    case 3:
      return 18000;
    case 6:
      return 9000;
    case 8:
      return -9000;
    default:
      return 0;
  }
}

bool AskToContinue(const QString& dest) {
  return platform::MsgBox(
             dest + QStringLiteral("\r\n変換コピーできませんでした。\r\n\r\n継続しますか ?"),
             platform::vbYesNo | platform::vbQuestion,
             QStringLiteral("変換コピーエラー")) == platform::vbYes;
}

}  // namespace

QSize ShrinkToBox(int w, int h, int boxWidth, int boxHeight) {
  if (w <= 0 || h <= 0) return {w, h};
  // Relatively wider than the box: the width decides; otherwise (ties too) the height.
  const double r = static_cast<long long>(w) * boxHeight > static_cast<long long>(boxWidth) * h
                       ? static_cast<double>(boxWidth) / w
                       : static_cast<double>(boxHeight) / h;
  if (r >= 1) return {w, h};
  return {std::max(1, static_cast<int>(platform::RoundHalfEven(r * w))),
          std::max(1, static_cast<int>(platform::RoundHalfEven(r * h)))};
}

QString ConvertedName(const QString& name, const QString& extension) {
  const qsizetype dot = name.lastIndexOf(u'.');
  return (dot > 0 ? name.left(dot) : name) + extension;
}

Form16::Form16() {
  SetCaption(QStringLiteral("選択画像の一括変換コピー"));
  SetClientSize(7320, 4920);
  check2_[0] = std::make_unique<platform::CheckBox>(this, QStringLiteral("縮小（1280×720）"));
  check2_[1] = std::make_unique<platform::CheckBox>(this, QStringLiteral("縮小（1920×1080）"));

  Label1.Move(120, 120, 7000, 255);
  Text1.Move(120, 420, 5000, 300);
  Dir1.Move(120, 780, 3000, 2040);
  Drive1.Move(120, 2880, 3000, 300);
  Label4.Move(3360, 840, 1440, 255);
  Label5.Move(4860, 840, 720, 255);
  Frame1.Move(3360, 1200, 1800, 1560);
  BMP.Move(150, 300, 1500, 255);
  JPEG.Move(150, 600, 1500, 255);
  PNG.Move(150, 900, 1500, 255);
  nasi.Move(150, 1200, 1500, 255);
  Check2(0).Move(5280, 1260, 1980, 255);
  Check2(1).Move(5280, 1620, 1980, 255);
  Check1.Move(5280, 2040, 1980, 255);
  Label7.Move(3360, 2880, 3900, 255);
  Command1.Move(120, 3360, 1800, 495);
  Command3.Move(2040, 3360, 1200, 495);
  Command2.Move(5460, 3360, 1695, 495);
  Label2.Move(120, 4020, 840, 255);
  Label3.Move(1020, 4020, 840, 255);
  Text2.Move(1920, 3990, 5235, 300);
  Label6.Move(120, 4440, 5000, 255);

  connect(&Dir1, &platform::FolderChooser::Change, this, &Form16::Dir1_Change);
  connect(&Drive1, &platform::DriveChooser::Change, this, &Form16::Drive1_Change);
  connect(&BMP, &platform::OptionButton::Click, this, &Form16::BMP_Click);
  connect(&JPEG, &platform::OptionButton::Click, this, &Form16::JPEG_Click);
  connect(&PNG, &platform::OptionButton::Click, this, &Form16::PNG_Click);
  connect(&nasi, &platform::OptionButton::Click, this, &Form16::nasi_Click);
  for (int i = 0; i < 2; ++i)
    connect(&Check2(i), &platform::CheckBox::Click, this, [this, i] { Check2_Click(i); });
  connect(&Command1, &platform::CommandButton::Click, this, &Form16::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form16::Command2_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form16::Command3_Click);
}

void Form16::Form_Load() {
  platform::RunStepsIgnoringErrors({
      [this] {
        Move((platform::ScreenWidth() - Width()) / 2.0,
             (platform::ScreenHeight() - Height()) / 2.0);
      },
      [this] { JPEG.SetValue(true); },
      [this] { ChooseFormat(JPEG); },
      [this] {
        Text2.SetText(QString());
        Text2.SetVisible(false);
        Label2.SetVisible(false);
        Label3.SetVisible(false);
        Command1.SetEnabled(true);
        Command2.SetEnabled(true);
        Command3.SetVisible(false);
      },
      [this] { Check1.SetValue(0); },
      [this] { Check2(0).SetValue(0); },
      [this] { Check2(1).SetValue(0); },
      [this] { Dir1.SetPath(FirstDestinationFolder()); },
      [this] { Drive1.SetDrive(Dir1.Path()); },
  });
}

void Form16::Form_Activate() {
  platform::RunStepsIgnoringErrors({
      [this] { Label5.SetCaption(QString::number(form3().List1.SelCount())); },
      [this] { Text1.SetText(Dir1.Path()); },
      [this] { core::CentreOnMainMonitor(this); },
  });
}

// Closing the window by its close box during a run asks to stop, as "中止" does.
void Form16::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode == platform::vbFormControlMenu && !Command1.Enabled()) {
    ConversionActive = 0;
    cancel = 1;
  }
}

void Form16::Form_Unload(int& cancel) {
  cancel = 0;
  ConversionActive = 0;
  Lead1.ReleaseImage();
}

void Form16::Dir1_Change() { Text1.SetText(Dir1.Path()); }

void Form16::Drive1_Change() {
  if (restoringDrive_) return;
  try {
    Dir1.SetPath(Drive1.Drive());
  } catch (const std::exception& e) {
    platform::LogSwallowed("conversion copy: drive", e);
    restoringDrive_ = true;
    TryStep([this] { Drive1.SetDrive(Dir1.Path()); });
    restoringDrive_ = false;
  }
}

void Form16::ChooseFormat(platform::OptionButton& chosen) {
  for (platform::OptionButton* option : {&BMP, &JPEG, &PNG, &nasi}) {
    if (option != &chosen) option->SetValue(false);
  }
  if (!chosen.Value()) chosen.SetValue(true);
  const bool converting = &chosen != &nasi;
  Check2(0).SetVisible(converting);
  Check2(1).SetVisible(converting);
}

void Form16::BMP_Click() { ChooseFormat(BMP); }
void Form16::JPEG_Click() { ChooseFormat(JPEG); }
void Form16::PNG_Click() { ChooseFormat(PNG); }
void Form16::nasi_Click() { ChooseFormat(nasi); }

void Form16::Check2_Click(int index) {
  if (Check2(index).Value() == 1) Check2(1 - index).SetValue(0);
}

void Form16::Command2_Click() {
  platform::SetScreenMousePointer(kPointerDefault);
  Label6.SetCaption(QString());
  Hide();
}

void Form16::Command3_Click() { ConversionActive = 0; }

void Form16::RestoreWindow() {
  Text2.SetText(QString());
  Text2.SetVisible(false);
  Label2.SetVisible(false);
  Label3.SetVisible(false);
  Command1.SetEnabled(true);
  Command2.SetEnabled(true);
  Command3.SetVisible(false);
  TryStep([this] { Command2.SetFocus(); });
  Text1.SetEnabled(true);
  for (platform::OptionButton* option : {&BMP, &JPEG, &PNG, &nasi}) option->SetEnabled(true);
  ConversionActive = 0;
}

void Form16::PreparePicture(const QString& src) {
  const int turn = UprightTurn(core::GetExifOrientation(src));
  const bool quarter = turn == 9000 || turn == -9000;
  QSize box;
  if (Check2(0).Value() == 1) {
    box = QSize(1280, 720);
  } else if (Check2(1).Value() == 1) {
    box = QSize(1920, 1080);
  }
  auto turnUpright = [this, turn] {
    if (turn != 0) Lead1.RotateImage(turn, true, Qt::white);
  };
  // The shrunk size as the picture stands once turned, given as the file stores it.
  auto storedTarget = [&](int storedW, int storedH) {
    const QSize upright = quarter ? QSize(storedH, storedW) : QSize(storedW, storedH);
    const QSize target = ShrinkToBox(upright.width(), upright.height(), box.width(), box.height());
    return quarter ? target.transposed() : target;
  };

  QSize stored;
  if (!box.isEmpty()) {
    try {
      const platform::ImageFileInfo info = Lead1.QueryImageFile(src);
      stored = QSize(info.width, info.height);
    } catch (const std::exception& e) {
      platform::LogSwallowed("conversion copy: size", e);
    }
  }
  if (box.isEmpty() || !stored.isValid() || stored.isEmpty() ||
      storedTarget(stored.width(), stored.height()) == stored) {
    Lead1.LoadImageFile(src, 0, 0);
    if (!box.isEmpty()) {
      const QSize target = storedTarget(Lead1.ImageWidth(), Lead1.ImageHeight());
      if (target != QSize(Lead1.ImageWidth(), Lead1.ImageHeight()))
        Lead1.ResizeImage(target.width(), target.height(), 0);
    }
    turnUpright();
    return;
  }
  // Shrinking: the file is decoded no larger than needed (a JPEG at a reduced scale) and
  // turned after it has been shrunk, which moves far fewer pixels. Quarter turns move
  // pixels exactly, so the order does not change the result.
  const QSize wanted = storedTarget(stored.width(), stored.height());
  Lead1.LoadImageFileScaled(src, wanted.width(), wanted.height());
  const QSize target = storedTarget(Lead1.SourceWidth(), Lead1.SourceHeight());
  if (target != QSize(Lead1.ImageWidth(), Lead1.ImageHeight()))
    Lead1.ResizeImage(target.width(), target.height(), 0);
  turnUpright();
}

void Form16::Command1_Click() {
  ConversionActive = 1;
  Command1.SetEnabled(false);
  Command2.SetEnabled(false);
  Command3.SetVisible(true);
  Label2.SetVisible(true);
  Label3.SetVisible(true);
  Text2.SetVisible(true);
  Text1.SetEnabled(false);
  for (platform::OptionButton* option : {&BMP, &JPEG, &PNG, &nasi}) option->SetEnabled(false);

  QString dest;
  try {
    const QString folder = Text1.Text();
    if (IsRefusedDestination(folder)) {
      platform::MsgBox(QStringLiteral("\r\nこのフォルダ直下へは変換コピーできません。\r\n"
                                      "コピー先フォルダを選択してください。"),
                       platform::vbExclamation, QStringLiteral("コピー先フォルダ未選択"));
      RestoreWindow();
      platform::SetScreenMousePointer(kPointerDefault);
      return;
    }
    const bool unchanged = nasi.Value();
    OutputFormat format{QStringLiteral(".jpg"), platform::kImageFileJpeg, 24, 10};
    if (BMP.Value()) format = {QStringLiteral(".bmp"), platform::kImageFileBmp, 24, 1};
    if (PNG.Value()) format = {QStringLiteral(".png"), platform::kImageFilePng, 8, 1};

    int count = 0;
    Form3& editor = form3();
    const int entries = editor.List1.ListCount();
    for (int i = 0; i < entries; ++i) {
      platform::DoEvents();
      if (IsClosed()) break;
      if (ConversionActive == 0) {
        if (platform::MsgBox(QStringLiteral("変換コピーを中止しますか ?"),
                             platform::vbYesNo | platform::vbQuestion,
                             QStringLiteral("変換コピー中止")) == platform::vbYes)
          break;
      }
      ConversionActive = 1;
      if (i >= editor.List1.ListCount()) break;
      if (!editor.List1.Selected(i)) continue;
      const QString src = editor.List1.List(i);
      if (core::IsMovieName(src)) continue;
      const QString name = ListedName(src);
      if (name.isEmpty()) continue;
      Text2.SetText(name);
      platform::DoEvents();

      dest = folder + (folder.endsWith(u'/') ? QString() : QStringLiteral("/")) +
             (unchanged ? name : ConvertedName(name, format.extension));
      // A picture is never written over itself, in any format and under any spelling.
      if (src == dest || platform::IsSameFile(src, dest)) continue;
      ++count;
      Label6.SetCaption(QStringLiteral("コピー進捗： %1").arg(count));
      if (!platform::FolderWritable(folder)) {
        throw platform::VbError(platform::kErrPathFileAccess,
                                QStringLiteral("No folder to write in: %1").arg(folder));
      }
      if (Check1.Value() != 1 && QFileInfo::exists(dest)) {
        const int answer = platform::MsgBox(
            dest + QStringLiteral("\r\nこのファイルはすでに存在します。\r\n\r\n上書きしますか ?"),
            platform::vbYesNo | platform::vbQuestion, QStringLiteral("コピー"));
        if (answer != platform::vbYes) continue;
      }
      if (!unchanged && NamedAsJpeg(src) && !core::IsJpegFile(src)) {
        if (!AskToContinue(dest)) break;
        continue;
      }
      bool written = false;
      if (unchanged) {
        written = platform::CopyFileReplacing(src, dest) == 1;
      } else {
        try {
          PreparePicture(src);
          written = Lead1.SaveImageFile(dest, format.code, format.bits, format.quality, false) == 0;
        } catch (const platform::VbError& e) {
          // A picture that cannot be read is one failed entry, not a fault of the folder.
          if (e.Number() != platform::kErrImageFormat && e.Number() != platform::kErrFileNotFound &&
              e.Number() != platform::kErrImageNone)
            throw;
          platform::LogSwallowed("conversion copy: picture", e);
        }
        Lead1.ReleaseImage();
      }
      if (!written && !AskToContinue(dest)) break;
      platform::DoEvents();
    }
  } catch (const std::exception& e) {
    platform::LogSwallowed("conversion copy", e);
    Lead1.ReleaseImage();
    platform::MsgBox(
        dest + QStringLiteral(
                   "\r\n変換コピーできません。\r\n\r\nコピー先フォルダを変更してください。"),
        platform::vbExclamation, QStringLiteral("変換コピーエラー"));
    RestoreWindow();
    platform::SetScreenMousePointer(kPointerDefault);
    return;
  }
  RestoreWindow();
}

namespace {
platform::FormSlot<Form16>& Form16Slot() {
  static platform::FormSlot<Form16> slot;
  return slot;
}
}  // namespace

Form16& form16() { return Form16Slot().Get(); }
Form16* Form16IfLoaded() { return Form16Slot().IfLoaded(); }

}  // namespace listeditor
