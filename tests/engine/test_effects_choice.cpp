// Which effect runs (random, in turn, linked), the step sizes and the pause lengths.
#include <gtest/gtest.h>

#include <array>

#include "engine/effects.h"
#include "platform/random.h"

using namespace engine;

namespace {

TEST(EffectChoice, RandomCodesFollowTheirWeights) {
  // Exact weights over an even grid of draws: 0 gets 1/40, 8 gets 1/10, others 1/8.
  std::array<int, 9> grid{};
  const int m = 40000;
  for (int i = 0; i < m; ++i) ++grid[RandomEffectCode((i + 0.5) / m)];
  EXPECT_EQ(grid[0], m / 40);
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(grid[c], m / 8) << c;
  EXPECT_EQ(grid[8], m / 10);
  EXPECT_EQ(RandomEffectCode(0.0), 0);
  EXPECT_EQ(RandomEffectCode(0.9999999), 8);

  // And over many draws of the seeded shared source.
  platform::SeedRandom(20240501);
  std::array<int, 9> seen{};
  const int n = 200000;
  for (int i = 0; i < n; ++i) ++seen[RandomEffectCode(platform::Rnd())];
  EXPECT_NEAR(seen[0] / double(n), 0.025, 0.003);
  for (int c = 1; c <= 7; ++c) EXPECT_NEAR(seen[c] / double(n), 0.125, 0.005) << c;
  EXPECT_NEAR(seen[8] / double(n), 0.10, 0.005);
}

TEST(EffectChoice, InTurnRunsZeroToEightAndStartsAgain) {
  short turn = 0;
  for (int round = 0; round < 2; ++round)
    for (short expected = 0; expected <= 8; ++expected) EXPECT_EQ(EffectCodeInTurn(turn), expected);
  EXPECT_EQ(turn, 9);  // 8 was the last; the next call starts again at 0
  short stale = 9;     // left at 9 by the last picture of a show
  EXPECT_EQ(EffectCodeInTurn(stale), 0);
}

TEST(EffectChoice, LinkedEraseSwapsCentreAndOutside) {
  const short expected[] = {0, 1, 2, 3, 5, 4, 6, 7, 8};
  for (short code = 0; code <= 8; ++code) EXPECT_EQ(LinkedEraseCode(code), expected[code]);
  EXPECT_EQ(LinkedEraseCode(kDisplayEffectNone), kEraseEffectLinked);  // draws nothing
}

TEST(EffectChoice, StepsBySpeed) {
  struct Case {
    int speed, strip, side, centre, band;
  } cases[] = {
      {-999, 1, 1, 1, 1}, {-30, 1, 1, 1, 1}, {6, 1, 1, 1, 1},  {7, 1, 1, 2, 1},
      {8, 2, 3, 3, 2},    {9, 3, 4, 4, 3},   {10, 4, 6, 5, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StripStep(c.speed), c.strip) << c.speed;
    EXPECT_EQ(SideStripStep(c.speed), c.side) << c.speed;
    EXPECT_EQ(CentreStep(c.speed), c.centre) << c.speed;
    EXPECT_EQ(SlitBand(c.speed), c.band) << c.speed;
  }
}

TEST(EffectChoice, PauseRoundsAtTheDefaultSpeed) {
  EXPECT_EQ(int(StripPauseRounds(-30, 2.0f, false)), 740);
  EXPECT_EQ(int(StripPauseRounds(-30, 2.0f, true) + 1e-6), 518);
  EXPECT_EQ(int(CentrePauseRounds(-30, 2.0f)), 1110);
  EXPECT_EQ(int(SlitPauseRounds(-30, 2.0f)), 444);
  // Speed 7 and above: no pause.
  for (int speed : {7, 8, 10}) {
    EXPECT_LT(StripPauseRounds(speed, 2.0f, false), 1);
    EXPECT_LT(CentrePauseRounds(speed, 2.0f), 1);
    EXPECT_LT(SlitPauseRounds(speed, 2.0f), 1);
  }
  // The slowest speed the menus admit stays in range; a damaged file's speed does not
  // overflow.
  EXPECT_EQ(int(CentrePauseRounds(-999, 1.0f)), 15090);
  EXPECT_EQ(int(CentrePauseRounds(-30000, 1.0f)), 32767);
}

TEST(EffectChoice, MosaicPauseTable) {
  struct Case {
    int speed;
    int rounds[4];  // counts 5, 10, 20, 100
  } cases[] = {
      {-30, {5178, 1207, 281, 9}},
      {0, {514, 120, 28, 0}},
      {6, {324, 75, 17, 0}},
      {10, {238, 55, 12, 0}},
  };
  const int counts[] = {5, 10, 20, 100};
  for (const Case& c : cases)
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(int(MosaicPauseRounds(c.speed, counts[i], 0)), c.rounds[i]) << c.speed;
  EXPECT_LT(MosaicPauseRounds(10, 10, 100), 1);  // a large adjustment: no pause
}

TEST(EffectChoice, PlacingRoundsHalvesToEven) {
  // 1920 x 1080 monitor, 1000 x 600 picture: centred at (460, 240).
  EXPECT_EQ(PlacePicture((1920 - 1000) * 15, 0.5, 15), 460);
  // Free space of 45 twips = 3 px; half of it is 1.5 px, which rounds to 2.
  EXPECT_EQ(PlacePicture(45, 0.5, 15), 2);
  EXPECT_EQ(PlacePicture(75, 0.5, 15), 2);  // 2.5 -> 2
  // A picture larger than the monitor gets a negative position.
  EXPECT_EQ(PlacePicture(-300, 0.5, 15), -10);
}

}  // namespace
