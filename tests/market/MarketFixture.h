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
#include <memory>
#include <vector>

#include "market/frmMarketPrice.h"
#include "market/modMarket.h"
#include "platform/ErrorReporter.h"
#include "platform/NameListLink.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

class MarketWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    CaptureTwipsPerPixel();
    DataPath = dir.dir();
    HomeDataPath.clear();
    InstallStoreErrorReporter();
    MarketView = 0;
    MarketItem = 0;
    PeakPrice = 0;
    PriceHoverX = 0;
    PriceItem(0).Max = 1000;  // as after a start without a price file
    SetCurrentDate({2001, 5, 6});
  }
  void TearDown() override {
    f.reset();
    SetNameListEditor({});
    StoreErrorHook = nullptr;
    ResetStore();
    MarketView = 0;
    MarketItem = 0;
  }

  // Loads the window as the menu bar does on first showing.
  void Open() {
    f = std::make_unique<frmMarketPrice>();
    f->Form_Load();
  }
  // A named produce at index i with its limit.
  static void Produce(int i, const char* name, int max = 1000) {
    if (PriceItem.UBound() < i) RedimPrice(i);
    PriceItem(i).Name = name;
    PriceItem(i).Max = max;
  }
  // Types a text into the produce chooser and presses Enter.
  void Enter(const QString& text) {
    f->cmbProduce->setEditText(text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(f->cmbProduce, &press);
  }

  // Error numbers shown by the error reporter so far.
  std::vector<int> Reported() const {
    std::vector<int> n;
    for (auto& c : boxes.calls()) {
      int at = c.text.indexOf(QStringLiteral("ｴﾗｰｺｰﾄﾞ:"));
      if (at >= 0) n.push_back(c.text.mid(at + 8).section(QChar('\r'), 0, 0).trimmed().toInt());
    }
    return n;
  }

  TempDir dir;
  MessageBoxes boxes;
  std::unique_ptr<frmMarketPrice> f;
};
