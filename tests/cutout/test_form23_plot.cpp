// Plotting by mouse presses on the picture, the red marks, the read-out, the limit and the
// tools that redraw the outline.
#include "tests/cutout/cutout_fixture.h"

namespace cutout_test {
namespace {

const QColor kRed(255, 0, 0);

class PlotTest : public CutoutTest {
 protected:
  void SetUp() override {
    CutoutTest::SetUp();
    f_ = Open(MakePicture(QStringLiteral("pic.bmp"), 400, 300, "BMP"));
    ASSERT_NE(f_, nullptr);
  }

  // Plots the points one press at a time.
  void PressAll(const QPolygon& points) {
    for (const QPoint& p : points) Press(*f_, p.x(), p.y());
  }

  QColor Pixel(int x, int y) const { return f_->Picture1.Image().pixelColor(x, y); }
  QRect Box() const {
    return QRect(QPoint(f_->PlotLeft, f_->PlotTop), QPoint(f_->PlotRight, f_->PlotBottom));
  }

  cutout::Form23* f_ = nullptr;
};

TEST_F(PlotTest, PressesPlotPointsWithDotsLinesAndTheirBox) {
  EXPECT_EQ(f_->PlotEdited, 0);
  PressAll({{100, 50}, {0, 0}, {300, 200}});
  EXPECT_EQ(Plot(*f_), QPolygon({{100, 50}, {0, 0}, {300, 200}}));
  EXPECT_EQ(f_->PlotCount, 3);
  EXPECT_EQ(f_->PlotX[4], -1);
  EXPECT_EQ(Box(), QRect(QPoint(0, 0), QPoint(300, 200)));
  EXPECT_EQ(f_->PlotEdited, 1);
  EXPECT_EQ(f_->LastPlotX, 300);
  // A red dot of radius 3 at each point, a red line from each to the next, not back to the
  // first; the picture elsewhere.
  EXPECT_EQ(Pixel(100, 50), kRed);
  EXPECT_EQ(Pixel(102, 50), kRed);
  EXPECT_EQ(Pixel(50, 25), kRed);              // on the line to (0, 0)
  EXPECT_EQ(Pixel(150, 100), kRed);            // on the line from (0, 0) to (300, 200)
  EXPECT_EQ(Pixel(200, 125), kPictureColour);  // where a closing line would run
  EXPECT_EQ(Pixel(107, 50), kPictureColour);
}

TEST_F(PlotTest, TheReadOutShowsSignedNumbers) {
  struct Case {
    QPointF at;
    const char* text;
  } cases[] = {{{0, 7}, " 0, 7px"}, {{120, 45}, " 120, 45px"}};
  for (const Case& c : cases) {
    test_support::SendMouse(&f_->Picture1, QEvent::MouseMove, c.at, Qt::NoButton);
    EXPECT_EQ(f_->Label3.Caption(), QString::fromUtf8(c.text));
  }
}

TEST_F(PlotTest, TheOutlineHoldsAtMost5000Points) {
  for (int i = 0; i < cutout::kMaxPlotPoints; ++i) {
    f_->NewPointX = static_cast<short>(i % 400);
    f_->NewPointY = static_cast<short>(i / 400);
    ASSERT_TRUE(f_->Picture1_Click());
  }
  Press(*f_, 10, 290);
  EXPECT_EQ(f_->PlotCount, 5000);
  EXPECT_EQ(Plot(*f_).last(), QPoint(4999 % 400, 4999 / 400));
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("画像切取マクロ生成")});
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("これ以上登録できません"));
}

// Each tool redraws from a reloaded picture: its points, their box, their marks.
TEST_F(PlotTest, ToolsReplotTheOutline) {
  using Tool = void (cutout::Form23::*)();
  struct Case {
    const char* what;
    QPolygon before;
    Tool tool;
    QPolygon after;
  } cases[] = {
      {"四角",
       {{10, 20}, {110, 70}},
       &cutout::Form23::Command13_Click,
       {{10, 20}, {110, 20}, {110, 70}, {10, 70}, {10, 20}}},
      {"BK", {{1, 1}, {50, 1}, {50, 50}}, &cutout::Form23::Command12_Click, {{1, 1}, {50, 1}}},
      {"BK on one point", {{5, 5}}, &cutout::Form23::Command12_Click, {}},
      {"↑", {{10, 5}, {30, 40}}, &cutout::Form23::Command6_Click, {{10, -5}, {30, 30}}},
      {"↓", {{10, 5}, {30, 40}}, &cutout::Form23::Command7_Click, {{10, 15}, {30, 50}}},
      {"→", {{10, 5}, {30, 40}}, &cutout::Form23::Command8_Click, {{20, 5}, {40, 40}}},
      {"← past the left edge",
       {{5, 5}, {30, 40}},
       &cutout::Form23::Command9_Click,
       {{-5, 5}, {20, 40}}},
      {"大 on one point", {{77, 66}}, &cutout::Form23::Command10_Click, {{77, 66}}},
      {"大",
       {{100, 100}, {200, 100}, {200, 200}},
       &cutout::Form23::Command10_Click,
       {{95, 95}, {205, 95}, {205, 205}}},
      {"小 on a box of 15 x 10",
       {{100, 100}, {115, 110}},
       &cutout::Form23::Command11_Click,
       {{100, 100}, {115, 110}}},
      {"小 on a box of 25 x 10",
       {{100, 100}, {125, 110}},
       &cutout::Form23::Command11_Click,
       {{101, 100}, {124, 110}}},
      // Enlarging stops at the picture's edges instead of running out of the 16-bit range.
      {"大 at the edges",
       {{0, 0}, {399, 299}},
       &cutout::Form23::Command10_Click,
       {{0, 0}, {400, 300}}},
  };
  for (const Case& c : cases) {
    f_->Command1_Click();
    PressAll(c.before);
    f_->PlotEdited = 0;
    (f_->*c.tool)();
    EXPECT_EQ(Plot(*f_), c.after) << c.what;
    EXPECT_EQ(f_->PlotEdited, 1) << c.what;
    if (!c.after.isEmpty()) {
      EXPECT_EQ(Box(), c.after.boundingRect()) << c.what;
      EXPECT_EQ(QPoint(f_->LastPlotX, f_->LastPlotY), c.after.last()) << c.what;
    }
    EXPECT_EQ(f_->PlotX[c.after.size() + 1], -1) << c.what;
  }
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(PlotTest, BackThreeTimesAfterFivePressesLeavesTwoPointsAndOneLine) {
  PressAll({{20, 20}, {120, 20}, {120, 120}, {20, 120}, {60, 200}});
  for (int i = 0; i < 3; ++i) f_->Command12_Click();
  EXPECT_EQ(Plot(*f_), QPolygon(QList<QPoint>{{20, 20}, {120, 20}}));
  EXPECT_EQ(Pixel(70, 20), kRed);
  EXPECT_EQ(Pixel(120, 70), kPictureColour);  // the line to the third point is gone
  EXPECT_EQ(Pixel(20, 120), kPictureColour);  // and its dot
}

TEST_F(PlotTest, TheCircleRunsThrough360PointsFromTheRight) {
  PressAll({{100, 100}, {200, 100}});
  f_->Command14_Click();
  const QPolygon circle = Plot(*f_);
  ASSERT_EQ(circle.size(), 360);
  EXPECT_EQ(circle[0], QPoint(200, 100));
  EXPECT_EQ(circle[90], QPoint(150, 150));
  EXPECT_EQ(circle[180], QPoint(100, 100));
  EXPECT_EQ(circle[270], QPoint(150, 50));
  EXPECT_EQ(Box(), QRect(QPoint(100, 50), QPoint(200, 150)));
}

TEST_F(PlotTest, RectangleAndCircleWantExactlyTwoPoints) {
  struct Case {
    void (cutout::Form23::*tool)();
    const char* title;
    const char* text;
  } cases[] = {
      {&cutout::Form23::Command13_Click, "四角に切取",
       "四角の対角線を２点のみプロットしてから実行してください。"},
      {&cutout::Form23::Command14_Click, "円に切取",
       "円の直径を２点のみプロットしてから実行してください。"},
  };
  for (const Case& c : cases) {
    for (const QPolygon& points : {QPolygon({{5, 5}}), QPolygon({{5, 5}, {50, 9}, {30, 30}})}) {
      f_->Command1_Click();
      PressAll(points);
      dialogs_.ClearCalls();
      (f_->*c.tool)();
      EXPECT_EQ(Plot(*f_), points);
      ASSERT_EQ(dialogs_.Calls().size(), 1u);
      EXPECT_EQ(dialogs_.Calls()[0].title, QString::fromUtf8(c.title));
      EXPECT_EQ(dialogs_.Calls()[0].text, QString::fromUtf8(c.text));
      EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
    }
  }
}

TEST_F(PlotTest, ClearEmptiesTheOutlineAndItsMarksButNotTheEditedMark) {
  PressAll({{10, 10}, {90, 90}});
  f_->Command1_Click();
  EXPECT_EQ(f_->PlotCount, 0);
  EXPECT_EQ(f_->PlotX[1], -1);
  EXPECT_EQ(f_->LastPlotX, -1);
  EXPECT_EQ(f_->PlotEdited, 1);
  EXPECT_EQ(Pixel(50, 50), kPictureColour);
  EXPECT_EQ(Pixel(10, 10), kPictureColour);
}

// Closing asks only when an edited outline would be lost.
TEST_F(PlotTest, ClosingAsksBeforeDroppingAnEditedOutline) {
  PressAll({{10, 10}});
  dialogs_.Answer(platform::vbNo);
  f_->Command2_Click();
  ASSERT_NE(cutout::Form23IfLoaded(), nullptr);
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("終了確認")});
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("プロット編集を保存なしで終了しますか？"));
  dialogs_.Answer(platform::vbYes);
  f_->Command2_Click();
  EXPECT_EQ(cutout::Form23IfLoaded(), nullptr);
  EXPECT_TRUE(core::Paths().GeneratedMacroText.isEmpty());
}

}  // namespace
}  // namespace cutout_test
