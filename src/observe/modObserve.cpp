#include "observe/modObserve.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QTextOption>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "platform/Controls.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"

int16_t ObserveIndex = 0;
uint8_t ObserveHoverDay = 0;
uint8_t ObserveHoverMonth = 0;

namespace {

const QColor kMonthName(0, 128, 0);
const QColor kMonthLine(192, 255, 192);
const QColor kBar(255, 0, 0);
const QColor kHovered(0, 0, 255);

int Round(double v) { return static_cast<int>(rt::RoundHalfEven(v)); }

}  // namespace

void ObserveChart::SetGeometry(float innerWidthTwips, float innerHeightTwips) {
  ObserveGraphWidth = Round(innerWidthTwips);
  ObserveGraphHeight = Round(innerHeightTwips);
  ObserveDayWidth = std::max(1, Round(ObserveGraphWidth / 366.0));
}

int16_t CropInList(int index) {
  if (index < 0 || index > ObserveItem.UBound()) return 0;
  return static_cast<int16_t>(index);
}

bool ObserveDayMarked(int item, int year, int month, int day) {
  const ObserveItemRec& rec = std::as_const(ObserveItem)(item);
  const DayTable<std::string>& pictures = std::as_const(ObserveFile)(item);
  return !rec.Comment(year, month, day).empty() || !pictures(year, month, day).empty();
}

MonthDay ObserveChart::ObserveDayAt(int year, float x) const {
  int n = Round(x / static_cast<double>(std::max(1, ObserveDayWidth)));
  return DateOfDayOfYear(year, n);
}

void ObserveChart::Draw(PictureBox& strip, int year, int item, int hoverMonth, int hoverDay) const {
  const float tx = TwipsPerPixelX, ty = TwipsPerPixelY;
  PictureBox* chart = &strip;
  chart->Cls();
  PictureDc dc = chart->hDC();
  float x = 0;  // pixels
  for (int m = 1; m <= 12; ++m) {
    chart->SetCurrentX(x * tx + 30);
    chart->SetCurrentY(15);
    chart->SetForeColor(kMonthName);
    chart->Print(QString::number(m) + QStringLiteral("月"));
    chart->SetForeColor(kMonthLine);
    x += static_cast<float>(DaysInMonth(year, m)) * static_cast<float>(ObserveDayWidth) / tx;
    MoveToEx(dc, Round(x), 0);
    LineTo(dc, Round(x), Round(ObserveGraphHeight / ty));
  }

  const int bottom = Round(ObserveGraphHeight / ty);
  chart->SetFillStyle(PictureBox::kFillSolid);
  chart->SetFillColor(kBar);
  int dayOfYear = 0;
  for (int m = 1; m <= 12; ++m) {
    for (int d = 1, n = DaysInMonth(year, m); d <= n; ++d) {
      ++dayOfYear;
      if (!ObserveDayMarked(item, year, m, d)) continue;
      chart->SetForeColor(d == hoverDay && m == hoverMonth ? kHovered : kBar);
      double x = dayOfYear * static_cast<double>(ObserveDayWidth) / tx;
      Rectangle(dc, Round(x), 13, Round(x + 2), bottom);
    }
  }
}

std::string CommentToStore(const QString& text) {
  QString t = StorableText(text);
  t.replace(QChar('\n'), QStringLiteral("\r\n"));
  return t.toStdString();
}

QString CommentFromStore(const std::string& comment) {
  QString t = QString::fromStdString(comment);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

bool MatchesPattern(const QString& fileName, const QString& patterns) {
  for (const QString& p : patterns.split(QChar(';'), Qt::SkipEmptyParts)) {
    QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p.trimmed()),
                          QRegularExpression::CaseInsensitiveOption);
    if (re.match(fileName).hasMatch()) return true;
  }
  return false;
}

bool StorablePicturePath(const QString& path) {
  if (path.contains(QChar(',')) || path.contains(QChar('\r')) || path.contains(QChar('\n'))) return false;
  return StorableText(path) == path;
}

double FitScale(QSize picture, QSize box) {
  if (picture.isEmpty() || box.isEmpty()) return 0;
  double s = std::min(static_cast<double>(box.width()) / picture.width(),
                      static_cast<double>(box.height()) / picture.height());
  return std::min(1.0, s);
}

void ShowFitted(PictureBox* box, const QImage& picture) {
  ShowPictureNote(box, QString());
  const QSize inner = box->InnerSize();
  double s = FitScale(picture.size(), inner);
  if (s <= 0) return;
  // In the box's scale units, from pixels.
  float w = box->FromPixelX(std::max(1.0, std::floor(picture.width() * s + 1e-9)));
  float h = box->FromPixelY(std::max(1.0, std::floor(picture.height() * s + 1e-9)));
  box->PaintPicture(picture, 0, 0, w, h, 0, 0, box->FromPixelX(picture.width()), box->FromPixelY(picture.height()));
}

PictureOrNote ReadPictureOrNote(const QString& path, QSize box, PictureView view) {
  const QFileInfo info(path);
  auto note = [&](const QString& why) { return PictureOrNote{QImage(), why + QChar('\n') + path}; };
  if (!info.isFile()) return note(QStringLiteral("画像ファイルが見つかりません"));
  if (info.size() == 0) return note(QStringLiteral("画像ファイルが空です"));
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  const QSize full = reader.size();
  if (full.isValid() && !box.isEmpty()) {
    if (view == PictureView::kFitted) {
      const double s = FitScale(full, box);
      const QSize want(std::max(1, static_cast<int>(full.width() * s + 1e-9)),
                       std::max(1, static_cast<int>(full.height() * s + 1e-9)));
      if (want != full) reader.setScaledSize(want);
    } else {
      const QRect shown = QRect(QPoint(0, 0), box) & QRect(QPoint(0, 0), full);
      if (shown.size() != full) reader.setClipRect(shown);
    }
  }
  // A file cut short still leaves what was decoded of it in img, whatever
  // read() says.
  QImage img;
  reader.read(&img);
  if (img.isNull()) return note(QStringLiteral("画像ファイルを読み込めません（壊れているか、画像ではありません）"));
  return {img.convertToFormat(QImage::Format_RGB32), QString()};
}

void ShowPictureNote(PictureBox* box, const QString& note) {
  box->setToolTip(note);
  box->Cls();
  const QSize inner = box->InnerSize();
  if (note.isEmpty() || inner.isEmpty()) return;
  QImage text(inner, QImage::Format_RGB32);
  text.fill(box->BackColor());
  {
    QPainter p(&text);
    p.setFont(box->font());
    p.setPen(QColor(64, 64, 64));
    // A path has no spaces to break at: it breaks anywhere.
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    p.drawText(QRectF(QPointF(6, 6), QSizeF(inner.width() - 12, inner.height() - 12)), note, wrap);
  }
  const float w = box->FromPixelX(inner.width()), h = box->FromPixelY(inner.height());
  box->PaintPicture(text, 0, 0, w, h, 0, 0, w, h);
}

QString PictureNoteShown(const PictureBox* box) { return box->toolTip(); }
