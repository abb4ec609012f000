// The disk fails under a save or a load: the failure is reported with its
// number, the files on disk stay as they were, the change flags stay set so
// that the exit question is still asked, and once the fault is gone the next
// save goes through.
#include <gtest/gtest.h>

#include <QWidget>
#include <filesystem>
#include <map>

#include "platform/Screen.h"
#include "reliability/FaultShim.h"
#include "reliability/FilledStore.h"
#include "shell/modFile.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/Store.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

namespace {

const char* const kFiles[] = {"ondo.dat", "Schedule.dat", "tenki.dat", "material.dat",
                              "kousui.dat", "observe.dat", "nikki.dat", "price.dat"};

class DiskFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CaptureTwipsPerPixel();
    ResetStore();
    DataPath = HomeDataPath = dir.dir();
    StoreErrorHook = [this](const StoreError& e) { reported.push_back(e.number); };
    FillRecords(1);
    ASSERT_TRUE(SaveAll(&owner));
    old = Snapshot();
    reported.clear();
    // Unsaved edits in every kind of record.
    FillRecords(2);
    for (RecordKind k : {RecordKind::Weather, RecordKind::Diary, RecordKind::Price, RecordKind::Schedule}) MarkChanged(k);
  }
  void TearDown() override {
    StoreErrorHook = nullptr;
    HomeDataPath.clear();
    ResetStore();
  }

  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> m;
    for (const char* f : kFiles) m[f] = dir.Read(f);
    return m;
  }
  // Nothing but the eight data files in the folder.
  bool OnlyDataFiles() const {
    std::vector<std::string> want(std::begin(kFiles), std::end(kFiles));
    std::sort(want.begin(), want.end());
    return dir.Names() == want;
  }
  bool FlagsSet() const {
    return Changed(RecordKind::Weather) && Changed(RecordKind::Diary) && Changed(RecordKind::Price) &&
           Changed(RecordKind::Schedule);
  }

  // After the fault is gone, a save goes through and writes the edits.
  void SaveWorksAgain() {
    reported.clear();
    EXPECT_TRUE(SaveAll(&owner));
    EXPECT_TRUE(reported.empty());
    EXPECT_FALSE(Changed(RecordKind::Weather));
    EXPECT_FALSE(Changed(RecordKind::Schedule));
    for (const char* f : kFiles) EXPECT_NE(dir.Read(f), old[f]) << f;
  }

  TempDir dir;
  QWidget owner;
  MessageBoxes boxes;
  std::map<std::string, std::string> old;
  std::vector<int> reported;
};

TEST_F(DiskFaultTest, AFullDiskIsReportedAs61AndLeavesEveryFileAsItWas) {
  {
    InjectFault full({FaultCall::Write, ENOSPC, ""});
    EXPECT_FALSE(SaveAll(&owner));
    EXPECT_GT(InjectFault::Failures(), 0);
  }
  EXPECT_EQ(reported, std::vector<int>(8, 61));
  EXPECT_EQ(Snapshot(), old);
  EXPECT_TRUE(OnlyDataFiles());
  EXPECT_TRUE(FlagsSet());
  SaveWorksAgain();
}

TEST_F(DiskFaultTest, AFolderMadeReadOnlyAfterStartIsReportedAs70) {
  {
    // As root the permission bits would not stop the program; the file
    // system refuses the new file instead, as a read-only mount does.
    InjectFault readOnly({FaultCall::Create, EROFS, dir.dir()});
    EXPECT_FALSE(SaveAll(&owner));
  }
  EXPECT_EQ(reported, std::vector<int>(8, 70));
  EXPECT_EQ(Snapshot(), old);
  EXPECT_TRUE(OnlyDataFiles());
  EXPECT_TRUE(FlagsSet());
  SaveWorksAgain();
}

TEST_F(DiskFaultTest, AFailedFlushToDiskKeepsTheOldFile) {
  {
    InjectFault io({FaultCall::Fsync, EIO, "price.dat"});
    EXPECT_FALSE(SaveAll(&owner));
  }
  EXPECT_EQ(reported, std::vector<int>{57});
  EXPECT_EQ(dir.Read("price.dat"), old["price.dat"]);
  EXPECT_TRUE(OnlyDataFiles());
  EXPECT_TRUE(FlagsSet());
  SaveWorksAgain();
}

TEST_F(DiskFaultTest, ARemovedDataFolderIsReportedAs76AndASaveAfterItIsBackWorks) {
  std::filesystem::remove_all(dir.dir());
  EXPECT_FALSE(SaveAll(&owner));
  EXPECT_EQ(reported, std::vector<int>(8, 76));
  EXPECT_TRUE(FlagsSet());
  std::filesystem::create_directory(dir.dir());
  reported.clear();
  EXPECT_TRUE(SaveAll(&owner));
  EXPECT_TRUE(reported.empty());
  EXPECT_FALSE(Changed(RecordKind::Weather));
}

// A file read on the calling thread and one read beside the others.
TEST_F(DiskFaultTest, AnIoErrorOnReadIsReportedAs57AndTheOtherFilesStillLoad) {
  for (const char* file : {"nikki.dat", "material.dat"}) {
    SCOPED_TRACE(file);
    ResetStore();
    reported.clear();
    DataPath = HomeDataPath = dir.dir();
    {
      InjectFault io({FaultCall::Read, EIO, file});
      EXPECT_FALSE(LoadAll(&owner));
    }
    EXPECT_EQ(reported, std::vector<int>{57});
    EXPECT_EQ(Snapshot(), old);
    EXPECT_EQ(Ondo(2005, 7, 3, 1), 21.0f);
    EXPECT_EQ(Schedule(0).Work, "田植え");
    EXPECT_TRUE(owner.isEnabled());
  }
}

}  // namespace
