#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/RegisterWindows.h"
#include "diary/DiaryFixture.h"
#include "platform/StorableTextBox.h"
#include "diary/frmDiaryEdit.h"
#include "diary/frmDiary.h"
#include "runtime/Cp932.h"
#include "platform/ErrorReporter.h"
#include "store/DiaryFile.h"
#include "shell/RecordWindows.h"

namespace {

class DiaryEditorTest : public DiaryTest {
 protected:
  frmDiaryEdit* Open() {
    ShowDiaryEdit();
    ProcessEvents();
    return LoadedDiaryEdit();
  }
};

// Pastes through the clipboard, as the farmer's Ctrl+V does.
void PasteInto(StorableTextBox* t, const QString& text) {
  QApplication::clipboard()->setText(text);
  t->paste();
}

TEST_F(DiaryEditorTest, TypingStoresTheWholeTextWithCrLfAndMarksTheDiaryChanged) {
  Nikki(2001, 5, 6) = "朝\r\n";
  frmDiaryEdit* e = Open();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->windowTitle(), "Vorn　日記（編集）");
  EXPECT_EQ(e->txtCalender->text(), "2001/05/06");
  EXPECT_EQ(Text(e->txtDiary), "朝\n");
  EXPECT_FALSE(Changed(RecordKind::Diary));

  e->txtDiary->moveCursor(QTextCursor::End);
  Type(e->txtDiary, QStringLiteral("晴れ\n夕立"));
  EXPECT_EQ(Nikki(2001, 5, 6), "朝\r\n晴れ\r\n夕立");
  EXPECT_TRUE(Changed(RecordKind::Diary));
  EXPECT_EQ(Nikki(2001, 5, 7), "");
}

TEST_F(DiaryEditorTest, SpinnerFromTheLastDayShowsTheNextMonthsFirstWithoutMarkingChanges) {
  Nikki(2001, 6, 1) = "六月一日\r\n曇り";
  CurDay = 31;
  frmDiaryEdit* e = Open();
  Type(e->txtDiary, QStringLiteral("月末"));
  ClearChanged(RecordKind::Diary);
  e->vscCalender->setValue(2);
  EXPECT_EQ(e->txtCalender->text(), "2001/06/01");
  EXPECT_EQ(Text(e->txtDiary), "六月一日\n曇り");
  EXPECT_EQ(e->vscCalender->value(), 1);
  EXPECT_FALSE(Changed(RecordKind::Diary));
  // What was typed stays under the day it was typed on.
  EXPECT_EQ(Nikki(2001, 5, 31), "月末");
  EXPECT_EQ(Nikki(2001, 6, 1), "六月一日\r\n曇り");
}

TEST_F(DiaryEditorTest, CalendarOpensLeftAlignedAndAPickLoadsTheDayWithoutMarkingChanges) {
  Nikki(2001, 5, 7) = "七日";
  frmDiaryEdit* e = Open();
  QApplication::setActiveWindow(e);
  e->activateWindow();
  ProcessEvents();
  e->cmdCalender->click();
  ASSERT_TRUE(e->pctCalender->isVisible());
  const QRect b = e->cmdCalender->geometry();
  EXPECT_EQ(e->pctCalender->geometry(), QRect(b.left(), b.bottom() + 1, 240, 200));
  QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
  QApplication::sendEvent(e->pctCalender, &right);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(e->pctCalender, &enter);
  EXPECT_FALSE(e->pctCalender->isVisible());
  EXPECT_EQ(e->txtCalender->text(), "2001/05/07");
  EXPECT_EQ(Text(e->txtDiary), "七日");
  EXPECT_FALSE(Changed(RecordKind::Diary));
  EXPECT_EQ(Nikki(2001, 5, 6), "");
}

TEST_F(DiaryEditorTest, CalendarAndSpinnerStartFromTheDayTheEditorShows) {
  frmDiaryEdit* e = Open();
  QApplication::setActiveWindow(e);
  SetCurrentDate({2001, 5, 27});  // another window moved the day
  e->cmdCalender->click();
  QTest::keyClick(e->pctCalender, Qt::Key_Right);
  QTest::keyClick(e->pctCalender, Qt::Key_Return);
  EXPECT_EQ(e->txtCalender->text(), "2001/05/07");
  SetCurrentDate({2001, 5, 27});
  e->vscCalender->setValue(2);
  EXPECT_EQ(e->txtCalender->text(), "2001/05/08");
}

TEST_F(DiaryEditorTest, SaveClearsOnlyTheDiaryFlag) {
  frmDiaryEdit* e = Open();
  Type(e->txtDiary, QStringLiteral("a"));
  for (RecordKind k : {RecordKind::Weather, RecordKind::Price, RecordKind::Schedule}) MarkChanged(k);
  e->cmdSave->click();
  EXPECT_FALSE(Changed(RecordKind::Diary));
  EXPECT_TRUE(Changed(RecordKind::Weather));
  EXPECT_TRUE(Changed(RecordKind::Price));
  EXPECT_TRUE(Changed(RecordKind::Schedule));
  EXPECT_TRUE(e->isEnabled());
}

TEST_F(DiaryEditorTest, SaveWritesTheDiaryFileAndAFailedSaveKeepsTheFlag) {
  InstallStoreErrorReporter();
  frmDiaryEdit* e = Open();
  Type(e->txtDiary, QStringLiteral("晴れ\n畑"));
  e->cmdSave->click();
  EXPECT_FALSE(Changed(RecordKind::Diary));
  const std::string file = dir.Read("nikki.dat");
  EXPECT_NE(file.find(rt::Utf8ToCp932("2001/0506,晴れ^~畑\r\n")), std::string::npos);

  // A directory that is gone: the error is shown and the diary stays marked
  // as changed, so the shutdown question still offers to save it.
  Type(e->txtDiary, QStringLiteral("!"));
  DataPath = dir.dir() + "missing/";
  boxes.Answer(MsgResult::Ok);
  e->cmdSave->click();
  EXPECT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(Changed(RecordKind::Diary));
  EXPECT_TRUE(e->isEnabled());
}

// The writer lets events run between days; typing then must not slip into
// the table behind the writer and be marked saved.
TEST_F(DiaryEditorTest, NothingIsTypedIntoTheEntryWhileTheFileIsWritten) {
  frmDiaryEdit* e = Open();
  Type(e->txtDiary, QStringLiteral("a"));
  static frmDiaryEdit* typingInto;
  typingInto = e;
  YieldHook = [] {
    if (ProgressCount == 100) Type(typingInto->txtDiary, QStringLiteral("b"));
  };
  e->cmdSave->click();
  YieldHook = nullptr;
  EXPECT_EQ(Nikki(2001, 5, 6), "a");
  EXPECT_FALSE(Changed(RecordKind::Diary));
}

TEST_F(DiaryEditorTest, UnloadingDuringTheSaveWaitsForTheSaveToFinish) {
  frmDiaryEdit* e = Open();
  Type(e->txtDiary, QStringLiteral("a"));
  QPointer<frmDiaryEdit> watch(e);
  YieldHook = [] {
    if (ProgressCount == 100) UnloadRecordWindow(RecordWindow::DiaryEdit);
  };
  RegisterWindows();
  e->cmdSave->click();
  YieldHook = nullptr;
  EXPECT_FALSE(Changed(RecordKind::Diary));
  EXPECT_EQ(LoadedDiaryEdit(), nullptr);
  EXPECT_FALSE(watch.isNull());
  EXPECT_FALSE(watch->isVisible());
  ProcessEvents();
  EXPECT_TRUE(watch.isNull());
}

TEST_F(DiaryEditorTest, AnEntrySavedEmptyShowsEmptyAndANewEntryStartsWithItsFirstWord) {
  Nikki(2001, 5, 6) = "";
  ASSERT_TRUE(SaveNikki());
  Nikki(2001, 5, 6) = "stale";
  ASSERT_TRUE(LoadNikki());
  ASSERT_EQ(Nikki(2001, 5, 6), " ");  // the file's way of writing an empty day
  frmDiaryEdit* e = Open();
  EXPECT_EQ(Text(e->txtDiary), "");  // the viewer's side is the viewer's test
  EXPECT_FALSE(Changed(RecordKind::Diary));
  Type(e->txtDiary, QStringLiteral("今日は晴れ"));
  EXPECT_EQ(Nikki(2001, 5, 6), "今日は晴れ");
}

TEST_F(DiaryEditorTest, HideAndShowKeepsTheTextShownBefore) {
  Nikki(2001, 5, 6) = "六日";
  frmDiaryEdit* e = Open();
  e->cmdEnd->click();
  EXPECT_FALSE(e->isVisible());
  CurDay = 20;
  Nikki(2001, 5, 6) = "別の窓で";
  ShowDiaryEdit();
  // Being activated again does not move the editor to the new date.
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(e, &activate);
  EXPECT_EQ(LoadedDiaryEdit(), e);
  EXPECT_TRUE(e->isVisible());
  EXPECT_EQ(Text(e->txtDiary), "六日");
  EXPECT_EQ(e->txtCalender->text(), "2001/05/06");
  // Typing goes to the day shown; the entry of the new current date is
  // left alone.
  Nikki(2001, 5, 20) = "二十日";
  e->txtDiary->moveCursor(QTextCursor::End);
  Type(e->txtDiary, QStringLiteral("!"));
  EXPECT_EQ(Nikki(2001, 5, 6), "六日!");
  EXPECT_EQ(Nikki(2001, 5, 20), "二十日");
}

TEST_F(DiaryEditorTest, TypingStopsAt300CharactersWithALineBreakCountingTwo) {
  frmDiaryEdit* e = Open();
  StorableTextBox* t = e->txtDiary;
  Type(t, QString(297, QChar(u'あ')));
  Type(t, QStringLiteral("\n"));  // 299: a line break needs two
  EXPECT_EQ(StoredLength(Text(t)), 299);
  Type(t, QStringLiteral("\n"));
  EXPECT_EQ(StoredLength(Text(t)), 299);
  Type(t, QStringLiteral("いう"));
  EXPECT_EQ(StoredLength(Text(t)), 300);
  EXPECT_TRUE(Text(t).endsWith(QStringLiteral("\nい")));
  EXPECT_EQ(rt::CharCount(Nikki(2001, 5, 6)), 300u);

  // A paste takes only what fits; replacing a selection frees its room.
  t->moveCursor(QTextCursor::Start);
  t->moveCursor(QTextCursor::Right, QTextCursor::KeepAnchor);
  t->moveCursor(QTextCursor::Right, QTextCursor::KeepAnchor);
  PasteInto(t, QStringLiteral("かきく"));
  EXPECT_EQ(StoredLength(Text(t)), 300);
  EXPECT_TRUE(Text(t).startsWith(QStringLiteral("かきあ")));

  // Deleting makes room again.
  t->moveCursor(QTextCursor::End);
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QApplication::sendEvent(t, &back);
  Type(t, QStringLiteral("え"));
  EXPECT_TRUE(Text(t).endsWith(QStringLiteral("え")));
  EXPECT_EQ(StoredLength(Text(t)), 300);
}

TEST_F(DiaryEditorTest, LongerStoredEntryIsShownWholeAndOnlyShortened) {
  Nikki(2001, 5, 6) = std::string(310, 'x');
  frmDiaryEdit* e = Open();
  EXPECT_EQ(Text(e->txtDiary).size(), 310);
  e->txtDiary->moveCursor(QTextCursor::End);
  Type(e->txtDiary, QStringLiteral("y"));
  EXPECT_EQ(Nikki(2001, 5, 6), std::string(310, 'x'));
  QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QApplication::sendEvent(e->txtDiary, &back);
  EXPECT_EQ(Nikki(2001, 5, 6), std::string(309, 'x'));
}

TEST_F(DiaryEditorTest, CharactersTheFileCannotHoldAreRefusedAndLookAlikesShownAsStored) {
  frmDiaryEdit* e = Open();
  StorableTextBox* t = e->txtDiary;
  // An emoji and a Korean syllable have no place in the file; the wave dash
  // many input methods produce is written as the full-width tilde.
  Type(t, QStringLiteral("晴😀れ한〜"));
  EXPECT_EQ(Text(t), QStringLiteral("晴れ～"));
  EXPECT_EQ(Nikki(2001, 5, 6), "晴れ～");
  EXPECT_TRUE(rt::FitsCp932(Nikki(2001, 5, 6)));
  PasteInto(t, QStringLiteral("①㈱\r\n😀髙"));
  EXPECT_EQ(Nikki(2001, 5, 6), "晴れ～①㈱\r\n髙");
  // What an input method commits is sifted the same way.
  QInputMethodEvent ime;
  ime.setCommitString(QStringLiteral("😀雨"));
  QApplication::sendEvent(t, &ime);
  EXPECT_EQ(Nikki(2001, 5, 6), "晴れ～①㈱\r\n髙雨");
  EXPECT_TRUE(rt::FitsCp932(Nikki(2001, 5, 6)));
}

TEST_F(DiaryEditorTest, SpringsBackTo428SquareAndFillsBelowTheButtons) {
  frmDiaryEdit* e = Open();
  EXPECT_EQ(e->size(), QSize(428, 428));
  EXPECT_EQ(e->txtDiary->geometry(), QRect(0, 35, 428, 393));
  EXPECT_EQ(e->cmdSave->geometry(), QRect(312, 2, 51, 31));
  EXPECT_EQ(e->cmdEnd->geometry(), QRect(364, 2, 51, 31));
  e->resize(200, 600);
  ProcessEvents();
  EXPECT_EQ(e->size(), QSize(428, 600));
  EXPECT_EQ(e->txtDiary->geometry(), QRect(0, 35, 428, 565));

  e->showMaximized();
  ProcessEvents();
  ASSERT_TRUE(e->isMaximized());
  EXPECT_EQ(e->txtDiary->geometry(), QRect(0, 35, e->width(), e->height() - 35));
  EXPECT_GT(e->width(), 428);
  EXPECT_EQ(e->cmdSave->geometry(), QRect(312, 2, 51, 31));
}

TEST_F(DiaryEditorTest, DateOutsideTheRecordsIsReportedAndTypingStillWorksAfterwards) {
  CurYear = 2031;
  boxes.Answer(MsgResult::Ok);
  frmDiaryEdit* e = Open();
  ASSERT_NE(e, nullptr);
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(boxes.calls()[0].text.contains(QStringLiteral("ｲﾝﾃﾞｯｸｽ"))) << boxes.calls()[0].text.toStdString();
  EXPECT_EQ(DiaryLoading, 0);
  EXPECT_EQ(e->size(), QSize(428, 428));
  CurYear = 2001;
  Type(e->txtDiary, QStringLiteral("x"));
  EXPECT_EQ(Nikki(2001, 5, 6), "x");
}

TEST_F(DiaryEditorTest, MenuBarOpensAndUnloadsTheEditor) {
  RegisterWindows();
  ASSERT_TRUE(IsRecordWindowRegistered(RecordWindow::DiaryEdit));
  ShowRecordWindow(RecordWindow::DiaryEdit);
  ASSERT_NE(LoadedDiaryEdit(), nullptr);
  Type(LoadedDiaryEdit()->txtDiary, QStringLiteral("x"));
  UnloadRecordWindow(RecordWindow::DiaryEdit);
  EXPECT_EQ(LoadedDiaryEdit(), nullptr);
  // The text was already in the table; a new window shows it.
  ShowRecordWindow(RecordWindow::DiaryEdit);
  EXPECT_EQ(Text(LoadedDiaryEdit()->txtDiary), "x");
}

}  // namespace
