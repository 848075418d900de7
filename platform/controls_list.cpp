#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/listbox.h"

namespace platform {

// ---- model -----------------------------------------------------------------------

QVariant ListBoxModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= items_.size()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) return items_.at(index.row());
  return {};
}

void ListBoxModel::Insert(int row, const QString& text) {
  beginInsertRows({}, row, row);
  items_.insert(row, text);
  endInsertRows();
}

void ListBoxModel::InsertMany(int row, const QStringList& texts) {
  if (texts.isEmpty()) return;
  beginInsertRows({}, row, row + static_cast<int>(texts.size()) - 1);
  if (row == items_.size())
    items_.append(texts);
  else
    items_ = items_.mid(0, row) + texts + items_.mid(row);
  endInsertRows();
}

void ListBoxModel::Remove(int row) {
  beginRemoveRows({}, row, row);
  items_.removeAt(row);
  endRemoveRows();
}

void ListBoxModel::Set(int row, const QString& text) {
  items_[row] = text;
  const QModelIndex i = index(row);
  emit dataChanged(i, i, {Qt::DisplayRole});
}

void ListBoxModel::Reset(const QStringList& items) {
  beginResetModel();
  items_ = items;
  endResetModel();
}

// ---- list box ----------------------------------------------------------------------

ListBox::ListBox(QWidget* parent, int multiSelect)
    : ControlBase(parent), multiSelect_(multiSelect) {
  if (multiSelect < 0 || multiSelect > 2) throw VbError(kErrInvalidPropertyValue, "MultiSelect");
  setModel(&model_);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(multiSelect == 0   ? QAbstractItemView::SingleSelection
                   : multiSelect == 1 ? QAbstractItemView::MultiSelection
                                      : QAbstractItemView::ExtendedSelection);
  // The user's moves keep ListIndex; Click follows a mouse choice (keys: keyPressEvent).
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (!syncing_) listIndex_ = current.isValid() ? current.row() : -1;
          });
  connect(this, &QListView::clicked, this, [this](const QModelIndex&) { emit Click(); });
  connect(this, &QListView::doubleClicked, this, [this](const QModelIndex&) { emit DblClick(); });
}

void ListBox::CheckIndex(int index, int error) const {
  if (index < 0 || index >= ListCount()) throw VbError(error, "Invalid index");
}

void ListBox::SyncCurrent() {
  syncing_ = true;
  if (listIndex_ >= 0) {
    selectionModel()->setCurrentIndex(
        model_.index(listIndex_),
        multiSelect_ == 0 ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
  } else {
    // A one-at-a-time view selects a neighbour of a removed entry; the original
    // leaves the list without a choice.
    if (multiSelect_ == 0) selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  syncing_ = false;
}

void ListBox::AddItem(const QString& text, int index) {
  if (index < -1 || index > ListCount()) throw VbError(kErrInvalidCall, "AddItem");
  const int row = index < 0 ? ListCount() : index;
  syncing_ = true;
  model_.Insert(row, text);
  syncing_ = false;
  if (listIndex_ >= row) {
    ++listIndex_;
    SyncCurrent();
  }
  newIndex_ = row;
}

void ListBox::AddItems(const QStringList& texts, int index) {
  if (index < -1 || index > ListCount()) throw VbError(kErrInvalidCall, "AddItem");
  if (texts.isEmpty()) return;
  const int row = index < 0 ? ListCount() : index;
  syncing_ = true;
  model_.InsertMany(row, texts);
  syncing_ = false;
  if (listIndex_ >= row) {
    listIndex_ += static_cast<int>(texts.size());
    SyncCurrent();
  }
  newIndex_ = row + static_cast<int>(texts.size()) - 1;
}

void ListBox::RemoveItem(int index) {
  CheckIndex(index, kErrInvalidCall);
  syncing_ = true;
  model_.Remove(index);
  syncing_ = false;
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
  newIndex_ = -1;
  SyncCurrent();
}

void ListBox::Clear() {
  syncing_ = true;
  model_.Reset({});
  syncing_ = false;
  listIndex_ = -1;
  newIndex_ = -1;
}

void ListBox::SetItems(const QStringList& items) {
  syncing_ = true;
  model_.Reset(items);
  syncing_ = false;
  listIndex_ = -1;
  newIndex_ = -1;
}

QString ListBox::List(int index) const {
  if (index < -1) throw VbError(kErrInvalidPropertyIndex, "List");
  if (index == -1 || index >= ListCount()) return {};
  return model_.Items().at(index);
}

void ListBox::SetList(int index, const QString& text) {
  CheckIndex(index, kErrInvalidPropertyIndex);
  model_.Set(index, text);
}

void ListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw VbError(kErrInvalidPropertyValue, "ListIndex");
  if (index == listIndex_) return;
  listIndex_ = index;
  syncing_ = true;
  if (index < 0) {
    if (multiSelect_ == 0) selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  } else {
    const auto how =
        multiSelect_ == 0 ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select;
    selectionModel()->setCurrentIndex(model_.index(index), how);
    scrollTo(model_.index(index));
  }
  syncing_ = false;
  emit Click();
}

bool ListBox::Selected(int index) const {
  CheckIndex(index, kErrInvalidPropertyIndex);
  return selectionModel()->isSelected(model_.index(index));
}

void ListBox::SetSelected(int index, bool on) {
  CheckIndex(index, kErrInvalidPropertyIndex);
  if (multiSelect_ == 0) {
    if (on)
      SetListIndex(index);
    else if (index == listIndex_)
      SetListIndex(-1);
    return;
  }
  syncing_ = true;
  selectionModel()->select(model_.index(index),
                           on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
  syncing_ = false;
}

int ListBox::SelCount() const { return static_cast<int>(selectionModel()->selectedRows().size()); }

int ListBox::TopIndex() const {
  const QModelIndex i = indexAt(QPoint(1, 1));
  return i.isValid() ? i.row() : (ListCount() > 0 ? 0 : -1);
}

void ListBox::SetTopIndex(int index) {
  CheckIndex(index, kErrInvalidPropertyValue);
  scrollTo(model_.index(index), QAbstractItemView::PositionAtTop);
}

void ListBox::SetOLEDropMode(int mode) {
  dropMode_ = mode;
  setAcceptDrops(mode != 0);
  viewport()->setAcceptDrops(mode != 0);
}

void ListBox::keyPressEvent(QKeyEvent* e) {
  int code = VbKeyCode(e->key());
  if (code != 0) {
    emit KeyDown(code, VbShiftState(e->modifiers()));
    if (code == 0) return;
  }
  const int before = listIndex_;
  QListView::keyPressEvent(e);
  if (listIndex_ != before) emit Click();
}

void ListBox::focusInEvent(QFocusEvent* e) {
  QListView::focusInEvent(e);
  emit GotFocus();
}

void ListBox::focusOutEvent(QFocusEvent* e) {
  QListView::focusOutEvent(e);
  emit LostFocus();
}

void ListBox::dragEnterEvent(QDragEnterEvent* e) {
  if (dropMode_ != 0 && e->mimeData()->hasUrls())
    e->acceptProposedAction();
  else
    e->ignore();
}

void ListBox::dragMoveEvent(QDragMoveEvent* e) {
  if (dropMode_ != 0 && e->mimeData()->hasUrls())
    e->acceptProposedAction();
  else
    e->ignore();
}

void ListBox::dropEvent(QDropEvent* e) {
  if (dropMode_ == 0 || !e->mimeData()->hasUrls()) {
    e->ignore();
    return;
  }
  QStringList paths;
  for (const QUrl& u : e->mimeData()->urls())
    if (u.isLocalFile()) paths << u.toLocalFile();
  e->acceptProposedAction();
  if (!paths.isEmpty()) emit OLEDragDrop(paths);
}

}  // namespace platform
