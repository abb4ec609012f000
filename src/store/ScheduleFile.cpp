#include "store/ScheduleFile.h"

#include <string>
#include <string_view>

#include "runtime/Convert.h"
#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"
#include "store/DataFile.h"
#include "store/FileText.h"
#include "store/Store.h"

using namespace filetext;

namespace {

constexpr const char* kSchedule = "Schedule.dat";

// "i,name": split at the first comma only, so the name keeps later commas.
void ApplyFarmLine(std::string_view line) {
  size_t comma = line.find(',');
  if (comma == std::string::npos) throw rt::RuntimeError(rt::kErrSubscript);
  int16_t index = rt::CInt(std::string_view(line).substr(0, comma));
  FarmName.RedimPreserve(index);
  FarmName(index).assign(std::string_view(line).substr(comma + 1));
}

// "ssss/eeee,place" by character position.
void ApplyPeriodLine(std::string_view line, int work, int year, int& entry) {
  if (year < kFirstYear || year > kLastYear) throw rt::RuntimeError(rt::kErrSubscript);
  YearPeriods& periods = Schedule(work).SchedulePeriod(year);
  SchedulePeriodRec& rec = periods(entry);  // the 367th line of a year raises 9
  int16_t start = rt::CInt(rt::Mid(line, 1, 4));
  int16_t end = rt::CInt(rt::Mid(line, 6, 4));
  uint8_t place = rt::CByte(rt::Mid(line, 11));
  // Days are month * 100 + day in four characters; a value that does not fit
  // them ("-999", "1E4") would be written back wider and shift the fields of
  // its line.
  if (start < 0 || start > 9999 || end < 0 || end > 9999) throw rt::RuntimeError(rt::kErrOverflow);
  rec = SchedulePeriodRec{start, end, place};
  ++entry;
}

// Four digits with leading zeros (523 -> "0523").
void AppendDay(std::string& b, int v) {
  if (v >= 0 && v <= 9999) {
    b += static_cast<char>('0' + v / 1000);
    b += static_cast<char>('0' + v / 100 % 10);
    b += static_cast<char>('0' + v / 10 % 10);
    b += static_cast<char>('0' + v % 10);
  } else {
    b += rt::Format(v, "0#0#");
  }
}

}  // namespace

// Without the file, and once it has been read in, works and places start
// again from the single empty entry; a file that cannot be read leaves them
// as they are.
bool LoadSchedule() {
  auto reset = [] {
    Schedule.Reset();
    FarmName.Reset();
  };
  return RunReader(kSchedule, reset, reset, [](FileReading& f) {
    std::string_view line;
    int work = 0, year = 0, entry = 0;
    bool farm = false;
    while (f.NextLine(line)) {
      if (line.empty()) continue;
      char a = line[0], b = line.size() > 1 ? line[1] : '\0';
      if (a == '#') {
        if (IsDigit(b)) {
          work = ListIndex(rt::Mid(line, 2));
          Schedule.RedimPreserve(work);
        } else if (b == 'E') {
          work = 0;
          farm = false;
        } else if (b == 'F') {
          farm = true;
        }
      } else if (a == '%') {
        if (IsDigit(b)) {
          year = rt::CInt(rt::Mid(line, 2));
        } else if (b == 'E') {
          year = 0;
          entry = 0;
        }
      } else if (a == 'W') {
        Schedule(work).Work.assign(rt::Mid(line, 6));
      } else if (IsDigit(a)) {
        if (farm)
          ApplyFarmLine(line);
        else
          ApplyPeriodLine(line, work, year, entry);
      }
    }
  });
}

// "#Farm", "i,name" for every place, "#End"; then per work "#k", "Work=",
// per year "%yyyy", the used periods in index order and "%End"; "#End".
bool SaveSchedule() {
  return RunWriter(kSchedule, [](LineSink& out) {
    std::string& b = out.Buffer();
    b += "#Farm\r\n";
    for (int i = 0; i <= FarmName.UBound(); ++i) {
      AppendInt(b, i);
      b += ',';
      AppendOneLine(b, FarmName(i));
      b += "\r\n";
    }
    b += "#End\r\n";
    for (int k = 0; k <= Schedule.UBound(); ++k) {
      const ScheduleRec& rec = Schedule(k);
      b += '#';
      AppendInt(b, k);
      b += "\r\nWork=";
      AppendOneLine(b, rec.Work);
      b += "\r\n";
      for (int y = kFirstYear; y <= kLastYear; ++y) {
        b += '%';
        AppendInt(b, y);
        b += "\r\n";
        const YearPeriods& periods = rec.SchedulePeriod(y);
        for (int e = 0; e <= YearPeriods::UBound(); ++e) {
          const SchedulePeriodRec& p = periods(e);
          if (p.Start == 0) continue;
          AppendDay(b, p.Start);
          b += '/';
          AppendDay(b, p.End);
          b += ',';
          AppendInt(b, p.Place);
          b += "\r\n";
        }
        b += "%End\r\n";
        out.Spill();
      }
      b += "#End\r\n";
    }
  });
}
