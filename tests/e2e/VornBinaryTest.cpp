// Starts the real program on a virtual 1024 x 768 X screen, waits for the
// menu bar, closes it as a window manager would and expects a clean exit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

// A virtual X server on a display number it picks itself.
class VirtualScreen {
 public:
  explicit VirtualScreen(const std::string& xvfb) {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      std::string fd = std::to_string(fds[1]);
      int null = open("/dev/null", O_WRONLY);
      dup2(null, 2);
      execl(xvfb.c_str(), xvfb.c_str(), "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-dpi", "96",
            "-nolisten", "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    pollfd p{fds[0], POLLIN, 0};
    std::string number;
    while (poll(&p, 1, 15000) > 0) {
      char c;
      if (read(fds[0], &c, 1) != 1 || c == '\n') break;
      number += c;
    }
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~VirtualScreen() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr);
  xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  free(r);
  return a;
}

std::string Title(xcb_connection_t* c, xcb_window_t w) {
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, Atom(c, "_NET_WM_NAME"), XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr);
  std::string s;
  if (r) s.assign(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
  free(r);
  return s;
}

// The viewable top-level windows titled "Vorn": the menu bar is the one
// 1024 pixels wide; the others are the title window and message boxes.
std::vector<xcb_window_t> VornWindows(xcb_connection_t* c, bool menuBar) {
  std::vector<xcb_window_t> found;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, screen->root), nullptr);
  if (!tree) return found;
  xcb_window_t* kids = xcb_query_tree_children(tree);
  for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
    xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, kids[i]), nullptr);
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, kids[i]), nullptr);
    if (a && g && a->map_state == XCB_MAP_STATE_VIEWABLE && (g->width == 1024) == menuBar && Title(c, kids[i]) == "Vorn")
      found.push_back(kids[i]);
    free(a);
    free(g);
  }
  free(tree);
  return found;
}

xcb_window_t FindMenuBar(xcb_connection_t* c) {
  std::vector<xcb_window_t> bars = VornWindows(c, true);
  return bars.empty() ? XCB_NONE : bars.front();
}

// The close box of a window manager: WM_DELETE_WINDOW.
void SendClose(xcb_connection_t* c, xcb_window_t w) {
  xcb_client_message_event_t close{};
  close.response_type = XCB_CLIENT_MESSAGE;
  close.format = 32;
  close.window = w;
  close.type = Atom(c, "WM_PROTOCOLS");
  close.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
  close.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&close));
  xcb_flush(c);
}

// Starts the real program on the virtual screen with its data under home.
void StartVorn(QProcess& vorn, const std::string& display, const TempDir& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(home.dir()));
  std::filesystem::create_directories(home.file("run"));
  std::filesystem::permissions(home.file("run"), std::filesystem::perms::owner_all);
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(home.file("run")));
  env.remove(QStringLiteral("QT_SCALE_FACTOR"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  vorn.setProcessEnvironment(env);
  vorn.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  vorn.start(QStringLiteral(VORN_BINARY_DIR "/vorn"), {});
}

// Waits for the menu bar of a starting program (XCB_NONE if none came).
xcb_window_t WaitForMenuBar(xcb_connection_t* c, QProcess& vorn) {
  vorn.waitForStarted(10000);
  xcb_window_t bar = XCB_NONE;
  QElapsedTimer t;
  t.start();
  while (bar == XCB_NONE && t.elapsed() < 30000 && vorn.state() == QProcess::Running) {
    bar = FindMenuBar(c);
    if (bar == XCB_NONE) vorn.waitForFinished(100);
  }
  return bar;
}

}  // namespace

TEST(VornBinary, StartsOnAVirtualScreenAndEndsWhenTheMenuBarIsClosed) {
  QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
  VirtualScreen x(xvfb.toStdString());
  ASSERT_FALSE(x.display().empty()) << "Xvfb did not start";

  TempDir home;
  QProcess vorn;
  StartVorn(vorn, x.display(), home);
  ASSERT_TRUE(vorn.waitForStarted(10000));

  xcb_connection_t* c = xcb_connect(x.display().c_str(), nullptr);
  ASSERT_EQ(xcb_connection_has_error(c), 0);
  xcb_window_t bar = WaitForMenuBar(c, vorn);
  ASSERT_NE(bar, static_cast<xcb_window_t>(XCB_NONE)) << "no menu bar appeared";
  EXPECT_TRUE(std::filesystem::is_directory(home.file("vorn")));

  SendClose(c, bar);

  ASSERT_TRUE(vorn.waitForFinished(20000)) << "the program did not end";
  EXPECT_EQ(vorn.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(vorn.exitCode(), 0);
  EXPECT_FALSE(std::filesystem::exists(home.file("vorn/.vorn.lock")));
  xcb_disconnect(c);
}

TEST(VornBinary, ASecondStartIsRefusedAndAKilledFirstLeavesNoLockThatBlocksTheNext) {
  QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
  VirtualScreen x(xvfb.toStdString());
  ASSERT_FALSE(x.display().empty()) << "Xvfb did not start";
  xcb_connection_t* c = xcb_connect(x.display().c_str(), nullptr);
  ASSERT_EQ(xcb_connection_has_error(c), 0);
  TempDir home;

  QProcess first;
  StartVorn(first, x.display(), home);
  ASSERT_NE(WaitForMenuBar(c, first), static_cast<xcb_window_t>(XCB_NONE)) << "the first start shows no menu bar";

  // The second start on the same data shows its box; closed, it ends
  // without a menu bar of its own.
  QProcess second;
  StartVorn(second, x.display(), home);
  ASSERT_TRUE(second.waitForStarted(10000));
  bool box = false;
  QElapsedTimer t;
  t.start();
  while (second.state() == QProcess::Running && t.elapsed() < 30000) {
    ASSERT_LE(VornWindows(c, true).size(), 1u) << "a second menu bar appeared";
    for (xcb_window_t w : VornWindows(c, false)) {
      SendClose(c, w);
      box = true;
    }
    second.waitForFinished(100);
  }
  ASSERT_EQ(second.state(), QProcess::NotRunning) << "the second start did not end";
  EXPECT_TRUE(box);
  EXPECT_EQ(second.exitCode(), 1);
  EXPECT_EQ(first.state(), QProcess::Running);

  // Killed outright, the first leaves its lock file; the next start runs.
  first.kill();
  ASSERT_TRUE(first.waitForFinished(10000));
  EXPECT_TRUE(std::filesystem::exists(home.file("vorn/.vorn.lock")));
  QProcess third;
  StartVorn(third, x.display(), home);
  xcb_window_t bar = WaitForMenuBar(c, third);
  ASSERT_NE(bar, static_cast<xcb_window_t>(XCB_NONE)) << "the start after the kill shows no menu bar";
  SendClose(c, bar);
  ASSERT_TRUE(third.waitForFinished(20000));
  EXPECT_EQ(third.exitCode(), 0);
  EXPECT_FALSE(std::filesystem::exists(home.file("vorn/.vorn.lock")));
  xcb_disconnect(c);
}
