#pragma once
// Menus of a window's menu bar: single items and item arrays whose Click
// carries the index. Build them as window members, parents first:
//
//   platform::MenuItem mnuOPTION{this, "設定(&S)"};
//   platform::MenuItem mnuKURI{&mnuOPTION, "繰り返し(&K)"};
//   platform::MenuArray mnuKUFL{&mnuKURI, {"あり", "なし"}};
//   connect(&mnuKUFL, &platform::MenuArray::Click, this, &Form1::mnuKUFL_Click);
//
// A tick shows only what Checked says: choosing an item never toggles it by itself.
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace platform {

class Form;

constexpr int kErrNoArrayElement = 340;

class MenuItem : public QObject {
  Q_OBJECT

 public:
  // A menu of `form`'s menu bar; its Click runs when it opens.
  MenuItem(Form* form, const QString& caption);
  // An entry of `parent`'s drop-down; "-" makes a separator.
  MenuItem(MenuItem* parent, const QString& caption);
  ~MenuItem() override;

  QString Caption() const;
  void SetCaption(const QString& caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool on);
  bool Enabled() const;
  void SetEnabled(bool on);
  bool Visible() const;
  void SetVisible(bool on);

  // Chooses the item as the user would (nothing when it is disabled or hidden).
  void DoClick();
  QAction* Action() const { return action_.data(); }
  // The drop-down of this item, made when its first entry is added.
  QMenu* SubMenu();

 signals:
  void Click();

 private:
  void Triggered();

  QPointer<QAction> action_;
  QPointer<QMenu> menu_;
  Form* form_ = nullptr;  // set for the menu bar's own menus
  bool checked_ = false;
};

// A control array of menu entries under one parent, indexed from 0.
class MenuArray : public QObject {
  Q_OBJECT

 public:
  MenuArray(MenuItem* parent, const QStringList& captions);
  ~MenuArray() override;

  // Element `index`; a missing one raises error 340.
  MenuItem& operator[](int index) { return Item(index); }
  MenuItem& Item(int index);
  int Count() const { return static_cast<int>(items_.size()); }
  int UBound() const { return Count() - 1; }
  // Adds the next element at the end (the original's Load of an array element).
  MenuItem& Add(const QString& caption);
  // The index of the ticked element, -1 when none is.
  int CheckedIndex() const;

 signals:
  void Click(int index);

 private:
  MenuItem* parent_;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace platform
