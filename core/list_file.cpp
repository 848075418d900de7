// Rules and steps the program's list files share.
#include "core/list_file.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <utility>

#include "core/common.h"
#include "core/form1.h"
#include "core/mirrors.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "platform/vbfile.h"

namespace core {

using platform::VbError;

namespace {

constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;
constexpr int kMaxInterval = 65535;  // the most the slide timer takes
constexpr int kSlitMin = 2, kSlitMax = 100;
constexpr int kMosaicMin = 5, kMosaicMax = 100;

}  // namespace

QString AppDataFolder() {
  const QString& folder = Paths().AppFolder;
  return folder.isEmpty() ? platform::AppFolderPath() : folder;
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
  return path.right(4).contains(QLatin1Char('.')) ? path : path + extension;
}

QString ResolveStoredPath(const QString& entry, const QString& folder) {
  return entry.contains(QLatin1Char('/')) ? entry : folder + entry;
}

QString StoredPathItem(const QString& path, bool distribution) {
  return (distribution && !path.isEmpty()) ? GetFileNameOfPath(path) : path;
}

QString FileDateTimeText(const QString& path) {
  if (path.isEmpty()) return {};
  QFileInfo info(path);
  if (!info.exists()) return {};
  return info.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss.zzz"));
}

void WarnUnsuitableFile(const QString& path, const QString& title) {
  platform::MsgBox(path + QStringLiteral("\r\nこのファイル名は適合しません。"),
                   platform::vbOKOnly | platform::vbExclamation, title);
}

void ResetShowSurfaceForOverlay() { Windows().ResetShowSurfaceForOverlay(); }

// ---- reading and writing ----------------------------------------------------------------

HourglassPointer::HourglassPointer() { platform::SetScreenMousePointer(kHourglass); }

void HourglassPointer::Restore() {
  if (restored_) return;
  restored_ = true;
  platform::SetScreenMousePointer(kDefaultPointer);
}

namespace {
QStringList& DamagedFiles() {
  static QStringList paths;
  return paths;
}

void KeepDamagedCopy(const QString& path) {
  if (!DamagedFiles().removeAll(path)) return;
  const QString copy = path + QStringLiteral(".damaged");
  QFile::remove(copy);
  if (!QFile::copy(path, copy))
    qWarning("the damaged file %s could not be kept as %s", qPrintable(path), qPrintable(copy));
}
}  // namespace

void KeepDamagedBeforeNextSave(const QString& path) {
  if (!DamagedFiles().contains(path)) DamagedFiles().append(path);
}

bool SaveListFile(const QString& path, const std::function<void(platform::VbFile&)>& writeLines) {
  HourglassPointer hourglass;
  KeepDamagedCopy(path);
  try {
    platform::VbFile file(path, platform::FileMode::Output);
    writeLines(file);
    file.Close();
  } catch (const std::exception&) {
    hourglass.Restore();
    WarnUnsuitableFile(path, QStringLiteral("ファイルの保存"));
    return false;
  }
  return true;
}

// ---- values read --------------------------------------------------------------------------

short MenuValue(short value, int itemCount) {
  if (value < 0 || value >= itemCount)
    throw VbError(platform::kErrNoArrayElement,
                  QStringLiteral("Control array element does not exist"));
  return value;
}

int ListCount(short count, int upper) {
  if (count < 0 || count > upper)
    throw VbError(platform::kErrSubscript, QStringLiteral("Subscript out of range"));
  return count;
}

short ClampSlitCount(short count) {
  return static_cast<short>(std::clamp<int>(count, kSlitMin, kSlitMax));
}

short ClampMosaicCount(short count) {
  return static_cast<short>(std::clamp<int>(count, kMosaicMin, kMosaicMax));
}

void ReadSlideInterval(platform::VbFile& file, ShowSettings& s) {
  s.SlideIntervalMs = std::max(file.InputLong(), 1000);
  if (s.SlideIntervalMs > kMaxInterval)
    throw VbError(platform::kErrInvalidCall, QStringLiteral("Interval too long"));
  s.SlideIntervalSeconds = std::max(platform::CLng(s.SlideIntervalMs / 1000.0), 1);
}

void WriteIntervalRepeatAndSoundMode(platform::VbFile& file, ShowSettings& s) {
  file.PrintNumber(platform::CLng(s.SlideIntervalSeconds * 1000.0));
  file.PrintNumber(s.RepeatOff);
  s.Mp3RepeatModeFlag = s.SoundMode == 8 ? 1 : 0;
  file.PrintNumber(s.SoundMode == 8 ? 7 : s.SoundMode);
}

QStringList ReadCdProgram(platform::VbFile& file) {
  QStringList program;
  if (file.Eof()) return program;
  const int m = ListCount(file.InputInteger(), kCdProgramUpper);
  for (int i = 0; i < m; ++i) program.append(file.LineInput());
  return program;
}

void WriteCdProgram(platform::VbFile& file, int count) {
  file.PrintNumber(count);
  for (int i = 1; i <= count; ++i) file.PrintLine(Lists().CdProgram[i]);
}

void ReadSharedTail(platform::VbFile& file, ShowSettings& s,
                    const std::function<QString(const QString&)>& mp3Path) {
  s.MidiWithLinkedWav = file.Eof() ? 0 : file.InputInteger();
  s.RepeatMp3File = file.Eof() ? QString() : mp3Path(file.LineInput());
  s.Mp3RepeatModeFlag = file.Eof() ? 0 : file.InputInteger();
  if (s.Mp3RepeatModeFlag == 1) s.SoundMode = 8;
  s.AlwaysFullScreenOff = MenuValue(file.Eof() ? 1 : file.InputInteger(), 2);
  s.EffectSpeedFixed = MenuValue(file.Eof() ? 0 : file.InputInteger(), 2);
  if (s.EffectSpeedFixed != 0) {
    s.DisplayEffectSpeed = -30;
    s.EraseEffectSpeed = -30;
  }
  s.PictureLoadMode = MenuValue(file.Eof() ? 0 : file.InputInteger(), 2);
}

void WriteSharedTail(platform::VbFile& file, const ShowSettings& s, const QString& mp3Item) {
  file.PrintNumber(s.MidiWithLinkedWav);
  file.PrintLine(mp3Item);
  file.PrintNumber(s.Mp3RepeatModeFlag);
  file.PrintNumber(s.AlwaysFullScreenOff);
  file.PrintNumber(s.EffectSpeedFixed);
  file.PrintNumber(s.PictureLoadMode);
}

// ---- applying what was read ----------------------------------------------------------------

void CommitSlides(const QStringList& slides, const QStringList& records) {
  ListState& lists = Lists();
  lists.SlidePaths.Erase();
  for (int i = 0; i < slides.size(); ++i) lists.SlidePaths[i + 1] = slides[i];
  CommitScheduleMoments(records, static_cast<int>(slides.size()));
}

void CommitScheduleMoments(const QStringList& records, int count) {
  ListState& lists = Lists();
  lists.SlideAddDateTimes.Erase();
  lists.SlideDeleteDateTimes.Erase();
  // A list repeats a few records, most of them blank. Each different one is worked out once
  // and its moments shared by the slides that hold it, which spares two strings a slide.
  constexpr qsizetype kMostRemembered = 1024;
  QHash<QString, std::pair<QString, QString>> known;
  for (int i = 0; i < count; ++i) {
    const QString record = i < records.size() ? records[i] : QString();
    auto it = known.constFind(record);
    if (it == known.cend()) {
      std::pair<QString, QString> moments{ScheduleAddMoment(record), ScheduleDeleteMoment(record)};
      if (known.size() < kMostRemembered) {
        it = known.insert(record, std::move(moments));
      } else {
        lists.SlideAddDateTimes[i + 1] = std::move(moments.first);
        lists.SlideDeleteDateTimes[i + 1] = std::move(moments.second);
        continue;
      }
    }
    lists.SlideAddDateTimes[i + 1] = it->first;
    lists.SlideDeleteDateTimes[i + 1] = it->second;
  }
}

void CommitCdProgram(const QStringList& program) {
  ListState& lists = Lists();
  lists.CdProgram.Erase();
  for (int i = 0; i < program.size(); ++i) lists.CdProgram[i + 1] = program[i];
  lists.CdProgramCount = static_cast<short>(program.size());
}

void RefreshSharedTailMenus(Form1& main) {
  ShowSettings& s = Settings();
  RefreshMirror(&s.OverlayBackColorIndex);
  RefreshMirror(&s.PicturePosition);
  RefreshMirror(&s.AlwaysFullScreenOff);
  RefreshMirror(&s.EffectSpeedFixed);
  main.mnuHKSP.SetEnabled(s.EffectSpeedFixed == 0);
  main.mnuSKSP.SetEnabled(s.EffectSpeedFixed == 0);
  main.mnuKAHAI.SetEnabled(s.OverlayMode != 0);
  RefreshMirror(&s.PictureLoadMode);
}

}  // namespace core
