#pragma once
// The schedule editor: the working slide list as a grid, one row per slide with its
// show-from and show-until dates and times, two calendars, a preview of the current row's
// picture, row commands, and saving through the slide list editor's lists.
#include <optional>
#include <utility>
#include <vector>

#include "platform/calendar.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/grid.h"

namespace schedule {

// Grid columns.
constexpr int kColNumber = 0;
constexpr int kColPath = 1;
constexpr int kColAddDate = 2;  // "追加日" show-from date
constexpr int kColAddTime = 3;  // "追加時間"
constexpr int kColDelDate = 4;  // "削除日" show-until date
constexpr int kColDelTime = 5;  // "削除時間"
constexpr int kGridCols = 6;
constexpr int kScheduleRowLimit = 30000;  // the slide list's own limit

class Form22 : public platform::Form {
  Q_OBJECT

 public:
  Form22();

  platform::Grid MSFlexGrid1{this};
  platform::Frame Frame1{this, QStringLiteral("画像")};
  platform::ImageBox Image1{&Frame1};  // the preview, stretched into the frame
  platform::Label Label1{this};        // file name of the previewed row
  platform::CheckBox Check1{this, QStringLiteral("プレビューあり")};
  platform::Label Label2{this};        // hint for the current column
  platform::Calendar Calendar1{this};  // this month
  platform::Calendar Calendar2{this};  // next month
  platform::CommandButton Command8{this, QStringLiteral("リスト最適")};
  platform::CommandButton Command9{this, QStringLiteral("ソート")};
  platform::CommandButton Command7{this, QStringLiteral("選択取消")};
  platform::CommandButton Command5{this, QStringLiteral("↑")};
  platform::CommandButton Command6{this, QStringLiteral("↓")};
  platform::CheckBox Check2{this,
                            QStringLiteral("挿入")};  // dropped files go before the current row
  platform::CommandButton Command3{this, QStringLiteral("開く")};
  platform::CommandButton Command1{this, QStringLiteral("保存")};
  platform::CommandButton Command4{this, QStringLiteral("配布保存")};
  platform::CommandButton Command2{this, QStringLiteral("閉じる")};
  platform::PictureBox Picture1{this};  // hidden holder of the previewed picture

  // ---- window and grid (form22.cpp) ----
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;
  void MSFlexGrid1_OLEDragDrop(bool hasFiles, const QStringList& paths);
  // Commits the slide list editor's lists into the slide arrays.
  void s_set();

  // ---- preview (form22_preview.cpp) ----
  void ShowSchedulePreview(const QString& path);
  void LoadPreviewByImaging(const QString& path);
  void Check1_Click();

  // ---- date and time entry (form22_entry.cpp) ----
  void set_cal();
  void MSFlexGrid1_EnterCell();
  void MSFlexGrid1_GotFocus();
  void MSFlexGrid1_DblClick();
  void MSFlexGrid1_KeyDown(int& keyCode, int shift);
  void Calendar1_Click();
  void Calendar2_Click();
  void Calendar_NewMonth();

  // ---- files (form22_files.cpp) ----
  void Command1_Click();  // 保存
  void Command4_Click();  // 配布保存
  void Command3_Click();  // 開く
  void Command2_Click();  // 閉じる

  // ---- row commands (form22_rows.cpp) ----
  void Command5_Click();  // ↑
  void Command6_Click();  // ↓
  void Command7_Click();  // 選択取消
  void Command8_Click();  // リスト最適
  void Command9_Click();  // ソート

  // ---- the window's own values ----
  short ScheduleChanged = 0;  // -1: the grid was edited since it was loaded or saved
  QString PreviewedPath;      // the path the preview last took
  short CalendarsReset = 0;   // 1: both calendars stand on this month and the next

  // The row range the downward operations cover: the selection's rows, top to bottom.
  std::pair<int, int> SelectedRows() const;
  // Rewrites column 0 with the row numbers.
  void NumberRows();
  // Fills the grid from the slide list editor's lists, one row per entry.
  void FillGridFromEditorLists();

 private:
  void CalendarClicked(platform::Calendar& calendar);
  void ShowDateDialog();
  // Asks for a time and writes it into `cols` of rows top..bottom; false when the answer
  // was no time of day (nothing written).
  bool EnterTime(const std::vector<int>& cols, int top, int bottom);
  void ShowHint();
  void SaveThroughEditor(bool distribution);
  void CommonEnding();
  void SwapRowContents(int a, int b);
};

Form22& form22();
Form22* Form22IfLoaded();

// ---- rules of the grid's texts ----

// Row x the grid's column count + column.
int CalcGridIndex(const platform::Grid& grid, int col, int row);
// The text followed by `width` blanks, cut to `width` characters.
QString MOJI_SP(const QString& text, int width);
// A cell counts as empty when it holds nothing but blanks.
bool CellEmpty(const QString& text);
// A time text as "hh:nn" when it reads as a time of day; other texts (blanks) unchanged.
QString FormatTimeCell(const QString& text);
// The cells 2 to 5 of a ScheduleRecord (blanks where it is short).
QStringList ScheduleCells(const QString& record);
// The ScheduleRecord of cells 2 to 5.
QString ScheduleRecordOf(const QString& addDate, const QString& addTime, const QString& delDate,
                         const QString& delTime);

// What a typed answer of the time box gives: the empty text clears, "hh:nn" sets, nothing
// (nullopt) when it is no time of day.
std::optional<QString> TypedTime(const QString& answer);

// The preview's place in its frame, in twips: the picture of pw x ph fitted into 0.9 of
// the frame, enlarged when smaller, centred, 60 lower.
struct PreviewPlace {
  double left = 0;
  double top = 0;
  int width = 0;
  int height = 0;
};
PreviewPlace FitPreview(double frameWidth, double frameHeight, double pw, double ph);

// Fills core's service so that the main window's "ｽｹｼﾞｭｰﾙ" opens this editor.
void RegisterServices();

}  // namespace schedule
