#include "shell/frmProgress.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "runtime/Convert.h"
#include "platform/ErrorReporter.h"
#include "store/Store.h"

int16_t BarHeight = 0;
int16_t BarWidth = 0;

frmProgress::frmProgress(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowTitle(QStringLiteral("Vorn"));
  pctForm = new QWidget(this);
  pctForm->setAutoFillBackground(true);
  pctProgress = new PictureBox(pctForm);
  pctProgress->SetBorderStyle(1);
  pctProgress->setFocusPolicy(Qt::NoFocus);
  lblProgress = new QLabel(pctForm);
  lblPer = new QLabel(pctForm);
  tmrProgress = new QTimer(this);
  tmrProgress->setInterval(kProgressTickMs);
  connect(tmrProgress, &QTimer::timeout, this, [this] { tmrProgress_Timer(); });
  Form_Load();
  tmrProgress->start();
}

void frmProgress::Form_Load() {
  CatchErrors([&] {
    ProgressTotal = 0;
    ProgressCount = 0;
    ProgressCaption.clear();
    setFixedSize(397, 75);
    pctForm->setGeometry(0, 0, width(), height());
    pctProgress->setGeometry(6, 10, 375, 19);
    lblProgress->setGeometry(8, 42, 301, 27);
    lblPer->setGeometry(316, 42, 47, 27);
    QFont f = MapFont(kPGothic, ScaledFontSize(12, 14));
    lblProgress->setFont(f);
    lblPer->setFont(f);
    pctProgress->SetBackColor(palette().color(QPalette::Button));
    BarHeight = static_cast<int16_t>(PixelsToTwipsY(pctProgress->InnerSize().height()));
    BarWidth = static_cast<int16_t>(PixelsToTwipsX(pctProgress->InnerSize().width()));
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
  });
}

void frmProgress::tmrProgress_Timer() {
  CatchErrors([&] {
    // Nothing to show before the caller has set a total.
    if (ProgressTotal == 0) return;
    double share = static_cast<double>(ProgressCount) / ProgressTotal;
    long long filled = static_cast<long long>(rt::RoundHalfEven(share * BarWidth));
    pctProgress->FilledBox(0, 0, BarWidth, BarHeight, palette().color(QPalette::Button));
    // The filled part covers whole pixels from the left edge up to the
    // rounded share; past the total the bar is simply full.
    const int px = static_cast<int>(std::clamp<long long>(TwipsToPixelsX(static_cast<double>(filled)), 0,
                                                          pctProgress->InnerSize().width()));
    if (px > 0)
      pctProgress->FilledBox(0, 0, pctProgress->FromPixelX(px - 1), BarHeight, palette().color(QPalette::Highlight));
    lblProgress->setText(QString::fromStdString(ProgressCaption));
    lblPer->setText(QString::number(static_cast<long long>(std::floor(share * 100))) + QStringLiteral("%"));
  });
}
