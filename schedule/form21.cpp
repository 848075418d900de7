// The date dialog: its calendar's day or an empty text goes into the selected rows of the
// schedule grid's current column.
#include "schedule/form21.h"

#include "core/monitors.h"
#include "platform/clock.h"
#include "schedule/form22.h"

namespace schedule {

Form21::Form21() {
  SetCaption(QStringLiteral("日付入力"));
  SetClientSize(4290, 3480);
  Calendar1.Move(120, 120, 4050, 2640);
  Command1.Move(120, 2880, 1215, 435);
  Command2.Move(1538, 2880, 1215, 435);
  Command3.Move(2955, 2880, 1215, 435);
  connect(&Command1, &platform::CommandButton::Click, this, &Form21::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form21::Command2_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form21::Command3_Click);
}

void Form21::EnableDelete() {
  const Form22* editor = Form22IfLoaded();
  Command3.SetEnabled(editor && !CellEmpty(editor->MSFlexGrid1.Text()));
}

void Form21::Form_Load() {
  platform::TryStep([this] {
    Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  });
  EnableDelete();
  Calendar1.SetValue(platform::Date());
}

void Form21::Form_Activate() {
  EnableDelete();
  platform::TryStep([this] {
    const QPoint p = core::CentredOnMainMonitor(Width(), Height());
    Move(p.x(), p.y());
  });
}

void Form21::Command1_Click() {
  if (Form22* editor = Form22IfLoaded()) {
    platform::Grid& g = editor->MSFlexGrid1;
    const auto [top, bottom] = editor->SelectedRows();
    if (top >= 1)
      for (int r = top; r <= bottom; ++r) g.SetTextMatrix(r, g.Col(), Calendar1.ValueText());
  }
  Hide();
}

void Form21::Command2_Click() { Hide(); }

void Form21::Command3_Click() {
  if (Form22* editor = Form22IfLoaded()) {
    platform::Grid& g = editor->MSFlexGrid1;
    const auto [top, bottom] = editor->SelectedRows();
    if (top >= 1)
      for (int r = top; r <= bottom; ++r) g.SetTextMatrix(r, g.Col(), QString());
  }
  Unload();
}

namespace {
platform::FormSlot<Form21>& Form21Slot() {
  static platform::FormSlot<Form21> slot;
  return slot;
}
}  // namespace

Form21& form21() { return Form21Slot().Get(); }
Form21* Form21IfLoaded() { return Form21Slot().IfLoaded(); }

}  // namespace schedule
