// The text display settings window: its check box follows and moves the main window's
// text macro menu, its options set the text origin, and "戻る" closes it.
#include "core/mirrors.h"
#include "core/slideshow_file.h"
#include "test_menus_fixture.h"

namespace {

using namespace menus_test;

TEST_F(MenusTest, TextDisplayWindowShowsTheValues) {
  struct Case {
    short textMacroOff, origin;
    int check;
    bool option1, option2;
  };
  for (const Case& c :
       {Case{0, 0, 1, true, false}, Case{1, 1, 0, false, true}, Case{1, 0, 0, true, false}}) {
    core::Settings().TextMacroOff = c.textMacroOff;
    core::Settings().TextOriginScreen = c.origin;
    core::Form15& w = core::form15();
    EXPECT_EQ(w.Caption(), QStringLiteral("テキスト表示設定"));
    EXPECT_EQ(w.Check1.Value(), c.check);
    EXPECT_EQ(w.Option1.Value(), c.option1);
    EXPECT_EQ(w.Option2.Value(), c.option2);
    // Showing the values writes back the same values.
    EXPECT_EQ(core::Settings().TextMacroOff, c.textMacroOff);
    EXPECT_EQ(core::Settings().TextOriginScreen, c.origin);
    w.Command1.DoClick();
    EXPECT_EQ(core::Form15IfLoaded(), nullptr);
    platform::DestroyPendingNow();
  }
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(MenusTest, TextMacroBoxMovesTheMainMenuTick) {
  core::Form1& f = Main();
  sound::mnuTEXT_Click(f, 0);
  core::Form15& w = core::form15();
  ASSERT_EQ(w.Check1.Value(), 1);
  w.Check1.SetValue(0);
  EXPECT_EQ(core::Settings().TextMacroOff, 1);
  EXPECT_EQ(Ticked(f.mnuTEXT), 1);
  EXPECT_EQ(TickCount(f.mnuTEXT), 1);
  w.Check1.SetValue(1);
  EXPECT_EQ(core::Settings().TextMacroOff, 0);
  EXPECT_EQ(Ticked(f.mnuTEXT), 0);
  EXPECT_EQ(TickCount(f.mnuTEXT), 1);
}

TEST_F(MenusTest, TextDisplayWindowAfterTheMenuChoseNoneShowsTheBoxClear) {
  core::Form1& f = Main();
  sound::mnuTEXT_Click(f, 1);
  core::Form15& w = core::form15();
  w.Show();
  WaitFor([&w] { return w.Visible(); }, 1000);
  platform::DoEvents();
  EXPECT_EQ(w.Check1.Value(), 0);
  EXPECT_EQ(Ticked(f.mnuTEXT), 1);
}

TEST_F(MenusTest, OriginOptionsSetTheOrigin) {
  core::Form15& w = core::form15();
  w.Option2.SetValue(true);
  EXPECT_EQ(core::Settings().TextOriginScreen, 1);
  EXPECT_FALSE(w.Option1.Value());
  w.Option1.SetValue(true);
  EXPECT_EQ(core::Settings().TextOriginScreen, 0);
  EXPECT_FALSE(w.Option2.Value());

  // A file reader sets the options to the value it read.
  core::Settings().TextOriginScreen = 1;
  core::RefreshMirror(&core::Settings().TextOriginScreen);
  EXPECT_TRUE(w.Option2.Value());
  EXPECT_FALSE(w.Option1.Value());
  EXPECT_EQ(core::Settings().TextOriginScreen, 1);
}

}  // namespace
