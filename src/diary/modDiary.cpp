#include "diary/modDiary.h"

#include <QWidget>
#include <string>

#include "store/Store.h"

int16_t DiaryLoading = 0;

std::string DiaryTextToEntry(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar('\r'), QChar('\n'));
  t.replace(QChar('\n'), QStringLiteral("\r\n"));
  return t.toStdString();
}

QString DiaryEntryToText(const std::string& entry) {
  // The file writes a day without text as a single space and reads it back
  // so; shown, that space would lead every new entry of the day.
  if (entry == " ") return QString();
  QString t = QString::fromStdString(entry);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

QString DiaryEntryText(int year, int month, int day) { return DiaryEntryToText(Nikki(year, month, day)); }

void StoreDiaryEntry(int year, int month, int day, const QString& text) {
  StoreDiaryText(year, month, day, DiaryTextToEntry(text));
}

int DiaryEntryLength(const QString& text) {
  int n = 0;
  for (int i = 0; i < text.size(); ++i) {
    QChar c = text.at(i);
    if (c == QChar('\r') && i + 1 < text.size() && text.at(i + 1) == QChar('\n')) {
      n += 2;
      ++i;
    } else if (c == QChar('\n') || c == QChar('\r')) {
      n += 2;
    } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      n += 1;
      ++i;
    } else {
      n += 1;
    }
  }
  return n;
}

void MoveWindowOuter(QWidget* w, int widthPx, int heightPx) {
  QSize frameExtra = w->frameGeometry().size() - w->geometry().size();
  w->resize(std::max(1, widthPx - frameExtra.width()), std::max(1, heightPx - frameExtra.height()));
}
