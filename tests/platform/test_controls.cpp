// Controls: values set from code and their click reactions, geometry in the
// container's units, label transparency, timers, fonts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QFontInfo>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/fonts.h"
#include "platform/form.h"
#include "tests/support/wait.h"

using namespace platform;
using test_support::WaitFor;

namespace {

void RunMainLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// ---- check boxes and option buttons ------------------------------------------------

struct CheckCase {
  int start;
  int set;
  int clicks;
};

class CheckBoxValueTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckBoxValueTest, CodeRunsTheClickReactionOnlyOnChange) {
  const auto& c = GetParam();
  Form f;
  CheckBox box(&f, "音");
  box.SetValue(c.start);
  int clicks = 0;
  QObject::connect(&box, &CheckBox::Click, [&] { ++clicks; });
  box.SetValue(c.set);
  EXPECT_EQ(box.Value(), c.set);
  EXPECT_EQ(clicks, c.clicks);
}

INSTANTIATE_TEST_SUITE_P(Values, CheckBoxValueTest,
                         ::testing::Values(CheckCase{0, 1, 1}, CheckCase{1, 0, 1},
                                           CheckCase{1, 1, 0}, CheckCase{0, 0, 0},
                                           CheckCase{0, 2, 1}));

TEST(CheckBox, UserClickTogglesAndReactsAndBadValueIsAnError) {
  Form f;
  CheckBox box(&f);
  int clicks = 0;
  QObject::connect(&box, &CheckBox::Click, [&] {
    ++clicks;
    EXPECT_EQ(box.Value(), 1) << "the reaction sees the new value";
  });
  box.click();
  EXPECT_EQ(clicks, 1);
  try {
    box.SetValue(3);
    FAIL();
  } catch (const VbError& e) {
    EXPECT_EQ(e.Number(), 380);
  }
}

TEST(OptionButton, GroupSelectsOneAndClicksOnlyWhenSelected) {
  Form f;
  OptionButton a(&f, "A"), b(&f, "B");
  Frame other(&f);
  OptionButton c(&other, "C");  // another container, another group
  int clicksA = 0, clicksB = 0;
  QObject::connect(&a, &OptionButton::Click, [&] { ++clicksA; });
  QObject::connect(&b, &OptionButton::Click, [&] { ++clicksB; });
  c.SetValue(true);
  a.SetValue(true);
  EXPECT_EQ(clicksA, 1);
  a.SetValue(true);
  EXPECT_EQ(clicksA, 1);
  b.SetValue(true);
  EXPECT_TRUE(b.Value());
  EXPECT_FALSE(a.Value());
  EXPECT_TRUE(c.Value());
  EXPECT_EQ(clicksB, 1);
  b.SetValue(false);  // clearing from code is possible and silent
  EXPECT_FALSE(b.Value());
  EXPECT_EQ(clicksB, 1);
  a.click();  // the user's choice
  EXPECT_EQ(clicksA, 2);
  a.click();  // choosing it again changes nothing
  EXPECT_EQ(clicksA, 2);
}

// ---- geometry in containers ----------------------------------------------------------

TEST(ControlGeometry, ChildrenOfAPixelPictureBoxCountInPixelsInsideItsBorder) {
  Form f;
  PictureBox box(&f);
  box.Move(240, 600, 7815, 5535);
  box.SetScaleMode(ScaleMode::kPixels);
  CommandButton yes(&box, "Yes");
  yes.Move(10, 20, 41, 25);
  EXPECT_EQ(yes.geometry(), QRect(12, 22, 41, 25)) << "2-pixel border";
  EXPECT_EQ(yes.Left(), 10);
  box.SetBorderStyle(0);
  yes.Move(10, 20);
  EXPECT_EQ(yes.pos(), QPoint(10, 20));
  EXPECT_EQ(yes.Width(), 41);
}

TEST(ControlGeometry, VisibleAndEnabledAreTheControlsOwnSettings) {
  Form f;  // never shown
  Label l(&f, "x");
  EXPECT_TRUE(l.Visible());
  l.SetVisible(false);
  EXPECT_FALSE(l.Visible());
  f.SetEnabled(false);
  EXPECT_TRUE(l.Enabled());
  l.SetEnabled(false);
  EXPECT_FALSE(l.Enabled());
  try {
    l.SetFocus();
    FAIL() << "focus on a hidden control";
  } catch (const VbError& e) {
    EXPECT_EQ(e.Number(), 5);
  }
}

// ---- labels -----------------------------------------------------------------------

TEST(Label, TransparentBackShowsWhatLiesBelow) {
  Form f;
  PictureBox box(&f);
  box.SetBorderStyle(0);
  box.SetScaleMode(ScaleMode::kPixels);
  box.resize(100, 40);
  box.SetBackColor(RGB(255, 0, 0));
  Label label(&box, " ");
  label.Move(0, 0, 60, 30);
  label.SetBackColor(RGB(0, 0, 255));

  label.SetBackStyle(1);
  EXPECT_EQ(box.grab().toImage().pixelColor(30, 15), QColor(0, 0, 255));
  label.SetBackStyle(0);
  EXPECT_EQ(box.grab().toImage().pixelColor(30, 15), QColor(255, 0, 0));
}

TEST(Label, AutoSizeFollowsTheCaption) {
  Form f;
  Label label(&f, "a");
  label.SetAutoSize(true);
  const int narrow = label.width();
  label.SetCaption("a much longer ticker text");
  EXPECT_GT(label.width(), narrow);
}

// ---- text and combo boxes --------------------------------------------------------------

TEST(TextBox, ChangeOnlyWhenTheTextDiffers) {
  Form f;
  TextBox t(&f, "5");
  int changes = 0;
  QObject::connect(&t, &TextBox::Change, [&] { ++changes; });
  t.SetText("5");
  t.SetText("60");
  EXPECT_EQ(t.Text(), "60");
  EXPECT_EQ(changes, 1);
}

TEST(ComboBox, ItemsChoiceAndBounds) {
  Form f;
  ComboBox c(&f);
  int clicks = 0;
  QObject::connect(&c, &ComboBox::Click, [&] { ++clicks; });
  for (int i = 0; i < 3; ++i) c.AddItem(QStringLiteral("PicPb%1").arg(i));
  c.AddItem("first", 0);
  EXPECT_EQ(c.ListIndex(), -1) << "adding chooses nothing";
  EXPECT_EQ(c.ListCount(), 4);
  EXPECT_EQ(c.List(0), "first");
  EXPECT_EQ(c.List(9), "");
  c.SetListIndex(1);
  c.SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(c.Text(), "PicPb0");
  EXPECT_THROW(c.SetListIndex(4), VbError);
  EXPECT_THROW(c.AddItem("x", 6), VbError);
}

// ---- timers --------------------------------------------------------------------------

// Due timers fire in the order of their due times, also when a busy machine makes them all
// late; the checks compare the control's ticks with reference timers rather than the clock.
TEST(Timer, FiresEachIntervalWhileOn) {
  QObject scope;  // the reference timers go with the test
  std::vector<QString> events;
  QTimer::singleShot(10, &scope, [&] { events.push_back("half"); });
  Timer t(nullptr, 20, true);
  QTimer::singleShot(100, &scope, [&] { events.push_back("five"); });
  QObject::connect(&t, &Timer::Tick, [&] { events.push_back("tick"); });
  // Half an interval passes before the first tick, five intervals not.
  ASSERT_TRUE(WaitFor([&] { return std::count(events.begin(), events.end(), "five") == 1; }));
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[0], "half");
  EXPECT_EQ(events[1], "tick");
  // It goes on ticking while on, and not once after it is switched off.
  ASSERT_TRUE(WaitFor([&] { return std::count(events.begin(), events.end(), "tick") >= 3; }));
  t.SetEnabled(false);
  const auto ticks = std::count(events.begin(), events.end(), "tick");
  bool later = false;
  QTimer::singleShot(100, &scope, [&] { later = true; });
  ASSERT_TRUE(WaitFor([&] { return later; }));
  EXPECT_EQ(std::count(events.begin(), events.end(), "tick"), ticks);
}

struct TimerOffCase {
  const char* name;
  int interval;
  bool enabled;
};

class TimerOffTest : public ::testing::TestWithParam<TimerOffCase> {};

TEST_P(TimerOffTest, NeverFires) {
  Timer t(nullptr, 20, true);
  int ticks = 0;
  QObject::connect(&t, &Timer::Tick, [&] { ++ticks; });
  t.SetInterval(GetParam().interval);
  t.SetEnabled(GetParam().enabled);
  EXPECT_FALSE(t.IsRunning());
  RunMainLoop(60);
  EXPECT_EQ(ticks, 0) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Off, TimerOffTest,
                         ::testing::Values(TimerOffCase{"interval 0", 0, true},
                                           TimerOffCase{"disabled", 20, false}));

TEST(Timer, IntervalRangeAndRestart) {
  Timer t(nullptr, 0, false);
  EXPECT_NO_THROW(t.SetInterval(65535));
  for (int bad : {-1, 65536}) {
    try {
      t.SetInterval(bad);
      FAIL() << bad;
    } catch (const VbError& e) {
      EXPECT_EQ(e.Number(), 380);
    }
  }
  EXPECT_EQ(t.Interval(), 65535);
  // Setting the interval again starts the count from zero: a 250 ms timer set anew
  // 150 ms after it started has not ticked when a 200 ms timer started just before ends.
  int ticks = 0;
  QObject::connect(&t, &Timer::Tick, [&] { ++ticks; });
  bool referenceDone = false;
  int ticksAtReference = -1;
  QTimer::singleShot(150, &t, [&] {
    QTimer::singleShot(200, &t, [&] {
      referenceDone = true;
      ticksAtReference = ticks;
    });
    t.SetInterval(250);
  });
  t.SetInterval(250);
  t.SetEnabled(true);
  ASSERT_TRUE(WaitFor([&] { return referenceDone; }));
  EXPECT_EQ(ticksAtReference, 0);
  EXPECT_TRUE(WaitFor([&] { return ticks > 0; })) << "the timer is still on";
}

// ---- fonts ---------------------------------------------------------------------------

TEST(Fonts, WindowsNamesMapToInstalledFonts) {
  InstallFontSubstitutions();
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ ゴシック"))).family(), "IPAGothic");
  EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ 明朝"))).family(), "IPAMincho");
}

}  // namespace
