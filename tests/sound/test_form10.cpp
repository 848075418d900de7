// The sound list editor as a user drives it: adding from the file list, all at once and by
// dropping, the limit, insert mode, removing and moving, OK and cancel, the options, the
// window's size, and the test play with its stop and its close.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <functional>

#include "core/soundlist_file.h"
#include "tests/sound/sound_test_support.h"

namespace {

using soundtest::Player1;
using soundtest::SoundTest;

// The table's actions reach the window and the helpers: all public.
class Form10Test : public SoundTest {
 public:
  void SetUp() override {
    SoundTest::SetUp();
    QFile::remove(core::SoundListFilePath());
    if (sound::Form10* old = sound::Form10IfLoaded()) old->Unload();
    platform::DestroyPendingNow();
    w_ = &sound::form10();
    // A folder with three sound files and one of another kind.
    for (const char* name : {"a.wav", "b.mid", "c.mp3"}) WriteFile(QString::fromLatin1(name));
    WriteFile(QStringLiteral("notes.txt"));
    w_->Dir1.SetPath(dir_.path());
    dialogs_.ClearCalls();
  }
  void TearDown() override {
    if (sound::Form10* w = sound::Form10IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
    QFile::remove(core::SoundListFilePath());
    SoundTest::TearDown();
  }
  void WriteFile(const QString& name) {
    QFile f(File(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("0123456789012345678901234567890123456789012345678901234567890");
  }
  QString P(const char* name) const { return File(QString::fromLatin1(name)); }
  QStringList Entries() const { return w_->List1.Items(); }
  void Select(std::initializer_list<int> rows) {
    w_->List1.selectionModel()->clearSelection();
    for (int r : rows) w_->List1.SetSelected(r, true);
  }
  void ClickFile(const char* name) {
    for (int i = 0; i < w_->File1.ListCount(); ++i)
      if (w_->File1.List(i) == QLatin1String(name)) w_->File1.SetListIndex(i);
  }

  sound::Form10* w_ = nullptr;
};

struct EditCase {
  const char* name;
  QStringList start;  // file names in the test folder ("" for none)
  std::vector<int> selected;
  bool insert;
  std::function<void(Form10Test&)> act;
  QStringList expected;  // file names in the test folder
};

class Form10Edits : public Form10Test, public ::testing::WithParamInterface<EditCase> {};

TEST_P(Form10Edits, ChangeTheListAndItsCount) {
  const EditCase& c = GetParam();
  QStringList start;
  for (const QString& n : c.start) start << File(n);
  w_->List1.SetItems(start);
  w_->Form_Paint();  // the count a painted window shows
  for (int r : c.selected) w_->List1.SetSelected(r, true);
  w_->Check2.SetValue(c.insert ? 1 : 0);
  c.act(*this);
  QStringList expected;
  for (const QString& n : c.expected) expected << File(n);
  EXPECT_EQ(Entries(), expected);
  EXPECT_EQ(w_->Label4.Caption(), QString::number(expected.size()));
  EXPECT_TRUE(dialogs_.Calls().empty());
}

const auto kClickB = [](Form10Test& t) { t.ClickFile("b.mid"); };
const auto kAllFiles = [](Form10Test& t) { t.w_->Command3.DoClick(); };
const auto kDrop = [](Form10Test& t) {
  emit t.w_->List1.OLEDragDrop({t.P("x.WAV"), t.P("y.jpg"), t.P("z.Mid"), t.P("folder.mp3")});
};
const auto kRemove = [](Form10Test& t) { t.w_->Command5.DoClick(); };
const auto kUp = [](Form10Test& t) { t.w_->Command11.DoClick(); };
const auto kDown = [](Form10Test& t) { t.w_->Command12.DoClick(); };

INSTANTIATE_TEST_SUITE_P(
    Edits, Form10Edits,
    ::testing::Values(
        EditCase{"ClickAppends", {"e1"}, {}, false, kClickB, {"e1", "b.mid"}},
        EditCase{"ClickInsertsBeforeTheOneSelected",
                 {"e1", "e2"},
                 {1},
                 true,
                 kClickB,
                 {"e1", "b.mid", "e2"}},
        EditCase{"InsertWithTwoSelectedAppends",
                 {"e1", "e2"},
                 {0, 1},
                 true,
                 kClickB,
                 {"e1", "e2", "b.mid"}},
        EditCase{
            "AllFilesInListOrder", {"e1"}, {}, false, kAllFiles, {"e1", "a.wav", "b.mid", "c.mp3"}},
        EditCase{"AllFilesInFrontOfTheSelected",
                 {"e1", "e2"},
                 {0},
                 true,
                 kAllFiles,
                 {"a.wav", "b.mid", "c.mp3", "e1", "e2"}},
        EditCase{"DropTakesSoundNamesOnly", {}, {}, false, kDrop, {"x.WAV", "z.Mid", "folder.mp3"}},
        EditCase{"RemoveSelected", {"e1", "e2", "e3", "e4"}, {1, 3}, false, kRemove, {"e1", "e3"}},
        EditCase{"RemoveNothingSelected", {"e1"}, {}, false, kRemove, {"e1"}},
        EditCase{"MoveUp", {"e1", "e2", "e3"}, {2}, false, kUp, {"e1", "e3", "e2"}},
        EditCase{"MoveUpTheFirstDoesNothing", {"e1", "e2"}, {0}, false, kUp, {"e1", "e2"}},
        EditCase{"MoveDown", {"e1", "e2", "e3"}, {0}, false, kDown, {"e2", "e1", "e3"}},
        EditCase{"MoveDownTheLastDoesNothing", {"e1", "e2"}, {1}, false, kDown, {"e1", "e2"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form10Test, InsertModeKeepsASeriesInTheOrderAddedAndTheSelectionFollowsAMove) {
  w_->List1.SetItems({P("e1"), P("e2")});
  w_->List1.SetSelected(1, true);
  w_->Check2.SetValue(1);
  ClickFile("c.mp3");
  ClickFile("a.wav");
  EXPECT_EQ(Entries(), QStringList({P("e1"), P("c.mp3"), P("a.wav"), P("e2")}));
  EXPECT_TRUE(w_->List1.Selected(3));
  EXPECT_EQ(w_->List1.SelCount(), 1);
  // Insert toggles insert mode on the list.
  int key = platform::vbKeyInsert;
  emit w_->List1.KeyDown(key, 0);
  EXPECT_EQ(w_->Check2.Value(), 0);
  w_->Command11.DoClick();
  EXPECT_EQ(Entries(), QStringList({P("e1"), P("c.mp3"), P("e2"), P("a.wav")}));
  EXPECT_TRUE(w_->List1.Selected(2));
  EXPECT_FALSE(w_->List1.Selected(3));
  // Delete removes the selection.
  key = platform::vbKeyDelete;
  emit w_->List1.KeyDown(key, 0);
  EXPECT_EQ(Entries(), QStringList({P("e1"), P("c.mp3"), P("a.wav")}));
}

TEST_F(Form10Test, MovingWithoutExactlyOneSelectedWarns) {
  w_->List1.SetItems({P("e1"), P("e2"), P("e3")});
  w_->Command11.DoClick();
  Select({0, 1});
  w_->Command12.DoClick();
  ASSERT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("↑移動不可"));
  EXPECT_EQ(dialogs_.Calls()[1].title, QStringLiteral("↓移動不可"));
  EXPECT_EQ(dialogs_.Calls()[1].text, QStringLiteral("リストから１項目だけ選んで行ってください。"));
  EXPECT_EQ(dialogs_.Calls()[1].icon, platform::vbExclamation);
  EXPECT_EQ(Entries(), QStringList({P("e1"), P("e2"), P("e3")}));
}

TEST_F(Form10Test, TheEntryThatReachesTheLimitIsAddedThenEveryAdditionIsRefused) {
  QStringList many;
  for (int i = 0; i < sound::kSoundListLimit - 1; ++i) many << QStringLiteral("/m/%1.wav").arg(i);
  w_->List1.SetItems(many);
  ClickFile("a.wav");
  EXPECT_EQ(w_->List1.ListCount(), sound::kSoundListLimit);
  ClickFile("b.mid");
  w_->Command3.DoClick();
  EXPECT_EQ(w_->SoundListFullStop, 1);
  emit w_->List1.OLEDragDrop({P("x.wav")});
  EXPECT_EQ(w_->List1.ListCount(), sound::kSoundListLimit);
  EXPECT_EQ(w_->List1.List(sound::kSoundListLimit - 1), P("a.wav"));
  const QStringList expected = {QStringLiteral("ｽﾗｲﾄﾞｼｮｰ"), QStringLiteral("ｽﾗｲﾄﾞｼｮｰ"),
                                QStringLiteral("ｽﾗｲﾄﾞｼｮｰ"), QStringLiteral("WAV,MID,MP3リスト")};
  EXPECT_EQ(Titles(), expected);
  for (const auto& call : dialogs_.Calls()) {
    EXPECT_EQ(call.text, QStringLiteral("これ以上登録できません"));
    EXPECT_EQ(call.icon, 0);
  }
}

TEST_F(Form10Test, ADropOneShortOfTheLimitAddsTheFirstAndStops) {
  QStringList many;
  for (int i = 0; i < sound::kSoundListLimit - 1; ++i) many << QStringLiteral("/m/%1.wav").arg(i);
  w_->List1.SetItems(many);
  emit w_->List1.OLEDragDrop({P("x.wav"), P("y.wav"), P("z.wav")});
  EXPECT_EQ(w_->List1.ListCount(), sound::kSoundListLimit);
  EXPECT_EQ(w_->List1.List(sound::kSoundListLimit - 1), P("x.wav"));
  EXPECT_EQ(Titles(), QStringList({"WAV,MID,MP3リスト"}));
  EXPECT_EQ(w_->SoundListFullStop, 1);
}

TEST_F(Form10Test, OkCommitsTheListAndWritesTheFileAndCancelReadsItBack) {
  w_->Show();
  w_->List1.SetItems({P("a.wav"), P("b.mid")});
  w_->Command1.DoClick();
  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.SoundListCount, 2);
  EXPECT_EQ(lists.SoundListEntries[2], P("b.mid"));
  EXPECT_FALSE(w_->Visible());
  EXPECT_EQ(core::Sound().ListTestPlayActive, 0);
  EXPECT_EQ(core::Sound().PlaybackStopRequested, 1);

  // Edits, an option, then cancel: the file's entries come back, the option stays.
  w_->List1.AddItem(P("c.mp3"));
  w_->Check6.SetValue(1);
  w_->Command2.DoClick();
  EXPECT_EQ(Entries(), QStringList({P("a.wav"), P("b.mid")}));
  EXPECT_EQ(core::Settings().SoundListFromSelection, 1);

  // An empty list commits a count of 0 and a file that says so.
  w_->List1.Clear();
  w_->Command1.DoClick();
  EXPECT_EQ(lists.SoundListCount, 0);
  QFile file(core::SoundListFilePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("WAV3.4\r\n 0 \r\n"));
}

TEST_F(Form10Test, ClearAllAsksUnlessEmptyAndNoKeepsTheList) {
  w_->Command4.DoClick();
  EXPECT_TRUE(dialogs_.Calls().empty());
  w_->List1.SetItems({P("a.wav")});
  w_->Command6.SetEnabled(true);
  dialogs_.Answer(platform::vbNo);
  w_->Command4.DoClick();
  EXPECT_EQ(w_->List1.ListCount(), 1);
  dialogs_.Answer(platform::vbYes);
  w_->Command4.DoClick();
  EXPECT_EQ(w_->List1.ListCount(), 0);
  EXPECT_EQ(w_->Label4.Caption(), QStringLiteral("0"));
  EXPECT_FALSE(w_->Command6.Enabled());
  ASSERT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[0].text,
            QStringLiteral("ＷＡＶ、ＭＩＤ、ＭＰ３リストをすべて消去しますか ?"));
}

struct ModeBoxCase {
  short mode;
  int tick;  // the box's new state
  short expected;
};

TEST_F(Form10Test, SoundEffectBoxSetsTheModeWithItsMenu) {
  const ModeBoxCase cases[] = {{3, 1, 6}, {7, 1, 6}, {6, 0, 9}, {3, 0, 3}};
  core::Form1& main = soundtest::Main();
  for (const ModeBoxCase& c : cases) {
    w_->Check3.SetValue(c.tick == 1 ? 0 : 1);
    core::Settings().SoundMode = c.mode;
    for (int i = 0; i < main.mnuKOU.Count(); ++i) main.mnuKOU[i].SetChecked(i == c.mode);
    main.mnuCDM.SetEnabled(true);
    core::Sound().SoundPaused = 1;
    w_->Check3.SetValue(c.tick);
    EXPECT_EQ(core::Settings().SoundMode, c.expected) << c.mode;
    EXPECT_EQ(main.mnuKOU.CheckedIndex(), c.expected) << c.mode;
    EXPECT_FALSE(main.mnuCDM.Enabled()) << c.mode;
    EXPECT_EQ(core::Sound().SoundPaused, c.tick == 1 ? 0 : 1) << c.mode;
  }
}

TEST_F(Form10Test, SlideshowFileBoxExplainsOnlyWhenItWasOff) {
  w_->Check1.SetValue(1);
  EXPECT_EQ(core::Settings().SoundListInSlideshowFile, 1);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("ＫＶＺファイル保存あり"));
  w_->Check1.SetValue(0);
  core::Settings().SoundListInSlideshowFile = 1;  // restored by a settings reader
  w_->Check1.SetValue(1);
  EXPECT_EQ(dialogs_.Calls().size(), 1u);
  // The WAV-sync box keeps the menu in step.
  w_->Check4.SetValue(1);
  w_->Check4.SetValue(0);
  EXPECT_EQ(core::Settings().WavSyncOff, 1);
  EXPECT_EQ(soundtest::Main().mnuDOU.CheckedIndex(), 1);
}

TEST_F(Form10Test, LoadInSoundListModeTicksTheBoxAndClearsThePause) {
  w_->Unload();
  platform::DestroyPendingNow();
  core::Settings().SoundMode = 6;
  core::Sound().SoundPaused = 1;
  sound::Form10& fresh = sound::form10();
  EXPECT_EQ(fresh.Check3.Value(), 1);
  EXPECT_EQ(core::Sound().SoundPaused, 0);
  EXPECT_FALSE(fresh.Command6.Enabled());
  EXPECT_TRUE(fresh.Command3.Enabled());
  w_ = &fresh;
}

TEST_F(Form10Test, TheWindowKeepsItsLeastSize) {
  w_->Show();
  w_->Move(0, 0, 5000, 3000);
  soundtest::WaitFor([&] { return w_->Width() == 9690 && w_->Height() == 5760; }, 2000);
  EXPECT_EQ(w_->Width(), 9690);
  EXPECT_EQ(w_->Height(), 5760);
  w_->Move(0, 0, 12000, 7260);
  soundtest::WaitFor([&] { return w_->Width() == 12000; }, 2000);
  // The right column and the list keep their distance from the window's right edge.
  EXPECT_EQ(w_->Command1.Left(), 8040 - 600 + 12000 - 9690);
  EXPECT_EQ(w_->Command3.Top(), 4440 + 7260 - 5760);
  EXPECT_EQ(w_->List1.Width(), 5295 - 600 + 12000 - 9690);
  EXPECT_EQ(w_->Text1.Left(), 6360 + 12000 - 9690);
}

// ---- test play ---------------------------------------------------------------------------

class TestPlay : public Form10Test {
 protected:
  void SetUp() override {
    Form10Test::SetUp();
    QObject::connect(&Player1(), &platform::MediaPlayer::PlayStateChanged, &watch_, [this](int s) {
      if (s == platform::kPlayStatePlaying) started_ << QFileInfo(Player1().URL()).fileName();
    });
  }
  void TearDown() override {
    QObject::disconnect(&Player1(), nullptr, &watch_, nullptr);
    Form10Test::TearDown();
  }
  QObject watch_;
  QStringList started_;
};

TEST_F(TestPlay, PlaysTheSelectedEntriesFromTheTopAndSkipsTheEmptyWav) {
  core::Settings().SoundMode = 7;
  QFile empty(File(QStringLiteral("empty.wav")));
  ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
  empty.write(QByteArray(44, 'R'));
  empty.close();
  w_->List1.SetItems(
      {Wav("one.wav", 200), Wav("skip.wav", 200), File("empty.wav"), Wav("two.wav", 200)});
  Select({0, 2, 3});
  w_->Command6.DoClick();
  EXPECT_EQ(started_, QStringList({"one.wav", "two.wav"}));
  EXPECT_TRUE(dialogs_.Calls().empty());
  // The end steps: buttons back, the list usable, the playing name hidden.
  EXPECT_TRUE(w_->Command1.Enabled());
  EXPECT_TRUE(w_->Command6.Enabled());
  EXPECT_FALSE(w_->Command7.Enabled());
  EXPECT_TRUE(w_->List1.isEnabled());
  EXPECT_FALSE(w_->Text1.Visible());
  EXPECT_FALSE(w_->Label3.Visible());
  EXPECT_EQ(core::Sound().ListTestPlayActive, 1);
  EXPECT_EQ(core::Sound().ListTestPlayFile, File("two.wav"));
}

TEST_F(TestPlay, AMissingEntryWarnsAndEndsTheTestPlay) {
  w_->List1.SetItems({Wav("one.wav", 200), P("gone.wav"), Wav("two.wav", 200)});
  Select({0, 1, 2});
  w_->Command6.DoClick();
  EXPECT_EQ(started_, QStringList({"one.wav"}));
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("ファイル読込エラー"));
  EXPECT_EQ(dialogs_.Calls()[0].text,
            P("gone.wav") + QStringLiteral("\r\nファイルが読み込めません。"
                                           "\r\nリストから削除して下さい。"));
  EXPECT_TRUE(w_->Command1.Enabled());
}

TEST_F(TestPlay, StopEndsItWhileTheEntryPlays) {
  w_->List1.SetItems({Wav("long.wav", 5000), Wav("next.wav", 200)});
  Select({0, 1});
  bool lockedWhilePlaying = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (Player1().PlayState() != platform::kPlayStatePlaying || !w_->Command7.Enabled()) return;
    lockedWhilePlaying = !w_->Command1.Enabled() && !w_->Command6.Enabled() &&
                         !w_->List1.isEnabled() && w_->Label3.Visible() &&
                         w_->Text1.Text() == QStringLiteral("long.wav");
    poll.stop();
    w_->Command7.DoClick();
  });
  poll.start(10);
  w_->Command6.DoClick();
  EXPECT_TRUE(lockedWhilePlaying);
  EXPECT_EQ(started_, QStringList({"long.wav"}));
  EXPECT_NE(Player1().PlayState(), platform::kPlayStatePlaying);
  EXPECT_EQ(core::Sound().PlaybackStopRequested, 0);
  EXPECT_FALSE(w_->Command7.Enabled());
}

TEST_F(TestPlay, ClosingTheWindowEndsItAndTheWindowGoesOnlyAfterTheLoop) {
  w_->Show();
  w_->List1.SetItems({Wav("long.wav", 5000), Wav("next.wav", 200)});
  Select({0, 1});
  QPointer<sound::Form10> window = w_;
  bool aliveAfterLoop = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (Player1().PlayState() != platform::kPlayStatePlaying) return;
    poll.stop();
    window->close();  // the close box
  });
  poll.start(10);
  w_->Command6.DoClick();
  aliveAfterLoop = !window.isNull();
  EXPECT_TRUE(aliveAfterLoop);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(window->IsClosed());
  EXPECT_EQ(started_, QStringList({"long.wav"}));
  EXPECT_EQ(core::Sound().ListTestPlayActive, 0);
  EXPECT_NE(Player1().PlayState(), platform::kPlayStatePlaying);
  EXPECT_EQ(sound::Form10IfLoaded(), nullptr);
  soundtest::WaitFor(
      [&] {
        QCoreApplication::processEvents();
        return window.isNull();
      },
      2000);
  EXPECT_TRUE(window.isNull());
  w_ = nullptr;
}

}  // namespace
