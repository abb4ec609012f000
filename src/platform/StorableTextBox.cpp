#include "platform/StorableTextBox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>

#include "platform/Controls.h"

int StoredLength(const QString& text) {
  int n = 0;
  for (int i = 0; i < text.size(); ++i) {
    QChar c = text.at(i);
    if (c == QChar('\r') && i + 1 < text.size() && text.at(i + 1) == QChar('\n')) {
      n += 2;
      ++i;
    } else if (c == QChar('\n') || c == QChar('\r')) {
      n += 2;
    } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      n += 1;
      ++i;
    } else {
      n += 1;
    }
  }
  return n;
}

StorableTextBox::StorableTextBox(QWidget* parent) : QPlainTextEdit(parent) {
  // Tab moves on to the next control, as in any form; it never lands in the
  // text.
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Text that came in another way (set by the program) keeps only what the
  // files can hold, replaced as one edit with the caret after what it
  // followed. Connected first, so that the window's own change handler sees
  // the text as it stays.
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    const QString text = toPlainText();
    const QString keep = StorableText(text);
    if (keep == text) return;
    const int caret = static_cast<int>(StorableText(text.left(textCursor().position())).size());
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    c.insertText(keep);
    c.setPosition(std::clamp(caret, 0, static_cast<int>(keep.size())));
    setTextCursor(c);
  });
}

QString StorableTextBox::Admit(const QString& typed) const {
  QString ok = StorableText(typed);
  if (maxLength_ <= 0) return ok;
  const QString all = toPlainText();
  QString selected = textCursor().selectedText();
  selected.replace(QChar::ParagraphSeparator, QChar('\n'));
  int room = maxLength_ - (StoredLength(all) - StoredLength(selected));
  if (room <= 0) return {};
  // Take whole characters while they fit; a line break needs two.
  int used = 0;
  int i = 0;
  for (; i < ok.size(); ++i) {
    int need = ok.at(i) == QChar('\n') ? 2 : 1;
    if (used + need > room) break;
    used += need;
  }
  return ok.left(i);
}

void StorableTextBox::keyPressEvent(QKeyEvent* e) {
  if (isReadOnly()) return QPlainTextEdit::keyPressEvent(e);
  const bool enter = (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
                     !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  QString typed = enter ? QStringLiteral("\n") : e->text();
  const bool printable = enter || (!typed.isEmpty() && QChar::isPrint(typed.toUcs4().value(0)) &&
                                   !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)));
  if (!printable) return QPlainTextEdit::keyPressEvent(e);
  QString ok = Admit(typed);
  if (ok == typed && !enter) return QPlainTextEdit::keyPressEvent(e);
  e->accept();
  if (!ok.isEmpty()) insertPlainText(ok);
  ensureCursorVisible();
}

void StorableTextBox::inputMethodEvent(QInputMethodEvent* e) {
  // A reading still being composed is shown in the box but is not text yet.
  // Qt reports a change for it all the same, which would mark the diary
  // changed by a reading the farmer then abandons.
  if (e->commitString().isEmpty() && e->replacementLength() == 0) {
    QSignalBlocker composing(this);
    return QPlainTextEdit::inputMethodEvent(e);
  }
  if (e->commitString().isEmpty() || isReadOnly()) return QPlainTextEdit::inputMethodEvent(e);
  QString ok = Admit(e->commitString());
  if (ok == e->commitString()) return QPlainTextEdit::inputMethodEvent(e);
  QInputMethodEvent trimmed(e->preeditString(), e->attributes());
  trimmed.setCommitString(ok, e->replacementStart(), e->replacementLength());
  QPlainTextEdit::inputMethodEvent(&trimmed);
  e->accept();
}

bool StorableTextBox::canInsertFromMimeData(const QMimeData* source) const {
  return source && source->hasText() && !isReadOnly();
}

void StorableTextBox::insertFromMimeData(const QMimeData* source) {
  if (!source || !source->hasText() || isReadOnly()) return;
  QString ok = Admit(source->text());
  // When nothing of it fits, the selection stays as it was.
  if (ok.isEmpty()) return;
  insertPlainText(ok);
  ensureCursorVisible();
}
