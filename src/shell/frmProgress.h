#pragma once
// The small window shown while the data files are read or written: a
// caption line, a bar and a percentage taken from ProgressTotal,
// ProgressCount and ProgressCaption. The file routines only count; the timer
// of this window repaints.
#include <QWidget>
#include <cstdint>

class PictureBox;
class QLabel;
class QTimer;

// Inner height and width of the bar in twips.
extern int16_t BarHeight;
extern int16_t BarWidth;

class frmProgress : public QWidget {
  Q_OBJECT
 public:
  explicit frmProgress(QWidget* parent = nullptr);

  QWidget* pctForm;
  // The bar: a picture box with a sunken border (tests read its retained
  // image).
  PictureBox* pctProgress;
  QLabel* lblProgress;
  QLabel* lblPer;
  QTimer* tmrProgress;

  void tmrProgress_Timer();

 private:
  void Form_Load();
};

// Timer interval of the progress window in milliseconds.
constexpr int kProgressTickMs = 50;
