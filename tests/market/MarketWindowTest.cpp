// The market price window through its handlers and the record store.
#include <QGroupBox>
#include <QPushButton>

#include "app/RegisterWindows.h"
#include "market/MarketFixture.h"
#include "shell/RecordWindows.h"
#include "store/PriceFile.h"

TEST_F(MarketWindowTest, EnterTurnsThePlaceholderIntoTheFirstProduceThenAddsNewOnesOnly) {
  Open();
  ASSERT_EQ(f->cmbProduce->count(), 1);
  EXPECT_EQ(f->cmbProduce->itemText(0), kProducePlaceholder);
  EXPECT_TRUE(f->ShowsPlaceholder());
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Vorn　市場価格表"));

  // Before any name, a price goes to the unnamed first entry.
  f->hscPriceHigh->setValue(250);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 250);
  PriceChanged = 0;

  Enter(QStringLiteral("トマト"));
  EXPECT_EQ(PriceItem(0).Name, "トマト");
  EXPECT_EQ(PriceItem(0).Max, 1000);
  EXPECT_EQ(PriceItem(0).Min, 0);
  EXPECT_EQ(PriceItem.UBound(), 0);
  EXPECT_EQ(f->cmbProduce->count(), 1);
  EXPECT_EQ(f->cmbProduce->itemText(0), QStringLiteral("トマト"));
  EXPECT_FALSE(f->ShowsPlaceholder());
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 250);  // the prices stay with it
  EXPECT_EQ(PriceChanged, -1);

  // An empty text or a name the list has changes nothing.
  PriceChanged = 0;
  Enter(QString());
  Enter(QStringLiteral("トマト"));
  EXPECT_EQ(PriceItem.UBound(), 0);
  EXPECT_EQ(f->cmbProduce->count(), 1);
  EXPECT_EQ(PriceChanged, 0);

  Enter(QStringLiteral("ナス"));
  ASSERT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceItem(1).Name, "ナス");
  EXPECT_EQ(PriceItem(1).Max, 1000);
  EXPECT_EQ(f->cmbProduce->count(), 2);
  EXPECT_EQ(f->cmbProduce->currentIndex(), 1);
  EXPECT_EQ(MarketItem, 1);
  EXPECT_EQ(f->hscPriceHigh->value(), 0);  // the new produce has no prices
  EXPECT_EQ(PriceChanged, -1);

  // The combo box never acts on its own: typing an existing name and
  // pressing Enter, or leaving the box, keeps the shown produce.
  PriceChanged = 0;
  f->show();
  f->cmbProduce->setFocus();
  f->cmbProduce->setEditText(QString());
  for (QChar c : QStringLiteral("トマト")) {
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(f->cmbProduce, &key);
  }
  EXPECT_EQ(f->cmbProduce->currentText(), QStringLiteral("トマト"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QCoreApplication::sendEvent(f->cmbProduce, &enter);
  f->cmdSave->setFocus();
  ProcessEvents();
  EXPECT_EQ(MarketItem, 1);
  EXPECT_EQ(f->cmbProduce->currentIndex(), 1);
  EXPECT_EQ(f->cmbProduce->count(), 2);
  EXPECT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceChanged, 0);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(MarketWindowTest, NoProduceIsAddedBeyondTheListLimit) {
  RedimPrice(kListLimit - 1);
  for (int i = 0; i < kListLimit; ++i) Produce(i, ("P" + std::to_string(i)).c_str());
  Open();
  Enter(QStringLiteral("新しい作物"));
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(PriceItem.UBound(), kListLimit - 1);
  EXPECT_EQ(f->cmbProduce->count(), kListLimit);
  EXPECT_EQ(PriceChanged, 0);
}

TEST_F(MarketWindowTest, PricesGoIntoTheShownDayAndProduce) {
  Produce(0, "トマト");
  Produce(1, "ナス");
  Open();
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/06"));
  f->hscPriceHigh->setValue(350);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 350);
  EXPECT_EQ(f->txtPriceHigh->text(), QStringLiteral("350"));
  EXPECT_EQ(PriceChanged, -1);

  // Another window moves the shared date: the bars still show the 6th, and
  // an edit goes there.
  CurDay = 9;
  f->hscPriceMid->setValue(200);
  EXPECT_EQ(PriceMid(0)(2001, 5, 6), 200);
  EXPECT_EQ(PriceMid(0)(2001, 5, 9), 0);

  // Activating the window catches up with the 9th without storing.
  PriceChanged = 0;
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(f.get(), &activate);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/09"));
  EXPECT_EQ(f->hscPriceMid->value(), 0);
  EXPECT_EQ(PriceChanged, 0);

  f->cmbProduce->setCurrentIndex(1);
  EXPECT_EQ(MarketItem, 1);
  f->hscPriceLow->setValue(50);
  EXPECT_EQ(PriceLow(1)(2001, 5, 9), 50);
  EXPECT_EQ(PriceLow(0)(2001, 5, 9), 0);
  EXPECT_EQ(PriceMid(0)(2001, 5, 6), 200);
}

TEST_F(MarketWindowTest, LoadingAnotherDayMovesTheBarsWithoutStoring) {
  Produce(0, "トマト");
  PriceHigh(0)(2001, 5, 7) = 410;
  PriceMid(0)(2001, 5, 7) = 300;
  PriceLow(0)(2001, 5, 20) = 120;
  PriceHigh(0)(2001, 5, 31) = 999;
  Open();
  f->show();

  f->vscCalender->setValue(2);  // spinner: one day on
  EXPECT_EQ(CurDay, 7);
  EXPECT_EQ(f->hscPriceHigh->value(), 410);
  EXPECT_EQ(f->txtPriceMid->text(), QStringLiteral("300"));
  EXPECT_EQ(f->vscCalender->value(), 1);

  // The calendar picks the 20th and closes.
  f->cmdCalender_Click();
  ASSERT_TRUE(f->pctCalender->isVisible());
  CurDay = 20;
  f->pctCalender_LostFocus();
  EXPECT_FALSE(f->pctCalender->isVisible());
  EXPECT_EQ(CalendarOpen, 0);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/20"));
  EXPECT_EQ(f->hscPriceLow->value(), 120);
  EXPECT_EQ(f->hscPriceHigh->value(), 0);

  // A double-click on the graph makes the pointed-at day current.
  f->pctGraph_MouseMove(0, 0, 31 * PriceDayWidth, 10);
  f->pctGraph_DblClick();
  EXPECT_EQ(CurDay, 31);
  EXPECT_EQ(f->hscPriceHigh->value(), 999);

  EXPECT_EQ(PriceChanged, 0);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 20), 0);
  EXPECT_EQ(PriceLow(0)(2001, 5, 7), 0);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(MarketWindowTest, CalendarOpensUnderTheButtonRightAlignedAndASecondClickOnlyClearsTheToggle) {
  Produce(0, "トマト");
  Open();
  f->show();
  f->cmdCalender_Click();
  ASSERT_TRUE(f->pctCalender->isVisible());
  const QPoint buttonRight = f->cmdCalender->mapTo(f.get(), QPoint(f->cmdCalender->width(), f->cmdCalender->height()));
  EXPECT_EQ(f->pctCalender->geometry().right() + 1, buttonRight.x());
  EXPECT_EQ(f->pctCalender->geometry().top(), buttonRight.y());
  EXPECT_NE(CalendarOpen, 0);
  f->cmdCalender_Click();
  EXPECT_EQ(CalendarOpen, 0);
  EXPECT_TRUE(f->pctCalender->isVisible());
}

TEST_F(MarketWindowTest, TheLimitNeverGoesBelowARecordedPrice) {
  Produce(0, "トマト");
  PriceHigh(0)(2003, 1, 1) = 800;
  Open();
  EXPECT_EQ(f->vscLimitMax->value(), 1000);
  EXPECT_EQ(f->txtLimitMax->text(), QStringLiteral("1000"));

  f->vscLimitMax->setValue(700);
  EXPECT_EQ(f->vscLimitMax->value(), 1000);
  EXPECT_EQ(f->txtLimitMax->text(), QStringLiteral("1000"));
  EXPECT_EQ(PriceItem(0).Max, 1000);
  EXPECT_EQ(PriceChanged, 0);

  f->vscLimitMax->setValue(900);
  EXPECT_EQ(PriceItem(0).Max, 900);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 900);
  EXPECT_EQ(f->txtLimitMax->text(), QStringLiteral("900"));
  EXPECT_EQ(PriceChanged, -1);

  // A price entered above the old peak holds the limit up as well.
  f->vscLimitMax->setValue(5000);
  f->hscPriceHigh->setValue(4000);
  f->vscLimitMax->setValue(3000);
  EXPECT_EQ(f->vscLimitMax->value(), 5000);
  EXPECT_EQ(PriceItem(0).Max, 5000);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 5000);
  EXPECT_EQ(f->hscPriceHigh->value(), 4000);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 4000);
  EXPECT_EQ(PriceMid(0)(2001, 5, 6), 0);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(MarketWindowTest, EachProduceKeepsItsOwnLimitAcrossChoosingAndReopening) {
  Produce(0, "トマト");
  Produce(1, "ナス");
  Open();
  f->vscLimitMax->setValue(5000);
  f->hscPriceHigh->setValue(4500);
  EXPECT_EQ(PriceItem(0).Max, 5000);

  f->cmbProduce->setCurrentIndex(1);
  EXPECT_EQ(f->vscLimitMax->value(), 1000);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 1000);
  EXPECT_EQ(f->hscPriceHigh->value(), 0);
  f->cmbProduce->setCurrentIndex(0);
  EXPECT_EQ(f->vscLimitMax->value(), 5000);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 5000);
  EXPECT_EQ(f->hscPriceHigh->value(), 4500);

  // A new window shows the same produce with its limit.
  f->cmbProduce->setCurrentIndex(1);
  f->cmbProduce->setCurrentIndex(0);
  Open();
  EXPECT_EQ(f->cmbProduce->currentIndex(), 0);
  EXPECT_EQ(f->vscLimitMax->value(), 5000);
  EXPECT_EQ(f->txtLimitMax->text(), QStringLiteral("5000"));
  EXPECT_EQ(f->hscPriceHigh->value(), 4500);
  EXPECT_EQ(PriceItem(1).Max, 1000);
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

  // Month view of a 30-day month: the far left is the 1st, the far right the 30th.
  f->pctGraph_MouseMove(0, 0, 0, 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/04/01"));
  EXPECT_EQ(f->txtPriceHighD->text(), QStringLiteral("101"));
  f->pctGraph_MouseMove(0, 0, static_cast<float>(PriceGraphWidth), 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/04/30"));
  EXPECT_EQ(f->txtPriceHighD->text(), QStringLiteral("130"));
  EXPECT_EQ(f->PriceHoverBusy, 0);

  // Year view: the first column is 1 January, past the end 31 December.
  f->optIndicateYear->setChecked(true);
  EXPECT_EQ(MarketView, 1);
  f->pctGraph_MouseMove(0, 0, 0, 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/01/01"));
  EXPECT_EQ(f->txtPriceHighD->text(), QStringLiteral("11"));
  f->pctGraph_MouseMove(0, 0, static_cast<float>(PriceGraphWidth) + 2000, 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/12/31"));
  f->pctGraph_DblClick();
  EXPECT_EQ(CurMonth, 12);
  EXPECT_EQ(CurDay, 31);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/12/31"));
  EXPECT_EQ(f->hscPriceLow->value(), 931);

  // The 5th of another month is another day.
  f->pctGraph_MouseMove(0, 0, 5 * PriceDayWidth, 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/01/05"));
  EXPECT_EQ(f->txtPriceMidD->text(), QStringLiteral("15"));
  f->pctGraph_MouseMove(0, 0, 36 * PriceDayWidth, 50);
  EXPECT_EQ(f->txtDay->text(), QStringLiteral("2001/02/05"));
  EXPECT_EQ(f->txtPriceMidD->text(), QStringLiteral("25"));

  f->pctGraph_MouseMove(0, 0, 0, 50);
  f->pctGraph_DblClick();
  EXPECT_EQ(CurMonth, 1);
  EXPECT_EQ(CurDay, 1);
  EXPECT_EQ(f->hscPriceHigh->value(), 11);
  EXPECT_EQ(PriceChanged, 0);
}
