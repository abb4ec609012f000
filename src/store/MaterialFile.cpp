#include "store/MaterialFile.h"

#include <string>

#include "runtime/Convert.h"
#include "runtime/Cp932.h"
#include "runtime/RuntimeError.h"
#include "store/DataFile.h"
#include "store/FileText.h"
#include "store/Store.h"

using namespace filetext;

namespace {

// The reader was written for "Material.dat" and the writer for
// "material.dat"; both go through one name so that a folder holding both
// spellings cannot make a save invisible to the next load. The name is
// matched case-insensitively, so either spelling on disk is found.
constexpr const char* kMaterial = "material.dat";

}  // namespace

// Keyword lines; the current material ("#k") and transaction ("%j") carry
// from line to line and start undefined (0, outside both ranges). The table
// holds only what the file holds: a reload or restore from a shorter file
// must not leave materials or transactions of the old one behind it.
bool LoadMaterial() {
  return RunReader(kMaterial, nullptr, ClearMaterials, [](FileReading& f) {
    std::string_view line;
    int32_t k = 0, j = 0;
    while (f.NextLine(line)) {
      if (line.empty()) continue;
      switch (line[0]) {
        case '#':
          if (line.size() > 1 && IsDigit(line[1])) k = rt::CLng(rt::Mid(line, 2));
          break;
        case '%':
          if (line.size() > 1 && IsDigit(line[1])) j = rt::CLng(rt::Mid(line, 2));
          break;
        case 'N': Material(k).Name.assign(rt::Mid(line, 6)); break;
        case 'P': {
          MaterialRec& r = Material(k);
          r.Price = rt::CLng(rt::Mid(line, 7));
          break;
        }
        case 'V': {
          MaterialRec& r = Material(k);
          r.Volume = rt::CLng(rt::Mid(line, 8));
          break;
        }
        case 'U': Material(k).Unit.assign(rt::Mid(line, 6)); break;
        case 'D': {
          int32_t& date = Material(k).Date(j);
          date = rt::CLng(rt::Mid(line, 6));
          break;
        }
        case 'M': {
          int32_t& mode = Material(k).Mode(j);
          std::string_view v = rt::Mid(line, 6);
          if (v == "Buy")
            mode = 0;
          else if (v == "Use")
            mode = 1;
          else
            throw rt::RuntimeError(rt::kErrTypeMismatch);
          break;
        }
        case 'O': {
          int32_t& v = Material(k).OrVolNum(j);
          v = rt::CLng(rt::Mid(line, 10));
          break;
        }
        case 'R': {
          int32_t& v = Material(k).RemainVol(j);
          v = rt::CLng(rt::Mid(line, 11));
          break;
        }
        default: break;
      }
    }
  });
}

// Materials 1.. up to the first without a name, each with its transactions
// up to the first with Date 0; "#End" and an empty line after each material.
bool SaveMaterial() {
  return RunWriter(kMaterial, [](LineSink& out) {
    std::string& b = out.Buffer();
    for (int k = 1; k <= kMaterials && !Material(k).Name.empty(); ++k) {
      const MaterialRec& r = Material(k);
      int used = 0;
      while (used < kTransactions && r.Date(used + 1) != 0) ++used;
      b += '#';
      AppendInt(b, k);
      b += "\r\nName=";
      AppendOneLine(b, r.Name);
      b += "\r\nPrice=";
      AppendInt(b, r.Price);
      b += "\r\nVolume=";
      AppendInt(b, r.Volume);
      b += "\r\nUnit=";
      AppendOneLine(b, r.Unit);
      b += "\r\n";
      for (int j = 1; j <= used; ++j) {
        b += '%';
        AppendInt(b, j);
        b += "\r\nDate=";
        AppendInt(b, r.Date(j));
        // Only 0 and 1 occur; anything else is written as a use rather than
        // as a word the reader would reject.
        b += r.Mode(j) == 0 ? "\r\nMode=Buy\r\nOrVolNum=" : "\r\nMode=Use\r\nOrVolNum=";
        AppendInt(b, r.OrVolNum(j));
        b += "\r\nRemainVol=";
        AppendInt(b, r.RemainVol(j));
        b += "\r\n%End\r\n";
        out.Spill();
      }
      b += "#End\r\n\r\n";
    }
  });
}
