// Date and time entry in the schedule grid: typed times, the time box over a selection,
// Delete, the date dialog, the calendars' days, set_cal and the hint, whatever the locale.
#include <QLocale>

#include "schedule_fixture.h"

namespace {

using namespace schedule_test;
using schedule::Form22;

struct TimeCase {
  const char* typed;
  std::optional<QString> result;  // nullopt: no time, nothing written
};

TEST(TypedTime, ReadsHoursAndMinutesAndRefusesTheRest) {
  const TimeCase cases[] = {
      {"0930", "09:30"},        {"9:30", "09:30"},
      {"9:5", "09:05"},         {"23:59", "23:59"},
      {"0000", "00:00"},        {" 7:45 ", "07:45"},
      {"12:30:15", "12:30"},    {"０９３０", "09:30"},
      {"９：３０", "09:30"},                         // typed in full width
      {"", QString()},          {"   ", QString()},  // an empty answer (and Cancel) clears
      {"2400", std::nullopt},   {"2360", std::nullopt},
      {"abcd", std::nullopt},   {"930", std::nullopt},
      {"24:00", std::nullopt},  {"12:60", std::nullopt},
      {"12:345", std::nullopt}, {"noon", std::nullopt},
      {"-1:00", std::nullopt},
  };
  for (const TimeCase& c : cases)
    EXPECT_EQ(schedule::TypedTime(QString::fromUtf8(c.typed)), c.result) << c.typed;
}

class ScheduleEntryTest : public ScheduleEditorTest {
 public:
  void SetUp() override {
    ScheduleEditorTest::SetUp();
    SetSlides({"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/4.jpg", "/p/5.jpg"},
              {Rec("2024/05/01", "08:00"), Rec(""), Rec(""), Rec(""), Rec("")});
    Open();
  }
  static Form22& E() { return schedule::form22(); }
  static QString Cell(int r, int c) { return E().MSFlexGrid1.TextMatrix(r, c); }
  static void Key(int code) { E().MSFlexGrid1_KeyDown(code, 0); }
};

TEST_F(ScheduleEntryTest, EnterWritesTheTimeIntoEveryTimeColumnOfTheSelection) {
  Select(2, 3, 4, 5);
  dialogs->AnswerText(QStringLiteral("0930"));
  Key(13);
  ASSERT_EQ(dialogs->Calls().size(), 1u);
  EXPECT_EQ(dialogs->Calls()[0].kind, platform::DialogKind::kInputBox);
  EXPECT_EQ(dialogs->Calls()[0].title, QStringLiteral("追加時間入力"));
  EXPECT_EQ(dialogs->Calls()[0].text, QStringLiteral("追加時間を入力してください。(0000～2359)"));
  for (int r = 2; r <= 4; ++r) {
    EXPECT_EQ(Cell(r, 3), QStringLiteral("09:30")) << r;
    EXPECT_EQ(Cell(r, 5), QStringLiteral("09:30")) << r;
    EXPECT_EQ(Cell(r, 4), QStringLiteral("          ")) << "date columns untouched";
  }
  EXPECT_EQ(Cell(5, 3), QStringLiteral("     "));
  EXPECT_EQ(E().MSFlexGrid1.Row(), 2) << "a range keeps its row";
  EXPECT_EQ(E().ScheduleChanged, -1);
}

TEST_F(ScheduleEntryTest, EnterOnOneRowMovesDownAndAnUnreadableTimeChangesNothing) {
  Select(1, 5, 1, 5);
  dialogs->AnswerText(QStringLiteral("18:00"));
  Key(13);
  EXPECT_EQ(dialogs->Calls()[0].title, QStringLiteral("削除時間入力"));
  EXPECT_EQ(dialogs->Calls()[0].defaultText, QStringLiteral("     "));
  EXPECT_EQ(Cell(1, 5), QStringLiteral("18:00"));
  EXPECT_EQ(E().MSFlexGrid1.Row(), 2);

  E().ScheduleChanged = 0;
  dialogs->AnswerText(QStringLiteral("2400"));
  Key(13);
  EXPECT_EQ(Cell(2, 5), QStringLiteral("     "));
  EXPECT_EQ(E().MSFlexGrid1.Row(), 2);
  EXPECT_EQ(E().ScheduleChanged, 0);
  EXPECT_EQ(dialogs->CallsOf(platform::DialogKind::kMsgBox).size(), 0u) << "no message";

  // On the last row the row stays.
  Select(5, 3, 5, 3);
  dialogs->AnswerText(QStringLiteral("7:15"));
  Key(13);
  EXPECT_EQ(Cell(5, 3), QStringLiteral("07:15"));
  EXPECT_EQ(E().MSFlexGrid1.Row(), 5);
}

TEST_F(ScheduleEntryTest, CancelOrAnEmptyAnswerRemovesTheTime) {
  Select(1, 3, 1, 3);
  dialogs->AnswerCancel();
  Key(13);
  EXPECT_EQ(Cell(1, 3), QString());
  EXPECT_EQ(E().ScheduleChanged, -1);
}

TEST_F(ScheduleEntryTest, DoubleClickOnATimeWritesOnlyTheCurrentColumnAlsoUpwards) {
  Select(4, 3, 2, 5);  // drawn upwards over both time columns
  dialogs->AnswerText(QStringLiteral("1200"));
  E().MSFlexGrid1_DblClick();
  for (int r = 2; r <= 4; ++r) {
    EXPECT_EQ(Cell(r, 3), QStringLiteral("12:00")) << r;
    EXPECT_EQ(Cell(r, 5), QStringLiteral("     ")) << r;
  }
  EXPECT_EQ(E().MSFlexGrid1.Row(), 4);
}

TEST_F(ScheduleEntryTest, DeleteEmptiesDatesAndTimesButNeverThePath) {
  Select(1, 1, 1, 5);
  Key(46);
  EXPECT_EQ(Rows()[0], QStringLiteral("/p/1.jpg||||"));

  // Inside columns 0 and 1 nothing is emptied, but the grid counts as edited.
  E().ScheduleChanged = 0;
  Select(2, 0, 3, 1);
  Key(46);
  EXPECT_EQ(Rows()[1], QStringLiteral("/p/2.jpg|          |     |          |     "));
  EXPECT_EQ(E().ScheduleChanged, -1);
}

TEST_F(ScheduleEntryTest, ShiftDoesNothingAndOtherKeysInADateColumnOpenTheDialog) {
  Select(1, 2, 1, 2);
  Key(16);
  EXPECT_EQ(schedule::Form21IfLoaded(), nullptr);
  for (int code : {13, 40, 65}) {
    E().ScheduleChanged = 0;
    bool shown = false;
    WhenShown([&shown] {
      shown = schedule::form21().Visible();
      schedule::form21().Command2.DoClick();
    });
    Key(code);
    EXPECT_TRUE(shown) << code;
    EXPECT_EQ(E().ScheduleChanged, -1) << "whichever button closed it";
  }
  EXPECT_EQ(Cell(1, 2), QStringLiteral("2024/05/01")) << "キャンセル writes nothing";
}

TEST_F(ScheduleEntryTest, DateDialogOkWritesItsDayIntoTheSelectionAndKeepsIt) {
  Select(4, 4, 2, 4);  // drawn upwards: all three rows are written
  WhenShown([] {
    schedule::Form21& d = schedule::form21();
    EXPECT_EQ(d.Caption(), QStringLiteral("日付入力"));
    EXPECT_EQ(d.Calendar1.Value(), QDate(2024, 5, 10)) << "today at its first showing";
    EXPECT_FALSE(d.Command3.Enabled()) << "削除 on an empty cell";
    d.Calendar1.SetValue(QDate(2024, 7, 20));
    d.Command1.DoClick();
  });
  E().MSFlexGrid1_DblClick();
  for (int r = 2; r <= 4; ++r) EXPECT_EQ(Cell(r, 4), QStringLiteral("2024/07/20")) << r;
  EXPECT_EQ(Cell(5, 4), QStringLiteral("          "));
  ASSERT_NE(schedule::Form21IfLoaded(), nullptr);
  EXPECT_FALSE(schedule::form21().Visible());

  // The next showing starts at the kept day; 削除 empties and forgets it.
  Select(2, 4, 2, 4);
  WhenShown([] {
    platform::DoEvents();  // its activation
    schedule::Form21& d = schedule::form21();
    EXPECT_EQ(d.Calendar1.Value(), QDate(2024, 7, 20));
    EXPECT_TRUE(d.Command3.Enabled());
    d.Command3.DoClick();
  });
  E().MSFlexGrid1_DblClick();
  EXPECT_EQ(Cell(2, 4), QString());
  EXPECT_EQ(Cell(3, 4), QStringLiteral("2024/07/20"));
  platform::DestroyPendingNow();
  EXPECT_EQ(schedule::Form21IfLoaded(), nullptr);
}

TEST_F(ScheduleEntryTest, ACalendarDayGoesIntoTheDateColumnsOfTheSelection) {
  Select(5, 1, 3, 5);  // whole rows, drawn upwards
  E().Calendar2.SetValue(QDate(2024, 6, 3));
  E().Calendar2_Click();
  for (int r = 3; r <= 5; ++r) {
    EXPECT_EQ(Cell(r, 2), QStringLiteral("2024/06/03")) << r;
    EXPECT_EQ(Cell(r, 4), QStringLiteral("2024/06/03")) << r;
    EXPECT_EQ(Cell(r, 3), QStringLiteral("     ")) << r;
  }
  EXPECT_FALSE(E().Calendar2.ValueIsNull());
  EXPECT_EQ(E().ScheduleChanged, -1);
  EXPECT_EQ(E().CalendarsReset, 0);

  // Only time columns selected: nothing written, nothing marked.
  E().ScheduleChanged = 0;
  Select(2, 3, 2, 3);
  E().Calendar1.SetValue(QDate(2024, 5, 20));
  E().Calendar1_Click();
  EXPECT_EQ(Cell(2, 2), QStringLiteral("          "));
  EXPECT_EQ(E().ScheduleChanged, 0);
}

struct CalCase {
  const char* name;
  QString cellDate;  // date in column 2 of the current row
  int col;
  bool cal1, cal2;  // which calendar shows a selected day
  QDate cal2Date;   // Calendar2's date afterwards (invalid: not checked)
};

TEST_F(ScheduleEntryTest, SetCalShowsTheRowsDateOnTheCalendarOfItsMonth) {
  platform::SetTestNow(QDateTime(QDate(2024, 12, 15), QTime(10, 0)));
  const CalCase cases[] = {
      {"this month", "2024/12/24", 3, true, false, QDate(2025, 1, 15)},
      {"next January", "2025/01/05", 2, false, true, QDate(2025, 1, 5)},
      {"two months ahead", "2025/02/01", 2, false, false, QDate()},
      {"a year later, same month", "2025/12/24", 2, false, false, QDate()},
      {"not a date", "24.12.2024", 2, false, false, QDate()},
      {"impossible day", "2024/12/32", 2, false, false, QDate()},
  };
  for (const CalCase& c : cases) {
    E().Calendar1.SetValue(QDate(2024, 12, 15));
    E().Calendar2.SetValue(QDate(2025, 1, 15));
    E().MSFlexGrid1.SetTextMatrix(3, 2, c.cellDate);
    Select(3, c.col, 3, c.col);
    E().set_cal();
    EXPECT_EQ(!E().Calendar1.ValueIsNull(), c.cal1) << c.name;
    EXPECT_EQ(!E().Calendar2.ValueIsNull(), c.cal2) << c.name;
    if (c.cal2Date.isValid()) EXPECT_EQ(E().Calendar2.Value(), c.cal2Date) << c.name;
    EXPECT_EQ(E().CalendarsReset, 0) << c.name;
  }
}

TEST_F(ScheduleEntryTest, CellsWithoutDateResetTheCalendarsOnlyAfterSomethingHappened) {
  Select(2, 2, 2, 2);  // no date: the calendars are reset
  E().set_cal();
  EXPECT_EQ(E().CalendarsReset, 1);
  EXPECT_EQ(E().Calendar1.Value(), QDate(2024, 5, 10));
  EXPECT_EQ(E().Calendar2.Value(), QDate(2024, 6, 10));

  // The user turns a month: an untouched state is not put back until a cell asks again.
  E().Calendar1.SetValue(QDate(2024, 9, 1));
  E().Calendar_NewMonth();
  EXPECT_EQ(E().CalendarsReset, 0);
  Select(3, 2, 3, 2);
  E().set_cal();
  EXPECT_EQ(E().Calendar1.Value(), QDate(2024, 5, 10));
  EXPECT_EQ(E().CalendarsReset, 1);
  E().Calendar1.SetValue(QDate(2024, 9, 1));  // changed from code only: left alone
  Select(4, 2, 4, 2);
  E().set_cal();
  EXPECT_EQ(E().Calendar1.Value(), QDate(2024, 9, 1));
}

TEST_F(ScheduleEntryTest, TheHintFollowsTheColumn) {
  const std::pair<int, QString> cases[] = {{0, ""},
                                           {1, ""},
                                           {2, "↓日付をクリックしてください"},
                                           {3, "Enterキーを押してください"},
                                           {4, "↓日付をクリックしてください"},
                                           {5, "Enterキーを押してください"}};
  for (const auto& [col, hint] : cases) {
    E().MSFlexGrid1.SetCol(col);
    EXPECT_EQ(E().Label2.Caption(), hint) << col;
  }
}

TEST_F(ScheduleEntryTest, DatesAndTimesKeepTheirFormUnderAnotherLocale) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  Select(2, 2, 2, 4);
  E().Calendar1.SetValue(QDate(2024, 5, 9));
  E().Calendar1_Click();
  EXPECT_EQ(E().Calendar1.ValueText(), QStringLiteral("2024/05/09"));
  Select(2, 3, 2, 3);
  dialogs->AnswerText(QStringLiteral("7:05"));
  Key(13);
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(Rows()[1], QStringLiteral("/p/2.jpg|2024/05/09|07:05|2024/05/09|     "));
}

}  // namespace
