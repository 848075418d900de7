// What needs a process of its own: "END=2" ends the program with its settings files
// written, and the control box's place on a second monitor.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>

#include "core/monitors.h"
#include "core/settings_file.h"
#include "engine/slidescreen2.h"
#include "macro/show_commands.h"
#include "tests/macro/macro_fixture.h"
#include "tests/support/screens.h"

namespace macro_test {
namespace {

constexpr char kAppFolderVariable[] = "MACRO_TEST_APP_FOLDER";
constexpr char kReturned[] = "the macro run came back";

TEST_F(MacroTest, EndTwoWritesTheSettingsFilesAndEndsTheProgram) {
  QTemporaryDir app;
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(kAppFolderVariable, app.path());
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_also_run_disabled_tests", "--gtest_filter=MacroTest.DISABLED_EndTwoChild"});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  // Ended inside the run: neither the macro nor the test came back.
  EXPECT_FALSE(output.contains(kReturned)) << output.toStdString();
  EXPECT_FALSE(output.contains("[  PASSED  ]")) << output.toStdString();
  for (const char* name : {"autstart.dat", "uautst.dat", "wavlist.dat"})
    EXPECT_TRUE(QFile::exists(QDir(app.path()).filePath(name))) << name;

  // The effect the macro chose before it ended the program was saved with the settings.
  core::Paths().AppFolder = app.path() + '/';
  core::Settings().DisplayEffect = 0;
  core::LoadSettingsFile();
  EXPECT_EQ(core::Settings().DisplayEffect, 2);
}

TEST_F(MacroTest, DISABLED_EndTwoChild) {
  core::Paths().AppFolder = qEnvironmentVariable(kAppFolderVariable) + '/';
  Run({"KOUKA=3", "END=2", "KAGE=2"});
  std::printf("%s\n", kReturned);
}

TEST(MacroOnScreens, TheControlBoxPlaceIsFoundOnTheShowWindowsMonitor) {
  test_support::RunChildWithScreens(test_support::kSideBySideScreens,
                                    "MacroTest.DISABLED_ControlBoxOnSecondMonitorChild");
}

// Runs only inside the case above: the main window, and with it the show, on monitor B.
TEST_F(MacroTest, DISABLED_ControlBoxOnSecondMonitorChild) {
  ASSERT_EQ(QGuiApplication::screens().size(), 2);
  core::Form1& f1 = core::form1();
  f1.setGeometry(2200, 200, 600, 400);
  core::BuildMonitorTable();
  ASSERT_EQ(core::MainMonitorIndex(), 1);
  engine::Slidescreen& screen = engine::slidescreen();
  core::PlaceFullScreen(&screen);
  for (platform::PictureBox* box : {&screen.P2, &screen.P3, &screen.P4}) box->resize(1280, 1024);
  core::Flags().FullScreenShowActive = 1;
  engine::Slidescreen2& controls = engine::slidescreen2();
  controls.Show();
  platform::DoEvents();

  const QRect r = macro::ControlBoxRectOnShowSurface();
  ASSERT_FALSE(r.isEmpty());
  EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(r.center()));
  {
    QPainter p(&P2().Canvas());
    p.fillRect(r, kRed);
  }
  Run({"CTRLBOX=0"});
  EXPECT_FALSE(controls.isVisible());
  for (platform::PictureBox* copy : {&P3(), &P4()}) {
    EXPECT_EQ(At(*copy, r.center().x(), r.center().y()), kRed);
    EXPECT_EQ(At(*copy, r.left() - 1, r.center().y()), kBack);
  }
  core::Flags().FullScreenShowActive = 0;
  engine::ResetSlidescreen2();
}

}  // namespace
}  // namespace macro_test
