#include "platform/filelists.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/folderwalk.h"
#include "platform/listbox.h"

namespace platform {

namespace {

constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 12;

// The entries of `folder` of one kind, visible ones only, sorted by name without regard to
// case. A folder that cannot be read raises error 75.
QStringList ReadFolder(const QString& folder, QDir::Filters kind, const QStringList& patterns) {
  QDir dir(folder);
  if (!dir.exists()) throw VbError(kErrPathNotFound, QStringLiteral("Path not found"));
  if (!QFileInfo(folder).isReadable())
    throw VbError(kErrPathFileAccess, QStringLiteral("Path/File access error"));
  dir.setFilter(kind | QDir::NoDotAndDotDot);
  if (!patterns.isEmpty()) dir.setNameFilters(patterns);
  QStringList names = dir.entryList();
  std::sort(names.begin(), names.end(), NameOrderLess);
  return names;
}

QString JoinPath(const QString& folder, const QString& name) {
  return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

}  // namespace

// ---- paths and drives ---------------------------------------------------------------------

QString NormalFolderPath(const QString& path) {
  QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  if (p.size() > 1 && p.endsWith(QLatin1Char('/'))) p.chop(1);
  return p;
}

QStringList MountedDrives() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = volume.rootPath();
    // Files bound over files (containers mount some) are no drives.
    if (!QFileInfo(root).isDir() || roots.contains(root)) continue;
    roots << root;
  }
  if (!roots.contains(QStringLiteral("/"))) roots << QStringLiteral("/");
  std::sort(roots.begin(), roots.end(), [](const QString& a, const QString& b) {
    if (a == QLatin1String("/") || b == QLatin1String("/")) return a == QLatin1String("/");
    return a < b;
  });
  return roots;
}

QString DriveOfPath(const QString& path) {
  const QString p = NormalFolderPath(path);
  QString best;
  for (const QString& root : MountedDrives()) {
    const bool holds =
        root == QLatin1String("/") || p == root || p.startsWith(root + QLatin1Char('/'));
    if (holds && root.size() > best.size()) best = root;
  }
  return best;
}

// ---- drive list ---------------------------------------------------------------------------

DriveListBox::DriveListBox(QWidget* parent) : ControlBase(parent) {
  setEditable(false);
  Fill();
  connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int) {
    if (!settingFromCode_) emit Change();
  });
}

void DriveListBox::Fill() {
  const QString chosen = Drive();
  settingFromCode_ = true;
  clear();
  drives_ = MountedDrives();
  for (const QString& root : drives_) {
    const QStorageInfo volume(root);
    const QString name = volume.name();
    addItem(name.isEmpty() || name == root ? root
                                           : root + QStringLiteral(" [") + name + QLatin1Char(']'));
  }
  const int keep = static_cast<int>(drives_.indexOf(chosen));
  setCurrentIndex(keep >= 0 ? keep : 0);
  settingFromCode_ = false;
}

QString DriveListBox::Drive() const {
  const int i = currentIndex();
  return i >= 0 && i < drives_.size() ? drives_.at(i) : QString();
}

QString DriveListBox::List(int index) const {
  return index >= 0 && index < drives_.size() ? drives_.at(index) : QString();
}

void DriveListBox::SetDrive(const QString& path) {
  QString drive = DriveOfPath(path);
  int index = static_cast<int>(drives_.indexOf(drive));
  if (index < 0) {
    // Mounted since the list was read.
    Fill();
    index = static_cast<int>(drives_.indexOf(drive));
  }
  if (drive.isEmpty() || index < 0)
    throw VbError(kErrDeviceUnavailable, QStringLiteral("Device unavailable"));
  if (index != currentIndex()) setCurrentIndex(index);  // raises Change
}

void DriveListBox::Refresh() { Fill(); }

// ---- folder list --------------------------------------------------------------------------

class DirListModel : public QAbstractListModel {
 public:
  explicit DirListModel(DirListBox* owner) : QAbstractListModel(owner), owner_(owner) {}
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : owner_->Ancestors() + owner_->ListCount();
  }
  QVariant data(const QModelIndex& index, int role) const override {
    const int row = index.row();
    const int a = owner_->Ancestors();
    if (!index.isValid() || row >= rowCount()) return {};
    const bool open = row < a;
    const QString path = open ? owner_->ancestors_.at(row) : owner_->subfolders_.at(row - a);
    switch (role) {
      case Qt::DisplayRole:
      case Qt::ToolTipRole:
        return path == QLatin1String("/") ? path : QFileInfo(path).fileName();
      case Qt::DecorationRole:
        return QApplication::style()->standardIcon(open ? QStyle::SP_DirOpenIcon
                                                        : QStyle::SP_DirClosedIcon);
      case kDepthRole:
        return open ? row : a;
      default:
        return {};
    }
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  DirListBox* owner_;
};

namespace {
// Indents each folder by its depth below the root.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem indented = option;
    indented.rect.adjust(index.data(kDepthRole).toInt() * kIndentPixels, 0, 0, 0);
    QStyledItemDelegate::paint(painter, indented, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.rwidth() += index.data(kDepthRole).toInt() * kIndentPixels;
    return s;
  }
};
}  // namespace

DirListBox::DirListBox(QWidget* parent) : ControlBase(parent), model_(new DirListModel(this)) {
  setModel(model_);
  setItemDelegate(new IndentDelegate(this));
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (syncing_ || !current.isValid()) return;
            const int index = current.row() - Ancestors();
            if (index == listIndex_) return;
            listIndex_ = index;
            emit Click();
          });
  connect(this, &QListView::doubleClicked, this,
          [this](const QModelIndex& index) { OpenRow(index.row()); });
  path_ = NormalFolderPath(QDir::rootPath());
  TryStep([this] { Rebuild(); });
}

DirListBox::~DirListBox() = default;

QString DirListBox::List(int index) const {
  if (index >= 0) return index < subfolders_.size() ? subfolders_.at(index) : QString();
  const int row = Ancestors() + index;
  return row >= 0 ? ancestors_.at(row) : QString();
}

void DirListBox::Rebuild() {
  QStringList subfolders;
  for (const QString& name : ReadFolder(path_, QDir::Dirs, {})) subfolders << JoinPath(path_, name);
  QStringList ancestors;
  for (QString p = path_;; p = QFileInfo(p).path()) {
    ancestors.prepend(p);
    if (QDir(p).isRoot() || p == QFileInfo(p).path()) break;
  }
  syncing_ = true;
  ancestors_ = ancestors;
  subfolders_ = subfolders;
  model_->Reset();
  listIndex_ = -1;
  const QModelIndex current = model_->index(Ancestors() - 1);
  selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
  scrollTo(current);
  syncing_ = false;
}

namespace {
QHash<QString, QString>& DriveFolders() {
  static QHash<QString, QString> folders;
  return folders;
}
}  // namespace

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

void DirListBox::SetPath(const QString& path) {
  const QString p = NormalFolderPath(path);
  if (!QFileInfo(p).isDir()) throw VbError(kErrPathNotFound, QStringLiteral("Path not found"));
  // The same folder again keeps the highlight (Refresh reads it again).
  if (p == path_ && !ancestors_.isEmpty()) return;
  const QString before = path_;
  path_ = p;
  try {
    Rebuild();
  } catch (...) {
    path_ = before;
    throw;
  }
  DriveFolders().insert(DriveOfPath(p), p);
  if (p != before) emit Change();
}

void DirListBox::SetListIndex(int index) {
  const int row = Ancestors() + index;
  if (index >= ListCount() || row < 0)
    throw VbError(kErrInvalidPropertyValue, QStringLiteral("ListIndex"));
  if (index == listIndex_) return;
  listIndex_ = index;
  syncing_ = true;
  selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
  scrollTo(model_->index(row));
  syncing_ = false;
  emit Click();
}

void DirListBox::Refresh() { Rebuild(); }

void DirListBox::OpenRow(int row) {
  const int a = Ancestors();
  const QString target = row < a ? ancestors_.value(row) : subfolders_.value(row - a);
  if (target.isEmpty()) return;
  // A folder that went away or cannot be read leaves the list where it was.
  TryStep([this, &target] { SetPath(target); });
}

void DirListBox::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (currentIndex().isValid()) OpenRow(currentIndex().row());
    return;
  }
  QListView::keyPressEvent(e);
}

// ---- file list ----------------------------------------------------------------------------

FileListBox::FileListBox(QWidget* parent) : ControlBase(parent), model_(new ListBoxModel(this)) {
  setModel(model_);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // A click or a move with the keys chooses the file.
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (syncing_ || !current.isValid() || current.row() == listIndex_) return;
            listIndex_ = current.row();
            emit Click();
          });
  connect(this, &QListView::clicked, this, [this](const QModelIndex& index) {
    // A click on the file that was chosen already chooses it again.
    if (index.row() == chosenAtPress_ && index.row() == listIndex_) emit Click();
  });
  connect(this, &QListView::doubleClicked, this, [this](const QModelIndex&) { emit DblClick(); });
  path_ = NormalFolderPath(QDir::currentPath());
  TryStep([this] { Reread(); });
}

FileListBox::~FileListBox() = default;

void FileListBox::Reread() {
  QStringList patterns;
  for (const QString& item : pattern_.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString p = item.trimmed();
    // "*.*" means every file, also those without an extension.
    if (!p.isEmpty()) patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
  }
  if (patterns.isEmpty()) patterns << QStringLiteral("*");
  const QStringList files = ReadFolder(path_, QDir::Files, patterns);
  syncing_ = true;
  files_ = files;
  static_cast<ListBoxModel*>(model_)->Reset(files_);
  listIndex_ = -1;
  selectionModel()->clearSelection();
  selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  syncing_ = false;
}

void FileListBox::SetPath(const QString& path) {
  const QString p = NormalFolderPath(path);
  if (!QFileInfo(p).isDir()) throw VbError(kErrPathNotFound, QStringLiteral("Path not found"));
  const QString before = path_;
  path_ = p;
  try {
    Reread();
  } catch (...) {
    path_ = before;
    throw;
  }
  if (p != before) emit PathChange();
}

void FileListBox::SetFileName(const QString& text) {
  const bool wildcard = text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
  const int slash = static_cast<int>(text.lastIndexOf(QLatin1Char('/')));
  if (slash >= 0) SetPath(slash == 0 ? QStringLiteral("/") : text.left(slash));
  if (wildcard) {
    SetPattern(text.mid(slash + 1));
    return;
  }
  const int at = static_cast<int>(files_.indexOf(text.mid(slash + 1)));
  if (at >= 0) SetListIndex(at);
}

void FileListBox::SetPattern(const QString& pattern) {
  if (pattern == pattern_) return;
  pattern_ = pattern;
  Reread();
  emit PatternChange();
}

QString FileListBox::List(int index) const {
  if (index < -1) throw VbError(kErrInvalidPropertyIndex, QStringLiteral("List"));
  return index >= 0 && index < files_.size() ? files_.at(index) : QString();
}

void FileListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount())
    throw VbError(kErrInvalidPropertyValue, QStringLiteral("ListIndex"));
  if (index == listIndex_) return;
  SelectRow(index);
  emit Click();
}

void FileListBox::SelectRow(int row) {
  syncing_ = true;
  listIndex_ = row;
  if (row < 0) {
    selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  } else {
    const QModelIndex i = model_->index(row, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
  }
  syncing_ = false;
}

int FileListBox::TopIndex() const {
  const QModelIndex i = indexAt(QPoint(1, 1));
  return i.isValid() ? i.row() : (ListCount() > 0 ? 0 : -1);
}

void FileListBox::Refresh() { Reread(); }

void FileListBox::mousePressEvent(QMouseEvent* e) {
  chosenAtPress_ = listIndex_;
  QListView::mousePressEvent(e);
}

}  // namespace platform
