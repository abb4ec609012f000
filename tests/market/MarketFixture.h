#pragma once
// A market price window on a fresh store whose files live in a temporary
// directory; message boxes are recorded and answered.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cmath>
#include <memory>
#include <vector>

#include "market/frmMarketPrice.h"
#include "market/modMarket.h"
#include "platform/ErrorReporter.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "store/DataFile.h"
#include "support/WindowTest.h"

class MarketWindowTest : public WindowTest<frmMarketPrice> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    MarketView = MarketItem = 0;
    PriceItem(0).Max = 1000;  // as after a start without a price file
    SetCurrentDate({2001, 5, 6});
  }
  void TearDown() override {
    WindowTest::TearDown();
    MarketView = MarketItem = 0;
  }

  // The pixel row of a price of a produce with limit max: the bottom edge is 0,
  // the top edge the limit.
  int RowOf(int price, int max) const {
    const int32_t h = f->Chart.PriceGraphHeight;
    return static_cast<int>(std::lround((h - h * double(price) / max) / TwipsPerPixelY));
  }
  // The pixel column of day n (of the month, or of the year in the year view).
  int ColumnOf(int n) const { return static_cast<int>(std::lround(n * f->Chart.PriceDayWidth / TwipsPerPixelX)); }

  // Loads the window as the menu bar does on first showing.
  void Open() {
    f = std::make_unique<frmMarketPrice>();
    f->Start();
  }
  static void Produce(int i, const char* name, int max = 1000) {
    if (PriceItem.UBound() < i) RedimPrice(i);
    PriceItem(i).Name = name;
    PriceItem(i).Max = max;
  }
  // Types into the produce chooser (keys, or the text at once) and presses Enter.
  void Send(QEvent::Type type, int key, const QString& text) {
    QKeyEvent e(type, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(f->cmbProduce, &e);
  }
  void Enter(const QString& text) {
    f->cmbProduce->setEditText(text);
    Send(QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
  }

};
