#include <QDir>
#include <filesystem>

#include "shell/ShellFixture.h"

namespace {

const QString kQuestion = QStringLiteral("データが変更されてます\r\n終了する前に保存しますか？");

void SetAllFlags() {
  for (RecordKind k : {RecordKind::Weather, RecordKind::Diary, RecordKind::Price, RecordKind::Schedule}) MarkChanged(k);
}

}  // namespace

TEST_F(ShellTest, ClosingWithNothingChangedEndsWithoutAQuestion) {
  ASSERT_EQ(Start(), StartResult::Running);
  MessageBoxes boxes;
  bar()->mnuFileQuit->trigger();
  EXPECT_TRUE(boxes.calls().empty());
  EXPECT_EQ(ended, 1);
}

TEST_F(ShellTest, TheExitQuestionAndEachOfItsAnswers) {
  ASSERT_EQ(Start(), StartResult::Running);
  const std::string ondo = dataDir() + "ondo.dat";

  {  // Cancel: nothing written, the window stays as it was.
    MessageBoxes boxes;
    boxes.Answer(MsgResult::Cancel);
    MarkChanged(RecordKind::Diary);
    bar()->close();
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, kQuestion);
    EXPECT_EQ(boxes.calls()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(boxes.calls()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("Vorn"));
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(bar()->isVisible());
    EXPECT_FALSE(std::filesystem::exists(ondo));
    EXPECT_TRUE(Changed(RecordKind::Diary));
  }
  {  // No: ends without saving.
    MessageBoxes boxes;
    boxes.Answer(MsgResult::No);
    ClearChanged(RecordKind::Diary);
    MarkChanged(RecordKind::Price);
    MarkChanged(RecordKind::Weather);
    bar()->close();
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(std::filesystem::exists(ondo));
  }
  bar()->show();
  {  // Yes: saves everything, clears the flags, ends.
    MessageBoxes boxes;
    boxes.Answer(MsgResult::Yes);
    SetAllFlags();
    bar()->tlbMain_ButtonClick(21);
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(ended, 2);
    EXPECT_TRUE(std::filesystem::exists(ondo));
    EXPECT_FALSE(AnyChangeFlag());
    EXPECT_TRUE(bar()->isEnabled());
  }
}

TEST_F(ShellTest, AFailedSaveAtExitKeepsTheProgramAndTheQuestion) {
  ASSERT_EQ(Start(), StartResult::Running);
  // A directory where the file should be: the writer cannot replace it.
  std::filesystem::create_directory(dataDir() + "ondo.dat");
  MessageBoxes boxes;
  boxes.Answer(MsgResult::Yes);
  SetAllFlags();
  bar()->close();
  ASSERT_GE(boxes.calls().size(), 2u);
  EXPECT_TRUE(boxes.calls()[1].text.startsWith(QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ:")));
  EXPECT_EQ(ended, 0);
  EXPECT_TRUE(bar()->isVisible());
  EXPECT_TRUE(bar()->isEnabled());
  EXPECT_TRUE(Changed(RecordKind::Weather));
  // The other files were still written.
  EXPECT_TRUE(std::filesystem::exists(dataDir() + "tenki.dat"));

  // Once the obstacle is gone the next attempt ends the program.
  std::filesystem::remove(dataDir() + "ondo.dat");
  boxes.clear();
  boxes.Answer(MsgResult::Yes);
  bar()->close();
  EXPECT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(ended, 1);
}

TEST_F(ShellTest, CancelAfterQuittingFromTheTrayKeepsTheProgramReachable) {
  ASSERT_EQ(Start(QStringLiteral("/t")), StartResult::Running);
  ASSERT_TRUE(bar()->tray->IsAdded());
  MessageBoxes boxes;
  boxes.Answer(MsgResult::Cancel);
  MarkChanged(RecordKind::Schedule);
  bar()->mnuPopupQuit->trigger();
  EXPECT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(ended, 0);
  // The menu bar stays hidden as it was, and the icon is back.
  EXPECT_FALSE(bar()->isVisible());
  EXPECT_TRUE(bar()->tray->IsAdded());

  // Quitting from the tray with nothing changed removes the icon and ends.
  ClearChanged(RecordKind::Schedule);
  bar()->mnuPopupQuit->trigger();
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(bar()->tray->IsAdded());
}
