#pragma once
// A date box with the input mask "9999/99/99": digits only, "_" shown where
// nothing was typed, empty at first. What the box shows (Shown) is what the
// dialogs read; QLineEdit::text() would drop the blanks and shift the digits.
//
// Every key first goes to KeyDown (classic virtual-key code, shift mask) and,
// for a typed character, to KeyPress (its code); a handler that sets the
// code to 0 swallows the key.
#include <QLineEdit>
#include <functional>

class MaskedDateBox : public QLineEdit {
 public:
  explicit MaskedDateBox(QWidget* parent = nullptr);

  QString Shown() const { return displayText(); }

  // The narrowest width that shows a whole date, "_" blanks and the caret
  // after it included, without scrolling its first digit away.
  int WholeDateWidth() const;

  std::function<void(int& keyCode, int shift)> KeyDown;
  std::function<void(int& keyAscii)> KeyPress;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  // A click into a box with nothing typed yet starts at its first place.
  void mousePressEvent(QMouseEvent* e) override;
};
