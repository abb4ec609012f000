#pragma once
// The editor's diary text box: a multi-line text box that takes typed,
// pasted, dropped and input-method text only as far as it can be stored: up
// to a maximum entry length, and only characters the diary file can hold
// (shown as they will read back). Text set by the program is not limited.
#include <QPlainTextEdit>

class DiaryTextBox : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit DiaryTextBox(QWidget* parent = nullptr);

  // 0 means no limit.
  void setMaxLength(int n) { maxLength_ = n; }
  int maxLength() const { return maxLength_; }

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
