// The screen-effect menus driven as a user would: the choice, its count questions with
// their answers, the speeds and the fixed speed.
#include "test_menus_fixture.h"

namespace {

using namespace menus_test;

const QString kBad = QStringLiteral("設定が不適切です");

struct EffectCase {
  const char* name;
  bool erase;
  int index;
  std::vector<Reply> replies;
  QStringList expectedTitles;  // every dialog, in order
  short slits;                 // resulting count (start: 10)
  short mosaic;                // resulting count (start: 10)
};

class EffectMenuTest : public MenusTest, public ::testing::WithParamInterface<EffectCase> {};

const QString kDS = QStringLiteral("画面表示効果スリット数");
const QString kDM = QStringLiteral("画面表示効果モザイク数");
const QString kES = QStringLiteral("画面消去効果スリット数");
const QString kEM = QStringLiteral("画面消去効果モザイク数");

TEST_P(EffectMenuTest, ChoiceTicksAndAsksItsCounts) {
  const EffectCase& c = GetParam();
  core::Form1& f = Main();
  core::ShowSettings& s = core::Settings();
  ASSERT_EQ(s.DisplaySlitCount, 10);
  ASSERT_EQ(s.EraseMosaicCount, 10);
  platform::MenuArray& menu = c.erase ? f.mnuSYOUKO : f.mnuHKO;
  Script(c.replies);
  if (c.erase)
    engine::mnuSYOUKO_Click(f, c.index);
  else
    engine::mnuHKO_Click(f, c.index);

  EXPECT_EQ(c.erase ? s.EraseEffect : s.DisplayEffect, c.index);
  EXPECT_EQ(Ticked(menu), c.index);
  EXPECT_EQ(TickCount(menu), 1);
  EXPECT_EQ(Titles(), c.expectedTitles);
  EXPECT_EQ(c.erase ? s.EraseSlitCount : s.DisplaySlitCount, c.slits);
  EXPECT_EQ(c.erase ? s.EraseMosaicCount : s.DisplayMosaicCount, c.mosaic);
  // The other menu's counts are left alone.
  EXPECT_EQ(c.erase ? s.DisplaySlitCount : s.EraseSlitCount, 10);
  for (const auto& call : dialogs_.Calls()) {
    if (call.kind == platform::DialogKind::kMsgBox) {
      EXPECT_EQ(call.text, kBad);
      EXPECT_EQ(call.icon, platform::vbExclamation);
    }
  }
  EXPECT_EQ(dialogs_.Pending(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EffectMenuTest,
    ::testing::Values(
        EffectCase{"top", false, 0, {}, {}, 10, 10},
        EffectCase{"mosaic_only", false, 8, {Text("30")}, {kDM}, 10, 30},
        EffectCase{"random_cancel_slits_still_asks_mosaic",
                   false,
                   9,
                   {Cancel(), Text("50")},
                   {kDS, kDM},
                   10,
                   50},
        EffectCase{"in_turn_refusals_then_floor",
                   false,
                   10,
                   {Text("1"), Ok(), Text("101"), Ok(), Text("abc"), Ok(), Text("2.9"), Text("")},
                   {kDS, kDS, kDS, kDS, kDS, kDS, kDS, kDM},
                   2,
                   10},
        EffectCase{"vertical_slits_bounds", false, 7, {Text("100")}, {kDS}, 100, 10},
        EffectCase{"display_none", false, 11, {}, {}, 10, 10},
        EffectCase{"erase_linked_asks_both", true, 11, {Text("2"), Text("5")}, {kES, kEM}, 2, 5},
        EffectCase{"erase_mosaic_refuses_four",
                   true,
                   8,
                   {Text("4"), Ok(), Text("5")},
                   {kEM, kEM, kEM},
                   10,
                   5},
        EffectCase{"erase_none", true, 12, {}, {}, 10, 10},
        EffectCase{"erase_horizontal_slits", true, 6, {Text("5秒")}, {kES}, 5, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenusTest, CountQuestionShowsItsPromptRangeAndCurrentValue) {
  core::Form1& f = Main();
  core::Settings().DisplaySlitCount = 17;
  Script({Cancel()});
  engine::mnuHKO_Click(f, 6);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  const auto& call = dialogs_.Calls()[0];
  EXPECT_EQ(call.kind, platform::DialogKind::kInputBox);
  EXPECT_EQ(call.text,
            QStringLiteral("画面表示効果スリット数を設定してください。\r\n(２～１００）"));
  EXPECT_EQ(call.defaultText, QStringLiteral("17"));
  EXPECT_EQ(core::Settings().DisplaySlitCount, 17);
}

TEST_F(MenusTest, ChoosingTheTickedEffectAgainAsksAgain) {
  core::Form1& f = Main();
  Script({Text("20")});
  engine::mnuHKO_Click(f, 8);
  Script({Text("40")});
  engine::mnuHKO_Click(f, 8);
  EXPECT_EQ(dialogs_.CallsOf(platform::DialogKind::kInputBox).size(), 2u);
  EXPECT_EQ(core::Settings().DisplayMosaicCount, 40);
  EXPECT_EQ(TickCount(f.mnuHKO), 1);
}

struct SpeedCase {
  const char* name;
  bool erase;
  std::vector<Reply> replies;
  short expected;  // start: -30
  int warnings;
};

class SpeedMenuTest : public MenusTest, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedMenuTest, AnswerSetsTheSpeedOrIsRefused) {
  const SpeedCase& c = GetParam();
  core::Form1& f = Main();
  Script(c.replies);
  if (c.erase)
    engine::mnuSKSP_Click(f);
  else
    engine::mnuHKSP_Click(f);
  const core::ShowSettings& s = core::Settings();
  EXPECT_EQ(c.erase ? s.EraseEffectSpeed : s.DisplayEffectSpeed, c.expected);
  EXPECT_EQ(c.erase ? s.DisplayEffectSpeed : s.EraseEffectSpeed, -30);
  EXPECT_EQ(static_cast<int>(dialogs_.CallsOf(platform::DialogKind::kMsgBox).size()), c.warnings);
  const auto inputs = dialogs_.CallsOf(platform::DialogKind::kInputBox);
  ASSERT_FALSE(inputs.empty());
  EXPECT_EQ(inputs[0].title, c.erase ? QStringLiteral("画面消去効果スピード")
                                     : QStringLiteral("画面表示効果スピード"));
  EXPECT_TRUE(inputs[0].text.endsWith(QStringLiteral("\r\n(遅い   -999 ～ 10   速い)")));
  EXPECT_EQ(inputs[0].defaultText, QStringLiteral("-30"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpeedMenuTest,
    ::testing::Values(SpeedCase{"slowest", false, {Text("-999")}, -999, 0},
                      SpeedCase{"fastest", true, {Text("10")}, 10, 0},
                      SpeedCase{
                          "too_slow_then_empty", false, {Text("-1000"), Ok(), Text("")}, -30, 1},
                      SpeedCase{"too_fast_then_cancel", true, {Text("11"), Ok(), Cancel()}, -30, 1},
                      SpeedCase{"negative_half_floors", false, {Text("-0.5")}, -1, 0},
                      SpeedCase{"fraction_floors", true, {Text("3.7")}, 3, 0},
                      SpeedCase{"overlong_number_refused",
                                false,
                                {Text(QString(400, QChar(u'9'))), Ok(), Cancel()},
                                -30,
                                1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenusTest, FixedSpeedGreysTheSpeedItemsAndVariableKeepsMinusThirty) {
  core::Form1& f = Main();
  core::ShowSettings& s = core::Settings();
  s.DisplayEffectSpeed = 5;
  s.EraseEffectSpeed = -100;
  engine::mnuKSPSEL_Click(f, 1);
  EXPECT_EQ(s.EffectSpeedFixed, 1);
  EXPECT_EQ(Ticked(f.mnuKSPSEL), 1);
  EXPECT_FALSE(f.mnuHKSP.Enabled());
  EXPECT_FALSE(f.mnuSKSP.Enabled());
  EXPECT_EQ(s.DisplayEffectSpeed, -30);
  EXPECT_EQ(s.EraseEffectSpeed, -30);

  engine::mnuKSPSEL_Click(f, 0);
  EXPECT_EQ(s.EffectSpeedFixed, 0);
  EXPECT_EQ(Ticked(f.mnuKSPSEL), 0);
  EXPECT_EQ(TickCount(f.mnuKSPSEL), 1);
  EXPECT_TRUE(f.mnuHKSP.Enabled());
  EXPECT_TRUE(f.mnuSKSP.Enabled());
  EXPECT_EQ(s.DisplayEffectSpeed, -30);
  EXPECT_EQ(s.EraseEffectSpeed, -30);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

}  // namespace
