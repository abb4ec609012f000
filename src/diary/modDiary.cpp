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

void MoveWindowOuter(QWidget* w, int widthPx, int heightPx) {
  QSize frameExtra = w->frameGeometry().size() - w->geometry().size();
  w->resize(std::max(1, widthPx - frameExtra.width()), std::max(1, heightPx - frameExtra.height()));
}
