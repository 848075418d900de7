// The slide list window's double-click: the recording or macro text question, or the slide
// shown (a movie in the movie window, a picture fitted to the main window's monitor in the
// double-click window).
#include <QFile>

#include "core/common.h"
#include "core/form4.h"
#include "core/monitors.h"
#include "core/orientation.h"
#include "core/state.h"
#include "engine/form24.h"
#include "listeditor/form3.h"
#include "listeditor/form7.h"
#include "listeditor/picture_macro.h"
#include "listeditor/sound_services.h"
#include "platform/dialogs.h"
#include "platform/twips.h"

namespace listeditor {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IsMovie(const QString& path) {
  const QString tail = path.right(3).toUpper();
  return tail == QLatin1String("MP4") || tail == QLatin1String("WMV") ||
         tail == QLatin1String("MOV") || tail == QLatin1String("AVI");
}

bool Opens(const QString& path) {
  QFile f(path);
  return !path.isEmpty() && f.open(QIODevice::ReadOnly);
}

bool Asked(const QString& text, const QString& title) {
  return platform::MsgBox(text, platform::vbYesNo | platform::vbQuestion, title) == platform::vbYes;
}

// The picture turned upright and, unless size adjustment is off, reduced to fit the
// monitor; the work form's imaging control keeps it for the permanent wallpaper.
QImage FittedPicture(const QString& path, const core::TwipsRect& monitor) {
  core::Form4& work = core::form4();
  work.Lead1.QueryImageFile(path, 0);
  work.Lead1.LoadImageFile(path, 0, 0);
  switch (core::GetExifOrientation(path)) {
    case 3:
      work.Lead1.RotateImage(18000, true, Qt::white);
      break;
    case 6:
      work.Lead1.RotateImage(9000, true, Qt::white);
      break;
    case 8:
      work.Lead1.RotateImage(-9000, true, Qt::white);
      break;
    default:
      break;
  }
  work.Picture1.SetPicture(work.Lead1.ImagePicture());
  const double pw = platform::PixelsToTwipsX(work.Lead1.ImageWidth());
  const double ph = platform::PixelsToTwipsY(work.Lead1.ImageHeight());
  const double sw = monitor.Width;
  const double sh = monitor.Height;
  if (core::Settings().SizeAdjustMode <= 1 && (pw > sw || ph > sh)) {
    const double s = pw / ph > sw / sh ? sw / pw : sh / ph;
    const int w = platform::CInt(s * pw / platform::TwipsPerPixelX);
    const int h = platform::CInt(s * ph / platform::TwipsPerPixelY);
    work.Lead1.ResizeImage(w, h, 0);
    work.Picture1.ClearPicture();
    work.Picture1.SetPicture(work.Lead1.ImagePicture());
  }
  return work.Lead1.ImagePicture();
}

}  // namespace

void Form3::Image1_Click() {
  if (!Image1.Picture().isNull()) List1_DblClick();
}

void Form3::List1_DblClick() {
  form7();
  for (platform::CommandButton* b : {&Command17, &Command16, &Command18, &Command19, &Command20})
    b->SetEnabled(false);
  bool handled = false;
  platform::TryStep([] { core::ForgetSoundRecorder(); });
  platform::TryStep([] { core::CloseTextViewer(); });
  const int row = List1.ListIndex();
  platform::TryStep([this, row] {
    if (row < 0) return;
    List1.SetSelected(row, false);
    if (row < List2.ListCount()) List2.SetSelected(row, false);
  });
  const QString path = List1.List(row);
  // Without a current row there is nothing to name, record or show.
  if (path.isEmpty()) return;

  const core::ShowSettings& s = core::Settings();
  if (s.DblClickPicture == 0 && s.DblClickRecord == 1 && s.DblClickWallpaper == 0 &&
      s.DblClickText == 0) {
    handled = true;
    const QString wav = SelectedLinkedName(QStringLiteral(".wav"));
    if (Asked(wav + kCrLf + QStringLiteral("の画像連動効果音を録音しますか ?"),
              QStringLiteral("効果音録音"))) {
      StartSoundRecorder();
    } else if (Opens(wav)) {
      DeleteLinkedWav();
    }
  }
  if (s.DblClickPicture == 0 && s.DblClickText == 1 && s.DblClickWallpaper == 0 &&
      s.DblClickRecord == 0) {
    const QString text = SelectedLinkedName(QStringLiteral(".txt"));
    if (Asked(text + kCrLf + QStringLiteral("のテキストファイルを作成しますか ?"),
              QStringLiteral("テキスト作成"))) {
      EditPictureMacroFile();
    } else if (Opens(text)) {
      DeletePictureMacroFile();
    }
    return;
  }
  if (s.DblClickPicture == 0 && s.DblClickRecord == 0 && s.DblClickWallpaper == 0 &&
      s.DblClickText == 0)
    return;
  if (handled) return;

  platform::SetScreenMousePointer(11);
  const auto failed = [this] {
    ClearPreview();
    platform::SetScreenMousePointer(0);
    platform::MsgBox(QStringLiteral("画像ファイルが表示できません。"), platform::vbExclamation,
                     QStringLiteral("画像ファイルエラー"));
  };
  if (IsMovie(path)) {
    try {
      if (Timer1.Enabled()) {
        platform::SetScreenMousePointer(0);
        return;
      }
      platform::SetScreenMousePointer(0);
      Timer1.SetEnabled(true);
      engine::PlayMovieModal(path);
      platform::SetScreenMousePointer(0);
      // For the next 500 ms a double-click on a movie is taken for the one just ended.
      Timer1.SetEnabled(false);
      Timer1.SetEnabled(true);
    } catch (const std::exception& e) {
      platform::LogSwallowed("double-click movie", e);
      platform::TryStep([] { core::form4().Picture4.ClearPicture(); });
      failed();
    }
    return;
  }
  try {
    // Over the main window's monitor, its own top included, as the show window is.
    const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
    const QImage picture = FittedPicture(path, monitor);
    Form7& window = form7();
    window.Move(monitor.Left, monitor.Top, monitor.Width, monitor.Height);
    window.Show();
    const int w = platform::PixelsToTwipsX(picture.width());
    const int h = platform::PixelsToTwipsY(picture.height());
    window.Picture1.Move((monitor.Width - w) / 2.0, (monitor.Height - h) / 2.0, w, h);
    window.Picture1.SetPicture(picture);
    platform::SetScreenMousePointer(0);
  } catch (const std::exception& e) {
    platform::LogSwallowed("double-click picture", e);
    failed();
  }
}

}  // namespace listeditor
