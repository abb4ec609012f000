#include "materials/MaskedDateBox.h"

#include <QKeyEvent>

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
