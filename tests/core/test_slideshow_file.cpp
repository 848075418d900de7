// The slideshow file: what the writer puts in it, what the reader takes from files of
// every layout, and what a refused or unreadable file leaves behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/slideshow_file.h"
#include "core/soundlist_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/appfolder.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/menu.h"
#include "sound/form10.h"
#include "tests/support/list_files.h"
#include "tests/support/program_files.h"

namespace {

using core::Lists;
using core::Paths;
using core::Settings;
using test_support::ReadBytes;
using test_support::ReadLines;
using test_support::Ticked;
using test_support::WriteLines;

const QString kUnsuitable = QStringLiteral("このファイル名は適合しません。");

class SlideshowFileTest : public test_support::ProgramFilesTest {
 protected:
  listeditor::Form3& Editor() { return listeditor::form3(); }

  void SetSlides(const QStringList& paths, const QStringList& records) {
    Editor().List1.SetItems(paths);
    Editor().List2.SetItems(records);
  }

  // Every show setting a slideshow file holds, each different from its default.
  static void SetEveryShowSetting() {
    core::ShowSettings& s = Settings();
    s.SlideIntervalSeconds = 7;
    s.RepeatOff = 1;
    s.SoundMode = 6;
    s.DefaultSoundFile = "/音/既定.wav";
    s.RepeatWavFile = "/音/くり返し.wav";
    s.DisplayEffect = 4;
    s.DisplayEffectSpeed = -120;
    s.EraseEffect = 11;
    s.EraseEffectSpeed = 8;
    s.DisplaySlitCount = 17;
    s.EraseSlitCount = 23;
    s.CdTrackRepeatOff = 0;
    s.CdStartTrack = "5";
    s.DisplayMosaicCount = 31;
    s.EraseMosaicCount = 42;
    s.TextMacroOff = 0;
    s.RepeatMidiFile = "/音/曲.mid";
    s.WavSyncOff = 0;
    s.LinkedSoundAfterText = 0;
    s.RandomOrderOff = 1;
    s.CdTrackOrder = 2;
    s.OverlayMode = 3;
    s.PictureSizeMode = 5;
    s.TextOriginScreen = 1;
    s.CdWithLinkedWavOff = 0;
    s.StopShowAtCdProgramEnd = 1;
    s.OverlayBackColorIndex = 8;
    s.PicturePosition = 1;
    s.SoundListInSlideshowFile = 1;
    s.MidiWithLinkedWav = 1;
    s.RepeatMp3File = "/音/ループ.mp3";
    s.AlwaysFullScreenOff = 0;
    s.EffectSpeedFixed = 0;
    s.PictureLoadMode = 1;
    s.Mp3WithLinkedWav = 1;
    s.SoundListWithLinkedWav = 1;
    Paths().LinkedFilesInFolder = 1;
    Paths().LinkedFilesFolder = "/連動/フォルダ, その2";
    core::ListState& l = Lists();
    l.CdProgram[1] = "3";
    l.CdProgram[2] = "11";
    l.CdProgram[3] = "2";
    l.CdProgramCount = 3;
    l.SoundListEntries[1] = "/音/一.wav";
    l.SoundListEntries[2] = "/音/二.mp3";
    l.SoundListCount = 2;
  }
};

const QString kRecord1 = QStringLiteral("2024/01/0209:302024/12/3118:00");
const QString kRecord2 = QString(30, ' ');

// ---- writing and reading back ----------------------------------------------------------------

TEST_F(SlideshowFileTest, SavedFileOpensAgainWithEverySettingSlideAndList) {
  SetEveryShowSetting();
  const QStringList slides = {"/写真/春/桜.jpg", "/写真/夏.png", "/写真/秋 紅葉.jpg"};
  SetSlides(slides, {kRecord1, kRecord2, "2025/03/04     2025/03/05     "});
  const core::ShowSettings saved = Settings();

  QString path = PathOf("旅行");
  core::SaveSlideshowFile(path);
  EXPECT_EQ(path, PathOf("旅行.kvz"));
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(Paths().SlideshowFilePath, path);
  EXPECT_EQ(Paths().SlideshowFileName, "旅行.kvz");
  EXPECT_EQ(core::form1().Caption(), "ｽﾗｲﾄﾞ - " + path);
  EXPECT_EQ(Paths().SlideshowFileTime, core::FileDateTimeText(path));

  // Everything forgotten, then read back.
  core::ResetAllState();
  Paths().AppFolder = app_.path() + '/';
  SetSlides({"/other.jpg"}, {kRecord2});
  sound::form10().List1.SetItems({"/other.wav"});
  Paths().OpenedFileFolder = Folder();
  core::LoadSlideshowFile(path);
  EXPECT_TRUE(dialogs_.Calls().empty());

  const core::ShowSettings& s = Settings();
  EXPECT_EQ(s.SlideIntervalSeconds, 7);
  EXPECT_EQ(core::form1().Timer1.Interval(), 7000);
  EXPECT_EQ(s.RepeatOff, saved.RepeatOff);
  EXPECT_EQ(s.SoundMode, saved.SoundMode);
  EXPECT_EQ(s.DefaultSoundFile, saved.DefaultSoundFile);
  EXPECT_EQ(s.RepeatWavFile, saved.RepeatWavFile);
  EXPECT_EQ(s.DisplayEffect, saved.DisplayEffect);
  EXPECT_EQ(s.DisplayEffectSpeed, saved.DisplayEffectSpeed);
  EXPECT_EQ(s.EraseEffect, saved.EraseEffect);
  EXPECT_EQ(s.EraseEffectSpeed, saved.EraseEffectSpeed);
  EXPECT_EQ(s.DisplaySlitCount, saved.DisplaySlitCount);
  EXPECT_EQ(s.EraseSlitCount, saved.EraseSlitCount);
  EXPECT_EQ(s.CdTrackRepeatOff, saved.CdTrackRepeatOff);
  EXPECT_EQ(s.CdStartTrack, saved.CdStartTrack);
  EXPECT_EQ(s.DisplayMosaicCount, saved.DisplayMosaicCount);
  EXPECT_EQ(s.EraseMosaicCount, saved.EraseMosaicCount);
  EXPECT_EQ(s.TextMacroOff, saved.TextMacroOff);
  EXPECT_EQ(s.RepeatMidiFile, saved.RepeatMidiFile);
  EXPECT_EQ(s.WavSyncOff, saved.WavSyncOff);
  EXPECT_EQ(s.LinkedSoundAfterText, saved.LinkedSoundAfterText);
  EXPECT_EQ(s.RandomOrderOff, saved.RandomOrderOff);
  EXPECT_EQ(s.CdTrackOrder, saved.CdTrackOrder);
  EXPECT_EQ(s.OverlayMode, saved.OverlayMode);
  EXPECT_EQ(s.PictureSizeMode, saved.PictureSizeMode);
  EXPECT_EQ(s.TextOriginScreen, saved.TextOriginScreen);
  EXPECT_EQ(s.CdWithLinkedWavOff, saved.CdWithLinkedWavOff);
  EXPECT_EQ(s.StopShowAtCdProgramEnd, saved.StopShowAtCdProgramEnd);
  EXPECT_EQ(s.OverlayBackColorIndex, saved.OverlayBackColorIndex);
  EXPECT_EQ(s.PicturePosition, saved.PicturePosition);
  EXPECT_EQ(s.MidiWithLinkedWav, saved.MidiWithLinkedWav);
  EXPECT_EQ(s.RepeatMp3File, saved.RepeatMp3File);
  EXPECT_EQ(s.AlwaysFullScreenOff, saved.AlwaysFullScreenOff);
  EXPECT_EQ(s.EffectSpeedFixed, saved.EffectSpeedFixed);
  EXPECT_EQ(s.PictureLoadMode, saved.PictureLoadMode);
  EXPECT_EQ(s.Mp3WithLinkedWav, saved.Mp3WithLinkedWav);
  EXPECT_EQ(s.SoundListWithLinkedWav, saved.SoundListWithLinkedWav);
  EXPECT_EQ(Paths().LinkedFilesInFolder, 1);
  EXPECT_EQ(Paths().LinkedFilesFolder, "/連動/フォルダ, その2");

  // The slides, in the editor and committed, with their schedules.
  EXPECT_EQ(Editor().List1.Items(), slides);
  EXPECT_EQ(Editor().List2.Items(),
            QStringList({kRecord1, kRecord2, "2025/03/04     2025/03/05     "}));
  const core::ListState& l = Lists();
  EXPECT_EQ(l.SlideEndIndex, 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(l.SlidePaths[i + 1], slides[i]);
  EXPECT_EQ(l.SlideAddDateTimes[1], "2024/01/02 09:30");
  EXPECT_EQ(l.SlideDeleteDateTimes[1], "2024/12/31 18:00");
  EXPECT_EQ(l.SlideAddDateTimes[2], QString(16, ' '));
  EXPECT_EQ(l.SlideDeleteDateTimes[3], "2025/03/05      ");

  // The CD programme and the sound list that travelled with the file.
  EXPECT_EQ(l.CdProgramCount, 3);
  EXPECT_EQ(l.CdProgram[2], "11");
  EXPECT_EQ(l.SoundListCount, 2);
  EXPECT_EQ(l.SoundListEntries[2], "/音/二.mp3");
  EXPECT_EQ(sound::form10().List1.Items(), QStringList({"/音/一.wav", "/音/二.mp3"}));
  EXPECT_EQ(sound::form10().Check5.Value(), 1);

  // The menus show what was read.
  core::Form1& f = core::form1();
  EXPECT_EQ(Ticked(f.mnuKUFL), 1);
  EXPECT_EQ(Ticked(f.mnuKOU), 6);
  EXPECT_EQ(Ticked(f.mnuHKO), 4);
  EXPECT_EQ(Ticked(f.mnuSYOUKO), 11);
  EXPECT_EQ(Ticked(f.mnuCDR), 0);
  EXPECT_EQ(Ticked(f.mnuTEXT), 0);
  EXPECT_EQ(Ticked(f.mnuDOU), 0);
  EXPECT_EQ(Ticked(f.mnuKOICHI1), 0);
  EXPECT_EQ(Ticked(f.mnuRANDFL), 1);
  EXPECT_EQ(Ticked(f.mnuCDRND), 2);
  EXPECT_EQ(Ticked(f.mnuKASANE), 3);
  EXPECT_EQ(Ticked(f.mnuKASAS), 5);
  EXPECT_EQ(Ticked(f.mnuCDWAV), 0);
  EXPECT_EQ(Ticked(f.mnuKAIRO), 8);
  EXPECT_EQ(Ticked(f.mnuHICHI), 1);
  EXPECT_EQ(Ticked(f.mnuFULL_FL), 0);
  EXPECT_EQ(Ticked(f.mnuKSPSEL), 0);
  EXPECT_EQ(Ticked(f.mnuYOMI), 1);
  EXPECT_TRUE(f.mnuKAHAI.Enabled());
  EXPECT_TRUE(f.mnuHKSP.Enabled());
  EXPECT_FALSE(f.mnuCDM.Enabled());

  EXPECT_EQ(Paths().SlideshowFilePath, path);
  EXPECT_EQ(Lists().LastShownSlideIndex, 0);
  EXPECT_EQ(f.Caption(), "ｽﾗｲﾄﾞ - " + path);
  EXPECT_FALSE(Editor().Command16.isEnabled());
}

TEST_F(SlideshowFileTest, SoundModeEightTravelsAsSevenWithItsFlag) {
  for (short mode : {0, 7, 8, 9}) {
    Settings().SoundMode = mode;
    Settings().SoundListInSlideshowFile = 0;
    SetSlides({}, {});
    QString path = PathOf("mode.kvz");
    core::SaveSlideshowFile(path);
    const QStringList lines = ReadLines(path);
    // Head, "480", overlay, size, an empty programme, T5..T10 and T12..T19.
    ASSERT_EQ(lines.size(), 26 + 4 + 6 + 8) << mode;
    EXPECT_EQ(lines[4], mode == 8 ? QStringLiteral(" 7 ") : QStringLiteral(" %1 ").arg(mode));
    EXPECT_EQ(lines[lines.size() - 6], mode == 8 ? " 1 " : " 0 ") << mode;  // T14
    EXPECT_EQ(Settings().SoundMode, mode);

    Settings().SoundMode = 0;
    core::LoadSlideshowFile(path);
    EXPECT_EQ(Settings().SoundMode, mode);
    EXPECT_EQ(Ticked(core::form1().mnuKOU), mode);
  }
}

TEST_F(SlideshowFileTest, FileLayoutLineByLine) {
  Settings().SlideIntervalSeconds = 3;
  Settings().DisplayEffectSpeed = -30;
  Settings().DefaultSoundFile = "*.wav";
  Settings().SoundListInSlideshowFile = 0;
  // A second slide without a record of its own is written as "-" alone.
  SetSlides({"/写真/一.jpg", "/写真/二.jpg"}, {kRecord2});
  QString path = PathOf("layout.kvz");
  core::SaveSlideshowFile(path);

  const QByteArray bytes = ReadBytes(path);
  EXPECT_TRUE(bytes.startsWith("21pic3167893\r\n"));
  EXPECT_TRUE(bytes.contains(platform::ToCp932("/写真/一.jpg\r\n")));
  EXPECT_FALSE(bytes.contains("\n\n"));
  const QStringList lines = ReadLines(path);
  EXPECT_EQ(lines[1], path);
  EXPECT_EQ(lines[2], " 3000 ");
  EXPECT_EQ(lines[5], "*.wav");
  EXPECT_EQ(lines[8], "-30 ");
  EXPECT_EQ(lines[25], " 2 ");
  EXPECT_EQ(lines[28], "480");
  EXPECT_EQ(lines[31], " 0 ");  // no CD programme
  EXPECT_EQ(lines[37], " 0 ");  // T10: no sound list
  EXPECT_EQ(lines[38], " 0 ");  // T12 follows at once
  EXPECT_EQ(lines.size(), 48);
  EXPECT_EQ(lines[46], "-" + kRecord2);
  EXPECT_EQ(lines[47], "-");

  // With the sound-list flag the count and entries come in between, even when empty.
  Settings().SoundListInSlideshowFile = 1;
  core::SaveSlideshowFile(path);
  const QStringList withList = ReadLines(path);
  EXPECT_EQ(withList[37], " 1 ");
  EXPECT_EQ(withList[38], " 0 ");
  EXPECT_EQ(withList.size(), 49);
}

TEST_F(SlideshowFileTest, ExtensionIsAddedWhenTheLastFourCharactersHoldNoDot) {
  const struct {
    const char* given;
    const char* saved;
  } cases[] = {
      {"show", "show.kvz"},           {"show.kv", "show.kv"}, {"show.k", "show.k"},
      {"show.kvzz", "show.kvzz.kvz"}, {"show.", "show."},     {"a", "a.kvz"},
      {"写真集", "写真集.kvz"},
  };
  for (const auto& c : cases) {
    QString path = PathOf(QString::fromUtf8(c.given));
    core::SaveSlideshowFile(path);
    EXPECT_EQ(path, PathOf(QString::fromUtf8(c.saved))) << c.given;
    EXPECT_TRUE(QFile::exists(path)) << c.given;
  }
}

TEST_F(SlideshowFileTest, DistributionSaveHoldsFileNamesAndOpensFromWhereItIsCopied) {
  SetEveryShowSetting();
  Settings().DefaultSoundFile = "*.wav";
  Settings().RepeatWavFile.clear();
  SetSlides({"/写真/春/桜.jpg", "/別/夏.png"}, {kRecord1, kRecord2});
  Paths().DistributionSave = 1;
  QString path = PathOf("配布");
  core::SaveSlideshowFile(path);

  const QStringList lines = ReadLines(path);
  EXPECT_EQ(lines[1], "配布.kvz");
  EXPECT_EQ(lines[5], "*.wav");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[14], "5");
  EXPECT_EQ(lines[18], "曲.mid");
  EXPECT_EQ(lines[23], " 0 ");
  EXPECT_EQ(lines[24], "");
  EXPECT_EQ(lines[26], "桜.jpg");
  EXPECT_EQ(lines[27], "夏.png");
  EXPECT_TRUE(lines.contains("一.wav"));
  EXPECT_TRUE(lines.contains("ループ.mp3"));
  EXPECT_EQ(Paths().LinkedFilesInFolder, 0);
  EXPECT_TRUE(Paths().LinkedFilesFolder.isEmpty());

  // Copied to another folder with its pictures, it opens from there.
  QTemporaryDir other;
  const QString copy = other.path() + "/配布.kvz";
  ASSERT_TRUE(QFile::copy(path, copy));
  Paths().DistributionSave = 0;
  Paths().OpenedFileFolder = other.path() + '/';
  core::LoadSlideshowFile(copy);
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(Editor().List1.Items(),
            QStringList({other.path() + "/桜.jpg", other.path() + "/夏.png"}));
  EXPECT_EQ(Lists().SlidePaths[1], other.path() + "/桜.jpg");
  EXPECT_EQ(Settings().DefaultSoundFile, "*.wav");
  EXPECT_EQ(Settings().RepeatWavFile, "");
  EXPECT_EQ(Settings().RepeatMidiFile, other.path() + "/曲.mid");
  EXPECT_EQ(Settings().RepeatMp3File, other.path() + "/ループ.mp3");
  EXPECT_EQ(Lists().SoundListEntries[1], other.path() + "/一.wav");
  EXPECT_EQ(Paths().SlideshowFilePath, copy);
}

// ---- reading files of every layout -----------------------------------------------------------

// A slideshow file as the program of the layout `key` wrote it: tag, head lines of that
// layout, two slides (one a bare name), and optionally the whole tail of today's layout.
QStringList LayoutLines(const QString& tag, const QString& key, short soundMode, bool tail) {
  auto has = [&key](const char* p) { return key.startsWith(QLatin1String(p)); };
  QStringList l = {
      tag,       "/昔の/場所/show.kvz", " 4000 ", " 1 ", QStringLiteral(" %1 ").arg(soundMode),
      "既定.wav"};
  if (has("pic3"))
    l << "くり返し.wav"
      << " 5 "
      << " 3 "
      << " 4 "
      << "-7 "
      << " 12 "
      << " 13 "
      << " 0 "
      << "4";
  if (has("pic31"))
    l << " 20 "
      << " 30 ";
  if (has("pic316")) l << " 0 ";
  if (has("pic3167"))
    l << "曲.mid"
      << " 0 ";
  if (has("pic31678"))
    l << " 0 "
      << "0"
      << " 2 "
      << " 1 "
      << "/連動/a,b";
  l << " 2 "
    << "写真1.jpg"
    << "/絶対/写真2.png";
  if (tail)
    l << "480"
      << " 0 "
      << " 3 "
      << " 1 "
      << "7"
      << " 1 "
      << " 0 "
      << " 1 "
      << " 2 "
      << " 1 "
      << " 0 "
      << " 1 "
      << "loop.mp3"
      << " 0 "
      << " 0 "
      << " 0 "
      << " 1 "
      << " 1 "
      << " 1 "
      << "-" + kRecord1 << "-" + kRecord2;
  return l;
}

TEST_F(SlideshowFileTest, EveryAcceptedVersionTagReadsItsOwnLines) {
  const struct {
    const char* tag;
    const char* key;
    short storedMode;
    short mode;  // after the corrections of older layouts
  } cases[] = {
      {"21pic3167893", "pic3167893", 6, 6},
      {"21pic316789", "pic316789", 6, 6},
      {"21pic31678", "pic31678", 6, 7},
      {"pic3167", "pic3167", 4, 4},
      {"pic316", "pic316", 4, 7},
      {"pic31", "pic31", 3, 3},
      {"pic3", "pic3", 2, 2},
      {"pic2", "pic2", 3, 7},
      {"Xpic2", "pic2", 1, 7},
      {"Zpic31", "pic31", 5, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tag);
    const QString key = QString::fromLatin1(c.key);
    auto has = [&key](const char* p) { return key.startsWith(QLatin1String(p)); };
    core::ResetAllState();
    Paths().AppFolder = app_.path() + '/';
    core::ShowSettings& before = Settings();
    before.DisplayEffect = 2;
    before.EraseEffect = 3;
    before.DisplayMosaicCount = 44;
    before.EraseMosaicCount = 55;
    before.TextMacroOff = 1;
    before.RepeatMidiFile = "/前/prev.mid";
    before.WavSyncOff = 1;
    before.LinkedSoundAfterText = 0;
    before.RandomOrderOff = 0;
    before.CdTrackOrder = 1;
    before.CdStartTrack = "9";
    Paths().LinkedFilesFolder = "/前";
    const QString path = PathOf("v.kvz");
    WriteLines(path, LayoutLines(QString::fromLatin1(c.tag), key, c.storedMode, true));
    Paths().OpenedFileFolder = Folder();
    core::LoadSlideshowFile(path);
    ASSERT_TRUE(dialogs_.Calls().empty());

    const core::ShowSettings& s = Settings();
    EXPECT_EQ(s.SoundMode, c.mode);
    EXPECT_EQ(s.SlideIntervalSeconds, 4);
    EXPECT_EQ(s.DefaultSoundFile, Folder() + "既定.wav");
    EXPECT_EQ(s.DisplayEffect, has("pic3") ? 5 : 2);
    EXPECT_EQ(s.EraseEffect, has("pic3") ? 4 : 3);
    EXPECT_EQ(s.CdStartTrack, has("pic3") ? "4" : "1");
    EXPECT_EQ(s.RepeatWavFile, has("pic3") ? Folder() + "くり返し.wav" : "");
    EXPECT_EQ(s.DisplayMosaicCount, has("pic31") ? 20 : 44);
    EXPECT_EQ(s.TextMacroOff, has("pic316") ? 0 : 1);
    EXPECT_EQ(s.RepeatMidiFile, has("pic3167") ? Folder() + "曲.mid" : "/前/prev.mid");
    EXPECT_EQ(s.WavSyncOff, has("pic3167") ? 0 : 1);
    // Files before "pic31678" play in order, the linked sound after the text.
    EXPECT_EQ(s.LinkedSoundAfterText, has("pic31678") ? 0 : 1);
    EXPECT_EQ(s.RandomOrderOff, has("pic31678") ? 0 : 1);
    EXPECT_EQ(s.RepeatOff, has("pic31678") ? 0 : 1);  // random order forces repetition
    EXPECT_EQ(s.CdTrackOrder, has("pic31678") ? 2 : 1);
    EXPECT_EQ(Paths().LinkedFilesFolder, has("pic31678") ? "/連動/a,b" : "/前");
    // Only today's layout keeps a picture size without overlay.
    EXPECT_EQ(s.PictureSizeMode, key == "pic3167893" ? 3 : 0);
    EXPECT_EQ(Editor().List1.Items(), QStringList({Folder() + "写真1.jpg", "/絶対/写真2.png"}));
    EXPECT_EQ(Editor().List2.Items(), QStringList({kRecord1, kRecord2}));
    EXPECT_EQ(Lists().CdProgram[1], "7");
    EXPECT_EQ(s.RepeatMp3File, Folder() + "loop.mp3");
    EXPECT_EQ(Ticked(core::form1().mnuKOU), c.mode);
    EXPECT_EQ(Ticked(core::form1().mnuRANDFL), s.RandomOrderOff);
  }
}

TEST_F(SlideshowFileTest, FilesThatEndEarlyTakeTheDefaults) {
  // The first layout ends with its slides: its effect speeds are converted.
  const struct {
    short stored;
    short converted;
  } speeds[] = {{-30, -3}, {0, 6}, {-999, -293}, {5, 8}, {14, 10}};
  for (const auto& sp : speeds) {
    QStringList lines = LayoutLines("21pic3167893", "pic3167893", 0, false);
    lines[8] = QStringLiteral(" %1 ").arg(sp.stored);   // display speed
    lines[10] = QStringLiteral(" %1 ").arg(sp.stored);  // erase speed
    Settings().OverlayMode = 2;
    Settings().PictureSizeMode = 4;
    Lists().CdProgram[1] = "3";
    Lists().CdProgramCount = 1;
    WriteLines(PathOf("old.kvz"), lines);
    core::LoadSlideshowFile(PathOf("old.kvz"));
    ASSERT_TRUE(dialogs_.Calls().empty());
    const core::ShowSettings& s = Settings();
    EXPECT_EQ(s.DisplayEffectSpeed, sp.converted) << sp.stored;
    EXPECT_EQ(s.EraseEffectSpeed, sp.converted) << sp.stored;
    EXPECT_EQ(s.OverlayMode, 0);
    EXPECT_EQ(s.PictureSizeMode, 0);
    EXPECT_EQ(Lists().CdProgramCount, 0);
    EXPECT_EQ(s.CdWithLinkedWavOff, 1);
    EXPECT_EQ(s.AlwaysFullScreenOff, 1);
    EXPECT_EQ(s.PicturePosition, 0);
    EXPECT_EQ(s.Mp3RepeatModeFlag, 0);
    EXPECT_EQ(Editor().List2.Items(), QStringList({"", ""}));
    EXPECT_EQ(Lists().SlideAddDateTimes[1], " ");
    EXPECT_EQ(Lists().SlideDeleteDateTimes[2], " ");
  }

  // Ending after T17: both linked-WAV flags 0 and empty records.
  QStringList full = LayoutLines("21pic3167893", "pic3167893", 0, true);
  Settings().Mp3WithLinkedWav = 1;
  Settings().SoundListWithLinkedWav = 1;
  WriteLines(PathOf("t17.kvz"), full.mid(0, full.size() - 4));
  core::LoadSlideshowFile(PathOf("t17.kvz"));
  EXPECT_EQ(Settings().Mp3WithLinkedWav, 0);
  EXPECT_EQ(Settings().SoundListWithLinkedWav, 0);
  EXPECT_EQ(Settings().PictureLoadMode, 1);
  EXPECT_EQ(Editor().List2.Items(), QStringList({"", ""}));

  // Without T18 and T19 the first schedule line follows T17 directly.
  QStringList older = full;
  older.removeAt(full.size() - 4);
  older.removeAt(full.size() - 4);
  Settings().Mp3WithLinkedWav = 1;
  WriteLines(PathOf("older.kvz"), older);
  core::LoadSlideshowFile(PathOf("older.kvz"));
  ASSERT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(Settings().Mp3WithLinkedWav, 0);
  EXPECT_EQ(Settings().SoundListWithLinkedWav, 0);
  EXPECT_EQ(Editor().List2.Items(), QStringList({kRecord1, kRecord2}));
  EXPECT_EQ(Lists().SlideAddDateTimes[1], "2024/01/02 09:30");
}

TEST_F(SlideshowFileTest, IntervalIsAtLeastOneSecondAndRoundsHalvesToEven) {
  const struct {
    const char* stored;
    int ms;
    int seconds;
  } cases[] = {{" 500 ", 1000, 1},  {" 1500 ", 1500, 2}, {" 2500 ", 2500, 2},
               {" 3500 ", 3500, 4}, {"-5 ", 1000, 1},    {" 65535 ", 65535, 66}};
  for (const auto& c : cases) {
    QStringList lines = LayoutLines("21pic3167893", "pic3167893", 0, true);
    lines[2] = QString::fromLatin1(c.stored);
    WriteLines(PathOf("i.kvz"), lines);
    core::LoadSlideshowFile(PathOf("i.kvz"));
    EXPECT_EQ(Settings().SlideIntervalMs, c.ms) << c.stored;
    EXPECT_EQ(Settings().SlideIntervalSeconds, c.seconds) << c.stored;
    EXPECT_EQ(core::form1().Timer1.Interval(), c.ms) << c.stored;
  }
}

TEST_F(SlideshowFileTest, ReadValuesAreKeptWhereTheShowNeedsThem) {
  QStringList lines = LayoutLines("21pic3167893", "pic3167893", 0, true);
  lines[11] = " 0 ";                // display slits
  lines[12] = " 500 ";              // erase slits
  lines[15] = " 1 ";                // display mosaic
  lines[16] = " 0 ";                // erase mosaic
  lines[lines.size() - 6] = " 1 ";  // T16: fixed effect speed
  lines[5] = "";                    // empty default sound: the folder itself
  WriteLines(PathOf("r.kvz"), lines);
  core::LoadSlideshowFile(PathOf("r.kvz"));
  const core::ShowSettings& s = Settings();
  EXPECT_EQ(s.DisplaySlitCount, 2);
  EXPECT_EQ(s.EraseSlitCount, 100);
  EXPECT_EQ(s.DisplayMosaicCount, 5);
  EXPECT_EQ(s.EraseMosaicCount, 5);
  EXPECT_EQ(s.EffectSpeedFixed, 1);
  EXPECT_EQ(s.DisplayEffectSpeed, -30);
  EXPECT_EQ(s.EraseEffectSpeed, -30);
  EXPECT_FALSE(core::form1().mnuHKSP.Enabled());
  EXPECT_FALSE(core::form1().mnuSKSP.Enabled());
  EXPECT_EQ(s.DefaultSoundFile, Folder());
}

// An AVI entry plays in the show, but the editor's lists leave it out, its schedule record
// with it, so that they stay paired.
TEST_F(SlideshowFileTest, AviEntriesStayInTheShowAndLeaveTheEditorWithTheirSchedules) {
  QStringList lines = LayoutLines("21pic3167893", "pic3167893", 0, true);
  const int count = lines.indexOf(" 2 ", 25);
  lines[count] = " 4 ";
  lines.insert(count + 2, "/動画/clip.AVI");
  lines.insert(count + 4, "movie.avi");
  lines.removeLast();
  lines.removeLast();
  lines << "-" + kRecord1 << "-2000/01/01     2000/01/02     "
        << "-" + kRecord2 << "-2001/01/01     2001/01/02     ";
  WriteLines(PathOf("avi.kvz"), lines);
  core::LoadSlideshowFile(PathOf("avi.kvz"));
  ASSERT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(Editor().List1.Items(), QStringList({Folder() + "写真1.jpg", "/絶対/写真2.png"}));
  EXPECT_EQ(Editor().List2.Items(), QStringList({kRecord1, kRecord2}));
  EXPECT_EQ(Lists().SlideEndIndex, 5);
  EXPECT_EQ(Lists().SlidePaths[1], Folder() + "写真1.jpg");
  EXPECT_EQ(Lists().SlidePaths[2], "/動画/clip.AVI");
  EXPECT_EQ(Lists().SlidePaths[3], "/絶対/写真2.png");
  EXPECT_EQ(Lists().SlidePaths[4], "movie.avi");  // as stored
  EXPECT_EQ(Lists().SlideAddDateTimes[2], "2000/01/01      ");
  EXPECT_EQ(Lists().SlideDeleteDateTimes[4], "2001/01/02      ");
  EXPECT_EQ(Lists().SlideAddDateTimes[3], QString(16, ' '));
}

TEST_F(SlideshowFileTest, SoundListReplacesTheProgramsListOnlyWhenTheFileCarriesOne) {
  Lists().SoundListEntries[1] = "/音/元.wav";
  Lists().SoundListCount = 1;
  sound::form10().List1.SetItems({"/音/元.wav"});

  // Flag 0: the sound list stays.
  WriteLines(PathOf("no.kvz"), LayoutLines("21pic3167893", "pic3167893", 6, true));
  core::LoadSlideshowFile(PathOf("no.kvz"));
  EXPECT_EQ(Lists().SoundListCount, 1);
  EXPECT_EQ(sound::form10().List1.Items(), QStringList({"/音/元.wav"}));
  EXPECT_FALSE(QFile::exists(core::SoundListFilePath()));

  // Flag 1: the list of the file, in the editor and in the sound-list file.
  QStringList lines = LayoutLines("21pic3167893", "pic3167893", 6, true);
  const int flag = lines.size() - 11;  // T10
  lines[flag] = " 1 ";
  lines.insert(flag + 1, " 2 ");
  lines.insert(flag + 2, "曲一.mp3");
  lines.insert(flag + 3, "/音楽/曲二.wav");
  WriteLines(PathOf("yes.kvz"), lines);
  core::LoadSlideshowFile(PathOf("yes.kvz"));
  ASSERT_TRUE(dialogs_.Calls().empty());
  const QStringList expected = {Folder() + "曲一.mp3", "/音楽/曲二.wav"};
  EXPECT_EQ(Lists().SoundListCount, 2);
  EXPECT_EQ(Lists().SoundListEntries[1], expected[0]);
  EXPECT_EQ(sound::form10().List1.Items(), expected);
  EXPECT_EQ(ReadLines(core::SoundListFilePath()),
            QStringList({"WAV3.4", " 2 ", expected[0], expected[1]}));
  EXPECT_EQ(Settings().SoundListInSlideshowFile, 0);  // a common setting, not the file's
}

// ---- refused files ---------------------------------------------------------------------------

TEST_F(SlideshowFileTest, RefusedFileWarnsAndChangesNothing) {
  QStringList good = LayoutLines("21pic3167893", "pic3167893", 0, true);
  QStringList badInterval = good;
  badInterval[2] = " 65536 ";
  QStringList badEffect = good;
  badEffect[7] = " 12 ";
  QStringList badMode = good;
  badMode[4] = " 10 ";
  const struct {
    const char* name;
    QStringList lines;  // empty: no file
  } cases[] = {
      {"missing", {}},
      {"pic", QStringList({"pic"}) + good.mid(1)},
      {"pic2x", QStringList({"pic2x"}) + good.mid(1)},
      {"link list tag", QStringList({"1pic3167"}) + good.mid(1)},
      {"ends in the head", good.mid(0, 12)},
      {"ends in the slides", good.mid(0, 27)},
      {"ends in the CD programme", good.mid(0, 32)},
      {"ends in the schedules", good.mid(0, good.size() - 1)},
      {"interval above 65535", badInterval},
      {"display effect 12", badEffect},
      {"sound mode 10", badMode},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    core::ResetAllState();
    Paths().AppFolder = app_.path() + '/';
    Settings().DisplayEffect = 7;
    Settings().RandomOrderOff = 0;
    Paths().SlideshowFilePath = "/前の/show.kvz";
    core::form1().SetCaption("ｽﾗｲﾄﾞ - /前の/show.kvz");
    core::form1().Timer1.SetInterval(3000);
    SetSlides({"/前の/a.jpg"}, {kRecord1});
    Editor().Command16.SetEnabled(true);
    const QString path = PathOf(QString::fromLatin1(c.name) + ".kvz");
    QFile::remove(path);
    if (!c.lines.isEmpty()) WriteLines(path, c.lines);
    dialogs_.ClearCalls();

    core::LoadSlideshowFile(path);
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    const platform::DialogCall& call = dialogs_.Calls()[0];
    EXPECT_EQ(call.title, "ファイルを開く");
    EXPECT_EQ(call.text, path + "\r\n" + kUnsuitable);
    EXPECT_EQ(call.icon, platform::vbExclamation);
    EXPECT_EQ(call.buttons, platform::vbOKOnly);
    EXPECT_EQ(core::Flags().ShowEndRequested, 1);
    EXPECT_FALSE(core::ProgramEnded());
    EXPECT_EQ(Settings().DisplayEffect, 7);
    EXPECT_EQ(Settings().RandomOrderOff, 0);
    EXPECT_EQ(Editor().List1.Items(), QStringList({"/前の/a.jpg"}));
    EXPECT_EQ(Editor().List2.Items(), QStringList({kRecord1}));
    EXPECT_TRUE(Editor().Command16.isEnabled());
    EXPECT_EQ(Paths().SlideshowFilePath, "/前の/show.kvz");
    EXPECT_EQ(core::form1().Caption(), "ｽﾗｲﾄﾞ - /前の/show.kvz");
    EXPECT_EQ(core::form1().Timer1.Interval(), 3000);
  }
}

TEST_F(SlideshowFileTest, RefusedCommandLineFileEndsTheProgram) {
  std::vector<core::ProgramEnd> ends;
  core::SetProgramEndHandler([&ends](core::ProgramEnd e) { ends.push_back(e); });
  WriteLines(PathOf("bad.kvz"), {"pic", "x"});
  Paths().CmdLineFileOpening = 1;
  core::LoadSlideshowFile(PathOf("bad.kvz"));
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, "ファイルを開く");
  ASSERT_EQ(ends.size(), 1u);
  EXPECT_EQ(ends[0], core::ProgramEnd::kImmediate);
  EXPECT_FALSE(QFile::exists(core::SoundListFilePath()));
}

TEST_F(SlideshowFileTest, FailedSaveKeepsTheOldFileAndSaysSo) {
  SetSlides({"/写真/一.jpg"}, {kRecord1});
  QString path = PathOf("keep.kvz");
  core::SaveSlideshowFile(path);
  const QByteArray old = ReadBytes(path);
  Paths().SlideshowFilePath = "/前の/show.kvz";

  // A slide whose name code page 932 cannot hold: nothing of the new file is written.
  SetSlides({"/写真/一.jpg", QString::fromUtf8("/写真/\xF0\x9F\x8C\xB8.jpg")},
            {kRecord1, kRecord2});
  core::SaveSlideshowFile(path);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, "ファイルの保存");
  EXPECT_EQ(dialogs_.Calls()[0].text, path + "\r\n" + kUnsuitable);
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(Paths().SlideshowFilePath, "/前の/show.kvz");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"keep.kvz"}));

  // A folder that is not there.
  QString nowhere = PathOf("no/such/folder/x.kvz");
  core::SaveSlideshowFile(nowhere);
  ASSERT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[1].text, nowhere + "\r\n" + kUnsuitable);
}

// A file made outside the program, in code page 932 with CR LF: today's layout.
TEST_F(SlideshowFileTest, HandMadeFixtureOpens) {
  const QString fixture = QStringLiteral(FIXTURES_DIR) + "/files/travel.kvz";
  ASSERT_TRUE(QFile::exists(fixture));
  Paths().OpenedFileFolder = QStringLiteral(FIXTURES_DIR) + "/files/";
  core::LoadSlideshowFile(fixture);
  ASSERT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(Editor().List1.Items(),
            QStringList({QStringLiteral(FIXTURES_DIR) + "/files/富士山.jpg", "/home/写真/海.png"}));
  EXPECT_EQ(Editor().List2.Items(), QStringList({"2024/04/0108:00               ", kRecord2}));
  EXPECT_EQ(Settings().SlideIntervalSeconds, 5);
  EXPECT_EQ(Settings().DisplayEffect, 8);
  EXPECT_EQ(Settings().SoundMode, 8);
  EXPECT_EQ(Settings().RepeatMp3File, "/home/音楽/旅.mp3");
  EXPECT_EQ(Lists().CdProgramCount, 2);
  EXPECT_EQ(Lists().SlideAddDateTimes[1], "2024/04/01 08:00");
}

}  // namespace
