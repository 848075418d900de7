// The link settings file: its writer and reader.
#include "core/link_settings_file.h"

#include <QStringList>

#include "core/list_file.h"
#include "core/lists.h"
#include "core/mirrors.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/vbfile.h"

namespace core {

using platform::VbError;

namespace {

struct LinkSettings {
  short autoStart = 0;
  short repeat = 0;
  short keepAtEnd = 0;
  QString listFilePath;
  QStringList entries;
};

}  // namespace

QString LinkSettingsFilePath() { return AppDataFolder() + QLatin1String(kLinkSettingsFileName); }

void SaveLinkSettingsFile() {
  const ShowSettings& s = Settings();
  Windows().LoadLinkList();
  const QStringList& entries = Form9List1().Items();
  SaveListFile(LinkSettingsFilePath(), [&](platform::VbFile& file) {
    file.PrintLine(QLatin1String(kLinkSettingsFileTag));
    file.PrintNumber(s.LinkAutoStart);
    file.PrintNumber(s.LinkRepeat);
    file.PrintNumber(s.LinkKeepAtEnd);
    file.PrintLine(Paths().LinkListFilePath);
    file.PrintNumber(entries.size());
    for (const QString& entry : entries) file.PrintLine(entry);
  });
}

void LoadLinkSettingsFile() {
  const QString appFolder = AppDataFolder();
  LinkSettings read;
  HourglassPointer hourglass;
  const QString path = LinkSettingsFilePath();
  bool opened = false;
  try {
    platform::VbFile file(path, platform::FileMode::Input);
    opened = true;
    if (file.LineInput() != QLatin1String(kLinkSettingsFileTag))
      throw VbError(platform::kErrTypeMismatch, QStringLiteral("not a link settings file"));
    read.autoStart = file.InputInteger();
    read.repeat = file.InputInteger();
    read.keepAtEnd = file.InputInteger();
    read.listFilePath = file.LineInput();
    const short count = file.InputInteger();
    if (count > kLinkArrayUpper)
      throw VbError(platform::kErrSubscript, QStringLiteral("Subscript out of range"));
    for (int i = 0; i < count; ++i)
      read.entries.append(ResolveStoredPath(file.LineInput(), appFolder));
  } catch (const std::exception& e) {
    if (opened) {
      platform::LogSwallowed("link settings file read", e);
      KeepDamagedBeforeNextSave(path);
    }
    return;
  }

  // Each value is stored before its box is set, so the box's reaction finds them equal.
  ShowSettings& s = Settings();
  WindowCalls& editors = Windows();
  editors.LoadLinkList();
  s.LinkAutoStart = read.autoStart;
  RefreshMirror(&s.LinkAutoStart);
  s.LinkRepeat = read.repeat;
  RefreshMirror(&s.LinkRepeat);
  s.LinkKeepAtEnd = read.keepAtEnd;
  RefreshMirror(&s.LinkKeepAtEnd);
  PathState& paths = Paths();
  paths.LinkListFileName = read.listFilePath;
  paths.LinkListFilePath = read.listFilePath;

  ListState& lists = Lists();
  QStringList items = Form9List1().Items();
  items += read.entries;
  Form9List1().Reset(items);
  for (int i = 0; i < read.entries.size(); ++i) lists.LinkListEntries[i + 1] = read.entries[i];
  if (!paths.LinkListFilePath.isEmpty()) editors.NameLinkListFile(paths.LinkListFilePath);
}

}  // namespace core
