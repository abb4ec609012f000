// The editor as the program wires it: opened through the name list link over
// its caller, with the menu bar's data commands held while it is open.
#include <QAction>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include "app/RegisterWindows.h"
#include "namelist/frmEdit.h"
#include "platform/NameListLink.h"
#include "shell/ShellFixture.h"

using NameListLink = ShellTest;

TEST_F(NameListLink, TheProgramOpensTheEditorModallyAndItRefillsTheOwner) {
  ASSERT_EQ(Start(), StartResult::Running);
  RegisterWindows();
  Schedule.RedimPreserve(1);
  Schedule(0).Work = "耕起";
  Schedule(1).Work = "播種";
  int refilled = 0;
  SetNameListOwner(QStringLiteral("Work"), [&] { ++refilled; });

  // The modal loop is the test's: the dialog is driven while "open".
  QPointer<QWidget> shown;
  SetRunModalHandler([&](QWidget* w) {
    modals.push_back(w);
    shown = w;
    auto* edit = qobject_cast<frmEdit*>(w);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(NameListEditorOpen());
    edit->lstName->setCurrentRow(1);
    edit->cmdUP->click();
    edit->cmdOK->click();
  });
  OpenNameListEditor(QStringLiteral("Work"), bar());
  ASSERT_EQ(modals.size(), 1u);
  EXPECT_EQ(Schedule(0).Work, "播種");
  EXPECT_EQ(refilled, 1);
  EXPECT_FALSE(NameListEditorOpen());
  ProcessEvents();  // the dialog deletes itself on closing
  EXPECT_TRUE(shown.isNull());
  SetNameListOwner(QStringLiteral("Work"), {});
  SetNameListEditor({});
}

TEST_F(NameListLink, ReloadRestoreAndSaveWaitWhileTheEditorIsOpen) {
  ASSERT_EQ(Start(), StartResult::Running);
  const int modalsBefore = static_cast<int>(modals.size());
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
  EXPECT_EQ(static_cast<int>(modals.size()), modalsBefore);

  // Once it has closed they work again.
  bar()->ToolButton(2)->trigger();
  EXPECT_EQ(Tenki(2001, 2, 3), "038");
  SetNameListEditor({});
}
