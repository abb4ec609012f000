// The name list editor driven as the farmer drives it: buttons, keys in the
// editor box, focus and scrolling, then apply or cancel against the store.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <memory>

#include "namelist/frmEdit.h"
#include "platform/Desktop.h"
#include "platform/NameListLink.h"
#include "platform/Screen.h"
#include "store/Store.h"
#include "support/GuiTest.h"

namespace {

class NameListEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    CaptureTwipsPerPixel();
    SetNameListEditor({});
    for (const char* tag : {"Produce", "Place", "Work", "Observe"})
      SetNameListOwner(QString::fromLatin1(tag), [this, tag] { refills.push_back({tag, Busy}); });
  }
  void TearDown() override {
    dialog.reset();
    for (const char* tag : {"Produce", "Place", "Work", "Observe"}) SetNameListOwner(QString::fromLatin1(tag), {});
    ProcessEvents();
    ResetStore();
  }

  // Opens the editor for a list as its owner would, without a modal loop.
  frmEdit* Open(const char* tag) {
    OpenNameListEditor(QString::fromLatin1(tag), nullptr);  // no editor installed: sets the tag only
    dialog = std::make_unique<frmEdit>();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    dialog->activateWindow();
    QApplication::processEvents();
    return dialog.get();
  }

  QStringList Rows() const {
    QStringList r;
    for (int i = 0; i < dialog->lstName->count(); ++i) r << dialog->lstName->item(i)->text();
    return r;
  }
  std::vector<int> Origins() const {
    std::vector<int> o;
    for (int i = 0; i < dialog->lstName->count(); ++i) o.push_back(dialog->Origin(i));
    return o;
  }
  bool ButtonsEnabled() const {
    for (QPushButton* b : {dialog->cmdOK, dialog->cmdCancel, dialog->cmdAdd, dialog->cmdDelete, dialog->cmdEdit,
                           dialog->cmdUP, dialog->cmdDOWN})
      if (!b->isEnabled()) return false;
    return true;
  }

  void Key(int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(dialog->txtAdd, &press);
  }
  // Types into the editor box character by character.
  void Type(const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
      int len = text.at(i).isHighSurrogate() ? 2 : 1;
      Key(0, text.mid(i, len));
      i += len - 1;
    }
  }
  void Add(const QString& name) {
    dialog->cmdAdd->click();
    Type(name);
    Key(Qt::Key_Return, QStringLiteral("\r"));
  }
  void Select(int row) { dialog->lstName->setCurrentRow(row); }

  struct Refill {
    std::string tag;
    int16_t busy;
  };
  std::vector<Refill> refills;
  std::unique_ptr<frmEdit> dialog;
  MessageBoxes boxes;
};

void ThreeProduce() {
  RedimPrice(2);
  const char* names[] = {"トマト", "ナス", "キュウリ"};
  for (int i = 0; i < 3; ++i) {
    PriceItem(i) = PriceItemRec{names[i], 500 + i, 0};
    PriceHigh(i)(2001, 5, 6) = 100 + i;
  }
}

void Places(int n) {
  FarmName.RedimPreserve(n - 1);
  for (int i = 0; i < n; ++i) FarmName(i) = "畑" + std::to_string(i);
}

}  // namespace

TEST_F(NameListEditor, OpensTheTaggedListWithOriginNumbersAndRowZeroSelected) {
  ThreeProduce();
  Schedule.RedimPreserve(1);
  Schedule(1).Work = "収穫";
  ObserveItem(0).Name = "稲";
  Places(2);
  Open("Produce");
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("編集"));
  EXPECT_EQ(Rows(), (QStringList{"トマト", "ナス", "キュウリ"}));
  EXPECT_EQ(Origins(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(dialog->lstName->currentRow(), 0);
  EXPECT_TRUE(dialog->txtAdd->isHidden());
  Open("Work");
  EXPECT_EQ(Rows(), (QStringList{"", "収穫"}));
  Open("Observe");
  EXPECT_EQ(Rows(), (QStringList{"稲"}));
  Open("Place");
  EXPECT_EQ(Rows(), (QStringList{"畑0", "畑1"}));
}

TEST_F(NameListEditor, AddTwoDeleteTheFirstMoveTheSecondToTheTopAndApply) {
  ThreeProduce();
  RedimPrice(0);  // one produce, トマト with its prices
  Open("Produce");
  Add(QStringLiteral("ピーマン"));
  EXPECT_EQ(dialog->lstName->currentRow(), 1);
  Add(QStringLiteral("オクラ"));
  EXPECT_EQ(Rows(), (QStringList{"トマト", "ピーマン", "オクラ"}));
  EXPECT_EQ(Origins(), (std::vector<int>{0, -1, -2}));
  EXPECT_EQ(ScheduleChanged, -1);
  EXPECT_TRUE(ButtonsEnabled());

  Select(1);
  dialog->cmdDelete->click();
  EXPECT_EQ(dialog->lstName->currentRow(), 1);  // the next row takes its place
  dialog->cmdUP->click();
  dialog->cmdUP->click();  // already at the top: nothing
  EXPECT_EQ(Rows(), (QStringList{"オクラ", "トマト"}));
  EXPECT_EQ(Origins(), (std::vector<int>{-2, 0}));
  EXPECT_TRUE(PriceItem(0).Name == "トマト" && PriceItem.UBound() == 0);  // nothing applied yet

  dialog->cmdOK->click();
  ASSERT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceItem(0).Name, "オクラ");
  EXPECT_EQ(PriceItem(0).Max, 1000);
  EXPECT_TRUE(PriceHigh(0).IsEmpty());
  EXPECT_EQ(PriceItem(1).Name, "トマト");
  EXPECT_EQ(PriceItem(1).Max, 500);
  EXPECT_EQ(PriceHigh(1)(2001, 5, 6), 100);
  EXPECT_EQ(PriceChanged, -1);
  ASSERT_EQ(refills.size(), 1u);
  EXPECT_EQ(refills[0].tag, "Produce");
  EXPECT_EQ(refills[0].busy, 0);  // the market window takes entry 0 as a choice
  EXPECT_TRUE(dialog->isHidden());
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(NameListEditor, EditingAndMovingWorksCarryTheirPeriodsAndOnlyTheStorableTextIsTyped) {
  Schedule.RedimPreserve(2);
  for (int w = 0; w < 3; ++w) {
    Schedule(w).Work = "w" + std::to_string(w);
    Schedule(w).SchedulePeriod(2030)(0) = {int16_t(101 + w), 131, 0};
  }
  Open("Work");
  Select(2);
  dialog->cmdEdit->click();
  EXPECT_EQ(dialog->txtAddTag, QStringLiteral("EDIT"));
  EXPECT_EQ(dialog->txtAdd->text(), QStringLiteral("w2"));
  EXPECT_FALSE(dialog->cmdOK->isEnabled());
  dialog->txtAdd->selectAll();
  Type(QStringLiteral("草取り🍅"));  // the emoji has no place in the file's code page
  Key(Qt::Key_Return, QStringLiteral("\r"));
  dialog->cmdUP->click();
  dialog->cmdUP->click();
  dialog->cmdDOWN->click();  // w0 back to the top
  Select(0);
  dialog->cmdDOWN->click();
  EXPECT_EQ(Rows(), (QStringList{"草取り", "w0", "w1"}));
  dialog->cmdOK->click();
  EXPECT_EQ(Schedule(0).Work, "草取り");
  EXPECT_EQ(Schedule(0).SchedulePeriod(2030)(0).Start, 103);
  EXPECT_EQ(Schedule(1).SchedulePeriod(2030)(0).Start, 101);
  EXPECT_EQ(Schedule(2).SchedulePeriod(2030)(0).Start, 102);
  EXPECT_EQ(ScheduleChanged, -1);
}

TEST_F(NameListEditor, EscFocusLossAndScrollingAbandonTheBoxAndLeaveTheListAsItWas) {
  Places(20);
  Open("Place");
  const QStringList before = Rows();
  const std::vector<int> origins = Origins();

  dialog->cmdAdd->click();
  Type(QStringLiteral("新しい畑"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(Origins(), origins);
  EXPECT_EQ(dialog->lstName->currentRow(), 0);
  EXPECT_TRUE(dialog->txtAdd->isHidden());
  EXPECT_TRUE(dialog->txtAddTag.isEmpty());
  EXPECT_TRUE(ButtonsEnabled());

  Select(3);
  dialog->cmdEdit->click();
  Type(QStringLiteral("x"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Rows(), before);

  // Clicking into the list takes the focus from the box.
  dialog->cmdAdd->click();
  ASSERT_TRUE(dialog->txtAdd->hasFocus());
  dialog->lstName->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(Rows(), before);
  EXPECT_TRUE(dialog->txtAdd->isHidden());
  EXPECT_TRUE(ButtonsEnabled());

  // Scrolling the list while a row is edited.
  Select(19);
  dialog->cmdEdit->click();
  Type(QStringLiteral("y"));
  dialog->lstName->verticalScrollBar()->setValue(0);
  EXPECT_EQ(Rows(), before);
  EXPECT_TRUE(dialog->txtAdd->isHidden());
  EXPECT_TRUE(ButtonsEnabled());

  // Cancel gives the flag back its value at opening and applies nothing.
  EXPECT_EQ(ScheduleChanged, 0);
  dialog->cmdCancel->click();
  EXPECT_TRUE(refills.empty());
  EXPECT_EQ(FarmName.UBound(), 19);
}

TEST_F(NameListEditor, TheBoxLiesOverItsRowAndNarrowsBesideTheScrollBar) {
  Places(3);
  Open("Place");
  dialog->cmdAdd->click();
  EXPECT_EQ(dialog->txtAdd->geometry(), QRect(2, 3 * 16 + 2, 217, 16));
  Key(Qt::Key_Escape);

  Places(16);
  Open("Place");
  dialog->cmdAdd->click();  // the 17th row: the list scrolls by one
  EXPECT_EQ(dialog->TopIndex(), 1);
  EXPECT_EQ(dialog->txtAdd->geometry(), QRect(2, 240, 201, 16));
  EXPECT_EQ(dialog->lstName->visualItemRect(dialog->lstName->item(16)).top(), 240);
  // What the farmer sees: the grey box over the last visible row.
  QImage shot = dialog->grab().toImage();
  EXPECT_EQ(shot.pixelColor(150, 248), QColor(224, 224, 224));
  Type(QStringLiteral("十七"));
  Key(Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(dialog->lstName->count(), 17);
  EXPECT_EQ(dialog->lstName->currentRow(), 16);
  EXPECT_EQ(dialog->Origin(16), -16);

  Places(30);
  Open("Place");
  Select(25);
  dialog->lstName->verticalScrollBar()->setValue(0);
  dialog->cmdEdit->click();
  EXPECT_EQ(dialog->TopIndex(), 10);
  EXPECT_EQ(dialog->txtAdd->geometry(), QRect(2, 15 * 16 + 2, 201, 16));
  Key(Qt::Key_Escape);
  Select(4);
  dialog->lstName->verticalScrollBar()->setValue(10);
  dialog->cmdEdit->click();
  EXPECT_EQ(dialog->TopIndex(), 4);
  EXPECT_EQ(dialog->txtAdd->geometry().top(), 2);
}

TEST_F(NameListEditor, TheLastRowStaysAndAnEmptyAdditionLeavesNoSelectionToActOn) {
  ObserveItem(0).Name = "稲";
  Open("Observe");
  dialog->cmdDelete->click();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("項目数は１つ以上必要です。"));
  EXPECT_EQ(Rows(), QStringList{"稲"});
  EXPECT_EQ(ScheduleChanged, 0);

  Add(QString());
  EXPECT_EQ(Rows(), QStringList{"稲"});
  EXPECT_EQ(dialog->lstName->selectedItems().size(), 0);
  for (QPushButton* b : {dialog->cmdDelete, dialog->cmdEdit, dialog->cmdUP, dialog->cmdDOWN}) b->click();
  EXPECT_TRUE(dialog->txtAdd->isHidden());
  EXPECT_EQ(Rows(), QStringList{"稲"});
  EXPECT_EQ(boxes.calls().size(), 1u);
}

TEST_F(NameListEditor, CancelKeepsAFlagSetBeforeOpeningAndTheStoreUntouched) {
  ThreeProduce();
  ScheduleChanged = -1;  // unsaved edits of the schedule window
  const auto items = PriceItem;
  const auto high = PriceHigh;
  Open("Produce");
  Add(QStringLiteral("新"));
  Select(0);
  dialog->cmdDelete->click();
  dialog->cmdDOWN->click();
  dialog->cmdCancel->click();
  EXPECT_EQ(ScheduleChanged, -1);
  EXPECT_EQ(PriceItem, items);
  EXPECT_EQ(PriceHigh, high);
  EXPECT_EQ(PriceChanged, 0);
  EXPECT_TRUE(dialog->isHidden());
  EXPECT_TRUE(refills.empty());
}

TEST_F(NameListEditor, AFailedApplyIsReportedAndLeavesTheStoreAndTheDialog) {
  ThreeProduce();
  const auto items = PriceItem;
  const auto high = PriceHigh;
  Open("Produce");
  Select(2);
  dialog->cmdUP->click();
  // An origin that names no entry of the store, on the last row.
  dialog->lstName->item(2)->setData(Qt::UserRole, 7);
  dialog->cmdOK->click();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(boxes.calls()[0].text.contains(QStringLiteral("9")));
  EXPECT_EQ(PriceItem, items);
  EXPECT_EQ(PriceHigh, high);
  EXPECT_EQ(PriceChanged, 0);
  EXPECT_TRUE(refills.empty());
  EXPECT_FALSE(dialog->isHidden());
}

TEST_F(NameListEditor, AddingStopsAtWhatTheFilesCanHoldAndPlacesRefillQuietly) {
  Places(256);
  Open("Place");
  dialog->cmdAdd->click();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("項目数は２５６までです。"));
  EXPECT_EQ(dialog->lstName->count(), 256);
  EXPECT_TRUE(dialog->txtAdd->isHidden());
  EXPECT_TRUE(ButtonsEnabled());

  Select(255);
  dialog->cmdDelete->click();
  Add(QStringLiteral("最後の畑"));
  EXPECT_EQ(dialog->lstName->count(), 256);
  dialog->cmdOK->click();
  EXPECT_EQ(FarmName(255), "最後の畑");
  // Selecting a place in the schedule window edits the chosen period unless
  // Busy is set.
  ASSERT_EQ(refills.size(), 1u);
  EXPECT_EQ(refills[0].tag, "Place");
  EXPECT_NE(refills[0].busy, 0);
  EXPECT_EQ(Busy, 0);

  boxes.clear();
  Schedule.RedimPreserve(kListLimit - 1);
  Open("Work");
  dialog->cmdAdd->click();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("項目数は５００までです。"));
}
