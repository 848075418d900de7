// End to end: the real program under a virtual X server with a window manager. The user
// opens the slide list window from the main window, walks the folder list to a folder of
// two pictures, clicks both in the file list and presses the window's START: the main
// window plays them in order. At exit the settings file holds the two slides.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "core/settings_file.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/cp932.h"
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

const QRgb kFirst = qRgb(220, 30, 30);
const QRgb kSecond = qRgb(30, 200, 60);

bool Near(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) < 10 && std::abs(qGreen(a) - qGreen(b)) < 10 &&
         std::abs(qBlue(a) - qBlue(b)) < 10;
}

// Share of the screen in colour `c`.
double Covered(const QImage& image, QRgb c) {
  int in = 0, all = 0;
  for (int y = 0; y < image.height(); y += 6)
    for (int x = 0; x < image.width(); x += 6, ++all) in += Near(image.pixel(x, y), c) ? 1 : 0;
  return all ? double(in) / all : 0;
}

// xdotool with the program's display; false when it failed. A search that finds nothing
// fails too: searches say nothing of it.
bool XDo(const QProcessEnvironment& env, const QStringList& args, QByteArray* out = nullptr) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(QStringLiteral("xdotool"), args);
  const bool ok = p.waitForFinished(test_support::kHangMs) &&
                  p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  if (out) *out = p.readAllStandardOutput();
  if (!ok && args.value(0) != QLatin1String("search"))
    std::fprintf(stderr, "xdotool %s: %s\n", qPrintable(args.join(' ')),
                 p.readAllStandardError().constData());
  return ok;
}

// The id of the first window whose title matches `name`; "" when none shows up in time.
QString FindWindow(const QProcessEnvironment& env, const QString& name) {
  QString id;
  PollUntil(
      [&] {
        QByteArray out;
        if (!XDo(env,
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--name"), name},
                 &out))
          return false;
        id = QString::fromLatin1(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
        return !id.isEmpty();
      },
      test_support::kHangMs);
  return id;
}

// A left click at a point of the window's inner area (pixels).
bool ClickIn(const QProcessEnvironment& env, const QString& window, int x, int y) {
  return XDo(env,
             {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
              QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
}

// Twips of a design position to pixels.
int Px(int twips) { return twips / 15; }

TEST(EndToEnd, SlideListWindowAddsTwoPicturesByClicksAndStartsTheShow) {
  if (const char* tool = MissingTool({"Xvfb", "xdotool", "import", "openbox"}))
    GTEST_SKIP() << tool << " is not installed";

  QTemporaryDir dataHome;
  const QString appFolder = AppFolderIn(dataHome);
  ASSERT_FALSE(appFolder.isEmpty());
  const QString pictures = QDir::cleanPath(dataHome.path() + QStringLiteral("/pics"));
  ASSERT_TRUE(QDir().mkpath(pictures));
  // Two screen-sized pictures of one colour each, the first by name first.
  for (const auto& [name, colour] : {std::pair{"a.png", kFirst}, std::pair{"b.png", kSecond}}) {
    QImage picture(VirtualDisplay::kWidth, VirtualDisplay::kHeight, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(pictures + QLatin1Char('/') + QString::fromLatin1(name)));
  }

  // The settings of an earlier run: an empty list, quiet shows of two-second slides that
  // START plays in the main window.
  core::ShowSettings& s = test_support::EarlierRunSettings(appFolder);
  s.SlideIntervalSeconds = 2;
  s.RepeatOff = 0;
  s.AlwaysFullScreenOff = 1;
  ASSERT_TRUE(core::SaveSettingsFile());
  if (auto* editor = listeditor::Form3IfLoaded()) editor->Unload();
  core::ResetAllState();

  VirtualDisplay x;
  ASSERT_TRUE(x.Start());
  ASSERT_TRUE(x.StartWindowManager());
  const QProcessEnvironment env = ProgramEnvironment(x.Display(), dataHome.path());
  const QString shotPath = dataHome.path() + QStringLiteral("/shot.png");

  QProcess program;
  ASSERT_TRUE(StartProgram(program, QStringLiteral(SLIDESHOW_BIN), env, {}));

  const QString main = FindWindow(env, QStringLiteral("スライドショー Ver"));
  ASSERT_FALSE(main.isEmpty()) << "no main window";
  QThread::msleep(4000);  // the title panel's animation and hold

  // "ｽﾗｲﾄﾞﾘｽﾄ" (6240, 0, 1115 x 495 twips) lies below the menu bar, some 20 to 30 pixels.
  const QString editor = [&] {
    for (int menuBar : {24, 30, 18}) {
      ClickIn(env, main, Px(6240) + Px(1115) / 2, menuBar + Px(495) / 2);
      QByteArray out;
      if (XDo(env,
              {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
               QStringLiteral("スライドリスト")},
              &out) &&
          !out.trimmed().isEmpty())
        return QString::fromLatin1(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts).value(0);
      QThread::msleep(500);
    }
    return FindWindow(env, QStringLiteral("スライドリスト"));
  }();
  ASSERT_FALSE(editor.isEmpty()) << "the slide list window did not open";
  ASSERT_TRUE(XDo(env, {QStringLiteral("windowactivate"), QStringLiteral("--sync"), editor}));

  // The folder list: the root at its top, then one folder after the other by typing its
  // name and Enter.
  ASSERT_TRUE(ClickIn(env, editor, Px(120) + 40, Px(120) + 8));
  ASSERT_TRUE(XDo(env, {QStringLiteral("key"), QStringLiteral("Home"), QStringLiteral("Return")}));
  QThread::msleep(300);
  for (const QString& part : pictures.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    QThread::msleep(900);  // a new search, not the end of the last name
    ASSERT_TRUE(
        XDo(env, {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), part}));
    ASSERT_TRUE(XDo(env, {QStringLiteral("key"), QStringLiteral("Return")}));
  }
  QThread::msleep(500);

  // The file list lists a.png and b.png: a click on each row. Rows are some 11 to 21 pixels
  // high: 21 pixels below the first row's top lies in the second.
  const int fileListTop = Px(3120) + 2;
  ASSERT_TRUE(ClickIn(env, editor, Px(120) + 40, fileListTop + 5));
  QThread::msleep(300);
  ASSERT_TRUE(ClickIn(env, editor, Px(120) + 40, fileListTop + 21));
  QThread::msleep(300);

  // START in the frame "ｽﾗｲﾄﾞショー実行(選択位置より)": (9000 + 1440, 1920 + 240).
  ASSERT_TRUE(ClickIn(env, editor, Px(9000 + 1440) + Px(1215) / 2, Px(1920 + 240) + Px(495) / 2));

  // The main window plays the first picture, then the second.
  bool firstSeen = false, secondSeen = false;
  PollUntil(
      [&] {
        const QImage shot = x.Screenshot(shotPath);
        if (shot.isNull()) return false;
        // The preview box of the main window takes some tenth of the screen.
        if (Covered(shot, kFirst) > 0.04) firstSeen = true;
        if (firstSeen && Covered(shot, kSecond) > 0.04) secondSeen = true;
        return secondSeen || program.state() != QProcess::Running;
      },
      test_support::kHangMs);
  ASSERT_EQ(program.state(), QProcess::Running);
  EXPECT_TRUE(firstSeen) << "the first picture was not shown";
  EXPECT_TRUE(secondSeen) << "the second picture did not follow";

  program.terminate();  // SIGTERM: the main window closes and writes its settings
  ASSERT_TRUE(program.waitForFinished(test_support::kHangMs));
  EXPECT_EQ(program.exitCode(), 0);
  const QString settings =
      platform::FromCp932(test_support::ReadBytes(appFolder + QStringLiteral("autstart.dat")));
  EXPECT_TRUE(settings.contains(QStringLiteral("\r\n") + pictures + QStringLiteral("/a.png\r\n") +
                                pictures + QStringLiteral("/b.png\r\n")))
      << qPrintable(settings);
}

}  // namespace
