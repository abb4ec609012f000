// The editor as the program wires it: opened over the schedule window, whose
// selector it refills, with the menu bar's data commands held while it is
// open.
#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "app/RegisterWindows.h"
#include "namelist/frmEdit.h"
#include "platform/NameListLink.h"
#include "schedule/frmSchedule.h"
#include "schedule/modSchedule.h"
#include "shell/ShellFixture.h"

using NameListLink = ShellTest;

TEST_F(NameListLink, ReorderedPlacesReachTheScheduleWindowWithoutEditingItsEntry) {
  ASSERT_EQ(Start(), StartResult::Running);
  RegisterWindows();
  FarmName.RedimPreserve(2);
  FarmName(0) = "東", FarmName(1) = "西", FarmName(2) = "南";
  Schedule(0).SchedulePeriod(CurYear)(0) = {501, 520, 2};
  SelWork = SelEntry = 0;
  SelPlace = 2;
  ShowSchedule();
  frmSchedule* w = LoadedSchedule();
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->cmbPlace->currentIndex(), 2);

  // The dialog is driven in its own modal loop.
  QPointer<QWidget> shown;
  OnDialog([&](QWidget* dialog) {
    shown = dialog;
    auto* edit = qobject_cast<frmEdit*>(dialog);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(NameListEditorOpen());
    edit->lstName->setCurrentRow(2);
    edit->cmdUP->click();
    edit->cmdUP->click();
    edit->cmdOK->click();
  });
  w->cmdPlace->click();
  EXPECT_EQ(ListNames(NameList::Place), (std::vector<std::string>{"南", "東", "西"}));
  EXPECT_EQ(w->cmbPlace->itemText(0), QStringLiteral("南"));
  EXPECT_EQ(w->cmbPlace->currentIndex(), 0);
  EXPECT_EQ(Busy, 0);
  EXPECT_FALSE(NameListEditorOpen());
  ProcessEvents();
  EXPECT_TRUE(shown.isNull());  // destroyed on closing
  SetNameListEditor({});
  UnloadSchedule();
  ProcessEvents();
}

TEST_F(NameListLink, ReloadRestoreAndSaveWaitWhileTheEditorIsOpen) {
  ASSERT_EQ(Start(), StartResult::Running);
  WeatherChanged = -1;
  Tenki(2001, 2, 3) = "";
  SetNameListEditor([&](QWidget*) {
    for (QAction* a : {bar()->ToolButton(2), bar()->ToolButton(3), bar()->ToolButton(5), bar()->ToolButton(6),
                       bar()->mnuPopupRead, bar()->mnuPopupSave, bar()->mnuPopupMediaSave, bar()->mnuPopupRestore})
      a->trigger();
  });
  OpenNameListEditor(QStringLiteral("Produce"), bar());
  EXPECT_EQ(Tenki(2001, 2, 3), "");  // not read again
  EXPECT_EQ(WeatherChanged, -1);     // not saved
  EXPECT_EQ(bar()->SaveDialog(), nullptr);

  // Once it has closed they work again (the unsaved edit is given up).
  MessageBoxes boxes;
  boxes.Answer(MsgResult::Yes);
  bar()->ToolButton(2)->trigger();
  EXPECT_EQ(Tenki(2001, 2, 3), "038");
  SetNameListEditor({});
}
