#include "store/FileSequences.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "store/DataFile.h"
#include "store/DiaryFile.h"
#include "store/MaterialFile.h"
#include "store/ObserveFile.h"
#include "store/PriceFile.h"
#include "store/ScheduleFile.h"
#include "store/Store.h"
#include "store/WeatherFiles.h"

namespace {

// The readers and writers in the order of kDataFiles.
constexpr bool (*kReaders[])() = {LoadOndo, LoadSchedule, LoadTenki, LoadMaterial,
                                  LoadKousui, LoadObserve, LoadNikki, LoadPrice};
constexpr bool (*kWriters[])() = {SaveOndo, SaveSchedule, SaveTenki, SaveMaterial,
                                  SaveKousui, SaveObserve, SaveNikki, SavePrice};
static_assert(std::size(kReaders) == kDataFiles.size() && std::size(kWriters) == kDataFiles.size());

// Whether DataPath holds the file, found as the readers find it. One that
// cannot even be looked at counts as there, so that its reader says why.
bool Present(const char* name) {
  try {
    return FindDataFile(name).has_value();
  } catch (...) {
    return true;
  }
}

// The weather and diary readers count progress and let the event queue run
// (StepProgress), so they stay on the calling thread. The other four never
// touch the progress state and each fills only its own tables; they are also
// the large files, so two workers read them meanwhile, the largest first.
constexpr size_t kOnWorkers[] = {3, 5, 1, 7};  // material, observe, Schedule, price
constexpr bool OnWorker(size_t i) {
  for (size_t w : kOnWorkers)
    if (w == i) return true;
  return false;
}
constexpr int kWorkers = 2;

// One load-all: the workers are started first, the calling thread reads its
// own files when the load is finished. Every error a reader reports is held
// for its file (StoreErrorSink) and passed on at the end, on the calling
// thread and in the order of kDataFiles: the farmer sees the same messages in
// the same order as when the files were read one after another.
class LoadRun {
 public:
  explicit LoadRun(bool presentOnly) : dataPath_(DataPath) {
    for (size_t i = 0; i < kDataFiles.size(); ++i) wanted_[i] = !presentOnly || Present(kDataFiles[i]);
    for (int w = 0; w < kWorkers; ++w) {
      try {
        Running(+1);
        workers_.emplace_back([this] {
          Work();
          Running(-1);
        });
      } catch (const std::system_error&) {
        // No thread to be had: Finish reads what is left.
        Running(-1);
      }
    }
  }
  ~LoadRun() { Join(); }
  LoadRun(const LoadRun&) = delete;
  LoadRun& operator=(const LoadRun&) = delete;
  const std::string& dataPath() const { return dataPath_; }

  bool Finish() {
    if (workers_.empty()) Work();
    for (size_t i = 0; i < kDataFiles.size(); ++i)
      if (!OnWorker(i) && wanted_[i]) Read(i);
    // The progress window goes on being painted while the workers finish.
    for (std::unique_lock<std::mutex> lock(m_); running_ > 0;) {
      if (finished_.wait_for(lock, std::chrono::milliseconds(10), [&] { return running_ == 0; })) break;
      lock.unlock();
      if (YieldHook) YieldHook();
      lock.lock();
    }
    Join();
    bool ok = true;
    for (size_t i = 0; i < kDataFiles.size(); ++i) {
      if (StoreErrorHook)
        for (const StoreError& e : errors_[i]) StoreErrorHook(e);
      ok = ok && (!wanted_[i] || done_[i]);
    }
    return ok;
  }

 private:
  void Read(size_t i) {
    StoreErrorSink = &errors_[i];
    try {
      done_[i] = kReaders[i]();
    } catch (...) {
      // Only running out of memory while reporting gets here.
      done_[i] = false;
    }
    StoreErrorSink = nullptr;
  }
  // Takes the worker files one after another until none is left.
  void Work() {
    for (size_t k; (k = next_.fetch_add(1)) < std::size(kOnWorkers);)
      if (wanted_[kOnWorkers[k]]) Read(kOnWorkers[k]);
  }
  void Running(int step) {
    std::lock_guard<std::mutex> lock(m_);
    running_ += step;
    finished_.notify_all();
  }
  void Join() {
    for (std::thread& t : workers_)
      if (t.joinable()) t.join();
  }

  std::string dataPath_;
  std::array<bool, kDataFiles.size()> wanted_{}, done_{};
  std::array<std::vector<StoreError>, kDataFiles.size()> errors_;
  std::atomic<size_t> next_{0};
  std::mutex m_;
  std::condition_variable finished_;
  int running_ = 0;
  std::vector<std::thread> workers_;
};

std::unique_ptr<LoadRun>& Ahead() {
  static std::unique_ptr<LoadRun> run;
  return run;
}

bool Load(bool presentOnly) {
  std::unique_ptr<LoadRun> run = std::move(Ahead());
  // A read begun for another folder is of no use.
  if (run && (presentOnly || run->dataPath() != DataPath)) run.reset();
  ProgressTotal = kLoadAllTotal;
  ProgressCount = 0;
  ProgressCaption = kLoadAllCaption;
  if (!run) run = std::make_unique<LoadRun>(presentOnly);
  return run->Finish();
}

}  // namespace

bool LoadAllFiles() { return Load(false); }

void BeginLoadAll() {
  if (!Ahead()) Ahead() = std::make_unique<LoadRun>(false);
}

void EndLoadAhead() { Ahead().reset(); }

bool LoadPresentFiles() { return Load(true); }

std::vector<std::string> MissingDataFiles() {
  std::vector<std::string> missing;
  for (const char* name : kDataFiles)
    if (!Present(name)) missing.emplace_back(name);
  return missing;
}

bool SaveAllFiles() {
  ProgressTotal = kSaveAllTotal;
  ProgressCount = 0;
  ProgressCaption = kSaveAllCaption;
  bool ok = true;
  for (bool (*write)() : kWriters) ok = write() && ok;
  return ok;
}
