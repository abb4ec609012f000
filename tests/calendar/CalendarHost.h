#pragma once
// A bare host window for the day calendar: the four controls and a record of
// every refresh, so the calendar can be driven before any record window
// exists.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <vector>

#include "calendar/modCalender.h"
#include "store/Store.h"

class CalendarTestHost : public QWidget, public CalenderHost {
 public:
  struct Refresh {
    int16_t year, month, day, busy;
  };

  explicit CalendarTestHost(Align align = kAlignRight) {
    setWindowTitle(QStringLiteral("カレンダーのテスト"));
    resize(520, 320);
    calenderAlign = align;
    MakeCalenderControls(this);
    txtCalender->setGeometry(220, 20, 90, 22);
    cmdCalender->setGeometry(320, 20, 80, 22);
    vscCalender->setGeometry(402, 20, 16, 22);
    ConnectCalender();
  }

  void RefreshForCurrentDate() override { refreshes.push_back({CurYear, CurMonth, CurDay, Busy}); }

  // Shown and active, so that focus changes send their events.
  void ShowActive() {
    show();
    QApplication::setActiveWindow(this);
    activateWindow();
    QApplication::processEvents();
  }

  std::vector<Refresh> refreshes;
};
