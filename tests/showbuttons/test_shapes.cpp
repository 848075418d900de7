// The outlines: their points, which pixels their regions hold, the cut-out point file
// reader and which control gets the outline.
#include <QRegion>

#include "showbuttons/shapes.h"
#include "tests/showbuttons/buttons_fixture.h"

namespace buttons_test {
namespace {

using CutoutPolygon = core::CutoutPoints;

TEST(ButtonShapes, PointsRoundWithTheProgramsPiAndHalvesToEven) {
  const QPolygon diamond = showbuttons::DiamondPoints(100, 100);
  EXPECT_EQ(diamond, QPolygon({{50, 0}, {0, 50}, {50, 100}, {100, 50}}));
  const QPolygon star = showbuttons::StarPoints(100, 100);
  EXPECT_EQ(star, QPolygon({{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}}));
  const QPolygon ellipse = showbuttons::EllipsePoints(100, 100);
  ASSERT_EQ(ellipse.size(), 360);
  EXPECT_EQ(ellipse[0], QPoint(100, 50));
  EXPECT_EQ(ellipse[90], QPoint(50, 100));
  EXPECT_EQ(ellipse[180], QPoint(0, 50));
  EXPECT_EQ(ellipse[270], QPoint(50, 0));
  EXPECT_EQ(ellipse[359], QPoint(100, 49));
  const QPolygon heart = showbuttons::HeartPoints(200, 150);
  ASSERT_EQ(heart.size(), 461);
  const std::pair<int, QPoint> heartPoints[] = {
      {0, {90, 50}},     {90, {145, 0}},  {180, {200, 50}}, {229, {181, 88}},
      {230, {100, 150}}, {231, {19, 88}}, {460, {110, 50}},
  };
  for (const auto& [i, point] : heartPoints) EXPECT_EQ(heart[i], point) << "heart point " << i;
  EXPECT_EQ(showbuttons::RectanglePoints(40, 30), QPolygon({{0, 0}, {40, 0}, {40, 30}, {0, 30}}));
}

// Pixels inside and outside each outline of a 100 x 100 button (the heart 200 x 150).
TEST(ButtonShapes, RegionsHoldTheirInsideAndNotTheirOutside) {
  struct Case {
    const char* what;
    QPolygon points;
    QPoint at;
    bool inside;
  } cases[] = {
      {"rectangle top-left", showbuttons::RectanglePoints(100, 100), {0, 0}, true},
      {"rectangle last pixel", showbuttons::RectanglePoints(100, 100), {99, 99}, true},
      {"rectangle right edge", showbuttons::RectanglePoints(100, 100), {100, 50}, false},
      {"ellipse centre", showbuttons::EllipsePoints(100, 100), {50, 50}, true},
      {"ellipse near left edge", showbuttons::EllipsePoints(100, 100), {2, 50}, true},
      {"ellipse near bottom edge", showbuttons::EllipsePoints(100, 100), {50, 97}, true},
      {"ellipse corner", showbuttons::EllipsePoints(100, 100), {5, 5}, false},
      {"ellipse beside the corner", showbuttons::EllipsePoints(100, 100), {13, 13}, false},
      {"diamond centre", showbuttons::DiamondPoints(100, 100), {50, 50}, true},
      {"diamond corner", showbuttons::DiamondPoints(100, 100), {10, 10}, false},
      {"star centre (winding rule)", showbuttons::StarPoints(100, 100), {50, 55}, true},
      {"star top tip", showbuttons::StarPoints(100, 100), {50, 8}, true},
      {"star left arm", showbuttons::StarPoints(100, 100), {12, 38}, true},
      {"star between the top arms", showbuttons::StarPoints(100, 100), {25, 15}, false},
      {"star between the feet", showbuttons::StarPoints(100, 100), {50, 90}, false},
      {"heart left lobe", showbuttons::HeartPoints(200, 150), {55, 40}, true},
      {"heart right lobe", showbuttons::HeartPoints(200, 150), {145, 40}, true},
      {"heart where the lobes overlap", showbuttons::HeartPoints(200, 150), {100, 60}, true},
      {"heart notch between the lobes", showbuttons::HeartPoints(200, 150), {100, 5}, false},
      {"heart above the tip", showbuttons::HeartPoints(200, 150), {100, 140}, true},
      {"heart beside the tip", showbuttons::HeartPoints(200, 150), {30, 140}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(showbuttons::OutlineRegion(c.points).contains(c.at), c.inside) << c.what;
  }
}

class PointFileTest : public ButtonsTest {};

TEST_F(PointFileTest, AGoodFileGivesItsPointsAndTheirBox) {
  const QString path = PointFile(QStringLiteral("shape.dat"),
                                 {" KVZ_PICTYPE_DATA ", " 10, 20", "", "60,5", "35,50", "-3,44"});
  const CutoutPolygon polygon = core::ReadCutoutPointFile(path);
  EXPECT_TRUE(polygon.tagged);
  EXPECT_EQ(polygon.points, QPolygon({{10, 20}, {60, 5}, {35, 50}, {-3, 44}}));
  EXPECT_EQ(polygon.left, -3);
  EXPECT_EQ(polygon.top, 5);
  EXPECT_EQ(polygon.right, 60);
  EXPECT_EQ(polygon.bottom, 50);
}

TEST_F(PointFileTest, FilesWithoutTheTagOrWithoutTheFileGiveNothing) {
  const QString lowerTag =
      PointFile(QStringLiteral("lower.dat"), {"kvz_pictype_data", "1,1", "9,1", "5,9"});
  const QString noTag = PointFile(QStringLiteral("notag.dat"), {"1,1", "9,1", "5,9"});
  const QString empty = PointFile(QStringLiteral("empty.dat"), {});
  for (const QString& path :
       {lowerTag, noTag, empty, dir_.filePath(QStringLiteral("missing.dat"))}) {
    const CutoutPolygon polygon = core::ReadCutoutPointFile(path);
    EXPECT_FALSE(polygon.tagged) << path.toStdString();
    EXPECT_TRUE(polygon.points.isEmpty());
    EXPECT_EQ(polygon.left, 9999);
    EXPECT_EQ(polygon.bottom, 0);
  }
}

TEST_F(PointFileTest, OnlyTheFirst5000PointsAreRead) {
  QStringList lines = {"KVZ_PICTYPE_DATA"};
  for (int i = 0; i < 6000; ++i) lines << QStringLiteral("%1,%2").arg(i % 300).arg(i / 300);
  const CutoutPolygon polygon =
      core::ReadCutoutPointFile(PointFile(QStringLiteral("big.dat"), lines));
  ASSERT_EQ(polygon.points.size(), 5000);
  EXPECT_EQ(polygon.points.last(), QPoint(4999 % 300, 4999 / 300));
  EXPECT_EQ(polygon.bottom, 4999 / 300);
}

// The outline goes to the copy of the surface in use, computed from the show copy's size.
TEST_F(ButtonsTest, TheOutlineGoesToTheCopyOfTheSurfaceInUse) {
  for (short full : {1, 0}) {
    Show(4).clearMask();
    Window(4).clearMask();
    core::Flags().FullScreenShowActive = full;
    Show(4).SetPicture(QImage(100, 100, QImage::Format_RGB32));
    Window(4).SetPicture(QImage(60, 60, QImage::Format_RGB32));
    showbuttons::ApplyDiamondShape(4);
    platform::PictureBox& inUse = full ? Show(4) : Window(4);
    platform::PictureBox& other = full ? Window(4) : Show(4);
    EXPECT_EQ(inUse.mask(), showbuttons::OutlineRegion(showbuttons::DiamondPoints(100, 100)));
    EXPECT_TRUE(other.mask().isEmpty());
    EXPECT_FALSE(Show(4).Visible());
    EXPECT_FALSE(Window(4).Visible());
  }
}

TEST_F(ButtonsTest, APolygonFileThatFailsKeepsTheOutlineTheControlHad) {
  Show(6).SetPicture(QImage(100, 100, QImage::Format_RGB32));
  showbuttons::ApplyEllipseShape(6);
  const QRegion ellipse = Show(6).mask();
  core::Buttons().PicButtonShapeLefts[6] = 3;
  showbuttons::ApplyPolygonShape(6, dir_.filePath(QStringLiteral("missing.dat")));
  EXPECT_EQ(Show(6).mask(), ellipse);
  EXPECT_EQ(core::Buttons().PicButtonShapeLefts[6], 9999);
  EXPECT_EQ(core::Buttons().PicButtonShapeTops[6], 9999);
  EXPECT_EQ(core::Buttons().PicButtonShapeRights[6], 0);
  EXPECT_EQ(core::Buttons().PicButtonShapeBottoms[6], 0);

  showbuttons::ApplyPolygonShape(
      6, PointFile(QStringLiteral("tri.dat"), {"KVZ_PICTYPE_DATA", "10,10", "90,10", "50,80"}));
  EXPECT_TRUE(Show(6).mask().contains(QPoint(50, 30)));
  EXPECT_FALSE(Show(6).mask().contains(QPoint(12, 70)));
  EXPECT_EQ(core::Buttons().PicButtonShapeRights[6], 90);
}

// A file with the tag and fewer than three points hides the whole button, clicks included.
TEST_F(ButtonsTest, AShortPointFileLeavesNothingOfTheButton) {
  Show(7).SetPicture(QImage(50, 50, QImage::Format_RGB32));
  showbuttons::ApplyPolygonShape(
      7, PointFile(QStringLiteral("short.dat"), {"KVZ_PICTYPE_DATA", "5,5", "40,40"}));
  const QRegion mask = Show(7).mask();
  EXPECT_FALSE(mask.isEmpty());  // an empty mask would show the whole button
  EXPECT_TRUE((mask & QRegion(0, 0, 50, 50)).isEmpty());
  EXPECT_EQ(core::Buttons().PicButtonShapeLefts[7], 5);
  EXPECT_EQ(core::Buttons().PicButtonShapeBottoms[7], 40);
}

}  // namespace
}  // namespace buttons_test
