#pragma once
// The link-list editor: its list box is the master copy of the link list.
#include "platform/controls.h"
#include "platform/form.h"

namespace schedule {

class Form9 : public platform::Form {
  Q_OBJECT

 public:
  Form9();

  platform::ListBox List1{this, 2};  // slideshow files in play order (row i - 1 is entry i)
  platform::Label Label4{this};      // number of entries
  platform::CheckBox Check1{this, QStringLiteral("ｵｰﾄｽﾀｰﾄ")};   // LinkAutoStart
  platform::CheckBox Check2{this, QStringLiteral("繰り返し")};  // LinkRepeat
  platform::CheckBox Check3{this, QStringLiteral("終了保持")};  // LinkKeepAtEnd, never shown

  void Form_Load() override;
  void Form_Unload(int& cancel) override;
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  // "終了": commits the list into the link table and goes back to the main window.
  void Command2_Click();
  // "一括取消": empties the list after asking.
  void Command4_Click();
  // "保存": saves the link list to a link-list file.
  void Command7_Click();

  int LinkEntryLimit = 0;  // most entries the list admits
};

// The caption while no link-list file is current.
QString LinkEditorCaptionNoFile();
// "ＫＶＺリンク - " followed by the link list's path.
QString LinkEditorCaption(const QString& linkListPath);

Form9& form9();
Form9* Form9IfLoaded();

}  // namespace schedule
