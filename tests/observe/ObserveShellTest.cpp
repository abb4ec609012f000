// The observation window as the farmer reaches it: from the toolbar, through
// a reload of the data files, and the question at exit.
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/RegisterWindows.h"
#include "namelist/frmEdit.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
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
  EXPECT_EQ(ObserveChanged, 0);
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
    EXPECT_EQ(NameListTag(), QStringLiteral("Observe"));
    ObserveItem.RedimPreserve(1);
    ObserveFile.RedimPreserve(1);
    ObserveItem(1).Name = "オクラ";
    RefillNameListOwner(QStringLiteral("Observe"));
  });
  ObserveChanged = 0;
  w->cmbProduce->setCurrentIndex(0);
  w->cmdEdit_Click();
  SetNameListEditor({});
  EXPECT_EQ(w->cmbProduce->count(), 2);
  EXPECT_EQ(w->cmbProduce->itemText(1), QStringLiteral("オクラ"));
  EXPECT_EQ(ObserveIndex, 0);
  EXPECT_EQ(ObserveChanged, -1);
  UnloadRecordWindow(RecordWindow::Observe);
  EXPECT_EQ(LoadedObserve(), nullptr);
}

TEST_F(ShellTest, TheDisplayAreaShowsTheChosenCropAlsoAfterTheEditorReordersTheCrops) {
  RegisterWindows();
  ASSERT_EQ(Start(), StartResult::Running);
  ObserveItem.RedimPreserve(1);
  ObserveFile.RedimPreserve(1);
  ObserveItem(0).Name = "トマト";
  ObserveItem(1).Name = "ナス";
  const QRgb colour[] = {qRgb(255, 0, 0), qRgb(0, 0, 255)};
  for (int i : {0, 1}) {
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(colour[i]);
    const std::string path = home.file("crop" + std::to_string(i) + ".bmp");
    ASSERT_TRUE(img.save(QString::fromStdString(path)));
    ObserveFile(i)(2005, 7, 10) = path;
    ObserveItem(i).Comment(2005, 7, 10) = i == 0 ? "赤い" : "紫";
  }
  ShowRecordWindow(RecordWindow::Observe);
  frmObserve* w = LoadedObserve();
  ASSERT_NE(w, nullptr);
  // The pointer on 10 July of the strip.
  const int n = DayOfYear(2005, 7, 10);
  QPointF at(std::lrint(n * static_cast<double>(ObserveDayWidth) / TwipsPerPixelX) + 2, 20);
  QMouseEvent move(QEvent::MouseMove, at, w->pctGraph->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w->pctGraph, &move);
  auto shows = [&](int crop, QRgb picture) {
    EXPECT_EQ(w->txtDate->text(), QStringLiteral("2005/07/10"));
    EXPECT_EQ(w->txtCommentD->toPlainText(), QString::fromStdString(ObserveItem(crop).Comment(2005, 7, 10)));
    EXPECT_EQ(w->txtFilePath->text().toStdString(), ObserveFile(crop)(2005, 7, 10));
    EXPECT_EQ(w->pctPicture->PixelAt(5, 5), picture);
  };
  shows(0, colour[0]);
  QTest::keyClick(w->cmbProduce, Qt::Key_Down);
  ASSERT_EQ(ObserveIndex, 1);
  shows(1, colour[1]);
  QTest::keyClick(w->cmbProduce, Qt::Key_Up);
  shows(0, colour[0]);

  // ナス moved to the top in the editor, through its own modal loop: entry
  // 0, still the one chosen, is ナス now.
  SetRunModalHandler({});
  QTimer::singleShot(0, [] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* edit = qobject_cast<frmEdit*>(top);
      if (!edit || !edit->isVisible()) continue;
      edit->lstName->setCurrentRow(1);
      edit->cmdUP->click();
      edit->cmdOK->click();
    }
  });
  w->cmdEdit->click();
  ASSERT_EQ(ObserveItem(0).Name, "ナス");
  EXPECT_EQ(ObserveIndex, 0);
  shows(0, colour[1]);
  EXPECT_EQ(w->txtCommentD->toPlainText(), QStringLiteral("紫"));
}
