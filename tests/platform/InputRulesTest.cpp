// How the platform layer treats the mouse around modal boxes and the wheel,
// and how the boxes themselves look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

#include "platform/MessageBox.h"
#include "platform/Translations.h"
#include "platform/WheelFocus.h"
#include "support/GuiTest.h"

namespace {

// A scroll bar that tells whether it is still repeating a step.
struct Spinner : QScrollBar {
  Spinner() : QScrollBar(Qt::Vertical) {}
  using QScrollBar::repeatAction;
};

// Rolls the wheel over `w`, handing the event to its window as the window
// system does (the window finds the widget under the point).
void Roll(QWidget* w, int notches) {
  QPointF local = w->mapTo(w->window(), QPointF(w->rect().center()));
  QWheelEvent e(local, w->window()->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w->window()->windowHandle(), &e);
  QCoreApplication::processEvents();
}

}  // namespace

TEST(HeldControls, ABoxOpenedFromASpinnerArrowEndsItsRepeatFirst) {
  // The spinner's arrow, held down, steps again and again; the box opened by
  // the first step takes the mouse release, so the repeat must end before.
  Spinner bar;
  bar.setRange(0, 2);
  bar.setValue(1);
  bar.resize(13, 60);
  bar.show();
  std::vector<QAbstractSlider::SliderAction> repeatingAtBox;
  MessageBoxes boxes;
  QObject::connect(&bar, &QScrollBar::valueChanged, [&](int v) {
    if (v != 2) return;
    MsgBox(QStringLiteral("Error!!"));
    repeatingAtBox.push_back(bar.repeatAction());
  });
  QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(6, 55));  // the lower arrow
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(repeatingAtBox, std::vector<QAbstractSlider::SliderAction>{QAbstractSlider::SliderNoAction});
  EXPECT_FALSE(bar.isSliderDown());
}

TEST(WheelFocus, OnlyTheFocusedSelectorOrBarTakesTheWheelAndViewsStillScroll) {
  InstallWheelFocusRule();
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* combo = new QComboBox;
  combo->addItems({QStringLiteral("快晴"), QStringLiteral("晴れ"), QStringLiteral("曇り")});
  auto* bar = new QScrollBar(Qt::Horizontal);
  bar->setRange(-150, 450);
  bar->setValue(200);
  auto* list = new QListWidget;
  for (int i = 0; i < 200; ++i) list->addItem(QString::number(i));
  layout->addWidget(combo);
  layout->addWidget(bar);
  layout->addWidget(list);
  window.resize(300, 300);
  window.show();
  QApplication::setActiveWindow(&window);
  list->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(combo->focusPolicy(), Qt::StrongFocus);

  Roll(combo, -1);
  Roll(bar, -1);
  EXPECT_EQ(combo->currentIndex(), 0);
  EXPECT_EQ(bar->value(), 200);
  EXPECT_FALSE(combo->hasFocus());
  // A list scrolls under the pointer, its scroll bar included.
  Roll(list, -1);
  EXPECT_GT(list->verticalScrollBar()->value(), 0);
  int scrolled = list->verticalScrollBar()->value();
  Roll(list->verticalScrollBar(), -1);
  EXPECT_GT(list->verticalScrollBar()->value(), scrolled);

  // With the focus, the wheel works as before.
  combo->setFocus();
  Roll(combo, -1);
  EXPECT_EQ(combo->currentIndex(), 1);
  bar->setFocus();
  Roll(bar, -1);
  EXPECT_NE(bar->value(), 200);
}

TEST(MessageBoxLook, StandardButtonsInJapaneseAndTheBoxInTheMiddleOfTheScreen) {
  ASSERT_TRUE(LoadQtTranslations()) << "Qt's Japanese translations are not installed";
  // The owner is the menu bar strip across the top of the screen.
  QWidget strip;
  strip.setGeometry(0, 0, 1024, 71);
  strip.show();
  QApplication::setActiveWindow(&strip);
  std::unique_ptr<QMessageBox> box(NewMessageBox({QStringLiteral("データが変更されてます\r\n終了する前に保存しますか？"),
                                                  QStringLiteral("Vorn"), MsgButtons::YesNoCancel,
                                                  MsgIcon::Exclamation}));
  box->show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(box->button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")));
  EXPECT_TRUE(box->button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));
  EXPECT_TRUE(box->button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));
  QPoint centre = box->frameGeometry().center();
  QPoint screen = box->screen()->geometry().center();
  EXPECT_LE((centre - screen).manhattanLength(), 2) << centre.x() << "," << centre.y();
  box->hide();
  std::unique_ptr<QMessageBox> ok(NewMessageBox({QStringLiteral("x"), QStringLiteral("Vorn"), MsgButtons::Ok}));
  EXPECT_EQ(ok->button(QMessageBox::Ok)->text().remove(QChar('&')), QStringLiteral("OK"));
}
