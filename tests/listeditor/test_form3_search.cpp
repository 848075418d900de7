// The slide list window's folder search: the type chooser and its pattern, the order in
// which a tree's files arrive, the buttons that end a running search, and the limit.
#include <QTimer>
#include <functional>

#include "form3_fixture.h"
#include "listeditor/form18.h"

namespace form3_test {
namespace {

class SearchTest : public Form3Test {
 protected:
  void SetUp() override {
    Form3Test::SetUp();
    // R with subfolders A (A1, A2) and B; a picture in each folder, and files of other kinds.
    root_ = QDir::cleanPath(pictures_.path());
    for (const char* f : {"r.jpg", "r.txt", "A/a.PNG", "A/A1/a1.bmp", "A/A2/a2.jpg", "A/A2/a2.tif",
                          "B/b.avi", "B/写真.JPG"}) {
      const QString path = root_ + QLatin1Char('/') + QString::fromUtf8(f);
      QDir().mkpath(QFileInfo(path).path());
      QFile file(path);
      EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    }
  }
  void TearDown() override {
    if (auto* c = listeditor::Form18IfLoaded()) c->Unload();
    Form3Test::TearDown();
  }

  // "検索" with the chooser answered: `choose` ticks boxes and presses a button.
  static void Search(const std::function<void(listeditor::Form18&)>& choose) {
    QTimer::singleShot(0, [choose] { choose(listeditor::form18()); });
    Editor().Command8.DoClick();
  }
  static void SearchWithOpeningTypes() {
    Search([](listeditor::Form18& c) { c.Command3.DoClick(); });
  }
  QStringList Found() const {
    QStringList names;
    for (const QString& p : Rows()) names << p.mid(root_.size() + 1);
    return names;
  }

  QString root_;
};

TEST_F(SearchTest, DeepestAndLastFoldersFirstTheStartFolderLast) {
  listeditor::Form3& w = OpenEditor();
  w.Dir1.SetPath(root_);
  SearchWithOpeningTypes();
  EXPECT_EQ(core::Paths().SearchPattern,
            QStringLiteral("*.BMP;*.JPG;*.PNG;*.MP4;*.WMV;*.MOV;*.AVI"));
  EXPECT_EQ(Found(), QStringList({"B/b.avi", "B/写真.JPG", "A/A2/a2.jpg", "A/A1/a1.bmp", "A/a.PNG",
                                  "r.jpg"}));
  EXPECT_EQ(Records(), QStringList(6, kBlank30));
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("6"));
  // Back to idle, on the start folder.
  EXPECT_FALSE(w.SearchRunning);
  EXPECT_EQ(w.Command8.Caption(), QStringLiteral("検索"));
  EXPECT_FALSE(w.Label1.Visible());
  EXPECT_EQ(w.File1.Pattern(), listeditor::kSlidePatterns);
  EXPECT_EQ(w.Dir1.Path(), root_);
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(listeditor::Form18IfLoaded(), nullptr);
}

TEST_F(SearchTest, TheChooserMakesThePatternInBoxOrder) {
  listeditor::Form3& w = OpenEditor();
  w.Dir1.SetPath(root_);
  const struct {
    const char* what;
    std::function<void(listeditor::Form18&)> choose;
    const char* pattern;
    int found;
  } cases[] = {
      {"only AVI",
       [](listeditor::Form18& c) {
         c.Command2.DoClick();
         c.Check1(22).SetValue(1);
         c.Command3.DoClick();
       },
       "*.AVI", 1},
      {"all types",
       [](listeditor::Form18& c) {
         c.Command1.DoClick();
         c.Command3.DoClick();
       },
       "*.BMP;*.JPG;*.JFF;*.JTF;*.TIF;*.TGA;*.PCX;*.CAL;*.MAC;*.IMG;*.MSP;*.WPG;*.RAS;*.PCT;*.PCD;"
       "*.EPS;*.PSD;*.CMP;*.PNG;*.MP4;*.WMV;*.MOV;*.AVI",
       7},
      {"nothing ticked",
       [](listeditor::Form18& c) {
         c.Command2.DoClick();
         c.Command3.DoClick();
       },
       "", 0},
      {"cancelled", [](listeditor::Form18& c) { c.Command4.DoClick(); }, "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    w.List1.Clear();
    w.List2.Clear();
    Search(c.choose);
    EXPECT_EQ(core::Paths().SearchPattern, QString::fromLatin1(c.pattern));
    EXPECT_EQ(w.List1.ListCount(), c.found);
    EXPECT_EQ(listeditor::Form18IfLoaded(), nullptr);
  }
}

TEST_F(SearchTest, AGuardedButtonDuringTheSearchOnlyEndsIt) {
  listeditor::Form3& w = OpenEditor();
  w.Dir1.SetPath(root_);
  const struct {
    const char* what;
    platform::CommandButton* button;
  } cases[] = {{"中止", &w.Command8}, {"選択取消", &w.Command5},        {"一括取消", &w.Command4},
               {"↑", &w.Command13},   {"縮小変換コピー", &w.Command12}, {"OK", &w.Command1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetRows({QStringLiteral("/p/keep.png")});
    w.List1.SetSelected(0, true);
    // The first folder's files arrive: the button is clicked, as a user clicks it while the
    // window runs its events.
    bool clicked = false;
    QMetaObject::Connection arrival =
        QObject::connect(w.List1.model(), &QAbstractItemModel::rowsInserted, &w, [&] {
          if (clicked) return;
          clicked = true;
          EXPECT_TRUE(w.SearchRunning);
          EXPECT_EQ(w.Command8.Caption(), QStringLiteral("中止"));
          EXPECT_TRUE(w.Label1.Visible());
          QTimer::singleShot(0, c.button, [b = c.button] { b->DoClick(); });
        });
    SearchWithOpeningTypes();
    QObject::disconnect(arrival);
    EXPECT_TRUE(clicked);
    // The click only ended the search: nothing removed, the folder's files kept, no dialog.
    EXPECT_EQ(Rows().first(), QStringLiteral("/p/keep.png"));
    EXPECT_EQ(Found().mid(1), QStringList({"B/b.avi", "B/写真.JPG"}));
    EXPECT_EQ(Records().size(), Rows().size());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(Calls().empty());
    EXPECT_FALSE(w.SearchRunning);
    EXPECT_EQ(w.Command8.Caption(), QStringLiteral("検索"));
    EXPECT_EQ(w.File1.Pattern(), listeditor::kSlidePatterns);
  }
}

TEST_F(SearchTest, TheLimitEndsTheSearchOnceAndTheNextSearchOnlyClearsIt) {
  listeditor::Form3& w = OpenEditor();
  w.Dir1.SetPath(root_);
  SetRows(QStringList(29997, QStringLiteral("/p/x.png")));
  SearchWithOpeningTypes();
  EXPECT_EQ(w.List1.ListCount(), 30000);
  EXPECT_EQ(w.List2.ListCount(), 30000);
  EXPECT_EQ(Rows().mid(29997),
            QStringList({root_ + QStringLiteral("/B/b.avi"), root_ + QStringLiteral("/B/写真.JPG"),
                         root_ + QStringLiteral("/A/A2/a2.jpg")}));
  EXPECT_EQ(Titles(), QStringList({"ｽﾗｲﾄﾞｼｮｰ"}));
  EXPECT_EQ(w.ListFullStop, 1);
  EXPECT_FALSE(w.SearchRunning);

  // Room again: the first search after the limit still only clears the stop.
  SetRows({});
  SearchWithOpeningTypes();
  EXPECT_EQ(w.ListFullStop, 0);
  EXPECT_EQ(w.List1.ListCount(), 0);
  SearchWithOpeningTypes();
  EXPECT_EQ(w.List1.ListCount(), 6);
}

TEST_F(SearchTest, StartsAtTheHighlightedFolderAndDoesNotLoopThroughALink) {
  listeditor::Form3& w = OpenEditor();
  ASSERT_TRUE(QFile::link(root_, root_ + QStringLiteral("/A/back")));
  w.Dir1.SetPath(root_);
  w.Dir1.SetListIndex(0);  // A
  SearchWithOpeningTypes();
  // The link leads to R, not entered yet: walked once, and A is not walked a second time.
  EXPECT_EQ(Found(), QStringList({"A/back/B/b.avi", "A/back/B/写真.JPG", "A/back/r.jpg",
                                  "A/A2/a2.jpg", "A/A1/a1.bmp", "A/a.PNG"}));
  EXPECT_EQ(w.Dir1.Path(), root_ + QStringLiteral("/A"));
}

}  // namespace
}  // namespace form3_test
