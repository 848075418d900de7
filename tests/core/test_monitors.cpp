// The monitor table and window placement. The several-monitor cases run this test
// binary again as a child process whose offscreen platform has the screens of a
// JSON file; the child runs one DISABLED_ case, which holds the checks.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "core/monitors.h"
#include "core/state.h"
#include "tests/support/screens.h"

namespace {

using core::Monitors;

constexpr int T = 15;  // twips per pixel

class MonitorTest : public ::testing::Test {
 protected:
  void SetUp() override { core::ResetAllState(); }
  void TearDown() override { core::ResetAllState(); }
};

// A hidden top-level window at the given desktop rectangle (pixels).
std::unique_ptr<QWidget> WindowAt(int x, int y, int w, int h) {
  auto window = std::make_unique<QWidget>();
  window->setGeometry(x, y, w, h);
  return window;
}

TEST_F(MonitorTest, TableHoldsTheScreenInTwips) {
  core::BuildMonitorTable();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  ASSERT_EQ(Monitors().MonitorCount, QGuiApplication::screens().size());
  EXPECT_EQ(Monitors().MonitorLefts[0], screen.x() * T);
  EXPECT_EQ(Monitors().MonitorTops[0], screen.y() * T);
  EXPECT_EQ(Monitors().MonitorRights[0], (screen.x() + screen.width()) * T);
  EXPECT_EQ(Monitors().MonitorBottoms[0], (screen.y() + screen.height()) * T);
  EXPECT_EQ(Monitors().MonitorHandles.value(0), QGuiApplication::primaryScreen());
  // Building again starts afresh.
  core::BuildMonitorTable();
  EXPECT_EQ(Monitors().MonitorCount, QGuiApplication::screens().size());
}

TEST_F(MonitorTest, DialogIsCentredOnTheMonitorOfTheMainWindow) {
  Monitors().MonitorHandles.clear();
  core::EnterMonitor(QGuiApplication::primaryScreen(), QRect(0, 0, 1024, 768));
  EXPECT_EQ(Monitors().MonitorRights[0], 1024 * T);
  EXPECT_EQ(Monitors().MonitorBottoms[0], 768 * T);

  auto main = WindowAt(100, 100, 200, 100);
  Monitors().MainHwnd = main.get();
  // The table's rectangle is used, whatever size the real screen has.
  const QPoint p = core::CentredOnMainMonitor(4000, 3000);
  EXPECT_EQ(p, QPoint((1024 * T - 4000) / 2, (768 * T - 3000) / 2));
  EXPECT_EQ(Monitors().MonitorIndex, 0);
}

TEST_F(MonitorTest, TableTakesAtMostElevenMonitors) {
  for (int i = 0; i < 13; ++i) EXPECT_TRUE(core::EnterMonitor(nullptr, QRect(i * 100, 0, 100, 50)));
  EXPECT_EQ(Monitors().MonitorCount, 11);
  EXPECT_EQ(Monitors().MonitorHandles.size(), 11);
  EXPECT_EQ(Monitors().MonitorLefts[10], 1000 * T);
}

TEST_F(MonitorTest, PictureBoxesTakeTheShowWindowsInnerSize) {
  QWidget show;
  show.resize(640, 480);
  QWidget p2(&show), p3(&show), p4(&show);
  core::FitShowPictureBoxes(&show, {&p2, &p3, &p4});
  for (QWidget* box : {&p2, &p3, &p4}) EXPECT_EQ(box->size(), QSize(640, 480));
}

// --- Several monitors, in a child process -------------------------------------------

// Runs one DISABLED_ case of MonitorsChild with the given screens.
void RunWithScreens(const char* screensJson, const char* test) {
  test_support::RunChildWithScreens(screensJson, QString("MonitorsChild.DISABLED_%1").arg(test));
}

TEST(MonitorsOnScreens, SideBySide) {
  RunWithScreens(test_support::kSideBySideScreens, "SideBySide");
}
TEST(MonitorsOnScreens, Stacked) { RunWithScreens(test_support::kStackedScreens, "Stacked"); }
TEST(MonitorsOnScreens, Twelve) {
  QByteArray json = R"({"screens":[)";
  for (int i = 0; i < 12; ++i) {
    json += QString(R"(%1{"name":"S%2","x":%3,"y":0,"width":100,"height":80})")
                .arg(i ? "," : "")
                .arg(i, 2, 10, QChar('0'))
                .arg(i * 100)
                .toUtf8();
  }
  json += "]}";
  RunWithScreens(json.constData(), "Twelve");
}

// The child cases: they run only inside RunWithScreens.
TEST(MonitorsChild, DISABLED_SideBySide) {
  core::ResetAllState();
  ASSERT_EQ(QGuiApplication::screens().size(), 2);
  ASSERT_EQ(QGuiApplication::primaryScreen()->name(), "A");
  core::BuildMonitorTable();
  auto& m = Monitors();
  ASSERT_EQ(m.MonitorCount, 2);
  EXPECT_EQ(m.MonitorLefts[1], 1920 * T);
  EXPECT_EQ(m.MonitorRights[1], 3200 * T);
  EXPECT_EQ(m.MonitorTops[1], 0);
  EXPECT_EQ(m.MonitorBottoms[1], 1024 * T);
  EXPECT_EQ(m.MonitorRights[0], 1920 * T);

  // A main window on B, another mostly on B, one on A.
  auto main = WindowAt(2000, 100, 400, 300);
  EXPECT_EQ(core::GetMonitorIndex(main.get()), 1);
  EXPECT_EQ(core::GetMonitorIndex(WindowAt(1800, 0, 400, 300).get()), 1);
  EXPECT_EQ(core::GetMonitorIndex(WindowAt(1700, 0, 400, 300).get()), 0);
  EXPECT_EQ(core::GetMonitorLeft(main.get()), 1920 * T);

  m.MainHwnd = main.get();
  const core::TwipsRect full = core::FullScreenPlacement();
  EXPECT_EQ(m.MonitorIndex, 1);
  EXPECT_EQ(full.Left, 1920 * T);
  EXPECT_EQ(full.Top, 0);
  EXPECT_EQ(full.Width, 1280 * T);
  EXPECT_EQ(full.Height, 1024 * T);
  QWidget show;
  core::PlaceFullScreen(&show);
  EXPECT_EQ(show.geometry(), QRect(1920, 0, 1280, 1024));

  QWidget dialog;
  dialog.resize(200, 100);
  core::CentreOnMainMonitor(&dialog);
  EXPECT_EQ(dialog.pos(), QPoint(1920 + (1280 - 200) / 2, (1024 - 100) / 2));

  EXPECT_EQ(core::ControlBoxPosition(3000, 1500, false), QPoint(3200 * T - 3000, 0));
  EXPECT_EQ(core::ControlBoxPosition(3000, 1500, true), QPoint(3200 * T - 3000, 1024 * T - 1500));

  // The main window moved off every monitor: its index is the monitor count, and the
  // windows placed on it go to the primary monitor rather than to a zero rectangle.
  main->move(-5000, -5000);
  EXPECT_EQ(core::GetMonitorIndex(main.get()), 2);
  EXPECT_EQ(core::GetMonitorIndex(nullptr), 2);
  EXPECT_EQ(core::CentredOnMainMonitor(3000, 1500),
            QPoint((1920 * T - 3000) / 2, (1080 * T - 1500) / 2));
  EXPECT_EQ(m.MonitorIndex, 0);
  const core::TwipsRect primary = core::FullScreenPlacement();
  EXPECT_EQ(primary.Width, 1920 * T);
  EXPECT_EQ(primary.Height, 1080 * T);
  EXPECT_EQ(core::GetMonitorLeft(main.get()), 0);
}

TEST(MonitorsChild, DISABLED_Stacked) {
  core::ResetAllState();
  ASSERT_EQ(QGuiApplication::screens().size(), 2);
  core::BuildMonitorTable();
  auto& m = Monitors();
  EXPECT_EQ(m.MonitorTops[1], -1024 * T);
  EXPECT_EQ(m.MonitorBottoms[1], 0);

  auto main = WindowAt(100, -900, 400, 300);
  m.MainHwnd = main.get();
  EXPECT_EQ(core::GetMonitorIndex(main.get()), 1);
  // The full-screen window and the control box sit on the upper monitor itself.
  const core::TwipsRect full = core::FullScreenPlacement();
  EXPECT_EQ(full.Left, 0);
  EXPECT_EQ(full.Top, -1024 * T);
  EXPECT_EQ(full.Height, 1024 * T);
  EXPECT_EQ(full.Width, 1280 * T);
  EXPECT_EQ(core::ControlBoxPosition(3000, 1500, false), QPoint(1280 * T - 3000, -1024 * T));
  EXPECT_EQ(core::ControlBoxPosition(3000, 1500, true), QPoint(1280 * T - 3000, -1500));

  QWidget dialog;
  dialog.resize(200, 100);
  core::CentreOnMainMonitor(&dialog);
  EXPECT_EQ(dialog.pos(), QPoint((1280 - 200) / 2, -1024 + (1024 - 100) / 2));
}

TEST(MonitorsChild, DISABLED_Twelve) {
  core::ResetAllState();
  ASSERT_EQ(QGuiApplication::screens().size(), 12);
  core::BuildMonitorTable();
  auto& m = Monitors();
  ASSERT_EQ(m.MonitorCount, 11);
  EXPECT_EQ(m.MonitorLefts[10], 1000 * T);

  auto onTenth = WindowAt(1010, 10, 50, 40);
  EXPECT_EQ(core::GetMonitorIndex(onTenth.get()), 10);

  // On the twelfth monitor, which the table does not hold.
  auto main = WindowAt(1110, 10, 50, 40);
  m.MainHwnd = main.get();
  EXPECT_EQ(core::GetMonitorIndex(main.get()), 11);
  const core::TwipsRect full = core::FullScreenPlacement();
  EXPECT_EQ(m.MonitorIndex, 0);
  EXPECT_EQ(full.Left, 0);
  EXPECT_EQ(full.Width, 100 * T);
  EXPECT_EQ(full.Height, 80 * T);
}

}  // namespace
