#include "platform/Fonts.h"

#include <QStringList>

QFont MapFont(const QString& name, double points, bool bold) {
  QStringList families;
  if (name == kPGothic)
    families << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic");
  else
    families << QStringLiteral("IPAGothic") << QStringLiteral("IPAPGothic");
  families << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("Noto Sans Mono CJK JP")
           << QStringLiteral("TakaoGothic") << QStringLiteral("VL Gothic") << QStringLiteral("Droid Sans Fallback");
  QFont f;
  f.setFamilies(families);
  f.setStyleHint(QFont::SansSerif);
  if (points > 0) f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}
