#include "Export.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "Csv.h"
#include "runtime/Convert.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/Store.h"
#include "store/WeatherWords.h"

const char* const kExportHelp =
    "  export [--replace] DIR OUT\n"
    "                 Loads the data set from DIR as copy does and writes its\n"
    "                 records into the directory OUT (created if needed) as\n"
    "                 CSV files for a spreadsheet, one per kind of record:\n"
    "                 UTF-8 with a byte-order mark, CR LF between records,\n"
    "                 fields quoted where they hold a comma, a quote or a line\n"
    "                 break (a line break inside a field is a single LF),\n"
    "                 dates as YYYY-MM-DD. Only days with something recorded\n"
    "                 are written. Never writes into DIR; refuses to replace a\n"
    "                 CSV file already in OUT unless --replace is given. Exit\n"
    "                 status 0, or 1 when a data file failed to read (the rest\n"
    "                 is exported all the same) or a CSV file was not written.\n"
    "\n"
    "  The CSV files and their columns:\n"
    "    weather.csv       日付,天気,最高気温,最低気温,降水量\n"
    "                      the weather in words as the weather graph reads it\n"
    "                      out (晴れ のち 雨), temperatures in ℃, rain in mm\n"
    "    diary.csv         日付,日記\n"
    "    prices.csv        作物,日付,高値,中値,安値\n"
    "                      one row per produce and day, prices in yen\n"
    "    materials.csv     資材名,日付,区分,購入個数,数量,残量,単位\n"
    "                      one row per purchase (購入) or use (使用): the\n"
    "                      packages bought (purchases only), the quantity in\n"
    "                      the material's unit, the quantity remaining after it\n"
    "    schedule.csv      作業内容,作業場所,年,開始日,終了日\n"
    "                      one row per work period; a day its year does not\n"
    "                      have is written as stored (MMDD), with a warning\n"
    "    observations.csv  作物,日付,コメント,写真\n"
    "                      one row per crop and day, with the picture's path\n";

namespace {

std::string IsoDate(int year, int month, int day) {
  char s[40];  // room for any int year an edited file may hold
  std::snprintf(s, sizeof s, "%04d-%02d-%02d", year, month, day);
  return s;
}

bool IsDate(int year, int month, int day) {
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

// A material transaction's date (yyyymmdd); a number that is no date, which
// only an edited file holds, is written as it is.
std::string LedgerDate(int32_t yyyymmdd) {
  int y = yyyymmdd / 10000, m = yyyymmdd / 100 % 100, d = yyyymmdd % 100;
  return yyyymmdd > 0 && IsDate(y, m, d) ? IsoDate(y, m, d) : rt::IntText(yyyymmdd);
}

// A schedule day (month * 100 + day) of a year. A day the year does not
// have (0229 in a common year, 1345), which only an edited file holds, is
// written as the file stores it, four digits, so that it keeps its meaning
// ("229" would read as a number of days); the result says whether it was a
// date.
bool PeriodDate(int year, int16_t monthDay, std::string& text) {
  int m = monthDay / 100, d = monthDay % 100;
  if (IsDate(year, m, d)) {
    text = IsoDate(year, m, d);
    return true;
  }
  text = rt::Format(monthDay, "0#0#");
  return false;
}

// Temperatures and rain as the files hold them, with the zero before the
// point a spreadsheet expects (.3 -> 0.3).
std::string Decimal(float v) {
  std::string s = rt::NumText(v);
  if (s.rfind(".", 0) == 0) return "0" + s;
  if (s.rfind("-.", 0) == 0) return "-0" + s.substr(1);
  return s;
}

// Nothing but spaces and line breaks: an empty day (the diary file writes
// an empty day as one space).
bool IsBlank(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s.compare(i, 3, "　") == 0) {  // an ideographic space
      i += 2;
      continue;
    }
    if (s[i] != ' ' && s[i] != '\t' && s[i] != '\r' && s[i] != '\n') return false;
  }
  return true;
}

// Calls f(year, month, day) for every real day, in calendar order.
template <class F>
void EachDay(F&& f) {
  for (int y = kFirstYear; y <= kLastYear; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1, n = DaysInMonth(y, m); d <= n; ++d) f(y, m, d);
}

// Days whose weather code has no words; reported once, after the weather.
struct Wordless {
  long days = 0;
  std::string first;  // "2001-05-04: 948"
};

// The weather words of a code, joined by single spaces; the empty words ("no
// connector", "no second weather") leave no gap. A code the selectors never
// make has no words and is written as it is.
std::string WeatherText(const std::string& stored, const std::string& date, Wordless& wordless) {
  const std::string& code = SavedWeatherCode(stored);
  std::string text;
  for (int i = 1; i <= 3; ++i) {
    auto word = WeatherWord(code, i);
    if (!word) {
      if (wordless.days++ == 0) wordless.first = date + ": " + code;
      return code;
    }
    if (word->empty()) continue;
    if (!text.empty()) text += ' ';
    text.append(*word);
  }
  return text;
}

void WriteWeather(CsvFile& f) {
  f.Record("日付", "天気", "最高気温", "最低気温", "降水量");
  Wordless wordless;
  EachDay([&](int y, int m, int d) {
    const std::string& code = Tenki(y, m, d);
    float high = Ondo(y, m, d, 1), low = Ondo(y, m, d, 0), rain = Kousui(y, m, d);
    if ((code.empty() || code == "038") && high == 0 && low == 0 && rain == 0) return;
    std::string date = IsoDate(y, m, d);
    f.Record(date, WeatherText(code, date, wordless), Decimal(high), Decimal(low), Decimal(rain));
  });
  if (wordless.days > 0)
    std::fprintf(stderr, "vorn-data: tenki.dat: %ld day(s) with a weather code that has no words (first %s); "
                 "exported as the codes\n", wordless.days, wordless.first.c_str());
}

void WriteDiary(CsvFile& f) {
  f.Record("日付", "日記");
  EachDay([&](int y, int m, int d) {
    const std::string& text = Nikki(y, m, d);
    if (!IsBlank(text)) f.Record(IsoDate(y, m, d), text);
  });
}

void WritePrices(CsvFile& f) {
  f.Record("作物", "日付", "高値", "中値", "安値");
  for (int i = 0; i <= PriceItem.UBound(); ++i) {
    const auto &high = PriceHigh(i), &mid = PriceMid(i), &low = PriceLow(i);
    EachDay([&](int y, int m, int d) {
      int32_t h = high(y, m, d), md = mid(y, m, d), l = low(y, m, d);
      if (h != 0 || md != 0 || l != 0)
        f.Record(PriceItem(i).Name, IsoDate(y, m, d), rt::IntText(h), rt::IntText(md), rt::IntText(l));
    });
  }
}

// The ledger as the file keeps it: materials up to the first without a name,
// transactions up to the first without a date.
void WriteMaterials(CsvFile& f) {
  // Packages and quantities have columns of their own: a purchase of 2 bags
  // of 20 kg is 2 packages and 40 kg, a use of 2 kg is 2 kg.
  f.Record("資材名", "日付", "区分", "購入個数", "数量", "残量", "単位");
  for (int k = 1; k <= kMaterials && !Material(k).Name.empty(); ++k) {
    const MaterialRec& r = Material(k);
    for (int j = 1; j <= kTransactions && r.Date(j) != 0; ++j) {
      const bool bought = r.Mode(j) == 0;
      std::string kind = bought ? "購入" : r.Mode(j) == 1 ? "使用" : rt::IntText(r.Mode(j));
      std::string packages = bought ? rt::IntText(r.OrVolNum(j)) : std::string();
      std::string quantity = bought ? std::to_string(static_cast<int64_t>(r.OrVolNum(j)) * r.Volume)
                                    : rt::IntText(r.OrVolNum(j));
      f.Record(r.Name, LedgerDate(r.Date(j)), kind, packages, quantity, rt::IntText(r.RemainVol(j)), r.Unit);
    }
  }
}

void WriteSchedule(CsvFile& f) {
  f.Record("作業内容", "作業場所", "年", "開始日", "終了日");
  for (int w = 0; w <= Schedule.UBound(); ++w) {
    const ScheduleRec& work = Schedule(w);
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int e = YearPeriods::LBound(); e <= YearPeriods::UBound(); ++e) {
        const SchedulePeriodRec& p = work.SchedulePeriod(y)(e);
        if (p.Start == 0) continue;
        // A place the list no longer has is written as its number.
        std::string place = p.Place <= FarmName.UBound() ? FarmName(p.Place) : rt::IntText(p.Place);
        std::string start, end;
        bool dates = PeriodDate(y, p.Start, start);
        dates = PeriodDate(y, p.End, end) && dates;
        if (!dates)
          std::fprintf(stderr, "vorn-data: Schedule.dat: work %d (%s), year %d, entry %d: %s/%s is not a period of "
                       "that year; exported as stored\n", w, work.Work.c_str(), y, e,
                       rt::Format(p.Start, "0#0#").c_str(), rt::Format(p.End, "0#0#").c_str());
        f.Record(work.Work, place, rt::IntText(y), start, end);
      }
  }
}

void WriteObservations(CsvFile& f) {
  f.Record("作物", "日付", "コメント", "写真");
  static const DayTable<std::string> kNoPictures;
  for (int i = 0; i <= ObserveItem.UBound(); ++i) {
    const ObserveItemRec& crop = ObserveItem(i);
    const DayTable<std::string>& pictures = i <= ObserveFile.UBound() ? ObserveFile(i) : kNoPictures;
    EachDay([&](int y, int m, int d) {
      const std::string &comment = crop.Comment(y, m, d), &picture = pictures(y, m, d);
      if (!IsBlank(comment) || !picture.empty()) f.Record(crop.Name, IsoDate(y, m, d), comment, picture);
    });
  }
}

struct Table {
  const char* file;
  void (*write)(CsvFile&);
};
constexpr Table kTables[] = {{"weather.csv", WriteWeather},       {"diary.csv", WriteDiary},
                             {"prices.csv", WritePrices},         {"materials.csv", WriteMaterials},
                             {"schedule.csv", WriteSchedule},     {"observations.csv", WriteObservations}};

bool SameDirectory(const std::string& a, const std::string& b) {
  struct stat sa{}, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

}  // namespace

int Export(const std::vector<std::string>& args, bool (*load)(const std::string& dir)) {
  namespace fs = std::filesystem;
  bool replace = false;
  std::vector<std::string> paths;
  for (const std::string& a : args) {
    if (a == "--replace")
      replace = true;
    else
      paths.push_back(a);
  }
  if (paths.size() != 2) {
    std::fputs("vorn-data: expected \"export [--replace] DIR OUT\" (see vorn-data --help)\n", stderr);
    return 2;
  }
  const std::string &dir = paths[0], &out = paths[1];
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    std::fprintf(stderr, "vorn-data: %s: not a directory\n", dir.c_str());
    return 1;
  }
  std::string dirPath = dir.back() == '/' ? dir : dir + "/";
  bool anyData = false;
  for (const char* name : kDataFiles) anyData = anyData || fs::exists(ResolveFile(dirPath, name), ec);
  if (!anyData) {
    std::fprintf(stderr, "vorn-data: %s holds none of the data files; nothing exported\n", dir.c_str());
    return 1;
  }
  fs::create_directories(out, ec);
  if (!fs::is_directory(out, ec)) {
    std::fprintf(stderr, "vorn-data: %s: cannot create the directory%s%s\n", out.c_str(), ec ? ": " : "",
                 ec ? ec.message().c_str() : "");
    return 1;
  }
  if (SameDirectory(dir, out)) {
    std::fprintf(stderr, "vorn-data: %s and %s are the same directory; nothing written\n", dir.c_str(), out.c_str());
    return 1;
  }
  if (!replace) {
    bool taken = false;
    for (const Table& t : kTables) {
      fs::path p = fs::path(out) / t.file;
      if (fs::exists(fs::symlink_status(p, ec))) {
        std::fprintf(stderr, "vorn-data: %s already exists\n", p.c_str());
        taken = true;
      }
    }
    if (taken) {
      std::fputs("vorn-data: nothing written; give --replace to replace the files\n", stderr);
      return 1;
    }
  }
  int status = load(dir) ? 0 : 1;
  for (const Table& t : kTables) {
    try {
      CsvFile f((fs::path(out) / t.file).string(), replace);
      t.write(f);
      f.Commit();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "vorn-data: %s\n", e.what());
      status = 1;
    }
  }
  return status;
}
