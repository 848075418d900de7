// The sound-list file: its reader and writer.
#include "core/soundlist_file.h"

#include <QStringList>
#include <algorithm>

#include "core/list_file.h"
#include "core/lists.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/vbfile.h"

namespace core {

QString SoundListFilePath() { return AppDataFolder() + QLatin1String(kSoundListFileName); }

void LoadSoundListFile() {
  const QString appFolder = AppDataFolder();
  QStringList entries;
  HourglassPointer hourglass;
  const QString path = SoundListFilePath();
  bool opened = false;
  try {
    platform::VbFile file(path, platform::FileMode::Input);
    opened = true;
    if (file.LineInput().left(6) != QLatin1String(kSoundListFileTag))
      throw platform::VbError(platform::kErrTypeMismatch, QStringLiteral("not a sound list"));
    // The count is what the file holds: entries past the array's bound, and a count that
    // promises more lines than there are, do not count.
    const int stored = std::min<int>(file.InputInteger(), kSoundArrayUpper);
    for (int i = 0; i < stored && !file.Eof(); ++i)
      entries.append(ResolveStoredPath(file.LineInput(), appFolder));
  } catch (const std::exception& e) {
    if (opened) {
      platform::LogSwallowed("sound list read", e);
      KeepDamagedBeforeNextSave(path);
    }
    return;
  }

  ListState& lists = Lists();
  Windows().LoadSoundList();
  Form10List1().Reset(entries);
  lists.SoundListEntries.Erase();
  for (int i = 0; i < entries.size(); ++i) lists.SoundListEntries[i + 1] = entries[i];
  lists.SoundListCount = static_cast<short>(entries.size());
}

void SaveSoundListFile() {
  const ListState& lists = Lists();
  const int count = std::clamp<int>(lists.SoundListCount, 0, kSoundArrayUpper);
  SaveListFile(SoundListFilePath(), [&](platform::VbFile& file) {
    file.PrintLine(QLatin1String(kSoundListFileTag));
    file.PrintNumber(count);
    for (int i = 1; i <= count; ++i) file.PrintLine(lists.SoundListEntries[i]);
  });
}

}  // namespace core
