#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/form.h"
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

// Its own model is taken in the body: the members are not there yet when the
// initialisers of a delegated constructor run.
ListBox::ListBox(QWidget* parent, int multiSelect)
    : ControlBase(parent), multiSelect_(multiSelect) {
  model_ = &ownModel_;
  Setup();
}

ListBox::ListBox(QWidget* parent, ListBoxModel& model, int multiSelect)
    : ControlBase(parent), model_(&model), multiSelect_(multiSelect) {
  Setup();
}

void ListBox::Setup() {
  const int multiSelect = multiSelect_;
  if (multiSelect < 0 || multiSelect > 2) throw VbError(kErrInvalidPropertyValue, "MultiSelect");
  // Before the view's own connections: the view's moves of its current entry while the
  // model changes are not the user's.
  connect(model_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] { ++syncing_; });
  connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { ++syncing_; });
  connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { ++syncing_; });
  setModel(model_);
  WatchModel();
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(multiSelect == 0   ? QAbstractItemView::SingleSelection
                   : multiSelect == 1 ? QAbstractItemView::MultiSelection
                                      : QAbstractItemView::ExtendedSelection);
  // The user's moves keep ListIndex; Click follows a mouse choice (keys: keyPressEvent).
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (syncing_ == 0) listIndex_ = current.isValid() ? current.row() : -1;
          });
  connect(this, &QListView::clicked, this, [this](const QModelIndex&) { emit Click(); });
  connect(this, &QListView::doubleClicked, this, [this](const QModelIndex&) { emit DblClick(); });
  if (model_ != &ownModel_) {
    if (auto* form = qobject_cast<Form*>(window()))
      connect(form, &Form::Unloaded, this, [this] { model_->Clear(); });
  }
}

// After the view's own connections, so that the view has taken the change in first.
void ListBox::WatchModel() {
  connect(model_, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { FollowInsert(first, last); });
  connect(model_, &QAbstractItemModel::rowsRemoved, this,
          [this](const QModelIndex&, int first, int) { FollowRemove(first); });
  connect(model_, &QAbstractItemModel::modelReset, this, [this] { FollowReset(); });
}

void ListBox::FollowInsert(int first, int last) {
  --syncing_;
  if (listIndex_ >= first) {
    listIndex_ += last - first + 1;
    SyncCurrent();
  }
  newIndex_ = last;
}

void ListBox::FollowRemove(int row) {
  --syncing_;
  if (listIndex_ == row)
    listIndex_ = -1;
  else if (listIndex_ > row)
    --listIndex_;
  newIndex_ = -1;
  SyncCurrent();
}

void ListBox::FollowReset() {
  --syncing_;
  listIndex_ = -1;
  newIndex_ = -1;
}

void ListBox::CheckIndex(int index, int error) const {
  if (index < 0 || index >= ListCount()) throw VbError(error, "Invalid index");
}

void ListBox::SyncCurrent() {
  ++syncing_;
  if (listIndex_ >= 0) {
    selectionModel()->setCurrentIndex(
        model_->index(listIndex_),
        multiSelect_ == 0 ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
  } else {
    // A one-at-a-time view selects a neighbour of a removed entry; the original
    // leaves the list without a choice.
    if (multiSelect_ == 0) selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  --syncing_;
}

void ListBox::AddItem(const QString& text, int index) {
  if (index < -1 || index > ListCount()) throw VbError(kErrInvalidCall, "AddItem");
  model_->Insert(index < 0 ? ListCount() : index, text);
}

void ListBox::AddItems(const QStringList& texts, int index) {
  if (index < -1 || index > ListCount()) throw VbError(kErrInvalidCall, "AddItem");
  model_->InsertMany(index < 0 ? ListCount() : index, texts);
}

void ListBox::RemoveItem(int index) {
  CheckIndex(index, kErrInvalidCall);
  model_->Remove(index);
}

void ListBox::Clear() { model_->Clear(); }

void ListBox::SetItems(const QStringList& items) { model_->Reset(items); }

QString ListBox::List(int index) const {
  if (index < -1) throw VbError(kErrInvalidPropertyIndex, "List");
  if (index == -1 || index >= ListCount()) return {};
  return model_->Items().at(index);
}

void ListBox::SetList(int index, const QString& text) {
  CheckIndex(index, kErrInvalidPropertyIndex);
  model_->Set(index, text);
}

void ListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw VbError(kErrInvalidPropertyValue, "ListIndex");
  if (index == listIndex_) return;
  listIndex_ = index;
  ++syncing_;
  if (index < 0) {
    if (multiSelect_ == 0) selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  } else {
    const auto how =
        multiSelect_ == 0 ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select;
    selectionModel()->setCurrentIndex(model_->index(index), how);
    scrollTo(model_->index(index));
  }
  --syncing_;
  emit Click();
}

bool ListBox::Selected(int index) const {
  CheckIndex(index, kErrInvalidPropertyIndex);
  return selectionModel()->isSelected(model_->index(index));
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
  ++syncing_;
  selectionModel()->select(model_->index(index),
                           on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
  --syncing_;
}

int ListBox::SelCount() const { return static_cast<int>(selectionModel()->selectedRows().size()); }

int ListBox::TopIndex() const {
  const QModelIndex i = indexAt(QPoint(1, 1));
  return i.isValid() ? i.row() : (ListCount() > 0 ? 0 : -1);
}

void ListBox::SetTopIndex(int index) {
  CheckIndex(index, kErrInvalidPropertyValue);
  scrollTo(model_->index(index), QAbstractItemView::PositionAtTop);
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
