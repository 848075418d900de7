#pragma once
// The calendar: a month view that holds one date (Value) and shows it as the selected day,
// or shows no selected day while still holding it. Dates are read and written as the fixed
// text "YYYY/MM/DD", whatever the desktop's locale.
//
// Click follows a day clicked by the user (Value is then that day); NewMonth and NewYear
// follow the user turning the page. Changes made from code raise none of them.
#include <QCalendarWidget>
#include <QDate>

#include "platform/controls_base.h"

class QTableView;

namespace platform {

class Calendar : public ControlBase<QCalendarWidget> {
  Q_OBJECT

 public:
  explicit Calendar(QWidget* parent);

  QDate Value() const { return selectedDate(); }
  // "YYYY/MM/DD".
  QString ValueText() const;
  // Holds `date` and turns to its month. An invalid date raises error 380.
  void SetValue(const QDate& date);
  // From "YYYY/MM/DD" (one- or two-digit month and day accepted); other texts raise 380.
  void SetValue(const QString& text);
  // True while no day is shown selected.
  bool ValueIsNull() const { return valueIsNull_; }
  void SetValueIsNull(bool none);
  // One month ahead (the day kept, or the month's last day).
  void NextMonth();

 signals:
  void Click();
  void NewMonth();
  void NewYear();

 private:
  // Paints the held day as selected, or like any other day.
  void ShowSelection();

  QTableView* view_ = nullptr;
  bool valueIsNull_ = false;
  bool fromCode_ = false;
  int shownYear_ = 0;
};

// "YYYY/MM/DD" of a date; the empty text for an invalid one.
QString DateText(const QDate& date);
// A date from "YYYY/MM/DD" (one- or two-digit month and day accepted); invalid otherwise.
QDate DateFromText(const QString& text);

}  // namespace platform
