// The sound windows' layouts: every control a user sees lies inside its window, none covers
// another, and no check box or button caption is cut short.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/dialogs.h"
#include "platform/events.h"
#include "sound/form10.h"
#include "sound/form13.h"
#include "sound/form17.h"
#include "sound/form19.h"
#include "sound/form2.h"
#include "sound/form20.h"
#include "sound/form8.h"

namespace {

QString NameOf(const QWidget* w) {
  const auto* button = qobject_cast<const QAbstractButton*>(w);
  const auto* label = qobject_cast<const QLabel*>(w);
  return QString::fromLatin1(w->metaObject()->className()) + " \"" +
         (button  ? button->text()
          : label ? label->text()
                  : QString()) +
         "\"";
}

void CheckLayout(platform::Form& w) {
  w.Show();
  QWidget* client = w.HostWidget();
  std::vector<QWidget*> controls;
  for (QWidget* c : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (c->isVisibleTo(client)) controls.push_back(c);
  }
  ASSERT_FALSE(controls.empty());
  const QRect area = client->rect();
  for (size_t i = 0; i < controls.size(); ++i) {
    const std::string name = (w.Caption() + " " + NameOf(controls[i])).toStdString();
    EXPECT_TRUE(area.contains(controls[i]->geometry())) << name << " lies outside the window";
    // A push button's hint holds a least width of the style's; its caption is what counts.
    if (auto* b = qobject_cast<QAbstractButton*>(controls[i])) {
      const int needed = qobject_cast<QCheckBox*>(b) || b->inherits("QRadioButton")
                             ? b->sizeHint().width()
                             : b->fontMetrics().horizontalAdvance(b->text()) + 8;
      EXPECT_LE(needed, b->width()) << name << " is cut short";
    }
    for (size_t j = i + 1; j < controls.size(); ++j) {
      EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
          << name << " overlaps " << NameOf(controls[j]).toStdString();
    }
  }
  w.Unload();
  platform::DestroyPendingNow();
}

TEST(SoundWindowsLayout, NoTwoVisibleControlsOverlapAndAllLieInsideTheWindow) {
  platform::ScriptedDialogs dialogs;
  const std::vector<std::function<platform::Form&()>> windows = {
      []() -> platform::Form& { return sound::form2(); },
      []() -> platform::Form& { return sound::form8(); },
      []() -> platform::Form& { return sound::form17(); },
      []() -> platform::Form& { return sound::form10(); },
      []() -> platform::Form& { return sound::form13(); },
      []() -> platform::Form& { return sound::form19(); },
      []() -> platform::Form& { return sound::form20(); },
  };
  for (const auto& open : windows) CheckLayout(open());
}

}  // namespace
