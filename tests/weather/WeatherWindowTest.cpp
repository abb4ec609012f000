// The weather window through its handlers and the record store.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "app/RegisterWindows.h"
#include "shell/RecordWindows.h"
#include "store/WeatherFiles.h"
#include "weather/WeatherFixture.h"

TEST_F(WeatherWindowTest, OpeningShowsTodayAndLoadsWithoutMarkingAChange) {
  QDate today = QDate::currentDate();
  Ondo(today.year(), today.month(), today.day(), 1) = 31.5f;
  Tenki(today.year(), today.month(), today.day()) = "123";
  f->Start();
  EXPECT_EQ(f->txtCalender->text(), today.toString(QStringLiteral("yyyy/MM/dd")));
  EXPECT_EQ(CurDay, today.day());
  EXPECT_EQ(f->hscKionHigh->value(), 315);
  EXPECT_EQ(f->txtKionHigh->text(), QStringLiteral("31.5"));
  EXPECT_EQ(f->cmbTenki3->currentText(), QStringLiteral("雨"));
  EXPECT_FALSE(Changed(RecordKind::Weather));
  EXPECT_EQ(Busy, 0);
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Vorn　気象グラフ"));
}

TEST_F(WeatherWindowTest, SelectorsStoreTheWholeCodeOnEveryChange) {
  Tenki(2001, 5, 6) = "038";  // a day's default
  GoTo(2001, 5, 6);
  EXPECT_EQ(f->cmbTenki1->currentText(), QStringLiteral("快晴"));
  EXPECT_EQ(f->cmbTenki2->currentText(), QStringLiteral(" "));
  EXPECT_EQ(f->cmbTenki3->currentText(), QStringLiteral(" "));
  EXPECT_FALSE(Changed(RecordKind::Weather));

  f->cmbTenki2->setCurrentIndex(2);  // のち
  EXPECT_EQ(Tenki(2001, 5, 6), "028");
  EXPECT_TRUE(Changed(RecordKind::Weather));
  f->cmbTenki3->setCurrentIndex(3);  // 雨
  EXPECT_EQ(Tenki(2001, 5, 6), "023");

  GoTo(2001, 5, 7);
  f->cmbTenki1->setCurrentIndex(1);
  f->cmbTenki2->setCurrentIndex(1);
  f->cmbTenki3->setCurrentIndex(6);
  EXPECT_EQ(Tenki(2001, 5, 7), "116");
  EXPECT_EQ(f->cmbTenki1->currentText() + f->cmbTenki2->currentText() + f->cmbTenki3->currentText(),
            QStringLiteral("晴れ一時雪"));
  EXPECT_EQ(Tenki(2001, 5, 6), "023");  // the other day is untouched

  // An empty code shows the default "038" it is saved as; a partly
  // non-numeric one shows position 0 for what is missing.
  Tenki(2001, 5, 8) = "";
  Tenki(2001, 5, 9) = "2x";
  ClearChanged(RecordKind::Weather);
  GoTo(2001, 5, 8);
  EXPECT_EQ(f->cmbTenki1->currentIndex(), 0);
  EXPECT_EQ(f->cmbTenki2->currentIndex(), 3);
  EXPECT_EQ(f->cmbTenki3->currentIndex(), 8);
  GoTo(2001, 5, 9);
  EXPECT_EQ(f->cmbTenki1->currentIndex(), 2);
  EXPECT_EQ(f->cmbTenki2->currentIndex(), 0);
  EXPECT_EQ(Tenki(2001, 5, 8), "");  // loading wrote nothing back
  EXPECT_FALSE(Changed(RecordKind::Weather));
}

TEST_F(WeatherWindowTest, ScrollBarsStoreTenthsAndShowThem) {
  GoTo(2001, 5, 6);
  f->hscKionHigh->setValue(200);
  f->hscKionHigh->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 6, 1), 20.1f);
  EXPECT_EQ(f->txtKionHigh->text(), QStringLiteral("20.1"));
  f->hscKionLow->setValue(-5);
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 6, 0), -0.5f);
  EXPECT_EQ(f->txtKionLow->text(), QStringLiteral("-0.5"));
  f->hscKionLow->setValue(0);
  EXPECT_EQ(f->txtKionLow->text(), QStringLiteral("0.0"));
  EXPECT_EQ(Ondo(2001, 5, 6, 0), 0.0f);

  // Rain arrows step half a millimetre, a page ten.
  f->hscRain->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_FLOAT_EQ(Kousui(2001, 5, 6), 0.5f);
  f->hscRain->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_FLOAT_EQ(Kousui(2001, 5, 6), 10.5f);
  EXPECT_EQ(f->txtRain->text(), QStringLiteral("10.5"));
  EXPECT_EQ(f->RainBusy, 0);
  EXPECT_TRUE(Changed(RecordKind::Weather));

  // Loading another day moves the bars without storing or flagging.
  Ondo(2001, 5, 7, 1) = 12.3f;
  Kousui(2001, 5, 7) = 600.0f;
  ClearChanged(RecordKind::Weather);
  GoTo(2001, 5, 7);
  EXPECT_EQ(f->hscKionHigh->value(), 123);
  EXPECT_EQ(f->hscRain->value(), 6000);
  EXPECT_EQ(f->txtRain->text(), QStringLiteral("600.0"));
  EXPECT_FALSE(Changed(RecordKind::Weather));
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 6, 1), 20.1f);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(WeatherWindowTest, ValuesTheControlsCannotTakeAreReportedAndTheRestOfTheDayLoads) {
  GoTo(2001, 5, 6);
  Ondo(2001, 5, 7, 1) = 25.0f;
  Ondo(2001, 5, 7, 0) = 11.0f;
  Kousui(2001, 5, 7) = 600.1f;  // one tenth beyond the bar
  Tenki(2001, 5, 7) = "123";
  GoTo(2001, 5, 7);
  ASSERT_EQ(Reported(), std::vector<int>{380});
  EXPECT_TRUE(boxes.calls()[0].text.contains(QStringLiteral("不明なｴﾗｰです。")));
  EXPECT_EQ(Busy, 0);
  EXPECT_EQ(f->hscKionHigh->value(), 250);
  EXPECT_EQ(f->hscKionLow->value(), 110);
  EXPECT_EQ(f->cmbTenki3->currentIndex(), 3);
  EXPECT_FLOAT_EQ(Kousui(2001, 5, 7), 600.1f);  // nothing written back
  EXPECT_FALSE(Changed(RecordKind::Weather));

  // A high beyond 45.0 and a first digit beyond the list: the low, the
  // connector and the rain still load; one report for the day.
  boxes.clear();
  Ondo(2001, 5, 8, 1) = 45.1f;
  Ondo(2001, 5, 8, 0) = -15.0f;
  Kousui(2001, 5, 8) = 3.0f;
  Tenki(2001, 5, 8) = "913";
  GoTo(2001, 5, 8);
  EXPECT_EQ(Reported(), std::vector<int>{380});
  EXPECT_EQ(f->hscKionLow->value(), -150);
  EXPECT_EQ(f->cmbTenki2->currentIndex(), 1);
  EXPECT_EQ(f->hscRain->value(), 30);
  EXPECT_EQ(Tenki(2001, 5, 8), "913");
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 8, 1), 45.1f);
  EXPECT_EQ(Busy, 0);
  EXPECT_FALSE(Changed(RecordKind::Weather));

  // The window stays usable: a real edit still goes in.
  f->hscKionLow->setValue(-100);
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 8, 0), -10.0f);
  EXPECT_TRUE(Changed(RecordKind::Weather));
}

TEST_F(WeatherWindowTest, SaveWritesTheThreeFilesAndClearsTheFlagOnlyOnSuccess) {
  Tenki(2002, 7, 14) = "038";
  GoTo(2002, 7, 14);
  f->hscKionHigh->setValue(333);
  f->cmbTenki1->setCurrentIndex(6);
  f->hscRain->setValue(125);
  ASSERT_TRUE(Changed(RecordKind::Weather));
  f->cmdSave_Click();
  EXPECT_FALSE(Changed(RecordKind::Weather));
  EXPECT_TRUE(f->cmdSave->isEnabled());
  for (const char* name : {"ondo.dat", "tenki.dat", "kousui.dat"}) EXPECT_TRUE(dir.Exists(name)) << name;

  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadOndo() && LoadTenki() && LoadKousui());
  EXPECT_FLOAT_EQ(Ondo(2002, 7, 14, 1), 33.3f);
  EXPECT_EQ(Tenki(2002, 7, 14), "638");
  EXPECT_FLOAT_EQ(Kousui(2002, 7, 14), 12.5f);

  // A directory that cannot be written: reported, and the flag stays so
  // that the exit question still offers to save.
  CurYear = 2002, CurMonth = 7, CurDay = 14;
  f->hscKionHigh->setValue(100);
  DataPath = dir.dir() + "missing/";
  f->cmdSave_Click();
  EXPECT_FALSE(Reported().empty());
  EXPECT_TRUE(Changed(RecordKind::Weather));
  EXPECT_TRUE(f->cmdSave->isEnabled());
}

TEST_F(WeatherWindowTest, ClosingHidesAndKeepsTheDay) {
  f->show();
  GoTo(2003, 2, 3);
  f->txtCalender->setText(QStringLiteral("2003/02/03"));
  f->cmdEnd_Click();
  EXPECT_FALSE(f->isVisible());
  f->show();
  f->close();
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2003/02/03"));
  EXPECT_EQ(CurDay, 3);
}

TEST_F(WeatherWindowTest, TypingIntoTheDateBoxChangesNothing) {
  GoTo(2001, 5, 6);
  f->txtCalender->setText(QStringLiteral("2001/05/06"));
  f->show();
  f->txtCalender->setFocus();
  for (int key : {Qt::Key_1, Qt::Key_Backspace, Qt::Key_Delete}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_1 ? QStringLiteral("1") : QString());
    QCoreApplication::sendEvent(f->txtCalender, &press);
  }
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/06"));
  EXPECT_EQ(CurDay, 6);
  EXPECT_FALSE(Changed(RecordKind::Weather));
}

// --- Pointing ------------------------------------------------------------------

TEST_F(WeatherWindowTest, PointingReadsOutTheDayUnderThePointer) {
  GoTo(2001, 5, 6);
  Ondo(2001, 5, 6, 1) = 20.5f;
  Ondo(2001, 5, 6, 0) = 10.2f;
  Kousui(2001, 5, 6) = 3.0f;
  Tenki(2001, 5, 6) = "123";
  f->pctGraph_MouseMove(0, 0, DayX(6) + 10.4f, 100);
  EXPECT_EQ(f->WeatherHoverDay, 6);
  EXPECT_EQ(WeatherMouseX, static_cast<int16_t>(Nearest(DayX(6) + 10.4f)));
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("6"));
  EXPECT_EQ(f->txtKionHighD->text(), QStringLiteral("20.5"));
  EXPECT_EQ(f->txtKionLowD->text(), QStringLiteral("10.2"));
  EXPECT_EQ(f->txtKousui->text(), QStringLiteral("3.0"));
  EXPECT_EQ(f->txtTenki->text(), QStringLiteral("晴れ のち 雨"));
  EXPECT_EQ(f->pctGraph->toolTip(),
            QStringLiteral("2001/5/6　　晴れ のち 雨　　20.5℃/10.2℃　　3.0ｍｍ"));
  EXPECT_FALSE(f->PointerMoveRunning());

  // Read-out words differ from the selectors at 4 and 5; empty words leave
  // their single spaces.
  Tenki(2001, 5, 7) = "403";
  Tenki(2001, 5, 8) = "503";
  Tenki(2001, 5, 9) = "038";
  Tenki(2001, 5, 10) = "023";
  f->pctGraph_MouseMove(0, 0, DayX(7), 0);
  EXPECT_EQ(f->txtTenki->text(), QStringLiteral("霧 時々 雨"));
  f->pctGraph_MouseMove(0, 0, DayX(8), 0);
  EXPECT_EQ(f->txtTenki->text(), QStringLiteral("風 時々 雨"));
  f->pctGraph_MouseMove(0, 0, DayX(9), 0);
  EXPECT_EQ(f->txtTenki->text(), QStringLiteral("快晴  "));
  f->pctGraph_MouseMove(0, 0, DayX(10), 0);
  EXPECT_EQ(f->txtTenki->text(), QStringLiteral("快晴 のち 雨"));
  GoTo(2001, 5, 7);
  EXPECT_EQ(f->cmbTenki1->currentText(), QStringLiteral("霜"));
  GoTo(2001, 5, 8);
  EXPECT_EQ(f->cmbTenki1->currentText(), QStringLiteral("強風"));
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(WeatherWindowTest, PointingOutsideTheMonthOrWhileLoadingChangesNothing) {
  GoTo(2001, 4, 1);  // 30 days
  f->txtDay->setText(QStringLiteral("x"));
  // Left of the middle between the edge and day 1, and right of day 30.
  f->pctGraph_MouseMove(0, 0, DayX(1) / 2.0f - 2.0f, 0);
  EXPECT_EQ(f->WeatherHoverDay, 0);
  f->pctGraph_MouseMove(0, 0, DayX(31), 0);
  EXPECT_EQ(f->WeatherHoverDay, 0);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("x"));
  f->pctGraph_MouseMove(0, 0, DayX(30) + f->Chart.WeatherDayWidth / 2.0f - 2.0f, 0);
  EXPECT_EQ(f->WeatherHoverDay, 30);

  Busy = 1;
  f->pctGraph_MouseMove(0, 0, DayX(3), 0);
  EXPECT_EQ(f->WeatherHoverDay, 30);
  Busy = 0;
}

TEST_F(WeatherWindowTest, AnUnknownCodeCharacterIsReportedAndLeavesTheWeatherReadoutAlone) {
  GoTo(2001, 5, 6);
  Tenki(2001, 5, 3) = "123";
  Tenki(2001, 5, 4) = "143";  // connector 4 has no word
  Tenki(2001, 5, 5) = "8";    // first weather 8 has no word
  Ondo(2001, 5, 4, 1) = 9.5f;
  f->pctGraph_MouseMove(0, 0, DayX(3), 0);
  QString tip = f->pctGraph->toolTip();
  f->pctGraph_MouseMove(0, 0, DayX(4), 0);
  EXPECT_EQ(Reported(), std::vector<int>{9});
  EXPECT_EQ(f->txtTenki->text(), QStringLiteral("晴れ のち 雨"));
  EXPECT_EQ(f->pctGraph->toolTip(), tip);
  EXPECT_EQ(f->txtKionHighD->text(), QStringLiteral("9.5"));  // filled before the failure
  EXPECT_FALSE(f->PointerMoveRunning());
  // Moving within the same column does not report again; the next day does.
  f->pctGraph_MouseMove(0, 0, DayX(4) + 20, 0);
  EXPECT_EQ(Reported().size(), 1u);
  f->pctGraph_MouseMove(0, 0, DayX(5), 0);
  EXPECT_EQ(Reported().size(), 2u);
  f->pctGraph_MouseMove(0, 0, DayX(3), 0);
  EXPECT_EQ(f->txtTenki->text(), QStringLiteral("晴れ のち 雨"));
}

TEST_F(WeatherWindowTest, EmptyCodesShowAndReadOutAsTheDefaultTheyAreSavedAs) {
  // As after an empty or rejected weather file: no day has a code.
  Tenki.Fill("");
  GoTo(2001, 5, 6);
  EXPECT_EQ(f->cmbTenki1->currentText() + f->cmbTenki2->currentText() + f->cmbTenki3->currentText(),
            QStringLiteral("快晴  "));
  for (int d = 1; d <= 31; ++d) f->pctGraph_MouseMove(0, 0, DayX(d), 0);
  EXPECT_TRUE(boxes.calls().empty());
  EXPECT_EQ(f->txtTenki->text(), QStringLiteral("快晴  "));
  EXPECT_TRUE(f->pctGraph->toolTip().contains(QStringLiteral("快晴  ")));
  QStringList shown;
  frmMain::SetPopupHandler([&](QMenu* m, const QPoint&) { shown << m->actions().value(1)->text(); });
  f->pctGraph_MouseUp(2, 0, 0, 0);
  EXPECT_EQ(shown, QStringList{QStringLiteral("天気   ：快晴    ")});
  EXPECT_EQ(Tenki(2001, 5, 6), "");
  EXPECT_FALSE(Changed(RecordKind::Weather));
}

TEST_F(WeatherWindowTest, AReadOutFaultIsReportedOnceForADayUntilAnotherDayReadsOut) {
  GoTo(2001, 5, 6);
  Tenki(2001, 5, 4) = "9";
  Tenki(2001, 5, 5) = "123";
  QStringList shown;
  frmMain::SetPopupHandler([&](QMenu* m, const QPoint&) { shown << m->actions().value(0)->text(); });
  f->pctGraph_MouseMove(0, 0, DayX(4), 0);
  EXPECT_EQ(Reported(), std::vector<int>{9});
  // The menu of the same day fails the same way: no second box, no menu.
  f->pctGraph_MouseUp(2, 0, 0, 0);
  f->pctGraph_MouseUp(2, 0, 0, 0);
  EXPECT_EQ(Reported().size(), 1u);
  EXPECT_TRUE(shown.isEmpty());
  // After a day that reads out, the fault is news again.
  f->pctGraph_MouseMove(0, 0, DayX(5), 0);
  f->pctGraph_MouseMove(0, 0, DayX(4), 0);
  EXPECT_EQ(Reported().size(), 2u);
}

TEST_F(WeatherWindowTest, TheLastReadOutStaysAfterAMonthChangeUntilAnotherDayIsPointedAt) {
  GoTo(2001, 5, 6);
  Ondo(2001, 5, 15, 1) = 21.0f;
  Ondo(2001, 6, 15, 1) = 27.0f;
  f->pctGraph_MouseMove(0, 0, DayX(15), 0);
  EXPECT_EQ(f->txtKionHighD->text(), QStringLiteral("21.0"));
  GoTo(2001, 6, 1);
  f->pctGraph_MouseMove(0, 0, DayX(15), 0);
  EXPECT_EQ(f->txtKionHighD->text(), QStringLiteral("21.0"));
  f->pctGraph_MouseMove(0, 0, DayX(14), 0);
  f->pctGraph_MouseMove(0, 0, DayX(15), 0);
  EXPECT_EQ(f->txtKionHighD->text(), QStringLiteral("27.0"));
}

TEST_F(WeatherWindowTest, RightClickMenuReadsOutThePointedDayAndCanMakeItCurrent) {
  GoTo(2001, 4, 20);  // 30 days
  Ondo(2001, 4, 30, 1) = 20.5f;
  Ondo(2001, 4, 30, 0) = 10.2f;
  Kousui(2001, 4, 30) = 3.0f;
  Tenki(2001, 4, 30) = "023";
  Tenki(2001, 4, 1) = "113";
  QStringList shown;
  bool choose = false;
  frmMain::SetPopupHandler([&](QMenu* m, const QPoint&) {
    for (QAction* a : m->actions())
      if (!a->isSeparator()) shown << a->text();
    if (choose) f->mnuRightClickSettingDay->trigger();
  });

  // Right of day 30: the menu offers day 30; the release's own x is ignored.
  f->pctGraph_MouseMove(0, 0, DayX(31) + 50, 0);
  f->pctGraph_MouseUp(2, 0, DayX(2), 0);
  EXPECT_EQ(shown, (QStringList{QStringLiteral("2001年04月30日"), QStringLiteral("天気   ：快晴  のち  雨"),
                                QStringLiteral("気温   ：20.5℃／10.2℃"), QStringLiteral("降水量：3.0ｍｍ"),
                                QStringLiteral("設定日にする(&S)")}));
  EXPECT_EQ(CurDay, 20);

  // Left of day 1: day 1, and choosing the item makes it current.
  shown.clear();
  choose = true;
  f->pctGraph_MouseMove(0, 0, 1, 0);
  f->pctGraph_MouseUp(2, 0, 1, 0);
  EXPECT_EQ(shown.value(0), QStringLiteral("2001年04月01日"));
  EXPECT_EQ(shown.value(1), QStringLiteral("天気   ：晴れ  一時  雨"));
  EXPECT_EQ(CurDay, 1);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/04/01"));
  EXPECT_EQ(f->cmbTenki2->currentIndex(), 1);

  // Other buttons do nothing; a code without words shows no menu.
  shown.clear();
  f->pctGraph_MouseUp(1, 0, 1, 0);
  Tenki(2001, 4, 1) = "193";
  f->pctGraph_MouseUp(2, 0, 1, 0);
  EXPECT_TRUE(shown.isEmpty());
  EXPECT_EQ(Reported(), std::vector<int>{9});
  EXPECT_FALSE(Changed(RecordKind::Weather));
}

TEST_F(WeatherWindowTest, DoubleClickMakesThePointedDayCurrent) {
  GoTo(2001, 5, 6);
  Ondo(2001, 5, 12, 1) = 18.4f;
  Tenki(2001, 5, 12) = "213";
  f->pctGraph_MouseMove(0, 0, DayX(12), 0);
  f->pctGraph_DblClick();
  EXPECT_EQ(CurDay, 12);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/12"));
  EXPECT_EQ(f->hscKionHigh->value(), 184);
  EXPECT_EQ(f->cmbTenki1->currentIndex(), 2);
  EXPECT_FALSE(Changed(RecordKind::Weather));
  EXPECT_EQ(CurMonth, 5);

  // Beyond the month's last day it takes the last day.
  GoTo(2001, 2, 1);
  f->pctGraph_MouseMove(0, 0, DayX(31), 0);
  f->pctGraph_DblClick();
  EXPECT_EQ(CurDay, 28);
}

TEST_F(WeatherWindowTest, LayoutPlacesTheGraphAndItsScales) {
  EXPECT_EQ(f->size(), QSize(1024, 768));
  EXPECT_EQ(f->pctGraph->geometry(), QRect(52, 19, 861, 671));
  EXPECT_EQ(f->Frame1->geometry(), QRect(913, 0, 111, 403));
  EXPECT_EQ(f->cmdSave->geometry(), QRect(913, 615, 110, 35));
  // Scale label i sits 6 px above the grid line 5 i units below the top.
  for (int i : {0, 6, 12}) {
    int line = f->pctGraph->y() + static_cast<int>(5 * i * f->Chart.WeatherUnit / TwipsPerPixelY);
    EXPECT_NEAR(f->lblKion[i]->y(), line - 6, 1) << i;
    EXPECT_EQ(f->lblKousui[i]->y(), f->lblKion[i]->y());
  }
  EXPECT_EQ(f->lblKion[6]->text(), QStringLiteral("15"));
  EXPECT_EQ(f->lblKion[9]->palette().color(QPalette::WindowText), QColor(0, 128, 0));
  EXPECT_EQ(f->lblKousui[12]->text(), QStringLiteral("0"));
  // Day numbers stand under their columns.
  for (int d : {1, 31}) {
    int centre = f->pctGraph->x() + static_cast<int>(d * f->Chart.WeatherDayWidth / TwipsPerPixelX);
    EXPECT_NEAR(f->lblDays[d - 1]->x() + 8, centre, 1) << d;
  }
  EXPECT_EQ(f->cmbTenki3->count(), 9);
  EXPECT_EQ(f->hscRain->maximum(), 6000);
  EXPECT_EQ(f->hscRain->singleStep(), 5);
}

// --- The day calendar and spinner --------------------------------------------

TEST_F(WeatherWindowTest, CalendarDropsUnderItsButtonAndThePickedDayLoads) {
  f->show();
  GoTo(2001, 5, 6);
  Ondo(2001, 5, 20, 1) = 26.4f;
  Tenki(2001, 5, 20) = "213";
  f->cmdCalender_Click();
  ASSERT_TRUE(f->pctCalender->isVisible());
  QRect button(f->cmdCalender->mapTo(f.get(), QPoint(0, 0)), f->cmdCalender->size());
  EXPECT_EQ(f->pctCalender->geometry(), QRect(button.right() + 1 - 240, button.bottom() + 1, 240, 200));
  EXPECT_EQ(CalYear, 2001);

  // A pick sets the current date; losing the focus closes and reloads.
  CurDay = 20;
  f->pctCalender_LostFocus();
  EXPECT_FALSE(f->pctCalender->isVisible());
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/20"));
  EXPECT_EQ(f->hscKionHigh->value(), 264);
  EXPECT_EQ(f->cmbTenki1->currentIndex(), 2);
  EXPECT_EQ(Busy, 0);
  EXPECT_FALSE(Changed(RecordKind::Weather));

  // A click on the entry area closes an open calendar.
  f->cmdCalender_Click();
  QTest::mouseClick(f->Frame2, Qt::LeftButton, {}, QPoint(2, f->Frame2->height() - 3));
  EXPECT_FALSE(f->pctCalender->isVisible());
}

TEST_F(WeatherWindowTest, SpinnerStepsTheDayAndLoadsIt) {
  Ondo(2001, 3, 1, 0) = -3.5f;
  Ondo(2001, 2, 28, 0) = 1.5f;
  GoTo(2001, 3, 1);
  f->vscCalender->setValue(0);  // the upper arrow: one day back
  EXPECT_EQ(CurMonth, 2);
  EXPECT_EQ(CurDay, 28);
  EXPECT_EQ(f->vscCalender->value(), 1);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/02/28"));
  EXPECT_EQ(f->hscKionLow->value(), 15);
  f->vscCalender->setValue(2);
  EXPECT_EQ(f->hscKionLow->value(), -35);
  EXPECT_FALSE(Changed(RecordKind::Weather));
  EXPECT_TRUE(boxes.calls().empty());
}

// --- Opening from the menu bar -------------------------------------------------

TEST_F(WeatherWindowTest, MenuBarOpensOneWindowThatKeepsItsDayUntilUnloaded) {
  RegisterWindows();
  ShowRecordWindow(RecordWindow::Weather);
  frmMain* w = WeatherWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->geometry().size(), QSize(1024, 768));
  EXPECT_EQ(w->txtCalender->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));

  CurYear = 2001, CurMonth = 5, CurDay = 6;
  ShowWeatherDay(*w);
  w->txtCalender->setText(QStringLiteral("2001/05/06"));
  w->cmdEnd_Click();
  ShowRecordWindow(RecordWindow::Weather);
  EXPECT_EQ(WeatherWindow(), w);
  EXPECT_EQ(w->txtCalender->text(), QStringLiteral("2001/05/06"));
  // The title bar's close button, as the window system sends it, hides too.
  QCloseEvent closeButton;
  QCoreApplication::sendEvent(w->windowHandle(), &closeButton);
  ProcessEvents();
  EXPECT_FALSE(w->isVisible());
  ShowRecordWindow(RecordWindow::Weather);
  EXPECT_EQ(WeatherWindow(), w);
  EXPECT_EQ(w->txtCalender->text(), QStringLiteral("2001/05/06"));

  UnloadRecordWindow(RecordWindow::Weather);
  EXPECT_EQ(WeatherWindow(), nullptr);
  ProcessEvents();
  ShowRecordWindow(RecordWindow::Weather);
  ASSERT_NE(WeatherWindow(), nullptr);
  EXPECT_EQ(WeatherWindow()->txtCalender->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
  UnloadRecordWindow(RecordWindow::Weather);
  ProcessEvents();
}

TEST_F(WeatherWindowTest, RealPointerEventsReachTheGraphHandlers) {
  Tenki(2001, 5, 10) = "038";
  f->show();
  GoTo(2001, 5, 6);
  int shown = 0;
  frmMain::SetPopupHandler([&](QMenu*, const QPoint&) { ++shown; });
  PictureBox* g = f->pctGraph;
  // Pixel position of day 10's column inside the widget (its frame included).
  QPoint inner(g->ToPixelX(WeatherDayX(10)), 100);
  QPoint at = inner + (QPoint(g->width(), g->height()) - QPoint(g->InnerSize().width(), g->InnerSize().height())) / 2;
  QMouseEvent move(QEvent::MouseMove, QPointF(at), g->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(g, &move);
  EXPECT_EQ(f->WeatherHoverDay, 10);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), g->mapToGlobal(QPointF(at)), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), g->mapToGlobal(QPointF(at)), Qt::RightButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(g, &press);
  QCoreApplication::sendEvent(g, &release);
  EXPECT_EQ(shown, 1);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at), g->mapToGlobal(QPointF(at)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(g, &dbl);
  EXPECT_EQ(CurDay, 10);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/10"));
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(WeatherWindowTest, EditsGoIntoTheShownDayWhenAnotherWindowMovedTheDate) {
  GoTo(2001, 5, 6);
  Ondo(2001, 5, 9, 1) = 12.0f;
  CurDay = 9;  // the diary editor's calendar, say
  f->hscKionHigh->setValue(250);
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 6, 1), 25.0f);
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 9, 1), 12.0f);
  // Coming back to the window shows the current date.
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(f.get(), &activate);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/09"));
  EXPECT_EQ(f->hscKionHigh->value(), 120);
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 6, 1), 25.0f);
  f->hscKionHigh->setValue(130);
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 9, 1), 13.0f);
}

TEST_F(WeatherWindowTest, AFailedLoadOrEditLeavesNoGuardSetAndLaterEditsStillStore) {
  // A day beyond the record tables: every part of the load fails.
  GoTo(2031, 1, 1);
  EXPECT_FALSE(Reported().empty());
  EXPECT_EQ(Busy, 0);
  // The rainfall handler fails storing into that day; its guard comes back too.
  boxes.clear();
  f->hscRain->setValue(f->hscRain->value() == 5 ? 10 : 5);
  EXPECT_EQ(Reported(), std::vector<int>{9});
  EXPECT_EQ(f->RainBusy, 0);
  EXPECT_FALSE(Changed(RecordKind::Weather));

  GoTo(2001, 5, 6);
  f->hscRain->setValue(25);
  f->hscKionLow->setValue(-5);
  EXPECT_FLOAT_EQ(Kousui(2001, 5, 6), 2.5f);
  EXPECT_FLOAT_EQ(Ondo(2001, 5, 6, 0), -0.5f);
  EXPECT_TRUE(Changed(RecordKind::Weather));
}
