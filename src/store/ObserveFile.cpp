#include "store/ObserveFile.h"

#include <string>
#include <string_view>
#include <utility>

#include "runtime/Convert.h"
#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"
#include "store/DataFile.h"
#include "store/FileText.h"
#include "store/Store.h"

using namespace filetext;

namespace {

constexpr const char* kObserve = "observe.dat";

// Most days of a crop hold neither a picture nor a comment, and the file has
// a line for every day: an empty value leaves a day that holds nothing
// unwritten, so that it takes no room. A day the file repeats still ends
// with its later line's values, empty or not.
void Put(DayTable<std::string>& table, int year, int month, int day, std::string_view value) {
  if (value.empty() && std::as_const(table)(year, month, day).empty()) return;
  table(year, month, day).assign(value);
}

// "mmdd,picture,comment": the first comma ends the date, the second the
// picture path; later commas belong to the comment.
void ApplyDayLine(std::string_view line, int item, int year, std::string& comment) {
  DayTable<std::string>& pictures = ObserveFile(item);
  ObserveItemRec& rec = ObserveItem(item);
  if (year < kFirstYear || year > kLastYear) throw rt::RuntimeError(rt::kErrSubscript);
  int month = 0, day = 0;  // a line without any comma has no date
  size_t first = line.find(',');
  std::string_view rest = line;
  if (first != std::string::npos) {
    std::string_view date(line.data(), first);
    month = rt::CInt(rt::Mid(date, 1, 2));
    day = rt::CInt(rt::Mid(date, 3, 2));
    rest = std::string_view(line).substr(first + 1);
    size_t second = rest.find(',');
    if (second != std::string_view::npos) {
      Put(pictures, year, month, day, rest.substr(0, second));
      rest = rest.substr(second + 1);
    }
  }
  if (rest.find("^~") == std::string_view::npos) {
    Put(rec.Comment, year, month, day, rest);
  } else {
    comment.assign(rest);
    UnmarkInPlace(comment);
    Put(rec.Comment, year, month, day, comment);
  }
}

// A picture path is written between two commas and the reader ends it at
// the next comma; a comma inside it is written as a full-width comma so
// that the day's comment cannot take over the rest of the path.
void AppendPicture(std::string& out, std::string_view path) {
  if (!HasBreak(path, true)) {
    out.append(path);
    return;
  }
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (c != ',' && c != '\r' && c != '\n') continue;
    out.append(path.substr(start, i - start));
    if (c == ',') {
      out += "\xEF\xBC\x8C";  // U+FF0C
    } else {
      out += ' ';
      if (c == '\r' && i + 1 < path.size() && path[i + 1] == '\n') ++i;
    }
    start = i + 1;
  }
  out.append(path.substr(start));
}

}  // namespace

// Without the file, and once it has been read in, the crops start again from
// the single empty entry; a file that cannot be read leaves them as they are.
bool LoadObserve() {
  auto reset = [] {
    ObserveItem.Reset();
    ObserveFile.Reset();
  };
  return RunReader(kObserve, reset, reset,
                   [](FileReading& f) {
                     std::string_view line;
                     int item = -1, year = 0;  // none until their headers
                     std::string comment;
                     while (f.NextLine(line)) {
                       if (line.empty()) continue;
                       char c = line[0];
                       if (c == '#') {
                         if (line.size() > 1 && IsDigit(line[1])) {
                           int index = ListIndex(rt::Mid(line, 2));
                           ObserveItem.RedimPreserve(index);
                           ObserveFile.RedimPreserve(index);
                           item = index;
                         }
                       } else if (c == '%') {
                         if (line.size() > 1 && IsDigit(line[1])) year = rt::CInt(rt::Mid(line, 2));
                       } else if (c == 'N') {
                         ObserveItem(item).Name.assign(rt::Mid(line, 6));
                       } else if (IsDigit(c)) {
                         ApplyDayLine(line, item, year, comment);
                       }
                     }
                   });
}

// Per item: "#i", "Name=", then per year "%yyyy" and a line for every day,
// "%End" after the last year; "#End" once at the end.
bool SaveObserve() {
  return RunWriter(kObserve, [](LineSink& out) {
    std::string& b = out.Buffer();
    for (int i = 0; i <= ObserveItem.UBound(); ++i) {
      const ObserveItemRec& rec = ObserveItem(i);
      const DayTable<std::string>& pictures = ObserveFile(i);
      b += '#';
      AppendInt(b, i);
      b += "\r\nName=";
      AppendOneLine(b, rec.Name);
      b += "\r\n";
      for (int y = kFirstYear; y <= kLastYear; ++y) {
        b += '%';
        AppendInt(b, y);
        b += "\r\n";
        for (int m = 1; m <= 12; ++m)
          for (int d = 1, n = DaysInMonth(y, m); d <= n; ++d) {
            Append2(b, m);
            Append2(b, d);
            b += ',';
            AppendPicture(b, pictures(y, m, d));
            b += ',';
            AppendMarked(b, rec.Comment(y, m, d));
            b += "\r\n";
            out.Spill();
          }
      }
      b += "%End\r\n";
    }
    b += "#End\r\n";
  });
}
