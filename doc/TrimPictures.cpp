// Copies window pictures into the guide, cut down to the windows: the
// desktop around them (the plain colour vorn_screenshots paints behind the
// windows of a whole-screen picture) is left out, so that a small dialog
// drawn on a whole screen reads at the guide's width.
//   vorn_trim_pictures OUT_DIR PICTURE...
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRect>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: vorn_trim_pictures OUT_DIR PICTURE...\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  int failures = 0;
  for (int i = 2; i < argc; ++i) {
    const QString in = QString::fromLocal8Bit(argv[i]);
    QImage img(in);
    if (img.isNull()) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      ++failures;
      continue;
    }
    const QRgb desktop = qRgb(0, 128, 128);
    QRect kept;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) != desktop) kept |= QRect(x, y, 1, 1);
    // A picture of nothing but desktop stays whole.
    if (kept.isEmpty()) kept = img.rect();
    if (!img.copy(kept).save(out + QLatin1Char('/') + QFileInfo(in).fileName())) {
      std::fprintf(stderr, "cannot write %s\n", argv[i]);
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
