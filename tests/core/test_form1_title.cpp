// The title panel: drawn once into the preview box when the main window is first shown,
// held, then cleared; the colour-depth check it makes.
#include <QElapsedTimer>

#include "platform/clock.h"
#include "test_startup_fixture.h"

namespace {

using startup_test::StartupTest;
using startup_test::WaitFor;

int CountColour(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == colour ? 1 : 0;
  return n;
}

const QRgb kPanel = qRgb(230, 230, 250) & 0xFFFFFF;
const QRgb kDepthGrey = qRgb(150, 150, 150) & 0xFFFFFF;

TEST_F(StartupTest, TitlePanelIsDrawnOnceThenCleared) {
  int holds = 0;
  QImage held;
  core::TitlePanelTestHooks().onHold = [&holds, &held] {
    ++holds;
    held = core::form1().Picture1.Image().copy();
  };
  core::Form1& f = Start();

  ASSERT_EQ(holds, 1);
  EXPECT_GT(CountColour(held, kPanel), 10000);  // the filled box, about 198 x 131 pixels
  EXPECT_GT(CountColour(held, kDepthGrey), 100);
  EXPECT_EQ(core::Flags().TitlePanelDone, 1);
  const QImage after = f.Picture1.Image();
  EXPECT_EQ(CountColour(after, kPanel), 0);
  EXPECT_EQ(CountColour(after, kDepthGrey), 0);
  EXPECT_EQ(f.Picture1.GetScaleMode(), platform::ScaleMode::kPixels);
  EXPECT_TRUE(ends_.empty());

  // Later resizes size the preview box but draw nothing.
  const int height = f.Picture1.Height();
  f.SetHeight(f.Height() + 1500);
  WaitFor([] { return false; }, 100);
  EXPECT_EQ(holds, 1);
  EXPECT_NEAR(f.Picture1.Height(), height + 1500, 15);
}

TEST_F(StartupTest, PreviewBoxFollowsTheWindowFromItsHeightAtLoad) {
  core::Form1& f = Start();
  // At the height the window had at load the box is 6750 twips high.
  EXPECT_NEAR(f.Picture1.Height(), 6750, 15);
  EXPECT_NEAR(f.Picture1.Width(), f.Width() - 600, 15);
}

TEST_F(StartupTest, TitlePanelHoldsForItsTimeAcrossMidnight) {
  core::TitlePanelTestHooks().holdSeconds = 0.4;
  QElapsedTimer sinceHold;
  core::TitlePanelTestHooks().onHold = [&sinceHold] { sinceHold.start(); };
  platform::SetTestNowRunning(QDateTime(QDate(2024, 5, 1), QTime(23, 59, 59, 850)));
  Start();
  platform::ClearTestNow();
  ASSERT_TRUE(sinceHold.isValid());
  EXPECT_EQ(core::Flags().TitlePanelDone, 1);
  EXPECT_GE(sinceHold.elapsed(), 380);
  EXPECT_LT(sinceHold.elapsed(), 5000);
}

struct DepthCase {
  long readColour;
  bool ends;
};

class ColourDepthCheck : public StartupTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(ColourDepthCheck, EndsOnlyWhenThePanelColourCannotBeShown) {
  core::TitlePanelTestHooks().forcedCheckColour = GetParam().readColour;
  int holds = 0;
  core::TitlePanelTestHooks().onHold = [&holds] { ++holds; };
  core::Form1& f = Start();

  const auto boxes = dialogs_.CallsOf(platform::DialogKind::kMsgBox);
  if (GetParam().ends) {
    ASSERT_EQ(ends_.size(), 1u);
    EXPECT_EQ(ends_[0], core::ProgramEnd::kImmediate);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("２５６色以下の環境では使用できません。\r\n"
                                            "カラーパレットを High Color以上に設定してください。"));
    EXPECT_EQ(boxes[0].icon, platform::vbCritical);
    EXPECT_EQ(boxes[0].title, platform::AppTitle());
    EXPECT_EQ(holds, 0);
    EXPECT_EQ(CountColour(f.Picture1.Image(), kDepthGrey), 0);  // ended before the depth
    EXPECT_EQ(core::Flags().TitlePanelDone, 0);
    EXPECT_FALSE(QFile::exists(startup_test::AppFile("autstart.dat")));
  } else {
    EXPECT_TRUE(ends_.empty());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(holds, 1);
    EXPECT_EQ(core::Flags().TitlePanelDone, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Colours, ColourDepthCheck,
                         ::testing::Values(DepthCase{0xFFFFFF, true}, DepthCase{0x808080, true},
                                           DepthCase{0xC0C0C0, false}, DepthCase{0xFAE6E6, false}));

}  // namespace
