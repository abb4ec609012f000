// One edit, end to end, as a farmer makes it: the menu bar opens the weather
// window, the high-temperature bar is moved, the window saves, the files are
// read back; then an unsaved edit meets the exit question.
#include <QAbstractSlider>
#include <QTest>
#include <QPushButton>
#include <QScrollBar>
#include <QLineEdit>
#include <filesystem>

#include "app/RegisterWindows.h"
#include "platform/StorableTextBox.h"
#include "diary/DiaryWindows.h"
#include "diary/frmDiary.h"
#include "diary/frmDiaryEdit.h"
#include "shell/ShellFixture.h"
#include "store/DiaryFile.h"
#include "store/WeatherFiles.h"
#include "weather/frmMain.h"

// The shell with the real record windows plugged in, as the program starts.
class OneEditTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    RegisterWindows();
  }
  void TearDown() override {
    UnloadWeatherWindow();
    UnloadDiaryEdit();
    UnloadDiary();
    ProcessEvents();
    ShellTest::TearDown();
  }
};

TEST_F(OneEditTest, OneWeatherEditFromTheMenuBarToTheFilesAndTheExitQuestion) {
  ASSERT_EQ(Start(), StartResult::Running);
  MessageBoxes boxes;
  bar()->mnuDisplayElement->trigger();
  frmMain* w = WeatherWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->isVisible());
  EXPECT_EQ(w->txtCalender->text(), QStringLiteral("2005/07/14"));
  EXPECT_FALSE(Changed(RecordKind::Weather));

  // Drag the high temperature to 28.7 degrees and save.
  w->hscKionHigh->setSliderDown(true);
  w->hscKionHigh->setSliderPosition(287);
  w->hscKionHigh->setSliderDown(false);
  EXPECT_FLOAT_EQ(Ondo(2005, 7, 14, 1), 28.7f);
  EXPECT_TRUE(Changed(RecordKind::Weather));
  w->cmdSave->click();
  EXPECT_FALSE(Changed(RecordKind::Weather));
  EXPECT_TRUE(std::filesystem::exists(dataDir() + "ondo.dat"));

  // Reload from the files: the value is back, the window shows it again.
  Ondo(2005, 7, 14, 1) = 0.0f;
  bar()->mnuFileRead->trigger();
  EXPECT_FLOAT_EQ(Ondo(2005, 7, 14, 1), 28.7f);
  w->cmdEnd_Click();
  bar()->tlbMain_ButtonClick(8);  // the toolbar's weather button shows the same window
  EXPECT_EQ(WeatherWindow(), w);
  EXPECT_EQ(w->hscKionHigh->value(), 287);

  // An unsaved edit, then closing the menu bar: the question offers to save.
  w->hscKionHigh->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_TRUE(Changed(RecordKind::Weather));
  boxes.Answer(MsgResult::Yes);
  bar()->close();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].buttons, MsgButtons::YesNoCancel);
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(Changed(RecordKind::Weather));
  Ondo(2005, 7, 14, 1) = 0.0f;
  ASSERT_TRUE(LoadOndo());
  EXPECT_FLOAT_EQ(Ondo(2005, 7, 14, 1), 28.8f);
}

TEST_F(OneEditTest, ClosingAllWindowsUnloadsTheWeatherWindow) {
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->mnuPopupElement->trigger();
  ASSERT_NE(WeatherWindow(), nullptr);
  bar()->mnuPopupWindowClose->trigger();
  EXPECT_EQ(WeatherWindow(), nullptr);
  ProcessEvents();
}

TEST_F(OneEditTest, AReloadFromTheFilesReachesEveryLoadedRecordWindow) {
  ASSERT_EQ(Start(), StartResult::Running);
  MessageBoxes boxes;
  // What the files hold for today (the 14th of July 2005) and a year later.
  Ondo(2005, 7, 14, 1) = 31.2f;
  Nikki(2005, 7, 14) = "夕立";
  Nikki(2006, 7, 14) = "翌年";
  ASSERT_TRUE(SaveOndo() && SaveNikki());

  // The windows open on other values, and another window moved the date.
  Ondo(2005, 7, 14, 1) = 5.0f;
  Nikki(2005, 7, 14) = "古い";
  Nikki(2006, 7, 14) = "古い";
  bar()->mnuDisplayElement->trigger();
  bar()->mnuDisplayDiaryEdit->trigger();
  bar()->mnuDisplayDiaryIndicate->trigger();
  frmMain* weather = WeatherWindow();
  frmDiaryEdit* editor = LoadedDiaryEdit();
  frmDiary* viewer = LoadedDiary();
  ASSERT_TRUE(weather && editor && viewer);
  EXPECT_EQ(weather->hscKionHigh->value(), 50);
  EXPECT_EQ(editor->txtDiary->toPlainText(), QStringLiteral("古い"));
  CurDay = 20;

  bar()->mnuFileRead->trigger();
  EXPECT_EQ(weather->hscKionHigh->value(), 312);
  EXPECT_EQ(weather->txtCalender->text(), QStringLiteral("2005/07/14"));
  EXPECT_EQ(editor->txtDiary->toPlainText(), QStringLiteral("夕立"));
  EXPECT_EQ(editor->txtCalender->text(), QStringLiteral("2005/07/14"));
  EXPECT_EQ(viewer->txtDiary1->toPlainText(), QStringLiteral("夕立"));
  EXPECT_EQ(viewer->txtDiary2->toPlainText(), QStringLiteral("翌年"));
  // Showing what was read is no change; typing after it goes into the day shown.
  EXPECT_FALSE(Changed(RecordKind::Weather));
  EXPECT_FALSE(Changed(RecordKind::Diary));
  editor->txtDiary->appendPlainText(QStringLiteral("。"));
  EXPECT_EQ(Nikki(2005, 7, 14), "夕立\r\n。");
  EXPECT_TRUE(boxes.calls().empty());

  // A window that is not loaded stays unloaded (the typed edit is given up).
  UnloadDiary();
  boxes.Answer(MsgResult::Yes);
  bar()->mnuFileRead->trigger();
  EXPECT_EQ(LoadedDiary(), nullptr);
}

// The focus stays where it was across a save, and comes back to the menu bar
// when a window closes (no window manager hands it on).
TEST_F(OneEditTest, TheFocusStaysAfterASaveAndReturnsToTheMenuBar) {
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->mnuDisplayElement->trigger(), bar()->mnuDisplayDiaryEdit->trigger();
  for (auto [window, save, close] : {std::tuple<QWidget*, QPushButton*, QPushButton*>{WeatherWindow(), WeatherWindow()->cmdSave, WeatherWindow()->cmdEnd},
                                     {LoadedDiaryEdit(), LoadedDiaryEdit()->cmdSave, LoadedDiaryEdit()->cmdEnd}}) {
    QApplication::setActiveWindow(window), save->setFocus(Qt::TabFocusReason);
    QTest::keyClick(save, Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), save) << "not on 閉じる, not nowhere";
    QTest::keyClick(close, Qt::Key_Space), ProcessEvents();
    EXPECT_EQ(QApplication::activeWindow(), bar());
  }
}
