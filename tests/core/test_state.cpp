// The shared show state: array bounds, zero values, the option reset and the
// schedule record's two moments.
#include <gtest/gtest.h>

#include "core/state.h"

namespace {

using core::Buttons;
using core::Flags;
using core::Lists;
using core::Monitors;
using core::Paths;
using core::Settings;
using core::Sound;

class StateTest : public ::testing::Test {
 protected:
  void SetUp() override { core::ResetAllState(); }
  void TearDown() override { core::ResetAllState(); }
};

int SubscriptError(const std::function<void()>& f) {
  try {
    f();
  } catch (const platform::VbError& e) {
    return e.Number();
  }
  return 0;
}

TEST_F(StateTest, ArraysKeepTheirBoundsAndRaiseError9Outside) {
  auto& l = Lists();
  l.SlidePaths[30010] = "/p/last.jpg";
  l.LinkListEntries[1010] = "/p/last.kvz";
  l.CdProgram[110] = "9";
  Buttons().PicButtonLinks[63] = "x";
  EXPECT_EQ(l.SlidePaths[30010], "/p/last.jpg");

  EXPECT_EQ(SubscriptError([&] { l.SlidePaths[30011] = "x"; }), platform::kErrSubscript);
  EXPECT_EQ(SubscriptError([&] { (void)l.SlidePaths[-1]; }), platform::kErrSubscript);
  EXPECT_EQ(SubscriptError([&] { (void)l.SlideAddDateTimes[30011]; }), platform::kErrSubscript);
  EXPECT_EQ(SubscriptError([&] { (void)l.SoundListEntries[30011]; }), platform::kErrSubscript);
  EXPECT_EQ(SubscriptError([&] { (void)l.LinkListEntries[1011]; }), platform::kErrSubscript);
  EXPECT_EQ(SubscriptError([&] { (void)l.CdProgram[111]; }), platform::kErrSubscript);
  EXPECT_EQ(SubscriptError([&] { (void)Buttons().MenuJumps[64]; }), platform::kErrSubscript);
  EXPECT_EQ(SubscriptError([&] { (void)Monitors().MonitorLefts[11]; }), platform::kErrSubscript);
}

TEST_F(StateTest, ResetAllStateGivesZeroValuesEverywhere) {
  Lists().SlidePaths[5] = "/p/a.jpg";
  Lists().SlideEndIndex = 6;
  Settings().DefaultSoundFile = "*.wav";
  Settings().SlideIntervalSeconds = 3;
  Flags().ShowRunning = 1;
  Sound().SlideWavFile = "/p/a.wav";
  Paths().AppFolder = "/data/";
  Buttons().PicButtonsShown[62] = 1;
  Monitors().MonitorCount = 2;

  core::ResetAllState();

  EXPECT_TRUE(Lists().SlidePaths[5].isEmpty());
  EXPECT_EQ(Lists().SlideEndIndex, 0);
  EXPECT_TRUE(Settings().DefaultSoundFile.isEmpty());
  EXPECT_EQ(Settings().SlideIntervalSeconds, 0);
  EXPECT_EQ(Flags().ShowRunning, 0);
  EXPECT_TRUE(Sound().SlideWavFile.isEmpty());
  EXPECT_TRUE(Paths().AppFolder.isEmpty());
  EXPECT_EQ(Buttons().PicButtonsShown[62], 0);
  EXPECT_EQ(Monitors().MonitorCount, 0);
  EXPECT_EQ(Monitors().MainHwnd, nullptr);
  EXPECT_EQ(Sound().MciReturn.size(), 255);
}

TEST_F(StateTest, ResetShowOptionsSetsItsValuesAndLeavesTheOthers) {
  auto& s = Settings();
  // Every value the reset touches, and a few it must leave alone, start at 7.
  for (short* v : {&s.AutoStartOff,       &s.DisplayEffect,
                   &s.DisplayEffectSpeed, &s.EraseEffect,
                   &s.EraseEffectSpeed,   &s.DisplaySlitCount,
                   &s.EraseSlitCount,     &s.EffectSpeedCorrection,
                   &s.CdTrackRepeatOff,   &s.DisplayMosaicCount,
                   &s.EraseMosaicCount,   &s.DblClickPicture,
                   &s.MosaicDelayAdjust,  &s.DblClickRecord,
                   &s.DblClickWallpaper,  &s.DblClickText,
                   &s.TextMacroOff,       &s.WavSyncOff,
                   &s.RepeatOff,          &s.SoundMode,
                   &s.LinkAutoStart,      &s.LinkRepeat,
                   &s.LinkKeepAtEnd,      &s.RandomOrderOff,
                   &s.DblClickSlideshow,  &s.ControlBoxOff}) {
    *v = 7;
  }

  core::ResetShowOptions();

  const std::pair<const char*, std::pair<short, short>> expected[] = {
      {"AutoStartOff", {s.AutoStartOff, 0}},
      {"DisplayEffect", {s.DisplayEffect, 0}},
      {"DisplayEffectSpeed", {s.DisplayEffectSpeed, -30}},
      {"EraseEffect", {s.EraseEffect, 0}},
      {"EraseEffectSpeed", {s.EraseEffectSpeed, -30}},
      {"DisplaySlitCount", {s.DisplaySlitCount, 0}},
      {"EraseSlitCount", {s.EraseSlitCount, 0}},
      {"EffectSpeedCorrection", {s.EffectSpeedCorrection, 0}},
      {"CdTrackRepeatOff", {s.CdTrackRepeatOff, 0}},
      {"DisplayMosaicCount", {s.DisplayMosaicCount, 0}},
      {"EraseMosaicCount", {s.EraseMosaicCount, 0}},
      {"DblClickPicture", {s.DblClickPicture, 1}},
      {"MosaicDelayAdjust", {s.MosaicDelayAdjust, 0}},
      {"DblClickRecord", {s.DblClickRecord, 0}},
      {"DblClickWallpaper", {s.DblClickWallpaper, 0}},
      {"DblClickText", {s.DblClickText, 0}},
      {"TextMacroOff", {s.TextMacroOff, 0}},
      {"WavSyncOff", {s.WavSyncOff, 0}},
      {"RepeatOff", {s.RepeatOff, 0}},
      {"SoundMode", {s.SoundMode, 0}},
      {"LinkAutoStart", {s.LinkAutoStart, 0}},
      {"LinkRepeat", {s.LinkRepeat, 0}},
      {"LinkKeepAtEnd", {s.LinkKeepAtEnd, 0}},
      // Not the reset's business.
      {"RandomOrderOff", {s.RandomOrderOff, 7}},
      {"DblClickSlideshow", {s.DblClickSlideshow, 7}},
      {"ControlBoxOff", {s.ControlBoxOff, 7}},
  };
  for (const auto& [name, values] : expected) EXPECT_EQ(values.first, values.second) << name;
}

struct RecordCase {
  const char* record;
  const char* add;
  const char* del;
};

class ScheduleRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ScheduleRecordTest, SplitsIntoTheTwoMoments) {
  const RecordCase& c = GetParam();
  EXPECT_EQ(core::ScheduleAddMoment(QString::fromUtf8(c.record)), QString::fromUtf8(c.add));
  EXPECT_EQ(core::ScheduleDeleteMoment(QString::fromUtf8(c.record)), QString::fromUtf8(c.del));
}

INSTANTIATE_TEST_SUITE_P(
    Records, ScheduleRecordTest,
    ::testing::Values(
        // Both moments set.
        RecordCase{"2024/03/0109:302024/12/3118:00", "2024/03/01 09:30", "2024/12/31 18:00"},
        // Nothing set: 30 blanks give two moments of 16 blanks.
        RecordCase{"                              ", "                ", "                "},
        // A time without a date (every day), no end.
        RecordCase{"          07:00               ", "           07:00", "                "},
        // Characters beyond the end of a short record count as nothing.
        RecordCase{"", " ", " "}, RecordCase{"2024/03/01", "2024/03/01 ", " "}));

TEST(ScheduleRecordJoin, JoinsMomentsBackIntoThirtyCharacters) {
  const QString record = "2024/03/0109:302024/12/3118:00";
  EXPECT_EQ(
      core::JoinScheduleRecord(core::ScheduleAddMoment(record), core::ScheduleDeleteMoment(record)),
      record);
  // The moments of an empty record (one blank each) give a blank record.
  EXPECT_EQ(core::JoinScheduleRecord(" ", " "), QString(30, ' '));
  EXPECT_EQ(core::JoinScheduleRecord("           07:00", ""), "          07:00" + QString(15, ' '));
}

}  // namespace
