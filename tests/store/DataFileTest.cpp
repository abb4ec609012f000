#include "store/DataFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <unistd.h>

#include <gtest/gtest.h>

#include "runtime/Cp932.h"
#include "store/DiaryFile.h"
#include "store/PriceFile.h"
#include "store/ScheduleFile.h"
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

TEST_F(DataFileTest, LinesOneByOneAreTheDecodedTextSplit) {
  // Random files heavy on line ends, lead bytes without their trail byte and
  // plain ASCII: reading line by line must give what decoding the whole file
  // and splitting it gives, with the right line numbers, and so must Lines().
  uint32_t seed = 99;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0xFF; };
  const char pool[] = {'\r', '\n', '\x82', '\xA0', '\x88', '\xB1', '\x81', '\x40', 'a', ',', '^', '~', '\xFF', '\x80'};
  // The later rounds put the random bytes where the reader's 256 KB part
  // ends (a CR LF split between two parts), and the last behind a line
  // longer than the part.
  for (int round = 0; round < 480; ++round) {
    std::string bytes;
    if (round >= 400) {
      for (size_t size = (256 << 10) - 40 + (round - 400); bytes.size() + 10 <= size;) bytes += "xxxxxxxx\r\n";
      if (round == 479) bytes.append(600000, 'x');
    }
    for (int i = 0, n = static_cast<int>(next() % 60); i < n; ++i)
      bytes += next() % 3 ? pool[next() % sizeof pool] : static_cast<char>(next() % 2 ? 'x' : next());
    dir.Write("nikki.dat", bytes);
    std::vector<std::string> expected = SplitLines(rt::Cp932ToUtf8(bytes));
    FileReading f(dir.file("nikki.dat"));
    std::vector<std::string> got;
    std::string_view line;
    while (f.NextLine(line)) {
      got.emplace_back(line);
      ASSERT_EQ(f.line(), static_cast<long>(got.size()));
    }
    ASSERT_EQ(got, expected) << round;
    FileReading all(dir.file("nikki.dat"));
    ASSERT_EQ(std::vector<std::string>(all.Lines().begin(), all.Lines().end()), expected) << round;
  }
}

TEST_F(DataFileTest, ALargeFileIsWrittenInPiecesAndAFailureMidwayKeepsTheOldFile) {
  std::string text;
  for (int i = 0; text.size() < 3 * LineSink::kChunk; ++i) text += "%" + std::to_string(i) + ",晴れ時々くもり\r\n";
  auto body = [&](LineSink& out) {
    for (size_t start = 0; start < text.size();) {
      size_t end = text.find("\r\n", start) + 2;
      out.Buffer().append(text, start, end - start);
      out.Spill();
      start = end;
    }
  };
  ASSERT_TRUE(RunWriter("observe.dat", body));
  EXPECT_EQ(dir.Read("observe.dat"), rt::Utf8ToCp932(text));

  // A file size limit stops the second piece, as a full disk would.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = LineSink::kChunk + LineSink::kChunk / 2;
  ::setrlimit(RLIMIT_FSIZE, &small);
  text += "more\r\n";
  bool ok = RunWriter("observe.dat", body);
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(ok);
  EXPECT_EQ(numbers(), std::vector<int>{61});
  EXPECT_EQ(dir.Read("observe.dat").size(), rt::Utf8ToCp932(text).size() - 6);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"observe.dat"});
}

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

TEST_F(DataFileTest, AStartWithAFileThatStaysDamagedKeepsOneCopyUntilTheFileChanges) {
  HomeDataPath = DataPath;
  auto copies = [&] {
    std::vector<std::string> names;
    for (const std::string& n : dir.Names())
      if (n.rfind("kousui.dat.damaged-", 0) == 0) names.push_back(n);
    return names;
  };
  dir.Write("kousui.dat", "2001/04,1,2\r\n2031/01,5\r\n");
  for (int start = 0; start < 3; ++start) EXPECT_FALSE(LoadKousui());
  ASSERT_EQ(copies().size(), 1u);

  // Damaged differently: a second copy, kept once as well.
  dir.Write("kousui.dat", "2001/04,1,2\r\n2032/01,5\r\n");
  EXPECT_FALSE(LoadKousui());
  EXPECT_FALSE(LoadKousui());
  std::vector<std::string> two = copies();
  ASSERT_EQ(two.size(), 2u);
  // Only the newest copy counts: back to the first damage is a new copy.
  dir.Write("kousui.dat", "2001/04,1,2\r\n2031/01,5\r\n");
  EXPECT_FALSE(LoadKousui());
  EXPECT_EQ(copies().size(), 3u);
  EXPECT_EQ(errors.size(), 6u);
}

TEST_F(DataFileTest, ASaveRemovesOnlyTheTemporaryFilesThatInterruptedSavesOfThatFileLeft) {
  // Two saves killed part-way, one save still running (it holds its file),
  // and files that only look alike.
  dir.Write("price.dat.tmp-0123abcd", std::string(100000, 'x'));
  dir.Write("price.dat.tmp-89abcdef", "");
  dir.Write("price.dat.tmp-deadbeef", "being written");
  int running = ::open(dir.file("price.dat.tmp-deadbeef").c_str(), O_RDWR);
  ASSERT_EQ(::flock(running, LOCK_EX), 0);
  const std::vector<std::string> others = {"nikki.dat.tmp-0123abcd", "price.dat.tmp-0123ABCD", "price.dat.tmp-0123abc",
                                           "price.dat.tmp-0123abcd.bak", "price.dat.tmp-0123abcdd"};
  for (const std::string& n : others) dir.Write(n, "keep");
  ASSERT_EQ(::symlink("price.dat", dir.file("price.dat.tmp-00000000").c_str()), 0);

  ASSERT_TRUE(SavePrice());
  ::close(running);
  std::vector<std::string> expected = others;
  expected.insert(expected.end(), {"price.dat", "price.dat.tmp-00000000", "price.dat.tmp-deadbeef"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(dir.Names(), expected);

  // The same in any folder a save writes to, a backup folder included.
  TempDir backup;
  backup.Write("Schedule.dat.tmp-00c0ffee", "half");
  DataPath = backup.dir();
  ASSERT_TRUE(SaveSchedule());
  EXPECT_EQ(backup.Names(), std::vector<std::string>{"Schedule.dat"});
}

TEST_F(DataFileTest, ASaveThroughASymbolicLinkReplacesWhatItPointsToAndKeepsTheLink) {
  TempDir elsewhere;
  std::filesystem::create_directory(elsewhere.file("sub"));
  elsewhere.Write("sub/real.dat", "2001/0101,old\r\n");
  // nikki.dat -> chain (relative) -> sub/real.dat in another folder.
  ASSERT_EQ(::symlink(elsewhere.file("sub/real.dat").c_str(), dir.file("chain").c_str()), 0);
  ASSERT_EQ(::symlink("chain", dir.file("nikki.dat").c_str()), 0);
  ASSERT_TRUE(LoadNikki());
  EXPECT_EQ(Nikki(2001, 1, 1), "old");
  Nikki(2001, 1, 1) = "new";
  ASSERT_TRUE(SaveNikki());
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("nikki.dat")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("chain")));
  EXPECT_EQ(elsewhere.Read("sub/real.dat").substr(0, 26), "1999/0101, \r\n1999/0102, \r\n");
  EXPECT_NE(elsewhere.Read("sub/real.dat").find("\r\n2001/0101,new\r\n"), std::string::npos);
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"chain", "nikki.dat"}));
  EXPECT_EQ(elsewhere.Names(), std::vector<std::string>{"sub"});
  EXPECT_EQ(WriteTarget(dir.file("nikki.dat")), elsewhere.file("sub/real.dat"));

  // A link that leads nowhere yet: the save creates the file it names.
  ASSERT_EQ(::symlink("made-by-save.dat", dir.file("tenki.dat").c_str()), 0);
  ASSERT_TRUE(SaveTenki());
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("tenki.dat")));
  EXPECT_EQ(dir.Read("made-by-save.dat").substr(0, 12), "1999/01,038,");
}
