// The name list editor driven as the farmer drives it: buttons, keys in the
// editor box, focus and scrolling, then apply or cancel against the store.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "namelist/frmEdit.h"
#include "platform/NameListLink.h"
#include "platform/Screen.h"
#include "store/Store.h"
#include "support/GuiTest.h"

namespace {

NameList ListOf(std::string_view tag) {
  return tag == "Produce" ? NameList::Produce : tag == "Place" ? NameList::Place : tag == "Work" ? NameList::Work : NameList::Observe;
}

class NameListEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    CaptureTwipsPerPixel();
    SetNameListEditor({});
    for (const char* tag : {"Produce", "Place", "Work"})
      OnListRebuilt(ListOf(tag), [this, tag] { refills.push_back({tag, Busy}); });
  }
  void TearDown() override {
    dialog.reset();
    for (const char* tag : {"Produce", "Place", "Work"}) OnListRebuilt(ListOf(tag), {});
    ResetStore();
  }

  // Opens the editor for a list as its owner would, without a modal loop.
  void Open(const char* tag) {
    OpenNameListEditor(ListOf(tag), nullptr);  // no editor installed: sets the list only
    dialog = std::make_unique<frmEdit>();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    QApplication::processEvents();
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
  bool Idle() const {  // the box closed, every button usable again
    return dialog->txtAdd->isHidden() && dialog->txtAddTag.isEmpty() && dialog->cmdOK->isEnabled() &&
           dialog->cmdDOWN->isEnabled();
  }
  void Key(int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(dialog->txtAdd, &press);
  }
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

void Places(int n) {
  FarmName.RedimPreserve(n - 1);
  for (int i = 0; i < n; ++i) FarmName(i) = "畑" + std::to_string(i);
}

}  // namespace

TEST_F(NameListEditor, AddTwoDeleteTheFirstMoveTheSecondToTheTopAndApply) {
  PriceItem(0) = PriceItemRec{"トマト", 500, 0};
  PriceHigh(0)(2001, 5, 6) = 100;
  Open("Produce");
  EXPECT_EQ(Origins(), std::vector<int>{0});
  EXPECT_EQ(dialog->lstName->currentRow(), 0);
  Add(QStringLiteral("ピーマン🍅"));  // the emoji has no place in the file's code page
  Add(QStringLiteral("オクラ"));
  EXPECT_EQ(Rows(), (QStringList{"トマト", "ピーマン", "オクラ"}));
  EXPECT_EQ(Origins(), (std::vector<int>{0, -1, -2}));
  EXPECT_EQ(dialog->lstName->currentRow(), 2);
  EXPECT_TRUE(Idle());

  Select(1);
  dialog->cmdDelete->click();
  dialog->cmdUP->click();
  dialog->cmdUP->click();  // already at the top: nothing
  EXPECT_EQ(Origins(), (std::vector<int>{-2, 0}));
  EXPECT_EQ(PriceItem.UBound(), 0);  // nothing applied yet

  dialog->cmdOK->click();
  ASSERT_EQ(PriceItem.UBound(), 1);
  EXPECT_EQ(PriceItem(0), (PriceItemRec{"オクラ", 1000, 0}));
  EXPECT_TRUE(PriceHigh(0).IsEmpty());
  EXPECT_EQ(PriceItem(1).Name, "トマト");
  EXPECT_EQ(PriceHigh(1)(2001, 5, 6), 100);
  EXPECT_TRUE(Changed(RecordKind::Price));
  EXPECT_FALSE(Changed(RecordKind::Schedule));  // the produce list is no schedule record
  ASSERT_EQ(refills.size(), 1u);
  EXPECT_EQ(refills[0].busy, 0);  // the market window takes entry 0 as a choice
  EXPECT_TRUE(dialog->isHidden());
}

TEST_F(NameListEditor, ApplyingTheListAsItWasMarksNothingChanged) {
  ObserveItem.RedimPreserve(1), ObserveItem(0).Name = "なす", ObserveItem(1).Name = "きゅうり";
  Open("Observe"), Select(0), dialog->cmdDOWN->click(), dialog->cmdUP->click(), dialog->cmdEdit->click();
  Key(Qt::Key_Return, QStringLiteral("\r")), dialog->cmdOK->click();
  EXPECT_TRUE(dialog->isHidden() && !AnyChangeFlag() && ListNames(NameList::Observe)[1] == "きゅうり");
}

TEST_F(NameListEditor, EscFocusLossAndScrollingAbandonTheBoxAndCancelKeepsTheFlagOfOpening) {
  Places(20);
  MarkChanged(RecordKind::Schedule);  // unsaved edits of the schedule window
  Open("Place");
  const QStringList before = Rows();

  dialog->cmdAdd->click();
  EXPECT_FALSE(dialog->cmdCancel->isEnabled());
  Type(QStringLiteral("新しい畑"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(dialog->lstName->currentRow(), 0);
  EXPECT_TRUE(Idle());

  Select(3);
  dialog->cmdEdit->click();
  EXPECT_EQ(dialog->txtAdd->text(), QStringLiteral("畑3"));
  Type(QStringLiteral("x"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Rows(), before);

  dialog->cmdAdd->click();
  dialog->lstName->setFocus(Qt::MouseFocusReason);  // a click into the list
  EXPECT_EQ(Rows(), before);
  EXPECT_TRUE(Idle());

  Select(19);
  dialog->cmdEdit->click();
  Type(QStringLiteral("y"));
  dialog->lstName->verticalScrollBar()->setValue(0);
  EXPECT_EQ(Rows(), before);
  EXPECT_TRUE(Idle());

  Select(0);
  dialog->cmdDOWN->click();
  dialog->cmdDelete->click();
  dialog->cmdCancel->click();
  EXPECT_TRUE(Changed(RecordKind::Schedule));
  EXPECT_EQ(ListNames(NameList::Place)[0], "畑0");
  EXPECT_TRUE(refills.empty());
  EXPECT_TRUE(dialog->isHidden());
}

TEST_F(NameListEditor, TheBoxLiesOverItsRowAndNarrowsBesideTheScrollBar) {
  Places(3);
  Open("Place");
  dialog->cmdAdd->click();
  EXPECT_EQ(dialog->txtAdd->geometry(), QRect(2, 3 * 16 + 2, 217, 16));

  Places(16);
  Open("Place");
  dialog->cmdAdd->click();  // the 17th row: the list scrolls by one
  EXPECT_EQ(dialog->TopIndex(), 1);
  EXPECT_EQ(dialog->txtAdd->geometry(), QRect(2, 240, 201, 16));
  EXPECT_EQ(dialog->lstName->visualItemRect(dialog->lstName->item(16)).top(), 240);
  EXPECT_EQ(dialog->grab().toImage().pixelColor(150, 248), QColor(224, 224, 224));
  Type(QStringLiteral("十七"));
  Key(Qt::Key_Return, QStringLiteral("\r"));
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

TEST_F(NameListEditor, TheLastRowStaysBlankNamesAreRefusedAndAnOnlyEmptyEntryShowsNoRows) {
  Schedule(0).SchedulePeriod(2001)(0).Start = 501;  // a period of the unnamed first work
  Open("Work");
  EXPECT_TRUE(Rows().isEmpty());
  Add(QStringLiteral("\u3000 "));
  Add(QStringLiteral(" 耕起\u3000"));
  EXPECT_EQ(Origins(), std::vector<int>{0});
  dialog->cmdDelete->click();
  dialog->cmdEdit->click();
  dialog->txtAdd->selectAll();
  Type(QStringLiteral(" "));
  Key(Qt::Key_Return, QStringLiteral("\r"));
  ASSERT_EQ(boxes.calls().size(), 3u);
  EXPECT_EQ(boxes.calls()[1].text, QStringLiteral("項目数は１つ以上必要です。"));
  dialog->cmdOK->click();
  EXPECT_EQ(ListNames(NameList::Work), std::vector<std::string>{"耕起"});
  EXPECT_EQ(Schedule(0).SchedulePeriod(2001)(0).Start, 501);
}

TEST_F(NameListEditor, AFailedApplyIsReportedAndLeavesTheStoreAndTheDialog) {
  Schedule.RedimPreserve(2);
  Schedule(2).SchedulePeriod(2001)(0).Start = 101;
  const auto schedule = Schedule;
  Open("Work");
  Select(2);
  dialog->cmdUP->click();
  dialog->lstName->item(2)->setData(Qt::UserRole, 7);  // names no entry of the store
  dialog->cmdOK->click();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(boxes.calls()[0].text.contains(QStringLiteral("9")));
  EXPECT_EQ(Schedule, schedule);
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
  EXPECT_TRUE(Idle());

  Select(255);
  dialog->cmdDelete->click();
  Add(QStringLiteral("最後の畑"));
  dialog->cmdOK->click();
  EXPECT_EQ(FarmName(255), "最後の畑");
  // Selecting a place in the schedule window edits the chosen period unless
  // Busy is set.
  ASSERT_EQ(refills.size(), 1u);
  EXPECT_NE(refills[0].busy, 0);
  EXPECT_EQ(Busy, 0);
}

// In the real modal loop, Esc and the title bar's close button leave as
// 取り消し does: the dialog goes, the list and the flag of the opening stay.
TEST_F(NameListEditor, EscAndTheCloseButtonLeaveTheModalEditorAsCancelDoes) {
  FarmName.RedimPreserve(1);
  FarmName(0) = "東", FarmName(1) = "西";
  OpenNameListEditor(NameList::Place, nullptr);  // the list only
  for (int way = 0; way < 2; ++way) {
    QPointer<frmEdit> shown;
    QTimer::singleShot(0, [&] {
      shown = dynamic_cast<frmEdit*>(QApplication::activeModalWidget());
      ASSERT_TRUE(shown);
      shown->lstName->setCurrentRow(1);
      shown->cmdUP->click();
      QCloseEvent closeButton;  // as the window system sends it
      if (way == 0) QTest::keyClick(shown->lstName, Qt::Key_Escape);
      if (way == 1) QCoreApplication::sendEvent(shown->windowHandle(), &closeButton);
      if (shown) QTimer::singleShot(2000, shown, [&] { ADD_FAILURE() << "still open"; delete shown; });
    });
    ShowNameListEditor(nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(shown.isNull());
    EXPECT_FALSE(Changed(RecordKind::Schedule));
    EXPECT_EQ(ListNames(NameList::Place), (std::vector<std::string>{"東", "西"}));
  }
}
