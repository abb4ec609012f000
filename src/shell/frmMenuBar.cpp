#include "shell/frmMenuBar.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

#include "platform/Desktop.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/NameListLink.h"
#include "platform/Screen.h"
#include "platform/TrayIcon.h"
#include "platform/ErrorReporter.h"
#include "shell/Icons.h"
#include "shell/RecordWindows.h"
#include "shell/frmSave.h"
#include "shell/frmTitle.h"
#include "shell/modFile.h"
#include "platform/Today.h"
#include "shell/ProcessEnd.h"
#include "store/ScopedFlag.h"
#include "store/Store.h"

namespace {

frmMenuBar* instance = nullptr;

constexpr int kDesignHeight = 71;
constexpr int kDesignWidth = 1024;

// Adds a menu item with its caption exactly as designed; "-" is a separator.
QAction* AddItem(QMenu* menu, const char* caption, std::function<void()> handler = {}) {
  QString text = QString::fromUtf8(caption);
  if (text == QStringLiteral("-")) return menu->addSeparator();
  QAction* a = menu->addAction(text);
  if (handler) QObject::connect(a, &QAction::triggered, menu, [handler] { CatchErrors(handler); });
  return a;
}

void ShowWindow(RecordWindow which) { ShowRecordWindow(which); }

// A command both the menu bar and the tray's popup offer, with the caption
// each gives it (the tray's, when null, is the bar's). It runs a handler,
// opens a record window, or, with neither, stays hidden and disabled. A
// Submenu row opens a submenu for the InSubmenu rows after it.
struct SharedItem {
  enum Kind { Item, Submenu, InSubmenu } kind;
  const char *bar, *tray = nullptr;
  QAction *frmMenuBar::*barSlot = nullptr, *frmMenuBar::*traySlot = nullptr;
  void (frmMenuBar::*handler)() = nullptr;
  std::optional<RecordWindow> window = std::nullopt;
};

using S = SharedItem;
using M = frmMenuBar;
using W = RecordWindow;
const SharedItem kDataItems[] = {
    {S::Item, "データの保存(&S)", "データを保存(&S)", &M::mnuFileSave, &M::mnuPopupSave, &M::mnuFileSave_Click},
    {S::Item, "データの再読込(&R)", "データを再読込(&R)", &M::mnuFileRead, &M::mnuPopupRead, &M::mnuFileRead_Click},
    {S::Item, "-"},
    {S::Item, "ディスクに保存(&D)", nullptr, &M::mnuFileMediaSave, &M::mnuPopupMediaSave, &M::mnuFileMediaSave_Click},
    {S::Item, "ディスクから復元（&O)", nullptr, &M::mnuFileRestore, &M::mnuPopupRestore, &M::mnuFileRestore_Click},
    {S::Item, "-"},
};
const SharedItem kWindowItems[] = {
    {S::Item, "気象グラフの表示(&E)", nullptr, &M::mnuDisplayElement, &M::mnuPopupElement, nullptr, W::Weather},
    {S::Submenu, "日記の表示(&N)", "日記の表示(&D)"},
    {S::InSubmenu, "編集用の表示(&E)", "編集用の表示(&H)", &M::mnuDisplayDiaryEdit, &M::mnuPopupDiaryEdit, nullptr,
     W::DiaryEdit},
    {S::InSubmenu, "閲覧用の表示(&D)", "閲覧用の表示(&I)", &M::mnuDisplayDiaryIndicate, &M::mnuPopupDiaryIndicate,
     nullptr, W::Diary},
    {S::Item, "市場価格の表示(&P)", nullptr, &M::mnuDisplayMarketPrice, &M::mnuPopupMarketPrice, nullptr,
     W::MarketPrice},
    {S::Item, "資材管理表の表示(&M)", nullptr, &M::mnuDisplayMaterial, &M::mnuPopupMaterial, nullptr, W::Material},
    {S::Item, "作業工程表の表示(&Y)", "作業予定表の表示(&Y)", &M::mnuDisplaySchedule, &M::mnuPopupSchedule, nullptr,
     W::Schedule},
    {S::Item, "作物観察日記の表示(&O)", nullptr, &M::mnuDisplayObserve, &M::mnuPopupObserve, nullptr, W::Observe},
    {S::Item, "圃場管理表の表示(&F)", nullptr, &M::mnuDisplayFarm, &M::mnuPopupFarm},
};

// Adds the rows to menu with the bar's or the tray's captions; returns the
// submenu opened, if any.
template <size_t N>
QMenu* AddShared(frmMenuBar* owner, QMenu* menu, const SharedItem (&items)[N], bool tray) {
  QMenu* sub = nullptr;
  for (const SharedItem& i : items) {
    const char* caption = tray && i.tray ? i.tray : i.bar;
    if (i.kind == SharedItem::Submenu) {
      sub = menu->addMenu(QString::fromUtf8(caption));
      continue;
    }
    std::function<void()> run;
    if (i.handler) run = [owner, h = i.handler] { (owner->*h)(); };
    if (i.window) run = [w = *i.window] { ShowWindow(w); };
    QAction* a = AddItem(i.kind == SharedItem::InSubmenu ? sub : menu, caption, run);
    if (QAction* frmMenuBar::*slot = tray ? i.traySlot : i.barSlot) owner->*slot = a;
    if (!run && !a->isSeparator()) {
      a->setVisible(false);
      a->setEnabled(false);
    }
  }
  return sub;
}

}  // namespace

frmMenuBar* MenuBarWindow() { return instance; }
void SetMenuBarWindow(frmMenuBar* window) { instance = window; }

frmMenuBar::frmMenuBar() : QWidget(nullptr) {
  setWindowTitle(QStringLiteral("Vorn"));
  setWindowIcon(VornIcon());
  tray = new TrayIcon(this);
  connect(tray, &TrayIcon::MouseMessage, this,
          [this](int message) { cmdTask_MouseMove(0, 0, static_cast<float>(message * TwipsPerPixelX), 0); });
  Build();
  Place();
  qApp->installEventFilter(this);
}

bool frmMenuBar::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::Hide && watched != this && watched->isWidgetType()) {
    auto* w = static_cast<QWidget*>(watched);
    const Qt::WindowType type = w->windowType();
    if (w->isWindow() && (type == Qt::Window || type == Qt::Dialog))
      QTimer::singleShot(0, this, [this] { CatchErrors([&] { ReturnFocus(); }); });
  }
  return QWidget::eventFilter(watched, e);
}

void frmMenuBar::ReturnFocus() {
  // Only when no window of the program holds the focus any more: without a
  // window manager nobody else hands it on, and Alt+F would stay dead until
  // a click. A window still open (or one the window manager chose) keeps it.
  if (!isVisible() || QApplication::activeModalWidget()) return;
  if (QWidget* active = QApplication::activeWindow(); active && active->isVisible()) return;
  activateWindow();
  setFocus(Qt::ActiveWindowFocusReason);
}

frmMenuBar::~frmMenuBar() {
  if (save_) delete save_.data();
  if (instance == this) instance = nullptr;
}

QAction* frmMenuBar::Item(QMenu* menu, QAction*& slot, const char* caption, void (frmMenuBar::*handler)()) {
  slot = AddItem(menu, caption, handler ? std::function<void()>([this, handler] { (this->*handler)(); })
                                        : std::function<void()>());
  return slot;
}

void frmMenuBar::Build() {
  QFont menuFont = MapFont(kPGothic, 9);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  menuBar = new QMenuBar(this);
  menuBar->setNativeMenuBar(false);
  menuBar->setFont(menuFont);
  layout->addWidget(menuBar);

  mnuFile = menuBar->addMenu(QStringLiteral("ファイル(&F)"));
  AddShared(this, mnuFile, kDataItems, false);
  Item(mnuFile, mnuFileTask, "ﾀｽｸﾄﾚｲに常駐する(&T)", &frmMenuBar::mnuFileTask_Click);
  mnuFile->addSeparator();
  Item(mnuFile, mnuFileQuit, "終了(&Q)", &frmMenuBar::mnuFileQuit_Click);

  mnuDisplay = menuBar->addMenu(QStringLiteral("表示(&D)"));
  mnuDisplayDiary = AddShared(this, mnuDisplay, kWindowItems, false);

  mnuHelp = menuBar->addMenu(QStringLiteral("ヘルプ(&H)"));
  Item(mnuHelp, mnuHelpIndicate, "ヘルプの表示(&H)", &frmMenuBar::mnuHelpIndicate_Click);
  mnuHelpIndicate->setEnabled(false);
  connect(mnuHelp, &QMenu::aboutToShow, this, [this] { CatchErrors([&] { RefreshHelpItem(); }); });
  mnuHelp->addSeparator();
  Item(mnuHelp, mnuHelpAbout, "Vornについて(&A)", &frmMenuBar::mnuHelpAbout_Click);

  // Not on the bar: popped up by the tray icon.
  mnuPopup = new QMenu(QStringLiteral("ポップアップ"), this);
  AddShared(this, mnuPopup, kDataItems, true);
  mnuPopupDiary = AddShared(this, mnuPopup, kWindowItems, true);
  mnuPopup->addSeparator();
  Item(mnuPopup, mnuPopupTrayPut, "トレイから出す(&T)", &frmMenuBar::mnuPopupTrayPut_Click);
  Item(mnuPopup, mnuPopupWindowClose, "ウインドウを全て閉じる(&W)", &frmMenuBar::mnuPopupWindowClose_Click);
  mnuPopup->addSeparator();
  Item(mnuPopup, mnuPopupQuit, "プログラムの終了(&Q)", &frmMenuBar::mnuPopupQuit_Click);

  for (QMenu* m : {mnuFile, mnuDisplay, mnuDisplayDiary, mnuHelp, mnuPopup, mnuPopupDiary}) m->setFont(menuFont);

  tlbMain = new QToolBar(this);
  tlbMain->setIconSize(QSize(20, 20));
  tlbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
  tlbMain->setMovable(false);
  tlbMain->setFloatable(false);
  tlbMain->setFont(menuFont);
  layout->addWidget(tlbMain);
  layout->addStretch(1);

  struct Button {
    int index;
    ToolIcon icon;
    const char* tip;
  };
  const Button kButtons[] = {
      {2, ToolIcon::Reload, "データを復元します"},
      {3, ToolIcon::Save, "全てのデータを保存します"},
      {5, ToolIcon::Backup, "ディスクにバックアップします"},
      {6, ToolIcon::Restore, "データを、ディスクから復元します"},
      {8, ToolIcon::Weather, "気象グラフを表示します"},
      {10, ToolIcon::DiaryEdit, "日記を編集します"},
      {11, ToolIcon::Diary, "日記を表示します"},
      {13, ToolIcon::Market, "市場価格表を表示します"},
      {15, ToolIcon::Material, "資材管理表を表示します"},
      {17, ToolIcon::Schedule, "予定表を表示します"},
      {19, ToolIcon::Observe, "作物観察日記を表示します"},
      {21, ToolIcon::Quit, "Vornを終了します"},
  };
  for (int i = 1; i <= kToolButtons; ++i) {
    const Button* b = nullptr;
    for (const Button& k : kButtons)
      if (k.index == i) b = &k;
    if (!b) {
      buttons_[i] = tlbMain->addSeparator();
      continue;
    }
    // The tip doubles as the button's name for screen readers.
    QAction* a = tlbMain->addAction(ToolbarIcon(b->icon), QString::fromUtf8(b->tip));
    a->setToolTip(QString::fromUtf8(b->tip));
    connect(a, &QAction::triggered, this, [this, i] { tlbMain_ButtonClick(i); });
    buttons_[i] = a;
  }
}

frmSave* frmMenuBar::SaveDialog() const { return save_.data(); }

QAction* frmMenuBar::ToolButton(int index) const {
  return index >= 1 && index <= kToolButtons ? buttons_[index] : nullptr;
}

void frmMenuBar::Place() {
  CatchErrors([&] {
    QRect frame = frameGeometry();
    QRect client = geometry();
    int left = client.x() - frame.x();
    int extraHeight = frame.height() - client.height();
    // Only the frame's border lies outside the screen, so the client area
    // starts at the screen's left edge and spans 1024 pixels.
    int clientHeight = std::max(kDesignHeight - extraHeight, layout()->minimumSize().height());
    placedFrame_ = QMargins(left, client.y() - frame.y(), frame.right() - client.right(), frame.bottom() - client.bottom());
    setFixedSize(kDesignWidth, clientHeight);
    move(-left, -left);
  });
}

void frmMenuBar::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  // A window manager frames the window after it is shown; place it again
  // once the frame is known.
  QRect frame = frameGeometry();
  QRect client = geometry();
  QMargins now(client.x() - frame.x(), client.y() - frame.y(), frame.right() - client.right(),
               frame.bottom() - client.bottom());
  if (now != placedFrame_) QTimer::singleShot(0, this, [this] { Place(); });
}

void frmMenuBar::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // The desktop tells the frame's size only once the window is on screen.
  QTimer::singleShot(0, this, [this] { Place(); });
}

void frmMenuBar::AddTrayIcon() {
  CatchErrors([&] { tray->Add(VornIcon(), QStringLiteral("Vorn")); });
}

void frmMenuBar::RemoveTrayIcon() {
  CatchErrors([&] { tray->Remove(); });
}

void frmMenuBar::cmdTask_MouseMove(int /*button*/, int /*shift*/, float x, float /*y*/) {
  CatchErrors([&] {
    int message = TwipsToPixelsX(x);
    switch (message) {
      case kTrayLeftUp:
      case kTrayRightUp: PopupMenu(mnuPopup, QCursor::pos()); break;
      case kTrayLeftDoubleClick:
        // The first click of the pair has popped the menu up already.
        mnuPopup->hide();
        RemoveTrayIcon();
        show();
        break;
      default: break;
    }
  });
}

void frmMenuBar::tlbMain_ButtonClick(int index) {
  CatchErrors([&] {
    if ((index == 2 || index == 3 || index == 5 || index == 6) && NameListEditorOpen()) return;
    switch (index) {
      case 2:  // the current day stays
        if (MayReload()) Reload();
        break;
      case 3: SaveAll(this); break;
      case 5: OpenSaveDialog(false); break;
      case 6: OpenSaveDialog(true); break;
      case 8: ShowWindow(RecordWindow::Weather); break;
      case 10: ShowWindow(RecordWindow::DiaryEdit); break;
      case 11: ShowWindow(RecordWindow::Diary); break;
      case 13: ShowWindow(RecordWindow::MarketPrice); break;
      case 15: ShowWindow(RecordWindow::Material); break;
      case 17: ShowWindow(RecordWindow::Schedule); break;
      case 19: ShowWindow(RecordWindow::Observe); break;
      case 21: close(); break;
      default: break;
    }
  });
}

// The data commands wait while the name list editor is open (the tray menu
// still answers under it): its rows stand for the lists as they were when it
// opened, and a reload or restore under it would have them rebuilt from
// entries that are no longer there.
void frmMenuBar::mnuFileSave_Click() {
  if (NameListEditorOpen()) return;
  SaveAll(this);
}

void frmMenuBar::mnuFileRead_Click() {
  if (NameListEditorOpen()) return;
  if (!MayReload()) return;
  ScopedFlag busy(Busy);
  SetCurrentDate(Today());
  Reload();
}

bool frmMenuBar::MayReload() {
  // Reading the files again replaces every table in memory: edits not saved
  // yet would be gone without a word.
  if (!AnyChangeFlag()) return true;
  return AskDestructive(QStringLiteral("データが変更されてます") + QStringLiteral("\r\n") +
                        QStringLiteral("保存していない変更は失われます。再読込しますか？")) == MsgResult::Yes;
}

void frmMenuBar::Reload() {
  // Once every file has been read the tables are the files again, and the
  // exit question must not offer to save edits that were given up.
  if (LoadAll(this)) ClearChangeFlags();
}

void frmMenuBar::mnuFileMediaSave_Click() { OpenSaveDialog(false); }
void frmMenuBar::mnuFileRestore_Click() { OpenSaveDialog(true); }

void frmMenuBar::OpenSaveDialog(bool restore) {
  if (NameListEditorOpen()) return;
  if (!save_) save_ = new frmSave;
  save_->SetMode(restore ? frmSave::Mode::Restore : frmSave::Mode::Backup);
  save_->show();
  save_->raise();
  save_->activateWindow();
}

void frmMenuBar::mnuFileTask_Click() {
  // Without a notification area the menu bar is the only way back in.
  if (!TrayIcon::Available()) return;
  AddTrayIcon();
  hide();
}

void frmMenuBar::mnuFileQuit_Click() { close(); }

void frmMenuBar::RefreshHelpItem() {
  HelpFile = FindHelpFile();
  mnuHelpIndicate->setEnabled(!HelpFile.isEmpty());
}

void frmMenuBar::mnuHelpIndicate_Click() {
  RefreshHelpItem();
  if (HelpFile.isEmpty()) return;
  if (OpenDocument(HelpFile, 1) > 32) return;
  // Without a browser (or the desktop's opener) nothing would happen at all;
  // the path lets the farmer open the page some other way.
  MsgBox(QStringLiteral("ヘルプのページを開くプログラムが見つかりません。") + QStringLiteral("\r\n") +
             QDir::toNativeSeparators(HelpFile),
         MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Vorn"));
}

void frmMenuBar::mnuHelpAbout_Click() {
  RunDialog(new frmTitle);
}

void frmMenuBar::mnuPopupTrayPut_Click() {
  RemoveTrayIcon();
  show();
}

void frmMenuBar::mnuPopupWindowClose_Click() {
  for (RecordWindow w : {RecordWindow::Weather, RecordWindow::DiaryEdit, RecordWindow::Diary, RecordWindow::MarketPrice,
                         RecordWindow::Material})
    UnloadRecordWindow(w);
}

void frmMenuBar::mnuPopupQuit_Click() {
  RemoveTrayIcon();
  close();
}

void frmMenuBar::StayReachable() {
  if (isVisible() || tray->IsAdded()) return;
  if (TrayIcon::Available())
    AddTrayIcon();
  else
    show();
}

void frmMenuBar::closeEvent(QCloseEvent* e) {
  // A save or load in progress finishes first.
  if (FileSequenceRunning()) {
    e->ignore();
    return;
  }
  bool end = false;
  CatchErrors([&] {
    if (!AnyChangeFlag()) {
      end = true;
      return;
    }
    MsgResult r = MsgBox(QStringLiteral("データが変更されてます") + QStringLiteral("\r\n") +
                             QStringLiteral("終了する前に保存しますか？"),
                         MsgButtons::YesNoCancel, MsgIcon::Exclamation, QStringLiteral("Vorn"));
    if (r == MsgResult::No) end = true;
    // A save that failed has been reported; the program stays so that the
    // farmer can make room or back up before trying again.
    if (r == MsgResult::Yes) end = SaveAll(this);
  });
  if (!end) {
    e->ignore();
    StayReachable();
    return;
  }
  e->accept();
  RemoveTrayIcon();
  EndProcess();
}
