// End to end: the real program under a virtual X server. It starts, shows its main
// window, refuses a second copy when the settings say so, and on SIGTERM closes as a
// log-off would, writing its three settings files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

#include "core/settings_file.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "tests/support/list_files.h"
#include "tests/support/virtual_display.h"

namespace {

using test_support::AppFolderIn;
using test_support::MissingTool;
using test_support::PollUntil;
using test_support::ProgramEnvironment;
using test_support::ReadBytes;
using test_support::StartProgram;
using test_support::VirtualDisplay;

TEST(EndToEnd, MainWindowSecondCopyAndSignalShutdown) {
  if (const char* tool = MissingTool({"Xvfb"})) GTEST_SKIP() << tool << " is not installed";
  const bool canShoot = !MissingTool({"import"});

  QTemporaryDir dataHome;
  const QString appFolder = AppFolderIn(dataHome);
  ASSERT_FALSE(appFolder.isEmpty());

  // The settings of an earlier run: a second copy is refused.
  core::ResetAllState();
  core::Paths().AppFolder = appFolder;
  core::Settings().SlideIntervalSeconds = 3;
  core::Settings().SecondInstanceOff = 1;
  core::SaveSettingsFile();
  if (auto* editor = listeditor::Form3IfLoaded()) editor->Unload();
  core::ResetAllState();
  const QByteArray settingsBefore = ReadBytes(appFolder + QStringLiteral("autstart.dat"));
  ASSERT_FALSE(settingsBefore.isEmpty());

  VirtualDisplay x;
  ASSERT_TRUE(x.Start());
  ASSERT_TRUE(x.StartWindowManager());
  const QProcessEnvironment env = ProgramEnvironment(x.Display(), dataHome.path());

  QProcess first;
  ASSERT_TRUE(StartProgram(first, QStringLiteral(SLIDESHOW_BIN), env, {}));
  // The copy that runs holds the lock once its settings are read.
  ASSERT_TRUE(PollUntil([&] { return QFile::exists(appFolder + QStringLiteral("slideshow.lock")); },
                        test_support::kHangMs));

  if (canShoot) {
    // The title panel appears once the window is exposed: its lavender box is on screen.
    const QString shot = dataHome.path() + QStringLiteral("/screen.png");
    bool panelSeen = false;
    ASSERT_TRUE(PollUntil(
        [&] {
          const QImage image = x.Screenshot(shot);
          int lavender = 0;
          for (int y = 0; y < image.height(); y += 2)
            for (int x2 = 0; x2 < image.width(); x2 += 2)
              lavender += (image.pixel(x2, y) & 0xFFFFFF) == (qRgb(230, 230, 250) & 0xFFFFFF);
          panelSeen = lavender > 2000;  // the box is about 198 x 131 pixels
          return panelSeen || first.state() != QProcess::Running;
        },
        test_support::kHangMs))
        << "the title panel never showed";
    EXPECT_TRUE(panelSeen);
  }
  QThread::msleep(4000);  // the title panel's animation and hold
  ASSERT_EQ(first.state(), QProcess::Running);

  if (canShoot) {
    const QImage image = x.Screenshot(dataHome.path() + QStringLiteral("/screen.png"));
    ASSERT_FALSE(image.isNull());
    // The main window sits centred on the screen, over the bare root window.
    const QRgb root = image.pixel(0, 0);
    EXPECT_NE(image.pixel(image.width() / 2, image.height() / 2), root);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
      for (int x2 = 0; x2 < image.width(); x2 += 3) colours.insert(image.pixel(x2, y));
    EXPECT_GE(colours.size(), 3) << "the screenshot is blank";
  }

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(QStringLiteral(SLIDESHOW_BIN), {});
  ASSERT_TRUE(second.waitForFinished(test_support::kHangMs));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(ReadBytes(appFolder + QStringLiteral("autstart.dat")), settingsBefore);
  EXPECT_FALSE(QFile::exists(appFolder + QStringLiteral("uautst.dat")));
  EXPECT_FALSE(QFile::exists(appFolder + QStringLiteral("wavlist.dat")));
  EXPECT_EQ(first.state(), QProcess::Running);

  first.terminate();  // SIGTERM
  ASSERT_TRUE(first.waitForFinished(test_support::kHangMs));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0);
  for (const char* name : {"uautst.dat", "autstart.dat", "wavlist.dat"})
    EXPECT_FALSE(ReadBytes(appFolder + QString::fromLatin1(name)).isEmpty()) << name;
  EXPECT_FALSE(QFile::exists(appFolder + QStringLiteral("slideshow.lock")));
}

}  // namespace
