#pragma once
// The conversion copy: the pictures selected in the slide list are copied into one folder as
// BMP, JPEG or PNG files (turned upright by their EXIF orientation and, when asked, shrunk
// to fit 1280x720 or 1920x1080) or copied unchanged. Movies are passed over.
#include <QSize>
#include <QString>
#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/folderchooser.h"
#include "platform/form.h"
#include "platform/imaging.h"

namespace listeditor {

// The size a w x h picture is shrunk to within the box; the same size when it fits already
// (pictures are never enlarged). Halves round to the even neighbour.
QSize ShrinkToBox(int w, int h, int boxWidth, int boxHeight);

// The destination name of a picture file for a converting format: its extension (the text
// after the last ".") replaced by `extension` (".bmp", ".jpg", ".png"), or added when the
// name has none.
QString ConvertedName(const QString& name, const QString& extension);

class Form16 : public platform::Form {
  Q_OBJECT

 public:
  Form16();

  platform::Label Label1{this, QStringLiteral("変換コピー：貼り付け先フォルダを指定して下さい。")};
  platform::DriveChooser Drive1{this};
  platform::FolderChooser Dir1{this};
  platform::TextBox Text1{this};  // destination folder
  platform::Label Label4{this, QStringLiteral("選択ファイル数")};
  platform::Label Label5{this};  // number of selected slides
  platform::Frame Frame1{this, QStringLiteral("変換形式")};
  platform::OptionButton BMP{&Frame1, QStringLiteral("BMP")};
  platform::OptionButton JPEG{&Frame1, QStringLiteral("JPG")};
  platform::OptionButton PNG{&Frame1, QStringLiteral("PNG")};
  platform::OptionButton nasi{&Frame1, QStringLiteral("変換なし")};
  // Check2(0) "縮小（1280×720）", Check2(1) "縮小（1920×1080）".
  platform::CheckBox& Check2(int index) { return *check2_.at(static_cast<size_t>(index)); }
  platform::CheckBox Check1{this, QStringLiteral("すべて上書き")};
  platform::Label Label7{this, QStringLiteral("※動画はコピーされません")};
  platform::CommandButton Command1{this, QStringLiteral("変換コピー実行")};
  platform::CommandButton Command3{this, QStringLiteral("中止")};
  platform::CommandButton Command2{this, QStringLiteral("終   了")};
  platform::Label Label2{this, QStringLiteral("実行中")};
  platform::Label Label3{this, QStringLiteral("変換元")};
  platform::TextBox Text2{this};  // the file being converted
  platform::Label Label6{this};   // progress "コピー進捗： 3"
  platform::ImagingControl Lead1;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;
  void Dir1_Change();
  void Drive1_Change();
  void BMP_Click();
  void JPEG_Click();
  void PNG_Click();
  void nasi_Click();
  void Check2_Click(int index);
  void Command1_Click();  // 変換コピー実行
  void Command2_Click();  // 終   了
  void Command3_Click();  // 中止

  short ConversionActive = 0;  // 1 while a run goes on and no stop was asked for

 private:
  void ChooseFormat(platform::OptionButton& chosen);
  void RestoreWindow();
  // Loads, turns and shrinks src in Lead1 as the chosen options ask.
  void PreparePicture(const QString& src);

  std::array<std::unique_ptr<platform::CheckBox>, 2> check2_;
  bool restoringDrive_ = false;
};

Form16& form16();
Form16* Form16IfLoaded();

}  // namespace listeditor
