// Picture box: what is drawn stays in its image and can be read back.
#include <gtest/gtest.h>

#include "platform/form.h"
#include "platform/picturebox.h"

using namespace platform;

namespace {

constexpr long kRed = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0, kBlue = 0xFF0000;

class PictureBoxTest : public ::testing::Test {
 protected:
  PictureBoxTest() {
    box.SetBorderStyle(0);
    box.SetScaleMode(ScaleMode::kPixels);
    box.resize(200, 100);
    box.SetBackColor(VbColor(kWhite));
  }
  Form form;
  PictureBox box{&form};
};

TEST_F(PictureBoxTest, PSetLineAndBoxesReadBackWithPoint) {
  box.PSet(5, 6, VbColor(kRed));
  EXPECT_EQ(box.Point(5, 6), kRed);
  EXPECT_EQ(box.Point(6, 6), kWhite);

  box.Line(10, 10, 50, 10, VbColor(kBlack));
  for (int x : {10, 30, 49}) EXPECT_EQ(box.Point(x, 10), kBlack) << x;
  EXPECT_EQ(box.Point(30, 11), kWhite);
  EXPECT_EQ(box.CurrentX(), 50);

  box.Line(60, 20, 90, 40, RGB(230, 230, 250), PictureBox::LineKind::kFilledBox);
  EXPECT_EQ(box.Point(60, 20), ToVbColor(RGB(230, 230, 250)));
  EXPECT_EQ(box.Point(75, 30), ToVbColor(RGB(230, 230, 250)));
  EXPECT_EQ(box.Point(91, 41), kWhite);

  box.Line(100, 20, 130, 40, VbColor(kBlue), PictureBox::LineKind::kBox);
  EXPECT_EQ(box.Point(100, 30), kBlue);
  EXPECT_EQ(box.Point(115, 20), kBlue);
  EXPECT_EQ(box.Point(115, 30), kWhite) << "an outline is not filled";

  box.SetForeColor(VbColor(kRed));
  box.LineTo(150, 10);  // from the end of the last line, in ForeColor
  EXPECT_EQ(box.Point(140, 25), kRed);

  EXPECT_EQ(box.Point(-1, 0), -1);
  EXPECT_EQ(box.Point(200, 0), -1);
}

TEST_F(PictureBoxTest, ClsKeepsThePictureAndBackColorClearsTheDrawing) {
  QImage pic(20, 20, QImage::Format_RGB32);
  pic.fill(QColor(0, 128, 0));
  box.SetPicture(pic);
  box.PSet(5, 5, VbColor(kRed));
  box.PSet(50, 50, VbColor(kRed));
  box.SetCurrentX(33);
  box.Cls();
  EXPECT_EQ(box.Point(5, 5), ToVbColor(QColor(0, 128, 0)));
  EXPECT_EQ(box.Point(50, 50), kWhite);
  EXPECT_EQ(box.CurrentX(), 0);

  box.PSet(50, 50, VbColor(kRed));
  box.SetBackColor(VbColor(kBlack));
  EXPECT_EQ(box.Point(50, 50), kBlack);
  EXPECT_EQ(box.Point(5, 5), ToVbColor(QColor(0, 128, 0)));
}

TEST_F(PictureBoxTest, DrawingPersistsWhileHiddenAndAcrossResize) {
  box.hide();
  box.PSet(3, 3, VbColor(kRed));
  box.resize(300, 150);
  EXPECT_EQ(box.Point(3, 3), kRed);
  EXPECT_EQ(box.Point(250, 120), kWhite);
  EXPECT_EQ(box.Image().size(), QSize(300, 150));
}

TEST_F(PictureBoxTest, PrintDrawsGlyphsAndMovesTheDrawingPosition) {
  box.SetForeColor(VbColor(kBlack));
  box.SetFontName("IPAGothic");
  box.SetFontSize(20);
  box.SetCurrentX(10);
  box.SetCurrentY(10);
  const double w = box.TextWidth("ABC");
  box.Print("ABC");
  EXPECT_DOUBLE_EQ(box.CurrentX(), 10 + w);
  EXPECT_EQ(box.CurrentY(), 10);
  int dark = 0;
  for (int x = 10; x < 10 + w; ++x)
    for (int y = 10; y < 10 + box.TextHeight(); ++y)
      if (box.Image().pixelColor(x, y).lightness() < 100) ++dark;
  EXPECT_GT(dark, 20);
  // Only glyphs are painted: the cell around them keeps the background.
  EXPECT_EQ(box.Point(10 + w - 1, 10), kWhite);

  const double h = box.TextHeight();
  box.Print("x\r\nyz");
  EXPECT_DOUBLE_EQ(box.CurrentY(), 10 + h);
  EXPECT_DOUBLE_EQ(box.CurrentX(), box.TextWidth("yz"));
  box.Print("", true);
  EXPECT_EQ(box.CurrentX(), 0);
  EXPECT_DOUBLE_EQ(box.CurrentY(), 10 + 2 * h);
}

TEST_F(PictureBoxTest, TwipsScaleCountsFifteenPerPixel) {
  box.SetScaleMode(ScaleMode::kTwips);
  EXPECT_EQ(box.ScaleWidth(), 3000);
  box.PSet(150, 300, VbColor(kRed));
  EXPECT_EQ(box.Image().pixelColor(10, 20), QColor(255, 0, 0));
  EXPECT_EQ(box.Point(150, 300), kRed);
  EXPECT_EQ(box.Point(157, 307), kRed) << "7 twips round to the same pixel";
}

TEST_F(PictureBoxTest, PaintPictureStretchesIntoTheImage) {
  QImage src(10, 10, QImage::Format_RGB32);
  src.fill(QColor(0, 0, 255));
  box.PaintPicture(src, 20, 20, 40, 30);
  EXPECT_EQ(box.Point(20, 20), kBlue);
  EXPECT_EQ(box.Point(59, 49), kBlue);
  EXPECT_EQ(box.Point(60, 50), kWhite);
}

TEST_F(PictureBoxTest, WhatTheUserSeesIsTheImage) {
  box.PSet(7, 8, VbColor(kRed));
  box.Line(0, 50, 199, 50, VbColor(kBlack));
  const QImage shown = box.grab().toImage();
  EXPECT_EQ(shown.pixelColor(7, 8), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(100, 50), QColor(0, 0, 0));
  EXPECT_EQ(shown.pixelColor(100, 60), QColor(255, 255, 255));
}

}  // namespace
