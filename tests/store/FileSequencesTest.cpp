#include "store/FileSequences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "store/StoreFixture.h"

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
// Every table the files fill, as one value.
struct Tables {
  OndoTable ondo;
  DayTable<float> kousui;
  DayTable<std::string> tenki, nikki;
  VarArray<PriceItemRec> item;
  VarArray<DayTable<int32_t>> high, mid, low;
  FixedArray<MaterialRec, 1, kMaterials> material;
  VarArray<ObserveItemRec> crop;
  VarArray<DayTable<std::string>> picture;
  VarArray<ScheduleRec> work;
  VarArray<std::string> place;
  bool operator==(const Tables&) const = default;
};
std::unique_ptr<Tables> TakeTables() {
  auto t = std::make_unique<Tables>();  // on the heap: the materials alone take 5 MB
  t->ondo = Ondo, t->kousui = Kousui, t->tenki = Tenki, t->nikki = Nikki;
  t->item = PriceItem, t->high = PriceHigh, t->mid = PriceMid, t->low = PriceLow;
  t->material = Material, t->crop = ObserveItem, t->picture = ObserveFile, t->work = Schedule, t->place = FarmName;
  return t;
}
}  // namespace

TEST_F(FileSequences, AReloadGivesExactlyWhatAFirstStartWithTheSameFilesGives) {
  // A small folder: short and missing month lines, a diary that stops at a
  // bad line, one material, one produce, one crop, one work.
  dir.Write("ondo.dat", CrLf({"1,2001/04,20,21"}));
  dir.Write("kousui.dat", CrLf({"2001/04,1,2,3"}));
  dir.Write("tenki.dat", CrLf({"2001/04,123"}));
  dir.Write("nikki.dat", CrLf({"2001/0101,one", "broken", "2001/0102,two"}));
  dir.Write("price.dat", CrLf({"#Start0", "Name=p", "Max=10", "H,2001/04,5", "#End"}));
  dir.Write("material.dat", CrLf({"#1", "Name=m", "%1", "Date=20010101", "Mode=Buy", "OrVolNum=1", "RemainVol=1"}));
  dir.Write("observe.dat", CrLf({"#0", "Name=c", "%2001", "0401,a.jpg,x"}));
  dir.Write("Schedule.dat", CrLf({"#Farm", "0,f", "#End", "#0", "Work=w", "%2001", "0401/0402,0", "%End"}));
  EXPECT_FALSE(LoadAllFiles());
  auto first = TakeTables();

  // Everything the small folder leaves out is filled in memory, then the
  // folder is read again.
  for (int d = 1; d <= 30; ++d) {
    Ondo(2001, 4, d, 0) = Ondo(2001, 4, d, 1) = Kousui(2001, 4, d) = 9.0f;
    Tenki(2001, 4, d) = Nikki(2001, 4, d) = "9";
  }
  RedimPrice(2);
  PriceItem(0).Min = PriceHigh(0)(2002, 1, 1) = PriceLow(2)(2001, 4, 2) = 9;
  for (int k = 1; k <= kMaterials; ++k) Material(k).Name = "old";
  Material(1).Date(2) = Material(1).OrVolNum(1) = 9;
  ObserveItem.RedimPreserve(1);
  ObserveFile.RedimPreserve(1);
  ObserveFile(0)(2001, 4, 2) = ObserveItem(0).Comment(2001, 4, 2) = "9";
  Schedule.RedimPreserve(1);
  FarmName.RedimPreserve(1);
  Schedule(0).SchedulePeriod(2001)(1) = {501, 502, 0};
  errors.clear();
  EXPECT_FALSE(LoadAllFiles());
  EXPECT_EQ(Files(errors), std::vector<std::string>{"nikki.dat"});
  EXPECT_TRUE(*TakeTables() == *first);
  EXPECT_EQ(Nikki(2001, 1, 1), "one");
  EXPECT_EQ(Material(2).Name, "");

  // A file that cannot be read, and a weather file rejected as a whole for
  // a bad key, leave the tables as they were.
  Material(2).Name = "kept";
  Kousui(2001, 4, 9) = 9.0f;
  std::filesystem::remove(dir.file("material.dat"));
  std::filesystem::create_directory(dir.file("material.dat"));
  dir.Write("kousui.dat", CrLf({"2001/04,1", "2031/01,1"}));
  EXPECT_FALSE(LoadAllFiles());
  EXPECT_EQ(Material(2).Name, "kept");
  EXPECT_EQ(Kousui(2001, 4, 9), 9.0f);
}
