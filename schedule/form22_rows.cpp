// The schedule editor's row commands: move the current row up or down, remove the selected
// rows, tidy the list (rows whose file is gone or whose show-until moment has passed) and
// sort it by path.
#include <QRegularExpression>
#include <vector>

#include "core/common.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/filelookup.h"
#include "schedule/form22.h"

namespace schedule {

namespace {

constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;

// The show-until moment of a row: its date and time ("" time: the start of that day);
// nullopt when the cells do not read as a date and time.
std::optional<QDateTime> UntilMoment(const QString& date, const QString& time) {
  const QDate day = platform::DateFromText(date.trimmed());
  if (!day.isValid()) return std::nullopt;
  if (CellEmpty(time)) return QDateTime(day, QTime(0, 0));
  static const QRegularExpression form(QStringLiteral(R"(^\s*(\d{1,2}):(\d{1,2})\s*$)"));
  const QRegularExpressionMatch m = form.match(time);
  if (!m.hasMatch()) return std::nullopt;
  const QTime t(m.captured(1).toInt(), m.captured(2).toInt());
  if (!t.isValid()) return std::nullopt;
  return QDateTime(day, t);
}

}  // namespace

void Form22::SwapRowContents(int a, int b) {
  platform::Grid& g = MSFlexGrid1;
  for (int c = kColPath; c <= kColDelTime; ++c) {
    const QString t = g.TextMatrix(a, c);
    g.SetTextMatrix(a, c, g.TextMatrix(b, c));
    g.SetTextMatrix(b, c, t);
  }
}

void Form22::Command5_Click() {
  platform::Grid& g = MSFlexGrid1;
  if (g.Row() <= 1) return;
  SwapRowContents(g.Row(), g.Row() - 1);
  g.SetRow(g.Row() - 1);
  ScheduleChanged = -1;
}

void Form22::Command6_Click() {
  platform::Grid& g = MSFlexGrid1;
  if (g.Row() <= 0 || g.Row() >= g.Rows() - 1) return;
  SwapRowContents(g.Row(), g.Row() + 1);
  g.SetRow(g.Row() + 1);
  ScheduleChanged = -1;
}

// Preview, calendars and the mark of an edit, after a command changed the rows.
void Form22::CommonEnding() {
  platform::Grid& g = MSFlexGrid1;
  platform::RunStepsIgnoringErrors({
      [this, &g] {
        if (g.Rows() > 1) ShowSchedulePreview(g.TextMatrix(g.Row(), kColPath));
      },
      [this] { set_cal(); },
  });
  ScheduleChanged = -1;
}

// Removes the selected rows, whichever way the selection was drawn; one row always stays.
void Form22::Command7_Click() {
  platform::Grid& g = MSFlexGrid1;
  platform::RunStepsIgnoringErrors({
      [this, &g] {
        if (g.Rows() - 1 <= 1) return;
        const auto [top, bottom] = SelectedRows();
        if (top < 1) return;
        g.SetRow(top);
        for (int n = bottom - top + 1; n > 0; --n)
          if (g.Rows() - 1 > 1) g.RemoveItem(top);
        ScheduleChanged = -1;
      },
      [this] { NumberRows(); },
      [&g] { g.SetRowSel(g.Row()); },
  });
  CommonEnding();
}

void Form22::Command8_Click() {
  platform::Grid& g = MSFlexGrid1;
  platform::TryStep([&g] { g.SetRowSel(g.Row()); });
  if (platform::MsgBox(QStringLiteral("スライドリストを最適状態にしますか?\n\r"
                                      "(削除日時が過ぎたファイル及び読込不可のファイルをリストから"
                                      "消去します。)"),
                       platform::vbYesNo | platform::vbQuestion,
                       QStringLiteral("リスト最適")) != platform::vbYes)
    return;
  platform::SetScreenMousePointer(kHourglass);
  platform::TryStep([&g] {
    const int examined = g.Rows() - 1;
    int i = 1;
    for (int n = 0; n < examined && i <= g.Rows() - 1; ++n) {
      // Only a file known to be gone takes its row: a disk that cannot be looked at now
      // (not mounted, a folder that cannot be read) keeps its rows.
      bool goes = platform::LookUpFile(g.TextMatrix(i, kColPath)) == platform::FileLookup::kMissing;
      if (!goes && !CellEmpty(g.TextMatrix(i, kColDelDate))) {
        // A show-until that does not read as a date and time is kept.
        const std::optional<QDateTime> until =
            UntilMoment(g.TextMatrix(i, kColDelDate), g.TextMatrix(i, kColDelTime));
        goes = until && *until < platform::Now();
      }
      if (goes && g.Rows() - 1 > 1)
        g.RemoveItem(i);
      else
        ++i;
    }
  });
  platform::TryStep([this] { NumberRows(); });
  platform::TryStep([&g] { g.SetRowSel(g.Row()); });
  CommonEnding();
  platform::SetScreenMousePointer(kDefaultPointer);
}

void Form22::Command9_Click() {
  platform::Grid& g = MSFlexGrid1;
  platform::TryStep([&g] { g.SetRowSel(g.Row()); });
  if (platform::MsgBox(QStringLiteral("スライドリストをソートしますか?\n\r"
                                      "(スライドリスト 画像ファイル名でソートします。)"),
                       platform::vbYesNo | platform::vbQuestion,
                       QStringLiteral("ソート確認")) != platform::vbYes)
    return;
  platform::SetScreenMousePointer(kHourglass);
  platform::TryStep([&g] {
    const int last = g.Rows() - 1;
    std::vector<QString> texts(static_cast<size_t>(last) + 1);
    for (int i = 1; i <= last; ++i) {
      texts[i] = g.TextMatrix(i, kColPath) + QLatin1Char(',') +
                 ScheduleRecordOf(g.TextMatrix(i, kColAddDate), g.TextMatrix(i, kColAddTime),
                                  g.TextMatrix(i, kColDelDate), g.TextMatrix(i, kColDelTime));
    }
    core::QuickSortStrings(texts, 1, last, 0);
    for (int i = 1; i <= last; ++i) {
      const QString& t = texts[i];
      // The path is all before the comma in front of the 30 schedule characters, so a
      // comma in a path stays in the path.
      const QString schedule = t.right(30);
      g.SetTextMatrix(i, kColNumber, QString::number(i));
      g.SetTextMatrix(i, kColPath, t.left(t.size() - 31));
      g.SetTextMatrix(i, kColAddDate, schedule.mid(0, 10));
      g.SetTextMatrix(i, kColAddTime, FormatTimeCell(schedule.mid(10, 5)));
      g.SetTextMatrix(i, kColDelDate, schedule.mid(15, 10));
      g.SetTextMatrix(i, kColDelTime, FormatTimeCell(schedule.mid(25, 5)));
    }
  });
  CommonEnding();
  platform::SetScreenMousePointer(kDefaultPointer);
}

}  // namespace schedule
