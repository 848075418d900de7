// The slide list window's file commands clicked in the window: new, open, save and
// distribution save with their questions, dialogs, Cancel, and saves that fail.
#include <QFileInfo>

#include "core/settings_file.h"
#include "core/slideshow_file.h"
#include "form3_fixture.h"
#include "platform/cp932.h"
#include "sound/form10.h"
#include "tests/support/small_disk.h"

namespace form3_test {
namespace {

using test_support::ReadBytes;
using test_support::WriteBytes;

const QString kFilter = QStringLiteral("ｽﾗｲﾄﾞFiles (*.kvz)|*.kvz|すべてのﾌｧｲﾙ(*.*)|*.*");

class FileCommandsTest : public Form3Test {
 protected:
  QString Text(const QString& path) { return platform::FromCp932(ReadBytes(path)); }
  // Rows of many long paths: more than a full small disk has room for.
  static QStringList ManyRows() {
    QStringList rows;
    for (int i = 0; i < 400; ++i)
      rows << QStringLiteral("/pictures/a folder with a long name/%1.png").arg(i);
    return rows;
  }
};

TEST_F(FileCommandsTest, NewAskedAndAnsweredResetsTheListInTheOpenWindow) {
  listeditor::Form3& w = OpenEditor();
  SetRows({QStringLiteral("/pics/a.png")});
  core::Settings().SoundMode = 2;
  core::Settings().SlideIntervalSeconds = 9;

  Answer(platform::vbNo);
  w.Command15.DoClick();
  EXPECT_EQ(Rows().size(), 1);
  EXPECT_EQ(core::Settings().SoundMode, 2);
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].title, QStringLiteral("新規作成"));
  EXPECT_EQ(Calls()[0].text, QStringLiteral("スライドリストとすべての設定を初期状態にしますか ?"));
  EXPECT_EQ(Calls()[0].icon, platform::vbQuestion);

  w.ListFullStop = 1;
  w.PreviewedPath = QStringLiteral("/pics/a.png");
  w.Command16.SetEnabled(true);
  w.Command25.SetEnabled(true);
  Answer(platform::vbYes);
  w.Command15.DoClick();
  EXPECT_TRUE(Rows().isEmpty());
  EXPECT_TRUE(Records().isEmpty());
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("0"));
  EXPECT_EQ(w.ListFullStop, 0);
  EXPECT_TRUE(w.PreviewedPath.isEmpty());
  EXPECT_FALSE(w.Command16.Enabled());
  EXPECT_FALSE(w.Command25.Enabled());
  EXPECT_EQ(core::Settings().SoundMode, 6);
  EXPECT_EQ(core::Settings().SlideIntervalSeconds, 3);
  EXPECT_EQ(core::form1().mnuKOU.CheckedIndex(), 6);
  EXPECT_EQ(core::form1().Caption(), core::ProgramTitle());
  EXPECT_EQ(core::form1().Timer1.Interval(), 3000);
  // No commit from the window itself: it stays open.
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(core::Flags().SlideListEditorOpen, 1);
  EXPECT_EQ(Calls().size(), 2u);
}

TEST_F(FileCommandsTest, NewWhoseSettingsCannotBeWrittenKeepsTheOldFileAndTheNewList) {
  test_support::SmallDisk disk(64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
  core::Paths().AppFolder = disk.Path(QString()) + QLatin1Char('/');
  listeditor::Form3& w = OpenEditor();
  SetRows(ManyRows());
  core::Settings().SoundMode = 2;
  ASSERT_TRUE(core::SaveSettingsFile());
  const QByteArray before = ReadBytes(core::SettingsFilePath());
  disk.Fill();

  Answer(platform::vbYes);
  w.Command15.DoClick();
  EXPECT_EQ(ReadBytes(core::SettingsFilePath()), before);
  ASSERT_GE(Calls().size(), 2u);
  EXPECT_EQ(Calls()[1].title, QStringLiteral("ファイルの保存"));
  EXPECT_TRUE(Calls()[1].text.startsWith(core::SettingsFilePath()));
  // The old file is not read back over the new list.
  EXPECT_TRUE(Rows().isEmpty());
  EXPECT_TRUE(core::Lists().SlidePaths[1].isEmpty());
  EXPECT_EQ(core::Settings().SoundMode, 6);
  EXPECT_EQ(core::form1().mnuKOU.CheckedIndex(), 6);
  EXPECT_EQ(core::form1().Caption(), core::ProgramTitle());
}

TEST_F(FileCommandsTest, OpenReadsTheChosenFileOrNothingOnCancel) {
  listeditor::Form3& w = OpenEditor();
  const QString pictures = pictures_.path() + QLatin1Char('/');
  SetRows({pictures + QStringLiteral("a.png"), pictures + QStringLiteral("b.png")},
          {QStringLiteral("2024/05/0109:00               "), kBlank30});
  QString kvz = pictures + QStringLiteral("show.kvz");
  ASSERT_TRUE(core::SaveSlideshowFile(kvz));
  SetRows({QStringLiteral("/other/x.png")});
  core::Paths().SlideshowFilePath.clear();

  CancelChooser();
  w.Command6.DoClick();
  EXPECT_EQ(Rows(), QStringList({QStringLiteral("/other/x.png")}));
  ASSERT_EQ(Calls().size(), 1u);  // the chooser alone: no message
  EXPECT_EQ(Calls()[0].kind, DialogKind::kOpenFile);
  EXPECT_EQ(Calls()[0].title, QStringLiteral("スライドショー　ファイルを開く"));
  EXPECT_EQ(Calls()[0].filter, kFilter);
  EXPECT_EQ(Calls()[0].initialFile, QStringLiteral("*.kvz"));

  dialogs_->ClearCalls();
  w.ListFullStop = 1;
  w.Command16.SetEnabled(true);
  Choose(kvz);
  w.Command6.DoClick();
  EXPECT_EQ(Rows(),
            QStringList({pictures + QStringLiteral("a.png"), pictures + QStringLiteral("b.png")}));
  EXPECT_EQ(Records()[0], QStringLiteral("2024/05/0109:00               "));
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("2"));
  EXPECT_EQ(core::Paths().OpenedFileFolder, pictures);
  EXPECT_EQ(core::Paths().SlideshowFilePath, kvz);
  EXPECT_EQ(core::form1().Caption(), QStringLiteral("ｽﾗｲﾄﾞ - ") + kvz);
  EXPECT_EQ(w.ListFullStop, 0);
  EXPECT_FALSE(w.Command16.Enabled());
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(Calls().size(), 1u);

  // A file of another kind: said so, the list stays.
  dialogs_->ClearCalls();
  const QString text = pictures + QStringLiteral("notes.kvz");
  WriteBytes(text, "not a slideshow\r\n");
  Choose(text);
  w.Command6.DoClick();
  EXPECT_EQ(Rows().size(), 2);
  ASSERT_EQ(Titles(), QStringList({QStringLiteral("スライドショー　ファイルを開く"),
                                   QStringLiteral("ファイルを開く")}));
  EXPECT_EQ(Calls()[1].text, text + QStringLiteral("\r\nこのファイル名は適合しません。"));
}

TEST_F(FileCommandsTest, SaveRefusesAnEmptyListAndProposesTheCurrentFile) {
  listeditor::Form3& w = OpenEditor();
  w.Command7.DoClick();
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].text, QStringLiteral("スライドリストがないので保存できんません。"));
  EXPECT_EQ(Calls()[0].title, QStringLiteral("ファイルの保存"));
  EXPECT_EQ(Calls()[0].icon, platform::vbExclamation);

  SetRows({QStringLiteral("/pics/a.png")}, {QStringLiteral("2024/05/0109:00               ")});
  dialogs_->ClearCalls();
  CancelChooser();
  w.Command7.DoClick();
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].kind, DialogKind::kSaveFile);
  EXPECT_EQ(Calls()[0].title, QStringLiteral("スライドショー　ファイルの保存"));
  EXPECT_EQ(Calls()[0].filter, kFilter);
  EXPECT_EQ(Calls()[0].initialFile, QStringLiteral("*.kvz"));

  // A name without an extension gets ".kvz"; the file becomes the current one.
  const QString kvz = pictures_.filePath(QStringLiteral("show"));
  Choose(kvz);
  w.Command7.DoClick();
  const QString saved = kvz + QStringLiteral(".kvz");
  EXPECT_TRUE(Text(saved).contains(QStringLiteral("\r\n/pics/a.png\r\n")));
  EXPECT_TRUE(Text(saved).contains(QStringLiteral("\r\n-2024/05/0109:00               \r\n")));
  EXPECT_EQ(core::Paths().SlideshowFilePath, saved);
  EXPECT_EQ(core::form1().Caption(), QStringLiteral("ｽﾗｲﾄﾞ - ") + saved);
  EXPECT_EQ(core::Paths().DistributionSave, 0);
  EXPECT_TRUE(w.isVisible());

  dialogs_->ClearCalls();
  CancelChooser();
  w.Command7.DoClick();
  EXPECT_EQ(Calls()[0].initialFile, saved);
}

TEST_F(FileCommandsTest, SaveThatFailsKeepsTheOldFileAndSaysSo) {
  test_support::SmallDisk disk(64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
  const QString kvz = disk.Path(QStringLiteral("show.kvz"));
  WriteBytes(kvz, "old\r\n");
  disk.Fill();
  listeditor::Form3& w = OpenEditor();
  SetRows(ManyRows());
  const struct {
    platform::CommandButton* button;
    bool distribution;
  } commands[] = {{&w.Command7, false}, {&w.Command9, true}};
  for (const auto& c : commands) {
    SCOPED_TRACE(c.button->Caption().toStdString());
    dialogs_->ClearCalls();
    core::Paths().LinkedFilesInFolder = 1;
    core::Paths().LinkedFilesFolder = QStringLiteral("/linked");
    if (c.distribution) Answer(platform::vbYes);
    Choose(kvz);
    c.button->DoClick();
    EXPECT_EQ(ReadBytes(kvz), QByteArray("old\r\n"));
    ASSERT_FALSE(Calls().empty());
    EXPECT_EQ(Calls().back().title, QStringLiteral("ファイルの保存"));
    EXPECT_EQ(Calls().back().text, kvz + QStringLiteral("\r\nこのファイル名は適合しません。"));
    EXPECT_EQ(Calls().back().icon, platform::vbExclamation);
    EXPECT_TRUE(core::Paths().SlideshowFilePath.isEmpty());
    EXPECT_EQ(core::Paths().LinkedFilesInFolder, 1);
    EXPECT_EQ(core::Paths().LinkedFilesFolder, QStringLiteral("/linked"));
    EXPECT_EQ(Rows().size(), 400);
  }
}

TEST_F(FileCommandsTest, DistributionSaveAsksThenStoresBareNamesAndKeepsTheLinkedFolder) {
  listeditor::Form3& w = OpenEditor();
  SetRows({QStringLiteral("/pics/a.png"), QStringLiteral("/pics/b.png")});
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = QStringLiteral("/linked");
  const QString kvz = pictures_.filePath(QStringLiteral("dist.kvz"));

  Answer(platform::vbNo);
  w.Command9.DoClick();
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].title, QStringLiteral("配布用ＫＶＺファイルの保存"));
  EXPECT_EQ(Calls()[0].text.split(QStringLiteral("\r\n")).size(), 5);
  EXPECT_EQ(Calls()[0].icon, platform::vbQuestion);
  EXPECT_EQ(Calls()[0].buttons, platform::vbYesNo);

  dialogs_->ClearCalls();
  Answer(platform::vbYes);
  CancelChooser();
  w.Command9.DoClick();
  EXPECT_EQ(Calls().size(), 2u);
  EXPECT_FALSE(QFile::exists(kvz));

  dialogs_->ClearCalls();
  Answer(platform::vbYes);
  Choose(kvz);
  w.Command9.DoClick();
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[1].title, QStringLiteral("スライドショー　配布用ＫＶＺファイルの保存"));
  const QString text = Text(kvz);
  EXPECT_TRUE(text.contains(QStringLiteral("\r\na.png\r\nb.png\r\n")));
  EXPECT_FALSE(text.contains(QStringLiteral("/pics/")));
  EXPECT_FALSE(text.contains(QStringLiteral("/linked")));
  EXPECT_EQ(core::Paths().DistributionSave, 1);
  // The user's linked-files folder outlives the distribution copy.
  EXPECT_EQ(core::Paths().LinkedFilesInFolder, 1);
  EXPECT_EQ(core::Paths().LinkedFilesFolder, QStringLiteral("/linked"));
}

TEST_F(FileCommandsTest, DuringASearchTheGuardedButtonsOnlyEndIt) {
  listeditor::Form3& w = OpenEditor();
  SetRows({QStringLiteral("/pics/a.png")});
  for (platform::CommandButton* b :
       {&w.Command1, &w.Command2, &w.Command6, &w.Command7, &w.Command9, &w.Command15}) {
    SCOPED_TRACE(b->Caption().toStdString());
    w.SearchRunning = true;
    b->DoClick();
    EXPECT_FALSE(w.SearchRunning);
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Rows().size(), 1);
    EXPECT_EQ(core::Lists().SlideEndIndex, 0);
  }
}

}  // namespace
}  // namespace form3_test
