// The wallpaper through each desktop's own tool, told apart by XDG_CURRENT_DESKTOP; fake
// tools on PATH record what they were asked.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/wallpaper.h"
#include "tests/support/fake_tools.h"

namespace {

TEST(Wallpaper, EachDesktopIsAskedThroughItsOwnTool) {
  QTemporaryDir dir;
  const QString picture = dir.filePath("wallp.bmp");
  ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(picture, "BMP"));
  const QString uri = QUrl::fromLocalFile(picture).toString();
  struct Case {
    const char* desktop;
    QStringList calls;
  };
  const std::vector<Case> cases = {
      {"GNOME",
       {"gsettings set org.gnome.desktop.background picture-uri " + uri,
        "gsettings set org.gnome.desktop.background picture-uri-dark " + uri}},
      {"ubuntu:GNOME",
       {"gsettings set org.gnome.desktop.background picture-uri " + uri,
        "gsettings set org.gnome.desktop.background picture-uri-dark " + uri}},
      {"X-Cinnamon",
       {"gsettings set org.cinnamon.desktop.background picture-uri " + uri,
        "gsettings set org.cinnamon.desktop.background picture-uri-dark " + uri}},
      {"MATE", {"gsettings set org.mate.background picture-filename " + picture}},
      {"XFCE",
       {"xfconf-query -c xfce4-desktop -l",
        "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor0/workspace0/last-image -s " +
            picture,
        "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor1/workspace0/last-image -s " +
            picture}},
      {"KDE", {"plasma-apply-wallpaperimage " + picture}},
      {"LXDE", {"pcmanfm --set-wallpaper " + picture}},
      {"", {"plasma-apply-wallpaperimage " + picture}},  // unknown: the first tool present
  };
  test_support::FakeTools tools;
  for (const char* tool : {"gsettings", "plasma-apply-wallpaperimage", "pcmanfm"}) tools.Add(tool);
  tools.Add("xfconf-query", 0,
            "/backdrop/screen0/monitor0/workspace0/color-style\n"
            "/backdrop/screen0/monitor0/workspace0/last-image\n"
            "/backdrop/screen0/monitor1/workspace0/last-image\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.desktop);
    tools.ClearCalls();
    test_support::FakeTools::SetDesktop(c.desktop);
    EXPECT_EQ(platform::SetWallpaper(picture, true), 1);
    EXPECT_EQ(tools.Calls(), c.calls);
  }
}

TEST(Wallpaper, ARefusingToolOrNoToolGivesZero) {
  QTemporaryDir dir;
  const QString picture = dir.filePath("wallp.bmp");
  ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(picture, "BMP"));
  test_support::FakeTools tools;
  test_support::FakeTools::SetDesktop("KDE");
  EXPECT_EQ(platform::SetWallpaper(picture, true), 0);  // no tool at all
  tools.Add("plasma-apply-wallpaperimage", 1);
  EXPECT_EQ(platform::SetWallpaper(picture, false), 0);
  EXPECT_EQ(tools.Calls().size(), 1u);
  // A missing picture never reaches the tool.
  tools.ClearCalls();
  EXPECT_EQ(platform::SetWallpaper(dir.filePath("none.bmp"), true), 0);
  EXPECT_TRUE(tools.Calls().empty());
}

// A session that does not name its desktop: the desktop shell that runs chooses the tool,
// ahead of the first tool installed.
TEST(Wallpaper, TheRunningDesktopShellChoosesTheToolWhenTheSessionNamesNone) {
  for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    QFile comm(QStringLiteral("/proc/") + pid + QStringLiteral("/comm"));
    if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "plasmashell")
      GTEST_SKIP() << "a Plasma shell runs here";
  }
  QTemporaryDir dir;
  const QString picture = dir.filePath("w.bmp");
  ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(picture, "BMP"));
  test_support::FakeTools tools;
  for (const char* tool : {"gsettings", "plasma-apply-wallpaperimage", "pcmanfm"}) tools.Add(tool);
  tools.Add("xfconf-query", 0, "/backdrop/screen0/monitor0/workspace0/last-image\n");
  test_support::FakeTools::SetDesktop("");
  // A stand-in Xfce desktop shell: a script whose process carries its name.
  const QString shell = dir.filePath("xfdesktop");
  {
    QFile script(shell);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 30\n");
  }
  QFile(shell).setPermissions(QFile(shell).permissions() | QFileDevice::ExeOwner);
  QProcess desktop;
  desktop.start(shell, {});
  ASSERT_TRUE(desktop.waitForStarted());
  EXPECT_EQ(platform::SetWallpaper(picture, true), 1);
  desktop.kill();
  desktop.waitForFinished();
  ASSERT_FALSE(tools.Calls().isEmpty());
  EXPECT_EQ(tools.Calls()[0], QStringLiteral("xfconf-query -c xfce4-desktop -l"));
}

}  // namespace
