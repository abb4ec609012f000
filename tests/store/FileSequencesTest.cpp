#include "store/FileSequences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "store/StoreFixture.h"
#include "support/TempDir.h"

using FileSequences = StoreTest;

namespace {
std::vector<std::string> Files(const std::vector<StoreError>& errors) {
  std::vector<std::string> f;
  for (auto& e : errors) f.push_back(e.file);
  return f;
}
}  // namespace

TEST_F(FileSequences, AStartWithoutFilesGivesTheEmptyStore) {
  Schedule.RedimPreserve(3);
  EXPECT_TRUE(LoadAllFiles());
  EXPECT_EQ(ProgressTotal, 56575);
  EXPECT_EQ(ProgressCaption, "データを読み込み中．．．");
  EXPECT_EQ(Tenki(2000, 2, 29), "038");
  EXPECT_EQ(Tenki(2001, 4, 31), "");
  EXPECT_EQ(PriceItem.UBound(), 0);
  EXPECT_EQ(PriceItem(0).Max, 1000);
  EXPECT_EQ(ObserveItem.UBound(), 0);
  EXPECT_EQ(ObserveFile.UBound(), 0);
  EXPECT_EQ(Schedule.UBound(), 0);
  EXPECT_EQ(FarmName.UBound(), 0);
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(dir.Names().empty());
}

TEST_F(FileSequences, EachFileReportsItsOwnErrorInLoadOrderAndTheNextStillReads) {
  // One bad line in every file.
  dir.Write("ondo.dat", "\r\n");
  dir.Write("Schedule.dat", "%2001\r\n0101/0102,x\r\n");
  dir.Write("tenki.dat", "\r\n");
  dir.Write("material.dat", "Name=x\r\n");
  dir.Write("kousui.dat", "\r\n");
  dir.Write("observe.dat", "Name=x\r\n");
  dir.Write("nikki.dat", "2001/0101,kept\r\n\r\n");
  dir.Write("price.dat", "#Start1\r\nName=x\r\n#End\r\nName=y\r\n");
  EXPECT_FALSE(LoadAllFiles());
  EXPECT_EQ(Files(errors), std::vector<std::string>(kDataFiles.begin(), kDataFiles.end()));
  EXPECT_EQ(Nikki(2001, 1, 1), "kept");
  EXPECT_EQ(PriceItem(1).Name, "x");
}

// The large files are read beside the others: a file failing there still
// leaves every other table filled, and the reports come on the calling thread
// (where the message boxes live) in the order of loading.
TEST_F(FileSequences, FilesReadSideBySideReportInLoadOrderOnTheCallingThread) {
  Material(1).Name = "肥料";
  ObserveItem(0).Name = "トマト";
  FarmName(0) = "畑";
  PriceItem(0).Name = "なす";
  Nikki(2001, 5, 5) = "日記";
  ASSERT_TRUE(SaveAllFiles());
  ResetStore();
  DataPath = dir.dir();
  dir.Write("ondo.dat", "\r\n");
  dir.Write("material.dat", "Name=x\r\n");
  std::vector<std::thread::id> threads;
  auto collect = StoreErrorHook;
  StoreErrorHook = [&](const StoreError& e) {
    threads.push_back(std::this_thread::get_id());
    collect(e);
  };
  EXPECT_FALSE(LoadAllFiles());
  EXPECT_EQ(Files(errors), (std::vector<std::string>{"ondo.dat", "material.dat"}));
  EXPECT_EQ(threads, std::vector<std::thread::id>(2, std::this_thread::get_id()));
  EXPECT_EQ(ObserveItem(0).Name, "トマト");
  EXPECT_EQ(FarmName(0), "畑");
  EXPECT_EQ(PriceItem(0).Name, "なす");
  EXPECT_EQ(Nikki(2001, 5, 5), "日記");
}

TEST_F(FileSequences, SaveAllWritesTheEightFilesInOrderAndTheyReadBack) {
  Nikki(2001, 5, 5) = "日記";
  Material(1).Name = "肥料";
  ObserveItem(0).Name = "トマト";
  FarmName(0) = "畑";
  EXPECT_TRUE(SaveAllFiles());
  EXPECT_EQ(ProgressTotal, 46720);
  EXPECT_EQ(ProgressCaption, "データを保存中．．．");
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"Schedule.dat", "kousui.dat", "material.dat", "nikki.dat",
                                                    "observe.dat", "ondo.dat", "price.dat", "tenki.dat"}));
  ResetStore();
  DataPath = dir.dir();
  EXPECT_TRUE(LoadAllFiles());
  EXPECT_EQ(Nikki(2001, 5, 5), "日記");
  EXPECT_EQ(Material(1).Name, "肥料");
  EXPECT_EQ(ObserveItem(0).Name, "トマト");
  EXPECT_EQ(FarmName(0), "畑");
  EXPECT_EQ(Tenki(2001, 5, 5), "038");

  // Into a folder that does not exist every writer fails on its own.
  DataPath = dir.dir() + "missing/";
  EXPECT_FALSE(SaveAllFiles());
  EXPECT_EQ(Files(errors), std::vector<std::string>(kDataFiles.begin(), kDataFiles.end()));
}

namespace {
// The bytes save-all writes for the tables as they are now.
std::vector<std::string> Saved() {
  TempDir out;
  std::string home = DataPath;
  DataPath = out.dir();
  SaveAllFiles();
  DataPath = home;
  std::vector<std::string> files;
  for (const char* name : kDataFiles) files.push_back(out.Read(name));
  return files;
}
}  // namespace

TEST_F(FileSequences, AReloadGivesWhatAFirstStartWithTheSameFilesGives) {
  dir.Write("kousui.dat", CrLf({"2001/04,1,2,3"}));
  dir.Write("tenki.dat", CrLf({"2001/04,123"}));
  dir.Write("nikki.dat", CrLf({"2001/0101,one", "broken", "2001/0102,two"}));
  dir.Write("price.dat", CrLf({"#Start0", "Name=p", "H,2001/04,5", "#End"}));
  dir.Write("material.dat", CrLf({"#1", "Name=m", "%1", "Date=20010101", "Mode=Buy"}));
  dir.Write("observe.dat", CrLf({"#0", "Name=c", "%2001", "0401,a.jpg,x"}));
  EXPECT_FALSE(LoadAllFiles());
  const std::vector<std::string> first = Saved();
  Kousui(2001, 4, 9) = 9.0f;
  Nikki(2001, 4, 9) = Tenki(2001, 4, 9) = ObserveFile(0)(2001, 4, 9) = "9";
  PriceHigh(0)(2002, 1, 1) = Material(1).Date(2) = 9;
  Material(2).Name = "added since";
  EXPECT_FALSE(LoadAllFiles());
  const std::vector<std::string> again = Saved();
  for (size_t i = 0; i < kDataFiles.size(); ++i) EXPECT_TRUE(again[i] == first[i]) << kDataFiles[i];

  // A file that cannot be read, and a weather file rejected for a bad key,
  // leave their tables as they were.
  std::filesystem::remove(dir.file("material.dat"));
  std::filesystem::create_directory(dir.file("material.dat"));
  dir.Write("kousui.dat", CrLf({"2001/04,1", "2031/01,1"}));
  EXPECT_FALSE(LoadAllFiles());
  EXPECT_EQ(Material(1).Name, "m");
  EXPECT_EQ(Kousui(2001, 4, 3), 3.0f);
}
