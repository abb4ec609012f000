// The market price window against what the files and the rest of the
// program hand it: values from edited files, saving, reloading, the name list
// editor and the menu bar.
#include <QGroupBox>
#include <QPushButton>

#include "app/RegisterWindows.h"
#include "market/MarketFixture.h"
#include "shell/RecordWindows.h"
#include "store/PriceFile.h"

namespace {

bool AnyPixelOf(const QImage& img, const std::vector<QColor>& colours) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      for (const QColor& c : colours)
        if (QColor(img.pixel(x, y)) == c) return true;
  return false;
}

}  // namespace

TEST_F(MarketWindowTest, ValuesTheControlsCannotTakeAreReportedAndTheWindowStaysUsable) {
  Produce(0, "トマト");
  RedimPrice(2);  // entry 1 is a gap of the file: no name, Max 0
  Produce(2, "ナス", 300);  // a limit below the bar's range
  PriceHigh(0)(2001, 5, 7) = 1500;  // above the produce's limit
  PriceMid(0)(2001, 5, 7) = 700;
  PriceLow(0)(2001, 5, 7) = 600;
  Open();
  ASSERT_TRUE(boxes.calls().empty());

  // The gap entry: the limit bar cannot take 0, and there is no scale. The
  // graph keeps its grid and shows no line.
  f->cmbProduce->setCurrentIndex(1);
  EXPECT_EQ(Reported(), (std::vector<int>{380, 11}));
  EXPECT_EQ(Busy, 0);
  EXPECT_EQ(PriceItem(1).Max, 0);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 0);
  const QImage& img = f->pctGraph->Image();
  EXPECT_TRUE(AnyPixelOf(img, {kPriceGridDark}));
  EXPECT_FALSE(AnyPixelOf(img, {kPriceHighColor, kPriceMidColor, kPriceLowColor, kPriceMarkerColor}));
  // Pointing and the calendar do not report it again.
  boxes.clear();
  f->pctGraph_MouseMove(0, 0, 10 * PriceDayWidth, 10);
  f->vscCalender->setValue(2);
  f->vscCalender->setValue(0);
  EXPECT_TRUE(Reported().empty());

  // A limit outside the bar's range is reported, not clamped and stored.
  f->cmbProduce->setCurrentIndex(2);
  EXPECT_EQ(Reported(), std::vector<int>{380});
  EXPECT_EQ(PriceItem(2).Max, 300);
  EXPECT_EQ(f->hscPriceHigh->maximum(), 300);
  EXPECT_EQ(PriceChanged, 0);
  EXPECT_EQ(Busy, 0);

  // A price above the limit: reported once, the other two still load.
  boxes.clear();
  f->cmbProduce->setCurrentIndex(0);
  f->vscCalender->setValue(2);
  EXPECT_EQ(CurDay, 7);
  EXPECT_EQ(Reported(), std::vector<int>{380});
  EXPECT_EQ(f->hscPriceMid->value(), 700);
  EXPECT_EQ(f->hscPriceLow->value(), 600);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 7), 1500);
  EXPECT_EQ(PriceChanged, 0);
  EXPECT_EQ(Busy, 0);

  // Still usable: a real edit goes in.
  f->hscPriceLow->setValue(650);
  EXPECT_EQ(PriceLow(0)(2001, 5, 7), 650);
  EXPECT_EQ(PriceChanged, -1);
}

TEST_F(MarketWindowTest, NamingTheFirstProduceKeepsItsLimitAboveItsPrices) {
  Open();
  f->vscLimitMax->setValue(5000);
  f->hscPriceHigh->setValue(4000);
  Enter(QStringLiteral("トマト"));
  EXPECT_EQ(PriceItem(0).Name, "トマト");
  EXPECT_GE(PriceItem(0).Max, 4000);
  EXPECT_EQ(f->hscPriceHigh->value(), 4000);
  EXPECT_EQ(PriceHigh(0)(2001, 5, 6), 4000);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(MarketWindowTest, SaveWritesThePriceFileAndClearsTheFlagOnlyOnSuccess) {
  Open();
  Enter(QStringLiteral("トマト"));
  Enter(QStringLiteral("キュウリ"));
  f->vscLimitMax->setValue(2000);
  f->hscPriceHigh->setValue(1800);
  f->hscPriceLow->setValue(900);
  ASSERT_EQ(PriceChanged, -1);
  f->cmdSave_Click();
  EXPECT_EQ(PriceChanged, 0);
  EXPECT_TRUE(f->cmdSave->isEnabled());
  EXPECT_TRUE(dir.Exists("price.dat"));

  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadPrice());
  ASSERT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceItem(0).Name, "トマト");
  EXPECT_EQ(PriceItem(1).Name, "キュウリ");
  EXPECT_EQ(PriceItem(1).Max, 2000);
  EXPECT_EQ(PriceHigh(1)(2001, 5, 6), 1800);
  EXPECT_EQ(PriceLow(1)(2001, 5, 6), 900);

  // A directory that cannot be written: reported, and the flag stays so
  // that the exit question still offers to save.
  SetCurrentDate({2001, 5, 6});
  MarketItem = 1;
  Open();
  f->hscPriceMid->setValue(10);
  DataPath = dir.dir() + "missing/";
  f->cmdSave_Click();
  EXPECT_FALSE(Reported().empty());
  EXPECT_EQ(PriceChanged, -1);
  EXPECT_TRUE(f->cmdSave->isEnabled());
}

TEST_F(MarketWindowTest, TheShownProduceStaysInsideTheListAfterReloadAndListEditing) {
  Produce(0, "トマト");
  Produce(1, "ナス");
  Produce(2, "キュウリ", 3000);
  Open();
  f->cmbProduce->setCurrentIndex(2);

  // A reload that keeps the produce keeps showing it.
  f->ReloadFromStore();
  EXPECT_EQ(MarketItem, 2);
  EXPECT_EQ(f->vscLimitMax->value(), 3000);

  // A reload whose file had fewer produce falls back to the first.
  RedimPrice(0);
  f->ReloadFromStore();
  EXPECT_EQ(MarketItem, 0);
  EXPECT_EQ(f->cmbProduce->count(), 1);
  EXPECT_EQ(f->cmbProduce->currentIndex(), 0);
  EXPECT_EQ(f->vscLimitMax->value(), 1000);

  // A window loaded later with a stale index does the same.
  MarketItem = 7;
  Open();
  EXPECT_EQ(MarketItem, 0);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(MarketWindowTest, TheProgramOpensTheWindowAndTheEditorRefillsIt) {
  Produce(0, "トマト");
  Produce(1, "ナス");
  RegisterWindows();
  ShowRecordWindow(RecordWindow::MarketPrice);
  frmMarketPrice* w = LoadedMarketPrice();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(w->isMaximized());
  w->cmbProduce->setCurrentIndex(1);

  // The editor is opened for the produce list; after it rebuilt the list,
  // the window shows its first entry.
  QString tag;
  SetNameListEditor([&](QWidget*) {
    tag = NameListTag();
    RedimPrice(0);
    PriceItem(0).Name = "カボチャ";
    RefillNameListOwner(QStringLiteral("Produce"));
  });
  w->cmdEdit->click();
  EXPECT_EQ(tag, QStringLiteral("Produce"));
  EXPECT_EQ(w->cmbProduce->count(), 1);
  EXPECT_EQ(w->cmbProduce->itemText(0), QStringLiteral("カボチャ"));
  EXPECT_EQ(MarketItem, 0);

  // A failure in the editor is reported and does not escape.
  SetNameListEditor([](QWidget*) { throw rt::RuntimeError(rt::kErrInvalidCall); });
  w->cmdEdit->click();
  EXPECT_EQ(Reported(), std::vector<int>{5});

  // Closing hides; closing all windows unloads.
  w->cmdClose_Click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(LoadedMarketPrice(), w);
  UnloadRecordWindow(RecordWindow::MarketPrice);
  ProcessEvents();
  EXPECT_EQ(LoadedMarketPrice(), nullptr);
  for (RecordWindow r : {RecordWindow::Weather, RecordWindow::DiaryEdit, RecordWindow::Diary, RecordWindow::MarketPrice})
    RegisterRecordWindow(r, {});
  SetNameListOwner(QStringLiteral("Produce"), {});
}

TEST_F(MarketWindowTest, LayoutPlacesTheGraphFromTheInnerSize) {
  Open();
  f->show();
  ProcessEvents();
  ASSERT_TRUE(f->isMaximized());
  EXPECT_EQ(f->Frame1->geometry(), QRect(906, 0, 115, 407));
  EXPECT_EQ(f->Frame2->geometry(), QRect(906, 420, 115, 169));
  EXPECT_EQ(f->cmdSave->geometry(), QRect(908, 592, 115, 37));
  EXPECT_EQ(f->cmdClose->geometry(), QRect(908, 630, 115, 37));
  EXPECT_EQ(f->pctNumber->geometry(), QRect(0, 0, 57, 743));
  EXPECT_EQ(f->pctGraph->geometry(), QRect(48, 12, 858, f->height() - 36));
  EXPECT_EQ(PriceGraphHeight, (f->height() - 36 - 4) * 15);
}
