#pragma once
// The title window: shown while the data is loaded at start-up, and again
// as the about box. A click or Esc closes it, but only while Busy is 0, so
// that it cannot be dismissed during start-up.
#include <QDialog>
#include <QImage>

class frmTitle : public QDialog {
  Q_OBJECT
 public:
  explicit frmTitle(QWidget* parent = nullptr);

  // The title picture (drawn once).
  static QImage TitlePicture();
  // Starts drawing the title picture on a worker thread (once there is a
  // QApplication), so that the start-up title window has it when it first
  // paints instead of drawing it while the farmer waits.
  static void DrawPictureAhead();
  // Waits for a picture begun and never shown, before Qt goes away.
  static void EndPictureAhead();

  void Form_Click();
  void Form_KeyPress(int keyAscii);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void closeEvent(QCloseEvent*) override;

 private:
  QImage picture_;
};
