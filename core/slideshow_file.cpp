// The slideshow file: its writer (also the distribution save) and its reader, which
// accepts every earlier layout of the file.
#include "core/slideshow_file.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "core/common.h"
#include "core/form1.h"
#include "core/lists.h"
#include "core/mirrors.h"
#include "core/services.h"
#include "core/soundlist_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "platform/menu.h"
#include "platform/vbfile.h"

namespace core {

using platform::VbError;

namespace {

const QString kNoDefaultSound = QStringLiteral("*.wav");

// The version key of line 1; empty when the file is refused.
QString VersionKey(const QString& line) {
  QString key;
  if (line == QLatin1String("21pic31678") || line == QLatin1String("21pic316789") ||
      line == QLatin1String(kSlideshowFileTag))
    key = line.mid(2);
  else if (line.startsWith(QLatin1String("pic")))
    key = line;
  else
    key = line.mid(1, 8);
  if (key == QLatin1String("pic2") || key.startsWith(QLatin1String("pic3"))) return key;
  return {};
}

// An old file's effect speed, from the scale of its time to today's.
short OldEffectSpeed(short s) {
  double converted = s + 6 - std::floor(s * 0.7);
  return platform::CInt(std::min(converted, 10.0));
}

// What a slideshow file holds, read in full before anything of it is applied.
struct SlideshowContents {
  QString key;
  ShowSettings settings;  // the show settings as they are after the file
  short linkedFilesInFolder = 0;
  QString linkedFilesFolder;
  QStringList slides;          // the slide paths; AVI entries as stored
  QStringList records;         // the schedule record of each slide
  std::vector<bool> inEditor;  // false for AVI entries, which the editor's lists leave out
  bool noScheduleLines = false;
  QStringList cdProgram;
  bool carriesSoundList = false;
  QStringList soundList;
  bool midiFileResolved = false;  // RepeatMidiFile was a bare name, now a full path
};

// Its last three characters in capitals are "AVI". A character whose capital takes more than
// one character cannot end in those three, so comparing character by character is the same.
bool IsAviEntry(const QString& stored) {
  if (stored.size() < 3) return false;
  const QStringView end = QStringView(stored).last(3);
  return end[0].toUpper() == u'A' && end[1].toUpper() == u'V' && end[2].toUpper() == u'I';
}

SlideshowContents ReadSlideshowContents(const QString& path, const QString& folder) {
  SlideshowContents c;
  ShowSettings& s = c.settings;
  s = Settings();
  const PathState& paths = Paths();
  c.linkedFilesInFolder = paths.LinkedFilesInFolder;
  c.linkedFilesFolder = paths.LinkedFilesFolder;
  s.RandomOrderOff = 1;

  platform::VbFile file(path, platform::FileMode::Input);
  c.key = VersionKey(file.LineInput());
  if (c.key.isEmpty()) throw VbError(platform::kErrTypeMismatch, QStringLiteral("Unknown version"));
  auto has = [&c](const char* prefix) { return c.key.startsWith(QLatin1String(prefix)); };
  // A stored path without a folder is a name beside the file; `keepEmpty` leaves an empty
  // line empty.
  auto resolved = [&folder](const QString& stored, bool keepEmpty) {
    if (keepEmpty && stored.isEmpty()) return stored;
    return ResolveStoredPath(stored, folder);
  };

  file.LineInput();  // the path the file was saved under: the file's own path counts
  ReadSlideInterval(file, s);

  s.RepeatOff = file.InputInteger();
  s.SoundMode = file.InputInteger();
  s.DefaultSoundFile = file.LineInput();
  if (s.DefaultSoundFile != kNoDefaultSound)
    s.DefaultSoundFile = resolved(s.DefaultSoundFile, false);
  if (c.key == QLatin1String("pic2")) s.SoundMode = 7;
  if (s.SoundMode == 6 && !has("pic316789")) s.SoundMode = 7;
  s.CdStartTrack = QStringLiteral("1");
  MenuValue(s.RepeatOff, 2);
  MenuValue(s.SoundMode, 10);

  if (has("pic3")) {
    s.RepeatWavFile = resolved(file.LineInput(), true);
    s.DisplayEffect = MenuValue(file.InputInteger(), 12);
    s.DisplayEffectSpeed = file.InputInteger();
    s.EraseEffect = MenuValue(file.InputInteger(), 13);
    s.EraseEffectSpeed = file.InputInteger();
    s.DisplaySlitCount = ClampSlitCount(file.InputInteger());
    s.EraseSlitCount = ClampSlitCount(file.InputInteger());
    s.CdTrackRepeatOff = MenuValue(file.InputInteger(), 2);
    s.CdStartTrack = file.LineInput();
  }
  if (has("pic31")) {
    s.DisplayMosaicCount = ClampMosaicCount(file.InputInteger());
    s.EraseMosaicCount = ClampMosaicCount(file.InputInteger());
  }
  if (has("pic316")) s.TextMacroOff = MenuValue(file.InputInteger(), 2);
  if (has("pic3167")) {
    const QString midi = file.LineInput();
    s.RepeatMidiFile = resolved(midi, true);
    c.midiFileResolved = !midi.isEmpty() && !midi.contains(QLatin1Char('/'));
    s.WavSyncOff = MenuValue(file.InputInteger(), 2);
  } else if (s.SoundMode == 4) {
    s.SoundMode = 7;
  }
  if (has("pic31678")) {
    s.LinkedSoundAfterText = MenuValue(file.InputInteger(), 2);
    const QString random = file.InputString();
    s.RandomOrderOff = random.isEmpty() ? 1 : platform::CInt(SafeVal(random));
    MenuValue(s.RandomOrderOff, 2);
    if (s.RandomOrderOff == 0) s.RepeatOff = 0;
    s.CdTrackOrder = MenuValue(file.InputInteger(), 3);
    c.linkedFilesInFolder = file.InputInteger();
    // A whole line, so that a comma in the folder's name does not shift the fields after it.
    c.linkedFilesFolder = file.LineInput();
  } else {
    s.LinkedSoundAfterText = 1;
  }

  // Slides. An AVI entry stays in the show as stored (it plays) but is left out of the
  // editor's lists, its schedule record with it, so that those stay paired.
  const int storedSlides = ListCount(file.InputInteger(), kSlideArrayUpper);
  c.inEditor.reserve(storedSlides);
  c.slides.reserve(storedSlides);
  for (int i = 0; i < storedSlides; ++i) {
    const QString stored = file.LineInput();
    c.inEditor.push_back(!IsAviEntry(stored));
    c.slides.append(c.inEditor.back() ? resolved(stored, false) : stored);
  }

  if (file.Eof()) {
    // A file of the first layout ends with its slides; its speeds count on another scale.
    s.DisplayEffectSpeed = OldEffectSpeed(s.DisplayEffectSpeed);
    s.EraseEffectSpeed = OldEffectSpeed(s.EraseEffectSpeed);
    s.OverlayMode = 0;
    s.PictureSizeMode = 0;
  } else {
    file.LineInput();  // "480", not used
    s.OverlayMode = file.InputInteger();
    s.PictureSizeMode = file.InputInteger();
  }
  if (c.key != QLatin1String("pic3167893") && s.OverlayMode == 0) s.PictureSizeMode = 0;
  MenuValue(s.OverlayMode, 5);
  MenuValue(s.PictureSizeMode, 7);

  c.cdProgram = ReadCdProgram(file);
  s.TextOriginScreen = file.Eof() ? 0 : file.InputInteger();
  s.CdWithLinkedWavOff = MenuValue(file.Eof() ? 1 : file.InputInteger(), 2);
  s.StopShowAtCdProgramEnd = file.Eof() ? 0 : file.InputInteger();
  s.OverlayBackColorIndex = MenuValue(file.Eof() ? 0 : file.InputInteger(), 10);
  s.PicturePosition = MenuValue(file.Eof() ? (s.OverlayMode != 0 ? 1 : 0) : file.InputInteger(), 2);

  c.carriesSoundList = !file.Eof() && file.InputInteger() == 1;
  if (c.carriesSoundList) {
    const int k = ListCount(file.InputInteger(), kSoundArrayUpper);
    for (int i = 0; i < k; ++i) c.soundList.append(resolved(file.LineInput(), false));
  }
  ReadSharedTail(file, s, [&resolved](const QString& mp3) { return resolved(mp3, true); });

  // A line beginning with "-" here is the first schedule line of a file without the two
  // linked-WAV flags.
  const QString t18 = file.Eof() ? QString() : file.InputString();
  const bool olderTail = t18.startsWith(QLatin1Char('-'));
  if (olderTail) {
    s.Mp3WithLinkedWav = 0;
    s.SoundListWithLinkedWav = 0;
  } else {
    s.Mp3WithLinkedWav = platform::CInt(StandardVal(t18));
    s.SoundListWithLinkedWav = file.Eof() ? 0 : file.InputInteger();
  }

  c.noScheduleLines = !olderTail && file.Eof();
  if (!c.noScheduleLines) {
    c.records.reserve(storedSlides);
    for (int i = 0; i < storedSlides; ++i) {
      QString line = (i == 0 && olderTail) ? t18 : file.InputString();
      c.records.append(line.remove(0, 1));  // the "-" in front; dropped in place
    }
  }
  return c;
}

// Makes what was read the program's state, its menus and its windows.
void ApplySlideshowContents(const QString& path, SlideshowContents& c) {
  const ShowSettings& s = c.settings;
  auto has = [&c](const char* prefix) { return c.key.startsWith(QLatin1String(prefix)); };

  WindowCalls& editors = Windows();
  editors.LoadSlideList();
  editors.DisableSlideTextButtons();

  Settings() = s;
  PathState& paths = Paths();
  paths.LinkedFilesInFolder = c.linkedFilesInFolder;
  paths.LinkedFilesFolder = c.linkedFilesFolder;

  ListState& lists = Lists();
  const int n = static_cast<int>(c.slides.size());
  if (c.noScheduleLines) c.records = QStringList(n, QString());
  CommitSlides(c.slides, c.records);
  lists.SlideEndIndex = static_cast<short>(n + 1);
  QStringList editorSlides, editorRecords;
  for (int i = 0; i < n; ++i) {
    if (!c.inEditor[static_cast<size_t>(i)]) continue;
    editorSlides.append(c.slides[i]);
    editorRecords.append(c.records[i]);
  }
  Form3List1().Reset(editorSlides);
  Form3List2().Reset(editorRecords);

  CommitCdProgram(c.cdProgram);
  lists.CdProgramPosition = 0;

  Form1& main = form1();
  main.Timer1.SetInterval(s.SlideIntervalMs);
  RefreshMirror(&Settings().RandomOrderOff);
  RefreshMirror(&Settings().RepeatOff);
  RefreshMirror(&Settings().SoundMode);
  main.mnuCDM.SetEnabled(s.SoundMode == 2);
  if (has("pic3")) {
    RefreshMirror(&Settings().DisplayEffect);
    RefreshMirror(&Settings().EraseEffect);
    RefreshMirror(&Settings().CdTrackRepeatOff);
  }
  if (has("pic316")) RefreshMirror(&Settings().TextMacroOff);
  if (has("pic3167")) RefreshMirror(&Settings().WavSyncOff);
  RefreshMirror(&Settings().LinkedSoundAfterText);
  if (has("pic31678")) RefreshMirror(&Settings().CdTrackOrder);
  RefreshMirror(&Settings().OverlayMode);
  RefreshMirror(&Settings().PictureSizeMode);
  RefreshMirror(&Settings().CdWithLinkedWavOff);
  RefreshSharedTailMenus(main);

  if (c.midiFileResolved) RefreshMirror(&Settings().RepeatMidiFile);
  ResetShowSurfaceForOverlay();

  if (c.carriesSoundList) {
    // The flag keeps the sound list editor, should this load it, from reading the
    // sound-list file over the list of the slideshow file.
    lists.SoundListLoading = 1;
    editors.LoadSoundList();
    Form10List1().Reset(c.soundList);
    lists.SoundListEntries.Erase();
    for (int i = 0; i < c.soundList.size(); ++i) lists.SoundListEntries[i + 1] = c.soundList[i];
    lists.SoundListCount = static_cast<short>(c.soundList.size());
  }
  lists.SoundListLoading = 0;
  RefreshMirror(&Settings().MidiWithLinkedWav);
  RefreshMirror(&Settings().Mp3WithLinkedWav);
  editors.LoadSoundList();
  RefreshMirror(&Settings().SoundListWithLinkedWav);

  if (c.carriesSoundList) SaveSoundListFile();

  main.SetCaption(kSlideCaptionPrefix + path);
  paths.SlideshowFilePath = path;
  paths.SlideshowFileName = QFileInfo(path).fileName();
  lists.LastShownSlideIndex = 0;
  if (!paths.SlideshowFilePath.isEmpty()) paths.SlideshowFileTime = FileDateTimeText(path);
}

// Writes every line of the file; throws on the first failure.
void WriteSlideshowLines(platform::VbFile& file, const QString& path) {
  ShowSettings& s = Settings();
  PathState& paths = Paths();
  ListState& lists = Lists();
  const bool distribution = paths.DistributionSave == 1;
  // A path item travels as its file name in a distribution save; an empty one stays empty.
  auto pathItem = [distribution](const QString& p) { return StoredPathItem(p, distribution); };

  file.PrintLine(QLatin1String(kSlideshowFileTag));
  file.PrintLine(pathItem(path));
  WriteIntervalRepeatAndSoundMode(file, s);
  file.PrintLine(pathItem(s.DefaultSoundFile));
  file.PrintLine(pathItem(s.RepeatWavFile));
  file.PrintNumber(s.DisplayEffect);
  file.PrintNumber(s.DisplayEffectSpeed);
  file.PrintNumber(s.EraseEffect);
  file.PrintNumber(s.EraseEffectSpeed);
  file.PrintNumber(s.DisplaySlitCount);
  file.PrintNumber(s.EraseSlitCount);
  file.PrintNumber(s.CdTrackRepeatOff);
  file.PrintLine(s.CdStartTrack);
  file.PrintNumber(s.DisplayMosaicCount);
  file.PrintNumber(s.EraseMosaicCount);
  file.PrintNumber(s.TextMacroOff);
  file.PrintLine(pathItem(s.RepeatMidiFile));
  file.PrintNumber(s.WavSyncOff);
  file.PrintNumber(s.LinkedSoundAfterText);
  file.PrintNumber(s.RandomOrderOff);
  file.PrintNumber(s.CdTrackOrder);
  if (distribution) {
    paths.LinkedFilesInFolder = 0;
    paths.LinkedFilesFolder.clear();
  }
  file.PrintNumber(paths.LinkedFilesInFolder);
  file.PrintLine(paths.LinkedFilesFolder);

  Windows().LoadSlideList();
  const QStringList& slides = Form3List1().Items();
  const QStringList& records = Form3List2().Items();
  const int n = static_cast<int>(slides.size());
  file.PrintNumber(n);
  for (const QString& slide : slides) file.PrintLine(pathItem(slide));

  file.PrintLine(QStringLiteral("480"));
  file.PrintNumber(s.OverlayMode);
  file.PrintNumber(s.PictureSizeMode);
  WriteCdProgram(file, ListCount(lists.CdProgramCount, kCdProgramUpper));
  file.PrintNumber(s.TextOriginScreen);
  file.PrintNumber(s.CdWithLinkedWavOff);
  file.PrintNumber(s.StopShowAtCdProgramEnd);
  file.PrintNumber(s.OverlayBackColorIndex);
  file.PrintNumber(s.PicturePosition);
  file.PrintNumber(s.SoundListInSlideshowFile);
  if (s.SoundListInSlideshowFile == 1) {
    const int k = ListCount(lists.SoundListCount, kSoundArrayUpper);
    file.PrintNumber(k);
    for (int i = 1; i <= k; ++i) file.PrintLine(pathItem(lists.SoundListEntries[i]));
  }
  WriteSharedTail(file, s, pathItem(s.RepeatMp3File));
  file.PrintNumber(s.Mp3WithLinkedWav);
  file.PrintNumber(s.SoundListWithLinkedWav);

  // "-" in front of each record, printed on its own so that no line is built for it.
  for (int i = 0; i < n; ++i) {
    file.Print(QStringLiteral("-"));
    file.PrintLine(i < records.size() ? records[i] : QString());
  }
}

// A saved file makes the committed schedule arrays those of the editor's records, so that
// they match what the file holds.
void RefreshScheduleArrays() {
  Windows().LoadSlideList();
  CommitScheduleMoments(Form3List2().Items(), Form3List1().Count());
}

int g_slideshowFilesSaved = 0;

}  // namespace

bool SaveSlideshowFile(QString& path) {
  path = WithDefaultExtension(path, QLatin1String(kSlideshowExtension));
  if (!SaveListFile(path, [&path](platform::VbFile& file) { WriteSlideshowLines(file, path); }))
    return false;
  ++g_slideshowFilesSaved;
  RefreshScheduleArrays();

  PathState& paths = Paths();
  paths.SlideshowFilePath = path;
  form1().SetCaption(kSlideCaptionPrefix + path);
  paths.SlideshowFileName = QFileInfo(path).fileName();
  if (!paths.SlideshowFilePath.isEmpty()) paths.SlideshowFileTime = FileDateTimeText(path);
  return true;
}

int SlideshowFilesSaved() { return g_slideshowFilesSaved; }

bool LoadSlideshowFile(const QString& path) {
  HourglassPointer hourglass;
  SlideshowContents contents;
  try {
    contents = ReadSlideshowContents(path, Paths().OpenedFileFolder);
  } catch (const std::exception&) {
    hourglass.Restore();
    WarnUnsuitableFile(path, QStringLiteral("ファイルを開く"));
    Flags().ShowEndRequested = 1;
    if (Paths().CmdLineFileOpening == 1) EndProgramNow();
    return false;
  }
  ApplySlideshowContents(path, contents);
  return true;
}

}  // namespace core
