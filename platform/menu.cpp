#include "platform/menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/form.h"
#include "platform/vberror.h"

namespace platform {

MenuItem::MenuItem(Form* form, const QString& caption) : form_(form) {
  QMenuBar* bar = form->MenuBar();
  menu_ = new QMenu(caption, bar);
  action_ = bar->addMenu(menu_);
  connect(menu_, &QMenu::aboutToShow, this, &MenuItem::Click);
  form->LayoutClient();
}

MenuItem::MenuItem(MenuItem* parent, const QString& caption) {
  QMenu* host = parent->SubMenu();
  if (caption == QLatin1String("-")) {
    action_ = host->addSeparator();
    return;
  }
  action_ = new QAction(caption, host);
  host->addAction(action_);
  connect(action_, &QAction::triggered, this, &MenuItem::Triggered);
}

MenuItem::~MenuItem() {
  if (form_) {
    delete menu_.data();
  } else {
    delete menu_.data();
    delete action_.data();
  }
}

QMenu* MenuItem::SubMenu() {
  if (!menu_) {
    auto* parentMenu = qobject_cast<QMenu*>(action_->parent());
    menu_ = new QMenu(action_->text(), parentMenu);
    action_->setMenu(menu_.data());
  }
  return menu_;
}

void MenuItem::Triggered() {
  // The original never ticks an item by itself; only Checked does.
  if (action_->isCheckable()) action_->setChecked(checked_);
  emit Click();
}

QString MenuItem::Caption() const { return action_ ? action_->text() : QString(); }

void MenuItem::SetCaption(const QString& caption) {
  if (!action_) return;
  action_->setText(caption);
  if (menu_) menu_->setTitle(caption);
}

void MenuItem::SetChecked(bool on) {
  checked_ = on;
  if (!action_ || form_) return;
  if (on) action_->setCheckable(true);
  action_->setChecked(on);
}

bool MenuItem::Enabled() const { return action_ && action_->isEnabled(); }

void MenuItem::SetEnabled(bool on) {
  if (action_) action_->setEnabled(on);
}

bool MenuItem::Visible() const { return action_ && action_->isVisible(); }

void MenuItem::SetVisible(bool on) {
  if (!action_) return;
  action_->setVisible(on);
  if (form_) form_->LayoutClient();
}

void MenuItem::DoClick() {
  if (!action_ || !action_->isEnabled() || !action_->isVisible()) return;
  if (form_ || menu_)
    emit Click();
  else
    action_->trigger();
}

// ---- arrays ---------------------------------------------------------------------

MenuArray::MenuArray(MenuItem* parent, const QStringList& captions) : parent_(parent) {
  for (const QString& c : captions) Add(c);
}

MenuArray::~MenuArray() {
  // Later elements first, as members are destroyed.
  while (!items_.empty()) items_.pop_back();
}

MenuItem& MenuArray::Item(int index) {
  if (index < 0 || index >= Count())
    throw VbError(kErrNoArrayElement, QStringLiteral("Control array element doesn't exist"));
  return *items_[static_cast<size_t>(index)];
}

MenuItem& MenuArray::Add(const QString& caption) {
  const int index = Count();
  items_.push_back(std::make_unique<MenuItem>(parent_, caption));
  connect(items_.back().get(), &MenuItem::Click, this, [this, index] { emit Click(index); });
  return *items_.back();
}

int MenuArray::CheckedIndex() const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)]->Checked()) return i;
  return -1;
}

}  // namespace platform
