#pragma once
// The multi-line text box for text the data files keep (the diary entry, an
// observation's comment): it takes typed, pasted, dropped and input-method
// text only as far as it can be stored: up to a maximum length, and only
// characters the files can hold (StorableText, shown as they will read
// back). Text set by the program loses what cannot be stored as well, but is
// not limited in length. Tab moves on to the next control.
#include <QPlainTextEdit>

// The length of a text as the files store it: a line break counts two (CR LF),
// a character outside the basic plane one.
int StoredLength(const QString& text);

class StorableTextBox : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit StorableTextBox(QWidget* parent = nullptr);

  // In StoredLength; 0 means no limit.
  void setMaxLength(int n) { maxLength_ = n; }

  // The part of `typed` that may replace the current selection.
  QString Admit(const QString& typed) const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void insertFromMimeData(const QMimeData* source) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;

 private:
  int maxLength_ = 0;
};
