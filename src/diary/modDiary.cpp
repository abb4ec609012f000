#include "diary/modDiary.h"

#include <QWidget>
#include <string>

#include "runtime/Cp932.h"
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
  QString t = QString::fromStdString(entry);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

QString DiaryEntryText(int year, int month, int day) { return DiaryEntryToText(Nikki(year, month, day)); }

void StoreDiaryEntry(int year, int month, int day, const QString& text) {
  Nikki(year, month, day) = DiaryTextToEntry(text);
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

QString StorableDiaryText(const QString& typed) {
  QString in = typed;
  in.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  in.replace(QChar('\r'), QChar('\n'));
  in.replace(QChar::ParagraphSeparator, QChar('\n'));
  in.replace(QChar::LineSeparator, QChar('\n'));
  QString out;
  out.reserve(in.size());
  for (int i = 0; i < in.size();) {
    int len = (in.at(i).isHighSurrogate() && i + 1 < in.size() && in.at(i + 1).isLowSurrogate()) ? 2 : 1;
    QString ch = in.mid(i, len);
    i += len;
    if (ch.at(0).unicode() < 0x80) {
      out += ch;
      continue;
    }
    std::string bytes = rt::Utf8ToCp932(ch.toStdString());
    if (bytes == "?") continue;  // the code page has no such character
    out += QString::fromStdString(rt::Cp932ToUtf8(bytes));
  }
  return out;
}

void MoveWindowOuter(QWidget* w, int widthPx, int heightPx) {
  QSize frameExtra = w->frameGeometry().size() - w->geometry().size();
  w->resize(std::max(1, widthPx - frameExtra.width()), std::max(1, heightPx - frameExtra.height()));
}
