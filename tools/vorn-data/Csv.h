#pragma once
// A CSV file for spreadsheets: UTF-8 behind a byte-order mark (without it a
// spreadsheet reads the file in the locale's code page and garbles Japanese),
// records ended by CR LF, a field quoted, with its quotes doubled, when it
// holds a comma, a quote or a line break. A line break inside a field is
// written as a single LF, the way spreadsheets keep one inside a cell.
//
// The file is written under a temporary name beside its own and renamed into
// place only when complete, so a failed export never leaves half a file
// under the real name.
#include <string>
#include <string_view>

class CsvFile {
 public:
  // `replace` false: an existing file of that name is never overwritten;
  // Commit() fails instead.
  CsvFile(std::string path, bool replace);
  ~CsvFile();
  CsvFile(const CsvFile&) = delete;
  CsvFile& operator=(const CsvFile&) = delete;

  void Field(std::string_view text);
  void EndRecord();
  // One record of plain fields.
  template <class... T>
  void Record(const T&... fields) {
    (Field(fields), ...);
    EndRecord();
  }
  // Writes the rest, syncs and renames the file into place. Failures (here
  // and in the constructor) throw std::runtime_error naming the file.
  void Commit();

 private:
  [[noreturn]] void Fail(const char* what);
  void Flush();
  std::string path_, tmp_;
  bool replace_;
  int fd_ = -1;
  bool firstField_ = true;
  std::string buffer_;
};
