// The show window's surfaces: what its load leaves, and its place on stacked monitors.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <memory>

#include "core/form4.h"
#include "core/monitors.h"
#include "core/state.h"
#include "engine/effects.h"
#include "engine/slidescreen.h"
#include "engine/surfaces.h"
#include "platform/events.h"
#include "tests/support/screens.h"

using namespace engine;

namespace {

TEST(Slidescreen, LoadClearsTheShowScreenState) {
  core::ResetAllState();
  core::BuildMonitorTable();
  ResetSlidescreen();
  platform::DestroyPendingNow();
  core::Flags().ShowScreenClosed = 1;
  core::Flags().DisplayEffectTurn = 4;
  core::Flags().EraseEffectTurn = 7;
  core::Buttons().PicButtonsShown[62] = 1;
  core::Buttons().MenuJumps[3] = 12;
  core::Buttons().PicButtonLinks[0] = QStringLiteral("a.wav");
  core::Buttons().PicButtonShape = 3;
  Slidescreen& screen = slidescreen();
  EXPECT_FALSE(screen.isVisible());
  EXPECT_EQ(core::Flags().ShowScreenClosed, 0);
  EXPECT_EQ(core::Flags().DisplayEffectTurn, 0);
  EXPECT_EQ(core::Flags().EraseEffectTurn, 0);
  EXPECT_EQ(core::Buttons().PicButtonsShown[62], 0);
  EXPECT_EQ(core::Buttons().MenuJumps[3], 0);
  EXPECT_TRUE(core::Buttons().PicButtonLinks[0].isEmpty());
  EXPECT_EQ(core::Buttons().PicButtonShape, 0);
  EXPECT_EQ(screen.Label1.BackStyle(), 0);
  EXPECT_EQ(screen.Caption(), QStringLiteral("Slide Screen"));
  ResetSlidescreen();
  platform::DestroyPendingNow();
}

// ---- stacked monitors, in a child process ---------------------------------------------

TEST(Slidescreen, CoversTheMainWindowsMonitorAboveThePrimary) {
  test_support::RunChildWithScreens(test_support::kStackedScreens,
                                    "SlidescreenChild.DISABLED_StackedMonitors");
}

// Runs only inside the case above, with monitor B stacked above the primary A.
TEST(SlidescreenChild, DISABLED_StackedMonitors) {
  ASSERT_EQ(QGuiApplication::screens().size(), 2);
  core::ResetAllState();
  core::BuildMonitorTable();
  auto main = std::make_unique<QWidget>();
  main->setGeometry(100, -900, 400, 300);  // on B
  main->show();
  platform::DoEvents();
  core::Monitors().MainHwnd = main.get();

  Slidescreen& screen = slidescreen();
  // B's own top, not the desktop's 0.
  EXPECT_EQ(screen.geometry(), QRect(0, -1024, 1280, 1024));
  EXPECT_EQ(screen.P2.Canvas().size(), QSize(1280, 1024));

  // The picture is centred on B.
  SetEffectPacing(EffectPacing::NoWaits());
  core::Flags().FullScreenShowActive = 1;
  core::Settings().DisplayEffect = kDisplayEffectNone;
  QImage picture(200, 100, QImage::Format_RGB32);
  picture.fill(qRgb(1, 2, 3));
  core::form4().Picture1.SetPicture(picture);
  SelectPictureDC(picture);
  // A show under way: the activation starts none and brings no control box.
  core::Flags().ShowRunning = 1;
  core::Settings().ControlBoxOff = 1;
  screen.Show();
  RunDisplayEffect();
  EXPECT_EQ(core::Monitors().MonitorIndex, 1);
  EXPECT_EQ(core::Surfaces().PictureLeft, 540);
  EXPECT_EQ(core::Surfaces().PictureTop, 462);
  EXPECT_EQ(screen.P2.Image().pixel(540, 462), qRgb(1, 2, 3));
  ResetSlidescreen();
}

}  // namespace
