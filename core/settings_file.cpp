// The settings file: its writer and its reader, which also reads the earlier layouts.
#include "core/settings_file.h"

#include <QStringList>
#include <algorithm>

#include "core/common.h"
#include "core/form1.h"
#include "core/list_file.h"
#include "core/lists.h"
#include "core/mirrors.h"
#include "core/monitors.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "platform/vbfile.h"

namespace core {

using platform::VbError;

namespace {

// A text that must be a whole number: anything else is a type mismatch.
short StrictInteger(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok) throw VbError(platform::kErrTypeMismatch, QStringLiteral("Type mismatch"));
  return platform::CInt(value);
}

// What the settings file holds, read in full before anything of it is applied.
struct SettingsContents {
  QString tag;
  ShowSettings settings;  // the settings as they are after the file
  short linkedFilesInFolder = 0;
  QString linkedFilesFolder;
  short lastShownSlideIndex = 0;
  QString slideshowFilePath;
  QStringList slides;
  QStringList records;
  bool noScheduleLines = false;
  QStringList cdProgram;
  short monitorIndex = 0;
  // How far the read came: a fault ends it, and what was read before the fault stays.
  bool opened = false;
  bool intervalRead = false;
  bool slidesReached = false;     // the slide count was read; `slides` holds those read
  bool cdProgramReached = false;  // the programme's entries were emptied, then read
  bool monitorRead = false;
  bool complete = false;
};

// The values the reader stores first and checks against their menus later.
bool LateMenuValuesInRange(const ShowSettings& s) {
  return s.AutoStartOff >= 0 && s.AutoStartOff < 2 && s.DisplayEffect >= 0 &&
         s.DisplayEffect < 12 && s.EraseEffect >= 0 && s.EraseEffect < 13 &&
         s.CdTrackRepeatOff >= 0 && s.CdTrackRepeatOff < 2;
}

// After a fault, such a value out of range keeps its previous one, so that no setting is
// left without a menu item.
void KeepLateMenuValuesInRange(ShowSettings& s) {
  const ShowSettings& before = Settings();
  if (s.AutoStartOff < 0 || s.AutoStartOff >= 2) s.AutoStartOff = before.AutoStartOff;
  if (s.DisplayEffect < 0 || s.DisplayEffect >= 12) s.DisplayEffect = before.DisplayEffect;
  if (s.EraseEffect < 0 || s.EraseEffect >= 13) s.EraseEffect = before.EraseEffect;
  if (s.CdTrackRepeatOff < 0 || s.CdTrackRepeatOff >= 2)
    s.CdTrackRepeatOff = before.CdTrackRepeatOff;
}

// Fills `c` field by field, so that after a fault it holds what was read before it and the
// previous values for the rest.
void ReadSettingsContents(const QString& path, const QString& appFolder, SettingsContents& c) {
  ShowSettings& s = c.settings;
  s = Settings();
  c.linkedFilesInFolder = Paths().LinkedFilesInFolder;
  c.linkedFilesFolder = Paths().LinkedFilesFolder;
  c.lastShownSlideIndex = Lists().LastShownSlideIndex;
  c.slideshowFilePath = Paths().SlideshowFilePath;
  c.monitorIndex = Monitors().MonitorIndex;

  platform::VbFile file(path, platform::FileMode::Input);
  c.opened = true;
  s.CdStartTrack = QStringLiteral("1");
  c.tag = file.LineInput();
  auto has = [&c](const char* prefix) { return c.tag.startsWith(QLatin1String(prefix)); };

  if (has("V2")) {
    if (has("V2.1a3567893")) {
      s.RandomOrderOff = MenuValue(file.InputInteger(), 2);
      if (s.RandomOrderOff == 0) s.RepeatOff = 0;
      s.CdTrackOrder = MenuValue(file.InputInteger(), 3);
      c.linkedFilesInFolder = file.InputInteger();
      // A whole line, so that a comma in the folder's name does not shift the fields after it.
      c.linkedFilesFolder = file.LineInput();
      s.ContinueStart = MenuValue(file.InputInteger(), 2);
      c.lastShownSlideIndex = file.InputInteger();
      s.OverlayMode = MenuValue(file.InputInteger(), 5);
      s.PictureSizeMode = MenuValue(file.InputInteger(), 7);
    }
    s.AutoStartOff = file.InputInteger();
    if (has("V2.1a356789")) {
      s.ControlBoxOff = MenuValue(file.InputInteger(), 2);
      s.LinkedSoundAfterText = MenuValue(file.InputInteger(), 2);
      s.SizeAdjustMode = MenuValue(file.InputInteger(), 3);
      s.DblClickSlideshow = file.InputInteger();
      s.ErrorEntryAutoRemove = MenuValue(file.InputInteger(), 2);
    }
    s.DisplayEffect = file.InputInteger();
    s.DisplayEffectSpeed = file.InputInteger();
    s.EraseEffect = file.InputInteger();
    s.EraseEffectSpeed = file.InputInteger();
    s.DisplaySlitCount = ClampSlitCount(file.InputInteger());
    s.EraseSlitCount = ClampSlitCount(file.InputInteger());
    s.EffectSpeedCorrection = file.InputInteger();
    s.RepeatWavFile = file.LineInput();
    s.CdTrackRepeatOff = file.InputInteger();
    s.CdStartTrack = file.LineInput();
  } else {
    // The oldest layout: line 1 is the auto-start value itself.
    s.AutoStartOff = StrictInteger(c.tag);
  }
  if (has("V2.1")) {
    s.DisplayMosaicCount = ClampMosaicCount(file.InputInteger());
    s.EraseMosaicCount = ClampMosaicCount(file.InputInteger());
    s.DblClickPicture = file.InputInteger();
  }
  if (has("V2.1a")) {
    // Taken only with auto start on; otherwise the line is passed over.
    const QString mosaicDelay = file.InputString();
    if (s.AutoStartOff == 0) s.MosaicDelayAdjust = StrictInteger(mosaicDelay);
  }
  if (has("V2.1a3")) s.DblClickRecord = file.InputInteger();
  if (has("V2.1a35")) s.DblClickWallpaper = file.InputInteger();
  if (has("V2.1a356")) {
    s.DblClickText = file.InputInteger();
    s.TextMacroOff = MenuValue(file.InputInteger(), 2);
  }
  // Values stored before their menus were ticked: one the menu has no item for ends the read.
  if (!LateMenuValuesInRange(s)) {
    KeepLateMenuValuesInRange(s);
    throw VbError(platform::kErrNoArrayElement,
                  QStringLiteral("Control array element does not exist"));
  }
  if (has("V2.1a3567")) {
    s.RepeatMidiFile = file.LineInput();
    file.LineInput();  // written empty
    s.WavSyncOff = MenuValue(file.InputInteger(), 2);
  }

  c.slideshowFilePath = file.LineInput();
  ReadSlideInterval(file, s);
  c.intervalRead = true;
  s.RepeatOff = MenuValue(file.InputInteger(), 2);
  s.SoundMode = MenuValue(file.InputInteger(), 10);
  s.DefaultSoundFile = file.LineInput();

  const int n = ListCount(platform::CInt(file.InputNumberStrict()), kSlideArrayUpper);
  c.slidesReached = true;
  for (int i = 0; i < n; ++i) c.slides.append(ResolveStoredPath(file.LineInput(), appFolder));

  c.cdProgramReached = true;
  c.cdProgram = ReadCdProgram(file);

  s.TextOriginScreen = file.Eof() ? 0 : file.InputInteger();
  s.CdWithLinkedWavOff = MenuValue(file.Eof() ? 1 : file.InputInteger(), 2);
  s.StopShowAtCdProgramEnd = file.Eof() ? 0 : file.InputInteger();
  s.FullStartConfirmOff = MenuValue(file.Eof() ? 0 : file.InputInteger(), 2);
  s.SecondInstanceOff = MenuValue(file.Eof() ? 0 : file.InputInteger(), 2);
  s.OverlayBackColorIndex = MenuValue(file.Eof() ? 0 : file.InputInteger(), 10);
  s.PicturePosition = MenuValue(file.Eof() ? (s.OverlayMode != 0 ? 1 : 0) : file.InputInteger(), 2);
  s.SoundListInSlideshowFile = file.Eof() ? 0 : file.InputInteger();
  ReadSharedTail(file, s, [](const QString& mp3) { return mp3; });

  // A line beginning with "-" here is the first schedule line of a file without the last
  // four option lines.
  bool schedulesRead = false;
  if (file.Eof()) {
    s.Mp3WithLinkedWav = 0;
  } else {
    const QString t15 = file.InputString();
    if (t15.startsWith(QLatin1Char('-'))) {
      for (int i = 0; i < n; ++i) c.records.append((i == 0 ? t15 : file.InputString()).mid(1));
      schedulesRead = true;
    } else {
      s.Mp3WithLinkedWav = platform::CInt(SafeVal(t15));
    }
  }
  s.SoundListWithLinkedWav = file.Eof() ? 0 : file.InputInteger();
  s.ControlBoxAtBottom = MenuValue(file.Eof() ? 0 : file.InputInteger(), 2);
  s.SoundListFromSelection = file.Eof() ? 0 : file.InputInteger();

  if (!schedulesRead) {
    c.noScheduleLines = file.Eof();
    if (!c.noScheduleLines)
      for (int i = 0; i < n; ++i) c.records.append(file.InputString().mid(1));
  }

  const short monitor = file.Eof() ? 0 : file.InputInteger();
  if (monitor < 0 || monitor > kMonitorUpper)
    throw VbError(platform::kErrSubscript, QStringLiteral("Subscript out of range"));
  c.monitorIndex = monitor;
  c.monitorRead = true;
  s.UserMacroHeaderOff = MenuValue(file.Eof() ? 0 : file.InputInteger(), 2);
  s.VolumeAttenuationSetting = file.Eof() ? 0 : file.InputInteger();
  c.complete = true;
}

// The main window centred on the monitor saved in the file. A monitor whose left edge is 0
// is measured with the primary screen's size.
void PlaceMainWindowOnMonitor(Form1& main, int i) {
  const MonitorTable& t = Monitors();
  double w = platform::ScreenWidth();
  double h = platform::ScreenHeight();
  if (t.MonitorLefts[i] != 0) {
    w = t.MonitorRights[i] - t.MonitorLefts[i];
    h = t.MonitorBottoms[i] - t.MonitorTops[i];
  }
  main.SetLeft(t.MonitorLefts[i] + (w - main.Width()) / 2);
  main.SetTop(t.MonitorTops[i] + (h - main.Height()) / 2);
}

// Makes what was read the program's state, its menus and its windows.
void ApplySettingsContents(SettingsContents& c) {
  const ShowSettings& s = c.settings;
  auto has = [&c](const char* prefix) { return c.tag.startsWith(QLatin1String(prefix)); };

  // Values first: the boxes set below run their click reactions, which must find them.
  Settings() = s;
  PathState& paths = Paths();
  paths.LinkedFilesInFolder = c.linkedFilesInFolder;
  paths.LinkedFilesFolder = c.linkedFilesFolder;
  paths.SlideshowFileName = c.slideshowFilePath;
  paths.SlideshowFilePath = c.slideshowFilePath;
  Lists().LastShownSlideIndex = c.lastShownSlideIndex;
  Monitors().MonitorIndex = c.monitorIndex;

  if (c.slidesReached) {
    // Slides whose schedule lines were not reached get empty records, so the two stay paired.
    while (c.records.size() < c.slides.size()) c.records.append(QString());
    CommitSlides(c.slides, c.records);
  }
  if (c.cdProgramReached) CommitCdProgram(c.cdProgram);

  Form1& main = form1();
  if (has("V2.1a3567893")) {
    RefreshMirror(&Settings().RandomOrderOff);
    RefreshMirror(&Settings().CdTrackOrder);
    RefreshMirror(&Settings().ContinueStart);
    RefreshMirror(&Settings().OverlayMode);
    RefreshMirror(&Settings().PictureSizeMode);
  }
  if (has("V2.1a356789")) {
    RefreshMirror(&Settings().ControlBoxOff);
    RefreshMirror(&Settings().LinkedSoundAfterText);
    RefreshMirror(&Settings().SizeAdjustMode);
    RefreshMirror(&Settings().ErrorEntryAutoRemove);
  }
  if (has("V2.1a356")) RefreshMirror(&Settings().TextMacroOff);
  RefreshMirror(&Settings().AutoStartOff);
  RefreshMirror(&Settings().DisplayEffect);
  RefreshMirror(&Settings().EraseEffect);
  RefreshMirror(&Settings().CdTrackRepeatOff);
  if (has("V2.1a3567")) RefreshMirror(&Settings().WavSyncOff);
  if (c.intervalRead) main.Timer1.SetInterval(s.SlideIntervalMs);
  RefreshMirror(&Settings().RepeatOff);
  RefreshMirror(&Settings().SoundMode);
  main.mnuCDM.SetEnabled(s.SoundMode == 2);
  RefreshMirror(&Settings().CdWithLinkedWavOff);
  RefreshMirror(&Settings().FullStartConfirmOff);
  RefreshMirror(&Settings().SecondInstanceOff);
  ResetShowSurfaceForOverlay();
  RefreshSharedTailMenus(main);
  RefreshMirror(&Settings().ControlBoxAtBottom);
  RefreshMirror(&Settings().UserMacroHeaderOff);

  WindowCalls& editors = Windows();
  editors.LoadSlideList();
  if (c.slidesReached) {
    Form3List1().Reset(c.slides);
    Form3List2().Reset(c.records);
  }
  ShowSettings& now = Settings();
  if (has("V2.1a356789")) RefreshMirror(&now.DblClickSlideshow);
  if (has("V2.1")) RefreshMirror(&now.DblClickPicture);
  if (has("V2.1a3")) RefreshMirror(&now.DblClickRecord);
  if (has("V2.1a35")) RefreshMirror(&now.DblClickWallpaper);
  if (has("V2.1a356")) RefreshMirror(&now.DblClickText);

  editors.LoadSoundList();
  RefreshMirror(&now.SoundListInSlideshowFile);
  RefreshMirror(&now.SoundListWithLinkedWav);
  RefreshMirror(&now.SoundListFromSelection);
  RefreshMirror(&now.TextOriginScreen);
  RefreshMirror(&now.MidiWithLinkedWav);
  RefreshMirror(&now.Mp3WithLinkedWav);

  if (c.monitorRead) PlaceMainWindowOnMonitor(main, c.monitorIndex);

  if (c.complete && !paths.SlideshowFilePath.isEmpty()) {
    main.SetCaption(kSlideCaptionPrefix + paths.SlideshowFilePath);
    paths.SlideshowFileTime = FileDateTimeText(paths.SlideshowFilePath);
  }
}

void WriteSettingsLines(platform::VbFile& file) {
  ShowSettings& s = Settings();
  const PathState& paths = Paths();
  const ListState& lists = Lists();

  file.PrintLine(QLatin1String(kSettingsFileTag));
  file.PrintNumber(s.RandomOrderOff);
  file.PrintNumber(s.CdTrackOrder);
  file.PrintNumber(paths.LinkedFilesInFolder);
  file.PrintLine(paths.LinkedFilesFolder);
  file.PrintNumber(s.ContinueStart);
  file.PrintNumber(lists.LastShownSlideIndex);
  file.PrintNumber(s.OverlayMode);
  file.PrintNumber(s.PictureSizeMode);
  file.PrintNumber(s.AutoStartOff);
  file.PrintNumber(s.ControlBoxOff);
  file.PrintNumber(s.LinkedSoundAfterText);
  file.PrintNumber(s.SizeAdjustMode);
  file.PrintNumber(s.DblClickSlideshow);
  file.PrintNumber(s.ErrorEntryAutoRemove);
  file.PrintNumber(s.DisplayEffect);
  file.PrintNumber(s.DisplayEffectSpeed);
  file.PrintNumber(s.EraseEffect);
  file.PrintNumber(s.EraseEffectSpeed);
  file.PrintNumber(s.DisplaySlitCount);
  file.PrintNumber(s.EraseSlitCount);
  file.PrintNumber(s.EffectSpeedCorrection);
  file.PrintLine(s.RepeatWavFile);
  file.PrintNumber(s.CdTrackRepeatOff);
  file.PrintLine(s.CdStartTrack);
  file.PrintNumber(s.DisplayMosaicCount);
  file.PrintNumber(s.EraseMosaicCount);
  file.PrintNumber(s.DblClickPicture);
  file.PrintNumber(s.MosaicDelayAdjust);
  file.PrintNumber(s.DblClickRecord);
  file.PrintNumber(s.DblClickWallpaper);
  file.PrintNumber(s.DblClickText);
  file.PrintNumber(s.TextMacroOff);
  file.PrintLine(s.RepeatMidiFile);
  file.PrintLine();
  file.PrintNumber(s.WavSyncOff);

  file.PrintLine(paths.SlideshowFilePath);
  WriteIntervalRepeatAndSoundMode(file, s);
  file.PrintLine(s.DefaultSoundFile);

  Windows().LoadSlideList();
  const QStringList& slides = Form3List1().Items();
  const QStringList& records = Form3List2().Items();
  file.PrintNumber(slides.size());
  for (const QString& slide : slides) file.PrintLine(slide);

  WriteCdProgram(file, std::clamp<int>(lists.CdProgramCount, 0, kCdProgramUpper));

  file.PrintNumber(s.TextOriginScreen);
  file.PrintNumber(s.CdWithLinkedWavOff);
  file.PrintNumber(s.StopShowAtCdProgramEnd);
  file.PrintNumber(s.FullStartConfirmOff);
  file.PrintNumber(s.SecondInstanceOff);
  file.PrintNumber(s.OverlayBackColorIndex);
  file.PrintNumber(s.PicturePosition);
  file.PrintNumber(s.SoundListInSlideshowFile);
  WriteSharedTail(file, s, s.RepeatMp3File);
  file.PrintNumber(s.Mp3WithLinkedWav);
  file.PrintNumber(s.SoundListWithLinkedWav);
  file.PrintNumber(s.ControlBoxAtBottom);
  file.PrintNumber(s.SoundListFromSelection);

  for (int i = 0; i < slides.size(); ++i)
    file.PrintLine(QLatin1Char('-') + (i < records.size() ? records[i] : QString()));

  file.PrintNumber(MainMonitorIndex());
  file.PrintNumber(s.UserMacroHeaderOff);
  file.PrintNumber(s.VolumeAttenuationSetting);
}

}  // namespace

QString SettingsFilePath() { return AppDataFolder() + QLatin1String(kSettingsFileName); }

bool SaveSettingsFile() { return SaveListFile(SettingsFilePath(), WriteSettingsLines); }

void LoadSettingsFile() {
  HourglassPointer hourglass;
  SettingsContents contents;
  const QString path = SettingsFilePath();
  try {
    ReadSettingsContents(path, AppDataFolder(), contents);
  } catch (const std::exception& e) {
    if (!contents.opened) return;  // no file: nothing changes
    platform::LogSwallowed("settings file read", e);
    KeepLateMenuValuesInRange(contents.settings);
    KeepDamagedBeforeNextSave(path);
  }
  ApplySettingsContents(contents);
}

void ApplySettingsInMemory() {
  SettingsContents c;
  const PathState& paths = Paths();
  const ListState& lists = Lists();
  c.tag = QLatin1String(kSettingsFileTag);
  c.settings = Settings();
  c.settings.SlideIntervalMs =
      std::max(platform::CLng(c.settings.SlideIntervalSeconds * 1000.0), 1000);
  c.linkedFilesInFolder = paths.LinkedFilesInFolder;
  c.linkedFilesFolder = paths.LinkedFilesFolder;
  c.lastShownSlideIndex = lists.LastShownSlideIndex;
  c.slideshowFilePath = paths.SlideshowFilePath;
  Windows().LoadSlideList();
  c.slides = Form3List1().Items();
  c.records = Form3List2().Items();
  for (int i = 1; i <= std::clamp<int>(lists.CdProgramCount, 0, kCdProgramUpper); ++i)
    c.cdProgram << lists.CdProgram[i];
  c.monitorIndex = Monitors().MonitorIndex;
  c.opened = c.intervalRead = c.slidesReached = c.cdProgramReached = c.complete = true;
  ApplySettingsContents(c);
}

}  // namespace core
