#pragma once
// Several monitors for a test: the test binary runs one of its own DISABLED_ cases again
// as a child process whose offscreen platform has the screens of a JSON file.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace test_support {

// B to the right of the primary A.
inline constexpr char kSideBySideScreens[] =
    R"({"screens":[{"name":"A","x":0,"y":0,"width":1920,"height":1080},)"
    R"({"name":"B","x":1920,"y":0,"width":1280,"height":1024}]})";
// B above the primary A.
inline constexpr char kStackedScreens[] =
    R"({"screens":[{"name":"A","x":0,"y":0,"width":1920,"height":1080},)"
    R"({"name":"B","x":0,"y":-1024,"width":1280,"height":1024}]})";

// Runs the DISABLED_ case `test` ("Suite.DISABLED_Name") of this binary with the screens of
// `screensJson`; the child's output is shown when it fails.
inline void RunChildWithScreens(const char* screensJson, const QString& test) {
  QTemporaryDir dir;
  const QString config = dir.filePath("screens.json");
  {
    QFile f(config);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(screensJson);
  }
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config);
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_also_run_disabled_tests", "--gtest_filter=" + test});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

}  // namespace test_support
