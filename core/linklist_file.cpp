// The link-list file: its writer (also the distribution save) and its reader.
#include "core/linklist_file.h"

#include <QFileInfo>
#include <QStringList>

#include "core/common.h"
#include "core/list_file.h"
#include "core/lists.h"
#include "core/services.h"
#include "core/startup.h"
#include "core/state.h"
#include "platform/vbfile.h"

namespace core {

using platform::VbError;

namespace {

// The data item that begins a line: leading blanks skipped, up to a comma (an item in
// double quotes up to the closing quote).
QString FirstItemOf(const QString& line) {
  qsizetype i = 0;
  while (i < line.size() && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t'))) ++i;
  if (i < line.size() && line[i] == QLatin1Char('"')) {
    const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
    return line.mid(i + 1, close < 0 ? -1 : close - i - 1);
  }
  const qsizetype comma = line.indexOf(QLatin1Char(','), i);
  return line.mid(i, comma < 0 ? -1 : comma - i);
}

// True when line 1 names a link-list layout the reader knows.
bool AcceptedTag(const QString& line) {
  const QString item = FirstItemOf(line);
  const QString key = item.startsWith(QLatin1String("pic")) ? item : item.mid(1, 7);
  return key == QLatin1String("pic2") || key.startsWith(QLatin1String("pic3"));
}

QStringList ReadLinkEntries(const QString& path, const QString& folder) {
  platform::VbFile file(path, platform::FileMode::Input);
  if (!AcceptedTag(file.LineInput()))
    throw VbError(platform::kErrTypeMismatch, QStringLiteral("Unknown version"));
  file.LineInput();  // the path the list was saved under: the file's own path counts
  const int count = ListCount(file.InputInteger(), kLinkArrayUpper);
  QStringList entries;
  for (int i = 0; i < count; ++i) entries.append(ResolveStoredPath(file.LineInput(), folder));
  return entries;
}

}  // namespace

void SaveLinkListFile(QString& path) {
  path = WithDefaultExtension(path, QLatin1String(kLinkListExtension));
  const bool distribution = Paths().DistributionSave == 1;
  WindowCalls& editors = Windows();
  editors.LoadLinkList();
  const bool saved = SaveListFile(path, [&](platform::VbFile& file) {
    const QStringList& entries = Form9List1().Items();
    file.PrintLine(QLatin1String(kLinkListFileTag));
    file.PrintLine(StoredPathItem(path, distribution));
    file.PrintNumber(entries.size());
    for (const QString& entry : entries) file.PrintLine(StoredPathItem(entry, distribution));
  });
  if (!saved) return;

  PathState& paths = Paths();
  paths.LinkListFilePath = path;
  editors.NameLinkListFile(path);
  paths.LinkListFileName = QFileInfo(path).fileName();
}

void LoadLinkListFile(const QString& path) {
  HourglassPointer hourglass;
  QStringList entries;
  try {
    entries = ReadLinkEntries(path, Paths().OpenedFileFolder);
  } catch (const std::exception&) {
    hourglass.Restore();
    WarnUnsuitableFile(path, QStringLiteral("ファイルを開く"));
    if (Paths().CmdLineFileOpening == 1) EndProgramNow();
    return;
  }

  WindowCalls& editors = Windows();
  editors.LoadLinkList();
  Form9List1().Reset(entries);
  ListState& lists = Lists();
  lists.LinkListEntries.Erase();
  for (int i = 0; i < entries.size(); ++i) lists.LinkListEntries[i + 1] = entries[i];
  editors.NameLinkListFile(path);
  PathState& paths = Paths();
  paths.LinkListFilePath = path;
  paths.LinkListFileName = QFileInfo(path).fileName();
}

}  // namespace core
