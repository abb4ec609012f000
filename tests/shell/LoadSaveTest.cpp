#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <filesystem>

#include "platform/EventYield.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "shell/frmProgress.h"
#include "shell/frmSave.h"
#include "shell/modFile.h"
#include "store/FileSequences.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"
#include "../store/StoreFixture.h"

namespace {

class LoadSaveTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    CaptureTwipsPerPixel();
    HomeDataPath = DataPath;
  }
};

// What the owner and the progress window looked like while the files ran.
struct Seen {
  bool ownerEnabled = true;
  bool progressShown = false;
  int32_t total = 0;
  std::string caption;
};
QWidget* watchedOwner = nullptr;
Seen seen;
void Watch() {
  if (watchedOwner) seen.ownerEnabled = seen.ownerEnabled && watchedOwner->isEnabled();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<frmProgress*>(w) && w->isVisible()) seen.progressShown = true;
  seen.total = ProgressTotal;
  seen.caption = ProgressCaption;
}

void ChangeAll() { WeatherChanged = DiaryChanged = PriceChanged = ScheduleChanged = -1; }
bool AnyChanged() { return WeatherChanged || DiaryChanged || PriceChanged || ScheduleChanged; }

}  // namespace

TEST(ProgressWindow, BarAndPercentAtZeroHalfAndBeyondTheTotal) {
  CaptureTwipsPerPixel();
  frmProgress p;
  EXPECT_EQ(ProgressTotal, 0);
  EXPECT_EQ(ProgressCaption, "");
  EXPECT_EQ(p.size(), QSize(397, 75));
  EXPECT_EQ(p.pctProgress->geometry(), QRect(6, 10, 375, 19));
  EXPECT_EQ(p.lblProgress->geometry(), QRect(8, 42, 301, 27));
  EXPECT_EQ(p.lblPer->geometry(), QRect(316, 42, 47, 27));
  EXPECT_EQ(p.lblPer->font().pointSize(), 12);
  EXPECT_EQ(BarWidth, 371 * 15);
  EXPECT_EQ(BarHeight, 15 * 15);
  const QColor face = p.palette().color(QPalette::Button);
  const QColor high = p.palette().color(QPalette::Highlight);
  ASSERT_NE(face, high);
  const QImage& bar = p.pctProgress->Image();
  ASSERT_EQ(bar.size(), QSize(371, 15));

  ProgressTotal = 1000;
  ProgressCaption = "データを保存中．．．";
  ProgressCount = 0;
  p.tmrProgress_Timer();
  EXPECT_EQ(p.lblPer->text(), QStringLiteral("0%"));
  EXPECT_EQ(p.lblProgress->text(), QStringLiteral("データを保存中．．．"));
  EXPECT_EQ(bar.pixelColor(0, 7), face);

  ProgressCount = 500;
  p.tmrProgress_Timer();
  EXPECT_EQ(p.lblPer->text(), QStringLiteral("50%"));
  // 500 / 1000 of 5565 twips = 2782.5, rounded to even 2782, 185.47 pixels.
  EXPECT_EQ(bar.pixelColor(184, 0), high);
  EXPECT_EQ(bar.pixelColor(184, 14), high);
  EXPECT_EQ(bar.pixelColor(185, 7), face);

  ProgressCount = 999;
  p.tmrProgress_Timer();
  EXPECT_EQ(p.lblPer->text(), QStringLiteral("99%"));

  ProgressCount = 1250;
  p.tmrProgress_Timer();
  EXPECT_EQ(p.lblPer->text(), QStringLiteral("125%"));
  EXPECT_EQ(bar.pixelColor(370, 7), high);

  // Before a total is set a tick leaves everything as it was.
  ProgressTotal = 0;
  MessageBoxes boxes;
  p.tmrProgress_Timer();
  EXPECT_EQ(p.lblPer->text(), QStringLiteral("125%"));
}

TEST_F(LoadSaveTest, TheFrameDisablesTheOwnerShowsProgressAndClearsFlagsOnlyOnSuccess) {
  MessageBoxes boxes;
  QWidget owner;
  owner.show();
  watchedOwner = &owner;
  YieldHook = [] { Watch(); };
  seen = {};
  ChangeAll();
  EXPECT_TRUE(SaveAll(&owner));
  EXPECT_FALSE(seen.ownerEnabled);
  EXPECT_TRUE(seen.progressShown);
  EXPECT_EQ(seen.total, kSaveAllTotal);
  EXPECT_EQ(seen.caption, kSaveAllCaption);
  EXPECT_TRUE(owner.isEnabled());
  EXPECT_FALSE(AnyChanged());
  EXPECT_TRUE(dir.Exists("ondo.dat"));
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<frmProgress*>(w), nullptr);

  seen = {};
  Tenki(2010, 1, 1) = "";
  EXPECT_TRUE(LoadAll(&owner));
  EXPECT_FALSE(seen.ownerEnabled);
  EXPECT_EQ(seen.total, kLoadAllTotal);
  EXPECT_EQ(seen.caption, kLoadAllCaption);
  EXPECT_TRUE(owner.isEnabled());
  EXPECT_EQ(Tenki(2010, 1, 1), "038");

  // One file that cannot be written keeps every flag.
  std::filesystem::remove(dir.file("tenki.dat"));
  std::filesystem::create_directory(dir.file("tenki.dat"));
  ChangeAll();
  EXPECT_FALSE(SaveAll(&owner));
  EXPECT_EQ(WeatherChanged, -1);
  EXPECT_EQ(ScheduleChanged, -1);
  EXPECT_EQ(numbers().size(), 1u);
  EXPECT_TRUE(owner.isEnabled());
  watchedOwner = nullptr;
  YieldHook = nullptr;
}

TEST_F(LoadSaveTest, TheEventYieldLetsTimersRunButNotTooOften) {
  InstallEventYield();
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(0);
  QElapsedTimer t;
  t.start();
  int calls = 0;
  while (t.elapsed() < 60) {
    StepProgress();
    ++calls;
  }
  YieldHook = nullptr;
  EXPECT_GT(ticks, 0);
  // At most one pass of the event loop per 15 ms, however often it is called.
  EXPECT_LE(ticks, 6);
  EXPECT_GT(calls, 1000);
}

TEST_F(LoadSaveTest, BackupWritesIntoTheChosenDirectoryAndKeepsTheFlags) {
  MessageBoxes boxes;
  TempDir backup;
  std::filesystem::create_directory(backup.file("sub"));
  Tenki(2003, 3, 3) = "123";
  ChangeAll();
  auto* dlg = new frmSave(frmSave::Mode::Backup);
  dlg->show();
  QPointer<frmSave> alive(dlg);
  dlg->dirMain->SetPath(QString::fromStdString(backup.file("sub")));
  dlg->cmdSave_Click();
  ProcessEvents();
  EXPECT_TRUE(alive.isNull());
  EXPECT_EQ(DataPath, dir.dir());
  for (const char* f : {"tenki.dat", "ondo.dat", "kousui.dat"}) {
    EXPECT_TRUE(std::filesystem::exists(backup.file(std::string("sub/") + f))) << f;
    EXPECT_FALSE(dir.Exists(f)) << f;
  }
  // The data directory itself is still unsaved.
  EXPECT_EQ(WeatherChanged, -1);
  EXPECT_EQ(boxes.calls().size(), 1u);  // the backup's report
}

TEST_F(LoadSaveTest, RestoreAsksReadsTheBackupAndWritesItHome) {
  TempDir backup;
  // A backup with one marked day.
  DataPath = backup.dir();
  Tenki(2004, 4, 4) = "777";
  SaveAllFiles();
  DataPath = dir.dir();
  ResetStore();
  DataPath = dir.dir();
  Tenki(2004, 4, 4) = "111";
  SaveAllFiles();

  auto restore = [&](const std::string& from, MsgResult answer) {
    MessageBoxes boxes;
    boxes.Answer(answer);
    auto* dlg = new frmSave(frmSave::Mode::Restore);
    dlg->show();
    QPointer<frmSave> alive(dlg);
    dlg->dirMain->SetPath(QString::fromStdString(from));
    dlg->cmdSave_Click();
    ProcessEvents();
    EXPECT_TRUE(alive.isNull());
    EXPECT_EQ(DataPath, dir.dir());
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("既存のデータを上書きします。よろしいですか？"));
    EXPECT_EQ(boxes.calls()[0].buttons, MsgButtons::YesNo);
  };

  restore(backup.dir(), MsgResult::No);
  EXPECT_EQ(Tenki(2004, 4, 4), "111");

  ChangeAll();
  restore(backup.dir(), MsgResult::Yes);
  EXPECT_EQ(Tenki(2004, 4, 4), "777");
  EXPECT_NE(dir.Read("tenki.dat").find("777"), std::string::npos);
  EXPECT_FALSE(AnyChanged());
}

TEST_F(LoadSaveTest, ADriveThatIsNotReadyKeepsThePreviousDirectory) {
  MessageBoxes boxes;
  TempDir volume;
  frmSave dlg;
  dlg.dirMain->SetPath(QString::fromStdString(dir.dir()));
  const QString before = dlg.dirMain->Path();
  const int drive = dlg.drvMain->currentIndex();
  dlg.drvMain->addItem(QStringLiteral("ready"), QString::fromStdString(volume.dir()));
  dlg.drvMain->addItem(QStringLiteral("empty drive"), QStringLiteral("/no/such/vorn/volume"));
  dlg.drvMain->setCurrentIndex(dlg.drvMain->count() - 1);
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("ディスクが用意されていません"));
  EXPECT_EQ(boxes.calls()[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(dlg.dirMain->Path(), before);
  EXPECT_EQ(dlg.drvMain->currentIndex(), drive);

  dlg.drvMain->setCurrentIndex(dlg.drvMain->count() - 2);
  EXPECT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(dlg.dirMain->Path() + "/", QString::fromStdString(volume.dir()));
}

TEST(DirectoryList, ShowsTheWayDownAndOpensADoubleClickedDirectory) {
  TempDir root;
  std::filesystem::create_directories(root.file("a/b"));
  std::filesystem::create_directories(root.file("a/c/c1"));
  std::filesystem::create_directories(root.file("a/c/c2"));
  DirListBox list;
  list.resize(300, 400);
  list.show();
  list.SetPath(QString::fromStdString(root.file("a")));
  ASSERT_GE(list.count(), 3);
  EXPECT_EQ(list.item(0)->text(), QStringLiteral("/"));
  EXPECT_EQ(list.item(list.count() - 2)->text().trimmed(), QStringLiteral("b"));
  EXPECT_EQ(list.item(list.count() - 1)->text().trimmed(), QStringLiteral("c"));
  EXPECT_EQ(list.currentRow(), list.count() - 3);
  // A click selects; a double-click opens the line clicked, not the child
  // that moves under the pointer once it is open.
  const QPoint onC = list.visualItemRect(list.item(list.count() - 1)).center();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, onC);
  EXPECT_EQ(list.Path(), QString::fromStdString(root.file("a")));
  EXPECT_EQ(list.SelectedPath(), QString::fromStdString(root.file("a/c")));
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, onC);
  EXPECT_EQ(list.Path(), QString::fromStdString(root.file("a/c")));
  EXPECT_EQ(list.item(list.count() - 1)->text().trimmed(), QStringLiteral("c2"));
  list.setCurrentRow(list.count() - 1);
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(list.Path(), QString::fromStdString(root.file("a/c/c2")));
  list.SetPath(QString::fromStdString(root.file("a/c")));
  EXPECT_EQ(frmSave::DirectoryPath(QStringLiteral("/")), "/");
  EXPECT_EQ(frmSave::DirectoryPath(QStringLiteral("/media/usb")), "/media/usb/");
  EXPECT_THROW(list.SetPath(QStringLiteral("/no/such/vorn/dir")), rt::RuntimeError);
  EXPECT_EQ(list.Path(), QString::fromStdString(root.file("a/c")));
}
