// The four-up view: pages of four cells drawn one per timer tick, the page buttons, and the
// deletion of a slide's file by a right click.
#include "listeditor/form5.h"

#include <QFile>
#include <QFileInfo>

#include "core/common.h"
#include "core/form1.h"
#include "core/form4.h"
#include "core/monitors.h"
#include "core/state.h"
#include "listeditor/form11.h"
#include "listeditor/form3.h"
#include "listeditor/picture_tools.h"
#include "platform/dialogs.h"
#include "platform/imaging.h"
#include "platform/picturefile.h"
#include "platform/vberror.h"

namespace listeditor {

namespace {

using platform::TryStep;

constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;

constexpr int kCellBoxWidth = 3560;  // twips
constexpr int kCellBoxHeight = 2670;
// The cells are decoded no larger than they are shown (pixels).
const QSize kCellDecodeBox(kCellBoxWidth / platform::TwipsPerPixelX + 1,
                           kCellBoxHeight / platform::TwipsPerPixelX + 1);

const QString kMovieCaption = QStringLiteral("動画ファイル");
const QString kReadErrorCaption = QStringLiteral("読込みエラー");

// Pictures the system loader is tried on first: the last three letters decide.
bool ForSystemLoader(const QString& path) {
  const QString ext = path.right(3).toUpper();
  return ext == u"JPG" || ext == u"BMP";
}

// The file's name as a directory listing gives it; "" when the file is not there.
QString ListedName(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isDir() ? info.fileName() : QString();
}

QString SlideAt(int position) {
  if (position < 1 || position > core::kSlideArrayUpper) return {};
  return core::Lists().SlidePaths[position];
}

}  // namespace

CellPlacement FitCell(int cell, long long widthTwips, long long heightTwips) {
  CellPlacement p;
  long long w = 0, h = 0;
  if (widthTwips > 0 && heightTwips > 0) {
    // Wider than the cell: its width fills the cell; otherwise (ties too) its height.
    if (widthTwips * kCellBoxHeight > heightTwips * kCellBoxWidth) {
      w = kCellBoxWidth;
      h = heightTwips * kCellBoxWidth / widthTwips;
    } else {
      h = kCellBoxHeight;
      w = widthTwips * kCellBoxHeight / heightTwips;
    }
  }
  const int x = (cell == 1 || cell == 3) ? 250 : 4090;
  const int y = (cell == 1 || cell == 2) ? 600 : 3480;
  p.Left = x - 3;
  p.Top = y;
  p.Width = static_cast<int>(std::max(0LL, w - 3));
  p.Height = static_cast<int>(h);
  return p;
}

int FourUpSlideCount() { return form3().List1.ListCount(); }

Form5::Form5() {
  SetCaption(QStringLiteral("４画面表示（画像左クリック：コピー他、画像右クリック：削除）"));
  SetClientSize(7884, 6360);
  SetBackColor(platform::RGB(128, 128, 128));
  DrawFrames();

  Command2.Move(240, 75, 975, 420);
  Command4.Move(1320, 75, 975, 420);
  Command3.Move(2400, 75, 975, 420);
  Command1.Move(3480, 75, 975, 420);
  Command5.Move(4560, 75, 975, 420);
  Label2.Move(5640, 150, 2175, 375);
  Label2.SetBackStyle(0);
  Label2.SetForeColor(Qt::white);
  for (int k = 1; k <= 4; ++k) {
    image1_[k] = std::make_unique<platform::ImageBox>(this);
    image1_[k]->SetStretch(true);
    const CellPlacement home = FitCell(k, kCellBoxWidth, kCellBoxHeight);
    image1_[k]->Move(home.Left, home.Top, 3015, 2265);
    label1_[k] = std::make_unique<platform::Label>(this, QStringLiteral("Label1"));
    label1_[k]->Move((k == 1 || k == 3) ? 360 : 4200, (k <= 2) ? 720 : 3600, 3372, 372);
    label1_[k]->SetVisible(false);
    connect(image1_[k].get(), &platform::ImageBox::MouseDown, this,
            [this, k](int button, int shift, double x, double y) {
              Image1_MouseDown(k, button, shift, x, y);
            });
    connect(label1_[k].get(), &platform::Label::Click, this, [this, k] { Label1_Click(k); });
  }

  connect(&Command1, &platform::CommandButton::Click, this, &Form5::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form5::Command2_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form5::Command3_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form5::Command4_Click);
  connect(&Command5, &platform::CommandButton::Click, this, &Form5::Command5_Click);
  connect(&Timer1, &platform::Timer::Tick, this, &Form5::Timer1_Timer);
}

// Each cell sits in a sunken frame of 2-pixel lines: dark on the top and left, light grey
// on the bottom and right. The lines are thin controls, so that the window's own surface
// stays uncovered and its painting is seen.
void Form5::DrawFrames() {
  const QColor dark = platform::RGB(64, 64, 64);
  const QColor light = platform::RGB(192, 192, 192);
  constexpr int kLine = 2 * platform::TwipsPerPixelX;
  const int rows[2][2] = {{580, 3284}, {3460, 6164}};
  const int columns[2][2] = {{230, 3817}, {4070, 7657}};
  size_t n = 0;
  auto line = [this, &n](int left, int top, int width, int height, const QColor& colour) {
    auto label = std::make_unique<platform::Label>(this);
    label->SetBackColor(colour);
    label->Move(left, top, width, height);
    frameLines_[n++] = std::move(label);
  };
  for (const auto& row : rows) {
    for (const auto& column : columns) {
      const int width = column[1] - column[0], height = row[1] - row[0];
      line(column[0], row[0], width, kLine, dark);                    // top
      line(column[0], row[0], kLine, height, dark);                   // left
      line(column[0], row[1] - kLine, width + kLine, kLine, light);   // bottom
      line(column[1] - kLine, row[0], kLine, height + kLine, light);  // right
    }
  }
}

void Form5::Form_Load() {
  Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  Timer1.SetEnabled(false);
  Command1.SetEnabled(false);
  Command3.SetEnabled(false);
  Command4.SetEnabled(false);
  Command5.SetEnabled(false);
  TryStep([this] { core::CentreOnMainMonitor(this); });
}

// The first painting draws page 1; later ones (uncovering, showing again) keep the page.
void Form5::Form_Paint() {
  core::RunFlags& flags = core::Flags();
  if (flags.FourUpViewOpen == 1) return;
  ClearCellPictures();
  platform::SetScreenMousePointer(kPointerHourglass);
  FourUp().FourUpPageOffset = 0;
  Timer1.SetEnabled(true);
  UpdatePageLabel();
  flags.FourUpViewOpen = 1;
  if (FourUpSlideCount() > 4) {
    Command1.SetEnabled(true);
    Command5.SetEnabled(true);
  }
  platform::SetScreenMousePointer(kPointerDefault);
}

void Form5::Form_Unload(int& cancel) {
  cancel = 0;
  platform::SetScreenMousePointer(kPointerDefault);
  core::Flags().FourUpViewOpen = 0;
  imgcls();
  ClearCellPictures();
  if (Form11* dialog = Form11IfLoaded()) dialog->Hide();
  core::Form1* main = core::Form1IfLoaded();
  if (main && !main->ShuttingDown()) main->Show();
}

// ---- page buttons -----------------------------------------------------------------------------

namespace {

void HideCopyDialog() {
  if (Form11* dialog = Form11IfLoaded()) dialog->Hide();
}

// 前ページ and 先頭.
void EnableBack(Form5& view, bool on) {
  view.Command3.SetEnabled(on);
  view.Command4.SetEnabled(on);
}

// 次ページ and 最後.
void EnableForward(Form5& view, bool on) {
  view.Command1.SetEnabled(on);
  view.Command5.SetEnabled(on);
}

}  // namespace

// 次ページ
void Form5::Command1_Click() {
  platform::SetScreenMousePointer(kPointerHourglass);
  FourUpState& fu = FourUp();
  const int n = FourUpSlideCount();
  if (fu.FourUpPageOffset <= n) fu.FourUpPageOffset = static_cast<short>(fu.FourUpPageOffset + 4);
  EnableBack(*this, true);
  if (fu.FourUpPageOffset + 4 >= n) EnableForward(*this, false);
  ShowNewPage();
}

// 前ページ
void Form5::Command3_Click() {
  FourUpState& fu = FourUp();
  const int n = FourUpSlideCount();
  if (fu.FourUpPageOffset > 0) fu.FourUpPageOffset = static_cast<short>(fu.FourUpPageOffset - 4);
  if (fu.FourUpPageOffset - 4 < 0) EnableBack(*this, false);
  if (n > 3) EnableForward(*this, true);
  if (fu.FourUpPageOffset + 4 >= n) EnableForward(*this, false);
  ShowNewPage();
}

// 先頭
void Form5::Command4_Click() {
  platform::SetScreenMousePointer(kPointerHourglass);
  const int n = FourUpSlideCount();
  FourUp().FourUpPageOffset = 0;
  EnableBack(*this, false);
  if (n > 3) EnableForward(*this, true);
  if (4 >= n) EnableForward(*this, false);
  ShowNewPage();
}

// 最後
void Form5::Command5_Click() {
  platform::SetScreenMousePointer(kPointerHourglass);
  const int n = FourUpSlideCount();
  FourUp().FourUpPageOffset = static_cast<short>(n > 0 ? (n - 1) / 4 * 4 : 0);
  EnableBack(*this, true);
  EnableForward(*this, false);
  ShowNewPage();
}

void Form5::ShowNewPage() {
  Timer1.SetEnabled(true);
  imgcls();
  UpdatePageLabel();
  platform::SetScreenMousePointer(kPointerDefault);
  HideCopyDialog();
}

void Form5::UpdatePageLabel() {
  const int offset = FourUp().FourUpPageOffset;
  const int n = FourUpSlideCount();
  const int first = offset + 1;
  const int last = offset + 4 < n ? offset + 4 : n;
  Label2.SetCaption(QStringLiteral(" %1/%2～ %3/%2").arg(first).arg(n).arg(last));
  CellsDrawn = 0;
}

// ---- drawing ------------------------------------------------------------------------------

void Form5::Timer1_Timer() {
  if (CellsDrawn > 3) {
    platform::SetScreenMousePointer(kPointerDefault);
    Timer1.SetEnabled(false);
    return;
  }
  platform::SetScreenMousePointer(kPointerHourglass);
  ++CellsDrawn;
  const int k = CellsDrawn;
  Label1(k).SetVisible(false);
  const QString path = SlideAt(FourUp().FourUpPageOffset + k);
  if (path.isEmpty()) {
    Image1(k).SetPicture(QImage());
    return;
  }
  DrawCell(k, path);
}

void Form5::DrawCell(int k, const QString& path) {
  if (ForSystemLoader(path)) {
    try {
      QSize natural;
      buffer_ = platform::LoadPicture(path, kCellDecodeBox, &natural);
      bufferSize_ = natural;
      PlaceCell(k, buffer_, natural);
      Label1(k).SetCaption(QString());
      return;
    } catch (const std::exception& e) {
      // A JPEG or bitmap the system loader refuses is tried once with the imaging control.
      platform::LogSwallowed("four-up view: system picture loader", e);
      TryStep([] { core::form4().Picture4.ClearPicture(); });
    }
  }
  try {
    platform::ImagingControl& lead = core::form4().Lead1;
    lead.LoadImageFileScaled(path, kCellDecodeBox.width(), kCellDecodeBox.height());
    if (lead.ImageBitsPerPixel() != 24) lead.SetColorResolution(24, 4, 0, 0);
    buffer_ = lead.ImagePicture();
    bufferSize_ = QSize(lead.SourceWidth(), lead.SourceHeight());
    CellPictures[static_cast<size_t>(k)] = buffer_;
    PlaceCell(k, buffer_, bufferSize_);
    Label1(k).SetCaption(QString());
  } catch (const std::exception& e) {
    platform::LogSwallowed("four-up view: imaging control", e);
    MarkCellFailed(k, path);
  }
}

void Form5::PlaceCell(int k, const QImage& picture, QSize natural) {
  const CellPlacement p =
      FitCell(k, static_cast<long long>(natural.width()) * platform::TwipsPerPixelX,
              static_cast<long long>(natural.height()) * platform::TwipsPerPixelX);
  Image1(k).SetPicture(picture);
  Image1(k).Move(p.Left, p.Top, p.Width, p.Height);
}

void Form5::MarkCellFailed(int k, const QString& path) {
  Image1(k).SetPicture(QImage());
  Image1(k).SetWidth(3015);
  Image1(k).SetHeight(2265);
  buffer_ = QImage();
  bufferSize_ = QSize();
  Label1(k).SetCaption(core::IsMovieName(path) ? kMovieCaption : kReadErrorCaption);
  Label1(k).SetVisible(true);
}

void Form5::imgcls() {
  // Pictures free themselves here: emptying is all there is to release.
  for (int k = 1; k <= 4; ++k) {
    Image1(k).SetPicture(QImage());
    CellPictures[static_cast<size_t>(k)] = QImage();
  }
  buffer_ = QImage();
  bufferSize_ = QSize();
}

void Form5::ClearCellPictures() {
  for (int k = 1; k <= 4; ++k) Image1(k).SetPicture(QImage());
  buffer_ = QImage();
  bufferSize_ = QSize();
}

QImage Form5::CellFullPicture(int k) const {
  const QImage shown = image1_.at(static_cast<size_t>(k))->Picture();
  const QString path = SlideAt(FourUp().FourUpPageOffset + k);
  if (path.isEmpty()) return shown;
  if (ForSystemLoader(path)) {
    try {
      return platform::LoadPicture(path);
    } catch (const std::exception& e) {
      platform::LogSwallowed("four-up view: full picture", e);
    }
  }
  try {
    platform::ImagingControl loader;
    loader.LoadImageFile(path, 0, 0);
    if (loader.ImageBitsPerPixel() != 24) loader.SetColorResolution(24, 4, 0, 0);
    return loader.ImagePicture();
  } catch (const std::exception& e) {
    platform::LogSwallowed("four-up view: full picture", e);
  }
  return shown;
}

// ---- clicks -------------------------------------------------------------------------------

void Form5::Image1_MouseDown(int index, int button, int shift, double x, double y) {
  (void)shift, (void)x, (void)y;
  if (Timer1.Enabled()) return;  // the page is still being drawn
  FourUpState& fu = FourUp();
  fu.FourUpChosenCell = 0;
  Form11& dialog = form11();
  dialog.Unlock();
  dialog.Image1.SetPicture(QImage());
  fu.FourUpClickedCell = static_cast<short>(index);
  const QString path = SlideAt(fu.FourUpPageOffset + index);
  if (path.isEmpty()) return;
  if (button == 1) {
    const QString caption = Label1(index).Caption();
    if (caption == kMovieCaption || caption == kReadErrorCaption) return;
    fu.CopySourcePath = path;
    fu.FourUpChosenCell = static_cast<short>(index);
    dialog.ShowModal();
  } else if (button == 2) {
    DeleteSlide(index);
  }
}

void Form5::DeleteSlide(int k) {
  HideCopyDialog();
  FourUpState& fu = FourUp();
  core::ListState& lists = core::Lists();
  const int p = fu.FourUpPageOffset + k;
  const QString path = SlideAt(p);
  auto fail = [] {
    platform::MsgBox(QStringLiteral("ファイルが削除できません。"), platform::vbExclamation,
                     QStringLiteral("ファイル削除エラー"));
    platform::SetScreenMousePointer(kPointerDefault);
  };
  try {
    const int answer = platform::MsgBox(path + QStringLiteral("\r\nのファイルを削除しますか ?"),
                                        platform::vbYesNo | platform::vbQuestion,
                                        ListedName(path) + QStringLiteral(" の削除"));
    if (answer != platform::vbYes) return;
    platform::SetScreenMousePointer(kPointerHourglass);
    Form3& editor = form3();
    const int n = editor.List1.ListCount();
    // The slide must stand at its row in the editor's list before its file goes, so that the
    // lists can follow.
    if (p < 1 || p > n || editor.List1.List(p - 1) != path) {
      qCWarning(platform::lcSwallowed, "four-up view: slide %d is not row %d of the list", p,
                p - 1);
      fail();
      return;
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.remove()) {
      qCWarning(platform::lcSwallowed, "four-up view: %s not deleted: %s", qUtf8Printable(path),
                qUtf8Printable(QFileInfo(path).isFile() ? file.errorString()
                                                        : QStringLiteral("no such file")));
      fail();
      return;
    }
    lists.SlidePaths[n].clear();
    lists.SlideAddDateTimes[n].clear();
    lists.SlideDeleteDateTimes[n].clear();
    editor.List1.RemoveItem(p - 1);
    if (p - 1 < editor.List2.ListCount()) editor.List2.RemoveItem(p - 1);
    for (int q = p; q <= n - 1; ++q) {
      lists.SlidePaths[q] = editor.List1.List(q - 1);
      const QString record = editor.List2.List(q - 1);
      lists.SlideAddDateTimes[q] = core::ScheduleAddMoment(record);
      lists.SlideDeleteDateTimes[q] = core::ScheduleDeleteMoment(record);
    }
    const int count = editor.List1.ListCount();
    lists.SlideEndIndex = static_cast<short>(count + 1);
    editor.Label4.SetCaption(QString::number(count));
  } catch (const std::exception& e) {
    platform::LogSwallowed("four-up view: delete", e);
    fail();
    return;
  }

  if (fu.FourUpPageOffset + 4 >= FourUpSlideCount()) {
    Command1.SetEnabled(false);
    Command5.SetEnabled(false);
  }
  Timer1.SetEnabled(true);
  imgcls();
  UpdatePageLabel();
  platform::SetScreenMousePointer(kPointerDefault);
  lists.LastShownSlideIndex = 0;
  if (lists.SlidePaths[1].isEmpty()) {
    platform::MsgBox(QStringLiteral("スライドリストに　画像ファイルが見つかりません。"),
                     platform::vbExclamation, QStringLiteral("スライドショー"));
    core::Form1& main = core::form1();
    main.Command1.SetEnabled(false);
    main.Command2.SetEnabled(false);
    main.Command3.SetEnabled(false);
    main.Command4.SetEnabled(false);
  }
}

// ---- ending -------------------------------------------------------------------------------

void Form5::Command2_Click() {
  CellsDrawn = 4;  // a tick still due only stops the timer
  core::Flags().FourUpViewOpen = 0;
  ClearCellPictures();
  Unload();
  HideCopyDialog();
  core::Form1* main = core::Form1IfLoaded();
  if (main && !main->ShuttingDown()) main->Show();
}

namespace {
platform::FormSlot<Form5>& Form5Slot() {
  static platform::FormSlot<Form5> slot;
  return slot;
}
}  // namespace

Form5& form5() { return Form5Slot().Get(); }
Form5* Form5IfLoaded() { return Form5Slot().IfLoaded(); }

}  // namespace listeditor
