// What only the real program on a real X screen shows: a spinner held by an
// error box, the wheel rolling over the entry controls, a double-click in
// the backup dialog, and the notification area. Where a control sits is
// taken from the same windows built here, offscreen.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "e2e/XScreen.h"
#include "platform/DriveLists.h"
#include "platform/Screen.h"
#include "shell/frmMenuBar.h"
#include "shell/frmSave.h"
#include "store/Store.h"
#include "support/GuiTest.h"
#include "weather/frmMain.h"
#include "weather/modMain.h"

namespace {

// Where a widget's middle (or `at`, inside it) lies in its window.
QPoint InWindow(QWidget* w, std::optional<QPoint> at = std::nullopt) {
  return w->mapTo(w->window(), at ? *at : w->rect().center());
}

// The middle of toolbar button `index` in the menu bar.
QPoint ToolButtonInMenuBar(int index) {
  frmMenuBar bar;
  bar.show();
  ProcessEvents();
  QWidget* button = bar.tlbMain->widgetForAction(bar.ToolButton(index));
  QPoint p = button->mapTo(&bar, button->rect().center());
  bar.hide();
  return p;
}

const std::string kWeatherTitle = "Vorn\xE3\x80\x80\xE6\xB0\x97\xE8\xB1\xA1\xE3\x82\xB0\xE3\x83\xA9\xE3\x83\x95";

class FarmerInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
    x = std::make_unique<e2e::VirtualScreen>(xvfb.toStdString());
    ASSERT_FALSE(x->display().empty()) << "Xvfb did not start";
    s = std::make_unique<e2e::Screen>(x->display());
    ASSERT_TRUE(s->ok());
    CaptureTwipsPerPixel();
  }
  void TearDown() override {
    offscreenWeather.reset();
    vorn.reset();
    s.reset();
    x.reset();
  }

  // Starts the program and waits for the menu bar.
  e2e::Window Start(const QStringList& args = {}) {
    vorn = std::make_unique<e2e::Vorn>(x->display(), home, args);
    e2e::Window shown;
    e2e::WaitFor([&] { return (shown = e2e::MenuBar(*s)).id != XCB_NONE || !vorn->running(); }, 30000);
    return shown;
  }
  e2e::Window WaitForWindow(const std::string& title) {
    e2e::Window w;
    e2e::WaitFor([&] { return (w = s->Find(title)).id != XCB_NONE; }, 15000);
    return w;
  }
  // Starts the program and opens the weather window from the toolbar; the
  // same window is laid out offscreen to find its controls.
  void StartWithTheWeatherWindow() {
    bar = Start();
    ASSERT_NE(bar.id, static_cast<xcb_window_t>(XCB_NONE)) << "no menu bar appeared";
    ClickToolButton(bar, 8);
    weather = WaitForWindow(kWeatherTitle);
    ASSERT_NE(weather.id, static_cast<xcb_window_t>(XCB_NONE)) << "the weather window did not open";
    offscreenWeather = std::make_unique<frmMain>();
    LayoutWeatherWindow(*offscreenWeather);
  }
  void ClickToolButton(const e2e::Window& menuBar, int index) {
    QPoint p = ToolButtonInMenuBar(index);
    s->Click(menuBar.x + p.x(), menuBar.y + p.y());
  }
  // Closes the menu bar as a window manager would and waits for the end.
  bool EndsWhenClosed(const e2e::Window& menuBar) {
    s->Close(menuBar.id);
    return vorn->Ended(15000);
  }

  TempDir home;
  e2e::Window bar, weather;
  std::unique_ptr<frmMain> offscreenWeather;
  std::unique_ptr<e2e::VirtualScreen> x;
  std::unique_ptr<e2e::Screen> s;
  std::unique_ptr<e2e::Vorn> vorn;
};

}  // namespace

TEST_F(FarmerInputTest, OneClickOnTheSpinnerStepsOneDayEvenWhenTheDayRaisesAnError) {
  // Rainfall of 700 mm, beyond the bar's 600, on the eight days after today.
  QDate today = QDate::currentDate();
  if (today.year() < kFirstYear || today.addDays(9).year() > kLastYear) GTEST_SKIP() << "today is outside the records";
  std::map<std::pair<int, int>, std::vector<int>> months;
  for (int i = 1; i <= 8; ++i) {
    QDate d = today.addDays(i);
    auto& days = months[{d.year(), d.month()}];
    days.resize(static_cast<size_t>(d.daysInMonth()));
    days[static_cast<size_t>(d.day() - 1)] = 700;
  }
  std::string kousui;
  for (auto& [ym, days] : months) {
    char key[16];
    std::snprintf(key, sizeof key, "%04d/%02d", ym.first, ym.second);
    kousui += key;
    for (int v : days) kousui += "," + std::to_string(v);
    kousui += "\r\n";
  }
  std::filesystem::create_directories(home.file("vorn"));
  home.Write("vorn/kousui.dat", kousui);

  ASSERT_NO_FATAL_FAILURE(StartWithTheWeatherWindow());
  QScrollBar* spinner = offscreenWeather->vscCalender;
  QPoint nextDay = InWindow(spinner, QPoint(spinner->width() / 2, spinner->height() - 4));
  s->Click(weather.x + nextDay.x(), weather.y + nextDay.y());

  ASSERT_TRUE(e2e::WaitFor([&] { return !e2e::MessageBoxes(*s).empty(); }, 10000)) << "no error box";
  // Time for a repeat to step on (it repeats every 50 ms after half a second).
  QThread::msleep(2000);
  std::vector<e2e::Window> boxes = e2e::MessageBoxes(*s);
  EXPECT_EQ(boxes.size(), 1u) << "the spinner went on stepping behind the box";
  for (const e2e::Window& b : boxes) s->Close(b.id);
  QThread::msleep(1500);
  EXPECT_TRUE(e2e::MessageBoxes(*s).empty()) << "the spinner went on stepping after the box";
  for (const e2e::Window& b : e2e::MessageBoxes(*s)) s->Close(b.id);
  EXPECT_TRUE(EndsWhenClosed(bar));
}

TEST_F(FarmerInputTest, RollingTheWheelOverTheEntryControlsChangesNoRecord) {
  ASSERT_NO_FATAL_FAILURE(StartWithTheWeatherWindow());
  frmMain& f = *offscreenWeather;
  for (QWidget* w : {static_cast<QWidget*>(f.cmbTenki1), static_cast<QWidget*>(f.cmbTenki2),
                     static_cast<QWidget*>(f.hscKionHigh), static_cast<QWidget*>(f.hscRain)}) {
    QPoint p = InWindow(w);
    s->Wheel(weather.x + p.x(), weather.y + p.y(), -3);
    s->Wheel(weather.x + p.x(), weather.y + p.y(), 1);
  }
  QThread::msleep(300);
  // Nothing changed, so closing the menu bar asks nothing and ends.
  EXPECT_TRUE(EndsWhenClosed(bar)) << "the exit question came up: the wheel changed a record";
  EXPECT_TRUE(e2e::MessageBoxes(*s).empty());
}

TEST_F(FarmerInputTest, ADoubleClickInTheBackupDialogOpensTheFolderClickedAndTheBackupGoesThere) {
  const std::string homeDir = home.file("home");
  for (const char* d : {"a", "b/b1", "b/b2"}) std::filesystem::create_directories(homeDir + "/" + d);
  bar = Start();
  ASSERT_NE(bar.id, static_cast<xcb_window_t>(XCB_NONE)) << "no menu bar appeared";
  ClickToolButton(bar, 5);
  e2e::Window dialog = WaitForWindow("\xE3\x83\x87\xE3\x82\xA3\xE3\x82\xB9\xE3\x82\xAF\xE3\x81\xB8\xE4\xBF\x9D\xE5\xAD\x98");
  ASSERT_NE(dialog.id, static_cast<xcb_window_t>(XCB_NONE)) << "the backup dialog did not open";

  // The same dialog here, opened on the same home folder.
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(homeDir));
  frmSave offscreen;
  offscreen.show();
  ProcessEvents();
  qputenv("HOME", oldHome);
  QListWidgetItem* b = nullptr;
  for (int i = 0; i < offscreen.dirMain->count(); ++i)
    if (offscreen.dirMain->item(i)->text().trimmed() == QStringLiteral("b")) b = offscreen.dirMain->item(i);
  ASSERT_NE(b, nullptr);
  QPoint onB = offscreen.dirMain->viewport()->mapTo(&offscreen, offscreen.dirMain->visualItemRect(b).center());
  QPoint save = InWindow(offscreen.cmdSave);
  offscreen.hide();

  s->DoubleClick(dialog.x + onB.x(), dialog.y + onB.y());
  QThread::msleep(500);
  s->Click(dialog.x + save.x(), dialog.y + save.y());
  auto saved = [&](const std::string& dir) { return std::filesystem::exists(homeDir + "/" + dir + "/price.dat"); };
  e2e::WaitFor([&] { return saved("b") || saved("b/b1") || saved("b/b2"); }, 20000);
  EXPECT_TRUE(saved("b")) << "the backup did not go into the folder double-clicked";
  EXPECT_FALSE(saved("b/b1"));
  EXPECT_FALSE(saved("b/b2"));
  ASSERT_TRUE(e2e::WaitFor([&] { return !e2e::MessageBoxes(*s).empty(); }, 10000)) << "the backup said nothing";
  for (const e2e::Window& b : e2e::MessageBoxes(*s)) s->Close(b.id);
  EXPECT_TRUE(EndsWhenClosed(bar));
}

TEST_F(FarmerInputTest, InTheTrayTheIconsMenuOpensAWindowAndBringsTheMenuBarBack) {
  QString jwm = QStandardPaths::findExecutable(QStringLiteral("jwm"));
  if (jwm.isEmpty()) GTEST_SKIP() << "jwm is not installed";
  // The window manager and tray of `make run`, with its own settings.
  e2e::Child wm({jwm.toStdString(), "-display", x->display(), "-f", VORN_SOURCE_DIR "/scripts/jwmrc"});
  ASSERT_TRUE(e2e::WaitFor([&] { return s->HasTrayHost(); }, 15000)) << "no notification area";

  vorn = std::make_unique<e2e::Vorn>(x->display(), home, QStringList{QStringLiteral("/t")});
  auto icon = [&] {
    for (const e2e::Window& w : s->Windows())
      if (w.instance == "vorn" && w.width <= 64 && w.height <= 64 && w.width > 4) return w;
    return e2e::Window{};
  };
  ASSERT_TRUE(e2e::WaitFor([&] { return icon().id != XCB_NONE; }, 30000)) << "no icon in the notification area";
  EXPECT_EQ(e2e::MenuBar(*s).id, static_cast<xcb_window_t>(XCB_NONE));

  // The tray slides in when the pointer reaches the bottom edge.
  auto clickIcon = [&] {
    s->MoveTo(512, 767);
    e2e::WaitFor([&] { return icon().y + icon().height <= 768; }, 5000);
    e2e::Window i = icon();
    s->Click(i.x + i.width / 2, i.y + i.height / 2);
  };
  auto menu = [&] {
    for (const e2e::Window& w : s->Windows())
      if (w.instance == "vorn" && w.width > 100 && w.height > 100 && w.width < 1024) return w;
    return e2e::Window{};
  };
  clickIcon();
  ASSERT_TRUE(e2e::WaitFor([&] { return menu().id != XCB_NONE; }, 10000)) << "the icon's menu did not open";
  s->Key('e');  // 気象グラフの表示(&E)
  const e2e::Window weather = WaitForWindow(kWeatherTitle);
  EXPECT_NE(weather.id, static_cast<xcb_window_t>(XCB_NONE)) << "the menu opened no window";
  // Laid out for the whole screen, it keeps it: no frame, no room for the tray.
  EXPECT_EQ(weather.width, 1024);
  EXPECT_EQ(weather.height, 768);

  // A second click, not the second half of a double-click (which takes the
  // program out of the tray).
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  clickIcon();
  ASSERT_TRUE(e2e::WaitFor([&] { return menu().id != XCB_NONE; }, 10000)) << "the icon's menu did not open again";
  s->Key('t');  // トレイから出す(&T)
  EXPECT_TRUE(e2e::WaitFor([&] { return (bar = e2e::MenuBar(*s)).id != XCB_NONE; }, 10000))
      << "the menu bar did not come back";
  EXPECT_TRUE(e2e::WaitFor([&] { return icon().id == XCB_NONE; }, 10000)) << "the icon stayed";
  if (bar.id != XCB_NONE) EXPECT_TRUE(EndsWhenClosed(bar));
}
