// The market price window through its handlers, the record store and the
// rest of the program.
#include <QScreen>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

#include "app/RegisterWindows.h"
#include "market/MarketFixture.h"
#include "platform/NameListLink.h"
#include "schedule/frmSchedule.h"
#include "schedule/modSchedule.h"
#include "shell/RecordWindows.h"
#include "store/PriceFile.h"
#include "weather/frmMain.h"

TEST_F(MarketWindowTest, EnterTurnsThePlaceholderIntoTheFirstProduceThenAddsNewOnesOnly) {
  Open();
  ASSERT_TRUE(f->ShowsPlaceholder());
  EXPECT_EQ(f->cmbProduce->itemText(0), kProducePlaceholder);
  f->hscPriceHigh->setValue(250);  // stored under the unnamed first entry

  Enter(QStringLiteral("トマト"));
  EXPECT_EQ(PriceItem(0).Name, "トマト");
  EXPECT_EQ(PriceItem(0).Max, 1000);
  EXPECT_EQ(PriceItem.UBound(), 0);
  EXPECT_EQ(f->cmbProduce->count(), 1);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 250);
  EXPECT_TRUE(Changed(RecordKind::Price));

  ClearChanged(RecordKind::Price);
  Enter(QString());
  Enter(QStringLiteral("トマト"));
  EXPECT_EQ(f->cmbProduce->count(), 1);
  EXPECT_FALSE(Changed(RecordKind::Price));

  Enter(QStringLiteral("ナス"));
  ASSERT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceItem(1).Name, "ナス");
  EXPECT_EQ(PriceItem(1).Max, 1000);
  EXPECT_EQ(f->cmbProduce->currentIndex(), 1);
  EXPECT_EQ(MarketItem, 1);
  EXPECT_EQ(f->hscPriceHigh->value(), 0);
  EXPECT_TRUE(Changed(RecordKind::Price));

  // The combo box never acts on its own: an existing name typed key by key
  // with Enter, then leaving the box, keeps the shown produce.
  ClearChanged(RecordKind::Price);
  f->show();
  f->cmbProduce->setFocus();
  f->cmbProduce->setEditText(QString());
  for (QChar c : QStringLiteral("トマト")) Send(QEvent::KeyPress, 0, QString(c));
  Send(QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
  f->cmdSave->setFocus();
  ProcessEvents();
  EXPECT_EQ(MarketItem, 1);
  EXPECT_EQ(f->cmbProduce->count(), 2);
  EXPECT_FALSE(Changed(RecordKind::Price));

  // Beyond the list limit a new name is refused with a message.
  RedimPrice(kListLimit - 1);
  Enter(QStringLiteral("カボチャ"));
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(PriceItem.UBound(), kListLimit - 1);
  EXPECT_FALSE(Changed(RecordKind::Price));
}

TEST_F(MarketWindowTest, ANameLeftWithoutEnterIsTakenWhenItExistsElseTheBoxShowsTheProduceAgain) {
  Produce(0, "ナス");
  Produce(1, "ピーマン");
  Open();
  f->show();
  QApplication::setActiveWindow(f.get());
  for (const QString& name : {QStringLiteral("ピーマン"), QStringLiteral("カボチャ")}) {
    QTest::mouseClick(f->cmbProduce->lineEdit(), Qt::LeftButton);
    QTest::keyClick(f->cmbProduce, Qt::Key_A, Qt::ControlModifier);
    for (QChar c : name) Send(QEvent::KeyPress, 0, QString(c));
    QTest::mouseClick(f->hscPriceHigh, Qt::LeftButton, {}, {f->hscPriceHigh->width() - 30, 5});
    EXPECT_EQ(f->cmbProduce->currentText(), QStringLiteral("ピーマン"));
  }
  QTest::mouseClick(f->cmdSave, Qt::LeftButton);
  EXPECT_EQ(PriceHigh(1)(2001, 5, 6), 20);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 0);
  EXPECT_EQ(f->cmbProduce->count(), 2);
}

TEST_F(MarketWindowTest, EditsGoIntoTheShownDayAndProduceAndLoadingADayStoresNothing) {
  Produce(0, "トマト");
  Produce(1, "ナス");
  PriceHigh(0)(2001, 5, 7) = 410;
  PriceLow(0)(2001, 5, 20) = 120;
  PriceHigh(0)(2001, 5, 31) = 999;
  Open();
  f->show();
  f->hscPriceHigh->setValue(350);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 350);
  EXPECT_EQ(f->txtPriceHigh->text(), QStringLiteral("350"));
  EXPECT_TRUE(Changed(RecordKind::Price));

  // Another window moves the shared date: an edit still goes into the 6th
  // on screen; activating the window catches up.
  CurDay = 9;
  f->hscPriceMid->setValue(200);
  EXPECT_EQ(PriceMid(0)(2001, 5, 6), 200);
  ClearChanged(RecordKind::Price);
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(f.get(), &activate);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/09"));
  EXPECT_EQ(f->hscPriceMid->value(), 0);

  // Spinner, calendar and double-click load other days without storing.
  f->vscCalender->setValue(0);
  f->vscCalender->setValue(0);
  EXPECT_EQ(CurDay, 7);
  EXPECT_EQ(f->hscPriceHigh->value(), 410);
  f->cmdCalender_Click();
  CurDay = 20;
  f->pctCalender_LostFocus();
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/20"));
  EXPECT_EQ(f->hscPriceLow->value(), 120);
  f->pctGraph_MouseMove(0, 0, 31 * f->Chart.PriceDayWidth, 10);
  f->pctGraph_DblClick();
  EXPECT_EQ(CurDay, 31);
  EXPECT_EQ(f->hscPriceHigh->value(), 999);
  EXPECT_FALSE(Changed(RecordKind::Price));
  EXPECT_EQ(PriceLow(0)(2001, 5, 7), 0);

  f->cmbProduce->setCurrentIndex(1);
  f->hscPriceLow->setValue(50);
  EXPECT_EQ(PriceLow(1)(2001, 5, 31), 50);
  EXPECT_EQ(PriceLow(0)(2001, 5, 31), 0);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(MarketWindowTest, TheLimitStaysAboveEveryRecordedPriceAndWithItsProduce) {
  Produce(0, "トマト");
  Produce(1, "ナス");
  PriceHigh(0)(2003, 1, 1) = 800;
  Open();
  f->vscLimitMax->setValue(700);  // below the peak: back to the last limit
  EXPECT_EQ(f->vscLimitMax->value(), 1000);
  EXPECT_EQ(f->txtLimitMax->text(), QStringLiteral("1000"));
  EXPECT_FALSE(Changed(RecordKind::Price));
  f->vscLimitMax->setValue(900);
  EXPECT_EQ(PriceItem(0).Max, 900);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 900);
  EXPECT_TRUE(Changed(RecordKind::Price));

  // A price entered above the old peak holds the limit up as well.
  f->vscLimitMax->setValue(5000);
  f->hscPriceHigh->setValue(4000);
  f->vscLimitMax->setValue(3000);
  EXPECT_EQ(f->vscLimitMax->value(), 5000);
  EXPECT_EQ(PriceItem(0).Max, 5000);
  EXPECT_EQ(f->hscPriceHigh->value(), 4000);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 4000);

  // Each produce shows its own limit, also in a window loaded afresh.
  f->cmbProduce->setCurrentIndex(1);
  EXPECT_EQ(f->vscLimitMax->value(), 1000);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 1000);
  f->cmbProduce->setCurrentIndex(0);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 5000);
  Open();
  EXPECT_EQ(f->vscLimitMax->value(), 5000);
  EXPECT_EQ(f->txtLimitMax->text(), QStringLiteral("5000"));
  EXPECT_EQ(f->hscPriceHigh->value(), 4000);

  // Naming the unnamed first produce keeps its limit above its prices.
  ResetStore();
  PriceItem(0).Max = 1000;
  SetCurrentDate({2001, 5, 6});
  Open();
  f->vscLimitMax->setValue(5000);
  f->hscPriceHigh->setValue(4000);
  Enter(QStringLiteral("トマト"));
  EXPECT_GE(PriceItem(0).Max, 4000);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 4000);
  f->hscPriceHigh->setValue(0), f->vscLimitMax->setValue(1000);  // the lowered price holds the limit no more
  EXPECT_EQ(PriceItem(0).Max, 1000);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(MarketWindowTest, PointingReadsOutTheDayAndADoubleClickChoosesIt) {
  Produce(0, "トマト");
  PriceHigh(0)(2001, 4, 1) = 101;
  PriceHigh(0)(2001, 4, 30) = 130;
  PriceHigh(0)(2001, 1, 1) = 11;
  PriceMid(0)(2001, 1, 5) = 15;
  PriceMid(0)(2001, 2, 5) = 25;
  PriceLow(0)(2001, 12, 31) = 931;
  SetCurrentDate({2001, 4, 15});
  Open();

  // A 30-day month: the far left is the 1st, beyond the right the 30th.
  f->pctGraph_MouseMove(0, 0, 0, 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/04/01"));
  EXPECT_EQ(f->txtPriceHighD->text(), QStringLiteral("101"));
  f->pctGraph_MouseMove(0, 0, static_cast<float>(f->Chart.PriceGraphWidth), 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/04/30"));
  EXPECT_EQ(f->txtPriceHighD->text(), QStringLiteral("130"));

  // The year view: the first column is 1 January, past the end 31 December.
  f->optIndicateYear->setChecked(true);
  f->pctGraph_MouseMove(0, 0, static_cast<float>(f->Chart.PriceGraphWidth) + 2000, 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/12/31"));
  f->pctGraph_DblClick();
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/12/31"));
  EXPECT_EQ(f->hscPriceLow->value(), 931);
  // The 5th of another month is another day.
  f->pctGraph_MouseMove(0, 0, 5 * f->Chart.PriceDayWidth, 50);
  EXPECT_EQ(f->txtPriceMidD->text(), QStringLiteral("15"));
  f->pctGraph_MouseMove(0, 0, 36 * f->Chart.PriceDayWidth, 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/02/05"));
  EXPECT_EQ(f->txtPriceMidD->text(), QStringLiteral("25"));
  f->pctGraph_MouseMove(0, 0, 0, 50);
  f->pctGraph_DblClick();
  EXPECT_EQ(CurMonth, 1);
  EXPECT_EQ(CurDay, 1);
  EXPECT_EQ(f->hscPriceHigh->value(), 11);
  EXPECT_FALSE(Changed(RecordKind::Price));
  EXPECT_FALSE(f->PointerMoveRunning());
}

TEST_F(MarketWindowTest, ValuesFromAnEditedFileAreReportedAndTheWindowStaysUsable) {
  Produce(0, "トマト");
  RedimPrice(2);             // entry 1 is a gap of the file: no name, Max 0
  Produce(2, "ナス", 300);   // a limit below the bar's range
  PriceHigh(0)(2001, 5, 7) = 1500;  // above the produce's limit
  PriceLow(0)(2001, 5, 7) = 600;
  Open();

  // The gap: the limit bar cannot take 0, and there is no price scale.
  f->cmbProduce->setCurrentIndex(1);
  EXPECT_EQ(Reported(), (std::vector<int>{380, 11}));
  EXPECT_EQ(Busy, 0);
  // Only the grid is drawn: no line, dot or marker anywhere.
  const QImage& img = f->pctGraph->Image();
  int grid = 0, drawn = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QColor c(img.pixel(x, y));
      grid += c == kPriceGridDark;
      drawn += c == kPriceHighColor || c == kPriceMidColor || c == kPriceLowColor || c == kPriceMarkerColor;
    }
  EXPECT_GT(grid, 0);
  EXPECT_EQ(drawn, 0);
  // Pointing and the spinner do not report it again.
  f->pctGraph_MouseMove(0, 0, 10 * f->Chart.PriceDayWidth, 10);
  f->vscCalender->setValue(2);
  f->vscCalender->setValue(0);
  EXPECT_EQ(boxes.calls().size(), 2u);

  // A limit outside the bar's range is reported, neither clamped nor stored.
  boxes.clear();
  f->cmbProduce->setCurrentIndex(2);
  EXPECT_EQ(Reported(), std::vector<int>{380});
  EXPECT_EQ(PriceItem(2).Max, 300);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 300);

  // A price above the limit: reported once, the rest of the day loads,
  // whether the day or the produce is chosen.
  boxes.clear();
  f->cmbProduce->setCurrentIndex(0);
  f->vscCalender->setValue(2);
  EXPECT_EQ(Reported(), std::vector<int>{380});
  f->cmbProduce->setCurrentIndex(1);
  boxes.clear();
  f->cmbProduce->setCurrentIndex(0);
  EXPECT_EQ(Reported(), std::vector<int>{380});
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/07"));
  EXPECT_EQ(f->hscPriceLow->value(), 600);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 7), 1500);
  EXPECT_FALSE(Changed(RecordKind::Price));
  EXPECT_EQ(Busy, 0);
  f->hscPriceLow->setValue(650);
  EXPECT_EQ(PriceLow(0)(2001, 5, 7), 650);
}

TEST_F(MarketWindowTest, SaveWritesThePriceFileAndClearsTheFlagOnlyOnSuccess) {
  Open();
  Enter(QStringLiteral("トマト"));
  Enter(QStringLiteral("キュウリ"));
  f->vscLimitMax->setValue(2000);
  f->hscPriceHigh->setValue(1800);
  f->cmdSave_Click();
  EXPECT_FALSE(Changed(RecordKind::Price));
  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadPrice());
  ASSERT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceItem(0).Name, "トマト");
  EXPECT_EQ(PriceItem(1).Max, 2000);
  EXPECT_EQ(PriceHigh(1)(2001, 5, 6), 1800);

  // A folder that cannot be written: reported, and the flag stays for the
  // exit question.
  SetCurrentDate({2001, 5, 6});
  Open();
  f->hscPriceMid->setValue(10);
  DataPath = dir.dir() + "missing/";
  f->cmdSave_Click();
  EXPECT_FALSE(Reported().empty());
  EXPECT_TRUE(Changed(RecordKind::Price));
  EXPECT_TRUE(f->cmdSave->isEnabled());
}

TEST_F(MarketWindowTest, TheProgramWiresTheWindowAndItsProduceStaysInsideTheList) {
  Produce(0, "トマト");
  Produce(1, "ナス");
  Produce(2, "キュウリ", 3000);
  RegisterWindows();
  ShowRecordWindow(RecordWindow::MarketPrice);
  frmMarketPrice* w = LoadedMarketPrice();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry(), w->screen()->geometry());  // the whole screen, as laid out for
  w->cmbProduce->setCurrentIndex(2);
  NotifyReloaded();  // the produce is still there
  EXPECT_EQ(MarketItem, 2);
  EXPECT_EQ(w->vscLimitMax->value(), 3000);
  RedimPrice(1);  // a reload of a file with fewer produce
  NotifyReloaded();
  EXPECT_EQ(MarketItem, 0);
  EXPECT_EQ(w->cmbProduce->count(), 2);

  // The name list editor opens on the produce; its refill shows entry 0.
  std::optional<NameList> tag;
  SetNameListEditor([&](QWidget*) {
    tag = EditedNameList();
    RebuildNameList(NameList::Produce, {{"カボチャ", 0}, {"ナス", 1}});
    NotifyListRebuilt(NameList::Produce);
  });
  w->cmbProduce->setCurrentIndex(1);
  w->cmdEdit->click();
  EXPECT_EQ(tag, NameList::Produce);
  EXPECT_EQ(w->cmbProduce->itemText(0), QStringLiteral("カボチャ"));
  EXPECT_EQ(MarketItem, 0);
  SetNameListEditor([](QWidget*) { throw rt::RuntimeError(rt::kErrInvalidCall); });
  w->cmdEdit->click();
  EXPECT_EQ(Reported(), std::vector<int>{5});

  w->cmdClose_Click();
  EXPECT_FALSE(w->isVisible());
  UnloadRecordWindow(RecordWindow::MarketPrice);
  ProcessEvents();
  EXPECT_EQ(LoadedMarketPrice(), nullptr);
  MarketItem = 5;  // stale: a later window starts at the first produce
  Open();
  EXPECT_EQ(MarketItem, 0);
  SetNameListEditor({});
  for (NameList list : {NameList::Produce, NameList::Work, NameList::Place}) OnListRebuilt(list, {});
  for (RecordWindow r : {RecordWindow::Weather, RecordWindow::DiaryEdit, RecordWindow::Diary, RecordWindow::MarketPrice,
                         RecordWindow::Schedule})
    RegisterRecordWindow(r, {});
}

TEST_F(MarketWindowTest, LayoutPlacesTheGraphFromTheInnerSize) {
  Open();
  f->show();
  ProcessEvents();
  EXPECT_EQ(f->Frame1->geometry(), QRect(906, 0, 115, 407));
  EXPECT_EQ(f->cmdClose->geometry(), QRect(908, 630, 115, 37));
  EXPECT_EQ(f->pctNumber->geometry(), QRect(0, 0, 57, 743));
  EXPECT_EQ(f->pctGraph->geometry(), QRect(48, 12, 858, f->height() - 36));
  EXPECT_EQ(f->Chart.PriceGraphHeight, (f->height() - 36 - 4) * 15);
  const QPoint under = f->cmdCalender->mapTo(f.get(), QPoint(f->cmdCalender->width(), f->cmdCalender->height()));
  f->cmdCalender_Click();
  EXPECT_EQ(f->pctCalender->geometry().topRight() + QPoint(1, 0), under);
}

TEST_F(MarketWindowTest, EveryBarIsReachedByItsAccessKeyWorkedByKeysAndTabPassesTheShowBoxes) {
  frmMain w;
  frmSchedule s;
  Open(), w.Start(), s.Start();  // the weather window goes to today
  struct Row { QWidget* window; Qt::Key access; QScrollBar* bar; QWidget* next; std::function<long()> stored; long after; };
  for (const Row& r : std::vector<Row>{
           {&w, Qt::Key_R, w.hscRain, w.cmdSave, [] { return std::lround(Kousui(CurYear, CurMonth, CurDay) * 10); }, 5},
           {f.get(), Qt::Key_I, f->vscLimitMax, f->hscPriceHigh, [] { return long{PriceItem(0).Max}; }, 1100},
           {&s, Qt::Key_S, s.vscScheduleNumber, s.cmbPlace, [] { return long{SelEntry}; }, 10}}) {
    r.window->show(), r.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(r.window));
    QTest::keyClick(r.window, r.access, Qt::AltModifier);
    ASSERT_EQ(r.window->focusWidget(), r.bar);
    QTest::keyClick(r.bar, r.bar->orientation() == Qt::Horizontal ? Qt::Key_Right : Qt::Key_PageDown);
    EXPECT_EQ(r.stored(), r.after);
    QTest::keyClick(r.bar, Qt::Key_Tab);
    EXPECT_EQ(r.window->focusWidget(), r.next);
  }
}
