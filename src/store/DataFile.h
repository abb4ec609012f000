#pragma once
// Reading and writing the data files: whole files at a time, CP932 on disk,
// UTF-8 in memory, CR LF line ends. Writers replace a file atomically so that
// a failure or crash during a save never damages the previous records.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The path of data file `name` in `dir` (ending in "/"): an existing file
// whose name matches case-insensitively (an exact match preferred, else the
// first such name in byte order), so that a folder copied from Windows with
// "TENKI.DAT" or "material.dat" is read and replaced under its own name, and
// a folder holding two spellings always uses the same one and leaves the
// other alone; otherwise dir + name.
std::string ResolveFile(const std::string& dir, const std::string& name);
// The same in DataPath; nullopt when no such file exists.
std::optional<std::string> FindDataFile(const std::string& name);

// The lines of a text: CR LF, a lone CR and a lone LF each end a line; a
// missing final line end is fine.
std::vector<std::string> SplitLines(std::string_view text);
// The same lines as views into `text`.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// A failure of a reader or writer, as the error reporter shows it; `line` is
// the 1-based line where a reader stopped (0 when not at a line).
struct StoreError {
  int16_t number = 0;
  std::string file;  // the data file's name, e.g. "tenki.dat"
  long line = 0;
};

// Where readers and writers send their errors. The windows install the error
// reporter; the command-line tool prints. Without a hook errors are dropped.
extern std::function<void(const StoreError&)> StoreErrorHook;
// Where set, the errors of this thread's readers and writers are collected
// here instead (load-all reads files on several threads and reports their
// errors afterwards, in order, on its own).
extern thread_local std::vector<StoreError>* StoreErrorSink;

// The program's own data directory. A reader that stops on a bad line in this
// directory first keeps a copy "<file>.damaged-<yyyymmdd-hhmmss>" beside the
// file, because the next save would otherwise overwrite the unread rest
// (unless the newest copy kept before holds the same bytes).
// Empty (the default) means no copies anywhere, as for backups and the tool.
extern std::string HomeDataPath;

// What a reader body sees: the file's lines, either one after another
// (NextLine, for readers that apply each line as it comes) or all at once
// (Lines, for readers that file lines before applying them).
class FileReading {
 public:
  explicit FileReading(std::string path);
  ~FileReading();
  FileReading(const FileReading&) = delete;
  FileReading& operator=(const FileReading&) = delete;
  const std::string& path() const { return path_; }
  // Opens the file and reads its first part (otherwise the first line read
  // does); raises the error of a file that cannot be opened or read.
  void Open();
  // The next line, decoded; false after the last. The view is valid until
  // the next call. The file is read a part at a time into one small buffer:
  // read whole into fresh memory, a 19 MB file cost thousands of page faults,
  // about as long as parsing it.
  bool NextLine(std::string_view& line);
  // All lines (the whole file is read once); they stay valid as long as this
  // object.
  const std::vector<std::string_view>& Lines();
  // The 1-based line being applied, for error messages and damaged copies.
  // NextLine keeps it; readers of Lines() set it with At.
  void At(size_t index0) { line_ = static_cast<long>(index0) + 1; }
  long line() const { return line_; }

 private:
  // Reads more of the file behind the unread bytes [pos_, end_), moving them
  // to the front first and growing the buffer when they fill it; false at
  // the end of the file.
  bool Fill();
  std::string path_;
  int fd_ = -1;
  bool eof_ = false;
  bool asciiShared_ = false;  // plain ASCII lines need no decoding
  std::unique_ptr<char[]> buffer_;
  size_t room_ = 0, pos_ = 0, end_ = 0;
  std::string decoded_;  // the current line, when it is not plain ASCII
  std::unique_ptr<char[]> text_;
  std::vector<std::string_view> lines_;
  bool split_ = false;
  long line_ = 0;
};

// Runs a reader over DataPath + name. `missing` runs when the file does not
// exist; otherwise, once the whole file has been read in, `clear` empties the
// tables the reader fills and `body` applies the file, so that the tables
// hold what the file holds and nothing of what was in memory before (a file
// that cannot be read leaves them as they were). Any error is reported
// through StoreErrorHook (after keeping a damaged copy where that applies)
// and makes the result false; what the body applied before the error stays
// applied.
bool RunReader(const std::string& name, const std::function<void()>& missing, const std::function<void()>& clear,
               const std::function<void(FileReading&)>& body);

// The file a save of `path` replaces: `path` itself, or where `path` is a
// symbolic link (or a chain of them) the file it leads to.
std::string WriteTarget(const std::string& path);

// A file being replaced: written to a temporary file beside WriteTarget(path),
// which Commit() flushes, syncs and renames over it (a link to it stays a
// link). Destroyed without Commit() (an error, an exception) it removes the
// temporary file and leaves the old one as it was. Creating one also removes
// the temporary files of the same file that an interrupted save left behind.
// Failures raise RuntimeError with the matching number.
class AtomicFile {
 public:
  explicit AtomicFile(std::string path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  // Encodes UTF-8 text as CP932 and appends it.
  void Write(std::string_view utf8Text);
  void Commit();

 private:
  [[noreturn]] void Fail(int err);
  std::string path_, tmp_;
  int fd_ = -1;
  std::unique_ptr<char[]> encoded_;
  size_t room_ = 0;
};

// Collects a file's lines for a writer and hands them on to the file in
// pieces of about kChunk bytes, so that a large file is never held whole
// (twice, as UTF-8 and as CP932) in memory.
class LineSink {
 public:
  static constexpr size_t kChunk = 1 << 18;
  explicit LineSink(AtomicFile& file) : file_(file) { text_.reserve(kChunk + kChunk / 2); }
  void Line(std::string_view s) {
    text_.append(s);
    EndLine();
  }
  // Appends without ending the line (for lines built from many parts);
  // call Spill() after whole lines.
  std::string& Buffer() { return text_; }
  void EndLine() {
    text_.append("\r\n");
    Spill();
  }
  // Passes the lines collected so far to the file once they are a chunk.
  void Spill() {
    if (text_.size() >= kChunk) Flush();
  }
  void Flush();

 private:
  AtomicFile& file_;
  std::string text_;
};

// Runs a writer for DataPath + name: the body produces the lines, then the
// file is replaced atomically. Errors are reported through StoreErrorHook;
// returns whether the file was written.
bool RunWriter(const std::string& name, const std::function<void(LineSink&)>& body);

// Reports the exception being handled for `file` through StoreErrorHook.
void ReportCurrentStoreError(const std::string& file, long line);
