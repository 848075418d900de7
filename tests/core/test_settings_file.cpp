// The settings file "autstart.dat": every field written and read back with its menu ticks
// and check boxes, the older layouts, files that end early, and files that cannot be read.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/form1.h"
#include "core/link_settings_file.h"
#include "core/monitors.h"
#include "core/settings_file.h"
#include "core/slideshow_file.h"
#include "core/soundlist_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/appfolder.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/form.h"
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

const QString kRecord1 = QStringLiteral("2024/01/0209:302024/12/3118:00");
const QString kBlankRecord = QString(30, ' ');

class SettingsFileTest : public test_support::ProgramFilesTest {
 protected:
  QString File() const { return core::SettingsFilePath(); }
  listeditor::Form3& Editor() { return listeditor::form3(); }

  // The start-up defaults of the values a file of an older layout does not hold.
  static void StartUpDefaults() {
    core::ShowSettings& s = Settings();
    s.RandomOrderOff = 1;
    s.ControlBoxOff = 1;
    s.LinkedSoundAfterText = 1;
    s.SizeAdjustMode = 1;
    s.DisplayEffect = 9;
    s.EraseEffect = 9;
    s.DisplayMosaicCount = 10;
    s.EraseMosaicCount = 10;
    s.DblClickPicture = 1;
    s.TextMacroOff = 1;
    s.WavSyncOff = 1;
    s.CdTrackRepeatOff = 1;
    s.AlwaysFullScreenOff = 1;
    s.CdWithLinkedWavOff = 1;
    s.SoundMode = 7;
  }
};

TEST_F(SettingsFileTest, EverySettingSurvivesASaveAndALoad) {
  core::ShowSettings& s = Settings();
  s.RandomOrderOff = 0;
  s.CdTrackOrder = 2;
  Paths().LinkedFilesInFolder = 1;
  Paths().LinkedFilesFolder = "/連動/音, 文字";  // a comma in the folder's name
  s.ContinueStart = 1;
  Lists().LastShownSlideIndex = 12;
  s.OverlayMode = 4;
  s.PictureSizeMode = 6;
  s.AutoStartOff = 0;
  s.ControlBoxOff = 0;
  s.LinkedSoundAfterText = 0;
  s.SizeAdjustMode = 2;
  s.DblClickSlideshow = 1;
  s.ErrorEntryAutoRemove = 1;
  s.DisplayEffect = 11;
  s.DisplayEffectSpeed = -250;
  s.EraseEffect = 12;
  s.EraseEffectSpeed = 7;
  s.DisplaySlitCount = 2;
  s.EraseSlitCount = 100;
  s.EffectSpeedCorrection = 6;
  s.RepeatWavFile = "/音/くり返し.wav";
  s.CdTrackRepeatOff = 0;
  s.CdStartTrack = "12";
  s.DisplayMosaicCount = 5;
  s.EraseMosaicCount = 99;
  s.DblClickPicture = 0;
  s.MosaicDelayAdjust = -3;
  s.DblClickRecord = 1;
  s.DblClickWallpaper = 1;
  s.DblClickText = 1;
  s.TextMacroOff = 0;
  s.RepeatMidiFile = "/音/曲.mid";
  s.WavSyncOff = 0;
  Paths().SlideshowFilePath = "";
  s.SlideIntervalSeconds = 17;
  s.RepeatOff = 1;
  s.SoundMode = 8;
  s.DefaultSoundFile = "/音/既定.wav";
  Lists().CdProgram[1] = "4";
  Lists().CdProgram[2] = "1";
  Lists().CdProgramCount = 2;
  s.TextOriginScreen = 1;
  s.CdWithLinkedWavOff = 0;
  s.StopShowAtCdProgramEnd = 1;
  s.FullStartConfirmOff = 1;
  s.SecondInstanceOff = 1;
  s.OverlayBackColorIndex = 9;
  s.PicturePosition = 1;
  s.SoundListInSlideshowFile = 1;
  s.MidiWithLinkedWav = 1;
  s.RepeatMp3File = "/音/ループ.mp3";
  s.AlwaysFullScreenOff = 0;
  s.EffectSpeedFixed = 0;
  s.PictureLoadMode = 1;
  s.Mp3WithLinkedWav = 1;
  s.SoundListWithLinkedWav = 1;
  s.ControlBoxAtBottom = 1;
  s.SoundListFromSelection = 1;
  s.UserMacroHeaderOff = 1;
  s.VolumeAttenuationSetting = 640;
  Editor().List1.SetItems({"/写真/一.jpg", "/写真/二.jpg"});
  Editor().List2.SetItems({kRecord1, kBlankRecord});
  const core::ShowSettings saved = s;

  core::SaveSettingsFile();
  ASSERT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(Settings().Mp3RepeatModeFlag, 1);

  core::ResetAllState();
  Paths().AppFolder = app_.path() + '/';
  Editor().List1.Clear();
  Editor().List2.Clear();
  core::LoadSettingsFile();
  EXPECT_TRUE(dialogs_.Calls().empty());

  const core::ShowSettings& r = Settings();
  EXPECT_EQ(r.RandomOrderOff, 0);
  EXPECT_EQ(r.CdTrackOrder, 2);
  EXPECT_EQ(Paths().LinkedFilesInFolder, 1);
  EXPECT_EQ(Paths().LinkedFilesFolder, "/連動/音, 文字");
  EXPECT_EQ(r.ContinueStart, 1);
  EXPECT_EQ(Lists().LastShownSlideIndex, 12);
  EXPECT_EQ(r.OverlayMode, 4);
  EXPECT_EQ(r.PictureSizeMode, 6);
  EXPECT_EQ(r.AutoStartOff, 0);
  EXPECT_EQ(r.ControlBoxOff, 0);
  EXPECT_EQ(r.LinkedSoundAfterText, 0);
  EXPECT_EQ(r.SizeAdjustMode, 2);
  EXPECT_EQ(r.DblClickSlideshow, 1);
  EXPECT_EQ(r.ErrorEntryAutoRemove, 1);
  EXPECT_EQ(r.DisplayEffect, 11);
  EXPECT_EQ(r.DisplayEffectSpeed, -250);
  EXPECT_EQ(r.EraseEffect, 12);
  EXPECT_EQ(r.EraseEffectSpeed, 7);
  EXPECT_EQ(r.DisplaySlitCount, 2);
  EXPECT_EQ(r.EraseSlitCount, 100);
  EXPECT_EQ(r.EffectSpeedCorrection, 6);
  EXPECT_EQ(r.RepeatWavFile, saved.RepeatWavFile);
  EXPECT_EQ(r.CdTrackRepeatOff, 0);
  EXPECT_EQ(r.CdStartTrack, "12");
  EXPECT_EQ(r.DisplayMosaicCount, 5);
  EXPECT_EQ(r.EraseMosaicCount, 99);
  EXPECT_EQ(r.DblClickPicture, 0);
  EXPECT_EQ(r.MosaicDelayAdjust, -3);  // taken, auto start being on
  EXPECT_EQ(r.DblClickRecord, 1);
  EXPECT_EQ(r.DblClickWallpaper, 1);
  EXPECT_EQ(r.DblClickText, 1);
  EXPECT_EQ(r.TextMacroOff, 0);
  EXPECT_EQ(r.RepeatMidiFile, saved.RepeatMidiFile);
  EXPECT_EQ(r.WavSyncOff, 0);
  EXPECT_EQ(r.SlideIntervalSeconds, 17);
  EXPECT_EQ(core::form1().Timer1.Interval(), 17000);
  EXPECT_EQ(r.RepeatOff, 1);
  EXPECT_EQ(r.SoundMode, 8);
  EXPECT_EQ(r.DefaultSoundFile, saved.DefaultSoundFile);
  EXPECT_EQ(Lists().CdProgramCount, 2);
  EXPECT_EQ(Lists().CdProgram[1], "4");
  EXPECT_EQ(r.TextOriginScreen, 1);
  EXPECT_EQ(r.CdWithLinkedWavOff, 0);
  EXPECT_EQ(r.StopShowAtCdProgramEnd, 1);
  EXPECT_EQ(r.FullStartConfirmOff, 1);
  EXPECT_EQ(r.SecondInstanceOff, 1);
  EXPECT_EQ(r.OverlayBackColorIndex, 9);
  EXPECT_EQ(r.PicturePosition, 1);
  EXPECT_EQ(r.SoundListInSlideshowFile, 1);
  EXPECT_EQ(r.MidiWithLinkedWav, 1);
  EXPECT_EQ(r.RepeatMp3File, saved.RepeatMp3File);
  EXPECT_EQ(r.AlwaysFullScreenOff, 0);
  EXPECT_EQ(r.EffectSpeedFixed, 0);
  EXPECT_EQ(r.PictureLoadMode, 1);
  EXPECT_EQ(r.Mp3WithLinkedWav, 1);
  EXPECT_EQ(r.SoundListWithLinkedWav, 1);
  EXPECT_EQ(r.ControlBoxAtBottom, 1);
  EXPECT_EQ(r.SoundListFromSelection, 1);
  EXPECT_EQ(r.UserMacroHeaderOff, 1);
  EXPECT_EQ(r.VolumeAttenuationSetting, 640);
  EXPECT_EQ(core::Monitors().MonitorIndex, 0);

  EXPECT_EQ(Editor().List1.Items(), QStringList({"/写真/一.jpg", "/写真/二.jpg"}));
  EXPECT_EQ(Editor().List2.Items(), QStringList({kRecord1, kBlankRecord}));
  EXPECT_EQ(Lists().SlidePaths[2], "/写真/二.jpg");
  EXPECT_EQ(Lists().SlideAddDateTimes[1], "2024/01/02 09:30");
  EXPECT_EQ(Lists().SlideDeleteDateTimes[1], "2024/12/31 18:00");

  // Every menu shows its value, every box its option.
  core::Form1& f = core::form1();
  const struct {
    platform::MenuArray* menu;
    int value;
  } ticks[] = {{&f.mnuRANDFL, 0}, {&f.mnuKUFL, 1},    {&f.mnuCDRND, 2},   {&f.mnuSOP1, 1},
               {&f.mnuKASANE, 4}, {&f.mnuKASAS, 6},   {&f.mnuCTL, 0},     {&f.mnuKOICHI1, 0},
               {&f.mnuSIZE, 2},   {&f.mnuLSAKU, 1},   {&f.mnuTEXT, 0},    {&f.mnuAUT, 0},
               {&f.mnuHKO, 11},   {&f.mnuSYOUKO, 12}, {&f.mnuCDR, 0},     {&f.mnuDOU, 0},
               {&f.mnuKOU, 8},    {&f.mnuCDWAV, 0},   {&f.mnuSTKAKU, 1},  {&f.mnuJYUF, 1},
               {&f.mnuKAIRO, 9},  {&f.mnuHICHI, 1},   {&f.mnuFULL_FL, 0}, {&f.mnuKSPSEL, 0},
               {&f.mnuYOMI, 1},   {&f.mnuCTL_P, 1},   {&f.menuHEAD, 1}};
  for (const auto& t : ticks)
    EXPECT_EQ(Ticked(*t.menu), t.value) << t.menu->Item(0).Caption().toStdString();
  EXPECT_FALSE(f.mnuCDM.Enabled());
  EXPECT_TRUE(f.mnuKAHAI.Enabled());
  listeditor::Form3& e = Editor();
  EXPECT_EQ(e.Check1.Value(), 0);
  EXPECT_EQ(e.Check2.Value(), 1);
  EXPECT_EQ(e.Check3.Value(), 1);
  EXPECT_EQ(e.Check4.Value(), 1);
  EXPECT_EQ(e.Check5.Value(), 1);
  sound::Form10& w = sound::form10();
  EXPECT_EQ(w.Check1.Value(), 1);
  EXPECT_EQ(w.Check5.Value(), 1);
  EXPECT_EQ(w.Check6.Value(), 1);
}

TEST_F(SettingsFileTest, FileLayoutLineByLine) {
  Settings().SlideIntervalSeconds = 5;
  Settings().SoundMode = 7;
  Editor().List1.Clear();
  core::SaveSettingsFile();
  QStringList lines = ReadLines(File());
  ASSERT_EQ(lines.size(), 64);  // lines 1-42, C, T1-T18, X1-X3
  EXPECT_EQ(lines[0], "V2.1a3567893sp6");
  EXPECT_EQ(lines[34], "");        // line 35
  EXPECT_EQ(lines[37], " 5000 ");  // line 38
  EXPECT_EQ(lines[39], " 7 ");     // line 40
  EXPECT_EQ(lines[41], " 0 ");     // no slides
  EXPECT_EQ(lines[42], " 0 ");     // no CD programme
  EXPECT_EQ(lines[53], " 0 ");     // T11: sound mode 7 is itself
  EXPECT_TRUE(ReadBytes(File()).endsWith(" 0 \r\n"));

  Settings().SoundMode = 8;
  Editor().List1.SetItems({"/写真/一.jpg", "/写真/二.jpg"});
  Editor().List2.SetItems({kBlankRecord, kRecord1});
  core::SaveSettingsFile();
  lines = ReadLines(File());
  ASSERT_EQ(lines.size(), 64 + 4);
  EXPECT_EQ(lines[39], " 7 ");
  EXPECT_EQ(lines[55], " 1 ");  // T11 after two slide lines
  EXPECT_EQ(lines[63], "-" + kBlankRecord);
  EXPECT_EQ(lines[64], "-" + kRecord1);
  EXPECT_TRUE(ReadBytes(File()).contains(platform::ToCp932("\r\n/写真/一.jpg\r\n")));
}

// A settings file as the program of the layout `tag` wrote it, with two slides (one a bare
// name) and, when `tail`, all the lines after them.
QStringList LayoutLines(const QString& tag, bool tail) {
  auto has = [&tag](const char* p) { return tag.startsWith(QLatin1String(p)); };
  QStringList l = {tag};
  if (has("V2")) {
    if (has("V2.1a3567893"))
      l << " 0 "
        << " 1 "
        << " 1 "
        << "/連動"
        << " 1 "
        << " 4 "
        << " 2 "
        << " 3 ";
    l << " 0 ";
    if (has("V2.1a356789"))
      l << " 0 "
        << " 0 "
        << " 2 "
        << " 1 "
        << " 1 ";
    l << " 5 "
      << " 2 "
      << " 6 "
      << "-4 "
      << " 12 "
      << " 14 "
      << " 3 "
      << "くり返し.wav"
      << " 0 "
      << "2";
  }
  if (has("V2.1"))
    l << " 20 "
      << " 30 "
      << " 0 ";
  if (has("V2.1a")) l << " 7 ";
  if (has("V2.1a3")) l << " 1 ";
  if (has("V2.1a35")) l << " 1 ";
  if (has("V2.1a356"))
    l << " 1 "
      << " 0 ";
  if (has("V2.1a3567"))
    l << "曲.mid"
      << ""
      << " 0 ";
  l << ""
    << " 4000 "
    << " 1 "
    << " 3 "
    << "*.wav"
    << " 2 "
    << "写真1.jpg"
    << "/絶対/写真2.png";
  if (tail)
    l << " 1 "
      << "5"
      << " 1 "
      << " 0 "
      << " 1 "
      << " 1 "
      << " 1 "
      << " 4 "
      << " 1 "
      << " 1 "
      << " 1 "
      << "loop.mp3"
      << " 0 "
      << " 0 "
      << " 0 "
      << " 1 "
      << " 1 "
      << " 1 "
      << " 1 "
      << " 1 "
      << "-" + kRecord1 << "-" + kBlankRecord << " 0 "
      << " 1 "
      << " 250 ";
  return l;
}

TEST_F(SettingsFileTest, OlderLayoutsReadTheLinesTheyHold) {
  const char* tags[] = {"0",           "V2",           "V2.1",           "V2.1a",
                        "V2.1a3",      "V2.1a35",      "V2.1a356",       "V2.1a3567",
                        "V2.1a356789", "V2.1a3567893", "V2.1a3567893sp6"};
  for (const char* t : tags) {
    SCOPED_TRACE(t);
    const QString tag = QString::fromLatin1(t);
    auto has = [&tag](const char* p) { return tag.startsWith(QLatin1String(p)); };
    core::ResetAllState();
    Paths().AppFolder = app_.path() + '/';
    StartUpDefaults();
    Editor().List1.Clear();
    Editor().List2.Clear();
    WriteLines(File(), LayoutLines(tag, true));
    core::LoadSettingsFile();

    const core::ShowSettings& s = Settings();
    EXPECT_EQ(s.AutoStartOff, 0);
    EXPECT_EQ(s.RandomOrderOff, has("V2.1a3567893") ? 0 : 1);
    EXPECT_EQ(s.ContinueStart, has("V2.1a3567893") ? 1 : 0);
    EXPECT_EQ(Paths().LinkedFilesFolder, has("V2.1a3567893") ? "/連動" : "");
    EXPECT_EQ(s.OverlayMode, has("V2.1a3567893") ? 2 : 0);
    EXPECT_EQ(s.ControlBoxOff, has("V2.1a356789") ? 0 : 1);
    EXPECT_EQ(s.SizeAdjustMode, has("V2.1a356789") ? 2 : 1);
    EXPECT_EQ(Editor().Check5.Value(), has("V2.1a356789") ? 1 : 0);
    EXPECT_EQ(s.DisplayEffect, has("V2") ? 5 : 9);
    EXPECT_EQ(s.EraseEffectSpeed, has("V2") ? -4 : 0);
    EXPECT_EQ(s.RepeatWavFile, has("V2") ? "くり返し.wav" : "");
    EXPECT_EQ(s.CdStartTrack, has("V2") ? "2" : "1");
    EXPECT_EQ(s.DisplayMosaicCount, has("V2.1") ? 20 : 10);
    EXPECT_EQ(s.DblClickPicture, has("V2.1") ? 0 : 1);
    EXPECT_EQ(s.MosaicDelayAdjust, has("V2.1a") ? 7 : 0);
    EXPECT_EQ(s.DblClickRecord, has("V2.1a3") ? 1 : 0);
    EXPECT_EQ(s.DblClickWallpaper, has("V2.1a35") ? 1 : 0);
    EXPECT_EQ(s.TextMacroOff, has("V2.1a356") ? 0 : 1);
    EXPECT_EQ(s.RepeatMidiFile, has("V2.1a3567") ? "曲.mid" : "");
    EXPECT_EQ(s.WavSyncOff, has("V2.1a3567") ? 0 : 1);
    // The lines every layout holds.
    EXPECT_EQ(s.SlideIntervalSeconds, 4);
    EXPECT_EQ(s.RepeatOff, 1);
    EXPECT_EQ(s.SoundMode, 3);
    EXPECT_EQ(Editor().List1.Items(),
              QStringList({Paths().AppFolder + "写真1.jpg", "/絶対/写真2.png"}));
    EXPECT_EQ(Lists().SlidePaths[1], Paths().AppFolder + "写真1.jpg");
    EXPECT_EQ(Editor().List2.Items(), QStringList({kRecord1, kBlankRecord}));
    EXPECT_EQ(s.VolumeAttenuationSetting, 250);
    EXPECT_EQ(Ticked(core::form1().mnuAUT), 0);
    EXPECT_EQ(Ticked(core::form1().mnuHKO), s.DisplayEffect);
    EXPECT_EQ(Ticked(core::form1().mnuKUFL), 1);
  }
}

TEST_F(SettingsFileTest, MosaicDelayIsTakenOnlyWithAutoStartOn) {
  QStringList lines = LayoutLines("V2.1a3567893sp6", true);
  lines[9] = " 1 ";  // AutoStartOff
  Settings().MosaicDelayAdjust = 2;
  WriteLines(File(), lines);
  core::LoadSettingsFile();
  EXPECT_EQ(Settings().AutoStartOff, 1);
  EXPECT_EQ(Settings().MosaicDelayAdjust, 2);
}

TEST_F(SettingsFileTest, FileEndingAfterItsSlidesTakesTheDefaults) {
  for (short overlay : {0, 3}) {
    QStringList lines = LayoutLines("V2.1a3567893sp6", false);
    lines[7] = QStringLiteral(" %1 ").arg(overlay);
    Lists().CdProgram[1] = "9";
    Lists().CdProgramCount = 1;
    Settings().SecondInstanceOff = 1;
    Editor().List1.Clear();
    Editor().List2.Clear();
    WriteLines(File(), lines);
    core::LoadSettingsFile();
    const core::ShowSettings& s = Settings();
    EXPECT_EQ(Lists().CdProgramCount, 0) << overlay;
    EXPECT_EQ(Lists().CdProgram[1], "");
    EXPECT_EQ(s.TextOriginScreen, 0);
    EXPECT_EQ(s.CdWithLinkedWavOff, 1);
    EXPECT_EQ(s.AlwaysFullScreenOff, 1);
    EXPECT_EQ(s.SecondInstanceOff, 0);
    EXPECT_EQ(s.PicturePosition, overlay != 0 ? 1 : 0) << overlay;
    EXPECT_EQ(s.SoundListFromSelection, 0);
    EXPECT_EQ(Editor().List2.Items(), QStringList({"", ""}));
    EXPECT_EQ(Lists().SlideAddDateTimes[1], " ");
    EXPECT_EQ(Lists().SlideDeleteDateTimes[2], " ");
    EXPECT_EQ(core::Monitors().MonitorIndex, 0);
  }
}

TEST_F(SettingsFileTest, ScheduleLinesRightAfterT14AreReadOnce) {
  QStringList lines = LayoutLines("V2.1a3567893sp6", true);
  // Drop T15..T18 and the monitor lines: the schedules follow T14.
  const int t15 = lines.indexOf("-" + kRecord1) - 4;
  lines = lines.mid(0, t15) + QStringList({"-" + kRecord1, "-" + kBlankRecord});
  Settings().Mp3WithLinkedWav = 1;
  WriteLines(File(), lines);
  core::LoadSettingsFile();
  EXPECT_EQ(Editor().List2.Items(), QStringList({kRecord1, kBlankRecord}));
  EXPECT_EQ(Lists().SlideAddDateTimes[1], "2024/01/02 09:30");
  EXPECT_EQ(Settings().Mp3WithLinkedWav, 1);  // kept
  EXPECT_EQ(Settings().SoundListWithLinkedWav, 0);
  EXPECT_EQ(Settings().PictureLoadMode, 1);
}

TEST_F(SettingsFileTest, StoredValuesAreBroughtIntoRange) {
  QStringList lines = LayoutLines("V2.1a3567893sp6", true);
  lines[19] = " 0 ";    // display slits
  lines[20] = " 900 ";  // erase slits
  lines[25] = " 4 ";    // display mosaic
  lines[26] = " 101 ";  // erase mosaic
  lines[37] = " 2500 ";
  const int fixedSpeed = lines.indexOf("loop.mp3") + 3;  // T13
  lines[fixedSpeed] = " 1 ";
  WriteLines(File(), lines);
  core::LoadSettingsFile();
  const core::ShowSettings& s = Settings();
  EXPECT_EQ(s.DisplaySlitCount, 2);
  EXPECT_EQ(s.EraseSlitCount, 100);
  EXPECT_EQ(s.DisplayMosaicCount, 5);
  EXPECT_EQ(s.EraseMosaicCount, 100);
  EXPECT_EQ(s.SlideIntervalSeconds, 2);
  EXPECT_EQ(s.EffectSpeedFixed, 1);
  EXPECT_EQ(s.DisplayEffectSpeed, -30);
  EXPECT_EQ(s.EraseEffectSpeed, -30);
  EXPECT_FALSE(core::form1().mnuHKSP.Enabled());
}

// A fault ends the read where it is: what was read before it stays, the rest keeps its
// previous value. A file that cannot even begin changes nothing.
TEST_F(SettingsFileTest, AFaultKeepsWhatWasReadBeforeIt) {
  const QStringList good = LayoutLines("V2.1a3567893sp6", true);
  auto with = [&good](int index, const QString& text) {
    QStringList l = good;
    l[index] = text;
    return l;
  };
  const int monitor = good.size() - 3;
  // What the good file holds for each value checked, and the value before the read.
  struct Expect {
    short effect = 9, autoStart = 1, soundMode = 7, seconds = 3;
    QString folder;
    int slides = 0;
  };
  const Expect nothing;
  const Expect head = {5, 0, 7, 3, "/連動", 0};      // lines 1-33 read
  const Expect toSlides = {5, 0, 3, 4, "/連動", 0};  // lines 1-41 read
  auto slides = [&toSlides](int n) {
    Expect e = toSlides;
    e.slides = n;
    return e;
  };
  const struct {
    test_support::FileCase file;
    Expect expect;
  } cases[] = {
      {{"missing", {}, false}, nothing},
      {{"empty file", {}}, nothing},
      {{"oldest layout not a number", QStringList({"abc"}) + good.mid(36)}, nothing},
      {{"ends in the first 42 lines", good.mid(0, 30)}, head},
      {{"mosaic delay not a number", with(28, "x")}, head},
      {{"display effect 12", with(15, " 12 ")}, {9, 0, 7, 3, "/連動", 0}},
      {{"interval above 65535", with(37, " 70000 ")}, head},
      {{"sound mode 10", with(39, " 10 ")}, {5, 0, 7, 4, "/連動", 0}},
      {{"slide count not a number", with(41, "two")}, toSlides},
      {{"ends in the slides", good.mid(0, 43)}, slides(1)},
      {{"ends in the CD programme", good.mid(0, 45)}, slides(2)},
      {{"more than 110 programme entries", with(44, " 111 ")}, slides(2)},
      {{"ends in the schedules", good.mid(0, good.size() - 4)}, slides(2)},
      {{"monitor 11", with(monitor, " 11 ")}, slides(2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file.name);
    core::ResetAllState();
    Paths().AppFolder = app_.path() + '/';
    StartUpDefaults();
    Settings().AutoStartOff = 1;
    Settings().SlideIntervalSeconds = 3;
    core::form1().Timer1.SetInterval(3000);
    core::TickMenuItem(core::form1().mnuHKO, 9);
    Editor().List1.Clear();
    Editor().List2.Clear();
    c.file.WriteTo(File());
    core::LoadSettingsFile();
    const Expect& e = c.expect;
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(Settings().DisplayEffect, e.effect);
    EXPECT_EQ(Ticked(core::form1().mnuHKO), e.effect);
    EXPECT_EQ(Settings().AutoStartOff, e.autoStart);
    EXPECT_EQ(Settings().SoundMode, e.soundMode);
    EXPECT_EQ(Settings().SlideIntervalSeconds, e.seconds);
    EXPECT_EQ(core::form1().Timer1.Interval(), e.seconds * 1000);
    EXPECT_EQ(Paths().LinkedFilesFolder, e.folder);
    if (e.slides > 0) EXPECT_NE(Lists().SlidePaths[e.slides], "");
    EXPECT_EQ(Lists().SlidePaths[e.slides + 1], "");
    // The editor's two lists stay paired, a slide without its schedule line getting a blank.
    EXPECT_EQ(Editor().List1.ListCount(), e.slides);
    EXPECT_EQ(Editor().List2.ListCount(), e.slides);
  }
}

// The next save over a settings file that failed to read keeps the damaged file beside it;
// a missing file leaves nothing behind, and the copy is made once.
TEST_F(SettingsFileTest, TheFirstSaveKeepsADamagedFileBesideIt) {
  const QString damaged = File() + ".damaged";
  core::LoadSettingsFile();  // missing
  core::SaveSettingsFile();
  EXPECT_FALSE(QFile::exists(damaged));

  QStringList lines = LayoutLines("V2.1a3567893sp6", true);
  lines[41] = "two";
  WriteLines(File(), lines);
  const QByteArray broken = ReadBytes(File());
  core::LoadSettingsFile();
  EXPECT_FALSE(QFile::exists(damaged));  // reading alone writes nothing
  core::SaveSettingsFile();
  EXPECT_EQ(ReadBytes(damaged), broken);
  const QByteArray saved = ReadBytes(File());
  EXPECT_NE(saved, broken);
  core::SaveSettingsFile();
  EXPECT_EQ(ReadBytes(damaged), broken);
  EXPECT_TRUE(dialogs_.Calls().empty());

  // What was read before the fault is in the new file.
  core::ResetAllState();
  Paths().AppFolder = app_.path() + '/';
  core::LoadSettingsFile();
  EXPECT_EQ(Paths().LinkedFilesFolder, "/連動");
  EXPECT_EQ(Settings().SoundMode, 3);
}

// The other program files read at start-up stay all-or-nothing, and keep a damaged file too.
TEST_F(SettingsFileTest, LinkSettingsAndSoundListFilesKeepADamagedFileToo) {
  const struct {
    const char* name;
    QString path;
    void (*load)();
    void (*save)();
    QStringList lines;
  } cases[] = {
      {"link settings, another tag",
       core::LinkSettingsFilePath(),
       core::LoadLinkSettingsFile,
       core::SaveLinkSettingsFile,
       {"KVZV9", " 1 "}},
      {"link settings cut short",
       core::LinkSettingsFilePath(),
       core::LoadLinkSettingsFile,
       core::SaveLinkSettingsFile,
       {"KVZV3", " 1 ", " 0 ", " 0 ", "", " 3 ", "/a.kvz"}},
      {"sound list, another tag",
       core::SoundListFilePath(),
       core::LoadSoundListFile,
       core::SaveSoundListFile,
       {"nolist", " 1 ", "/a.wav"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(c.path + ".damaged");
    WriteLines(c.path, c.lines);
    const QByteArray broken = ReadBytes(c.path);
    c.load();
    c.save();
    EXPECT_EQ(ReadBytes(c.path + ".damaged"), broken);
    EXPECT_NE(ReadBytes(c.path), broken);
  }
}

TEST_F(SettingsFileTest, MainWindowGoesBackToTheSavedMonitor) {
  core::MonitorTable& t = core::Monitors();
  // A second monitor to the right of the primary one, a third above it (left edge 0).
  t.MonitorLefts[1] = 30000;
  t.MonitorRights[1] = 48000;
  t.MonitorTops[1] = 1500;
  t.MonitorBottoms[1] = 16500;
  t.MonitorLefts[2] = 0;
  t.MonitorRights[2] = 9000;
  t.MonitorTops[2] = -9000;
  t.MonitorBottoms[2] = 0;
  core::Form1& f = core::form1();
  const double w = f.Width(), h = f.Height();
  const struct {
    short index;
    double left, top;
  } cases[] = {
      {1, 30000 + (18000 - w) / 2, 1500 + (15000 - h) / 2},
      {2, (platform::ScreenWidth() - w) / 2, -9000 + (platform::ScreenHeight() - h) / 2},
      {7, (platform::ScreenWidth() - w) / 2, (platform::ScreenHeight() - h) / 2},  // gone
  };
  for (const auto& c : cases) {
    QStringList lines = LayoutLines("V2.1a3567893sp6", true);
    lines[lines.size() - 3] = QStringLiteral(" %1 ").arg(c.index);
    WriteLines(File(), lines);
    core::LoadSettingsFile();
    EXPECT_EQ(core::Monitors().MonitorIndex, c.index);
    EXPECT_NEAR(f.Left(), c.left, 15) << c.index;
    EXPECT_NEAR(f.Top(), c.top, 15) << c.index;
  }
}

TEST_F(SettingsFileTest, LastSlideshowFileNamesTheWindow) {
  QTemporaryDir dir;
  const QString show = dir.path() + "/旅.kvz";
  WriteLines(show, {"21pic3167893"});
  QStringList lines = LayoutLines("V2.1a3567893sp6", true);
  lines[36] = show;
  WriteLines(File(), lines);
  core::LoadSettingsFile();
  EXPECT_EQ(Paths().SlideshowFilePath, show);
  EXPECT_EQ(core::form1().Caption(), "ｽﾗｲﾄﾞ - " + show);
  EXPECT_EQ(Paths().SlideshowFileTime, core::FileDateTimeText(show));

  // A last file that is gone still leaves every other setting applied.
  QFile::remove(show);
  Settings().SoundMode = 0;
  core::LoadSettingsFile();
  EXPECT_EQ(Settings().SoundMode, 3);
  EXPECT_EQ(Paths().SlideshowFilePath, show);
  EXPECT_EQ(Paths().SlideshowFileTime, "");
}

TEST_F(SettingsFileTest, FailedSaveKeepsTheOldFileAndSaysSo) {
  core::SaveSettingsFile();
  const QByteArray old = ReadBytes(File());
  ASSERT_FALSE(old.isEmpty());
  Editor().List1.SetItems({QString::fromUtf8("/写真/\xF0\x9F\x8C\xB8.jpg")});
  core::SaveSettingsFile();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, "ファイルの保存");
  EXPECT_EQ(dialogs_.Calls()[0].text, File() + "\r\nこのファイル名は適合しません。");
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
  EXPECT_EQ(ReadBytes(File()), old);
  EXPECT_EQ(QDir(app_.path()).entryList(QDir::Files), QStringList({"autstart.dat"}));
}

}  // namespace
