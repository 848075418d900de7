#pragma once
// The cut-out window "画像切取マクロ生成": the user outlines part of a picture with mouse
// presses, keeps the outline in the point file of a picture-button slot, and generates the
// macro lines that cut that part out on the show screen. It works on upright JPEG or BMP
// pictures of at most 1280 x 720 pixels, so its load prepares the picture first.
#include <QPolygon>
#include <QString>
#include <array>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/imaging.h"

namespace cutout {

// Most points an outline holds.
constexpr int kMaxPlotPoints = 5000;
// The box a picture is fitted into.
constexpr int kFitWidth = 1280;
constexpr int kFitHeight = 720;

class Form23 : public platform::Form {
  Q_OBJECT

 public:
  Form23();

  // ---- controls (design positions in twips) ---------------------------------------------
  platform::Frame Frame1{this};            // holds the picture and its scroll bars
  platform::PictureBox Picture1{&Frame1};  // the picture at its pixel size; plotted on
  platform::HScrollBar HScroll1{&Frame1};  // picture offset while it is wider than the frame
  platform::VScrollBar VScroll1{&Frame1};  // and while it is taller
  platform::Label Label1{this, QStringLiteral("画像切取範囲をプロットしてください")};
  platform::Label Label2{this, QStringLiteral("右のプルダウンを選択しマクロ生成をクリック")};
  platform::Label Label3{this};            // mouse position " 120, 45px"
  platform::ComboBox Combo1{this};         // picture-button slots "PicPb0".."PicPb62"
  platform::ComboBox Combo2{this};         // "パスあり" / "配布用": how lines name files
  platform::ComboBox Combo3{this};         // the sixteen animation patterns
  platform::MultiLineTextBox Text1{this};  // the generated macro text
  platform::CommandButton Command1{this, QStringLiteral("クリア")};
  platform::CommandButton Command2{this, QStringLiteral("閉じる")};
  platform::CommandButton Command3{this, QStringLiteral("マクロ生成")};
  platform::CommandButton Command4{this, QStringLiteral("コピー")};
  platform::CommandButton Command5{this, QStringLiteral("開く")};
  platform::CommandButton Command6{this, QStringLiteral("↑")};
  platform::CommandButton Command7{this, QStringLiteral("↓")};
  platform::CommandButton Command8{this, QStringLiteral("→")};
  platform::CommandButton Command9{this, QStringLiteral("←")};
  platform::CommandButton Command10{this, QStringLiteral("大")};
  platform::CommandButton Command11{this, QStringLiteral("小")};
  platform::CommandButton Command12{this, QStringLiteral("BK")};
  platform::CommandButton Command13{this, QStringLiteral("四角")};
  platform::CommandButton Command14{this, QStringLiteral("円")};
  platform::ImagingControl Lead1;  // loads, turns, fits and saves the picture at load

  // ---- the window and the picture's preparation (form23.cpp) ------------------------------
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;
  void HScroll1_Change();
  void VScroll1_Change();
  void Command2_Click();  // 閉じる

  // ---- plotting and the shape tools (form23_plot.cpp) -------------------------------------
  void Picture1_MouseDown(int button, int shift, double x, double y);
  // Plots (NewPointX, NewPointY): the one plotting step of clicks, tools and file readers.
  // False, with nothing plotted, when the outline already holds kMaxPlotPoints.
  bool Picture1_Click();
  void Picture1_MouseMove(int button, int shift, double x, double y);
  void Command1_Click();   // クリア
  void Command12_Click();  // BK
  void Command13_Click();  // 四角
  void Command14_Click();  // 円
  void Command10_Click();  // 大
  void Command11_Click();  // 小
  void Command6_Click();   // ↑
  void Command7_Click();   // ↓
  void Command8_Click();   // →
  void Command9_Click();   // ←

  // ---- the point file (form23_points.cpp) -------------------------------------------------
  void Combo1_Click();
  void Command5_Click();  // 開く
  // The point file of the chosen slot for the current picture.
  QString PointFilePath() const;
  // The first steps of a generation: the slot read again from Combo1, the questions about
  // an existing point file, the count check and the atomic write of the outline. True when
  // the outline is in the file and the generation goes on; false when it ends here (the
  // user's answer, too few points, or a failed write, each with its message).
  bool SavePlotToPointFile();

  // ---- macro generation (form23_generate.cpp) ---------------------------------------------
  void Command3_Click();  // マクロ生成
  void Command4_Click();  // コピー
  // Asks for a number in min..max; the typed text, or the default with its sign position.
  QString Call_InputBox_IsNumeric(const QString& prompt, const QString& title, int def, int min,
                                  int max);

  // ---- helpers ----------------------------------------------------------------------------
  // Points 1..PlotCount as whole pixels.
  QPolygon PlottedPoints() const;
  // The picture shown, without the marks.
  int PictureWidth() const { return shownPicture_.width(); }
  int PictureHeight() const { return shownPicture_.height(); }

  // ---- form-level state -------------------------------------------------------------------
  QString CutoutPicturePath;  // the picture cut out (the prepared copy once one is made)
  short PlotCount = 0;        // points 1..PlotCount of PlotX, PlotY
  std::array<float, kMaxPlotPoints + 1> PlotX{};  // element 0 unused; free slots hold -1
  std::array<float, kMaxPlotPoints + 1> PlotY{};
  short NewPointX = 0;  // the point the next plotting step adds
  short NewPointY = 0;
  short PlotLeft = 0;  // bounding box of the points plotted since the list was emptied
  short PlotTop = 0;
  short PlotRight = 0;
  short PlotBottom = 0;
  short LastPlotX = -1;  // previous point, where the next red line starts; -1 = none
  short LastPlotY = -1;
  short PlotEdited = 0;                            // 1: the plot changed since opening or saving
  QString ButtonNumberText = QStringLiteral("0");  // slot number "0".."62"
  short ComboClickSuppressed = 0;                  // 1 while "開く" moves Combo1
  short CloseOnActivate = 0;                       // 1: the load refused the picture
  QString PictureExt;                              // last three characters of the picture path
  // The point file the plot was read from and not changed since; "" when none. A generation
  // writes over another file only after asking.
  QString PlotSourceFile;

 private:
  void LayOut();
  // The load's steps; a failure throws to Form_Load, which reports it.
  void PreparePicture();
  // Unloads at once: a refused preparation (no message).
  void Refuse();
  // Picture1 shows the picture of CutoutPicturePath again without marks.
  void ReloadPicture();
  // Reload, no previous point, no points (the slots keep their values).
  void ResetScene();
  // Reloads and plots `points` afresh from slot 1.
  void Replot(const QPolygon& points);
  void ShiftBy(int dx, int dy);
  void Scale(float factor);
  // Plots the points of a read file (at most kMaxPlotPoints).
  void PlotPoints(const QPolygon& points);
  // Reads the slot-0 file at load (no question); failures end the load.
  void LoadPointFileAtStart();
  void ShowPointFileInCaption(const QString& path);

  QImage shownPicture_;  // the picture as last loaded into Picture1
};

Form23& form23();
Form23* Form23IfLoaded();

// Fills core's service that the slide list window's "切取ﾏｸﾛ生成" calls.
void RegisterServices();

}  // namespace cutout
