// The slide preview: the clicked row's picture fitted into the frame, the placeholder the
// build draws for movies, damaged files, the "画像表示" switch, and the per-row buttons that
// show whether a row's macro text and linked sound exist.
#include <QFileInfo>
#include <QItemSelectionModel>

#include "form3_fixture.h"
#include "tests/support/input.h"

namespace form3_test {
namespace {

class PreviewTest : public Form3Test {
 protected:
  void SetUp() override {
    Form3Test::SetUp();
    core::Settings().DblClickPicture = 1;  // "画像表示" on, as the default settings have it
  }
  // A picture of w x h pixels in one colour, in the format its name says.
  QString Picture(const QString& name, int w, int h, const QColor& colour = Qt::red) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = pictures_.filePath(name);
    EXPECT_TRUE(image.save(path)) << name.toStdString();
    return path;
  }
  static QRect Placed() {
    const platform::ImageBox& i = Editor().Image1;
    return QRect(i.Left(), i.Top(), i.Width(), i.Height());
  }
  static void ClickRow(int row) {
    listeditor::Form3& w = Editor();
    w.List1.selectionModel()->clearSelection();
    const QRect r = w.List1.visualRect(w.List1.model()->index(row, 0));
    ASSERT_TRUE(r.isValid());
    test_support::ClickAt(w.List1.viewport(), r.center());
  }
  static bool On(const platform::CommandButton& b) { return b.Enabled(); }
};

TEST_F(PreviewTest, PicturesAreFittedIntoNineTenthsOfTheFrame) {
  listeditor::Form3& w = OpenEditor();
  EXPECT_EQ(w.Check1.Value(), 1);
  w.Frame1.Move(w.Frame1.Left(), w.Frame1.Top(), 3000, 3000);
  const struct {
    const char* name;
    int w, h;
    QRect placed;  // twips: left, top, width, height
  } cases[] = {
      {"wide.png", 200, 100, QRect(150, 885, 2700, 1350)},  // through the imaging control
      {"wide.jpg", 400, 200, QRect(150, 885, 2700, 1350)},  // through LoadPicture
      {"small.bmp", 20, 20, QRect(150, 210, 2700, 2700)},   // enlarged
      {"tall.tif", 50, 100, QRect(825, 210, 1350, 2700)},
  };
  QStringList paths;
  for (const auto& c : cases) paths << Picture(QString::fromLatin1(c.name), c.w, c.h);
  SetRows(paths);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(cases[i].name);
    ClickRow(i);
    EXPECT_EQ(w.PreviewedPath, paths[i]);
    EXPECT_EQ(Placed(), cases[i].placed);
    ASSERT_FALSE(w.Image1.Picture().isNull());
    EXPECT_TRUE(Near(w.Image1.Picture().pixelColor(0, 0), Qt::red));  // a JPEG's colour is near
  }
  EXPECT_EQ(w.ListClicked, 1);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(PreviewTest, AMovieShowsThePlaceholderTheBuildDrew) {
  const QString shipped =
      QFileInfo(QStringLiteral(SLIDESHOW_BIN)).path() + QStringLiteral("/resources/mp4.bmp");
  ASSERT_TRUE(QFileInfo::exists(shipped)) << "the build draws it next to the program";
  ASSERT_TRUE(QFile::copy(shipped, core::Paths().AppFolder + QStringLiteral("mp4.bmp")));
  const QImage placeholder(shipped);
  ASSERT_EQ(placeholder.size(), QSize(160, 120));

  listeditor::Form3& w = OpenEditor();
  w.Frame1.Move(w.Frame1.Left(), w.Frame1.Top(), 3000, 3000);
  const QString movie = pictures_.filePath(QStringLiteral("clip.MP4"));
  Touch(QStringLiteral("clip.wav"));
  SetRows({movie});
  ClickRow(0);
  // 160 x 120 fitted: 2700 wide, 2025 high, its top at 547.5 twips (to the nearest pixel).
  EXPECT_EQ(Placed().left(), 150);
  EXPECT_NEAR(Placed().top(), 547.5, 7.5);
  EXPECT_EQ(Placed().size(), QSize(2700, 2025));
  const QImage shown = w.Image1.Picture().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), placeholder.size());
  EXPECT_EQ(shown, placeholder.convertToFormat(QImage::Format_RGB32));
  // Movies have no macro text nor cut-out; their linked sound buttons work.
  EXPECT_FALSE(On(w.Command16));
  EXPECT_FALSE(On(w.Command17));
  EXPECT_FALSE(On(w.Command25));
  EXPECT_TRUE(On(w.Command18));
  EXPECT_TRUE(On(w.Command19));
  EXPECT_TRUE(On(w.Command20));
}

TEST_F(PreviewTest, TheRowButtonsShowWhatLinkedFilesExist) {
  listeditor::Form3& w = OpenEditor();
  const QString a = Picture(QStringLiteral("a.png"), 10, 10);
  const QString b = Picture(QStringLiteral("b.jpg"), 10, 10);
  Touch(QStringLiteral("a.txt"));
  Touch(QStringLiteral("b.mp3"));
  QTemporaryDir linked;
  QFile(linked.filePath(QStringLiteral("b.txt"))).open(QIODevice::WriteOnly);
  SetRows({a, b});
  const struct {
    const char* what;
    int row;
    short inFolder;
    bool text, sound;
  } cases[] = {
      {"a: text beside it, no sound", 0, 0, true, false},
      {"b: an MP3 beside it", 1, 0, false, true},
      {"b with the linked-files folder: its text there", 1, 1, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    core::Paths().LinkedFilesInFolder = c.inFolder;
    core::Paths().LinkedFilesFolder = QDir::cleanPath(linked.path());
    ClickRow(c.row);
    EXPECT_TRUE(On(w.Command16));
    EXPECT_TRUE(On(w.Command25));
    EXPECT_TRUE(On(w.Command18));
    EXPECT_TRUE(On(w.Command20));
    EXPECT_EQ(On(w.Command17), c.text);
    EXPECT_EQ(On(w.Command19), c.sound);
  }

  // Two rows selected: the current row is shown, every row button goes off.
  core::Paths().LinkedFilesInFolder = 0;
  ClickRow(0);
  w.List1.SetSelected(1, true);
  w.List1.SetListIndex(1);
  EXPECT_EQ(w.List1.SelCount(), 2);
  EXPECT_EQ(w.PreviewedPath, b);
  for (platform::CommandButton* off :
       {&w.Command16, &w.Command17, &w.Command18, &w.Command19, &w.Command20, &w.Command25})
    EXPECT_FALSE(On(*off)) << off->Caption().toStdString();
}

TEST_F(PreviewTest, ADamagedFileLeavesThePreviewEmptyWithoutAMessage) {
  listeditor::Form3& w = OpenEditor();
  const QString good = Picture(QStringLiteral("good.png"), 20, 10);
  const QString bad = pictures_.filePath(QStringLiteral("bad.jpg"));
  {
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xFF\xD8 not really a picture");
  }
  const QString gone = QStringLiteral("/p/gone.psd");
  SetRows({good, bad, gone});
  for (int row : {0, 1, 1, 0, 2}) {
    SCOPED_TRACE(row);
    ClickRow(row);
    EXPECT_EQ(w.Image1.Picture().isNull(), row != 0);
    EXPECT_EQ(w.Picture1.Picture().isNull(), row != 0);
    EXPECT_EQ(w.PreviewedPath, Rows()[row]);
  }
  EXPECT_TRUE(Calls().empty());
}

TEST_F(PreviewTest, WithThePictureSwitchOffAClickChangesNothingAndIsNotRemembered) {
  listeditor::Form3& w = OpenEditor();
  const QString a = Picture(QStringLiteral("a.png"), 10, 10, Qt::red);
  const QString b = Picture(QStringLiteral("b.png"), 10, 10, Qt::blue);
  SetRows({a, b});
  ClickRow(0);
  w.Command16.SetEnabled(false);
  w.Check1.SetValue(0);
  ClickRow(1);
  EXPECT_EQ(w.PreviewedPath, a);
  EXPECT_EQ(w.Image1.Picture().pixelColor(0, 0).rgb(), QColor(Qt::red).rgb());
  EXPECT_FALSE(On(w.Command16));
  w.Check1.SetValue(1);
  ClickRow(1);
  EXPECT_EQ(w.PreviewedPath, b);
  EXPECT_EQ(w.Image1.Picture().pixelColor(0, 0).rgb(), QColor(Qt::blue).rgb());
  EXPECT_TRUE(On(w.Command16));

  // Removing rows empties the preview; the row shown before shows again on its click.
  w.List1.selectionModel()->clearSelection();
  w.Command5.DoClick();
  EXPECT_TRUE(w.Image1.Picture().isNull());
  EXPECT_TRUE(w.PreviewedPath.isEmpty());
  ClickRow(1);
  EXPECT_EQ(w.Image1.Picture().pixelColor(0, 0).rgb(), QColor(Qt::blue).rgb());

  // Coming back to the window repeats the click: the preview follows the list.
  w.Form_Activate();
  EXPECT_EQ(w.PreviewedPath, b);
}

}  // namespace
}  // namespace form3_test
