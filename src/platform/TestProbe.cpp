#include "platform/TestProbe.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTableView>
#include <QToolButton>
#include <QWidget>
#include <cstdio>

#include "platform/FlexGrid.h"

namespace {

// "保存(&S)" and "&Save" as a person reads them.
QString Plain(QString caption) {
  static const QRegularExpression key(QStringLiteral("[(（]&.[)）]"));
  caption.remove(key);
  return caption.remove(QChar('&'));
}

QString TextOf(QWidget* w) {
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return p->toPlainText();
  if (auto* s = qobject_cast<QAbstractSlider*>(w)) return QString::number(s->value());
  if (auto* b = qobject_cast<QAbstractButton*>(w))
    return b->isCheckable() && b->isChecked() ? QStringLiteral("*") + Plain(b->text()) : Plain(b->text());
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
  if (auto* l = qobject_cast<QListWidget*>(w)) return l->currentItem() ? l->currentItem()->text() : QString();
  return {};
}

QString Box(QRect r) {
  return QStringLiteral("ok\t%1\t%2\t%3\t%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}
QRect OnScreen(QWidget* w, QRect r) { return QRect(w->mapToGlobal(r.topLeft()), r.size()); }

// The shown window with this title: dialogs and the windows of the program,
// popped-up menus and selector lists under the title "menu".
QWidget* WindowTitled(const QString& title) {
  if (title == QStringLiteral("?")) return QApplication::activeModalWidget();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->windowTitle() == title && !qobject_cast<QMenu*>(w)) return w;
  return nullptr;
}

QString Find(QWidget* window, const QString& name) {
  if (!window) return QStringLiteral("none");
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    bool hit = w->objectName() == name || (!name.isEmpty() && w->toolTip() == name);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) hit = hit || Plain(b->text()) == name;
    if (auto* l = qobject_cast<QLabel*>(w)) hit = hit || Plain(l->text()) == name;
    if (hit)
      return Box(OnScreen(w, w->rect())) + QStringLiteral("\t%1\t%2").arg(w->isEnabled() ? 1 : 0).arg(TextOf(w));
  }
  // Menu titles on the bar and items of an open menu.
  for (QMenuBar* bar : window->findChildren<QMenuBar*>())
    for (QAction* a : bar->actions())
      if (Plain(a->text()) == name) return Box(OnScreen(bar, bar->actionGeometry(a))) + QStringLiteral("\t1\t");
  for (QWidget* top : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<QMenu*>(top); m && m->isVisible())
      for (QAction* a : m->actions())
        if (Plain(a->text()) == name)
          return Box(OnScreen(m, m->actionGeometry(a))) + QStringLiteral("\t%1\t").arg(a->isEnabled() ? 1 : 0);
  return QStringLiteral("none");
}

QWidget* Control(QWidget* window, const QString& name) {
  if (!window) return nullptr;
  for (QWidget* w : window->findChildren<QWidget*>())
    if (w->objectName() == name) return w;
  return nullptr;
}

QString Items(QWidget* w) {
  QStringList rows;
  if (auto* c = qobject_cast<QComboBox*>(w))
    for (int i = 0; i < c->count(); ++i) rows << c->itemText(i);
  if (auto* l = qobject_cast<QListWidget*>(w))
    for (int i = 0; i < l->count(); ++i) rows << l->item(i)->text();
  return QStringLiteral("ok\t") + rows.join(QChar('\t'));
}

QString Row(QWidget* w, int row, int col) {
  QAbstractItemView* view = nullptr;
  QModelIndex index;
  if (auto* c = qobject_cast<QComboBox*>(w)) view = c->view();
  if (auto* l = qobject_cast<QListWidget*>(w)) view = l;
  if (auto* g = qobject_cast<FlexGrid*>(w)) view = g->DataView();
  if (!view || !view->model()) return QStringLiteral("none");
  index = view->model()->index(row, col);
  if (!index.isValid()) return QStringLiteral("none");
  return Box(OnScreen(view->viewport(), view->visualRect(index))) +
         QStringLiteral("\t1\t%1").arg(index.data().toString());
}

QString Answer(const QStringList& f) {
  const QString& what = f.value(0);
  if (what == QStringLiteral("ping")) return QStringLiteral("pong");
  if (what == QStringLiteral("windows")) {
    QStringList titles;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && !qobject_cast<QMenu*>(w) && !w->windowTitle().isEmpty()) titles << w->windowTitle();
    return QStringLiteral("ok\t") + titles.join(QChar('\t'));
  }
  if (what == QStringLiteral("modal")) {
    QWidget* m = QApplication::activeModalWidget();
    return QStringLiteral("ok\t") + (m ? m->windowTitle() : QString());
  }
  if (what == QStringLiteral("find")) return Find(WindowTitled(f.value(1)), f.value(2));
  if (what == QStringLiteral("items")) {
    QWidget* w = Control(WindowTitled(f.value(1)), f.value(2));
    return w ? Items(w) : QStringLiteral("none");
  }
  if (what == QStringLiteral("row")) {
    QWidget* w = Control(WindowTitled(f.value(1)), f.value(2));
    return w ? Row(w, f.value(3).toInt(), f.value(4).toInt()) : QStringLiteral("none");
  }
  if (what == QStringLiteral("commit")) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return QStringLiteral("none");
    QInputMethodEvent e;
    e.setCommitString(f.value(1));
    QApplication::sendEvent(focus, &e);
    return QStringLiteral("ok");
  }
  return QStringLiteral("none");
}

}  // namespace

void StartTestProbe(std::function<void()> nameControls) {
  if (!qEnvironmentVariableIsSet("VORN_PROBE")) return;
  auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
  auto* pending = new QByteArray;
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier, pending, nameControls] {
    char chunk[4096];
    const ssize_t n = read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
      notifier->setEnabled(false);
      return;
    }
    pending->append(chunk, static_cast<int>(n));
    int end;
    while ((end = pending->indexOf('\n')) >= 0) {
      const QString line = QString::fromUtf8(pending->left(end));
      pending->remove(0, end + 1);
      if (nameControls) nameControls();
      QString answer = Answer(line.split(QChar('\t')));
      answer.replace(QChar('\n'), QStringLiteral("\\n")).replace(QChar('\r'), QString());
      std::fputs(answer.toUtf8().append('\n').constData(), stdout);
      std::fflush(stdout);
    }
  });
}
