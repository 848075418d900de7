// The linked-files folder window: the standard (beside the pictures) or one folder, the
// refused folders, the trailing separator, cancel, and the main window's menu item.
#include <QTimer>

#include "linked_fixture.h"

namespace form3_test {
namespace {

using listeditor::Form12;

class Form12Test : public LinkedTest {
 protected:
  static Form12& Open() {
    if (Form12* w = listeditor::Form12IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
    return listeditor::form12();
  }
};

TEST_F(Form12Test, TheStandardShowsTheUsersFolderAndKeepsTheLinkedFilesBesideThePictures) {
  if (!QFileInfo(QStringLiteral("/home")).isDir()) GTEST_SKIP() << "no /home";
  core::Paths().LinkedFilesInFolder = 0;
  core::Paths().LinkedFilesFolder = QString();
  Form12& w = Open();
  EXPECT_EQ(w.Caption(), QStringLiteral("画像連動ファイル(WAV,MID,MP3,TXT)のフォルダ指定"));
  EXPECT_EQ(w.Check1.Value(), 1);
  EXPECT_EQ(w.Text1.Text(), QStringLiteral("/home"));
  EXPECT_FALSE(w.Text1.Enabled());
  EXPECT_FALSE(w.Dir1.Enabled());
  EXPECT_FALSE(w.Drive1.Enabled());
  w.Command1_Click();
  EXPECT_EQ(listeditor::Form12IfLoaded(), nullptr);
  EXPECT_EQ(core::Paths().LinkedFilesInFolder, 0);
  EXPECT_EQ(core::Paths().LinkedFilesFolder, QStringLiteral("/home"));
  EXPECT_TRUE(Calls().empty());
}

TEST_F(Form12Test, AChosenOrTypedFolderIsStoredWithoutItsTrailingSeparator) {
  QTemporaryDir sound;
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = sound.path();
  Form12& w = Open();
  EXPECT_EQ(w.Check1.Value(), 0);
  EXPECT_EQ(w.Text1.Text(), sound.path());
  EXPECT_TRUE(w.Dir1.Enabled());
  QDir(sound.path()).mkdir(QStringLiteral("sub"));
  w.Dir1.SetPath(sound.filePath(QStringLiteral("sub")));
  EXPECT_EQ(w.Text1.Text(), sound.filePath(QStringLiteral("sub")));
  w.Command1_Click();
  EXPECT_EQ(core::Paths().LinkedFilesInFolder, 1);
  EXPECT_EQ(core::Paths().LinkedFilesFolder, sound.filePath(QStringLiteral("sub")));

  Form12& again = Open();
  again.Text1.SetText(QStringLiteral("/media/stick/"));
  again.Command1_Click();
  EXPECT_EQ(core::Paths().LinkedFilesFolder, QStringLiteral("/media/stick"));
  EXPECT_EQ(core::Paths().LinkedFilesInFolder, 1);

  // Cancel keeps both.
  Form12& third = Open();
  third.Check1.SetValue(1);
  third.Text1.SetText(QStringLiteral("/elsewhere"));
  third.Command2_Click();
  EXPECT_EQ(core::Paths().LinkedFilesFolder, QStringLiteral("/media/stick"));
  EXPECT_EQ(core::Paths().LinkedFilesInFolder, 1);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(Form12Test, TheRootAndTheUsersFolderAreRefused) {
  for (const char* folder : {"/", "/home"}) {
    SCOPED_TRACE(folder);
    if (!QFileInfo(QString::fromLatin1(folder)).isDir()) continue;
    core::Paths().LinkedFilesInFolder = 0;
    core::Paths().LinkedFilesFolder = QStringLiteral("/kept");
    Form12& w = Open();
    w.Check1.SetValue(0);
    EXPECT_TRUE(w.Dir1.Enabled());
    w.Dir1.SetPath(QString::fromLatin1(folder));
    dialogs_->ClearCalls();
    w.Command1_Click();
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].title, QStringLiteral("フォルダ未指定"));
    EXPECT_EQ(Calls()[0].text,
              QStringLiteral("\r\nこのフォルダは指定できません。\r\n"
                             "再度チェックを外し、別のフォルダを指定してください。"));
    EXPECT_EQ(listeditor::Form12IfLoaded(), &w);
    EXPECT_EQ(w.Check1.Value(), 1);
    EXPECT_FALSE(w.Dir1.Enabled());
    EXPECT_EQ(core::Paths().LinkedFilesInFolder, 0);
    EXPECT_EQ(core::Paths().LinkedFilesFolder, QStringLiteral("/kept"));
  }
}

TEST_F(Form12Test, TheMainWindowsMenuOpensItModally) {
  bool modal = false;
  QTimer::singleShot(0, [&modal] {
    Form12* w = listeditor::Form12IfLoaded();
    modal = w && w->isVisible() && w->isModal();
    if (w) w->Command2_Click();
  });
  core::form1().mnuRENF.DoClick();
  EXPECT_TRUE(modal);
}

}  // namespace
}  // namespace form3_test
