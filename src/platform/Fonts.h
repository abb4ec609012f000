#pragma once
// The windows name their fonts by the Japanese system font names; these map
// to installed Japanese fonts (IPA Gothic, proportional or not) with CJK
// fallbacks, so Japanese text never renders as boxes.
#include <QFont>
#include <QString>

inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");

// A font for a design font name and a size in points.
QFont MapFont(const QString& name, double points, bool bold = false);
