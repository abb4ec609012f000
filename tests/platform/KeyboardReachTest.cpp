// Every value a window sets with a scroll bar can be set from the keyboard:
// the label's access key reaches the bar, the arrow and Page keys work it and
// store the value, and Tab walks the controls as they are laid out, past the
// boxes that only show a value.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <functional>
#include <memory>

#include "market/frmMarketPrice.h"
#include "market/modMarket.h"
#include "platform/ErrorReporter.h"
#include "platform/Screen.h"
#include "schedule/frmSchedule.h"
#include "schedule/modSchedule.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"
#include "weather/frmMain.h"

namespace {

struct Reach {
  Qt::Key access;
  QScrollBar* bar;
  Qt::Key step;
  std::function<long()> stored;  // what the store holds for the bar now
};
struct Window {
  std::shared_ptr<QWidget> window;
  std::vector<Reach> bars;
  std::vector<QWidget*> tabs;  // a stretch of the Tab order
};

Window Weather() {
  auto f = std::make_shared<frmMain>();
  f->Form_Load();
  const YearMonthDay d{CurYear, CurMonth, CurDay};
  auto ondo = [d](int kind) { return [d, kind] { return std::lround(Ondo(d.Year, d.Month, d.Day, kind) * 10); }; };
  return {f,
          {{Qt::Key_H, f->hscKionHigh, Qt::Key_Right, ondo(1)},
           {Qt::Key_L, f->hscKionLow, Qt::Key_PageDown, ondo(0)},
           {Qt::Key_R, f->hscRain, Qt::Key_Right, [d] { return std::lround(Kousui(d.Year, d.Month, d.Day) * 10); }}},
          {f->cmbTenki3, f->hscKionHigh, f->hscKionLow, f->hscRain, f->cmdSave}};
}

Window Market() {
  PriceItem(0).Name = "トマト";
  PriceItem(0).Max = 1000;
  auto f = std::make_shared<frmMarketPrice>();
  f->Form_Load();
  auto price = [](auto& table) { return [&table] { return long{table(0)(2001, 5, 6)}; }; };
  return {f,
          {{Qt::Key_I, f->vscLimitMax, Qt::Key_PageDown, [] { return long{PriceItem(0).Max}; }},
           {Qt::Key_H, f->hscPriceHigh, Qt::Key_Right, price(PriceHigh)},
           {Qt::Key_M, f->hscPriceMid, Qt::Key_PageDown, price(PriceMid)},
           {Qt::Key_L, f->hscPriceLow, Qt::Key_End, price(PriceLow)}},
          {f->optIndicateMonth, f->vscLimitMax, f->hscPriceHigh, f->hscPriceMid, f->hscPriceLow, f->cmdSave}};
}

Window Schedules() {
  Schedule.RedimPreserve(0);
  Schedule(0).Work = "耕起";
  auto f = std::make_shared<frmSchedule>();
  f->Form_Load();
  return {f, {{Qt::Key_S, f->vscScheduleNumber, Qt::Key_PageDown, [] { return long{SelEntry}; }}},
          {f->cmdWork, f->vscScheduleNumber, f->cmbPlace}};
}

}  // namespace

TEST(KeyboardReachTest, EveryBarIsReachedByItsAccessKeyWorkedByKeysAndTabFollowsTheLayout) {
  TempDir dir;
  MessageBoxes boxes;
  for (auto open : {Weather, Market, Schedules}) {
    ResetStore();
    CaptureTwipsPerPixel();
    DataPath = dir.dir();
    InstallStoreErrorReporter();
    SetCurrentDate({2001, 5, 6});
    MarketItem = 0;
    SelWork = SelEntry = SelPlace = 0;
    Window w = open();
    const QString name = w.window->windowTitle();
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get())) << name.toStdString();

    for (const Reach& r : w.bars) {
      SCOPED_TRACE(name.toStdString() + " Alt+" + QKeySequence(r.access).toString().toStdString());
      QTest::keyClick(w.window.get(), r.access, Qt::AltModifier);
      ASSERT_EQ(QApplication::focusWidget(), r.bar);
      const int before = r.bar->value();
      QTest::keyClick(QApplication::focusWidget(), r.step);
      EXPECT_GT(r.bar->value(), before);
      EXPECT_EQ(r.stored(), r.bar->value());
    }
    w.tabs.front()->setFocus(Qt::TabFocusReason);
    for (size_t i = 1; i < w.tabs.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget(), w.tabs[i]) << name.toStdString() << " Tab " << i;
    }
    EXPECT_TRUE(boxes.calls().empty()) << name.toStdString();
    w.window->hide();
  }
  StoreErrorHook = nullptr;
  ResetStore();
}
