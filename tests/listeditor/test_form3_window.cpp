// The slide list window: opening it from the main window, its controls and their places,
// resizing, the commit and the cancel with schedules, closing with its question, the
// double-click options.
#include <QFileInfo>

#include "core/monitors.h"
#include "core/settings_file.h"
#include "form3_fixture.h"
#include "platform/cp932.h"
#include "tests/support/small_disk.h"

namespace form3_test {
namespace {

TEST_F(Form3Test, OpensFromTheMainWindowWithItsControlsAtTheirPlaces) {
  core::Settings().DblClickRecord = 0;
  listeditor::Form3& w = OpenEditor();
  core::Form1& main = core::form1();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(main.isVisible());
  EXPECT_EQ(core::Flags().SlideListEditorOpen, 1);
  EXPECT_EQ(w.Caption(), QStringLiteral("スライドリスト"));
  // Centred on the main window's monitor.
  const QPoint centred = core::CentredOnMainMonitor(w.Width(), w.Height());
  EXPECT_NEAR(w.Left(), centred.x(), 15);
  EXPECT_NEAR(w.Top(), centred.y(), 15);

  const struct {
    QWidget* control;
    int left, top, width, height;
  } places[] = {
      {&w.Dir1, 120, 120, 2415, 2610},       {&w.Drive1, 120, 2760, 2415, 300},
      {&w.Frame1, 2640, 120, 3735, 3015},    {&w.Image1, 360, 480, 2295, 1815},
      {&w.Command16, 6480, 120, 1215, 495},  {&w.Command25, 6480, 1920, 1215, 495},
      {&w.Command20, 7800, 1320, 1215, 495}, {&w.Command23, 7920, 1920, 855, 495},
      {&w.Command9, 9120, 1320, 1215, 495},  {&w.Command2, 10440, 720, 1215, 495},
      {&w.Check2, 10560, 1560, 1095, 270},   {&w.Frame2, 9000, 1920, 2775, 855},
      {&w.Command22, 1440, 240, 1215, 495},
  };
  for (const auto& p : places) {
    SCOPED_TRACE(p.control->metaObject()->className());
    EXPECT_NEAR(p.control->x() * 15, p.left, 15);
    EXPECT_NEAR(p.control->y() * 15, p.top, 15);
    EXPECT_NEAR(p.control->width() * 15, p.width, 15);
    EXPECT_NEAR(p.control->height() * 15, p.height, 15);
  }
  EXPECT_EQ(w.Command15.Caption(), QStringLiteral("新規作成"));
  EXPECT_TRUE(w.Command15.FontBold());
  EXPECT_EQ(w.Frame2.Caption(), QStringLiteral("ｽﾗｲﾄﾞショー実行(選択位置より)"));
  for (QWidget* hidden : std::initializer_list<QWidget*>{&w.List2, &w.Check1, &w.Check3, &w.Check4,
                                                         &w.Check5, &w.Label1, &w.Picture1})
    EXPECT_FALSE(hidden->isVisible());
  for (platform::CommandButton* off :
       {&w.Command16, &w.Command17, &w.Command18, &w.Command19, &w.Command20, &w.Command25})
    EXPECT_FALSE(off->Enabled()) << off->Caption().toStdString();
  EXPECT_TRUE(w.Command24.Enabled());
  EXPECT_EQ(w.Check2.Value(), 0);  // from DblClickRecord
  EXPECT_EQ(w.Check6.Value(), 0);
  EXPECT_EQ(w.SlideListLimit, 30000);
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("0"));

  // The browser: the users' folders, their drive, the slide patterns.
  EXPECT_EQ(w.File1.Pattern(), listeditor::kSlidePatterns);
  if (QFileInfo(QStringLiteral("/home")).isDir()) {
    EXPECT_EQ(w.Dir1.Path(), QStringLiteral("/home"));
    EXPECT_EQ(w.File1.Path(), QStringLiteral("/home"));
  }
  EXPECT_EQ(w.Drive1.Drive(), platform::DriveOfPath(w.Dir1.Path()));
}

TEST_F(Form3Test, ResizeKeepsTheSmallestSizeAndStretchesTheListsAndTheBottomRow) {
  listeditor::Form3& w = OpenEditor();
  w.SetClientSize(6000, 4000);
  EXPECT_GE(w.ScaleWidth(), 11940 - 15);
  EXPECT_GE(w.ScaleHeight(), 8340 - 15);

  w.SetClientSize(11940 + 3000, 8340 + 1500);
  platform::DoEvents();
  // The rules count the window's outer size as the design did: client + 90, client + 405.
  const int outerWidth = w.ScaleWidth() + 90;
  const int outerHeight = w.ScaleHeight() + 405;
  EXPECT_NEAR(w.List1.Width(), outerWidth - 3000, 15);
  EXPECT_NEAR(w.List1.Height(), outerHeight - 4700, 15);
  EXPECT_NEAR(w.File1.Height(), outerHeight - 4500, 15);
  EXPECT_NEAR(w.File1.Width(), 2415, 15);
  for (platform::CommandButton* b : {&w.Command3, &w.Command8, &w.Command15, &w.Command4,
                                     &w.Command5, &w.Command13, &w.Command14, &w.Command12})
    EXPECT_NEAR(b->Top(), outerHeight - 1220, 15) << b->Caption().toStdString();
  EXPECT_NEAR(w.Label4.Top(), outerHeight - 1190, 15);
  EXPECT_NEAR(w.Check6.Top(), outerHeight - 1190, 15);
  // The bottom row stays below the list.
  EXPECT_LT(w.List1.Top() + w.List1.Height(), w.Command4.Top());
}

// "縮小変換コピー" asks for a selection before the conversion copy opens.
TEST_F(Form3Test, ConversionCopyButtonAsksForSelectedRows) {
  listeditor::Form3& w = OpenEditor();
  SetRows({QStringLiteral("/pics/1.png")}, {kBlank30});
  w.Command12.DoClick();
  ASSERT_EQ(dialogs_->Calls().size(), 1u);
  EXPECT_EQ(dialogs_->Calls()[0].title, "変換コピー選択エラー");
}

TEST_F(Form3Test, CommitCopiesTheRowsAndTheirSchedulesIntoTheShow) {
  listeditor::Form3& w = OpenEditor();
  const struct {
    QString record, add, del;
  } rows[] = {
      {QStringLiteral("2024/05/0109:002024/05/3118:00"), QStringLiteral("2024/05/01 09:00"),
       QStringLiteral("2024/05/31 18:00")},
      {kBlank30, QString(16, QLatin1Char(' ')), QString(16, QLatin1Char(' '))},
      {QString(), QStringLiteral(" "), QStringLiteral(" ")},  // a file without schedule lines
  };
  QStringList paths, records;
  for (int i = 0; i < 3; ++i) {
    paths << QStringLiteral("/pics/%1.png").arg(i + 1);
    records << rows[i].record;
  }
  SetRows(paths, records);
  core::Flags().FourUpViewOpen = 1;
  w.Command1.DoClick();

  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.SlideEndIndex, 4);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lists.SlidePaths[i + 1], paths[i]);
    EXPECT_EQ(lists.SlideAddDateTimes[i + 1], rows[i].add);
    EXPECT_EQ(lists.SlideDeleteDateTimes[i + 1], rows[i].del);
  }
  EXPECT_TRUE(lists.SlidePaths[4].isEmpty());
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(core::form1().isVisible());
  EXPECT_TRUE(core::form1().Command1.Enabled());
  EXPECT_TRUE(core::form1().Command4.Enabled());
  EXPECT_EQ(core::Flags().SlideListEditorOpen, 0);
  EXPECT_EQ(core::Flags().FourUpViewOpen, 0);

  // An empty list: START and its neighbours off, the four-up flag as it was.
  OpenEditor();
  SetRows({});
  core::Flags().FourUpViewOpen = 1;
  w.Command1.DoClick();
  EXPECT_EQ(lists.SlideEndIndex, 1);
  for (platform::CommandButton* b : {&core::form1().Command1, &core::form1().Command2,
                                     &core::form1().Command3, &core::form1().Command4})
    EXPECT_FALSE(b->Enabled());
  EXPECT_EQ(core::Flags().FourUpViewOpen, 1);
}

TEST_F(Form3Test, CancelBringsBackTheCommittedRowsWithTheirSchedules) {
  listeditor::Form3& w = OpenEditor();
  const QString scheduled = QStringLiteral("2024/05/0109:002024/05/3118:00");
  SetRows({QStringLiteral("/pics/a.png"), QStringLiteral("/pics/b.png")}, {scheduled, kBlank30});
  w.Command1.DoClick();

  OpenEditor();
  SetRows({QStringLiteral("/pics/c.png")}, {QStringLiteral("2025/01/0100:00               ")});
  w.ListFullStop = 1;
  w.Command16.SetEnabled(true);
  w.Command25.SetEnabled(true);
  w.Command2.DoClick();

  EXPECT_EQ(Rows(), QStringList({QStringLiteral("/pics/a.png"), QStringLiteral("/pics/b.png")}));
  EXPECT_EQ(Records(), QStringList({scheduled, kBlank30}));
  EXPECT_EQ(w.ListFullStop, 0);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(core::form1().isVisible());
  EXPECT_EQ(core::Flags().SlideListEditorOpen, 0);
  EXPECT_FALSE(w.Command16.Enabled());
  EXPECT_FALSE(w.Command25.Enabled());

  // The next commit keeps the schedule.
  w.Command1_Click();
  EXPECT_EQ(core::Lists().SlideAddDateTimes[1], QStringLiteral("2024/05/01 09:00"));
  EXPECT_EQ(core::Lists().SlideDeleteDateTimes[1], QStringLiteral("2024/05/31 18:00"));
}

TEST_F(Form3Test, ClosingAsksToSaveOnlyAPaintedListWithRows) {
  core::Form1& main = core::form1();
  const QString caption = QStringLiteral("ｽﾗｲﾄﾞ - /shows/a.kvz");
  struct Case {
    const char* name;
    bool painted;
    int rows;
    bool asked;
  } cases[] = {
      {"never painted", false, 2, false},
      {"empty list", true, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs_->ClearCalls();
    main.SetCaption(caption);
    main.Command1.SetEnabled(true);
    listeditor::Form3& w = c.painted ? OpenEditor() : Editor();
    SetRows(QStringList(c.rows, QStringLiteral("/pics/a.png")));
    w.close();
    platform::DestroyPendingNow();
    EXPECT_EQ(listeditor::Form3IfLoaded(), nullptr);
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.Caption(), caption);
    EXPECT_TRUE(main.Command1.Enabled());
    EXPECT_EQ(core::Flags().SlideListEditorOpen, 0);
  }
}

TEST_F(Form3Test, ClosingWithNoForgetsTheFileButAFreshWindowStartsFromTheCommittedList) {
  core::Form1& main = core::form1();
  listeditor::Form3& w = OpenEditor();
  const QString scheduled = QStringLiteral("2024/05/0109:00               ");
  SetRows({QStringLiteral("/pics/a.png")}, {scheduled});
  w.Command1.DoClick();
  core::Paths().SlideshowFilePath = QStringLiteral("/shows/a.kvz");
  core::Paths().SlideshowFileName = QStringLiteral("a.kvz");
  main.SetCaption(QStringLiteral("ｽﾗｲﾄﾞ - /shows/a.kvz"));

  OpenEditor();
  SetRows({QStringLiteral("/pics/a.png"), QStringLiteral("/pics/edited.png")});
  Answer(platform::vbNo);
  w.close();
  platform::DestroyPendingNow();
  ASSERT_EQ(Titles(), QStringList({QStringLiteral("ファイル選択")}));
  EXPECT_EQ(Calls()[0].text, QStringLiteral("スライドリストを保存しますか ?"));
  EXPECT_EQ(Calls()[0].icon, platform::vbQuestion);
  EXPECT_EQ(Calls()[0].buttons, platform::vbYesNo);
  EXPECT_EQ(listeditor::Form3IfLoaded(), nullptr);
  EXPECT_TRUE(main.isVisible());
  EXPECT_EQ(main.Caption(), core::ProgramTitle());
  EXPECT_TRUE(core::Paths().SlideshowFilePath.isEmpty());
  EXPECT_TRUE(core::Paths().SlideshowFileName.isEmpty());
  EXPECT_FALSE(main.Command1.Enabled());
  EXPECT_FALSE(main.Command4.Enabled());

  // The settings file written at exit makes the window afresh: it holds the committed list,
  // not an empty one.
  ASSERT_TRUE(core::SaveSettingsFile());
  EXPECT_EQ(Rows(), QStringList({QStringLiteral("/pics/a.png")}));
  EXPECT_EQ(Records(), QStringList({scheduled}));
  const QString settings = platform::FromCp932(test_support::ReadBytes(core::SettingsFilePath()));
  EXPECT_TRUE(settings.contains(QStringLiteral("\r\n/pics/a.png\r\n")));
  EXPECT_TRUE(settings.contains(QStringLiteral("\r\n-") + scheduled + QStringLiteral("\r\n")));
}

TEST_F(Form3Test, ClosingWithYesSavesOrStaysOpenWhenTheSaveDidNot) {
  listeditor::Form3& w = OpenEditor();
  SetRows({QStringLiteral("/pics/a.png"), QStringLiteral("/pics/b.png")});

  // Yes, then Cancel in the save dialog: the window stays with its list.
  Answer(platform::vbYes);
  CancelChooser();
  w.close();
  platform::DestroyPendingNow();
  ASSERT_EQ(listeditor::Form3IfLoaded(), &w);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(Rows().size(), 2);
  EXPECT_EQ(core::Flags().SlideListEditorOpen, 1);
  EXPECT_EQ(Titles(), QStringList({QStringLiteral("ファイル選択"),
                                   QStringLiteral("スライドショー　ファイルの保存")}));

  // Yes and a file: saved, then closed.
  dialogs_->ClearCalls();
  const QString kvz = pictures_.filePath(QStringLiteral("closing"));
  Answer(platform::vbYes);
  Choose(kvz);
  w.close();
  platform::DestroyPendingNow();
  EXPECT_EQ(listeditor::Form3IfLoaded(), nullptr);
  EXPECT_TRUE(QFile::exists(kvz + QStringLiteral(".kvz")));
  EXPECT_EQ(Titles().size(), 2);
}

TEST_F(Form3Test, ClosingWithYesAndAFailedSaveKeepsTheOldFileAndTheWindow) {
  test_support::SmallDisk disk(64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
  const QString kvz = disk.Path(QStringLiteral("show.kvz"));
  test_support::WriteBytes(kvz, "old file\r\n");
  disk.Fill();

  listeditor::Form3& w = OpenEditor();
  QStringList many;
  for (int i = 0; i < 400; ++i)
    many << QStringLiteral("/pictures/a long folder name/%1.png").arg(i);
  SetRows(many);
  Answer(platform::vbYes);
  Choose(kvz);
  Answer(platform::vbOK);
  w.close();
  platform::DestroyPendingNow();
  ASSERT_EQ(listeditor::Form3IfLoaded(), &w);
  EXPECT_EQ(Rows().size(), 400);
  EXPECT_EQ(test_support::ReadBytes(kvz), QByteArray("old file\r\n"));
  ASSERT_EQ(Titles().size(), 3);
  EXPECT_EQ(Titles()[2], QStringLiteral("ファイルの保存"));
  EXPECT_TRUE(Calls()[2].text.endsWith(QStringLiteral("このファイル名は適合しません。")));
}

TEST_F(Form3Test, OptionExplanationsOnlyOnceTheWindowWasPainted) {
  listeditor::Form3& w = Editor();
  w.Check3.SetValue(1);  // by code, before the first paint: nothing shown
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(core::Settings().DblClickWallpaper, 1);

  OpenEditor();
  const struct {
    platform::CheckBox* box;
    short* value;
    const char* title;
  } boxes[] = {
      {&w.Check2, &core::Settings().DblClickRecord, "効果音録音あり"},
      {&w.Check4, &core::Settings().DblClickText, "テキスト作成あり"},
      {&w.Check5, &core::Settings().DblClickSlideshow, "スライドショー"},
  };
  for (const auto& b : boxes) {
    SCOPED_TRACE(b.title);
    dialogs_->ClearCalls();
    b.box->SetValue(0);
    EXPECT_EQ(*b.value, 0);
    EXPECT_TRUE(Calls().empty());
    b.box->SetValue(1);
    EXPECT_EQ(*b.value, 1);
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].title, QString::fromUtf8(b.title));
    EXPECT_TRUE(Calls()[0].text.startsWith(QStringLiteral("スライドリストをダブルクリックすると")));
    EXPECT_EQ(Calls()[0].icon, 0);
  }
}

}  // namespace
}  // namespace form3_test
