// The calendar: its date as the fixed text "YYYY/MM/DD" whatever the locale, the month it
// shows, the "no day selected" look, and the events that only the user raises.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QTableView>

#include "platform/calendar.h"
#include "platform/form.h"

using namespace platform;

namespace {

class CalendarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetClientSize(6000, 4500);
    calendar.Move(0, 0, 5000, 3500);
    form.Show();
    QApplication::processEvents();
    QObject::connect(&calendar, &Calendar::Click, [this] { events << "click"; });
    QObject::connect(&calendar, &Calendar::NewMonth, [this] { events << "month"; });
    QObject::connect(&calendar, &Calendar::NewYear, [this] { events << "year"; });
  }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }

  QTableView* View() { return calendar.findChild<QTableView*>(); }
  // How many pixels of the day grid are painted in the highlight colour.
  int HighlightPixels() {
    QTableView* view = View();
    const QImage shot = view->viewport()->grab().toImage();
    const QColor highlight = calendar.palette().color(QPalette::Highlight);
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if (shot.pixelColor(x, y) == highlight) ++n;
    return n;
  }

  Form form;
  Calendar calendar{&form};
  QStringList events;
};

TEST_F(CalendarTest, DateTextIsFixedWhateverTheLocale) {
  for (const QLocale& locale :
       {QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Japanese, QLocale::Japan)}) {
    QLocale::setDefault(locale);
    calendar.SetValue(QStringLiteral("2024/3/7"));
    EXPECT_EQ(calendar.ValueText(), QStringLiteral("2024/03/07")) << locale.name().toStdString();
    EXPECT_EQ(DateText(QDate(987, 12, 31)), QStringLiteral("0987/12/31"));
  }
  EXPECT_FALSE(DateFromText(QStringLiteral("07/03/2024")).isValid());
  EXPECT_FALSE(DateFromText(QStringLiteral("2024/02/30")).isValid());
  EXPECT_THROW(calendar.SetValue(QStringLiteral("2024-03-07")), VbError);
  EXPECT_EQ(calendar.ValueText(), QStringLiteral("2024/03/07")) << "a refused text changes nothing";
}

TEST_F(CalendarTest, ShowsTheMonthOfItsDateAndStepsAMonth) {
  calendar.SetValue(QDate(2024, 12, 31));
  EXPECT_EQ(calendar.monthShown(), 12);
  calendar.NextMonth();
  EXPECT_EQ(calendar.Value(), QDate(2025, 1, 31));
  calendar.NextMonth();
  EXPECT_EQ(calendar.Value(), QDate(2025, 2, 28)) << "the month's last day";
  EXPECT_EQ(calendar.yearShown(), 2025);
  EXPECT_TRUE(events.isEmpty()) << "changes from code raise no event";
}

TEST_F(CalendarTest, NoSelectedDayKeepsTheDateButShowsNoHighlight) {
  calendar.SetValue(QDate(2024, 5, 15));
  calendar.SetValueIsNull(false);
  QApplication::processEvents();
  EXPECT_GT(HighlightPixels(), 0);
  calendar.SetValueIsNull(true);
  QApplication::processEvents();
  EXPECT_EQ(HighlightPixels(), 0);
  EXPECT_TRUE(calendar.ValueIsNull());
  EXPECT_EQ(calendar.Value(), QDate(2024, 5, 15));
}

TEST_F(CalendarTest, UserClicksAndPageTurnsRaiseTheirEvents) {
  calendar.SetValue(QDate(2024, 5, 15));
  // A day in the middle of the shown month.
  QTableView* view = View();
  const QModelIndex cell = view->model()->index(3, 3);
  const QPoint p = view->visualRect(cell).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(type, p, view->viewport()->mapToGlobal(p), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &e);
  }
  EXPECT_EQ(events, QStringList{"click"});
  EXPECT_EQ(calendar.Value().month(), 5);
  EXPECT_EQ(calendar.Value().day(), view->model()->data(cell).toInt());

  events.clear();
  calendar.showNextMonth();
  calendar.setCurrentPage(2026, 6);
  EXPECT_EQ(events, (QStringList{"month", "year"}));
}

}  // namespace
