#include "store/FileSequences.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
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

// While the files are read side by side, every error a reader reports is
// held for its file and passed on afterwards, on the calling thread and in
// the order of kDataFiles: the farmer sees the same messages in the same
// order as when the files were read one after another.
thread_local std::vector<StoreError>* heldErrors = nullptr;

class HoldErrors {
 public:
  HoldErrors() : saved_(std::move(StoreErrorHook)) {
    StoreErrorHook = [this](const StoreError& e) {
      if (heldErrors)
        heldErrors->push_back(e);
      else if (saved_)
        saved_(e);
    };
  }
  ~HoldErrors() { StoreErrorHook = std::move(saved_); }
  HoldErrors(const HoldErrors&) = delete;
  HoldErrors& operator=(const HoldErrors&) = delete;
  void PassOn(const std::vector<StoreError>& errors) const {
    if (saved_)
      for (const StoreError& e : errors) saved_(e);
  }

 private:
  std::function<void(const StoreError&)> saved_;
};

bool Load(bool presentOnly) {
  ProgressTotal = kLoadAllTotal;
  ProgressCount = 0;
  ProgressCaption = kLoadAllCaption;
  std::array<bool, kDataFiles.size()> wanted{}, done{};
  for (size_t i = 0; i < kDataFiles.size(); ++i) wanted[i] = !presentOnly || Present(kDataFiles[i]);
  std::array<std::vector<StoreError>, kDataFiles.size()> errors;
  auto read = [&](size_t i) {
    heldErrors = &errors[i];
    try {
      done[i] = kReaders[i]();
    } catch (...) {
      // Only running out of memory while reporting gets here.
      done[i] = false;
    }
    heldErrors = nullptr;
  };
  {
    HoldErrors hold;
    std::atomic<size_t> next{0};
    std::mutex m;
    std::condition_variable finished;
    int running = 0;
    auto work = [&] {
      for (size_t k; (k = next.fetch_add(1)) < std::size(kOnWorkers);)
        if (wanted[kOnWorkers[k]]) read(kOnWorkers[k]);
      std::lock_guard<std::mutex> lock(m);
      --running;
      finished.notify_all();
    };
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
      try {
        {
          std::lock_guard<std::mutex> lock(m);
          ++running;
        }
        workers.emplace_back(work);
      } catch (const std::system_error&) {
        // No thread to be had: what is left runs here below.
        std::lock_guard<std::mutex> lock(m);
        --running;
      }
    }
    if (workers.empty())
      for (size_t i : kOnWorkers)
        if (wanted[i]) read(i);
    for (size_t i = 0; i < kDataFiles.size(); ++i)
      if (!OnWorker(i) && wanted[i]) read(i);
    // The progress window goes on being painted while the workers finish.
    for (std::unique_lock<std::mutex> lock(m); running > 0;) {
      if (finished.wait_for(lock, std::chrono::milliseconds(10), [&] { return running == 0; })) break;
      lock.unlock();
      if (YieldHook) YieldHook();
      lock.lock();
    }
    for (std::thread& t : workers) t.join();
    for (size_t i = 0; i < kDataFiles.size(); ++i) hold.PassOn(errors[i]);
  }
  bool ok = true;
  for (size_t i = 0; i < kDataFiles.size(); ++i) ok = ok && (!wanted[i] || done[i]);
  return ok;
}

}  // namespace

bool LoadAllFiles() { return Load(false); }

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
