#include "materials/MaskedDateBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "platform/PictureBox.h"

MaskedDateBox::MaskedDateBox(QWidget* parent) : QLineEdit(parent) {
  setInputMask(QStringLiteral("9999/99/99;_"));
  setText(QString());
  // Digits are typed as they are, never composed by an input method.
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setInputMethodHints(Qt::ImhDigitsOnly);
}

void MaskedDateBox::keyPressEvent(QKeyEvent* e) {
  int code = VbKeyCode(e->key(), e->modifiers());
  if (code != 0 && KeyDown) {
    KeyDown(code, VbShift(e->modifiers()));
    if (code == 0) {
      e->accept();
      return;
    }
  }
  const QString typed = e->text();
  if (!typed.isEmpty() && typed.at(0).unicode() >= 32 && KeyPress) {
    int ascii = static_cast<int>(typed.toUcs4().value(0));
    KeyPress(ascii);
    if (ascii == 0) {
      e->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(e);
}

void MaskedDateBox::mousePressEvent(QMouseEvent* e) {
  QLineEdit::mousePressEvent(e);
  // Typing from the middle of "____/__/__" would put the year into the month
  // and day; a date is typed from its first digit on.
  const QString shown = Shown();
  if (std::none_of(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); })) setCursorPosition(0);
}

int MaskedDateBox::WholeDateWidth() const {
  // Proportional fonts give each digit its own width: every place is
  // counted at the widest one.
  const QFontMetrics fm = fontMetrics();
  int place = 0;
  for (QChar c : QStringLiteral("0123456789_")) place = std::max(place, fm.horizontalAdvance(c));
  // The line edit keeps 2 pixels each side inside its frame, and a pixel
  // for the caret after the last place.
  const QMargins m = textMargins();
  const int text = 8 * place + 2 * fm.horizontalAdvance(QLatin1Char('/')) + 2 * 2 + m.left() + m.right() + 1;
  QStyleOptionFrame opt;
  initStyleOption(&opt);
  return style()->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(text, height()), this).width();
}
