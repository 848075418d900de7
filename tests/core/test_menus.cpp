// The main window's menu tree, the choice mechanism and the show-option menus.
#include <QAction>
#include <QMenuBar>

#include "engine/slidescreen2.h"
#include "test_startup_fixture.h"

namespace {

using core::Form1;
using core::ShowSettings;
using startup_test::StartupTest;

using MenuMember = platform::MenuArray Form1::*;
using ValueMember = short ShowSettings::*;

QStringList Captions(platform::MenuArray& menu) {
  QStringList captions;
  for (int i = 0; i < menu.Count(); ++i) captions << menu[i].Caption();
  return captions;
}

int TickCount(platform::MenuArray& menu) {
  int n = 0;
  for (int i = 0; i < menu.Count(); ++i) n += menu[i].Checked() ? 1 : 0;
  return n;
}

TEST_F(StartupTest, MenuBarHoldsTheTreeWithItsDeclaredState) {
  Form1& f = Start();
  QStringList shown;
  for (QAction* a : f.MenuBar()->actions())
    if (a->isVisible()) shown << a->text();
  EXPECT_EQ(shown, (QStringList{"ファイル(&F)", "設定(&S)", "画面効果(&G)", "KVZリンク(&U)",
                                "CD再生(&C)", "説明(&H)"}));
  // Never offered.
  EXPECT_FALSE(f.mnuICHI.Visible());
  EXPECT_FALSE(f.mnuICHI.Enabled());
  EXPECT_FALSE(f.mnuGYOMI.Visible());
  EXPECT_FALSE(f.mnuWAVLIST.Visible());
  EXPECT_FALSE(f.mnuWAVLIST.Enabled());
  EXPECT_FALSE(f.mnuGAI.Visible());
  EXPECT_TRUE(f.mnuREADME.Visible());
  EXPECT_EQ(f.mnuDOUKI.Caption(), QStringLiteral("    WAV効果音同期(&D)"));
  EXPECT_EQ(f.mnuHKSP.Caption(), QStringLiteral("     表示効果スピード"));
  EXPECT_EQ(f.mnuHEADER.Caption(), QStringLiteral("ユーザーマクロヘッダー "));

  EXPECT_EQ(Captions(f.mnuKOU),
            (QStringList{"共通音再生", "画像連動(WAV)再生", "CD再生", "WAV再生(1ﾌｧｲﾙ繰返し)",
                         "MIDI再生(1ﾌｧｲﾙ繰返し)", "画像連動(MIDI)再生", "BGMリスト再生", "なし",
                         "MP3再生(1ﾌｧｲﾙ繰返し)", "連動(MP3+WAV)再生"}));
  EXPECT_EQ(f.mnuHKO.Count(), 12);
  EXPECT_EQ(f.mnuHKO[11].Caption(), QStringLiteral("なし"));
  EXPECT_EQ(f.mnuSYOUKO.Count(), 13);
  EXPECT_EQ(f.mnuSYOUKO[11].Caption(), QStringLiteral("表示効果連動"));
  EXPECT_EQ(Captions(f.mnuKASAS),
            (QStringList{"画面の１００％", "画面の  ８０％", "画面の  ６０％", "画面の  ４０％",
                         "画面の  ２０％", "おまかせ", "調整なし"}));
  EXPECT_EQ(f.mnuKAIRO.Count(), 10);
  EXPECT_EQ(f.mnuKAIRO[9].Caption(), QStringLiteral("薄ピンク"));
  EXPECT_EQ(Captions(f.mnuYOMI), (QStringList{"互換モード", "読込優先モード （標準）"}));
  EXPECT_EQ(Captions(f.mnuCDRND), (QStringList{"トラック順", "ランダム", "プログラム"}));
  for (MenuMember yesNo : {&Form1::mnuFULL_FL, &Form1::mnuKUFL, &Form1::mnuRANDFL, &Form1::mnuAUT,
                           &Form1::mnuCTL, &Form1::mnuSTKAKU, &Form1::mnuJYUF, &Form1::mnuDOU,
                           &Form1::mnuTEXT, &Form1::mnuCDR, &Form1::mnuCDWAV})
    EXPECT_EQ(Captions(f.*yesNo), (QStringList{"あり", "なし"}));
}

struct ChoiceCase {
  const char* name;
  MenuMember menu;
  int index;
  ValueMember value;
  const char* title;  // nullptr: no message
  const char* text;
};

const ChoiceCase kChoices[] = {
    {"RepeatYes", &Form1::mnuKUFL, 0, &ShowSettings::RepeatOff, "繰り返し",
     "スライド表示が最終になると再び最初から繰り返します。\r\n（ＫＶＺリンクは除く）"},
    {"RepeatNo", &Form1::mnuKUFL, 1, &ShowSettings::RepeatOff, nullptr, nullptr},
    {"RandomYes", &Form1::mnuRANDFL, 0, &ShowSettings::RandomOrderOff, "ランダム実行",
     "スライドリストをランダムに実行します。\r\n（ＫＶＺリンクでは実行されません。）"},
    {"RandomNo", &Form1::mnuRANDFL, 1, &ShowSettings::RandomOrderOff, nullptr, nullptr},
    {"AlwaysFullScreen", &Form1::mnuFULL_FL, 0, &ShowSettings::AlwaysFullScreenOff, nullptr,
     nullptr},
    {"LoadMode", &Form1::mnuYOMI, 1, &ShowSettings::PictureLoadMode, nullptr, nullptr},
    {"Position", &Form1::mnuHICHI, 1, &ShowSettings::PicturePosition, nullptr, nullptr},
    {"Size", &Form1::mnuKASAS, 6, &ShowSettings::PictureSizeMode, nullptr, nullptr},
    {"OverlayColour", &Form1::mnuKAIRO, 7, &ShowSettings::OverlayBackColorIndex, nullptr, nullptr},
    {"AdjustShrink", &Form1::mnuSIZE, 0, &ShowSettings::SizeAdjustMode, "全画面サイズ調整",
     "画面サイズに収まるように縮小調整が行われます。\r\n"
     "（この設定はＫＶＺファイルには保存されません）"},
    {"AdjustFit", &Form1::mnuSIZE, 1, &ShowSettings::SizeAdjustMode, "全画面サイズ調整",
     "画面サイズに合わせた最適な縮小調整が行われます。\r\n"
     "（この設定はＫＶＺファイルには保存されません）"},
    {"AdjustNone", &Form1::mnuSIZE, 2, &ShowSettings::SizeAdjustMode, nullptr, nullptr},
    {"ErrorRemoveAuto", &Form1::mnuLSAKU, 1, &ShowSettings::ErrorEntryAutoRemove,
     "リスト（エラー）削除",
     "スライド実行中に読込みエラーが発生した場合、エラーファイルはリストより自動的に削除されます。"
     "\r\n（この設定はＫＶＺファイルには保存されません）"},
    {"ErrorRemoveManual", &Form1::mnuLSAKU, 0, &ShowSettings::ErrorEntryAutoRemove, nullptr,
     nullptr},
    {"ContinueStart", &Form1::mnuSOP1, 1, &ShowSettings::ContinueStart, "スタートオプション",
     "スライドショーを前回終了位置より継続スタートします。\r\n"
     "（この設定はＫＶＺファイルに保存されません）"},
    {"FullStartConfirmNo", &Form1::mnuSTKAKU, 1, &ShowSettings::FullStartConfirmOff, nullptr,
     nullptr},
    {"SecondCopyNo", &Form1::mnuJYUF, 1, &ShowSettings::SecondInstanceOff, nullptr, nullptr},
    {"AutoStartYes", &Form1::mnuAUT, 0, &ShowSettings::AutoStartOff, "オートスタート",
     "スライドショー再立ち上げ時に自動的にスライド画面全体表示スタート待ちになります。\r\n"
     "（この設定はＫＶＺファイルに保存されません）"},
    {"AutoStartNo", &Form1::mnuAUT, 1, &ShowSettings::AutoStartOff, nullptr, nullptr},
    {"ControlBoxYes", &Form1::mnuCTL, 0, &ShowSettings::ControlBoxOff, "コントロールＢＯＸ",
     "画面全体表示において、ｺﾝﾄﾛｰﾙBOXが表示されます。\r\n"
     "（この設定はＫＶＺファイルには保存されません）"},
    {"ControlBoxNo", &Form1::mnuCTL, 1, &ShowSettings::ControlBoxOff, "コントロールＢＯＸ",
     "画面全体表示において、ｺﾝﾄﾛｰﾙBOXが消去されます。"},
    {"ControlBoxBottom", &Form1::mnuCTL_P, 1, &ShowSettings::ControlBoxAtBottom, nullptr, nullptr},
};

class ChoiceMenu : public StartupTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ChoiceMenu, StoresTicksAndExplains) {
  const ChoiceCase& c = GetParam();
  Form1& f = Start();
  platform::MenuArray& menu = f.*(c.menu);
  dialogs_.ClearCalls();

  menu[c.index].DoClick();

  EXPECT_EQ(core::Settings().*(c.value), c.index);
  EXPECT_EQ(menu.CheckedIndex(), c.index);
  EXPECT_EQ(TickCount(menu), 1);
  const auto boxes = dialogs_.CallsOf(platform::DialogKind::kMsgBox);
  if (!c.title) {
    EXPECT_TRUE(boxes.empty());
    return;
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, QString::fromUtf8(c.title));
  EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.text));
  EXPECT_EQ(boxes[0].buttons, platform::vbOKOnly);
  EXPECT_EQ(boxes[0].icon, 0);
}

INSTANTIATE_TEST_SUITE_P(Items, ChoiceMenu, ::testing::ValuesIn(kChoices),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, RepeatAndRandomOrderAreCoupled) {
  Form1& f = Start();
  f.mnuRANDFL[0].DoClick();  // random on: repetition on, only the random message
  EXPECT_EQ(core::Settings().RepeatOff, 0);
  EXPECT_EQ(f.mnuKUFL.CheckedIndex(), 0);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("ランダム実行"));

  dialogs_.ClearCalls();
  f.mnuKUFL[1].DoClick();  // no repetition: random order off, silently
  EXPECT_EQ(core::Settings().RandomOrderOff, 1);
  EXPECT_EQ(f.mnuRANDFL.CheckedIndex(), 1);
  EXPECT_EQ(TickCount(f.mnuRANDFL), 1);
  EXPECT_TRUE(dialogs_.Calls().empty());

  f.mnuKUFL[0].DoClick();
  f.mnuKUFL[0].DoClick();  // the ticked item again explains again
  EXPECT_EQ(dialogs_.CallsOf(platform::DialogKind::kMsgBox).size(), 2u);
}

TEST_F(StartupTest, StartOptionFromTheFirstSlideForgetsTheLastShownSlide) {
  Form1& f = Start();
  core::Lists().LastShownSlideIndex = 7;
  f.mnuSOP1[1].DoClick();
  EXPECT_EQ(core::Lists().LastShownSlideIndex, 7);
  f.mnuSOP1[0].DoClick();
  EXPECT_EQ(core::Lists().LastShownSlideIndex, 0);
}

TEST_F(StartupTest, OverlayOffDisablesItsColourButKeepsTheColourChosen) {
  Form1& f = Start();
  f.mnuKASANE[2].DoClick();
  EXPECT_TRUE(f.mnuKAHAI.Enabled());
  engine::Slidescreen& screen = engine::slidescreen();
  EXPECT_EQ(screen.P2.Left(), 0);
  EXPECT_EQ(screen.P2.Top(), 0);
  f.mnuKAIRO[4].DoClick();

  f.mnuKASANE[0].DoClick();
  EXPECT_FALSE(f.mnuKAHAI.Enabled());
  EXPECT_EQ(screen.P2.BackColor(), QColor(0, 0, 0));
  EXPECT_EQ(core::Settings().OverlayBackColorIndex, 4);
  EXPECT_EQ(f.mnuKAIRO.CheckedIndex(), 4);

  f.mnuKASANE[1].DoClick();
  EXPECT_TRUE(f.mnuKAHAI.Enabled());
  EXPECT_EQ(f.mnuKAIRO.CheckedIndex(), 4);
}

TEST_F(StartupTest, ControlBoxPositionPlacesTheBoxAtTheRightOfThePrimaryScreen) {
  Form1& f = Start();
  ASSERT_EQ(engine::Slidescreen2IfLoaded(), nullptr);
  f.mnuCTL_P[1].DoClick();  // 右下, before any show: the box is loaded hidden and placed
  engine::Slidescreen2* box = engine::Slidescreen2IfLoaded();
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->isVisible());
  EXPECT_NEAR(box->Left(), platform::ScreenWidth() - box->Width(), 15);
  EXPECT_NEAR(box->Top(), platform::ScreenHeight() - box->Height(), 15);

  f.mnuCTL_P[0].DoClick();  // 右上
  EXPECT_NEAR(box->Top(), 0, 15);
  EXPECT_NEAR(box->Left(), platform::ScreenWidth() - box->Width(), 15);
  engine::ResetSlidescreen2();
}

struct IntervalCase {
  const char* answer;  // nullptr: Cancel
  bool warns;
  int seconds;  // SlideIntervalSeconds after the answer
  int timerMs;  // the slide timer's interval after the answer
};

class IntervalMenu : public StartupTest, public ::testing::WithParamInterface<IntervalCase> {};

TEST_P(IntervalMenu, AcceptsOneToSixtySeconds) {
  const IntervalCase& c = GetParam();
  Form1& f = Start();
  dialogs_.ClearCalls();
  if (c.answer)
    dialogs_.AnswerText(QString::fromUtf8(c.answer));
  else
    dialogs_.AnswerCancel();

  f.mnuTIME.DoClick();

  const auto inputs = dialogs_.CallsOf(platform::DialogKind::kInputBox);
  ASSERT_EQ(inputs.size(), 1u);  // asked once, also after a bad answer
  EXPECT_EQ(inputs[0].title, QStringLiteral("スライド間隔"));
  EXPECT_EQ(inputs[0].text,
            QStringLiteral("スライド間隔（秒）を設定してください。\r\n(１～６０秒）"));
  EXPECT_EQ(inputs[0].defaultText, QStringLiteral("3"));
  const auto boxes = dialogs_.CallsOf(platform::DialogKind::kMsgBox);
  if (c.warns) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("設定が不適切です"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("ｽﾗｲﾄﾞ間隔"));
    EXPECT_EQ(boxes[0].icon, platform::vbExclamation);
  } else {
    EXPECT_TRUE(boxes.empty());
  }
  EXPECT_EQ(core::Settings().SlideIntervalSeconds, c.seconds);
  EXPECT_EQ(f.Timer1.Interval(), c.timerMs);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, IntervalMenu,
    ::testing::Values(IntervalCase{nullptr, false, 3, 3000}, IntervalCase{"", false, 3, 3000},
                      IntervalCase{"0", true, 3, 3000}, IntervalCase{"61", true, 3, 3000},
                      IntervalCase{"0.5", true, 3, 3000}, IntervalCase{"abc", true, 3, 3000},
                      IntervalCase{"60", false, 60, 60000}, IntervalCase{"1.5", false, 2, 1500},
                      IntervalCase{"2.5", false, 2, 2500}, IntervalCase{"5秒", false, 5, 5000}));

TEST(ChoiceMechanism, StoredValueOutsideTheArrayHasNoTickToRemove) {
  platform::Form form;
  platform::MenuItem parent(&form, QStringLiteral("p"));
  platform::MenuArray menu(&parent, {QStringLiteral("あり"), QStringLiteral("なし")});
  short value = 9;  // as a damaged file could leave it
  core::ChooseMenuItem(menu, value, 1);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(menu.CheckedIndex(), 1);

  menu[0].SetChecked(true);
  core::TickMenuItem(menu, 5);
  EXPECT_EQ(menu.CheckedIndex(), -1);
  core::TickMenuItem(menu, 0);
  EXPECT_EQ(menu.CheckedIndex(), 0);
  EXPECT_FALSE(menu[1].Checked());
}

}  // namespace
