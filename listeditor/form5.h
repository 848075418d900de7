#pragma once
// The four-up view: the committed slide list four pictures at a time, with page buttons;
// a left click on a picture opens the copy and move dialog, a right click deletes the
// slide's file and takes the slide out of the lists.
#include <QImage>
#include <QSize>
#include <array>
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"

namespace listeditor {

// Where a picture of natural size W x H (twips) is shown in cell k (1..4): anchored at the
// cell's top-left corner, fitted into 3560 x 2670 twips, 3 twips trimmed off the left.
struct CellPlacement {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};
CellPlacement FitCell(int cell, long long widthTwips, long long heightTwips);

class Form5 : public platform::Form {
  Q_OBJECT

 public:
  Form5();

  platform::CommandButton Command2{this, QStringLiteral("終了")};
  platform::CommandButton Command4{this, QStringLiteral("先頭")};
  platform::CommandButton Command3{this, QStringLiteral("前ページ")};
  platform::CommandButton Command1{this, QStringLiteral("次ページ")};
  platform::CommandButton Command5{this, QStringLiteral("最後")};
  platform::Label Label2{this};  // page label " 1/10～ 4/10"
  // Image1(1..4): the cells; Label1(1..4): a cell's failure label.
  platform::ImageBox& Image1(int k) { return *image1_.at(static_cast<size_t>(k)); }
  platform::Label& Label1(int k) { return *label1_.at(static_cast<size_t>(k)); }
  platform::Timer Timer1{this, 100, false};  // draws one cell per tick

  void Form_Load() override;
  void Form_Paint() override;
  void Form_Unload(int& cancel) override;
  void Command1_Click();  // 次ページ
  void Command2_Click();  // 終了
  void Command3_Click();  // 前ページ
  void Command4_Click();  // 先頭
  void Command5_Click();  // 最後
  void Timer1_Timer();
  void Image1_MouseDown(int index, int button, int shift, double x, double y);
  void Label1_Click(int index) { (void)index; }
  // Releases and empties the four cell pictures and the buffer.
  void imgcls();

  // The cell's picture at the size of its file (the cells show a reduced decode): what the
  // clipboard and the wallpaper take. The shown picture when the file cannot be read again.
  QImage CellFullPicture(int k) const;

  int CellsDrawn = 0;  // cells drawn for the page shown (0..4)

 private:
  void UpdatePageLabel();
  // What every page button does once the offset is set: the new page is drawn from cell 1.
  void ShowNewPage();
  void ClearCellPictures();
  void DrawCell(int k, const QString& path);
  void PlaceCell(int k, const QImage& picture, QSize natural);
  void MarkCellFailed(int k, const QString& path);
  void DeleteSlide(int k);
  void DrawFrames();

  std::array<std::unique_ptr<platform::Label>, 16> frameLines_;  // the cells' sunken frames
  std::array<std::unique_ptr<platform::ImageBox>, 5> image1_;
  std::array<std::unique_ptr<platform::Label>, 5> label1_;
  // CellPictures(1..4): a cell's picture when it came through the imaging control.
  std::array<QImage, 6> CellPictures;
  // The buffer Form6.Picture1 of the design: the picture in hand, and the file's own size.
  QImage buffer_;
  QSize bufferSize_;
};

Form5& form5();
Form5* Form5IfLoaded();

// Slide count N of the view: the rows of the slide list window's path list.
int FourUpSlideCount();

}  // namespace listeditor
