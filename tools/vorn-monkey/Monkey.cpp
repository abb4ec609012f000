// vorn-monkey: the real program on a virtual X screen, fed random clicks,
// double-clicks, drags, wheel turns and keys until something breaks. It
// reports, each with the seed and the last 50 actions:
//   crash   the program ended by itself, or a sanitizer reported;
//   freeze  the program's event loop did not answer a ping for 5 s;
//   trap    a window that Esc, its close box and its own buttons (reached
//           with Tab and Space) all fail to leave;
//   storm   more than 3 message boxes in a row from one action;
//   end     the closing save (ファイル → 保存, the exit question) or the
//           start on the saved files showed an error or failed.
// The same seed gives the same actions; --replay FILE performs the actions
// listed in FILE (lines as the report prints them) instead.
//   vorn-monkey --vorn BIN --home DIR --out DIR [--minutes M] [--seed S]
//               [--replay FILE] [--suppressions FILE]
// The data folder is HOME/vorn, made beforehand.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>

#include "e2e/XScreen.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kReturn = 0xff0d, kEscape = 0xff1b, kTab = 0xff09, kBackSpace = 0xff08, kDelete = 0xffff,
                   kLeft = 0xff51, kUp = 0xff52, kRight = 0xff53, kDown = 0xff54, kPageUp = 0xff55,
                   kPageDown = 0xff56, kHome = 0xff50, kEnd = 0xff57, kSpace = 0x20, kShift = 0xffe1,
                   kAlt = 0xffe9;
// What a farmer types besides digits: kana, kanji, and the letters and marks
// of names and dates.
const char32_t kTyped[] = U"畑東西作業肥料日記雨晴収穫苗あいかさなんがナスキュトマハウabz/.,-";
// The access keys the program's menus and buttons underline.
const char kAccessKeys[] = "FDPMHYVSOWTRNEQLIUGCA";
constexpr int kFreezeMs = 5000;
constexpr size_t kStormBoxes = 3;

std::string Utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::u32string FromUtf8(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
    for (int k = 1; k < n && i + k < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += c;
    i += n;
  }
  return out;
}

uint32_t KeySymOf(char32_t c) { return c < 0x100 ? static_cast<uint32_t>(c) : 0x01000000u | static_cast<uint32_t>(c); }

void Sleep(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

// A top-level window of the screen (without a window manager every window
// of the program is a child of the root; the list runs bottom to top).
struct Top {
  xcb_window_t id = XCB_NONE;
  int x = 0, y = 0, w = 0, h = 0;
  std::string title;
  bool popup = false;  // menus, drop-down lists and tool tips
  bool modal = false;  // a dialog over another window
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
  bool MenuBar() const { return title == "Vorn" && w == 1024; }
  bool Progress() const { return title == "Vorn" && w == 397 && h == 75; }
  bool Box() const { return !popup && title == "Vorn" && !MenuBar() && !Progress(); }
  bool Dialog() const { return !popup && title != "Vorn"; }
};

// A second connection to the screen: the keyboard (with spare keys given
// Japanese characters), the window list, and the ping that tells whether the
// program's event loop answers.
class Wire {
 public:
  explicit Wire(const std::string& display) : c_(xcb_connect(display.c_str(), nullptr)) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    protocols_ = Atom("WM_PROTOCOLS");
    ping_ = Atom("_NET_WM_PING");
    name_ = Atom("_NET_WM_NAME");
    // The answer to a ping comes back to the root window.
    uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
    LoadKeys();
  }
  ~Wire() { xcb_disconnect(c_); }

  // Gives spare key codes the characters that have none, before the program
  // starts, so that they can be typed as a committed input method text is.
  void MapCharacters(const std::u32string& chars) {
    std::vector<uint8_t> spare;
    // Keys without a symbol, then the multimedia keys and F13 to F35.
    for (int pass = 0; pass < 2; ++pass)
      for (int k = 0; k < count_; ++k) {
        uint32_t sym = syms_[k * per_];
        bool empty = true;
        for (int j = 0; j < per_; ++j) empty = empty && syms_[k * per_ + j] == 0;
        bool unused = (sym >= 0x1008ff00 && sym <= 0x1008ffff) || (sym >= 0xffca && sym <= 0xffe0);
        if ((pass == 0 ? empty : unused) && first_ + k > 8) spare.push_back(static_cast<uint8_t>(first_ + k));
      }
    size_t next = 0;
    for (char32_t c : chars) {
      if (codes_.count(KeySymOf(c)) || next >= spare.size()) continue;
      std::vector<xcb_keysym_t> syms(static_cast<size_t>(per_), KeySymOf(c));
      xcb_change_keyboard_mapping(c_, 1, spare[next++], static_cast<uint8_t>(per_), syms.data());
    }
    xcb_aux_sync();
    LoadKeys();
  }

  void Key(uint32_t sym, bool down) {
    auto it = codes_.find(sym);
    if (it == codes_.end()) return;
    bool shift = it->second.second && sym != kShift;
    if (shift && down) Raw(codes_[kShift].first, true);
    Raw(it->second.first, down);
    if (shift && !down) Raw(codes_[kShift].first, false);
  }
  void Stroke(uint32_t sym, uint32_t modifier = 0) {
    if (modifier) Key(modifier, true);
    Key(sym, true);
    Sleep(15);
    Key(sym, false);
    if (modifier) Key(modifier, false);
  }
  bool CanType(char32_t c) const { return codes_.count(KeySymOf(c)) != 0; }

  // The keyboard goes to this window, as a click-to-focus window manager
  // gives it the window clicked.
  void Focus(xcb_window_t w) {
    xcb_set_input_focus(c_, XCB_INPUT_FOCUS_POINTER_ROOT, w, XCB_CURRENT_TIME);
    xcb_aux_sync();
  }

  std::vector<Top> Tops() {
    std::vector<Top> out;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c_, xcb_query_tree(c_, root_), nullptr);
    if (!tree) return out;
    xcb_window_t* kids = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
      xcb_get_window_attributes_reply_t* a =
          xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, kids[i]), nullptr);
      bool viewable = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
      bool popup = a && a->override_redirect;
      free(a);
      if (!viewable) continue;
      xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, kids[i]), nullptr);
      if (g) {
        Top t{kids[i], g->x, g->y, g->width, g->height, Property(kids[i], name_), popup,
              !Property(kids[i], XCB_ATOM_WM_TRANSIENT_FOR).empty()};
        if (t.w > 1 && t.h > 1) out.push_back(t);
      }
      free(g);
    }
    free(tree);
    return out;
  }

  // Whether the event loop owning `w` answers a ping within `ms`.
  bool Answers(xcb_window_t w, int ms) {
    Drain(0);
    uint32_t stamp = ++stamp_;
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = w;
    e.type = protocols_;
    e.data.data32[0] = ping_;
    e.data.data32[1] = stamp;
    e.data.data32[2] = w;
    xcb_send_event(c_, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
    xcb_flush(c_);
    pong_ = 0;
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (pong_ != stamp) {
      int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
      if (left <= 0) return false;
      Drain(left);
    }
    return true;
  }

  // Writes a picture of the screen (PNG).
  void Picture(const std::string& path) {
    xcb_get_image_reply_t* r = xcb_get_image_reply(
        c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, root_, 0, 0, 1024, 768, ~0u), nullptr);
    if (!r) return;
    if (xcb_get_image_data_length(r) >= 1024 * 768 * 4)
      QImage(xcb_get_image_data(r), 1024, 768, QImage::Format_RGB32).save(QString::fromStdString(path));
    free(r);
  }

 private:
  void xcb_aux_sync() { free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); }
  void Raw(uint8_t code, bool down) {
    xcb_test_fake_input(c_, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_aux_sync();
  }
  xcb_atom_t Atom(const char* name) { return e2e::InternAtom(c_, name); }
  std::string Property(xcb_window_t w, xcb_atom_t property) { return e2e::ReadProperty(c_, w, property); }
  void LoadKeys() {
    const xcb_setup_t* setup = xcb_get_setup(c_);
    first_ = setup->min_keycode;
    count_ = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* r = xcb_get_keyboard_mapping_reply(
        c_, xcb_get_keyboard_mapping(c_, static_cast<uint8_t>(first_), static_cast<uint8_t>(count_)), nullptr);
    if (!r) return;
    per_ = r->keysyms_per_keycode;
    const xcb_keysym_t* s = xcb_get_keyboard_mapping_keysyms(r);
    syms_.assign(s, s + count_ * per_);
    free(r);
    codes_.clear();
    // Unshifted first, then shifted.
    for (int j = 0; j < std::min(per_, 2); ++j)
      for (int k = 0; k < count_; ++k) {
        uint32_t sym = syms_[k * per_ + j];
        if (sym && !codes_.count(sym)) codes_[sym] = {static_cast<uint8_t>(first_ + k), j == 1};
      }
  }
  void Drain(int ms) {
    pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
    if (ms > 0) poll(&p, 1, ms);
    while (xcb_generic_event_t* ev = xcb_poll_for_event(c_)) {
      if ((ev->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
        auto* m = reinterpret_cast<xcb_client_message_event_t*>(ev);
        if (m->type == protocols_ && m->data.data32[0] == ping_) pong_ = m->data.data32[1];
      }
      free(ev);
    }
  }

  xcb_connection_t* c_;
  xcb_window_t root_ = XCB_NONE;
  xcb_atom_t protocols_ = 0, ping_ = 0, name_ = 0;
  uint32_t stamp_ = 0, pong_ = 0;
  int first_ = 8, count_ = 0, per_ = 1;
  std::vector<xcb_keysym_t> syms_;
  std::map<uint32_t, std::pair<uint8_t, bool>> codes_;
};

// The program under test, its output appended to a log.
class Program {
 public:
  void Start(const std::string& bin, const std::string& display, const std::string& home, const std::string& log,
             const std::string& suppressions) {
    logStart_ = std::filesystem::exists(log) ? std::filesystem::file_size(log) : 0;
    log_ = log;
    pid_ = fork();
    if (pid_ == 0) {
      int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
      dup2(fd, 1);
      dup2(fd, 2);
      setenv("DISPLAY", display.c_str(), 1);
      setenv("QT_QPA_PLATFORM", "xcb", 1);
      setenv("HOME", (home + "/home").c_str(), 1);
      setenv("XDG_DATA_HOME", home.c_str(), 1);
      setenv("XDG_RUNTIME_DIR", (home + "/run").c_str(), 1);
      unsetenv("WAYLAND_DISPLAY");
      unsetenv("DBUS_SESSION_BUS_ADDRESS");
      unsetenv("QT_SCALE_FACTOR");
      setenv("ASAN_OPTIONS", "detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0", 1);
      setenv("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1", 1);
      if (!suppressions.empty())
        setenv("LSAN_OPTIONS", ("suppressions=" + suppressions + ":print_suppressions=0").c_str(), 1);
      execl(bin.c_str(), bin.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  // False once the program has ended; `status` then tells how.
  bool Running() {
    if (pid_ <= 0) return false;
    int st = 0;
    if (waitpid(pid_, &st, WNOHANG) == pid_) {
      status = st;
      pid_ = -1;
      return false;
    }
    return true;
  }
  bool WaitEnd(int ms) {
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Running()) {
      if (Clock::now() > end) return false;
      Sleep(50);
    }
    return true;
  }
  void Kill() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      pid_ = -1;
    }
  }
  bool EndedWell() const { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }
  // What the sanitizers said in this run, if anything.
  std::string SanitizerReport() const {
    std::ifstream f(log_);
    f.seekg(static_cast<std::streamoff>(logStart_));
    std::string line, out;
    bool in = false;
    int lines = 0;
    while (std::getline(f, line)) {
      if (line.find("ERROR: AddressSanitizer") != std::string::npos ||
          line.find("ERROR: LeakSanitizer") != std::string::npos || line.find("runtime error:") != std::string::npos)
        in = true;
      if (in && lines++ < 60) out += "    " + line + "\n";
    }
    return out;
  }

  int status = 0;

 private:
  pid_t pid_ = -1;
  std::string log_;
  uintmax_t logStart_ = 0;
};

struct Finding {
  std::string kind, what;
  long action = 0;
  double minute = 0;
  std::vector<std::string> last;
};

class Monkey {
 public:
  Monkey(std::string bin, std::string home, std::string out, uint64_t seed, std::string suppressions)
      : bin_(std::move(bin)), home_(std::move(home)), out_(std::move(out)), suppressions_(std::move(suppressions)),
        seed_(seed), rng_(seed) {
    std::filesystem::create_directories(out_);
    actions_.open(out_ + "/actions.txt");
  }

  bool Setup() {
    QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) return false;
    x_ = std::make_unique<e2e::VirtualScreen>(xvfb.toStdString());
    if (x_->display().empty()) return false;
    s_ = std::make_unique<e2e::Screen>(x_->display());
    wire_ = std::make_unique<Wire>(x_->display());
    std::u32string chars(kTyped);
    for (char c = '0'; c <= '9'; ++c) chars += static_cast<char32_t>(c);
    wire_->MapCharacters(chars);
    for (char32_t c : chars)
      if (wire_->CanType(c)) typable_ += c;
    if (typable_.size() < chars.size())
      std::fprintf(stderr, "vorn-monkey: %zu of %zu characters can be typed\n", typable_.size(), chars.size());
    return true;
  }

  // Random actions until `minutes` have passed.
  void Run(double minutes) {
    begin_ = Clock::now();
    auto end = begin_ + std::chrono::milliseconds(static_cast<long>(minutes * 60000));
    long nextLeave = 40;
    while (Clock::now() < end) {
      if (!Alive() && !Restart()) return;
      std::vector<Top> tops = wire_->Tops();
      if (--nextLeave <= 0) {
        nextLeave = Pick(20, 60);
        if (const Top* d = TopDialog(tops)) {
          if (!Leave(*d, 0) && Alive()) Restart();
          continue;
        }
      }
      RandomAction(tops);
      Observe();
    }
  }

  // Performs the actions of a report (or of a whole actions file).
  void Replay(const std::string& file) {
    begin_ = Clock::now();
    std::ifstream f(file);
    std::string line;
    while (std::getline(f, line)) {
      size_t hash = line.find('#');
      if (hash != std::string::npos) line = line.substr(0, hash);
      std::istringstream in(line);
      std::string first;
      if (!(in >> first)) continue;
      // A report's lines begin with the action's number.
      if (!first.empty() && std::isdigit(static_cast<unsigned char>(first[0])) && !(in >> first)) continue;
      std::string rest;
      std::getline(in, rest);
      if (!Alive() && !Restart()) return;
      Do(first + rest);
      Observe();
    }
  }

  // The closing steps: every window left, ファイル → 保存, the exit
  // question, and a start on the files saved.
  void Finish() {
    if (!Alive() && !Restart()) return;
    for (int i = 0; i < 10; ++i) {
      DismissBoxes();
      std::vector<Top> tops = wire_->Tops();
      const Top* d = TopDialog(tops);
      if (!d) break;
      if (!Leave(*d, 0)) {
        if (Alive()) Restart();
        if (!Alive()) return;
      }
    }
    Top bar = MenuBarOf(wire_->Tops());
    Note("# ファイル → 保存");
    Do("focus-bar");
    Do("key alt+0x66");
    Sleep(500);
    Do("key 0x73");
    if (!WaitQuiet(180000)) return;
    if (!Boxes().empty()) {
      Report("end", "ファイル → 保存 showed a message box (see the picture)");
      DismissBoxes();
    }
    Note("# the exit question");
    Do("close Vorn");
    Sleep(1000);
    if (!Boxes().empty()) Do("key 0xff0d");  // はい: save all and end
    if (!program_.WaitEnd(180000)) {
      Report("end", "the program did not end after the exit question");
      program_.Kill();
      return;
    }
    std::string san = program_.SanitizerReport();
    if (!san.empty())
      Report("crash", "sanitizer report at the end:\n" + san);
    else if (!program_.EndedWell())
      Report("end", "the program ended with status " + std::to_string(program_.status));
    (void)bar;

    // Started again on what it saved: no error while loading.
    Note("# a start on the saved files");
    program_.Start(bin_, x_->display(), home_, out_ + "/vorn.log", suppressions_);
    if (!WaitForMenuBar()) {
      Report("end", "no menu bar after a start on the saved files");
      program_.Kill();
      return;
    }
    Sleep(3000);
    if (!Boxes().empty()) Report("end", "a message box while loading the saved files (see the picture)");
    program_.Kill();
  }

  void Summary() {
    double minutes = std::chrono::duration<double>(Clock::now() - begin_).count() / 60.0;
    std::map<std::string, int> kinds;
    for (const Finding& f : findings_) kinds[f.kind]++;
    std::ostringstream s;
    s << "seed " << seed_ << ": " << count_ << " actions in " << static_cast<int>(minutes * 10) / 10.0
      << " minutes, " << restarts_ << " restarts; findings:";
    for (const char* k : {"crash", "freeze", "trap", "storm", "end"}) s << " " << k << " " << kinds[k];
    s << "\n";
    std::map<std::string, int> seen;
    for (const Finding& f : findings_) {
      std::string key = f.kind + f.what;
      if (++seen[key] > 2) continue;
      s << "\n== " << f.kind << " at action " << f.action << " (minute " << static_cast<int>(f.minute * 10) / 10.0
        << ", seed " << seed_ << "): " << f.what << "\n   the last actions (replay: make monkey REPLAY=FILE):\n";
      for (const std::string& l : f.last) s << "   " << l << "\n";
    }
    for (auto& [key, n] : seen)
      if (n > 2) s << "\n(" << n - 2 << " more of: " << key.substr(0, 120) << ")\n";
    for (auto& [title, n] : escFails_)
      s << "\nnote: Esc did not leave the dialog 「" << title << "」 (" << n << " times; something else did)\n";
    std::ofstream(out_ + "/report.txt") << s.str();
    std::fputs(s.str().c_str(), stdout);
  }

  bool Failed() const { return !findings_.empty(); }

  bool StartProgram() {
    program_.Start(bin_, x_->display(), home_, out_ + "/vorn.log", suppressions_);
    return WaitForMenuBar();
  }

 private:
  // --- Choices -------------------------------------------------------------
  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }

  static const Top* TopDialog(const std::vector<Top>& tops) {
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
      if (it->Dialog()) return &*it;
    return nullptr;
  }
  static Top MenuBarOf(const std::vector<Top>& tops) {
    for (const Top& t : tops)
      if (t.MenuBar()) return t;
    return {};
  }
  std::vector<Top> Boxes() {
    std::vector<Top> out;
    for (const Top& t : wire_->Tops())
      if (t.Box()) out.push_back(t);
    return out;
  }

  // A point inside one of the program's windows: mostly the topmost (where
  // a modal dialog or an open menu is), sometimes another, seldom anywhere.
  std::pair<int, int> Point(const std::vector<Top>& tops) {
    std::vector<const Top*> own;
    for (const Top& t : tops)
      if (!t.Progress()) own.push_back(&t);
    if (own.empty() || Chance(5)) return {Pick(0, 1023), Pick(0, 767)};
    const Top* t = Chance(70) ? own.back() : own[static_cast<size_t>(Pick(0, static_cast<int>(own.size()) - 1))];
    // The menu bar's menus and buttons sit in its top left corner.
    if (t->MenuBar() && Chance(85)) return {Pick(0, 420), Pick(0, 45)};
    return {std::clamp(Pick(t->x, t->x + t->w - 1), 0, 1023), std::clamp(Pick(t->y, t->y + t->h - 1), 0, 767)};
  }

  void RandomAction(const std::vector<Top>& tops) {
    auto [x, y] = Point(tops);
    std::ostringstream a;
    int kind = Pick(1, 100);
    if (kind <= 30) {
      a << "click " << x << " " << y << " " << (Chance(90) ? 1 : 3);
    } else if (kind <= 38) {
      a << "dclick " << x << " " << y;
    } else if (kind <= 46) {
      auto [x2, y2] = Chance(50) ? Point(tops) : std::pair<int, int>{x + Pick(-60, 60), y + Pick(-60, 60)};
      a << "drag " << x << " " << y << " " << std::clamp(x2, 0, 1023) << " " << std::clamp(y2, 0, 767);
    } else if (kind <= 53) {
      int n = Pick(1, 5) * (Chance(50) ? 1 : -1);
      a << "wheel " << x << " " << y << " " << n;
    } else if (kind <= 78) {
      static const uint32_t keys[] = {kReturn, kEscape, kTab,      kTab,     kLeft,  kRight, kUp,    kDown,
                                      kPageUp, kPageDown, kHome,   kEnd,     kBackSpace, kDelete, kSpace, '0',
                                      '1',     '2',     '3',       '5',      '9'};
      uint32_t k = keys[Pick(0, static_cast<int>(std::size(keys)) - 1)];
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%x", k);
      a << "key " << (k == kTab && Chance(25) ? "shift+" : "") << hex;
    } else if (kind <= 90) {
      std::string text;
      int n = Pick(1, 6);
      for (int i = 0; i < n && !typable_.empty(); ++i)
        text += Utf8(typable_[static_cast<size_t>(Pick(0, static_cast<int>(typable_.size()) - 1))]);
      a << "text " << text;
    } else if (kind <= 98) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%x",
                    static_cast<unsigned>(std::tolower(kAccessKeys[Pick(0, static_cast<int>(sizeof kAccessKeys) - 2)])));
      a << "key alt+" << hex;
    } else {
      // The close box of a window; the menu bar's asks the exit question.
      std::vector<const Top*> titled;
      for (const Top& t : tops)
        if (t.Dialog() || (t.MenuBar() && Chance(10))) titled.push_back(&t);
      if (titled.empty()) return;
      a << "close " << titled[static_cast<size_t>(Pick(0, static_cast<int>(titled.size()) - 1))]->title;
    }
    Do(a.str());
  }

  // --- Actions -------------------------------------------------------------
  // Performs an action line and keeps it for the report.
  void Do(const std::string& line) {
    std::string verb = line.substr(0, line.find(' '));
    std::string rest = line.size() > verb.size() ? line.substr(verb.size() + 1) : std::string();
    Note(std::to_string(++count_) + " " + line);
    Perform(verb, rest);
  }
  void Note(const std::string& line) {
    last_.push_back(line);
    if (last_.size() > 50) last_.pop_front();
    actions_ << line << "\n";
  }

  // Gives the keyboard to the top-level window under a point.
  void FocusAt(int x, int y) {
    std::vector<Top> tops = wire_->Tops();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it)
      if (it->Contains(x, y)) {
        if (!it->popup) wire_->Focus(it->id);
        return;
      }
  }

  void Perform(const std::string& verb, const std::string& rest) {
    std::istringstream in(rest);
    int x = 0, y = 0;
    if (verb == "click") {
      int b = 1;
      in >> x >> y >> b;
      FocusAt(x, y);
      s_->Click(x, y, b);
    } else if (verb == "dclick") {
      in >> x >> y;
      FocusAt(x, y);
      s_->DoubleClick(x, y);
    } else if (verb == "drag") {
      int x2 = 0, y2 = 0;
      in >> x >> y >> x2 >> y2;
      FocusAt(x, y);
      s_->MoveTo(x, y);
      Sleep(30);
      s_->Button(1, true);
      for (int i = 1; i <= 6; ++i) {
        Sleep(25);
        s_->MoveTo(x + (x2 - x) * i / 6, y + (y2 - y) * i / 6);
      }
      Sleep(30);
      s_->Button(1, false);
    } else if (verb == "wheel") {
      int n = 0;
      in >> x >> y >> n;
      s_->Wheel(x, y, n);
    } else if (verb == "key") {
      std::string stroke;
      in >> stroke;
      uint32_t modifier = 0;
      if (stroke.rfind("alt+", 0) == 0) modifier = kAlt, stroke = stroke.substr(4);
      if (stroke.rfind("shift+", 0) == 0) modifier = kShift, stroke = stroke.substr(6);
      wire_->Stroke(static_cast<uint32_t>(std::stoul(stroke, nullptr, 16)), modifier);
    } else if (verb == "text") {
      for (char32_t c : FromUtf8(rest)) {
        wire_->Stroke(KeySymOf(c));
        Sleep(10);
      }
    } else if (verb == "close") {
      for (const Top& t : wire_->Tops())
        if (t.title == rest && (rest != "Vorn" || t.MenuBar())) {
          s_->Close(t.id);
          break;
        }
    } else if (verb == "close-box") {
      std::vector<Top> boxes = Boxes();
      if (!boxes.empty()) s_->Close(boxes.back().id);
    } else if (verb == "focus") {
      std::vector<Top> tops = wire_->Tops();
      for (auto it = tops.rbegin(); it != tops.rend(); ++it)
        if (it->title == rest) {
          wire_->Focus(it->id);
          break;
        }
    } else if (verb == "focus-box") {
      std::vector<Top> boxes = Boxes();
      if (!boxes.empty()) wire_->Focus(boxes.back().id);
    } else if (verb == "wait") {
      Sleep(std::atoi(rest.c_str()));
    } else if (verb == "picture") {
      wire_->Picture(out_ + "/" + rest + ".png");
    } else if (verb == "focus-bar") {
      Top bar = MenuBarOf(wire_->Tops());
      if (bar.id != XCB_NONE) wire_->Focus(bar.id);
    }
  }

  // --- Watching --------------------------------------------------------------
  bool Alive() { return program_.Running(); }

  // After each action: has the program ended, does it answer, how many
  // message boxes has this action brought up in a row.
  void Observe() {
    Sleep(120);
    if (!program_.Running()) {
      std::string san = program_.SanitizerReport();
      bool exited = WIFEXITED(program_.status) && WEXITSTATUS(program_.status) == 0;
      if (!san.empty())
        Report("crash", "sanitizer report:\n" + san);
      else if (!exited)
        Report("crash", "the program ended with status " + std::to_string(program_.status));
      return;
    }
    Top bar = MenuBarOf(wire_->Tops());
    if (bar.id != XCB_NONE && !wire_->Answers(bar.id, kFreezeMs)) {
      if (!program_.Running()) return Observe();
      Report("freeze", "no answer to a ping for 5 s");
      // Still none after a minute more: the program is given up.
      if (!wire_->Answers(bar.id, 60000)) program_.Kill();
      return;
    }
    std::vector<Top> boxes = Boxes();
    if (boxes.empty()) {
      chain_.clear();
      chainStart_ = count_;
      return;
    }
    for (const Top& b : boxes) chain_.insert(b.id);
    if (chain_.size() > kStormBoxes && !stormReported_.count(chainStart_)) {
      stormReported_.insert(chainStart_);
      Report("storm", std::to_string(chain_.size()) + " message boxes in a row after action " +
                          std::to_string(chainStart_ + 1));
    }
    // A box is answered at once, mostly: Enter, Esc or its close box.
    if (Chance(80)) {
      int how = Pick(1, 10);
      Do("focus-box");
      Do(how <= 4 ? "key 0xff0d" : how <= 9 ? "key 0xff1b" : "close-box");
    }
  }

  // Answers every message box with Esc, then Enter, then its close box.
  void DismissBoxes() {
    for (int i = 0; i < 12 && Alive(); ++i) {
      std::vector<Top> boxes = Boxes();
      if (boxes.empty()) return;
      Do("focus-box");
      Do(i % 3 == 0 ? "key 0xff1b" : i % 3 == 1 ? "key 0xff0d" : "close-box");
      Sleep(300);
    }
  }

  static bool Shown(const std::vector<Top>& tops, xcb_window_t id) {
    for (const Top& t : tops)
      if (t.id == id) return true;
    return false;
  }

  // Tries to leave a window as a person would: Esc, the close box, then each
  // of its own controls in turn (Tab and Space, Enter at the end). A window
  // that stays is a trap.
  bool Leave(const Top& w, int depth) {
    Note("# leave " + w.title);
    std::vector<std::string> tries = {"key 0xff1b", "close " + w.title};
    for (int i = 0; i < 16; ++i) tries.push_back(i % 2 ? "key 0x20" : "key 0xff09");
    tries.push_back("key 0xff0d");
    for (const std::string& t : tries) {
      if (!Alive()) return false;
      Do("focus " + w.title);
      Do(t);
      Sleep(250);
      DismissBoxes();
      std::vector<Top> tops = wire_->Tops();
      if (!Shown(tops, w.id)) {
        // Not a trap, but worth a line: a dialog that Esc does not leave.
        if (t != tries.front() && w.modal) escFails_[w.title]++;
        return true;
      }
      // A control that opened another dialog: that one is left first.
      const Top* d = TopDialog(tops);
      if (d && d->id != w.id && depth < 1) {
        Top inner = *d;
        if (!Leave(inner, depth + 1)) return false;
      }
      if (!wire_->Answers(w.id, kFreezeMs)) {
        Observe();
        return false;
      }
    }
    Report("trap", "「" + w.title + "」: Esc, its close box and its own buttons (Tab, Space, Enter) fail to leave it");
    return false;
  }

  bool WaitForMenuBar() {
    return e2e::WaitFor([&] { return MenuBarOf(wire_->Tops()).id != XCB_NONE || !program_.Running(); }, 180000) &&
           program_.Running();
  }
  // Waits until the progress window has gone and the program answers.
  bool WaitQuiet(int ms) {
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
      std::vector<Top> tops = wire_->Tops();
      bool busy = false;
      for (const Top& t : tops) busy = busy || t.Progress();
      Top bar = MenuBarOf(tops);
      if (!busy && bar.id != XCB_NONE && wire_->Answers(bar.id, kFreezeMs)) return true;
      if (!program_.Running()) {
        Observe();
        return false;
      }
      Sleep(200);
    }
    Report("freeze", "the save did not finish within " + std::to_string(ms / 1000) + " s");
    return false;
  }

  // A fresh program on the data folder as last saved.
  bool Restart() {
    program_.Kill();
    ++restarts_;
    Note("# restart");
    chain_.clear();
    for (int i = 0; i < 3; ++i)
      if (StartProgram()) return true;
    Report("crash", "the program does not start any more");
    return false;
  }

  void Report(const std::string& kind, const std::string& what) {
    Finding f;
    f.kind = kind;
    f.what = what;
    f.action = count_;
    f.minute = std::chrono::duration<double>(Clock::now() - begin_).count() / 60.0;
    f.last.assign(last_.begin(), last_.end());
    findings_.push_back(f);
    std::string base = out_ + "/finding-" + std::to_string(findings_.size());
    if (findings_.size() <= 40) {
      wire_->Picture(base + ".png");
      std::ofstream r(base + ".txt");
      r << "# " << kind << ": " << what << "\n# seed " << seed_ << ", action " << f.action << "\n";
      for (const std::string& l : f.last) r << l << "\n";
    }
    std::fprintf(stderr, "vorn-monkey: %s at action %ld: %s\n", kind.c_str(), count_, what.substr(0, 200).c_str());
  }

  std::string bin_, home_, out_, suppressions_;
  uint64_t seed_;
  std::mt19937_64 rng_;
  std::unique_ptr<e2e::VirtualScreen> x_;
  std::unique_ptr<e2e::Screen> s_;
  std::unique_ptr<Wire> wire_;
  std::u32string typable_;
  Program program_;
  std::ofstream actions_;
  std::deque<std::string> last_;
  std::vector<Finding> findings_;
  std::set<xcb_window_t> chain_;
  std::set<long> stormReported_;
  std::map<std::string, int> escFails_;
  long chainStart_ = 0, count_ = 0;
  int restarts_ = 0;
  Clock::time_point begin_ = Clock::now();
};

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> a;
  for (int i = 1; i + 1 < argc; i += 2) a[argv[i]] = argv[i + 1];
  if (!a.count("--vorn") || !a.count("--home") || !a.count("--out")) {
    std::fputs("usage: vorn-monkey --vorn BIN --home DIR --out DIR [--minutes M] [--seed S] [--replay FILE]\n", stderr);
    return 2;
  }
  signal(SIGPIPE, SIG_IGN);
  uint64_t seed = a.count("--seed") ? std::stoull(a["--seed"]) : 1;
  Monkey m(a["--vorn"], a["--home"], a["--out"], seed, a["--suppressions"]);
  if (!m.Setup()) {
    std::fputs("vorn-monkey: no virtual X screen (is Xvfb installed?)\n", stderr);
    return 2;
  }
  if (!m.StartProgram()) {
    std::fputs("vorn-monkey: the program did not show its menu bar\n", stderr);
    return 2;
  }
  if (a.count("--replay"))
    m.Replay(a["--replay"]);
  else
    m.Run(a.count("--minutes") ? std::stod(a["--minutes"]) : 10.0);
  m.Finish();
  m.Summary();
  return m.Failed() ? 1 : 0;
}
