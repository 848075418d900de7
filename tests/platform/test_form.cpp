// Windows: load on first reference, activation from the queue, unloading and
// deferred destruction, geometry in twips, modal showing, menus.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/form.h"

using namespace platform;

namespace {

struct Counts {
  int loads = 0, activates = 0, unloads = 0, resizes = 0, deactivates = 0;
};

class CountingForm : public Form {
 public:
  static inline Counts counts;
  static inline bool cancelUnload = false;
  static inline int queryMode = -1;

  CommandButton Command1{this, "OK"};

  void Form_Load() override { ++counts.loads; }
  void Form_Activate() override { ++counts.activates; }
  void Form_Deactivate() override { ++counts.deactivates; }
  void Form_Resize() override { ++counts.resizes; }
  void Form_QueryUnload(int& cancel, int mode) override {
    queryMode = mode;
    if (cancelUnload) cancel = 1;
  }
  void Form_Unload(int&) override { ++counts.unloads; }
};

FormSlot<CountingForm>& Slot() {
  static FormSlot<CountingForm> slot;
  return slot;
}
CountingForm& countingForm() { return Slot().Get(); }

// Runs a real event loop (no loop of ours on the stack) for `ms`.
void RunMainLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CountingForm::counts = {};
    CountingForm::cancelUnload = false;
    CountingForm::queryMode = -1;
  }
  void TearDown() override {
    CountingForm::cancelUnload = false;
    Slot().Reset();
    DestroyPendingNow();
  }
};

TEST_F(FormTest, FirstReferenceLoadsHiddenOnce) {
  EXPECT_FALSE(Slot().IsLoaded());
  CountingForm& f = countingForm();
  EXPECT_TRUE(Slot().IsLoaded());
  EXPECT_TRUE(f.Loaded());
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(&countingForm(), &f);
  countingForm().Command1.SetCaption("x");
  EXPECT_EQ(CountingForm::counts.loads, 1);
  EXPECT_EQ(CountingForm::counts.activates, 0);
}

TEST_F(FormTest, UnloadForgetsAndNextReferenceLoadsAfresh) {
  QPointer<CountingForm> first = &countingForm();
  first->Command1.SetCaption("changed");
  EXPECT_TRUE(first->Unload());
  EXPECT_EQ(CountingForm::counts.unloads, 1);
  EXPECT_EQ(CountingForm::queryMode, vbFormCode);
  EXPECT_FALSE(Slot().IsLoaded());
  EXPECT_TRUE(first->IsClosed());
  EXPECT_FALSE(first->isVisible());
  first->Show();  // a stale reference does not bring the old window back
  EXPECT_FALSE(first->isVisible());
  EXPECT_EQ(CountingForm::counts.loads, 1);

  CountingForm& second = countingForm();
  EXPECT_NE(&second, first.data());
  EXPECT_EQ(CountingForm::counts.loads, 2);
  EXPECT_EQ(second.Command1.Caption(), "OK");

  // The old window is destroyed from the main loop, not at once.
  ASSERT_FALSE(first.isNull());
  RunMainLoop(30);
  EXPECT_TRUE(first.isNull());
}

TEST_F(FormTest, CancelledUnloadKeepsTheWindow) {
  CountingForm& f = countingForm();
  f.Show();
  CountingForm::cancelUnload = true;
  EXPECT_FALSE(f.Unload());
  EXPECT_TRUE(Slot().IsLoaded());
  EXPECT_TRUE(f.isVisible());
  EXPECT_FALSE(f.IsClosed());
  // The close box asks the same handlers, marked as the close box.
  f.close();
  EXPECT_EQ(CountingForm::queryMode, vbFormControlMenu);
  EXPECT_TRUE(f.isVisible());
  CountingForm::cancelUnload = false;
  f.close();
  EXPECT_FALSE(Slot().IsLoaded());
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(CountingForm::counts.unloads, 1);
}

TEST_F(FormTest, ActivationFollowsFromTheQueueOnce) {
  CountingForm& f = countingForm();
  f.Show();
  EXPECT_EQ(CountingForm::counts.loads, 1);
  EXPECT_EQ(CountingForm::counts.activates, 0) << "activation must wait for the event queue";
  DoEvents();
  EXPECT_EQ(CountingForm::counts.activates, 1);
  f.Show();  // already shown and active: nothing new
  DoEvents();
  EXPECT_EQ(CountingForm::counts.activates, 1);
  f.Hide();
  f.Show();
  DoEvents();
  EXPECT_EQ(CountingForm::counts.activates, 2);
}

TEST_F(FormTest, ClosedDuringItsOwnLoopLivesUntilTheLoopLeaves) {
  QPointer<CountingForm> f = &countingForm();
  f->Show();
  QTimer::singleShot(20, f.data(), [&] { f->close(); });
  int rounds = 0;
  // The window's own polling loop, as the show loops are written.
  while (!f->IsClosed() && rounds < 500) {
    DoEvents();
    Sleep(2);
    ASSERT_FALSE(f.isNull()) << "destroyed while its loop still runs";
    ++rounds;
  }
  EXPECT_TRUE(f->IsClosed());
  EXPECT_FALSE(f->isVisible());
  // More waiting inside loops of ours still keeps it.
  for (int i = 0; i < 5; ++i) DoEvents();
  ASSERT_FALSE(f.isNull());
  RunMainLoop(30);
  EXPECT_TRUE(f.isNull());
}

TEST_F(FormTest, UnloadStopsTheWindowsTimers) {
  struct WithTimer : Form {
    Timer Timer1{this, 5, true};
    int ticks = 0;
    WithTimer() {
      connect(&Timer1, &Timer::Tick, this, [this] { ++ticks; });
    }
  } f;
  f.Load();
  f.Unload();
  EXPECT_FALSE(f.Timer1.Enabled());
  RunMainLoop(40);
  EXPECT_EQ(f.ticks, 0);
}

TEST_F(FormTest, ShowModalReturnsWhenHiddenOrUnloaded) {
  for (bool unload : {false, true}) {
    CountingForm& f = countingForm();
    QTimer::singleShot(20, &f, [&f, unload] { unload ? (void)f.Unload() : f.Hide(); });
    f.ShowModal();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(Slot().IsLoaded(), !unload);
  }
}

struct TwipsCase {
  double twips;
  int pixels;
  int readBack;
};

class FormTwipsTest : public ::testing::TestWithParam<TwipsCase> {};

TEST_P(FormTwipsTest, GeometryRoundTrip) {
  const auto& c = GetParam();
  Form f;
  f.Move(c.twips, c.twips, c.twips, c.twips);
  EXPECT_EQ(f.width(), c.pixels);
  EXPECT_EQ(f.x(), c.pixels);
  EXPECT_EQ(f.Width(), c.readBack);
  EXPECT_EQ(f.Height(), c.readBack);
  EXPECT_EQ(f.Left(), c.readBack);
  EXPECT_EQ(f.Top(), c.readBack);
}

INSTANTIATE_TEST_SUITE_P(Twips, FormTwipsTest,
                         ::testing::Values(TwipsCase{9000, 600, 9000}, TwipsCase{15, 1, 15},
                                           TwipsCase{875, 58, 870},
                                           TwipsCase{37.5, 2, 30},  // 2.5 px: even
                                           TwipsCase{22.5, 2, 30},  // 1.5 px: even
                                           TwipsCase{7524, 502, 7530}));

TEST(FormGeometry, ClientAreaLiesBelowTheMenuBar) {
  struct WithMenu : Form {
    MenuItem mnuFILE{this, "ファイル(&F)"};
    MenuItem mnuNEW{&mnuFILE, "新規作成(&N)"};
  } f;
  f.SetClientSize(9420, 7524);
  EXPECT_EQ(f.ScaleWidth(), 9420);
  EXPECT_EQ(f.ScaleHeight(), 7530);
  const int menuPixels = f.MenuBar()->height();
  EXPECT_GT(menuPixels, 0);
  EXPECT_EQ(f.Height(), 7530 + menuPixels * 15);
  EXPECT_EQ(f.Client()->y(), menuPixels);

  // Controls count from the client area's corner.
  CommandButton b(&f, "START");
  b.Move(1440, 0, 875, 495);
  EXPECT_EQ(b.parentWidget(), f.Client());
  EXPECT_EQ(b.geometry(), QRect(96, 0, 58, 33));
  EXPECT_EQ(b.Left(), 1440);
  EXPECT_EQ(b.Width(), 870);

  // Hiding the only menu gives its height back.
  f.mnuFILE.SetVisible(false);
  EXPECT_EQ(f.ScaleHeight(), 7530 + menuPixels * 15);
}

TEST(FormGeometry, ResizeRunsTheHandlerWhileShown) {
  CountingForm::counts = {};
  CountingForm f;
  f.Load();
  f.Show();
  const int before = CountingForm::counts.resizes;
  f.SetWidth(6000);
  DoEvents();
  EXPECT_GT(CountingForm::counts.resizes, before);
  EXPECT_EQ(f.Width(), 6000);
  f.Unload();
}

// ---- menus ----------------------------------------------------------------------

struct MenuForm : Form {
  MenuItem mnuOPTION{this, "設定(&S)"};
  MenuItem mnuKURI{&mnuOPTION, "繰り返し(&K)"};
  MenuArray mnuKUFL{&mnuKURI, {"あり", "なし"}};
  MenuItem mnuTIME{&mnuOPTION, "時間設定(&J)"};
};

TEST(Menus, ArrayClickCarriesTheIndexAndNeverTicksByItself) {
  MenuForm f;
  std::vector<int> clicked;
  QObject::connect(&f.mnuKUFL, &MenuArray::Click, [&](int i) { clicked.push_back(i); });
  int timeClicks = 0;
  QObject::connect(&f.mnuTIME, &MenuItem::Click, [&] { ++timeClicks; });

  f.mnuKUFL[1].Action()->trigger();
  f.mnuKUFL[0].DoClick();
  f.mnuTIME.DoClick();
  EXPECT_EQ(clicked, (std::vector<int>{1, 0}));
  EXPECT_EQ(timeClicks, 1);
  EXPECT_FALSE(f.mnuKUFL[1].Checked());
  EXPECT_FALSE(f.mnuKUFL[1].Action()->isChecked());

  f.mnuKUFL[0].SetChecked(true);
  f.mnuKUFL[0].Action()->trigger();  // a user's choice does not untick it
  EXPECT_TRUE(f.mnuKUFL[0].Action()->isChecked());
  EXPECT_EQ(f.mnuKUFL.CheckedIndex(), 0);

  f.mnuKUFL[1].SetEnabled(false);
  f.mnuKUFL[1].DoClick();
  EXPECT_EQ(clicked.size(), 3u);

  try {
    f.mnuKUFL[2];
    FAIL() << "no element 2";
  } catch (const VbError& e) {
    EXPECT_EQ(e.Number(), 340);
  }
  EXPECT_EQ(f.mnuKURI.SubMenu()->actions().size(), 2);
}

}  // namespace
