#include "store/DataFile.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <unistd.h>

#include <gtest/gtest.h>

#include "store/StoreFixture.h"
#include "store/WeatherFiles.h"

TEST(SplitLines, AcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
  EXPECT_EQ(SplitLines("\n"), std::vector<std::string>{""});
  EXPECT_EQ(SplitLines("a\rb\r\rc\n\nd\r"), (std::vector<std::string>{"a", "b", "", "c", "", "d"}));
}

using DataFileTest = StoreTest;

TEST_F(DataFileTest, WritesCp932WithCrLf) {
  Tenki.Fill("");
  Tenki(1999, 1, 1) = "晴";  // any text is kept as it is
  ASSERT_TRUE(SaveTenki());
  std::string bytes = dir.Read("tenki.dat");
  EXPECT_EQ(bytes.substr(0, 14), "1999/01,\x90\xB0,038");
  EXPECT_EQ(bytes.find('\n') - 1, bytes.find("\r\n"));
}

TEST_F(DataFileTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores write permissions";
  dir.Write("kousui.dat", "old");
  ::chmod(dir.dir().c_str(), 0555);
  EXPECT_FALSE(SaveKousui());
  ::chmod(dir.dir().c_str(), 0755);
  EXPECT_EQ(numbers(), std::vector<int>{70});
  EXPECT_EQ(dir.Read("kousui.dat"), "old");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kousui.dat"});
}

TEST_F(DataFileTest, AWriteThatRunsOutOfSpaceLeavesTheOldFile) {
  // A file size limit makes the write fail part-way, as a full disk would.
  dir.Write("ondo.dat", "old records");
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  bool ok = SaveOndo();
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(ok);
  EXPECT_EQ(numbers(), std::vector<int>{61});
  EXPECT_EQ(dir.Read("ondo.dat"), "old records");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"ondo.dat"});
}

TEST_F(DataFileTest, AFailedRenameLeavesNoTemporaryFile) {
  std::filesystem::create_directory(dir.file("tenki.dat"));
  dir.Write("tenki.dat/keep", "x");
  EXPECT_FALSE(SaveTenki());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"tenki.dat"});
  EXPECT_EQ(dir.Read("tenki.dat/keep"), "x");
}

TEST_F(DataFileTest, AReadOnlyFileIsRefusedAndKept) {
  dir.Write("kousui.dat", "old");
  ::chmod(dir.file("kousui.dat").c_str(), 0444);
  EXPECT_FALSE(SaveKousui());
  EXPECT_EQ(numbers(), std::vector<int>{70});
  EXPECT_EQ(dir.Read("kousui.dat"), "old");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kousui.dat"});
}

TEST_F(DataFileTest, AFileThatCannotBeOpenedIsAnErrorNotAFirstStart) {
  // A directory where the file should be: the reader must not take it for a
  // missing file and fill every weather code with the default.
  std::filesystem::create_directory(dir.file("tenki.dat"));
  EXPECT_FALSE(LoadTenki());
  EXPECT_EQ(numbers(), std::vector<int>{75});
  EXPECT_EQ(Tenki(2001, 1, 1), "");
}

TEST_F(DataFileTest, AWriteIntoAMissingDirectoryReportsPathNotFound) {
  DataPath = dir.dir() + "nowhere/";
  EXPECT_FALSE(SaveOndo());
  EXPECT_EQ(numbers(), std::vector<int>{76});
}

TEST_F(DataFileTest, ReadersAndWritersFindFilesWhateverTheirCase) {
  dir.Write("KOUSUI.DAT", "2001/04,1,2,3\r\n");
  ASSERT_TRUE(LoadKousui());
  EXPECT_EQ(Kousui(2001, 4, 3), 3.0f);
  ASSERT_TRUE(SaveKousui());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"KOUSUI.DAT"});
  EXPECT_EQ(dir.Read("KOUSUI.DAT").substr(0, 16), "1999/01,0,0,0,0,");
}

TEST_F(DataFileTest, ABadLineInTheHomeDirectoryKeepsADamagedCopy) {
  HomeDataPath = DataPath;
  const std::string bad = "2001/04,1,2\r\n2031/01,5\r\n";
  dir.Write("kousui.dat", bad);
  EXPECT_FALSE(LoadKousui());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].number, 9);
  EXPECT_EQ(errors[0].line, 2);
  auto names = dir.Names();
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "kousui.dat");
  EXPECT_EQ(names[1].rfind("kousui.dat.damaged-", 0), 0u);
  EXPECT_EQ(names[1].size(), std::string("kousui.dat.damaged-yyyymmdd-hhmmss").size());
  EXPECT_EQ(dir.Read(names[1]), bad);
}

TEST_F(DataFileTest, NoDamagedCopyOutsideTheHomeDirectory) {
  HomeDataPath = "/somewhere/else/";
  dir.Write("kousui.dat", "2031/01,5\r\n");
  EXPECT_FALSE(LoadKousui());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"kousui.dat"});
}
