#pragma once
// The program's main window: a thin strip across the top of the screen with
// the menus and the toolbar, from which every record window is opened. It
// owns the notification-area icon and its popup menu. Closing it ends the
// program, after asking about unsaved changes.
#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class TrayIcon;
class frmSave;

class frmMenuBar : public QWidget {
  Q_OBJECT
 public:
  frmMenuBar();
  ~frmMenuBar() override;

  QMenuBar* menuBar;
  QMenu* mnuFile;
  QAction *mnuFileSave, *mnuFileRead, *mnuFileMediaSave, *mnuFileRestore, *mnuFileTask, *mnuFileQuit;
  QMenu* mnuDisplay;
  QAction* mnuDisplayElement;
  QMenu* mnuDisplayDiary;
  QAction *mnuDisplayDiaryEdit, *mnuDisplayDiaryIndicate, *mnuDisplayMarketPrice, *mnuDisplayMaterial,
      *mnuDisplaySchedule, *mnuDisplayObserve, *mnuDisplayFarm;
  QMenu* mnuHelp;
  QAction *mnuHelpIndicate, *mnuHelpAbout;
  QMenu* mnuPopup;
  QAction *mnuPopupSave, *mnuPopupRead, *mnuPopupMediaSave, *mnuPopupRestore, *mnuPopupElement;
  QMenu* mnuPopupDiary;
  QAction *mnuPopupDiaryEdit, *mnuPopupDiaryIndicate, *mnuPopupMarketPrice, *mnuPopupMaterial, *mnuPopupSchedule,
      *mnuPopupObserve, *mnuPopupFarm, *mnuPopupTrayPut, *mnuPopupWindowClose, *mnuPopupQuit;
  QToolBar* tlbMain;
  TrayIcon* tray;

  // Parameter text for the modal dialogs the record windows open through
  // this window (the list kind for the name list editor).
  QString Tag;
  // The help page mnuHelpIndicate opens, as last looked for ("" when none).
  QString HelpFile;
  // Looks for the help page again and enables mnuHelpIndicate when there is
  // one: at start-up, whenever the help menu opens and when the item is
  // chosen, so that a guide put in place while the program runs counts.
  void RefreshHelpItem();

  // Toolbar button by its 1-based index; separators are actions too.
  QAction* ToolButton(int index) const;
  static constexpr int kToolButtons = 21;

  void AddTrayIcon();
  void RemoveTrayIcon();
  // The backup and restore dialog last opened (null when closed).
  frmSave* SaveDialog() const;

  // Puts the window at its place: client area 1024 pixels wide from the
  // screen's left edge, the whole window 71 pixels high.
  void Place();

  // Event handlers.
  void cmdTask_MouseMove(int button, int shift, float x, float y);
  void tlbMain_ButtonClick(int index);
  void mnuFileSave_Click();
  void mnuFileRead_Click();
  void mnuFileMediaSave_Click();
  void mnuFileRestore_Click();
  void mnuFileTask_Click();
  void mnuFileQuit_Click();
  void mnuHelpIndicate_Click();
  void mnuHelpAbout_Click();
  void mnuPopupTrayPut_Click();
  void mnuPopupWindowClose_Click();
  void mnuPopupQuit_Click();

 protected:
  void closeEvent(QCloseEvent*) override;
  void showEvent(QShowEvent*) override;
  void moveEvent(QMoveEvent*) override;
  // A record window, dialog or the about box that closes gives the focus
  // back to this window (ReturnFocus).
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Build();
  void OpenSaveDialog(bool restore);
  // Asks before a reload would throw unsaved edits away; true to go on.
  bool MayReload();
  // Load-all from the menu bar; the change flags go once all was read.
  void Reload();
  // After a shutdown that did not end: never leave the program without a
  // window or an icon to reach it by.
  void StayReachable();
  void ReturnFocus();
  QAction* Item(QMenu* menu, QAction*& slot, const char* caption, void (frmMenuBar::*handler)() = nullptr);

  std::array<QAction*, kToolButtons + 1> buttons_{};
  QPointer<frmSave> save_;
  QMargins placedFrame_;  // the frame the window was last placed with
};

// The one menu bar window of the program (null before start-up).
frmMenuBar* MenuBarWindow();
void SetMenuBarWindow(frmMenuBar* window);
