// What the record windows do with Qt's controls: values a control cannot take
// are reported (380) instead of clamped, lists fill without a change signal,
// and only text the data files can hold gets into a box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

#include "platform/Controls.h"
#include "runtime/RuntimeError.h"

namespace {

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const rt::RuntimeError& e) {
    return e.number();
  }
  return 0;
}

void Type(QLineEdit* box, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QApplication::sendEvent(box, &press);
}

}  // namespace

TEST(ControlValues, AValueTheControlCannotTakeRaises380AndLeavesItAsItWas) {
  QScrollBar bar(Qt::Horizontal);
  bar.setRange(-150, 450);
  bar.setValue(200);
  int changes = 0;
  QObject::connect(&bar, &QScrollBar::valueChanged, [&] { ++changes; });
  EXPECT_EQ(ErrorOf([&] { SetBarValue(&bar, 451); }), 380);
  EXPECT_EQ(ErrorOf([&] { SetBarValue(&bar, -151); }), 380);
  EXPECT_EQ(ErrorOf([&] { SetBarValue(&bar, 100000L * 100000L); }), 380);  // beyond int, not wrapped
  EXPECT_EQ(bar.value(), 200);
  EXPECT_EQ(changes, 0);
  SetBarValue(&bar, -150);
  SetBarValue(&bar, 450);
  EXPECT_EQ(bar.value(), 450);
  EXPECT_EQ(changes, 2);

  QComboBox box;
  box.addItems({"a", "b", "c"});
  SetListIndex(&box, 2);
  EXPECT_EQ(ErrorOf([&] { SetListIndex(&box, 3); }), 380);
  EXPECT_EQ(ErrorOf([&] { SetListIndex(&box, -2); }), 380);
  EXPECT_EQ(box.currentIndex(), 2);
  SetListIndex(&box, -1);
  EXPECT_EQ(box.currentIndex(), -1);

  QListWidget list;
  list.addItems({"a", "b"});
  SetListIndex(&list, 1);
  EXPECT_EQ(ErrorOf([&] { SetListIndex(&list, 2); }), 380);
  EXPECT_EQ(list.currentRow(), 1);
  SetListIndex(&list, -1);
  EXPECT_TRUE(list.selectedItems().isEmpty());
}

TEST(FillList, ReplacesTheItemsWithoutAChangeSignalAndLeavesNothingChosen) {
  QComboBox box;
  box.addItems({"old", "older"});
  box.setCurrentIndex(1);
  int boxChanges = 0;
  QObject::connect(&box, &QComboBox::currentIndexChanged, [&] { ++boxChanges; });
  FillList(&box, {"1", "2", "3"});
  EXPECT_EQ(boxChanges, 0);
  EXPECT_EQ(box.count(), 3);
  EXPECT_EQ(box.currentIndex(), -1);
  // Filling an empty box: Qt would choose and announce the first item.
  QComboBox fresh;
  QObject::connect(&fresh, &QComboBox::currentIndexChanged, [&] { ++boxChanges; });
  FillList(&fresh, {"x"});
  EXPECT_EQ(boxChanges, 0);
  EXPECT_EQ(fresh.currentIndex(), -1);
  // The signals work again afterwards.
  SetListIndex(&box, 0);
  EXPECT_EQ(boxChanges, 1);

  QListWidget list;
  list.addItems({"old"});
  list.setCurrentRow(0);
  int listChanges = 0;
  QObject::connect(&list, &QListWidget::currentRowChanged, [&] { ++listChanges; });
  QObject::connect(&list, &QListWidget::itemSelectionChanged, [&] { ++listChanges; });
  FillList(&list, {"a", "b"});
  EXPECT_EQ(listChanges, 0);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.currentRow(), -1);
}

TEST(StorableText, KeepsWhatTheFilesHoldAsTheyWillReadItBack) {
  EXPECT_EQ(StorableText(QStringLiteral("ﾄﾏﾄ 大根 abc")), QStringLiteral("ﾄﾏﾄ 大根 abc"));
  // The wave dash reads back as the full-width tilde.
  EXPECT_EQ(StorableText(QStringLiteral("1\u301C2")), QStringLiteral("1\uFF5E2"));
  // Characters the code page lacks go, a pair of surrogates as one.
  EXPECT_EQ(StorableText(QStringLiteral("a\u00F1b\U0001F345c")), QStringLiteral("abc"));
  EXPECT_EQ(StorableText(QStringLiteral("a\r\nb\rc\u2029d")), QStringLiteral("a\nb\nc\nd"));
}

TEST(KeepStorable, TypedOrPastedTextLosesWhatCannotBeStoredAndTheCaretStaysAfterIt) {
  QLineEdit box;
  KeepStorable(&box);
  box.setText(QStringLiteral("ab"));
  box.setCursorPosition(1);
  Type(&box, QStringLiteral("x\u00F1\u301Cy"));
  EXPECT_EQ(box.text(), QStringLiteral("ax\uFF5Eyb"));
  EXPECT_EQ(box.cursorPosition(), 4);
  // A line break in a one-line box becomes a space.
  box.selectAll();
  Type(&box, QStringLiteral("1\r\n2"));
  EXPECT_EQ(box.text(), QStringLiteral("1 2"));
  // Text set by the program is left alone.
  box.setText(QStringLiteral("\u00F1"));
  EXPECT_EQ(box.text(), QStringLiteral("\u00F1"));
}
