#include "store/DiaryFile.h"

#include <string>

#include "runtime/Cp932.h"
#include "store/DataFile.h"
#include "store/FileText.h"
#include "store/Store.h"

using namespace filetext;

namespace {
constexpr const char* kNikki = "nikki.dat";
}  // namespace

// One line per day: "yyyy/mmdd," and the text from character 11, line breaks
// as "^~". Days without a line are empty, whatever they held before; a bad
// date stops the reader with the earlier lines stored.
bool LoadNikki() {
  return RunReader(kNikki, nullptr, [] { Nikki.Fill(""); }, [](FileReading& f) {
    std::string_view line;
    std::string converted;
    while (f.NextLine(line)) {
      int year = KeyNumber(line, 1, 4), month = KeyNumber(line, 6, 2), day = KeyNumber(line, 8, 2);
      StepProgress();
      std::string& slot = Nikki(year, month, day);
      if (line.find("^~") == std::string::npos) {
        slot.assign(rt::Mid(line, 11));
        continue;
      }
      // The markers are replaced over the whole line before the text is
      // cut out; both are two characters, so positions do not move.
      converted = line;
      for (size_t k = UnmarkInPlace(converted); k > 0; --k) StepProgress();
      slot.assign(rt::Mid(converted, 11));
    }
  });
}

// Every real day from 1999 to 2030, 11,688 lines; an empty day is written as
// a single space.
bool SaveNikki() {
  return RunWriter(kNikki, [](LineSink& out) {
    std::string& b = out.Buffer();
    for (int y = kFirstYear; y <= kLastYear; ++y)
      for (int m = 1; m <= 12; ++m)
        for (int d = 1, n = DaysInMonth(y, m); d <= n; ++d) {
          StepProgress();
          AppendInt(b, y);
          b += '/';
          Append2(b, m);
          Append2(b, d);
          b += ',';
          const std::string& text = Nikki(y, m, d);
          if (text.empty())
            b += ' ';
          else
            AppendMarked(b, text);
          out.EndLine();
        }
  });
}
