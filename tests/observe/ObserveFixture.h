#pragma once
// An observation window on a fresh store whose files live in a temporary
// directory, with pictures the tests paint themselves; message boxes are
// recorded and answered, and the picture chooser is driven by the test
// in its own modal loop.
#include <gtest/gtest.h>

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "observe/frmFileSelect.h"
#include "observe/frmObserve.h"
#include "observe/modObserve.h"
#include "platform/Desktop.h"
#include "platform/ErrorReporter.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "store/DataFile.h"
#include "store/Store.h"
#include "support/WindowTest.h"

class ObserveTest : public WindowTest<frmObserve> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    SetCurrentDate({2001, 5, 6});
  }
  void TearDown() override {
    f.reset();
    ProcessEvents();
    WindowTest::TearDown();
  }

  // Loads the window as the menu bar would.
  void Open() {
    f = std::make_unique<frmObserve>();
    f->Start();
  }
  // Two crops, "トマト" and "ナス".
  static void TwoCrops() {
    ObserveItem.RedimPreserve(1);
    ObserveFile.RedimPreserve(1);
    ObserveItem(0).Name = "トマト";
    ObserveItem(1).Name = "ナス";
  }
  // Makes the given date current and shows it, as the calendar would.
  void GoTo(int y, int m, int d) {
    SetCurrentDate({static_cast<int16_t>(y), static_cast<int16_t>(m), static_cast<int16_t>(d)});
    f->RefreshForCurrentDate();
  }
  // Types as the farmer would: the box's whole text is replaced.
  void Type(const QString& text) { f->txtComment->setPlainText(text); }

  // A picture painted by the test: w x h, one colour, saved in the format
  // its name says. Returns the full path.
  std::string Picture(const std::string& name, int w, int h, QColor c = QColor(40, 160, 60)) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    EXPECT_TRUE(img.save(QString::fromStdString(dir.file(name)), nullptr, 100));
    return dir.file(name);
  }

  // The chooser, handed to `drive` once it is open.
  void OnChooser(std::function<void(frmFileSelect*)> drive) {
    OnDialog([drive](QWidget* w) {
      auto* chooser = qobject_cast<frmFileSelect*>(w);
      ASSERT_NE(chooser, nullptr);
      drive(chooser);
    });
  }
  // Clicks the file of that name in the chooser's file list.
  static void ClickFile(frmFileSelect* c, const QString& name) {
    auto found = c->filMain->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    c->filMain->setCurrentItem(found[0]);
    c->filMain_Click();
  }

  // The pixel column of the line that ends month m.
  int MonthLineX(int year, int m) const {
    double x = 0;
    for (int k = 1; k <= m; ++k)
      x += DaysInMonth(year, k) * static_cast<float>(f->Chart.ObserveDayWidth) / TwipsPerPixelX;
    return static_cast<int>(std::lrint(x));
  }
  // Pointer x (twips) on day n of the year.
  float DayX(int n) const { return static_cast<float>(n * f->Chart.ObserveDayWidth); }
  // The pixel column of day n's bar.
  int BarX(int n) const {
    return static_cast<int>(std::lrint(n * static_cast<double>(f->Chart.ObserveDayWidth) / TwipsPerPixelX));
  }
  // A double-click on the strip at pixel x.
  void DoubleClickStrip(int px) {
    QPointF at(px + 2, 30);  // inside the 2-pixel border
    QMouseEvent e(QEvent::MouseButtonDblClick, at, f->pctGraph->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(f->pctGraph, &e);
  }
};
