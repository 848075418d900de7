#pragma once
// The date dialog of the schedule editor: one calendar whose day goes into the grid's
// date cells, or "削除" to empty them.
#include "platform/calendar.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace schedule {

class Form21 : public platform::Form {
  Q_OBJECT

 public:
  Form21();

  platform::Calendar Calendar1{this};
  platform::CommandButton Command1{this, QStringLiteral("OK")};
  platform::CommandButton Command2{this, QStringLiteral("キャンセル")};
  platform::CommandButton Command3{this, QStringLiteral("削除")};

  void Form_Load() override;
  void Form_Activate() override;
  // "OK": the calendar's day into the selected rows of the grid's current column.
  void Command1_Click();
  // "キャンセル": hides the dialog.
  void Command2_Click();
  // "削除": empties the selected rows of the current column; the next showing starts at
  // today again.
  void Command3_Click();

 private:
  void EnableDelete();
};

Form21& form21();
Form21* Form21IfLoaded();

}  // namespace schedule
