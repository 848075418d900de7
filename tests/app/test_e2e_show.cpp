// End to end: the real program started on a slideshow file under a virtual X server. The
// show starts by itself full screen, brings each picture in with its effect, and Esc
// ends it: the main window comes back.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <functional>
#include <vector>

#include "core/settings_file.h"
#include "core/slideshow_file.h"
#include "core/state.h"
#include "engine/effects.h"
#include "listeditor/form3.h"
#include "tests/support/earlier_run.h"
#include "tests/support/files.h"
#include "tests/support/virtual_display.h"

namespace {

using test_support::AppFolderIn;
using test_support::MissingTool;
using test_support::PollUntil;
using test_support::ProgramEnvironment;
using test_support::StartProgram;
using test_support::VirtualDisplay;

constexpr int kScreenWidth = VirtualDisplay::kWidth;
constexpr int kScreenHeight = VirtualDisplay::kHeight;

// The slides' colours: each picture is one colour, so a screenshot tells them apart.
const QRgb kSlideColours[] = {qRgb(220, 30, 30), qRgb(30, 200, 60), qRgb(40, 60, 230)};

// Which slide's colour a pixel has (-1: none).
int SlideOf(QRgb pixel) {
  for (int i = 0; i < 3; ++i) {
    const QRgb c = kSlideColours[i];
    if (std::abs(qRed(pixel) - qRed(c)) < 8 && std::abs(qGreen(pixel) - qGreen(c)) < 8 &&
        std::abs(qBlue(pixel) - qBlue(c)) < 8)
      return i;
  }
  return -1;
}

struct Shot {
  QImage image;
  int top = -1;        // the slide whose colour the top rows show
  int bottom = -1;     // ... the bottom rows
  double covered = 0;  // share of the screen in a slide's colour
};

Shot Analyse(const QImage& image) {
  Shot s;
  s.image = image;
  s.top = SlideOf(image.pixel(image.width() / 2, 4));
  s.bottom = SlideOf(image.pixel(image.width() / 2, image.height() - 5));
  int inColour = 0, all = 0;
  for (int y = 0; y < image.height(); y += 8) {
    for (int x = 0; x < image.width(); x += 8) {
      ++all;
      if (SlideOf(image.pixel(x, y)) >= 0) ++inColour;
    }
  }
  s.covered = all ? double(inColour) / all : 0;
  return s;
}

// Three screen-sized pictures in `dataHome` and the slideshow file that shows them, each
// wiped in from the top and out linked to it; leaving the full screen ends the show. The
// settings of an earlier run are in the data folder. Returns the slideshow file.
// `textMacros` runs the pictures' macro files.
QString MakeThreeSlideShow(const QTemporaryDir& dataHome, const QString& appFolder,
                           bool textMacros = false, int intervalSeconds = 2) {
  QStringList slides;
  for (int i = 0; i < 3; ++i) {
    QImage picture(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    picture.fill(kSlideColours[i]);
    const QString path = dataHome.path() + QStringLiteral("/slide%1.png").arg(i + 1);
    EXPECT_TRUE(picture.save(path));
    slides << path;
  }
  // The settings of an earlier run, without a slide list of their own.
  core::ShowSettings& s = test_support::EarlierRunSettings(appFolder);
  s.SlideIntervalSeconds = intervalSeconds;
  s.TextMacroOff = textMacros ? 0 : 1;
  s.DisplayEffect = engine::kEffectFromTop;
  s.DisplayEffectSpeed = -30;
  s.EraseEffect = engine::kEraseEffectLinked;
  s.EraseEffectSpeed = -30;
  s.AlwaysFullScreenOff = 0;
  s.PictureSizeMode = 0;
  core::SaveSettingsFile();
  for (const QString& path : slides) {
    listeditor::form3().List1.AddItem(path);
    listeditor::form3().List2.AddItem(QString(30, QLatin1Char(' ')));
  }
  QString show = dataHome.path() + QStringLiteral("/three.kvz");
  core::SaveSlideshowFile(show);
  EXPECT_TRUE(QFile::exists(show));
  if (auto* editor = listeditor::Form3IfLoaded()) editor->Unload();
  core::ResetAllState();
  return show;
}

// Screenshots of the virtual display, analysed.
struct Screenshots {
  const VirtualDisplay& x;
  QProcessEnvironment env;
  QString path;
  Shot Take() const {
    const QImage image = x.Screenshot(path);
    if (image.isNull()) return {};
    return Analyse(image);
  }
};

// Mid-effect: a wipe from the top shows a slide in the top rows and something else
// (black, or the picture before) in the bottom rows.
bool MidEffect(const Shot& shot) {
  return shot.top >= 0 && shot.bottom != shot.top && shot.covered > 0.05;
}

TEST(EndToEnd, FullScreenShowWithEffectsEndsWithEsc) {
  if (const char* tool = MissingTool({"Xvfb", "import", "xdotool"}))
    GTEST_SKIP() << tool << " is not installed";

  QTemporaryDir dataHome;
  const QString appFolder = AppFolderIn(dataHome);
  ASSERT_FALSE(appFolder.isEmpty());
  const QString show = MakeThreeSlideShow(dataHome, appFolder);
  ASSERT_TRUE(QFile::exists(show));

  VirtualDisplay x;
  ASSERT_TRUE(x.Start());
  const QProcessEnvironment env = ProgramEnvironment(x.Display(), dataHome.path());

  QProcess program;
  ASSERT_TRUE(StartProgram(program, QStringLiteral(SLIDESHOW_BIN), env, {show}));

  // Screenshots while the show runs, as fast as import takes them.
  const Screenshots shots_{x, env, dataHome.path() + QStringLiteral("/shot.png")};
  auto screenshot = [&] { return shots_.Take(); };
  std::vector<Shot> shots;
  QElapsedTimer clock;
  clock.start();
  bool sawMidEffect = false;
  QSet<int> slidesSeen;
  while (clock.elapsed() < 25000 && program.state() == QProcess::Running) {
    Shot shot = screenshot();
    if (shot.image.isNull()) continue;
    if (MidEffect(shot)) {
      if (!sawMidEffect) shot.image.save(dataHome.path() + QStringLiteral("/mid-effect.png"));
      sawMidEffect = true;
    }
    if (shot.covered > 0.95 && shot.top >= 0 && shot.top == shot.bottom)
      slidesSeen.insert(shot.top);
    shots.push_back(std::move(shot));
    if (sawMidEffect && slidesSeen.size() >= 2) break;
  }
  ASSERT_EQ(program.state(), QProcess::Running);
  EXPECT_TRUE(sawMidEffect) << "no screenshot caught a picture being wiped in";
  EXPECT_GE(slidesSeen.size(), 2) << "the show did not get past its first slide";
  EXPECT_TRUE(slidesSeen.contains(0)) << "the first slide was never shown whole";
  // The show window covers the whole screen: no main window beside it.
  const auto full =
      std::find_if(shots.begin(), shots.end(), [](const Shot& s) { return s.covered > 0.95; });
  ASSERT_NE(full, shots.end());
  EXPECT_EQ(full->image.size(), QSize(kScreenWidth, kScreenHeight));

  // Esc on the show window ends the show: the main window comes back. Under load the
  // focus can fail to settle before xdotool gives up, so it tries again.
  auto pressEscape = [&] {
    QProcess key;
    key.setProcessEnvironment(env);
    key.start(QStringLiteral("xdotool"),
              {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^Slide Screen$"),
               QStringLiteral("windowfocus"), QStringLiteral("--sync"), QStringLiteral("key"),
               QStringLiteral("Escape")});
    const bool ok = key.waitForFinished(test_support::kHangMs) &&
                    key.exitStatus() == QProcess::NormalExit && key.exitCode() == 0;
    if (!ok) std::fprintf(stderr, "xdotool: %s\n", key.readAllStandardError().constData());
    return ok;
  };
  // What the user sees afterwards is the test: an attempt may fail once the window is gone.
  for (int attempt = 0; attempt < 3 && !pressEscape(); ++attempt) {
  }
  // The main window, not a bare screen: it has more than two colours once it has painted.
  auto colourCount = [](const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
      for (int x2 = 0; x2 < image.width(); x2 += 4) colours.insert(image.pixel(x2, y));
    return colours.size();
  };
  Shot after;
  EXPECT_TRUE(PollUntil(
      [&] {
        after = screenshot();
        return !after.image.isNull() && after.covered < 0.5 && colourCount(after.image) >= 3;
      },
      15000))
      << "the show window is still up after Esc, or the main window did not paint";
  EXPECT_EQ(program.state(), QProcess::Running);

  program.terminate();  // SIGTERM: the main window closes as at a log-off
  ASSERT_TRUE(program.waitForFinished(test_support::kHangMs));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

// Ending the program (a log-off, SIGTERM) in the middle of an effect: it closes promptly
// and writes its three settings files.
TEST(EndToEnd, SigtermMidEffectEndsTheProgramWithItsFilesWritten) {
  if (const char* tool = MissingTool({"Xvfb", "import"}))
    GTEST_SKIP() << tool << " is not installed";

  QTemporaryDir dataHome;
  const QString appFolder = AppFolderIn(dataHome);
  ASSERT_FALSE(appFolder.isEmpty());
  const QString show = MakeThreeSlideShow(dataHome, appFolder);
  ASSERT_TRUE(QFile::exists(show));
  const QString settings = appFolder + QStringLiteral("autstart.dat");
  const QByteArray settingsBefore = test_support::ReadBytes(settings);

  VirtualDisplay x;
  ASSERT_TRUE(x.Start());
  const QProcessEnvironment env = ProgramEnvironment(x.Display(), dataHome.path());
  QProcess program;
  ASSERT_TRUE(StartProgram(program, QStringLiteral(SLIDESHOW_BIN), env, {show}));

  const Screenshots shots{x, env, dataHome.path() + QStringLiteral("/shot.png")};
  ASSERT_TRUE(PollUntil(
      [&] {
        const Shot shot = shots.Take();
        return !shot.image.isNull() && MidEffect(shot);
      },
      test_support::kHangMs))
      << "no screenshot caught a picture being wiped in";

  program.terminate();
  // A hang detector, not a timing: the program must not wait its show out.
  ASSERT_TRUE(program.waitForFinished(test_support::kHangMs))
      << "the program did not end after SIGTERM";
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  for (const char* name : {"uautst.dat", "autstart.dat", "wavlist.dat"})
    EXPECT_FALSE(test_support::ReadBytes(appFolder + QString::fromLatin1(name)).isEmpty()) << name;
  // Written at the exit: it now holds the show's slide list.
  EXPECT_NE(test_support::ReadBytes(settings), settingsBefore);
}

// A menu on the first slide: the show waits on it for the viewer's choice; a click on its
// button jumps two slides on, past the second slide to the third.
TEST(EndToEnd, AMenuButtonClickedOnTheShowScreenJumps) {
  if (const char* tool = MissingTool({"Xvfb", "import", "xdotool"}))
    GTEST_SKIP() << tool << " is not installed";

  QTemporaryDir dataHome;
  const QString appFolder = AppFolderIn(dataHome);
  ASSERT_FALSE(appFolder.isEmpty());
  const QString show = MakeThreeSlideShow(dataHome, appFolder, true, 5);
  ASSERT_TRUE(QFile::exists(show));
  {
    QFile macro(dataHome.path() + QStringLiteral("/slide1.txt"));
    ASSERT_TRUE(macro.open(QIODevice::WriteOnly));
    macro.write("CURRENTX=100\r\nCURRENTY=100\r\nMENU1(2,\"Go\")\r\n");
  }
  const int buttonX = 100 + 145 / 2, buttonY = 100 + 25 / 2;

  VirtualDisplay x;
  ASSERT_TRUE(x.Start());
  const QProcessEnvironment env = ProgramEnvironment(x.Display(), dataHome.path());
  QProcess program;
  ASSERT_TRUE(StartProgram(program, QStringLiteral(SLIDESHOW_BIN), env, {show}));

  const Screenshots shots{x, env, dataHome.path() + QStringLiteral("/shot.png")};
  // The first slide whole, with the button on it.
  ASSERT_TRUE(PollUntil(
      [&] {
        const Shot shot = shots.Take();
        return !shot.image.isNull() && shot.top == 0 && shot.bottom == 0 &&
               SlideOf(shot.image.pixel(buttonX, buttonY)) < 0;
      },
      test_support::kHangMs))
      << "the first slide with its menu button never showed";

  QProcess click;
  click.setProcessEnvironment(env);
  click.start(QStringLiteral("xdotool"),
              {QStringLiteral("mousemove"), QString::number(buttonX), QString::number(buttonY),
               QStringLiteral("click"), QStringLiteral("1")});
  ASSERT_TRUE(click.waitForFinished(test_support::kHangMs));
  EXPECT_EQ(click.exitCode(), 0) << click.readAllStandardError().constData();

  bool sawSecond = false;
  Shot third;
  EXPECT_TRUE(PollUntil(
      [&] {
        third = shots.Take();
        if (third.image.isNull()) return false;
        if (third.top == 1 || third.bottom == 1) sawSecond = true;
        return third.top == 2 && third.bottom == 2 && third.covered > 0.95;
      },
      test_support::kHangMs))
      << "the third slide did not follow the click";
  EXPECT_FALSE(sawSecond) << "the second slide was shown";
  // The button went with its slide.
  EXPECT_EQ(SlideOf(third.image.pixel(buttonX, buttonY)), 2);
  EXPECT_EQ(program.state(), QProcess::Running);

  program.terminate();
  ASSERT_TRUE(program.waitForFinished(test_support::kHangMs));
  EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
