// The CD programme window's layout: every control can be seen and reached.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QWidget>
#include <vector>

#include "core/state.h"
#include "platform/cdaudio.h"
#include "platform/dialogs.h"
#include "platform/events.h"
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

namespace {

// A programme read from a file may be longer than the window admits and name tracks the
// disc lacks: it is shown and stored back as it is, and takes no further track.
TEST(Form14Programme, ALongProgrammeFromAFileIsKeptAsItIs) {
  platform::FakeCdDrive drive(12);
  platform::SetCdDriveForTests(&drive);
  platform::ScriptedDialogs dialogs;
  core::ListState& lists = core::Lists();
  lists.CdProgram.Erase();
  for (int i = 1; i <= 105; ++i) lists.CdProgram[i] = QString::number(i % 2 ? 20 : 3);
  lists.CdProgramCount = 105;
  sound::Form14& w = sound::form14();
  platform::SetCdDriveForTests(nullptr);
  EXPECT_EQ(w.List1.ListCount(), 105);
  EXPECT_EQ(w.Label4.Caption(), QStringLiteral("105"));
  w.Command3(1).DoClick();
  EXPECT_EQ(w.List1.ListCount(), 105);
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("これ以上登録できません"));
  w.Command1.DoClick();
  EXPECT_EQ(lists.CdProgramCount, 105);
  EXPECT_EQ(lists.CdProgram[105], QStringLiteral("20"));
  EXPECT_EQ(lists.CdProgram[104], QStringLiteral("3"));
  core::ResetAllState();
  platform::DestroyPendingNow();
}

}  // namespace
