// One copy per data directory, with real processes: starts at the same
// instant, a copy killed while holding the lock, and lock files that a crash
// left empty or unreadable. Each start is the probe built beside the tests,
// which takes the lock as the start routine does.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kProbe = VORN_BINARY_DIR "/tests/vorn_instance_probe";

// Starts held at one gate: every probe waits for the end of its standard
// input, which is the same pipe for all, and Go() closes it.
class Starts {
 public:
  Starts(const std::string& dataDir, int count) {
    int gate[2];
    if (pipe2(gate, O_CLOEXEC) != 0) return;
    for (int i = 0; i < count; ++i) {
      int out[2];
      if (pipe2(out, O_CLOEXEC) != 0) break;
      pid_t pid = fork();
      if (pid == 0) {
        dup2(gate[0], 0);
        dup2(out[1], 1);
        execl(kProbe.c_str(), kProbe.c_str(), dataDir.c_str(), static_cast<char*>(nullptr));
        _exit(127);
      }
      close(out[1]);
      probes_.push_back({pid, out[0], ""});
    }
    close(gate[0]);
    gate_ = gate[1];
  }
  ~Starts() {
    for (Probe& p : probes_) {
      if (p.pid > 0) {
        kill(p.pid, SIGKILL);
        waitpid(p.pid, nullptr, 0);
      }
      close(p.out);
    }
    if (gate_ >= 0) close(gate_);
  }

  // Lets all go at once and collects what each says ("taken", "refused").
  void Go() {
    close(gate_);
    gate_ = -1;
    for (Probe& p : probes_) {
      pollfd f{p.out, POLLIN, 0};
      char buf[32];
      while (p.said.find('\n') == std::string::npos && poll(&f, 1, 30000) > 0) {
        ssize_t n = read(p.out, buf, sizeof buf);
        if (n <= 0) break;
        p.said.append(buf, static_cast<size_t>(n));
      }
      if (!p.said.empty() && p.said.back() == '\n') p.said.pop_back();
    }
  }
  int Count(const std::string& answer) const {
    int n = 0;
    for (const Probe& p : probes_) n += p.said == answer;
    return n;
  }
  // Ends the probe holding the lock: SIGKILL leaves its lock file behind,
  // SIGTERM lets it give the lock up. Every probe is reaped, as a desktop
  // reaps the programs it started.
  void EndHolder(int signal) {
    for (Probe& p : probes_)
      if (p.said == "taken") kill(p.pid, signal);
    for (Probe& p : probes_) {
      waitpid(p.pid, nullptr, 0);
      p.pid = -1;
    }
  }

 private:
  struct Probe {
    pid_t pid;
    int out;
    std::string said;
  };
  std::vector<Probe> probes_;
  int gate_ = -1;
};

std::string StartOnce(const std::string& dataDir) {
  Starts one(dataDir, 1);
  one.Go();
  std::string said = one.Count("taken") ? "taken" : one.Count("refused") ? "refused" : "no answer";
  one.EndHolder(SIGTERM);
  return said;
}

void SetAge(const std::string& path, time_t seconds) {
  timespec times[2];
  times[0].tv_sec = times[1].tv_sec = std::time(nullptr) - seconds;
  times[0].tv_nsec = times[1].tv_nsec = 0;
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

}  // namespace

TEST(SingleInstance, OfFourSimultaneousStartsExactlyOneRunsAlsoOverTheLockOfAKilledCopy) {
  TempDir data;
  const std::string lock = data.file(".vorn.lock");
  for (int round = 0; round < 20; ++round) {
    // Rounds after a killed holder begin with its lock file still there.
    bool stale = fs::exists(lock);
    EXPECT_EQ(stale, round % 2 == 1) << "round " << round;
    Starts starts(data.dir(), 4);
    starts.Go();
    EXPECT_EQ(starts.Count("taken"), 1) << "round " << round;
    EXPECT_EQ(starts.Count("refused"), 3) << "round " << round;
    // A start while the winner runs is refused as well.
    EXPECT_EQ(StartOnce(data.dir()), "refused") << "round " << round;
    starts.EndHolder(round % 2 == 0 ? SIGKILL : SIGTERM);
  }
  EXPECT_FALSE(fs::exists(lock));
  EXPECT_FALSE(fs::exists(lock + ".rmlock"));
}

TEST(SingleInstance, ALockFileACrashLeftUnreadableBlocksNoStartButOneARunningCopyHoldsDoes) {
  TempDir data;
  const std::string lock = data.file(".vorn.lock");
  // A live process of the same name, as when a process id comes round again.
  const std::string alive = std::to_string(getpid()) + "\n" + fs::read_symlink("/proc/self/exe").filename().string() + "\n";
  for (const std::string& left : {std::string(), alive, std::string("not a lock\n\xff\xfe")}) {
    SCOPED_TRACE(testing::Message() << "lock file holding \"" << left << "\"");
    data.Write(".vorn.lock", left);
    // Just made: a copy may be starting and about to write its name.
    EXPECT_EQ(StartOnce(data.dir()), "refused");
    SetAge(lock, 3600);

    // Held by a running copy, whatever the file says: refused.
    int held = open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(StartOnce(data.dir()), "refused");
    close(held);
    EXPECT_TRUE(fs::exists(lock));

    // Nobody holds it: the next start runs at once.
    EXPECT_EQ(StartOnce(data.dir()), "taken");
    EXPECT_FALSE(fs::exists(lock));
  }
}
