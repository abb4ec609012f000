#pragma once
// A farmer's walk through the real program on a virtual X screen: the steps
// a person takes (open a window from the menus, click a control, type, pick
// a day, answer a box, quit, start again), and a look at the data files.
// Input goes through the X server; the program's test probe (VORN_PROBE)
// only says where a control is and what it shows, and commits Japanese text
// into the focused control as an input method does.
#include <gtest/gtest.h>

#include <QDate>
#include <QRect>
#include <QStringList>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "e2e/XScreen.h"
#include "runtime/Cp932.h"
#include "store/FileSequences.h"
#include "store/Store.h"

namespace walk {

inline const QString kBar = QStringLiteral("Vorn");
inline const QString kNames = QStringLiteral("編集");  // the name list editor
inline const QString kModal = QStringLiteral("?");  // the modal window in front
constexpr uint32_t kEnter = 0xff0d, kEsc = 0xff1b, kTab = 0xff09, kRight = 0xff53, kUp = 0xff52, kDown = 0xff54, kAlt = 0xffe9, kCtrl = 0xffe3;

struct Control {
  bool ok = false;
  QRect r;
  bool enabled = false;
  QString text;
  int x() const { return r.center().x(); }
  int y() const { return r.center().y(); }
};

class Walk : public ::testing::Test {
 protected:
  void SetUp() override {
    QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
    x_ = std::make_unique<e2e::VirtualScreen>(xvfb.toStdString());
    ASSERT_FALSE(x_->display().empty()) << "Xvfb did not start";
    s_ = std::make_unique<e2e::Screen>(x_->display());
    ASSERT_TRUE(s_->ok());
    // The window manager of `make run`: focus on click, close boxes.
    QString jwm = QStandardPaths::findExecutable(QStringLiteral("jwm"));
    if (!jwm.isEmpty())
      wm_ = std::make_unique<e2e::Child>(
          std::vector<std::string>{jwm.toStdString(), "-display", x_->display(), "-f", VORN_SOURCE_DIR "/scripts/jwmrc"});
    std::filesystem::create_directories(home.file("vorn"));
  }
  void TearDown() override {
    vorn_.reset();
    wm_.reset();
    s_.reset();
    x_.reset();
  }

  // --- The program ------------------------------------------------------
  void Start() {
    vorn_ = std::make_unique<e2e::Vorn>(x_->display(), home, QStringList{}, true);
    ASSERT_TRUE(e2e::WaitFor([&] { return Look(kBar, QStringLiteral("ファイル")).ok || !vorn_->running(); }, 30000) &&
                vorn_->running())
        << "no menu bar appeared";
    // Mapped by the window manager, and the title window gone.
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::MenuBar(*s_).id != XCB_NONE || !s_->Find("Vorn").title.empty(); }, 10000));
    ASSERT_TRUE(e2e::WaitFor([&] { return Ask(QStringLiteral("windows")).size() == 2; }, 10000));
    Settle(700);
  }
  // ファイル → 終了 and the exit question, answered `answer` when it comes.
  void Quit(const QString& answer = QStringLiteral("はい")) {
    Menu({QStringLiteral("ファイル"), QStringLiteral("終了")});
    if (!answer.isEmpty()) Answer(answer);
    EXPECT_TRUE(vorn_->Ended(20000)) << "the program did not end";
    vorn_.reset();
  }
  void Restart() {
    Quit();
    Start();
  }

  // One question to the program's probe; a program that does not answer
  // within 5 s is frozen.
  QStringList Ask(const QString& line) {
    if (!vorn_) return {};
    QProcess& p = vorn_->process;
    p.write((line + QChar('\n')).toUtf8());
    p.waitForBytesWritten(2000);
    QElapsedTimer t;
    t.start();
    while (!p.canReadLine() && t.elapsed() < 5000) p.waitForReadyRead(100);
    if (!p.canReadLine()) {
      if (p.state() == QProcess::NotRunning) return {};  // ended: what comes next says whether it should have
      ADD_FAILURE() << "the program did not answer for 5 s: " << line.toStdString();
      return {};
    }
    return QString::fromUtf8(p.readLine()).chopped(1).split(QChar('\t'));
  }

  // --- Looking ------------------------------------------------------------
  Control Look(const QString& window, const QString& name) {
    QStringList a = Ask(QStringLiteral("find\t%1\t%2").arg(window, name));
    if (a.value(0) != QStringLiteral("ok")) return {};
    return {true, QRect(a[1].toInt(), a[2].toInt(), a[3].toInt(), a[4].toInt()), a[5] == QStringLiteral("1"),
            a.mid(6).join(QChar('\t'))};
  }
  Control Wait(const QString& window, const QString& name, int ms = 8000) {
    Control c;
    e2e::WaitFor([&] { return (c = Look(window, name)).ok; }, ms);
    if (!c.ok) ADD_FAILURE() << "no " << name.toStdString() << " in " << window.toStdString();
    return c;
  }
  QString Text(const QString& window, const QString& name) { return Wait(window, name).text; }
  QStringList Items(const QString& window, const QString& name) {
    QStringList a = Ask(QStringLiteral("items\t%1\t%2").arg(window, name));
    QStringList rows;
    if (a.value(0) == QStringLiteral("ok"))
      for (const QString& row : a.mid(1)) rows << row.trimmed();  // folder lists indent their rows
    return rows;
  }
  bool Shown(const QString& title) { return Ask(QStringLiteral("windows")).mid(1).contains(title); }
  QString Modal() { return Ask(QStringLiteral("modal")).value(1); }
  // A dialog left: it is gone, nothing modal is in front, and the window
  // behind takes a click again.
  void Left(const QString& dialog, const QString& behind) {
    EXPECT_TRUE(e2e::WaitFor([&] { return !Shown(dialog); }, 5000)) << dialog.toStdString() << " stayed open";
    EXPECT_EQ(Modal(), QString()) << "a modal window is still in front";
    EXPECT_TRUE(Shown(behind)) << behind.toStdString() << " is not shown";
  }

  // --- Mouse and keyboard -----------------------------------------------
  void Settle(int ms = 250) {
    QThread::msleep(ms);
    Ask(QStringLiteral("ping"));
  }
  void Click(const QString& window, const QString& name, int button = 1) {
    Control c = Wait(window, name);
    if (c.ok) s_->Click(c.x(), c.y(), button);
    Settle();
  }
  void ClickAt(int x, int y, int button = 1) {
    s_->Click(x, y, button);
    Settle();
  }
  void DoubleClickAt(int x, int y) {
    s_->DoubleClick(x, y);
    Settle();
  }
  void Key(uint32_t keysym) {
    s_->Key(keysym);
    Settle(120);
  }
  void Chord(uint32_t modifier, uint32_t keysym) {
    s_->KeyState(modifier, true);
    s_->Key(keysym);
    s_->KeyState(modifier, false);
    Settle(120);
  }
  // Digits, small letters, '/', '.', '-' as typed on the keyboard.
  void Type(const std::string& keys) {
    for (char c : keys) s_->Key(static_cast<unsigned char>(c));
    Settle(120);
  }
  // Clicks into a box, selects what it holds and types over it.
  void TypeInto(const QString& window, const QString& name, const std::string& keys) {
    Click(window, name);
    Chord(kCtrl, 'a');
    Type(keys);
  }
  // Japanese as an input method commits it into the focused control.
  void Commit(const QString& text) {
    EXPECT_EQ(Ask(QStringLiteral("commit\t") + text).value(0), QStringLiteral("ok")) << "no control has the focus";
    Settle(100);
  }
  // Through the menu bar: each step is clicked in turn.
  void Menu(const QStringList& path) {
    for (const QString& step : path) Click(kBar, step);
  }
  // Opens a selector with a click and walks its list with the arrow keys to
  // `text`, then Enter.
  void Choose(const QString& window, const QString& name, const QString& text) {
    const QStringList items = Items(window, name);
    const int to = static_cast<int>(items.indexOf(text)), from = static_cast<int>(items.indexOf(Text(window, name)));
    ASSERT_GE(to, 0) << text.toStdString() << " is not in " << name.toStdString();
    Click(window, name);
    for (int i = std::max(from, 0); i != to; i += to > i ? 1 : -1) s_->Key(to > i ? kDown : kUp);
    Key(kEnter);
    EXPECT_EQ(Text(window, name), text) << "another row was chosen";
  }
  QRect RowRect(const QString& window, const QString& name, int row, int col = 0) {
    QStringList r = Ask(QStringLiteral("row\t%1\t%2\t%3\t%4").arg(window, name).arg(row).arg(col));
    if (r.value(0) != QStringLiteral("ok")) return {};
    return QRect(r[1].toInt(), r[2].toInt(), r[3].toInt(), r[4].toInt());
  }
  QString RowText(const QString& window, const QString& name, int row, int col = 0) {
    return Ask(QStringLiteral("row\t%1\t%2\t%3\t%4").arg(window, name).arg(row).arg(col)).value(6);
  }
  // Where row `row` shows, after rolling the wheel over the list until it is
  // in view, as a person scrolls to it.
  QRect ShowRow(const QString& window, const QString& name, int row, int col = 0) {
    const QRect list = Look(window, name).r;
    QRect r = RowRect(window, name, row, col);
    for (int i = 0; i < 60 && !r.isEmpty() && !list.adjusted(0, 20, 0, -20).contains(r.center()); ++i) {
      s_->Wheel(list.center().x(), list.center().y(), r.center().y() > list.center().y() ? -1 : 1);
      Settle(100);
      r = RowRect(window, name, row, col);
    }
    Settle(200);
    return RowRect(window, name, row, col);
  }
  void ClickRow(const QString& window, const QString& name, int row, int col = 0) {
    QRect r = ShowRow(window, name, row, col);
    ASSERT_FALSE(r.isEmpty()) << "row " << row << " of " << name.toStdString() << " is not on the screen";
    ClickAt(r.center().x(), r.center().y());
  }
  // The name list editor ("編集"): a name added, a row renamed, as typed
  // through the input method and confirmed with Enter.
  void AddName(const QString& name) {
    Click(kNames, QStringLiteral("cmdAdd"));
    Commit(name);
    Key(kEnter);
  }
  void RenameRow(int row, const QString& name) {
    ClickRow(kNames, QStringLiteral("lstName"), row);
    Click(kNames, QStringLiteral("cmdEdit"));
    Chord(kCtrl, 'a');
    Commit(name);
    Key(kEnter);
  }
  // Waits for a message box, clicks `button` and gives back what it said.
  QString Answer(const QString& button) {
    Control b = Wait(kModal, button);
    QString said = Look(kModal, QStringLiteral("qt_msgbox_label")).text;
    if (b.ok) ClickAt(b.x(), b.y());
    return said;
  }
  // The day `day` of the month the day calendar opens on, clicked.
  void PickDay(const QString& window, int year, int month, int day, const QString& button = "cmdCalender",
               const QString& picture = "pctCalender", int mouse = 1) {
    if (!Look(window, picture).ok) Click(window, button);
    Control c = Wait(window, picture);
    int at = QDate(year, month, 1).dayOfWeek() % 7 + day - 1;
    ClickAt(c.r.x() + 6 + 34 * (at % 7) + 17, c.r.y() + 46 + 20 * (at / 7) + 10, mouse);
  }
  // The close box of the window titled `title`.
  void CloseBox(const QString& title) {
    e2e::Window w = s_->Find(title.toStdString());
    ASSERT_NE(w.id, static_cast<xcb_window_t>(XCB_NONE)) << title.toStdString() << " is not on the screen";
    s_->Close(w.id);
    Settle();
  }

  // --- The files --------------------------------------------------------
  // A data file as text (what the program wrote, read back from the code page).
  std::string File(const std::string& name) {
    std::ifstream in(home.file("vorn/" + name), std::ios::binary);
    std::stringstream b;
    b << in.rdbuf();
    return rt::Cp932ToUtf8(b.str());
  }
  bool FileHas(const std::string& name, const QString& text) {
    return File(name).find(text.toStdString()) != std::string::npos;
  }
  // Every file read into this process's tables with the program's own readers.
  bool ReadFiles() {
    ResetStore();
    DataPath = home.file("vorn") + "/";
    return LoadPresentFiles();
  }
  // A data folder made for the walk: the tables as `fill` leaves them, written
  // by the program's own writers.
  void MakeData(const std::function<void()>& fill) {
    ResetStore();
    DataPath = home.file("vorn") + "/";
    fill();
    ASSERT_TRUE(SaveAllFiles());
  }
  void Put(const std::string& name, const std::string& utf8) {
    std::ofstream(home.file("vorn/" + name), std::ios::binary) << rt::Utf8ToCp932(utf8);
  }

  TempDir home;
  std::unique_ptr<e2e::VirtualScreen> x_;
  std::unique_ptr<e2e::Screen> s_;
  std::unique_ptr<e2e::Child> wm_;
  std::unique_ptr<e2e::Vorn> vorn_;
};

// yyyy/mm/dd as the windows write a date.
inline QString Ymd(const QDate& d) { return d.toString(QStringLiteral("yyyy/MM/dd")); }

}  // namespace walk
