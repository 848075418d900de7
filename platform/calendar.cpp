#include "platform/calendar.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTableView>

namespace platform {

QString DateText(const QDate& date) {
  if (!date.isValid()) return {};
  return QStringLiteral("%1/%2/%3")
      .arg(date.year(), 4, 10, QLatin1Char('0'))
      .arg(date.month(), 2, 10, QLatin1Char('0'))
      .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QDate DateFromText(const QString& text) {
  static const QRegularExpression form(QStringLiteral(R"(^\s*(\d{4})/(\d{1,2})/(\d{1,2})\s*$)"));
  const QRegularExpressionMatch m = form.match(text);
  if (!m.hasMatch()) return {};
  return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

Calendar::Calendar(QWidget* parent) : ControlBase(parent) {
  setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  setGridVisible(true);
  view_ = findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
  shownYear_ = yearShown();
  connect(this, &QCalendarWidget::clicked, this, [this](QDate) {
    if (!fromCode_) emit Click();
  });
  connect(this, &QCalendarWidget::currentPageChanged, this, [this](int year, int) {
    const bool newYear = year != shownYear_;
    shownYear_ = year;
    if (fromCode_) return;
    if (newYear)
      emit NewYear();
    else
      emit NewMonth();
  });
}

QString Calendar::ValueText() const { return DateText(Value()); }

void Calendar::SetValue(const QDate& date) {
  if (!date.isValid()) throw VbError(kErrInvalidPropertyValue, "Value");
  fromCode_ = true;
  setSelectedDate(date);
  setCurrentPage(date.year(), date.month());
  fromCode_ = false;
  shownYear_ = yearShown();
}

void Calendar::SetValue(const QString& text) { SetValue(DateFromText(text)); }

void Calendar::SetValueIsNull(bool none) {
  valueIsNull_ = none;
  ShowSelection();
}

void Calendar::NextMonth() { SetValue(Value().addMonths(1)); }

void Calendar::ShowSelection() {
  if (!view_) return;
  // The view paints the selected day in the highlight colours: with no day selected they
  // are those of every other day.
  QPalette p = palette();
  if (valueIsNull_) {
    p.setColor(QPalette::Highlight, p.color(QPalette::Base));
    p.setColor(QPalette::HighlightedText, p.color(QPalette::Text));
  }
  view_->setPalette(p);
  view_->viewport()->update();
}

}  // namespace platform
