// The observation window through its handlers, the record store and the
// observation file.
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

#include "observe/ObserveFixture.h"
#include "store/ObserveFile.h"

TEST_F(ObserveTest, WithNoCropYetCommentsGoToTheUnnamedEntryZero) {
  Open();
  ASSERT_EQ(f->cmbProduce->count(), 1);
  EXPECT_EQ(f->cmbProduce->currentText(), QString());
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2001/05/06"));
  EXPECT_EQ(ObserveChanged, 0);
  Type(QStringLiteral("芽が出た"));
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 6), "芽が出た");
  EXPECT_EQ(ObserveItem.UBound(), 0);
  EXPECT_EQ(ObserveChanged, -1);
}

TEST_F(ObserveTest, ACommentWithCommasAndLineBreaksSurvivesTheFileAndShowsAgain) {
  TwoCrops();
  Open();
  f->cmbProduce->setCurrentIndex(1);
  Type(QStringLiteral("花が三つ, 実は一つ\n葉に斑点,少し\n水やり"));
  // Stored with CR LF, whatever the text box uses.
  EXPECT_EQ(ObserveItem(1).Comment(2001, 5, 6), "花が三つ, 実は一つ\r\n葉に斑点,少し\r\n水やり");
  f->cmdSave_Click();
  EXPECT_EQ(ObserveChanged, 0);
  // In memory the breaks stay breaks after the save.
  EXPECT_EQ(ObserveItem(1).Comment(2001, 5, 6), "花が三つ, 実は一つ\r\n葉に斑点,少し\r\n水やり");

  f.reset();
  ObserveItem.Reset();
  ObserveFile.Reset();
  ASSERT_TRUE(LoadObserve());
  EXPECT_EQ(ObserveItem(1).Comment(2001, 5, 6), "花が三つ, 実は一つ\r\n葉に斑点,少し\r\n水やり");
  Open();
  f->cmbProduce->setCurrentIndex(1);
  EXPECT_EQ(f->txtComment->toPlainText(), QStringLiteral("花が三つ, 実は一つ\n葉に斑点,少し\n水やり"));
  EXPECT_EQ(ObserveChanged, 0);  // showing is no edit
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ObserveTest, OnlyCommittedTextTheFileCanHoldReachesTheComment) {
  Open();
  Type(QStringLiteral("トマト\U0001F345赤い\r\n二段目"));
  EXPECT_EQ(f->txtComment->toPlainText(), QStringLiteral("トマト赤い\n二段目"));
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 6), "トマト赤い\r\n二段目");

  // Through an input method: the reading being composed is no text yet.
  GoTo(2001, 5, 7);
  ObserveChanged = 0;
  QList<QInputMethodEvent::Attribute> caret{{QInputMethodEvent::Cursor, 3, 1, QVariant()}};
  QInputMethodEvent composing(QStringLiteral("とまと"), caret);
  QCoreApplication::sendEvent(f->txtComment, &composing);
  EXPECT_EQ(ObserveChanged, 0);
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 7), "");
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("\U0001F345トマト"));
  QCoreApplication::sendEvent(f->txtComment, &commit);
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 7), "トマト");
  EXPECT_EQ(ObserveChanged, -1);
}

TEST_F(ObserveTest, EditsLandInTheDayAndCropShownWhateverMovedMeanwhile) {
  TwoCrops();
  ObserveItem(1).Comment(2001, 5, 7) = "前の記録";
  Open();
  f->cmbProduce->setCurrentIndex(1);
  GoTo(2001, 5, 7);
  EXPECT_EQ(f->txtComment->toPlainText(), QStringLiteral("前の記録"));
  EXPECT_EQ(ObserveChanged, 0);  // loading stored nothing

  // Another window moves the shared date; this one still shows 7 May.
  SetCurrentDate({2003, 8, 20});
  Type(QStringLiteral("追記"));
  EXPECT_EQ(ObserveItem(1).Comment(2001, 5, 7), "追記");
  EXPECT_EQ(ObserveItem(1).Comment(2003, 8, 20), "");
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 7), "");

  // The window catches up when it is activated again.
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(f.get(), &activate);
  EXPECT_EQ(f->txtCalender->text(), QStringLiteral("2003/08/20"));
  Type(QStringLiteral("八月"));
  EXPECT_EQ(ObserveItem(1).Comment(2003, 8, 20), "八月");
  EXPECT_EQ(ObserveItem(1).Comment(2001, 5, 7), "追記");
}

TEST_F(ObserveTest, TheCropIndexIsPutInsideTheListBeforeAnEditUsesIt) {
  TwoCrops();
  Open();
  f->cmbProduce->setCurrentIndex(1);
  // The list shrank behind the window (the editor applied without a refill).
  ObserveItem.RedimPreserve(0);
  ObserveFile.RedimPreserve(0);
  f->cmdEdit_Click();  // no editor installed: returns at once
  EXPECT_EQ(ObserveIndex, 0);
  EXPECT_EQ(f->cmbProduce->count(), 1);
  Type(QStringLiteral("一本目"));
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 6), "一本目");
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ObserveTest, APictureChosenLandsInTheDayAndRemovingItKeepsTheComment) {
  const std::string jpg = Picture("畑.jpg", 800, 600);
  Open();
  Type(QStringLiteral("定植"));
  ObserveChanged = 0;
  OnChooser([&](frmFileSelect* c) {
    c->filMain->SetPath(QString::fromStdString(dir.dir()));
    ClickFile(c, QStringLiteral("畑.jpg"));
    c->cmdOK_Click();
  });
  f->cmdFileName_Click();
  EXPECT_EQ(ObserveFile(0)(2001, 5, 6), jpg);
  EXPECT_EQ(f->txtFileName->text().toStdString(), jpg);
  EXPECT_EQ(ObserveChanged, -1);
  // The preview shows the picture's colour in its top left corner.
  EXPECT_EQ(f->pctInfo->PixelAt(3, 3), qRgb(40, 160, 60));
  EXPECT_TRUE(boxes.calls().empty());

  f->cmdFileDelete_Click();
  EXPECT_EQ(ObserveFile(0)(2001, 5, 6), "");
  EXPECT_EQ(f->txtFileName->text(), QString());
  EXPECT_EQ(ObserveItem(0).Comment(2001, 5, 6), "定植");
  EXPECT_NE(f->pctInfo->PixelAt(3, 3), qRgb(40, 160, 60));
  EXPECT_TRUE(std::filesystem::exists(jpg));  // the file itself stays
  // The comment keeps the day's bar.
  const int x = BarX(DayOfYear(2001, 5, 6));
  EXPECT_EQ(f->pctGraph->PixelAt(x, 30), qRgb(255, 0, 0));
}

TEST_F(ObserveTest, CancelAfterAPreviewChangesNothing) {
  const std::string old = Picture("old.bmp", 40, 30, Qt::blue);
  Picture("new.jpg", 40, 30);
  ObserveFile(0)(2001, 5, 6) = old;
  Open();
  for (int way = 0; way < 3; ++way) {  // 取消, Esc, the title bar's close button
    QPointer<QWidget> shown;
    OnChooser([&](frmFileSelect* c) {
      shown = c;
      c->filMain->SetPath(QString::fromStdString(dir.dir()));
      ClickFile(c, QStringLiteral("new.jpg"));
      EXPECT_EQ(c->txtFileName->text(), QStringLiteral("new.jpg"));
      EXPECT_EQ(c->pctInfo->PixelAt(2, 2), qRgb(40, 160, 60));
      QCloseEvent closeButton;  // as the window system sends it
      if (way == 0) c->cmdCancel_Click();
      if (way == 1) QTest::keyClick(c->filMain, Qt::Key_Escape);
      if (way == 2) QCoreApplication::sendEvent(c->windowHandle(), &closeButton);
    });
    f->cmdFileName_Click();
    EXPECT_TRUE(shown.isNull()) << way;
    EXPECT_EQ(ObserveFile(0)(2001, 5, 6), old);
    EXPECT_EQ(f->txtFileName->text().toStdString(), old);
    EXPECT_EQ(ObserveChanged, 0);
    EXPECT_EQ(f->pctInfo->PixelAt(3, 3), qRgb(0, 0, 255));
  }
}

TEST_F(ObserveTest, PreviewsShowSmallPicturesWholeAndFitLargeOnesBothWays) {
  Open();
  const QSize box = f->pctInfo->InnerSize();
  // Smaller than the box: at its own size, nothing cut off, nothing enlarged.
  ObserveFile(0)(2001, 5, 6) = Picture("small.bmp", 50, 40, Qt::red);
  GoTo(2001, 5, 6);
  EXPECT_EQ(f->pctInfo->PixelAt(49, 39), qRgb(255, 0, 0));
  EXPECT_NE(f->pctInfo->PixelAt(51, 41), qRgb(255, 0, 0));
  // Tall: fitted to the height, the width in proportion.
  ObserveFile(0)(2001, 5, 7) = Picture("tall.bmp", 100, 1000, Qt::red);
  GoTo(2001, 5, 7);
  EXPECT_EQ(f->pctInfo->PixelAt(2, box.height() - 1), qRgb(255, 0, 0));
  const int w = box.height() / 10;
  EXPECT_EQ(f->pctInfo->PixelAt(w - 2, 2), qRgb(255, 0, 0));
  EXPECT_NE(f->pctInfo->PixelAt(w + 2, 2), qRgb(255, 0, 0));
  // Wider than tall yet too tall for the box at its width: fits the height.
  ObserveFile(0)(2001, 5, 8) = Picture("squat.bmp", 2000, 1900, Qt::red);
  GoTo(2001, 5, 8);
  EXPECT_EQ(f->pctInfo->PixelAt(2, box.height() - 1), qRgb(255, 0, 0));
  EXPECT_NE(f->pctInfo->PixelAt(box.width() - 1, 2), qRgb(255, 0, 0));
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ObserveTest, MissingAndUnreadablePicturesAreNotedWherePointingOrSteppingWouldShowThem) {
  TwoCrops();
  const std::string gone = dir.file("gone.jpg");
  ObserveFile(1)(2001, 3, 1) = gone;
  dir.Write("broken.jpg", "not a picture");
  ObserveFile(1)(2001, 3, 2) = dir.file("broken.jpg");
  ObserveItem(1).Comment(2001, 3, 2) = "読めない写真";
  SetCurrentDate({2001, 3, 1});
  Open();
  f->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(f.get()));
  f->cmbProduce->setCurrentIndex(1);
  boxes.clear();

  const int first = DayOfYear(2001, 3, 1), second = DayOfYear(2001, 3, 2);
  for (int i = 0; i < 2; ++i) QTest::mouseMove(f->pctGraph, QPoint(BarX(first) + 2 + i, 30));
  EXPECT_EQ(PictureNoteShown(f->pctPicture), QStringLiteral("画像ファイルが見つかりません\n") + gone.c_str());
  EXPECT_EQ(f->txtFilePath->text().toStdString(), gone);
  // It comes back while the pointer rests there: shown, nothing more said.
  Picture("gone.jpg", 30, 30);
  f->pctGraph_MouseMove(0, 0, DayX(first) + 1, 100);
  EXPECT_EQ(f->pctPicture->PixelAt(5, 5), qRgb(40, 160, 60));
  EXPECT_EQ(PictureNoteShown(f->pctPicture), QString());
  std::filesystem::remove(gone);

  for (int i = 0; i < 5; ++i) f->pctGraph_MouseMove(0, 0, DayX(second) + i, 100);
  EXPECT_NE(PictureNoteShown(f->pctPicture), QString());
  // The comment of the day still reads out.
  EXPECT_EQ(f->txtCommentD->toPlainText(), QStringLiteral("読めない写真"));
  EXPECT_EQ(ObserveItem(1).Comment(2001, 3, 2), "読めない写真");

  // The day spinner steps onto the unreadable one.
  QScrollBar* spinner = f->vscCalender;
  QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(spinner->width() / 2, spinner->height() - 4));
  EXPECT_TRUE(PictureNoteShown(f->pctInfo).endsWith(QStringLiteral("\n") + dir.file("broken.jpg").c_str()));
  EXPECT_TRUE(boxes.calls().empty());
  EXPECT_FALSE(f->PointerMoveRunning());
}

TEST_F(ObserveTest, PointingReadsOutTheDayAndHoldingAButtonHidesTheComment) {
  // Green, red in the top left corner, blue from x = 700 on.
  QImage img(900, 700, QImage::Format_RGB32);
  img.fill(QColor(40, 160, 60));
  QPainter(&img).fillRect(0, 0, 20, 20, Qt::red);
  QPainter(&img).fillRect(700, 0, 200, 700, Qt::blue);
  const std::string bmp = dir.file("leaf.bmp");
  ASSERT_TRUE(img.save(QString::fromStdString(bmp)));
  ObserveFile(0)(2001, 7, 10) = bmp;
  ObserveItem(0).Comment(2001, 7, 10) = "葉が黄色い\r\n肥料を追加";
  Open();
  f->show();
  const int n = DayOfYear(2001, 7, 10);
  f->pctGraph_MouseMove(0, 0, DayX(n), 100);
  EXPECT_EQ(f->txtDate->text(), QStringLiteral("2001/07/10"));
  EXPECT_EQ(f->txtFilePath->text().toStdString(), bmp);
  EXPECT_EQ(f->txtCommentD->toPlainText(), QStringLiteral("葉が黄色い\n肥料を追加"));
  // At its natural size from the top left: the part beyond the box is not
  // squeezed in.
  const QSize box = f->pctPicture->InnerSize();
  ASSERT_LT(box.width(), 700);
  EXPECT_EQ(f->pctPicture->PixelAt(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(f->pctPicture->PixelAt(25, 25), qRgb(40, 160, 60));
  EXPECT_EQ(f->pctPicture->PixelAt(box.width() - 1, box.height() - 1), qRgb(40, 160, 60));

  // The far ends of the strip.
  f->pctGraph_MouseMove(0, 0, 0, 100);
  EXPECT_EQ(f->txtDate->text(), QStringLiteral("2001/01/01"));
  EXPECT_EQ(f->txtFilePath->text(), QString());
  EXPECT_EQ(f->pctPicture->PixelAt(5, 5), f->pctPicture->BackColor());
  f->pctGraph_MouseMove(0, 0, f->pctGraph->ScaleWidth(), 100);
  EXPECT_EQ(f->txtDate->text(), QStringLiteral("2001/12/31"));

  ASSERT_TRUE(f->txtCommentD->isVisible());
  f->pctPicture_MouseDown(1, 0, 10, 10);
  EXPECT_FALSE(f->txtCommentD->isVisible());
  f->pctPicture_MouseUp(1, 0, 10, 10);
  EXPECT_TRUE(f->txtCommentD->isVisible());
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ObserveTest, TheDisplayAreaShowsTheCropChosen) {
  TwoCrops();
  ObserveItem(0).Comment(2001, 7, 10) = "赤い";
  ObserveFile(1)(2001, 7, 10) = Picture("nasu.bmp", 40, 40, Qt::blue);
  Open();
  f->show();
  f->pctGraph_MouseMove(0, 0, DayX(DayOfYear(2001, 7, 10)), 100);
  QTest::keyClick(f->cmbProduce, Qt::Key_Down);
  EXPECT_EQ(f->txtCommentD->toPlainText(), QString());
  EXPECT_EQ(f->pctPicture->PixelAt(5, 5), qRgb(0, 0, 255));
}

TEST_F(ObserveTest, ADoubleClickChoosesTheDayUnderItEvenWithoutAHoverBefore) {
  ObserveItem(0).Comment(2004, 2, 29) = "閏日";
  ObserveItem(0).Comment(2001, 3, 15) = "彼岸前";
  SetCurrentDate({2004, 1, 10});
  Open();
  ASSERT_EQ(ObserveHoverDay, 0);
  DoubleClickStrip(BarX(DayOfYear(2004, 2, 29)));
  EXPECT_EQ(CurrentDate(), (YearMonthDay{2004, 2, 29}));
  EXPECT_EQ(f->txtComment->toPlainText(), QStringLiteral("閏日"));

  // A hover left on 29 February of a leap year, then the calendar moves to
  // 2001: the double-click takes its own position in the year shown.
  GoTo(2001, 1, 1);
  DoubleClickStrip(BarX(DayOfYear(2001, 3, 15)));
  EXPECT_EQ(CurrentDate(), (YearMonthDay{2001, 3, 15}));
  EXPECT_EQ(f->txtComment->toPlainText(), QStringLiteral("彼岸前"));
  EXPECT_EQ(ObserveChanged, 0);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ObserveTest, SaveClearsTheChangeOnlyWhenTheFileWasWritten) {
  Open();
  Type(QStringLiteral("収穫"));
  std::filesystem::create_directory(dir.file("observe.dat"));  // the writer cannot replace it
  f->cmdSave_Click();
  EXPECT_FALSE(Reported().empty());
  EXPECT_EQ(ObserveChanged, -1);
  std::filesystem::remove(dir.file("observe.dat"));
  boxes.clear();
  f->cmdSave_Click();
  EXPECT_TRUE(boxes.calls().empty());
  EXPECT_EQ(ObserveChanged, 0);
  EXPECT_NE(dir.Read("observe.dat").find("0506,,\x8e\xfb\x8a\x6e\r\n"), std::string::npos);
}

TEST_F(ObserveTest, ControlsSitWhereTheWindowPlacesThem) {
  Open();
  EXPECT_EQ(f->windowTitle(), QStringLiteral("作物観察日記"));
  EXPECT_EQ(f->pctGraph->geometry(), QRect(6, 2, 1007, 49));
  EXPECT_EQ(f->Frame2->geometry(), QRect(6, 54, 659, 689));
  EXPECT_EQ(f->Frame1->geometry(), QRect(670, 52, 351, 651));
  EXPECT_EQ(f->cmdSave->pos(), QPoint(798, 706));
  EXPECT_EQ(f->cmdClose->pos(), QPoint(910, 706));
  // The comment overlay lies on the lower part of the picture.
  EXPECT_TRUE(f->pctPicture->geometry().contains(f->txtCommentD->geometry()));
  EXPECT_EQ(f->txtCommentD->geometry().bottom() + 2, f->pctPicture->geometry().bottom());
  EXPECT_FALSE(f->pctBuff->isVisibleTo(f.get()));
}
