// The slide list window's browser: the folder list leads the file list, which shows the
// slide files of the folder whatever the case of their names; a click adds a row with a
// blank schedule, in front of the selected row in insert mode; the 30000-row limit.
#include <QFileInfo>

#include "form3_fixture.h"
#include "tests/support/input.h"

namespace form3_test {
namespace {

class BrowserTest : public Form3Test {
 protected:
  // The file list's row `index` clicked as the user clicks it.
  static void ClickFile(int index) {
    platform::FileListBox& files = Editor().File1;
    const QRect row = files.visualRect(files.model()->index(index, 0));
    ASSERT_TRUE(row.isValid());
    test_support::ClickAt(files.viewport(), row.center());
  }
  static QStringList Files() {
    QStringList names;
    for (int i = 0; i < Editor().File1.ListCount(); ++i) names << Editor().File1.List(i);
    return names;
  }
};

TEST_F(BrowserTest, TheFolderListLeadsTheFileListOfSlideFiles) {
  for (const char* name : {"a.png", "B.JPG", "clip.MP4", "film.avi", "notes.txt", "photo.jpeg",
                           "scan.Tif", "old.jpg.bak"})
    Touch(QString::fromUtf8(name));
  QDir(pictures_.path()).mkdir(QStringLiteral("sub"));
  listeditor::Form3& w = OpenEditor();
  w.Dir1.SetPath(pictures_.path());
  EXPECT_EQ(w.File1.Path(), QDir::cleanPath(pictures_.path()));
  EXPECT_EQ(Files(), QStringList({QStringLiteral("a.png"), QStringLiteral("B.JPG"),
                                  QStringLiteral("clip.MP4"), QStringLiteral("film.avi"),
                                  QStringLiteral("scan.Tif")}));
  // A pattern of a search is replaced by the slide patterns at the next folder.
  w.File1.SetPattern(QStringLiteral("*.avi"));
  w.Dir1.SetPath(w.Dir1.List(0));
  w.Dir1.SetPath(pictures_.path());
  EXPECT_EQ(w.File1.Pattern(), listeditor::kSlidePatterns);
  EXPECT_EQ(Files().size(), 5);
  // A file made while the window was elsewhere shows at its activation.
  Touch(QStringLiteral("later.bmp"));
  w.Form_Activate();
  EXPECT_TRUE(Files().contains(QStringLiteral("later.bmp")));
}

TEST_F(BrowserTest, ClickedFilesBecomeRowsWithBlankSchedules) {
  Picture(QStringLiteral("a.png"), 1);
  Picture(QStringLiteral("b.png"), 2);
  listeditor::Form3& w = OpenEditor();
  w.Dir1.SetPath(pictures_.path());
  const QString folder = w.File1.Path();
  ClickFile(0);
  ClickFile(1);
  ClickFile(1);  // the same file clicked again stands twice
  EXPECT_EQ(Rows(),
            QStringList({folder + QStringLiteral("/a.png"), folder + QStringLiteral("/b.png"),
                         folder + QStringLiteral("/b.png")}));
  EXPECT_EQ(Records(), QStringList(3, kBlank30));
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("3"));
  EXPECT_TRUE(Calls().empty());

  // Insert mode with one row selected: in front of it, which stays the selected row and
  // keeps its record.
  w.List2.SetList(1, QStringLiteral("2024/05/0109:00               "));
  w.Check6.SetValue(1);
  w.List1.SetSelected(1, true);
  w.List1.SetListIndex(1);
  ASSERT_EQ(w.List1.SelCount(), 1);
  ClickFile(0);
  EXPECT_EQ(Rows()[1], folder + QStringLiteral("/a.png"));
  EXPECT_EQ(Rows()[2], folder + QStringLiteral("/b.png"));
  EXPECT_EQ(Records()[1], kBlank30);
  EXPECT_EQ(Records()[2], QStringLiteral("2024/05/0109:00               "));
  EXPECT_TRUE(w.List1.Selected(2));
  EXPECT_EQ(w.List1.SelCount(), 1);
  EXPECT_EQ(Rows().size(), Records().size());

  // Insert mode with two rows selected: appended.
  w.List1.SetSelected(0, true);
  ClickFile(1);
  EXPECT_EQ(Rows().last(), folder + QStringLiteral("/b.png"));
  EXPECT_EQ(Records().last(), kBlank30);
}

TEST_F(BrowserTest, TheThirtyThousandthRowIsTheLast) {
  Picture(QStringLiteral("a.png"), 1);
  listeditor::Form3& w = OpenEditor();
  w.Dir1.SetPath(pictures_.path());
  SetRows(QStringList(29999, QStringLiteral("/pics/x.png")));

  ClickFile(0);
  EXPECT_EQ(w.List1.ListCount(), 30000);
  EXPECT_EQ(w.List2.ListCount(), 30000);
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("30000"));
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].text, QStringLiteral("これ以上登録できません"));
  EXPECT_EQ(Calls()[0].title, QStringLiteral("ｽﾗｲﾄﾞｼｮｰ"));
  EXPECT_EQ(Calls()[0].buttons, platform::vbOKOnly);
  EXPECT_EQ(Calls()[0].icon, 0);

  // A full list only says so.
  dialogs_->ClearCalls();
  ClickFile(0);
  EXPECT_EQ(w.List1.ListCount(), 30000);
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].text, QStringLiteral("これ以上登録できません"));

  w.Command1.DoClick();
  EXPECT_EQ(core::Lists().SlideEndIndex, 30001);
  EXPECT_EQ(core::Lists().SlidePaths[30000], w.File1.Path() + QStringLiteral("/a.png"));
}

TEST_F(BrowserTest, ChoosingADriveMovesTheFolderListOnlyOffIt) {
  listeditor::Form3& w = OpenEditor();
  w.Dir1.SetPath(pictures_.path());
  const QString here = platform::DriveOfPath(w.Dir1.Path());
  // The drive the folder is on: the folder list stays.
  w.Drive1.SetDrive(here);
  w.Drive1_Change();
  EXPECT_EQ(w.Dir1.Path(), QDir::cleanPath(pictures_.path()));

  QString other;
  for (int i = 0; i < w.Drive1.ListCount() && other.isEmpty(); ++i) {
    const QFileInfo drive(w.Drive1.List(i));
    if (drive.filePath() != here && drive.isReadable() && drive.isExecutable())
      other = drive.filePath();
  }
  if (other.isEmpty()) GTEST_SKIP() << "only one file system is mounted";
  w.Drive1.SetDrive(other);
  EXPECT_EQ(w.Dir1.Path(), other);
  EXPECT_EQ(w.File1.Path(), other);
}

}  // namespace
}  // namespace form3_test
