#pragma once
// The slide list editor: its two list boxes are the master copy of the slide list and
// of the per-slide schedule records.
#include "platform/controls.h"
#include "platform/form.h"

namespace listeditor {

class Form3 : public platform::Form {
  Q_OBJECT

 public:
  Form3();

  platform::ListBox List1{this, 2};  // slide paths in show order (row i - 1 is slide i)
  platform::ListBox List2{this};     // hidden: the schedule record of each row
  platform::Label Label4{this};      // number of slides
  // Double-click options.
  platform::CheckBox Check1{this, QStringLiteral("画像表示")};
  platform::CheckBox Check2{this, QStringLiteral("WAV録音")};
  platform::CheckBox Check3{this, QStringLiteral("壁紙変更")};
  platform::CheckBox Check4{this, QStringLiteral("テキスト")};
  platform::CheckBox Check5{this, QStringLiteral("ｽﾗｲﾄﾞｼｮｰ")};
  platform::CommandButton Command16{this, QStringLiteral("ﾃｷｽﾄ編集")};  // edit macro text
  platform::CommandButton Command17{this, QStringLiteral("ﾃｷｽﾄ削除")};  // delete macro text
  platform::Timer Timer1{this, 500, false};                             // click guard after a movie

  void Form_Load() override;
  void Form_Unload(int& cancel) override;
  void Check1_Click();
  void Check2_Click();
  void Check3_Click();
  void Check4_Click();
  void Check5_Click();
  void Timer1_Timer();
  // ---- file commands (form3_files.cpp); the main window's file menu runs them too ----
  // "OK": commits the lists into the slide arrays, shows the main window, hides this one.
  void Command1_Click();
  // "開く": an open dialog, then the slideshow file is read into the lists.
  void Command6_Click();
  // "保存": saves the slide list to a slideshow file.
  void Command7_Click();
  // "配布保存": after a question, saves a slideshow file without folder names.
  void Command9_Click();
  // "新規作成": after a question, empties the lists and resets every setting.
  void Command15_Click();
  // ---- end of the file commands ----

  int SlideListLimit = 0;  // most rows the list admits
};

Form3& form3();
Form3* Form3IfLoaded();

}  // namespace listeditor
