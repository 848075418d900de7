// The sound-mode, WAV-sync, order, text and CD menus driven as a user would, with the
// sound windows they open: the one-file choosers, the linked-sound window and the CD
// programme window.
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include "core/mirrors.h"
#include "core/slideshow_file.h"
#include "platform/cdaudio.h"
#include "test_menus_fixture.h"

namespace {

using namespace menus_test;
using platform::DialogKind;

// What the test does in a window the menu shows modally, once it is on screen.
enum class InWindow { kNothing, kOk, kCancel, kTickAndOk };

// Runs `action` on the next modal window as soon as its loop runs.
void WhenShown(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

void ActOnChooser(sound::OneFileChooser& w, InWindow act, const QString& text) {
  if (act == InWindow::kNothing) return;
  if (!text.isEmpty()) w.Text1.SetText(text);
  if (act == InWindow::kTickAndOk) w.Check1.SetValue(1);
  if (act == InWindow::kCancel)
    w.Command1.DoClick();
  else
    w.Command2.DoClick();
}

struct ModeCase {
  const char* name;
  int index;
  std::function<void()> setup;
  std::vector<Reply> replies;
  InWindow chooser;
  QString chooserText;
  QStringList titles;  // message and question titles, in order
  short mode;          // resulting SoundMode (start: 7)
  bool douki, koichi, cdm;
  short soundPaused;  // SoundPaused afterwards (set to 1 before)
};

class SoundModeTest : public MenusTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(SoundModeTest, ModeTicksEnablesAndAsks) {
  const ModeCase& c = GetParam();
  core::Form1& f = Main();
  core::ShowSettings& s = core::Settings();
  ASSERT_EQ(s.SoundMode, 7);
  core::Sound().SoundPaused = 1;
  if (c.setup) c.setup();
  Script(c.replies);
  sound::OneFileChooser* chooser = nullptr;
  if (c.index == 3) chooser = &sound::form2();
  if (c.index == 4) chooser = &sound::form8();
  if (c.index == 8) chooser = &sound::form17();
  if (chooser) {
    WhenShown([chooser, &c] {
      EXPECT_TRUE(chooser->Visible());
      ActOnChooser(*chooser, c.chooser, c.chooserText);
    });
  }
  sound::mnuKOU_Click(f, c.index);

  EXPECT_EQ(s.SoundMode, c.mode);
  EXPECT_EQ(Ticked(f.mnuKOU), c.mode);
  EXPECT_EQ(TickCount(f.mnuKOU), 1);
  EXPECT_EQ(f.mnuDOUKI.Enabled(), c.douki);
  EXPECT_EQ(f.mnuKOICHI.Enabled(), c.koichi);
  EXPECT_EQ(f.mnuCDM.Enabled(), c.cdm);
  EXPECT_EQ(core::Sound().SoundPaused, c.soundPaused);
  EXPECT_EQ(Titles(), c.titles);
  EXPECT_EQ(dialogs_.Pending(), 0);
  if (chooser)
    EXPECT_EQ(sound::Form2IfLoaded() || sound::Form8IfLoaded() || sound::Form17IfLoaded(), false);
}

const QString kLinkedQuestion = QStringLiteral("効果音設定変更");

INSTANTIATE_TEST_SUITE_P(
    Cases, SoundModeTest,
    ::testing::Values(ModeCase{"common",
                               0,
                               {},
                               {Ok()},
                               InWindow::kNothing,
                               {},
                               {QStringLiteral("効果音設定")},
                               0,
                               true,
                               true,
                               false,
                               1},
                      ModeCase{"linked_wav_declined",
                               1,
                               {},
                               {No()},
                               InWindow::kNothing,
                               {},
                               {QStringLiteral("画像連動(WAV)")},
                               7,
                               false,
                               false,
                               false,
                               1},
                      ModeCase{"linked_wav_no_default",
                               1,
                               {},
                               {Yes(), Text(""), Ok()},
                               InWindow::kNothing,
                               {},
                               {QStringLiteral("画像連動(WAV)"), QStringLiteral("ﾃﾞﾌｫﾙﾄ効果音"),
                                QStringLiteral("ﾃﾞﾌｫﾙﾄ効果音")},
                               1,
                               true,
                               true,
                               false,
                               1},
                      ModeCase{
                          "cd", 2, {}, {}, InWindow::kNothing, {}, {}, 2, false, false, true, 1},
                      ModeCase{"cd_with_linked_wav",
                               2,
                               [] { core::Settings().CdWithLinkedWavOff = 0; },
                               {},
                               InWindow::kNothing,
                               {},
                               {},
                               2,
                               true,
                               true,
                               true,
                               1},
                      ModeCase{"wav_file_cancelled",
                               3,
                               {},
                               {},
                               InWindow::kCancel,
                               QStringLiteral("/x/a.wav"),
                               {},
                               3,
                               false,
                               false,
                               false,
                               0},
                      ModeCase{"midi_file",
                               4,
                               {},
                               {},
                               InWindow::kOk,
                               QStringLiteral("/x/a.mid"),
                               {},
                               4,
                               false,
                               false,
                               false,
                               0},
                      ModeCase{"midi_with_linked_wav",
                               4,
                               {},
                               {Ok()},
                               InWindow::kTickAndOk,
                               QStringLiteral("/x/a.mid"),
                               {QStringLiteral("ＭＩＤＩ再生オプション")},
                               4,
                               true,
                               true,
                               false,
                               0},
                      ModeCase{"linked_midi",
                               5,
                               {},
                               {Yes()},
                               InWindow::kNothing,
                               {},
                               {QStringLiteral("画像連動(MIDI)")},
                               5,
                               false,
                               true,
                               false,
                               1},
                      ModeCase{"linked_midi_declined",
                               5,
                               {},
                               {No()},
                               InWindow::kNothing,
                               {},
                               {QStringLiteral("画像連動(MIDI)")},
                               7,
                               false,
                               false,
                               false,
                               1},
                      ModeCase{"list_asks_linked_wav_yes",
                               6,
                               {},
                               {Yes()},
                               InWindow::kNothing,
                               {},
                               {kLinkedQuestion},
                               6,
                               true,
                               true,
                               false,
                               0},
                      ModeCase{"list_asks_linked_wav_no",
                               6,
                               {},
                               {No()},
                               InWindow::kNothing,
                               {},
                               {kLinkedQuestion},
                               6,
                               false,
                               false,
                               false,
                               0},
                      ModeCase{"list_already_with_linked_wav",
                               6,
                               [] { core::Settings().SoundListWithLinkedWav = 1; },
                               {},
                               InWindow::kNothing,
                               {},
                               {},
                               6,
                               true,
                               true,
                               false,
                               0},
                      ModeCase{"none",
                               7,
                               [] { core::Settings().SoundMode = 0; },
                               {},
                               InWindow::kNothing,
                               {},
                               {},
                               7,
                               false,
                               false,
                               false,
                               1},
                      ModeCase{"mp3_file",
                               8,
                               {},
                               {},
                               InWindow::kOk,
                               QStringLiteral("/x/a.mp3"),
                               {},
                               8,
                               false,
                               false,
                               false,
                               0},
                      ModeCase{"linked_mp3_wav",
                               9,
                               {},
                               {Yes()},
                               InWindow::kNothing,
                               {},
                               {QStringLiteral("画像連動(MP3+WAV)")},
                               9,
                               true,
                               true,
                               false,
                               1},
                      ModeCase{"linked_mp3_wav_declined",
                               9,
                               {},
                               {No()},
                               InWindow::kNothing,
                               {},
                               {QStringLiteral("画像連動(MP3+WAV)")},
                               7,
                               false,
                               false,
                               false,
                               1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenusTest, ChoosersStoreTheirFileOnOkOnly) {
  core::Form1& f = Main();
  core::ShowSettings& s = core::Settings();
  s.RepeatWavFile = QStringLiteral("/old.wav");
  WhenShown([] { ActOnChooser(sound::form2(), InWindow::kCancel, QStringLiteral("/new.wav")); });
  sound::mnuKOU_Click(f, 3);
  EXPECT_EQ(s.RepeatWavFile, QStringLiteral("/old.wav"));

  // OK stores the text as it is, even a file that does not exist, and an empty one.
  WhenShown([] { ActOnChooser(sound::form8(), InWindow::kOk, QStringLiteral("/no/such.mid")); });
  sound::mnuKOU_Click(f, 4);
  EXPECT_EQ(s.RepeatMidiFile, QStringLiteral("/no/such.mid"));
  WhenShown([] {
    sound::form17().Text1.SetText(QString());
    sound::form17().Command2.DoClick();
  });
  s.RepeatMp3File = QStringLiteral("/old.mp3");
  sound::mnuKOU_Click(f, 8);
  EXPECT_TRUE(s.RepeatMp3File.isEmpty());
}

TEST_F(MenusTest, ChooserShowsTheStoredFileAndBrowsesForAnother) {
  core::Form1& f = Main();
  QTemporaryDir dir;
  QDir(dir.path()).mkdir(QStringLiteral("sub"));
  for (const char* name : {"b.mid", "C.MID", "a.wav", "sub/d.mid"}) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  core::Settings().RepeatMidiFile = QStringLiteral("/music/a.mid");
  QString shown;
  QStringList listed, subfolders;
  WhenShown([&] {
    sound::Form8& w = sound::form8();
    shown = w.Text1.Text();
    // Choosing a folder shows its MIDI files, whatever the case of their names.
    w.Dir1.SetPath(dir.path());
    for (int i = 0; i < w.File1.ListCount(); ++i) listed << w.File1.List(i);
    for (int i = 0; i < w.Dir1.ListCount(); ++i) subfolders << w.Dir1.List(i);
    w.File1.SetListIndex(1);
    w.Command2.DoClick();
  });
  sound::mnuKOU_Click(f, 4);
  EXPECT_EQ(shown, QStringLiteral("/music/a.mid"));
  EXPECT_EQ(listed, QStringList({"b.mid", "C.MID"}));
  EXPECT_EQ(subfolders, QStringList({dir.filePath("sub")}));
  EXPECT_EQ(core::Settings().RepeatMidiFile, dir.filePath("C.MID"));
  EXPECT_TRUE(dialogs_.CallsOf(DialogKind::kOpenFile).empty());
}

TEST_F(MenusTest, ChooserStartsInTheHomeFolderAndADriveChoiceOpensTheDrive) {
  sound::Form2& w = sound::form2();
  EXPECT_EQ(w.File1.Pattern(), QStringLiteral("*.wav"));
  EXPECT_EQ(w.Dir1.Path(), QDir::homePath());
  EXPECT_EQ(w.Drive1.Drive(), platform::DriveOfPath(QDir::homePath()));
  // Choosing a drive opens the folder last opened on it.
  QTemporaryDir dir;
  w.Dir1.SetPath(dir.path());
  w.Drive1.SetDrive(QStringLiteral("/"));
  w.Drive1.SetDrive(dir.path());
  EXPECT_EQ(w.Dir1.Path(), dir.path());
  EXPECT_EQ(w.File1.Path(), dir.path());
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(MenusTest, ChooserCheckBoxShowsItsNoticeEachTimeItIsTicked) {
  core::ShowSettings& s = core::Settings();
  sound::Form17& w = sound::form17();
  EXPECT_EQ(w.Caption(), QStringLiteral("MP3ファイル再生"));
  w.Check1.SetValue(1);
  w.Check1.SetValue(0);
  EXPECT_EQ(s.Mp3WithLinkedWav, 0);
  w.Check1.SetValue(1);
  EXPECT_EQ(s.Mp3WithLinkedWav, 1);
  const auto notices = dialogs_.CallsOf(DialogKind::kMsgBox);
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].text, QStringLiteral("ＭＰ３再生中に画像連動（ＷＡＶ）を再生します。\r\n"
                                            "（この設定はＫＶＺファイルに保存されます。）"));
  // Cancel does not undo the flag.
  w.Command1.DoClick();
  EXPECT_EQ(s.Mp3WithLinkedWav, 1);
}

TEST_F(MenusTest, ReaderMirrorsSetTheChoosersWithoutNotices) {
  core::ShowSettings& s = core::Settings();
  s.MidiWithLinkedWav = 1;
  s.Mp3WithLinkedWav = 1;
  s.RepeatMidiFile = QStringLiteral("/kvz/song.mid");
  core::RefreshMirror(&s.MidiWithLinkedWav);
  core::RefreshMirror(&s.Mp3WithLinkedWav);
  core::RefreshMirror(&s.RepeatMidiFile);
  EXPECT_EQ(sound::form8().Check1.Value(), 1);
  EXPECT_EQ(sound::form17().Check1.Value(), 1);
  EXPECT_EQ(sound::form8().Text1.Text(), QStringLiteral("/kvz/song.mid"));
  EXPECT_TRUE(dialogs_.Calls().empty());
}

struct DefaultSoundCase {
  const char* name;
  QString answer;  // "@" stands for the temporary folder
  QString expected;
  bool message;
};

class DefaultSoundTest : public MenusTest,
                         public ::testing::WithParamInterface<DefaultSoundCase> {};

TEST_P(DefaultSoundTest, AnswerIsKeptOnlyWhenItNamesAWavFile) {
  const DefaultSoundCase& c = GetParam();
  QTemporaryDir dir;
  QFile bell(dir.filePath(QStringLiteral("bell.wav")));
  ASSERT_TRUE(bell.open(QIODevice::WriteOnly));
  bell.close();
  const QString at = dir.path();
  core::Settings().DefaultSoundFile = QStringLiteral("*.wav");
  dialogs_.AnswerText(QString(c.answer).replace(QChar(u'@'), at));
  sound::AskDefaultSoundFile();
  EXPECT_EQ(core::Settings().DefaultSoundFile, QString(c.expected).replace(QChar(u'@'), at));
  const auto inputs = dialogs_.CallsOf(DialogKind::kInputBox);
  ASSERT_EQ(inputs.size(), 1u);
  EXPECT_EQ(inputs[0].defaultText, QStringLiteral("*.wav"));
  const auto messages = dialogs_.CallsOf(DialogKind::kMsgBox);
  EXPECT_EQ(messages.size(), c.message ? 1u : 0u);
  if (c.message) EXPECT_EQ(messages[0].text, QStringLiteral("ﾃﾞﾌｫﾙﾄ効果音は設定されません。"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DefaultSoundTest,
    ::testing::Values(DefaultSoundCase{"empty", "", "*.wav", true},
                      DefaultSoundCase{"bare_name_gets_wav", "@/bell", "@/bell.wav", false},
                      DefaultSoundCase{"full_name", "@/bell.wav", "@/bell.wav", false},
                      DefaultSoundCase{"upper_case_extension_missing_file", "@/BELL.WAV", "*.wav",
                                       true},
                      DefaultSoundCase{"missing", "@/gong", "*.wav", true},
                      DefaultSoundCase{"wildcard", "*.wav", "*.wav", true},
                      DefaultSoundCase{"mp3", "@/bell.mp3", "*.wav", true},
                      DefaultSoundCase{"folder", "@", "*.wav", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenusTest, ListModeQuestionTicksTheSoundListBoxAndTheLinkedSoundOption) {
  core::Form1& f = Main();
  dialogs_.Answer(platform::vbYes);
  sound::mnuKOU_Click(f, 6);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text,
            QStringLiteral("効果音設定をWAV,MID,MP3リスト再生＋連動（WAV）再生に設定しますか？"));
  EXPECT_EQ(dialogs_.Calls()[0].buttons, platform::vbYesNo);
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbQuestion);
  EXPECT_EQ(core::Settings().SoundListWithLinkedWav, 1);
  EXPECT_EQ(sound::form10().Check5.Value(), 1);
  EXPECT_TRUE(sound::form13().Option2.Value());
  EXPECT_FALSE(sound::form13().Option1.Value());

  // Another mode clears both options.
  sound::mnuKOU_Click(f, 7);
  EXPECT_FALSE(sound::form13().Option1.Value());
  EXPECT_FALSE(sound::form13().Option2.Value());
}

TEST_F(MenusTest, LinkedSoundWindowOptionsSetTheModeWithItsMenus) {
  core::Form1& f = Main();
  sound::Form13& w = sound::form13();
  EXPECT_EQ(w.Caption(), QStringLiteral("連動音設定(WAV,MP3)"));
  dialogs_.Answer(platform::vbNo);
  w.Option1.SetValue(true);
  EXPECT_EQ(core::Settings().SoundMode, 7);
  EXPECT_FALSE(w.Option1.Value());  // No unticks the clicked option again

  dialogs_.Answer(platform::vbYes);
  w.Option1.SetValue(true);
  EXPECT_EQ(core::Settings().SoundMode, 9);
  EXPECT_EQ(Ticked(f.mnuKOU), 9);
  EXPECT_EQ(TickCount(f.mnuKOU), 1);
  EXPECT_FALSE(f.mnuCDM.Enabled());
  EXPECT_TRUE(f.mnuDOUKI.Enabled());
  EXPECT_TRUE(w.Option1.Value());
  EXPECT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[1].title, QStringLiteral("効果音設定変更"));
}

TEST_F(MenusTest, LinkedSoundVolumeSliderSetsTheAttenuation) {
  core::Settings().VolumeAttenuationSetting = 630;
  core::Sound().VolumeAttenuation = 0;
  sound::Form13& w = sound::form13();
  EXPECT_EQ(w.HScroll1.Value(), 37);
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("37"));
  EXPECT_EQ(core::Sound().VolumeAttenuation, 630);
  w.HScroll1.SetValue(80);
  EXPECT_EQ(core::Settings().VolumeAttenuationSetting, 200);
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("80"));
  w.Command1.DoClick();
  platform::DestroyPendingNow();
  EXPECT_EQ(sound::form13().HScroll1.Value(), 80);
}

TEST_F(MenusTest, WavSyncOrderAndTextMenusTick) {
  core::Form1& f = Main();
  core::ShowSettings& s = core::Settings();
  dialogs_.Answer(platform::vbOK);
  sound::mnuDOU_Click(f, 0);
  EXPECT_EQ(s.WavSyncOff, 0);
  EXPECT_EQ(Ticked(f.mnuDOU), 0);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("画像連動効果音同期設定"));
  sound::mnuDOU_Click(f, 1);
  sound::mnuKOICHI1_Click(f, 0);
  sound::mnuTEXT_Click(f, 0);
  EXPECT_EQ(s.WavSyncOff, 1);
  EXPECT_EQ(s.LinkedSoundAfterText, 0);
  EXPECT_EQ(s.TextMacroOff, 0);
  EXPECT_EQ(Ticked(f.mnuKOICHI1), 0);
  EXPECT_EQ(Ticked(f.mnuTEXT), 0);
  EXPECT_EQ(TickCount(f.mnuTEXT), 1);
  EXPECT_EQ(dialogs_.Calls().size(), 1u);
}

TEST_F(MenusTest, CdRepeatAndLinkedWavMenus) {
  core::Form1& f = Main();
  core::ShowSettings& s = core::Settings();
  sound::mnuCDR_Click(f, 0);
  EXPECT_EQ(s.CdTrackRepeatOff, 0);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("繰り返し"));
  sound::mnuCDR_Click(f, 1);
  EXPECT_EQ(dialogs_.Calls().size(), 1u);

  sound::mnuCDWAV_Click(f, 0);
  EXPECT_EQ(s.CdWithLinkedWavOff, 0);
  EXPECT_TRUE(f.mnuDOUKI.Enabled());
  EXPECT_TRUE(f.mnuKOICHI.Enabled());
  sound::mnuCDWAV_Click(f, 1);
  EXPECT_FALSE(f.mnuDOUKI.Enabled());
  EXPECT_FALSE(f.mnuKOICHI.Enabled());
  EXPECT_EQ(Ticked(f.mnuCDWAV), 1);
}

class CdMenusTest : public MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    platform::SetCdDriveForTests(&drive_);
  }
  void TearDown() override {
    platform::SetCdDriveForTests(nullptr);
    MenusTest::TearDown();
  }
  void SetProgramme(const QStringList& tracks) {
    core::ListState& lists = core::Lists();
    for (int i = 0; i < tracks.size(); ++i) lists.CdProgram[i + 1] = tracks[i];
    lists.CdProgramCount = static_cast<short>(tracks.size());
    lists.CdProgramPosition = 2;
  }
  platform::FakeCdDrive drive_{12};
};

TEST_F(CdMenusTest, TrackOrderResetsTheStartTrackAndRandomErasesTheProgramme) {
  core::Form1& f = Main();
  core::ShowSettings& s = core::Settings();
  core::ListState& lists = core::Lists();
  s.CdStartTrack = QStringLiteral("5");
  sound::mnuCDRND_Click(f, 0);
  EXPECT_EQ(s.CdStartTrack, QStringLiteral("1"));
  EXPECT_TRUE(f.mnuCD.Enabled());
  EXPECT_TRUE(f.mnuCDRP.Enabled());
  EXPECT_TRUE(dialogs_.Calls().empty());

  SetProgramme({"3", "3", "5"});
  sound::mnuCDRND_Click(f, 1);
  EXPECT_EQ(s.CdTrackOrder, 1);
  EXPECT_FALSE(f.mnuCD.Enabled());
  EXPECT_FALSE(f.mnuCDRP.Enabled());
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text,
            QStringLiteral("ＣＤプログラム選択の曲順リストは消去されます。"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("曲順リスト消去"));
  EXPECT_EQ(lists.CdProgramCount, 0);
  EXPECT_EQ(lists.CdProgramPosition, 0);
  EXPECT_TRUE(lists.CdProgram[1].isEmpty());
}

TEST_F(CdMenusTest, ProgrammeOrderOpensTheProgrammeWindowEveryTime) {
  core::Form1& f = Main();
  SetProgramme({"2"});
  for (int round = 0; round < 2; ++round) {
    bool shown = false;
    WhenShown([&shown] {
      shown = sound::form14().Visible();
      sound::form14().Command2.DoClick();
    });
    sound::mnuCDRND_Click(f, 2);
    EXPECT_TRUE(shown);
  }
  EXPECT_EQ(core::Settings().CdTrackOrder, 2);
  EXPECT_EQ(core::Lists().CdProgramCount, 1);  // cancel keeps the programme
  EXPECT_TRUE(dialogs_.Calls().empty());
}

struct TrackCase {
  const char* name;
  std::vector<Reply> replies;
  QString expected;  // start: "1"
  int warnings;
};

class CdTrackTest : public CdMenusTest, public ::testing::WithParamInterface<TrackCase> {};

TEST_P(CdTrackTest, StartTrackQuestionOnATwelveTrackDisc) {
  const TrackCase& c = GetParam();
  core::Form1& f = Main();
  core::Sound().CdPaused = 1;
  Script(c.replies);
  sound::mnuCD_Click(f);
  EXPECT_EQ(core::Settings().CdStartTrack, c.expected);
  const auto warnings = dialogs_.CallsOf(DialogKind::kMsgBox);
  EXPECT_EQ(static_cast<int>(warnings.size()), c.warnings);
  for (const auto& w : warnings) {
    EXPECT_EQ(w.text, QStringLiteral("設定が不適切です。"));
    EXPECT_EQ(w.title, QStringLiteral("ＣＤ再生"));
  }
  const auto inputs = dialogs_.CallsOf(DialogKind::kInputBox);
  ASSERT_FALSE(inputs.empty());
  EXPECT_EQ(inputs[0].text,
            QStringLiteral("ＣＤ再生開始トラックを設定してください。\r\n( 1～12 )\r\n"
                           "（曲順設定がランダムまたはプログラムの場合は無効です。）"));
  EXPECT_EQ(inputs[0].title, QStringLiteral("ＣＤ再生トラック"));
  EXPECT_EQ(core::Sound().CdPaused, c.expected == QStringLiteral("1") ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CdTrackTest,
    ::testing::Values(TrackCase{"cancel", {Cancel()}, "1", 0},
                      TrackCase{"zero_and_thirteen_refused",
                                {Text("0"), Ok(), Text("13"), Ok(), Text("12")},
                                "12",
                                2},
                      TrackCase{"fraction_floors", {Text("3.8")}, "3", 0},
                      TrackCase{"text_refused", {Text("abc"), Ok(), Text("")}, "1", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CdMenusTest, NewStartTrackDuringAShowStartsTheCdAtOnce) {
  core::Form1& f = Main();
  core::Settings().SoundMode = 2;
  for (short running : {0, 1}) {
    core::Flags().ShowRunning = running;
    Script({Text("5")});
    sound::mnuCD_Click(f);
  }
  core::Flags().ShowRunning = 0;
  ASSERT_EQ(drive_.Plays().size(), 1u);
  EXPECT_EQ(drive_.Plays()[0].from, 5);
  EXPECT_EQ(core::Settings().CdStartTrack, QStringLiteral("5"));
}

TEST_F(CdMenusTest, StartTrackNeedsADiscOfTwoTracks) {
  core::Form1& f = Main();
  for (int tracks : {0, 1}) {
    dialogs_.ClearCalls();
    drive_.SetTrackCount(tracks);
    sound::mnuCD_Click(f);
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("ＣＤが準備できていません。"));
    EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  }
}

TEST_F(CdMenusTest, ProgrammeWindowAppendsTracksOfTheDiscAndStoresThemOnOk) {
  core::Settings().CdStartTrack = QStringLiteral("7");
  sound::Form14& w = sound::form14();
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_TRUE(w.Command3(12).Enabled());
  EXPECT_FALSE(w.Command3(13).Enabled());
  EXPECT_EQ(w.Command3(100).Caption(), QStringLiteral("100"));
  for (int n : {3, 3, 5}) w.Command3(n).DoClick();
  EXPECT_EQ(w.List1.Items(), QStringList({"3", "3", "5"}));
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("3"));
  w.Check1.SetValue(1);
  w.Command1.DoClick();
  const core::ListState& lists = core::Lists();
  EXPECT_EQ(lists.CdProgramCount, 3);
  EXPECT_EQ(lists.CdProgram[1], QStringLiteral("3"));
  EXPECT_EQ(lists.CdProgram[3], QStringLiteral("5"));
  EXPECT_EQ(core::Settings().CdStartTrack, QStringLiteral("1"));
  EXPECT_EQ(core::Settings().StopShowAtCdProgramEnd, 1);
}

TEST_F(CdMenusTest, ProgrammeWindowRefusesTheHundredthEntryAndRemovesEntries) {
  sound::Form14& w = sound::form14();
  for (int i = 0; i < 98; ++i) w.Command3(1).DoClick();
  EXPECT_TRUE(dialogs_.Calls().empty());
  w.Command3(2).DoClick();  // the 99th: added, with the message
  w.Command3(2).DoClick();  // refused
  EXPECT_EQ(w.List1.ListCount(), 99);
  ASSERT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[1].text, QStringLiteral("これ以上登録できません"));
  EXPECT_EQ(dialogs_.Calls()[1].title, QStringLiteral("曲順リストエラー"));

  w.List1.Clear();
  for (int n : {1, 2, 3, 4}) w.Command3(n).DoClick();
  w.List1.SetSelected(1, true);
  w.List1.SetSelected(3, true);
  w.Command5.DoClick();
  EXPECT_EQ(w.List1.Items(), QStringList({"1", "3"}));
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("2"));

  dialogs_.ClearCalls();
  dialogs_.Answer(platform::vbNo);
  w.Command4.DoClick();
  EXPECT_EQ(w.List1.ListCount(), 2);
  dialogs_.Answer(platform::vbYes);
  w.Command4.DoClick();
  EXPECT_EQ(w.List1.ListCount(), 0);
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("0"));
  w.Command4.DoClick();  // an empty list asks nothing
  EXPECT_EQ(dialogs_.Calls().size(), 2u);
}

TEST_F(MenusTest, ProgrammeWindowWithoutADiscWarnsAndKeepsEveryTrackButtonOff) {
  platform::FakeCdDrive none(0, false);
  platform::SetCdDriveForTests(&none);
  sound::Form14& w = sound::form14();
  platform::SetCdDriveForTests(nullptr);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("ＣＤが準備できていません。"));
  EXPECT_FALSE(w.Command3(1).Enabled());
  EXPECT_TRUE(w.Command1.Enabled());
}

}  // namespace
