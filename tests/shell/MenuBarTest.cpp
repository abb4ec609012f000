#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <vector>

#include "platform/Screen.h"
#include "shell/RecordWindows.h"
#include "shell/ShellFixture.h"
#include "shell/frmSave.h"

namespace {

QStringList Captions(QMenu* m) {
  QStringList out;
  for (QAction* a : m->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

}  // namespace

TEST_F(ShellTest, MenusCarryEveryCaptionAccessKeyAndSeparator) {
  ASSERT_EQ(Start(), StartResult::Running);
  frmMenuBar* b = bar();
  EXPECT_EQ(b->windowTitle(), QStringLiteral("Vorn"));
  QStringList bar;
  for (QAction* a : b->menuBar->actions()) bar << a->text();
  EXPECT_EQ(bar, (QStringList{"ファイル(&F)", "表示(&D)", "ヘルプ(&H)"}));
  EXPECT_EQ(Captions(b->mnuFile), (QStringList{"データの保存(&S)", "データの再読込(&R)", "-", "ディスクに保存(&D)",
                                               "ディスクから復元（&O)", "-", "ﾀｽｸﾄﾚｲに常駐する(&T)", "-", "終了(&Q)"}));
  EXPECT_EQ(Captions(b->mnuDisplay),
            (QStringList{"気象グラフの表示(&E)", "日記の表示(&N)", "市場価格の表示(&P)", "資材管理表の表示(&M)",
                         "作業工程表の表示(&Y)", "作物観察日記の表示(&O)", "圃場管理表の表示(&F)"}));
  EXPECT_EQ(Captions(b->mnuDisplayDiary), (QStringList{"編集用の表示(&E)", "閲覧用の表示(&D)"}));
  EXPECT_EQ(Captions(b->mnuHelp), (QStringList{"ヘルプの表示(&H)", "-", "Vornについて(&A)"}));
  EXPECT_EQ(b->mnuPopup->title(), QStringLiteral("ポップアップ"));
  EXPECT_EQ(Captions(b->mnuPopup),
            (QStringList{"データを保存(&S)", "データを再読込(&R)", "-", "ディスクに保存(&D)", "ディスクから復元（&O)", "-",
                         "気象グラフの表示(&E)", "日記の表示(&D)", "市場価格の表示(&P)", "資材管理表の表示(&M)",
                         "作業予定表の表示(&Y)", "作物観察日記の表示(&O)", "圃場管理表の表示(&F)", "-",
                         "トレイから出す(&T)", "ウインドウを全て閉じる(&W)", "-", "プログラムの終了(&Q)"}));
  EXPECT_EQ(Captions(b->mnuPopupDiary), (QStringList{"編集用の表示(&H)", "閲覧用の表示(&I)"}));
  for (QAction* farm : {b->mnuDisplayFarm, b->mnuPopupFarm}) {
    EXPECT_FALSE(farm->isVisible());
    EXPECT_FALSE(farm->isEnabled());
  }
}

TEST_F(ShellTest, TheStripSpansTheScreenTopAnd71PixelsHigh) {
  ASSERT_EQ(Start(), StartResult::Running);
  ProcessEvents();
  EXPECT_EQ(bar()->geometry().x(), 0);
  EXPECT_EQ(bar()->width(), 1024);
  EXPECT_EQ(bar()->frameGeometry().height(), 71);
  EXPECT_LE(bar()->tlbMain->geometry().bottom(), 71);
}

TEST_F(ShellTest, ToolbarTipsByIndexAndTheOthersAreSeparators) {
  ASSERT_EQ(Start(), StartResult::Running);
  const std::map<int, QString> tips = {
      {2, "データを復元します"},        {3, "全てのデータを保存します"},      {5, "ディスクにバックアップします"},
      {6, "データを、ディスクから復元します"}, {8, "気象グラフを表示します"},      {10, "日記を編集します"},
      {11, "日記を表示します"},          {13, "市場価格表を表示します"},       {15, "資材管理表を表示します"},
      {17, "予定表を表示します"},        {19, "作物観察日記を表示します"},     {21, "Vornを終了します"}};
  for (int i = 1; i <= frmMenuBar::kToolButtons; ++i) {
    QAction* a = bar()->ToolButton(i);
    ASSERT_NE(a, nullptr) << i;
    auto t = tips.find(i);
    if (t == tips.end()) {
      EXPECT_TRUE(a->isSeparator()) << i;
    } else {
      EXPECT_FALSE(a->isSeparator()) << i;
      EXPECT_EQ(a->toolTip(), t->second) << i;
      EXPECT_FALSE(a->icon().isNull()) << i;
    }
  }
  EXPECT_EQ(bar()->tlbMain->actions().size(), frmMenuBar::kToolButtons);
}

TEST_F(ShellTest, ToolbarReloadKeepsTheDayMenuReloadGoesBackToToday) {
  ASSERT_EQ(Start(), StartResult::Running);
  CurYear = 2001;
  CurMonth = 2;
  CurDay = 3;
  Tenki(2001, 2, 3) = "";
  bar()->ToolButton(2)->trigger();
  EXPECT_EQ(CurYear, 2001);
  EXPECT_EQ(CurDay, 3);
  EXPECT_EQ(Tenki(2001, 2, 3), "038");
  EXPECT_TRUE(bar()->isEnabled());
  Tenki(2001, 2, 3) = "";
  bar()->mnuFileRead->trigger();
  EXPECT_EQ(CurYear, 2005);
  EXPECT_EQ(CurMonth, 7);
  EXPECT_EQ(CurDay, 14);
  EXPECT_EQ(Tenki(2001, 2, 3), "038");
  EXPECT_EQ(Busy, 0);
  // The popup's reload is the menu's.
  CurDay = 1;
  bar()->mnuPopupRead->trigger();
  EXPECT_EQ(CurDay, 14);
}

TEST_F(ShellTest, TrayClicksPopUpTheMenuAndADoubleClickRestoresTheBar) {
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->mnuFileTask->trigger();
  EXPECT_FALSE(bar()->isVisible());
  EXPECT_TRUE(bar()->tray->IsAdded());
  bar()->tray->Deliver(kTrayLeftUp);
  bar()->tray->Deliver(kTrayRightUp);
  bar()->tray->Deliver(512);
  bar()->cmdTask_MouseMove(0, 0, 513 * TwipsPerPixelX, 0);
  ASSERT_EQ(popups.size(), 2u);
  EXPECT_EQ(popups[0], bar()->mnuPopup);
  EXPECT_EQ(popups[1], bar()->mnuPopup);
  EXPECT_FALSE(bar()->isVisible());
  bar()->tray->Deliver(kTrayLeftDoubleClick);
  EXPECT_TRUE(bar()->isVisible());
  EXPECT_FALSE(bar()->tray->IsAdded());

  bar()->mnuFileTask->trigger();
  bar()->mnuPopupTrayPut->trigger();
  EXPECT_TRUE(bar()->isVisible());
  EXPECT_FALSE(bar()->tray->IsAdded());
}

TEST_F(ShellTest, EveryCommandOpensItsRecordWindowAndCloseAllSparesTwo) {
  std::vector<std::string> log;
  const std::pair<RecordWindow, const char*> names[] = {
      {RecordWindow::Weather, "frmMain"},       {RecordWindow::DiaryEdit, "frmDiaryEdit"},
      {RecordWindow::Diary, "frmDiary"},        {RecordWindow::MarketPrice, "frmMarketPrice"},
      {RecordWindow::Material, "frmMaterial"}, {RecordWindow::Schedule, "frmSchedule"},
      {RecordWindow::Observe, "frmObserve"}};
  for (auto [w, name] : names) {
    std::string n = name;
    RegisterRecordWindow(w, {[&log, n] { log.push_back("show " + n); }, [&log, n] { log.push_back("unload " + n); }});
  }
  ASSERT_EQ(Start(), StartResult::Running);
  frmMenuBar* b = bar();
  for (QAction* a : {b->mnuDisplayElement, b->mnuDisplayDiaryEdit, b->mnuDisplayDiaryIndicate, b->mnuDisplayMarketPrice,
                     b->mnuDisplayMaterial, b->mnuDisplaySchedule, b->mnuDisplayObserve, b->mnuPopupElement,
                     b->mnuPopupDiaryEdit, b->mnuPopupDiaryIndicate, b->mnuPopupMarketPrice, b->mnuPopupMaterial,
                     b->mnuPopupSchedule, b->mnuPopupObserve})
    a->trigger();
  for (int i : {8, 10, 11, 13, 15, 17, 19}) b->tlbMain_ButtonClick(i);
  std::vector<std::string> shows;
  for (int round = 0; round < 3; ++round)
    for (auto [w, name] : names) shows.push_back(std::string("show ") + name);
  EXPECT_EQ(log, shows);

  log.clear();
  b->mnuPopupWindowClose->trigger();
  EXPECT_EQ(log, (std::vector<std::string>{"unload frmMain", "unload frmDiaryEdit", "unload frmDiary",
                                           "unload frmMarketPrice", "unload frmMaterial"}));
  for (auto [w, name] : names) RegisterRecordWindow(w, {});
}

TEST_F(ShellTest, BackupAndRestoreOpenTheDialogInTheirMode) {
  ASSERT_EQ(Start(), StartResult::Running);
  bar()->mnuFileMediaSave->trigger();
  ASSERT_NE(bar()->SaveDialog(), nullptr);
  EXPECT_EQ(bar()->SaveDialog()->windowTitle(), QStringLiteral("ディスクへ保存"));
  EXPECT_EQ(bar()->SaveDialog()->cmdSave->text(), QStringLiteral("保存"));
  EXPECT_TRUE(bar()->SaveDialog()->isVisible());
  bar()->tlbMain_ButtonClick(6);
  EXPECT_EQ(bar()->SaveDialog()->windowTitle(), QStringLiteral("ディスクから復元"));
  EXPECT_EQ(bar()->SaveDialog()->cmdSave->text(), QStringLiteral("復元"));
  bar()->SaveDialog()->cmdCancel_Click();
  ProcessEvents();
  EXPECT_EQ(bar()->SaveDialog(), nullptr);
}
