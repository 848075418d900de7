// The file menu, the macro header choice, the link-list item and the help texts driven as
// a user would, and the settings of the main window's menus kept across a restart.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

#include "core/common.h"
#include "core/settings_file.h"
#include "core/slideshow_file.h"
#include "platform/cp932.h"
#include "platform/texteditor.h"
#include "test_menus_fixture.h"
#include "tests/support/files.h"

namespace {

using namespace menus_test;
using platform::DialogKind;
using test_support::ReadBytes;
using test_support::WriteBytes;

class FileMenuTest : public MenusTest {
 protected:
  void FillEditors() {
    listeditor::Form3& slides = listeditor::form3();
    slides.List1.AddItem(QStringLiteral("/pics/a.jpg"));
    slides.List2.AddItem(QStringLiteral("2024/01/0109:00               "));
    slides.List1.AddItem(QStringLiteral("/pics/b.jpg"));
    slides.List2.AddItem(QString(30, QChar(u' ')));
    sound::form10().List1.AddItem(QStringLiteral("/music/a.mp3"));
    schedule::form9().List1.AddItem(QStringLiteral("/shows/one.kvz"));
  }
  QTemporaryDir dir_;
};

TEST_F(FileMenuTest, NewAnsweredNoThreeTimesCommitsEveryListAgain) {
  core::Form1& f = Main();
  FillEditors();
  schedule::form9().Show();
  Script({No(), No(), No()});
  listeditor::mnuNEW_Click(f);

  EXPECT_EQ(Titles(), QStringList({QStringLiteral("新規作成"), QStringLiteral("一括取消"),
                                   QStringLiteral("一括取消")}));
  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.SlideEndIndex, 3);
  EXPECT_EQ(lists.SlidePaths[2], QStringLiteral("/pics/b.jpg"));
  EXPECT_EQ(lists.SlideAddDateTimes[1], QStringLiteral("2024/01/01 09:00"));
  EXPECT_EQ(lists.SoundListCount, 1);
  EXPECT_EQ(lists.SoundListEntries[1], QStringLiteral("/music/a.mp3"));
  EXPECT_EQ(lists.LinkEndIndex, 2);
  EXPECT_EQ(lists.LinkListEntries[1], QStringLiteral("/shows/one.kvz"));
  EXPECT_FALSE(schedule::form9().Visible());
  EXPECT_TRUE(f.Visible());
  EXPECT_TRUE(f.Command1.Enabled());
  EXPECT_EQ(core::Settings().SoundMode, 7);  // the settings were not reset
}

TEST_F(FileMenuTest, NewAnsweredYesResetsTheListsAndEverySetting) {
  core::Form1& f = Main();
  FillEditors();
  core::ShowSettings& s = core::Settings();
  s.DisplayEffect = 3;
  f.mnuHKO[9].SetChecked(false);
  f.mnuHKO[3].SetChecked(true);
  s.RandomOrderOff = 0;
  core::Paths().SlideshowFilePath = QStringLiteral("/shows/old.kvz");
  core::Paths().SlideshowFileName = QStringLiteral("old.kvz");
  f.SetCaption(QStringLiteral("ｽﾗｲﾄﾞ - /shows/old.kvz"));
  // New empties the sound list itself, so the sound list editor has nothing to ask.
  Script({Yes(), Yes()});
  listeditor::mnuNEW_Click(f);
  EXPECT_EQ(Titles(), QStringList({QStringLiteral("新規作成"), QStringLiteral("一括取消")}));

  EXPECT_EQ(dialogs_.Pending(), 0);
  EXPECT_EQ(listeditor::form3().List1.ListCount(), 0);
  EXPECT_EQ(sound::form10().List1.ListCount(), 0);
  EXPECT_EQ(schedule::form9().List1.ListCount(), 0);
  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.SlideEndIndex, 1);
  EXPECT_EQ(lists.SoundListCount, 0);
  EXPECT_EQ(lists.LinkEndIndex, 1);
  EXPECT_EQ(f.Caption(), core::ProgramTitle());
  EXPECT_TRUE(core::Paths().SlideshowFilePath.isEmpty());
  EXPECT_EQ(f.Timer1.Interval(), 3000);
  EXPECT_EQ(s.SoundMode, 6);
  EXPECT_EQ(Ticked(f.mnuKOU), 6);
  EXPECT_EQ(s.DisplayEffect, 9);
  EXPECT_EQ(Ticked(f.mnuHKO), 9);
  EXPECT_EQ(TickCount(f.mnuHKO), 1);
  EXPECT_EQ(Ticked(f.mnuSYOUKO), 9);
  EXPECT_EQ(s.RepeatOff, 0);
  EXPECT_EQ(s.RandomOrderOff, 1);
  EXPECT_EQ(Ticked(f.mnuRANDFL), 1);
  EXPECT_EQ(s.DisplayMosaicCount, 20);
  EXPECT_EQ(s.UserMacroHeaderOff, 1);
  EXPECT_TRUE(QFile::exists(AppFile(QStringLiteral("autstart.dat"))));
  EXPECT_TRUE(QFile::exists(AppFile(QStringLiteral("wavlist.dat"))));
  EXPECT_FALSE(f.Command1.Enabled());
}

TEST_F(FileMenuTest, SaveThenOpenBringsTheSlideListBack) {
  core::Form1& f = Main();
  FillEditors();
  const QString saved = dir_.filePath(QStringLiteral("show"));

  Script({Text(saved)});
  listeditor::mnuSAVE_Click(f);
  auto saves = dialogs_.CallsOf(DialogKind::kSaveFile);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].title, QStringLiteral("スライドショー　ファイルの保存"));
  EXPECT_EQ(saves[0].initialFile, QStringLiteral("*.kvz"));
  const QString kvz = saved + QStringLiteral(".kvz");
  ASSERT_TRUE(QFile::exists(kvz));
  EXPECT_EQ(core::Paths().DistributionSave, 0);
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);

  // The next save proposes the current file.
  dialogs_.ClearCalls();
  Script({Cancel()});
  listeditor::mnuSAVE_Click(f);
  saves = dialogs_.CallsOf(DialogKind::kSaveFile);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0].initialFile, kvz);

  listeditor::form3().List1.Clear();
  listeditor::form3().List2.Clear();
  dialogs_.ClearCalls();
  Script({Text(kvz)});
  listeditor::mnuOPEN_Click(f);
  const auto opens = dialogs_.CallsOf(DialogKind::kOpenFile);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].title, QStringLiteral("スライドショー　ファイルを開く"));
  EXPECT_EQ(core::Paths().OpenedFileFolder, dir_.path() + QStringLiteral("/"));
  EXPECT_EQ(listeditor::form3().List1.ListCount(), 2);
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
  EXPECT_EQ(core::Lists().SlidePaths[1], QStringLiteral("/pics/a.jpg"));
  EXPECT_EQ(listeditor::form3().Label4.Caption(), QStringLiteral("2"));
}

TEST_F(FileMenuTest, OpenCancelledStillCommits) {
  core::Form1& f = Main();
  FillEditors();
  Script({Cancel()});
  listeditor::mnuOPEN_Click(f);
  EXPECT_EQ(listeditor::form3().List1.ListCount(), 2);
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
}

TEST_F(FileMenuTest, SavingAnEmptyListIsRefused) {
  core::Form1& f = Main();
  for (auto save : {listeditor::mnuSAVE_Click, listeditor::mnuHAIHU_Click}) {
    dialogs_.ClearCalls();
    save(f);
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text,
              QStringLiteral("スライドリストがないので保存できんません。"));
    EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("ファイルの保存"));
    EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  }
  EXPECT_EQ(core::Lists().SlideEndIndex, 1);
}

TEST_F(FileMenuTest, DistributionSaveExplainsAndStoresBareNames) {
  core::Form1& f = Main();
  FillEditors();
  const QString kvz = dir_.filePath(QStringLiteral("dist.kvz"));
  Script({No()});
  listeditor::mnuHAIHU_Click(f);
  EXPECT_TRUE(dialogs_.CallsOf(DialogKind::kSaveFile).empty());
  EXPECT_FALSE(QFile::exists(kvz));

  dialogs_.ClearCalls();
  Script({Yes(), Text(kvz)});
  listeditor::mnuHAIHU_Click(f);
  ASSERT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("配布用ＫＶＺファイルの保存"));
  EXPECT_TRUE(dialogs_.Calls()[0].text.startsWith(
      QStringLiteral("配布用ＫＶＺファイルを作成しますか？\r\n")));
  EXPECT_EQ(dialogs_.Calls()[1].title,
            QStringLiteral("スライドショー　配布用ＫＶＺファイルの保存"));
  EXPECT_EQ(core::Paths().DistributionSave, 1);
  const QString text = platform::FromCp932(ReadBytes(kvz));
  EXPECT_TRUE(text.contains(QStringLiteral("\r\na.jpg\r\n")));
  EXPECT_FALSE(text.contains(QStringLiteral("/pics/")));
}

class HeaderTest : public FileMenuTest {
 protected:
  QString Target() const { return AppFile(QStringLiteral("header.txt")); }
  void TearDown() override {
    QFile::remove(Target());
    FileMenuTest::TearDown();
  }
};

TEST_F(HeaderTest, CancelledOrMissingChoiceWarnsAndTicksNone) {
  core::Form1& f = Main();
  WriteBytes(Target(), "old\r\n");
  for (const Reply& reply : {Cancel(), Text(dir_.filePath(QStringLiteral("none.txt")))}) {
    dialogs_.ClearCalls();
    Script({reply});
    listeditor::menuHEAD_Click(f, 0);
    ASSERT_EQ(dialogs_.Calls().size(), 2u);
    EXPECT_EQ(dialogs_.Calls()[0].title,
              QStringLiteral("ユーザマクロヘッダーファイルを選択してください"));
    EXPECT_EQ(dialogs_.Calls()[0].filter,
              QStringLiteral("ヘッダーFiles (header*.txt)|header*.txt|すべてのﾌｧｲﾙ(*.*)|*.*"));
    EXPECT_EQ(dialogs_.Calls()[1].text,
              QStringLiteral(
                  "ヘッダーファイルが選択されていません。正しいファイル名を選択してください。"));
    EXPECT_EQ(dialogs_.Calls()[1].title, QStringLiteral("ファイル選択エラー"));
    EXPECT_EQ(core::Settings().UserMacroHeaderOff, 1);
    EXPECT_EQ(Ticked(f.menuHEAD), 1);
    EXPECT_EQ(TickCount(f.menuHEAD), 1);
    EXPECT_EQ(ReadBytes(Target()), QByteArray("old\r\n"));
  }
}

TEST_F(HeaderTest, ChosenFileIsCopiedLineByLineWithCrLf) {
  core::Form1& f = Main();
  struct Case {
    QByteArray in, out;
  };
  const QByteArray kanji = platform::ToCp932(QStringLiteral("[テキスト]"));
  for (const Case& c : {Case{"a\r\nb", "a\r\nb\r\n"}, Case{kanji + "\nx\n", kanji + "\r\nx\r\n"},
                        Case{"", ""}, Case{"a\r\n\r\n", "a\r\n\r\n"}}) {
    const QString chosen = dir_.filePath(QStringLiteral("header_mine.txt"));
    WriteBytes(chosen, c.in);
    dialogs_.ClearCalls();
    Script({Text(chosen)});
    listeditor::menuHEAD_Click(f, 0);
    EXPECT_TRUE(dialogs_.CallsOf(DialogKind::kMsgBox).empty());
    EXPECT_EQ(core::Settings().UserMacroHeaderOff, 0);
    EXPECT_EQ(Ticked(f.menuHEAD), 0);
    EXPECT_EQ(ReadBytes(Target()), c.out);
    EXPECT_EQ(ReadBytes(chosen), c.in);
  }
}

TEST_F(HeaderTest, ChoosingTheProgramsOwnHeaderCopiesNothing) {
  core::Form1& f = Main();
  WriteBytes(Target(), "mine\nno crlf");
  const QString otherCase = QFileInfo(Target()).absolutePath() + QStringLiteral("/HEADER.TXT");
  for (const QString& chosen : {Target(), otherCase}) {
    Script({Text(chosen)});
    listeditor::menuHEAD_Click(f, 0);
    EXPECT_EQ(ReadBytes(Target()), QByteArray("mine\nno crlf"));
  }
  // The same file named through another path.
  const QString link = dir_.filePath(QStringLiteral("header_link.txt"));
  ASSERT_TRUE(QFile::link(Target(), link));
  Script({Text(link)});
  listeditor::menuHEAD_Click(f, 0);
  EXPECT_EQ(ReadBytes(Target()), QByteArray("mine\nno crlf"));
  EXPECT_EQ(core::Settings().UserMacroHeaderOff, 0);
  EXPECT_TRUE(dialogs_.CallsOf(DialogKind::kMsgBox).empty());
}

TEST_F(HeaderTest, NoneOnlyTicks) {
  core::Form1& f = Main();
  listeditor::menuHEAD_Click(f, 1);
  EXPECT_EQ(core::Settings().UserMacroHeaderOff, 1);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(FileMenuTest, LinkListItemOpensTheEditorOnlyWhenTheSlideListButtonIsUsable) {
  core::Form1& f = Main();
  struct Case {
    bool slideListButton;
    short showRunning;
    bool opens;
  };
  for (const Case& c : {Case{true, 1, false}, Case{false, 0, false}, Case{true, 0, true}}) {
    f.Show();
    f.Command6.SetEnabled(c.slideListButton);
    core::Flags().ShowRunning = c.showRunning;
    core::Flags().FourUpViewOpen = 1;
    listeditor::mnuURU_Click(f);
    EXPECT_EQ(core::Flags().FourUpViewOpen, 0);
    EXPECT_EQ(schedule::Form9IfLoaded() && schedule::form9().Visible(), c.opens);
    EXPECT_EQ(core::Flags().LinkEditorOpen, c.opens ? 1 : 0);
    EXPECT_EQ(f.Visible(), !c.opens);
  }
  core::Flags().ShowRunning = 0;
}

// The main window's own menu entries reach the handlers.
TEST_F(FileMenuTest, MenuEntriesAreConnected) {
  core::Form1& f = Main();
  f.mnuHKO[11].DoClick();
  EXPECT_EQ(core::Settings().DisplayEffect, 11);
  f.mnuKSPSEL[1].DoClick();
  EXPECT_FALSE(f.mnuHKSP.Enabled());
  f.mnuKOU[7].DoClick();
  EXPECT_EQ(Ticked(f.mnuKOU), 7);
  f.menuHEAD[1].DoClick();
  EXPECT_EQ(core::Settings().UserMacroHeaderOff, 1);
  QFile::remove(AppFile(QStringLiteral("Readme.txt")));
  f.mnuREADME.DoClick();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("Readme.txtが読込めません。"));
}

class HelpTest : public FileMenuTest {
 protected:
  void TearDown() override {
    for (const char* name : {"Readme.txt", "マクロ.txt"})
      QFile::remove(AppFile(QString::fromUtf8(name)));
    if (auto* e = platform::FindTextEditor(core::Paths().NotepadTaskId)) e->close();
    FileMenuTest::TearDown();
  }
};

TEST_F(HelpTest, HelpTextOpensInTheTextViewerOrWarns) {
  core::Form1& f = Main();
  WriteBytes(AppFile(QStringLiteral("Readme.txt")), platform::ToCp932(QStringLiteral("説明\r\n")));
  QFile::remove(AppFile(QStringLiteral("マクロ.txt")));
  listeditor::mnuREADME_Click(f);
  const short id = core::Paths().NotepadTaskId;
  ASSERT_NE(id, 0);
  platform::TextEditorWindow* viewer = platform::FindTextEditor(id);
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->Text(), QStringLiteral("説明\n"));
  EXPECT_TRUE(dialogs_.Calls().empty());

  listeditor::mnuSUB_Click(f);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("マクロ.txtが読込めません。"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("読込みエラー"));
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  EXPECT_EQ(core::Paths().NotepadTaskId, id);
}

TEST_F(HelpTest, ExitClosesTheViewerOnlyAfterAMacroFileWasOpened) {
  Main();
  WriteBytes(AppFile(QStringLiteral("Readme.txt")), "a\r\n");
  listeditor::OpenHelpText(QStringLiteral("Readme.txt"));
  const short id = core::Paths().NotepadTaskId;
  core::CloseTextViewer();  // no macro file was opened: the viewer stays
  EXPECT_NE(platform::FindTextEditor(id), nullptr);

  core::Paths().NotepadTextPath = QStringLiteral("/pics/a.txt");
  core::CloseTextViewer();
  EXPECT_EQ(platform::FindTextEditor(id), nullptr);
  EXPECT_EQ(core::Paths().NotepadTaskId, 0);
  EXPECT_TRUE(core::Paths().NotepadTextPath.isEmpty());

  // A viewer closed by the user already: only the path is forgotten.
  listeditor::OpenHelpText(QStringLiteral("Readme.txt"));
  const short again = core::Paths().NotepadTaskId;
  platform::FindTextEditor(again)->close();
  core::Paths().NotepadTextPath = QStringLiteral("/pics/a.txt");
  core::CloseTextViewer();
  EXPECT_TRUE(core::Paths().NotepadTextPath.isEmpty());
  EXPECT_EQ(core::Paths().NotepadTaskId, again);
}

// The values the effect, sound, CD, header and text menus set are there again after the
// program has ended and started anew.
TEST_F(FileMenuTest, MenuSettingsSurviveARestart) {
  core::Form1& f = Main();
  const QString wav = dir_.filePath(QStringLiteral("bell.wav"));
  WriteBytes(wav, "RIFF");

  Script({Text("30")});
  engine::mnuHKO_Click(f, 8);
  Script({Text("7"), Text("40")});
  engine::mnuSYOUKO_Click(f, 11);
  Script({Text("-200")});
  engine::mnuHKSP_Click(f);
  Script({Text("4")});
  engine::mnuSKSP_Click(f);
  Script({Yes(), Text(wav)});
  sound::mnuKOU_Click(f, 1);
  sound::mnuDOU_Click(f, 0);
  sound::mnuKOICHI1_Click(f, 0);
  sound::mnuTEXT_Click(f, 1);
  sound::mnuCDR_Click(f, 0);
  sound::mnuCDWAV_Click(f, 0);
  core::Settings().MidiWithLinkedWav = 1;
  core::Settings().RepeatMidiFile = QStringLiteral("/music/a.mid");
  core::form15().Option2.SetValue(true);
  sound::form13().HScroll1.SetValue(37);
  dialogs_.ClearCalls();
  f.Unload();
  platform::DestroyPendingNow();
  CloseAllWindows();
  core::ResetAllState();

  core::Main({});
  WaitFor([] { return core::Flags().TitlePanelDone == 1; }, 3000);
  core::Form1& g = Main();
  const core::ShowSettings& s = core::Settings();
  EXPECT_EQ(s.DisplayEffect, 8);
  EXPECT_EQ(Ticked(g.mnuHKO), 8);
  EXPECT_EQ(s.DisplayMosaicCount, 30);
  EXPECT_EQ(s.EraseEffect, 11);
  EXPECT_EQ(Ticked(g.mnuSYOUKO), 11);
  EXPECT_EQ(s.EraseSlitCount, 7);
  EXPECT_EQ(s.EraseMosaicCount, 40);
  EXPECT_EQ(s.DisplayEffectSpeed, -200);
  EXPECT_EQ(s.EraseEffectSpeed, 4);
  EXPECT_EQ(s.SoundMode, 1);
  EXPECT_EQ(Ticked(g.mnuKOU), 1);
  EXPECT_EQ(s.DefaultSoundFile, wav);
  EXPECT_EQ(s.WavSyncOff, 0);
  EXPECT_EQ(Ticked(g.mnuDOU), 0);
  EXPECT_EQ(s.LinkedSoundAfterText, 0);
  EXPECT_EQ(Ticked(g.mnuKOICHI1), 0);
  EXPECT_EQ(s.TextMacroOff, 1);
  EXPECT_EQ(Ticked(g.mnuTEXT), 1);
  EXPECT_EQ(s.CdTrackRepeatOff, 0);
  EXPECT_EQ(s.CdWithLinkedWavOff, 0);
  EXPECT_EQ(s.MidiWithLinkedWav, 1);
  EXPECT_EQ(s.RepeatMidiFile, QStringLiteral("/music/a.mid"));
  EXPECT_EQ(s.TextOriginScreen, 1);
  EXPECT_EQ(s.VolumeAttenuationSetting, 630);
}

}  // namespace

namespace {

QString ShippedFile(const QString& name) {
  return QStringLiteral(FIXTURES_DIR "/../../resources/") + name;
}

// The help texts the program ships: code page 932 with CR LF, and the macro help names
// every keyword the macro interpreter knows.
TEST(ShippedHelpTexts, AreCp932WithCrLfAndListEveryMacroKeyword) {
  for (const QString& name : {QStringLiteral("Readme.txt"), QStringLiteral("マクロ.txt")}) {
    SCOPED_TRACE(name.toStdString());
    const QByteArray bytes = ReadBytes(ShippedFile(name));
    ASSERT_FALSE(bytes.isEmpty());
    const QString text = platform::FromCp932(bytes);
    // No byte that fails to decode (those are carried as U+DC80..U+DCFF).
    EXPECT_TRUE(std::none_of(text.begin(), text.end(), [](QChar c) {
      return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF;
    }));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(text.count(QChar(u'\n')), text.count(QStringLiteral("\r\n")));
    EXPECT_EQ(text.count(QChar(u'\r')), text.count(QStringLiteral("\r\n")));
  }
  const QString macro = platform::FromCp932(ReadBytes(ShippedFile(QStringLiteral("マクロ.txt"))));
  const char* const keywords[] = {
      "RGB",           "BORDERCOLOR", "LINESPACE", "MOVIE",     "BORDERLESS", "BACKCOLOR",
      "TAB",           "PICRESIZE",   "MP3VOL",    "MP3DOWN",   "MP3UP",      "INTERVAL",
      "POSITION",      "DOWNSIZE",    "FADEOUT",   "TELOP",     "TELOP1",     "CURSOR",
      "ENDTIME",       "MOVX",        "MOVY",      "SOUNDSET",  "LOOP",       "ENDLOOP",
      "PICPBDATA",     "PICPBTYPE",   "GRAD",      "STOPWAV",   "KSPSET",     "OVERPIC",
      "KOUKASP",       "DELKOUKASP",  "KOUKA",     "DELKOUKA",  "//",         "SAVEPIC",
      "CTRLBOX",       "PICRND",      "TEXTOUT",   "SOUNDEND",  "PLAYWAV",    "SLEEP",
      "PICPB",         "MOVPB",       "SCREENXY",  "BIT",       "REVERSE",    "FLIP",
      "PENCIL",        "METAL",       "MOSAIC",    "GRAYSCALE", "SHELL",      "FONTNAME",
      "CLS",           "OVERLAP",     "WINSTATE",  "SIZECTRL",  "MENU1",      "LOCK",
      "END=",          "DELAY",       "SKIP",      "YESNOPB",   "FONTITALIC", "FONTBOLD",
      "FONTUNDERLINE", "QBCOLOR",     "FONTSIZE",  "FONTNO",    "CURRENTX",   "CURRENTY",
      "KAGE",          "ZUREX",       "ZUREY",     "[テキスト]"};
  for (const char* keyword : keywords)
    EXPECT_TRUE(macro.contains(QString::fromUtf8(keyword))) << keyword;
}

}  // namespace
