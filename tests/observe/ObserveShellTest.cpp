// The observation window as the farmer reaches it: from the toolbar, through
// a reload of the data files, and the question at exit.
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/RegisterWindows.h"
#include "observe/frmObserve.h"
#include "observe/modObserve.h"
#include "platform/NameListLink.h"
#include "shell/ShellFixture.h"
#include "shell/RecordWindows.h"
#include "store/ObserveFile.h"

namespace {
const QString kQuestion = QStringLiteral("データが変更されてます\r\n終了する前に保存しますか？");
}

TEST_F(ShellTest, ATypedObservationIsOfferedForSavingAtExit) {
  RegisterWindows();
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->tlbMain_ButtonClick(19);
  frmObserve* w = LoadedObserve();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->txtCalender->text(), QStringLiteral("2005/07/14"));
  w->txtComment->setPlainText(QStringLiteral("初なり"));

  // Closing the window unloads it; the comment stays in the records.
  w->cmdClose_Click();
  ProcessEvents();
  EXPECT_EQ(LoadedObserve(), nullptr);

  MessageBoxes boxes;
  boxes.Answer(MsgResult::Cancel);
  bar()->close();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, kQuestion);
  EXPECT_EQ(ended, 0);

  boxes.Answer(MsgResult::Yes);
  bar()->close();
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(Changed(RecordKind::Observe));
  ObserveItem.Reset();
  ASSERT_TRUE(LoadObserve());
  EXPECT_EQ(ObserveItem(0).Comment(2005, 7, 14), "初なり");
}

TEST_F(ShellTest, AfterAReloadAndAfterTheNameListEditorTheWindowShowsACropOfTheList) {
  RegisterWindows();
  ASSERT_EQ(Start(), StartResult::Running);
  ObserveItem.RedimPreserve(2);
  ObserveFile.RedimPreserve(2);
  ObserveItem(2).Name = "ピーマン";
  ShowRecordWindow(RecordWindow::Observe);
  frmObserve* w = LoadedObserve();
  ASSERT_NE(w, nullptr);
  w->cmbProduce->setCurrentIndex(2);
  ASSERT_EQ(ObserveIndex, 2);

  // The data files hold no observations: the list shrinks to one entry.
  bar()->ToolButton(2)->trigger();
  EXPECT_EQ(ObserveIndex, 0);
  EXPECT_EQ(w->cmbProduce->count(), 1);
  w->txtComment->setPlainText(QStringLiteral("再読込の後"));
  EXPECT_EQ(ObserveItem(0).Comment(2005, 7, 14), "再読込の後");

  // An editor that adds a crop and hands the list back to its owner.
  SetNameListEditor([](QWidget*) {
    EXPECT_EQ(EditedNameList(), NameList::Observe);
    RebuildNameList(NameList::Observe, {{ObserveItem(0).Name, 0}, {"オクラ"}});
    NotifyListRebuilt(NameList::Observe);
  });
  ClearChanged(RecordKind::Observe);
  w->cmbProduce->setCurrentIndex(0);
  w->cmdEdit_Click();
  SetNameListEditor({});
  EXPECT_EQ(w->cmbProduce->count(), 2);
  EXPECT_EQ(w->cmbProduce->itemText(1), QStringLiteral("オクラ"));
  EXPECT_EQ(ObserveIndex, 0);
  EXPECT_TRUE(Changed(RecordKind::Observe));
  UnloadRecordWindow(RecordWindow::Observe);
  EXPECT_EQ(LoadedObserve(), nullptr);
}
