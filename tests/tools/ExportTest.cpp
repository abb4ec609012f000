// vorn-data export, run as a separate program on hand-made data folders; the
// CSV files it writes are read back with Python's csv module, a parser that
// shares nothing with the writer.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/Cp932.h"
#include "support/TempDir.h"

namespace {

struct Outcome {
  int status = -1;
  std::string out, err;
};

Outcome Shell(const std::string& cmd) {
  TempDir io;
  int rc = std::system((cmd + " >" + io.file("out") + " 2>" + io.file("err")).c_str());
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, io.Read("out"), io.Read("err")};
}

std::string Q(const std::string& path) { return "'" + path + "'"; }

Outcome Export(const std::string& args) {
  return Shell(std::string(VORN_BINARY_DIR) + "/tools/vorn-data/vorn-data export " + args);
}

const std::vector<std::string> kCsvFiles = {"weather.csv",   "diary.csv",    "prices.csv",
                                            "materials.csv", "schedule.csv", "observations.csv"};

// One JSON line per file: {"file": ..., "bom": ..., "exact": ..., "rows": [...]}.
std::vector<std::string> ReadBack(const std::string& folder) {
  std::string cmd = "python3 " + Q(std::string(VORN_SOURCE_DIR) + "/tests/tools/read_csv.py") + " " + Q(folder);
  for (const std::string& f : kCsvFiles) cmd += " " + f;
  Outcome r = Shell(cmd);
  EXPECT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines;
  for (size_t at = 0, nl; (nl = r.out.find('\n', at)) != std::string::npos; at = nl + 1)
    lines.push_back(r.out.substr(at, nl - at));
  return lines;
}

std::string Parsed(const std::string& file, const std::string& rows) {
  return R"({"file": ")" + file + R"(", "bom": true, "exact": true, "rows": )" + rows + "}";
}

// A farm's folder as the program writes it, in CP932, with commas, quotes
// and line breaks inside names and comments.
void WriteFarm(const TempDir& d) {
  auto put = [&](const char* name, const std::string& utf8) { d.Write(name, rt::Utf8ToCp932(utf8)); };
  put("tenki.dat", "2001/05,123,038,403,948,038\r\n");
  put("ondo.dat", "1,2001/05,20.5,18\r\n0,2001/05,10.2,-2.5\r\n");
  put("kousui.dat", "2001/05,3,0.3\r\n");
  put("nikki.dat", "2000/0229,閏日\r\n2001/0505,晴れ^~畑を \"耕す\", 午後は雨\r\n2001/0506, \r\n2001/0507,^~\r\n");
  put("price.dat",
      "#Start0\r\nName=トマト, 大玉\r\nMax=300\r\nH,2001/04,100,0,\r\nM,2001/04,80\r\nL,2001/04,60,0,5\r\n#End\r\n"
      "#Start1\r\nName=なす\r\n#End\r\n");
  put("Material.dat",
      "#1\r\nName=肥料\r\nVolume=20\r\nUnit=kg\r\n%1\r\nDate=20010505\r\nMode=Buy\r\nOrVolNum=2\r\nRemainVol=40\r\n%End\r\n"
      "%2\r\nDate=20010601\r\nMode=Use\r\nOrVolNum=3\r\nRemainVol=37\r\n%End\r\n#End\r\n\r\n"
      "#3\r\nName=支柱\r\n%1\r\nDate=20010101\r\nMode=Buy\r\nOrVolNum=1\r\nRemainVol=1\r\n%End\r\n#End\r\n");
  put("observe.dat",
      "#0\r\nName=なす\r\n%2001\r\n0505,/home/farm/写真/a.jpg,葉に \"斑点\"^~裏も, 要観察\r\n0506,,\r\n0507,b.jpg,\r\n"
      "%End\r\n#End\r\n");
  put("Schedule.dat",
      "#Farm\r\n0,北の畑\r\n1,東,\"角\"\r\n#End\r\n#0\r\nWork=田植え\r\n%2001\r\n0523/0525,1\r\n0601/0601,0\r\n"
      "0701/0702,7\r\n0229/1345,0\r\n%End\r\n#End\r\n");
}

}  // namespace

TEST(VornDataExport, EachKindOfRecordReadsBackWithAnIndependentParser) {
  TempDir farm, out;
  WriteFarm(farm);
  std::vector<std::string> before = farm.Names();
  Outcome r = Export(Q(farm.dir()) + " " + Q(out.dir() + "csv"));
  EXPECT_EQ(r.status, 0) << r.err;
  // The one code the selectors never make is written as it is, with a word.
  EXPECT_EQ(r.err,
            "vorn-data: tenki.dat: 1 day(s) with a weather code that has no words (first 2001-05-04: 948); "
            "exported as the codes\nvorn-data: Schedule.dat: work 0 (田植え), year 2001, entry 3: 0229/1345 is not "
            "a period of that year; exported as stored\n");
  EXPECT_EQ(farm.Names(), before);

  std::vector<std::string> files = ReadBack(out.dir() + "csv");
  ASSERT_EQ(files.size(), 6u);
  EXPECT_EQ(files[0], Parsed("weather.csv", R"([["日付", "天気", "最高気温", "最低気温", "降水量"], )"
                                            R"(["2001-05-01", "晴れ のち 雨", "20.5", "10.2", "3"], )"
                                            R"(["2001-05-02", "快晴", "18", "-2.5", "0.3"], )"
                                            R"(["2001-05-03", "霧 時々 雨", "0", "0", "0"], )"
                                            R"(["2001-05-04", "948", "0", "0", "0"]])"));
  // Empty days (one space, a lone line break) are left out.
  EXPECT_EQ(files[1], Parsed("diary.csv", R"([["日付", "日記"], ["2000-02-29", "閏日"], )"
                                          R"(["2001-05-05", "晴れ\n畑を \"耕す\", 午後は雨"]])"));
  EXPECT_EQ(files[2], Parsed("prices.csv", R"([["作物", "日付", "高値", "中値", "安値"], )"
                                           R"(["トマト, 大玉", "2001-04-01", "100", "80", "60"], )"
                                           R"(["トマト, 大玉", "2001-04-03", "0", "0", "5"]])"));
  // The ledger ends at the first material without a name, as the file does;
  // a purchase counts packages (2 of 20 kg) and its quantity is in the unit.
  EXPECT_EQ(files[3], Parsed("materials.csv", R"([["資材名", "日付", "区分", "購入個数", "数量", "残量", "単位"], )"
                                              R"(["肥料", "2001-05-05", "購入", "2", "40", "40", "kg"], )"
                                              R"(["肥料", "2001-06-01", "使用", "", "3", "37", "kg"]])"));
  // A place the list does not have is written as its number, a day the year
  // does not have as stored.
  EXPECT_EQ(files[4], Parsed("schedule.csv", R"([["作業内容", "作業場所", "年", "開始日", "終了日"], )"
                                             R"(["田植え", "東,\"角\"", "2001", "2001-05-23", "2001-05-25"], )"
                                             R"(["田植え", "北の畑", "2001", "2001-06-01", "2001-06-01"], )"
                                             R"(["田植え", "7", "2001", "2001-07-01", "2001-07-02"], )"
                                             R"(["田植え", "北の畑", "2001", "0229", "1345"]])"));
  EXPECT_EQ(files[5], Parsed("observations.csv", R"([["作物", "日付", "コメント", "写真"], )"
                                                 R"(["なす", "2001-05-05", "葉に \"斑点\"\n裏も, 要観察", )"
                                                 R"("/home/farm/写真/a.jpg"], ["なす", "2001-05-07", "", "b.jpg"]])"));
}

TEST(VornDataExport, RefusesToReplaceOrToWriteIntoTheDataFolderAndSaysWhy) {
  TempDir farm, out;
  WriteFarm(farm);
  out.Write("diary.csv", "mine");
  Outcome r = Export(Q(farm.dir()) + " " + Q(out.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("diary.csv already exists"), std::string::npos) << r.err;
  EXPECT_EQ(out.Names(), std::vector<std::string>{"diary.csv"});  // nothing else written either
  EXPECT_EQ(out.Read("diary.csv"), "mine");

  r = Export("--replace " + Q(farm.dir()) + " " + Q(out.dir()));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(out.Names().size(), 6u);  // no temporary files left behind
  EXPECT_EQ(out.Read("diary.csv").rfind("\xEF\xBB\xBF日付,日記\r\n2000-02-29,閏日\r\n", 0), 0u);

  std::vector<std::string> before = farm.Names();
  EXPECT_EQ(Export(Q(farm.dir()) + " " + Q(farm.dir() + ".")).status, 1);
  EXPECT_EQ(Export("--replace " + Q(farm.dir()) + " " + Q(farm.dir())).status, 1);
  EXPECT_EQ(farm.Names(), before);

  // A file that cannot be put in place (here a folder of that name) is
  // reported; the other files are still written and nothing half-written
  // is left behind.
  TempDir out3;
  std::filesystem::create_directory(out3.file("prices.csv"));
  r = Export("--replace " + Q(farm.dir()) + " " + Q(out3.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("prices.csv: cannot rename into place"), std::string::npos) << r.err;
  EXPECT_EQ(out3.Names(), (std::vector<std::string>{"diary.csv", "materials.csv", "observations.csv", "prices.csv",
                                                    "schedule.csv", "weather.csv"}));

  // A folder without any data file is most likely the wrong folder.
  TempDir empty, out2;
  r = Export(Q(empty.dir()) + " " + Q(out2.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("none of the data files"), std::string::npos) << r.err;
  EXPECT_TRUE(out2.Names().empty());
  EXPECT_EQ(Export(Q(farm.dir())).status, 2);
  EXPECT_EQ(Export(Q(farm.dir() + "nope") + " " + Q(out2.dir())).status, 1);
}

TEST(VornDataExport, ABadFileIsReportedAndWhatWasReadIsStillExported) {
  TempDir farm, out;
  farm.Write("nikki.dat", "2001/0101,one\r\nbroken\r\n2001/0102,two\r\n");
  Outcome r = Export(Q(farm.dir()) + " " + Q(out.dir()));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "nikki.dat: error 9: ｲﾝﾃﾞｯｸｽが有効範囲にありません, line 2\n");
  EXPECT_EQ(out.Read("diary.csv"), "\xEF\xBB\xBF日付,日記\r\n2001-01-01,one\r\n");
  // Without a weather file every day holds the default weather: none is a record.
  EXPECT_EQ(out.Read("weather.csv"), "\xEF\xBB\xBF日付,天気,最高気温,最低気温,降水量\r\n");
}
