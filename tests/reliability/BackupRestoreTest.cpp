// Backup and restore against folders a farmer may really pick: one holding
// only some of the files, none of them, two spellings of a file name, and
// the data folder itself. Nothing the folder lacks may be wiped, nothing
// unsaved may go without a question, and the same spelling is always used.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <map>
#include <memory>

#include "platform/Screen.h"
#include "reliability/FilledStore.h"
#include "shell/frmSave.h"
#include "shell/modFile.h"
#include "store/DataFile.h"
#include "store/DiaryFile.h"
#include "store/FileSequences.h"
#include "store/ScheduleFile.h"
#include "store/Store.h"
#include "store/WeatherFiles.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const QString kOverwrite = QStringLiteral("既存のデータを上書きします。よろしいですか？");

class BackupRestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CaptureTwipsPerPixel();
    ResetStore();
    StoreErrorHook = [this](const StoreError& e) { reported.push_back(e.number); };
    // The backup holds version 2 of everything, the data folder version 1
    // with a marked weather day.
    DataPath = backup.dir();
    FillRecords(2);
    ASSERT_TRUE(SaveAllFiles());
    ResetStore();
    DataPath = HomeDataPath = home.dir();
    FillRecords(1);
    Tenki(2006, 1, 1) = "555";
    ASSERT_TRUE(SaveAllFiles());
    before = Files(home);
  }
  void TearDown() override {
    StoreErrorHook = nullptr;
    HomeDataPath.clear();
    ResetStore();
  }

  static std::map<std::string, std::string> Files(const TempDir& d) {
    std::map<std::string, std::string> m;
    for (const std::string& name : d.Names()) m[name] = d.Read(name);
    return m;
  }

  // Runs the dialog's command in a mode on a folder with the given answers;
  // returns whether the dialog closed.
  bool Run(frmSave::Mode mode, const std::string& folder, std::initializer_list<MsgResult> answers = {}) {
    for (MsgResult a : answers) boxes.Answer(a);
    auto* dlg = new frmSave(mode);
    dlg->show();
    QPointer<frmSave> alive(dlg);
    dlg->dirMain->SetPath(QString::fromStdString(folder));
    QTest::mouseClick(dlg->cmdSave, Qt::LeftButton);
    ProcessEvents();
    EXPECT_EQ(DataPath, home.dir());
    bool closed = alive.isNull();
    delete alive.data();
    return closed;
  }
  bool Restore(const std::string& folder, std::initializer_list<MsgResult> answers = {}) {
    return Run(frmSave::Mode::Restore, folder, answers);
  }
  bool Backup(const std::string& folder) { return Run(frmSave::Mode::Backup, folder); }

  TempDir home, backup;
  MessageBoxes boxes;
  std::map<std::string, std::string> before;
  std::vector<int> reported;
};

}  // namespace

TEST_F(BackupRestoreTest, AFolderWithSomeOfTheFilesRestoresThoseAndKeepsEverythingElse) {
  for (const char* gone : {"Schedule.dat", "tenki.dat", "observe.dat", "nikki.dat", "price.dat"})
    fs::remove(backup.file(gone));
  const std::string backupOndo = backup.Read("ondo.dat");
  // Unsaved edits: one in a file the folder holds, one in a file it lacks.
  Ondo(2005, 7, 1, 1) = 30.0f;
  Nikki(2005, 7, 3) = "未保存の日記";
  WeatherChanged = DiaryChanged = -1;

  EXPECT_TRUE(Restore(backup.dir(), {MsgResult::Yes}));
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("このフォルダにない次のファイルは、今のデータのまま残ります。\r\n"
                                                  "Schedule.dat、tenki.dat、observe.dat、nikki.dat、price.dat\r\n") +
                                       kOverwrite);
  EXPECT_TRUE(reported.empty());

  // What the folder holds is restored, over the unsaved edit too.
  EXPECT_FLOAT_EQ(Ondo(2005, 7, 1, 1), 22.0f);
  EXPECT_FLOAT_EQ(Kousui(2005, 7, 9), 2.0f);
  EXPECT_EQ(Material(1).OrVolNum(1), 2);
  EXPECT_EQ(home.Read("ondo.dat"), backupOndo);
  // What it lacks is neither reset nor wiped from the data folder.
  EXPECT_EQ(Tenki(2006, 1, 1), "555");
  EXPECT_EQ(PriceItem(0).Name, "トマト");
  EXPECT_EQ(PriceHigh(0)(2005, 7, 1), 100);
  EXPECT_EQ(ObserveItem(0).Comment(2005, 7, 1), "観察1");
  EXPECT_EQ(Schedule(0).SchedulePeriod(2005)(0).End, 511);
  for (const char* kept : {"Schedule.dat", "tenki.dat", "observe.dat", "price.dat"})
    EXPECT_EQ(home.Read(kept), before[kept]) << kept;
  // The unsaved diary edit was kept, and saved with the rest.
  EXPECT_EQ(Nikki(2005, 7, 3), "未保存の日記");
  EXPECT_FALSE(AnyChangeFlag());
  Nikki(2005, 7, 3).clear();
  ASSERT_TRUE(LoadNikki());
  EXPECT_EQ(Nikki(2005, 7, 3), "未保存の日記");
}

TEST_F(BackupRestoreTest, AFolderWithNoneOfTheFilesRestoresNothingAndStaysOpen) {
  TempDir other;
  // Look-alikes are not data files.
  other.Write("tenki.dat.tmp-0badf00d", "x");
  other.Write("nikki.dat.damaged-20050714-101010", "x");
  other.Write("readme.txt", "x");
  Nikki(2005, 7, 3) = "未保存の日記";
  DiaryChanged = -1;

  EXPECT_FALSE(Restore(other.dir()));
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("このフォルダには、復元するデータがありません。"));
  EXPECT_EQ(boxes.calls()[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(Tenki(2006, 1, 1), "555");
  EXPECT_EQ(PriceHigh(0)(2005, 7, 1), 100);
  EXPECT_EQ(Nikki(2005, 7, 3), "未保存の日記");
  EXPECT_EQ(DiaryChanged, -1);
  EXPECT_EQ(Files(home), before);
  EXPECT_EQ(other.Names().size(), 3u);
}

TEST_F(BackupRestoreTest, TheDataFolderItselfIsRefusedForBackupAndRestoreHoweverItIsReached) {
  fs::create_directory_symlink(fs::path(home.dir()).parent_path(), backup.file("link-to-data"));
  Ondo(2005, 7, 1, 1) = 30.0f;
  WeatherChanged = -1;
  for (const std::string& folder : {home.dir(), backup.file("link-to-data")}) {
    SCOPED_TRACE(folder);
    for (bool restore : {false, true}) {
      boxes.clear();
      EXPECT_FALSE(restore ? Restore(folder) : Backup(folder));
      ASSERT_EQ(boxes.calls().size(), 1u);
      EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("データのフォルダが選ばれています。\r\n別のフォルダを選んでください。"));
      // Neither saved behind the farmer's back nor read over the edit.
      EXPECT_EQ(Files(home), before);
      EXPECT_FLOAT_EQ(Ondo(2005, 7, 1, 1), 30.0f);
      EXPECT_EQ(WeatherChanged, -1);
    }
  }
  // A folder inside the data folder is another folder.
  fs::create_directory(home.file("backup"));
  boxes.clear();
  EXPECT_TRUE(Backup(home.file("backup")));
  ASSERT_EQ(boxes.calls().size(), 1u);  // where, and which files
  EXPECT_TRUE(boxes.calls()[0].text.contains(QString::fromStdString(home.file("backup\r\nondo.dat、Schedule.dat"))));
  EXPECT_TRUE(fs::exists(home.file("backup/ondo.dat")));
  EXPECT_EQ(frmSave().txtFolder->text().toStdString(), home.file("backup"));  // the next opening starts there
}

TEST_F(BackupRestoreTest, TwoSpellingsOfAFileNameAlwaysMeanTheSameOneAndTheOtherIsLeftAlone) {
  // A backup copied from a system that ignores case, beside files of ours.
  fs::rename(backup.file("tenki.dat"), backup.file("TENKI.DAT"));
  DataPath = backup.dir();
  Tenki(2006, 1, 1) = "777";
  ASSERT_TRUE(SaveTenki());
  ASSERT_TRUE(fs::exists(backup.file("TENKI.DAT")));
  Tenki(2006, 1, 1) = "555";
  Schedule(0).Work = "稲刈り";
  DataPath = backup.dir() + "lower/";
  fs::create_directory(DataPath);
  ASSERT_TRUE(SaveSchedule());
  fs::rename(DataPath + "Schedule.dat", backup.file("schedule.dat"));
  fs::remove(DataPath);
  DataPath = home.dir();
  const auto backupFiles = Files(backup);

  // Every file is there under some spelling, so no file is named as missing;
  // the program's own spelling wins over another one.
  EXPECT_TRUE(Restore(backup.dir(), {MsgResult::Yes}));
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_EQ(boxes.calls()[0].text, kOverwrite);
  EXPECT_EQ(Tenki(2006, 1, 1), "777");
  EXPECT_EQ(Schedule(0).Work, "田植え");
  EXPECT_NE(home.Read("tenki.dat").find("777"), std::string::npos);
  EXPECT_EQ(Files(backup), backupFiles);
  EXPECT_TRUE(reported.empty());
}

TEST_F(BackupRestoreTest, InAFolderWithTwoOtherSpellingsSavesAndLoadsKeepToOne) {
  // Some file systems list a file that was just replaced last; a tmpfs does,
  // where there is one.
  std::unique_ptr<TempDir> shm;
  if (fs::is_directory("/dev/shm") && access("/dev/shm", W_OK) == 0) shm = std::make_unique<TempDir>("/dev/shm");
  const TempDir local;
  const TempDir& folder = shm ? *shm : local;
  DataPath = folder.dir();
  folder.Write("TENKI.DAT", "");
  folder.Write("Tenki.dat", "");
  for (const char* code : {"101", "202", "303", "404"}) {
    Tenki(2006, 1, 1) = code;
    ASSERT_TRUE(SaveTenki());
    Tenki(2006, 1, 1) = "";
    ASSERT_TRUE(LoadTenki());
    EXPECT_EQ(Tenki(2006, 1, 1), code);
  }
  // The first in byte order is the one used; the other is as it was.
  EXPECT_NE(folder.Read("TENKI.DAT").find("404"), std::string::npos);
  EXPECT_EQ(folder.Read("Tenki.dat"), "");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"TENKI.DAT", "Tenki.dat"}));
}
