#include "platform/folderchooser.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <algorithm>

#include "platform/filelists.h"
#include "platform/vberror.h"
#include "platform/vbfile.h"

namespace platform {

namespace {

constexpr int kPathRole = Qt::UserRole + 1;

QString CleanFolder(const QString& path) {
  QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  return clean.isEmpty() ? QStringLiteral("/") : clean;
}

}  // namespace

// ---- drive list ---------------------------------------------------------------------------

DriveChooser::DriveChooser(QWidget* parent) : ControlBase(parent) {
  Refresh();
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (!fromCode_) emit Change();
  });
}

QStringList DriveChooser::Drives() const {
  QStringList drives;
  for (int i = 0; i < count(); ++i) drives << itemText(i);
  return drives;
}

void DriveChooser::Refresh() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid()) continue;
    const QString root = volume.rootPath();
    if (!roots.contains(root)) roots << root;
  }
  roots.removeAll(QStringLiteral("/"));
  std::sort(roots.begin(), roots.end());
  roots.prepend(QStringLiteral("/"));
  const QString current = currentText();
  fromCode_ = true;
  clear();
  addItems(roots);
  const int keep = findText(current);
  setCurrentIndex(keep >= 0 ? keep : 0);
  fromCode_ = false;
}

void DriveChooser::SetDrive(const QString& path) {
  const QString root = DriveOfPath(path);
  int index = findText(root);
  fromCode_ = true;
  if (index < 0) {
    addItem(root);
    index = count() - 1;
  }
  const bool changed = index != currentIndex();
  setCurrentIndex(index);
  fromCode_ = false;
  if (changed) emit Change();
}

// ---- folder list --------------------------------------------------------------------------

FolderChooser::FolderChooser(QWidget* parent) : ControlBase(parent) {
  path_ = QStringLiteral("/");
  Fill();
  connect(this, &QListWidget::itemDoubleClicked, this, &FolderChooser::OpenEntry);
}

void FolderChooser::SetPath(const QString& path) {
  const QString clean = CleanFolder(path);
  if (path.isEmpty() || !QFileInfo(clean).isDir())
    throw VbError(kErrPathNotFound, QStringLiteral("Path not found: %1").arg(path),
                  QStringLiteral("FolderChooser"));
  const bool changed = clean != path_;
  path_ = clean;
  Fill();
  if (changed) emit Change();
}

QStringList FolderChooser::Entries() const {
  QStringList entries;
  for (int i = 0; i < count(); ++i) entries << item(i)->data(kPathRole).toString();
  return entries;
}

void FolderChooser::Refresh() { Fill(); }

void FolderChooser::Fill() {
  clear();
  // The chain from the root down to the open folder, each one step further in.
  QStringList chain;
  for (QString p = path_;; p = QFileInfo(p).path()) {
    chain.prepend(p);
    if (p == u'/' || QFileInfo(p).path() == p) break;
  }
  int depth = 0;
  for (const QString& p : chain) {
    const QString name = p == u'/' ? p : QFileInfo(p).fileName();
    auto* entry = new QListWidgetItem(QString(depth * 2, u' ') + name, this);
    entry->setData(kPathRole, p);
    ++depth;
  }
  setCurrentRow(static_cast<int>(chain.size()) - 1);
  const QDir dir(path_);
  const QStringList subfolders =
      dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& name : subfolders) {
    auto* entry = new QListWidgetItem(QString(depth * 2, u' ') + name, this);
    entry->setData(kPathRole, dir.filePath(name));
  }
}

void FolderChooser::OpenEntry(QListWidgetItem* entry) {
  if (!entry) return;
  try {
    SetPath(entry->data(kPathRole).toString());
  } catch (const VbError& e) {
    LogSwallowed("folder list", e);
    Fill();  // the folder went away: show what is there now
  }
}

void FolderChooser::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    OpenEntry(currentItem());
    return;
  }
  QListWidget::keyPressEvent(e);
}

}  // namespace platform
