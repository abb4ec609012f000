// The vorn-data command, run as a separate program on small hand-made data
// folders.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "runtime/Cp932.h"
#include "support/TempDir.h"

namespace {

struct Result {
  int status = -1;
  std::string out, err;
};

Result VornData(const std::string& args) {
  TempDir io;
  std::string cmd = std::string(VORN_BINARY_DIR) + "/tools/vorn-data/vorn-data " + args + " >" + io.file("out") +
                    " 2>" + io.file("err");
  int rc = std::system(cmd.c_str());
  Result r;
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  r.out = io.Read("out");
  r.err = io.Read("err");
  return r;
}

std::string Q(const std::string& path) { return "'" + path + "'"; }

const char* const kNames[] = {"Schedule.dat", "kousui.dat",  "material.dat", "nikki.dat",
                              "observe.dat",  "ondo.dat",    "price.dat",    "tenki.dat"};

}  // namespace

TEST(VornData, HelpAndUsage) {
  Result help = VornData("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("check DIR"), std::string::npos);
  EXPECT_NE(help.out.find("copy SRC DST"), std::string::npos);
  EXPECT_EQ(VornData("").status, 2);
  EXPECT_EQ(VornData("copy onlyone").status, 2);
}

TEST(VornData, CheckReportsEachFileInLoadOrderAndWritesNothing) {
  TempDir d;
  d.Write("ondo.dat", "1,2001/01,5\r\n");
  d.Write("TENKI.DAT", "2001/01,116\r\n");
  d.Write("price.dat", "#Start0\r\nName=a\r\nH,2001/04,1,,3\r\n");
  d.Write("Material.dat", "#1\r\nName=x\r\n");
  Result r = VornData("check " + Q(d.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "ondo.dat: ok\n"
            "Schedule.dat: missing\n"
            "tenki.dat: ok\n"
            "material.dat: ok\n"
            "kousui.dat: missing\n"
            "observe.dat: missing\n"
            "nikki.dat: missing\n"
            "price.dat: error 13: 型が一致しません, line 3\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(d.Names(), (std::vector<std::string>{"Material.dat", "TENKI.DAT", "ondo.dat", "price.dat"}));

  TempDir empty;
  Result e = VornData("check " + Q(empty.dir()));
  EXPECT_EQ(e.status, 0);
  EXPECT_NE(e.out.find("nikki.dat: missing\n"), std::string::npos);
  EXPECT_EQ(VornData("check " + Q(empty.dir() + "nope")).status, 1);
}

TEST(VornData, CopyWritesAllEightFilesAndASecondCopyGivesTheSameBytes) {
  TempDir src, out;
  src.Write("nikki.dat", rt::Utf8ToCp932("2001/0505,晴れ^~畑\r\n2000/0229, \r\n"));
  src.Write("price.dat", rt::Utf8ToCp932("#Start0\r\nName=トマト\r\nMax=300\r\nMin=5\r\nH,2001/04,1,2,\r\n#End\r\n"
                                         "#Start2\r\nName=なす\r\n#End\r\n"));
  src.Write("Material.dat", rt::Utf8ToCp932("#1\r\nName=肥料\r\nUnit=袋\r\n%1\r\nDate=20010505\r\nMode=Buy\r\n%End\r\n#End\r\n"));
  src.Write("observe.dat", rt::Utf8ToCp932("#1\r\nName=なす\r\n%2001\r\n0505,a.jpg,x, y^~z\r\n#End\r\n"));
  src.Write("Schedule.dat", rt::Utf8ToCp932("#Farm\r\n0,北,東\r\n#End\r\n#0\r\nWork=田植え\r\n%2001\r\n"
                                            "0523/0525,0\r\n%End\r\n#End\r\n"));
  src.Write("kousui.dat", "2001/04,0.3,12\r\n");
  std::string before = src.Read("nikki.dat");
  std::string a = out.dir() + "a/nested", b = out.dir() + "b";

  Result r = VornData("copy " + Q(src.dir()) + " " + Q(a));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(src.Read("nikki.dat"), before);
  EXPECT_FALSE(src.Exists("tenki.dat"));  // never writes into the source
  Result r2 = VornData("copy " + Q(a) + " " + Q(b));
  EXPECT_EQ(r2.status, 0) << r2.err;
  for (const char* name : kNames) {
    std::string x = TempDir::ReadPath(a + "/" + name), y = TempDir::ReadPath(b + "/" + name);
    EXPECT_FALSE(x.empty()) << name;
    EXPECT_EQ(x, y) << name;
  }
  std::string nikki = rt::Cp932ToUtf8(TempDir::ReadPath(a + "/nikki.dat"));
  EXPECT_NE(nikki.find("2001/0505,晴れ^~畑\r\n2001/0506, \r\n"), std::string::npos);
  std::string price = rt::Cp932ToUtf8(TempDir::ReadPath(a + "/price.dat"));
  EXPECT_EQ(price.find("Min="), std::string::npos);
  EXPECT_NE(price.find("#Start1\r\nName=\r\nMax=0\r\n"), std::string::npos);
  EXPECT_NE(price.find("H,2001/04,1,2,0,"), std::string::npos);
  std::string observe = rt::Cp932ToUtf8(TempDir::ReadPath(a + "/observe.dat"));
  EXPECT_EQ(observe.rfind("#0\r\nName=\r\n", 0), 0u);
  EXPECT_NE(observe.find("\r\n0505,a.jpg,x, y^~z\r\n"), std::string::npos);
  std::string kousui = TempDir::ReadPath(a + "/kousui.dat");
  EXPECT_NE(kousui.find("2001/04,.3,12,0,"), std::string::npos);
}

TEST(VornData, CopyReportsBadFilesButWritesEverything) {
  TempDir src, dst;
  src.Write("ondo.dat", "1,2031/01,5\r\n");
  src.Write("nikki.dat", "2001/0101,one\r\nbroken\r\n2001/0102,two\r\n");
  Result r = VornData("copy " + Q(src.dir()) + " " + Q(dst.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "ondo.dat: error 9: ｲﾝﾃﾞｯｸｽが有効範囲にありません, line 1\n"
            "nikki.dat: error 9: ｲﾝﾃﾞｯｸｽが有効範囲にありません, line 2\n");
  EXPECT_EQ(dst.Names().size(), 8u);
  std::string nikki = dst.Read("nikki.dat");
  EXPECT_NE(nikki.find("2001/0101,one\r\n2001/0102, \r\n"), std::string::npos);
  // No damaged copies are left in the source.
  EXPECT_EQ(src.Names(), (std::vector<std::string>{"nikki.dat", "ondo.dat"}));
}

TEST(VornData, CopyNeverWritesIntoItsSource) {
  TempDir src;
  src.Write("nikki.dat", "2001/0101,one\r\n");
  Result r = VornData("copy " + Q(src.dir()) + " " + Q(src.dir() + "."));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("same directory"), std::string::npos);
  EXPECT_EQ(src.Names(), std::vector<std::string>{"nikki.dat"});
  EXPECT_EQ(VornData("copy " + Q(src.dir() + "nope") + " " + Q(src.dir() + "x")).status, 1);
  EXPECT_FALSE(src.Exists("x"));
}

TEST(VornData, CheckReportsEveryFileWhenOneCannotBeOpened) {
  TempDir d;
  std::filesystem::create_directory(d.file("tenki.dat"));
  d.Write("nikki.dat", "2001/0101,one\r\n");
  Result r = VornData("check " + Q(d.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "ondo.dat: missing\n"
            "Schedule.dat: missing\n"
            "tenki.dat: error 75: ﾊﾟｽ名が無効です\n"
            "material.dat: missing\n"
            "kousui.dat: missing\n"
            "observe.dat: missing\n"
            "nikki.dat: ok\n"
            "price.dat: missing\n");
  EXPECT_EQ(r.err, "");
}

TEST(VornData, CheckNamesTheLineOfBytesThatAreNotCp932AndAFileSavedAsUtf8) {
  TempDir d;
  d.Write("nikki.dat", rt::Utf8ToCp932("2001/0101,晴れ\r\n2001/0102,") + "\x81\x7F\r\n2001/0103,\xFF\r\n");
  d.Write("observe.dat", "#0\r\nName=\xE3\x81\xAA\xE3\x81\x99\r\n");  // なす in UTF-8
  d.Write("price.dat", "#Start0\r\nName=\xA0\r\nH,2031/01,1\r\n");
  Result r = VornData("check " + Q(d.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("nikki.dat: bytes that are not CP932 in line 2 (kept as they are)\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("observe.dat: bytes that are not CP932 in line 2 (kept as they are); "
                       "the file looks like UTF-8, not CP932\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("price.dat: error 9: ｲﾝﾃﾞｯｸｽが有効範囲にありません, line 3; bytes that are not CP932 in line 2"),
            std::string::npos)
      << r.out;
}

TEST(VornData, CopyNeverWritesThroughALinkIntoItsSourceAndClearsStaleTemporaryFiles) {
  TempDir src, dst;
  src.Write("nikki.dat", "2001/0101,one\r\n");
  ASSERT_EQ(::symlink(src.file("nikki.dat").c_str(), dst.file("nikki.dat").c_str()), 0);
  Result r = VornData("copy " + Q(src.dir()) + " " + Q(dst.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("nikki.dat in"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
  EXPECT_EQ(src.Names(), std::vector<std::string>{"nikki.dat"});
  EXPECT_EQ(dst.Names(), std::vector<std::string>{"nikki.dat"});

  // A link elsewhere is written through; a killed copy's leftovers go.
  TempDir other;
  ASSERT_EQ(::unlink(dst.file("nikki.dat").c_str()), 0);
  ASSERT_EQ(::symlink(other.file("diary.dat").c_str(), dst.file("nikki.dat").c_str()), 0);
  dst.Write("price.dat.tmp-1234abcd", std::string(4096, 'p'));
  r = VornData("copy " + Q(src.dir()) + " " + Q(dst.dir()));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(std::filesystem::is_symlink(dst.file("nikki.dat")));
  EXPECT_NE(other.Read("diary.dat").find("2001/0101,one\r\n"), std::string::npos);
  EXPECT_FALSE(dst.Exists("price.dat.tmp-1234abcd"));
  EXPECT_EQ(dst.Names().size(), 8u);
}
