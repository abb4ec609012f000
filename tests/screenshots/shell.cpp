// The shell's windows: the menu bar strip with its menus, the title window,
// the progress window half way and the backup dialog.
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>

#include "screenshots/Screenshots.h"
#include "shell/frmMenuBar.h"
#include "shell/frmProgress.h"
#include "shell/frmSave.h"
#include "shell/frmTitle.h"
#include "store/FileSequences.h"
#include "store/Store.h"

namespace {

frmMenuBar* Bar() {
  static frmMenuBar* bar = nullptr;
  if (!bar) {
    bar = new frmMenuBar;
    bar->show();
    bar->Place();
  }
  return bar;
}

QImage Menu(QMenu* m) {
  m->adjustSize();
  m->ensurePolished();
  return m->grab().toImage();
}

}  // namespace

SCREENSHOT(shell_menu_bar) { return GrabScreen({Bar()}); }

SCREENSHOT(shell_menus) {
  frmMenuBar* b = Bar();
  QImage bar = GrabWidget(b);
  QImage file = Menu(b->mnuFile), display = Menu(b->mnuDisplay), diary = Menu(b->mnuDisplayDiary),
         help = Menu(b->mnuHelp), popup = Menu(b->mnuPopup), popupDiary = Menu(b->mnuPopupDiary);
  QImage img(1024, 560, QImage::Format_RGB32);
  img.fill(QColor(0, 128, 128));
  QPainter p(&img);
  p.drawImage(0, 0, bar);
  int y = bar.height() + 4;
  p.drawImage(4, y, file);
  p.drawImage(12 + file.width(), y, display);
  p.drawImage(16 + file.width() + display.width(), y + 20, diary);
  p.drawImage(28 + file.width() + display.width() + diary.width(), y, help);
  int px = 40 + file.width() + display.width() + diary.width() + help.width();
  p.drawImage(px, y, popup);
  p.drawImage(px + popup.width() + 4, y + 130, popupDiary);
  return img;
}

SCREENSHOT(shell_title) {
  auto* t = new frmTitle;
  return GrabScreen({t});
}

SCREENSHOT(shell_progress) {
  auto* p = new frmProgress;
  ProgressTotal = kLoadAllTotal;
  ProgressCount = kLoadAllTotal / 2;
  ProgressCaption = kLoadAllCaption;
  p->tmrProgress_Timer();
  return GrabWidget(p);
}

SCREENSHOT(shell_backup_dialog) {
  auto* s = new frmSave(frmSave::Mode::Backup);
  return GrabWidget(s);
}
