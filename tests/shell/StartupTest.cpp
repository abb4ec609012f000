#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>

#include "platform/Screen.h"
#include "shell/ShellFixture.h"
#include "shell/frmTitle.h"

namespace {

bool AnyTitleWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<frmTitle*>(w)) return true;
  return false;
}

}  // namespace

TEST_F(ShellTest, StartsWithTodayLoadsEverythingAndShowsTheMenuBar) {
  MessageBoxes boxes;
  TwipsPerPixelX = TwipsPerPixelY = 1;
  ASSERT_EQ(Start(), StartResult::Running);
  EXPECT_TRUE(boxes.calls().empty());
  EXPECT_EQ(DataPath, dataDir());
  EXPECT_EQ(HomeDataPath, dataDir());
  EXPECT_TRUE(std::filesystem::is_directory(dataDir()));
  EXPECT_EQ(CurYear, 2005);
  EXPECT_EQ(CurMonth, 7);
  EXPECT_EQ(CurDay, 14);
  EXPECT_EQ(PeriodFrom, (YearMonthDay{2005, 7, 14}));
  EXPECT_EQ(PeriodTo, (YearMonthDay{2005, 7, 14}));
  EXPECT_EQ(TwipsPerPixelX, 15.0f);
  EXPECT_EQ(TwipsPerPixelY, 15.0f);
  // Load-all ran: a missing weather file gives every day the default code.
  EXPECT_EQ(Tenki(2005, 7, 14), "038");
  EXPECT_EQ(Busy, 0);
  ASSERT_NE(bar(), nullptr);
  EXPECT_TRUE(bar()->isVisible());
  EXPECT_TRUE(bar()->isEnabled());
  EXPECT_FALSE(bar()->tray->IsAdded());
  EXPECT_FALSE(AnyTitleWindow());
  EXPECT_FALSE(bar()->mnuHelpIndicate->isEnabled());
}

TEST_F(ShellTest, RefusesAnyOtherScreenBeforeReadingOrLocking) {
  for (QSize screen : {QSize(1280, 1024), QSize(800, 600), QSize(1024, 769)}) {
    MessageBoxes boxes;
    ResetStore();
    EXPECT_EQ(Start({}, screen), StartResult::Ended);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("このﾌﾟﾛｸﾞﾗﾑは、解像度が[1024x768]の場合のみ、動作します。\r\n"
                             "解像度を[1024x768]に変更して、再度ﾌﾟﾛｸﾞﾗﾑを起動してください。"));
    EXPECT_EQ(boxes.calls()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("Vorn"));
    EXPECT_EQ(bar(), nullptr);
    EXPECT_EQ(Tenki(2005, 7, 14), "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dataDir() + ".vorn.lock")));
  }
}

TEST_F(ShellTest, RefusesASecondInstanceButNotTheLockOfACrashedOne) {
  QDir().mkpath(QString::fromStdString(dataDir()));
  const QString lockPath = QString::fromStdString(dataDir() + ".vorn.lock");
  {
    QLockFile running(lockPath);
    ASSERT_TRUE(running.tryLock(0));
    MessageBoxes boxes;
    EXPECT_EQ(Start(), StartResult::Ended);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("既に起動されています。"));
    EXPECT_EQ(boxes.calls()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(bar(), nullptr);
    EXPECT_EQ(Tenki(2005, 7, 14), "");
  }
  // A run that died holding the lock.
  pid_t child = fork();
  if (child == 0) {
    QLockFile crashed(lockPath);
    _exit(crashed.tryLock(0) ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  ASSERT_TRUE(QFile::exists(lockPath));
  MessageBoxes boxes;
  EXPECT_EQ(Start(), StartResult::Running);
  EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(ShellTest, ALockThatCannotBeMadeIsReportedWithItsNumberAndFolderNotAsARunningCopy) {
  // A data folder whose lock file name is too long for the system: the lock
  // cannot be created at all, whoever runs the program.
  std::string deep = home.dir();
  while (deep.size() + std::string("vorn").size() < 4090) deep += std::string(std::min<size_t>(200, 4090 - deep.size() - 4 - 1), 'x') + "/";
  ASSERT_TRUE(std::filesystem::create_directories(deep));
  setenv("XDG_DATA_HOME", deep.c_str(), 1);
  {
    MessageBoxes boxes;
    EXPECT_EQ(Start(), StartResult::Ended);
    ASSERT_EQ(boxes.calls().size(), 1u);
    const QString text = boxes.calls()[0].text;
    EXPECT_FALSE(text.contains(QStringLiteral("既に起動されています")));
    EXPECT_TRUE(text.contains(QString::fromStdString(deep + "vorn/"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("ｴﾗｰｺｰﾄﾞ: 52"))) << text.toStdString();
    EXPECT_EQ(boxes.calls()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(bar(), nullptr);
  }
  // A folder the farmer cannot write to (root writes anywhere).
  if (::geteuid() == 0) return;
  setenv("XDG_DATA_HOME", home.dir().c_str(), 1);
  QDir().mkpath(QString::fromStdString(dataDir()));
  ::chmod(dataDir().c_str(), 0555);
  MessageBoxes boxes;
  EXPECT_EQ(Start(), StartResult::Ended);
  ::chmod(dataDir().c_str(), 0755);
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(boxes.calls()[0].text.contains(QStringLiteral("ｴﾗｰｺｰﾄﾞ: 70")));
}

TEST_F(ShellTest, OnlyASlashTStartsInTheTray) {
  for (const char* s : {"/t", "/T", " /T ", "  /t"}) EXPECT_TRUE(StartsInTray(QString::fromUtf8(s))) << s;
  for (const char* s : {"", "/tx", "-t", "/ t", "t", "/t /t", "\t/t"}) EXPECT_FALSE(StartsInTray(QString::fromUtf8(s))) << s;

  ASSERT_EQ(Start(QStringLiteral("/T ")), StartResult::Running);
  EXPECT_FALSE(bar()->isVisible());
  EXPECT_TRUE(bar()->tray->IsAdded());
  UnloadShell();

  ASSERT_EQ(Start(QStringLiteral("/tx")), StartResult::Running);
  EXPECT_TRUE(bar()->isVisible());
  EXPECT_FALSE(bar()->tray->IsAdded());
}

TEST_F(ShellTest, WithoutANotificationAreaSlashTShowsTheMenuBar) {
  TrayIcon::SetAvailableOverride(false);
  ASSERT_EQ(Start(QStringLiteral("/t")), StartResult::Running);
  EXPECT_TRUE(bar()->isVisible());
  EXPECT_FALSE(bar()->tray->IsAdded());
  // Going to the tray does nothing either.
  bar()->mnuFileTask->trigger();
  EXPECT_TRUE(bar()->isVisible());
  EXPECT_FALSE(bar()->tray->IsAdded());
}

TEST_F(ShellTest, DatesOutsideTheTablesStartAtTheNearestEnd) {
  SetTodayOverride(QDate(1998, 6, 30));
  EXPECT_EQ(Today(), (YearMonthDay{1999, 1, 1}));
  SetTodayOverride(QDate(2031, 2, 3));
  EXPECT_EQ(Today(), (YearMonthDay{2030, 12, 31}));
  SetTodayOverride(QDate(2030, 12, 31));
  EXPECT_EQ(Today(), (YearMonthDay{2030, 12, 31}));
  SetTodayOverride(QDate(2044, 1, 1));
  ASSERT_EQ(Start(), StartResult::Running);
  EXPECT_EQ(PeriodFrom, (YearMonthDay{2030, 12, 31}));
  EXPECT_EQ(CurYear, 2030);
}

// The farmer opens ヘルプ on the menu bar and clicks ヘルプの表示; the guide
// installed with the program serves when the data folder has none, also when
// it was put in place after start-up; the farmer's own page comes first; and
// a machine that cannot open it says where the page is.
TEST_F(ShellTest, TheHelpItemOpensTheInstalledGuideFoundWhenChosen) {
  TempDir installed;
  const char* before = getenv("XDG_DATA_DIRS");
  std::string saved = before ? before : "";
  setenv("XDG_DATA_DIRS", installed.dir().c_str(), 1);
  ASSERT_EQ(Start(), StartResult::Running);
  EXPECT_FALSE(bar()->mnuHelpIndicate->isEnabled());

  std::filesystem::create_directories(installed.file("vorn/help"));
  installed.Write("vorn/help/index.html", "<html></html>");
  const QString page = QString::fromStdString(installed.file("vorn/help/index.html"));
  auto chooseHelp = [&] {
    QTest::mouseClick(bar()->menuBar, Qt::LeftButton, {},
                      bar()->menuBar->actionGeometry(bar()->mnuHelp->menuAction()).center());
    ProcessEvents();
    EXPECT_TRUE(bar()->mnuHelp->isVisible());
    EXPECT_TRUE(bar()->mnuHelpIndicate->isEnabled());
    QTest::mouseClick(bar()->mnuHelp, Qt::LeftButton, {},
                      bar()->mnuHelp->actionGeometry(bar()->mnuHelpIndicate).center());
    ProcessEvents();
  };
  MessageBoxes boxes;
  chooseHelp();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], page);
  EXPECT_TRUE(boxes.calls().empty());

  // The farmer's own page in the data folder comes first.
  QDir().mkpath(QString::fromStdString(dataDir() + "help"));
  home.Write("vorn/help/index.html", "<html></html>");
  const QString own = QString::fromStdString(dataDir() + "help/index.html");
  chooseHelp();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1], own);

  SetOpenDocumentHandler([](const QString&) { return false; });
  chooseHelp();
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(boxes.calls()[0].text.contains(own)) << boxes.calls()[0].text.toStdString();
  EXPECT_FALSE(bar()->mnuHelp->isVisible());
  if (before) setenv("XDG_DATA_DIRS", saved.c_str(), 1);
  else unsetenv("XDG_DATA_DIRS");
}

TEST_F(ShellTest, TheTitleWindowClosesOnClickOrEscOnlyWhenNotBusy) {
  frmTitle title;
  title.show();
  Busy = 1;
  title.Form_Click();
  title.Form_KeyPress(27);
  EXPECT_TRUE(title.isVisible());
  Busy = 0;
  title.Form_KeyPress(13);
  EXPECT_TRUE(title.isVisible());
  title.Form_KeyPress(27);
  EXPECT_FALSE(title.isVisible());
  title.show();
  title.Form_Click();
  EXPECT_FALSE(title.isVisible());
}

TEST_F(ShellTest, AboutShowsTheTitleWindowModally) {
  ASSERT_EQ(Start(), StartResult::Running);
  int shown = 0;
  OnDialog([&](QWidget* w) {
    ++shown;
    auto* about = qobject_cast<frmTitle*>(w);
    ASSERT_NE(about, nullptr);
    about->Form_Click();
  });
  bar()->mnuHelpAbout->trigger();
  ASSERT_EQ(shown, 1);
  ProcessEvents();
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<frmTitle*>(w), nullptr);
}

TEST_F(ShellTest, ADataDirectoryThatCannotBeMadeIsReportedAndEndsTheStart) {
  // The data home is a file, so no directory can be made under it.
  home.Write("file", "x");
  setenv("XDG_DATA_HOME", home.file("file").c_str(), 1);
  MessageBoxes boxes;
  EXPECT_EQ(Start(), StartResult::Ended);
  ASSERT_EQ(boxes.calls().size(), 1u);
  EXPECT_TRUE(boxes.calls()[0].text.startsWith(QStringLiteral("Error!! ｴﾗｰｺｰﾄﾞ: 76\r")));
  EXPECT_EQ(bar(), nullptr);
  EXPECT_EQ(Busy, 0);
}
