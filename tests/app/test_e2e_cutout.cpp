// End to end: a cut-out traced on a picture is turned into the "右から左へ" macro by the
// generator, and the real program, started on the slide under a virtual X server, shows
// the cut-out coming in from the right edge and crossing the screen.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <vector>

#include "core/settings_file.h"
#include "core/slideshow_file.h"
#include "core/state.h"
#include "cutout/cutout_generate.h"
#include "listeditor/form3.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/vbfile.h"
#include "tests/support/earlier_run.h"
#include "tests/support/virtual_display.h"

namespace {

using test_support::AppFolderIn;
using test_support::MissingTool;
using test_support::PollUntil;
using test_support::ProgramEnvironment;
using test_support::StartProgram;
using test_support::VirtualDisplay;

constexpr int kWidth = VirtualDisplay::kWidth;
constexpr int kHeight = VirtualDisplay::kHeight;
const QRgb kBackground = qRgb(30, 60, 200);
const QRgb kCutout = qRgb(230, 30, 30);
// The red part of the picture, traced as the outline.
const QRect kShape(100, 100, 200, 100);

bool IsRed(QRgb p) { return qRed(p) > 200 && qGreen(p) < 70 && qBlue(p) < 70; }

// The plotted outline as the cut-out window would hand it over.
class TracedWindow : public cutout::GenerationWindow {
 public:
  explicit TracedWindow(QString picture) : picture_(std::move(picture)) {}
  QString ButtonNumberText() const override { return QStringLiteral("5"); }
  int NameChoice() const override { return 0; }
  int PatternIndex() const override { return 6; }
  QString PicturePath() const override { return picture_; }
  std::array<int, 4> PlotBox() const override {
    return {kShape.left(), kShape.top(), kShape.left() + kShape.width(),
            kShape.top() + kShape.height()};
  }
  void SetPlotEdited(short) override {}
  bool SavePointFile() override {
    const int l = kShape.left(), t = kShape.top();
    const int r = l + kShape.width(), b = t + kShape.height();
    const QString text = QStringLiteral(
                             "KVZ_PICTYPE_DATA\r\n %1, %2\r\n %3, %2\r\n %3, %4\r\n"
                             " %1, %4\r\n")
                             .arg(l)
                             .arg(t)
                             .arg(r)
                             .arg(b);
    const QString path = picture_.left(picture_.size() - 4) + QStringLiteral("_Pb05.dat");
    return platform::SaveFileAtomically(path, platform::ToCp932(text));
  }
  void ShowText(const QString& text) override { text_ = text; }
  void UnloadWindow() override {}
  const QString& Text() const { return text_; }

 private:
  QString picture_;
  QString text_;
};

// The slide and its slideshow file; settings of an earlier run that run macro files.
QString MakeSlide(const QTemporaryDir& dataHome, const QString& appFolder, QString* picturePath) {
  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  picture.fill(kBackground);
  for (int y = kShape.top(); y <= kShape.bottom(); ++y)
    for (int x = kShape.left(); x <= kShape.right(); ++x) picture.setPixel(x, y, kCutout);
  *picturePath = dataHome.path() + QStringLiteral("/cut.png");
  EXPECT_TRUE(picture.save(*picturePath));

  core::ShowSettings& s = test_support::EarlierRunSettings(appFolder);
  s.SlideIntervalSeconds = 60;
  s.RepeatOff = 1;
  s.TextMacroOff = 0;
  s.AlwaysFullScreenOff = 0;
  s.PictureSizeMode = 0;
  core::SaveSettingsFile();
  listeditor::form3().List1.AddItem(*picturePath);
  listeditor::form3().List2.AddItem(QString(30, QLatin1Char(' ')));
  QString show = dataHome.path() + QStringLiteral("/cut.kvz");
  core::SaveSlideshowFile(show);
  if (auto* editor = listeditor::Form3IfLoaded()) editor->Unload();
  core::ResetAllState();
  return show;
}

// Where the red of a screenshot lies in the band the cut-out crosses: the leftmost and
// rightmost red pixel of its middle row, and whether the rows just above and below the
// outline are free of red (the button is cut to the outline, not a rectangle of picture).
struct Sighting {
  int left = -1, right = -1;
  bool clean = false;
};

Sighting Look(const QImage& shot, int top, int height) {
  Sighting s;
  const int row = top + height / 2;
  for (int x = 0; x < shot.width(); ++x) {
    if (!IsRed(shot.pixel(x, row))) continue;
    if (s.left < 0) s.left = x;
    s.right = x;
  }
  s.clean = true;
  for (int x = 0; x < shot.width(); x += 2) {
    if (IsRed(shot.pixel(x, top - 4)) || IsRed(shot.pixel(x, top + height + 4))) s.clean = false;
  }
  return s;
}

TEST(EndToEnd, AGeneratedCutoutCrossesTheScreen) {
  if (const char* tool = MissingTool({"Xvfb", "import"}))
    GTEST_SKIP() << tool << " is not installed";

  QTemporaryDir dataHome;
  const QString appFolder = AppFolderIn(dataHome);
  ASSERT_FALSE(appFolder.isEmpty());
  QString picture;
  const QString show = MakeSlide(dataHome, appFolder, &picture);

  // The generation: speed 4 ms per pixel, then into the picture's macro file.
  TracedWindow window(picture);
  {
    platform::ScriptedDialogs dialogs;
    dialogs.AnswerText(QStringLiteral("4"));
    dialogs.Answer(platform::vbYes);
    cutout::DialogQuestions questions;
    cutout::GenerationServices services;
    services.ScreenSizePx = [] { return std::array<double, 2>{kWidth, kHeight}; };
    services.SelectedSlidePath = [&] { return picture; };
    services.CreateMacroFile = [&](const QString& text) {
      ASSERT_TRUE(platform::SaveFileAtomically(dataHome.path() + QStringLiteral("/cut.txt"),
                                               platform::ToCp932(text + QStringLiteral("\r\n"))));
    };
    services.StartSlideFullScreen = [] {};
    ASSERT_EQ(cutout::RunMacroGeneration(window, questions, services),
              cutout::GenerationEnd::kStarted);
  }
  ASSERT_TRUE(window.Text().contains(QStringLiteral("MovPB5(-1480,0,4)")));
  ASSERT_TRUE(QFile::exists(dataHome.path() + QStringLiteral("/cut_Pb05.dat")));
  const int bandTop = (kHeight - kShape.height()) / 2;

  VirtualDisplay x;
  ASSERT_TRUE(x.Start());
  const QProcessEnvironment env = ProgramEnvironment(x.Display(), dataHome.path());
  QProcess program;
  ASSERT_TRUE(StartProgram(program, QStringLiteral(SLIDESHOW_BIN), env, {show}));

  const QString shotPath = dataHome.path() + QStringLiteral("/shot.png");
  std::vector<Sighting> seen;
  QImage first;
  ASSERT_TRUE(PollUntil(
      [&] {
        const QImage shot = x.Screenshot(shotPath);
        if (shot.isNull() || shot.size() != QSize(kWidth, kHeight)) return false;
        const Sighting s = Look(shot, bandTop, kShape.height());
        if (s.left >= 0) {
          if (seen.empty()) first = shot;
          seen.push_back(s);
        }
        // Seen at two places, one of them well inside the screen.
        return seen.size() >= 2 && seen.back().left < seen.front().left - 50;
      },
      40000))
      << "the cut-out was not seen crossing the screen (" << seen.size() << " sightings)";
  first.save(dataHome.path() + QStringLiteral("/first-sighting.png"));

  for (const Sighting& s : seen) {
    EXPECT_TRUE(s.clean) << "red above or below the outline's band";
    EXPECT_LE(s.right - s.left, kShape.width() + 1) << "wider than the outline";
  }
  // The picture itself is still there behind it (the run width above rules out a trail).
  const QImage last = x.Screenshot(shotPath);
  ASSERT_FALSE(last.isNull());
  EXPECT_TRUE(IsRed(last.pixel(kShape.center().x(), kShape.center().y())));
  EXPECT_EQ(program.state(), QProcess::Running);

  program.terminate();
  ASSERT_TRUE(program.waitForFinished(test_support::kHangMs));
  EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
