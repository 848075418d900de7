// The link-list editor's list: adding from the browser, the whole folder and drops, the
// entry limit, insert mode, moves, removal, clearing, the options, the layout and closing
// the window without losing the list.
#include <QApplication>
#include <QKeyEvent>
#include <functional>
#include <vector>

#include "core/form1.h"
#include "core/link_settings_file.h"
#include "form9_fixture.h"
#include "tests/support/wait.h"

namespace {

using form9_test::LinkEditorTest;
using platform::DialogCall;

const QString kFull = QStringLiteral("これ以上登録できません");

TEST_F(LinkEditorTest, BrowserClicksAddFilesInTheirOrder) {
  MakeFiles({"a.kvz", "b.kvz", "note.txt"});
  EXPECT_EQ(Editor().File1.ListCount(), 2);  // only slideshow files are offered
  ClickFile("b.kvz");
  ClickFile("a.kvz");
  ClickFile("b.kvz");  // the same file may stand twice
  EXPECT_EQ(Entries(), QStringList({PathOf("b.kvz"), PathOf("a.kvz"), PathOf("b.kvz")}));
  EXPECT_EQ(Editor().Label4.Caption(), "3");
  EXPECT_TRUE(dialogs_.Calls().empty());
}

// The limit of 999 entries for each way of adding.
TEST_F(LinkEditorTest, TheEntryLimitHoldsForEveryWayOfAdding) {
  struct Case {
    const char* name;
    int before;
    std::function<void(const QString&)> add;
    int after;
    int messages;
    const char* title;
  };
  const std::vector<Case> cases = {
      {"click at 999", 999, [](const QString&) { ClickFile("f00.kvz"); }, 999, 1, "ＫＶＺリンク"},
      {"click at 998", 998, [](const QString&) { ClickFile("f00.kvz"); }, 999, 1, "ＫＶＺリンク"},
      {"click at 997", 997, [](const QString&) { ClickFile("f00.kvz"); }, 998, 0, ""},
      {"whole folder at 995", 995, [](const QString&) { Editor().Command3_Click(); }, 999, 1,
       "ＫＶＺリンク"},
      {"whole folder at 999", 999, [](const QString&) { Editor().Command3_Click(); }, 999, 1,
       "ＫＶＺリンク"},
      {"drop at 998", 998,
       [](const QString& folder) {
         Editor().List1_OLEDragDrop({folder + "x.kvz", folder + "y.kvz"});
       },
       999, 1, "ＫＶＺリンクリスト"},
      {"drop at 999", 999,
       [](const QString& folder) { Editor().List1_OLEDragDrop({folder + "x.kvz"}); }, 999, 1,
       "ＫＶＺリンクリスト"},
  };
  QStringList ten;
  for (int i = 0; i < 10; ++i) ten << QStringLiteral("f%1.kvz").arg(i, 2, 10, QLatin1Char('0'));
  MakeFiles(ten);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Editor().List1.SetItems(Numbered(c.before));
    dialogs_.ClearCalls();
    c.add(Folder());
    EXPECT_EQ(Editor().List1.ListCount(), c.after);
    if (c.after != c.before) EXPECT_EQ(Editor().Label4.Caption(), QString::number(c.after));
    ASSERT_EQ(static_cast<int>(dialogs_.Calls().size()), c.messages);
    if (c.messages) {
      EXPECT_EQ(dialogs_.Calls()[0].text, kFull);
      EXPECT_EQ(dialogs_.Calls()[0].title, QString::fromUtf8(c.title));
      EXPECT_EQ(dialogs_.Calls()[0].icon, 0);
      EXPECT_EQ(dialogs_.Calls()[0].buttons, platform::vbOKOnly);
    }
  }
  // The whole folder at 995 took the folder's first four files, in the browser's order.
  Editor().List1.SetItems(Numbered(995));
  Editor().Command3_Click();
  EXPECT_EQ(Entries().mid(995), QStringList({PathOf("f00.kvz"), PathOf("f01.kvz"),
                                             PathOf("f02.kvz"), PathOf("f03.kvz")}));
}

TEST_F(LinkEditorTest, DropsTakeSlideshowFilesOnly) {
  Editor().List1_OLEDragDrop({"/d/a.kvz", "/d/b.txt", "/d/c.KVZ"});
  EXPECT_EQ(Entries(), QStringList({"/d/a.kvz", "/d/c.KVZ"}));
  EXPECT_EQ(Editor().Label4.Caption(), "2");
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(LinkEditorTest, InsertModeAddsInFrontOfTheOneSelectedEntry) {
  MakeFiles({"x.kvz", "y.kvz"});
  struct Case {
    const char* name;
    QList<int> selected;
    QStringList expected;
  };
  const std::vector<Case> cases = {
      {"one selected", {1}, {"/s/A.kvz", PathOf("x.kvz"), PathOf("y.kvz"), "/s/B.kvz", "/s/C.kvz"}},
      {"none selected", {}, {"/s/A.kvz", "/s/B.kvz", "/s/C.kvz", PathOf("x.kvz"), PathOf("y.kvz")}},
      {"two selected",
       {0, 2},
       {"/s/A.kvz", "/s/B.kvz", "/s/C.kvz", PathOf("x.kvz"), PathOf("y.kvz")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Editor().List1.SetItems({"/s/A.kvz", "/s/B.kvz", "/s/C.kvz"});
    Select(c.selected);
    Editor().Check4.SetValue(1);
    ClickFile("x.kvz");
    ClickFile("y.kvz");
    EXPECT_EQ(Entries(), c.expected);
    if (c.selected.size() == 1) {
      // The selection stays on the entry the files went in front of.
      EXPECT_EQ(SelectedRows(), QList<int>({3}));
      EXPECT_EQ(Editor().List1.Text(), "/s/B.kvz");
    }
  }
}

TEST_F(LinkEditorTest, MovesNeedExactlyOneSelectedEntry) {
  struct Case {
    const char* name;
    QList<int> selected;
    bool up;
    QStringList expected;
    QList<int> selectedAfter;
    const char* refusal;  // "" when no message
  };
  const QStringList abc = {"A", "B", "C"};
  const std::vector<Case> cases = {
      {"up", {1}, true, {"B", "A", "C"}, {0}, ""},
      {"down", {1}, false, {"A", "C", "B"}, {2}, ""},
      {"up on the first", {0}, true, abc, {0}, ""},
      {"down on the last", {2}, false, abc, {2}, ""},
      {"up with two", {0, 1}, true, abc, {0, 1}, "↑移動不可"},
      {"down with none", {}, false, abc, {}, "↓移動不可"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Editor().List1.SetItems(abc);
    Select(c.selected);
    dialogs_.ClearCalls();
    c.up ? Editor().Command11.DoClick() : Editor().Command12.DoClick();
    EXPECT_EQ(Entries(), c.expected);
    EXPECT_EQ(SelectedRows(), c.selectedAfter);
    if (*c.refusal) {
      ASSERT_EQ(dialogs_.Calls().size(), 1u);
      EXPECT_EQ(dialogs_.Calls()[0].text, "リストから１項目だけ選んで行ってください。");
      EXPECT_EQ(dialogs_.Calls()[0].title, QString::fromUtf8(c.refusal));
      EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
    } else {
      EXPECT_TRUE(dialogs_.Calls().empty());
    }
  }
}

TEST_F(LinkEditorTest, RemovingTheSelectionAndTheKeys) {
  platform::ListBox& list = Editor().List1;
  list.SetItems({"1", "2", "3", "4", "5", "6"});
  Select({1, 4});
  Editor().Command5.DoClick();
  EXPECT_EQ(Entries(), QStringList({"1", "3", "4", "6"}));
  EXPECT_EQ(Editor().Label4.Caption(), "4");
  Select({});
  Editor().Command5.DoClick();
  EXPECT_EQ(list.ListCount(), 4);

  // In the list, Insert toggles insert mode and Delete removes the selection.
  QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
  QApplication::sendEvent(&list, &insert);
  EXPECT_EQ(Editor().Check4.Value(), 1);
  QApplication::sendEvent(&list, &insert);
  EXPECT_EQ(Editor().Check4.Value(), 0);
  Select({0});
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(&list, &del);
  EXPECT_EQ(Entries(), QStringList({"3", "4", "6"}));
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(LinkEditorTest, ClearingTheListAsksFirstAndForgetsTheFile) {
  Editor().Command4_Click();  // empty: nothing is asked
  EXPECT_TRUE(dialogs_.Calls().empty());

  Editor().List1.SetItems({"/a.kvz", "/b.kvz"});
  Editor().SetCaption(schedule::LinkEditorCaption("/l/x.usl"));
  core::Paths().LinkListFilePath = "/l/x.usl";
  core::Paths().LinkListFileName = "x.usl";
  core::Lists().LinkListEntries[1] = "/kept.kvz";
  dialogs_.Answer(platform::vbNo);
  Editor().Command4.DoClick();
  EXPECT_EQ(Editor().List1.ListCount(), 2);
  EXPECT_EQ(core::Paths().LinkListFilePath, "/l/x.usl");

  dialogs_.Answer(platform::vbYes);
  Editor().Command4.DoClick();
  ASSERT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[1].text, "ＫＶＺリンクリストをすべて消去しますか ?");
  EXPECT_EQ(dialogs_.Calls()[1].title, "一括取消");
  EXPECT_EQ(dialogs_.Calls()[1].icon, platform::vbQuestion);
  EXPECT_EQ(Editor().List1.ListCount(), 0);
  EXPECT_EQ(Editor().Label4.Caption(), "0");
  EXPECT_EQ(Editor().Caption(), schedule::LinkEditorCaptionNoFile());
  EXPECT_TRUE(core::Paths().LinkListFilePath.isEmpty());
  EXPECT_TRUE(core::Paths().LinkListFileName.isEmpty());
  EXPECT_EQ(core::Lists().LinkListEntries[1], "/kept.kvz");  // the link table waits for a commit
}

TEST_F(LinkEditorTest, OptionsTakeEffectAtOnce) {
  Editor().Check1.SetValue(1);  // not shown yet: no notice
  EXPECT_EQ(core::Settings().LinkAutoStart, 1);
  EXPECT_TRUE(dialogs_.Calls().empty());
  Editor().Check1.SetValue(0);
  core::Flags().LinkEditorShown = 1;
  Editor().Check1.SetValue(1);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, "ＫＶＺリンクオートスタートあり");
  Editor().Check1.SetValue(0);
  EXPECT_EQ(core::Settings().LinkAutoStart, 0);
  Editor().Check2.SetValue(1);
  EXPECT_EQ(core::Settings().LinkRepeat, 1);
  Editor().Check2.SetValue(0);
  EXPECT_EQ(core::Settings().LinkRepeat, 0);
  EXPECT_FALSE(Editor().Check3.isVisibleTo(&Editor()));
}

TEST_F(LinkEditorTest, TheWindowKeepsItsSmallestSizeAndItsColumns) {
  // Twips land on whole pixels: 15 twips either way.
  schedule::Form9& e = Editor();
  e.Show();
  e.Move(e.Left(), e.Top(), 8000, 4000);
  platform::DoEvents();
  EXPECT_NEAR(e.Width(), 9590, 15);
  EXPECT_NEAR(e.Height(), 5660, 15);
  e.Move(e.Left(), e.Top(), 12000, 8000);
  platform::DoEvents();
  const int w = e.Width();
  const int h = e.Height();
  EXPECT_NEAR(w, 12000, 15);
  EXPECT_NEAR(e.Command1.Left(), w - 1670, 15);
  EXPECT_NEAR(e.Command8.Left(), w - 1670, 15);
  EXPECT_NEAR(e.Check1.Left(), w - 1490, 15);
  EXPECT_NEAR(e.Command13.Top(), h - 1220, 15);
  EXPECT_NEAR(e.List1.Width(), w - 4475, 15);
  EXPECT_NEAR(e.List1.Height(), h - 1820, 15);
  EXPECT_NEAR(e.File1.Height(), h - 3980, 15);
  EXPECT_EQ(e.Dir1.Left(), 120);  // the browser column stays
}

TEST_F(LinkEditorTest, ShownUntilHiddenOrMinimised) {
  schedule::Form9& e = Editor();
  e.Show();
  ASSERT_TRUE(test_support::WaitFor([] { return core::Flags().LinkEditorShown == 1; }));
  // A message box of its own does not count as leaving the window.
  e.Check1.SetValue(1);
  EXPECT_EQ(core::Flags().LinkEditorShown, 1);
  e.showMinimized();
  platform::DoEvents();
  EXPECT_EQ(core::Flags().LinkEditorShown, 0);
  e.showNormal();
  ASSERT_TRUE(test_support::WaitFor([] { return core::Flags().LinkEditorShown == 1; }));
  e.Hide();
  EXPECT_EQ(core::Flags().LinkEditorShown, 0);
}

TEST_F(LinkEditorTest, TheCloseBoxKeepsTheListThroughARestart) {
  schedule::Form9& e = Editor();
  const QStringList shows = {"/旅/a.kvz", "/旅/b.kvz", "/旅/c.kvz"};
  e.List1.SetItems(shows);
  core::form1().Hide();
  e.Show();
  ASSERT_TRUE(test_support::WaitFor([] { return core::Flags().LinkEditorShown == 1; }));
  e.close();
  platform::DoEvents();

  ASSERT_EQ(schedule::Form9IfLoaded(), &e);  // hidden, not unloaded
  EXPECT_FALSE(e.isVisible());
  EXPECT_TRUE(core::form1().isVisible());
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(core::Flags().LinkEditorOpen, 0);
  EXPECT_EQ(core::Lists().LinkEndIndex, 4);
  EXPECT_EQ(core::Lists().LinkListEntries[3], "/旅/c.kvz");

  // Exit writes the list; the next run reads it back into a fresh editor.
  core::SaveLinkSettingsFile();
  e.Unload();
  platform::DestroyPendingNow();
  core::LoadLinkSettingsFile();
  EXPECT_EQ(Entries(), shows);
  Editor().Show();  // the count shows once the window paints
  ASSERT_TRUE(test_support::WaitFor([] { return core::Flags().LinkEditorShown == 1; }));
  EXPECT_EQ(Editor().Label4.Caption(), "3");
}

TEST_F(LinkEditorTest, UnloadingAShownEditorAsksToSave) {
  schedule::Form9& e = Editor();
  e.List1.SetItems({"/a.kvz"});
  core::Flags().LinkEditorShown = 1;
  dialogs_.Answer(platform::vbNo);
  e.Unload();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, "ＫＶＺリンクリストを保存しますか ?");
  EXPECT_TRUE(core::form1().isVisible());
}

}  // namespace
