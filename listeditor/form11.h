#pragma once
// The copy and move dialog of the four-up view: copies or moves the chosen slide's file into
// a folder (a move puts the new path into the slide lists), puts its picture on the
// clipboard or the desktop, or starts the show at that slide.
#include "platform/controls.h"
#include "platform/folderchooser.h"
#include "platform/form.h"

namespace listeditor {

class Form11 : public platform::Form {
  Q_OBJECT

 public:
  Form11();

  platform::Label Label1{this, QStringLiteral("コピー先または移動先を指定して下さい。")};
  platform::TextBox Text1{this};        // destination: folder and file name
  platform::FolderChooser Dir1{this};   // folder list
  platform::DriveChooser Drive1{this};  // drive list
  platform::CommandButton Command1{this, QStringLiteral("コピー実行")};
  platform::CommandButton Command4{this, QStringLiteral("移動実行")};
  platform::CommandButton Command3{this, QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ")};
  platform::CommandButton Command6{this, QStringLiteral("ｽﾗｲﾄﾞｼｮｰ全画面")};
  platform::Frame Frame1{this, QStringLiteral("画像")};
  platform::ImageBox Image1{&Frame1};  // preview of the four-up cell
  platform::CommandButton Command5{this, QStringLiteral("壁紙変更")};
  platform::CommandButton Command2{this, QStringLiteral("キャンセル")};
  platform::CommandButton Command7{this, QStringLiteral("ｽﾗｲﾄﾞｼｮｰｳｲﾝﾄﾞｳ")};

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Paint() override;
  void Form_Unload(int& cancel) override;
  void Dir1_Change();
  void Drive1_Change();
  void Command1_Click();  // コピー実行
  void Command2_Click();  // キャンセル
  void Command3_Click();  // ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ
  void Command4_Click();  // 移動実行
  void Command5_Click();  // 壁紙変更
  void Command6_Click();  // ｽﾗｲﾄﾞｼｮｰ全画面
  void Command7_Click();  // ｽﾗｲﾄﾞｼｮｰｳｲﾝﾄﾞｳ
  // Disables the seven buttons and the destination text while an action runs.
  void cmlock();
  // The reverse of cmlock: the four-up view does it before it shows the dialog.
  void Unlock();

 private:
  void CopyOrMove(bool move);
  QString DestinationText() const;

  bool restoringDrive_ = false;
};

Form11& form11();
Form11* Form11IfLoaded();

}  // namespace listeditor
