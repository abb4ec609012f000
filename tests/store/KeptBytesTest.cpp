// Bytes that are not CP932 in any text field of any data file come back
// byte for byte after a load and a save.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Cp932.h"
#include "store/FileSequences.h"
#include "store/StoreFixture.h"

namespace {

// Every two-byte sequence that starts beyond ASCII and is not one CP932
// character (a byte no character starts with, a lead byte with a byte no
// pair ends with, an undefined pair, the second spelling of a character the
// code page holds twice), line ends left out and, where a comma ends the
// field, commas.
std::vector<std::string> NonCp932Pairs(bool commas) {
  std::vector<std::string> seqs;
  for (int l = 0x80; l < 0x100; ++l) {
    for (int t = 0; t < 0x100; ++t) {
      if (t == '\r' || t == '\n' || (!commas && t == ',')) continue;
      std::string s{static_cast<char>(l), static_cast<char>(t)};
      if (rt::FindNonCp932(s) != std::string::npos) seqs.push_back(s);
    }
  }
  return seqs;
}

std::string Joined(const std::vector<std::string>& seqs, size_t from = 0, size_t n = std::string::npos) {
  std::string s;
  for (size_t i = from; i < seqs.size() && i - from < n; ++i) s += seqs[i];
  return s;
}

// A placeholder the writers put in the file unchanged.
std::string Mark(int n) { return "<<" + std::to_string(n) + ">>"; }

void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
  for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) s.replace(p, from.size(), to);
}

}  // namespace

using KeptBytesTest = StoreTest;

TEST_F(KeptBytesTest, EveryTextFieldOfEveryFileKeepsBytesThatAreNotCp932) {
  const std::vector<std::string> all = NonCp932Pairs(true), noComma = NonCp932Pairs(false);
  std::vector<std::pair<std::string, std::string>> fields;  // placeholder, bytes
  auto field = [&](std::string& slot, std::string bytes) {
    slot = Mark(static_cast<int>(fields.size()));
    fields.emplace_back(slot, std::move(bytes));
  };
  // Runs of sequences spread over the days of 2001, each run ended by a
  // byte of its own, so that every byte also stands alone at a field's end.
  auto perDay = [&](DayTable<std::string>& table, const std::vector<std::string>& seqs, size_t run) {
    for (size_t i = 0, day = 0; i < seqs.size() || day < 128; i += run, ++day) {
      int doy = static_cast<int>(day % 365) + 1;
      MonthDay md = DateOfDayOfYear(2001, doy);
      int year = 2001 + static_cast<int>(day / 365);
      std::string bytes = i < seqs.size() ? Joined(seqs, i, run) : std::string();
      if (day < 128) bytes += static_cast<char>(0x80 + day);
      field(table(year, md.Month, md.Day), bytes);
    }
  };
  perDay(Nikki, all, 8);
  perDay(Tenki, noComma, 4);
  field(PriceItem(0).Name, Joined(all));
  field(Material(1).Name, Joined(all));
  field(Material(1).Unit, "\xFD\xFE\xFF\x81");
  field(ObserveItem(0).Name, Joined(all));
  perDay(ObserveItem(0).Comment, all, 16);
  perDay(ObserveFile(0), noComma, 16);
  field(Schedule(0).Work, Joined(all));
  field(FarmName(0), Joined(all));

  ASSERT_TRUE(SaveAllFiles());
  for (const char* name : kDataFiles) {
    std::string bytes = dir.Read(name);
    for (auto it = fields.rbegin(); it != fields.rend(); ++it) ReplaceAll(bytes, it->first, it->second);
    dir.Write(name, bytes);
  }
  std::vector<std::string> before;
  for (const char* name : kDataFiles) before.push_back(dir.Read(name));

  ResetStore();
  DataPath = dir.dir();
  ASSERT_TRUE(LoadAllFiles());
  EXPECT_TRUE(PriceItem(0).Name == rt::Cp932ToUtf8(Joined(all))) << PriceItem(0).Name.size();
  ASSERT_TRUE(SaveAllFiles());
  EXPECT_TRUE(errors.empty());
  for (size_t i = 0; i < kDataFiles.size(); ++i) {
    std::string after = dir.Read(kDataFiles[i]);
    ASSERT_EQ(after.size(), before[i].size()) << kDataFiles[i];
    EXPECT_TRUE(after == before[i]) << kDataFiles[i] << " differs at byte "
                                    << std::mismatch(after.begin(), after.end(), before[i].begin()).first - after.begin();
  }
}
