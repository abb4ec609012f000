#include "shell/frmProgress.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "runtime/Convert.h"
#include "platform/ErrorReporter.h"
#include "store/Store.h"

int16_t BarHeight = 0;
int16_t BarWidth = 0;

namespace {

constexpr int kBorder = 2;  // sunken 3-D border of a picture box

// A picture box with a sunken border whose inner surface is a retained image.
class BarBox : public QWidget {
 public:
  explicit BarBox(QWidget* parent) : QWidget(parent) {}
  QImage image;

  void resizeEvent(QResizeEvent*) override {
    QSize inner(std::max(1, width() - 2 * kBorder), std::max(1, height() - 2 * kBorder));
    if (image.size() != inner) {
      QImage fresh(inner, QImage::Format_RGB32);
      fresh.fill(palette().color(QPalette::Button));
      image = fresh;
    }
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QPalette& pal = palette();
    // Sunken border: dark outer top-left, light outer bottom-right.
    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(pal.color(QPalette::Shadow));
    p.drawLine(1, 1, width() - 2, 1);
    p.drawLine(1, 1, 1, height() - 2);
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.setPen(pal.color(QPalette::Midlight));
    p.drawLine(1, height() - 2, width() - 2, height() - 2);
    p.drawLine(width() - 2, 1, width() - 2, height() - 2);
    p.drawImage(kBorder, kBorder, image);
  }
};

}  // namespace

frmProgress::frmProgress(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowTitle(QStringLiteral("Vorn"));
  pctForm = new QWidget(this);
  pctForm->setAutoFillBackground(true);
  pctProgress = new BarBox(pctForm);
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
    BarHeight = static_cast<int16_t>(PixelsToTwipsY(pctProgress->height() - 2 * kBorder));
    BarWidth = static_cast<int16_t>(PixelsToTwipsX(pctProgress->width() - 2 * kBorder));
    static_cast<BarBox*>(pctProgress)->resizeEvent(nullptr);
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->geometry().center() - rect().center());
  });
}

const QImage& frmProgress::BarImage() const { return static_cast<BarBox*>(pctProgress)->image; }

void frmProgress::tmrProgress_Timer() {
  CatchErrors([&] {
    // Nothing to show before the caller has set a total.
    if (ProgressTotal == 0) return;
    double share = static_cast<double>(ProgressCount) / ProgressTotal;
    long long filled = static_cast<long long>(rt::RoundHalfEven(share * BarWidth));
    auto* bar = static_cast<BarBox*>(pctProgress);
    QPainter p(&bar->image);
    p.fillRect(bar->image.rect(), palette().color(QPalette::Button));
    int px = static_cast<int>(std::clamp<long long>(
        static_cast<long long>(rt::RoundHalfEven(filled / static_cast<double>(TwipsPerPixelX))), 0, bar->image.width()));
    if (px > 0) p.fillRect(QRect(0, 0, px, bar->image.height()), palette().color(QPalette::Highlight));
    p.end();
    bar->update();
    lblProgress->setText(QString::fromStdString(ProgressCaption));
    lblPer->setText(QString::number(static_cast<long long>(std::floor(share * 100))) + QStringLiteral("%"));
  });
}
