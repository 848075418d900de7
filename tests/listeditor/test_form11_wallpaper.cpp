// The copy dialog's "壁紙変更": the picture written as wallp.bmp in the data folder and handed
// to the desktop's tool (a fake one on PATH), or the one message when that fails.
#include <QImageReader>
#include <QUrl>

#include "tests/listeditor/picture_tools_fixture.h"
#include "tests/support/fake_tools.h"

namespace picture_tools_test {
namespace {

class WallpaperTest : public PictureToolsTest {};

TEST_F(WallpaperTest, ThePictureAtItsOwnSizeBecomesTheWallpaper) {
  struct Case {
    const char* name;
    int toolStatus;  // -1: no tool
    bool set;
  };
  const Case cases[] = {
      {"accepted", 0, true},
      {"refused", 1, false},
      {"no tool", -1, false},
  };
  const QString picture = MakePicture(src_.filePath(QStringLiteral("w.jpg")), 900, 600);
  SetSlides({picture});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::FakeTools tools;
    test_support::FakeTools::SetDesktop("GNOME");
    if (c.toolStatus >= 0) tools.Add(QStringLiteral("gsettings"), c.toolStatus);
    listeditor::Form5& view = OpenView();
    dialogs_.ClearCalls();
    LeftClickThen(view, 1, [](listeditor::Form11& dialog) { dialog.Command5_Click(); });
    const QString file = core::Paths().AppFolder + QStringLiteral("wallp.bmp");
    QImageReader written(file);
    EXPECT_EQ(written.format(), "bmp");
    EXPECT_EQ(written.size(), QSize(900, 600));
    if (c.set) {
      EXPECT_TRUE(dialogs_.Calls().empty());
      ASSERT_FALSE(tools.Calls().isEmpty());
      EXPECT_EQ(tools.Calls()[0],
                QStringLiteral("gsettings set org.gnome.desktop.background picture-uri ") +
                    QUrl::fromLocalFile(file).toString());
    } else {
      ASSERT_EQ(dialogs_.Calls().size(), 1u);
      EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("壁紙が設定できません"));
      EXPECT_EQ(dialogs_.Calls()[0].title, platform::AppTitle());
      EXPECT_EQ(dialogs_.Calls()[0].icon, 0);
    }
    EXPECT_EQ(platform::ScreenMousePointer(), 0);
    view.Command2_Click();
    platform::DestroyPendingNow();
    QFile::remove(file);
  }
}

}  // namespace
}  // namespace picture_tools_test
