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

// The viewable top-level window titled "Vorn" that is 1024 pixels wide.
xcb_window_t FindMenuBar(xcb_connection_t* c) {
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, screen->root), nullptr);
  xcb_window_t found = XCB_NONE;
  if (!tree) return found;
  xcb_window_t* kids = xcb_query_tree_children(tree);
  for (int i = 0; i < xcb_query_tree_children_length(tree) && found == XCB_NONE; ++i) {
    xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, kids[i]), nullptr);
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, kids[i]), nullptr);
    if (a && g && a->map_state == XCB_MAP_STATE_VIEWABLE && g->width == 1024 && Title(c, kids[i]) == "Vorn")
      found = kids[i];
    free(a);
    free(g);
  }
  free(tree);
  return found;
}

}  // namespace

TEST(VornBinary, StartsOnAVirtualScreenAndEndsWhenTheMenuBarIsClosed) {
  QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
  if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
  VirtualScreen x(xvfb.toStdString());
  ASSERT_FALSE(x.display().empty()) << "Xvfb did not start";

  TempDir home;
  QProcess vorn;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), QString::fromStdString(x.display()));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(home.dir()));
  std::filesystem::create_directory(home.file("run"));
  std::filesystem::permissions(home.file("run"), std::filesystem::perms::owner_all);
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(home.file("run")));
  env.remove(QStringLiteral("QT_SCALE_FACTOR"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  vorn.setProcessEnvironment(env);
  vorn.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  vorn.start(QStringLiteral(VORN_BINARY_DIR "/vorn"), {});
  ASSERT_TRUE(vorn.waitForStarted(10000));

  xcb_connection_t* c = xcb_connect(x.display().c_str(), nullptr);
  ASSERT_EQ(xcb_connection_has_error(c), 0);
  xcb_window_t bar = XCB_NONE;
  QElapsedTimer t;
  t.start();
  while (bar == XCB_NONE && t.elapsed() < 30000 && vorn.state() == QProcess::Running) {
    bar = FindMenuBar(c);
    if (bar == XCB_NONE) vorn.waitForFinished(100);
  }
  ASSERT_NE(bar, static_cast<xcb_window_t>(XCB_NONE)) << "no menu bar appeared";
  EXPECT_TRUE(std::filesystem::is_directory(home.file("vorn")));

  // The close box of a window manager: WM_DELETE_WINDOW.
  xcb_client_message_event_t close{};
  close.response_type = XCB_CLIENT_MESSAGE;
  close.format = 32;
  close.window = bar;
  close.type = Atom(c, "WM_PROTOCOLS");
  close.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
  close.data.data32[1] = XCB_CURRENT_TIME;
  xcb_send_event(c, 0, bar, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&close));
  xcb_flush(c);

  ASSERT_TRUE(vorn.waitForFinished(20000)) << "the program did not end";
  EXPECT_EQ(vorn.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(vorn.exitCode(), 0);
  EXPECT_FALSE(std::filesystem::exists(home.file("vorn/.vorn.lock")));
  xcb_disconnect(c);
}
