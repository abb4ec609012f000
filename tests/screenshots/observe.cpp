// The observation window over a season of sample observations with pictures
// painted here, pointing at a day; and the picture chooser with a preview.
#include <QDir>
#include <QPushButton>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "observe/frmFileSelect.h"
#include "platform/DriveLists.h"
#include "observe/frmObserve.h"
#include "observe/modObserve.h"
#include "screenshots/Screenshots.h"
#include "store/Store.h"

namespace {

// A field with a plant of the given height, as a camera would see it.
QImage FieldPicture(int w, int h, double growth) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient sky(0, 0, 0, h * 0.55);
  sky.setColorAt(0, QColor(120, 170, 230));
  sky.setColorAt(1, QColor(210, 230, 250));
  p.fillRect(0, 0, w, h, sky);
  p.fillRect(0, static_cast<int>(h * 0.55), w, h, QColor(120, 85, 50));
  p.setRenderHint(QPainter::Antialiasing);
  const int ground = static_cast<int>(h * 0.58);
  for (int k = 0; k < 4; ++k) {
    const double cx = w * (0.15 + 0.23 * k);
    const double top = ground - h * 0.4 * growth;
    p.setPen(QPen(QColor(40, 110, 30), std::max(2.0, w / 120.0)));
    p.drawLine(QPointF(cx, ground), QPointF(cx, top));
    p.setBrush(QColor(60, 150, 50));
    p.setPen(Qt::NoPen);
    for (int l = 0; l < 3; ++l) {
      const double y = top + (ground - top) * (0.2 + 0.25 * l);
      p.drawEllipse(QPointF(cx - w * 0.03, y), w * 0.035, h * 0.02);
      p.drawEllipse(QPointF(cx + w * 0.03, y + h * 0.02), w * 0.035, h * 0.02);
    }
    if (growth > 0.7) {
      p.setBrush(QColor(220, 40, 30));
      p.drawEllipse(QPointF(cx + w * 0.02, top + (ground - top) * 0.5), w * 0.02, w * 0.02);
    }
  }
  return img;
}

// Sample pictures in a directory that lives as long as the program.
QString SampleDir() {
  static QTemporaryDir dir;
  static bool made = false;
  if (!made) {
    made = true;
    FieldPicture(640, 480, 0.2).save(dir.filePath(QStringLiteral("トマト_0510.jpg")), nullptr, 90);
    FieldPicture(800, 600, 0.55).save(dir.filePath(QStringLiteral("トマト_0601.jpg")), nullptr, 90);
    FieldPicture(1024, 768, 0.9).save(dir.filePath(QStringLiteral("トマト_0712.JPG")), nullptr, 90);
    FieldPicture(320, 240, 0.4).save(dir.filePath(QStringLiteral("nasu.bmp")));
    QImage(10, 10, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("memo.png")));
  }
  return dir.path();
}

void SampleObservations() {
  ResetStore();
  const QString dir = SampleDir();
  ObserveItem.RedimPreserve(1);
  ObserveFile.RedimPreserve(1);
  ObserveItem(0).Name = "トマト（桃太郎）";
  ObserveItem(1).Name = "ナス";
  auto note = [](int m, int d, const char* text) { ObserveItem(0).Comment(2003, m, d) = text; };
  auto picture = [&](int m, int d, const char* name) {
    ObserveFile(0)(2003, m, d) = QDir(dir).filePath(QString::fromUtf8(name)).toStdString();
  };
  note(4, 20, "苗を購入、本葉6枚");
  note(5, 10, "定植。株間45cm、支柱を立てた");
  picture(5, 10, "トマト_0510.jpg");
  note(5, 24, "わき芽かき");
  picture(6, 1, "トマト_0601.jpg");
  note(6, 1, "第一花房が開花。\r\nトマトトーンを散布");
  note(6, 15, "草丈80cm。追肥（化成 30g/株）");
  note(6, 29, "実が ピンポン玉 くらい");
  picture(7, 12, "トマト_0712.JPG");
  note(7, 12, "初収穫！ 3個、糖度は まずまず。\r\n下葉に少し病斑、取り除いた");
  note(7, 26, "裂果が2個。水やりを控える");
  note(8, 9, "摘心");
  SetCurrentDate({2003, 6, 1});
}

}  // namespace

SCREENSHOT(observe) {
  SampleObservations();
  ShowObserve();
  frmObserve* f = LoadedObserve();
  const int n = DayOfYear(2003, 7, 12);
  f->pctGraph_MouseMove(0, 0, static_cast<float>(n * f->Chart.ObserveDayWidth), 100);
  return GrabScreen({f});
}

SCREENSHOT(observe_calendar) {
  SampleObservations();
  ShowObserve();
  frmObserve* f = LoadedObserve();
  f->cmdCalender->click();
  QImage shot = GrabScreen({f});
  f->cmdCalender->setFocus();
  UnloadObserve();
  return shot;
}

SCREENSHOT(observe_chooser) {
  SampleObservations();
  ShowObserve();
  frmObserve* f = LoadedObserve();
  auto* c = new frmFileSelect(f);
  c->move(200, 180);
  c->dirMain->SetPath(SampleDir());
  c->dirMain_Click();
  auto found = c->filMain->findItems(QStringLiteral("トマト_0601.jpg"), Qt::MatchExactly);
  if (!found.isEmpty()) {
    c->filMain->setCurrentItem(found[0]);
    c->filMain_Click();
  }
  QImage shot = GrabWidget(c);
  delete c;
  UnloadObserve();
  return shot;
}
