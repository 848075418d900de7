// Date and time entry in the schedule grid: the two calendars, the date dialog, the time
// input box, the Delete key, and set_cal, which keeps the calendars on the current row's
// date.
#include <QPointer>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "schedule/form21.h"
#include "schedule/form22.h"

namespace schedule {

namespace {

bool IsDateCol(int col) { return col == kColAddDate || col == kColDelDate; }
bool IsTimeCol(int col) { return col == kColAddTime || col == kColDelTime; }

constexpr int kKeyEnter = 13;
constexpr int kKeyShift = 16;
constexpr int kKeyDelete = 46;

}  // namespace

// ---- the calendars follow the current cell ----------------------------------------------------

void Form22::set_cal() {
  platform::Grid& g = MSFlexGrid1;
  const int col = g.Col();
  const int dateCol = col <= kColAddTime ? kColAddDate : kColDelDate;
  const QString t = g.Rows() > 1 && g.Row() >= 1 ? g.TextMatrix(g.Row(), dateCol) : QString();
  if (col >= kColAddDate && col <= kColDelTime && !CellEmpty(t)) {
    // A text that is no date ("YYYY/MM/DD") is shown on neither calendar.
    const QDate date = platform::DateFromText(t);
    const QDate today = platform::Date();
    if (date.isValid() && date.year() == today.year() && date.month() == today.month()) {
      Calendar1.SetValue(date);
      Calendar1.SetValueIsNull(false);
      Calendar2.SetValueIsNull(true);
    } else {
      Calendar1.SetValueIsNull(true);
      const int nextMonth = today.month() == 12 ? 1 : today.month() + 1;
      if (date.isValid() && date.month() == nextMonth && date.year() == Calendar2.Value().year()) {
        Calendar2.SetValue(date);
        Calendar2.SetValueIsNull(false);
      } else {
        Calendar2.SetValueIsNull(true);
      }
    }
    CalendarsReset = 0;
  } else if (CalendarsReset == 0) {
    const QDate today = platform::Date();
    Calendar1.SetValue(today);
    Calendar2.SetValue(today);
    Calendar2.NextMonth();
    Calendar1.SetValueIsNull(true);
    Calendar2.SetValueIsNull(true);
    CalendarsReset = 1;
  }
  // The grid takes the keys again; a hidden window has nothing to focus.
  if (g.isVisible() && g.isEnabled() && !g.hasFocus()) g.SetFocus();
}

void Form22::ShowHint() {
  const int col = MSFlexGrid1.Col();
  if (IsDateCol(col))
    Label2.SetCaption(QStringLiteral("↓日付をクリックしてください"));
  else if (IsTimeCol(col))
    Label2.SetCaption(QStringLiteral("Enterキーを押してください"));
  else
    Label2.SetCaption(QString());
}

void Form22::MSFlexGrid1_EnterCell() {
  platform::Grid& g = MSFlexGrid1;
  if (g.Rows() > 1 && g.Row() >= 1) ShowSchedulePreview(g.TextMatrix(g.Row(), kColPath));
  set_cal();
  ShowHint();
}

void Form22::MSFlexGrid1_GotFocus() { MSFlexGrid1_EnterCell(); }

// ---- a day clicked -----------------------------------------------------------------------------

void Form22::CalendarClicked(platform::Calendar& calendar) {
  platform::Grid& g = MSFlexGrid1;
  const int firstCol = std::max(kColAddDate, std::min(g.Col(), g.ColSel()));
  const int lastCol = std::max(g.Col(), g.ColSel());
  const auto [top, bottom] = SelectedRows();
  const QString day = calendar.ValueText();
  for (int c = firstCol; c <= lastCol; ++c) {
    if (!IsDateCol(c) || top < 1) continue;
    calendar.SetValueIsNull(false);
    for (int r = top; r <= bottom; ++r) g.SetTextMatrix(r, c, day);
    ScheduleChanged = -1;
  }
  if (g.isVisible() && g.isEnabled()) g.SetFocus();
  CalendarsReset = 0;
}

void Form22::Calendar1_Click() { CalendarClicked(Calendar1); }
void Form22::Calendar2_Click() { CalendarClicked(Calendar2); }
void Form22::Calendar_NewMonth() { CalendarsReset = 0; }

// ---- the date dialog and the time box ----------------------------------------------------------

void Form22::ShowDateDialog() {
  QPointer<Form22> self(this);
  form21().ShowModal();
  if (self) ScheduleChanged = -1;
}

bool Form22::EnterTime(const std::vector<int>& cols, int top, int bottom) {
  platform::Grid& g = MSFlexGrid1;
  const bool addTime = g.Col() == kColAddTime;
  const QString answer = platform::InputBox(
      addTime ? QStringLiteral("追加時間を入力してください。(0000～2359)")
              : QStringLiteral("削除時間を入力してください。(0000～2359)"),
      addTime ? QStringLiteral("追加時間入力") : QStringLiteral("削除時間入力"), g.Text());
  // An empty answer, and Cancel, remove the time.
  const std::optional<QString> time = TypedTime(answer);
  if (!time) return false;
  if (top < 1) return true;
  for (int r = top; r <= bottom; ++r)
    for (int c : cols) g.SetTextMatrix(r, c, *time);
  return true;
}

void Form22::MSFlexGrid1_DblClick() {
  platform::Grid& g = MSFlexGrid1;
  if (g.Rows() < 2) return;
  if (IsDateCol(g.Col())) {
    ShowDateDialog();
  } else if (IsTimeCol(g.Col())) {
    const auto [top, bottom] = SelectedRows();
    if (EnterTime({g.Col()}, top, bottom)) ScheduleChanged = -1;
  }
}

void Form22::MSFlexGrid1_KeyDown(int& keyCode, int /*shift*/) {
  platform::Grid& g = MSFlexGrid1;
  if (keyCode == kKeyShift) return;
  if (g.Rows() < 2) return;
  const int firstCol = std::max(kColAddDate, std::min(g.Col(), g.ColSel()));
  const int lastCol = std::max(g.Col(), g.ColSel());
  const auto [top, bottom] = SelectedRows();
  if (keyCode == kKeyDelete) {
    for (int r = top; r <= bottom; ++r)
      for (int c = firstCol; c <= lastCol; ++c) g.SetTextMatrix(r, c, QString());
    ScheduleChanged = -1;
    return;
  }
  if (IsDateCol(g.Col())) {
    ShowDateDialog();
    return;
  }
  if (IsTimeCol(g.Col()) && keyCode == kKeyEnter) {
    std::vector<int> cols;
    for (int c = firstCol; c <= lastCol; ++c)
      if (IsTimeCol(c)) cols.push_back(c);
    if (!EnterTime(cols, top, bottom)) return;
    ScheduleChanged = -1;
    if (top == bottom && g.Row() < g.Rows() - 1) g.SetRow(g.Row() + 1);
  }
}

}  // namespace schedule
