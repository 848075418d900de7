// Show setting commands: values, rounding, ranges and refused values, the menu ticks, the
// text origin and the line rewrites of "MOVX" and "MOVY".
#include <QImage>

#include "core/form4.h"
#include "engine/slidescreen2.h"
#include "platform/cursor.h"
#include "tests/macro/macro_fixture.h"

namespace macro_test {
namespace {

using core::Settings;

TEST_F(MacroTest, IntervalSetsThisSlidesWaitAndTheSetting) {
  const struct {
    const char* line;
    int timerMs;
    int seconds;
  } cases[] = {{"INTERVAL=2.5", 2500, 2}, {"Interval=3.5", 3500, 4}, {"INTERVAL=60", 60000, 60},
               {"INTERVAL=1", 1000, 1},   {"INTERVAL=0", 3000, 5},   {"INTERVAL=61", 3000, 5},
               {"INTERVAL", 3000, 5}};
  for (const auto& c : cases) {
    SetUp();
    Settings().SlideIntervalSeconds = 5;
    Run({c.line});
    EXPECT_EQ(core::form1().Timer1.Interval(), c.timerMs) << c.line;
    EXPECT_EQ(Settings().SlideIntervalSeconds, c.seconds) << c.line;
    TearDown();
  }
  // A jump after it makes the next slide come at once.
  SetUp();
  Run({"INTERVAL=5", "SKIP=1"});
  EXPECT_EQ(core::form1().Timer1.Interval(), 100);
  EXPECT_EQ(Settings().SlideIntervalSeconds, 5);
}

TEST_F(MacroTest, PositionFixesThePlaceOrChoosesCentreOrRandom) {
  const struct {
    const char* line;
    short fixed;
    double x, y;
    short position;
  } cases[] = {
      {"POSITION=150.-20", 1, 1, 0, 0},
      {"Position=50.50", 1, 0.5, 0.5, 0},
      {"POSITION=0.0", 1, 0, 0, 0},
      {"POSITION=100.100", 1, 1, 1, 0},
      {"POSITION=1", 0, -1, -1, 1},
      {"POSITION=50", 0, -1, -1, 0},
      {"POSITION=123456789.5", 0, -1, -1, 0},
      {"PICRND=1", 0, -1, -1, 1},
      {"PicRnd=0", 0, -1, -1, 0},
      {"PICRND=2", 0, -1, -1, 0},
  };
  for (const auto& c : cases) {
    SetUp();
    Settings().PicturePositionFixed = 1;
    Settings().PicturePositionX = Settings().PicturePositionY = -1;  // unchanged shows -1
    Settings().PicturePosition = 0;
    core::form1().mnuHICHI[0].SetChecked(true);
    core::form1().mnuHICHI[1].SetChecked(false);
    Run({c.line});
    EXPECT_EQ(Settings().PicturePositionFixed, c.fixed) << c.line;
    EXPECT_DOUBLE_EQ(Settings().PicturePositionX, c.x) << c.line;
    EXPECT_DOUBLE_EQ(Settings().PicturePositionY, c.y) << c.line;
    EXPECT_EQ(Settings().PicturePosition, c.position) << c.line;
    EXPECT_EQ(core::form1().mnuHICHI[c.position].Checked(), true) << c.line;
    EXPECT_EQ(core::form1().mnuHICHI[1 - c.position].Checked(), false) << c.line;
    TearDown();
  }
}

// Commands that store a number in one setting: the line, the value before, the value
// after.
struct StoreCase {
  const char* line;
  double before;
  double after;
};

template <class Value>
void CheckStores(MacroTest& t, Value& (*setting)(), std::initializer_list<StoreCase> cases) {
  for (const StoreCase& c : cases) {
    t.SetUp();
    setting() = static_cast<Value>(c.before);
    t.Run({c.line});
    EXPECT_EQ(setting(), static_cast<Value>(c.after)) << c.line;
    t.TearDown();
  }
}

double& Scale() { return Settings().PictureScale; }
short& SizeMode() { return Settings().PictureSizeMode; }
short& DisplaySpeed() { return Settings().DisplayEffectSpeed; }
short& EraseSpeed() { return Settings().EraseEffectSpeed; }
short& Borderless() { return Settings().Borderless; }
short& OverPic() { return core::Buttons().OverPic; }

TEST_F(MacroTest, ValueCommandsRoundClampAndRefuseAsTheirRangesSay) {
  CheckStores(*this, &Scale,
              {{"PICRESIZE=0", 0, 0.1},
               {"PICRESIZE=500", 0, 2},
               {"PicResize=50", 0, 0.5},
               {"PICRESIZE=-5", 1, 0.1}});
  CheckStores(*this, &SizeMode,
              {{"DOWNSIZE=6.9", 0, 6},
               {"DOWNSIZE=50", 2, 2},
               {"DOWNSIZE=-0.5", 2, 2},
               {"DownSize=0", 2, 0}});
  CheckStores(*this, &DisplaySpeed,
              {{"KOUKASP=-60.5", 3, 3},
               {"KOUKASP=9.9", 3, 9},
               {"KOUKASP=-60", 3, -60},
               {"KOUKASP=10", 3, 10},
               {"KOUKASP=11", 3, 3},
               {"KoukaSp=-5.5", 3, -6}});
  CheckStores(*this, &EraseSpeed,
              {{"DELKOUKASP=-61", 3, 3}, {"DELKOUKASP=9.9", 3, 9}, {"DELKOUKASP=-60", 3, -60}});
  CheckStores(*this, &Borderless,
              {{"BORDERLESS=1", 0, 1}, {"BORDERLESS=2.5", 0, 2}, {"BORDERLESS=-7", 0, -7}});
  CheckStores(*this, &OverPic,
              {{"OVERPIC=-1", 0, -1},
               {"OVERPIC=1", 0, 1},
               {"OVERPIC=0", 1, 0},
               {"OVERPIC=2", 1, 0}});  // every run starts at 0
}

TEST_F(MacroTest, AValueOutsideTheIntegerRangeIsAnError) {
  for (const char* line : {"BORDERLESS=99999", "OVERLAP=99999"}) {
    SetUp();
    Run({line, "KAGE=2"});
    EXPECT_EQ(M().KageMode, 0) << line;
    EXPECT_EQ(Settings().Borderless, 0) << line;
    EXPECT_EQ(Settings().OverlayMode, 0) << line;
    TearDown();
  }
}

TEST_F(MacroTest, BackColorTakesTheTextBetweenTheQuotes) {
  const struct {
    const char* line;
    const char* hex;
    short changed;
  } cases[] = {
      {"BACKCOLOR=\"ff8800\"", "ff8800", 1}, {"BackColor=\"abc\"", "000000", 1},
      {"BACKCOLOR=\"GHIJKL\"", "GHIJKL", 1}, {"BACKCOLOR=\"\"", "kept", 0},
      {"BACKCOLOR=\"ff8800", "kept", 0},     {"BACKCOLOR=ff8800", "kept", 0},
  };
  for (const auto& c : cases) {
    SetUp();
    Settings().OverlayBackColorHex = QStringLiteral("kept");
    Run({c.line});
    EXPECT_EQ(Settings().OverlayBackColorHex, QString::fromLatin1(c.hex)) << c.line;
    EXPECT_EQ(core::Flags().OverlayChangedByMacro, c.changed) << c.line;
    TearDown();
  }
}

TEST_F(MacroTest, KspSetRefreshesTheMenuAndSetsFixedSpeeds) {
  const struct {
    short before;
    const char* line;
    short fixed;
    short speed;
  } cases[] = {{0, "KSPSET=1", 1, -30},
               {1, "KSPSET=0", 0, 5},
               {1, "KSPSET=5", 1, -30},
               {0, "KSPSET=5", 0, 5}};
  core::Form1& f1 = core::form1();
  for (const auto& c : cases) {
    SetUp();
    Settings().EffectSpeedFixed = c.before;
    Settings().DisplayEffectSpeed = Settings().EraseEffectSpeed = 5;
    f1.mnuKSPSEL[0].SetChecked(true);
    f1.mnuKSPSEL[1].SetChecked(true);
    Run({c.line});
    EXPECT_EQ(Settings().EffectSpeedFixed, c.fixed) << c.line;
    EXPECT_EQ(f1.mnuKSPSEL[c.fixed].Checked(), true) << c.line;
    EXPECT_EQ(f1.mnuKSPSEL[1 - c.fixed].Checked(), false) << c.line;
    EXPECT_EQ(f1.mnuHKSP.Enabled(), c.fixed == 0) << c.line;
    EXPECT_EQ(f1.mnuSKSP.Enabled(), c.fixed == 0) << c.line;
    EXPECT_EQ(Settings().DisplayEffectSpeed, c.speed) << c.line;
    EXPECT_EQ(Settings().EraseEffectSpeed, c.speed) << c.line;
    TearDown();
  }
}

TEST_F(MacroTest, EffectCommandsCountFromOneAboveTheMenuItem) {
  const struct {
    const char* line;
    short display;  // 3 = unchanged
    short erase;    // 4 = unchanged
  } cases[] = {
      {"KOUKA", 11, 4},      {"KOUKA=1", 0, 4},      {"KOUKA=10", 9, 4},    {"KOUKA=11", 10, 4},
      {"KOUKA=12", 3, 4},    {"KOUKA=0.3", 3, 4},    {"KOUKA=0.5", 0, 4},   {"KOUKA=-1", 3, 4},
      {"Kouka=2.5", 2, 4},   {"KOUKASP=5", 3, 4},    {"DELKOUKA=0", 3, 12}, {"DELKOUKA=12", 3, 11},
      {"DELKOUKA=13", 3, 4}, {"DELKOUKA=0.2", 3, 4}, {"DELKOUKA=10", 3, 9}, {"DELKOUKASP=5", 3, 4},
  };
  core::Form1& f1 = core::form1();
  for (const auto& c : cases) {
    SetUp();
    Settings().DisplayEffect = 3;
    Settings().EraseEffect = 4;
    core::TickMenuItem(f1.mnuHKO, 3);
    core::TickMenuItem(f1.mnuSYOUKO, 4);
    Run({c.line});
    EXPECT_EQ(Settings().DisplayEffect, c.display) << c.line;
    EXPECT_EQ(Settings().EraseEffect, c.erase) << c.line;
    for (int i = 0; i < f1.mnuHKO.Count(); ++i)
      EXPECT_EQ(f1.mnuHKO[i].Checked(), i == c.display) << c.line << " item " << i;
    for (int i = 0; i < f1.mnuSYOUKO.Count(); ++i)
      EXPECT_EQ(f1.mnuSYOUKO[i].Checked(), i == c.erase) << c.line << " item " << i;
    TearDown();
  }
}

TEST_F(MacroTest, CtrlBoxChangesTheSettingAndOnTheShowTheBox) {
  core::Form1& f1 = core::form1();
  const struct {
    const char* line;
    short before, after;
  } cases[] = {{"CTRLBOX=0", 0, 1}, {"CtrlBox=1", 1, 0}, {"CTRLBOX=2", 1, 1}};
  for (const auto& c : cases) {
    SetUp();
    Settings().ControlBoxOff = c.before;
    core::TickMenuItem(f1.mnuCTL, c.before);
    Run({c.line});
    EXPECT_EQ(Settings().ControlBoxOff, c.after) << c.line;
    EXPECT_TRUE(f1.mnuCTL[c.after].Checked()) << c.line;
    EXPECT_FALSE(f1.mnuCTL[1 - c.after].Checked()) << c.line;
    TearDown();
  }
  // On the full-screen show after "CURSOR=0": the box and the pointer come back.
  SetUp();
  core::Flags().FullScreenShowActive = 1;
  Run({"CURSOR=0"});
  ASSERT_EQ(core::Flags().CursorHidden, 1);
  Run({"CTRLBOX=1"});
  EXPECT_TRUE(engine::slidescreen2().isVisible());
  EXPECT_GE(platform::CursorDisplayCount(), 0);
  EXPECT_EQ(core::Flags().CursorHidden, 0);
  Run({"CTRLBOX=0"});
  EXPECT_FALSE(engine::slidescreen2().isVisible());
  core::Flags().FullScreenShowActive = 0;
  engine::ResetSlidescreen2();
}

TEST_F(MacroTest, MovXAndMovYMoveTheTextThroughCurrentXAndCurrentY) {
  core::Settings().TextOriginScreen = 0;
  core::Surfaces().PictureLeft = 40;
  core::Surfaces().PictureTop = 50;
  const struct {
    QStringList lines;
    double left;
    double row;
  } cases[] = {
      {{"CURRENTX=30", "MOVX=-20"}, 10, 0},
      {{"CURRENTX=30", "MovX=5.95"}, 36, 0},
      {{"CURRENTX=30", "MOVX"}, 30, 0},
      {{"CURRENTX=9990", "MOVX=20"}, 1001, 0},  // 10010 read back from 5 characters
      {{"CURRENTY=40", "MOVY=-15"}, 0, 25},
      {{"CURRENTY=40", "MOVY=15", "MOVY=15"}, 0, 70},
  };
  for (const auto& c : cases) {
    Run(c.lines);
    EXPECT_EQ(M().TextLeft, c.left) << c.lines.join(' ').toStdString();
    EXPECT_EQ(P2().CurrentX(), 40 + c.left) << c.lines.join(' ').toStdString();
    EXPECT_EQ(Preview().CurrentX(), c.left) << c.lines.join(' ').toStdString();
    EXPECT_EQ(Preview().CurrentY(), c.row) << c.lines.join(' ').toStdString();
    EXPECT_EQ(P2().CurrentY(), 50 + c.row) << c.lines.join(' ').toStdString();
  }
}

TEST_F(MacroTest, ScreenXYMovesTheTextOriginAndPutsTheTextBackThere) {
  const struct {
    short before;
    const char* line;
    short screen;
    int x, y;
  } cases[] = {{1, "SCREENXY=0", 0, 30, 20},
               {0, "ScreenXY=1", 1, 0, 0},
               {0, "SCREENXY=5", 0, 30, 20},
               {1, "SCREENXY=5", 1, 0, 0}};
  for (const auto& c : cases) {
    SetUp();
    core::Surfaces().PictureLeft = 30;
    core::Surfaces().PictureTop = 20;
    Settings().TextOriginScreen = c.before;
    Run({"CURRENTX=7", "CURRENTY=9", c.line, "RGB(255,0,0)", "[テキスト]", "■"});
    EXPECT_EQ(Settings().TextOriginScreen, c.screen) << c.line;
    EXPECT_EQ(core::Surfaces().TextOriginX, c.x) << c.line;
    EXPECT_EQ(core::Surfaces().TextOriginY, c.y) << c.line;
    EXPECT_EQ(M().TextLeft, 0) << c.line;
    // The line after it starts at the origin on P2 and at the corner of the preview box.
    const QRect onP2 = Bounds(P2(), kRed);
    EXPECT_GE(onP2.left(), c.x) << c.line;
    EXPECT_LT(onP2.left(), c.x + 5) << c.line;
    EXPECT_LT(onP2.top(), c.y + RowHeight(P2())) << c.line;
    EXPECT_LT(Bounds(Preview(), kRed).left(), 5) << c.line;
    TearDown();
  }
}

TEST_F(MacroTest, OverlapChoosesTheOverlayModeAndMarksTheChange) {
  core::Form1& f1 = core::form1();
  const struct {
    const char* line;
    short mode;
    short changed;
  } cases[] = {{"OVERLAP=2", 2, 1},
               {"Overlap=3.95", 4, 1},
               {"OVERLAP=7", 1, 0},
               {"OVERLAP=-1", 1, 0},
               {"OVERLAP=0", 0, 1}};
  for (const auto& c : cases) {
    SetUp();
    Settings().OverlayMode = 1;
    for (int i = 0; i < 5; ++i) f1.mnuKASANE[i].SetChecked(true);  // a muddle is tidied
    if (c.changed == 0) core::TickMenuItem(f1.mnuKASANE, 1);
    Run({c.line});
    EXPECT_EQ(Settings().OverlayMode, c.mode) << c.line;
    EXPECT_EQ(core::Flags().OverlayChangedByMacro, c.changed) << c.line;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(f1.mnuKASANE[i].Checked(), i == c.mode) << c.line;
    TearDown();
  }
}

TEST_F(MacroTest, WinStateActsOnlyOutsideTheFullScreenShow) {
  core::Form1& f1 = core::form1();
  f1.SetWindowState(0);
  Run({"WINSTATE=2"});
  EXPECT_EQ(f1.WindowState(), 2);
  Run({"WINSTATE=1"});
  EXPECT_EQ(f1.WindowState(), 2);
  Run({"WinState=0"});
  EXPECT_EQ(f1.WindowState(), 0);
  core::Flags().FullScreenShowActive = 1;
  Run({"WINSTATE=2"});
  EXPECT_EQ(f1.WindowState(), 0);
  core::Flags().FullScreenShowActive = 0;
}

TEST_F(MacroTest, SizeCtrlStoresItsModeAndKeepsThePictureForTheOtherSurface) {
  core::Form1& f1 = core::form1();
  QImage picture(8, 6, QImage::Format_RGB32);
  picture.fill(kRed);
  const struct {
    const char* line;
    short stored;  // 1 before
    bool copies;
  } cases[] = {{"SIZECTRL=0", 2, false},
               {"SizeCtrl=1", 0, true},
               {"SIZECTRL=2", 1, true},
               {"SIZECTRL=3", 1, false}};
  for (const auto& c : cases) {
    SetUp();
    core::form4().Lead1.SetImagePicture(picture);
    core::form4().Lead2.ReleaseImage();
    Settings().SizeAdjustMode = 1;
    core::TickMenuItem(f1.mnuSIZE, 1);
    Run({c.line});
    EXPECT_EQ(Settings().SizeAdjustMode, c.stored) << c.line;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f1.mnuSIZE[i].Checked(), i == c.stored) << c.line;
    EXPECT_EQ(core::form4().Lead2.HasImage(), c.copies) << c.line;
    TearDown();
  }
}

}  // namespace
}  // namespace macro_test
