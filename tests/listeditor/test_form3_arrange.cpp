// Adding and arranging slides: "一括選択", drops from a file manager, "一括取消",
// "選択取消", "↑" and "↓", the Insert and Delete keys; after every step both lists agree
// (each row keeps its own schedule record), the selection stays on its row, and the
// 30000-row limit holds for batches and drops.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QUrl>
#include <functional>

#include "form3_fixture.h"
#include "tests/support/input.h"

namespace form3_test {
namespace {

// A distinct schedule record per tag (30 characters).
QString Record(int n) {
  return (QStringLiteral("2024/05/%1").arg(n, 2, 10, QLatin1Char('0')) + QStringLiteral("09:00"))
      .leftJustified(30);
}

class ArrangeTest : public Form3Test {
 protected:
  // The rows' file names without folder and ending, and their records as tags ("R3", or "_"
  // for a blank one).
  static QStringList Names() {
    QStringList names;
    for (const QString& p : Rows()) names << QFileInfo(p).completeBaseName();
    return names;
  }
  static QStringList Tags() {
    QStringList tags;
    for (const QString& r : Records()) {
      if (r == kBlank30) {
        tags << QStringLiteral("_");
        continue;
      }
      for (int n = 1; n <= 9; ++n)
        if (r == Record(n)) tags << QStringLiteral("R%1").arg(n);
    }
    return tags;
  }
  static std::vector<int> SelectedRows() {
    std::vector<int> rows;
    for (int i = 0; i < Editor().List1.ListCount(); ++i)
      if (Editor().List1.Selected(i)) rows.push_back(i);
    return rows;
  }
  static void Select(std::initializer_list<int> rows) {
    listeditor::Form3& w = Editor();
    w.List1.selectionModel()->clearSelection();
    for (int r : rows) w.List1.SetSelected(r, true);
    if (rows.size() > 0) w.List1.SetListIndex(*rows.begin());
  }
  // Rows 1..n with records R1..Rn, in a folder that does not exist.
  static void NumberedRows(int n) {
    QStringList paths, records;
    for (int i = 1; i <= n; ++i) {
      paths << QStringLiteral("/p/%1.png").arg(i);
      records << Record(i);
    }
    SetRows(paths, records);
  }
  // Files dropped onto the slide list as a file manager drops them.
  static void Drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    QWidget* target = Editor().List1.viewport();
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
  }
  void FolderOf(std::initializer_list<const char*> names) {
    for (const char* n : names) Touch(QString::fromUtf8(n));
    Editor().Dir1.SetPath(pictures_.path());
  }
};

TEST_F(ArrangeTest, EveryOperationKeepsBothListsTogetherAndTheSelectionOnItsRow) {
  listeditor::Form3& w = OpenEditor();
  FolderOf({"A.png", "B.png", "C.png"});
  NumberedRows(5);
  struct Step {
    const char* what;
    std::function<void()> act;
    QStringList names, tags;
    std::vector<int> selected;
  };
  const Step steps[] = {
      {"一括選択 in insert mode in front of row 3",
       [&] {
         w.Check6.SetValue(1);
         Select({2});
         w.Command3.DoClick();
       },
       {"1", "2", "A", "B", "C", "3", "4", "5"},
       {"R1", "R2", "_", "_", "_", "R3", "R4", "R5"},
       {5}},
      {"↑",
       [&] { w.Command13.DoClick(); },
       {"1", "2", "A", "B", "3", "C", "4", "5"},
       {"R1", "R2", "_", "_", "R3", "_", "R4", "R5"},
       {4}},
      {"↓ twice",
       [&] {
         w.Command14.DoClick();
         w.Command14.DoClick();
       },
       {"1", "2", "A", "B", "C", "4", "3", "5"},
       {"R1", "R2", "_", "_", "_", "R4", "R3", "R5"},
       {6}},
      {"↑ on the first row, ↓ on the last",
       [&] {
         Select({0});
         w.Command13.DoClick();
         Select({7});
         w.Command14.DoClick();
       },
       {"1", "2", "A", "B", "C", "4", "3", "5"},
       {"R1", "R2", "_", "_", "_", "R4", "R3", "R5"},
       {7}},
      {"選択取消 of rows 2 and 4",
       [&] {
         Select({1, 3});
         w.Command5.DoClick();
       },
       {"1", "A", "C", "4", "3", "5"},
       {"R1", "_", "_", "R4", "R3", "R5"},
       {}},
      {"一括選択 in insert mode with nothing selected appends",
       [&] { w.Command3.DoClick(); },
       {"1", "A", "C", "4", "3", "5", "A", "B", "C"},
       {"R1", "_", "_", "R4", "R3", "R5", "_", "_", "_"},
       {}},
      {"a drop in insert mode in front of row 4",
       [&] {
         Select({3});
         Drop({pictures_.filePath(QStringLiteral("B.png"))});
       },
       {"1", "A", "C", "B", "4", "3", "5", "A", "B", "C"},
       {"R1", "_", "_", "_", "R4", "R3", "R5", "_", "_", "_"},
       {4}},
      {"Delete key with two rows selected",
       [&] {
         Select({0, 9});
         test_support::KeyClick(&w.List1, Qt::Key_Delete);
       },
       {"A", "C", "B", "4", "3", "5", "A", "B"},
       {"_", "_", "_", "R4", "R3", "R5", "_", "_"},
       {}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.act();
    EXPECT_EQ(Names(), s.names);
    EXPECT_EQ(Tags(), s.tags);
    EXPECT_EQ(SelectedRows(), s.selected);
    EXPECT_EQ(w.List2.ListCount(), w.List1.ListCount());
    EXPECT_EQ(w.Label4.Caption(), QString::number(w.List1.ListCount()));
  }
  EXPECT_TRUE(Calls().empty());

  // The schedules reach the show with their rows.
  w.Command1.DoClick();
  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.SlideEndIndex, 9);
  EXPECT_TRUE(lists.SlidePaths[4].endsWith(QStringLiteral("/4.png")));
  EXPECT_EQ(lists.SlideAddDateTimes[4], QStringLiteral("2024/05/04 09:00"));
  EXPECT_TRUE(lists.SlidePaths[5].endsWith(QStringLiteral("/3.png")));
  EXPECT_EQ(lists.SlideAddDateTimes[5], QStringLiteral("2024/05/03 09:00"));
}

TEST_F(ArrangeTest, MovingNeedsExactlyOneSelectedRowAndTurnsThePreviewSwitchOn) {
  listeditor::Form3& w = OpenEditor();
  NumberedRows(3);
  const struct {
    platform::CommandButton* button;
    const char* title;
  } buttons[] = {{&w.Command13, "↑移動不可"}, {&w.Command14, "↓移動不可"}};
  for (const auto& b : buttons) {
    for (const auto& selection : {std::initializer_list<int>{}, {0, 2}}) {
      dialogs_->ClearCalls();
      Select(selection);
      b.button->DoClick();
      ASSERT_EQ(Calls().size(), 1u);
      EXPECT_EQ(Calls()[0].title, QString::fromUtf8(b.title));
      EXPECT_EQ(Calls()[0].text, QStringLiteral("リストから１項目だけ選んで行ってください。"));
      EXPECT_EQ(Calls()[0].icon, platform::vbExclamation);
      EXPECT_EQ(Names(), QStringList({"1", "2", "3"}));
    }
  }
  w.Check1.SetValue(0);
  Select({1});
  w.Command14.DoClick();
  EXPECT_EQ(Names(), QStringList({"1", "3", "2"}));
  EXPECT_EQ(w.Check1.Value(), 1);
  EXPECT_EQ(w.List1.ListIndex(), 2);
  EXPECT_EQ(w.List2.ListIndex(), 2);
}

TEST_F(ArrangeTest, TheLimitHoldsForABatchAndAfterItForEveryWayIn) {
  listeditor::Form3& w = OpenEditor();
  FolderOf({"a0.png", "a1.png", "a2.png", "a3.png", "a4.png", "a5.png", "a6.png", "a7.png",
            "a8.png", "a9.png"});
  SetRows(QStringList(29995, QStringLiteral("/p/x.png")));
  w.Command3.DoClick();
  EXPECT_EQ(w.List1.ListCount(), 30000);
  EXPECT_EQ(w.List2.ListCount(), 30000);
  EXPECT_EQ(Rows().last(), w.File1.Path() + QStringLiteral("/a4.png"));
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("30000"));
  EXPECT_EQ(w.ListFullStop, 1);
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].text, QStringLiteral("これ以上登録できません"));
  EXPECT_EQ(Calls()[0].title, QStringLiteral("ｽﾗｲﾄﾞｼｮｰ"));

  // Once full, a batch, a drop and a click only say so.
  for (const std::function<void()>& more : std::initializer_list<std::function<void()>>{
           [&] { w.Command3.DoClick(); },
           [&] { Drop({pictures_.filePath(QStringLiteral("a0.png"))}); },
           [&] { w.File1.SetListIndex(0); },
       }) {
    dialogs_->ClearCalls();
    more();
    EXPECT_EQ(w.List1.ListCount(), 30000);
    EXPECT_EQ(Calls().size(), 1u);
  }
}

TEST_F(ArrangeTest, ADropStopsAtTheLimitWithOneMessage) {
  listeditor::Form3& w = OpenEditor();
  SetRows(QStringList(29998, QStringLiteral("/p/x.png")));
  Drop({QStringLiteral("/d/1.jpg"), QStringLiteral("/d/2.jpg"), QStringLiteral("/d/3.jpg")});
  EXPECT_EQ(w.List1.ListCount(), 30000);
  EXPECT_EQ(Rows().last(), QStringLiteral("/d/2.jpg"));
  EXPECT_EQ(w.ListFullStop, 1);
  EXPECT_EQ(Titles(), QStringList({"ｽﾗｲﾄﾞｼｮｰ"}));
}

TEST_F(ArrangeTest, OnlyPictureAndMovieFilesAreTakenFromADrop) {
  listeditor::Form3& w = OpenEditor();
  QDir(pictures_.path()).mkdir(QStringLiteral("Photos"));
  Drop({QStringLiteral("/d/photo.JPG"), QStringLiteral("/d/notes.txt"),
        QStringLiteral("/d/clip.jpeg"), pictures_.filePath(QStringLiteral("Photos")),
        QStringLiteral("/d/写真.Mp4")});
  EXPECT_EQ(Rows(), QStringList({"/d/photo.JPG", "/d/写真.Mp4"}));
  EXPECT_EQ(Records(), QStringList(2, kBlank30));
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("2"));
  EXPECT_TRUE(Calls().empty());

  const struct {
    const char* path;
    bool slide;
  } cases[] = {
      {"C:/A/B.JPG", true}, {"x.Mp4", true},      {"/a/b.psd", true}, {"/a/b.avi", true},
      {"x.jpeg", false},    {"x.jpg.bak", false}, {"README", false},  {"/my.pics/README", false},
      {"/a/.png", true},    {"/a/b.", false}};
  for (const auto& c : cases)
    EXPECT_EQ(w.IsTargetFile(QString::fromUtf8(c.path)), c.slide) << c.path;
}

TEST_F(ArrangeTest, EmptyingTheListAsksAndForgetsTheSlideshowFile) {
  listeditor::Form3& w = OpenEditor();
  w.Command4.DoClick();  // empty: no question
  EXPECT_TRUE(Calls().empty());

  NumberedRows(3);
  core::Paths().SlideshowFileName = QStringLiteral("show.kvz");
  core::Paths().SlideshowFilePath = QStringLiteral("/s/show.kvz");
  core::Lists().LastShownSlideIndex = 2;
  core::form1().SetCaption(QStringLiteral("show.kvz"));
  Answer(platform::vbNo);
  w.Command4.DoClick();
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].text, QStringLiteral("スライドリストをすべて消去しますか ?"));
  EXPECT_EQ(Calls()[0].title, QStringLiteral("一括取消"));
  EXPECT_EQ(Calls()[0].buttons, platform::vbYesNo);
  EXPECT_EQ(Calls()[0].icon, platform::vbQuestion);
  EXPECT_EQ(Rows().size(), 3);

  Answer(platform::vbYes);
  w.Command4.DoClick();
  EXPECT_TRUE(Rows().isEmpty());
  EXPECT_TRUE(Records().isEmpty());
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("0"));
  EXPECT_EQ(core::form1().Caption(), core::ProgramTitle());
  EXPECT_TRUE(core::Paths().SlideshowFileName.isEmpty());
  EXPECT_TRUE(core::Paths().SlideshowFilePath.isEmpty());
  EXPECT_EQ(core::Lists().LastShownSlideIndex, 0);
  EXPECT_TRUE(w.PreviewedPath.isEmpty());
}

TEST_F(ArrangeTest, RemovingKeepsTheSlideshowFileAndTheInsertKeyTogglesInsertMode) {
  listeditor::Form3& w = OpenEditor();
  NumberedRows(5);
  core::Paths().SlideshowFileName = QStringLiteral("show.kvz");
  w.Command16.SetEnabled(true);
  Select({});
  w.Command5.DoClick();  // nothing selected: nothing removed, the row buttons still go off
  EXPECT_EQ(Rows().size(), 5);
  EXPECT_FALSE(w.Command16.Enabled());
  EXPECT_EQ(core::Paths().SlideshowFileName, QStringLiteral("show.kvz"));

  test_support::KeyClick(&w.List1, Qt::Key_Insert);
  EXPECT_EQ(w.Check6.Value(), 1);
  test_support::KeyClick(&w.List1, Qt::Key_Insert);
  EXPECT_EQ(w.Check6.Value(), 0);
  EXPECT_TRUE(Calls().empty());
}

}  // namespace
}  // namespace form3_test
