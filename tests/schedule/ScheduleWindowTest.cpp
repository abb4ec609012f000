// The schedule window end to end: periods applied through the period
// calendar, place and delete edits, the year list, saving, reloading and the
// name list editor.
#include "schedule/ScheduleFixture.h"

#include "app/RegisterWindows.h"
#include "namelist/frmEdit.h"
#include "platform/NameListLink.h"
#include "store/ScheduleFile.h"

TEST_F(ScheduleTest, APeriodInTheShownYearOverwritesTheSelectedEntryInEitherPickOrder) {
  At(1, 2001, 2) = Period(301, 310, 0);
  Load();
  f->cmbWork->setCurrentIndex(1);
  f->vscScheduleNumber->setValue(2);
  f->cmbPlace->setCurrentIndex(2);
  ClearChanged(RecordKind::Schedule);

  Apply({2001, 5, 10}, {2001, 5, 20});
  EXPECT_EQ(At(1, 2001, 2), Period(510, 520, 2));
  EXPECT_EQ(At(1, 2001, 0), Period(0, 0)) << "no other entry touched";
  EXPECT_TRUE(Changed(RecordKind::Schedule));
  EXPECT_EQ(f->txtCalenderFrom->text(), QStringLiteral("2001/05/10"));
  EXPECT_EQ(f->txtCalenderTo->text(), QStringLiteral("2001/05/20"));

  // The end picked before the start: swapped, the earlier date shown first.
  Apply({2001, 6, 20}, {2001, 6, 2});
  EXPECT_EQ(At(1, 2001, 2), Period(602, 620, 2));
  EXPECT_EQ(PeriodFrom, (YearMonthDay{2001, 6, 2}));
  EXPECT_EQ(f->txtCalenderFrom->text(), QStringLiteral("2001/06/02"));

  // Another year than the one shown: its first free entry.
  At(1, 2002, 0) = Period(101, 105);
  Apply({2002, 7, 1}, {2002, 7, 3});
  EXPECT_EQ(At(1, 2002, 1), Period(701, 703, 2));
  EXPECT_EQ(At(1, 2002, 0), Period(101, 105));
}

TEST_F(ScheduleTest, APeriodAcrossYearsWritesOneEntryPerYearWithTheNumberCarried) {
  At(0, 2001, 0) = At(0, 2001, 1) = Period(101, 102);
  for (int n : {0, 1, 2, 4}) At(0, 2003, n) = Period(101, 102);
  CurYear = 2002;
  SelEntry = 4;
  Load();
  Apply({2001, 11, 20}, {2003, 2, 10});
  EXPECT_EQ(At(0, 2001, 2), Period(1120, 1231));
  EXPECT_EQ(At(0, 2002, 4), Period(101, 1231));
  EXPECT_EQ(At(0, 2003, 5), Period(101, 210)) << "free entry 3 lies below the one carried from 2002";
  EXPECT_EQ(At(0, 2003, 3), Period(0, 0));
  EXPECT_EQ(f->txtCalenderFrom->text(), QStringLiteral("2001/11/20"));
  EXPECT_EQ(f->txtCalenderTo->text(), QStringLiteral("2003/02/10"));
}

TEST_F(ScheduleTest, AFullYearRefusesTheWholePeriodAndNothingIsWritten) {
  for (int n = 0; n < kEntries; ++n) At(0, 2002, n) = Period(301, 302);
  Load();
  const auto before = Schedule(0);
  Apply({2001, 12, 1}, {2002, 1, 10});
  EXPECT_EQ(Schedule(0), before);
  EXPECT_FALSE(Changed(RecordKind::Schedule));
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(boxes.calls()[0].text.contains(QStringLiteral("2002年"))) << boxes.calls()[0].text.toStdString();
  EXPECT_EQ(Reports(), 0);

  // In the shown year the selected entry is overwritten, full or not.
  CurYear = 2002;
  f->cmbYear->setCurrentIndex(3);
  Apply({2002, 4, 1}, {2002, 4, 2});
  EXPECT_EQ(At(0, 2002, 0), Period(401, 402));
}

TEST_F(ScheduleTest, AClickOnTheWindowOrAFrameClosesTheCalendarWithoutApplying) {
  Load();
  for (QWidget* target : {static_cast<QWidget*>(f.get()), static_cast<QWidget*>(f->Frame1),
                          static_cast<QWidget*>(f->Frame2)}) {
    f->cmdCalender2->click();
    ASSERT_TRUE(f->pctCalender2->isVisible());
    PeriodFrom = {2001, 8, 1}, PeriodTo = {2001, 8, 9};
    Press(target, QPoint(4, target->height() - 4));
    EXPECT_FALSE(f->pctCalender2->isVisible());
    EXPECT_EQ(At(0, 2001, 0), Period(0, 0));
    EXPECT_FALSE(Changed(RecordKind::Schedule));
    EXPECT_EQ(PeriodCancel, 0);
    EXPECT_EQ(CalendarOpen, 0);
  }
  // The next closing by another control applies again.
  Apply({2001, 8, 1}, {2001, 8, 9});
  EXPECT_EQ(At(0, 2001, 0), Period(801, 809));
}

TEST_F(ScheduleTest, WithoutPlacesAPeriodGoesToPlaceZeroAndDeleteStillMarksTheChange) {
  FarmName.Reset();
  SelPlace = 2;  // remembered from an earlier list
  Load();
  EXPECT_EQ(f->cmbPlace->count(), 0);
  Apply({2001, 9, 1}, {2001, 9, 5});
  EXPECT_EQ(At(0, 2001, 0), Period(901, 905, 0));
  EXPECT_TRUE(Changed(RecordKind::Schedule));

  ClearChanged(RecordKind::Schedule);
  f->cmdScheduleDelete->click();
  EXPECT_EQ(At(0, 2001, 0), Period(0, 0));
  EXPECT_TRUE(Changed(RecordKind::Schedule));
  EXPECT_TRUE(f->txtCalenderFrom->text().isEmpty());
  EXPECT_EQ(Reports(), 0);
}

TEST_F(ScheduleTest, APlaceBeyondWhatAnEntryCanHoldIsRefusedBeforeAnythingIsWritten) {
  FarmName.RedimPreserve(299);
  for (int i = 3; i <= 299; ++i) FarmName(i) = "畑" + std::to_string(i);
  At(0, 2001, 0) = Period(101, 102, 1);
  Load();
  f->cmbPlace->setCurrentIndex(280);
  EXPECT_EQ(At(0, 2001, 0), Period(101, 102, 1));
  Apply({2001, 2, 1}, {2001, 2, 3});
  EXPECT_EQ(At(0, 2001, 0), Period(101, 102, 1));
  EXPECT_FALSE(Changed(RecordKind::Schedule));
  EXPECT_EQ(Reports(), 2);
}

TEST_F(ScheduleTest, PlaceEditsMarkOnlyUsedEntriesAndShowingAnEntryIsNoEdit) {
  At(0, 2001, 1) = Period(401, 430, 1);
  At(0, 2001, 2) = Period(501, 530, 7);  // a place deleted since
  Load();
  f->cmbPlace->setCurrentIndex(2);
  EXPECT_EQ(At(0, 2001, 0).Place, 2) << "an empty entry keeps the place";
  EXPECT_FALSE(Changed(RecordKind::Schedule));

  f->vscScheduleNumber->setValue(1);
  EXPECT_EQ(f->cmbPlace->currentIndex(), 1);
  EXPECT_EQ(f->txtCalenderFrom->text(), QStringLiteral("2001/04/01"));
  EXPECT_FALSE(Changed(RecordKind::Schedule)) << "moving to an entry changes nothing";
  f->vscScheduleNumber->setValue(2);
  EXPECT_EQ(f->cmbPlace->currentIndex(), -1);
  EXPECT_EQ(At(0, 2001, 2).Place, 7);

  f->vscScheduleNumber->setValue(1);
  f->cmbPlace->setCurrentIndex(0);
  EXPECT_EQ(At(0, 2001, 1).Place, 0);
  EXPECT_TRUE(Changed(RecordKind::Schedule));
  EXPECT_EQ(Reports(), 0);
}

TEST_F(ScheduleTest, TheYearListMovesTheWindowsYearAndEditsLandInTheYearOnScreen) {
  At(2, 2001, 0) = Period(101, 131);
  At(2, 2004, 0) = Period(1001, 1010);
  SelWork = 2;
  Load();
  EXPECT_EQ(f->txtCalenderFrom->text(), QStringLiteral("2001/01/01"));
  f->cmbYear->setCurrentIndex(5);
  EXPECT_EQ(CurYear, 2004);
  EXPECT_EQ(f->txtCalenderFrom->text(), QStringLiteral("2004/10/01"));
  CurMonth = 2, CurDay = 29;
  f->cmbYear->setCurrentIndex(6);
  EXPECT_EQ(CurrentDate(), (YearMonthDay{2005, 2, 28})) << "no current date the files cannot keep";
  f->cmbYear->setCurrentIndex(5);

  // Another window moves the current date; the window follows on activation.
  CurYear = 2006;
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(f.get(), &activate);
  EXPECT_EQ(f->cmbYear->currentIndex(), 7);
  EXPECT_EQ(f->ShownYear, 2006);
  EXPECT_TRUE(f->txtCalenderFrom->text().isEmpty());
  f->cmdScheduleDelete->click();
  EXPECT_EQ(At(2, 2004, 0), Period(1001, 1010));

  // Even without an activation, edits go into the year on screen.
  CurYear = 2001;
  f->cmbPlace->setCurrentIndex(1);
  EXPECT_EQ(At(2, 2006, 0).Place, 1);
  EXPECT_EQ(At(2, 2001, 0).Place, 0);
}

TEST_F(ScheduleTest, LoadingRestoresTheSelectionTheListsDidNotErase) {
  At(2, 2001, 5) = Period(601, 615, 1);
  SelWork = 2, SelEntry = 5, SelPlace = 1;
  Load();
  EXPECT_EQ(f->cmbWork->currentIndex(), 2);
  EXPECT_EQ(SelWork, 2);
  EXPECT_EQ(f->vscScheduleNumber->value(), 5);
  EXPECT_EQ(f->txtScheduleNumber->text(), QStringLiteral("5"));
  EXPECT_EQ(f->cmbPlace->currentIndex(), 1);
  EXPECT_EQ(f->Chart.MarkWork, 2);
  EXPECT_EQ(f->Chart.MarkEntry, 5);
  EXPECT_EQ(f->txtCalenderTo->text(), QStringLiteral("2001/06/15"));
  EXPECT_EQ(Busy, 0);
  // One check of the layout: maximised, the chart from 100 pixels to the
  // settings area at the right edge, 36 pixels less high than the window.
  EXPECT_EQ(f->geometry(), QRect(0, 0, 1024, 768));
  EXPECT_EQ(f->pctGraph->geometry(), QRect(100, 12, f->Frame1->x() - 100 - 17, 768 - 36));
  EXPECT_EQ(f->Frame1->geometry().right(), 1024 - 4);
}

TEST_F(ScheduleTest, SaveClearsTheFlagOnlyWhenTheFileWasWritten) {
  Load();
  Apply({2001, 3, 3}, {2001, 3, 4});
  DataPath = dir.dir() + "missing/";
  f->cmdSave->click();
  EXPECT_TRUE(Changed(RecordKind::Schedule));
  EXPECT_EQ(Reports(), 1);

  DataPath = dir.dir();
  f->cmdSave->click();
  EXPECT_FALSE(Changed(RecordKind::Schedule));
  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadSchedule());
  EXPECT_EQ(At(0, 2001, 0), Period(303, 304));
  EXPECT_EQ(FarmName(2), "ハウス");
}

TEST_F(ScheduleTest, AfterAReloadWithShorterListsNothingPointsPastThem) {
  At(2, 2001, 0) = Period(201, 210, 2);
  SelWork = 2, SelPlace = 2;
  Load();
  PointAt(MiddleOf(2, 0));
  EXPECT_EQ(f->txtPlaceD->text(), QStringLiteral("ハウス"));

  // The files now hold two works and one place.
  Schedule.RedimPreserve(1);
  FarmName.RedimPreserve(0);
  At(1, 2001, 0) = Period(301, 320, 2);
  ReloadSchedule();  // not loaded through the slot: nothing happens
  f->ReloadFromStore();
  EXPECT_EQ(f->cmbWork->currentIndex(), 0) << "the first work, as the store holds it";
  EXPECT_EQ(f->cmbPlace->currentIndex(), 0) << "the place of its entry";
  EXPECT_EQ(f->cmbWork->count(), 2);
  PointAt(MiddleOf(1, 0));
  EXPECT_EQ(f->txtWorkD->text(), QStringLiteral("播種"));
  EXPECT_TRUE(f->txtPlaceD->text().isEmpty()) << "place 2 no longer exists";
  EXPECT_EQ(Reports(), 0);
}

TEST_F(ScheduleTest, TheNameListEditorOpensWithItsListAndTheProgramRefillsTheSelector) {
  RegisterWindows();
  ShowSchedule();
  frmSchedule* w = LoadedSchedule();
  ASSERT_NE(w, nullptr);
  std::optional<NameList> tag;
  SetNameListEditor([&](QWidget*) {
    tag = EditedNameList();
    std::vector<NameListRow> rows;
    for (const std::string& name : ListNames(*tag)) rows.push_back({rows.size() == 1 ? "変更後" : name, int(rows.size())});
    RebuildNameList(*tag, rows);
    NotifyListRebuilt(*tag);
  });
  w->cmbWork->setCurrentIndex(2);
  w->cmdWork->click();
  EXPECT_EQ(tag, NameList::Work);
  EXPECT_EQ(w->cmbWork->itemText(1), QStringLiteral("変更後"));
  EXPECT_EQ(SelWork, 0) << "entry 0 chosen as by the user";
  w->cmdPlace->click();
  EXPECT_EQ(tag, NameList::Place);
  EXPECT_EQ(w->cmbPlace->itemText(1), QStringLiteral("変更後"));
  SetNameListEditor(nullptr);
  UnloadSchedule();
  ProcessEvents();
}

TEST_F(ScheduleTest, ThePlaceShownIsTheEntrysAndOnlyBothEndsPickedForAWorkMakeAPeriod) {
  At(0, 2001, 0) = Period(401, 410, 2), At(1, 2001, 0) = Period(501, 510, 0), At(1, 2002, 0) = Period(301, 302, 2);
  RegisterWindows();
  ShowSchedule();
  frmSchedule* w = LoadedSchedule();
  EXPECT_EQ(w->cmbPlace->currentIndex(), 2) << "on opening";
  for (int key : {Qt::Key_Tab, Qt::Key_Escape}) {  // left with only a start picked: nothing changes
    QTest::mouseClick(w->cmdCalender2, Qt::LeftButton);
    Pick(w, 3, Qt::LeftButton), QTest::keyClick(w->pctCalender2, Qt::Key(key));
    EXPECT_EQ(At(0, 2001, 0), Period(401, 410, 2));
  }
  QTest::mouseClick(w->cmdCalender2, Qt::LeftButton);
  Pick(w, 20, Qt::RightButton), Pick(w, 10, Qt::LeftButton);  // the starts of earlier openings do not count
  EXPECT_EQ(At(0, 2001, 0), Period(510, 520, 2));
  QTest::keyClick(w->cmbWork, Qt::Key_Down);
  EXPECT_EQ(w->cmbPlace->currentIndex(), 0) << "after a change of work";
  QTest::keyClick(w->cmbYear, Qt::Key_Down);
  EXPECT_EQ(w->cmbPlace->currentIndex(), 2) << "after a change of year";

  QMetaObject::invokeMethod(w, [] {
    auto* e = qobject_cast<frmEdit*>(QApplication::activeModalWidget());
    for (QPushButton* b : {e->cmdDelete, e->cmdDOWN, e->cmdDOWN, e->cmdOK, e->cmdCancel})
      if (e->isVisible()) QTest::mouseClick(b, Qt::LeftButton);
  }, Qt::QueuedConnection);
  QTest::mouseClick(w->cmdPlace, Qt::LeftButton);  // the editor's loop: 東の畑 is in use, so moved, not deleted
  EXPECT_TRUE(boxes.calls().at(0).text.startsWith(QStringLiteral("この場所は１件")));
  EXPECT_EQ(At(0, 2001, 0).Place, 1);
  EXPECT_EQ(w->cmbPlace->currentText(), QStringLiteral("ハウス"));

  Schedule.Reset(), ReloadSchedule();  // no work at all: the calendar does not open
  QTest::mouseClick(w->cmdCalender2, Qt::LeftButton);
  EXPECT_TRUE(boxes.calls().at(1).text.contains(QStringLiteral("作業を追加")) && w->pctCalender2->isHidden());
  UnloadSchedule();
}

TEST_F(ScheduleTest, EveryWorkScrollsIntoViewAndPointingFollowsTheScroll) {
  Schedule.RedimPreserve(200);
  At(32, 2001, 0) = At(33, 2001, 0) = Period(601, 610), Schedule(33).Work = "作業34";  // on the last row shown
  Load();
  QWheelEvent wheel({60, 60}, {}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(f->pctGraph, &wheel);
  EXPECT_EQ(f->vscGraph->value(), QApplication::wheelScrollLines());
  PointAt(MiddleOf(32, 0));
  f->vscGraph->setValue(f->vscGraph->value() + 1);  // the pointer stays; rows keep their height, so work 34's bar is under it
  QTest::mouseDClick(f->pctGraph, Qt::LeftButton, {}, (MiddleOf(33, 0) / TwipsPerPixelX).toPoint());
  EXPECT_EQ(SelWork, 33);
  const QImage names = f->pctNumber->grab().toImage();  // the last row's name is whole: blank below it
  EXPECT_EQ(names.copy(0, names.height() - 2, names.width(), 1), names.copy(0, 1, names.width(), 1));

  SetNameListEditor({});
  OpenNameListEditor(NameList::Work, nullptr);  // sets the list only
  frmEdit(nullptr).cmdAdd->click();
  EXPECT_EQ(boxes.calls().at(0).text, QStringLiteral("項目数は２０１までです。"));
}

TEST_F(ScheduleTest, AClickOutsideClosesThePeriodCalendarAndAReloadKeepsTheSelectionInTheLists) {
  Load();
  QTest::mouseClick(f->cmdCalender2, Qt::LeftButton), Pick(f.get(), 10, Qt::LeftButton);
  QTest::mouseClick(f->vscScheduleNumber, Qt::LeftButton, {}, {8, f->vscScheduleNumber->height() - 4});
  EXPECT_TRUE(f->pctCalender2->isHidden() && SelEntry == 1) << "closed by a click on 行程番号";
  QTest::mouseClick(f->cmdCalender2, Qt::LeftButton), Pick(f.get(), 10, Qt::LeftButton);
  QWheelEvent wheel({8, 8}, {}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(f->vscScheduleNumber, &wheel);  // moves the entry, not the open calendar's
  Pick(f.get(), 20, Qt::RightButton);
  EXPECT_TRUE(At(0, 2001, 1) == Period(510, 520, 0) && At(0, 2001, 0) == SchedulePeriodRec{});

  f->cmbWork->setCurrentIndex(2), f->cmbPlace->setCurrentIndex(2);
  Schedule.RedimPreserve(1), FarmName.RedimPreserve(1), f->ReloadFromStore();  // shorter files read
  QTest::keyClick(f->cmbPlace, Qt::Key_Down);
  QTest::mouseClick(f->cmdScheduleDelete, Qt::LeftButton), QTest::mouseClick(f->cmdCalender2, Qt::LeftButton);
  EXPECT_TRUE(f->pctCalender2->isVisible() && boxes.calls().empty());
}
