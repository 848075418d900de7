#pragma once
// The list box: a list of texts with the original's indexes (0-based, -1 for no
// current entry) and its errors. A model under a uniform-height view keeps it
// fast with tens of thousands of entries.
#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

#include "platform/controls_base.h"

namespace platform {

class ListBoxModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override;
  const QStringList& Items() const { return items_; }

  void Insert(int row, const QString& text);
  void InsertMany(int row, const QStringList& texts);
  void Remove(int row);
  void Set(int row, const QString& text);
  void Reset(const QStringList& items);
  void Clear() { Reset({}); }
  int Count() const { return static_cast<int>(items_.size()); }

 private:
  QStringList items_;
};

class ListBox : public ControlBase<QListView> {
  Q_OBJECT

 public:
  // multiSelect: 0 one entry at a time, 1 each click toggles, 2 Shift/Ctrl ranges.
  explicit ListBox(QWidget* parent, int multiSelect = 0);
  // A list box showing a list that lives outside its window (the program's master lists):
  // the files' readers and writers work on `model` without the window. What changes the
  // model from outside moves the current entry as the box's own calls do; the list goes
  // with the window as a list box's does, so the window's unloading empties it.
  ListBox(QWidget* parent, ListBoxModel& model, int multiSelect = 0);

  // Appends, or inserts at `index` (0..ListCount); other indexes raise error 5.
  void AddItem(const QString& text, int index = -1);
  // Several entries at once, in their order, as AddItem of each would put them (one
  // insertion for the view: a folder of thousands of files goes in at once).
  void AddItems(const QStringList& texts, int index = -1);
  // Removes entry `index`; outside 0..ListCount-1 raises error 5. The current
  // entry is forgotten when it is the one removed (ListIndex -1).
  void RemoveItem(int index);
  void Clear();
  int ListCount() const { return model_->rowCount(); }
  // The entry's text; "" for -1 or past the end; below -1 raises error 381.
  QString List(int index) const;
  // Replaces an entry's text; outside 0..ListCount-1 raises error 381.
  void SetList(int index, const QString& text);
  // The current entry, -1 for none.
  int ListIndex() const { return listIndex_; }
  // Makes `index` current and selects it (-1: none); raises Click when it
  // changes; outside -1..ListCount-1 raises error 380.
  void SetListIndex(int index);
  // The current entry's text, "" for none.
  QString Text() const { return List(listIndex_); }
  // The index of the entry added last (-1 after removals and Clear).
  int NewIndex() const { return newIndex_; }
  bool Selected(int index) const;
  // On a one-at-a-time list this makes the entry current (as ListIndex does).
  void SetSelected(int index, bool on);
  int SelCount() const;
  int MultiSelect() const { return multiSelect_; }
  // The first entry in view.
  int TopIndex() const;
  void SetTopIndex(int index);
  // 1: files dropped on the list raise OLEDragDrop with their paths; 0: no drops.
  void SetOLEDropMode(int mode);
  // All entries at once, for bulk copies; SetItems replaces them (no current entry).
  const QStringList& Items() const { return model_->Items(); }
  void SetItems(const QStringList& items);

 signals:
  void Click();
  void DblClick();
  void KeyDown(int& keyCode, int shift);
  void OLEDragDrop(const QStringList& paths);
  void GotFocus();
  void LostFocus();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void CheckIndex(int index, int error) const;
  // Follows the model's changes, whoever makes them.
  void WatchModel();
  void Setup();
  void FollowInsert(int first, int last);
  void FollowRemove(int row);
  void FollowReset();
  // Shows listIndex_ as the view's current entry without raising events.
  void SyncCurrent();

  ListBoxModel ownModel_;
  ListBoxModel* model_ = &ownModel_;
  int listIndex_ = -1;
  int newIndex_ = -1;
  int multiSelect_ = 0;
  int dropMode_ = 0;
  // Above 0 while the model changes or the current entry is set from here: the view's
  // own current-entry moves are not the user's then.
  int syncing_ = 0;
};

}  // namespace platform
