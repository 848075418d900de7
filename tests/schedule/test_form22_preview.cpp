// The schedule editor's preview: the fit into the frame, the loaders by file kind, movies
// as "mp4.bmp", the redraw only for a new path, and the "プレビューあり" box.
#include <QFile>

#include "core/form4.h"
#include "schedule_fixture.h"

namespace {

using namespace schedule_test;
using schedule::Form22;

struct FitCase {
  double pw, ph;
  schedule::PreviewPlace place;
};

TEST(FitPreview, FitsIntoNineTenthsOfTheFrameAndCentres) {
  const FitCase cases[] = {
      {60000, 15000, {197.5, 1123.5, 3555, 888}},  // by width
      {1500, 1500, {618.5, 211, 2713, 2713}},      // enlarged, by height
      {3950, 3015, {197.5, 211, 3555, 2713}},      // the frame's own shape
  };
  for (const FitCase& c : cases) {
    const schedule::PreviewPlace p = schedule::FitPreview(3950, 3015, c.pw, c.ph);
    EXPECT_DOUBLE_EQ(p.left, c.place.left) << c.pw;
    EXPECT_DOUBLE_EQ(p.top, c.place.top) << c.pw;
    EXPECT_EQ(p.width, c.place.width) << c.pw;
    EXPECT_EQ(p.height, c.place.height) << c.pw;
  }
}

class SchedulePreviewTest : public ScheduleEditorTest {
 public:
  static Form22& E() { return schedule::form22(); }
  // The colour in the middle of what the preview shows; invalid when it shows nothing.
  static QColor Shown() {
    const QImage& p = E().Image1.Picture();
    return p.isNull() ? QColor() : p.pixelColor(p.width() / 2, p.height() / 2);
  }
};

TEST_F(SchedulePreviewTest, EachKindGoesThroughItsLoaderAndMoviesShowThePlaceholder) {
  const QString jpg = Picture("a.JPG", Qt::red);
  const QString png = Picture("b.png", Qt::green);
  const QString jpeg = Picture("c.jpeg", Qt::blue);
  QImage film(16, 12, QImage::Format_RGB32);
  film.fill(Qt::yellow);
  ASSERT_TRUE(film.save(core::Paths().AppFolder + "mp4.bmp", "BMP"));
  SetSlides({jpg, png, jpeg, dir.filePath("clip.MoV")});
  Open();
  E().Frame1.Move(E().Frame1.Left(), E().Frame1.Top(), 3950, 3015);
  E().PreviewedPath = "x";

  struct Row {
    int row;
    QColor colour;
    QString label;
    bool throughImaging;
  } rows[] = {{1, Qt::red, "a.JPG", false},
              {2, Qt::green, "b.png", true},
              {3, Qt::blue, "c.jpeg", true},
              {4, Qt::yellow, "", false}};  // the movie file is not there: no name
  for (const Row& r : rows) {
    core::form4().Lead1.ReleaseImage();
    E().MSFlexGrid1.SetRow(r.row);
    EXPECT_EQ(Shown().rgb() & 0xF0F0F0, r.colour.rgb() & 0xF0F0F0) << r.row;
    EXPECT_EQ(E().Label1.Caption(), r.label) << r.row;
    EXPECT_EQ(core::form4().Lead1.HasImage(), r.throughImaging) << r.row;
  }
  // 40 x 30 pixels, wider than the box: fitted by width into the frame.
  E().MSFlexGrid1.SetRow(1);
  EXPECT_NEAR(E().Image1.Width(), 3555, 15);
  EXPECT_NEAR(E().Image1.Height(), 2666, 15);
  EXPECT_EQ(platform::ScreenMousePointer(), 0);
}

TEST_F(SchedulePreviewTest, OnlyANewPathRedrawsAndAMissingFileEmptiesThePreview) {
  const QString a = Picture("a.png", Qt::red);
  SetSlides({a, dir.filePath("gone.png"), "ab"});
  Open();
  E().MSFlexGrid1.SetRow(1);
  E().MSFlexGrid1.SetCol(1);
  ASSERT_TRUE(Shown().isValid());
  QFile::remove(a);
  E().MSFlexGrid1.SetCol(3);  // same row, same path: nothing loaded again
  EXPECT_TRUE(Shown().isValid());

  E().MSFlexGrid1.SetRow(2);
  EXPECT_FALSE(Shown().isValid());
  EXPECT_EQ(E().Label1.Caption(), QString());
  EXPECT_EQ(E().PreviewedPath, dir.filePath("gone.png"));
  E().MSFlexGrid1.SetRow(3);  // a path of two characters
  EXPECT_FALSE(Shown().isValid());
  EXPECT_EQ(platform::ScreenMousePointer(), 0);
}

TEST_F(SchedulePreviewTest, UntickedPreviewRecordsThePathAndDrawsNothing) {
  const QString a = Picture("a.png", Qt::red);
  const QString b = Picture("b.png", Qt::green);
  SetSlides({a, b});
  Open();
  E().MSFlexGrid1.SetRow(1);
  E().PreviewedPath.clear();
  E().ShowSchedulePreview(a);
  ASSERT_TRUE(Shown().isValid());
  E().Check1.SetValue(0);
  EXPECT_FALSE(Shown().isValid()) << "unticking empties it";
  E().MSFlexGrid1.SetRow(2);
  EXPECT_EQ(E().PreviewedPath, b);
  EXPECT_FALSE(Shown().isValid());
  E().Check1.SetValue(1);
  E().ShowSchedulePreview(b);
  EXPECT_FALSE(Shown().isValid()) << "ticking draws nothing until another row";
  E().MSFlexGrid1.SetRow(1);
  EXPECT_EQ(Shown().rgb() & 0xF0F0F0, QColor(Qt::red).rgb() & 0xF0F0F0);
}

}  // namespace
