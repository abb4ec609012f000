// Reading the data files again from the menu bar while edits are unsaved:
// the farmer is asked first, every way of reloading asks, and an answer of
// No keeps the edits, the day and the exit question as they were.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "shell/ShellFixture.h"
#include "shell/modFile.h"
#include "store/Store.h"

namespace {

const QString kQuestion = QStringLiteral("データが変更されてます\r\n保存していない変更は失われます。再読込しますか？");

class ReloadTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ASSERT_EQ(Start(), StartResult::Running);
    Tenki(2005, 7, 1) = "123";
    ASSERT_TRUE(SaveAll(bar()));
  }
  // An edit as the weather window makes it.
  void Edit() {
    Tenki(2005, 7, 1) = "456";
    MarkChanged(RecordKind::Weather);
    CurDay = 1;
  }
};

}  // namespace

TEST_F(ReloadTest, EveryReloadAsksBeforeDroppingUnsavedEditsAndNoKeepsThem) {
  const std::vector<std::pair<const char*, std::function<void()>>> reloads = {
      {"menu", [this] { bar()->mnuFileRead->trigger(); }},
      {"tray menu", [this] { bar()->mnuPopupRead->trigger(); }},
      {"toolbar", [this] { bar()->ToolButton(2)->trigger(); }},
  };
  for (const auto& [name, reload] : reloads) {
    SCOPED_TRACE(name);
    Edit();
    {
      MessageBoxes boxes;
      boxes.Answer(MsgResult::No);
      reload();
      ASSERT_EQ(boxes.calls().size(), 1u);
      EXPECT_EQ(boxes.calls()[0].text, kQuestion);
      EXPECT_EQ(boxes.calls()[0].buttons, MsgButtons::YesNo);
      EXPECT_EQ(boxes.calls()[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(Tenki(2005, 7, 1), "456");
    EXPECT_TRUE(Changed(RecordKind::Weather));
    EXPECT_EQ(CurDay, 1);
    EXPECT_EQ(Busy, 0);
    EXPECT_TRUE(bar()->isEnabled());

    {
      MessageBoxes boxes;
      boxes.Answer(MsgResult::Yes);
      reload();
      EXPECT_EQ(boxes.calls().size(), 1u);
    }
    EXPECT_EQ(Tenki(2005, 7, 1), "123");
    // The tables are the files again: nothing is left to save.
    EXPECT_FALSE(Changed(RecordKind::Weather));
    // Without edits the reload asks nothing (a question would fail here).
    MessageBoxes none;
    reload();
  }
  // And the exit asks nothing either.
  MessageBoxes none;
  bar()->close();
  EXPECT_EQ(ended, 1);
}

TEST_F(ReloadTest, AReloadThatCouldNotReadAFileKeepsTheExitQuestion) {
  Edit();
  std::filesystem::remove(dataDir() + "tenki.dat");
  std::filesystem::create_directory(dataDir() + "tenki.dat");
  MessageBoxes boxes;
  boxes.Answer(MsgResult::Yes);
  bar()->mnuFileRead->trigger();
  // The question, then the reader's error.
  ASSERT_EQ(boxes.calls().size(), 2u);
  EXPECT_EQ(boxes.calls()[1].buttons, MsgButtons::Ok);
  EXPECT_TRUE(Changed(RecordKind::Weather));
  boxes.Answer(MsgResult::Cancel);
  bar()->close();
  EXPECT_EQ(boxes.calls().size(), 3u);
  EXPECT_EQ(ended, 0);
}

TEST_F(ReloadTest, EnterAtTheRealReloadQuestionKeepsTheEdits) {
  // No answering hook: the box itself runs its modal loop and the farmer
  // presses Enter, as one does to get past a box quickly.
  Edit();
  RealMessageBoxes real;
  QString asked;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    asked = box->text();
    QTest::keyClick(box, Qt::Key_Return);
  });
  bar()->mnuFileRead->trigger();
  EXPECT_TRUE(asked.contains(QStringLiteral("再読込しますか")));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(Tenki(2005, 7, 1), "456");
  EXPECT_TRUE(Changed(RecordKind::Weather));
}
