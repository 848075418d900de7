// The editor windows that start-up loads hidden: the sound list editor's load, commit,
// cancel and clear-all, the slide list editor's option boxes and save question, and the
// link-list editor's boxes and caption.
#include "core/soundlist_file.h"
#include "test_startup_fixture.h"

namespace {

using startup_test::AppFile;
using startup_test::CloseAllWindows;
using startup_test::StartupTest;

class EditorWindowTest : public StartupTest {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    core::Paths().AppFolder = platform::AppFolderPath();
  }
};

// Writes a sound-list file of two entries through the editor's OK.
void SaveTwoSounds() {
  sound::Form10& editor = sound::form10();
  editor.List1.AddItem(QStringLiteral("/sounds/a.wav"));
  editor.List1.AddItem(QStringLiteral("/sounds/b.mp3"));
  editor.Command1_Click();
}

TEST_F(EditorWindowTest, SoundListOkCommitsWritesTheFileAndHides) {
  SaveTwoSounds();
  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.SoundListCount, 2);
  EXPECT_EQ(lists.SoundListEntries[1], QStringLiteral("/sounds/a.wav"));
  EXPECT_EQ(lists.SoundListEntries[2], QStringLiteral("/sounds/b.mp3"));
  EXPECT_TRUE(QFile::exists(AppFile("wavlist.dat")));
  EXPECT_FALSE(sound::form10().isVisible());
}

TEST_F(EditorWindowTest, SoundListEditorReadsTheFileUnlessAReaderLoadsIt) {
  SaveTwoSounds();
  CloseAllWindows();
  core::ResetAllState();
  core::Paths().AppFolder = platform::AppFolderPath();

  core::Lists().SoundListLoading = 1;
  EXPECT_EQ(sound::form10().List1.ListCount(), 0);
  CloseAllWindows();

  core::Lists().SoundListLoading = 0;
  EXPECT_EQ(sound::form10().List1.ListCount(), 2);
  EXPECT_EQ(sound::form10().Label4.Caption(), QStringLiteral("2"));
}

TEST_F(EditorWindowTest, SoundListCancelDropsTheEdits) {
  SaveTwoSounds();
  sound::Form10& editor = sound::form10();
  editor.List1.AddItem(QStringLiteral("/sounds/c.mid"));
  editor.Command2_Click();
  EXPECT_EQ(editor.List1.ListCount(), 2);
  EXPECT_EQ(core::Lists().SoundListCount, 2);
}

TEST_F(EditorWindowTest, SoundListClearAllAsksFirst) {
  sound::Form10& editor = sound::form10();
  editor.Command4_Click();  // an empty list: no question
  EXPECT_TRUE(dialogs_.Calls().empty());

  editor.List1.AddItem(QStringLiteral("/sounds/a.wav"));
  dialogs_.Answer(platform::vbNo);
  editor.Command4_Click();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text,
            QStringLiteral("ＷＡＶ、ＭＩＤ、ＭＰ３リストをすべて消去しますか ?"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("一括取消"));
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbQuestion);
  EXPECT_EQ(dialogs_.Calls()[0].buttons, platform::vbYesNo);
  EXPECT_EQ(editor.List1.ListCount(), 1);

  dialogs_.Answer(platform::vbYes);
  editor.Command4_Click();
  EXPECT_EQ(editor.List1.ListCount(), 0);
  EXPECT_EQ(editor.Label4.Caption(), QStringLiteral("0"));
  EXPECT_FALSE(editor.Command6.Enabled());
  EXPECT_EQ(core::Lists().SoundListCount, 0);  // nothing committed before OK
}

TEST_F(EditorWindowTest, SoundListKvzBoxExplainsOnlyWhenSwitchedOnByTheUser) {
  sound::Form10& editor = sound::form10();
  core::Settings().SoundListInSlideshowFile = 1;  // a reader stores the value first
  editor.Check1.SetValue(1);
  EXPECT_TRUE(dialogs_.Calls().empty());
  editor.Check1.SetValue(0);
  EXPECT_EQ(core::Settings().SoundListInSlideshowFile, 0);
  editor.Check1.SetValue(1);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("ＫＶＺファイル保存あり"));
  EXPECT_EQ(core::Settings().SoundListInSlideshowFile, 1);
}

TEST_F(EditorWindowTest, SlideListOptionBoxesExplainOnlyWhileTheEditorIsOnScreen) {
  core::Settings().DblClickPicture = 1;
  listeditor::Form3& editor = listeditor::form3();
  EXPECT_EQ(editor.Check1.Value(), 1);  // set from the value at load

  editor.Check2.SetValue(1);
  EXPECT_EQ(core::Settings().DblClickRecord, 1);
  EXPECT_TRUE(dialogs_.Calls().empty());

  core::Flags().SlideListEditorShown = 1;
  editor.Check3.SetValue(1);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("壁紙変更あり"));
  EXPECT_EQ(dialogs_.Calls()[0].text,
            QStringLiteral("スライドリストをダブルクリックすると壁紙の変更ができます。"));
  EXPECT_EQ(core::Settings().DblClickWallpaper, 1);
  editor.Check3.SetValue(0);
  EXPECT_EQ(core::Settings().DblClickWallpaper, 0);
  EXPECT_EQ(dialogs_.Calls().size(), 1u);
}

TEST_F(EditorWindowTest, SlideListAsksToSaveOnlyWhenShownWithSlides) {
  listeditor::Form3& editor = listeditor::form3();
  editor.List1.AddItem(QStringLiteral("/pictures/a.jpg"));
  editor.Unload();  // never painted: no question
  EXPECT_TRUE(dialogs_.Calls().empty());

  core::Paths().SlideshowFilePath = QStringLiteral("/shows/trip.kvz");
  listeditor::form3().List1.AddItem(QStringLiteral("/pictures/a.jpg"));
  core::Flags().SlideListEditorShown = 1;
  dialogs_.Answer(platform::vbNo);
  listeditor::form3().Unload();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("スライドリストを保存しますか ?"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("ファイル選択"));
  EXPECT_EQ(core::Paths().SlideshowFilePath, QString());  // the file is forgotten
  EXPECT_EQ(core::Flags().SlideListEditorShown, 0);
}

TEST_F(EditorWindowTest, LinkEditorLoadsItsBoxesAndTakesItsCaptionFromTheFile) {
  core::Settings().LinkAutoStart = 1;
  core::Settings().LinkRepeat = 1;
  schedule::Form9& editor = schedule::form9();
  EXPECT_EQ(editor.Check1.Value(), 1);
  EXPECT_EQ(editor.Check2.Value(), 1);
  EXPECT_TRUE(dialogs_.Calls().empty());  // not on screen: no notice
  EXPECT_EQ(editor.Caption(),
            QStringLiteral("ＫＶＺリンク（＊．ｋｖｚ ファイルを選択して下さい）"));
  EXPECT_EQ(schedule::LinkEditorCaption(QStringLiteral("/shows/all.usl")),
            QStringLiteral("ＫＶＺリンク - /shows/all.usl"));

  editor.Check1.SetValue(0);
  EXPECT_EQ(core::Settings().LinkAutoStart, 0);
  core::Flags().LinkEditorShown = 1;
  editor.Check1.SetValue(1);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("ＫＶＺリンクオートスタートあり"));
}

}  // namespace
