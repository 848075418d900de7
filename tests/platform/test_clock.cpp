// The clock tests can set, the waits, and the random source.
#include <gtest/gtest.h>

#include <QDeadlineTimer>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/random.h"
#include "tests/support/wait.h"

using namespace platform;

namespace {

class ClockTest : public ::testing::Test {
 protected:
  void TearDown() override { ClearTestNow(); }
};

TEST_F(ClockTest, FrozenClockReadsTheSetMoment) {
  const QDateTime moment(QDate(2024, 2, 29), QTime(13, 30, 15, 250));
  SetTestNow(moment);
  EXPECT_EQ(Now(), moment);
  EXPECT_EQ(Date(), QDate(2024, 2, 29));
  EXPECT_DOUBLE_EQ(TimeOfDaySeconds(), 13 * 3600 + 30 * 60 + 15.25);
  Sleep(20);
  EXPECT_EQ(Now(), moment);
  AdvanceTestClock(1000);
  EXPECT_DOUBLE_EQ(TimeOfDaySeconds(), 13 * 3600 + 30 * 60 + 16.25);
}

TEST_F(ClockTest, RunningClockCrossesMidnight) {
  const double start = 23 * 3600 + 59 * 60 + 59.98;
  SetTestNowRunning(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 980)));
  // Readings taken while the date stood still, until the date turns.
  double before = -1;
  double after = -1;
  ASSERT_TRUE(test_support::WaitFor(
      [&] {
        const QDate d = Date();
        const double t = TimeOfDaySeconds();
        if (Date() != d) return false;
        (d == QDate(2024, 12, 31) ? before : after) = t;
        return d == QDate(2025, 1, 1);
      },
      30000, 1));
  // Waiting loops see the time of day fall back below where it was.
  if (before >= 0) {
    EXPECT_GE(before, start);
    EXPECT_LT(after, before);
  }
  EXPECT_GE(after, 0.0);
  EXPECT_LT(after, start);
}

TEST_F(ClockTest, ClearedClockIsTheSystemClock) {
  SetTestNow(QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
  ClearTestNow();
  const QDateTime earlier = QDateTime::currentDateTime();
  const QDateTime now = Now();
  const QDateTime later = QDateTime::currentDateTime();
  EXPECT_LE(earlier, now);
  EXPECT_LE(now, later);
}

TEST(Waits, SleepBlocksForTheTime) {
  const QDeadlineTimer due(30, Qt::PreciseTimer);
  Sleep(30);
  EXPECT_TRUE(due.hasExpired());
}

TEST(Random, SeededSourceRepeatsAndStaysBelowOne) {
  SeedRandom(42);
  std::vector<double> first;
  for (int i = 0; i < 1000; ++i) first.push_back(Rnd());
  SeedRandom(42);
  for (int i = 0; i < 1000; ++i) {
    const double v = Rnd();
    EXPECT_EQ(v, first[static_cast<size_t>(i)]);
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
  }
  // The picks a slide list makes cover the range.
  std::vector<int> seen(10, 0);
  for (int i = 0; i < 1000; ++i) ++seen[static_cast<size_t>(Rnd() * 10)];
  for (int n : seen) EXPECT_GT(n, 50);
}

TEST(Random, ScriptedValuesComeFirst) {
  SeedRandom(1);
  ScriptRandom({0.25, 0.0, 1.0});
  EXPECT_EQ(Rnd(), 0.25);
  EXPECT_EQ(Rnd(), 0.0);
  EXPECT_LT(Rnd(), 1.0) << "clamped below 1";
  SeedRandom(1);
  const double a = Rnd();
  SeedRandom(1);
  EXPECT_EQ(Rnd(), a);
}

}  // namespace
