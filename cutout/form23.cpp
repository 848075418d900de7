// The cut-out window: its controls, its layout, the preparation of the picture at load
// (JPEG copy of other formats, EXIF turn, the copy fitted into 1280 x 720), placement,
// resizing and closing.
#include "cutout/form23.h"

#include <QFileInfo>

#include "core/common.h"
#include "core/monitors.h"
#include "core/orientation.h"
#include "core/point_file.h"
#include "core/services.h"
#include "core/state.h"
#include "cutout/form23_support.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/picturefile.h"
#include "platform/vberror.h"

namespace cutout {

namespace {

constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;
constexpr int kMinWidth = 14430;     // twips
constexpr int kMinHeight = 9400;     // twips
constexpr int kScrollBarSize = 255;  // twips

const QString kCaption = WindowCaption();

const char* const kPatterns[] = {
    "画像位置から発散", "画像位置から移動", "画像位置から□",  "左上から中央へ",
    "右から中央へ",     "中央から左へ",     "右から左へ",     "右から左へ＋テロップ",
    "上から中央へ",     "中央から下へ",     "上から下へ",     "下から中央へ＋回転文字",
    "四方から中央へ",   "画面遷移ボタン",   "音声再生ボタン", "動画再生ボタン",
};

// A name answered No to keeps the file; any other answer lets it be replaced.
bool MayReplace(const QString& path, const QString& title) {
  if (!QFileInfo::exists(path)) return true;
  return platform::MsgBox(
             path + QStringLiteral("\r\n同じ名前のファイルがすでに存在します。上書きしますか？"),
             platform::vbYesNo | platform::vbQuestion, title) == platform::vbYes;
}

void SaveJpeg(const platform::ImagingControl& lead, const QString& path) {
  const int rc = lead.SaveImageFile(path, platform::kImageFileJpeg, 24, 10, false);
  if (rc != 0) throw platform::VbError(rc, QStringLiteral("picture not saved: ") + path);
}

}  // namespace

QString ReplaceExtension(const QString& path, const QString& extension) {
  const qsizetype slash = path.lastIndexOf(u'/');
  const qsizetype dot = path.lastIndexOf(u'.');
  return (dot > slash + 1 ? path.left(dot) : path) + extension;
}

QString ConvertedCopyName(const QString& picturePath) {
  return ReplaceExtension(core::LinkedPicturePath(picturePath), QStringLiteral(".jpg"));
}

QString FittedCopyName(const QString& picturePath) {
  return ReplaceExtension(core::LinkedPicturePath(picturePath), QStringLiteral("_S.jpg"));
}

QSize FittedSize(int w, int h) {
  const double scale =
      static_cast<long long>(w) * kFitHeight > static_cast<long long>(kFitWidth) * h
          ? static_cast<double>(kFitWidth) / w
          : static_cast<double>(kFitHeight) / h;
  return {std::max<int>(1, platform::CInt(w * scale)), std::max<int>(1, platform::CInt(h * scale))};
}

bool NeedsConversion(const QString& picturePath) {
  const QString ext = picturePath.right(3).toUpper();
  return ext != u"BMP" && ext != u"JPG";
}

Form23::Form23() {
  SetCaption(kCaption);
  SetClientSize(kMinWidth - 240, kMinHeight - 600);
  Picture1.SetScaleMode(platform::ScaleMode::kPixels);
  Picture1.SetBorderStyle(0);
  Picture1.SetAutoSize(true);
  Picture1.setCursor(Qt::CrossCursor);
  Picture1.setMouseTracking(true);
  // The bars' values are the picture's offset: 0 down to (frame - picture).
  for (platform::ScrollBar* bar : {static_cast<platform::ScrollBar*>(&HScroll1),
                                   static_cast<platform::ScrollBar*>(&VScroll1)}) {
    bar->setInvertedAppearance(true);
    bar->setInvertedControls(true);
    bar->SetMin(0);
    bar->SetMax(0);
    bar->SetSmallChange(150);
    bar->SetLargeChange(1500);
  }
  Text1.setLineWrapMode(QPlainTextEdit::NoWrap);
  LayOut();

  auto on = [this](auto signalOwner, auto signal, const char* what, auto handler) {
    connect(signalOwner, signal, this, [what, handler] { Guarded(what, handler); });
  };
  using platform::CommandButton;
  on(&Command1, &CommandButton::Click, "クリア", [this] { Command1_Click(); });
  on(&Command2, &CommandButton::Click, "閉じる", [this] { Command2_Click(); });
  on(&Command3, &CommandButton::Click, "マクロ生成", [this] { Command3_Click(); });
  on(&Command4, &CommandButton::Click, "コピー", [this] { Command4_Click(); });
  on(&Command5, &CommandButton::Click, "開く", [this] { Command5_Click(); });
  on(&Command6, &CommandButton::Click, "↑", [this] { Command6_Click(); });
  on(&Command7, &CommandButton::Click, "↓", [this] { Command7_Click(); });
  on(&Command8, &CommandButton::Click, "→", [this] { Command8_Click(); });
  on(&Command9, &CommandButton::Click, "←", [this] { Command9_Click(); });
  on(&Command10, &CommandButton::Click, "大", [this] { Command10_Click(); });
  on(&Command11, &CommandButton::Click, "小", [this] { Command11_Click(); });
  on(&Command12, &CommandButton::Click, "BK", [this] { Command12_Click(); });
  on(&Command13, &CommandButton::Click, "四角", [this] { Command13_Click(); });
  on(&Command14, &CommandButton::Click, "円", [this] { Command14_Click(); });
  on(&Combo1, &platform::ComboBox::Click, "slot", [this] { Combo1_Click(); });
  on(&HScroll1, &platform::ScrollBar::Change, "scroll", [this] { HScroll1_Change(); });
  on(&VScroll1, &platform::ScrollBar::Change, "scroll", [this] { VScroll1_Change(); });
  on(&Picture1, &platform::PictureBox::Click, "plot", [this] {
    // A press past the limit plots nothing; the user is told why.
    if (!Picture1_Click())
      platform::MsgBox(QStringLiteral("これ以上登録できません"), platform::vbOKOnly, kCaption);
  });
  connect(&Picture1, &platform::PictureBox::MouseDown, this,
          [this](int button, int shift, double x, double y) {
            Guarded("mouse down", [&] { Picture1_MouseDown(button, shift, x, y); });
          });
  connect(&Picture1, &platform::PictureBox::MouseMove, this,
          [this](int button, int shift, double x, double y) {
            Guarded("mouse move", [&] { Picture1_MouseMove(button, shift, x, y); });
          });
}

void Form23::LayOut() {
  // Top rows: the tools, the slot and pattern choice, the file commands; the generated text
  // on the right; the picture's frame below, following the window's size.
  Label1.Move(120, 150, 3600, 255);
  Command1.Move(3840, 90, 720, 375);
  Command12.Move(4620, 90, 540, 375);
  Command13.Move(5220, 90, 600, 375);
  Command14.Move(5880, 90, 540, 375);
  Command10.Move(6480, 90, 480, 375);
  Command11.Move(7020, 90, 480, 375);
  Command6.Move(7560, 90, 450, 375);
  Command7.Move(8070, 90, 450, 375);
  Command8.Move(8580, 90, 450, 375);
  Command9.Move(9090, 90, 450, 375);
  Label2.Move(120, 540, 3600, 480);
  Label2.SetWordWrap(true);
  Combo1.Move(3840, 570, 1200, 375);
  Combo2.Move(5100, 570, 1200, 375);
  Combo3.Move(6360, 570, 3180, 375);
  Label3.Move(120, 1110, 3600, 255);
  Command3.Move(3840, 1050, 1320, 375);
  Command4.Move(5220, 1050, 900, 375);
  Command5.Move(6180, 1050, 900, 375);
  Command2.Move(8520, 1050, 1020, 375);
  Text1.Move(9660, 90, 4440, 1335);
  Frame1.Move(120, 1560, kMinWidth - 435, kMinHeight - 2190);
  Picture1.Move(0, 0);
}

// ---- load ------------------------------------------------------------------------------------

void Form23::Form_Load() {
  try {
    PreparePicture();
  } catch (const std::exception& e) {
    platform::LogSwallowed("cut-out window load", e);
    platform::SetScreenMousePointer(kPointerDefault);
    platform::MsgBox(QStringLiteral("画像読込または書込ができません。\r\n"
                                    "フォルダの変更またはファイルを確認してください。"),
                     platform::vbExclamation, QStringLiteral("画像読込または書込エラー"));
    Refuse();
  }
}

void Form23::Refuse() {
  CloseOnActivate = 1;
  Unload();
}

void Form23::PreparePicture() {
  core::PathState& paths = core::Paths();
  // 1. A fresh window.
  CutoutPicturePath.clear();
  ComboClickSuppressed = 0;
  Picture1.Move(0, 0);
  HScroll1.raise();
  VScroll1.raise();
  paths.GeneratedMacroText.clear();
  PlotEdited = 0;
  CloseOnActivate = 0;
  PlotSourceFile.clear();

  // 2. The main window's monitor bounds the window's size.
  const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());

  // 3. The lists; showing slot 0 does nothing yet, as no picture is set.
  Combo1.Clear();
  for (int n = 0; n <= 62; ++n) Combo1.AddItem(QStringLiteral("PicPb%1").arg(n));
  Combo1.SetListIndex(0);
  Combo2.Clear();
  Combo2.AddItem(QStringLiteral("パスあり"));
  Combo2.AddItem(QStringLiteral("配布用"));
  Combo2.SetListIndex(0);
  Combo3.Clear();
  for (const char* pattern : kPatterns) Combo3.AddItem(QString::fromUtf8(pattern));
  Combo3.SetListIndex(0);

  // 4. The picture of the slide list's selected row.
  platform::ListBox& slides = listeditor::form3().List1;
  const int row = slides.ListIndex();
  if (row < 0 || row >= slides.ListCount())
    throw platform::VbError(platform::kErrInvalidPropertyIndex, QStringLiteral("no row selected"));
  CutoutPicturePath = slides.List(row);
  PictureExt = CutoutPicturePath.right(3);
  const bool linkedFolder = paths.LinkedFilesInFolder == 1;

  // 5. Other formats than JPEG and BMP become a JPEG copy.
  bool converted = false;
  QString fittedAsked;  // the fitted name already asked about before the conversion
  if (NeedsConversion(CutoutPicturePath)) {
    if (platform::MsgBox(
            QStringLiteral("JPGおよびBMPファイル以外は切取できません。形式を変換しますか?"),
            platform::vbYesNo | platform::vbQuestion,
            QStringLiteral("切取画像JPG変換")) != platform::vbYes) {
      Refuse();
      return;
    }
    platform::SetScreenMousePointer(kPointerHourglass);
    Lead1.LoadImageFile(CutoutPicturePath, 0, 0);
    platform::SetScreenMousePointer(kPointerDefault);
    const QString copy = ConvertedCopyName(CutoutPicturePath);
    // Both copies are asked about before anything is written, so a No leaves no file.
    if (!MayReplace(copy, QStringLiteral("切取画像JPG変換"))) {
      Refuse();
      return;
    }
    if (Lead1.ImageWidth() > kFitWidth || Lead1.ImageHeight() > kFitHeight) {
      fittedAsked = FittedCopyName(copy);
      if (!MayReplace(fittedAsked, QStringLiteral("画像切取サイズ"))) {
        Refuse();
        return;
      }
    }
    platform::SetScreenMousePointer(kPointerHourglass);
    SaveJpeg(Lead1, copy);
    slides.SetList(row, copy);
    CutoutPicturePath = copy;
    platform::SetScreenMousePointer(kPointerDefault);
    platform::MsgBox(
        (linkedFolder ? QStringLiteral("画像を新しい名前で指定フォルダに保存しました。")
                      : QStringLiteral("画像を新しい名前で同一フォルダに保存しました。")) +
            QStringLiteral("\r\n") + copy +
            QStringLiteral("\r\nまた、スライドリストも上記ファイルに変更しました。"),
        platform::vbInformation, QStringLiteral("画像の新規JPG保存"));
    converted = true;
  }

  // 6. Loaded and turned upright.
  platform::SetScreenMousePointer(kPointerHourglass);
  Lead1.LoadImageFile(CutoutPicturePath, 0, 0);
  const int orientation = core::GetExifOrientation(CutoutPicturePath);
  if (orientation == 3) Lead1.RotateImage(18000, true, Qt::white);
  if (orientation == 6) Lead1.RotateImage(9000, true, Qt::white);
  if (orientation == 8) Lead1.RotateImage(-9000, true, Qt::white);
  shownPicture_ = Lead1.ImagePicture();
  Picture1.SetPicture(shownPicture_);
  platform::SetScreenMousePointer(kPointerDefault);
  int w = Lead1.ImageWidth();
  int h = Lead1.ImageHeight();

  // 7. Turned or too large: the copy fitted into 1280 x 720 takes the picture's place.
  if (orientation != 1 || h > kFitHeight || w > kFitWidth) {
    if (!converted &&
        platform::MsgBox(
            QStringLiteral("1280×720を超える画像は、同一フォルダに縮小画像が追加されます。\r\n"
                           "よろしいですか？"),
            platform::vbYesNo | platform::vbQuestion,
            QStringLiteral("画像切取サイズ")) != platform::vbYes) {
      Refuse();
      return;
    }
    const QString fitted = FittedCopyName(CutoutPicturePath);
    if (fitted != fittedAsked && !MayReplace(fitted, QStringLiteral("画像切取サイズ"))) {
      Refuse();
      return;
    }
    platform::SetScreenMousePointer(kPointerHourglass);
    const QSize size = FittedSize(w, h);
    Lead1.ResizeImage(size.width(), size.height(), 0);
    SaveJpeg(Lead1, fitted);
    slides.SetList(row, fitted);
    CutoutPicturePath = slides.List(row);
    Lead1.LoadImageFile(CutoutPicturePath, 0, 0);
    shownPicture_ = Lead1.ImagePicture();
    Picture1.SetPicture(shownPicture_);
    platform::SetScreenMousePointer(kPointerDefault);
    if (!converted) {
      platform::MsgBox(
          (linkedFolder ? QStringLiteral("縮小画像を新しい名前で指定フォルダに保存しました。")
                        : QStringLiteral("縮小画像を新しい名前で同一フォルダに保存しました。")) +
              QStringLiteral("\r\n") + fitted +
              QStringLiteral("\r\nまた、スライドリストも縮小画像ファイルに変更しました。"),
          platform::vbInformation, QStringLiteral("画像の新規縮小保存"));
    }
    w = Lead1.ImageWidth();
    h = Lead1.ImageHeight();
  }

  // 8. The window holds the picture, within the monitor.
  const int neededWidth = platform::CLng(double(platform::TwipsPerPixelX) * w + 800);
  const int neededHeight = platform::CLng(double(platform::TwipsPerPixelY) * h + 2510);
  SetWidth(neededWidth < kMinWidth        ? kMinWidth
           : neededWidth >= monitor.Width ? monitor.Width
                                          : neededWidth);
  SetHeight(neededHeight < kMinHeight               ? kMinHeight
            : neededHeight >= monitor.Height - 1500 ? monitor.Height - 1500
                                                    : neededHeight);
  Form_Resize();

  // 9. An empty plot.
  LastPlotX = -1;
  LastPlotY = -1;
  PlotCount = 0;
  PlotX.fill(-1);
  PlotY.fill(-1);

  // 10. The outline saved for slot 0, when there is one.
  LoadPointFileAtStart();
}

// ---- activation, size, closing -----------------------------------------------------------------

void Form23::Form_Activate() {
  platform::TryStep([this] {
    const QPoint p = core::CentredOnMainMonitor(Width(), Height());
    Move(p.x(), p.y());
  });
  if (CloseOnActivate == 1) Unload();
}

void Form23::Form_Resize() {
  if (WindowState() == 1) return;
  try {
    const int frameWidth = std::max(0, Width() - 435);
    const int frameHeight = std::max(0, Height() - 2190);
    Frame1.Move(Frame1.Left(), Frame1.Top(), frameWidth, frameHeight);
    HScroll1.Move(0, frameHeight - kScrollBarSize, std::max(0, frameWidth - kScrollBarSize),
                  kScrollBarSize);
    VScroll1.Move(frameWidth - kScrollBarSize, 0, kScrollBarSize,
                  std::max(0, frameHeight - kScrollBarSize));
    const int hMax = platform::CInt(frameWidth - Picture1.Width());
    const int vMax = platform::CInt(frameHeight - Picture1.Height());
    HScroll1.SetMin(std::min(0, hMax));
    VScroll1.SetMin(std::min(0, vMax));
    HScroll1.SetVisible(Picture1.Width() > HScroll1.Width());
    VScroll1.SetVisible(Picture1.Height() > VScroll1.Height());
  } catch (const std::exception& e) {
    platform::LogSwallowed("cut-out window resize", e);
    platform::SetScreenMousePointer(kPointerDefault);
    platform::MsgBox(QStringLiteral("画像サイズの変更でエラーが発生しました。\r\n"
                                    "画像ファイルを確認してください。"),
                     platform::vbExclamation, QStringLiteral("画像サイズエラー"));
  }
}

void Form23::HScroll1_Change() { Picture1.SetLeft(HScroll1.Value()); }

void Form23::VScroll1_Change() { Picture1.SetTop(VScroll1.Value()); }

void Form23::Command2_Click() { Unload(); }

void Form23::Form_QueryUnload(int& cancel, int /*unloadMode*/) {
  if (PlotCount > 0 && PlotEdited == 1 &&
      platform::MsgBox(QStringLiteral("プロット編集を保存なしで終了しますか？"),
                       platform::vbYesNo | platform::vbQuestion,
                       QStringLiteral("終了確認")) != platform::vbYes) {
    cancel = 1;
  }
}

void Form23::Form_Unload(int& /*cancel*/) {
  core::Paths().GeneratedMacroText.clear();
  Lead1.ReleaseImage();
}

// ---- accessor and service
// ------------------------------------------------------------------------

namespace {
platform::FormSlot<Form23>& Slot() {
  static platform::FormSlot<Form23> slot;
  return slot;
}
}  // namespace

Form23& form23() { return Slot().Get(); }
Form23* Form23IfLoaded() { return Slot().IfLoaded(); }

void RegisterServices() {
  core::TheServices().ShowCutoutMacroGenerator = [] {
    // A window that refused its picture while loading simply does not appear.
    try {
      form23().ShowModal();
    } catch (const std::exception& e) {
      platform::LogSwallowed("cut-out window", e);
    }
  };
}

}  // namespace cutout
