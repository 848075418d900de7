// The CD programme window's layout: every control can be seen and reached.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QWidget>
#include <vector>

#include "platform/cdaudio.h"
#include "platform/dialogs.h"
#include "sound/form14.h"

namespace {

QString NameOf(const QWidget* w) {
  const auto* button = qobject_cast<const QAbstractButton*>(w);
  return QString::fromLatin1(w->metaObject()->className()) + " \"" +
         (button ? button->text() : QString()) + "\"";
}

TEST(Form14Layout, NoTwoVisibleControlsOverlapAndAllLieInsideTheWindow) {
  platform::FakeCdDrive drive(100);
  platform::SetCdDriveForTests(&drive);
  platform::ScriptedDialogs dialogs;
  sound::Form14& w = sound::form14();
  w.Show();
  platform::SetCdDriveForTests(nullptr);

  QWidget* client = w.HostWidget();
  std::vector<QWidget*> controls;
  for (QWidget* c : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (c->isVisibleTo(client)) controls.push_back(c);
  }
  // The hundred track buttons, the list, four labels, the check box and four buttons.
  ASSERT_EQ(controls.size(), 110u);
  EXPECT_TRUE(w.Check1.Visible());
  const QRect area = client->rect();
  for (size_t i = 0; i < controls.size(); ++i) {
    EXPECT_TRUE(area.contains(controls[i]->geometry()))
        << NameOf(controls[i]).toStdString() << " lies outside the window";
    // The check box's caption is not cut short.
    if (qobject_cast<QCheckBox*>(controls[i]))
      EXPECT_LE(controls[i]->sizeHint().width(), controls[i]->width());
    for (size_t j = i + 1; j < controls.size(); ++j) {
      EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
          << NameOf(controls[i]).toStdString() << " overlaps " << NameOf(controls[j]).toStdString();
    }
  }
  w.Unload();
}

}  // namespace
