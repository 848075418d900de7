// What the user sees: a macro places buttons of every outline from PNG (with and without
// transparency) and JPEG pictures, removes one, places it again elsewhere and moves
// another; the screens show each button inside its outline and the slide around it.
#include <QPixmap>

#include "tests/showbuttons/buttons_fixture.h"

namespace buttons_test {
namespace {

const QColor kMagenta(220, 0, 220);
const QColor kOrange(250, 140, 0);

class ButtonsOnScreenTest : public ButtonsTest {
 public:
  void SetUp() override {
    ButtonsTest::SetUp();
    Preview().resize(400, 200);  // as large as the show surface, so the same row fits
    Picture(QStringLiteral("plain.png"), 60, 40, kGreen);
    Picture(QStringLiteral("photo.jpg"), 60, 40, kOrange, "JPEG");
    // Left half see-through, right half magenta.
    QImage clear(60, 40, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    for (int y = 0; y < 40; ++y)
      for (int x = 30; x < 60; ++x) clear.setPixelColor(x, y, kMagenta);
    ASSERT_TRUE(clear.save(dir_.filePath(QStringLiteral("clear.png"))));
    PointFile(QStringLiteral("tri.dat"), {"KVZ_PICTYPE_DATA", "0,0", "59,0", "0,39"});
  }

  // Places six buttons in a row, one of each outline, then takes the rectangle away, puts
  // it back lower down and moves the star.
  void RunTheShowMacro() {
    Run({
        "CURRENTY=10",
        "CURRENTX=10",
        R"(PICPB01(0,"plain.png"))",  // rectangle
        "PICPBTYPE=1",
        "CURRENTX=80",
        R"(PICPB02(0,"clear.png"))",  // ellipse
        "PICPBTYPE=2",
        "CURRENTX=150",
        R"(PICPB03(0,"photo.jpg"))",  // diamond
        "PICPBTYPE=3",
        "CURRENTX=220",
        R"(PICPB04(0,"plain.png"))",  // star
        "PICPBTYPE=4",
        "CURRENTX=290",
        R"(PICPB05(0,"plain.png"))",  // heart
        "PICPBDATA(6,tri.dat)",
        "CURRENTY=100",
        "CURRENTX=10",
        R"(PICPB06(0,"plain.png"))",  // polygon
        R"(PICPB01(0,""))",
        "PICPBTYPE=0",
        "CURRENTX=100",
        R"(PICPB01(0,"plain.png"))",
        "MOVPB04(0,90)",
    });
  }

  // The surface with its children as the screen shows it.
  static QImage Shown(QWidget& surface) { return surface.grab().toImage(); }
};

TEST_F(ButtonsOnScreenTest, TheShowScreenShowsEachButtonInsideItsOutline) {
  P2().SetBackColor(kBack);
  RunTheShowMacro();
  const QImage shown = Shown(P2());
  struct Probe {
    const char* what;
    QPoint at;
    QColor colour;
  } probes[] = {
      {"removed rectangle: background copy", {40, 30}, kYellow},
      {"rectangle again, corner", {100, 100}, kGreen},
      {"rectangle again, far corner", {159, 139}, kGreen},
      {"ellipse, opaque half", {125, 30}, kMagenta},
      {"ellipse, outside", {81, 11}, kBack},
      {"diamond (JPEG), centre", {180, 30}, kOrange},
      {"diamond, outside", {152, 12}, kBack},
      {"star, where it was", {250, 30}, kYellow},
      {"star, moved down: centre", {250, 122}, kGreen},
      {"star, moved down: between its arms", {224, 102}, kYellow},
      {"heart, lobe", {305, 20}, kGreen},
      {"heart, notch", {320, 11}, kBack},
      {"polygon, inside", {15, 105}, kGreen},
      {"polygon, outside", {60, 135}, kBack},
  };
  for (const Probe& p : probes) {
    EXPECT_TRUE(Near(shown.pixelColor(p.at), p.colour, 40))
        << p.what << ": " << shown.pixelColor(p.at).name().toStdString();
  }
  // See-through parts of a picture show the button's own background, not stale pixels.
  EXPECT_EQ(shown.pixelColor(95, 30), Show(2).BackColor());
  // The window copies stand where they were placed: the move happened on the show screen.
  EXPECT_EQ(WindowAt(4), QPoint(220, 10));
}

TEST_F(ButtonsOnScreenTest, TheMainWindowShowsTheSameButtons) {
  core::Flags().FullScreenShowActive = 0;
  RunTheShowMacro();
  const QImage shown = Shown(Preview());
  struct Probe {
    const char* what;
    QPoint at;
    QColor colour;
  } probes[] = {
      {"rectangle removed", {40, 30}, kBack},
      {"rectangle again", {100, 100}, kGreen},
      {"ellipse, opaque half", {125, 30}, kMagenta},
      {"ellipse, outside", {81, 11}, kBack},
      {"diamond (JPEG), centre", {180, 30}, kOrange},
      {"diamond, outside", {152, 12}, kBack},
      {"star, moved down: centre", {250, 122}, kGreen},
      {"star, where it was", {250, 30}, kBack},
      {"heart, lobe", {305, 20}, kGreen},
      {"heart, notch", {320, 11}, kBack},
      {"polygon, outside", {60, 135}, kBack},
  };
  for (const Probe& p : probes) {
    EXPECT_TRUE(Near(shown.pixelColor(p.at), p.colour, 40))
        << p.what << ": " << shown.pixelColor(p.at).name().toStdString();
  }
  // Outlines went to the main window's copies; both copies moved.
  EXPECT_FALSE(Window(4).mask().isEmpty());
  EXPECT_EQ(ShowAt(4), QPoint(220, 100));
  EXPECT_EQ(WindowAt(4), QPoint(220, 100));
}

}  // namespace
}  // namespace buttons_test
