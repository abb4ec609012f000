#pragma once
// The real program on a virtual X screen, driven as a farmer drives it: a
// virtual X server, the program started on it with its own data folder, a
// look at its windows from outside, and mouse and keyboard input through the
// X test extension.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QColor>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace e2e {

// A child process ended (politely, then for good) when this goes.
class Child {
 public:
  Child() = default;
  explicit Child(std::vector<std::string> argv, const std::vector<std::string>& env = {}) {
    pid_ = fork();
    if (pid_ == 0) {
      int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
      std::vector<char*> args;
      for (std::string& a : argv) args.push_back(a.data());
      args.push_back(nullptr);
      execvp(args[0], args.data());
      _exit(127);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
};

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

// Waits until done() holds, looking again every 50 ms; false after ms.
inline bool WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QThread::msleep(50);
  }
  return true;
}

// A window as the screen shows it; x and y are its inside's top-left corner
// on the screen.
struct Window {
  xcb_window_t id = XCB_NONE;
  int x = 0, y = 0, width = 0, height = 0;
  std::string title, instance;
  bool transient = false;
};

// A connection to the screen: what is shown, and input as if from a mouse
// and a keyboard.
// An atom by name, and a window's property as bytes (the first 4 KiB).
inline xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr);
  xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  free(r);
  return a;
}
inline std::string ReadProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
  std::string s;
  if (r) s.assign(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
  free(r);
  return s;
}

class Screen {
 public:
  explicit Screen(const std::string& display) : c_(xcb_connect(display.c_str(), nullptr)) {
    if (xcb_connection_has_error(c_) == 0) root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
  }
  ~Screen() { xcb_disconnect(c_); }
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;
  bool ok() const { return root_ != XCB_NONE; }
  xcb_window_t root() const { return root_; }

  xcb_atom_t Atom(const char* name) { return InternAtom(c_, name); }
  std::string Property(xcb_window_t w, xcb_atom_t property) { return ReadProperty(c_, w, property); }

  // Every viewable window, the whole tree (a window manager puts the
  // program's windows inside frames of its own).
  std::vector<Window> Windows() {
    std::vector<Window> out;
    Collect(root_, out);
    return out;
  }
  std::vector<Window> Windows(const std::function<bool(const Window&)>& keep) {
    std::vector<Window> out;
    for (const Window& w : Windows())
      if (keep(w)) out.push_back(w);
    return out;
  }
  // The first window titled `title` (empty when there is none).
  Window Find(const std::string& title) {
    for (const Window& w : Windows())
      if (w.title == title) return w;
    return {};
  }

  // Whether a client holds the notification area of the screen.
  bool HasTrayHost() {
    xcb_get_selection_owner_reply_t* r =
        xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, Atom("_NET_SYSTEM_TRAY_S0")), nullptr);
    bool owned = r && r->owner != XCB_NONE;
    free(r);
    return owned;
  }

  // The colour shown at a point of the screen.
  QColor PixelAt(int x, int y) {
    xcb_get_image_cookie_t cookie = xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, static_cast<int16_t>(x),
                                                  static_cast<int16_t>(y), 1, 1, ~0u);
    xcb_get_image_reply_t* r = xcb_get_image_reply(c_, cookie, nullptr);
    QColor color;
    if (r && xcb_get_image_data_length(r) >= 3) {
      const uint8_t* bgr = xcb_get_image_data(r);
      color = QColor(bgr[2], bgr[1], bgr[0]);
    }
    free(r);
    return color;
  }

  // --- Input --------------------------------------------------------------
  void MoveTo(int x, int y) {
    xcb_test_fake_input(c_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, static_cast<int16_t>(x),
                        static_cast<int16_t>(y), 0);
    Sync();
  }
  void Button(int button, bool down) {
    xcb_test_fake_input(c_, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, static_cast<uint8_t>(button),
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    Sync();
  }
  void Click(int x, int y, int button = 1) {
    MoveTo(x, y);
    QThread::msleep(30);
    Button(button, true);
    QThread::msleep(40);
    Button(button, false);
  }
  void DoubleClick(int x, int y) {
    MoveTo(x, y);
    QThread::msleep(30);
    for (int i = 0; i < 2; ++i) {
      Button(1, true);
      QThread::msleep(20);
      Button(1, false);
      QThread::msleep(20);
    }
  }
  // Rolls the wheel by `notches` (negative: towards the user).
  void Wheel(int x, int y, int notches) {
    MoveTo(x, y);
    QThread::msleep(30);
    for (int i = 0; i < std::abs(notches); ++i) {
      Button(notches > 0 ? 4 : 5, true);
      Button(notches > 0 ? 4 : 5, false);
      QThread::msleep(20);
    }
  }
  // Presses and releases the key of an X key symbol ('e', 0xff0d Return).
  void Key(uint32_t keysym) {
    uint8_t code = KeyCode(keysym);
    xcb_test_fake_input(c_, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    Sync();
    QThread::msleep(20);
    xcb_test_fake_input(c_, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    Sync();
  }
  // Holds a key down (Shift, Alt) or lets it go.
  void KeyState(uint32_t keysym, bool down) {
    xcb_test_fake_input(c_, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, KeyCode(keysym), XCB_CURRENT_TIME, XCB_NONE, 0,
                        0, 0);
    Sync();
  }
  // The close box of a window manager: WM_DELETE_WINDOW.
  void Close(xcb_window_t w) {
    xcb_client_message_event_t close{};
    close.response_type = XCB_CLIENT_MESSAGE;
    close.format = 32;
    close.window = w;
    close.type = Atom("WM_PROTOCOLS");
    close.data.data32[0] = Atom("WM_DELETE_WINDOW");
    close.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c_, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&close));
    Sync();
  }

 private:
  void Sync() { free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); }

  uint8_t KeyCode(uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c_);
    uint8_t first = setup->min_keycode, count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    xcb_get_keyboard_mapping_reply_t* r =
        xcb_get_keyboard_mapping_reply(c_, xcb_get_keyboard_mapping(c_, first, count), nullptr);
    uint8_t code = 0;
    if (r) {
      const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(r);
      for (int k = 0; k < count && !code; ++k)
        for (int j = 0; j < r->keysyms_per_keycode; ++j)
          if (syms[k * r->keysyms_per_keycode + j] == keysym) code = static_cast<uint8_t>(first + k);
      free(r);
    }
    return code;
  }

  void Collect(xcb_window_t parent, std::vector<Window>& out) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c_, xcb_query_tree(c_, parent), nullptr);
    if (!tree) return;
    xcb_window_t* kids = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
      xcb_get_window_attributes_reply_t* a =
          xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, kids[i]), nullptr);
      bool viewable = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
      free(a);
      if (!viewable) continue;
      xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, kids[i]), nullptr);
      xcb_translate_coordinates_reply_t* t =
          xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, kids[i], root_, 0, 0), nullptr);
      if (g && t) {
        Window w;
        w.id = kids[i];
        w.x = t->dst_x;
        w.y = t->dst_y;
        w.width = g->width;
        w.height = g->height;
        w.title = Property(kids[i], Atom("_NET_WM_NAME"));
        std::string cls = Property(kids[i], XCB_ATOM_WM_CLASS);
        w.instance = cls.substr(0, cls.find('\0'));
        w.transient = !Property(kids[i], XCB_ATOM_WM_TRANSIENT_FOR).empty();
        out.push_back(w);
      }
      free(g);
      free(t);
      Collect(kids[i], out);
    }
    free(tree);
  }

  xcb_connection_t* c_;
  xcb_window_t root_ = XCB_NONE;
};

// The program started on a screen with a data folder of its own (and a home
// folder, for the dialogs that start there).
class Vorn {
 public:
  Vorn(const std::string& display, const TempDir& home, const QStringList& args = {}, bool probe = false) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (probe) env.insert(QStringLiteral("VORN_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("DISPLAY"), QString::fromStdString(display));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), QString::fromStdString(home.file("home")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(home.dir()));
    std::filesystem::create_directories(home.file("home"));
    std::filesystem::create_directories(home.file("vorn"));
    std::filesystem::create_directory(home.file("run"));
    std::filesystem::permissions(home.file("run"), std::filesystem::perms::owner_all);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(home.file("run")));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    process.setProcessEnvironment(env);
    // Started from the desktop: in the home folder.
    process.setWorkingDirectory(QString::fromStdString(home.file("home")));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(VORN_BINARY_DIR "/vorn"), args);
    process.waitForStarted(10000);
  }
  ~Vorn() {
    if (process.state() != QProcess::NotRunning) {
      process.kill();
      process.waitForFinished(5000);
    }
  }
  bool running() { return process.state() == QProcess::Running; }
  // Waits up to ms for the program to end by itself.
  bool Ended(int ms) { return process.state() == QProcess::NotRunning || process.waitForFinished(ms); }

  QProcess process;
};

// The menu bar: the window titled "Vorn" that is 1024 pixels wide.
inline Window MenuBar(Screen& s) {
  for (const Window& w : s.Windows())
    if (w.title == "Vorn" && w.width == 1024) return w;
  return {};
}

// Message boxes: the other windows titled "Vorn".
inline std::vector<Window> MessageBoxes(Screen& s) {
  return s.Windows([](const Window& w) { return w.title == "Vorn" && w.width != 1024; });
}

// Skips the test where the screen cannot be had.
#define VORN_NEEDS_XVFB(xvfbPath)                                                     \
  QString xvfbPath = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));         \
  if (xvfbPath.isEmpty()) GTEST_SKIP() << "Xvfb is not installed"

}  // namespace e2e
