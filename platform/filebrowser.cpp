#include "platform/filebrowser.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStyle>

namespace platform {

namespace {

QString CleanFolder(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

// Checks that a folder can be opened: 76 when it is missing, 70 when it cannot be listed.
void CheckFolder(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.isDir()) throw VbError(kErrPathNotFound, QStringLiteral("Path not found: ") + folder);
  if (!info.isReadable() || !info.isExecutable())
    throw VbError(kErrPermissionDenied, QStringLiteral("Permission denied: ") + folder);
}

// Mount points a user browses on this machine: the root and removable or added volumes.
bool UserVolume(const QString& root) {
  return root == QLatin1String("/") || root.startsWith(QLatin1String("/media/")) ||
         root.startsWith(QLatin1String("/run/media/")) || root.startsWith(QLatin1String("/mnt/"));
}

QHash<QString, QString>& DriveFolders() {
  static QHash<QString, QString> folders;
  return folders;
}

QString DriveText(const QString& mountPoint) {
  const QString name = QStorageInfo(mountPoint).name();
  return name.isEmpty() ? mountPoint : mountPoint + QStringLiteral(" [") + name + QLatin1Char(']');
}

}  // namespace

QString DriveOfPath(const QString& path) {
  QString probe = CleanFolder(path.isEmpty() ? QStringLiteral("/") : path);
  while (!QFileInfo::exists(probe) && probe != QLatin1String("/")) {
    probe = QFileInfo(probe).absolutePath();
  }
  const QStorageInfo info(probe);
  const QString root = info.isValid() ? info.rootPath() : QString();
  return root.isEmpty() ? QStringLiteral("/") : root;
}

QString CurrentFolderOnDrive(const QString& drive) { return DriveFolders().value(drive, drive); }

bool MatchesFilePattern(const QString& name, const QString& pattern) {
  for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString p = part.trimmed();
    if (p == QLatin1String("*") || p == QLatin1String("*.*")) return true;
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                QRegularExpression::CaseInsensitiveOption);
    if (re.match(name).hasMatch()) return true;
  }
  return false;
}

// ---- drive list ----------------------------------------------------------------------

DriveListBox::DriveListBox(QWidget* parent) : ControlBase(parent) {
  setEditable(false);
  Refresh();
  connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
    if (!settingFromCode_) emit Change();
  });
}

int DriveListBox::AddDrive(const QString& mountPoint) {
  const int found = findData(mountPoint);
  if (found >= 0) return found;
  // Sorted by mount point, the root first.
  int at = 0;
  while (at < count() && itemData(at).toString() < mountPoint) ++at;
  insertItem(at, DriveText(mountPoint), mountPoint);
  return at;
}

void DriveListBox::Refresh() {
  const QString chosen = Drive();
  settingFromCode_ = true;
  AddDrive(QStringLiteral("/"));
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady() && UserVolume(volume.rootPath()))
      AddDrive(volume.rootPath());
  }
  const int keep = findData(chosen.isEmpty() ? QStringLiteral("/") : chosen);
  setCurrentIndex(keep >= 0 ? keep : 0);
  settingFromCode_ = false;
}

QString DriveListBox::Drive() const { return currentData().toString(); }

void DriveListBox::SetDrive(const QString& path) {
  const QString drive = DriveOfPath(path);
  settingFromCode_ = true;
  const int index = AddDrive(drive);
  const bool changed = index != currentIndex();
  setCurrentIndex(index);
  settingFromCode_ = false;
  if (changed) emit Change();
}

QString DriveListBox::List(int index) const {
  if (index < 0 || index >= count()) throw VbError(kErrInvalidPropertyIndex, "List");
  return itemData(index).toString();
}

// ---- folder list ---------------------------------------------------------------------

DirListBox::DirListBox(QWidget* parent) : ControlBase(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    if (rebuilding_ || row < 0) return;
    listIndex_ = IndexOfRow(row);
    emit Click();
  });
  connect(this, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenRow(row(item)); });
  SetPath(QDir::homePath());
}

int DirListBox::RowOf(int index) const {
  // Rows: ancestors (root first, the open folder last), then the subfolders.
  if (index >= 0) return static_cast<int>(ancestors_.size()) + index;
  return static_cast<int>(ancestors_.size()) + index;
}

int DirListBox::IndexOfRow(int row) const { return row - static_cast<int>(ancestors_.size()); }

void DirListBox::OpenRow(int row) {
  const QString target = List(IndexOfRow(row));
  try {
    SetPath(target);
  } catch (const VbError& e) {
    // A folder the user cannot open: the list stays where it was.
    LogSwallowed("open folder", e);
  }
}

void DirListBox::SetPath(const QString& path) {
  const QString folder = CleanFolder(path);
  CheckFolder(folder);
  const bool changed = folder != path_;
  path_ = folder;
  DriveFolders().insert(DriveOfPath(folder), folder);
  Rebuild();
  if (changed) emit Change();
}

void DirListBox::Refresh() {
  if (!path_.isEmpty()) Rebuild();
}

void DirListBox::Rebuild() {
  ancestors_.clear();
  for (QString p = path_;; p = QFileInfo(p).absolutePath()) {
    ancestors_.prepend(p);
    if (QDir(p).isRoot()) break;
  }
  subfolders_.clear();
  const QDir dir(path_);
  for (const QString& name :
       dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
    subfolders_ << dir.filePath(name);

  rebuilding_ = true;
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  for (int i = 0; i < ancestors_.size(); ++i) {
    const QString name = i == 0 ? ancestors_[i] : QFileInfo(ancestors_[i]).fileName();
    addItem(new QListWidgetItem(open, QString(i * 2, QLatin1Char(' ')) + name));
  }
  const QString indent(static_cast<int>(ancestors_.size()) * 2, QLatin1Char(' '));
  for (const QString& sub : subfolders_)
    addItem(new QListWidgetItem(closed, indent + QFileInfo(sub).fileName()));
  listIndex_ = -1;
  setCurrentRow(RowOf(-1));
  rebuilding_ = false;
}

QString DirListBox::List(int index) const {
  if (index >= ListCount() || -index > ancestors_.size())
    throw VbError(kErrInvalidPropertyIndex, "List");
  if (index >= 0) return subfolders_[index];
  return ancestors_[ancestors_.size() + index];
}

void DirListBox::SetListIndex(int index) {
  if (index >= ListCount() || -index > ancestors_.size())
    throw VbError(kErrInvalidPropertyValue, "ListIndex");
  setCurrentRow(RowOf(index));
}

void DirListBox::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (currentRow() >= 0) OpenRow(currentRow());
    return;
  }
  QListWidget::keyPressEvent(e);
}

// ---- file list -----------------------------------------------------------------------

FileListBox::FileListBox(QWidget* parent) : ControlBase(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!rebuilding_) listIndex_ = row;
  });
  // Every click chooses, the chosen file included (a click adds a file once more).
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    listIndex_ = row(item);
    emit Click();
  });
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem*) { emit DblClick(); });
  path_ = CleanFolder(QDir::homePath());
  Read();
}

void FileListBox::SetPath(const QString& path) {
  const QString folder = CleanFolder(path);
  CheckFolder(folder);
  const bool changed = folder != path_;
  path_ = folder;
  Read();
  if (changed) emit PathChange();
}

void FileListBox::SetPattern(const QString& pattern) {
  const bool changed = pattern != pattern_;
  pattern_ = pattern;
  Read();
  if (changed) emit PatternChange();
}

QString FileListBox::FileName() const { return List(listIndex_); }

void FileListBox::SetFileName(const QString& text) {
  const bool wildcard = text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
  const int slash = static_cast<int>(text.lastIndexOf(QLatin1Char('/')));
  if (slash >= 0 && wildcard) {
    SetPath(slash == 0 ? QStringLiteral("/") : text.left(slash));
    SetPattern(text.mid(slash + 1));
    return;
  }
  if (wildcard) {
    SetPattern(text);
    return;
  }
  if (slash >= 0) {
    SetPath(slash == 0 ? QStringLiteral("/") : text.left(slash));
  }
  const int at = static_cast<int>(files_.indexOf(text.mid(slash + 1)));
  if (at >= 0) SetListIndex(at);
}

void FileListBox::Refresh() { Read(); }

void FileListBox::Read() {
  files_.clear();
  const QDir dir(path_);
  for (const QString& name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
    if (MatchesFilePattern(name, pattern_)) files_ << name;
  }
  rebuilding_ = true;
  clear();
  addItems(files_);
  listIndex_ = -1;
  setCurrentRow(-1);
  rebuilding_ = false;
}

QString FileListBox::List(int index) const {
  if (index < -1) throw VbError(kErrInvalidPropertyIndex, "List");
  if (index < 0 || index >= files_.size()) return {};
  return files_[index];
}

void FileListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw VbError(kErrInvalidPropertyValue, "ListIndex");
  rebuilding_ = true;
  setCurrentRow(index);
  rebuilding_ = false;
  listIndex_ = index;
  emit Click();
}

}  // namespace platform
