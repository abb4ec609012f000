// Start-up of the program against the floor of any Qt Widgets program: from
// exec until the menu bar window is mapped on a virtual 1024 x 768 X screen,
// with an empty data folder and with the full data set, the three run in
// turns so that a busy moment of the machine falls on all alike. Then, in
// this process, loading and saving the full data set inside the window frame
// (progress window, event yield: what 再読込 and 保存 run) against the bare
// file sequences that `vorn-data copy` runs.
//   bench_startup [ROUNDS [PROGRAM...]]
// ROUNDS defaults to 7; medians are printed. Each further PROGRAM (another
// build of the program, say the one before a change) is timed in the same
// turns with both folders.
// Ready means: a top-level window 1024 pixels wide is mapped (the menu bar;
// the title and progress windows are narrower). The X server reports it to
// a watching client, so nothing in the program is instrumented.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "e2e/XScreen.h"
#include "platform/EventYield.h"
#include "platform/MessageBox.h"
#include "platform/Screen.h"
#include "shell/modFile.h"
#include "store/DataFile.h"
#include "store/FileSequences.h"
#include "store/Store.h"
#include "support/TempDir.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Watches the screen's top-level windows for the first one 1024 pixels wide
// to be mapped.
class MapWatch {
 public:
  explicit MapWatch(const std::string& display) : c_(xcb_connect(display.c_str(), nullptr)) {
    if (xcb_connection_has_error(c_)) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
    Drain();
  }
  ~MapWatch() { xcb_disconnect(c_); }
  bool ok() const { return root_ != XCB_NONE; }

  // Forgets what happened so far (the windows of a program just ended).
  void Drain() {
    free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) free(e);
    width_.clear();
  }

  // True once the menu bar is mapped; false after `ms`.
  bool WaitForMenuBar(int ms) {
    auto until = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
      while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
        bool ready = Handle(e);
        free(e);
        if (ready) return true;
      }
      int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count());
      if (left <= 0 || xcb_connection_has_error(c_)) return false;
      pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
      poll(&p, 1, left);
    }
  }

 private:
  bool Handle(xcb_generic_event_t* e) {
    switch (e->response_type & 0x7f) {
      case XCB_CREATE_NOTIFY: {
        auto* c = reinterpret_cast<xcb_create_notify_event_t*>(e);
        if (!c->override_redirect) width_[c->window] = c->width;
        return false;
      }
      case XCB_CONFIGURE_NOTIFY: {
        auto* c = reinterpret_cast<xcb_configure_notify_event_t*>(e);
        if (!c->override_redirect) width_[c->window] = c->width;
        return false;
      }
      case XCB_MAP_NOTIFY: {
        auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
        auto w = width_.find(m->window);
        return !m->override_redirect && w != width_.end() && w->second == 1024;
      }
      default:
        return false;
    }
  }
  xcb_connection_t* c_;
  xcb_window_t root_ = XCB_NONE;
  std::map<xcb_window_t, int> width_;
};

// One way of starting: a program and the folder it keeps its data in.
struct Starter {
  std::string name;
  std::string program;
  std::string home;  // XDG_DATA_HOME; the data folder is home/vorn
  std::vector<double> ms;
};

// Starts `s` and times it until its menu bar is mapped; ends it afterwards.
bool TimeStart(Starter& s, const std::string& display, MapWatch& watch) {
  watch.Drain();
  Clock::time_point t0 = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("XDG_DATA_HOME", s.home.c_str(), 1);
    setenv("HOME", (s.home + "/home").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (s.home + "/run").c_str(), 1);
    unsetenv("QT_SCALE_FACTOR");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    execl(s.program.c_str(), s.program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  bool ready = watch.WaitForMenuBar(30000);
  Clock::time_point t1 = Clock::now();
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  // The lock of a killed copy would make the next start wait or refuse.
  std::error_code ec;
  std::filesystem::remove(s.home + "/vorn/.vorn.lock", ec);
  if (ready) s.ms.push_back(Ms(t1 - t0));
  return ready;
}

std::string MakeHome(const TempDir& base, const std::string& name) {
  std::string home = base.file(name);
  for (const char* sub : {"", "/home", "/vorn", "/run"}) std::filesystem::create_directories(home + sub);
  std::filesystem::permissions(home + "/run", std::filesystem::perms::owner_all);
  return home;
}

// Times two ways of doing the same thing in turns; prints their medians.
void Compare(const char* what, const char* against, int rounds, const std::function<void()>& framed,
             const std::function<void()>& bare) {
  std::vector<double> a, b;
  framed();  // once for the caches
  for (int r = 0; r < rounds; ++r) {
    Clock::time_point t0 = Clock::now();
    framed();
    Clock::time_point t1 = Clock::now();
    bare();
    Clock::time_point t2 = Clock::now();
    a.push_back(Ms(t1 - t0));
    b.push_back(Ms(t2 - t1));
  }
  std::printf("%-34s %8.1f ms   %-24s %8.1f ms   ratio %.2f\n", what, Median(a), against, Median(b),
              Median(a) / Median(b));
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  std::string platform = std::string("offscreen:configfile=") + VORN_SOURCE_DIR "/tests/support/screen-1024x768.json";
  setenv("QT_QPA_PLATFORM", platform.c_str(), 0);
  QApplication app(argc, argv);

  std::string xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb")).toStdString();
  if (xvfb.empty()) {
    std::printf("bench_startup: Xvfb is not installed, start-up not measured\n");
    return 0;
  }
  TempDir base;
  std::vector<Starter> starters = {{"floor (Qt menu bar)", STARTUP_FLOOR, MakeHome(base, "floor"), {}},
                                   {"empty data folder", VORN_PROGRAM, MakeHome(base, "empty"), {}},
                                   {"full data set", VORN_PROGRAM, MakeHome(base, "full"), {}}};
  for (int a = 2; a < argc; ++a) {
    starters.push_back({std::string("empty, ") + argv[a], argv[a], starters[1].home, {}});
    starters.push_back({std::string("full, ") + argv[a], argv[a], starters[2].home, {}});
  }
  std::string full = starters[2].home + "/vorn";
  if (std::system((std::string(MAKE_DATASET) + " " + full + " 1").c_str()) != 0) {
    std::printf("bench_startup: the data set could not be made\n");
    return 1;
  }
  e2e::VirtualScreen screen(xvfb);
  MapWatch watch(screen.display());
  if (!watch.ok()) {
    std::printf("bench_startup: no virtual screen\n");
    return 1;
  }
  // A first round for the caches, then the rounds that count, each in
  // another order.
  for (int r = -1; r < rounds; ++r)
    for (size_t k = 0; k < starters.size(); ++k) {
      Starter& s = starters[(k + static_cast<size_t>(r + 1)) % starters.size()];
      std::vector<double> keep = s.ms;
      if (!TimeStart(s, screen.display(), watch)) {
        std::printf("bench_startup: %s never showed its menu bar\n", s.name.c_str());
        return 1;
      }
      if (r < 0) s.ms = keep;
    }
  double floor = Median(starters[0].ms);
  std::printf("start to menu bar, median of %d (%s)\n", rounds, "exec until the 1024-pixel window is mapped");
  for (const Starter& s : starters)
    std::printf("  %-22s %8.1f ms   %.2fx the floor\n", s.name.c_str(), Median(s.ms), Median(s.ms) / floor);

  // Loading and saving the full set, framed as the menu bar runs them
  // against the bare sequences of the command-line tool.
  CaptureTwipsPerPixel();
  SetMsgBoxHandler([](const MsgBoxCall&) { return MsgResult::Ok; });
  TempDir scratch;
  QWidget owner;
  owner.show();
  QCoreApplication::processEvents();
  DataPath = full + "/";
  HomeDataPath.clear();
  auto withYield = [](const std::function<void()>& f) {
    return [f] {
      InstallEventYield();
      f();
    };
  };
  auto bare = [](const std::function<void()>& f) {
    return [f] {
      YieldHook = nullptr;
      f();
    };
  };
  Compare("再読込 (load-all in its frame)", "vorn-data copy's load", rounds, withYield([&] { LoadAll(&owner); }),
          bare([] { LoadAllFiles(); }));
  DataPath = scratch.dir();
  Compare("保存 (save-all in its frame)", "vorn-data copy's save", rounds, withYield([&] { SaveAll(&owner); }),
          bare([] { SaveAllFiles(); }));
  YieldHook = nullptr;
  return 0;
}
