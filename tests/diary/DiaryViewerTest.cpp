#include <QLabel>
#include <QPushButton>

#include "diary/frmDiary.h"
#include "shell/RecordWindows.h"
#include "app/RegisterWindows.h"
#include "diary/DiaryFixture.h"

namespace {

class DiaryViewerTest : public DiaryTest {
 protected:
  frmDiary* Open() {
    ShowDiary();
    ProcessEvents();
    return LoadedDiary();
  }
  QStringList Boxes(frmDiary* v) {
    return {Text(v->txtDiary1), Text(v->txtDiary2), Text(v->txtDiary3), Text(v->txtDiary4)};
  }
  // Marks day (m, d) of every year with its date, so a box shows which day
  // it holds.
  static void MarkDay(int m, int d) {
    for (int y = kFirstYear; y <= kLastYear; ++y)
      if (d <= DaysInMonth(y, m)) Nikki(y, m, d) = std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d);
  }
};

TEST_F(DiaryViewerTest, OpensOnTheCurrentDayOfFourYearsWithLineBreaks) {
  Nikki(2001, 5, 6) = "晴れ\r\n田植え";
  Nikki(2002, 5, 6) = "雨";
  Nikki(2004, 5, 6) = "\r\n";
  frmDiary* v = Open();
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->cmbYear->currentText(), "2001");
  EXPECT_EQ(v->cmbMonth->currentText(), "5");
  EXPECT_EQ(v->cmbDay->currentText(), "6");
  EXPECT_EQ(v->cmbDay->count(), 31);
  EXPECT_EQ(v->lblYear4->text(), "～2004");
  EXPECT_EQ(Boxes(v), QStringList({"晴れ\n田植え", "雨", "", "\n"}));
  EXPECT_EQ(v->cmbYear->count(), 29);
  EXPECT_EQ(v->cmbYear->itemText(28), "2027");
  EXPECT_EQ(v->windowTitle(), "Vorn　日記（閲覧）");
}

TEST_F(DiaryViewerTest, DayListFollowsLeapRuleAndKeepsOrClampsTheDay) {
  MarkDay(2, 28);
  MarkDay(2, 29);
  MarkDay(4, 30);
  MarkDay(1, 31);
  frmDiary* v = Open();

  Choose(v->cmbYear, 2000 - 1999);
  Choose(v->cmbMonth, 1);  // February
  EXPECT_EQ(v->cmbDay->count(), 29);
  Choose(v->cmbDay, 28);
  EXPECT_EQ(Boxes(v), QStringList({"2000-2-29", "", "", ""}));

  // A common year: day 29 gives way to the 28th, and the 28th is shown.
  Choose(v->cmbYear, 2001 - 1999);
  EXPECT_EQ(v->cmbDay->count(), 28);
  EXPECT_EQ(v->cmbDay->currentText(), "28");
  EXPECT_EQ(Boxes(v), QStringList({"2001-2-28", "2002-2-28", "2003-2-28", "2004-2-28"}));
  EXPECT_EQ(v->lblYear4->text(), "～2004");

  // Day 31 of a 31-day month, then a 30-day month.
  Choose(v->cmbMonth, 0);
  Choose(v->cmbDay, 30);
  EXPECT_EQ(Boxes(v), QStringList({"2001-1-31", "2002-1-31", "2003-1-31", "2004-1-31"}));
  Choose(v->cmbMonth, 3);  // April
  EXPECT_EQ(v->cmbDay->count(), 30);
  EXPECT_EQ(v->cmbDay->currentText(), "30");
  EXPECT_EQ(Boxes(v), QStringList({"2001-4-30", "2002-4-30", "2003-4-30", "2004-4-30"}));
}

TEST_F(DiaryViewerTest, LastFirstYearShowsTheLastYearOfTheRecords) {
  MarkDay(5, 6);
  frmDiary* v = Open();
  Choose(v->cmbYear, v->cmbYear->count() - 1);
  EXPECT_EQ(v->lblYear4->text(), "～2030");
  EXPECT_EQ(Text(v->txtDiary4), "2030-5-6");
  EXPECT_EQ(Text(v->txtDiary1), "2027-5-6");
}

TEST_F(DiaryViewerTest, CurrentYearBeyondTheListStartsAt2027) {
  MarkDay(7, 1);
  for (int year : {2028, 2030}) {
    UnloadDiary();
    CurYear = static_cast<int16_t>(year);
    CurMonth = 7;
    CurDay = 1;
    frmDiary* v = Open();
    EXPECT_EQ(v->cmbYear->currentText(), "2027") << year;
    EXPECT_EQ(v->lblYear4->text(), "～2030") << year;
    EXPECT_EQ(Boxes(v), QStringList({"2027-7-1", "2028-7-1", "2029-7-1", "2030-7-1"})) << year;
  }
  // 29 February 2028 is not in the list of 2027: the 28th stands in.
  UnloadDiary();
  MarkDay(2, 28);
  CurYear = 2028;
  CurMonth = 2;
  CurDay = 29;
  frmDiary* v = Open();
  EXPECT_EQ(v->cmbDay->currentText(), "28");
  EXPECT_EQ(Text(v->txtDiary2), "2028-2-28");
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(DiaryViewerTest, TheBoxesAreForReadingAndAnEntrySavedEmptyShowsEmpty) {
  Nikki(2001, 5, 6) = "元の文";
  Nikki(2002, 5, 6) = " ";
  frmDiary* v = Open();
  Type(v->txtDiary1, QStringLiteral("追記"));
  EXPECT_EQ(Text(v->txtDiary1), "元の文");
  EXPECT_EQ(Nikki(2001, 5, 6), "元の文");
  EXPECT_FALSE(Changed(RecordKind::Diary));
  EXPECT_EQ(Text(v->txtDiary2), "");
}

TEST_F(DiaryViewerTest, HidesOnCloseAndShowsAgainUnchanged) {
  MarkDay(5, 6);
  frmDiary* v = Open();
  Choose(v->cmbYear, 10);
  v->cmdClose->click();
  EXPECT_FALSE(v->isVisible());
  CurYear = 2020;
  Nikki(2009, 5, 6) = "後から書いた";
  ShowDiary();
  EXPECT_EQ(LoadedDiary(), v);
  EXPECT_TRUE(v->isVisible());
  EXPECT_EQ(v->cmbYear->currentText(), "2009");
  EXPECT_EQ(Text(v->txtDiary1), "2009-5-6");
}

TEST_F(DiaryViewerTest, SpringsBackTo528AndStacksTheFourBoxes) {
  frmDiary* v = Open();
  EXPECT_EQ(v->size(), QSize(528, 528));
  v->resize(300, 700);
  ProcessEvents();
  EXPECT_EQ(v->size(), QSize(528, 700));
  // In twips: h = (10500 - 540) / 4 - 20 = 2470; boxes at 540, 3025, 5525,
  // 8040 twips, i.e. 36, 202, 368, 536 pixels, 165 high.
  EXPECT_EQ(v->ScaleHeight, 10500);
  EXPECT_EQ(v->txtDiary1->geometry(), QRect(0, 36, 528, 165));
  EXPECT_EQ(v->txtDiary2->geometry().top(), 202);
  EXPECT_EQ(v->txtDiary3->geometry().top(), 368);
  EXPECT_EQ(v->txtDiary4->geometry().top(), 536);
  EXPECT_LE(v->txtDiary4->geometry().bottom(), 700);
}

TEST_F(DiaryViewerTest, MenuBarOpensAndUnloadsTheViewer) {
  RegisterWindows();
  ASSERT_TRUE(IsRecordWindowRegistered(RecordWindow::Diary));
  ShowRecordWindow(RecordWindow::Diary);
  ASSERT_NE(LoadedDiary(), nullptr);
  EXPECT_TRUE(LoadedDiary()->isVisible());
  UnloadRecordWindow(RecordWindow::Diary);
  EXPECT_EQ(LoadedDiary(), nullptr);
}

}  // namespace
