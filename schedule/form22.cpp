// The schedule editor's window: its layout, the grid built from the slide list editor's
// lists, the file drop, the close question and the commit of the paths.
#include "schedule/form22.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "core/form1.h"
#include "core/monitors.h"
#include "core/services.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "schedule/form21.h"

namespace schedule {

namespace {

constexpr int kMinWidth = 14865;
constexpr int kMinHeight = 9600;
constexpr int kButtonTopFromBottom = 1160;

const QString kCloseQuestion = QStringLiteral("スライド・スケジュールを保存せずに終了しますか ?");
const QString kCloseTitle = QStringLiteral("終了確認");

// The extensions the grid takes from a drop (its last three letters, upper case).
bool DroppableFile(const QString& path) {
  static const QStringList kinds = {
      QStringLiteral("BMP"), QStringLiteral("JPG"), QStringLiteral("PNG"), QStringLiteral("MP4"),
      QStringLiteral("WMV"), QStringLiteral("MOV"), QStringLiteral("AVI")};
  return kinds.contains(path.right(3).toUpper());
}

// Hours ":" minutes (":" seconds), one or two digits each.
std::optional<QTime> ReadTimeOfDay(const QString& text) {
  static const QRegularExpression form(
      QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*$)"));
  const QRegularExpressionMatch m = form.match(text);
  if (!m.hasMatch()) return std::nullopt;
  const int h = m.captured(1).toInt();
  const int n = m.captured(2).toInt();
  const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
  if (h > 23 || n > 59 || s > 59) return std::nullopt;
  return QTime(h, n, s);
}

QString TimeText(const QTime& t) {
  return QStringLiteral("%1:%2")
      .arg(t.hour(), 2, 10, QLatin1Char('0'))
      .arg(t.minute(), 2, 10, QLatin1Char('0'));
}

}  // namespace

// ---- rules of the grid's texts ---------------------------------------------------------------

int CalcGridIndex(const platform::Grid& grid, int col, int row) { return row * grid.Cols() + col; }

QString MOJI_SP(const QString& text, int width) {
  return (text + QString(width, QLatin1Char(' '))).left(width);
}

bool CellEmpty(const QString& text) { return text.trimmed().isEmpty(); }

QString FormatTimeCell(const QString& text) {
  const std::optional<QTime> t = ReadTimeOfDay(text);
  return t ? TimeText(*t) : text;
}

QStringList ScheduleCells(const QString& record) {
  const QString r = MOJI_SP(record, 30);
  return {r.mid(0, 10), FormatTimeCell(r.mid(10, 5)), r.mid(15, 10), FormatTimeCell(r.mid(25, 5))};
}

QString ScheduleRecordOf(const QString& addDate, const QString& addTime, const QString& delDate,
                         const QString& delTime) {
  return MOJI_SP(addDate, 10) + MOJI_SP(addTime, 5) + MOJI_SP(delDate, 10) + MOJI_SP(delTime, 5);
}

std::optional<QString> TypedTime(const QString& answer) {
  // Digits and the colon typed in full width read as their plain forms.
  QString a = answer.normalized(QString::NormalizationForm_KC);
  if (!a.contains(QLatin1Char(':')) && a.size() == 4) a = a.left(2) + QLatin1Char(':') + a.mid(2);
  if (a.trimmed().isEmpty()) return QString();
  const std::optional<QTime> t = ReadTimeOfDay(a);
  if (!t) return std::nullopt;
  return TimeText(*t);
}

// ---- window ----------------------------------------------------------------------------------

Form22::Form22() {
  SetCaption(QStringLiteral("スライド・スケジュール"));
  SetClientSize(kMinWidth - 120, kMinHeight - 420);
  const int w = kMinWidth;
  const int h = kMinHeight;
  MSFlexGrid1.Move(120, 120, w - 4530, h - 1400);
  Frame1.Move(w - 4305, 60, 3950, 2535);
  Image1.SetStretch(true);
  Image1.Move(0, 0, 0, 0);
  Label1.Move(w - 4185, 2640, 3830, 255);
  Check1.Move(w - 4305, 2925, 1935, 270);
  Label2.Move(w - 4305, 3240, 3950, 255);
  Calendar1.Move(w - 4305, 3540, 3950, 2400);
  Calendar2.Move(w - 4305, 6000, 3950, 2400);
  const int top = h - kButtonTopFromBottom;
  Command8.Move(120, top, 1215, 495);
  Command9.Move(1440, top, 1215, 495);
  Command7.Move(2760, top, 1215, 495);
  Command5.Move(4080, top, 615, 495);
  Command6.Move(4800, top, 615, 495);
  Check2.Move(5640, top + 112, 1095, 270);
  Command3.Move(6960, top, 1215, 495);
  Command1.Move(8280, top, 1215, 495);
  Command4.Move(9600, top, 1215, 495);
  Command2.Move(10920, top, 1215, 495);
  Picture1.SetBorderStyle(0);
  Picture1.SetVisible(false);
  Check1.SetValue(1);

  connect(&MSFlexGrid1, &platform::Grid::EnterCell, this, &Form22::MSFlexGrid1_EnterCell);
  connect(&MSFlexGrid1, &platform::Grid::GotFocus, this, &Form22::MSFlexGrid1_GotFocus);
  connect(&MSFlexGrid1, &platform::Grid::DblClick, this, &Form22::MSFlexGrid1_DblClick);
  connect(&MSFlexGrid1, &platform::Grid::KeyDown, this, &Form22::MSFlexGrid1_KeyDown);
  connect(&MSFlexGrid1, &platform::Grid::OLEDragDrop, this, &Form22::MSFlexGrid1_OLEDragDrop);
  connect(&Calendar1, &platform::Calendar::Click, this, &Form22::Calendar1_Click);
  connect(&Calendar2, &platform::Calendar::Click, this, &Form22::Calendar2_Click);
  for (platform::Calendar* c : {&Calendar1, &Calendar2}) {
    connect(c, &platform::Calendar::NewMonth, this, &Form22::Calendar_NewMonth);
    connect(c, &platform::Calendar::NewYear, this, &Form22::Calendar_NewMonth);
  }
  connect(&Check1, &platform::CheckBox::Click, this, &Form22::Check1_Click);
  connect(&Command1, &platform::CommandButton::Click, this, &Form22::Command1_Click);
  connect(&Command2, &platform::CommandButton::Click, this, &Form22::Command2_Click);
  connect(&Command3, &platform::CommandButton::Click, this, &Form22::Command3_Click);
  connect(&Command4, &platform::CommandButton::Click, this, &Form22::Command4_Click);
  connect(&Command5, &platform::CommandButton::Click, this, &Form22::Command5_Click);
  connect(&Command6, &platform::CommandButton::Click, this, &Form22::Command6_Click);
  connect(&Command7, &platform::CommandButton::Click, this, &Form22::Command7_Click);
  connect(&Command8, &platform::CommandButton::Click, this, &Form22::Command8_Click);
  connect(&Command9, &platform::CommandButton::Click, this, &Form22::Command9_Click);
}

void Form22::Form_Load() {
  platform::TryStep([this] {
    Move((platform::ScreenWidth() - Width()) / 2.0, (platform::ScreenHeight() - Height()) / 2.0);
  });
  ScheduleChanged = 0;
  platform::Grid& g = MSFlexGrid1;
  g.SetCols(kGridCols);
  g.SetRows(2);
  const int widths[kGridCols] = {600, 5000, 1200, 950, 1200, 950};
  for (int c = 0; c < kGridCols; ++c) g.SetColWidth(c, widths[c]);
  g.SetTextMatrix(0, kColPath, QStringLiteral("画像ファイル"));
  g.SetTextMatrix(0, kColAddDate, QStringLiteral("追加日"));
  g.SetTextMatrix(0, kColAddTime, QStringLiteral("追加時間"));
  g.SetTextMatrix(0, kColDelDate, QStringLiteral("削除日"));
  g.SetTextMatrix(0, kColDelTime, QStringLiteral("削除時間"));
  FillGridFromEditorLists();
  PreviewedPath.clear();
  const QDate today = platform::Date();
  Calendar1.SetValue(today);
  Calendar2.SetValue(today);
  Calendar2.NextMonth();
  Calendar1.SetValueIsNull(true);
  Calendar2.SetValueIsNull(true);
}

// The grid shows the master copy of the slide list: the editor's path list with its schedule
// list item for item, so a path and its schedule never part. (AVI entries of an opened
// slideshow file stay in the show's arrays and out of these two lists together.)
void Form22::FillGridFromEditorLists() {
  listeditor::Form3& editor = listeditor::form3();
  const QStringList& paths = editor.List1.Items();
  const QStringList& records = editor.List2.Items();
  const int n = static_cast<int>(paths.size());
  platform::Grid& g = MSFlexGrid1;
  g.setUpdatesEnabled(false);
  g.SetRows(n + 1);
  for (int i = 1; i <= n; ++i) {
    g.SetTextMatrix(i, kColNumber, QString::number(i));
    g.SetTextMatrix(i, kColPath, paths[i - 1]);
    const QStringList cells = ScheduleCells(i - 1 < records.size() ? records[i - 1] : QString());
    for (int c = 0; c < 4; ++c) g.SetTextMatrix(i, kColAddDate + c, cells[c]);
  }
  g.setUpdatesEnabled(true);
}

void Form22::Form_Activate() {
  platform::TryStep([this] {
    const QPoint p = core::CentredOnMainMonitor(Width(), Height());
    Move(p.x(), p.y());
  });
}

void Form22::Form_Resize() {
  platform::RunStepsIgnoringErrors({
      [this] {
        if (Height() < kMinHeight) SetHeight(kMinHeight);
        if (Width() < kMinWidth) SetWidth(kMinWidth);
      },
      [this] {
        const int top = Height() - kButtonTopFromBottom;
        for (platform::CommandButton* b : {&Command1, &Command2, &Command3, &Command4, &Command5,
                                           &Command6, &Command7, &Command8, &Command9})
          b->SetTop(top);
        Check2.SetTop(top + 112);
      },
      [this] {
        MSFlexGrid1.SetHeight(Height() - 1400);
        MSFlexGrid1.SetWidth(Width() - 4530);
        MSFlexGrid1.SetColWidth(kColPath, std::round(Width() - 9865.0));
      },
      [this] {
        const int left = Width() - 4305;
        Frame1.SetLeft(left);
        Check1.SetLeft(left);
        Calendar1.SetLeft(left);
        Calendar2.SetLeft(left);
        Label1.SetLeft(Width() - 4185);
        // The hint moves with its column, so a wider window does not leave it over the grid.
        Label2.SetLeft(left);
      },
  });
}

void Form22::Form_QueryUnload(int& cancel, int /*unloadMode*/) {
  if (ScheduleChanged != -1) return;
  if (platform::MsgBox(kCloseQuestion, platform::vbYesNo | platform::vbQuestion, kCloseTitle) ==
      platform::vbYes) {
    ScheduleChanged = 0;
  } else {
    cancel = 1;
  }
}

void Form22::Form_Unload(int& cancel) {
  cancel = 0;
  if (Form21* dialog = Form21IfLoaded()) platform::TryStep([dialog] { dialog->Unload(); });
  core::Form1* main = core::Form1IfLoaded();
  if (main && !main->ShuttingDown()) main->Show();
}

// ---- commit ----------------------------------------------------------------------------------

void Form22::s_set() {
  core::ListState& lists = core::Lists();
  core::RunFlags& flags = core::Flags();
  lists.CurrentSlideIndex = 0;
  flags.ShowRunning = 0;
  lists.SlideEndIndex = 0;
  lists.SlidePaths.Erase();
  listeditor::Form3& editor = listeditor::form3();
  const QStringList& paths = editor.List1.Items();
  const QStringList& records = editor.List2.Items();
  const int m = std::min(static_cast<int>(paths.size()), core::kSlideArrayUpper - 1);
  // The schedules go with their paths, so that a show finds each slide's own.
  lists.SlideAddDateTimes.Erase();
  lists.SlideDeleteDateTimes.Erase();
  for (int i = 1; i <= m; ++i) {
    lists.SlidePaths[i] = paths[i - 1];
    const QString record = i - 1 < records.size() ? records[i - 1] : QString();
    lists.SlideAddDateTimes[i] = core::ScheduleAddMoment(record);
    lists.SlideDeleteDateTimes[i] = core::ScheduleDeleteMoment(record);
  }
  lists.SlideEndIndex = static_cast<short>(m + 1);
  core::Form1& main = core::form1();
  if (!lists.SlidePaths[1].isEmpty()) {
    main.Command1.SetEnabled(true);
    main.Command4.SetEnabled(true);
    editor.Hide();
    flags.FourUpViewOpen = 0;
  } else {
    main.Command1.SetEnabled(false);
    main.Command2.SetEnabled(false);
    main.Command3.SetEnabled(false);
    main.Command4.SetEnabled(false);
    editor.Hide();
  }
}

// ---- rows ------------------------------------------------------------------------------------

std::pair<int, int> Form22::SelectedRows() const {
  const int a = MSFlexGrid1.Row();
  const int b = MSFlexGrid1.RowSel();
  return {std::min(a, b), std::max(a, b)};
}

void Form22::NumberRows() {
  platform::Grid& g = MSFlexGrid1;
  for (int i = 1; i < g.Rows(); ++i) g.SetTextMatrix(i, kColNumber, QString::number(i));
}

void Form22::MSFlexGrid1_OLEDragDrop(bool hasFiles, const QStringList& paths) {
  platform::Grid& g = MSFlexGrid1;
  if (hasFiles) {
    // With no data row there is nothing to insert before: the files are appended.
    const bool insert = Check2.Value() == 1 && g.Rows() > 1;
    int base = insert ? g.Row() : g.Rows();
    int k = 0;
    bool refused = false;
    for (const QString& path : paths) {
      if (!DroppableFile(path)) continue;
      const bool fillsEmptyRow =
          !insert && k == 0 && g.Rows() == 2 && CellEmpty(g.TextMatrix(1, kColPath));
      if (!fillsEmptyRow && g.Rows() - 1 >= kScheduleRowLimit) {
        refused = true;
        break;
      }
      ++k;
      if (insert) {
        g.AddItem(QString(), base + k - 1);
      } else if (fillsEmptyRow) {
        base = 1;
      } else {
        g.AddItem(QString());
      }
      g.SetTextMatrix(base + k - 1, kColPath, path);
    }
    if (refused)
      platform::MsgBox(QStringLiteral("これ以上登録できません"), platform::vbOKOnly,
                       QStringLiteral("ファイルの追加"));
  }
  NumberRows();
  if (g.Rows() > 1) ShowSchedulePreview(g.TextMatrix(g.Row(), kColPath));
  set_cal();
  ScheduleChanged = -1;
  PreviewedPath.clear();
}

// ---- accessor and service --------------------------------------------------------------------

namespace {
platform::FormSlot<Form22>& Form22Slot() {
  static platform::FormSlot<Form22> slot;
  return slot;
}
}  // namespace

Form22& form22() { return Form22Slot().Get(); }
Form22* Form22IfLoaded() { return Form22Slot().IfLoaded(); }

void RegisterServices() {
  core::TheServices().ShowScheduleEditor = [] {
    Form22& editor = form22();
    editor.Show();
    return editor.Loaded() && !editor.IsClosed();
  };
}

}  // namespace schedule
